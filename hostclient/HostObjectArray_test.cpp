// Object lists in the forms a host hands them out.
#include <gtest/gtest.h>

#include "hostclient/HostObjectArray.h"
#include "testing/simhost/SimHost.h"

namespace {

// A one-dimensional array from index `low` holding `objects`, as VT_DISPATCH
// elements or as VT_VARIANT elements with a text among them.
void MakeList(VARTYPE element, LONG low, const std::vector<IDispatch*>& objects, ScopedVariant& list)
{
    SAFEARRAYBOUND bound{static_cast<ULONG>(objects.size() + (element == VT_VARIANT ? 1 : 0)), low};
    SAFEARRAY* array = SafeArrayCreate(element, 1, &bound);
    ASSERT_NE(nullptr, array);
    list->vt = VT_ARRAY | element;
    list->parray = array;
    LONG index = low;
    for (IDispatch* object : objects) {
        if (element == VT_DISPATCH) {
            ASSERT_HRESULT_SUCCEEDED(SafeArrayPutElement(array, &index, object));
        } else {
            VARIANT value;
            value.vt = VT_DISPATCH;
            value.pdispVal = object;
            ASSERT_HRESULT_SUCCEEDED(SafeArrayPutElement(array, &index, &value));
        }
        ++index;
    }
    if (element == VT_VARIANT) {
        ScopedBstr text(L"not an object");
        VARIANT value;
        value.vt = VT_BSTR;
        value.bstrVal = text.Get();
        ASSERT_HRESULT_SUCCEEDED(SafeArrayPutElement(array, &index, &value));
    }
}

TEST(HostObjectArray, ObjectsComeFromDispatchOrVariantArraysFromAnyLowerBound)
{
    CSimHost host;
    IDispatch* first = host.Application();
    IDispatch* second = &host.Version();
    for (VARTYPE element : {VT_DISPATCH, VT_VARIANT}) {
        for (LONG low : {0L, 3L}) {
            ScopedVariant list;
            MakeList(element, low, {first, second}, list);
            const std::vector<RefPtr<IDispatch>> objects = HostObjectsOf(*list.Get());
            ASSERT_EQ(2u, objects.size()) << element << " from " << low;
            EXPECT_EQ(first, objects[0].Get());
            EXPECT_EQ(second, objects[1].Get());
        }
    }
    EXPECT_EQ(0, host.OutsideReferences()) << "each object's reference goes with the list";

    ScopedVariant none;
    EXPECT_TRUE(HostObjectsOf(*none.Get()).empty());
    ScopedVariant texts;
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 2);
    texts->vt = VT_ARRAY | VT_BSTR;
    texts->parray = array;
    for (LONG i = 0; i < 2; ++i) {
        ScopedBstr text(L"In");
        ASSERT_HRESULT_SUCCEEDED(SafeArrayPutElement(array, &i, text.Get()));
    }
    EXPECT_TRUE(HostObjectsOf(*texts.Get()).empty());
    texts->vt = VT_ARRAY | VT_DISPATCH;  // a list that says it holds objects but holds texts
    EXPECT_TRUE(HostObjectsOf(*texts.Get()).empty());
    texts->vt = VT_ARRAY | VT_BSTR;
}

} // namespace
