#include "common/logwindow/LogDialog.h"

#include "common/logwindow/LogDialogIds.h"
#include "common/logwindow/LogLine.h"
#include "common/logwindow/LogText.h"
#include "base/text/TextConversion.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/UserPrompts.h"

#include <algorithm>
#include <commdlg.h>

namespace {

UniqueFont CreatePointFont(int points, const wchar_t* face, HWND hwnd)
{
    WindowDC dc(hwnd);
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(points, ::GetDeviceCaps(dc.Get(), LOGPIXELSY), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectW(&font));
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// The most posted lines taken into one edit (the size of a thread's queue),
// so a sender that keeps posting cannot hold the page in one edit forever.
constexpr int kMostLinesPerEdit = 10000;

// Wine's edit control brings its scroll bar and view up to date after every
// change while it is visible, even under WM_SETREDRAW (at the limit, about
// 140 ms a change); with WS_VISIBLE cleared for the time of the changes they
// cost a few ms, and one repaint afterwards shows the result.
class ScopedHiddenEdit {
public:
    explicit ScopedHiddenEdit(HWND edit)
        : m_edit(edit), m_wasVisible((::GetWindowLongW(edit, GWL_STYLE) & WS_VISIBLE) != 0)
    {
        if (m_wasVisible) ::SetWindowLongW(m_edit, GWL_STYLE, ::GetWindowLongW(m_edit, GWL_STYLE) & ~WS_VISIBLE);
    }
    ~ScopedHiddenEdit()
    {
        if (!m_wasVisible) return;
        ::SetWindowLongW(m_edit, GWL_STYLE, ::GetWindowLongW(m_edit, GWL_STYLE) | WS_VISIBLE);
        ::RedrawWindow(m_edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    ScopedHiddenEdit(const ScopedHiddenEdit&) = delete;
    ScopedHiddenEdit& operator=(const ScopedHiddenEdit&) = delete;

private:
    const HWND m_edit;
    const bool m_wasVisible;
};

} // namespace

CLogDialog::CLogDialog(HWND parent) : CDialog(IDD_LOG_PAGE, parent)
{
    KeepOpenOnEnterAndEscape();
    Create();
}

CLogDialog::~CLogDialog()
{
    DestroyWindow(); // while the font still exists and our WM_DESTROY handler runs
}

BOOL CLogDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_edit = GetItem(IDC_LOG_EDIT);
    m_font = CreatePointFont(10, L"Lucida Console", GetSafeHwnd());
    ::SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
    // Lines are added by replacing the selection, which obeys the limit.
    ::SendMessageW(m_edit, EM_SETLIMITTEXT, 0, 0);
    SetLogTargetWindow(GetSafeHwnd());

    const RECT client = GetClientRect();
    RECT edit{};
    ::GetWindowRect(m_edit, &edit);
    m_bottomMargin = (client.bottom - client.top) - (edit.bottom - edit.top);
    m_clear = PlaceOf(IDC_LOG_CLEAR, client.bottom);
    m_save = PlaceOf(IDC_LOG_SAVE, client.bottom);
    return TRUE;
}

CLogDialog::ButtonPlace CLogDialog::PlaceOf(int id, int clientHeight) const
{
    RECT rect{};
    ::GetWindowRect(GetItem(id), &rect);
    ::MapWindowPoints(nullptr, GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, clientHeight - rect.top};
}

bool CLogDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_LOG_LINE: {
        const UniqueLogText line = TakeLogText(wParam, lParam);
        if (!line) break; // DM_SETDEFID: the dialog's own
        if (m_edit) AppendWaitingLines(line.get());
        result = 0;
        return true;
    }
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        break; // and the default handling
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_LOG_CLEAR) {
            ::SetWindowTextW(m_edit, L"");
            return true;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_LOG_SAVE) {
            Save();
            return true;
        }
        break;
    case WM_DESTROY:
        if (GetLogTargetWindow() == GetSafeHwnd()) SetLogTargetWindow(nullptr);
        break;
    default:
        break;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}

// Edits the text in place (drop the oldest lines, add the new ones) instead
// of putting the whole text back: near the limit a rewrite costs a quarter
// of a second. The result is the text the lines would give one at a time.
void CLogDialog::AppendWaitingLines(const wchar_t* first)
{
    const size_t length = static_cast<size_t>(::GetWindowTextLengthW(m_edit));
    std::wstring addition;
    auto add = [&](const wchar_t* line) {
        if (length + addition.size() > 0) addition += L"\r\n";
        addition += line;
    };
    add(first);
    MSG msg;
    for (int taken = 1;
         taken < kMostLinesPerEdit && ::PeekMessageW(&msg, GetSafeHwnd(), WM_LOG_LINE, WM_LOG_LINE, PM_REMOVE);
         ++taken) {
        if (const UniqueLogText line = TakeLogText(msg.wParam, msg.lParam))
            add(line.get());
        else
            ::DispatchMessageW(&msg);
    }

    size_t remove = 0;
    if (length + addition.size() > kMaxLogCharacters) {
        LogAppendEdit edit = PlanLogAppend(EditText(), addition);
        remove = edit.removeFromStart;
        addition = std::move(edit.append);
    }
    const ScopedHiddenEdit hidden(m_edit);
    if (remove > 0) {
        ::SendMessageW(m_edit, EM_SETSEL, 0, static_cast<LPARAM>(remove));
        ::SendMessageW(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
    const int end = ::GetWindowTextLengthW(m_edit);
    ::SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    ::SendMessageW(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(addition.c_str()));
    ::SendMessageW(m_edit, EM_LINESCROLL, 0, ::SendMessageW(m_edit, EM_GETLINECOUNT, 0, 0));
}

void CLogDialog::Layout(int width, int height)
{
    if (!m_edit) return;
    ::MoveWindow(m_edit, 3, 3, width - 6, height - m_bottomMargin, TRUE);
    for (const auto& [id, place] : {std::pair<int, ButtonPlace>{IDC_LOG_CLEAR, m_clear}, {IDC_LOG_SAVE, m_save}})
        ::SetWindowPos(GetItem(id), nullptr, place.left, height - place.fromBottom, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring CLogDialog::EditText() const
{
    return WindowText(m_edit);
}

void CLogDialog::Save()
{
    FileDialogRequest request;
    request.save = true;
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const std::optional<std::wstring> path = ShowFileDialog(GetSafeHwnd(), request);
    if (!path) return;

    UniqueFile file(::CreateFileW(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) {
        ShowMessageBox(GetSafeHwnd(), L"Failure opening file");
        return;
    }
    // A short write would leave a file that looks saved but is not.
    if (!WriteAll(file.Get(), WideToNarrow(EditText(), CP_ACP))) ShowMessageBox(GetSafeHwnd(), L"Failure writing file");
}
