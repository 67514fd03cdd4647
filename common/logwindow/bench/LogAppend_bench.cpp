// Milliseconds per appended line on a visible log page, on a short page and
// near the 200,000-character limit, against putting the whole text back.
#include "common/logwindow/LogDialog.h"
#include "common/logwindow/LogDialogIds.h"
#include "common/logwindow/LogLine.h"
#include "common/win/UniqueHandle.h"
#include "platform/ui/MessageLoop.h"

#include <cstdio>
#include <string>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Measure(const wchar_t* label, CLogDialog& page, const std::wstring& start, int lines)
{
    HWND edit = page.GetItem(IDC_LOG_EDIT);
    ::SetWindowTextW(edit, start.c_str());
    PumpWaitingMessages();
    LARGE_INTEGER begin, end;
    ::QueryPerformanceCounter(&begin);
    for (int i = 0; i < lines; ++i) {
        PostLogText(page.GetSafeHwnd(), L"12/10/26 11:27:48.152 - Server listening on port 5011 (" + std::to_wstring(i) + L")");
        PumpWaitingMessages();
    }
    ::QueryPerformanceCounter(&end);
    std::printf("%-34ls %8.2f ms per line\n", label, Milliseconds(begin, end) / lines);

    std::wstring text = start;
    ::QueryPerformanceCounter(&begin);
    for (int i = 0; i < lines; ++i) {
        text += L"\r\n12/10/26 11:27:48.152 - Server listening on port 5011";
        while (text.size() > 200000) text.erase(0, text.find(L"\r\n") + 2);
        ::SetWindowTextW(edit, text.c_str());
        ::SendMessageW(edit, EM_LINESCROLL, 0, ::SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
        PumpWaitingMessages();
    }
    ::QueryPerformanceCounter(&end);
    std::printf("%-34ls %8.2f ms per line (whole text put back)\n", label, Milliseconds(begin, end) / lines);
}

} // namespace

int main()
{
    UniqueWindow parent(::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                                          nullptr, nullptr, nullptr));
    CLogDialog page(parent.Get());
    ::ShowWindow(page.GetSafeHwnd(), SW_SHOW);
    ::MoveWindow(page.GetSafeHwnd(), 0, 0, 600, 400, TRUE);

    std::wstring full;
    while (full.size() < 199990) full += L"12/10/26 11:27:48.152 - a line of the log that fills the page\r\n";
    full.resize(199990);
    Measure(L"short page", page, L"first line", 50);
    Measure(L"page near the limit", page, full, 20);
    return 0;
}
