#include "textvote/ftp/TransferNotification.h"

#include <windows.h>

namespace nsFTP {

void COutputStream::OnBytesReceived(const char* data, size_t count)
{
    m_text.reserve(m_text.size() + count);
    for (size_t i = 0; i < count; ++i)
        m_text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(data[i])));
}

bool COutputStream::GetNextLine(std::wstring& line)
{
    if (m_position >= m_text.size())
        return false;
    const size_t end = m_lineEnd.empty() ? std::wstring::npos : m_text.find(m_lineEnd, m_position);
    const size_t feed = m_text.find(L'\n', m_position);
    size_t lineEnd;
    size_t next;
    if (end != std::wstring::npos && end <= feed) {
        lineEnd = end;
        next = end + m_lineEnd.size();
    } else if (feed != std::wstring::npos) {
        lineEnd = feed > m_position && m_text[feed - 1] == L'\r' ? feed - 1 : feed;
        next = feed + 1;
    } else {
        lineEnd = next = m_text.size();
    }
    line = m_text.substr(m_position, lineEnd - m_position);
    m_position = next;
    return true;
}

bool CFile::Open(const std::wstring& path, const std::wstring& mode)
{
    Close();
    m_failed = false;
    m_error = 0;
    m_file = _wfopen(path.c_str(), mode.c_str());
    return m_file != nullptr;
}

bool CFile::Close()
{
    if (!m_file)
        return true;
    // Flushed apart: not every C library's fclose reports a failed flush.
    const bool flushed = fflush(m_file) == 0;
    if (!flushed && !m_failed)
        m_error = GetLastError();
    const bool closed = fclose(m_file) == 0;
    m_file = nullptr;
    return flushed && closed;
}

bool CFile::Seek(long long offset, int origin)
{
    return m_file && _fseeki64(m_file, offset, origin) == 0;
}

long long CFile::Tell() const
{
    return m_file ? _ftelli64(m_file) : -1;
}

size_t CFile::Write(const char* data, size_t count)
{
    return m_file ? fwrite(data, 1, count, m_file) : 0;
}

size_t CFile::Read(char* buffer, size_t count)
{
    return m_file ? fread(buffer, 1, count, m_file) : 0;
}

void CFile::Fail()
{
    if (!m_failed)
        m_error = GetLastError();
    m_failed = true;
}

void CFile::OnBytesReceived(const char* data, size_t count)
{
    if (Write(data, count) != count)
        Fail();
}

void CFile::OnPreBytesSend(char* buffer, size_t capacity, size_t& count)
{
    count = Read(buffer, capacity);
    if (count < capacity && (!m_file || ferror(m_file)))
        Fail();
}

}  // namespace nsFTP
