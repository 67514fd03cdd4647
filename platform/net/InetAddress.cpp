#include "platform/net/InetAddress.h"

#include <atomic>
#include <cstdio>
#include <utility>

#include "common/win/UniqueHandle.h"
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

struct WorkerStart {
    std::shared_ptr<NameLookup> lookup;
    // A reference on the module this code is in, given up as the thread ends.
    HMODULE module;
};

DWORD WINAPI LookupWorker(void* parameter)
{
    HMODULE module;
    {
        const std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(parameter));
        module = start->module;
        NameLookup& lookup = *start->lookup;
        lookup.error = lookup.lookup(lookup.host.c_str(), lookup.query.service, &lookup.query.hints, &lookup.list);
        SetEvent(lookup.done.Get());
    }
    // The host may have unloaded the control meanwhile: the last reference
    // must go with the thread, no code of the module running after it.
    FreeLibraryAndExitThread(module, 0);
}

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
    UniqueModule pinned;
    if (!lookup->done ||
        !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&LookupWorker),
                            pinned.Put())) {
        m_error = static_cast<int>(GetLastError());
        return false;
    }
    auto start = std::make_unique<WorkerStart>(WorkerStart{lookup, pinned.Get()});
    const UniqueKernelHandle worker(CreateThread(nullptr, 0, &LookupWorker, start.get(), 0, nullptr));
    if (!worker) {
        m_error = static_cast<int>(GetLastError());
        return false;
    }
    start.release();
    pinned.Detach();
    if (WaitForSingleObject(lookup->done.Get(), timeoutMs) != WAIT_OBJECT_0) {
        m_error = WSAETIMEDOUT;
        return false;
    }
    return Take(lookup->error, std::exchange(lookup->list, nullptr));
}
