#pragma once
// The simulated host's one IDispatch implementation, driven by a member
// table per object class. It is strict on purpose: the call kind, the
// argument count and every argument's VARIANT type must match the table, so
// a wrapper that sends the wrong shape fails loudly instead of working by
// accident.

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

#include "base/com/ComObject.h"
#include "testing/simhost/SimValue.h"

class CSimHost;
class CSimObject;
class CSimCall;

enum class SimKind { Get, Put, Method };

// Thrown by member handlers: becomes DISP_E_EXCEPTION with this text.
class CSimHostError {
public:
    explicit CSimHostError(std::wstring text, HRESULT code = E_FAIL) : m_text(std::move(text)), m_code(code) {}
    const std::wstring& Text() const { return m_text; }
    HRESULT Code() const { return m_code; }

private:
    std::wstring m_text;
    HRESULT m_code;
};

using SimHandler = std::function<void(CSimObject& self, CSimCall& call)>;

// One member of one kind. A put's last argument is the new value.
// VT_VARIANT in `arguments` accepts any type.
struct SimMember {
    std::wstring name;
    SimKind kind;
    std::vector<VARTYPE> arguments;
    VARTYPE result;
    SimHandler handler;
};

// Builds a member whose handler works on the concrete object type.
template <typename TObject>
SimMember Member(const wchar_t* name, SimKind kind, std::vector<VARTYPE> arguments, VARTYPE result,
                 void (*handler)(TObject&, CSimCall&))
{
    SimHandler call = [handler](CSimObject& self, CSimCall& c) { handler(static_cast<TObject&>(self), c); };
    return SimMember{name, kind, std::move(arguments), result, std::move(call)};
}

class CSimClass {
public:
    // Dispatch ids are 1, 2, ... in order of each name's first appearance.
    CSimClass(std::wstring name, std::vector<SimMember> members);

    const std::wstring& Name() const { return m_name; }
    // Case-insensitive, as automation names are; DISPID_UNKNOWN when absent.
    DISPID IdOf(const wchar_t* name) const;
    const std::wstring* NameOf(DISPID id) const;
    const SimMember* Find(DISPID id, SimKind kind) const;

private:
    std::wstring m_name;
    std::vector<SimMember> m_members;
    std::vector<std::wstring> m_names; // index = dispatch id - 1
};

// The arguments of one accepted call, in the caller's order, and its answer.
class CSimCall {
public:
    CSimCall(CSimHost& host, const DISPPARAMS& params, VARIANT* result);
    CSimCall(const CSimCall&) = delete;
    CSimCall& operator=(const CSimCall&) = delete;
    ~CSimCall() { VariantClear(&m_discarded); }

    CSimHost& Host() { return m_host; }
    size_t Count() const { return m_count; }
    const VARIANT& Argument(size_t i) const { return m_params.rgvarg[m_count - 1 - i]; }
    std::wstring String(size_t i) const;
    long Long(size_t i) const { return Argument(i).lVal; }
    short Short(size_t i) const { return Argument(i).iVal; }
    bool Bool(size_t i) const { return Argument(i).boolVal != VARIANT_FALSE; }
    double Double(size_t i) const { return Argument(i).dblVal; }
    // One of our objects of the given type, or a host error.
    template <typename TObject>
    TObject& Object(size_t i) const;

    void ReturnLong(long value);
    void ReturnBool(bool value);
    void ReturnChar(char value);
    void ReturnDouble(double value);
    void ReturnString(const std::wstring& text);
    // A null pointer answers VT_DISPATCH null.
    void ReturnObject(CSimObject* object);
    void ReturnEmpty();
    void ReturnNull();
    void ReturnValue(const CSimValue& value);
    // Takes the array over.
    void ReturnArray(VARTYPE elementType, SAFEARRAY* array);

private:
    VARIANT* Result();

    CSimHost& m_host;
    const DISPPARAMS& m_params;
    size_t m_count;
    VARIANT* m_result;
    VARIANT m_discarded;
};

class CSimObject : public ComObject<IDispatch> {
public:
    CSimObject(CSimHost& host, const CSimClass& type);

    // Our object behind a dispatch pointer, or null for a stranger. No reference is added.
    static CSimObject* FromDispatch(IUnknown* object);

    const CSimClass& Class() const { return m_class; }
    CSimHost* Host() const { return m_host; }
    // The host is gone: every later call fails.
    void Disconnect() { m_host = nullptr; }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

protected:
    ~CSimObject() override = default;

private:
    // The class's own identity, besides IDispatch.
    void* FindInterface(REFIID riid) override;
    HRESULT InvokeChecked(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                          UINT* argumentError);

    CSimHost* m_host;
    const CSimClass& m_class;
};

template <typename TObject>
TObject& CSimCall::Object(size_t i) const
{
    const VARIANT& v = Argument(i);
    CSimObject* object = v.vt == VT_DISPATCH ? CSimObject::FromDispatch(v.pdispVal) : nullptr;
    TObject* typed = dynamic_cast<TObject*>(object);
    if (!typed)
        throw CSimHostError(L"Argument is not an object of this host");
    return *typed;
}
