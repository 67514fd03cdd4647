#include "provider/app/ThreadFailureExit.h"

#include <atomic>

#include "base/text/WideFormat.h"
#include "provider/ProgramLog.h"

namespace {

// The filter has no context of its own: it finds the guard here.
std::atomic<CThreadFailureExit*> g_guard{nullptr};
std::atomic<HANDLE> g_failedEvent{nullptr};
std::atomic<DWORD> g_exceptionCode{0};

}  // namespace

CThreadFailureExit::CThreadFailureExit()
{
    HANDLE thread = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0);
    m_thread.Reset(thread);
    m_failed.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_finished.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_thread || !m_failed || !m_finished)
        return;
    g_failedEvent = m_failed.Get();
    g_guard = this;
    m_previousFilter = SetUnhandledExceptionFilter(&CThreadFailureExit::OnUnhandledException);
    m_watcher.Reset(CreateThread(nullptr, 0, &CThreadFailureExit::Watch, this, 0, nullptr));
}

CThreadFailureExit::~CThreadFailureExit()
{
    if (!m_watcher)
        return;
    SetEvent(m_finished.Get());
    WaitForSingleObject(m_watcher.Get(), INFINITE);
    SetUnhandledExceptionFilter(m_previousFilter);
    g_guard = nullptr;
    g_failedEvent = nullptr;
}

LONG WINAPI CThreadFailureExit::OnUnhandledException(EXCEPTION_POINTERS* exception)
{
    // Little stack may be left (a stack overflow): hand over and wait to be
    // ended; the watcher does the rest on a stack of its own.
    const HANDLE failed = g_failedEvent;
    if (!g_guard || !failed)
        return EXCEPTION_CONTINUE_SEARCH;
    g_exceptionCode = exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0;
    SetEvent(failed);
    Sleep(INFINITE);
    return EXCEPTION_EXECUTE_HANDLER;
}

DWORD WINAPI CThreadFailureExit::Watch(void* self)
{
    auto* guard = static_cast<CThreadFailureExit*>(self);
    const HANDLE events[] = {guard->m_finished.Get(), guard->m_failed.Get(), guard->m_thread.Get()};
    const DWORD signalled = WaitForMultipleObjects(3, events, FALSE, INFINITE);
    if (signalled == WAIT_OBJECT_0)
        return 0;
    if (signalled == WAIT_OBJECT_0 + 1) {
        const DWORD code = g_exceptionCode;
        LogLastWords(FormatWide(L"Scrivane's thread failed with exception 0x%08X%ls: the program ends", code,
                                code == EXCEPTION_STACK_OVERFLOW
                                    ? L" (stack overflow: a script that calls itself without end?)"
                                    : L""));
    } else {
        LogLastWords(L"Scrivane's thread ended unexpectedly: the program ends");
    }
    // Not ExitProcess: the lost thread may hold locks that a clean exit
    // would wait for. The system closes the port with the process.
    TerminateProcess(GetCurrentProcess(), kThreadFailureExitCode);
    return 0;
}
