#pragma once
// CEditorToolbar: a flat toolbar with text buttons in a rebar band at the
// top of a dialog. Its pictures are three bitmaps of the module (disabled,
// hot and normal images, 24 x 24 each, pure magenta see-through).

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "base/win/UniqueHandle.h"
#include "platform/ui/Window.h"

struct ToolbarButton {
    const wchar_t* text;  // null with command 0: a separator
    int command;
    int image;
};

struct ToolbarBitmaps {
    UINT disabled;
    UINT hot;
    UINT normal;
};

class CEditorToolbar : public CWnd {
public:
    CEditorToolbar() = default;

    // Makes the rebar and the toolbar at the top of `dialog`; the buttons'
    // commands go to the dialog.
    bool Create(HWND dialog, const std::vector<ToolbarButton>& buttons, const ToolbarBitmaps& bitmaps);
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
