#pragma once
// A built mesh written out for people: a Wavefront OBJ file and a PNG
// picture in an oblique view. GDI+ must be started for the picture.

#include "testing/geohost/StandInGeoObject.h"

bool WriteMeshObj(const CStandInGeoObject& object, const wchar_t* path);
bool WriteMeshPng(const CStandInGeoObject& object, const wchar_t* path, int size);
