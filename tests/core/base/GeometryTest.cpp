// Geometry values: the world-to-device transform, unit conversions and
// coordinate transformations, and the stored rectangle record.
#include "core/ClipVertex.h"
#include "core/DoublePoint.h"
#include "core/DoubleRect.h"
#include "core/FloatPoint.h"
#include "core/Int64Rect.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"

#include <gtest/gtest.h>
#include <ogr_spatialref.h>
#include <sqlite3.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace {

void ExpectRect(const CDoubleRect& r, double left, double bottom, double right, double top)
{
    EXPECT_DOUBLE_EQ(left, r.left);
    EXPECT_DOUBLE_EQ(bottom, r.bottom);
    EXPECT_DOUBLE_EQ(right, r.right);
    EXPECT_DOUBLE_EQ(top, r.top);
}

// ---- world-to-device transform ----

TEST(WorldToDeviceTest, HalfUpRoundingWithSignAndHeightFlip)
{
    const struct {
        double x, y, originX, originY, zoom;
        int height;
        int devX, devY;
    } cases[] = {
        {2.5, 0, 0, 0, 1, 0, 3, 0},
        {-2.5, 0, 0, 0, 1, 0, -3, 0},
        {2.4999, 0, 0, 0, 1, 0, 2, 0},
        {-2.4999, 0, 0, 0, 1, 0, -2, 0},
        {105, 0, 100, 0, 2, 0, 3, 0},   // 2.5 pixels at zoom 2
        {95, 0, 100, 0, 2, 0, -3, 0},
        {0, 0, 0, 0, 1, 400, 0, 400},   // the origin lies on the bottom edge
        {0, 10, 0, 0, 10, 400, 0, 399}, // one zoom above the origin
        {0, -10, 0, 0, 10, 400, 0, 401},
        {0, 25, 0, 0, 10, 400, 0, 397}, // 2.5 pixels up rounds away from the origin
        {0, 10, 0, 0, 10, 0, 0, 1},     // no height: no flip
        {0, -10, 0, 0, 10, -5, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "x " << c.x << " y " << c.y << " zoom " << c.zoom << " h " << c.height);
        const CPoint d = CDoublePoint(c.x, c.y).ToDevice(c.originX, c.originY, c.zoom, c.height);
        EXPECT_EQ(c.devX, d.x);
        EXPECT_EQ(c.devY, d.y);
        const CPoint f = CFloatPoint(c.x, c.y).ToDevice(c.originX, c.originY, c.zoom, c.height);
        EXPECT_EQ(c.devX, f.x);
        EXPECT_EQ(c.devY, f.y);
        const CFloatPoint ff = CFloatPoint(c.x, c.y).ToDeviceFloat(c.originX, c.originY, c.zoom, c.height);
        EXPECT_EQ((float)c.devX, ff.x);
        EXPECT_EQ((float)c.devY, ff.y);
    }
}

TEST(WorldToDeviceTest, FarOffsetsSaturateAndExceedTheDeviceLimit)
{
    const CPoint p = CDoublePoint(1e15, -1e15).ToDevice(0, 0, 1e-3, 0);
    EXPECT_EQ(kDeviceCoordinateLimit, p.x);
    EXPECT_EQ(-kDeviceCoordinateLimit, p.y);
    // NaN and infinite positions or zooms land at the limit too, where a box around the point
    // (a symbol, a handle, a text cell) can still be added without leaving the int range.
    const double nan = std::nan(""), inf = INFINITY;
    for (const auto& [x, zoom] : std::vector<std::pair<double, double>>{{nan, 1}, {inf, 1}, {-inf, 1}, {1, 0},
                                                                        {1, nan}, {1e300, 1e-300}}) {
        const CPoint q = CDoublePoint(x, x).ToDevice(0, 0, zoom, 600);
        EXPECT_LE(std::abs(q.x), kDeviceCoordinateLimit) << x << " " << zoom;
        EXPECT_LE(std::abs(q.y), kDeviceCoordinateLimit + 600) << x << " " << zoom;
    }
    // Half a pixel below the limit rounds up onto it.
    const CPoint edge = CDoublePoint(kDeviceCoordinateLimit - 0.5, kDeviceCoordinateLimit - 1.5).ToDevice(0, 0, 1, 0);
    EXPECT_EQ(kDeviceCoordinateLimit, edge.x);
    EXPECT_EQ(kDeviceCoordinateLimit - 1, edge.y);
    const CFloatPoint f = CDoublePoint(40000, 0).ToDeviceFloat(0, 0, 1, 0);
    EXPECT_TRUE(f.ExceedsLimit(32767));
    EXPECT_FALSE(CFloatPoint(32767.0, -32767.0).ExceedsLimit(32767));
    EXPECT_TRUE(CFloatPoint(0.0, -32768.0).ExceedsLimit(32767));
}

TEST(WorldToDeviceTest, DeviceRectTakesCornersFromBottomLeftAndTopRight)
{
    const CDoubleRect r(0.0, 0.0, 20.0, 10.0);
    const CRect d = r.ToDeviceRect(0, 0, 1, 100);
    EXPECT_EQ(0, d.left);
    EXPECT_EQ(100, d.top);
    EXPECT_EQ(20, d.right);
    EXPECT_EQ(90, d.bottom);
    ExpectRect(r.ToDeviceFloatRect(0, 0, 1, 100), 0, 100, 20, 90);
}

// ---- unit conversions and coordinate transformations ----

TEST(UnitConversionTest, SphereRadiusIsOneRadian)
{
    CDoubleRect r(6370997.0, -6370997.0, 6370997.0, 6370997.0);
    EXPECT_EQ(1, r.LinearToAngular(1, 1));
    for (double e : {r.left, r.right, r.top})
        EXPECT_NEAR(1.0, e, 1e-12);
    EXPECT_NEAR(-1.0, r.bottom, 1e-12);
    EXPECT_EQ(1, r.AngularToLinear(1, 1));
    EXPECT_NEAR(6370997.0, r.left, 1e-6);
    EXPECT_NEAR(-6370997.0, r.bottom, 1e-6);

    // Metres to degrees: 1 degree of arc is R * pi / 180 metres.
    const double degree = 0.017453292519943295;
    CDoublePoint d(6370997.0 * degree, 0);
    d.LinearToAngular(1, degree);
    EXPECT_NEAR(1.0, d.x, 1e-12);

    CFloatPoint f(6370997.0, 2 * 6370997.0);
    f.LinearToAngular(1, 1);
    EXPECT_NEAR(1.0, f.x, 1e-6);
    EXPECT_NEAR(2.0, f.y, 1e-6);
    f.AngularToLinear(1, 1);
    EXPECT_NEAR(6370997.0, f.x, 1.0);

    CFloatPoint s(1.5, -2.0);
    s.Scale(2);
    EXPECT_EQ(3.0f, s.x);
    EXPECT_EQ(-4.0f, s.y);
}

class TransformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_geo.importFromEPSG(4326);
        m_geo.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        m_merc.importFromEPSG(3857);
        m_merc.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        m_ct.reset(OGRCreateCoordinateTransformation(&m_geo, &m_merc));
        ASSERT_NE(nullptr, m_ct);
    }

    OGRSpatialReference m_geo, m_merc;
    std::unique_ptr<OGRCoordinateTransformation> m_ct;
};

TEST_F(TransformTest, PointsAndRectanglesTransformLongitudeFirst)
{
    CDoublePoint p(10, 50);
    ASSERT_EQ(1, p.Transform(m_ct.get()));
    EXPECT_NEAR(1113194.91, p.x, 0.01);
    EXPECT_NEAR(6446275.84, p.y, 0.01);

    CFloatPoint f(10.0, 50.0);
    ASSERT_EQ(1, f.Transform(m_ct.get()));
    EXPECT_EQ((float)p.x, f.x);

    CDoubleRect r(0.0, 0.0, 10.0, 50.0);
    ASSERT_EQ(1, r.Transform(m_ct.get()));
    ExpectRect(r, 0, 0, p.x, p.y);
}

TEST_F(TransformTest, FailureLeavesValuesUnchanged)
{
    CDoublePoint p(0, 100);
    EXPECT_EQ(0, p.Transform(m_ct.get()));
    EXPECT_EQ(0.0, p.x);
    EXPECT_EQ(100.0, p.y);
    CFloatPoint f(0.0, 100.0);
    EXPECT_EQ(0, f.Transform(m_ct.get()));
    EXPECT_EQ(100.0f, f.y);
    EXPECT_EQ(0, f.Transform(nullptr));

    // Only the second corner fails: the boundary keeps both old corners.
    CDoubleRect r(1.0, 1.0, 2.0, 100.0);
    EXPECT_EQ(0, r.Transform(m_ct.get()));
    ExpectRect(r, 1, 1, 2, 100);
}

// ---- the 40-byte stored rectangle ----

CDoubleRect::Record ExpectedRecord()
{
    // left 1.0, top -2.5, right 0.5, bottom 2.0, as little-endian IEEE doubles.
    return {0, 0, 0, 0, 0, 0, 0, 0,                          //
            0, 0, 0, 0, 0, 0, 0xF0, 0x3F,                    //
            0, 0, 0, 0, 0, 0, 0x04, 0xC0,                    //
            0, 0, 0, 0, 0, 0, 0xE0, 0x3F,                    //
            0, 0, 0, 0, 0, 0, 0x00, 0x40};
}

TEST(RectangleRecordTest, WritesByteExactLittleEndianWithZeroReservedBytes)
{
    const CDoubleRect r(1.0, 2.0, 0.5, -2.5); // left, bottom, right, top
    EXPECT_EQ(ExpectedRecord(), r.ToRecord());
}

TEST(RectangleRecordTest, ReadIgnoresReservedBytesAndRoundTrips)
{
    CDoubleRect::Record record = ExpectedRecord();
    std::memset(record.data(), 0xA5, 8);
    CDoubleRect r;
    ASSERT_TRUE(r.ReadRecord(record.data(), (int)record.size()));
    ExpectRect(r, 1.0, 2.0, 0.5, -2.5);
    EXPECT_EQ(ExpectedRecord(), r.ToRecord());

    const CDoubleRect odd(-1e300, std::numeric_limits<double>::denorm_min(), 123.456, -0.0);
    CDoubleRect back;
    ASSERT_TRUE(back.ReadRecord(odd.ToRecord().data(), CDoubleRect::kRecordSize));
    EXPECT_EQ(odd.ToRecord(), back.ToRecord());
}

TEST(RectangleRecordTest, ShortOrMissingBlobIsRejectedAndRectangleKept)
{
    const CDoubleRect::Record record = ExpectedRecord();
    for (int size : {0, 8, 39}) {
        CDoubleRect r(7.0, 8.0, 9.0, 10.0);
        EXPECT_FALSE(r.ReadRecord(record.data(), size)) << size;
        ExpectRect(r, 7, 8, 9, 10);
    }
    CDoubleRect r(7.0, 8.0, 9.0, 10.0);
    EXPECT_FALSE(r.ReadRecord(nullptr, 40));
    ExpectRect(r, 7, 8, 9, 10);
}

TEST(RectangleRecordTest, StoresThroughSQLiteAndRejectsNullAndShortColumns)
{
    CSQLiteDatabase db;
    ASSERT_EQ(SQLITE_OK, db.Open(":memory:"));
    CSQLiteStatement st;
    ASSERT_EQ(SQLITE_OK, db.Prepare("create table b(id int, r blob);", st));
    ASSERT_EQ(SQLITE_DONE, st.Execute());
    const CDoubleRect r(-5.0, -6.0, 7.5, 8.25);
    const CDoubleRect::Record record = r.ToRecord();
    ASSERT_EQ(SQLITE_OK, db.Prepare("insert into b values(1, ?);", st));
    st.BindBlob(0, record.data(), (int)record.size(), SQLITE_STATIC);
    ASSERT_EQ(SQLITE_DONE, st.Execute());
    ASSERT_EQ(SQLITE_OK, db.Prepare("insert into b values(2, NULL);", st));
    ASSERT_EQ(SQLITE_DONE, st.Execute());
    ASSERT_EQ(SQLITE_OK, db.Prepare("insert into b values(3, x'0102');", st));
    ASSERT_EQ(SQLITE_DONE, st.Execute());

    ASSERT_EQ(SQLITE_OK, db.Prepare("select r from b order by id;", st));
    const bool expected[] = {true, false, false};
    for (bool ok : expected) {
        ASSERT_EQ(SQLITE_ROW, st.Step());
        CDoubleRect back(1.0, 1.0, 1.0, 1.0);
        EXPECT_EQ(ok, (bool)back.ReadRecord(st.ColumnBlob(0), st.ColumnBytes(0)));
        if (ok)
            ExpectRect(back, -5, -6, 7.5, 8.25);
        else
            ExpectRect(back, 1, 1, 1, 1);
    }
}

// ---- rectangle operations ----

TEST(DoubleRectTest, ConstructorsNormaliseOnlyWhereStated)
{
    ExpectRect(CDoubleRect(10.0, 10.0, 0.0, 0.0), 10, 10, 0, 0);
    ExpectRect(CDoubleRect(10.0f, 10.0f, 0.0f, 0.0f), 0, 0, 10, 10);
    // Integer edges, alone or beside doubles, are taken as doubles are.
    ExpectRect(CDoubleRect(10, 10, 0, 0), 10, 10, 0, 0);
    ExpectRect(CDoubleRect(10, 10.5, 0, 0.5), 10, 10.5, 0, 0.5);
    ExpectRect(CDoubleRect(CClipVertex(4, 9), CClipVertex(1, 2)), 1, 2, 4, 9);
    const RECT device{1, 2, 3, 4};
    ExpectRect(CDoubleRect(device), 1, 2, 3, 4);
    const RECT flipped{3, 4, 1, 2};
    ExpectRect(CDoubleRect(flipped), 3, 4, 1, 2);
}

TEST(DoubleRectTest, SizesCentreAndEmptiness)
{
    const CDoubleRect r(4.0, 8.0, 1.0, 2.0);
    EXPECT_DOUBLE_EQ(-3.0, r.Width());
    EXPECT_DOUBLE_EQ(6.0, r.Height());
    EXPECT_EQ(2.5f, r.GetCentre().x);
    EXPECT_EQ(5.0f, r.GetCentre().y);
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_TRUE(CDoubleRect(1.0, 0.0, 1.0, 5.0).IsEmpty());
    EXPECT_TRUE(CDoubleRect(0.0, 5.0, 1.0, 5.0).IsEmpty());
    const CDoubleRect q(1.0, 2.0, 3.0, 4.0);
    const CClipVertex tl = q.GetTopLeftVertex();
    EXPECT_EQ(1.0, tl.x);
    EXPECT_EQ(4.0, tl.y);
    EXPECT_EQ(0u, tl.flags);
    EXPECT_EQ(3.0f, q.GetBottomRight().x);
    EXPECT_EQ(2.0f, q.GetBottomRight().y);
}

TEST(DoubleRectTest, UnionTreatsAllZeroAsARealRectangleAndNormalises)
{
    CDoubleRect zero;
    ExpectRect(zero.Union(CDoubleRect(5.0, 5.0, 10.0, 10.0)), 0, 0, 10, 10);
    ExpectRect(zero, 0, 0, 10, 10);

    CDoubleRect flipped(10.0, 10.0, 5.0, 5.0);
    flipped.Union(CDoubleRect(8.0, 12.0, 6.0, 7.0));
    ExpectRect(flipped, 5, 5, 10, 12);

    CDoubleRect grown(CClipVertex(0, 0), CClipVertex(1, 1));
    grown.UnionPoint(CFloatPoint(-2.0, 3.0));
    grown.UnionDoublePoint(CDoublePoint(4, -1));
    ExpectRect(grown, -2, -1, 4, 3);

    CDoubleRect corners(1.0, 1.0, 2.0, 2.0);
    corners.InitFromVertices(CFloatPoint(5, -1), CFloatPoint(-3, 4));
    ExpectRect(corners, -3, -1, 5, 4);
}

TEST(DoubleRectTest, ContainsRectIsStrict)
{
    const struct {
        CDoubleRect inner;
        bool inside;
    } cases[] = {
        {CDoubleRect(1.0, 1.0, 9.0, 9.0), true},
        {CDoubleRect(9.0, 9.0, 1.0, 1.0), true},  // the other is normalised too
        {CDoubleRect(0.0, 1.0, 9.0, 9.0), false}, // shares the left edge
        {CDoubleRect(1.0, 1.0, 9.0, 10.0), false},
        {CDoubleRect(0.0, 0.0, 10.0, 10.0), false},
        {CDoubleRect(-1.0, 1.0, 9.0, 9.0), false},
    };
    for (const auto& c : cases) {
        CDoubleRect outer(10.0, 10.0, 0.0, 0.0);
        EXPECT_EQ(c.inside, (bool)outer.ContainsRect(c.inner));
        ExpectRect(outer, 0, 0, 10, 10);
    }
    // EnclosesRect takes this rectangle as it is.
    EXPECT_FALSE(CDoubleRect(10.0, 10.0, 0.0, 0.0).EnclosesRect(CDoubleRect(1.0, 1.0, 9.0, 9.0)));
    EXPECT_TRUE(CDoubleRect(0.0, 0.0, 10.0, 10.0).EnclosesRect(CDoubleRect(1.0, 1.0, 9.0, 9.0)));
}

TEST(DoubleRectTest, IntersectionAndPointTests)
{
    CDoubleRect r(0.0, 0.0, 10.0, 10.0);
    EXPECT_TRUE(r.Intersects(CDoubleRect(10.0, 10.0, 20.0, 20.0)));  // touching corner
    EXPECT_TRUE(r.Intersects(CDoubleRect(20.0, 5.0, 5.0, 6.0)));
    EXPECT_FALSE(r.Intersects(CDoubleRect(10.5, 0.0, 20.0, 10.0)));
    EXPECT_FALSE(r.IntersectsSegment(CClipVertex(-5, -1), CClipVertex(-1, 20)));
    EXPECT_TRUE(r.IntersectsSegment(CClipVertex(-5, 5), CClipVertex(15, 5)));

    EXPECT_TRUE(r.ContainsPoint(CDoublePoint(10.0000001, 5)));
    EXPECT_FALSE(r.ContainsPoint(CDoublePoint(10.001, 5)));
    EXPECT_TRUE(r.ContainsPoint(CClipVertex(-0.0000001, 0)));
    EXPECT_FALSE(r.ContainsXY(10.0000001, 5));
    EXPECT_TRUE(r.ContainsXY(10, 10));
    EXPECT_TRUE(r.ContainsFloatPoint(CFloatPoint(0.0, 10.0)));
}

TEST(DoubleRectTest, LimitsInflateAndNull)
{
    EXPECT_TRUE(CDoubleRect(-32767.0, 0.0, 0.0, 0.0).ExceedsLimit(32767));
    EXPECT_TRUE(CDoubleRect(0.0, 0.0, 0.0, 32767.0).ExceedsLimit(32767));
    EXPECT_FALSE(CDoubleRect(-32766.0, -32766.0, 32766.0, 32766.0).ExceedsLimit(32767));
    EXPECT_TRUE(CDoubleRect(0.0, 0.0, 4e38, 0.0).ExceedsFloatRange());
    EXPECT_TRUE(CDoubleRect(std::nan(""), 0.0, 0.0, 0.0).ExceedsFloatRange());
    EXPECT_FALSE(CDoubleRect(-3e38, 0.0, 3e38, 0.0).ExceedsFloatRange());

    CDoubleRect r(0.0, 0.0, 10.0, 10.0);
    r.Inflate(1.5);
    ExpectRect(r, -1.5, -1.5, 11.5, 11.5);
    r.InflateRect(1, 2, 3, 4);
    ExpectRect(r, -2.5, -3.5, 14.5, 15.5);
    EXPECT_FALSE(r.IsNull());
    r.SetEmpty();
    EXPECT_TRUE(r.IsNull());
}

// ---- clip vertex and 64-bit rectangle ----

TEST(ClipVertexTest, CopiesNeverCarryTheSpareWord)
{
    CClipVertex a(1, 2, CClipVertex::kIntersection);
    a.spare = 77;
    const CClipVertex copy(a);
    EXPECT_EQ(CClipVertex::kIntersection, copy.flags);
    EXPECT_EQ(0u, copy.spare);

    CClipVertex target(9, 9);
    target.spare = 5;
    target = a;
    EXPECT_EQ(1.0, target.x);
    EXPECT_EQ(2.0, target.y);
    EXPECT_EQ(CClipVertex::kIntersection, target.flags);
    EXPECT_EQ(5u, target.spare);

    const CClipVertex fromFloat(CFloatPoint(1.5, -2.25));
    EXPECT_EQ(1.5, fromFloat.x);
    EXPECT_EQ(-2.25, fromFloat.y);
    EXPECT_EQ(0u, fromFloat.flags);
}

TEST(ClipVertexTest, EachAccessorOwnsOneBit)
{
    const struct {
        void (CClipVertex::*set)();
        BOOL (CClipVertex::*test)() const;
        int bit;
        bool classifies;
    } cases[] = {
        {&CClipVertex::SetIntersection, &CClipVertex::IsIntersection, 30, false},
        {&CClipVertex::SetInside, &CClipVertex::IsInside, 29, true},
        {&CClipVertex::SetOutside, &CClipVertex::IsOutside, 28, true},
        {&CClipVertex::SetSameEdge, &CClipVertex::IsSameEdge, 27, true},
        {&CClipVertex::SetOppositeEdge, &CClipVertex::IsOppositeEdge, 26, true},
        {&CClipVertex::SetDoubledBack, &CClipVertex::IsDoubledBack, 25, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bit);
        CClipVertex v;
        EXPECT_FALSE((v.*c.test)());
        (v.*c.set)();
        EXPECT_EQ(1u << c.bit, v.flags);
        EXPECT_TRUE((v.*c.test)());
        EXPECT_EQ(c.classifies, (bool)v.IsClassified());
        for (const auto& other : cases) {
            if (other.bit != c.bit) {
                EXPECT_FALSE((v.*other.test)());
            }
        }
    }
}

TEST(Int64RectTest, TruncatesTowardZeroAndTestsClosed)
{
    const CInt64Rect r(CDoubleRect(-1.7, -2.9, 2.9, 3.5));
    EXPECT_EQ(-1, r.left);
    EXPECT_EQ(-2, r.bottom);
    EXPECT_EQ(2, r.right);
    EXPECT_EQ(3, r.top);
    EXPECT_EQ(3, r.Width());
    EXPECT_TRUE(r.ContainsXY(2, 3));
    EXPECT_FALSE(r.ContainsXY(2.5, 0));

    const CInt64Rect huge(CDoubleRect(-1e30, 0.0, 1e30, std::nan("")));
    EXPECT_EQ(std::numeric_limits<int64_t>::min(), huge.left);
    EXPECT_EQ(std::numeric_limits<int64_t>::max(), huge.right);

    CInt64Rect outer(CDoubleRect(0.0, 10.0, 10.0, 0.0)); // bottom above top
    CInt64Rect inner(CDoubleRect(10.0, 10.0, 0.0, 0.0));
    EXPECT_TRUE(outer.Contains(inner));
    EXPECT_EQ(0, outer.bottom);
    EXPECT_EQ(10, outer.top);
    EXPECT_FALSE(outer.Contains(CInt64Rect(CDoubleRect(0.0, 0.0, 11.0, 10.0))));
}

}
