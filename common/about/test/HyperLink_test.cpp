#include "common/about/HyperLink.h"

#include "LinkTestSupport.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UserPrompts.h"

#include "testing/uitest/PumpUntil.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <functional>
#include <vector>

namespace {

constexpr int kLinkId = 209;

// Keeps the notifications its children send it.
class CRecordingParent : public CWnd {
public:
    std::vector<NMHDR> notifications;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_NOTIFY) notifications.push_back(*reinterpret_cast<const NMHDR*>(lParam));
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
};

class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, RECT{300, 300, 700, 500}, nullptr, 0));
        ::SetCursorPos(5, 5); // well away from the link
    }
    void MakeLink(const wchar_t* caption, DWORD style = SS_CENTER)
    {
        HWND hwnd = ::CreateWindowExW(0, L"STATIC", caption, WS_CHILD | WS_VISIBLE | style, 20, 20, 300, 20,
                                      parent.GetSafeHwnd(), reinterpret_cast<HMENU>(kLinkId), nullptr, nullptr);
        ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        ASSERT_TRUE(link.SubclassWindow(hwnd));
    }
    COLORREF TextColour()
    {
        HDC dc = ::CreateCompatibleDC(nullptr);
        const LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(link.GetSafeHwnd()));
        const COLORREF colour = ::GetTextColor(dc);
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)));
        EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
        ::DeleteDC(dc);
        return colour;
    }
    void Click()
    {
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(kLinkId, STN_CLICKED), reinterpret_cast<LPARAM>(link.GetSafeHwnd()));
    }

    CRecordingParent parent;
    CHyperLink link;
};

TEST_F(HyperLinkTest, EmptyCaptionShowsTheUrlAndTheWindowFitsTheText)
{
    link.SetURL(L"http://www.velmora.com/");
    MakeLink(L"");
    EXPECT_EQ(link.GetWindowText(), L"http://www.velmora.com/");
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);

    SIZE extent{};
    {
        WindowDC dc(link.GetSafeHwnd());
        SelectedObject font(dc.Get(), link.UnderlinedFont());
        ::GetTextExtentPoint32W(dc.Get(), L"http://www.velmora.com/", 23, &extent);
    }
    const RECT rect = link.GetRectInParent();
    EXPECT_EQ(rect.right - rect.left, extent.cx);
    EXPECT_EQ(rect.left, 20 + (300 - extent.cx) / 2) << "a centred static shrinks at both sides";
    EXPECT_EQ(rect.top, 20);
}

TEST_F(HyperLinkTest, TooltipShowsTheUrl)
{
    MakeLink(L"info@velmora.com");
    link.SetURL(L"mailto:info@velmora.com");
    ASSERT_NE(link.Tooltip(), nullptr);
    EXPECT_EQ(::SendMessageW(link.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = link.GetSafeHwnd();
    tool.uId = 1;
    tool.lpszText = text;
    ::SendMessageW(link.Tooltip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"mailto:info@velmora.com");
    EXPECT_EQ(link.GetWindowText(), L"info@velmora.com") << "the caption stays";
}

TEST_F(HyperLinkTest, CaptionBecomesTheUrlWhenNoneWasGiven)
{
    MakeLink(L"www.velmora.com", SS_LEFT);
    EXPECT_EQ(link.GetURL(), L"www.velmora.com");
    EXPECT_EQ(link.GetRectInParent().left, 20);
}

TEST_F(HyperLinkTest, HoverUnderlinesUntilTheMouseLeaves)
{
    const struct {
        int mode;
        bool underlinedAfterLeaving;
    } cases[] = {{-1, false}, {1, true}, {0, false}};
    for (const auto& c : cases) {
        MakeLink(L"www.velmora.com");
        link.SetUnderline(c.mode);
        EXPECT_EQ(TextColour(), CHyperLink::kLinkColour);

        link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(link.IsOver());
        EXPECT_EQ(TextColour(), CHyperLink::kHoverColour);
        EXPECT_EQ(link.GetFont() == link.UnderlinedFont(), c.mode != 0) << c.mode;

        ASSERT_TRUE(PumpUntil([&] { return !link.IsOver(); })) << "the hover timer notices the mouse is away";
        EXPECT_EQ(link.GetFont() == link.UnderlinedFont(), c.underlinedAfterLeaving) << c.mode;
        EXPECT_EQ(TextColour(), CHyperLink::kLinkColour);
        ::DestroyWindow(link.GetSafeHwnd());
    }
}

TEST_F(HyperLinkTest, ClickOpensTheLinkOrShowsWhyNot)
{
    const struct {
        INT_PTR shellResult;
        const wchar_t* htmCommand;
        bool visited;
        const wchar_t* message; // null: none
    } cases[] = {
        {42, nullptr, true, nullptr},
        {2, L"C:\\b.exe \"%1\"", true, nullptr},
        {26, nullptr, false, L"A sharing violation occurred. "},
        {4, nullptr, false, L"Unknown Error (4) occurred."},
    };
    for (const auto& c : cases) {
        link.SetURL(L"http://www.velmora.com/");
        MakeLink(L"www.velmora.com");
        std::string ran;
        ScopedLinkOpeners fake(FakeOpeners(c.shellResult, c.htmCommand, &ran));
        std::vector<std::wstring> messages;
        UINT type = 0;
        ScopedMessageBoxHandler boxes([&](HWND, const std::wstring& text, const std::wstring&, UINT t) {
            messages.push_back(text);
            type = t;
            return IDOK;
        });
        Click();
        EXPECT_EQ(link.IsVisited(), c.visited) << c.shellResult;
        if (c.message) {
            EXPECT_EQ(messages, std::vector<std::wstring>{c.message});
            EXPECT_TRUE(type & MB_ICONEXCLAMATION);
        } else {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(TextColour(), CHyperLink::kVisitedColour);
        }
        EXPECT_EQ(ran, c.htmCommand ? "C:\\b.exe  http://www.velmora.com/" : "");
        ::DestroyWindow(link.GetSafeHwnd());
        link.SetVisited(false);
    }
}

TEST_F(HyperLinkTest, InNotifyModeAClickTellsTheParentAndOpensNothing)
{
    link.SetURL(L"http://www.velmora.com/");
    link.SetNotifyParent(true);
    MakeLink(L"www.velmora.com");
    int opens = 0;
    LinkOpeners openers = FakeOpeners(42, nullptr, nullptr);
    openers.shellOpen = [&opens](const std::wstring&, int) { return static_cast<INT_PTR>(++opens + 32); };
    ScopedLinkOpeners fake(openers);
    Click();
    EXPECT_EQ(opens, 0);
    EXPECT_FALSE(link.IsVisited());
    ASSERT_EQ(parent.notifications.size(), 1u);
    EXPECT_EQ(parent.notifications[0].hwndFrom, link.GetSafeHwnd());
    EXPECT_EQ(parent.notifications[0].idFrom, static_cast<UINT_PTR>(kLinkId));
    EXPECT_EQ(static_cast<int>(parent.notifications[0].code), -1199);

    link.SetNotifyParent(false);
    Click();
    EXPECT_EQ(opens, 1) << "out of notify mode the link opens again";
    EXPECT_EQ(parent.notifications.size(), 1u);
}

} // namespace
