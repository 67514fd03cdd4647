#pragma once
// A canvas: the view that shows the current scene.

#include <memory>
#include <string>

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
    enum Name {
        Scene, ClientToScreenX, ClientToScreenY, SetResolution, WindowDimension, Playing, MakeCurrent, Update_,
        RenderToDuet, SetFrame_, GetFrame_, Selection, FrameCount, CurrentMessage, NameCount
    };
    static const wchar_t* const s_names[NameCount];
    static DISPID s_ids[NameCount];
    static bool s_resolved;
};
