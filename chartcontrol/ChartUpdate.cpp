#include "chartcontrol/ChartUpdate.h"

#include <memory>

#include "chartcontrol/BarCharts.h"
#include "chartcontrol/ControlLog.h"
#include "chartcontrol/LineCharts.h"
#include "chartcontrol/PieChart.h"
#include "chartcontrol/QuillonApp.h"
#include "chartcontrol/UpdateParams.h"
#include "common/storedvalues/CNumbers.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostFrameBuffer.h"
#include "hostclient/HostScene.h"

namespace {

void UpdateScene(CHostApplication& application, CHostScene& scene, const UpdateParams& params)
{
    UpdateTrellanCharts(scene, params);
    UpdateBarCharts(scene, params);
    UpdatePieCharts(application);
}

// The scene the parameters name, or the frame buffer's focused scene.
std::unique_ptr<CHostScene> ChosenScene(CHostApplication& application, const UpdateParams& params)
{
    long index = 0;
    if (const std::wstring* number = FindParam(params, L"framebuffer")) {
        int parsed = 0;
        if (!ParseCInt(*number, parsed))
            return nullptr;  // names no frame buffer
        index = parsed;
    } else {
        index = application.GetActiveFrameBuffer();
    }
    std::unique_ptr<CHostFrameBuffer> frameBuffer = application.FrameBuffer(index);
    if (!frameBuffer)
        return nullptr;
    const std::wstring* name = FindParam(params, L"scene");
    return name ? frameBuffer->SceneByName(*name) : frameBuffer->SceneWithFocus();
}

} // namespace

void UpdateCharts(const wchar_t* text, bool suspended)
{
    IDispatch* host = QuillonApp().Application();
    if (!host)
        return;
    PostLogLine(L"UpdateCharts %s", text ? text : L"");
    CHostApplication application;
    application.Attach(host);
    UpdateParams params;
    if (!suspended) {
        ParseUpdateParams(text, params);
        if (std::unique_ptr<CHostScene> scene = ChosenScene(application, params)) {
            UpdateScene(application, *scene, params);
            return;
        }
    }
    std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
    std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
    if (!scene)
        return;
    ParseUpdateParams(text, params);
    UpdateScene(application, *scene, params);
}
