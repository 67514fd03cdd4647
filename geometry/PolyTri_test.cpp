#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "geometry/PolyTri.h"
#include "testing/outlines/SampleOutlines.h"

namespace {

const Vec3f kUp{0, 0, 1};
const Vec3f kDown{0, 0, -1};

// Records the index triples handed out, in order.
class TriangleLog : public CPolyTri {
public:
    std::vector<int32_t> triangles;

protected:
    void EmitTriangle(const Vec3f*, int32_t a, int32_t b, int32_t c) override
    {
        triangles.insert(triangles.end(), {a, b, c});
    }
};

Outline Reversed(Outline points)
{
    return Outline(points.rbegin(), points.rend());
}

Outline Closed(Outline points)
{
    points.push_back(points.front());
    return points;
}

const Outline kSquareCcw = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
const Outline kPentagonCcw = {{0, 0, 0}, {2, 0, 0}, {3, 1.5f, 0}, {1, 3, 0}, {-1, 1.5f, 0}};
// Counter-clockwise, reflex at its second point.
const Outline kDartCcw = {{0, 0, 0}, {2, 1, 0}, {4, 0, 0}, {2, 3, 0}};

TEST(ClipEars, EdgeCases)
{
    struct Case {
        const char* name;
        Outline points;
        Vec3f reference;
        std::vector<int32_t> triangles;
    };
    const Case cases[] = {
        {"convex, counter-clockwise", kSquareCcw, kUp, {0, 1, 2, 0, 2, 3}},
        {"convex, clockwise", Reversed(kPentagonCcw), kDown, {0, 1, 2, 0, 2, 3, 0, 3, 4}},
        {"convex, opposite reference", kPentagonCcw, kDown, {}},
        {"first corner reflex, second an ear", kDartCcw, kUp, {1, 2, 3}},
        {"concave, first point repeated", Closed(kDartCcw), kUp, {1, 2, 3, 1, 3, 4}},
        {"repeated last point is dropped", Closed(kSquareCcw), kUp, {0, 1, 2, 0, 2, 3}},
        {"collinear point is dropped", {{0, 0, 0}, {0.5f, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, kUp,
         {0, 2, 3, 0, 3, 4}},
        {"repeated point is dropped", {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, kUp,
         {0, 2, 3, 0, 3, 4}},
        {"three points give nothing", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, kUp, {}},
        {"small square keeps its triangles",
         {{0, 0, 0}, {0.018f, 0, 0}, {0.018f, 0.018f, 0}, {0, 0.018f, 0}, {0, 0, 0}}, kUp, {0, 1, 2, 0, 2, 3}},
    };
    for (const Case& c : cases) {
        TriangleLog log;
        const int32_t emitted = log.ClipEars(c.points.data(), c.reference, static_cast<int32_t>(c.points.size()));
        EXPECT_EQ(c.triangles, log.triangles) << c.name;
        EXPECT_EQ(static_cast<int32_t>(c.triangles.size() / 3), emitted) << c.name;
    }
}

TEST(TriDC, RecordsCornersAndBounds)
{
    const Outline triangle = Closed({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    CTriDC recorder;
    ASSERT_EQ(1, recorder.ClipEars(triangle.data(), kUp, 4));
    ASSERT_EQ(3, recorder.GetVertexCount());
    EXPECT_EQ(0.0, recorder.MinX());
    EXPECT_EQ(0.0, recorder.MinY());
    EXPECT_EQ(1.0, recorder.MaxX());
    EXPECT_EQ(1.0, recorder.MaxY());
    EXPECT_EQ(1.0f, recorder.GetVertex(1).x);
    EXPECT_EQ(1.0, recorder.U(1));
    EXPECT_EQ(1.0f, recorder.GetVertex(2).y);
    EXPECT_EQ(-1.0, recorder.V(2));
}

// The bits of a float: -0 and +0 differ.
uint32_t FloatBits(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

TEST(TriDC, BoundsAreThoseOfItsCornersFoldedOneByOneAcrossCalls)
{
    // Of equal bounds the one met first is kept, so -0 or +0 here depends on
    // which corner comes first; the recorder keeps them across calls.
    const float kMinus0 = -0.0f;
    const std::vector<Outline> calls[] = {
        {Closed({{0, 0, 0}, {1, kMinus0, 0}, {1, 1, 0}, {kMinus0, 1, 0}})},
        {Closed({{1, 0, 0}, {0, 1, 0}, {kMinus0, -1, 0}})},
        {Closed({{kMinus0, kMinus0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})},
        {Closed({{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}}), Closed({{-1, kMinus0, 0}, {1, 0, 0}, {0, 3, 0}})},
        {Closed(Circle(40, 0.5)), Closed(Star(20, 0.5, 0.3)), Closed(Circle(10, 0.25))},
    };
    for (const std::vector<Outline>& outlines : calls) {
        CTriDC recorder;
        for (const Outline& outline : outlines)
            ASSERT_GT(recorder.ClipEars(outline.data(), kUp, static_cast<int32_t>(outline.size())), 0);
        float minX = 1000000.0f, minY = 1000000.0f, maxX = -1000000.0f, maxY = -1000000.0f;
        for (int32_t j = 0; j < recorder.GetVertexCount(); ++j) {
            const CTriDC::Corner& p = recorder.GetVertex(j);
            minX = std::min(minX, p.x), minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x), maxY = std::max(maxY, p.y);
        }
        SCOPED_TRACE(outlines.size());
        EXPECT_EQ(FloatBits(minX), FloatBits(static_cast<float>(recorder.MinX())));
        EXPECT_EQ(FloatBits(minY), FloatBits(static_cast<float>(recorder.MinY())));
        EXPECT_EQ(FloatBits(maxX), FloatBits(static_cast<float>(recorder.MaxX())));
        EXPECT_EQ(FloatBits(maxY), FloatBits(static_cast<float>(recorder.MaxY())));
    }
}

TEST(TriDC, GrowsPastItsInitialRoom)
{
    // 2100 points: 2098 triangles, 6294 corners.
    Outline circle;
    for (int i = 0; i < 2100; ++i) {
        const double angle = 2 * M_PI * i / 2100;
        circle.push_back({static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle)), 0});
    }
    circle = Closed(circle);
    CTriDC recorder;
    // A first lid small enough for the initial room, kept when the second
    // one outgrows it.
    const Outline square = Closed(kSquareCcw);
    ASSERT_EQ(2, recorder.ClipEars(square.data(), kUp, static_cast<int32_t>(square.size())));
    EXPECT_EQ(2098, recorder.ClipEars(circle.data(), kUp, static_cast<int32_t>(circle.size())));
    ASSERT_EQ(3 * 2100, recorder.GetVertexCount());
    const Outline expected = {kSquareCcw[0], kSquareCcw[1], kSquareCcw[2], circle[0], circle[1], circle[2]};
    for (int32_t j = 0; j < 6; ++j) {
        EXPECT_EQ(expected[static_cast<size_t>(j)].x, recorder.GetVertex(j < 3 ? j : j + 3).x) << j;
        EXPECT_EQ(expected[static_cast<size_t>(j)].y, recorder.GetVertex(j < 3 ? j : j + 3).y) << j;
    }
    EXPECT_EQ(circle[2099].x, recorder.GetVertex(3 * 2100 - 1).x);
}

// Outlines as the mesh builder hands them over: closed by repeating the
// first point, orientation from the signed area.
double SignedArea(const Outline& points)
{
    double area = 0.0;
    for (size_t i = 0; i < points.size(); ++i) {
        const Vec3f& p = points[i];
        const Vec3f& q = points[(i + 1) % points.size()];
        area += (static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y) / 2;
    }
    return area;
}

// A band along an Archimedean spiral of two turns: out along the outer
// edge, back along the inner one.
Outline Spiral(int perEdge, double scale)
{
    Outline points;
    const auto at = [scale](double angle, double offset) {
        const double r = scale * (0.3 + 0.1 * angle + offset);
        return Vec3f{static_cast<float>(r * std::cos(angle)), static_cast<float>(r * std::sin(angle)), 0};
    };
    for (int i = 0; i < perEdge; ++i)
        points.push_back(at(4 * M_PI * i / (perEdge - 1), 0.2));
    for (int i = perEdge - 1; i >= 0; --i)
        points.push_back(at(4 * M_PI * i / (perEdge - 1), 0.0));
    return points;
}

// A long thin rectangle with extra points along its long sides.
Outline Strip(int perSide, double length, double width)
{
    Outline points;
    for (int i = 0; i <= perSide; ++i)
        points.push_back({static_cast<float>(length * i / perSide), 0, 0});
    for (int i = perSide; i >= 0; --i)
        points.push_back({static_cast<float>(length * i / perSide), static_cast<float>(width), 0});
    return points;
}

// Whether (x, y) lies inside the closed outline (crossing count).
bool InsideOutline(const Outline& closed, double x, double y)
{
    bool inside = false;
    for (size_t i = 1; i < closed.size(); ++i) {
        const Vec3f &p = closed[i - 1], &q = closed[i];
        if ((p.y > y) != (q.y > y) && x < p.x + (y - p.y) * (q.x - p.x) / (static_cast<double>(q.y) - p.y))
            inside = !inside;
    }
    return inside;
}

bool InsideTriangle(const CTriDC::Corner& a, const CTriDC::Corner& b, const CTriDC::Corner& c, double x, double y)
{
    const auto side = [x, y](const CTriDC::Corner& p, const CTriDC::Corner& q) {
        return (static_cast<double>(q.x) - p.x) * (y - p.y) - (static_cast<double>(q.y) - p.y) * (x - p.x);
    };
    const double ab = side(a, b), bc = side(b, c), ca = side(c, a);
    return (ab > 0 && bc > 0 && ca > 0) || (ab < 0 && bc < 0 && ca < 0);
}

// Sample points across the outline's bounds: each inside the outline must
// lie in exactly one triangle, each outside in none (no overlap, no gap).
void ExpectSamplesCoveredOnce(const Outline& closed, const CTriDC& lids, const std::string& what)
{
    float minX = closed[0].x, maxX = minX, minY = closed[0].y, maxY = minY;
    for (const Vec3f& p : closed) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    constexpr int kSamples = 23;
    int wrong = 0;
    for (int i = 0; i < kSamples; ++i) {
        for (int j = 0; j < kSamples; ++j) {
            // Odd offsets keep samples off the shapes' straight edges.
            const double x = minX + (maxX - minX) * (i + 0.3719) / kSamples;
            const double y = minY + (maxY - minY) * (j + 0.6173) / kSamples;
            int holders = 0;
            for (int32_t k = 0; k + 2 < lids.GetVertexCount(); k += 3)
                holders += InsideTriangle(lids.GetVertex(k), lids.GetVertex(k + 1), lids.GetVertex(k + 2), x, y);
            if (holders != (InsideOutline(closed, x, y) ? 1 : 0))
                ++wrong;
        }
    }
    EXPECT_EQ(0, wrong) << what << ": samples covered other than once inside and never outside";
}

TEST(ClipEars, TrianglesCoverTheWholeOutlineExactly)
{
    struct Shape {
        const char* name;
        Outline points;
    };
    const Outline square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    const Shape shapes[] = {
        {"circle 16", Circle(16, 1.0)},
        {"circle 200 r 0.1", Circle(200, 0.1)},
        {"circle 400 r 0.01", Circle(400, 0.01)},
        {"circle 100 r 50", Circle(100, 50.0)},
        {"circle 6000", Circle(6000, 0.5)},
        {"star 5", Star(5, 1.0, 0.4)},
        {"star 12 small", Star(12, 0.02, 0.005)},
        {"star 8 large", Star(8, 40.0, 10.0)},
        {"star 3000", Star(3000, 0.5, 0.3)},
        {"spiral", Spiral(60, 1.0)},
        {"spiral small", Spiral(40, 0.02)},
        {"strip", Strip(20, 1.0, 0.01)},
        {"strip thin", Strip(50, 1.0, 0.001)},
        {"strip large", Strip(10, 100.0, 0.5)},
        {"comb", Comb(40, 0.01, 0.3)},
        // Small enough to be searched without the grid.
        {"comb 6", Comb(6, 0.05, 0.3)},
        {"spiral 12", Spiral(12, 1.0)},
        {"comb 1000", Comb(1000, 0.001, 0.5)},
        {"curved bar", CurvedBarLid()},
        {"curved bar scaled 1e-4", Scaled(CurvedBarLid(), 1e-4)},
        {"curved bar scaled 1e4", Scaled(CurvedBarLid(), 1e4)},
        {"comb scaled 1e-4", Scaled(Comb(40, 0.01, 0.3), 1e-4)},
        {"comb scaled 1e4", Scaled(Comb(40, 0.01, 0.3), 1e4)},
        // Corners short of straight by 1e-5 of the outline's size.
        {"nearly straight convex corner", {{0, 0, 0}, {0.5f, -1e-5f, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}},
        {"nearly straight reflex corner", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.5f, 1 - 1e-5f, 0}, {0, 1, 0}}},
        {"collinear runs and a spike",
         {{0, 0, 0}, {0.25f, 0, 0}, {0.5f, 0, 0}, {0.75f, 0, 0}, {1, 0, 0}, {1, 0.5f, 0}, {1, 1, 0}, {0.5f, 1, 0},
          {0.5f, 1.5f, 0}, {0.5f, 1, 0}, {0, 1, 0}, {0, 0.5f, 0}}},
        {"repeated points",
         {{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.5f, 0.5f, 0}, {0.5f, 0.5f, 0},
          {0, 1, 0}}},
        // Two squares that meet at one corner, which the outline passes twice.
        {"outline touching itself", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}, {1, 1, 0}, {0, 1, 0}}},
        {"square", square},
    };
    for (const Shape& shape : shapes) {
        for (const bool reverse : {false, true}) {
            const std::string what = std::string(shape.name) + (reverse ? " reversed" : "");
            const Outline outline = Closed(reverse ? Reversed(shape.points) : shape.points);
            const double area = SignedArea(outline);
            const Vec3f reference = area > 0 ? kUp : kDown;
            CTriDC recorder;
            const int32_t triangles = recorder.ClipEars(outline.data(), reference, static_cast<int32_t>(outline.size()));
            ASSERT_EQ(3 * triangles, recorder.GetVertexCount()) << what;

            // Every triangle must turn the outline's way; together they fill it.
            double covered = 0.0;
            for (int32_t j = 0; j < recorder.GetVertexCount(); j += 3) {
                const CTriDC::Corner &a = recorder.GetVertex(j), &b = recorder.GetVertex(j + 1),
                                     &c = recorder.GetVertex(j + 2);
                const double signedArea =
                    ((static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
                     (static_cast<double>(c.x) - a.x) * (static_cast<double>(b.y) - a.y)) / 2;
                EXPECT_GE(signedArea * (area > 0 ? 1 : -1), 0.0) << what << " triangle " << j / 3;
                covered += std::fabs(signedArea);
            }
            EXPECT_NEAR(std::fabs(area), covered, std::fabs(area) * 1e-6) << what << ", " << triangles << " triangles";
            ExpectSamplesCoveredOnce(outline, recorder, what);
        }
    }
}

// Outlines that cross themselves, or hold points that are no numbers, have
// no proper triangulation; the clipping still ends, within its bounds.
TEST(ClipEars, OutlinesThatAreNoPolygonEndWithinBounds)
{
    Outline scattered;
    uint32_t seed = 12345;
    for (int i = 0; i < 500; ++i) {
        seed = seed * 1103515245u + 12345u;
        const float x = static_cast<float>((seed >> 8) % 1000) / 1000.0f;
        seed = seed * 1103515245u + 12345u;
        scattered.push_back({x, static_cast<float>((seed >> 8) % 1000) / 1000.0f, 0});
    }
    Outline loops;   // a circle run round three times
    for (int i = 0; i < 300; ++i)
        loops.push_back(Circle(100, 1.0)[static_cast<size_t>(i % 100)]);
    const struct {
        const char* name;
        Outline points;
    } shapes[] = {
        {"bow tie", {{0, 0, 0}, {1, 1, 0}, {1, 0, 0}, {0, 1, 0}}},
        {"scattered points", scattered},
        {"a circle three times round", loops},
        {"not a number", {{0, 0, 0}, {1, 0, 0}, {NAN, 0.5f, 0}, {1, 1, 0}, {0, 1, 0}}},
        {"infinite", {{0, 0, 0}, {INFINITY, 0, 0}, {1, 1, 0}, {-INFINITY, INFINITY, 0}, {0, 1, 0}}},
    };
    for (const auto& shape : shapes) {
        for (const Vec3f& reference : {kUp, kDown}) {
            const Outline outline = Closed(shape.points);
            CTriDC recorder;
            const int32_t triangles = recorder.ClipEars(outline.data(), reference, static_cast<int32_t>(outline.size()));
            EXPECT_LE(triangles, static_cast<int32_t>(outline.size()) - 3) << shape.name;
            EXPECT_EQ(3 * triangles, recorder.GetVertexCount()) << shape.name;
            // Whatever is emitted is a real corner of the outline that turns the
            // reference's way: no made-up, non-finite or flat triangle.
            const int sense = reference.z < 0 ? -1 : 1;
            for (int32_t j = 0; j + 2 < recorder.GetVertexCount(); j += 3) {
                const CTriDC::Corner &a = recorder.GetVertex(j), &b = recorder.GetVertex(j + 1),
                                     &c = recorder.GetVertex(j + 2);
                for (const CTriDC::Corner* corner : {&a, &b, &c}) {
                    EXPECT_TRUE(std::any_of(outline.begin(), outline.end(), [&](const Vec3f& p) {
                        return p.x == corner->x && p.y == corner->y;
                    })) << shape.name << " triangle " << j / 3;
                }
                const double turn = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
                                    (static_cast<double>(b.y) - a.y) * (static_cast<double>(c.x) - a.x);
                EXPECT_TRUE(std::isfinite(turn) && turn * sense > 0) << shape.name << " triangle " << j / 3;
            }
        }
    }
}

}  // namespace
