#include "common/xml/XmlName.h"

namespace {

bool InRange(unsigned c, unsigned first, unsigned last)
{
    return c >= first && c <= last;
}

bool IsNameStart(unsigned c)
{
    return InRange(c, 'A', 'Z') || InRange(c, 'a', 'z') || c == '_' || InRange(c, 0xC0, 0xD6) ||
           InRange(c, 0xD8, 0xF6) || InRange(c, 0xF8, 0x2FF) || InRange(c, 0x370, 0x37D) ||
           InRange(c, 0x37F, 0x1FFF) || InRange(c, 0x200C, 0x200D) || InRange(c, 0x2070, 0x218F) ||
           InRange(c, 0x2C00, 0x2FEF) || InRange(c, 0x3001, 0xD7FF) || InRange(c, 0xF900, 0xFDCF) ||
           InRange(c, 0xFDF0, 0xFFFD) || InRange(c, 0x10000, 0xEFFFF);
}

bool IsNameChar(unsigned c)
{
    return IsNameStart(c) || c == '-' || c == '.' || InRange(c, '0', '9') || c == 0xB7 ||
           InRange(c, 0x300, 0x36F) || InRange(c, 0x203F, 0x2040);
}

}  // namespace

bool IsXmlName(const std::wstring& name)
{
    if (name.empty())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const bool first = i == 0;
        unsigned c = static_cast<unsigned short>(name[i]);
        if (InRange(c, 0xD800, 0xDBFF) && i + 1 < name.size() && InRange(name[i + 1], 0xDC00, 0xDFFF)) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<unsigned short>(name[i + 1]) - 0xDC00);
            ++i;
        }
        if (first ? !IsNameStart(c) : !IsNameChar(c))
            return false;
    }
    return true;
}
