#include "hostclient/HostApplication.h"

#include "hostclient/HostCanvas.h"
#include "hostclient/HostFrameBuffer.h"
#include "hostclient/HostStringArray.h"
#include "hostclient/HostVersion.h"

const wchar_t* const CHostApplication::s_names[NameCount] = {
    L"ActiveCanvas", L"RegisterObjectProperty", L"ShowInBrowser", L"RegisterObjectPropertyEditor",
    L"RegisterObjectPropertyChanges", L"Open", L"SaveAs", L"Image", L"DrawList", L"CustomProperties",
    L"RegisterMenuItem", L"RegisterObject", L"RegisterObjectEventHandler", L"Context", L"MDIFrame",
    L"SetRegistry", L"GetRegistry", L"RegisterLEIFlet", L"ActiveFrameBuffer", L"FrameBuffers",
    L"FrameBufferScene", L"SetPropertyManager", L"TransferView", L"FrameBufferPlaying", L"NamespaceCount",
    L"Namespace", L"GL", L"Plugins", L"IsCombine", L"CreatePlaylist", L"CreateCustomPlaylist", L"Version",
    L"ActivateFrame", L"CloseWindow", L"FrameBuffer", L"Message", L"Read", L"IICommand"};
DISPID CHostApplication::s_ids[NameCount];
bool CHostApplication::s_resolved = false;

void CHostApplication::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    if (dispatch)
        dispatch->AddRef();
    ResolveNamesOnce(dispatch, s_names, s_ids, s_resolved);
}

std::unique_ptr<CHostCanvas> CHostApplication::GetActiveCanvas()
{
    return CallObject<CHostCanvas>(s_ids[ActiveCanvas], DISPATCH_PROPERTYGET);
}

void CHostApplication::RegisterLEIFlet(const std::wstring& version, const std::wstring& name)
{
    CallVoid(s_ids[RegisterLEIFlet_], DISPATCH_METHOD, version, name);
}

long CHostApplication::RegisterMenuItem(const std::wstring& pluginName, const std::wstring& menuPath,
                                        const std::wstring& command)
{
    return CallLong(s_ids[RegisterMenuItem_], DISPATCH_METHOD, pluginName, menuPath, command);
}

long CHostApplication::RegisterObjectProperty(const std::wstring& group, const std::wstring& name, long type,
                                              const std::wstring& defaultValue,
                                              const std::vector<std::wstring>& objectTypes, const std::wstring& last)
{
    ScopedVariant types;
    MakeStringArray(objectTypes, types);
    return CallLong(s_ids[RegisterObjectProperty_], DISPATCH_METHOD, group, name, type, defaultValue,
                    *types.Get(), last);
}

long CHostApplication::RegisterObjectPropertyEditor(const std::wstring& group, const std::wstring& editor,
                                                    const std::vector<std::wstring>& objectTypes)
{
    ScopedVariant types;
    MakeStringArray(objectTypes, types);
    return CallLong(s_ids[RegisterObjectPropertyEditor_], DISPATCH_METHOD, group, editor, *types.Get());
}

long CHostApplication::GetRegistryInt(const std::wstring& section, const std::wstring& key, long defaultValue)
{
    ScopedVariant fallback;
    fallback->vt = VT_I4;
    fallback->lVal = defaultValue;
    ScopedVariant answer;
    CallVariant(answer, s_ids[GetRegistry], DISPATCH_METHOD, section, key, *fallback.Get());
    return answer->vt == VT_I4 ? answer->lVal : defaultValue;
}

void CHostApplication::SetRegistryInt(const std::wstring& section, const std::wstring& key, long value)
{
    ScopedVariant stored;
    stored->vt = VT_I4;
    stored->lVal = value;
    CallVoid(s_ids[SetRegistry], DISPATCH_METHOD, section, key, *stored.Get());
}

long CHostApplication::MDIFrame(const std::wstring& caption, const std::array<long, 8>& v, const std::wstring& progId)
{
    return CallLong(s_ids[MDIFrame_], DISPATCH_METHOD, caption, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                    progId);
}

std::unique_ptr<CHostFrameBuffer> CHostApplication::FrameBuffer(long index)
{
    return CallObject<CHostFrameBuffer>(s_ids[FrameBuffer_], DISPATCH_METHOD, index);
}

long CHostApplication::GetFrameBuffers()
{
    return CallLong(s_ids[FrameBuffers], DISPATCH_PROPERTYGET);
}

long CHostApplication::GetActiveFrameBuffer()
{
    return CallLong(s_ids[ActiveFrameBuffer], DISPATCH_PROPERTYGET);
}

void CHostApplication::Open(const std::wstring& path)
{
    CallVoid(s_ids[Open_], DISPATCH_METHOD, path);
}

std::unique_ptr<CHostVersion> CHostApplication::Version()
{
    return CallObject<CHostVersion>(s_ids[Version_], DISPATCH_METHOD);
}
