#pragma once
// Drives the modal windows that a call opens on the test's own thread: the
// steps run one after the other on a thread timer, inside whatever modal
// loop (dialog, message box, property frame) is running, each until it
// reports that it is done. Steps must not block: an action that opens a
// further modal loop is posted (PostMessage), so the next step runs inside
// that loop. When the bound passes before the steps are done, or with a
// dialog still open after them, every dialog of the thread is cancelled, so
// the call returns, and the driver reports the time-out.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "testing/uitest/ThreadWindows.h"

class CModalDriver {
public:
    using Step = std::function<bool()>;  // true: done, go on to the next
    // Only a failure's bound: a dialog with the editor component can take
    // many seconds to open on a loaded machine.
    static constexpr DWORD kDefaultBoundMs = 30000;

    explicit CModalDriver(std::vector<Step> steps, DWORD boundMs = kDefaultBoundMs)
        : m_steps(std::move(steps)), m_bound(boundMs), m_start(::GetTickCount())
    {
        Current() = this;
        m_timer = ::SetTimer(nullptr, 0, 20, &CModalDriver::OnTick);
    }
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;
    ~CModalDriver()
    {
        ::KillTimer(nullptr, m_timer);
        Current() = nullptr;
    }

    bool Done() const { return m_next == m_steps.size(); }
    bool TimedOut() const { return m_timedOut; }
    // How many steps completed, for a failure message.
    size_t StepsDone() const { return m_next; }

    // The first visible top-level dialog of this thread that matches, or null.
    static HWND FindDialog(const std::function<bool(HWND)>& match)
    {
        return FindShownThreadWindow([&match](HWND window) { return IsDialog(window) && match(window); });
    }
    static HWND FindDialog(const std::wstring& caption)
    {
        return FindDialog([&caption](HWND window) { return WindowTitle(window) == caption; });
    }

    // The texts of the static controls below the window (a message box's
    // message), joined by new lines.
    static std::wstring StaticTexts(HWND window)
    {
        std::wstring texts;
        struct Visit {
            static BOOL CALLBACK Child(HWND child, LPARAM data)
            {
                if (_wcsicmp(WindowClassName(child).c_str(), L"Static") == 0) {
                    auto& joined = *reinterpret_cast<std::wstring*>(data);
                    const std::wstring text = WindowTitle(child);
                    if (!text.empty())
                        joined += (joined.empty() ? L"" : L"\n") + text;
                }
                return TRUE;
            }
        };
        ::EnumChildWindows(window, &Visit::Child, reinterpret_cast<LPARAM>(&texts));
        return texts;
    }

private:
    static CModalDriver*& Current()
    {
        thread_local CModalDriver* current = nullptr;
        return current;
    }

    static bool IsDialog(HWND window)
    {
        return WindowClassName(window) == L"#32770" && !(::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD);
    }

    static BOOL CALLBACK CancelDialog(HWND window, LPARAM)
    {
        if (IsDialog(window))
            ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }

    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
    {
        CModalDriver* self = Current();
        if (self && !self->m_running)
            self->Tick();
    }

    void Tick()
    {
        if (::GetTickCount() - m_start > m_bound) {
            // Late steps, or a dialog the steps should have closed: end them all.
            if (!Done() || FindDialog([](HWND) { return true; })) {
                m_timedOut = true;
                ::EnumThreadWindows(::GetCurrentThreadId(), &CModalDriver::CancelDialog, 0);
            }
            return;
        }
        if (Done())
            return;
        m_running = true;
        const bool stepDone = m_steps[m_next]();
        m_running = false;
        if (stepDone)
            ++m_next;
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_bound;
    DWORD m_start;
    UINT_PTR m_timer = 0;
    bool m_running = false;
    bool m_timedOut = false;
};
