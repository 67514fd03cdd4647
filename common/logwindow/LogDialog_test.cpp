#include "common/logwindow/LogDialog.h"

#include "common/logwindow/LogDialogIds.h"
#include "common/logwindow/LogLine.h"
#include "common/logwindow/LogText.h"
#include "common/text/TextConversion.h"
#include "LogTestSupport.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UserPrompts.h"

#include "testing/uitest/PumpUntil.h"

#include <gtest/gtest.h>
#include <commdlg.h>
#include <fstream>
#include <iterator>
#include <functional>
#include <thread>

namespace {

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class LogDialogTest : public ::testing::Test {
protected:
    LogDialogTest()
        : parent(::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr)),
          page(parent.Get())
    {
    }
    void SetUp() override
    {
        ASSERT_NE(page.GetSafeHwnd(), nullptr);
        ::ShowWindow(page.GetSafeHwnd(), SW_SHOW);
    }

    HWND Edit() const { return page.GetItem(IDC_LOG_EDIT); }
    std::wstring Text() const
    {
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(Edit())) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(Edit(), &text[0], static_cast<int>(text.size()))));
        return text;
    }
    // Posts the line and waits until the page has shown it.
    void Log(const std::wstring& line)
    {
        ASSERT_TRUE(PostLogText(page.GetSafeHwnd(), line));
        PumpWaitingMessages();
    }
    void Click(int id) { ::SendMessageW(page.GetItem(id), BM_CLICK, 0, 0); }

    UniqueWindow parent;
    CLogDialog page;
};

TEST_F(LogDialogTest, LinesAreJoinedByLineBreaksAndClearStartsAfresh)
{
    EXPECT_EQ(GetLogTargetWindow(), page.GetSafeHwnd());
    Log(L"first");
    EXPECT_EQ(Text(), L"first") << "no leading line break";
    Log(L"second \u00fc");
    EXPECT_EQ(Text(), L"first\r\nsecond \u00fc");
    Click(IDC_LOG_CLEAR);
    EXPECT_EQ(Text(), L"");
    Log(L"third");
    EXPECT_EQ(Text(), L"third");
}

TEST_F(LogDialogTest, LinesPostedFromAWorkerThreadArriveInOrder)
{
    constexpr int kLines = 200;
    std::wstring expected;
    for (int i = 0; i < kLines; ++i) expected += (i ? L"\r\n" : L"") + std::wstring(L"line ") + std::to_wstring(i);

    std::thread worker([] {
        for (int i = 0; i < kLines; ++i) PostToLogTarget(L"line " + std::to_wstring(i));
    });
    worker.join();
    ASSERT_TRUE(PumpUntil([&] { return Text().size() >= expected.size(); }));
    EXPECT_EQ(Text(), expected);
}

TEST_F(LogDialogTest, PastTheLimitWholeOldestLinesAreDropped)
{
    std::wstring start;
    for (int i = 0; start.size() < 199990; ++i) start += L"line " + std::to_wstring(i) + L" of the log\r\n";
    start.resize(199990);
    ::SetWindowTextW(Edit(), start.c_str());

    std::wstring expected = start;
    for (const std::wstring& line : {std::wstring(20, L'n'), std::wstring(L"x"), std::wstring(300, L'y')}) {
        expected = RewrittenLog(expected, line, kMaxLogCharacters);
        Log(line);
    }
    EXPECT_LE(Text().size(), kMaxLogCharacters);
    EXPECT_EQ(Text(), expected);
}

TEST_F(LogDialogTest, ALineFromAnotherModuleIsShownAndFreedHere)
{
    UniqueModule sender(::LoadLibraryW(L"log_sender_testdll.dll"));
    ASSERT_TRUE(sender);
    auto post = reinterpret_cast<BOOL (*)(HWND, const wchar_t*)>(::GetProcAddress(sender.Get(), "PostLineFromModule"));
    ASSERT_NE(post, nullptr);
    ASSERT_TRUE(post(page.GetSafeHwnd(), L"from the DLL"));
    PumpWaitingMessages();
    EXPECT_EQ(Text(), L"from the DLL");
    EXPECT_TRUE(::HeapValidate(::GetProcessHeap(), 0, nullptr)) << "freed on the heap it came from";
}

TEST_F(LogDialogTest, ASingleLineLongerThanTheLimitStaysWhole)
{
    const std::wstring line(250000, L'w');
    Log(line);
    EXPECT_EQ(Text(), line);
}

TEST_F(LogDialogTest, EnterAndEscapeDoNotEndThePage)
{
    Log(L"kept");
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        ::SetFocus(Edit());
        ::PostMessageW(Edit(), WM_KEYDOWN, key, 0);
        PumpWaitingMessages();
    }
    EXPECT_TRUE(::IsWindowVisible(page.GetSafeHwnd()));
    EXPECT_EQ(Text(), L"kept");
}

TEST_F(LogDialogTest, ResizingKeepsTheMarginsAndButtonDistances)
{
    auto rectOf = [&](int id) {
        RECT r{};
        ::GetWindowRect(page.GetItem(id), &r);
        ::MapWindowPoints(nullptr, page.GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT client = page.GetClientRect();
    const RECT edit = rectOf(IDC_LOG_EDIT);
    const RECT save = rectOf(IDC_LOG_SAVE);
    const int margin = client.bottom - (edit.bottom - edit.top);

    ::SetWindowPos(page.GetSafeHwnd(), nullptr, 0, 0, 480, 390, SWP_NOZORDER | SWP_NOMOVE);
    const RECT grown = page.GetClientRect();
    const RECT newEdit = rectOf(IDC_LOG_EDIT);
    const RECT newSave = rectOf(IDC_LOG_SAVE);
    EXPECT_EQ(newEdit.left, 3);
    EXPECT_EQ(newEdit.top, 3);
    EXPECT_EQ(newEdit.right - newEdit.left, grown.right - 6);
    EXPECT_EQ(newEdit.bottom - newEdit.top, grown.bottom - margin);
    EXPECT_EQ(newSave.left, save.left);
    EXPECT_EQ(grown.bottom - newSave.top, client.bottom - save.top);
    EXPECT_EQ(newSave.right - newSave.left, save.right - save.left);
}

TEST_F(LogDialogTest, SaveWritesTheTextInTheAnsiCodePage)
{
    const std::wstring path = TempPath(L"log_page_save.txt");
    ::DeleteFileW(path.c_str());
    Log(L"first");
    Log(L"gr\u00fc\u00df \u20ac \u4e16");

    FileDialogRequest asked;
    ScopedFileDialogHandler files([&](HWND, const FileDialogRequest& request) -> std::optional<std::wstring> {
        asked = request;
        return path;
    });
    int boxes = 0;
    ScopedMessageBoxHandler noBoxes([&](HWND, const std::wstring&, const std::wstring&, UINT) { return ++boxes, IDOK; });
    Click(IDC_LOG_SAVE);

    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_TRUE(asked.filter.empty());
    const std::wstring text = Text();
    EXPECT_EQ(ReadFileBytes(path), WideToNarrow(text, CP_ACP)) << "ANSI, no terminator in the file";
    EXPECT_EQ(ReadFileBytes(path).substr(0, 7), "first\r\n");
    EXPECT_EQ(boxes, 0);
    ::DeleteFileW(path.c_str());
}

TEST_F(LogDialogTest, SaveFailuresAndCancelling)
{
    const struct {
        std::optional<std::wstring> chosen;
        const wchar_t* message; // null: none
    } cases[] = {
        {std::nullopt, nullptr},
        {TempPath(L"no such folder\\log.txt"), L"Failure opening file"},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> messages;
        ScopedFileDialogHandler files([&](HWND, const FileDialogRequest&) { return c.chosen; });
        ScopedMessageBoxHandler boxes([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        Click(IDC_LOG_SAVE);
        EXPECT_EQ(messages, c.message ? std::vector<std::wstring>{c.message} : std::vector<std::wstring>{});
    }
}

TEST(LogLine, LinesToNoPageAreDroppedAndFreedBySender)
{
    HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    EXPECT_FALSE(PostLogText(gone, L"lost"));
    SetLogTargetWindow(nullptr);
    EXPECT_FALSE(PostToLogTarget(L"lost"));
    UniqueWindow parent(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr));
    {
        CLogDialog page(parent.Get());
        ASSERT_NE(page.GetSafeHwnd(), nullptr);
        EXPECT_EQ(GetLogTargetWindow(), page.GetSafeHwnd());
    }
    EXPECT_EQ(GetLogTargetWindow(), nullptr) << "a page that goes is no longer the target";
}

} // namespace
