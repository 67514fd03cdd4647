#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "geometry/ShapeController.h"

namespace {

// Logs every notification as text.
class LoggingController : public CShapeController {
public:
    std::vector<std::string> log;

protected:
    void OnPointAdded(const CShapePoint& p) override { Note("added", p); }
    void OnPointMoved(const CShapePoint& p) override { Note("moved", p); }
    void OnHandlesChanged(const CShapePoint& p) override { Note("handles", p); }
    void OnTypeChanged(const CShapePoint& p) override { Note("type", p); }
    void OnCleared() override { log.push_back("cleared"); }

private:
    void Note(const char* what, const CShapePoint& p)
    {
        char text[160];
        snprintf(text, sizeof text, "%s %d (%g,%g) in (%g,%g) out (%g,%g) t%d", what, p.index, p.x, p.y, p.inX,
                 p.inY, p.outX, p.outY, p.type);
        log.push_back(text);
    }
};

void AddLinear(CShapeController& shape, float x, float y)
{
    ASSERT_TRUE(shape.AddPoint(x, y, -100, -100, -100, -100, kPointLinear, false));
}

void AddSquare(CShapeController& shape)
{
    AddLinear(shape, -0.5f, 0.5f);
    AddLinear(shape, 0.5f, 0.5f);
    AddLinear(shape, 0.5f, -0.5f);
    AddLinear(shape, -0.5f, -0.5f);
}

struct PathDump {
    std::vector<Gdiplus::PointF> points;
    std::vector<BYTE> types;
};

PathDump Dump(const Gdiplus::GraphicsPath& path)
{
    PathDump dump;
    const INT count = path.GetPointCount();
    if (count <= 0)
        return dump;
    dump.points.resize(count);
    dump.types.resize(count);
    path.GetPathPoints(dump.points.data(), count);
    path.GetPathTypes(dump.types.data(), count);
    return dump;
}

TEST(ShapePoint, HandleRules)
{
    struct Case {
        const char* name;
        int32_t type;
        bool setOutgoing;   // else incoming
        float hx, hy;
        float inX, inY, outX, outY;   // expected
    };
    // The point is at (1, 2); SetType runs first.
    const Case cases[] = {
        {"spline mirrors the incoming", kPointSpline, true, 1.1f, 2.2f, 0.9f, 1.8f, 1.1f, 2.2f},
        {"spline mirrors the outgoing", kPointSpline, false, 0.7f, 2.0f, 0.7f, 2.0f, 1.3f, 2.0f},
        {"broken spline keeps the other", kPointBrokenSpline, true, 1.5f, 2.5f, 0.94f, 2.0f, 1.5f, 2.5f},
        {"linear keeps the other", kPointLinear, false, 3.0f, 4.0f, 3.0f, 4.0f, -100.0f, -100.0f},
    };
    for (const Case& c : cases) {
        CShapePoint point;
        point.x = 1;
        point.y = 2;
        point.SetType(c.type);
        if (c.setOutgoing)
            point.SetOutgoing(c.hx, c.hy);
        else
            point.SetIncoming(c.hx, c.hy);
        EXPECT_FLOAT_EQ(c.inX, point.inX) << c.name;
        EXPECT_FLOAT_EQ(c.inY, point.inY) << c.name;
        EXPECT_FLOAT_EQ(c.outX, point.outX) << c.name;
        EXPECT_FLOAT_EQ(c.outY, point.outY) << c.name;
    }

    CShapePoint point;
    point.x = 1;
    point.y = 2;
    point.SetType(kPointSpline);
    point.MoveTo(2, 3);
    EXPECT_FLOAT_EQ(1.94f, point.inX);
    EXPECT_FLOAT_EQ(3.0f, point.inY);
    EXPECT_FLOAT_EQ(2.06f, point.outX);
}

TEST(ShapeController, PathOfLinesIsClosedByAnEdgeButNotAsAFigure)
{
    CShapeController shape;
    AddLinear(shape, 0, 0);
    EXPECT_EQ(0, shape.GetPath().GetPointCount());
    AddLinear(shape, 1, 0);
    PathDump two = Dump(shape.GetPath());
    ASSERT_GE(two.points.size(), 2u);
    EXPECT_FLOAT_EQ(1.0f, two.points.back().X);
    EXPECT_EQ(0, two.types.back() & Gdiplus::PathPointTypeCloseSubpath);

    AddLinear(shape, 1, 1);
    PathDump three = Dump(shape.GetPath());
    ASSERT_GE(three.points.size(), 4u);
    // Back at point 0 at the end: the closing edge.
    EXPECT_FLOAT_EQ(0.0f, three.points.back().X);
    EXPECT_FLOAT_EQ(0.0f, three.points.back().Y);
    EXPECT_EQ(0, three.types.back() & Gdiplus::PathPointTypeCloseSubpath);
    for (BYTE type : three.types)
        EXPECT_NE(Gdiplus::PathPointTypeBezier, type & Gdiplus::PathPointTypePathTypeMask);
}

TEST(ShapeController, CurveEdgesTakeTheirControlsFromTheHandles)
{
    CShapeController shape;
    ASSERT_TRUE(shape.AddPoint(0, 0, -100, -100, -100, -100, kPointLinear, false));
    ASSERT_TRUE(shape.AddPoint(1, 0, 0.8f, 0.3f, 1.2f, -0.3f, kPointBrokenSpline, false));
    const PathDump dump = Dump(shape.GetPath());
    ASSERT_EQ(4u, dump.points.size());
    const float expected[4][2] = {{0, 0}, {0, 0}, {0.8f, 0.3f}, {1, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(expected[i][0], dump.points[i].X) << i;
        EXPECT_FLOAT_EQ(expected[i][1], dump.points[i].Y) << i;
    }
    EXPECT_EQ(Gdiplus::PathPointTypeBezier, dump.types[3] & Gdiplus::PathPointTypePathTypeMask);

    // A third, linear point: the edge from the curve point ends at the point itself.
    AddLinear(shape, 1, 1);
    const PathDump more = Dump(shape.GetPath());
    ASSERT_GE(more.points.size(), 7u);
    EXPECT_FLOAT_EQ(1.2f, more.points[4].X);
    EXPECT_FLOAT_EQ(-0.3f, more.points[4].Y);
    EXPECT_FLOAT_EQ(1.0f, more.points[5].X);
    EXPECT_FLOAT_EQ(1.0f, more.points[5].Y);
}

TEST(ShapeController, SuspendedPathIsBuiltOnceOnResume)
{
    CShapeController shape;
    shape.SetPathBuilding(false);
    AddSquare(shape);
    EXPECT_EQ(0, shape.GetPath().GetPointCount());
    shape.SetPathBuilding(true);
    EXPECT_GE(shape.GetPath().GetPointCount(), 5);
}

TEST(ShapeController, InsertGoesBetweenTheTwoNearestPoints)
{
    struct Case {
        float x, y;
        int32_t index;
    };
    const Case cases[] = {
        {-0.55f, 0.0f, 0},   // between the last point and point 0
        {0.55f, 0.0f, 2},    // between points 1 and 2
        {0.0f, 0.55f, 1},
    };
    for (const Case& c : cases) {
        LoggingController shape;
        AddSquare(shape);
        shape.log.clear();
        ASSERT_TRUE(shape.AddPoint(c.x, c.y, -100, -100, -100, -100, kPointLinear, true));
        ASSERT_EQ(5, shape.GetPointCount());
        EXPECT_FLOAT_EQ(c.x, shape.GetPoint(c.index).x) << c.index;
        for (int32_t i = 0; i < 5; ++i)
            EXPECT_EQ(i, shape.GetPoint(i).index);
        // Republished: cleared, then every point in order.
        ASSERT_EQ(6u, shape.log.size());
        EXPECT_EQ("cleared", shape.log[0]);
        EXPECT_EQ(0u, shape.log[1 + c.index].find("added " + std::to_string(c.index) + " "));
    }
}

TEST(ShapeController, ChainHoldsAtMostSixteenPoints)
{
    CShapeController shape;
    for (int i = 0; i < kMaxShapePoints; ++i)
        AddLinear(shape, static_cast<float>(i), static_cast<float>(i % 2));
    EXPECT_FALSE(shape.AddPoint(5, 5, -100, -100, -100, -100, kPointLinear, false));
    EXPECT_FALSE(shape.AddPoint(5, 5, -100, -100, -100, -100, kPointLinear, true));
    EXPECT_FALSE(shape.InsertPoint(0, 5, 5, -100, -100, -100, -100, kPointLinear));
    EXPECT_EQ(kMaxShapePoints, shape.GetPointCount());
}

TEST(ShapeController, ValuesThatAreNoUsableGeometryAreRefusedEverywhere)
{
    const float bad[] = {std::nanf(""), HUGE_VALF, -HUGE_VALF, 1e7f, -1.0000001e6f};
    for (const float value : bad) {
        SCOPED_TRACE(value);
        for (int field = 0; field < 6; ++field) {
            float v[6] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
            v[field] = value;
            LoggingController shape;
            AddSquare(shape);
            shape.log.clear();
            EXPECT_FALSE(shape.AddPoint(v[0], v[1], v[2], v[3], v[4], v[5], kPointBrokenSpline, false)) << field;
            EXPECT_FALSE(shape.AddPoint(v[0], v[1], v[2], v[3], v[4], v[5], kPointBrokenSpline, true)) << field;
            EXPECT_FALSE(shape.InsertPoint(1, v[0], v[1], v[2], v[3], v[4], v[5], kPointBrokenSpline)) << field;
            EXPECT_EQ(4, shape.GetPointCount());
            EXPECT_TRUE(shape.log.empty());
        }
        LoggingController shape;
        AddSquare(shape);
        shape.log.clear();
        EXPECT_FALSE(shape.MovePoint(0, value, 0));
        EXPECT_FALSE(shape.MoveIncoming(0, 0, value));
        EXPECT_FALSE(shape.MoveOutgoing(0, value, 0));
        EXPECT_TRUE(shape.log.empty());
        EXPECT_EQ(-0.5f, shape.GetPoint(0).x);
    }
    // The limit itself is geometry.
    CShapeController shape;
    EXPECT_TRUE(shape.AddPoint(1e6f, -1e6f, 1e6f, 1e6f, -1e6f, -1e6f, kPointBrokenSpline, false));
}

TEST(ShapeController, DeleteRenumbersAndRepublishes)
{
    LoggingController shape;
    AddSquare(shape);
    shape.log.clear();
    EXPECT_FALSE(shape.DeletePoint(4));
    ASSERT_TRUE(shape.DeletePoint(1));
    const std::vector<std::string> expected = {
        "cleared",
        "added 0 (-0.5,0.5) in (-100,-100) out (-100,-100) t1",
        "added 1 (0.5,-0.5) in (-100,-100) out (-100,-100) t1",
        "added 2 (-0.5,-0.5) in (-100,-100) out (-100,-100) t1",
    };
    EXPECT_EQ(expected, shape.log);
}

TEST(ShapeController, HitTestPrefersEarlierPointsAndPositions)
{
    CShapeController shape;
    ASSERT_TRUE(shape.AddPoint(0, 0, -0.03f, 0, 0.03f, 0, kPointBrokenSpline, false));
    ASSERT_TRUE(shape.AddPoint(0.5f, 0, 0.45f, 0, 0.55f, 0, kPointBrokenSpline, false));
    struct Case {
        float x, y;
        int32_t index;
        ShapeHitPart part;
    };
    const Case cases[] = {
        {0.01f, 0, 0, kHitPosition},  {-0.06f, 0, 0, kHitIncoming}, {0.065f, 0, 0, kHitOutgoing},
        {0.45f, 0.01f, 1, kHitIncoming}, {0.5f, 0.039f, 1, kHitPosition}, {0.25f, 0, -1, kHitNothing},
        {0.5f, 0.05f, -1, kHitNothing},
    };
    for (const Case& c : cases) {
        const ShapeHit hit = shape.HitTest(c.x, c.y);
        EXPECT_EQ(c.index, hit.index) << c.x << "," << c.y;
        EXPECT_EQ(c.part, hit.part) << c.x << "," << c.y;
    }
}

TEST(ShapeController, SelectedPointsFollowAMovedPoint)
{
    LoggingController shape;
    AddSquare(shape);
    shape.SetSelected(2, true);
    shape.SetSelected(3, true);
    shape.log.clear();
    ASSERT_TRUE(shape.MovePoint(0, -0.4f, 0.6f));
    const std::vector<std::string> expected = {
        "moved 0 (-0.4,0.6) in (-99.9,-99.9) out (-99.9,-99.9) t1",
        "moved 2 (0.6,-0.4) in (-99.9,-99.9) out (-99.9,-99.9) t1",
        "moved 3 (-0.4,-0.4) in (-99.9,-99.9) out (-99.9,-99.9) t1",
    };
    EXPECT_EQ(expected, shape.log);
    EXPECT_TRUE(shape.ClearSelection());
    EXPECT_FALSE(shape.ClearSelection());

    shape.log.clear();
    ASSERT_TRUE(shape.ChangeType(1, kPointSpline));
    ASSERT_TRUE(shape.MoveOutgoing(1, 0.6f, 0.7f));
    const std::vector<std::string> typed = {
        "moved 1 (0.5,0.5) in (0.44,0.5) out (0.56,0.5) t2",
        "type 1 (0.5,0.5) in (0.44,0.5) out (0.56,0.5) t2",
        "handles 1 (0.5,0.5) in (0.4,0.3) out (0.6,0.7) t2",
    };
    EXPECT_EQ(typed, shape.log);
}

}  // namespace
