// Plotvane.ocx registered with regsvr32 in the test prefix and removed again.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "chartcontrol/QuillonIds.h"
#include "base/com/RefPtr.h"
#include "platform/activex/ServerRegistration.h"
#include "testing/comreg/ServerRegistrationTestSupport.h"

namespace {

std::wstring Read(const std::wstring& key, const wchar_t* value = L"")
{
    std::wstring text;
    return ReadClassesString(key, value, text) ? text : L"<missing>";
}

// The registered library's methods of the dispatch interface: "id name" each.
std::vector<std::wstring> RegisteredMethods()
{
    std::vector<std::wstring> methods;
    RefPtr<ITypeLib> library;
    RefPtr<ITypeInfo> dispatch;
    if (FAILED(LoadRegTypeLib(kQuillonLibraryId, 1, 0, LOCALE_NEUTRAL, library.Put())) ||
        FAILED(library->GetTypeInfoOfGuid(kQuillonDispatchIid, dispatch.Put())))
        return methods;
    TYPEATTR* attributes = nullptr;
    if (FAILED(dispatch->GetTypeAttr(&attributes)))
        return methods;
    const WORD count = attributes->cFuncs;
    dispatch->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(dispatch->GetFuncDesc(i, &function)))
            continue;
        BSTR name = nullptr;
        UINT names = 0;
        dispatch->GetNames(function->memid, &name, 1, &names);
        methods.push_back(std::to_wstring(function->memid) + L" " + (name ? name : L""));
        SysFreeString(name);
        dispatch->ReleaseFuncDesc(function);
    }
    return methods;
}

TEST(PlotvaneRegistration, Regsvr32RegistersTheControlAndItsTypeLibraryAndSlashURemovesThem)
{
    const std::wstring module = TestModuleFolder() + L"Plotvane.ocx";
    const std::wstring key = L"CLSID\\{8DDC23E1-38D4-4597-977E-CF0C42B361F4}";
    DWORD exitCode = 0;
    ASSERT_TRUE(RunRegsvr32(module, false, exitCode));
    ASSERT_EQ(0u, exitCode) << "the module and what it links load from the build folder";

    EXPECT_EQ(0, _wcsicmp(module.c_str(), Read(key + L"\\InprocServer32").c_str())) << Read(key + L"\\InprocServer32");
    EXPECT_EQ(L"Apartment", Read(key + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(L"Velmora.LEIFlet.Plotvane.1", Read(key + L"\\ProgID"));
    EXPECT_TRUE(ClassesKeyExists(key + L"\\Control"));
    EXPECT_EQ(L"131473", Read(key + L"\\MiscStatus\\1"));
    EXPECT_EQ(L"{E416CD80-0AEA-485E-A7A8-DF311F59E6CE}", Read(key + L"\\TypeLib"));
    EXPECT_EQ(L"1.0", Read(key + L"\\Version"));
    EXPECT_EQ(L"{8DDC23E1-38D4-4597-977E-CF0C42B361F4}", Read(L"Velmora.LEIFlet.Plotvane.1\\CLSID"));

    const std::vector<std::wstring> expected = {
        L"1 OnInitialize", L"2 OnQuillon", L"3 SetLyric", L"4 LyricEvent", L"5 LyricTransition", L"6 LyricEventEx",
        L"7 LocateLabel", L"8 AboutBox", L"9 TrellanGUID", L"10 MakeGroup", L"11 AddXAxisLabels",
        L"12 AddYAxisLabels", L"13 MakeLabelKeyframes", L"14 LocateInfoLabel", L"15 VantreGUID", L"16 UpdateChart"};
    EXPECT_EQ(expected, RegisteredMethods());

    ASSERT_TRUE(RunRegsvr32(module, true, exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(ClassesKeyExists(key));
    EXPECT_FALSE(ClassesKeyExists(L"Velmora.LEIFlet.Plotvane.1"));
    EXPECT_TRUE(RegisteredMethods().empty()) << "the type library is no longer registered";
}

} // namespace
