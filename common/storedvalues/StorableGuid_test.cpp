#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "common/storedvalues/StorableGuid.h"

namespace {

GUID FromHalves(uint64_t first, uint64_t second)
{
    const uint64_t halves[2] = {first, second};
    GUID guid;
    memcpy(&guid, halves, sizeof guid);
    return guid;
}

constexpr uint64_t kSignallingNaN = 0x7FF0000000000001ull;
constexpr uint64_t kQuietNaN = 0x7FF8000000000001ull;
constexpr uint64_t kOrdinary = 0x0123456789ABCDEFull;

// Hands out a fixed list of GUIDs, one a call.
const GUID* g_draws = nullptr;
int g_drawn = 0;

HRESULT WINAPI ScriptedGuid(GUID* guid)
{
    *guid = g_draws[g_drawn++];
    return S_OK;
}

TEST(StorableGuid, SignallingNaNHalvesAreDrawnAgain)
{
    const struct {
        uint64_t bits;
        bool signalling;
    } patterns[] = {
        {kSignallingNaN, true}, {0xFFF7FFFFFFFFFFFFull, true}, {kQuietNaN, false},
        {0x7FF0000000000000ull, false}, {kOrdinary, false}, {0, false},
    };
    for (const auto& p : patterns)
        EXPECT_EQ(p.signalling, IsSignallingNaN(&p.bits)) << std::hex << p.bits;

    const GUID draws[] = {FromHalves(kOrdinary, kSignallingNaN), FromHalves(kSignallingNaN, kOrdinary),
                          FromHalves(kQuietNaN, kOrdinary)};
    g_draws = draws;
    g_drawn = 0;
    GUID guid = GUID_NULL;
    ASSERT_EQ(S_OK, CreateStorableGuid(guid, ScriptedGuid));
    EXPECT_EQ(3, g_drawn);
    EXPECT_TRUE(IsEqualGUID(draws[2], guid));
}

TEST(StorableGuid, RegistryForm)
{
    EXPECT_EQ(L"{00000000-0000-0000-0000-000000000000}", GuidString(GUID_NULL));
    const GUID guid = {0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};
    EXPECT_EQ(L"{6B29FC40-CA47-1067-B31D-00DD010662DA}", GuidString(guid));
}

}  // namespace
