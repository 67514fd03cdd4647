// provider_request: asks a data provider for a historical series through the
// chart control's provider client, and prints the reply as the tree text.
//   provider_request <address> <port> <symbol> <range1> <range2> [interval]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "chartcontrol/Provider.h"

namespace {

void Print(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], length, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 6) {
        Print(L"usage: provider_request <address> <port> <symbol> <range1> <range2> [interval]\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    int result = 1;
    {
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
    }
    CoUninitialize();
    return result;
}
