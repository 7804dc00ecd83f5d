// Writes the seed inputs of the fuzz targets into <folder>/<target>/ (fuzz/corpus/ in the tree):
// records from the project's own writers, with ordinary and extreme values, and a layer file and a
// workspace made by the map code. Run: fuzz_make_seeds fuzz/corpus
#include "core/DoubleRect.h"
#include "core/MapField.h"
#include "core/MapLabel.h"
#include "core/MapStyle.h"
#include "core/MapUnits.h"
#include "mapwindow/MUIMap.h"
#include "model/index/LayerIndexEntry.h"
#include "model/polygons/MapAdvPolygon.h"
#include "model/objects/MapArc.h"
#include "model/objects/MapImage.h"
#include "model/objects/MapLine.h"
#include "model/polygons/MapPolyAdvPolygon.h"
#include "model/polygons/MapPolyParts.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/objects/MapSpline.h"
#include "model/polygons/StoredRuns.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapText.h"
#include "gps/nmea/NmeaSentence.h"
#include "platform/testing/FuzzPlatform.h"

#include <sqlite3.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {
std::filesystem::path g_root;

void Write(const char* target, const char* name, const void* data, size_t size)
{
    const std::filesystem::path folder = g_root / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary | std::ios::trunc).write(static_cast<const char*>(data), (std::streamsize)size);
}

std::vector<BYTE> Floats(std::initializer_list<float> values)
{
    std::vector<BYTE> bytes;
    for (float v : values) {
        BYTE b[4];
        MapRecord::PutFloat(b, v);
        bytes.insert(bytes.end(), b, b + 4);
    }
    return bytes;
}

std::vector<BYTE> Joined(std::vector<BYTE> a, const std::vector<BYTE>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

template <class Kind> Kind* WithPoints(Kind* object, std::initializer_list<std::pair<float, float>> points)
{
    for (const auto& [x, y] : points)
        object->AddPoint(CFloatPoint(x, y));
    return object;
}

// A sentence as the sentence classes build one: "$" + body, its checksum, CR LF.
std::string Sentence(const std::string& body)
{
    CNmeaSentence s;
    s.SetText(("$" + body).c_str());
    s.AppendChecksum();
    return s.GetText().GetString();
}

// The GPS readers' seeds (the real receiver logs of the tests seed them too):
// sentences of the later NMEA versions, logger replies and records, and a log
// with every line end, made with the program's own checksum.
void WriteGpsSeeds()
{
    auto write = [](const char* target, const char* name, const std::string& text) {
        Write(target, name, text.data(), text.size());
    };
    const std::string newer = Sentence("GNRMC,123519.00,A,4807.038,N,01131.000,W,022.4,084.4,230394,003.1,W,A,V") +
                              Sentence("GNGLL,4916.45,N,12311.12,W,225444,A,A") +
                              Sentence("GPGGA,123519,4807.038,S,01131.000,E,1,08,0.9,545.4,M,46.9,M,,,0") +
                              Sentence("GNGSA,A,3,10,16,26,27,,,,,,,,,1.94,1.18,1.54,1") +
                              Sentence("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,A") +
                              Sentence("GPGSV,3,3,11,22,42,067,42,24,14,311,43") + Sentence("GPZDA,201530.00,24,08,2005,,") +
                              Sentence("IIXDR,C,19.52,C,TempAir,P,1.02481,B,Barometer") + Sentence("PGRMZ,246,f,3");
    write("nmea_sentence", "newer-versions", newer);
    std::string xdr = "IIXDR";
    for (int i = 0; i < 250; ++i)
        xdr += ",C," + std::to_string(i) + ",C,T" + std::to_string(i);
    write("nmea_sentence", "long", Sentence(xdr));
    write("nmea_field_list", "positions", newer + Sentence("PEMT161,4,1,040307,090507,0,0,4807.0380,01131.0000,545,90,12"));
    write("logger_reply", "replies",
          Sentence("PEMT161,0,3") + Sentence("PEMT161,2,040307,90507,12,0") + Sentence("PEMT160,4,0,30,0") +
              Sentence("PEMT161,4,1,040307,090507,0,0,-3351.6060,-07039.0060,545,90,12") +
              Sentence("PEMT161,5,1,040307,090508,0,0,,,545,90,12"));
    std::string log = Sentence("GPGGA,101011,5206.000,N,00418.000,E,1,7,,,M,,M,,");
    log.pop_back();   // LF alone
    log.back() = '\n';
    log += "$GPGGA,101012,5206.010,N,00418.010,E,1,7,,,M,,M,,\r";   // a plain line, CR alone
    log += Sentence("GPRMC,101013,A,5206.020,N,00418.020,E,0.5,90.0,240524,,,A");
    log += "$GPGGA,101014,9506.020,N,00418.030,E,1,7,,,M,,M,,\r\n";   // beyond 90
    write("gps_log", "line-ends", log);
}

// The stored geometry of each kind as the map code writes it, read back from
// the layer file it went into; "<kind>": its seeds by name.
void WriteGeometrySeeds(const std::string& folder)
{
    const std::string path = folder + "/shapes.klz";
    std::vector<std::pair<std::string, int>> written;   // kind name, id
    {
        CMapModel model;
        CMapLayer probe("shapes");
        model.CreateLayerDatabase(CString(path.c_str()), &probe);
        CMapModel map;
        map.OpenLayer(CString(path.c_str()), nullptr);
        CMapLayer* layer = map.GetLastLayer();
        const auto store = [&](const char* name, CMapObject* object) {
            layer->AddObject(object, TRUE);
            written.emplace_back(name, object->GetMapeID());
            delete object;
        };
        CArcGeometry g;
        g.ellipse = CDoubleRect(0.0, 40.0, 40.0, 0.0);
        g.start = CFloatPoint(40, 20);
        g.end = CFloatPoint(20, 40);
        for (const auto& [name, type] : {std::pair{"arc", MAP_OBJECT_ARC}, std::pair{"chord", MAP_OBJECT_CHORD},
                                         std::pair{"pie", MAP_OBJECT_PIE}}) {
            auto* arc = new CMapArc(type);
            arc->SetGeometry(g);
            store(name, arc);
        }
        auto* line = new CMapLine;
        line->SetPoints(CDoublePoint(1, 2), CDoublePoint(30, 40));
        store("line", line);
        store("polygon", WithPoints(new CMapPolygon, {{0, 0}, {40, 0}, {40, 40}, {0, 40}}));
        store("polyline", WithPoints(new CMapPolyline, {{0, 0}, {20, 30}, {40, 0}}));
        auto* parts = new CMapPolyPolygon;
        parts->AddPart(WithPoints(new CMapPolygon, {{0, 0}, {40, 0}, {40, 40}}));
        auto* hole = WithPoints(new CMapPolygon, {{20, 5}, {30, 5}, {30, 15}});
        hole->SetRingFlag(TRUE);
        parts->AddPart(hole);
        store("polypolygon", parts);
        auto* lines = new CMapPolyPolyline;
        lines->AddPart(WithPoints(new CMapPolyline, {{0, 0}, {10, 10}}));
        lines->AddPart(WithPoints(new CMapPolyline, {{20, 0}, {30, 10}, {40, 0}}));
        store("polypolyline", lines);
        auto* holes = WithPoints(new CMapAdvPolygon, {{0, 0}, {40, 0}, {40, 40}, {0, 40}});
        holes->AddInnerRing(WithPoints(new CMapPolygon, {{10, 10}, {20, 10}, {20, 20}}));
        store("advpolygon", holes);
        auto* multi = new CMapPolyAdvPolygon;
        auto* first = WithPoints(new CMapAdvPolygon, {{0, 0}, {20, 0}, {20, 20}, {0, 20}});
        first->AddInnerRing(WithPoints(new CMapPolygon, {{5, 5}, {10, 5}, {10, 10}}));
        multi->AddPart(first);
        multi->AddPart(WithPoints(new CMapAdvPolygon, {{30, 0}, {40, 0}, {40, 10}}));
        store("polyadvpolygon", multi);
        auto* spline = new CMapSpline;
        spline->SetControlPoints({CFloatPoint(0, 0), CFloatPoint(20, 30), CFloatPoint(40, 0)});
        store("spline", spline);
        layer->SaveProperties();
    }
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (const auto& [name, id] : written) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "select mapeGeoData from _MapGeoData where mapeID=?;", -1, &stmt, nullptr);
        sqlite3_bind_int(stmt, 1, id);
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            const std::vector<BYTE> blob(static_cast<const BYTE*>(sqlite3_column_blob(stmt, 0)),
                                         static_cast<const BYTE*>(sqlite3_column_blob(stmt, 0)) + sqlite3_column_bytes(stmt, 0));
            const std::string target = "geometry_" + name;
            Write(target.c_str(), "written", blob.data(), blob.size());
            // Damaged forms of the same bytes: one byte short, a NaN in the
            // first coordinate, and a separator appended.
            if (!blob.empty()) {
                Write(target.c_str(), "short", blob.data(), blob.size() - 1);
                std::vector<BYTE> nan = blob;
                const std::vector<BYTE> bits = Floats({std::nanf("")});
                std::memcpy(nan.data(), bits.data(), std::min<size_t>(4, nan.size()));
                Write(target.c_str(), "nan", nan.data(), nan.size());
                const std::vector<BYTE> open = Joined(blob, Floats({FLT_MAX, FLT_MAX}));
                Write(target.c_str(), "separator-last", open.data(), open.size());
            }
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    // Big but sound values, and a hole right after a part.
    const std::vector<BYTE> vast = Floats({-FLT_MAX / 2, -FLT_MAX / 2, FLT_MAX / 2, FLT_MAX / 2, -FLT_MAX / 2, FLT_MAX / 2});
    for (const char* name : {"polygon", "polyline", "spline", "polypolyline"})
        Write((std::string("geometry_") + name).c_str(), "vast", vast.data(), vast.size());
    const std::vector<BYTE> holeAfterPart = Floats({0, 0, 10, 0, 10, 10, FLT_MAX, FLT_MAX, FLT_MIN, FLT_MIN, 1, 1, 2, 2, 3, 1});
    Write("geometry_polyadvpolygon", "hole-after-part", holeAfterPart.data(), holeAfterPart.size());
    // Finite values whose figure leaves the float range: an ellipse edge of a
    // double beyond it, and control points at its edge that the curve overshoots.
    std::vector<BYTE> farEllipse = Floats({40, 20, 20, 40});
    farEllipse.resize(24, 0);
    for (double v : {0.0, 0.0, -1.1960164332659527e+199, 40.0}) {
        BYTE b[8];
        std::memcpy(b, &v, 8);
        farEllipse.insert(farEllipse.end(), b, b + 8);
    }
    Write("geometry_arc", "ellipse-beyond-float", farEllipse.data(), farEllipse.size());
    // An ellipse 40 units wide and 3 * 10^30 high: far beyond what doubles resolve to a pixel.
    std::vector<BYTE> tallEllipse = Floats({40, 1.5489362e25f, 1.5444331e25f, 40.05f});
    tallEllipse.resize(24, 0);
    for (double v : {40.0, 3.169126500580103e+30, 3.60297429539817e-310, 40.00000000000178}) {
        BYTE b[8];
        std::memcpy(b, &v, 8);
        tallEllipse.insert(tallEllipse.end(), b, b + 8);
    }
    Write("geometry_pie", "far-tall-ellipse", tallEllipse.data(), tallEllipse.size());
    const std::vector<BYTE> overshoot = Floats({0, 0, 20, 1.7e-12f, 2.9e-39f, FLT_MAX, FLT_MAX, FLT_MAX});
    Write("geometry_spline", "overshoot", overshoot.data(), overshoot.size());
}

template <class Record>
void WriteRecord(const char* target, const char* name, const Record& record)
{
    Write(target, name, record.data(), record.size());
}

void CopyFile(const char* target, const char* name, const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Write(target, name, bytes.data(), bytes.size());
}
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
        return 2;
    }
    g_root = argv[1];
    StartFuzzPlatform();

    WriteRecord("rect_record", "unit", CDoubleRect(0.0, 0.0, 1.0, 1.0).ToRecord());
    WriteRecord("rect_record", "far", CDoubleRect(-1e300, -1e300, 1e300, 1e300).ToRecord());
    WriteRecord("rect_record", "nan", CDoubleRect(std::nan(""), 0.0, (double)INFINITY, -(double)INFINITY).ToRecord());

    CMapStyle style;
    WriteRecord("style_record", "default", style.ToRecord());
    style.SetPenWidth(1e30f);
    style.SetSymbolSize(-2147483647);
    style.SetTextAngle(3599);
    WriteRecord("style_record", "extreme", style.ToRecord());

    CMapLabel label;
    label.SetAnchor(CFloatPoint(10, 10));
    label.SetRotation(450, 0);
    WriteRecord("label_record", "turned", label.ToRecord());
    label.SetAnchor(CFloatPoint(std::nanf(""), INFINITY));
    label.SetBackground(1);
    WriteRecord("label_record", "nan-anchor", label.ToRecord());

    WriteRecord("units_record", "default", CMapUnits().ToRecord());

    CMapText text;
    WriteRecord("text_record", "default", text.ToRecord());
    text.SetFontSize(1e30f);
    WriteRecord("text_record", "huge-font", text.ToRecord());

    const std::vector<BYTE> image = CMapImage().GetPropertyColumn();
    Write("image_record", "default", image.data(), image.size());

    LayerIndexEntry entry;
    entry.id = 7;
    entry.rect = CDoubleRect(1.0, 2.0, 3.0, 4.0);
    LayerIndexEntry::Record index{};
    entry.WriteRecord(index.data());
    WriteRecord("index_record", "one", index);

    const unsigned char strings[][12] = {
        {FIELD_TYPE_STRING, 5, 0, 'a', 'b', 0xC3, 0xA9, 'c', 'd', '\'', 'e', 0},
        {FIELD_TYPE_DOUBLE, 8, 0, '1', 'e', '3', '0', '8', '0', 0, 0, 0},
        {FIELD_TYPE_SHORT, 8, 0, '-', '4', '0', '0', '0', '0', 0, 0, 0},
    };
    Write("field_value", "string", strings[0], 11);
    Write("field_value", "double", strings[1], 9);
    Write("field_value", "short", strings[2], 9);

    // A layer file and a workspace naming it, made by the map code in a scratch folder.
    const std::string folder = FuzzScratchFolder() + "/seeds";
    std::filesystem::create_directories(folder);
    {
        CMapModel model;
        CMapLayer layer("roads");
        model.CreateLayerDatabase(CString((folder + "/roads.klz").c_str()), &layer);
    }
    CopyFile("layer_file", "empty-layer", folder + "/roads.klz");
    {
        CMUIMap map;
        map.GetMapModel()->AddLayer(new CMapLayer("roads"));
        map.SaveWorkspace(CString((folder + "/map.kws").c_str()));
    }
    CopyFile("workspace_file", "one-layer", folder + "/map.kws");
    WriteGeometrySeeds(folder);
    WriteGpsSeeds();
    std::printf("seeds written to %s\n", argv[1]);
    return 0;
}
