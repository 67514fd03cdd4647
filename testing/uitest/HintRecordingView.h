#pragma once
// A view without a window that records the update hints its document sends.

#include <vector>

#include "platform/ui/Document.h"

class HintRecordingView : public CView {
public:
    bool CreateView(HWND, UINT) override { return false; }
    HWND GetViewWindow() const override { return nullptr; }
    void OnUpdate(CView*, LPARAM hint, void*) override { hints.push_back(static_cast<int>(hint)); }
    std::vector<int> hints;
};
