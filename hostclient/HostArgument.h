#pragma once
// One argument of a host call, converted from its C++ type to the VARIANT
// type the host expects. The VARIANT is owned and cleared with the argument.

#include <windows.h>
#include <oleauto.h>

#include <string>

class CHostArgument {
public:
    CHostArgument(const wchar_t* text);          // VT_BSTR
    CHostArgument(const std::wstring& text);     // VT_BSTR
    CHostArgument(long value);                   // VT_I4
    CHostArgument(int value);                    // VT_I4
    CHostArgument(short value);                  // VT_I2
    CHostArgument(bool value);                   // VT_BOOL
    CHostArgument(double value);                 // VT_R8
    CHostArgument(float value);                  // VT_R4
    CHostArgument(IDispatch* object);            // VT_DISPATCH, one added reference
    CHostArgument(const VARIANT& value);         // a copy, sent by value
    CHostArgument(VARIANT* reference);           // VT_BYREF | VT_VARIANT
    CHostArgument(const CHostArgument&) = delete;
    CHostArgument& operator=(const CHostArgument&) = delete;
    ~CHostArgument();

    // The parameter as it goes into DISPPARAMS (the host must not keep it).
    VARIANT& Value() { return m_value; }

private:
    VARIANT m_value;
};
