#pragma once
// Arguments for raw IDispatch calls in tests. Each VARIANT borrows what it
// holds or points at (the test keeps owning it), so none is ever cleared.

#include <windows.h>
#include <oleauto.h>

inline VARIANT LongArgument(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

inline VARIANT RealArgument(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

inline VARIANT TextArgument(BSTR text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text;
    return v;
}

// VT_DISPATCH or VT_UNKNOWN.
inline VARIANT ObjectArgument(VARTYPE type, IUnknown* object)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    v.punkVal = object;
    return v;
}

// VT_BYREF | type, pointing at the test's own place.
inline VARIANT ByReference(VARTYPE type, void* place)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | type;
    v.byref = place;
    return v;
}
