#include "textvote/vote/VoteImageUpload.h"

#include "chartcontrol/ChartScene.h"
#include "textvote/ftp/FTPClient.h"
#include "textvote/vote/VoteSettings.h"

bool UploadVoteImage(const VoteSettings& settings, unsigned short port, const std::wstring& localFile)
{
    nsFTP::CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), 10, 2048, 0);
    client.SetResumeMode(false);
    const nsFTP::CLogonRecord logon(TrimWhiteSpace(settings.ftpServer), port, TrimWhiteSpace(settings.ftpUsername),
                                    TrimWhiteSpace(settings.ftpPassword), L"");
    if (!client.Login(logon))
        return false;
    const std::wstring remoteFile = TrimWhiteSpace(settings.ftpFile);
    client.Delete(remoteFile);
    const bool stored = client.UploadFile(localFile, remoteFile, false,
                                          nsFTP::CRepresentation(nsFTP::CRepresentation::Type::Image), false);
    client.Logout();
    return stored;
}
