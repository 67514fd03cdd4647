#pragma once
// Name lookups a test controls, put under the bounded CInetAddress::Set.

#include <winsock2.h>  // before windows.h

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "base/win/UniqueHandle.h"
#include "platform/net/AddressLookup.h"

// Puts a lookup in place for its scope.
class CScopedAddressLookup {
public:
    explicit CScopedAddressLookup(AddressLookup lookup) : m_previous(ReplaceAddressLookup(lookup)) {}
    ~CScopedAddressLookup() { ReplaceAddressLookup(m_previous); }
    CScopedAddressLookup(const CScopedAddressLookup&) = delete;
    CScopedAddressLookup& operator=(const CScopedAddressLookup&) = delete;

private:
    AddressLookup m_previous;
};

// Every name resolves to 127.0.0.1, a held one only once Release() was
// called (or after kMostHeldMs, so a bound that is not kept shows as a
// success). One at a time per process.
class CHeldNameLookup {
public:
    static constexpr DWORD kMostHeldMs = 10000;

    explicit CHeldNameLookup(bool held) : m_released(CreateEventW(nullptr, TRUE, held ? FALSE : TRUE, nullptr))
    {
        s_current = this;
    }
    // Never leaves a worker that started running in this object.
    ~CHeldNameLookup() { ReleaseAndWaitForWorkers(0); }

    // Lets every lookup answer; true once `lookups` of them started and each
    // thread that ran one ended (so gave back what it found), within a
    // generous bound.
    bool ReleaseAndWaitForWorkers(size_t lookups)
    {
        SetEvent(m_released.Get());
        std::unique_lock<std::mutex> lock(m_mutex);
        // A worker that is in the list no longer needs the lock.
        if (!m_started.wait_for(lock, std::chrono::milliseconds(kMostHeldMs),
                                [&] { return m_workers.size() >= lookups; }))
            return false;
        for (const UniqueKernelHandle& worker : m_workers)
            if (WaitForSingleObject(worker.Get(), 2 * kMostHeldMs) != WAIT_OBJECT_0)
                return false;
        return true;
    }
    // How many lookups were let go (released or held their longest).
    int Answered() const { return m_answered; }
    // The names looked up so far.
    std::vector<std::string> Hosts()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_hosts;
    }

private:
    static int WSAAPI Lookup(const char* host, const char* service, const addrinfo* hints, addrinfo** list)
    {
        CHeldNameLookup& self = *s_current;
        {
            std::lock_guard<std::mutex> lock(self.m_mutex);
            self.m_hosts.push_back(host);
            HANDLE thread = nullptr;
            DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE,
                            0);
            self.m_workers.emplace_back(thread);
        }
        self.m_started.notify_all();
        WaitForSingleObject(self.m_released.Get(), kMostHeldMs);
        ++self.m_answered;
        return getaddrinfo("127.0.0.1", service, hints, list);
    }

    static inline CHeldNameLookup* s_current = nullptr;

    UniqueKernelHandle m_released;
    // Guards the two lists; a lookup holds it only to add to them.
    std::mutex m_mutex;
    std::condition_variable m_started;
    std::vector<std::string> m_hosts;
    std::vector<UniqueKernelHandle> m_workers;
    std::atomic<int> m_answered{0};
    CScopedAddressLookup m_scope{&Lookup};
};
