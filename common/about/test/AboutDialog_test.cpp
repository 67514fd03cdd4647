#include "common/about/AboutDialog.h"

#include "common/about/AboutIds.h"
#include "common/about/VelmoraStatic.h"
#include "base/win/UniqueHandle.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

// What the About box showed; read by a timer while the box runs modally,
// which then closes it.
struct AboutCapture {
    bool found = false;
    std::wstring title, version, copyright, site, mail;
};
AboutCapture g_capture;
int g_ticks = 0;

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    ::GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

BOOL CALLBACK ReadAboutBox(HWND hwnd, LPARAM)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hwnd, className, 16);
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(hwnd) || !::GetDlgItem(hwnd, IDC_ABOUT_VERSION))
        return TRUE;
    wchar_t title[128] = {};
    ::GetWindowTextW(hwnd, title, 128);
    g_capture = {true, title, ItemText(hwnd, IDC_ABOUT_VERSION), ItemText(hwnd, IDC_ABOUT_COPYRIGHT),
                 ItemText(hwnd, IDC_ABOUT_SITE), ItemText(hwnd, IDC_ABOUT_MAIL)};
    ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    return FALSE;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), &ReadAboutBox, 0);
    if (g_capture.found || ++g_ticks > 100) {
        ::KillTimer(nullptr, timer);
        if (!g_capture.found) ::PostQuitMessage(1); // ends the modal loop
    }
}

AboutCapture ShowAndRead(const std::function<void()>& show)
{
    g_capture = {};
    g_ticks = 0;
    ::SetTimer(nullptr, 0, 50, &OnTick);
    show();
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    return g_capture;
}

TEST(AboutDialog, ShowsTheVersionOfTheModuleThatHoldsTheCode)
{
    UniqueModule dll(::LoadLibraryW(L"about_testdll.dll"));
    ASSERT_TRUE(dll);
    auto showInDll = reinterpret_cast<void (*)(HWND)>(::GetProcAddress(dll.Get(), "ShowModuleAboutBox"));
    ASSERT_NE(showInDll, nullptr);

    const AboutCapture fromDll = ShowAndRead([&] { showInDll(nullptr); });
    ASSERT_TRUE(fromDll.found);
    EXPECT_EQ(fromDll.version, L"Version: 1.1.0.9");
    EXPECT_EQ(fromDll.copyright, L"Copyright (C) 2026 Velmora");
    EXPECT_EQ(fromDll.title, L"About Velmora Test Module");

    const AboutCapture fromProgram = ShowAndRead([] { CAboutDialog(nullptr).DoModal(); });
    ASSERT_TRUE(fromProgram.found);
    EXPECT_EQ(fromProgram.version, L"Version: 2.0.0.1");
    EXPECT_EQ(fromProgram.title, L"About UI Test Program");
    EXPECT_EQ(fromProgram.site, L"www.velmora.com") << "captions stay; the URLs are in the tooltips";
    EXPECT_EQ(fromProgram.mail, L"info@velmora.com");

    const AboutCapture titled = ShowAndRead([] { CAboutDialog(nullptr, L"About Scrivane").DoModal(); });
    EXPECT_EQ(titled.title, L"About Scrivane");
}

TEST(AboutDialog, LogoStaticOpensTheAboutBoxWithAHandCursor)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 100}, nullptr, 0));
    HWND logo = ::CreateWindowExW(0, L"STATIC", L"logo", WS_CHILD | WS_VISIBLE, 10, 10, 170, 39, host.GetSafeHwnd(),
                                  reinterpret_cast<HMENU>(1006), nullptr, nullptr);
    CVelmoraStatic velmora;
    ASSERT_TRUE(velmora.SubclassWindow(logo));
    EXPECT_TRUE(velmora.GetStyle() & SS_NOTIFY) << "a plain static would let the click through";

    EXPECT_FALSE(::SendMessageW(logo, WM_SETCURSOR, reinterpret_cast<WPARAM>(logo), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    velmora.SetHandCursor();
    EXPECT_TRUE(::SendMessageW(logo, WM_SETCURSOR, reinterpret_cast<WPARAM>(logo), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));

    const AboutCapture shown = ShowAndRead([&] { ::SendMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, 0); });
    ASSERT_TRUE(shown.found);
    EXPECT_EQ(shown.version, L"Version: 2.0.0.1");
    EXPECT_TRUE(::IsWindowEnabled(host.GetSafeHwnd())) << "the owner is enabled again";
}

} // namespace
