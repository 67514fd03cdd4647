#pragma once
// The rendered vote image onto the FTP server.

#include <string>

struct VoteSettings;

// Logs on to the settings' server (their fields trimmed) at `port`, deletes
// the remote file, stores the whole local file under its name and logs out.
// Never resumes: a remote file that survived the delete is overwritten, not
// appended to. False, and a log line with the reason, when the logon or the
// transfer failed.
bool UploadVoteImage(const VoteSettings& settings, unsigned short port, const std::wstring& localFile);
