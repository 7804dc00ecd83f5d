// Writes the sample workspace that the start command opens: "Sample.kwz" and its
// layer files in the given folder, made through the map window's own save and
// the layers' own storage, so that it is what the editor itself would write.
// A projected map (UTM zone 33 north) of an invented stretch of coast: areas,
// a lake and its river, roads, places and their names. Run at build time; it replaces an earlier copy.
#include "mapwindow/MUIMap.h"
#include "model/objects/MapArc.h"
#include "model/layers/MapLayer.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/objects/MapSpline.h"
#include "model/objects/MapText.h"
#include "platform/frames/CWinApp.h"

#include "core/MapField.h"
#include "core/MapFieldValue.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

constexpr double kX0 = 500000.0, kY0 = 5200000.0; // the sheet's south-west corner, metres
constexpr int kUtm33North = 32633;

void Style(CMapObject* object, int pen, COLORREF penColor, float width, int brush, COLORREF brushColor)
{
    CMapStyle* s = object->GetStyle();
    s->SetPenStyle(pen);
    s->SetPenColor(penColor);
    s->SetPenWidth(width);
    s->SetBrushStyle(brush);
    s->SetBrushColor(brushColor);
}

// Adds `object` to `layer` with its "Name" attribute set, so that the Info
// Tool and the data browser have something to show for it.
void AddNamed(CMapLayer* layer, CMapObject* object, const char* name)
{
    for (int i = 0; i < layer->GetFieldCount(); ++i)
        object->AddAttribute(CMapFieldValue(layer->GetField(i)));
    object->SetAttributeByName("Name", name);
    layer->AddObject(object, FALSE);
}

void AddArea(CMapLayer* layer, int type, double l, double b, double r, double t, CFloatPoint start, CFloatPoint end,
             COLORREF fill, const char* name)
{
    CMapArc area(type);
    CArcGeometry g;
    g.ellipse = CDoubleRect(kX0 + l, kY0 + b, kX0 + r, kY0 + t);
    g.start = CFloatPoint((float)(kX0 + start.x), (float)(kY0 + start.y));
    g.end = CFloatPoint((float)(kX0 + end.x), (float)(kY0 + end.y));
    area.SetGeometry(g);
    Style(&area, MAPPEN_SOLID, RGB(60, 90, 40), 1, MAPBRUSH_SOLID, fill);
    AddNamed(layer, &area, name); // the layer keeps the row, not the object
}

void AddRoad(CMapLayer* layer, const std::vector<std::pair<double, double>>& points, COLORREF color, float width)
{
    CMapSpline road;
    std::vector<CFloatPoint> control;
    for (const auto& [x, y] : points)
        control.emplace_back((float)(kX0 + x), (float)(kY0 + y));
    road.SetControlPoints(control);
    Style(&road, MAPPEN_SOLID, color, width, MAPBRUSH_HOLLOW, 0);
    layer->AddObject(&road, TRUE);
}

// A point-list object (lake, river) from sheet coordinates.
template <class Kind>
void AddOutline(CMapLayer* layer, const std::vector<std::pair<double, double>>& points, COLORREF penColor,
                float width, int brush, COLORREF fill)
{
    Kind outline;
    for (const auto& [x, y] : points)
        outline.AddDoublePoint(kX0 + x, kY0 + y);
    Style(&outline, MAPPEN_SOLID, penColor, width, brush, fill);
    layer->AddObject(&outline, TRUE);
}

void AddPlace(CMapLayer* layer, double x, double y, COLORREF color, const char* name)
{
    auto* node = new CMapNode;
    node->SetPosition(kX0 + x, kY0 + y);
    node->GetStyle()->SetSymbolColor(color);
    node->GetStyle()->SetSymbolSize(18);
    AddNamed(layer, node, name); // the layer keeps nodes
}

void AddName(CMapLayer* layer, double x, double y, const char* text, float size)
{
    auto* name = new CMapText;
    name->PlaceAt(CDoubleRect(kX0 + x, kY0 + y, kX0 + x, kY0 + y), 1.0);
    name->SetFontSize(size);
    name->SetText(text);
    layer->AddObject(name, TRUE); // the layer keeps texts
}

} // namespace

namespace {

int WriteSample(const char* target)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::absolute(target);
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder)) {
        std::fprintf(stderr, "cannot make %s\n", target);
        return 1;
    }
    const char* names[] = {"Areas", "Water", "Roads", "Places", "Names"};
    for (const char* name : names)
        fs::remove(folder / (std::string(name) + ".klz"), error);
    fs::remove(folder / "Sample.kwz", error);
    const CString path = (folder / "Sample.kwz").string().c_str();
    {
        CMUIMap writer;
        writer.GetMapModel()->SetProjection(kUtm33North);
        for (const char* name : names) {
            auto* layer = new CMapLayer(name);
            // Areas and places carry their names as attribute values.
            if (std::strcmp(name, "Areas") == 0 || std::strcmp(name, "Places") == 0)
                layer->AddField(CMapField("Name", FIELD_TYPE_STRING, 40));
            writer.GetMapModel()->AddLayer(layer);
        }
        if (!writer.SaveWorkspace(path))
            return 1;
    }
    CMUIMap filler;
    filler.LoadWorkspace(path);
    CMapModel* map = filler.GetMapModel();
    if (map->GetLayerCount() != 5) {
        std::fprintf(stderr, "the sample workspace did not reopen with its layers\n");
        return 1;
    }
    CMapLayer* areas = map->GetLayerAt(0);
    AddArea(areas, MAP_OBJECT_CHORD, 300, 600, 4300, 4000, {4300, 2300}, {300, 2300}, RGB(170, 210, 140),
            "North Downs");
    AddArea(areas, MAP_OBJECT_CHORD, 5200, 1200, 8600, 3800, {8600, 2000}, {5200, 3000}, RGB(200, 225, 160),
            "East Weald");
    AddArea(areas, MAP_OBJECT_PIE, 1600, 300, 3600, 2100, {3600, 1200}, {1600, 1200}, RGB(120, 170, 220),
            "Mere Basin");
    AddArea(areas, MAP_OBJECT_ARC, 6000, 3600, 9000, 5600, {9000, 4600}, {6000, 4600}, RGB(0, 0, 0),
            "Ridgeway");

    CMapLayer* water = map->GetLayerAt(1);
    AddOutline<CMapPolygon>(water, {{4700, 400}, {5600, 250}, {6500, 700}, {6300, 1300}, {5300, 1500}, {4600, 1000}},
                            RGB(40, 80, 160), 1, MAPBRUSH_SOLID, RGB(150, 190, 235));
    AddOutline<CMapPolyline>(water, {{5500, 1450}, {5350, 2200}, {5800, 3000}, {5500, 3900}, {6000, 4800}, {5700, 5500}},
                             RGB(60, 110, 200), 2, MAPBRUSH_HOLLOW, 0);

    CMapLayer* roads = map->GetLayerAt(2);
    AddRoad(roads, {{200, 1000}, {1800, 2600}, {3200, 2200}, {4800, 3300}, {6600, 2600}, {8800, 3400}},
            RGB(200, 40, 30), 3);
    AddRoad(roads, {{2400, 500}, {2600, 2000}, {2100, 3400}, {2900, 4700}}, RGB(230, 140, 20), 2);
    AddRoad(roads, {{5600, 1400}, {6400, 2400}, {7200, 4200}, {7800, 5200}}, RGB(230, 140, 20), 2);

    CMapLayer* places = map->GetLayerAt(3);
    const struct {
        double x, y;
        const char* name;
    } towns[] = {{1800, 2600, "Aldmere"}, {4800, 3300, "Brackwater"}, {6600, 2600, "Colby Ford"},
                 {2600, 2000, "Dunhallow"}, {7200, 4200, "Eastreach"}};
    for (const auto& t : towns)
        AddPlace(places, t.x, t.y, RGB(20, 20, 140), t.name);

    CMapLayer* labels = map->GetLayerAt(4);
    for (const auto& t : towns)
        AddName(labels, t.x + 120, t.y + 120, t.name, 220);
    AddName(labels, 900, 4300, "North Downs", 320);

    map->RecalcExtent();
    // Stored without a view (this map was never shown): the sample fits the
    // window it is opened in.
    map->SetZoom(-1);
    if (!map->SaveMapDatabase()) {
        std::fprintf(stderr, "the sample workspace could not be saved\n");
        return 1;
    }
    std::printf("%s\n", path.GetString());
    return 0;
}

// The platform's start brings up what drawing text needs; the work is done in
// start-up, which then ends the program with its result.
class CSampleMapApp : public CWinApp {
public:
    const char* m_target = nullptr;
    int m_result = 1;

    BOOL InitInstance() override
    {
        m_result = WriteSample(m_target);
        return FALSE;
    }
    int ExitInstance() override { return m_result; }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    CSampleMapApp app;
    app.m_target = argv[1];
    return AfxWinMain(1, argv);
}
