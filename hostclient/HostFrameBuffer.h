#pragma once
// A frame buffer: an output channel that holds scenes.

#include <memory>
#include <string>

#include "hostclient/HostObject.h"

class CHostScene;

class CHostFrameBuffer : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    std::unique_ptr<CHostScene> SceneByName(const std::wstring& name);
    // Null without a host call when the host's frame buffer lacks the member.
    std::unique_ptr<CHostScene> SceneWithFocus();
    // An array of the frame buffer's scenes; the caller attaches each element
    // as a CHostScene after an AddRef of its own. Empty without a host call
    // when the member is absent.
    void Scenes(ScopedVariant& scenes);
    bool SelectScene(const CHostScene& scene);

private:
    enum Name { SceneByFilename, SelectScene_, Scenes_, SceneWithFocus_, BoardNum, SceneByName_, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
