#pragma once
// The host's parameter panel: a top-level frame with a child panel window,
// the window a plug-in's parameter dialog is made in, and the host's window
// object for it. The panel erases its background itself and counts every
// erase that reaches it.

#include <windows.h>

#include "geometry/GeoHostInterface.h"

class CStandInHostPanel {
public:
    // `notice` is the text of a static child the host shows when the node
    // is not a plug-in object; null for none.
    explicit CStandInHostPanel(const wchar_t* notice = nullptr, int width = 460, int height = 900);
    ~CStandInHostPanel();
    CStandInHostPanel(const CStandInHostPanel&) = delete;
    CStandInHostPanel& operator=(const CStandInHostPanel&) = delete;

    bool IsCreated() const { return m_panel != nullptr; }
    HWND Frame() const { return m_frame; }
    HWND Panel() const { return m_panel; }
    HWND Notice() const { return m_notice; }
    GeoHostWindow* WindowObject() { return &m_object; }

    // WM_ERASEBKGND messages that reached the panel's own procedure.
    int Erases() const { return m_erases; }
    // What the host does when it closes its panel: the frame and every
    // window in it go.
    void Destroy();

private:
    static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_frame = nullptr;
    HWND m_panel = nullptr;
    HWND m_notice = nullptr;
    GeoHostWindow m_object{};
    int m_erases = 0;
};
