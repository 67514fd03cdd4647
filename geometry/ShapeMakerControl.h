#pragma once
// The Shape Maker's drawing area: shows the outline over a grid and lets
// the user drag points and handles, and add, delete and retype points from
// context menus. Subclasses the dialog's static control. GDI+ must be up.
//
// A pixel (px, py) of a W x H area at zoom z is the shape point
// ((2 px / W - 1) z, (2 py / H - 1) z): the area shows -z ... z both ways.

#include <windows.h>
#include <gdiplus.h>

#include <memory>

#include "geometry/ShapeController.h"
#include "platform/ui/Window.h"

class CShapeMakerControl : public CWnd {
public:
    explicit CShapeMakerControl(CShapeController& shape) : m_shape(shape) {}

    double Zoom() const { return m_zoom; }
    // Redraws the grid for the new zoom.
    void SetZoom(double zoom);
    // The chain was replaced: a drag or a remembered point means nothing now.
    void OnOutlineReplaced();

protected:
    void OnSubclassed() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    Gdiplus::PointF ToShape(POINT pixel) const;
    Gdiplus::PointF ToPixel(float x, float y) const;
    void RebuildBackBuffer();
    void Paint();
    void DrawOutline(Gdiplus::Graphics& graphics, int width, int height) const;
    void OnLeftDown(POINT pixel, WPARAM keys);
    void OnMouseMove(POINT pixel, WPARAM keys);
    void OnRightDown(POINT pixel);
    void OnCommand(UINT id);
    void ShowMenu(UINT menuId, UINT checkedId, POINT pixel);
    void EndDrag();
    void Repaint(bool now = false);

    static constexpr double kGridStep = 0.05;

    CShapeController& m_shape;
    double m_zoom = 1.0;
    // The point and part being dragged, by index: the chain may change
    // under a drag.
    int32_t m_dragIndex = -1;
    ShapeHitPart m_dragPart = kHitNothing;
    int32_t m_menuIndex = -1;   // the point of the last point menu
    POINT m_menuClick{};        // where the last background menu opened
    std::unique_ptr<Gdiplus::Bitmap> m_backBuffer;   // the grid, drawn once per size and zoom
    std::unique_ptr<Gdiplus::Font> m_font;
};
