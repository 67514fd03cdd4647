#pragma once
// The statistics page through the system's URL download service.

#include <string>

// The most of the vote service's answer that is taken. Its page is a few
// items long; a longer answer is no statistics page, and reading and
// parsing it would cost the host several times its size.
constexpr long long kMaxVotePageBytes = 1024 * 1024;

enum class VotePageDownload { Downloaded, Failed, TooLarge };

// Downloads the address into `file`, asking for a fresh copy each time.
// Failed when the address holds a CR or LF (then nothing is requested), when
// the download fails, or when the server answers with an HTTP status of 400
// or above (the service saves such an error page as if it were the answer:
// the caller's file holds it then). TooLarge when the answer grows past
// kMaxVotePageBytes: the download is broken off there.
VotePageDownload DownloadVotePage(const std::wstring& address, const std::wstring& file);
