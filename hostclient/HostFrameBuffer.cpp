#include "hostclient/HostFrameBuffer.h"

#include "hostclient/HostScene.h"

const wchar_t* const CHostFrameBuffer::s_names[NameCount] = {
    L"SceneByFilename", L"SelectScene", L"Scenes", L"SceneWithFocus", L"BoardNum", L"SceneByName"};

void CHostFrameBuffer::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

std::unique_ptr<CHostScene> CHostFrameBuffer::SceneByName(const std::wstring& name)
{
    return CallObject<CHostScene>(m_ids[SceneByName_], DISPATCH_METHOD, name);
}

std::unique_ptr<CHostScene> CHostFrameBuffer::SceneWithFocus()
{
    if (m_ids[SceneWithFocus_] == DISPID_UNKNOWN)
        return nullptr;
    return CallObject<CHostScene>(m_ids[SceneWithFocus_], DISPATCH_METHOD);
}

void CHostFrameBuffer::Scenes(ScopedVariant& scenes)
{
    scenes.Clear();
    if (m_ids[Scenes_] == DISPID_UNKNOWN)
        return;
    CallVariant(scenes, m_ids[Scenes_], DISPATCH_METHOD);
}

bool CHostFrameBuffer::SelectScene(const CHostScene& scene)
{
    return CallChar(m_ids[SelectScene_], DISPATCH_METHOD, scene.GetDispatch());
}
