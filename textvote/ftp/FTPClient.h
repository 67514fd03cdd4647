#pragma once
// A blocking FTP client (RFC 959) over the socket interface: logon through
// nine kinds of firewall, one-command operations, and transfers over a
// passive or active data connection. Every wait is bounded by the time-out;
// no exception leaves it, allocation failures included: failures are false
// or -1, with the reason told to the observers. What it takes from a server
// is bounded (ClientLimits.h): a reply as a whole by the time-out and by
// size, a listing by size.
//
// Command results: 0 for a positive completion (2xx), 1 for a negative
// reply (4xx, 5xx), -1 when nothing was sent, no valid reply came, or the
// reply was of another class.

#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "textvote/ftp/ClientErrors.h"
#include "textvote/ftp/ClientObserver.h"
#include "textvote/ftp/FileStatus.h"
#include "textvote/ftp/LogonRecord.h"
#include "textvote/ftp/Reply.h"
#include "textvote/ftp/Representation.h"
#include "textvote/ftp/TransferNotification.h"
#include "textvote/socket/BlockingSocket.h"

namespace nsFTP {

class CFTPClient {
public:
    // Owns `socket`; the data connections are new instances of its class.
    explicit CFTPClient(std::unique_ptr<nsSocket::IBlockingSocket> socket = nsSocket::CreateDefaultBlockingSocket(),
                        unsigned timeoutSeconds = 10, unsigned bufferSize = 2048, unsigned replyWaitMs = 0);
    CFTPClient(const CFTPClient&) = delete;
    CFTPClient& operator=(const CFTPClient&) = delete;
    // Ends a transfer and logs out when still connected.
    virtual ~CFTPClient();

    bool AttachObserver(IClientObserver* observer);
    bool DetachObserver(IClientObserver* observer);

    // Resume (on at construction) continues uploads with APPE and downloads
    // with REST where the other side already holds the start of the file.
    void SetResumeMode(bool resume) { m_resume = resume; }
    bool IsResumeModeEnabled() const { return m_resume; }

    bool IsConnected() const;
    bool IsTransferringData() const { return m_transferInProgress; }

    bool Login(const CLogonRecord& logon);
    // Sends QUIT and always closes the control connection.
    int Logout();

    // Refuses text holding CR, LF or NUL, or text the code page cannot hold
    // exactly, before anything is sent.
    bool SendCommand(const std::wstring& command);
    bool GetResponse(CReply& reply);
    bool SendCommandAndGetReply(const std::wstring& command, CReply& reply);

    // Transfers.
    bool DownloadFile(const std::wstring& remoteFile, const std::wstring& localFile,
                      const CRepresentation& representation = CRepresentation(CRepresentation::Type::Image),
                      bool passive = true);
    bool UploadFile(const std::wstring& localFile, const std::wstring& remoteFile, bool storeUnique = false,
                    const CRepresentation& representation = CRepresentation(CRepresentation::Type::Image),
                    bool passive = true);
    // Each line, or name, is given with `path` before it.
    bool List(const std::wstring& path, std::vector<std::wstring>& lines, bool passive = true);
    bool NameList(const std::wstring& path, std::vector<std::wstring>& names, bool passive = true);
    // The lines that parse, each with `path` as its path.
    bool List(const std::wstring& path, TFTPFileStatusShPtrVec& statuses, bool passive = true);
    bool NameList(const std::wstring& path, TFTPFileStatusShPtrVec& statuses, bool passive = true);
    bool ExecuteDataCommand(const CDataCommand& command, const std::wstring& path,
                            const CRepresentation& representation, bool passive, long long restartPosition,
                            ITransferNotification& notification);
    bool ParseListingLine(CFTPFileStatus& status, const std::wstring& line) const;

    // One-command operations.
    int Rename(const std::wstring& from, const std::wstring& to);
    int ChangeToParentDirectory();
    int PrintWorkingDirectory();
    int System();
    int Noop();
    int ChangeWorkingDirectory(const std::wstring& directory);
    int MakeDirectory(const std::wstring& directory);
    int SiteParameters(const std::wstring& parameters);
    int Help(const std::wstring& topic);
    int Delete(const std::wstring& file);
    int RemoveDirectory(const std::wstring& directory);
    // 'F', 'R' or 'P'.
    int FileStructure(wchar_t structure);
    // 'S', 'B' or 'C'.
    int TransferMode(wchar_t mode);
    int Status(const std::wstring& path);
    int Allocate(long long bytes, std::optional<long long> recordSize = std::nullopt);
    int StructureMount(const std::wstring& path);
    int Reinitialize();
    int Restart(long long position);
    // Only a 213 reply gives a size.
    int FileSize(const std::wstring& path, long long& size);
    int FileModificationTime(const std::wstring& path, std::wstring& stamp);
    // The stamp's year, month, day, hour, minute and second as written.
    int FileModificationTime(const std::wstring& path, SYSTEMTIME& time);
    // During a transfer only asks the transfer loop to stop.
    int Abort();
    int RepresentationType(const CRepresentation& representation, unsigned byteSize = 8);
    int DataPort(const std::wstring& hostAddress, unsigned short port);
    // The address and port of the PASV reply (address in host order).
    int Passive(unsigned long& address, unsigned short& port);

private:
    enum class TransferResult { Completed, Failed, Aborted };
    using Clock = std::chrono::steady_clock;
    class CBoundedListing;

    // Runs one public operation: any exception, an allocation failure or an
    // observer's, ends it as `failure` with the control connection dropped,
    // since what it was in the middle of is then unknown.
    template <typename Result, typename Body>
    Result Guarded(Result failure, Body&& body) noexcept;
    void Abandon(const wchar_t* reason) noexcept;
    bool WriteCommand(const std::wstring& command);
    bool ReadReply(CReply& reply);

    bool OpenControlConnection(const std::wstring& host, unsigned short port);
    void CloseControlConnection();
    // Cleans the control socket up and forgets what belonged to it.
    void DropControlConnection();
    // `deadline` bounds the wait for the line, and the reply it belongs to;
    // `replyStarted` when earlier lines of that reply have come.
    bool ReadLine(std::wstring& line, Clock::time_point deadline, bool replyStarted);
    // False when the server has closed the connection.
    bool ReceiveIntoPending(unsigned timeoutSeconds);
    int SimpleCommand(const std::wstring& command);
    static int ResultOf(const CReply& reply);
    bool WalkLogonTable();

    bool SetRepresentation(const CRepresentation& representation);
    bool OpenActiveDataConnection(nsSocket::IBlockingSocket& data, const CDataCommand& command,
                                  const std::wstring& path, long long restartPosition);
    bool OpenPassiveDataConnection(nsSocket::IBlockingSocket& data, const CDataCommand& command,
                                   const std::wstring& path, long long restartPosition);
    bool SendDataCommand(const CDataCommand& command, const std::wstring& path, long long restartPosition);
    TransferResult ReceiveData(nsSocket::IBlockingSocket& data, ITransferNotification& notification);
    TransferResult SendData(nsSocket::IBlockingSocket& data, ITransferNotification& notification);
    void DrainPendingReply();
    bool TransferFile(const CDataCommand& command, const std::wstring& remote, CFile& file,
                      const CRepresentation& representation, bool passive, long long restartPosition);
    template <typename Each>
    bool ListInto(const CDataCommand& command, const std::wstring& path, bool passive, Each each);

    void ReportError(const std::wstring& message, unsigned line);
    void ReportSocketError(const nsSocket::CBlockingSocketException& e, unsigned line);
    void ReportFileError(unsigned long error, unsigned line);
    void Notify(const std::function<void(IClientObserver&)>& notice);

    const unsigned m_timeout;
    const unsigned m_replyWait;
    const std::wstring m_lineEnd = L"\r\n";
    std::vector<char> m_buffer;
    std::deque<std::string> m_lines;
    // Bytes of a line whose line feed has not come yet.
    std::string m_partialLine;
    std::optional<CRepresentation> m_representation;
    std::unique_ptr<nsSocket::IBlockingSocket> m_socket;
    sockaddr_in m_controlPeer{};
    bool m_transferInProgress = false;
    bool m_abortRequested = false;
    // Set when the receiving side refuses more data: the transfer fails with this.
    const wchar_t* m_transferRefusal = nullptr;
    // A data command was accepted with a 1xx and its final reply is still due.
    bool m_finalReplyPending = false;
    bool m_resume = true;
    std::set<IClientObserver*> m_observers;
    CLogonRecord m_logon;
};

template <typename Result, typename Body>
Result CFTPClient::Guarded(Result failure, Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        Abandon(kOutOfMemory);
    } catch (...) {
        Abandon(kUnexpectedFailure);
    }
    return failure;
}

}  // namespace nsFTP
