#include "hostclient/HostKeyFrames.h"

#define HOST_CLASS CHostKeyFrames
HOST_DEFINE_MEMBERS(KeyFrames)
#undef HOST_CLASS

void CHostKeyFrames::Add(long frame, long attribute, double value, long extra)
{
    ScopedVariant extraValue;
    extraValue->vt = VT_I4;
    extraValue->lVal = extra;
    CallVoid(Id(Names::Add), DISPATCH_METHOD, frame, attribute, value, *extraValue.Get());
}

void CHostKeyFrames::Add(long frame, long attribute, const VARIANT& value, long extra)
{
    ScopedVariant extraValue;
    extraValue->vt = VT_I4;
    extraValue->lVal = extra;
    CallVoid(Id(Names::Add), DISPATCH_METHOD, frame, attribute, value, *extraValue.Get());
}
