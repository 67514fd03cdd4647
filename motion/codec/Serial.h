#pragma once
// One COM port opened for overlapped input and output. Every operation stores
// its outcome (a Windows error code, 0 for success) as the last error and
// answers it. The blocking forms (no overlapped block from the caller) wait up
// to their time-out, then cancel and answer ERROR_TIMEOUT, or end at once with
// ERROR_OPERATION_ABORTED when the abort event is set; an operation is never
// left pending on a block that goes out of scope.

#include "base/win/UniqueHandle.h"

#include <atomic>
#include <windows.h>

class CSerial {
public:
    enum FlowControl { kFlowNone = 0, kFlowHardware = 1, kFlowSoftware = 2 };
    enum ReadTimeouts { kReadNonBlocking = 0, kReadBlocking = 1 };

    CSerial() = default;
    virtual ~CSerial();
    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;

    virtual LONG Open(const wchar_t* port, DWORD inQueue = 0, DWORD outQueue = 0);
    virtual LONG Close();
    virtual LONG Setup(DWORD baud, BYTE dataBits, BYTE parity, BYTE stopBits);
    virtual LONG ChangeEventChar(BYTE eventChar, bool adjustMask);
    virtual LONG ChangeEventMask(DWORD mask);
    // With a caller's overlapped block a pending wait answers ERROR_IO_PENDING
    // and the caller owns its completion.
    virtual LONG WaitForPortEvent(OVERLAPPED* overlapped = nullptr, DWORD timeout = INFINITE);
    virtual LONG ConfigureFlowControl(int mode);
    virtual LONG ConfigureReadTimeouts(int mode);
    virtual long QueryBaudRate();
    virtual long QueryDataBits();
    virtual long QueryParity();
    virtual long QueryStopBits();
    virtual long QueryFlowControl();
    virtual long QueryEventMask();
    virtual long QueryEventChar();
    // The text's bytes, without terminator.
    virtual LONG Write(const char* text, DWORD* written = nullptr, OVERLAPPED* overlapped = nullptr,
                       DWORD timeout = INFINITE);
    virtual LONG Write(const void* data, DWORD size, DWORD* written = nullptr,
                       OVERLAPPED* overlapped = nullptr, DWORD timeout = INFINITE);
    virtual LONG Read(void* data, DWORD size, DWORD* read = nullptr,
                      OVERLAPPED* overlapped = nullptr, DWORD timeout = INFINITE);

    // The owner's blocking operations also end when `event` is set (the
    // owner is being stopped); the port keeps a duplicate. Null: no abort.
    LONG SetAbortEvent(HANDLE event);

    LONG SetDTR(bool on);
    LONG SetRTS(bool on);
    // Clears the port's error state; reports the bytes waiting to be read and
    // the errors that were set.
    LONG QueryInputQueue(DWORD& queuedBytes, DWORD* errors = nullptr);

    bool IsOpen() const { return static_cast<bool>(m_port); }
    // How many ports of the process are open: a stopped script leaves none.
    static LONG OpenPorts();
    LONG GetLastError() const { return m_lastError; }

protected:
    HANDLE PortHandle() const { return m_port.Get(); }
    // The event set by SetAbortEvent, or null.
    HANDLE AbortEvent() const { return m_abortEvent.Get(); }
    // The events of the last completed port wait within the current mask; clears them.
    DWORD TakeReportedEvents();
    LONG Result(LONG error);

private:
    enum BlockingKind { kPortWait, kReading, kWriting };
    struct Blocking {
        BlockingKind kind;
        DWORD timeout;
        DWORD wanted;   // bytes asked for
    };
    // Whether an operation that finished as it was cancelled did its work:
    // a whole write, a read of any bytes, a wait with an event in the mask.
    bool CompletedWork(const Blocking& op, DWORD bytes) const;
    LONG CompleteBlocking(BOOL started, OVERLAPPED& overlapped, const Blocking& op, DWORD* transferred);
    // Starts one overlapped operation. On the caller's block it may stay
    // pending (ERROR_IO_PENDING); on the own block it is waited for.
    template <typename StartIo>
    LONG RunOverlapped(StartIo start, HANDLE ownEvent, OVERLAPPED* overlapped, const Blocking& op,
                       DWORD* transferred);
    LONG EscapeLine(DWORD function);
    bool ReadState(DCB& dcb);
    long QueryFromState(long (*pick)(const DCB&));

    std::atomic<LONG> m_lastError{0};
    UniqueFile m_port;
    DWORD m_reportedEvents = 0; // written by the system when a port wait completes
    std::atomic<DWORD> m_eventMask{0};
    UniqueKernelHandle m_waitEvent;
    UniqueKernelHandle m_writeEvent;
    UniqueKernelHandle m_readEvent;
    UniqueKernelHandle m_abortEvent;
};
