#pragma once
// CHyperLink: a static control (a dialog's, subclassed) that shows a link,
// underlines it while the mouse is over it, shows its URL as a tooltip and
// opens it when clicked. Its parent must be a window of this layer, which
// reflects the static's colour and click messages to it.

#include "base/win/UniqueHandle.h"
#include "platform/ui/Window.h"

#include <string>

class CHyperLink : public CStatic {
public:
    static constexpr COLORREF kLinkColour = RGB(0, 0, 238);
    static constexpr COLORREF kVisitedColour = RGB(85, 26, 139);
    static constexpr COLORREF kHoverColour = RGB(255, 0, 0);
    static constexpr UINT_PTR kHoverTimer = 100;
    // The WM_NOTIFY code a link in notify mode sends its parent on a click.
    static constexpr UINT kClickedCode = static_cast<UINT>(-1199);

    ~CHyperLink() override;

    void SetURL(const std::wstring& url);
    const std::wstring& GetURL() const { return m_url; }
    void SetVisited(bool visited);
    bool IsVisited() const { return m_visited; }
    // 1 always underlined, 0 never, -1 while the mouse is over it.
    void SetUnderline(int mode);
    int GetUnderline() const { return m_underline; }
    void SetAutoSize(bool adjustToFit) { m_adjustToFit = adjustToFit; }
    // A click tells the parent (WM_NOTIFY, kClickedCode) instead of opening
    // the URL.
    void SetNotifyParent(bool notify) { m_notifyParent = notify; }
    bool IsOver() const { return m_over; }
    HFONT NormalFont() const { return m_normalFont.Get(); }
    HFONT UnderlinedFont() const { return m_underlinedFont.Get(); }
    HWND Tooltip() const { return m_tooltip.Get(); }

    bool PreTranslateMessage(MSG& msg) override;

protected:
    void OnSubclassed() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void MakeFonts();
    void FitToText();
    void LoadDefaultCursor();
    void CreateTooltip();
    void UpdateTooltipText();
    void OnMouseOver();
    void OnHoverTick();
    void OnClicked();
    COLORREF TextColour() const;

    COLORREF m_linkColour = kLinkColour;
    COLORREF m_visitedColour = kVisitedColour;
    COLORREF m_hoverColour = kHoverColour;
    bool m_over = false;
    bool m_visited = false;
    int m_underline = -1;
    bool m_adjustToFit = true;
    bool m_notifyParent = false;
    std::wstring m_url;
    HFONT m_originalFont = nullptr; // the static's own, not ours
    UniqueFont m_normalFont;
    UniqueFont m_underlinedFont;
    UniqueCursor m_linkCursor;
    UniqueWindow m_tooltip;
};
