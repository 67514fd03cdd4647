#include "ChartEditorDemo.h"

#include <windows.h>

#include <string>

#include "chartcontrol/TemplateImportSeam.h"
#include "testing/simhost/SimHost.h"
#include "testing/simhost/SimSceneFile.h"

namespace {

const wchar_t kScene[] = LR"(<Scene name="Markets">
  <Node name="Sales" type="32"/>
</Scene>)";

} // namespace

void ShowMakeGroup()
{
    CSimHost host;
    std::wstring error;
    if (!LoadSceneText(host, kScene, error))
        return;
    host.ActiveScene()->activeObject = host.ActiveScene()->Find(L"Sales");
    RunTemplateImport(nullptr, host.Application(), L"Sales", L"Sales Params");
}
