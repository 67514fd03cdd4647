#include "platform/ui/Dialog.h"

#include "base/win/UniqueHandle.h"
#include "TestDialogIds.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr UINT kFinish = WM_APP + 10;
constexpr UINT kSwallowedKey = VK_F5;

// Records which objects of the window chain were offered a key message.
std::vector<const char*> g_preTranslateOrder;

class ChainEdit : public CWnd {
public:
    bool sawKeyDown = false;
    bool PreTranslateMessage(MSG& msg) override
    {
        if (msg.message == WM_KEYDOWN && msg.wParam == kSwallowedKey) g_preTranslateOrder.push_back("edit");
        return false;
    }

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_KEYDOWN && wParam == kSwallowedKey) sawKeyDown = true;
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
};

class TestDialog : public CDialog {
public:
    explicit TestDialog(HWND parent = nullptr, UINT templateId = IDD_TEST_DIALOG)
        : CDialog(templateId, parent)
    {
    }
    // Messages OnInitDialog posts: to a control, or to the dialog for id 0.
    struct Post {
        int control;
        UINT message;
        WPARAM wParam;
    };
    std::vector<Post> postAtInit;
    int initCount = 0;
    bool ownerEnabledDuringModal = true;
    ChainEdit edit;

    bool PreTranslateMessage(MSG& msg) override
    {
        if (msg.message == WM_KEYDOWN && msg.wParam == kSwallowedKey) {
            g_preTranslateOrder.push_back("dialog");
            return true;
        }
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    BOOL OnInitDialog() override
    {
        ++initCount;
        edit.SubclassDlgItem(IDC_TEST_EDIT, GetSafeHwnd());
        if (HWND owner = ::GetWindow(GetSafeHwnd(), GW_OWNER)) ownerEnabledDuringModal = ::IsWindowEnabled(owner);
        for (const Post& p : postAtInit) {
            if (p.message == WM_QUIT)
                ::PostQuitMessage(static_cast<int>(p.wParam));
            else
                ::PostMessageW(p.control ? GetItem(p.control) : GetSafeHwnd(), p.message, p.wParam, 0);
        }
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == kFinish) {
            EndDialog(static_cast<INT_PTR>(wParam));
            return true;
        }
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }
};

UniqueWindow CreateOwner()
{
    return UniqueWindow(::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                          nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

TEST(Dialog, ModelessDialogIsMadeFromTheTemplateAndHiddenByOk)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_NE(dialog.GetItem(IDC_TEST_EDIT), nullptr);
    EXPECT_EQ(dialog.edit.GetSafeHwnd(), dialog.GetItem(IDC_TEST_EDIT));
    ::ShowWindow(dialog.GetSafeHwnd(), SW_SHOW);

    ::SendMessageW(dialog.GetItem(IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindow(dialog.GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(dialog.GetSafeHwnd()));
}

TEST(Dialog, ModalLoopOffersMessagesToTheWindowChainInnermostFirst)
{
    UniqueWindow owner = CreateOwner();
    TestDialog dialog(owner.Get());
    dialog.postAtInit = {{IDC_TEST_EDIT, WM_KEYDOWN, kSwallowedKey}, {0, kFinish, 77}};
    g_preTranslateOrder.clear();
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_EQ(g_preTranslateOrder, (std::vector<const char*>{"edit", "dialog"}));
    EXPECT_FALSE(dialog.edit.sawKeyDown) << "a swallowed message is not dispatched";
    EXPECT_FALSE(dialog.ownerEnabledDuringModal);
    EXPECT_TRUE(::IsWindowEnabled(owner.Get()));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(Dialog, EscapeThroughTheDialogManagerCancels)
{
    TestDialog dialog;
    dialog.postAtInit = {{IDC_TEST_EDIT, WM_KEYDOWN, VK_ESCAPE}};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Dialog, QuitDuringAModalLoopEndsItAndIsKeptForTheOuterLoop)
{
    TestDialog dialog;
    dialog.postAtInit = {{0, WM_QUIT, 3}};
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(Dialog, MissingTemplateFailsAndLeavesTheOwnerEnabled)
{
    UniqueWindow owner = CreateOwner();
    TestDialog dialog(owner.Get(), 9999);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(::IsWindowEnabled(owner.Get()));
    TestDialog modeless(nullptr, 9999);
    EXPECT_FALSE(modeless.Create());
}

TEST(Dialog, TemplateComesFromTheModuleThatHoldsTheCode)
{
    TestDialog inProgram(nullptr, IDD_MODULE_ONLY_DIALOG);
    EXPECT_FALSE(inProgram.Create()) << "the program has no such template";

    UniqueModule dll(::LoadLibraryW(L"ui_module_testdll.dll"));
    ASSERT_TRUE(dll);
    using CreateFn = BOOL (*)();
    auto create = reinterpret_cast<CreateFn>(::GetProcAddress(dll.Get(), "CreateModuleOnlyDialog"));
    ASSERT_NE(create, nullptr);
    EXPECT_TRUE(create());
}

} // namespace
