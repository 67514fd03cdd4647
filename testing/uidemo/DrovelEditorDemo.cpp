#include "DrovelEditorDemo.h"

#include <windows.h>

#include <string>

#include "base/com/RefPtr.h"
#include "base/win/UniqueHandle.h"
#include "motion/plugin/DrovelLEIFletIds.h"
#include "platform/ui/Module.h"
#include "testing/simhost/SimHost.h"

namespace {

const std::wstring kGroup = kDrovelPropertyGroup;

const wchar_t kScript[] =
    L"' Pans the camera head across the set while the clip plays.\r\n"
    L"Dim port\r\n"
    L"\r\n"
    L"Sub Startup\r\n"
    L"  port = 3\r\n"
    L"  If Drovel.OpenPort(port, 9600) <> 0 Then Exit Sub\r\n"
    L"  Drovel.SetGlobal \"Frame\", 0\r\n"
    L"  Drovel.SetGlobal \"Delta-Frame\", 1\r\n"
    L"  Do\r\n"
    L"    Drovel.SendReceive port, \"PAN \" & Drovel.GetGlobal(\"Frame\"), \"OK\", 0\r\n"
    L"    Drovel.Pause 40\r\n"
    L"  Loop\r\n"
    L"End Sub\r\n";

// The control from the module beside the program, without a registration.
RefPtr<IDispatch> MakeControl(HMODULE module)
{
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    RefPtr<IClassFactory> factory;
    RefPtr<IDispatch> control;
    if (get && SUCCEEDED(get(kDrovelClsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Put()))))
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(control.Put()));
    return control;
}

} // namespace

bool ShowDrovelEditor()
{
    const std::wstring program = CurrentModulePath();
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    UniqueModule module(LoadLibraryExW((folder + L"DrovelLEIFlet.ocx").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module)
        return false;
    CSimHost host;
    CSimScene& scene = host.AddScene(L"Studio");
    CSimNode& movie = host.AddNode(scene, L"Opener", SimNodeMovie);
    host.AddElement(movie, L"Clip", SimElementMovie, L"C:\\media\\opener_Drovel.avi");
    {
        RefPtr<IDispatch> control = MakeControl(module.Get());
        if (!control || !host.InitializeControl(control.Get()))
            return false;
        movie.properties[kGroup][L"Enabled"] = CSimValue(std::wstring(L"1"));
        movie.properties[kGroup][L"Script"] = CSimValue(std::wstring(kScript));
        movie.properties[kGroup][L"Variable"] = CSimValue(std::wstring(L"Frame"));
        movie.properties[kGroup][L"ScriptID"] = CSimValue(std::wstring(L"opener-pan"));
        host.EditProperties(control.Get(), movie, kGroup);
        host.CloseControls();
    }
    return true;
}
