#include "hostclient/HostCanvas.h"

#include "hostclient/HostScene.h"
#include "hostclient/HostSelection.h"

DISPID CHostCanvas::s_ids[CanvasNames::Count];
bool CHostCanvas::s_resolved = false;

void CHostCanvas::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNamesOnce(dispatch, CanvasNames::list, s_ids, s_resolved);
}

std::unique_ptr<CHostScene> CHostCanvas::GetScene()
{
    return CallObject<CHostScene>(s_ids[CanvasNames::Scene], DISPATCH_PROPERTYGET);
}

void CHostCanvas::SetFrame(long frame)
{
    CallVoid(s_ids[CanvasNames::SetFrame], DISPATCH_METHOD, frame);
}

long CHostCanvas::GetFrame()
{
    return CallLong(s_ids[CanvasNames::GetFrame], DISPATCH_METHOD);
}

long CHostCanvas::GetFrameCount()
{
    return CallLong(s_ids[CanvasNames::FrameCount], DISPATCH_PROPERTYGET);
}

void CHostCanvas::Update()
{
    CallVoid(s_ids[CanvasNames::Update], DISPATCH_METHOD);
}

std::unique_ptr<CHostSelection> CHostCanvas::GetSelection()
{
    return CallObject<CHostSelection>(s_ids[CanvasNames::Selection], DISPATCH_PROPERTYGET);
}

std::wstring CHostCanvas::GetCurrentMessage()
{
    return CallString(s_ids[CanvasNames::CurrentMessage], DISPATCH_PROPERTYGET);
}
