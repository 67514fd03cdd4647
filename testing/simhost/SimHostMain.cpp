// simhost.exe: loads a scene file of ours into the simulated host and prints
// the host's model, optionally after starting plug-in controls by ProgID.
//
//   simhost.exe <scene.xml> [ProgID ...]
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/com/ScopedComApartment.h"
#include "common/errors/FailureReport.h"
#include "common/text/TextConversion.h"
#include "testing/simhost/SimHost.h"
#include "testing/simhost/SimSceneFile.h"

namespace {

void Print(const std::wstring& text)
{
    // UTF-8 on stdout, whatever the console's code page.
    const std::string bytes = WideToNarrow(text, CP_UTF8);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int Run(int argc, wchar_t** argv)
{
    if (argc < 2) {
        Print(L"usage: simhost <scene.xml> [ProgID ...]\r\n");
        return 2;
    }
    CSimHost host;
    std::wstring error;
    if (!LoadSceneFile(host, argv[1], error)) {
        Print(L"cannot load " + std::wstring(argv[1]) + L": " + error + L"\r\n");
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        RefPtr<IDispatch> control;
        const HRESULT hr = host.LoadControl(argv[i], control);
        if (FAILED(hr)) {
            Print(std::wstring(argv[i]) + L": cannot create (" + HResultText(hr) + L")\r\n");
            return 1;
        }
        Print(std::wstring(argv[i]) + (host.InitializeControl(control.Get()) ? L": initialised\r\n" : L": start-up failed\r\n"));
    }
    for (const SimRegistration& r : host.Registrations()) {
        std::wstring line = L"Registration " + r.member;
        for (const std::wstring& a : r.arguments)
            line += L" \"" + a + L"\"";
        Print(line + L"\r\n");
    }
    Print(DescribeHost(host));
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const ScopedComApartment com;
    if (!com)
        return 3;
    try {
        return Run(argc, argv);
    } catch (...) {
        Print(L"simhost: out of memory\r\n");
        return 3;
    }
}
