#pragma once
// The statistics page through the system's URL download service.

#include <string>

// Downloads the address into `file`, asking for a fresh copy each time.
// False when the address holds a CR or LF (then nothing is requested), when
// the download fails, or when the server answers with an HTTP status of 400
// or above (the service saves such an error page as if it were the answer:
// the caller's file holds it then).
bool DownloadVotePage(const std::wstring& address, const std::wstring& file);
