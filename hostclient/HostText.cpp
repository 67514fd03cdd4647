#include "hostclient/HostText.h"

const wchar_t* const CHostText::s_names[NameCount] = {L"Text", L"Font", L"CharsFont", L"CharsRect",
                                                      L"TextNoTrim", L"TextNoUpdate", L"UnicodeText"};

void CHostText::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

std::wstring CHostText::GetText()
{
    return CallString(m_ids[Text], DISPATCH_PROPERTYGET);
}

void CHostText::SetText(const std::wstring& text)
{
    CallVoid(m_ids[Text], DISPATCH_PROPERTYPUT, text);
}

std::unique_ptr<CHostFont> CHostText::GetFont()
{
    return CallObject<CHostFont>(m_ids[Font], DISPATCH_PROPERTYGET);
}

const wchar_t* const CHostFont::s_names[NameCount] = {
    L"Name", L"Height", L"Transparency", L"Bold", L"Italic", L"Underline", L"Blur", L"ColorIndex", L"Update",
    L"Edge", L"HorizShear", L"VerticalShear", L"Kerning", L"Leading", L"SpaceWidth", L"XYFilter", L"Color",
    L"EdgeCount", L"CharacterData", L"IsSame"};

void CHostFont::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

void CHostFont::SetColor(long color)
{
    if (m_ids[Color] != DISPID_UNKNOWN)
        CallVoid(m_ids[Color], DISPATCH_PROPERTYPUT, color);
}
