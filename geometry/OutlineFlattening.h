#pragma once
// The outline path flattened into a closed polygon: its points in order,
// then the first point once more.

#include <vector>

#include "geometry/ShapeController.h"

struct OutlinePoint {
    float x, y;
};

// A flattened outline holds at most this many points before its closing one:
// sixteen curves of 128 segments. Finer tolerances would only cost the lids'
// triangulation time.
constexpr int kMaxFlattenedPoints = 2048;

// flatness = 0.01 / tessellation of the outline's size, tessellation clamped
// to 1 ... 200, coarsened as far as the point cap needs. An empty outline
// gives the single point (0, 0).
std::vector<OutlinePoint> FlattenOutline(const CShapeController& shape, double tessellation);
