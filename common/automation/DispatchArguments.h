#pragma once
// Reading the positional arguments of an IDispatch::Invoke call by their
// position in the script (the block holds them last first). Script variables
// arrive by reference; the conversions follow the automation rules.

#include <windows.h>
#include <oaidl.h>

#include <string>

class DispatchArguments {
public:
    explicit DispatchArguments(const DISPPARAMS& params) : m_params(params) {}

    UINT Count() const { return m_params.cArgs; }

    // Each answers the conversion's result (e.g. DISP_E_TYPEMISMATCH,
    // DISP_E_OVERFLOW) and, on failure, stores the argument's position in the
    // block for Invoke's argument-error out value.
    HRESULT Text(UINT scriptPosition, std::wstring& value);
    HRESULT Int32(UINT scriptPosition, LONG& value);
    HRESULT Double(UINT scriptPosition, double& value);

    UINT FailedBlockPosition() const { return m_failedPosition; }

private:
    HRESULT Convert(UINT scriptPosition, VARTYPE type, VARIANT& converted);
    // Converts, then hands the converted value to `store`.
    template <typename Store>
    HRESULT Read(UINT scriptPosition, VARTYPE type, Store store);

    const DISPPARAMS& m_params;
    UINT m_failedPosition = 0;
};
