// Coordinate conversions of every kind: all of an object's geometry changes or
// none of it does (rings and parts included), the boundary follows, and the
// geometry is marked modified alike for every kind.
#include "tests/model/polygons/PointListTestSupport.h"
#include "tests/model/objects/MercatorTestSupport.h"

#include "core/SphereConstants.h"
#include "model/polygons/MapAdvPolygon.h"
#include "model/objects/MapArc.h"
#include "model/objects/MapLine.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/objects/MapRectangle.h"
#include "model/objects/MapSpline.h"

#include <ogr_spatialref.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// Every kind is built with one coordinate at latitude 95, which has no
// Mercator point, placed last in its geometry (in the last hole or part).
struct Kind {
    const char* name;
    std::function<std::unique_ptr<CMapObject>()> make;
};

CMapPolygon* Ring(std::initializer_list<XY> points)
{
    auto* ring = new CMapPolygon;
    FillPoints(*ring, points);
    return ring;
}

std::vector<Kind> Kinds()
{
    return {
        {"line",
         [] {
             auto line = std::make_unique<CMapLine>();
             line->SetPoints(CDoublePoint(10, 10), CDoublePoint(20, 95));
             return std::unique_ptr<CMapObject>(std::move(line));
         }},
        {"node",
         [] {
             auto node = std::make_unique<CMapNode>();
             node->SetPosition(20, 95);
             return std::unique_ptr<CMapObject>(std::move(node));
         }},
        {"rectangle",
         [] {
             auto rect = std::make_unique<CMapRectangle>();
             rect->SetBoundary(CDoubleRect(10.0, 10.0, 20.0, 95.0));
             return std::unique_ptr<CMapObject>(std::move(rect));
         }},
        {"arc",
         [] {
             auto arc = std::make_unique<CMapArc>(MAP_OBJECT_PIE);
             CArcGeometry g;
             g.start = CFloatPoint(20, 50);
             g.end = CFloatPoint(15, 95);
             g.ellipse = CDoubleRect(10.0, 5.0, 20.0, 95.0);
             arc->SetGeometry(g);
             return std::unique_ptr<CMapObject>(std::move(arc));
         }},
        {"spline",
         [] {
             auto spline = std::make_unique<CMapSpline>();
             spline->SetControlPoints({CFloatPoint(10, 10), CFloatPoint(20, 30), CFloatPoint(15, 95)});
             return std::unique_ptr<CMapObject>(std::move(spline));
         }},
        {"polygon",
         [] {
             auto polygon = std::make_unique<CMapPolygon>();
             FillPoints(*polygon, {{10, 10}, {20, 10}, {20, 95}});
             return std::unique_ptr<CMapObject>(std::move(polygon));
         }},
        {"polyline",
         [] {
             auto polyline = std::make_unique<CMapPolyline>();
             FillPoints(*polyline, {{10, 10}, {20, 10}, {20, 95}});
             return std::unique_ptr<CMapObject>(std::move(polyline));
         }},
        {"polygon with holes",
         [] {
             auto polygon = std::make_unique<CMapAdvPolygon>();
             FillPoints(*polygon, {{0, 0}, {40, 0}, {40, 60}, {0, 60}});
             polygon->AddInnerRing(Ring({{10, 10}, {20, 10}, {20, 20}}));
             polygon->AddInnerRing(Ring({{25, 25}, {30, 25}, {30, 95}}));
             return std::unique_ptr<CMapObject>(std::move(polygon));
         }},
        {"multi-part polygon",
         [] {
             auto parts = std::make_unique<CMapPolyPolygon>();
             parts->AddPart(Ring({{0, 0}, {10, 0}, {10, 10}}));
             parts->AddPart(Ring({{20, 20}, {30, 20}, {30, 95}}));
             return std::unique_ptr<CMapObject>(std::move(parts));
         }},
    };
}

// What the object is made of, as its outline shows it.
std::vector<XY> Outline(CMapObject& object)
{
    CArray<CFloatPoint, CFloatPoint&> points;
    object.GetOutlinePoints(points);
    std::vector<XY> out;
    for (INT_PTR i = 0; i < points.GetSize(); ++i)
        out.emplace_back(points[i].x, points[i].y);
    return out;
}

TEST(Conversion, AFailingVertexLeavesTheWholeObjectAsItWas)
{
    std::unique_ptr<OGRCoordinateTransformation> ct = DegreesToMercator();
    ASSERT_TRUE(ct);
    for (const Kind& kind : Kinds()) {
        std::unique_ptr<CMapObject> object = kind.make();
        object->SetGeometryModified(FALSE);
        const std::vector<XY> outline = Outline(*object);
        const CDoubleRect boundary = object->GetBoundary();

        EXPECT_EQ(object->Transform(ct.get()), 0) << kind.name;
        EXPECT_EQ(Outline(*object), outline) << kind.name;
        EXPECT_EQ(object->GetBoundary(), boundary) << kind.name;
        // A result past the range of the stored numbers fails the same way.
        double huge = 1e307;
        EXPECT_EQ(object->Scale(&huge), 0) << kind.name;
        EXPECT_EQ(Outline(*object), outline) << kind.name;
        EXPECT_EQ(object->GetBoundary(), boundary) << kind.name;
        EXPECT_FALSE(object->IsGeometryModified()) << kind.name;
    }
}

TEST(Conversion, ScaleAndUnitChangesMoveEveryKindAndMarkItsGeometry)
{
    for (const Kind& kind : Kinds()) {
        std::unique_ptr<CMapObject> object = kind.make();
        object->SetGeometryModified(FALSE);
        const CDoubleRect boundary = object->GetBoundary();
        const std::vector<XY> outline = Outline(*object);

        double two = 2;
        ASSERT_EQ(object->Scale(&two), 1) << kind.name;
        EXPECT_TRUE(object->IsGeometryModified()) << kind.name;
        const CDoubleRect scaled = object->GetBoundary();
        EXPECT_NEAR(scaled.left, 2 * boundary.left, 1e-4) << kind.name;
        EXPECT_NEAR(scaled.top, 2 * boundary.top, 1e-4) << kind.name;
        EXPECT_NEAR(scaled.right, 2 * boundary.right, 1e-4) << kind.name;

        // Metres to radians on the sphere and back.
        double metre = 1, radian = 1;
        ASSERT_EQ(object->LinearToAngular(&metre, &radian, 0), 1) << kind.name;
        EXPECT_NEAR(object->GetBoundary().top, 2 * boundary.top / kSphereRadius, 1e-9) << kind.name;
        ASSERT_EQ(object->AngularToLinear(&radian, &metre), 1) << kind.name;
        double half = 0.5;
        ASSERT_EQ(object->Scale(&half), 1) << kind.name;
        const std::vector<XY> back = Outline(*object);
        ASSERT_EQ(back.size(), outline.size()) << kind.name;
        for (size_t i = 0; i < back.size(); ++i) {
            EXPECT_NEAR(back[i].first, outline[i].first, 1e-3) << kind.name << " " << i;
            EXPECT_NEAR(back[i].second, outline[i].second, 1e-3) << kind.name << " " << i;
        }
    }
}

}
