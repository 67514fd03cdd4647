#pragma once
// CFrameWnd: a child window that holds one view filling its client area.
// The view is made from a creation context when the frame is made.

#include <functional>
#include <memory>

#include "platform/ui/Document.h"
#include "platform/ui/Window.h"

// The identifier of a frame's (or splitter's) first view window.
constexpr UINT kFirstPaneId = 0xE900;

struct CCreateContext {
    // Makes the view object; its window is made by the frame.
    std::function<std::unique_ptr<CView>()> newView;
    // The document the view is added to; may be null.
    CDocument* document = nullptr;
};

// The context's view with its window made as the child `id` of `parent`,
// then added to the context's document; null when either cannot be made.
std::unique_ptr<CView> CreateContextView(const CCreateContext& context, HWND parent, UINT id);

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // A child of `parent` covering `rect`, with its view. False (and no
    // window) when the frame or its view could not be made.
    bool Create(const wchar_t* windowName, DWORD style, const RECT& rect, HWND parent, const CCreateContext& context);
    // The view's first update, then the frame is shown when `visible`.
    void InitialUpdateFrame(bool visible);

    CView* GetActiveView() const { return m_view.get(); }

protected:
    // Makes the client view of the context; a frame with other panes
    // overrides it.
    virtual bool OnCreateClient(const CCreateContext& context);
    // Puts the view over the whole client area.
    virtual void RecalcLayout();
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::unique_ptr<CView> m_view;
};
