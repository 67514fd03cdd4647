#pragma once
// The Shape Maker file: element "ShapeMaker" version "1.0" with one "Point"
// per outline point; 8-bit text in the system code page, numbers in the "C"
// locale.

#include <string>
#include <vector>

#include "geometry/ShapePoint.h"

// The file's text for `points` in index order.
std::string FormatShapeMakerFile(const std::vector<CShapePoint>& points);

// The points with indices 0, 1, 2 ... up to the first missing index, at most
// `maxPoints`. False when the bytes are no version "1.0" Shape Maker text,
// hold no point 0, or a point's numbers cannot be read or are no usable
// geometry (non-finite or too large). COM must be initialised.
bool ParseShapeMakerFile(const std::string& bytes, size_t maxPoints, std::vector<CShapePoint>& points);
