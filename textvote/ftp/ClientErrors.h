#pragma once
// The client's own error texts and the source name its errors carry.

namespace nsFTP {

inline const wchar_t* const kErrorSourceFile = L".\\FTP\\FTPClient.cpp";
inline const wchar_t* const kLogonFailed = L"Logon failed.";
inline const wchar_t* const kCommandHoldsLineBreak = L"Command refused: it holds a line break or NUL.";
inline const wchar_t* const kCommandNotInCodePage = L"Command refused: it does not convert exactly to 8-bit text.";
inline const wchar_t* const kConnectionClosed = L"The server closed the connection.";
inline const wchar_t* const kAcceptTimeout = L"Accept timeout";
inline const wchar_t* const kLocalFileError = L"Local file error.";
inline const wchar_t* const kReplyTimeout = L"Reply timeout: the reply did not end within the time-out.";
inline const wchar_t* const kReplyTooLong = L"Reply refused: over 64 KB or 1000 lines.";
inline const wchar_t* const kListingTooLong = L"Listing refused: over 64 MB or 1000000 lines.";
inline const wchar_t* const kOutOfMemory = L"Out of memory.";
inline const wchar_t* const kUnexpectedFailure = L"Unexpected failure.";

}  // namespace nsFTP
