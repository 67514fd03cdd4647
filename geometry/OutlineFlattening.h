#pragma once
// The outline path flattened into a closed polygon: its points in order,
// then the first point once more.

#include <vector>

#include "geometry/ShapeController.h"

struct OutlinePoint {
    float x, y;
};

// flatness = 0.01 / tessellation, tessellation clamped to 1 ... 200. An
// empty outline gives the single point (0, 0).
std::vector<OutlinePoint> FlattenOutline(const CShapeController& shape, double tessellation);
