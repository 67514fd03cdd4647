#include "testing/geohost/MeshPictures.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The stock PNG encoder of GDI+.
const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

class CStdioFile {
public:
    explicit CStdioFile(const wchar_t* path) : m_file(_wfopen(path, L"wb")) {}
    ~CStdioFile() { if (m_file) fclose(m_file); }
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    FILE* Get() const { return m_file; }
    bool Close() { FILE* f = m_file; m_file = nullptr; return f && fclose(f) == 0; }

private:
    FILE* m_file;
};

struct Face {
    std::vector<int32_t> corners;
    double depth;
    Gdiplus::Color colour;
};

}  // namespace

bool WriteMeshObj(const CStandInGeoObject& object, const wchar_t* path)
{
    CStdioFile file(path);
    if (!file.Get())
        return false;
    const int32_t count = object.VertexCount();
    for (int32_t i = 0; i < count; ++i) {
        fprintf(file.Get(), "v %.6f %.6f %.6f\n", object.VertexField(i, 5), object.VertexField(i, 6),
                object.VertexField(i, 7));
        fprintf(file.Get(), "vt %.6f %.6f\n", object.VertexField(i, 0), object.VertexField(i, 1));
        fprintf(file.Get(), "vn %.6f %.6f %.6f\n", object.VertexField(i, 2), object.VertexField(i, 3),
                object.VertexField(i, 4));
    }
    for (const StandInPart& part : object.Parts()) {
        fprintf(file.Get(), "g %s\n", part.name.c_str());
        const int32_t step = part.kind == kGeoPrimitiveWalls ? 4 : 3;
        for (int32_t v = part.first; part.count > 0 && v + step <= part.first + part.count; v += step) {
            fputs("f", file.Get());
            for (int32_t k = 0; k < step; ++k)
                fprintf(file.Get(), " %d/%d/%d", v + k + 1, v + k + 1, v + k + 1);
            fputs("\n", file.Get());
        }
    }
    return file.Close();
}

namespace {

Gdiplus::PointF Project(const CStandInGeoObject& object, int32_t i)
{
    const float x = object.VertexField(i, 5), y = object.VertexField(i, 6), z = object.VertexField(i, 7);
    return Gdiplus::PointF(x + 0.45f * z, -(y + 0.35f * z));
}

}  // namespace

Gdiplus::RectF MeshExtent(const CStandInGeoObject& object)
{
    const int32_t count = object.VertexCount();
    if (count <= 0)
        return Gdiplus::RectF();
    float minX = 1e30f, maxX = -1e30f, minY = 1e30f, maxY = -1e30f;
    for (int32_t i = 0; i < count; ++i) {
        const Gdiplus::PointF p = Project(object, i);
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    return Gdiplus::RectF(minX, minY, maxX - minX, maxY - minY);
}

void DrawMesh(Gdiplus::Graphics& graphics, const CStandInGeoObject& object, const MeshView& view)
{
    std::vector<Face> faces;
    for (const StandInPart& part : object.Parts()) {
        const bool walls = part.kind == kGeoPrimitiveWalls;
        const int32_t step = walls ? 4 : 3;
        for (int32_t v = part.first; part.count > 0 && v + step <= part.first + part.count; v += step) {
            Face face;
            double depth = 0.0;
            for (int32_t k = 0; k < step; ++k) {
                face.corners.push_back(v + k);
                depth += object.VertexField(v + k, 7) - object.VertexField(v + k, 6);
            }
            face.depth = depth / step;
            if (part.name == "Top")
                face.colour = Gdiplus::Color(255, 120, 170, 240);
            else if (part.name == "Bottom")
                face.colour = Gdiplus::Color(255, 40, 60, 90);
            else {
                // Walls lit from the front left: shade by the normal's direction.
                const float nx = object.VertexField(v, 2), nz = object.VertexField(v, 4);
                const float length = std::max(1e-12f, std::hypot(nx, nz));
                const int light = static_cast<int>(140 + 90 * (-0.6f * nx - 0.8f * nz) / length);
                face.colour = Gdiplus::Color(255, 30, static_cast<BYTE>(std::clamp(light, 40, 255)), 90);
            }
            faces.push_back(face);
        }
    }
    // Far faces first.
    std::stable_sort(faces.begin(), faces.end(), [](const Face& a, const Face& b) { return a.depth > b.depth; });

    Gdiplus::Pen edge(Gdiplus::Color(255, 20, 20, 20), 1.0f);
    for (const Face& face : faces) {
        std::vector<Gdiplus::PointF> points;
        for (int32_t corner : face.corners) {
            const Gdiplus::PointF p = Project(object, corner);
            points.emplace_back(view.origin.X + view.scale * p.X, view.origin.Y + view.scale * p.Y);
        }
        Gdiplus::SolidBrush brush(face.colour);
        graphics.FillPolygon(&brush, points.data(), static_cast<INT>(points.size()));
        if (face.corners.size() == 4)
            graphics.DrawPolygon(&edge, points.data(), static_cast<INT>(points.size()));
    }
}

bool WriteMeshPng(const CStandInGeoObject& object, const wchar_t* path, int size)
{
    const Gdiplus::RectF extent = MeshExtent(object);
    Gdiplus::Bitmap picture(size, size, PixelFormat24bppRGB);
    Gdiplus::Graphics graphics(&picture);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.Clear(Gdiplus::Color(255, 250, 250, 250));
    const float span = std::max({extent.Width, extent.Height, 1e-6f});
    const float scale = 0.8f * size / span;
    const MeshView view{Gdiplus::PointF(size / 2.0f - scale * (extent.X + extent.Width / 2),
                                        size / 2.0f - scale * (extent.Y + extent.Height / 2)),
                        scale};
    DrawMesh(graphics, object, view);
    return SavePicturePng(picture, path);
}

bool SavePicturePng(Gdiplus::Bitmap& picture, const wchar_t* path)
{
    return picture.Save(path, &kPngEncoder, nullptr) == Gdiplus::Ok;
}
