#include "textvote/ftp/TransferNotification.h"

#include <windows.h>

#include <algorithm>

namespace nsFTP {

namespace {

using Bytes = std::deque<char>;

std::wstring Widened(Bytes::const_iterator from, Bytes::const_iterator to)
{
    std::wstring text;
    text.reserve(static_cast<size_t>(to - from));
    for (; from != to; ++from)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*from)));
    return text;
}

}  // namespace

COutputStream::COutputStream(const std::wstring& lineEnd)
{
    for (const wchar_t c : lineEnd) {
        if (c > 0xFF) {
            m_lineEnd.clear();
            break;
        }
        m_lineEnd.push_back(static_cast<char>(c));
    }
}

void COutputStream::OnBytesReceived(const char* data, size_t count)
{
    m_bytes.insert(m_bytes.end(), data, data + count);
}

std::wstring COutputStream::GetBuffer() const
{
    return Widened(m_bytes.begin(), m_bytes.end());
}

bool COutputStream::GetNextLine(std::wstring& line)
{
    if (m_position >= m_bytes.size())
        return false;
    const Bytes::const_iterator begin = m_bytes.begin() + static_cast<ptrdiff_t>(m_position);
    const Bytes::const_iterator end = m_bytes.end();
    const Bytes::const_iterator feed = std::find(begin, end, '\n');
    // The line end is looked for only as far as it could reach past the
    // first line feed, so each line costs its own length, not the rest's.
    const Bytes::const_iterator limit =
        feed == end ? end : feed + std::min<ptrdiff_t>(static_cast<ptrdiff_t>(m_lineEnd.size()), end - feed);
    const Bytes::const_iterator match =
        m_lineEnd.empty() ? limit : std::search(begin, limit, m_lineEnd.begin(), m_lineEnd.end());
    Bytes::const_iterator lineEnd;
    Bytes::const_iterator next;
    if (match != limit && match <= feed) {
        lineEnd = match;
        next = match + static_cast<ptrdiff_t>(m_lineEnd.size());
    } else if (feed != end) {
        lineEnd = feed > begin && *(feed - 1) == '\r' ? feed - 1 : feed;
        next = feed + 1;
    } else {
        lineEnd = next = end;
    }
    line = Widened(begin, lineEnd);
    m_position = static_cast<size_t>(next - m_bytes.begin());
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
