// The data side: TYPE, the passive or active data connection, the transfer
// loops, and the file and listing operations built on them.
#include "textvote/ftp/FTPClient.h"

#include <ws2tcpip.h>

#include "base/text/TextConversion.h"
#include "textvote/ftp/ClientErrors.h"
#include "textvote/ftp/ClientLimits.h"
#include "textvote/ftp/ListingParser.h"

namespace nsFTP {

using nsSocket::CBlockingSocketException;
using nsSocket::IBlockingSocket;

namespace {

// Cleans a socket up on every way out of a scope.
class SocketCleanup {
public:
    explicit SocketCleanup(IBlockingSocket& socket) : m_socket(socket) {}
    SocketCleanup(const SocketCleanup&) = delete;
    SocketCleanup& operator=(const SocketCleanup&) = delete;
    ~SocketCleanup() { m_socket.Cleanup(); }

private:
    IBlockingSocket& m_socket;
};

// A local file as the end of a transfer: a failed read or write stops the
// transfer at once instead of passing a truncated file off as complete.
class FileEnd : public ITransferNotification {
public:
    FileEnd(CFile& file, CFTPClient& client) : m_file(file), m_client(client) {}

    void OnBytesReceived(const char* data, size_t count) override
    {
        m_file.OnBytesReceived(data, count);
        if (m_file.Failed())
            m_client.Abort();
    }
    void OnPreBytesSend(char* buffer, size_t capacity, size_t& count) override
    {
        m_file.OnPreBytesSend(buffer, capacity, count);
        if (m_file.Failed()) {
            count = 0;
            m_client.Abort();
        }
    }

private:
    CFile& m_file;
    CFTPClient& m_client;
};

const CRepresentation kListing(CRepresentation::Type::Ascii, CRepresentation::Format::NonPrint);

}  // namespace

// A listing in memory that refuses to grow past the listing bounds: the
// transfer then fails and its data connection is closed.
class CFTPClient::CBoundedListing : public COutputStream {
public:
    explicit CBoundedListing(CFTPClient& client) : COutputStream(client.m_lineEnd), m_client(client) {}

    void OnBytesReceived(const char* data, size_t count) override
    {
        if (m_client.m_transferRefusal)
            return;
        m_bytes += count;
        for (size_t i = 0; i < count; ++i) {
            m_lines += m_atLineStart ? 1 : 0;
            m_atLineStart = data[i] == '\n';
        }
        if (m_bytes > kMaxListingBytes || m_lines > kMaxListingLines) {
            m_client.m_transferRefusal = kListingTooLong;
            return;
        }
        COutputStream::OnBytesReceived(data, count);
    }

private:
    CFTPClient& m_client;
    size_t m_bytes = 0;
    size_t m_lines = 0;
    bool m_atLineStart = true;
};

void CFTPClient::ReportFileError(unsigned long error, unsigned line)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 && text ? std::wstring(text, length) : std::wstring(kLocalFileError);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.pop_back();
    ReportError(message, line);
}

bool CFTPClient::SetRepresentation(const CRepresentation& representation)
{
    // A new connection starts in ASCII non-print without being told.
    if (!m_representation)
        m_representation = kListing;
    return *m_representation == representation || RepresentationType(representation) == 0;
}

bool CFTPClient::ExecuteDataCommand(const CDataCommand& command, const std::wstring& path,
                                    const CRepresentation& representation, bool passive, long long restartPosition,
                                    ITransferNotification& notification)
{
    return Guarded(false, [&] {
        if (m_transferInProgress || !IsConnected())
            return false;
        if (!SetRepresentation(representation))
            return false;
        std::unique_ptr<IBlockingSocket> data = m_socket->CreateInstance();
        if (!data)
            return false;
        SocketCleanup closeData(*data);
        m_transferRefusal = nullptr;

        TransferResult result = TransferResult::Failed;
        const bool opened = passive ? OpenPassiveDataConnection(*data, command, path, restartPosition)
                                    : OpenActiveDataConnection(*data, command, path, restartPosition);
        if (opened)
            result = command.Receives() ? ReceiveData(*data, notification) : SendData(*data, notification);
        try {
            data->Close();
        } catch (const CBlockingSocketException&) {
            data->Cleanup();
        }

        if (result == TransferResult::Completed) {
            m_finalReplyPending = false;
            CReply reply;
            return GetResponse(reply) && reply.IsPositiveCompletionReply();
        }
        if (result == TransferResult::Failed)
            DrainPendingReply();
        return false;
    });
}

void CFTPClient::DrainPendingReply()
{
    // Left unread, the final reply would answer the next command.
    if (!m_finalReplyPending)
        return;
    m_finalReplyPending = false;
    CReply reply;
    if (IsConnected() && !GetResponse(reply))
        CloseControlConnection();
}

bool CFTPClient::SendDataCommand(const CDataCommand& command, const std::wstring& path, long long restartPosition)
{
    const CDataCommand::Value value = command.AsValue();
    const bool restartable = value == CDataCommand::Store || value == CDataCommand::Retrieve ||
                             value == CDataCommand::Append;
    if (m_resume && restartable && restartPosition != 0 && Restart(restartPosition) != 0)
        return false;
    CReply reply;
    if (!SendCommandAndGetReply(command.Text(path), reply) || !reply.IsPositivePreliminaryReply())
        return false;
    m_finalReplyPending = true;
    return true;
}

bool CFTPClient::OpenActiveDataConnection(IBlockingSocket& data, const CDataCommand& command,
                                          const std::wstring& path, long long restartPosition)
{
    std::unique_ptr<IBlockingSocket> listener = m_socket->CreateInstance();
    if (!listener)
        return false;
    SocketCleanup closeListener(*listener);
    sockaddr_in local{};
    sockaddr_in bound{};
    try {
        // Listen only where the server reaches us: the control connection's own address.
        m_socket->GetSockName(&local);
        listener->Create(SOCK_STREAM);
        sockaddr_in any = local;
        any.sin_port = 0;
        listener->Bind(any);
        listener->GetSockName(&bound);
        listener->Listen();
    } catch (const CBlockingSocketException& e) {
        ReportSocketError(e, __LINE__);
        return false;
    }

    char address[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &local.sin_addr, address, sizeof address))
        return false;
    if (DataPort(NarrowToWide(address, CP_ACP), ntohs(bound.sin_port)) != 0)
        return false;
    if (!SendDataCommand(command, path, restartPosition))
        return false;
    try {
        // A server that cannot connect back must not hold the caller forever.
        if (!nsSocket::WaitUntilReadable(*listener, m_timeout, L"Accept")) {
            ReportSocketError(CBlockingSocketException(kAcceptTimeout, 0), __LINE__);
            return false;
        }
        return listener->Accept(data, nullptr);
    } catch (const CBlockingSocketException& e) {
        ReportSocketError(e, __LINE__);
        return false;
    }
}

bool CFTPClient::OpenPassiveDataConnection(IBlockingSocket& data, const CDataCommand& command,
                                           const std::wstring& path, long long restartPosition)
{
    unsigned long address = 0;
    unsigned short port = 0;
    if (Passive(address, port) != 0)
        return false;
    try {
        // Only the port is taken: the data connection goes where the control
        // connection goes, whatever address the reply names.
        data.Create(SOCK_STREAM);
        sockaddr_in target = m_controlPeer;
        target.sin_port = htons(port);
        data.Connect(target, m_timeout);
    } catch (const CBlockingSocketException& e) {
        ReportSocketError(e, __LINE__);
        data.Cleanup();
        return false;
    }
    return SendDataCommand(command, path, restartPosition);
}

CFTPClient::TransferResult CFTPClient::ReceiveData(IBlockingSocket& data, ITransferNotification& notification)
{
    m_transferInProgress = true;
    Notify([](IClientObserver& o) { o.OnBeginReceivingData(); });
    long long total = 0;
    try {
        int received = data.Receive(m_buffer.data(), static_cast<int>(m_buffer.size()), m_timeout);
        while (!m_abortRequested && received != 0) {
            const size_t count = static_cast<size_t>(received);
            Notify([&](IClientObserver& o) { o.OnBytesReceived(m_buffer.data(), count); });
            notification.OnBytesReceived(m_buffer.data(), count);
            total += received;
            if (m_abortRequested || m_transferRefusal)
                break;
            received = data.Receive(m_buffer.data(), static_cast<int>(m_buffer.size()), m_timeout);
        }
    } catch (const CBlockingSocketException& e) {
        m_transferInProgress = false;
        ReportSocketError(e, __LINE__);
        data.Cleanup();
        return TransferResult::Failed;
    }
    if (m_transferRefusal) {
        m_transferInProgress = false;
        ReportError(m_transferRefusal, __LINE__);
        data.Cleanup();
        return TransferResult::Failed;
    }
    Notify([&](IClientObserver& o) { o.OnEndReceivingData(total); });
    m_transferInProgress = false;
    if (m_abortRequested) {
        Abort();
        return TransferResult::Aborted;
    }
    return TransferResult::Completed;
}

CFTPClient::TransferResult CFTPClient::SendData(IBlockingSocket& data, ITransferNotification& notification)
{
    m_transferInProgress = true;
    try {
        size_t count = 0;
        notification.OnPreBytesSend(m_buffer.data(), m_buffer.size(), count);
        while (!m_abortRequested && count != 0) {
            data.Write(m_buffer.data(), static_cast<int>(count), m_timeout);
            Notify([&](IClientObserver& o) { o.OnBytesSent(m_buffer.data(), count); });
            if (m_abortRequested)
                break;
            notification.OnPreBytesSend(m_buffer.data(), m_buffer.size(), count);
        }
    } catch (const CBlockingSocketException& e) {
        m_transferInProgress = false;
        ReportSocketError(e, __LINE__);
        data.Cleanup();
        return TransferResult::Failed;
    }
    m_transferInProgress = false;
    if (m_abortRequested) {
        Abort();
        return TransferResult::Aborted;
    }
    return TransferResult::Completed;
}

bool CFTPClient::TransferFile(const CDataCommand& command, const std::wstring& remote, CFile& file,
                              const CRepresentation& representation, bool passive, long long restartPosition)
{
    FileEnd end(file, *this);
    const bool transferred = ExecuteDataCommand(command, remote, representation, passive, restartPosition, end);
    if (file.Failed()) {
        ReportFileError(file.Error(), __LINE__);
        return false;
    }
    return transferred;
}

bool CFTPClient::DownloadFile(const std::wstring& remoteFile, const std::wstring& localFile,
                              const CRepresentation& representation, bool passive)
{
    return Guarded(false, [&] {
        // Checked first: "wb" would empty the local file before anything could
        // come. Servers answer SIZE only in the type the transfer will use.
        if (m_transferInProgress || !IsConnected() || !SetRepresentation(representation))
            return false;
        CFile file;
        if (!file.Open(localFile, m_resume ? L"ab" : L"wb")) {
            ReportFileError(GetLastError(), __LINE__);
            return false;
        }
        file.Seek(0, SEEK_END);
        long long remoteSize = 0;
        if (FileSize(remoteFile, remoteSize) != 0)
            remoteSize = 0;
        Notify([&](IClientObserver& o) { o.OnPreReceiveFile(remoteFile, localFile, remoteSize); });
        bool done = TransferFile(CDataCommand::Retrieve, remoteFile, file, representation, passive, file.Tell());
        Notify([&](IClientObserver& o) { o.OnPostReceiveFile(remoteFile, localFile, remoteSize); });
        // Buffered bytes that cannot be written out fail a download that
        // seemed done; after a failure its own error has been told.
        if (!file.Close() && done) {
            ReportFileError(file.Error(), __LINE__);
            done = false;
        }
        return done;
    });
}

bool CFTPClient::UploadFile(const std::wstring& localFile, const std::wstring& remoteFile, bool storeUnique,
                            const CRepresentation& representation, bool passive)
{
    return Guarded(false, [&] {
        if (m_transferInProgress || !IsConnected())
            return false;
        CFile file;
        if (!file.Open(localFile, L"rb")) {
            ReportFileError(GetLastError(), __LINE__);
            return false;
        }
        if (!SetRepresentation(representation))
            return false;
        file.Seek(0, SEEK_END);
        const long long length = file.Tell();

        // Resume only where the server holds a true beginning of the file;
        // anything else is sent whole.
        long long start = 0;
        long long remoteSize = 0;
        if (m_resume && FileSize(remoteFile, remoteSize) == 0 && remoteSize < length)
            start = remoteSize;
        const CDataCommand command = start > 0     ? CDataCommand::Append
                                     : storeUnique ? CDataCommand::StoreUnique
                                                   : CDataCommand::Store;
        if (!file.Seek(start, SEEK_SET))
            return false;
        Notify([&](IClientObserver& o) { o.OnPreSendFile(localFile, remoteFile, length); });
        const bool done = TransferFile(command, remoteFile, file, representation, passive, 0);
        Notify([&](IClientObserver& o) { o.OnPostSendFile(localFile, remoteFile, length); });
        return done;
    });
}

template <typename Each>
bool CFTPClient::ListInto(const CDataCommand& command, const std::wstring& path, bool passive, Each each)
{
    CBoundedListing stream(*this);
    if (!ExecuteDataCommand(command, path, kListing, passive, 0, stream))
        return false;
    stream.Rewind();
    std::wstring line;
    while (stream.GetNextLine(line))
        each(line);
    return true;
}

bool CFTPClient::List(const std::wstring& path, std::vector<std::wstring>& lines, bool passive)
{
    return Guarded(false, [&] {
        std::vector<std::wstring> result;
        if (!ListInto(CDataCommand::List, path, passive, [&](const std::wstring& line) { result.push_back(path + line); }))
            return false;
        lines.swap(result);
        return true;
    });
}

bool CFTPClient::NameList(const std::wstring& path, std::vector<std::wstring>& names, bool passive)
{
    return Guarded(false, [&] {
        std::vector<std::wstring> result;
        if (!ListInto(CDataCommand::NameList, path, passive,
                      [&](const std::wstring& line) { result.push_back(path + line); }))
            return false;
        names.swap(result);
        return true;
    });
}

bool CFTPClient::List(const std::wstring& path, TFTPFileStatusShPtrVec& statuses, bool passive)
{
    return Guarded(false, [&] {
        CListingParser parser;
        TFTPFileStatusShPtrVec result;
        const bool listed = ListInto(CDataCommand::List, path, passive, [&](const std::wstring& line) {
            CFTPFileStatus status;
            if (parser.Parse(status, line)) {
                status.path = path;
                result.emplace_back(new CFTPFileStatus(status));
            }
        });
        if (!listed)
            return false;
        statuses.swap(result);
        return true;
    });
}

bool CFTPClient::NameList(const std::wstring& path, TFTPFileStatusShPtrVec& statuses, bool passive)
{
    return Guarded(false, [&] {
        TFTPFileStatusShPtrVec result;
        const bool listed = ListInto(CDataCommand::NameList, path, passive, [&](const std::wstring& line) {
            auto* status = new CFTPFileStatus;
            status->path = path;
            status->name = line;
            result.emplace_back(status);
        });
        if (!listed)
            return false;
        statuses.swap(result);
        return true;
    });
}

bool CFTPClient::ParseListingLine(CFTPFileStatus& status, const std::wstring& line) const
{
    // Parsing touches no connection: a failure is only this line's.
    try {
        return CListingParser().Parse(status, line);
    } catch (...) {
        return false;
    }
}

}  // namespace nsFTP
