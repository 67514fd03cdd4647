#pragma once
// IDispatch::Invoke driven by a dispatch interface's type information: each
// member's declared parameters and result are read once, and every call is
// checked against them before the member runs. Arguments arrive in any form
// automation allows (by reference, script variants) and reach the member
// converted to the declared types; a declared pointer parameter is an out
// value written back in the caller's own type.

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

// One method of the interface.
struct DispatchMember {
    DISPID id;
    std::vector<VARTYPE> parameters;  // VT_BYREF | type for a pointer parameter
    VARTYPE result;                    // VT_VOID for none; SCODE is VT_ERROR
};

class CDispatchTable {
public:
    // Fails for a member whose parameter or result types are not supported.
    HRESULT Load(ITypeInfo* dispatchInfo);
    const DispatchMember* Find(DISPID id) const;

private:
    std::vector<DispatchMember> m_members;
};

// Raised by a member for DISP_E_EXCEPTION with this error information.
class CDispatchError {
public:
    CDispatchError(HRESULT code, std::wstring description) : m_code(code), m_description(std::move(description)) {}
    HRESULT Code() const { return m_code; }
    const std::wstring& Description() const { return m_description; }

private:
    HRESULT m_code;
    std::wstring m_description;
};

// The checked arguments of one call, in the caller's order.
class CDispatchCall {
public:
    CDispatchCall(const DispatchMember& member, DISPPARAMS& params);
    CDispatchCall(const CDispatchCall&) = delete;
    CDispatchCall& operator=(const CDispatchCall&) = delete;
    ~CDispatchCall();

    // Converts every argument; on failure `argumentError` is the failing
    // argument's position in the caller's block.
    HRESULT Prepare(UINT& argumentError);

    size_t Count() const { return m_values.size(); }
    // The converted value (a VARIANT parameter: the caller's value, by-reference levels removed).
    const VARIANT& Argument(size_t i) const { return m_values[i]; }
    std::wstring Text(size_t i) const;
    LONG Long(size_t i) const { return m_values[i].lVal; }
    double Double(size_t i) const { return m_values[i].dblVal; }
    // The dispatch pointer a VARIANT argument holds (directly or through
    // IUnknown), or null; the call keeps the reference.
    IDispatch* Dispatch(size_t i);
    // Writes a declared out value; false when the caller gave no place for it.
    bool SetOutLong(size_t i, LONG value);

    // The result; a member that sets none answers its declared type's zero.
    void ReturnLong(LONG value);
    void ReturnText(const std::wstring& text);
    // Moves the result into `out` as the declared type.
    HRESULT TakeResult(VARIANT* out);

private:
    const DispatchMember& m_member;
    DISPPARAMS& m_params;
    std::vector<VARIANT> m_values;
    std::vector<IDispatch*> m_dispatches;  // one reference each, from Dispatch()
    VARIANT m_result;
};

// Runs `member` for a call of `table`'s interface: the kind, the count, the
// named arguments and every argument's type are checked first. No C++
// exception leaves: `describe`, called inside the catch block, turns the one
// in flight into the result.
using DispatchMemberFunction = std::function<void(DISPID id, CDispatchCall& call)>;
using ExceptionDescriber = std::function<HRESULT(EXCEPINFO* info)>;
HRESULT InvokeTyped(const CDispatchTable& table, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                    EXCEPINFO* info, UINT* argumentError, const DispatchMemberFunction& member,
                    const ExceptionDescriber& describe);

// Inside a catch block: CDispatchError becomes DISP_E_EXCEPTION with its
// description from `source`, std::bad_alloc E_OUTOFMEMORY, anything else E_UNEXPECTED.
HRESULT DefaultExceptionResult(EXCEPINFO* info, const wchar_t* source);

// Fills the caller's error information (when given) and answers DISP_E_EXCEPTION.
HRESULT DispatchException(EXCEPINFO* info, HRESULT code, const std::wstring& description, const wchar_t* source);
