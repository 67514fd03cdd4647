// Self-registration of a module on the ActiveX layer through regsvr32, read
// back from the prefix's registry, and its removal.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include "base/com/RefPtr.h"
#include "platform/activex/ServerRegistration.h"
#include "platform/activex/test/ActiveXProbeIds.h"
#include "testing/comreg/ServerRegistrationTestSupport.h"

namespace {

std::wstring Read(const std::wstring& key, const wchar_t* value = L"")
{
    std::wstring text;
    return ReadClassesString(key, value, text) ? text : L"<missing>";
}

TEST(ActiveXRegistration, Regsvr32WritesEveryKeyAndSlashURemovesThem)
{
    const std::wstring module = TestModuleFolder() + L"ActiveXProbe.ocx";
    const std::wstring control = L"CLSID\\" + RegistryGuidString(kProbeClsid);
    const std::wstring page = L"CLSID\\" + RegistryGuidString(kProbePageClsid);
    DWORD exitCode = 0;
    ASSERT_TRUE(RunRegsvr32(module, false, exitCode));
    ASSERT_EQ(0u, exitCode);

    wchar_t longPath[MAX_PATH] = {};
    GetLongPathNameW(module.c_str(), longPath, MAX_PATH);
    EXPECT_EQ(L"ActiveX Probe Control", Read(control));
    EXPECT_EQ(0, _wcsicmp(longPath, Read(control + L"\\InprocServer32").c_str())) << Read(control + L"\\InprocServer32");
    EXPECT_EQ(L"Apartment", Read(control + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(kProbeProgId, Read(control + L"\\ProgID"));
    EXPECT_TRUE(ClassesKeyExists(control + L"\\Control"));
    EXPECT_EQ(L"0", Read(control + L"\\MiscStatus"));
    EXPECT_EQ(L"131473", Read(control + L"\\MiscStatus\\1"));
    EXPECT_EQ(L"{CD0FB337-8FF1-4A5E-A053-D7D17D9E0EE7}", Read(control + L"\\TypeLib"));
    EXPECT_EQ(L"1.0", Read(control + L"\\Version"));
    EXPECT_EQ(RegistryGuidString(kProbeClsid), Read(std::wstring(kProbeProgId) + L"\\CLSID"));
    EXPECT_EQ(L"ActiveX Probe Control", Read(kProbeProgId));

    // The page class is a plain in-process class.
    EXPECT_EQ(L"Apartment", Read(page + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(kProbePageProgId, Read(page + L"\\ProgID"));
    EXPECT_FALSE(ClassesKeyExists(page + L"\\Control"));
    EXPECT_FALSE(ClassesKeyExists(page + L"\\MiscStatus"));

    RefPtr<ITypeLib> library;
    ASSERT_HRESULT_SUCCEEDED(LoadRegTypeLib(kProbeLibraryId, 1, 0, LOCALE_NEUTRAL, library.Put()));
    library.Reset();

    ASSERT_TRUE(RunRegsvr32(module, true, exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(ClassesKeyExists(control));
    EXPECT_FALSE(ClassesKeyExists(page));
    EXPECT_FALSE(ClassesKeyExists(kProbeProgId));
    EXPECT_FALSE(ClassesKeyExists(kProbePageProgId));
    EXPECT_FALSE(ClassesKeyExists(L"TypeLib\\{CD0FB337-8FF1-4A5E-A053-D7D17D9E0EE7}\\1.0"));
    EXPECT_TRUE(FAILED(LoadRegTypeLib(kProbeLibraryId, 1, 0, LOCALE_NEUTRAL, library.Put())));

    // Removing it again finds nothing to remove and is no failure.
    ASSERT_TRUE(RunRegsvr32(module, true, exitCode));
    EXPECT_EQ(0u, exitCode);
}

} // namespace
