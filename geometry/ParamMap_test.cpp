#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/xml/test/XmlNodeTestSupport.h"
#include "geometry/ParamMap.h"

namespace {

class ParamMapTest : public XmlNodeLeakCheck {
protected:
    static bool Load(CParamMap& map, const std::string& text)
    {
        return map.LoadFromBytes(text.data(), text.size());
    }
};

// The map carried in this executable's resources.
class CarriedMapTest : public ParamMapTest {
protected:
    void SetUp() override
    {
        ParamMapTest::SetUp();
        ASSERT_TRUE(m_map.LoadFromModule(GetModuleHandleW(nullptr)));
    }
    void TearDown() override
    {
        m_map.LoadFromBytes(nullptr, 0);   // releases the tree before the leak check
        ParamMapTest::TearDown();
    }

    CParamMap m_map;
};

std::wstring PointName(int id)
{
    static const wchar_t* const fields[] = {L"X", L"Y", L"BLX", L"BLY", L"BRX", L"BRY", L"Style"};
    return L"Vantre_Point" + std::to_wstring((id - 1) / 7 + 1) + fields[(id - 1) % 7];
}

TEST_F(CarriedMapTest, EveryIdHasItsFullNameAndBack)
{
    static const struct {
        int id;
        const wchar_t* name;
    } named[] = {
        {0, L"Vantre_PointCount"}, {113, L"Vantre_GUID1"}, {114, L"Vantre_GUID2"},
        {115, L"Vantre_NodeName1"}, {116, L"Vantre_NodeName2"}, {117, L"Vantre_Enabled"},
        {118, L"Vantre_Bottom XZ"}, {119, L"Vantre_Bottom Offset"}, {120, L"Vantre_Tessellation"},
        {121, L"Vantre_Shape"}, {122, L"Vantre_Enable Change"}, {123, L"Vantre_Change Frames"},
        {124, L"Vantre_Limits_Enable Min"}, {125, L"Vantre_Limits_Min"}, {126, L"Vantre_Limits_Enable Max"},
        {127, L"Vantre_Limits_Max"}, {128, L"Vantre_Link Values_Save Height"},
        {129, L"Vantre_Link Values_Inherit Height"}, {130, L"Vantre_Link Values_ID"},
    };
    EXPECT_EQ(131u, m_map.NamesById().size());
    EXPECT_EQ(131u, m_map.IdsByName().size());
    for (int id = 0; id <= 130; ++id) {
        std::wstring expected = id >= 1 && id <= 112 ? PointName(id) : L"";
        for (const auto& entry : named)
            if (entry.id == id)
                expected = entry.name;
        EXPECT_EQ(expected, m_map.FullName(id)) << id;
        const auto back = m_map.IdsByName().find(expected);
        ASSERT_NE(m_map.IdsByName().end(), back) << id;
        EXPECT_EQ(id, back->second);
    }
    EXPECT_EQ(L"", m_map.FullName(131));
}

TEST_F(CarriedMapTest, DefaultsAndKinds)
{
    const auto& defaults = m_map.Defaults();
    EXPECT_EQ(130u, defaults.size());
    EXPECT_EQ(0u, defaults.count(121));
    const struct {
        int id;
        double value;
    } expected[] = {
        {0, 4}, {1, -0.5}, {2, 0.5}, {8, 0.5}, {9, 0.5}, {15, 0.5}, {16, -0.5}, {22, -0.5}, {23, -0.5},
        {3, 0}, {7, 1}, {28, 1}, {29, 0}, {35, 0}, {112, 0}, {117, 1}, {119, 0}, {120, 50}, {123, 15},
        {125, 0.25}, {127, 0.25}, {130, 1},
    };
    for (const auto& e : expected) {
        ASSERT_EQ(1u, defaults.count(e.id)) << e.id;
        EXPECT_EQ(e.value, defaults.at(e.id)) << e.id;
    }

    const struct {
        int id;
        int32_t kind;
        int32_t intValue;
        double doubleValue;
    } kinds[] = {
        {0, kParamCustom, 0, 0}, {7, kParamCustom, 0, 0}, {117, kParamBoolean, 1, 0},
        {119, kParamDouble, 0, 0}, {120, kParamInteger, 50, 0}, {121, kParamButton, 0, 0},
        {122, kParamJump, 0, 0}, {125, kParamDouble, 0, 0.25}, {130, kParamMenu, 1, 0},
    };
    for (const auto& k : kinds) {
        const ParamValue& value = m_map.ValuesById().at(k.id);
        EXPECT_EQ(k.kind, value.kind) << k.id;
        EXPECT_EQ(k.intValue, value.intValue) << k.id;
        EXPECT_EQ(k.doubleValue, value.doubleValue) << k.id;
    }
}

TEST_F(ParamMapTest, NestedGroupsFirstEntriesAndSkippedElements)
{
    CParamMap map;
    ASSERT_TRUE(Load(map,
        "<GeoPlugin name=\"Root\"><ParamGroup name=\"Outer\">"
        "<param name=\"A\" id=\"1\" type=\"integer\" defaultValue=\"2.9\"/>"
        "<ParamGroup name=\"Mid\"><ParamGroup name=\"Inner\">"
        "<Param name=\"B\" id=\"2\" type=\"Double\" defaultValue=\"1.5\"/></ParamGroup></ParamGroup>"
        "<Param name=\"NoType\" id=\"3\"/><Param name=\"NoId\" type=\"integer\"/>"
        "<Param name=\"Again\" id=\"1\" type=\"double\" defaultValue=\"7\"/>"
        "<Params name=\"C\" id=\"4\" type=\"integer\"/>"
        "</ParamGroup></GeoPlugin>"));
    EXPECT_EQ(L"Outer_A", map.FullName(1));
    EXPECT_EQ(L"Outer_Mid_Inner_B", map.FullName(2));
    EXPECT_EQ(L"", map.FullName(3));
    EXPECT_EQ(L"", map.FullName(4));
    // A repeated id keeps its first entry in every table but ids by name.
    EXPECT_EQ(2.9, map.Defaults().at(1));
    EXPECT_EQ(kParamInteger, map.ValuesById().at(1).kind);
    EXPECT_EQ(2, map.ValuesById().at(1).intValue);
    EXPECT_EQ(1, map.IdsByName().at(L"Outer_Again"));
    // Type words compare with case.
    EXPECT_EQ(kParamCustom, map.ValuesById().at(2).kind);
}

TEST_F(ParamMapTest, UnusableTextLeavesTheTablesEmpty)
{
    const std::string texts[] = {
        "",
        "<GeoPlugin name=\"V\"><ParamGroup name=\"V\"><Param name=\"A\" id=\"1\" type=\"integer\"",
        "<Plugin name=\"V\"><Param name=\"A\" id=\"1\" type=\"integer\"/></Plugin>",
    };
    for (const std::string& text : texts) {
        CParamMap map;
        ASSERT_TRUE(Load(map, "<GeoPlugin><Param name=\"Z\" id=\"9\" type=\"integer\"/></GeoPlugin>"));
        Load(map, text);
        EXPECT_TRUE(map.NamesById().empty()) << text;
        EXPECT_TRUE(map.IdsByName().empty()) << text;
        EXPECT_TRUE(map.Defaults().empty()) << text;
        EXPECT_TRUE(map.ValuesById().empty()) << text;
    }
}

TEST_F(ParamMapTest, Utf16TextAfterItsMark)
{
    const std::wstring wide = L"<GeoPlugin><ParamGroup name=\"\u00C9t\u00E9\">"
                              L"<Param name=\"A\" id=\"5\" type=\"boolean\" defaultValue=\"1\"/></ParamGroup></GeoPlugin>";
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    CParamMap map;
    ASSERT_TRUE(Load(map, bytes));
    EXPECT_EQ(L"\u00C9t\u00E9_A", map.FullName(5));
    EXPECT_EQ(1, map.ValuesById().at(5).intValue);
}

}  // namespace
