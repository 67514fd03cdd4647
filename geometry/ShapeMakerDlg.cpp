#include "geometry/ShapeMakerDlg.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>

#include "base/com/ScopedComApartment.h"
#include "geometry/ShapeMakerResources.h"
#include "platform/ui/UserPrompts.h"

namespace {

const wchar_t kFilter[] = L"Shape Maker File (*.sm)|*.sm||";
const wchar_t kExtension[] = L"sm";

bool IsTopEdge(WPARAM edge)
{
    return edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
}

bool IsLeftEdge(WPARAM edge)
{
    return edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
}

}  // namespace

CShapeMakerDlg::CShapeMakerDlg(CShapeController& shape)
    : CDialog(IDD_SHAPE_MAKER), m_shape(shape), m_drawing(shape)
{
}

CShapeMakerDlg::~CShapeMakerDlg()
{
    DestroyWindow();
}

bool CShapeMakerDlg::CreateHidden()
{
    // The host may not have registered the slider's class.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    return Create();
}

void CShapeMakerDlg::OnOutlineReplaced()
{
    if (m_drawing.GetSafeHwnd())
        m_drawing.OnOutlineReplaced();
}

BOOL CShapeMakerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_icon = LoadIconW(CurrentModule(), MAKEINTRESOURCEW(IDI_SHAPE_MAKER));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    m_drawing.SubclassDlgItem(IDC_SHAPE_DRAWING, GetSafeHwnd());

    const RECT client = GetClientRect();
    const RECT drawing = m_drawing.GetRectInParent();
    m_aspect = client.bottom > 0 ? static_cast<double>(client.right) / client.bottom : 1.0;
    m_margins = {client.right - (drawing.right - drawing.left), client.bottom - (drawing.bottom - drawing.top)};
    HWND slider = GetItem(IDC_SHAPE_ZOOM);
    RECT sliderRect{};
    GetWindowRect(slider, &sliderRect);
    MapWindowPoints(nullptr, GetSafeHwnd(), reinterpret_cast<POINT*>(&sliderRect), 2);
    m_sliderLeft = sliderRect.left;
    m_sliderFromBottom = client.bottom - sliderRect.top;
    ::SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 10));
    ::SendMessageW(slider, TBM_SETPOS, TRUE, 1);
    return TRUE;
}

bool CShapeMakerDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_HSCROLL:
        // Every way of moving the thumb zooms, not only dragging it.
        if (reinterpret_cast<HWND>(lParam) == GetItem(IDC_SHAPE_ZOOM)) {
            m_drawing.SetZoom(static_cast<double>(::SendMessageW(GetItem(IDC_SHAPE_ZOOM), TBM_GETPOS, 0, 0)));
            result = 0;
            return true;
        }
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            Layout(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SIZING:
        KeepAspect(wParam, *reinterpret_cast<RECT*>(lParam));
        result = TRUE;
        return true;
    case WM_PAINT:
        if (PaintIconWhileMinimised(m_icon)) {
            result = 0;
            return true;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_SHAPE_LOAD) {
            LoadFile();
            result = 0;
            return true;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_SHAPE_SAVE) {
            SaveFile();
            result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}

void CShapeMakerDlg::Layout(int width, int height)
{
    if (!m_drawing.GetSafeHwnd())
        return;
    const RECT drawing = m_drawing.GetRectInParent();
    SetWindowPos(m_drawing.GetSafeHwnd(), nullptr, drawing.left, drawing.top, width - m_margins.cx,
                 height - m_margins.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetItem(IDC_SHAPE_ZOOM), nullptr, m_sliderLeft, height - m_sliderFromBottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CShapeMakerDlg::KeepAspect(WPARAM edge, RECT& window) const
{
    RECT current{}, client = GetClientRect();
    GetWindowRect(GetSafeHwnd(), &current);
    const int frameWidth = (current.right - current.left) - client.right;
    const int frameHeight = (current.bottom - current.top) - client.bottom;
    int width = (window.right - window.left) - frameWidth;
    int height = (window.bottom - window.top) - frameHeight;
    if (std::abs(height - client.bottom) < std::abs(width - client.right))
        height = static_cast<int>(std::lround(width / m_aspect));
    else
        width = static_cast<int>(std::lround(height * m_aspect));
    if (IsTopEdge(edge))
        window.top = window.bottom - (height + frameHeight);
    else
        window.bottom = window.top + height + frameHeight;
    if (IsLeftEdge(edge))
        window.left = window.right - (width + frameWidth);
    else
        window.right = window.left + width + frameWidth;
}

void CShapeMakerDlg::LoadFile()
{
    FileDialogRequest request;
    request.filter = kFilter;
    request.defaultExtension = kExtension;
    const std::optional<std::wstring> path = ShowFileDialog(GetSafeHwnd(), request);
    if (!path)
        return;
    const ScopedComApartment com;   // the file is read with the SAX reader
    if (m_shape.Load(path->c_str()))
        m_drawing.OnOutlineReplaced();
}

void CShapeMakerDlg::SaveFile()
{
    FileDialogRequest request;
    request.save = true;
    request.filter = kFilter;
    request.defaultExtension = kExtension;
    request.title = L"Shape Maker File";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const std::optional<std::wstring> path = ShowFileDialog(GetSafeHwnd(), request);
    if (path)
        m_shape.Save(path->c_str());
}
