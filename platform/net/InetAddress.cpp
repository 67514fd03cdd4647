#include "platform/net/InetAddress.h"

#include <atomic>
#include <cstdio>
#include <utility>

#include "base/win/ModulePinnedThread.h"
#include "base/win/UniqueHandle.h"
#include "platform/net/AddressLookup.h"
#include "platform/net/WinsockRuntime.h"

namespace {

std::atomic<AddressLookup> g_lookup{&getaddrinfo};

// The service text and hints of one resolution.
struct Query {
    Query(unsigned short port, int family, int flags)
    {
        snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
        hints.ai_family = family;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        hints.ai_flags = flags;
    }
    char service[8];
    addrinfo hints{};
};

// One name lookup, held by the caller that waits for it and by the worker
// that runs it: whichever lets go last frees it, with the list it found.
struct NameLookup {
    NameLookup(const std::string& name, unsigned short port, int family)
        : host(name), query(port, family, 0), lookup(g_lookup.load()), done(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~NameLookup()
    {
        if (list)
            freeaddrinfo(list);
    }

    const std::string host;
    const Query query;
    const AddressLookup lookup;
    // Set by the worker once `error` and `list` are final; the caller reads
    // them only after it saw `done` set.
    const UniqueKernelHandle done;
    int error = WSAHOST_NOT_FOUND;
    addrinfo* list = nullptr;
};

}  // namespace

AddressLookup ReplaceAddressLookup(AddressLookup lookup)
{
    return g_lookup.exchange(lookup);
}

bool CInetAddress::Take(int error, addrinfo* list)
{
    m_list.reset(list);
    m_error = error == 0 && !list ? WSAHOST_NOT_FOUND : error;
    if (m_error != 0)
        m_list.reset();
    return m_error == 0;
}

bool CInetAddress::Set(unsigned short port, const std::string& host, int family)
{
    m_list.reset();
    m_error = WSANOTINITIALISED;
    if (!EnsureWinsockStarted())
        return false;
    const Query query(port, family, 0);
    addrinfo* list = nullptr;
    const int error = getaddrinfo(host.c_str(), query.service, &query.hints, &list);
    return Take(error, list);
}

bool CInetAddress::Set(unsigned short port, const std::string& host, int family, DWORD timeoutMs)
{
    m_list.reset();
    m_error = WSANOTINITIALISED;
    if (!EnsureWinsockStarted())
        return false;
    // A numeric address needs no name server, so no thread.
    const Query numeric(port, family, AI_NUMERICHOST);
    addrinfo* list = nullptr;
    const int error = getaddrinfo(host.c_str(), numeric.service, &numeric.hints, &list);
    if (error != WSAHOST_NOT_FOUND)
        return Take(error, list);

    // A name server that does not answer holds getaddrinfo for many seconds;
    // only a lookup on its own thread can be given up.
    const auto lookup = std::make_shared<NameLookup>(host, port, family);
    if (!lookup->done) {
        m_error = static_cast<int>(GetLastError());
        return false;
    }
    const UniqueKernelHandle worker = StartModulePinnedThread([lookup]() noexcept {
        NameLookup& run = *lookup;
        run.error = run.lookup(run.host.c_str(), run.query.service, &run.query.hints, &run.list);
        SetEvent(run.done.Get());
    });
    if (!worker) {
        m_error = static_cast<int>(GetLastError());
        return false;
    }
    if (WaitForSingleObject(lookup->done.Get(), timeoutMs) != WAIT_OBJECT_0) {
        m_error = WSAETIMEDOUT;
        return false;
    }
    return Take(lookup->error, std::exchange(lookup->list, nullptr));
}
