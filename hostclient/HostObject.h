#pragma once
// Base of every host wrapper: one host IDispatch pointer, called by the
// dispatch identifiers that the wrapper looked up by name when it attached.
// Failed calls raise CHostException (see HostException.h). Wrappers live on
// the host's thread that calls the plug-in; the shared name caches of some
// classes are therefore not guarded.

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "base/com/ComTypes.h"
#include "base/com/RefPtr.h"
#include "hostclient/HostArgument.h"
#include "hostclient/HostException.h"

// How a member calls the host. The IfPresent kinds make no call when the
// host lacks the member (its cell holds DISPID_UNKNOWN): a put does nothing,
// a method gives its empty result.
enum class HostCall { Get, Put, Method, PutIfPresent, MethodIfPresent };

constexpr WORD HostCallFlags(HostCall call)
{
    return call == HostCall::Get                                           ? DISPATCH_PROPERTYGET
           : call == HostCall::Put || call == HostCall::PutIfPresent ? DISPATCH_PROPERTYPUT
                                                                           : DISPATCH_METHOD;
}

class CHostObject {
public:
    CHostObject() = default;
    CHostObject(const CHostObject&) = delete;
    CHostObject& operator=(const CHostObject&) = delete;
    // Releases the host object when the wrapper owns its reference.
    ~CHostObject() { ReleaseDispatch(); }

    IDispatch* GetDispatch() const { return m_dispatch; }
    void ReleaseDispatch();

    // One GetIDsOfNames call for `name` (locale LOCALE_USER_DEFAULT). Whatever
    // the host writes stays in `cell`; true when the HRESULT is not negative.
    static bool GetDispID(IDispatch* dispatch, const wchar_t* name, DISPID& cell);

protected:
    // Takes over the caller's reference (no AddRef); releases it at the end
    // when `autoRelease` is set.
    void AttachDispatch(IDispatch* dispatch, bool autoRelease);

    // One lookup per cell: the first M names of the list.
    template <size_t N, size_t M>
    static void ResolveNames(IDispatch* dispatch, const wchar_t* const (&names)[N], DISPID (&cells)[M])
    {
        static_assert(M <= N, "more cells than names");
        for (size_t i = 0; i < M; ++i)
            GetDispID(dispatch, names[i], cells[i]);
    }
    // The process-wide form: the first object of a class resolves for all
    // later ones, whatever its lookups answered. Attaching nothing resolves
    // nothing, so a later real object still gets its lookups.
    template <size_t N>
    static void ResolveNamesOnce(IDispatch* dispatch, const wchar_t* const (&names)[N], DISPID (&cells)[N],
                                 bool& resolved)
    {
        if (resolved || !dispatch)
            return;
        ResolveNames(dispatch, names, cells);
        resolved = true;
    }

    template <typename... Args>
    void CallVoid(DISPID id, WORD kind, Args&&... args)
    {
        ScopedVariant result;
        Call(id, kind, result, std::forward<Args>(args)...);
    }
    template <typename... Args>
    long CallLong(DISPID id, WORD kind, Args&&... args)
    {
        ScopedVariant result;
        Call(id, kind, result, std::forward<Args>(args)...);
        return Coerced(result, VT_I4).lVal;
    }
    template <typename... Args>
    double CallDouble(DISPID id, WORD kind, Args&&... args)
    {
        ScopedVariant result;
        Call(id, kind, result, std::forward<Args>(args)...);
        return Coerced(result, VT_R8).dblVal;
    }
    template <typename... Args>
    bool CallBool(DISPID id, WORD kind, Args&&... args)
    {
        ScopedVariant result;
        Call(id, kind, result, std::forward<Args>(args)...);
        return Coerced(result, VT_BOOL).boolVal != VARIANT_FALSE;
    }
    // A one-byte character answer (VT_I1): true when it is not 0.
    template <typename... Args>
    bool CallChar(DISPID id, WORD kind, Args&&... args)
    {
        ScopedVariant result;
        Call(id, kind, result, std::forward<Args>(args)...);
        return Coerced(result, VT_I1).cVal != 0;
    }
    // Empty when the host gives no string.
    template <typename... Args>
    std::wstring CallString(DISPID id, WORD kind, Args&&... args)
    {
        ScopedVariant result;
        Call(id, kind, result, std::forward<Args>(args)...);
        const VARIANT& v = Coerced(result, VT_BSTR);
        return v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : std::wstring();
    }
    // The host's answer as it came; `result` is cleared first.
    template <typename... Args>
    void CallVariant(ScopedVariant& result, DISPID id, WORD kind, Args&&... args)
    {
        result.Clear();
        Call(id, kind, result, std::forward<Args>(args)...);
    }
    // A new wrapper of the returned host object; null when the host returns
    // none (a null pointer, VT_EMPTY or VT_NULL).
    template <typename TWrapper, typename... Args>
    std::unique_ptr<TWrapper> CallObject(DISPID id, WORD kind, Args&&... args)
    {
        ScopedVariant result;
        Call(id, kind, result, std::forward<Args>(args)...);
        RefPtr<IDispatch> object = TakeObject(result);
        if (!object)
            return nullptr;
        auto wrapper = std::make_unique<TWrapper>();
        wrapper->Attach(object.Detach());
        return wrapper;
    }

    // One member of a wrapper table: the call of `kind` with `arguments` (a
    // tuple, in the caller's order), its answer as TResult: nothing, long,
    // double, bool, string or a new wrapper (std::unique_ptr).
    template <typename TResult, typename Tuple>
    TResult CallMember(DISPID id, HostCall kind, Tuple&& arguments)
    {
        if ((kind == HostCall::PutIfPresent || kind == HostCall::MethodIfPresent) && id == DISPID_UNKNOWN)
            return TResult();
        return std::apply(
            [&](auto&&... a) -> TResult {
                return CallAs<TResult>(id, HostCallFlags(kind), std::forward<decltype(a)>(a)...);
            },
            std::forward<Tuple>(arguments));
    }

private:
    template <typename TResult, typename... Args>
    TResult CallAs(DISPID id, WORD kind, Args&&... args)
    {
        if constexpr (std::is_void_v<TResult>)
            CallVoid(id, kind, std::forward<Args>(args)...);
        else if constexpr (std::is_same_v<TResult, long>)
            return CallLong(id, kind, std::forward<Args>(args)...);
        else if constexpr (std::is_same_v<TResult, double>)
            return CallDouble(id, kind, std::forward<Args>(args)...);
        else if constexpr (std::is_same_v<TResult, bool>)
            return CallBool(id, kind, std::forward<Args>(args)...);
        else if constexpr (std::is_same_v<TResult, std::wstring>)
            return CallString(id, kind, std::forward<Args>(args)...);
        else
            return CallObject<typename TResult::element_type>(id, kind, std::forward<Args>(args)...);
    }

    template <typename... Args>
    void Call(DISPID id, WORD kind, ScopedVariant& result, Args&&... args)
    {
        if constexpr (sizeof...(Args) == 0) {
            Invoke(id, kind, nullptr, 0, result.Get());
        } else {
            CHostArgument arguments[] = {CHostArgument(std::forward<Args>(args))...};
            Invoke(id, kind, arguments, sizeof...(Args), result.Get());
        }
    }

    // `arguments` in the caller's order; for a put the last one is the value.
    void Invoke(DISPID id, WORD kind, CHostArgument* arguments, size_t count, VARIANT* result);
    // Converts `result` in place to `type`; a value that does not convert is a failed call.
    static const VARIANT& Coerced(ScopedVariant& result, VARTYPE type);
    static RefPtr<IDispatch> TakeObject(ScopedVariant& result);

    IDispatch* m_dispatch = nullptr;
    bool m_autoRelease = false;
};
