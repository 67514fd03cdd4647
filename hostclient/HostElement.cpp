#include "hostclient/HostElement.h"

#include "hostclient/HostImage.h"
#include "hostclient/HostText.h"

const wchar_t* const CHostElement::s_names[NameCount] = {
    L"ClipRect", L"Properties", L"Rect", L"Text", L"Image", L"Name", L"TemplateRect", L"AntiAlias", L"Update",
    L"RGBAImage", L"UseTemplateRect", L"Type", L"Image", L"Verticies", L"Node", L"DeleteAll", L"GetCaretPos",
    L"RowColor", L"SelectedRowColor", L"SetCaretPos", L"HandleChar", L"Justify", L"AddTemplate", L"SetActive",
    L"Filename", L"InPoint", L"OutPoint", L"Loop", L"IIUpdateEnable", L"IgnorePauses", L"PlayToEnd", L"Preload",
    L"ExternalUpdateEnable", L"LoopFrame", L"RefreshTexture", L"ReplaceMode", L"LyricProperties",
    L"LoadFromURL", L"JustificationX", L"JustificationY"};
DISPID CHostElement::s_ids[NameCount];
bool CHostElement::s_resolved = false;

void CHostElement::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNamesOnce(dispatch, s_names, s_ids, s_resolved);
}

std::wstring CHostElement::GetName()
{
    return CallString(s_ids[Name_], DISPATCH_PROPERTYGET);
}

void CHostElement::SetName(const std::wstring& name)
{
    CallVoid(s_ids[Name_], DISPATCH_PROPERTYPUT, name);
}

std::unique_ptr<CHostText> CHostElement::GetText()
{
    return CallObject<CHostText>(s_ids[Text], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostImage> CHostElement::GetImage()
{
    return CallObject<CHostImage>(s_ids[Image], DISPATCH_PROPERTYGET);
}

void CHostElement::SetJustificationX(long justification)
{
    if (s_ids[JustificationX] != DISPID_UNKNOWN)
        CallVoid(s_ids[JustificationX], DISPATCH_PROPERTYPUT, justification);
}

void CHostElement::SetJustificationY(long justification)
{
    if (s_ids[JustificationY] != DISPID_UNKNOWN)
        CallVoid(s_ids[JustificationY], DISPATCH_PROPERTYPUT, justification);
}
