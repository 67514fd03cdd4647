#include "motion/codec/SerialEx.h"

namespace {

// Ending a pending port wait takes the system a moment (SetCommMask); past
// this the wait is cancelled outright.
constexpr DWORD kWaitEndGraceMs = 1000;

} // namespace

CSerialEx::~CSerialEx()
{
    CSerialEx::Close();
}

LONG CSerialEx::Open(const wchar_t* port, DWORD inQueue, DWORD outQueue)
{
    const LONG error = CSerial::Open(port, inQueue, outQueue);
    if (error)
        return error;
    m_stopEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_overlappedEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_stopEvent || !m_overlappedEvent) {
        const LONG failure = static_cast<LONG>(::GetLastError());
        Close();
        return Result(failure ? failure : ERROR_GEN_FAILURE);
    }
    return Result(0);
}

LONG CSerialEx::Close()
{
    StopListenerThread(INFINITE);
    m_stopEvent.Reset();
    m_overlappedEvent.Reset();
    return CSerial::Close();
}

bool CSerialEx::ListenerRunning() const
{
    return m_listener && WaitForSingleObject(m_listener.Get(), 0) == WAIT_TIMEOUT;
}

LONG CSerialEx::StartListenerThread()
{
    if (!IsOpen() || !m_stopEvent)
        return Result(ERROR_INVALID_HANDLE);
    if (ListenerRunning())
        return Result(0);
    m_listener.Reset();
    ResetEvent(m_stopEvent.Get());
    m_listener.Reset(CreateThread(nullptr, 0, &CSerialEx::ListenerMain, this, 0, nullptr));
    if (!m_listener) {
        const LONG failure = static_cast<LONG>(::GetLastError());
        return Result(failure ? failure : ERROR_GEN_FAILURE);
    }
    return Result(0);
}

LONG CSerialEx::StopListenerThread(DWORD timeout)
{
    if (!m_listener)
        return Result(0);
    SetEvent(m_stopEvent.Get());
    if (WaitForSingleObject(m_listener.Get(), timeout) != WAIT_OBJECT_0)
        return Result(ERROR_TIMEOUT);
    m_listener.Reset();
    return Result(0);
}

bool CSerialEx::StopRequested() const
{
    return m_stopEvent && WaitForSingleObject(m_stopEvent.Get(), 0) == WAIT_OBJECT_0;
}

DWORD WINAPI CSerialEx::ListenerMain(void* self)
{
    // Nothing may leave the thread's entry through an exception.
    try {
        return static_cast<CSerialEx*>(self)->Listen();
    } catch (...) {
        return ERROR_GEN_FAILURE;
    }
}

void CSerialEx::DeliverEvent(DWORD events, DWORD errors)
{
    // Nothing may leave the thread's entry through an exception.
    try {
        OnEvent(events, errors);
    } catch (...) {
    }
}

void CSerialEx::DeliverQueuedData()
{
    DWORD queued = 0;
    DWORD errors = 0;
    if ((QueryEventMask() & EV_RXCHAR) && QueryInputQueue(queued, &errors) == 0 && queued > 0)
        DeliverEvent(EV_RXCHAR, errors);
}

DWORD CSerialEx::Listen()
{
    OVERLAPPED overlapped = {};
    overlapped.hEvent = m_overlappedEvent.Get();
    LONG error = WaitForPortEvent(&overlapped);
    if (error != 0 && error != ERROR_IO_PENDING)
        return static_cast<DWORD>(error);
    if (error == 0)
        SetEvent(overlapped.hEvent); // completed at once: handle it in the loop
    bool pending = true;

    const HANDLE waits[] = {m_stopEvent.Get(), m_overlappedEvent.Get()};
    error = 0;
    for (;;) {
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            break;
        pending = false;
        DWORD unused = 0;
        if (!HasOverlappedIoCompleted(&overlapped)) {
            // Wine can set the event of a wait without writing its result:
            // the wait has ended, so whatever has arrived is read.
            DeliverQueuedData();
        } else if (GetOverlappedResult(PortHandle(), &overlapped, &unused, FALSE)) {
            const DWORD events = TakeReportedEvents();
            DWORD queued = 0;
            DWORD errors = 0;
            QueryInputQueue(queued, &errors);
            if (events)
                DeliverEvent(events, errors);
        } else if (::GetLastError() != ERROR_OPERATION_ABORTED) {
            // An aborted wait is "no event" (a mask change, or Wine's periodic
            // empty completion); anything else means the port is gone.
            error = static_cast<LONG>(::GetLastError());
            break;
        }
        const LONG started = WaitForPortEvent(&overlapped);
        if (started != 0 && started != ERROR_IO_PENDING) {
            error = started;
            break;
        }
        if (started == 0)
            SetEvent(overlapped.hEvent);
        pending = true;
    }

    // Setting the mask again ends the pending wait; the block must stay alive
    // until it has.
    ChangeEventMask(static_cast<DWORD>(QueryEventMask()));
    if (pending) {
        if (WaitForSingleObject(overlapped.hEvent, kWaitEndGraceMs) != WAIT_OBJECT_0)
            CancelIo(PortHandle());
        DWORD unused = 0;
        GetOverlappedResult(PortHandle(), &overlapped, &unused, TRUE);
    }
    return static_cast<DWORD>(error);
}
