// Milliseconds per line on a visible log page at the 200,000-character
// limit: a burst of 1000 lines posted at once beside lines posted one at a
// time (each shown before the next), and the same burst on a hidden page.
#include "common/logwindow/LogDialog.h"
#include "common/logwindow/LogDialogIds.h"
#include "common/logwindow/LogLine.h"
#include "common/logwindow/LogText.h"
#include "base/win/UniqueHandle.h"
#include "platform/ui/MessageLoop.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kBurstLines = 1000;
constexpr int kSingleLines = 50;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring Line(int i)
{
    return L"12/10/26 11:27:48.152 - Server listening on port 5011 (" + std::to_wstring(i) + L")";
}

std::wstring PageAtTheLimit()
{
    std::wstring full;
    while (full.size() < kMaxLogCharacters) full += L"12/10/26 11:27:48.152 - a line of the log that fills the page\r\n";
    full.resize(kMaxLogCharacters);
    return full;
}

// Posts `lines` lines in bursts of `burst`, handling what waits after each
// burst; milliseconds a line.
double PerLine(CLogDialog& page, int lines, int burst)
{
    ::SetWindowTextW(page.GetItem(IDC_LOG_EDIT), PageAtTheLimit().c_str());
    PumpWaitingMessages();
    LARGE_INTEGER begin, end;
    ::QueryPerformanceCounter(&begin);
    for (int i = 0; i < lines;) {
        for (int j = 0; j < burst && i < lines; ++j, ++i) PostLogText(page.GetSafeHwnd(), Line(i));
        PumpWaitingMessages();
    }
    ::QueryPerformanceCounter(&end);
    return Milliseconds(begin, end) / lines;
}

} // namespace

int main()
{
    UniqueWindow parent(::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                                          nullptr, nullptr, nullptr));
    CLogDialog page(parent.Get());
    ::ShowWindow(page.GetSafeHwnd(), SW_SHOW);
    ::MoveWindow(page.GetSafeHwnd(), 0, 0, 600, 400, TRUE);

    const double single = PerLine(page, kSingleLines, 1);
    const double burst = PerLine(page, kBurstLines, kBurstLines);
    ::ShowWindow(page.GetSafeHwnd(), SW_HIDE);
    const double hidden = PerLine(page, kBurstLines, kBurstLines);

    std::printf("log page at the limit, one line at a time %8.3f ms a line\n", single);
    std::printf("log page at the limit, burst of %d      %8.3f ms a line (%.2fx a single line)\n", kBurstLines,
                burst, single > 0 ? burst / single : 0);
    std::printf("the same burst, page hidden             %8.3f ms a line\n", hidden);
    return 0;
}
