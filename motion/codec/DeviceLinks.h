#pragma once
// The device links of one script's device object, ports 1 to 9 (entry 0 is
// never used). The script's thread uses them one call at a time under the
// set's lock, and the set may be closed from another thread under the same
// lock: a runner that cannot end its script's thread still takes the ports
// from it. Once closed, the set stays closed and refuses every call.

#include "base/com/RefCounted.h"
#include "base/win/CriticalSection.h"
#include "motion/codec/MCCGISerial.h"

#include <windows.h>

class DeviceLinks final : public RefCounted {
public:
    static constexpr int kLinks = 10;

    // Reference count 1, owned by the caller. Every blocking wait of a link
    // ends at once when `abortEvent` is set (a duplicate is kept).
    explicit DeviceLinks(HANDLE abortEvent);

    // Runs `call` (with the CMCCGISerial of `port`, 1 to 9) under the lock;
    // false, without calling it, once the set is closed or asked to close.
    template <typename Call>
    bool Use(int port, Call call)
    {
        CriticalSectionLock lock(m_lock);
        if (CloseIfAsked())
            return false;
        call(m_links[port]);
        // A close asked for during the call is done before anyone else calls.
        CloseIfAsked();
        return true;
    }

    // Closes every port and stops its listener, after the call in progress.
    void Close();
    // For a thread that must not wait for the call in progress: closes at
    // once when no call runs, else asks the call in progress to close the
    // set as it ends. True once the set is closed.
    bool CloseWithoutWaiting();
    // For the owner of a thread that died: closes the set even when the dead
    // thread left the lock held, since no call can run any more.
    void CloseAbandoned();

private:
    ~DeviceLinks() override;
    // Under the lock: closes the set when that was asked for; true when closed.
    bool CloseIfAsked();
    void CloseAll();

    CriticalSection m_lock;
    // Set by the closing calls, read under the lock; interlocked.
    volatile LONG m_closeAsked = 0;
    // Under m_lock (or with the only thread that used the set dead).
    bool m_closed = false;
    CMCCGISerial m_links[kLinks];
};
