#include "platform/ui/DataExchange.h"

#include "base/win/UniqueHandle.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UserPrompts.h"
#include "TestDialogIds.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class FormDialog : public CDialog {
public:
    explicit FormDialog(HWND parent) : CDialog(IDD_TEST_FORM, parent) {}
};

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.Create()); }

    HWND Dialog() const { return form.GetSafeHwnd(); }
    HWND List() const { return form.GetItem(IDC_TEST_LIST); }
    void AddItems(std::initializer_list<const wchar_t*> items)
    {
        for (const wchar_t* item : items)
            ::SendMessageW(List(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }

    UniqueWindow parent{::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr)};
    FormDialog form{parent.Get()};
};

TEST_F(DataExchangeTest, AnIntegerIsReadOnlyFromAnIntegerTextAndAnyOtherTextIsReported)
{
    struct Case {
        const wchar_t* text;
        bool read;
        int value;  // after the call, starting from 42
        bool message;
    };
    const Case cases[] = {
        {L"25", true, 25, false},
        {L" -7\t", true, -7, false},
        {L"+3", true, 3, false},
        {L"2147483647", true, 2147483647, false},
        {L"-2147483648", true, -2147483647 - 1, false},
        {L"", false, 42, false},   // an emptied edit is no error
        {L"-", false, 42, false},  // nor a sign before its digits
        {L"2x", false, 42, true},
        {L"1 2", false, 42, true},
        {L"0x10", false, 42, true},
        {L"2147483648", false, 42, true},
        {L"99999999999999999999", false, 42, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << std::string(c.text, c.text + wcslen(c.text)) << "\"");
        std::vector<std::wstring> messages;
        ScopedMessageBoxHandler handler([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        SetControlText(Dialog(), IDC_TEST_NUMBER, c.text);
        int value = 42;
        EXPECT_EQ(c.read, GetControlInt(Dialog(), IDC_TEST_NUMBER, value));
        EXPECT_EQ(c.value, value);
        EXPECT_EQ(c.message ? std::vector<std::wstring>{L"Please enter an integer."} : std::vector<std::wstring>{},
                  messages);
    }
    SetControlInt(Dialog(), IDC_TEST_NUMBER, -12);
    EXPECT_EQ(L"-12", GetControlText(Dialog(), IDC_TEST_NUMBER));
}

TEST_F(DataExchangeTest, ListItemsAreFoundAndSelectedByTheirExactText)
{
    AddItems({L"<Not Selected>", L"Pie 2", L"Pie"});
    EXPECT_EQ(-1, FindComboItem(List(), L"pie")) << "case counts";
    EXPECT_EQ(-1, FindComboItem(List(), L"Pie 2 ")) << "no prefix match";
    EXPECT_EQ(L"Pie", GetComboItem(List(), FindComboItem(List(), L"Pie")));

    // A missing name is added once and then selected, not its near namesake.
    const int added = AddComboItemIfMissing(List(), L"pie");
    ASSERT_GE(added, 0);
    EXPECT_EQ(added, AddComboItemIfMissing(List(), L"pie"));
    EXPECT_EQ(4, ::SendMessageW(List(), CB_GETCOUNT, 0, 0));
    EXPECT_TRUE(SelectComboItem(List(), L"pie"));
    EXPECT_EQ(L"pie", GetComboSelection(List()));
    EXPECT_TRUE(SelectComboItem(List(), L"Pie"));
    EXPECT_EQ(L"Pie", GetComboSelection(List()));

    // An empty name matches no item (the list's own search takes the first).
    EXPECT_FALSE(SelectComboItem(List(), L""));
    EXPECT_EQ(L"", GetComboSelection(List()));
    EXPECT_EQ(L"", GetComboItem(List(), 99));
}

TEST(LoadingGuard, HoldsForItsScopeAndGivesBackTheOuterState)
{
    bool loading = false;
    {
        CLoadingGuard outer(loading);
        {
            CLoadingGuard inner(loading);
        }
        EXPECT_TRUE(loading) << "an inner load does not end the outer one";
    }
    EXPECT_FALSE(loading);
}

}  // namespace
