#include "common/logwindow/test/LogPageStandIn.h"

#include "common/logwindow/LogLine.h"

namespace {

const wchar_t kClassName[] = L"LogPageStandIn";

}  // namespace

CLogPageStandIn::CLogPageStandIn()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    m_window.Reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   windowClass.hInstance, this));
    SetLogTargetWindow(m_window.Get());
}

CLogPageStandIn::~CLogPageStandIn()
{
    SetLogTargetWindow(nullptr);
    TakeLines();  // frees any copy still queued
}

std::vector<std::wstring> CLogPageStandIn::TakeLines()
{
    MSG message;
    while (m_window && PeekMessageW(&message, m_window.Get(), 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    std::vector<std::wstring> lines;
    lines.swap(m_lines);
    return lines;
}

LRESULT CALLBACK CLogPageStandIn::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_LOG_LINE) {
        const UniqueLogText line = TakeLogText(wParam, lParam);
        auto* self = reinterpret_cast<CLogPageStandIn*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && line)
            self->m_lines.emplace_back(line.get());
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

SYSTEMTIME MakeLocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = ms;
    return time;
}

std::wstring LogMessageOf(const std::wstring& line)
{
    const size_t separator = line.find(L" - ");
    return separator == std::wstring::npos ? line : line.substr(separator + 3);
}
