#include "hostclient/HostKeyFrames.h"

const wchar_t* const CHostKeyFrames::s_names[NameCount] = {L"Count", L"KeyFrame", L"Delete", L"DeleteTrack",
                                                           L"Add"};

void CHostKeyFrames::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

long CHostKeyFrames::GetCount()
{
    return CallLong(m_ids[Count], DISPATCH_PROPERTYGET);
}

std::unique_ptr<CHostKeyFrame> CHostKeyFrames::KeyFrame(long index)
{
    return CallObject<CHostKeyFrame>(m_ids[KeyFrame_], DISPATCH_METHOD, index);
}

void CHostKeyFrames::DeleteTrack(long attribute)
{
    CallVoid(m_ids[DeleteTrack_], DISPATCH_METHOD, attribute);
}

void CHostKeyFrames::Add(long frame, long attribute, double value, long extra)
{
    ScopedVariant extraValue;
    extraValue->vt = VT_I4;
    extraValue->lVal = extra;
    CallVoid(m_ids[Add_], DISPATCH_METHOD, frame, attribute, value, *extraValue.Get());
}

void CHostKeyFrames::Add(long frame, long attribute, const VARIANT& value, long extra)
{
    ScopedVariant extraValue;
    extraValue->vt = VT_I4;
    extraValue->lVal = extra;
    CallVoid(m_ids[Add_], DISPATCH_METHOD, frame, attribute, value, *extraValue.Get());
}

const wchar_t* const CHostKeyFrame::s_names[NameCount] = {L"Attribute", L"Value", L"Interpolation", L"Frame"};

void CHostKeyFrame::Attach(IDispatch* dispatch)
{
    AttachDispatch(dispatch, true);
    ResolveNames(dispatch, s_names, m_ids);
}

long CHostKeyFrame::GetAttribute()
{
    return CallLong(m_ids[Attribute], DISPATCH_PROPERTYGET);
}

double CHostKeyFrame::GetValue()
{
    return CallDouble(m_ids[Value], DISPATCH_PROPERTYGET);
}

long CHostKeyFrame::GetInterpolation()
{
    return CallLong(m_ids[Interpolation], DISPATCH_PROPERTYGET);
}

long CHostKeyFrame::GetFrame()
{
    return CallLong(m_ids[Frame], DISPATCH_PROPERTYGET);
}
