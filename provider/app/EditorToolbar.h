#pragma once
// The toolbar above the pages: New, Open, Save, Test and Setup in a rebar.

#include <windows.h>
#include <commctrl.h>

#include "common/win/UniqueHandle.h"
#include "platform/ui/Window.h"

class CEditorToolbar : public CWnd {
public:
    CEditorToolbar() = default;

    // Makes the rebar and the toolbar at the top of `dialog`; the buttons'
    // commands go to the dialog.
    bool Create(HWND dialog);
    HWND Rebar() const { return m_rebar; }

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static UniqueImageList LoadImages(UINT bitmapId);

    HWND m_rebar = nullptr;  // a child of the dialog: destroyed with it
    UniqueImageList m_disabled;
    UniqueImageList m_hot;
    UniqueImageList m_normal;
};
