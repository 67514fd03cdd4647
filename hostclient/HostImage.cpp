#include "hostclient/HostImage.h"

const wchar_t* const CHostImage::s_names[NameCount] = {
    L"Save", L"Load", L"Size", L"GetImageData", L"SetImageData", L"DecoderAvailable", L"Dimensions",
    L"FromRGBA", L"ToRGB", L"UsePBuffer", L"ElementImageData", L"RemovePreMultiply"};

void CHostImage::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

bool CHostImage::Save(const std::wstring& path, const std::wstring& options)
{
    return CallBool(m_ids[Save_], DISPATCH_METHOD, path, options);
}

void CHostImage::SetUsePBuffer(bool use)
{
    if (m_ids[UsePBuffer] != DISPID_UNKNOWN)
        CallVoid(m_ids[UsePBuffer], DISPATCH_PROPERTYPUT, use);
}
