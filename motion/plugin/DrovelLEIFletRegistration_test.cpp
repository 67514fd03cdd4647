// DrovelLEIFlet.ocx registered with regsvr32, read back from the prefix's
// registry, and removed again.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include "base/com/RefPtr.h"
#include "motion/plugin/DrovelLEIFletIds.h"
#include "platform/activex/ServerRegistration.h"
#include "testing/comreg/ServerRegistrationTestSupport.h"

namespace {

std::wstring Read(const std::wstring& key, const wchar_t* value = L"")
{
    std::wstring text;
    return ReadClassesString(key, value, text) ? text : L"<missing>";
}

TEST(DrovelLEIFletRegistration, Regsvr32RegistersBothClassesAndTheTypeLibraryAndSlashURemovesThem)
{
    const std::wstring module = TestModuleFolder() + L"DrovelLEIFlet.ocx";
    const std::wstring control = L"CLSID\\{7E453015-0C88-4DD6-AB4E-A04D4ED27B24}";
    const std::wstring page = L"CLSID\\{41458941-3ECE-46F1-BE46-FF2252310B9C}";
    const std::wstring library = L"TypeLib\\{748E82FD-955E-4DEA-B5A8-D181E9F00D04}\\1.0";
    DWORD exitCode = 0;
    ASSERT_TRUE(RunRegsvr32(module, false, exitCode));
    ASSERT_EQ(0u, exitCode);

    wchar_t longPath[MAX_PATH] = {};
    GetLongPathNameW(module.c_str(), longPath, MAX_PATH);
    struct Value {
        std::wstring key;
        const wchar_t* name;
        std::wstring expected;
    };
    const Value values[] = {
        {control, L"", L"DrovelLEIFlet Control"},
        {control + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {control + L"\\ProgID", L"", L"Velmora.Drovel.LEIFlet.1"},
        {control + L"\\MiscStatus\\1", L"", L"131473"},
        {control + L"\\TypeLib", L"", L"{748E82FD-955E-4DEA-B5A8-D181E9F00D04}"},
        {control + L"\\Version", L"", L"1.0"},
        {L"Velmora.Drovel.LEIFlet.1\\CLSID", L"", L"{7E453015-0C88-4DD6-AB4E-A04D4ED27B24}"},
        {page, L"", L"DrovelLEIFlet Property Page"},
        {page + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {page + L"\\ProgID", L"", L"Velmora.Drovel.LEIFletProps.1"},
        {L"Velmora.Drovel.LEIFletProps.1\\CLSID", L"", L"{41458941-3ECE-46F1-BE46-FF2252310B9C}"},
        {L"Interface\\{80E65D46-78BE-48E4-83C4-EA9D52A1ADDB}", L"", L"_DDrovelLEIFlet"},
    };
    for (const Value& v : values)
        EXPECT_EQ(v.expected, Read(v.key, v.name)) << v.key.c_str();
    for (const std::wstring& server : {control, page})
        EXPECT_EQ(0, _wcsicmp(longPath, Read(server + L"\\InprocServer32").c_str())) << server.c_str();
    EXPECT_TRUE(ClassesKeyExists(control + L"\\Control"));
    EXPECT_FALSE(ClassesKeyExists(page + L"\\Control"));
    EXPECT_TRUE(ClassesKeyExists(library));
    RefPtr<ITypeLib> typeLibrary;
    ASSERT_HRESULT_SUCCEEDED(LoadRegTypeLib(kDrovelLibraryId, 1, 0, LOCALE_NEUTRAL, typeLibrary.Put()));
    typeLibrary.Reset();

    ASSERT_TRUE(RunRegsvr32(module, true, exitCode));
    EXPECT_EQ(0u, exitCode);
    for (const std::wstring& key : {control, page, std::wstring(L"Velmora.Drovel.LEIFlet.1"),
                                    std::wstring(L"Velmora.Drovel.LEIFletProps.1"), library})
        EXPECT_FALSE(ClassesKeyExists(key)) << key.c_str();
}

} // namespace
