#pragma once
// Catches what the process writes to the debugger output, from any thread,
// for as long as the object lives: OutputDebugString raises an exception
// that a debugger would take, and a vectored handler sees it first.

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    // Every text written so far, in order.
    std::vector<std::wstring> Texts() const;
    // True once some text written contains `part`, within the bound.
    bool WaitFor(const std::wstring& part, DWORD boundMs) const;

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* exception);

    void* m_handler = nullptr;
    mutable std::mutex m_lock;
    std::vector<std::wstring> m_texts;
    bool m_lastWasWide = false;
};
