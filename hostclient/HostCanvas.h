#pragma once
// A canvas: the view that shows the current scene.

#include <memory>
#include <string>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"

class CHostScene;
class CHostSelection;

class CHostCanvas : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    std::unique_ptr<CHostScene> GetScene();
    void SetFrame(long frame);
    long GetFrame();
    long GetFrameCount();
    void Update();
    std::unique_ptr<CHostSelection> GetSelection();
    std::wstring GetCurrentMessage();

private:
    static DISPID s_ids[CanvasNames::Count];
    static bool s_resolved;
};
