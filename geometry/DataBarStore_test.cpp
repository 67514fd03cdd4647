#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "geometry/DataBarStore.h"
#include "geometry/ShapeWriteFlag.h"

namespace {

const std::wstring kGuid = L"{6B29FC40-CA47-1067-B31D-00DD010662DA}";
const std::wstring kPercent = L"PercentValue";

struct BuildResult {
    double height;
    uint8_t redraw;
};

// One mesh build's use of the store, in the builder's order.
class StoreFixture : public ::testing::Test {
protected:
    BuildResult Build(bool enableChange, double frames, double min = 0.25, double max = 1.0)
    {
        m_store.AttachMeshRecord(kGuid, &m_mesh);
        m_store.AdvanceFrame(kGuid);
        if (enableChange)
            m_store.ConsumePendingValue(kGuid, kPercent);
        const double height = m_store.InterpolateChange(kGuid, min, max, frames);
        m_store.EndBuild(kGuid);
        return {height, m_mesh.redraw};
    }

    // A build that only attaches the record.
    void EmptyBuild(const std::wstring& guid)
    {
        m_store.AttachMeshRecord(guid, &m_mesh);
        m_store.EndBuild(guid);
    }

    CDataBarStore m_store;
    GeoMeshBuffers m_mesh{};
    uint8_t& m_redraw = m_mesh.redraw;
};

TEST_F(StoreFixture, ChangeRunsLinearlyOverTheFramesThenHolds)
{
    struct Row {
        double height;
        uint8_t redraw;
    };
    // Min 0.25, Max 1, value 1 over 4 frames; the first row is the consuming build.
    const Row rows[] = {
        {0.25, 1}, {0.4375, 1}, {0.625, 1}, {0.8125, 1}, {1.0, 1}, {1.0, 0}, {1.0, 0},
    };
    m_store.SetValue(kGuid, kPercent, 1.0, 0);
    for (size_t build = 0; build < sizeof rows / sizeof rows[0]; ++build) {
        const BuildResult result = Build(true, 4);
        EXPECT_DOUBLE_EQ(rows[build].height, result.height) << "build " << build;
        EXPECT_EQ(rows[build].redraw, result.redraw) << "build " << build;
    }
}

TEST_F(StoreFixture, FifteenFramesReachTheTargetOnTheFifteenthBuildAfter)
{
    m_store.SetValue(kGuid, kPercent, 1.0, 0);
    EXPECT_DOUBLE_EQ(0.0, Build(true, 15, 0.0, 1.0).height);
    for (int step = 1; step <= 15; ++step) {
        const BuildResult result = Build(true, 15, 0.0, 1.0);
        EXPECT_NEAR(step / 15.0, result.height, 1e-12) << "step " << step;
        EXPECT_EQ(1, result.redraw);
    }
    const BuildResult settled = Build(true, 15, 0.0, 1.0);
    EXPECT_DOUBLE_EQ(1.0, settled.height);
    EXPECT_EQ(0, settled.redraw);
}

TEST_F(StoreFixture, SecondValueDuringAnAnimationRunsFromThePreviousTarget)
{
    m_store.SetValue(kGuid, kPercent, 1.0, 0);
    Build(true, 4, 0.0, 1.0);
    EXPECT_DOUBLE_EQ(0.25, Build(true, 4, 0.0, 1.0).height);
    m_store.SetValue(kGuid, kPercent, 0.5, 0);
    const double expected[] = {1.0, 0.875, 0.75, 0.625, 0.5, 0.5};
    for (double height : expected)
        EXPECT_DOUBLE_EQ(height, Build(true, 4, 0.0, 1.0).height);
}

TEST_F(StoreFixture, ValueStaysPendingWhileEnableChangeIsOff)
{
    m_store.SetValue(kGuid, kPercent, 0.6, 0);
    for (int build = 0; build < 3; ++build)
        EXPECT_DOUBLE_EQ(0.25, Build(false, 15).height);
    double pending = 0.0;
    ASSERT_TRUE(m_store.GetPendingValue(kGuid, kPercent, pending));
    EXPECT_DOUBLE_EQ(0.6, pending);

    Build(true, 15);
    EXPECT_FALSE(m_store.GetPendingValue(kGuid, kPercent, pending));
    ChangeState change;
    ASSERT_TRUE(m_store.GetChange(kGuid, kPercent, change));
    EXPECT_DOUBLE_EQ(0.6, change.target);
    EXPECT_DOUBLE_EQ(0.0, change.start);
    EXPECT_EQ(4, change.startFrame);
}

TEST_F(StoreFixture, FrameCounterIsFrozenWhileShapeParametersAreWritten)
{
    m_store.SetValue(kGuid, kPercent, 1.0, 0);
    Build(true, 4, 0.0, 1.0);
    const double reached = Build(true, 4, 0.0, 1.0).height;
    const int32_t frame = m_store.GetFrameCounter(kGuid);
    {
        CShapeWriteScope writing;
        for (int build = 0; build < 3; ++build) {
            const BuildResult result = Build(true, 4, 0.0, 1.0);
            EXPECT_DOUBLE_EQ(reached, result.height);
            EXPECT_EQ(1, result.redraw);
        }
        EXPECT_EQ(frame, m_store.GetFrameCounter(kGuid));
    }
    EXPECT_DOUBLE_EQ(0.5, Build(true, 4, 0.0, 1.0).height);
    EXPECT_EQ(frame + 1, m_store.GetFrameCounter(kGuid));
}

TEST_F(StoreFixture, OnlyTheLastOfTwoValuesBeforeABuildIsConsumed)
{
    m_store.SetValue(kGuid, kPercent, 0.2, 0);
    m_store.SetValue(kGuid, kPercent, 0.8, 0);
    Build(true, 1, 0.0, 1.0);
    EXPECT_DOUBLE_EQ(0.8, Build(true, 1, 0.0, 1.0).height);
}

TEST_F(StoreFixture, UnusableValuesAreNeverConsumed)
{
    const double refused[] = {kNoPendingValue, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                              1e300, -1.0000001e6};
    for (double value : refused) {
        m_store.SetValue(kGuid, kPercent, value, 0);
        Build(true, 2);
        ChangeState change;
        EXPECT_FALSE(m_store.GetChange(kGuid, kPercent, change)) << value;
    }
    // The limit itself is a value.
    m_store.SetValue(kGuid, kPercent, -1e6, 0);
    double pending = 0.0;
    ASSERT_TRUE(m_store.GetPendingValue(kGuid, kPercent, pending));
    EXPECT_DOUBLE_EQ(-1e6, pending);
    // A refused value leaves an earlier pending one in place.
    m_store.SetValue(kGuid, kPercent, 0.4, 0);
    m_store.SetValue(kGuid, kPercent, std::numeric_limits<double>::quiet_NaN(), 0);
    ASSERT_TRUE(m_store.GetPendingValue(kGuid, kPercent, pending));
    EXPECT_DOUBLE_EQ(0.4, pending);
}

TEST_F(StoreFixture, ChangeOverNoFramesEndsAtTheTarget)
{
    m_store.SetValue(kGuid, kPercent, 1.0, 0);
    const BuildResult consuming = Build(true, 0, 0.0, 2.0);
    EXPECT_DOUBLE_EQ(2.0, consuming.height);
    const BuildResult next = Build(true, 0, 0.0, 2.0);
    EXPECT_DOUBLE_EQ(2.0, next.height);
    EXPECT_EQ(0, next.redraw);
}

TEST_F(StoreFixture, NoChangeGivesMinAndAStartOfMinus999CountsAsZero)
{
    EXPECT_DOUBLE_EQ(0.25, Build(true, 15).height);
    m_store.SetChangeStart(kGuid, kPercent, -999.0);
    ChangeState change;
    ASSERT_TRUE(m_store.GetChange(kGuid, kPercent, change));
    EXPECT_DOUBLE_EQ(-999.0, change.target);
    EXPECT_DOUBLE_EQ(-999.0, change.start);
    // The new change starts from the old target -999, which counts as 0.
    m_store.SetValue(kGuid, kPercent, 1.0, 0);
    Build(true, 2, 0.0, 1.0);
    EXPECT_DOUBLE_EQ(0.5, Build(true, 2, 0.0, 1.0).height);
}

TEST_F(StoreFixture, ChangeStartMovesTheStartOnly)
{
    m_store.SetValue(kGuid, kPercent, 1.0, 0);
    Build(true, 4, 0.0, 1.0);
    m_store.SetChangeStart(kGuid, kPercent, 0.5);
    ChangeState change;
    ASSERT_TRUE(m_store.GetChange(kGuid, kPercent, change));
    EXPECT_DOUBLE_EQ(0.5, change.start);
    EXPECT_DOUBLE_EQ(1.0, change.target);
    EXPECT_EQ(m_store.GetFrameCounter(kGuid), change.startFrame);
}

TEST_F(StoreFixture, RedrawRequestsReachOnlyAnAttachedByte)
{
    // Before any build there is no byte to raise.
    m_store.SetRedraw(kGuid, 1);
    m_store.SetValue(kGuid, kPercent, 0.5, 1);
    EXPECT_EQ(0, m_redraw);

    m_redraw = 9;
    EmptyBuild(kGuid);
    EXPECT_EQ(0, m_redraw);
    m_store.SetValue(kGuid, kPercent, 0.5, 0x100);   // low byte 0: no request
    EXPECT_EQ(0, m_redraw);
    m_store.SetValue(kGuid, kPercent, 0.5, 0x102);
    EXPECT_EQ(2, m_redraw);
    m_store.SetRedraw(kGuid, 0);
    EXPECT_EQ(0, m_redraw);
    m_store.SetRedraw(kGuid, 1);
    EXPECT_EQ(1, m_redraw);
    // GUID strings are keys as given: another case is another object.
    m_store.SetRedraw(L"{6b29fc40-ca47-1067-b31d-00dd010662da}", 0);
    EXPECT_EQ(1, m_redraw);
}

TEST_F(StoreFixture, AReusedRedrawByteBelongsToItsNewObjectOnly)
{
    const std::wstring successor = L"{SUCCESSOR}";
    EmptyBuild(kGuid);
    // The host freed the first object and placed a new one at the same address.
    EmptyBuild(successor);
    m_store.SetValue(kGuid, kPercent, 0.5, 1);
    m_store.SetRedraw(kGuid, 1);
    EXPECT_EQ(0, m_redraw);
    m_store.SetRedraw(successor, 1);
    EXPECT_EQ(1, m_redraw);
}

TEST_F(StoreFixture, BetweenBuildsTheByteIsWrittenOnlyInTheRecordTheLastBuildLeft)
{
    float vertices[8] = {};
    m_mesh.vertices = vertices;
    m_mesh.vertexRoom = 8;
    m_mesh.hasGeometry = 1;
    // During a build the host may move its buffers: the record is its own.
    m_store.AttachMeshRecord(kGuid, &m_mesh);
    float moved[16] = {};
    m_mesh.vertices = moved;
    m_mesh.vertexRoom = 16;
    m_store.SetValue(kGuid, kPercent, 0.5, 3);
    EXPECT_EQ(3, m_redraw);
    m_store.EndBuild(kGuid);

    m_store.SetRedraw(kGuid, 1);
    EXPECT_EQ(1, m_redraw) << "the record as the build left it";
    // Changed since: freed and taken for something else. The record is
    // forgotten until the object's next build, even if it looks right again.
    const struct {
        const char* what;
        void (*change)(GeoMeshBuffers&);
    } changes[] = {
        {"vertex buffer", [](GeoMeshBuffers& mesh) { mesh.vertices = nullptr; }},
        {"vertex room", [](GeoMeshBuffers& mesh) { ++mesh.vertexRoom; }},
        {"index buffer", [](GeoMeshBuffers& mesh) { mesh.indices = reinterpret_cast<int32_t*>(&mesh); }},
        {"index room", [](GeoMeshBuffers& mesh) { mesh.indexRoom = 7; }},
        {"has-geometry byte", [](GeoMeshBuffers& mesh) { mesh.hasGeometry = 0; }},
    };
    for (const auto& c : changes) {
        m_store.AttachMeshRecord(kGuid, &m_mesh);
        m_store.EndBuild(kGuid);
        const GeoMeshBuffers left = m_mesh;
        c.change(m_mesh);
        m_store.SetValue(kGuid, kPercent, 0.5, 1);
        m_mesh = left;
        m_store.SetRedraw(kGuid, 1);
        EXPECT_EQ(0, m_redraw) << c.what;
    }
    Build(true, 15);
    m_store.SetRedraw(kGuid, 1);
    EXPECT_EQ(1, m_redraw) << "attached again by a build";
}

TEST_F(StoreFixture, ARecordWhoseMemoryIsGoneIsNeverWritten)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const struct {
        const char* what;
        bool release;
        DWORD protection;
    } cases[] = {{"released", true, 0}, {"read-only", false, PAGE_READONLY}, {"no access", false, PAGE_NOACCESS}};
    for (const auto& c : cases) {
        void* page = VirtualAlloc(nullptr, system.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        ASSERT_NE(nullptr, page);
        // At the page's end, so nothing of it lies in other memory.
        auto* mesh = reinterpret_cast<GeoMeshBuffers*>(static_cast<BYTE*>(page) + system.dwPageSize -
                                                       sizeof(GeoMeshBuffers));
        m_store.AttachMeshRecord(kGuid, mesh);
        m_store.EndBuild(kGuid);
        DWORD old = 0;
        if (c.release) {
            ASSERT_TRUE(VirtualFree(page, 0, MEM_RELEASE));
        } else {
            ASSERT_TRUE(VirtualProtect(page, system.dwPageSize, c.protection, &old));
        }
        m_store.SetValue(kGuid, kPercent, 0.5, 1);
        m_store.SetRedraw(kGuid, 1);
        m_store.InterpolateChange(kGuid, 0.0, 1.0, 15);
        if (!c.release) {
            ASSERT_TRUE(VirtualProtect(page, system.dwPageSize, PAGE_READWRITE, &old));
            EXPECT_EQ(0, mesh->redraw) << c.what;
            VirtualFree(page, 0, MEM_RELEASE);
        }
    }
}

TEST(DataBarStoreThreads, ValuesFromOtherThreadsMeetConcurrentBuilds)
{
    CDataBarStore store;
    const std::wstring guids[] = {L"{A}", L"{B}"};
    GeoMeshBuffers meshes[2] = {};
    constexpr int kWrites = 300;
    constexpr int kBuilds = 300;

    std::vector<std::thread> writers;
    for (int w = 0; w < 3; ++w) {
        writers.emplace_back([&store, &guids, w] {
            for (int i = 1; i <= kWrites; ++i) {
                store.SetValue(guids[i % 2], kPercent, (w * kWrites + i) / 1000.0, 1);
                store.SetRedraw(guids[(i + 1) % 2], i & 1);
            }
        });
    }
    for (int build = 0; build < kBuilds; ++build) {
        for (int g = 0; g < 2; ++g) {
            store.AttachMeshRecord(guids[g], &meshes[g]);
            store.AdvanceFrame(guids[g]);
            store.ConsumePendingValue(guids[g], kPercent);
            const double height = store.InterpolateChange(guids[g], 0.0, 1.0, 3);
            store.EndBuild(guids[g]);
            EXPECT_TRUE(height >= 0.0 && height <= 1.0) << height;
        }
    }
    for (std::thread& writer : writers)
        writer.join();

    for (int g = 0; g < 2; ++g) {
        EXPECT_EQ(kBuilds, store.GetFrameCounter(guids[g]));
        store.AdvanceFrame(guids[g]);
        store.ConsumePendingValue(guids[g], kPercent);
        double pending = 0.0;
        EXPECT_FALSE(store.GetPendingValue(guids[g], kPercent, pending));
        ChangeState change;
        ASSERT_TRUE(store.GetChange(guids[g], kPercent, change));
        EXPECT_GT(change.target, 0.0);
    }
}

}  // namespace
