#include "textvote/ftp/Representation.h"

namespace nsFTP {

std::wstring CDataCommand::Text(const std::wstring& path) const
{
    static const wchar_t* const kWords[] = {L"LIST", L"NLST", L"RETR", L"STOR", L"STOU", L"APPE"};
    const std::wstring word = kWords[m_value];
    if (path.empty() && (m_value == List || m_value == NameList))
        return word;
    return word + L" " + path;
}

}  // namespace nsFTP
