#pragma once
// Outlines for the lids' triangulation, open (the last point does not
// repeat the first), counter-clockwise unless said otherwise.

#include <vector>

#include "geometry/GeoHostInterface.h"
#include "geometry/Vec3f.h"

using Outline = std::vector<Vec3f>;

Outline Circle(int count, double radius);
Outline Star(int arms, double outer, double inner);
// Teeth standing on a base: a reflex corner at the foot of every tooth.
Outline Comb(int teeth, double toothWidth, double toothHeight);
Outline Scaled(Outline points, double factor);

// The curved bar of the benchmarks: sixteen spline points alternating
// between two radii, at tessellation 200.
constexpr int kCurvedBarPoints = 16;
constexpr double kCurvedBarTessellation = 200;
struct BarPointFields {
    double x, y, inX, inY, outX, outY;
};
BarPointFields CurvedBarPoint(int k);
// Writes its point count, points and tessellation into a bar's parameters.
void SetCurvedBarOutline(IGeoObject& bar);
// Its outline flattened as the mesh builder does, consecutive repeats
// dropped, clockwise as the points run.
Outline CurvedBarLid();
