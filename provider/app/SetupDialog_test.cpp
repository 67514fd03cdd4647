#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/UserPrompts.h"
#include "provider/test/ProviderTestSupport.h"
#include "provider/SetupIni.h"
#include "provider/app/ScrivaneResources.h"
#include "provider/app/SetupDialog.h"

namespace {

// The modal dialog's loop runs this thread's timers: each tick plays the
// next step against the open dialog.
std::vector<std::function<void(HWND)>>* g_steps = nullptr;
// A dialog whose steps are not all played within the bound is ended with
// kGaveUp: one that never shows fails its test instead of hanging it.
constexpr DWORD kStepsBoundMs = 10000;
constexpr INT_PTR kGaveUp = -2;
CSetupDialog* g_dialog = nullptr;
DWORD g_deadline = 0;

BOOL CALLBACK FindSetup(HWND window, LPARAM found)
{
    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    if (std::wstring(title) == L"Setup" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK PlayStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_dialog && static_cast<LONG>(GetTickCount() - g_deadline) > 0) {
        g_dialog->EndDialog(kGaveUp);
        return;
    }
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSetup, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !g_steps || g_steps->empty())
        return;
    const auto step = g_steps->front();
    g_steps->erase(g_steps->begin());
    step(dialog);
}

// Runs `dialog` modally while the timer plays `steps`; kGaveUp past the bound.
INT_PTR PlaySteps(CSetupDialog& dialog, std::vector<std::function<void(HWND)>>& steps)
{
    g_steps = &steps;
    g_dialog = &dialog;
    g_deadline = GetTickCount() + kStepsBoundMs;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PlayStep);
    const INT_PTR result = dialog.DoModal();
    KillTimer(nullptr, timer);
    g_steps = nullptr;
    g_dialog = nullptr;
    return result;
}

using SetupDialogTest = ProviderFixture;

TEST_F(SetupDialogTest, APortOutsideTheRangeIsRefusedWithAMessage)
{
    WriteSetup(L"ServerPort", 5011);
    std::vector<std::wstring> messages;
    ScopedMessageBoxHandler answer([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    std::vector<std::function<void(HWND)>> steps;
    for (const wchar_t* bad : {L"0", L"65536", L"-1", L"12ab", L""}) {
        steps.push_back([bad](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_SETUP_PORT, bad);
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
    }
    steps.push_back([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_SETUP_PORT, L"6022");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    CSetupDialog dialog(nullptr);
    EXPECT_EQ(5011, dialog.serverPort);
    EXPECT_EQ(IDOK, PlaySteps(dialog, steps));

    EXPECT_EQ(5u, messages.size());
    EXPECT_EQ(6022, GetSetupInt(kSetupSection, kServerPortKey, 0));
}

TEST_F(SetupDialogTest, CancelWritesNothing)
{
    WriteSetup(L"ServerPort", 5011);
    std::vector<std::function<void(HWND)>> steps{[](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_SETUP_PORT, L"6022");
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }};
    CSetupDialog dialog(nullptr);
    EXPECT_EQ(IDCANCEL, PlaySteps(dialog, steps));
    EXPECT_EQ(5011, GetSetupInt(kSetupSection, kServerPortKey, 0));
}

}  // namespace
