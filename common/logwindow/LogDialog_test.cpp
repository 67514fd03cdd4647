#include "common/logwindow/LogDialog.h"

#include "common/logwindow/LogDialogIds.h"
#include "common/logwindow/LogLine.h"
#include "common/logwindow/LogText.h"
#include "base/text/TextConversion.h"
#include "common/logwindow/test/LogTestSupport.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UserPrompts.h"

#include "testing/uitest/PumpUntil.h"

#include <gtest/gtest.h>
#include <commdlg.h>
#include <fstream>
#include <iterator>
#include <functional>
#include <thread>
#include <vector>

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

// Counts the edit control's EM_REPLACESEL while installed.
class ReplaceCounter {
public:
    explicit ReplaceCounter(HWND edit) : m_edit(edit)
    {
        s_count = 0;
        s_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReplaceCounter::Proc)));
    }
    ~ReplaceCounter() { ::SetWindowLongPtrW(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_previous)); }
    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == EM_REPLACESEL) ++s_count;
        return ::CallWindowProcW(s_previous, hwnd, msg, wParam, lParam);
    }
    static inline WNDPROC s_previous = nullptr;
    static inline int s_count = 0;
    HWND m_edit;
};

std::wstring PageOfLines(size_t size)
{
    std::wstring text;
    for (int i = 0; text.size() < size; ++i) text += L"old line " + std::to_wstring(i) + L" of the log\r\n";
    text.resize(size);
    return text;
}

TEST_F(LogDialogTest, ABurstOfLinesShowsWhatTheLinesShowOneAtATime)
{
    const std::wstring longLine(kMaxLogCharacters + 10, L'L');
    std::vector<std::wstring> many;
    for (int i = 0; i < 100; ++i) many.push_back(L"12/10/26 11:27:48.152 - burst line " + std::to_wstring(i));
    const struct {
        const char* name;
        std::wstring start;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"empty page", L"", {L"a", L"b", L"c"}},
        {"empty lines first", L"", {L"", L"", L"x", L"", L"y"}},
        {"at the limit", PageOfLines(kMaxLogCharacters), {L"one", L"two", std::wstring(300, L'y')}},
        {"a burst past the limit", PageOfLines(kMaxLogCharacters), many},
        {"a burst longer than the limit", PageOfLines(1000),
         std::vector<std::wstring>(6, std::wstring(40000, L'z'))},
        {"a line longer than the limit inside", PageOfLines(kMaxLogCharacters - 5), {L"before", longLine, L"after"}},
        {"a line longer than the limit last", PageOfLines(kMaxLogCharacters), {L"before", longLine}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring expected = c.start;
        for (const std::wstring& line : c.lines) expected = RewrittenLog(expected, line, kMaxLogCharacters);

        ::SetWindowTextW(Edit(), c.start.c_str());
        for (const std::wstring& line : c.lines) Log(line);
        const std::wstring oneAtATime = Text();
        const LRESULT oneAtATimeTop = ::SendMessageW(Edit(), EM_GETFIRSTVISIBLELINE, 0, 0);

        ::SetWindowTextW(Edit(), c.start.c_str());
        ReplaceCounter replacements(Edit());
        for (const std::wstring& line : c.lines) ASSERT_TRUE(PostLogText(page.GetSafeHwnd(), line));
        PumpWaitingMessages();

        EXPECT_EQ(oneAtATime, expected);
        EXPECT_TRUE(Text() == expected) << "burst: " << Text().size() << " characters, expected " << expected.size();
        EXPECT_LE(replacements.Count(), 2) << "the burst is shown in one edit";
        EXPECT_EQ(::SendMessageW(Edit(), EM_GETFIRSTVISIBLELINE, 0, 0), oneAtATimeTop) << "scrolled to the end";
        EXPECT_TRUE(::IsWindowVisible(Edit()));
    }
}

TEST_F(LogDialogTest, TheDialogsOwnDefaultButtonMessageIsNoLogLine)
{
    // DM_SETDEFID shares WM_LOG_LINE's number; its wParam is a control id.
    ::SendMessageW(page.GetSafeHwnd(), DM_SETDEFID, IDC_LOG_SAVE, 0);
    EXPECT_EQ(LOWORD(::SendMessageW(page.GetSafeHwnd(), DM_GETDEFID, 0, 0)), IDC_LOG_SAVE);

    // Posted amid a burst, it still reaches the dialog.
    ASSERT_TRUE(PostLogText(page.GetSafeHwnd(), L"first"));
    ASSERT_TRUE(::PostMessageW(page.GetSafeHwnd(), DM_SETDEFID, IDC_LOG_CLEAR, 0));
    ASSERT_TRUE(PostLogText(page.GetSafeHwnd(), L"second"));
    PumpWaitingMessages();
    EXPECT_EQ(Text(), L"first\r\nsecond");
    EXPECT_EQ(LOWORD(::SendMessageW(page.GetSafeHwnd(), DM_GETDEFID, 0, 0)), IDC_LOG_CLEAR);
    EXPECT_TRUE(::HeapValidate(::GetProcessHeap(), 0, nullptr));
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
