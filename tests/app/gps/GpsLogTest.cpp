// GPS log files drawn into a real map window and shown in the log viewer: a
// made log of mixed sentences, line ends and a broken line; logs too short to
// place an origin; a second log after a first; every real receiver log; the
// viewer's list and its preview, north up and east right.
#include "gps/recording/GpsFixTransform.h"
#include "gps/dialogs/GpsLog.h"
#include "gps/dialogs/ViewDataImportDlg.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolyline.h"
#include "platform/controls/CListCtrl.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"
#include "tests/app/gps/GpsTestSupport.h"
#include "tests/gps/support/NmeaText.h"
#include "tests/model/layers/LayerFileMaps.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using gpstest::Fix;
using gpstest::FixesOf;
using gpstest::ReadFile;
using gpstest::RealLogs;
using testsupport::Nmea;

namespace {
std::string Lat(double v) { return testsupport::Latitude(v); }
std::string Lon(double v) { return testsupport::Longitude(v); }

class GpsLog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        Open();
    }
    void TearDown() override
    {
        map.reset();
        host.DestroyWindow();
    }
    // A new map window over a map of one empty layer.
    void Open()
    {
        map.reset();
        const CString path = folder.File("map.kwz");
        std::filesystem::remove_all(std::string(folder.File("")));
        std::filesystem::create_directories(std::string(folder.File("")));
        ASSERT_NO_FATAL_FAILURE(gpstest::WriteTrackWorkspace(path));
        map = std::make_unique<CMUIMap>();
        ASSERT_TRUE(map->Create(CRect(0, 0, 400, 300), &host, 200, WS_CHILD | WS_VISIBLE));
        map->LoadWorkspace(path);
        AfxTestProcessEvents();
    }
    CString WriteLog(const char* name, const std::string& bytes)
    {
        const CString path = folder.File(name);
        std::ofstream(std::string(path), std::ios::binary) << bytes;
        return path;
    }
    CMapLayer* Layer() { return map->GetMapModel()->GetLayerAt(0); }
    std::vector<CMapNode*> Nodes(CMapLayer* layer)
    {
        std::vector<CMapNode*> nodes;
        POSITION pos = layer->GetPointObjects().GetHeadPosition();
        while (pos)
            nodes.push_back(dynamic_cast<CMapNode*>(layer->GetPointObjects().GetNext(pos)));
        return nodes;
    }
    int TrackPoints(CMapLayer* layer)
    {
        int points = 0, tracks = 0;
        for (long long id = 0; id <= layer->GetMaxID(); ++id) {
            std::unique_ptr<CMapObject> o(layer->ReadObject((int)id, FALSE, TRUE));
            if (auto* line = dynamic_cast<CMapPolyline*>(o.get())) {
                line->LoadGeometry();
                points = line->GetPointCount();
                ++tracks;
            }
        }
        return tracks == 1 ? points : -tracks;
    }
    CString Attribute(CMapObject* o, const char* name) { return gpstest::Attribute(o, name); }
    // The node lies at (lat, lon) in the map's system, and says so.
    void ExpectAt(CMapNode* node, double lat, double lon)
    {
        ASSERT_NE(node, nullptr);
        CDoublePoint at;
        ASSERT_TRUE(CGpsFixTransform(*map->GetMapModel()).ToMap(lon, lat, at));
        // Float storage; the attributes hold six decimals of a degree.
        EXPECT_NEAR(node->GetPosition().x, at.x, std::fabs(at.x) * 1e-7 + 1e-6);
        EXPECT_NEAR(node->GetPosition().y, at.y, std::fabs(at.y) * 1e-7 + 1e-6);
        EXPECT_NEAR(atof(Attribute(node, "LATITUDE")), lat, 1e-6);
        EXPECT_NEAR(atof(Attribute(node, "LONGITUDE")), lon, 1e-6);
    }

    testsupport::TempFolder folder{"kvgpslog"};
    ModalRecorder boxes;
    CWnd host;
    std::unique_ptr<CMUIMap> map;
};

// A walk south-west of the equator and Greenwich, in the talker given.
std::string Walk(const char* talker)
{
    const std::string t = talker;
    std::string log;
    log += Nmea("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00");
    log += Nmea(t + "GLL," + Lat(-33.8601) + "," + Lon(-70.6501) + ",101010,A");          // before any GGA
    log += Nmea(t + "GGA,101011," + Lat(-33.8602) + "," + Lon(-70.6502) + ",1,07,0.9,545.4,M,46.9,M,,");
    log += Nmea(t + "RMC,101012,A," + Lat(-33.8603) + "," + Lon(-70.6503) + ",0.1,90.0,020304,,");
    log += Nmea(t + "GGA,101013," + Lat(-33.8603) + "," + Lon(-70.6504) + ",1,08,0.9,545.4,M,46.9,M,,");   // same latitude
    log += "$" + t + "GGA,101014," + Lat(-33.8605) + "," + Lon(-70.6505) + ",1,08,0.9,545.4,M,46.9,M,,*00\r\n";   // broken
    log += "no sentence\r\n";
    log += Nmea(t + "GGA,101015," + Lat(-33.8606) + "," + Lon(-70.6506) + ",1,09,0.9,545.4,M,46.9,M,,");
    log += Nmea(t + "GLL," + Lat(-33.8607) + "," + Lon(-70.6507) + ",101016,A").substr(0, 200);
    return log;
}
}

TEST_F(GpsLog, MixedLogBecomesNodesAtItsFixesAndATrackThatTheFileKeeps)
{
    std::string log = Walk("GP");
    // Some lines end in LF only.
    log.erase(log.find("\r\nno sentence"), 1);
    const CString path = WriteLog("walk.nmea", log);
    const GpsLogImportResult result = ImportGpsLog(*map, Layer(), path);
    ASSERT_TRUE(result.fileRead);
    EXPECT_EQ(result.nodes, 5);
    EXPECT_EQ(result.trackPoints, 5);
    const auto nodes = Nodes(Layer());
    ASSERT_EQ(nodes.size(), 5u);
    const Fix expected[] = {{-33.8601, -70.6501}, {-33.8602, -70.6502}, {-33.8603, -70.6503},
                            {-33.8606, -70.6506}, {-33.8607, -70.6507}};
    for (size_t i = 0; i < nodes.size(); ++i)
        ExpectAt(nodes[i], expected[i].lat, expected[i].lon);
    EXPECT_EQ(Attribute(nodes[0], "SATELLITEVIEW"), "");   // no GGA yet
    EXPECT_EQ(Attribute(nodes[0], "TIME"), "10:10:10");
    EXPECT_EQ(Attribute(nodes[2], "SATELLITEVIEW"), "7");   // from the last GGA
    EXPECT_EQ(Attribute(nodes[3], "SATELLITEVIEW"), "9");
    EXPECT_EQ(nodes[3]->GetStyle()->GetSymbolChar(), '.');
    EXPECT_EQ(map->GetSelectionCount(), 0);

    // The layer file holds the nodes and the track in another map.
    ASSERT_TRUE(map->SaveWorkspace(folder.File("map.kwz")));
    ASSERT_TRUE(map->GetMapModel()->SaveMapDatabase());
    layerfile::LetFilesGo(*map->GetMapModel());
    CMUIMap reader;
    reader.LoadWorkspace(folder.File("map.kwz"));
    CMapLayer* reopened = reader.GetMapModel()->GetLayerAt(0);
    ASSERT_NE(reopened, nullptr);
    ASSERT_EQ(reopened->GetPointObjects().GetCount(), 5);
    EXPECT_EQ(TrackPoints(reopened), 5);
    EXPECT_NEAR(atof(reopened->GetPointObjects().GetHead()->GetAttributeText(reopened->FindField("LATITUDE"))),
                -33.8601, 1e-6);
}

TEST_F(GpsLog, OtherTalkersImportAsFullyAsGp)
{
    for (const char* talker : {"GN", "GL", "BD"}) {
        Open();
        const GpsLogImportResult result = ImportGpsLog(*map, Layer(), WriteLog("walk.nmea", Walk(talker)));
        EXPECT_EQ(result.nodes, 5) << talker;
        const auto nodes = Nodes(Layer());
        ASSERT_EQ(nodes.size(), 5u) << talker;
        ExpectAt(nodes[4], -33.8607, -70.6507);
    }
}

TEST_F(GpsLog, ShortLogsAndASecondLogStandOnTheirOwn)
{
    // Nothing to place, then a single fix.
    EXPECT_EQ(ImportGpsLog(*map, Layer(), WriteLog("none.nmea", "$GPGSA,A,1*00\r\n\r\n")).nodes, 0);
    EXPECT_EQ(TrackPoints(Layer()), 0);
    const std::string one = Nmea("GPGGA,120000," + Lat(52.1) + "," + Lon(4.3) + ",1,05,0.9,1.0,M,46.9,M,,");
    EXPECT_EQ(ImportGpsLog(*map, Layer(), WriteLog("one.nmea", one)).nodes, 1);
    ExpectAt(Nodes(Layer()).at(0), 52.1, 4.3);

    // A second log after the first: its fixes only, at their own places.
    Open();
    ImportGpsLog(*map, Layer(), WriteLog("walk.nmea", Walk("GP")));
    const std::string north = Nmea("GPGGA,120000," + Lat(60.0) + "," + Lon(10.0) + ",1,05,0.9,1.0,M,46.9,M,,") +
                              Nmea("GPGGA,120001," + Lat(60.001) + "," + Lon(10.001) + ",1,05,0.9,1.0,M,46.9,M,,");
    EXPECT_EQ(ImportGpsLog(*map, Layer(), WriteLog("north.nmea", north)).nodes, 2);
    const auto nodes = Nodes(Layer());
    ASSERT_EQ(nodes.size(), 7u);
    ExpectAt(nodes[5], 60.0, 10.0);
    ExpectAt(nodes[6], 60.001, 10.001);
    EXPECT_EQ(TrackPoints(Layer()), -2);   // one track per log

    EXPECT_FALSE(ImportGpsLog(*map, Layer(), folder.File("missing.nmea")).fileRead);
}

TEST_F(GpsLog, EveryRealLogImportsAtItsOwnFixes)
{
    int logs = 0;
    for (const std::filesystem::path& log : RealLogs()) {
        ++logs;
        SCOPED_TRACE(log.filename().string());
        Open();
        const std::vector<Fix> fixes = FixesOf(ReadFile(log));
        const GpsLogImportResult result = ImportGpsLog(*map, Layer(), log.c_str());
        ASSERT_TRUE(result.fileRead);
        const auto nodes = Nodes(Layer());
        EXPECT_EQ((int)nodes.size(), result.nodes);
        EXPECT_EQ(result.trackPoints, result.nodes);
        EXPECT_LE(nodes.size(), fixes.size());
        // Logs with fixes that move give nodes.
        if (fixes.size() >= 2 && fixes.front().lat != fixes.back().lat && fixes.front().lon != fixes.back().lon) {
            EXPECT_GT(result.nodes, 0);
        }
        for (CMapNode* node : nodes) {
            const double lat = atof(Attribute(node, "LATITUDE")), lon = atof(Attribute(node, "LONGITUDE"));
            const bool known = std::any_of(fixes.begin(), fixes.end(), [&](const Fix& f) {
                return std::fabs(f.lat - lat) < 1e-6 && std::fabs(f.lon - lon) < 1e-6;
            });
            EXPECT_TRUE(known) << lat << " " << lon;
            ExpectAt(node, lat, lon);
        }
    }
    EXPECT_GE(logs, 30);
}

TEST_F(GpsLog, ViewerListsRawValuesAndDrawsNorthUpEastRight)
{
    // North-east: from the bottom left of the preview to its top right.
    const std::string log = Nmea("GPGGA,120000," + Lat(-10.0) + "," + Lon(-20.0) + ",1,05,0.9,1.0,M,46.9,M,,") +
                            Nmea("GPWPL," + Lat(-9.99) + "," + Lon(-19.99) + ",WAYPT") + "garbage\r\n";
    const CString path = WriteLog("ne.nmea", log);
    DialogAnswerer answers;
    COLORREF bottomLeft = 0, topRight = 0, topLeft = 0;
    CString columns[2], cells[4];
    answers.Then([&](CWnd& w) {
        auto& view = dynamic_cast<CViewDataImportDlg&>(w);
        auto* list = dynamic_cast<CListCtrl*>(view.GetDlgItem(IDC_VIEW_IMPORT_LIST));
        EXPECT_EQ(list->GetItemCount(), 2);
        for (int i = 0; i < 4; ++i)
            cells[i] = list->GetItemText(i / 2, i % 2);
        CWnd* preview = view.GetDlgItem(IDC_VIEW_IMPORT_PREVIEW);
        preview->UpdateWindow();
        AfxTestProcessEvents();
        CRect rc;
        preview->GetClientRect(&rc);
        const int side = std::min(rc.Width(), rc.Height()) - 1;
        CClientDC dc(preview);
        bottomLeft = dc.GetPixel(0, rc.Height() - 1);
        topRight = dc.GetPixel(side, rc.Height() - 1 - side);
        topLeft = dc.GetPixel(0, rc.Height() - 1 - side);
        // A click in the preview does nothing.
        AfxTestMouse(preview->m_hWnd, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        return DialogAnswerer::Press(view, IDOK);
    });
    CViewDataImportDlg view(path, nullptr);
    ASSERT_EQ(view.GetPositions().size(), 2u);   // the waypoint counts too
    EXPECT_EQ(view.DoModal(), IDOK);
    EXPECT_EQ(cells[0], "2000.000000");   // longitude first, raw
    EXPECT_EQ(cells[1], "1000.000000");
    EXPECT_EQ(bottomLeft, RGB(255, 255, 255));
    EXPECT_EQ(topRight, RGB(255, 255, 255));
    EXPECT_EQ(topLeft, RGB(0, 0, 0));

    // One position: drawn in the middle, nothing divided by zero; none: black.
    for (const std::string& single : {log.substr(0, log.find("$GPWPL")), std::string("nothing\r\n")}) {
        DialogAnswerer again;
        COLORREF middle = 1;
        again.Then([&](CWnd& w) {
            CWnd* preview = w.GetDlgItem(IDC_VIEW_IMPORT_PREVIEW);
            preview->UpdateWindow();
            AfxTestProcessEvents();
            CRect rc;
            preview->GetClientRect(&rc);
            const int side = std::min(rc.Width(), rc.Height()) - 1;
            middle = CClientDC(preview).GetPixel((int)std::lround(side / 2.0),
                                                  rc.Height() - 1 - (int)std::lround(side / 2.0));
            return DialogAnswerer::Press(w, IDOK);
        });
        CViewDataImportDlg one(WriteLog("one.nmea", single), nullptr);
        one.DoModal();
        EXPECT_EQ(middle, one.GetPositions().empty() ? RGB(0, 0, 0) : RGB(255, 255, 255));
    }
}

// ---------------------------------------------------------------- the logs of the field
TEST_F(GpsLog, EveryRealLogGivesEveryFixAPeerReads)
{
    // The receivers of NMEA 2.3 and later (mode letters in RMC and GLL, more
    // fields in GGA) and logs with LF line ends lose no fix.
    int logs = 0;
    for (const std::filesystem::path& log : RealLogs()) {
        ++logs;
        SCOPED_TRACE(log.filename().string());
        const std::vector<Fix> peer = FixesOf(ReadFile(log));
        std::vector<CNmeaFix> read;
        GpsLogCounts counts;
        ASSERT_TRUE(ReadGpsLogFixes(log.c_str(), read, &counts));
        ASSERT_EQ(read.size(), peer.size());
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_NEAR(read[i].latitude, peer[i].lat, 1e-9) << i;
            EXPECT_NEAR(read[i].longitude, peer[i].lon, 1e-9) << i;
        }
        EXPECT_EQ(counts.impossible, 0);
    }
    EXPECT_GE(logs, 30);
    std::vector<CNmeaFix> beidou;
    ASSERT_TRUE(ReadGpsLogFixes((std::string(KV_TEST_DATA_DIR) + "/nmea/sirf-trig-beidou-bd.nmea").c_str(), beidou));
    EXPECT_EQ(beidou.size(), 10u);
}

TEST_F(GpsLog, PlainLinesWithoutChecksumsImportAndTheUserIsToldWhatWasSkipped)
{
    // A logger's plain GGA lines with LF ends, among lines that are no fix.
    std::string log;
    for (int i = 0; i < 4; ++i)
        log += "$GPGGA,1200" + std::to_string(10 + i) + "," + Lat(52.1 + i * 1e-4) + "," + Lon(4.3 + i * 1e-4) +
               ",1,05,0.9,1.0,M,46.9,M,,\n";
    log += "$GPGGA,120020," + Lat(52.2) + "," + Lon(4.4) + ",1,05,0.9,1.0,M,46.9,M,,*00\n";   // wrong checksum
    log += "$GPGGA,120021,9500.0000,N," + Lon(4.4) + ",1,05,0.9,1.0,M,46.9,M,,\n";            // beyond 90
    log += "$GPGGA,246060," + Lat(52.2) + "," + Lon(4.4) + ",1,05,0.9,1.0,M,46.9,M,,\n";       // 24:60:60
    log += "$GPGGA,120022,-5206.0000,S," + Lon(4.4) + ",1,05,0.9,1.0,M,46.9,M,,\n";            // a sign and a letter
    log += "$GPGGA,120023,,,,,0,00,,,M,,M,,\n";                                                   // no fix yet
    log += "battery low\n";
    const GpsLogImportResult result = ImportGpsLog(*map, Layer(), WriteLog("plain.nmea", log));
    EXPECT_EQ(result.nodes, 4);
    EXPECT_EQ(result.counts.badChecksums, 1);
    EXPECT_EQ(result.counts.impossible, 3);
    EXPECT_EQ(result.counts.withoutPosition, 1);
    EXPECT_EQ(result.counts.notSentences, 1);
    ExpectAt(Nodes(Layer()).at(3), 52.1003, 4.3003);
    EXPECT_EQ(Attribute(Nodes(Layer()).at(3), "TIME"), "12:00:13");
    EXPECT_EQ(DescribeGpsLogImport(result),
              "4 positions were drawn into the layer as nodes and a track.\r\n\r\nSkipped:"
              "\r\n1 lines with a wrong or missing checksum"
              "\r\n3 lines with a position or time that cannot be (out of range or not a number)"
              "\r\n1 lines of the receiver without a position"
              "\r\n1 lines that are no NMEA sentence");

    // The viewer shows what the import drew.
    std::vector<GpsLogPosition> shown;
    ASSERT_TRUE(ReadGpsLogPositions(WriteLog("plain.nmea", log), shown));
    EXPECT_EQ(shown.size(), 4u);
}

TEST_F(GpsLog, ALongLogReportsItsProgressAndCancelKeepsWhatWasDrawn)
{
    std::string log;
    for (int i = 0; i < 4000; ++i)
        log += Nmea("GPGGA,120000," + Lat(52.1 + i * 1e-5) + "," + Lon(4.3 + i * 1e-5) + ",1,05,0.9,1.0,M,46.9,M,,");
    const CString path = WriteLog("long.nmea", log);
    std::vector<double> told;
    GpsLogImportOptions options;
    options.progress = [&](double done) {
        told.push_back(done);
        return done < 0.5;
    };
    const GpsLogImportResult result = ImportGpsLog(*map, Layer(), path, options);
    EXPECT_TRUE(result.cancelled);
    ASSERT_GE(told.size(), 2u);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_GT(result.nodes, 500);
    EXPECT_LT(result.nodes, 4000);
    EXPECT_EQ(result.trackPoints, result.nodes);   // the track of what was drawn joins the layer

    std::vector<GpsLogPosition> positions;
    int calls = 0;
    EXPECT_FALSE(ReadGpsLogPositions(path, positions, nullptr, [&](double) { return ++calls < 2; }));
    EXPECT_FALSE(positions.empty());
    EXPECT_LT(positions.size(), 4000u);
}
