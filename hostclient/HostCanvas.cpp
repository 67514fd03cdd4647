#include "hostclient/HostCanvas.h"

#include "hostclient/HostScene.h"
#include "hostclient/HostSelection.h"

const wchar_t* const CHostCanvas::s_names[NameCount] = {
    L"Scene", L"ClientToScreenX", L"ClientToScreenY", L"SetResolution", L"WindowDimension", L"Playing",
    L"MakeCurrent", L"Update", L"RenderToDuet", L"SetFrame", L"GetFrame", L"Selection", L"FrameCount",
    L"CurrentMessage"};
DISPID CHostCanvas::s_ids[NameCount];
bool CHostCanvas::s_resolved = false;

void CHostCanvas::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNamesOnce(dispatch, s_names, s_ids, s_resolved);
}

std::unique_ptr<CHostScene> CHostCanvas::GetScene()
{
    return CallObject<CHostScene>(s_ids[Scene], DISPATCH_PROPERTYGET);
}

void CHostCanvas::SetFrame(long frame)
{
    CallVoid(s_ids[SetFrame_], DISPATCH_METHOD, frame);
}

long CHostCanvas::GetFrame()
{
    return CallLong(s_ids[GetFrame_], DISPATCH_METHOD);
}

long CHostCanvas::GetFrameCount()
{
    return CallLong(s_ids[FrameCount], DISPATCH_PROPERTYGET);
}

void CHostCanvas::Update()
{
    CallVoid(s_ids[Update_], DISPATCH_METHOD);
}

std::unique_ptr<CHostSelection> CHostCanvas::GetSelection()
{
    return CallObject<CHostSelection>(s_ids[Selection], DISPATCH_PROPERTYGET);
}

std::wstring CHostCanvas::GetCurrentMessage()
{
    return CallString(s_ids[CurrentMessage], DISPATCH_PROPERTYGET);
}
