#pragma once
// A built mesh written out for people: a Wavefront OBJ file and a PNG
// picture in an oblique view. GDI+ must be started for the picture.

#include <windows.h>
#include <gdiplus.h>

#include "testing/geohost/StandInGeoObject.h"

bool WriteMeshObj(const CStandInGeoObject& object, const wchar_t* path);
bool WriteMeshPng(const CStandInGeoObject& object, const wchar_t* path, int size);

// The oblique view: a mesh point (x, y, z) lands at `origin` + `scale` times
// its projection (x to the right, height up, depth up and to the right).
struct MeshView {
    Gdiplus::PointF origin;
    float scale;
};

// The mesh's projected bounds at scale 1 around origin (0, 0); empty (zero
// size) for a mesh without vertices.
Gdiplus::RectF MeshExtent(const CStandInGeoObject& object);
// Lids and walls, far faces first, into a picture of someone else's making.
void DrawMesh(Gdiplus::Graphics& graphics, const CStandInGeoObject& object, const MeshView& view);

// Writes a picture as a PNG file.
bool SavePicturePng(Gdiplus::Bitmap& picture, const wchar_t* path);
