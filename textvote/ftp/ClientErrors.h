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

}  // namespace nsFTP
