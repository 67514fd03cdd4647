// simhost.exe: loads a scene file of ours into the simulated host, starts
// plug-in controls by ProgID, lets the first of them act, and prints the
// host's model; with --png it also draws the active scene's charts.
//
//   simhost.exe <scene.xml> [ProgID ...] [--call Member text] [--event n] [--png file]
//
// The host builds its geometry plug-in objects once the controls have
// started and again after the calls and events, as it does when it draws.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "base/com/ScopedComApartment.h"
#include "base/errors/FailureReport.h"
#include "base/text/TextConversion.h"
#include "geometry/GdiplusSession.h"
#include "testing/simhost/SimChartPicture.h"
#include "testing/simhost/SimHost.h"
#include "testing/simhost/SimSceneFile.h"

namespace {

void Print(const std::wstring& text)
{
    // UTF-8 on stdout, whatever the console's code page.
    const std::string bytes = WideToNarrow(text, CP_UTF8);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

struct ControlCall {
    std::wstring member;
    std::vector<CSimValue> arguments;
};

struct Options {
    std::wstring scene;
    std::vector<std::wstring> progIds;
    std::vector<ControlCall> calls;
    std::wstring png;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options)
{
    if (argc < 2)
        return false;
    options.scene = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--call" && i + 2 < argc) {
            options.calls.push_back({argv[i + 1], {CSimValue(std::wstring(argv[i + 2]))}});
            i += 2;
        } else if (arg == L"--event" && i + 1 < argc) {
            options.calls.push_back({L"LyricEventEx", {CSimValue(static_cast<long>(_wtol(argv[++i]))), CSimValue()}});
        } else if (arg == L"--png" && i + 1 < argc) {
            options.png = argv[++i];
        } else if (arg.compare(0, 2, L"--") == 0) {
            return false;
        } else {
            options.progIds.push_back(arg);
        }
    }
    return true;
}

bool BuildGeometry(CSimHost& host, const wchar_t* when)
{
    std::wstring error;
    const int builds = host.Geometry().Rebuild(error);
    if (builds < 0) {
        Print(L"Geometry: " + error + L"\r\n");
        return false;
    }
    if (builds > 0)
        Print(L"Geometry: " + std::to_wstring(builds) + L" builds " + when + L"\r\n");
    return true;
}

int Run(int argc, wchar_t** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        Print(L"usage: simhost <scene.xml> [ProgID ...] [--call Member text] [--event n] [--png file]\r\n");
        return 2;
    }
    CSimHost host;
    std::wstring error;
    if (!LoadSceneFile(host, options.scene, error)) {
        Print(L"cannot load " + options.scene + L": " + error + L"\r\n");
        return 1;
    }
    std::vector<RefPtr<IDispatch>> controls;
    for (const std::wstring& progId : options.progIds) {
        RefPtr<IDispatch> control;
        const HRESULT hr = host.LoadControl(progId, control);
        if (FAILED(hr)) {
            Print(progId + L": cannot create (" + HResultText(hr) + L")\r\n");
            return 1;
        }
        Print(progId + (host.InitializeControl(control.Get()) ? L": initialised\r\n" : L": start-up failed\r\n"));
        controls.push_back(control);
    }
    for (const SimRegistration& r : host.Registrations()) {
        std::wstring line = L"Registration " + r.member;
        for (const std::wstring& a : r.arguments)
            line += L" \"" + a + L"\"";
        Print(line + L"\r\n");
    }
    if (!BuildGeometry(host, L"before the calls"))
        return 1;
    for (const ControlCall& call : options.calls) {
        if (controls.empty()) {
            Print(L"no control to call " + call.member + L"\r\n");
            return 1;
        }
        std::wstring failure;
        const HRESULT hr =
            host.CallControl(controls.front().Get(), call.member, DISPATCH_METHOD, call.arguments, nullptr, &failure);
        Print(call.member + L" \"" + DescribeValue(call.arguments.front().Get()) + L"\": " + HResultText(hr) +
              (failure.empty() ? L"" : L" " + failure) + L"\r\n");
    }
    if (!options.calls.empty() && !BuildGeometry(host, L"after the calls"))
        return 1;
    Print(DescribeHost(host));
    if (!options.png.empty()) {
        CGdiplusSession gdiplus;
        CSimScene* scene = host.ActiveScene();
        if (!gdiplus.IsStarted() || !scene || !WriteChartPicture(host, *scene, options.png, error)) {
            Print(L"cannot draw the charts: " + (error.empty() ? std::wstring(L"no scene or no GDI+") : error) + L"\r\n");
            return 1;
        }
        Print(L"Charts drawn into " + options.png + L"\r\n");
    }
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
