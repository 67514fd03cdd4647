#include "textvote/vote/VoteImageUpload.h"

#include "textvote/ftp/FTPClient.h"  // first: winsock2.h before windows.h

#include "chartcontrol/ChartScene.h"
#include "chartcontrol/ControlLog.h"
#include "textvote/ftp/ClientObserver.h"
#include "textvote/ftp/Reply.h"
#include "textvote/vote/VoteSettings.h"

namespace {

// Why the client failed: its last error or the server's last refusal.
class CFailureReason : public nsFTP::IClientObserver {
public:
    void OnInternalError(const std::wstring& message, const std::wstring&, unsigned) override { m_reason = message; }
    void OnResponse(const nsFTP::CReply& reply) override
    {
        if (reply.IsNegativeReply())
            m_reason = reply.Value();
    }
    std::wstring Text() const { return m_reason.empty() ? L"no reason given" : m_reason; }

private:
    std::wstring m_reason;
};

}  // namespace

bool UploadVoteImage(const VoteSettings& settings, unsigned short port, const std::wstring& localFile)
{
    nsFTP::CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), 10, 2048, 0);
    CFailureReason reason;
    client.AttachObserver(&reason);
    client.SetResumeMode(false);
    const std::wstring server = TrimWhiteSpace(settings.ftpServer);
    const std::wstring remoteFile = TrimWhiteSpace(settings.ftpFile);
    const nsFTP::CLogonRecord logon(server, port, TrimWhiteSpace(settings.ftpUsername),
                                    TrimWhiteSpace(settings.ftpPassword), L"");
    bool stored = false;
    if (client.Login(logon)) {
        client.Delete(remoteFile);
        stored = client.UploadFile(localFile, remoteFile, false,
                                   nsFTP::CRepresentation(nsFTP::CRepresentation::Type::Image), false);
        client.Logout();
    }
    // On air nobody watches the server: the log is where a lost upload shows.
    if (!stored)
        PostLogLine(L"Error: The image %s was not uploaded to %s as %s: %s", localFile.c_str(), server.c_str(),
                    remoteFile.c_str(), reason.Text().c_str());
    return stored;
}
