#pragma once
// Scrivane serves from one thread. Should that thread fail past recovery (a
// script that recurses without end overflows its stack, and Wine then stops
// the thread but leaves the process holding the port), the program logs why
// and ends with kThreadFailureExitCode, so that an operator or a service
// manager can start it again.

#include <windows.h>

#include "base/win/UniqueHandle.h"

constexpr UINT kThreadFailureExitCode = 3;

class CThreadFailureExit {
public:
    // Guards the calling thread, and every thread against an unhandled
    // exception, until destroyed.
    CThreadFailureExit();
    ~CThreadFailureExit();
    CThreadFailureExit(const CThreadFailureExit&) = delete;
    CThreadFailureExit& operator=(const CThreadFailureExit&) = delete;

private:
    static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception);
    static DWORD WINAPI Watch(void* self);

    UniqueKernelHandle m_thread;    // the guarded thread
    UniqueKernelHandle m_failed;    // set by the exception filter
    UniqueKernelHandle m_finished;  // set at a normal end
    UniqueKernelHandle m_watcher;
    LPTOP_LEVEL_EXCEPTION_FILTER m_previousFilter = nullptr;
};
