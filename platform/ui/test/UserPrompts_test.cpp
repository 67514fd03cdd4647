#include "platform/ui/UserPrompts.h"

#include <gtest/gtest.h>

namespace {

TEST(UserPrompts, ReplacedHandlersAnswerAndScopesRestoreTheOuterOne)
{
    std::wstring seenText;
    UINT seenType = 0;
    ScopedMessageBoxHandler outer([&](HWND, const std::wstring& text, const std::wstring&, UINT type) {
        seenText = text;
        seenType = type;
        return IDYES;
    });
    {
        ScopedMessageBoxHandler inner([](HWND, const std::wstring&, const std::wstring&, UINT) { return IDNO; });
        EXPECT_EQ(ShowMessageBox(nullptr, L"inner"), IDNO);
    }
    EXPECT_EQ(ShowMessageBox(nullptr, L"Clear Script ?", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(seenText, L"Clear Script ?");
    EXPECT_EQ(seenType, static_cast<UINT>(MB_YESNOCANCEL));

    FileDialogRequest seen;
    ScopedFileDialogHandler files([&](HWND, const FileDialogRequest& request) -> std::optional<std::wstring> {
        seen = request;
        return std::nullopt;
    });
    FileDialogRequest request;
    request.save = true;
    request.filter = L"VBScript Files (*.vbs)|*.vbs||";
    EXPECT_FALSE(ShowFileDialog(nullptr, request).has_value());
    EXPECT_TRUE(seen.save);
    EXPECT_EQ(seen.filter, request.filter);
}

} // namespace
