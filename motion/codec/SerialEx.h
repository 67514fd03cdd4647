#pragma once
// A serial port with a listener thread that waits for port events and hands
// them to OnEvent. A derived class must call Close() in its own destructor:
// the listener calls OnEvent, which must not outlive the derived part.

#include "motion/codec/Serial.h"

class CSerialEx : public CSerial {
public:
    CSerialEx() = default;
    ~CSerialEx() override;

    LONG Open(const wchar_t* port, DWORD inQueue = 0, DWORD outQueue = 0) override;
    // Stops the listener (waiting as long as it takes), then closes the port.
    LONG Close() override;

    virtual LONG StartListenerThread();
    // ERROR_TIMEOUT when the thread did not end in time; it is then still
    // owned and a later call waits for it again.
    virtual LONG StopListenerThread(DWORD timeout = INFINITE);

    bool ListenerRunning() const;

protected:
    // Runs on the listener thread with the events (within the mask) and the
    // port errors of one completed wait.
    virtual void OnEvent(DWORD events, DWORD errors) = 0;
    // True once a stop was asked for: long handlers end early.
    bool StopRequested() const;

private:
    static DWORD WINAPI ListenerMain(void* self);
    DWORD Listen();
    void DeliverEvent(DWORD events, DWORD errors);
    // Hands queued input to OnEvent as received data.
    void DeliverQueuedData();

    UniqueKernelHandle m_listener;
    UniqueKernelHandle m_stopEvent;
    UniqueKernelHandle m_overlappedEvent;
};
