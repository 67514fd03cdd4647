#pragma once
// A point of the triangulator's input: the outline's plane is x-y.

struct Vec3f {
    float x, y, z;
};
