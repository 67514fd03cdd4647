#include "geometry/ShapeMakerControl.h"

#include <windowsx.h>

#include <string>

#include "common/storedvalues/CNumbers.h"
#include "base/win/UniqueHandle.h"
#include "geometry/ShapeMakerResources.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Module.h"

using namespace Gdiplus;

namespace {

const Color kGrid(100, 100, 100);
const Color kAxes(255, 0, 0);
const Color kOutline(255, 255, 0);
const Color kFill(192, 192, 192);
const Color kMarker(255, 255, 255);
const Color kSelection(0, 255, 0);
const Color kHandle(0, 255, 255);

UINT TypeCommand(int32_t type)
{
    switch (type) {
    case kPointLinear: return ID_SHAPE_LINEAR;
    case kPointSpline: return ID_SHAPE_SPLINE;
    case kPointBrokenSpline: return ID_SHAPE_BROKEN_SPLINE;
    default: return 0;
    }
}

}  // namespace

void CShapeMakerControl::SetZoom(double zoom)
{
    m_zoom = zoom > 0 ? zoom : 1.0;
    RebuildBackBuffer();
    Repaint();
}

void CShapeMakerControl::OnOutlineReplaced()
{
    EndDrag();
    m_menuIndex = -1;
    Repaint();
}

void CShapeMakerControl::OnSubclassed()
{
    // Made through GDI, which stands in a similar face where there is no
    // Arial; GDI+ itself would refuse the name.
    WindowDC screen(GetSafeHwnd());
    const int height = -MulDiv(8, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    const UniqueFont arial(CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, L"Arial"));
    m_font = std::make_unique<Font>(screen.Get(), arial.Get());
    if (m_font->GetLastStatus() != Ok)
        m_font.reset();
    RebuildBackBuffer();
}

PointF CShapeMakerControl::ToShape(POINT pixel) const
{
    const RECT client = GetClientRect();
    const double w = client.right > 0 ? client.right : 1, h = client.bottom > 0 ? client.bottom : 1;
    return PointF(static_cast<REAL>((2.0 * pixel.x / w - 1.0) * m_zoom),
                  static_cast<REAL>((2.0 * pixel.y / h - 1.0) * m_zoom));
}

PointF CShapeMakerControl::ToPixel(float x, float y) const
{
    const RECT client = GetClientRect();
    return PointF(static_cast<REAL>((x / m_zoom + 1.0) * client.right / 2.0),
                  static_cast<REAL>((y / m_zoom + 1.0) * client.bottom / 2.0));
}

void CShapeMakerControl::RebuildBackBuffer()
{
    m_backBuffer.reset();
    const RECT client = GetClientRect();
    const int w = client.right, h = client.bottom;
    // Minimised: nothing to draw until the size comes back.
    if (w <= 0 || h <= 0)
        return;
    auto buffer = std::make_unique<Bitmap>(w, h, PixelFormat32bppARGB);
    if (buffer->GetLastStatus() != Ok)
        return;
    Graphics graphics(buffer.get());
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    const Pen grid(kGrid, 1.0f);
    // From each edge of -1 ... 1 towards the centre, a line every step.
    for (double v = -1.0; v < -1e-9; v += kGridStep) {
        const PointF low = ToPixel(static_cast<float>(v), static_cast<float>(v));
        const PointF high = ToPixel(static_cast<float>(-v), static_cast<float>(-v));
        graphics.DrawLine(&grid, low.X, 0.0f, low.X, static_cast<REAL>(h));
        graphics.DrawLine(&grid, high.X, 0.0f, high.X, static_cast<REAL>(h));
        graphics.DrawLine(&grid, 0.0f, low.Y, static_cast<REAL>(w), low.Y);
        graphics.DrawLine(&grid, 0.0f, high.Y, static_cast<REAL>(w), high.Y);
    }
    const Pen axes(kAxes, 2.0f);
    graphics.DrawLine(&axes, w / 2.0f, 0.0f, w / 2.0f, static_cast<REAL>(h));
    graphics.DrawLine(&axes, 0.0f, h / 2.0f, static_cast<REAL>(w), h / 2.0f);
    m_backBuffer = std::move(buffer);
}

void CShapeMakerControl::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(GetSafeHwnd(), &ps);
    const RECT client = GetClientRect();
    if (client.right > 0 && client.bottom > 0) {
        const UniqueMemoryDC memory(CreateCompatibleDC(dc));
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (memory && bitmap) {
            const HGDIOBJ old = SelectObject(memory.Get(), bitmap.Get());
            {
                Graphics graphics(memory.Get());
                graphics.SetSmoothingMode(SmoothingModeAntiAlias);
                graphics.Clear(Color(0, 0, 0));
                if (m_backBuffer)
                    graphics.DrawImage(m_backBuffer.get(), 0, 0);
                DrawOutline(graphics, client.right, client.bottom);
            }
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
            SelectObject(memory.Get(), old);
        }
    }
    EndPaint(GetSafeHwnd(), &ps);
}

void CShapeMakerControl::DrawOutline(Graphics& graphics, int width, int height) const
{
    // The path is transformed, not the graphics: a transformed pen would be
    // as wide as the scale.
    std::unique_ptr<GraphicsPath> path(m_shape.GetPath().Clone());
    if (path) {
        Matrix toPixels;
        toPixels.Translate(static_cast<REAL>(m_zoom), static_cast<REAL>(m_zoom));
        toPixels.Scale(static_cast<REAL>(width / (2 * m_zoom)), static_cast<REAL>(height / (2 * m_zoom)),
                       MatrixOrderAppend);
        path->Transform(&toPixels);
        if (m_shape.GetPointCount() > 2) {
            const SolidBrush fill(Color(96, kFill.GetR(), kFill.GetG(), kFill.GetB()));
            graphics.FillPath(&fill, path.get());
        }
        const Pen outline(kOutline, 1.0f);
        graphics.DrawPath(&outline, path.get());
    }

    const SolidBrush marker(kMarker);
    const Pen selection(kSelection, 1.0f);
    const Pen handle(kHandle, 1.0f);
    for (int32_t i = 0; i < m_shape.GetPointCount(); ++i) {
        const CShapePoint& point = m_shape.GetPoint(i);
        const PointF at = ToPixel(point.x, point.y);
        if (IsCurveType(point.type)) {
            for (const PointF& h : {ToPixel(point.inX, point.inY), ToPixel(point.outX, point.outY)}) {
                graphics.DrawLine(&handle, at, h);
                graphics.DrawRectangle(&handle, h.X - 3, h.Y - 3, 6.0f, 6.0f);
            }
        }
        graphics.FillRectangle(&marker, at.X - 1, at.Y - 1, 2.0f, 2.0f);
        if (point.selected)
            graphics.DrawRectangle(&selection, at.X - 5, at.Y - 5, 10.0f, 10.0f);
        if (m_font) {
            const std::wstring position = FormatFixed(point.x, 2) + L"," + FormatFixed(point.y, 2);
            const std::wstring number = std::to_wstring(i + 1);
            graphics.DrawString(position.c_str(), static_cast<INT>(position.size()), m_font.get(),
                                PointF(at.X + 4, at.Y), &marker);
            graphics.DrawString(number.c_str(), static_cast<INT>(number.size()), m_font.get(),
                                PointF(at.X - 12, at.Y), &marker);
        }
    }
}

bool CShapeMakerControl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const POINT pixel{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    result = 0;
    switch (msg) {
    case WM_NCHITTEST:
        // A static lets clicks through to the dialog; this one takes them.
        result = HTCLIENT;
        return true;
    case WM_LBUTTONDOWN:
        OnLeftDown(pixel, wParam);
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove(pixel, wParam);
        return true;
    case WM_LBUTTONUP:
        EndDrag();
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != GetSafeHwnd())
            m_dragIndex = -1;
        return true;
    case WM_RBUTTONDOWN:
        OnRightDown(pixel);
        return true;
    case WM_COMMAND:
        // Only the menus' own commands, no control notifications.
        if (lParam != 0 || HIWORD(wParam) != 0)
            return false;
        OnCommand(LOWORD(wParam));
        return true;
    case WM_SIZE:
        RebuildBackBuffer();
        Repaint();
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        Paint();
        return true;
    default:
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
}

void CShapeMakerControl::OnLeftDown(POINT pixel, WPARAM keys)
{
    const PointF at = ToShape(pixel);
    const ShapeHit hit = m_shape.HitTest(at.X, at.Y);
    if (hit.part == kHitNothing) {
        if (m_shape.ClearSelection())
            Repaint();
        return;
    }
    const bool selected = m_shape.GetPoint(hit.index).selected != 0;
    if (keys & MK_CONTROL) {
        m_shape.SetSelected(hit.index, !selected);
        Repaint();
    } else if (!selected && m_shape.ClearSelection()) {
        Repaint();
    }
    m_dragIndex = hit.index;
    m_dragPart = hit.part;
    SetCapture(GetSafeHwnd());
}

void CShapeMakerControl::OnMouseMove(POINT pixel, WPARAM keys)
{
    if (m_dragIndex < 0)
        return;
    // The button went up unseen, or the point went away: no more moves.
    if (!(keys & MK_LBUTTON) || !m_shape.IsValidIndex(m_dragIndex)) {
        EndDrag();
        return;
    }
    const PointF at = ToShape(pixel);
    if (m_dragPart == kHitPosition)
        m_shape.MovePoint(m_dragIndex, at.X, at.Y);
    else if (m_dragPart == kHitIncoming)
        m_shape.MoveIncoming(m_dragIndex, at.X, at.Y);
    else
        m_shape.MoveOutgoing(m_dragIndex, at.X, at.Y);
    Repaint(true);
}

void CShapeMakerControl::EndDrag()
{
    m_dragIndex = -1;
    if (GetSafeHwnd() && GetCapture() == GetSafeHwnd())
        ReleaseCapture();
}

void CShapeMakerControl::OnRightDown(POINT pixel)
{
    const PointF at = ToShape(pixel);
    const ShapeHit hit = m_shape.HitTest(at.X, at.Y);
    if (hit.part == kHitPosition) {
        m_menuIndex = hit.index;
        ShowMenu(IDR_SHAPE_POINT_MENU, TypeCommand(m_shape.GetPoint(hit.index).type), pixel);
    } else {
        m_menuClick = pixel;
        ShowMenu(IDR_SHAPE_BACKGROUND_MENU, 0, pixel);
    }
}

void CShapeMakerControl::ShowMenu(UINT menuId, UINT checkedId, POINT pixel)
{
    HMENU menu = LoadMenuW(CurrentModule(), MAKEINTRESOURCEW(menuId));
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    if (popup) {
        if (checkedId)
            CheckMenuItem(popup, checkedId, MF_BYCOMMAND | MF_CHECKED);
        ClientToScreen(GetSafeHwnd(), &pixel);
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pixel.x, pixel.y, 0, GetSafeHwnd(), nullptr);
    }
    DestroyMenu(menu);
}

void CShapeMakerControl::OnCommand(UINT id)
{
    switch (id) {
    case ID_SHAPE_LINEAR:
    case ID_SHAPE_SPLINE:
    case ID_SHAPE_BROKEN_SPLINE: {
        const int32_t type = id == ID_SHAPE_LINEAR ? kPointLinear : id == ID_SHAPE_SPLINE ? kPointSpline
                                                                                          : kPointBrokenSpline;
        if (m_shape.IsValidIndex(m_menuIndex))
            m_shape.ChangeType(m_menuIndex, type);
        break;
    }
    case ID_SHAPE_DELETE:
        if (m_shape.IsValidIndex(m_menuIndex))
            m_shape.DeletePoint(m_menuIndex);
        m_menuIndex = -1;
        break;
    case ID_SHAPE_ADD_POINT: {
        const PointF at = ToShape(m_menuClick);
        m_shape.AddPoint(at.X, at.Y, 0, 0, 0, 0, kPointLinear, true);
        break;
    }
    default:
        return;
    }
    Repaint();
}

void CShapeMakerControl::Repaint(bool now)
{
    if (!GetSafeHwnd())
        return;
    Invalidate(false);
    if (now)
        UpdateWindow(GetSafeHwnd());
}
