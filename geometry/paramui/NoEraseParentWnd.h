#pragma once
// Subclasses the host's parameter panel so that it does not erase its
// background while the plug-in writes parameters: the host repaints on each
// write, and dragging a slider would flicker.

#include "platform/ui/Window.h"

class CNoEraseParentWnd : public CWnd {
protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
