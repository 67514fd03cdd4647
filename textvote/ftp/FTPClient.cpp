#include "textvote/ftp/FTPClient.h"

#include <algorithm>
#include <chrono>
#include <cwchar>

#include "base/text/TextConversion.h"
#include "textvote/ftp/ClientErrors.h"
#include "textvote/ftp/ClientLimits.h"
#include "textvote/ftp/DecimalText.h"

namespace nsFTP {

using nsSocket::CBlockingSocketException;

namespace {

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix)
{
    const size_t length = wcslen(prefix);
    return text.size() >= length && _wcsnicmp(text.c_str(), prefix, length) == 0;
}

// What observers are told: a password or account never shows.
std::wstring Masked(const std::wstring& command)
{
    if (StartsWithNoCase(command, L"PASS ") || StartsWithNoCase(command, L"ACCT "))
        return command.substr(0, 5) + L"******";
    return command;
}

}  // namespace

CFTPClient::CFTPClient(std::unique_ptr<nsSocket::IBlockingSocket> socket, unsigned timeoutSeconds,
                       unsigned bufferSize, unsigned replyWaitMs)
    : m_timeout(timeoutSeconds), m_replyWait(replyWaitMs), m_buffer(std::max(bufferSize, 2u)),
      m_socket(std::move(socket))
{
}

CFTPClient::~CFTPClient()
{
    if (m_transferInProgress)
        m_abortRequested = true;
    if (IsConnected())
        Logout();
    for (IClientObserver* observer : m_observers)
        observer->m_clients.erase(this);
}

bool CFTPClient::AttachObserver(IClientObserver* observer)
{
    if (!observer)
        return false;
    // Both sides know of the attachment, or neither does.
    try {
        if (!m_observers.insert(observer).second)
            return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    try {
        observer->m_clients.insert(this);
    } catch (const std::bad_alloc&) {
        m_observers.erase(observer);
        return false;
    }
    return true;
}

bool CFTPClient::DetachObserver(IClientObserver* observer)
{
    if (m_observers.erase(observer) == 0)
        return false;
    observer->m_clients.erase(this);
    return true;
}

void CFTPClient::Notify(const std::function<void(IClientObserver&)>& notice)
{
    // An observer may detach itself, or others, while it is told.
    const std::set<IClientObserver*> observers = m_observers;
    for (IClientObserver* observer : observers)
        if (m_observers.count(observer))
            notice(*observer);
}

void CFTPClient::Abandon(const wchar_t* reason) noexcept
{
    m_transferInProgress = false;
    DropControlConnection();
    try {
        ReportError(reason, __LINE__);
    } catch (...) {
        // Telling is best effort when memory has run out.
    }
}

void CFTPClient::ReportError(const std::wstring& message, unsigned line)
{
    Notify([&](IClientObserver& o) { o.OnInternalError(message, kErrorSourceFile, line); });
}

void CFTPClient::ReportSocketError(const CBlockingSocketException& e, unsigned line)
{
    ReportError(e.Message(), line);
}

bool CFTPClient::IsConnected() const
{
    return m_socket && static_cast<SOCKET>(*m_socket) != 0;
}

bool CFTPClient::OpenControlConnection(const std::wstring& host, unsigned short port)
{
    CloseControlConnection();
    if (!m_socket)
        return false;
    try {
        m_socket->Create(SOCK_STREAM);
        m_controlPeer = m_socket->GetHostByName(host.c_str(), port, m_timeout);
        m_socket->Connect(m_controlPeer, m_timeout);
    } catch (const CBlockingSocketException& e) {
        ReportSocketError(e, __LINE__);
        DropControlConnection();
        return false;
    }
    return true;
}

void CFTPClient::CloseControlConnection()
{
    if (!m_socket)
        return;
    try {
        m_socket->Close();
    } catch (const CBlockingSocketException&) {
        m_socket->Cleanup();
    }
    DropControlConnection();
}

void CFTPClient::DropControlConnection()
{
    if (m_socket)
        m_socket->Cleanup();
    m_representation.reset();
    m_lines.clear();
    m_partialLine.clear();
    m_finalReplyPending = false;
}

bool CFTPClient::SendCommand(const std::wstring& command)
{
    return Guarded(false, [&] { return WriteCommand(command); });
}

bool CFTPClient::WriteCommand(const std::wstring& command)
{
    if (!IsConnected())
        return false;
    // A line break would smuggle a second command in; a NUL would cut this one.
    if (command.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos) {
        ReportError(kCommandHoldsLineBreak, __LINE__);
        return false;
    }
    std::optional<std::string> bytes = ExactWideToNarrow(command, CP_ACP);
    if (!bytes) {
        ReportError(kCommandNotInCodePage, __LINE__);
        return false;
    }
    const std::wstring shown = Masked(command);
    Notify([&](IClientObserver& o) { o.OnSendCommand(shown); });
    *bytes += "\r\n";
    try {
        m_socket->Write(bytes->data(), static_cast<int>(bytes->size()), m_timeout);
    } catch (const CBlockingSocketException& e) {
        ReportSocketError(e, __LINE__);
        DropControlConnection();
        return false;
    }
    return true;
}

bool CFTPClient::ReceiveIntoPending(unsigned timeoutSeconds)
{
    const int room = static_cast<int>(m_buffer.size()) - 1;
    bool open = true;
    int received;
    do {
        received = m_socket->Receive(m_buffer.data(), room, timeoutSeconds);
        if (m_replyWait > 0)
            Sleep(m_replyWait);
        if (received == 0) {
            open = false;
            break;
        }
        m_partialLine.append(m_buffer.data(), received);
        // A server that never stops sending must not keep this loop going.
    } while (received == room && m_partialLine.size() <= kMaxReplyBytes && m_socket->CheckReadability());

    size_t start = 0;
    for (size_t feed; (feed = m_partialLine.find('\n', start)) != std::string::npos; start = feed + 1)
        m_lines.push_back(m_partialLine.substr(start, feed + 1 - start));
    m_partialLine.erase(0, start);
    return open;
}

bool CFTPClient::ReadLine(std::wstring& line, Clock::time_point deadline, bool replyStarted)
{
    if (!IsConnected())
        return false;
    try {
        while (m_lines.empty()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                ReportError(kReplyTimeout, __LINE__);
                DropControlConnection();
                return false;
            }
            if (!ReceiveIntoPending(static_cast<unsigned>((left.count() + 999) / 1000))) {
                if (m_partialLine.empty() && m_lines.empty()) {
                    ReportError(kConnectionClosed, __LINE__);
                    DropControlConnection();
                    return false;
                }
                m_lines.push_back(m_partialLine);
                m_partialLine.clear();
            }
            if (m_partialLine.size() > kMaxReplyBytes) {
                ReportError(kReplyTooLong, __LINE__);
                DropControlConnection();
                return false;
            }
        }
    } catch (const CBlockingSocketException& e) {
        // With part of the reply in, it is the reply that did not end in time.
        if (e.Operation() == L"Receive timeout" && (replyStarted || !m_partialLine.empty()))
            ReportError(kReplyTimeout, __LINE__);
        else
            ReportSocketError(e, __LINE__);
        DropControlConnection();
        return false;
    }
    std::string bytes = m_lines.front();
    m_lines.pop_front();
    if (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0)
        bytes.erase(bytes.size() - 2);
    else if (!bytes.empty() && bytes.back() == '\n')
        bytes.pop_back();
    line = NarrowToWide(bytes, CP_ACP);
    return true;
}

bool CFTPClient::GetResponse(CReply& reply)
{
    return Guarded(false, [&] { return ReadReply(reply); });
}

bool CFTPClient::ReadReply(CReply& reply)
{
    // One time-out for the whole reply, however its lines trickle in; a line
    // split across receives is joined within it.
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(m_timeout);
    std::wstring line;
    if (!ReadLine(line, deadline, false))
        return false;
    std::wstring text = line;
    if (line.size() > 3 && line[3] == L'-') {
        const long long code = LeadingNumber(line);
        for (size_t lines = 1;;) {
            if (!ReadLine(line, deadline, true))
                return false;
            text += L"\r\n" + line;
            ++lines;
            if (line.size() > 3 && line[3] == L' ' && LeadingNumber(line) == code)
                break;
            // Its rest would answer the next commands: the connection goes.
            if (lines >= kMaxReplyLines || text.size() > kMaxReplyBytes) {
                ReportError(kReplyTooLong, __LINE__);
                DropControlConnection();
                return false;
            }
        }
    }
    reply.Set(text);
    Notify([&](IClientObserver& o) { o.OnResponse(reply); });
    return reply.IsValid();
}

bool CFTPClient::SendCommandAndGetReply(const std::wstring& command, CReply& reply)
{
    return SendCommand(command) && GetResponse(reply);
}

int CFTPClient::ResultOf(const CReply& reply)
{
    if (reply.IsPositiveCompletionReply())
        return 0;
    return reply.IsNegativeReply() ? 1 : -1;
}

int CFTPClient::SimpleCommand(const std::wstring& command)
{
    CReply reply;
    if (!SendCommandAndGetReply(command, reply))
        return -1;
    return ResultOf(reply);
}

int CFTPClient::Logout()
{
    return Guarded(-1, [&] {
        CReply reply;
        const int result = SendCommandAndGetReply(L"QUIT", reply) ? ResultOf(reply) : -1;
        CloseControlConnection();
        return result;
    });
}

int CFTPClient::Rename(const std::wstring& from, const std::wstring& to)
{
    return Guarded(-1, [&] {
        CReply reply;
        if (!SendCommandAndGetReply(L"RNFR " + from, reply))
            return -1;
        if (reply.IsNegativeReply())
            return 1;
        if (!reply.IsPositiveIntermediateReply())
            return -1;
        return SimpleCommand(L"RNTO " + to);
    });
}

int CFTPClient::ChangeToParentDirectory()
{
    return Guarded(-1, [&] { return SimpleCommand(L"CDUP"); });
}

int CFTPClient::PrintWorkingDirectory()
{
    return Guarded(-1, [&] { return SimpleCommand(L"PWD"); });
}

int CFTPClient::System()
{
    return Guarded(-1, [&] { return SimpleCommand(L"SYST"); });
}

int CFTPClient::Noop()
{
    return Guarded(-1, [&] { return SimpleCommand(L"NOOP"); });
}

int CFTPClient::ChangeWorkingDirectory(const std::wstring& directory)
{
    return Guarded(-1, [&] { return SimpleCommand(L"CWD " + directory); });
}

int CFTPClient::MakeDirectory(const std::wstring& directory)
{
    return Guarded(-1, [&] { return SimpleCommand(L"MKD " + directory); });
}

int CFTPClient::SiteParameters(const std::wstring& parameters)
{
    return Guarded(-1, [&] { return SimpleCommand(L"SITE " + parameters); });
}

int CFTPClient::Help(const std::wstring& topic)
{
    return Guarded(-1, [&] { return SimpleCommand(topic.empty() ? L"HELP" : L"HELP " + topic); });
}

int CFTPClient::Delete(const std::wstring& file)
{
    return Guarded(-1, [&] { return SimpleCommand(L"DELE " + file); });
}

int CFTPClient::RemoveDirectory(const std::wstring& directory)
{
    return Guarded(-1, [&] { return SimpleCommand(L"RMD " + directory); });
}

int CFTPClient::FileStructure(wchar_t structure)
{
    return Guarded(-1, [&] {
        if (structure != L'F' && structure != L'R' && structure != L'P')
            return -1;
        return SimpleCommand(std::wstring(L"STRU ") + structure);
    });
}

int CFTPClient::TransferMode(wchar_t mode)
{
    return Guarded(-1, [&] {
        if (mode != L'S' && mode != L'B' && mode != L'C')
            return -1;
        return SimpleCommand(std::wstring(L"MODE ") + mode);
    });
}

int CFTPClient::Status(const std::wstring& path)
{
    return Guarded(-1, [&] { return SimpleCommand(path.empty() ? L"STAT" : L"STAT " + path); });
}

int CFTPClient::Allocate(long long bytes, std::optional<long long> recordSize)
{
    return Guarded(-1, [&] {
        std::wstring command = L"ALLO " + std::to_wstring(bytes);
        if (recordSize)
            command += L" R " + std::to_wstring(*recordSize);
        return SimpleCommand(command);
    });
}

int CFTPClient::StructureMount(const std::wstring& path)
{
    return Guarded(-1, [&] { return SimpleCommand(L"SMNT " + path); });
}

int CFTPClient::Reinitialize()
{
    return Guarded(-1, [&] {
        CReply reply;
        if (!SendCommandAndGetReply(L"REIN", reply))
            return -1;
        if (reply.IsPositivePreliminaryReply())
            return GetResponse(reply) && reply.IsPositiveCompletionReply() ? 0 : -1;
        return ResultOf(reply);
    });
}

int CFTPClient::Restart(long long position)
{
    return Guarded(-1, [&] {
        CReply reply;
        if (!SendCommandAndGetReply(L"REST " + std::to_wstring(position), reply))
            return -1;
        if (reply.IsPositiveIntermediateReply())
            return 0;
        return reply.IsNegativeReply() ? 1 : -1;
    });
}

int CFTPClient::FileSize(const std::wstring& path, long long& size)
{
    return Guarded(-1, [&] {
        CReply reply;
        if (!SendCommandAndGetReply(L"SIZE " + path, reply))
            return -1;
        const int result = ResultOf(reply);
        if (result != 0)
            return result;
        // "550 5 files missing" is no size: only the file-status reply is.
        const std::wstring& text = reply.Value();
        if (reply.Code() != L"213" || text.size() < 5 || !IsDecimalDigit(text[4]))
            return -1;
        size = LeadingNumber(text.substr(4));
        return 0;
    });
}

int CFTPClient::FileModificationTime(const std::wstring& path, std::wstring& stamp)
{
    return Guarded(-1, [&] {
        CReply reply;
        if (!SendCommandAndGetReply(L"MDTM " + path, reply))
            return -1;
        const int result = ResultOf(reply);
        if (result != 0)
            return result;
        std::wstring text = reply.Value();
        // A fraction of a second after the 14 digits is dropped.
        if (text.size() > 18 && text[18] == L'.')
            text.erase(18);
        if (text.size() <= 17 || text.size() - 4 != 14)
            return -1;
        stamp = text.substr(4);
        return 0;
    });
}

int CFTPClient::FileModificationTime(const std::wstring& path, SYSTEMTIME& time)
{
    return Guarded(-1, [&] {
        std::wstring stamp;
        const int result = FileModificationTime(path, stamp);
        if (result != 0)
            return result;
        if (!std::all_of(stamp.begin(), stamp.end(), IsDecimalDigit))
            return -1;
        auto number = [&](size_t at, size_t length) {
            return static_cast<WORD>(LeadingNumber(stamp.substr(at, length)));
        };
        time = SYSTEMTIME{};
        time.wYear = number(0, 4);
        time.wMonth = number(4, 2);
        time.wDay = number(6, 2);
        time.wHour = number(8, 2);
        time.wMinute = number(10, 2);
        time.wSecond = number(12, 2);
        return 0;
    });
}

int CFTPClient::Abort()
{
    return Guarded(-1, [&] {
        if (m_transferInProgress) {
            m_abortRequested = true;
            return 0;
        }
        m_abortRequested = false;
        CReply reply;
        if (!SendCommandAndGetReply(L"ABOR", reply))
            return -1;
        // During a transfer the server answers twice: the transfer's own final
        // reply (426, or 226 when it had already finished), then the ABOR's.
        if (m_finalReplyPending) {
            m_finalReplyPending = false;
            if (!GetResponse(reply))
                return -1;
        }
        return ResultOf(reply);
    });
}

int CFTPClient::RepresentationType(const CRepresentation& representation, unsigned byteSize)
{
    return Guarded(-1, [&] {
        std::wstring command;
        switch (representation.TypeCode()) {
        case CRepresentation::Type::Ascii:
            command = L"TYPE A";
            break;
        case CRepresentation::Type::Ebcdic:
            command = L"TYPE E";
            break;
        case CRepresentation::Type::Image:
            command = L"TYPE I";
            break;
        case CRepresentation::Type::LocalByte:
            command = L"TYPE L " + std::to_wstring(byteSize);
            break;
        default:
            return -1;
        }
        const CRepresentation::Type type = representation.TypeCode();
        if (type == CRepresentation::Type::Ascii || type == CRepresentation::Type::Ebcdic) {
            switch (representation.FormatCode()) {
            case CRepresentation::Format::NonPrint:
                command += L" N";
                break;
            case CRepresentation::Format::TelnetFormat:
                command += L" T";
                break;
            case CRepresentation::Format::CarriageControl:
                command += L" C";
                break;
            default:
                return -1;
            }
        }
        const int result = SimpleCommand(command);
        if (result == 0)
            m_representation = representation;
        return result;
    });
}

int CFTPClient::DataPort(const std::wstring& hostAddress, unsigned short port)
{
    return Guarded(-1, [&] {
        std::wstring host = hostAddress;
        std::replace(host.begin(), host.end(), L'.', L',');
        return SimpleCommand(L"PORT " + host + L"," + std::to_wstring(port >> 8) + L"," + std::to_wstring(port & 0xFF));
    });
}

int CFTPClient::Passive(unsigned long& address, unsigned short& port)
{
    return Guarded(-1, [&] {
        CReply reply;
        if (!SendCommandAndGetReply(L"PASV", reply))
            return -1;
        const int result = ResultOf(reply);
        if (result != 0)
            return result;
        const std::wstring& text = reply.Value();
        size_t pos = text.find(L'(');
        if (pos == std::wstring::npos)
            return -1;
        unsigned numbers[6];
        for (int i = 0; i < 6; ++i) {
            ++pos;
            unsigned value = 0;
            size_t digits = 0;
            for (; pos < text.size() && IsDecimalDigit(text[pos]); ++pos, ++digits) {
                value = value * 10 + (text[pos] - L'0');
                if (value > 255)
                    return -1;
            }
            const wchar_t expected = i < 5 ? L',' : L')';
            if (digits == 0 || pos >= text.size() || text[pos] != expected)
                return -1;
            numbers[i] = value;
        }
        address = (numbers[0] << 24) | (numbers[1] << 16) | (numbers[2] << 8) | numbers[3];
        port = static_cast<unsigned short>(numbers[4] * 256 + numbers[5]);
        return 0;
    });
}

}  // namespace nsFTP
