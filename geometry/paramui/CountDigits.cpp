#include "geometry/paramui/CountDigits.h"

DigitCounts CountDigits(const std::wstring& text)
{
    DigitCounts counts;
    bool afterPoint = false;
    for (wchar_t c : text) {
        if (c == L'.' && !afterPoint)
            afterPoint = true;
        else if (c >= L'0' && c <= L'9')
            ++(afterPoint ? counts.fractionDigits : counts.integerDigits);
    }
    return counts;
}
