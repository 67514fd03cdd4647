// provider_request: asks a data provider for a historical series through the
// chart control's provider client, and prints the reply as the tree text.
//   provider_request <address> <port> <symbol> <range1> <range2> [interval]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "chartcontrol/Provider.h"
#include "base/com/ScopedComApartment.h"
#include "base/text/TextConversion.h"

namespace {

void Print(const std::wstring& text)
{
    const std::string bytes = WideToNarrow(text, CP_UTF8);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 6) {
        Print(L"usage: provider_request <address> <port> <symbol> <range1> <range2> [interval]\n");
        return 2;
    }
    const ScopedComApartment com;
    if (!com)
        return 2;
    int result = 1;
    CProviderPtr provider = CProviderPtr::Adopt(new CProvider(_wtoi(argv[2]), 10000, argv[1], L"GetHistorical"));
    CXmlNodePtr reply = provider->RequestHistorical(argv[3], L"close", argc > 6 ? argv[6] : L"daily", argv[4],
                                                    argv[5], L"Demo");
    if (reply) {
        std::wstring text;
        reply->WriteToString(text);
        Print(text);
        result = 0;
    } else {
        Print(L"no reply\n");
    }
    return result;
}
