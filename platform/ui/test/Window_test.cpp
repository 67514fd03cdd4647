#include "platform/ui/Window.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kThrow = WM_APP + 2;
const RECT kRect{10, 10, 210, 110};

class RecordingWnd : public CWnd {
public:
    std::vector<UINT> messages;
    std::vector<UINT> reflected;
    bool handleReflected = false;
    LRESULT reflectedResult = 0;
    bool destroyedSeen = false;

    bool Saw(UINT msg) const { return std::count(messages.begin(), messages.end(), msg) > 0; }

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        messages.push_back(msg);
        if (msg == kPing) {
            result = 42;
            return true;
        }
        if (msg == kThrow) throw std::runtime_error("handler failed");
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
    bool OnReflectedMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override
    {
        reflected.push_back(msg);
        if (!handleReflected) return false;
        result = reflectedResult;
        return true;
    }
    void PostNcDestroy() override { destroyedSeen = true; }
};

HWND CreatePlainStatic(const wchar_t* text)
{
    return ::CreateWindowExW(0, L"STATIC", text, WS_POPUP, 0, 0, 100, 50, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

TEST(Window, CreatedWindowBelongsToItsObjectAndGoesWithIt)
{
    HWND hwnd = nullptr;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, L"STATIC", L"owned", WS_POPUP, kRect, nullptr, 0));
        hwnd = wnd.GetSafeHwnd();
        EXPECT_EQ(CWnd::FromHandle(hwnd), &wnd);
        EXPECT_EQ(::SendMessageW(hwnd, kPing, 0, 0), 42);
        EXPECT_EQ(wnd.GetWindowText(), L"owned");
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(Window, SubclassedWindowIsGivenBackIntact)
{
    HWND hwnd = CreatePlainStatic(L"foreign");
    ASSERT_NE(hwnd, nullptr);
    const LONG_PTR originalProc = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    {
        RecordingWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hwnd));
        RecordingWnd second;
        EXPECT_FALSE(second.SubclassWindow(hwnd)) << "one object per window";
        EXPECT_EQ(::SendMessageW(hwnd, kPing, 0, 0), 42);
        EXPECT_EQ(wnd.GetWindowText(), L"foreign") << "unhandled messages reach the control";
        EXPECT_TRUE(wnd.Saw(WM_GETTEXT));
    }
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), originalProc);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
    EXPECT_EQ(::SendMessageW(hwnd, kPing, 0, 0), 0);
    ::DestroyWindow(hwnd);
}

constexpr UINT kHostPing = WM_APP + 3;
int g_hostPings = 0;
WNDPROC g_foreignPrevious = nullptr;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kHostPing) return ++g_hostPings;
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(g_foreignPrevious, hwnd, msg, wParam, lParam);
}

TEST(Window, SubclassBelowAForeignOneKeepsTheChainAfterItsObjectGoes)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &HostProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"WindowTestHost";
    ::RegisterClassW(&windowClass);
    HWND hwnd = ::CreateWindowExW(0, L"WindowTestHost", L"host", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    g_hostPings = 0;
    {
        RecordingWnd first;
        ASSERT_TRUE(first.SubclassWindow(hwnd));
        g_foreignPrevious = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    }
    EXPECT_EQ(::SendMessageW(hwnd, kHostPing, 0, 0), 1) << "the host's procedure still answers";
    {
        RecordingWnd second;
        ASSERT_TRUE(second.SubclassWindow(hwnd));
        EXPECT_EQ(::SendMessageW(hwnd, kHostPing, 0, 0), 2);
        EXPECT_EQ(std::count(second.messages.begin(), second.messages.end(), kHostPing), 1);
    }
    EXPECT_EQ(::SendMessageW(hwnd, kHostPing, 0, 0), 3);
    ::DestroyWindow(hwnd);
    ::UnregisterClassW(L"WindowTestHost", ::GetModuleHandleW(nullptr));
}

// Deletes itself when its window goes; kPing destroys the window from inside
// a handler and answers how many such objects are alive at that moment.
class SelfDeletingWnd : public CWnd {
public:
    static int live;
    SelfDeletingWnd() { ++live; }
    ~SelfDeletingWnd() override { --live; }

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == kPing) {
            ::DestroyWindow(GetSafeHwnd());
            result = live;
            return true;
        }
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
    void PostNcDestroy() override { DeleteWhenHandlersReturn(); }
};

int SelfDeletingWnd::live = 0;

TEST(Window, SelfDeletionWaitsForTheHandlersOnTheStack)
{
    auto* wnd = new SelfDeletingWnd;
    ASSERT_TRUE(wnd->CreateEx(0, L"STATIC", L"x", WS_POPUP, kRect, nullptr, 0));
    EXPECT_EQ(::SendMessageW(wnd->GetSafeHwnd(), kPing, 0, 0), 1) << "alive until its handler returned";
    EXPECT_EQ(SelfDeletingWnd::live, 0);

    auto* elsewhere = new SelfDeletingWnd;
    ASSERT_TRUE(elsewhere->CreateEx(0, L"STATIC", L"x", WS_POPUP, kRect, nullptr, 0));
    ::DestroyWindow(elsewhere->GetSafeHwnd());
    EXPECT_EQ(SelfDeletingWnd::live, 0) << "destroyed from outside: deleted at once";
}

TEST(Window, WindowDestroyedElsewhereDetachesItsObject)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(CreatePlainStatic(L"x")));
    ::DestroyWindow(wnd.GetSafeHwnd());
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(wnd.destroyedSeen);
    EXPECT_TRUE(wnd.Saw(WM_DESTROY));
}

TEST(Window, ExceptionInAHandlerStopsAtTheWindowProcedure)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"STATIC", L"x", WS_POPUP, kRect, nullptr, 0));
    EXPECT_EQ(::SendMessageW(wnd.GetSafeHwnd(), kThrow, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(wnd.GetSafeHwnd(), kPing, 0, 0), 42);
}

class ReflectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"parent", WS_POPUP, kRect, nullptr, 0));
        ASSERT_TRUE(child.CreateEx(0, L"BUTTON", L"child", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                   RECT{0, 0, 80, 24}, parent.GetSafeHwnd(), 7));
    }
    RecordingWnd parent;
    RecordingWnd child;
};

TEST_F(ReflectionTest, ChildHandlesItsOwnNotificationsAndColours)
{
    child.handleReflected = true;
    child.reflectedResult = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));

    child.SendMessage(BM_CLICK);
    EXPECT_EQ(std::count(child.reflected.begin(), child.reflected.end(), UINT(WM_COMMAND)), 1);
    EXPECT_FALSE(parent.Saw(WM_COMMAND)) << "a handled reflection does not reach the parent";

    HDC dc = ::CreateCompatibleDC(nullptr);
    const LRESULT brush = parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                             reinterpret_cast<LPARAM>(child.GetSafeHwnd()));
    ::DeleteDC(dc);
    EXPECT_EQ(brush, child.reflectedResult);
}

TEST_F(ReflectionTest, UnhandledReflectionReachesTheParent)
{
    child.SendMessage(BM_CLICK);
    EXPECT_EQ(std::count(child.reflected.begin(), child.reflected.end(), UINT(WM_COMMAND)), 1);
    EXPECT_TRUE(parent.Saw(WM_COMMAND));
}

} // namespace
