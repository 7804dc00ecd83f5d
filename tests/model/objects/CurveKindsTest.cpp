// Arcs, chords, pies and splines as a layer stores them: built by the layer's
// factory from their type codes after the file was closed and opened again,
// and measured on the sphere when the map is projected.
#include "tests/model/objects/LayerTestSupport.h"

#include "model/objects/MapArc.h"
#include "model/objects/MapSpline.h"

#include <ogr_spatialref.h>

#include <memory>

namespace {

class CurveKinds : public LayerFile {};

TEST_F(CurveKinds, RoundTripThroughAReopenedLayerFile)
{
    std::vector<std::unique_ptr<CMapObject>> added;
    for (int type : {MAP_OBJECT_ARC, MAP_OBJECT_CHORD, MAP_OBJECT_PIE}) {
        auto arc = std::make_unique<CMapArc>(type);
        CArcGeometry g;
        g.start = CFloatPoint(10.0f + type, 0.5f);
        g.end = CFloatPoint(-3.0f, 7.25f);
        g.ellipse = CDoubleRect(-4.0 - type, -2.0, 4.0, 2.5 + type);
        arc->SetGeometry(g);
        arc->GetStyle()->SetPenColor(RGB(type, 2, 3));
        added.push_back(std::move(arc));
    }
    auto spline = std::make_unique<CMapSpline>();
    spline->SetControlPoints({{0, 0}, {40, 0}, {40, 40}});
    added.push_back(std::move(spline));
    for (auto& object : added)
        layer->AddObject(object.get(), TRUE);
    CMapModel reopened;
    CMapLayer* again = Reopen(reopened);
    ASSERT_TRUE(again->GetDatabase());
    for (auto& original : added) {
        SCOPED_TRACE(original->GetType());
        std::unique_ptr<CMapObject> read = ReadObject(again, original->GetMapeID());
        ASSERT_TRUE(read);
        EXPECT_EQ(read->GetType(), original->GetType());
        EXPECT_EQ(read->GetBoundary(), original->GetBoundary());
        EXPECT_EQ(read->GetStyle()->GetPenColor(), original->GetStyle()->GetPenColor());
        if (auto* arc = dynamic_cast<CMapArc*>(read.get())) {
            CArcGeometry got, want;
            arc->GetGeometry(got);
            static_cast<CMapArc*>(original.get())->GetGeometry(want);
            EXPECT_EQ(got.ToRecord(), want.ToRecord());
        } else {
            auto* s = dynamic_cast<CMapSpline*>(read.get());
            ASSERT_TRUE(s);
            ASSERT_EQ(s->GetHandleCount(), 3);
            EXPECT_EQ(s->GetHandlePoint(2).y, 40.0f);
        }
    }
}

// On a projected map a spherical measure goes through a copy transformed into
// the map's geographic system: the copy's control points must move with it,
// or metres would be measured as degrees.
TEST_F(CurveKinds, SphericalMeasuresOnAProjectedMapAreInMetres)
{
    auto* utm = new OGRSpatialReference;
    utm->importFromEPSG(32633);
    model.SetSpatialReference(utm, 32633);
    ASSERT_TRUE(model.GetGeographicReference());

    auto quarter = std::make_unique<CMapArc>(MAP_OBJECT_PIE);
    CArcGeometry g;
    g.start = CFloatPoint(501000, 5000000);
    g.end = CFloatPoint(500000, 5001000);
    g.ellipse = CDoubleRect(499000.0, 4999000.0, 501000.0, 5001000.0);
    quarter->SetGeometry(g);
    quarter->SetLayer(layer);
    auto line = std::make_unique<CMapSpline>();
    line->SetControlPoints({{500000, 5000000}, {500400, 5000000}});
    line->SetLayer(layer);

    struct Case {
        CMapObject* object;
        double metres;
    };
    const Case cases[] = {
        {quarter.get(), 1000.0 * 3.141592653589793 / 2 + 2000.0},   // the pie's outline
        {line.get(), 400.0},
    };
    for (const Case& c : cases) {
        int mode = 1;
        const double measured = c.object->MeasureLength(&mode);
        EXPECT_EQ(mode, 1);
        // The sphere and the projection's scale differ from the plane by well under 1 %.
        EXPECT_NEAR(measured, c.metres, c.metres * 0.01) << c.object->GetType();
    }
    // The measured object itself is left where it was.
    EXPECT_EQ(quarter->GetEllipseRect(), g.ellipse);
}

}
