#include "hostclient/HostObjectArray.h"

namespace {

IDispatch* DispatchOf(const VARIANT& v)
{
    if (v.vt == VT_DISPATCH)
        return v.pdispVal;
    if (v.vt == (VT_BYREF | VT_DISPATCH))
        return v.ppdispVal ? *v.ppdispVal : nullptr;
    return nullptr;
}

} // namespace

std::vector<RefPtr<IDispatch>> HostObjectsOf(const VARIANT& list)
{
    std::vector<RefPtr<IDispatch>> objects;
    const VARTYPE element = static_cast<VARTYPE>(list.vt & ~VT_ARRAY);
    if (!(list.vt & VT_ARRAY) || (element != VT_DISPATCH && element != VT_VARIANT) || !list.parray)
        return objects;
    SAFEARRAY* array = list.parray;
    // The array's own element type decides how its elements are read.
    VARTYPE stored = VT_EMPTY;
    LONG low = 0, high = -1;
    if (FAILED(SafeArrayGetVartype(array, &stored)) || stored != element || SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &low)) ||
        FAILED(SafeArrayGetUBound(array, 1, &high)))
        return objects;
    for (LONG i = low; i <= high; ++i) {
        if (element == VT_DISPATCH) {
            IDispatch* object = nullptr;  // an added reference
            if (SUCCEEDED(SafeArrayGetElement(array, &i, &object)) && object)
                objects.push_back(RefPtr<IDispatch>::Adopt(object));
        } else {
            ScopedVariant value;
            if (SUCCEEDED(SafeArrayGetElement(array, &i, value.Get())))
                if (IDispatch* object = DispatchOf(*value.Get()))
                    objects.emplace_back(object);
        }
    }
    return objects;
}
