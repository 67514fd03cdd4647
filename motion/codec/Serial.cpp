#include "motion/codec/Serial.h"

#include <cstring>
#include <cwchar>
#include <vector>

namespace {

constexpr DWORD kOpenEventMask = EV_RXCHAR | EV_BREAK | EV_ERR;

volatile LONG g_openPorts = 0;

UniqueKernelHandle NewManualResetEvent()
{
    return UniqueKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

LONG LastSystemError()
{
    const DWORD error = ::GetLastError();
    return error ? static_cast<LONG>(error) : static_cast<LONG>(ERROR_GEN_FAILURE);
}

// GetDefaultCommConfig wants the device name without the "\\.\" prefix.
const wchar_t* DeviceName(const wchar_t* port)
{
    return wcsncmp(port, L"\\\\.\\", 4) == 0 ? port + 4 : port;
}

} // namespace

LONG CSerial::OpenPorts()
{
    return InterlockedCompareExchange(&g_openPorts, 0, 0);
}

CSerial::~CSerial()
{
    CSerial::Close();
}

LONG CSerial::Result(LONG error)
{
    m_lastError = error;
    return error;
}

LONG CSerial::Open(const wchar_t* port, DWORD inQueue, DWORD outQueue)
{
    if (IsOpen())
        return Result(ERROR_ALREADY_INITIALIZED);
    if (!port)
        return Result(ERROR_INVALID_PARAMETER);
    m_port.Reset(CreateFileW(port, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr));
    if (!IsOpen())
        return Result(LastSystemError());
    InterlockedIncrement(&g_openPorts);

    LONG error = 0;
    m_waitEvent = NewManualResetEvent();
    m_writeEvent = NewManualResetEvent();
    m_readEvent = NewManualResetEvent();
    if (!m_waitEvent || !m_writeEvent || !m_readEvent)
        error = LastSystemError();
    else if ((inQueue || outQueue) && !SetupComm(m_port.Get(), inQueue, outQueue))
        error = LastSystemError();
    if (!error)
        error = ChangeEventMask(kOpenEventMask);
    if (!error)
        error = ConfigureReadTimeouts(kReadNonBlocking);
    if (!error) {
        COMMCONFIG config = {};
        DWORD size = sizeof(config);
        config.dwSize = size;
        if (GetDefaultCommConfigW(DeviceName(port), &config, &size) &&
            !SetCommConfig(m_port.Get(), &config, size))
            error = LastSystemError();
    }
    if (error) {
        Close();
        return Result(error);
    }
    return Result(0);
}

LONG CSerial::SetAbortEvent(HANDLE event)
{
    m_abortEvent.Reset();
    HANDLE copy = nullptr;
    if (event && !DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0))
        return Result(LastSystemError());
    m_abortEvent.Reset(copy);
    return Result(0);
}

LONG CSerial::Close()
{
    m_waitEvent.Reset();
    m_writeEvent.Reset();
    m_readEvent.Reset();
    if (m_port) {
        m_port.Reset();
        InterlockedDecrement(&g_openPorts);
    }
    m_eventMask = 0;
    return Result(0);
}

bool CSerial::ReadState(DCB& dcb)
{
    std::memset(&dcb, 0, sizeof(dcb));
    dcb.DCBlength = sizeof(dcb);
    return GetCommState(m_port.Get(), &dcb) != FALSE;
}

LONG CSerial::Setup(DWORD baud, BYTE dataBits, BYTE parity, BYTE stopBits)
{
    if (!IsOpen())
        return Result(ERROR_INVALID_HANDLE);
    DCB dcb;
    if (!ReadState(dcb))
        return Result(LastSystemError());
    dcb.BaudRate = baud;
    dcb.ByteSize = dataBits;
    dcb.Parity = parity;
    dcb.StopBits = stopBits;
    dcb.fParity = parity != NOPARITY;
    if (!SetCommState(m_port.Get(), &dcb))
        return Result(LastSystemError());
    return Result(0);
}

LONG CSerial::ChangeEventChar(BYTE eventChar, bool adjustMask)
{
    if (!IsOpen())
        return Result(ERROR_INVALID_HANDLE);
    DCB dcb;
    if (!ReadState(dcb))
        return Result(LastSystemError());
    dcb.EvtChar = static_cast<char>(eventChar);
    if (!SetCommState(m_port.Get(), &dcb))
        return Result(LastSystemError());
    if (adjustMask)
        return ChangeEventMask(m_eventMask | EV_RXFLAG);
    return Result(0);
}

LONG CSerial::ChangeEventMask(DWORD mask)
{
    if (!IsOpen())
        return Result(ERROR_INVALID_HANDLE);
    if (!SetCommMask(m_port.Get(), mask))
        return Result(LastSystemError());
    m_eventMask = mask;
    return Result(0);
}

bool CSerial::CompletedWork(const Blocking& op, DWORD bytes) const
{
    switch (op.kind) {
    case kPortWait: return (m_reportedEvents & m_eventMask) != 0;
    case kWriting: return bytes == op.wanted;
    default: return bytes > 0;
    }
}

LONG CSerial::CompleteBlocking(BOOL started, OVERLAPPED& overlapped, const Blocking& op, DWORD* transferred)
{
    DWORD bytes = 0;
    if (!started) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_IO_PENDING)
            return static_cast<LONG>(error ? error : ERROR_GEN_FAILURE);
        const HANDLE waits[] = {overlapped.hEvent, m_abortEvent.Get()};
        const DWORD wait = WaitForMultipleObjects(m_abortEvent ? 2 : 1, waits, FALSE, op.timeout);
        if (wait != WAIT_OBJECT_0) {
            // Cancel, then let the operation finish before its block goes
            // away. It may have done its work in the meantime; Wine reports
            // an operation whose result it never wrote as a success, and an
            // empty completion is still the time-out or the abort.
            CancelIo(m_port.Get());
            const BOOL finished = GetOverlappedResult(m_port.Get(), &overlapped, &bytes, TRUE);
            if (finished && HasOverlappedIoCompleted(&overlapped)) {
                if (transferred)
                    *transferred = bytes;
                if (CompletedWork(op, bytes))
                    return 0;
            }
            if (wait == WAIT_TIMEOUT)
                return ERROR_TIMEOUT;
            return wait == WAIT_OBJECT_0 + 1 ? ERROR_OPERATION_ABORTED : LastSystemError();
        }
        // Wine can set the event of an operation without writing its result:
        // the operation has ended, with nothing to report.
        if (!HasOverlappedIoCompleted(&overlapped))
            return ERROR_OPERATION_ABORTED;
    }
    if (!GetOverlappedResult(m_port.Get(), &overlapped, &bytes, FALSE))
        return LastSystemError();
    if (transferred)
        *transferred = bytes;
    return 0;
}

template <typename StartIo>
LONG CSerial::RunOverlapped(StartIo start, HANDLE ownEvent, OVERLAPPED* overlapped, const Blocking& op,
                            DWORD* transferred)
{
    if (transferred)
        *transferred = 0;
    if (!IsOpen())
        return Result(ERROR_INVALID_HANDLE);
    if (overlapped) {
        if (start(overlapped, transferred))
            return Result(0);
        return Result(static_cast<LONG>(::GetLastError()));
    }
    if (m_abortEvent && WaitForSingleObject(m_abortEvent.Get(), 0) == WAIT_OBJECT_0)
        return Result(ERROR_OPERATION_ABORTED);
    OVERLAPPED own = {};
    own.hEvent = ownEvent;
    const BOOL started = start(&own, nullptr);
    return Result(CompleteBlocking(started, own, op, transferred));
}

LONG CSerial::WaitForPortEvent(OVERLAPPED* overlapped, DWORD timeout)
{
    const auto startWait = [&](OVERLAPPED* block, DWORD*) {
        m_reportedEvents = 0;
        return WaitCommEvent(m_port.Get(), &m_reportedEvents, block);
    };
    if (overlapped || timeout == 0)
        return RunOverlapped(startWait, m_waitEvent.Get(), overlapped, {kPortWait, timeout, 0}, nullptr);
    // A wait that ends aborted or with no event within the mask reported
    // nothing (Wine ends pending waits so every few milliseconds): wait
    // again until the time-out is used up.
    const ULONGLONG deadline = timeout == INFINITE ? 0 : GetTickCount64() + timeout;
    for (;;) {
        DWORD remaining = INFINITE;
        if (timeout != INFINITE) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline)
                return Result(ERROR_TIMEOUT);
            remaining = static_cast<DWORD>(deadline - now);
        }
        const LONG error = RunOverlapped(startWait, m_waitEvent.Get(), nullptr, {kPortWait, remaining, 0}, nullptr);
        if (error == 0 && (m_reportedEvents & m_eventMask) != 0)
            return error;
        if (error != 0 && error != ERROR_OPERATION_ABORTED)
            return error;
        if (error == ERROR_OPERATION_ABORTED && m_abortEvent && WaitForSingleObject(m_abortEvent.Get(), 0) == WAIT_OBJECT_0)
            return error;
    }
}

DWORD CSerial::TakeReportedEvents()
{
    const DWORD events = m_reportedEvents & m_eventMask;
    m_reportedEvents = 0;
    return events;
}

LONG CSerial::ConfigureFlowControl(int mode)
{
    if (!IsOpen())
        return Result(ERROR_INVALID_HANDLE);
    if (mode != kFlowNone && mode != kFlowHardware && mode != kFlowSoftware)
        return Result(E_INVALIDARG);
    DCB dcb;
    if (!ReadState(dcb))
        return Result(LastSystemError());
    dcb.fOutxCtsFlow = mode == kFlowHardware;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fRtsControl = mode == kFlowHardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_DISABLE;
    dcb.fOutX = mode == kFlowSoftware;
    dcb.fInX = mode == kFlowSoftware;
    if (!SetCommState(m_port.Get(), &dcb))
        return Result(LastSystemError());
    return Result(0);
}

LONG CSerial::ConfigureReadTimeouts(int mode)
{
    if (!IsOpen())
        return Result(ERROR_INVALID_HANDLE);
    COMMTIMEOUTS timeouts = {};
    if (mode == kReadNonBlocking)
        timeouts.ReadIntervalTimeout = MAXDWORD;
    else if (mode != kReadBlocking)
        return Result(E_INVALIDARG);
    if (!SetCommTimeouts(m_port.Get(), &timeouts))
        return Result(LastSystemError());
    return Result(0);
}

long CSerial::QueryFromState(long (*pick)(const DCB&))
{
    DCB dcb;
    if (!IsOpen()) {
        Result(ERROR_INVALID_HANDLE);
        return -1;
    }
    if (!ReadState(dcb)) {
        Result(LastSystemError());
        return -1;
    }
    Result(0);
    return pick(dcb);
}

long CSerial::QueryBaudRate()
{
    return QueryFromState([](const DCB& d) { return static_cast<long>(d.BaudRate); });
}

long CSerial::QueryDataBits()
{
    return QueryFromState([](const DCB& d) { return static_cast<long>(d.ByteSize); });
}

long CSerial::QueryParity()
{
    return QueryFromState(
        [](const DCB& d) { return static_cast<long>(d.fParity ? d.Parity : NOPARITY); });
}

long CSerial::QueryStopBits()
{
    return QueryFromState([](const DCB& d) { return static_cast<long>(d.StopBits); });
}

long CSerial::QueryFlowControl()
{
    return QueryFromState([](const DCB& d) -> long {
        if (d.fOutxCtsFlow)
            return kFlowHardware;
        if (d.fOutX && d.fInX)
            return kFlowSoftware;
        return kFlowNone;
    });
}

long CSerial::QueryEventMask()
{
    if (!IsOpen()) {
        Result(ERROR_INVALID_HANDLE);
        return -1;
    }
    Result(0);
    return static_cast<long>(m_eventMask.load());
}

long CSerial::QueryEventChar()
{
    return QueryFromState([](const DCB& d) { return static_cast<long>(static_cast<BYTE>(d.EvtChar)); });
}

LONG CSerial::Write(const char* text, DWORD* written, OVERLAPPED* overlapped, DWORD timeout)
{
    if (!text)
        return Result(ERROR_INVALID_PARAMETER);
    return Write(text, static_cast<DWORD>(std::strlen(text)), written, overlapped, timeout);
}

LONG CSerial::Write(const void* data, DWORD size, DWORD* written, OVERLAPPED* overlapped,
                    DWORD timeout)
{
    return RunOverlapped(
        [&](OVERLAPPED* block, DWORD* done) {
            return WriteFile(m_port.Get(), data, size, done, block);
        },
        m_writeEvent.Get(), overlapped, {kWriting, timeout, size}, written);
}

LONG CSerial::Read(void* data, DWORD size, DWORD* read, OVERLAPPED* overlapped, DWORD timeout)
{
    return RunOverlapped(
        [&](OVERLAPPED* block, DWORD* done) {
            return ReadFile(m_port.Get(), data, size, done, block);
        },
        m_readEvent.Get(), overlapped, {kReading, timeout, size}, read);
}

LONG CSerial::EscapeLine(DWORD function)
{
    if (!IsOpen())
        return Result(ERROR_INVALID_HANDLE);
    if (!EscapeCommFunction(m_port.Get(), function))
        return Result(LastSystemError());
    return Result(0);
}

LONG CSerial::SetDTR(bool on)
{
    return EscapeLine(on ? SETDTR : CLRDTR);
}

LONG CSerial::SetRTS(bool on)
{
    return EscapeLine(on ? SETRTS : CLRRTS);
}

LONG CSerial::QueryInputQueue(DWORD& queuedBytes, DWORD* errors)
{
    queuedBytes = 0;
    if (!IsOpen())
        return Result(ERROR_INVALID_HANDLE);
    DWORD portErrors = 0;
    COMSTAT status = {};
    if (!ClearCommError(m_port.Get(), &portErrors, &status))
        return Result(LastSystemError());
    queuedBytes = status.cbInQue;
    if (errors)
        *errors = portErrors;
    return Result(0);
}
