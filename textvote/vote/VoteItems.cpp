#include "textvote/vote/VoteItems.h"

#include <algorithm>

#include "chartcontrol/ChartScene.h"
#include "common/storedvalues/CNumbers.h"

bool VoteItemValue(const std::string& item, double& value)
{
    const size_t colon = item.find(':');
    if (colon == std::string::npos)
        return false;
    std::wstring text;
    for (size_t i = colon + 1; i < item.size(); ++i)
        text += static_cast<wchar_t>(static_cast<unsigned char>(item[i]));
    std::wstring number = TrimWhiteSpace(text);
    number.erase(std::remove(number.begin(), number.end(), L'%'), number.end());
    double parsed = 0;
    if (!ParseLeadingCDecimal(number, parsed))
        parsed = 0;
    value = std::clamp(parsed, 0.0, 100.0);
    return true;
}

void ParseVoteItems(const std::string& page, VoteValues& values)
{
    size_t position = 0;
    for (size_t slot = 0; slot < kVoteItemCount; ++slot) {
        const size_t open = page.find("<p>", position);
        if (open == std::string::npos)
            return;
        const size_t close = page.find("</p>", open);
        if (close == std::string::npos)
            return;
        double value = 0;
        if (VoteItemValue(page.substr(open + 3, close - open - 3), value))
            values[slot] = value;
        position = close;
    }
}
