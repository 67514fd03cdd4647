#pragma once
// The sign of the turn a -> b -> c in the x-y plane, exact for every float
// input: 1 counter-clockwise, -1 clockwise, 0 collinear (or not a number).
// Exact signs keep ear clipping from emitting a triangle the wrong way round
// or dropping a corner that is only nearly straight.

int OrientationSign(float ax, float ay, float bx, float by, float cx, float cy);
