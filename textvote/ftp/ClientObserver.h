#pragma once
// What a client tells the observers attached to it. Every notice does
// nothing by default; an observer that goes away detaches itself from every
// client, and a client that goes away detaches from every observer.

#include <set>
#include <string>

namespace nsFTP {

class CFTPClient;
class CReply;

class IClientObserver {
public:
    IClientObserver() = default;
    IClientObserver(const IClientObserver&) = delete;
    IClientObserver& operator=(const IClientObserver&) = delete;
    virtual ~IClientObserver();

    virtual void OnInternalError(const std::wstring& /*message*/, const std::wstring& /*sourceFile*/,
                                 unsigned /*line*/) {}
    virtual void OnBeginReceivingData() {}
    virtual void OnEndReceivingData(long long /*totalBytes*/) {}
    virtual void OnBytesReceived(const char* /*data*/, size_t /*count*/) {}
    virtual void OnBytesSent(const char* /*data*/, size_t /*count*/) {}
    virtual void OnPreReceiveFile(const std::wstring& /*remote*/, const std::wstring& /*local*/,
                                  long long /*size*/) {}
    virtual void OnPreSendFile(const std::wstring& /*local*/, const std::wstring& /*remote*/,
                               long long /*size*/) {}
    virtual void OnPostReceiveFile(const std::wstring& /*remote*/, const std::wstring& /*local*/,
                                   long long /*size*/) {}
    virtual void OnPostSendFile(const std::wstring& /*local*/, const std::wstring& /*remote*/,
                                long long /*size*/) {}
    // Passwords and accounts are masked before this is told.
    virtual void OnSendCommand(const std::wstring& /*command*/) {}
    virtual void OnResponse(const CReply& /*reply*/) {}

    // The clients this observer is attached to.
    const std::set<CFTPClient*>& Clients() const { return m_clients; }

private:
    friend class CFTPClient;
    std::set<CFTPClient*> m_clients;
};

}  // namespace nsFTP
