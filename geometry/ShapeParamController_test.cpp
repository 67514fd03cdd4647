#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/storedvalues/test/CommaLocaleTestSupport.h"
#include "common/xml/test/XmlNodeTestSupport.h"
#include "geometry/FileBytes.h"
#include "geometry/HostVersion.h"
#include "geometry/ShapeParamController.h"
#include "geometry/ShapeWriteFlag.h"

namespace {

// A file the size of the reader's limit parses in well under a second; the
// bound tells that from a reader that takes minutes over a large file.
constexpr ULONGLONG kLoadBoundMs = 10000;

// A host link that stores values and logs every call.
class RecordingLink : public IGeoParamLink {
public:
    explicit RecordingLink(const CShapeParamController* writer = nullptr) : m_writer(writer) {}

    void SetValue(int32_t id, double value, int32_t changeKind) override
    {
        Check();
        values[id] = value;
        char text[96];
        snprintf(text, sizeof text, "set %d %g %d", id, value, changeKind);
        log.push_back(text);
        if (onSet)
            onSet();
    }
    void GetValue(int32_t id, double* value) override
    {
        Check();
        const auto found = values.find(id);
        *value = found == values.end() ? 0.0 : found->second;
        log.push_back("get " + std::to_string(id));
    }
    void EnableUpdates(BOOL enable) override
    {
        Check();
        log.push_back("updates " + std::to_string(enable));
    }

    std::map<int32_t, double> values;
    std::vector<std::string> log;
    int unflaggedCalls = 0;
    // The host's answer to a write, run inside SetValue.
    std::function<void()> onSet;

private:
    // Every call comes inside a write: module flag and controller busy.
    void Check()
    {
        if (!g_shapeWriteActive || (m_writer && !m_writer->IsBusy()))
            ++unflaggedCalls;
    }

    const CShapeParamController* m_writer;
};

class HostVersionScope {
public:
    explicit HostVersionScope(int version) : m_saved(g_hostVersion) { g_hostVersion = version; }
    ~HostVersionScope() { g_hostVersion = m_saved; }

private:
    int m_saved;
};

std::vector<std::string> WithoutUpdates(const std::vector<std::string>& log)
{
    std::vector<std::string> kept;
    for (const std::string& line : log)
        if (line.rfind("updates", 0) != 0)
            kept.push_back(line);
    return kept;
}

TEST(ShapeParamController, LinkCallsForBracketingAndOlderHosts)
{
    const std::vector<std::string> bracketed = {
        // AddPoint
        "get 0", "updates 0", "set 1 0.5 0", "set 2 0.25 0", "set 3 -100 0", "set 4 -100 0", "set 5 -100 0",
        "set 6 -100 0", "set 7 1 7", "updates 1", "set 0 1 7",
        // MovePoint
        "updates 0", "set 1 0.75 0", "set 2 0.5 0", "set 3 -99.75 0", "set 4 -99.75 0", "set 5 -99.75 0",
        "updates 1", "set 6 -99.75 0",
        // ChangeType
        "updates 0", "set 1 0.75 0", "set 2 0.5 0", "set 3 0.69 0", "set 4 0.5 0", "set 5 0.81 0", "updates 1",
        "set 6 0.5 0", "set 7 3 7",
        // MoveIncoming
        "updates 0", "set 3 0.5 0", "set 4 0.125 0", "set 5 0.81 0", "updates 1", "set 6 0.5 0",
        // DeletePoint: republished, nothing left
        "set 0 0 7",
    };
    for (const int version : {1410, 1411}) {
        HostVersionScope host(version);
        CShapeParamController shape;
        RecordingLink link(&shape);
        shape.SetLink(&link);
        ASSERT_TRUE(shape.AddPoint(0.5f, 0.25f, -100, -100, -100, -100, kPointLinear, false));
        ASSERT_TRUE(shape.MovePoint(0, 0.75f, 0.5f));
        ASSERT_TRUE(shape.ChangeType(0, kPointBrokenSpline));
        ASSERT_TRUE(shape.MoveIncoming(0, 0.5f, 0.125f));
        ASSERT_TRUE(shape.DeletePoint(0));
        EXPECT_EQ(version > 1410 ? bracketed : WithoutUpdates(bracketed), link.log) << version;
        EXPECT_EQ(0, link.unflaggedCalls);
        EXPECT_FALSE(shape.IsBusy());
        EXPECT_FALSE(g_shapeWriteActive);
    }
}

TEST(ShapeParamController, PointsBeyondTheStoredSixteenAreNotWritten)
{
    const double counts[] = {16, 17, -1, NAN};
    for (const double count : counts) {
        CShapeParamController shape;
        RecordingLink link;
        link.values[0] = count;
        shape.SetLink(&link);
        ASSERT_TRUE(shape.AddPoint(1, 1, -100, -100, -100, -100, kPointLinear, false));
        EXPECT_EQ(std::vector<std::string>{"get 0"}, link.log) << count;
    }
}

TEST(ShapeParamController, LoadingAndNoLinkWriteNothing)
{
    CShapeParamController shape;
    RecordingLink link;
    shape.SetLink(&link);
    shape.SetLoading(true);
    ASSERT_TRUE(shape.AddPoint(1, 1, -100, -100, -100, -100, kPointLinear, false));
    EXPECT_TRUE(link.log.empty());
    shape.SetLoading(false);
    shape.SetLink(nullptr);
    ASSERT_TRUE(shape.AddPoint(2, 1, -100, -100, -100, -100, kPointLinear, false));
    EXPECT_TRUE(shape.ChangeType(1, kPointSpline));
    EXPECT_TRUE(link.log.empty());
}

TEST(ShapeParamController, LoadFromLinkReadsTheCountedPointsOnly)
{
    const struct {
        double count;
        int32_t loaded;
    } cases[] = {{2.9, 2}, {17, 16}, {1e300, 16}, {-1, 0}, {NAN, 0}};
    for (const auto& c : cases) {
        CShapeParamController shape;
        RecordingLink link;
        link.values[0] = c.count;
        // Point 1: a Spline whose handles the model keeps mirrored; point 2 a
        // style that is no number.
        const double first[7] = {0.25, -0.5, 0.125, -0.5, 0.375, -0.5, 2};
        for (int f = 0; f < 7; ++f)
            link.values[1 + f] = first[f];
        link.values[14] = NAN;
        shape.LoadFromLink(&link);

        std::vector<std::string> reads = {"get 0"};
        for (int32_t id = 1; id <= 7 * c.loaded; ++id)
            reads.push_back("get " + std::to_string(id));
        EXPECT_EQ(reads, link.log) << c.count;
        ASSERT_EQ(c.loaded, shape.GetPointCount()) << c.count;
        EXPECT_EQ(&link, shape.GetLink());
        if (c.loaded >= 2) {
            const CShapePoint& p = shape.GetPoint(0);
            EXPECT_EQ(kPointSpline, p.type);
            EXPECT_FLOAT_EQ(0.25f, p.x);
            EXPECT_FLOAT_EQ(0.375f, p.outX);
            EXPECT_FLOAT_EQ(0.125f, p.inX);
            EXPECT_FALSE(IsCurveType(shape.GetPoint(1).type));
        }
    }
}

TEST(ShapeParamController, AnOutlineWithARefusedPointLoadsAsNone)
{
    for (const double bad : {static_cast<double>(NAN), 1e300, -1e7}) {
        CShapeParamController shape;
        RecordingLink link;
        link.values[0] = 3;
        for (int32_t k = 0; k < 3; ++k)
            link.values[7 * k + 1] = 0.25 * k;
        link.values[7 * 1 + 4] = bad;   // point 1's incoming handle
        shape.LoadFromLink(&link);
        EXPECT_EQ(0, shape.GetPointCount()) << bad;
    }
}

TEST(ShapeParamController, HostEchoDuringAWriteNeitherReloadsNorDropsTheFlag)
{
    CShapeParamController shape;
    RecordingLink link(&shape);
    shape.SetLink(&link);
    ASSERT_TRUE(shape.AddPoint(0.5f, 0.5f, -100, -100, -100, -100, kPointLinear, false));
    ASSERT_TRUE(shape.AddPoint(-0.5f, 0.5f, -100, -100, -100, -100, kPointLinear, false));
    // The host answers every write by reloading the panel, which writes a
    // value of its own.
    link.onSet = [&] {
        shape.LoadFromLink(&link);
        CShapeWriteScope nested;
    };
    link.log.clear();
    ASSERT_TRUE(shape.MovePoint(1, -0.25f, 0.75f));
    EXPECT_EQ(2, shape.GetPointCount());
    EXPECT_FLOAT_EQ(-0.25f, shape.GetPoint(1).x);
    EXPECT_FLOAT_EQ(0.75f, shape.GetPoint(1).y);
    EXPECT_EQ(0, link.unflaggedCalls);
    EXPECT_EQ(6u, WithoutUpdates(link.log).size());
    EXPECT_FALSE(g_shapeWriteActive);
}

class ShapeMakerFileTest : public XmlNodeLeakCheck {
protected:
    void SetUp() override
    {
        XmlNodeLeakCheck::SetUp();
        wchar_t folder[MAX_PATH + 1] = {};
        ASSERT_NE(0u, GetTempPathW(MAX_PATH, folder));
        m_path = std::wstring(folder) + L"shape_" + std::to_wstring(GetCurrentProcessId()) + L".sm";
    }
    void TearDown() override
    {
        DeleteFileW(m_path.c_str());
        XmlNodeLeakCheck::TearDown();
    }

    void WriteText(const std::string& bytes) { ASSERT_TRUE(WriteFileReplacing(m_path.c_str(), bytes)); }

    std::string ReadText()
    {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(m_path.c_str(), 1 << 20, bytes));
        return bytes;
    }

    static void MakeSample(CShapeController& shape)
    {
        ASSERT_TRUE(shape.AddPoint(-0.5f, 0.5f, -100, -100, -100, -100, kPointLinear, false));
        ASSERT_TRUE(shape.AddPoint(0.25f, 0.75f, 0, 0, 0, 0, kPointSpline, false));
        ASSERT_TRUE(shape.MoveOutgoing(1, 0.375f, 0.5f));
        ASSERT_TRUE(shape.AddPoint(-0.25f, -0.625f, -0.5f, -0.75f, 0.125f, -0.5f, kPointBrokenSpline, false));
    }

    static std::string PointText(int index, const char* left, const char* right, int type, const char* position)
    {
        return "<Point index=\"" + std::to_string(index) + "\" " + left + " " + right + " type=\"" +
               std::to_string(type) + "\" " + position + ">\r\n</Point>\r\n";
    }

    static std::string SampleText()
    {
        return "<ShapeMaker version=\"1.0\">\r\n" +
               PointText(0, "leftX=\"-100.00000000\" leftY=\"-100.00000000\"",
                         "rightX=\"-100.00000000\" rightY=\"-100.00000000\"", 1, "x=\"-0.50000000\" y=\"0.50000000\"") +
               PointText(1, "leftX=\"0.12500000\" leftY=\"1.00000000\"", "rightX=\"0.37500000\" rightY=\"0.50000000\"", 2,
                         "x=\"0.25000000\" y=\"0.75000000\"") +
               PointText(2, "leftX=\"-0.50000000\" leftY=\"-0.75000000\"",
                         "rightX=\"0.12500000\" rightY=\"-0.50000000\"", 3, "x=\"-0.25000000\" y=\"-0.62500000\"") +
               "</ShapeMaker>\r\n";
    }

    static std::string FileWithPoints(const std::vector<int>& indices, const char* version = "1.0")
    {
        std::string text = std::string("<ShapeMaker version=\"") + version + "\">";
        for (int index : indices)
            text += "<Point index=\"" + std::to_string(index) + "\" x=\"" + std::to_string(index) +
                    ".5\" y=\"0\" leftX=\"0\" leftY=\"0\" rightX=\"0\" rightY=\"0\" type=\"1\"/>";
        return text + "</ShapeMaker>";
    }

    std::wstring m_path;
};

TEST_F(ShapeMakerFileTest, SavedFileIsExactAndReloadsIntoTheParameters)
{
    CShapeParamController saved;
    MakeSample(saved);
    ASSERT_TRUE(saved.Save(m_path.c_str()));
    EXPECT_EQ(SampleText(), ReadText());

    CShapeParamController loaded;
    RecordingLink link(&loaded);
    link.values[0] = 5;   // the object's old outline
    loaded.SetLink(&link);
    ASSERT_TRUE(loaded.Load(m_path.c_str()));
    ASSERT_EQ(3, loaded.GetPointCount());
    EXPECT_EQ(0, link.unflaggedCalls);
    EXPECT_EQ(3.0, link.values[0]);
    for (int32_t i = 0; i < 3; ++i) {
        const CShapePoint& a = saved.GetPoint(i);
        const CShapePoint& b = loaded.GetPoint(i);
        const float expected[] = {a.x, a.y, a.inX, a.inY, a.outX, a.outY};
        const float actual[] = {b.x, b.y, b.inX, b.inY, b.outX, b.outY};
        for (int f = 0; f < 6; ++f) {
            EXPECT_EQ(expected[f], actual[f]) << i << "/" << f;
            EXPECT_EQ(expected[f], link.values[7 * i + 1 + f]) << i << "/" << f;
        }
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(a.type, link.values[7 * i + 7]);
    }
}

TEST_F(ShapeMakerFileTest, NumbersIgnoreTheProcessLocale)
{
    bool commas = false;
    bool saved = false;
    bool reloaded = false;
    CShapeParamController loaded;
    {
        const ScopedCommaLocale locale;
        if (!locale.Active())
            GTEST_SKIP() << "no German locale";
        commas = ScopedCommaLocale::FormatsWithComma();
        CShapeParamController shape;
        MakeSample(shape);
        saved = shape.Save(m_path.c_str());
        reloaded = loaded.Load(m_path.c_str());
    }

    EXPECT_TRUE(commas) << "the locale does not change numbers, so this test shows nothing";
    ASSERT_TRUE(saved);
    EXPECT_EQ(SampleText(), ReadText());
    ASSERT_TRUE(reloaded);
    ASSERT_EQ(3, loaded.GetPointCount());
    EXPECT_EQ(-0.625f, loaded.GetPoint(2).y);
}

TEST_F(ShapeMakerFileTest, PointsLoadUpToTheFirstMissingIndexAndAtMostSixteen)
{
    struct Case {
        const char* name;
        std::string text;
        int32_t count;
    };
    std::vector<int> seventeen;
    for (int i = 0; i < 17; ++i)
        seventeen.push_back(i);
    const Case cases[] = {
        {"gap after 1", FileWithPoints({0, 1, 3}), 2},
        {"any order", FileWithPoints({2, 0, 1}), 3},
        {"seventeen", FileWithPoints(seventeen), 16},
        {"other element names", "<ShapeMaker version=\"1.0\"><Point index=\"0\" x=\"0.5\" y=\"0\" leftX=\"0\" "
                                "leftY=\"0\" rightX=\"0\" rightY=\"0\" type=\"1\"/><Pointer index=\"1\" x=\"1\" y=\"0\" "
                                "leftX=\"0\" leftY=\"0\" rightX=\"0\" rightY=\"0\" type=\"1\"/></ShapeMaker>", 1},
    };
    for (const Case& c : cases) {
        WriteText(c.text);
        CShapeParamController shape;
        ASSERT_TRUE(shape.Load(m_path.c_str())) << c.name;
        ASSERT_EQ(c.count, shape.GetPointCount()) << c.name;
        for (int32_t i = 0; i < c.count; ++i)
            EXPECT_EQ(i + 0.5f, shape.GetPoint(i).x) << c.name;
    }
}

TEST_F(ShapeMakerFileTest, NumbersAtTheLimitLoad)
{
    std::string text = FileWithPoints({0});
    text.replace(text.find("0.5"), 3, "1e6");
    text.replace(text.find("leftY=\"0\""), 9, "leftY=\"-1000000\"");
    WriteText(text);
    CShapeParamController shape;
    ASSERT_TRUE(shape.Load(m_path.c_str()));
    ASSERT_EQ(1, shape.GetPointCount());
    EXPECT_EQ(1e6f, shape.GetPoint(0).x);
    EXPECT_EQ(-1e6f, shape.GetPoint(0).inY);
}

TEST_F(ShapeMakerFileTest, FillerPointsLoadUpToTheSizeLimitAndLargerFilesAreRefusedAtOnce)
{
    // Points without an index before the real ones, in files up to the
    // reader's 32 KB and far past it.
    const std::string real = FileWithPoints({3, 2, 1, 0});
    const auto withFiller = [&real](size_t bytes) {
        const std::string head = real.substr(0, real.find("<Point")), rest = real.substr(head.size());
        std::string text = head;
        while (text.size() + 8 + rest.size() <= bytes)
            text += "<Point/>";
        text.append(bytes - text.size() - rest.size(), ' ');   // exactly `bytes` long
        return text + rest;
    };
    const struct {
        const char* name;
        size_t bytes;
        bool loads;
    } cases[] = {{"32 KB", 32 * 1024, true}, {"32 KB and one byte", 32 * 1024 + 1, false},
                 {"1 MB, 100,000 filler points", 1 << 20, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteText(withFiller(c.bytes));
        CShapeParamController shape;
        MakeSample(shape);
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(c.loads, shape.Load(m_path.c_str()));
        EXPECT_LT(GetTickCount64() - start, kLoadBoundMs);
        EXPECT_EQ(c.loads ? 4 : 3, shape.GetPointCount());
    }
}

TEST_F(ShapeMakerFileTest, Utf16File)
{
    const std::string narrow = FileWithPoints({0, 1});
    const std::wstring wide(narrow.begin(), narrow.end());
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    WriteText(bytes);
    CShapeParamController shape;
    ASSERT_TRUE(shape.Load(m_path.c_str()));
    EXPECT_EQ(2, shape.GetPointCount());
}

TEST_F(ShapeMakerFileTest, UnusableFilesLeaveTheShapeAndTheParametersAlone)
{
    const std::string good = FileWithPoints({0});
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"other version", FileWithPoints({0}, "2.0")},
        {"no version", "<ShapeMaker><Point index=\"0\" x=\"1\" y=\"0\" leftX=\"0\" leftY=\"0\" rightX=\"0\" "
                       "rightY=\"0\" type=\"1\"/></ShapeMaker>"},
        {"other root", "<ShapeMakers version=\"1.0\"/>"},
        {"truncated", good.substr(0, good.size() - 5)},
        {"comma decimal", std::string(good).replace(good.find("0.5"), 3, "0,5")},
        {"not a number", std::string(good).replace(good.find("0.5"), 3, "abc")},
        {"no type", std::string(good).replace(good.find(" type=\"1\""), 9, "")},
        {"empty", ""},
        // Nothing to load is no shape: the current one stays.
        {"no points", FileWithPoints({})},
        {"no point 0", FileWithPoints({1, 2})},
        // Numbers that are no usable geometry.
        {"x of 1e300, beyond a float", std::string(good).replace(good.find("0.5"), 3, "1e300")},
        {"x of -1e7, beyond the limit", std::string(good).replace(good.find("0.5"), 3, "-1e7")},
        {"x not a number", std::string(good).replace(good.find("0.5"), 3, "nan")},
        {"x infinite", std::string(good).replace(good.find("0.5"), 3, "inf")},
        {"handle of 1e300", std::string(good).replace(good.find("leftX=\"0\""), 9, "leftX=\"1e300\"")},
    };
    for (const auto& c : cases) {
        CShapeParamController shape;
        MakeSample(shape);
        RecordingLink link;
        shape.SetLink(&link);
        WriteText(c.text);
        EXPECT_FALSE(shape.Load(m_path.c_str())) << c.name;
        EXPECT_EQ(3, shape.GetPointCount()) << c.name;
        EXPECT_TRUE(link.log.empty()) << c.name;
    }
    CShapeParamController shape;
    EXPECT_FALSE(shape.Load(L"C:\\no such folder\\none.sm"));
    EXPECT_FALSE(shape.Save(L"C:\\no such folder\\none.sm"));
}

}  // namespace
