#include "textvote/ftp/Reply.h"

namespace nsFTP {

bool CReply::Set(const std::wstring& text)
{
    m_text = text;
    m_code.clear();
    if (text.size() >= 3 && text[0] >= L'1' && text[0] <= L'5' && text[1] >= L'0' && text[1] <= L'5')
        m_code = text.substr(0, 3);
    return IsValid();
}

}  // namespace nsFTP
