// The GPS Data window recording a receiver played over a pseudo-terminal into
// a real map window: the bytes sent on connect, nodes with their four
// attributes at the fixes' own coordinates, the track on Close Port and on
// closing the window, the satellite gate, and the 30 real receiver logs.
#include "gps/dialogs/GpsDataDlg.h"
#include "gps/dialogs/GpsLog.h"
#include "gps/dialogs/GpsRecovery.h"
#include "gps/recording/GpsRecordingJournal.h"
#include "gps/nmea/NmeaParser.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolyline.h"
#include "platform/controls/CComboBox.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/testing/SerialPeer.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"
#include "tests/app/gps/GpsTestSupport.h"
#include "tests/gps/support/DaylightSavingZone.h"
#include "tests/gps/support/NmeaText.h"
#include "tests/model/layers/LayerFileMaps.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

using gpstest::Fix;
using gpstest::FixesOf;
using gpstest::ReadFile;
using gpstest::RealLogs;
using testsupport::Nmea;

namespace {

// A GGA sentence at signed decimal degrees.
std::string Gga(double lat, double lon, int satellites, const char* talker = "GP", const char* time = "123519")
{
    char body[200];
    snprintf(body, sizeof body, "%sGGA,%s,%s,%s,1,%02d,0.9,545.4,M,46.9,M,,", talker, time,
             testsupport::Latitude(lat).c_str(), testsupport::Longitude(lon).c_str(), satellites);
    return Nmea(body);
}

class GpsRecording : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetTestClockScale(0.02);
        CGpsDataDlg::s_nPositionGate = CGpsDataDlg::s_nSatelliteGate = 0;
        ASSERT_TRUE(peer.IsOpen());
        peer.MapAs("COM5");
        const CString path = folder.File("map.kwz");
        ASSERT_NO_FATAL_FAILURE(gpstest::WriteTrackWorkspace(path));
        ASSERT_NO_FATAL_FAILURE(gpstest::ShowInHost(host, map, path));
        ASSERT_NE(map.GetActiveLayer(), nullptr);
        AfxTestProcessEvents();
    }
    void TearDown() override
    {
        dlg.reset();
        map.DestroyWindow();
        host.DestroyWindow();
        AfxSetTestClockScale(1.0);
    }

    CMapLayer* Layer() { return map.GetMapModel()->GetLayerAt(0); }

    // Opens the window on COM5 at `rate` after the receiver has said `first`,
    // keeping the map's layer; true when it connected.
    bool Connect(const std::string& first, int rateIndex = 2)
    {
        dlg = std::make_unique<CGpsDataDlg>(&map, CGpsDataDlg::kModeSerial);
        EXPECT_TRUE(dlg->Create());
        dynamic_cast<CComboBox*>(dlg->GetDlgItem(IDC_GPS_PORT))->SetCurSel(4);
        dynamic_cast<CComboBox*>(dlg->GetDlgItem(IDC_GPS_BAUD_RATE))->SetCurSel(rateIndex);
        EXPECT_TRUE(peer.Send(first));
        // The window gives the receiver 800 ms for its first line: 200 ms here,
        // room for the reader thread to start on a loaded machine.
        AfxSetTestClockScale(0.25);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPS_OPEN_PORT, BN_CLICKED), 0);
        AfxSetTestClockScale(0.02);
        if (dlg->IsConnected()) {
            // Its once-a-second poll at the test's pace again.
            dlg->KillTimer(CGpsDataDlg::kTimerId);
            dlg->SetTimer(CGpsDataDlg::kTimerId, 1000, nullptr);
        }
        return dlg->IsConnected();
    }
    // Lets the window poll until the receiver's lines have all been handled.
    void Poll(int ms = 100) { AfxTestRunFor(ms); }
    // Lets the window poll until the layer holds `count` nodes (the lines it
    // was sent are handled), with a ceiling generous for a loaded machine.
    void PollUntilNodes(size_t count)
    {
        for (int i = 0; i < 3000 && Nodes().size() < count; ++i)
            Poll(10);
    }
    void ClosePort()
    {
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPS_CLOSE_PORT, BN_CLICKED), 0);
        AfxTestProcessEvents();
    }
    std::vector<CMapObject*> Nodes() { return gpstest::PointObjects(Layer()); }
    // The polylines of the layer, read back from its file.
    std::vector<std::unique_ptr<CMapObject>> Tracks(CMapLayer* layer)
    {
        std::vector<std::unique_ptr<CMapObject>> tracks;
        for (long long id = 0; id <= layer->GetMaxID(); ++id) {
            std::unique_ptr<CMapObject> o(layer->ReadObject((int)id, FALSE, TRUE));
            if (o && o->GetType() == MAP_OBJECT_POLYLINE)
                tracks.push_back(std::move(o));
        }
        return tracks;
    }
    CString Attribute(CMapObject* o, const char* name) { return gpstest::Attribute(o, name); }
    // The program ends without saving the recording: the layer file keeps what
    // it had, and the journal stays as the end left it (a copy stands in for
    // the file of another process). `again` then opens the map in a window.
    void EndUnsavedAndOpenAgain(const CString& journal, CMUIMap& again)
    {
        const std::string kept = ReadFile(std::string(journal));
        ClosePort();
        dlg.reset();
        layerfile::LetFilesGo(*map.GetMapModel());   // unsaved: rolled back
        map.DestroyWindow();
        CGpsRecordingJournal::Remove(journal);
        std::ofstream(std::string(journal), std::ios::binary) << kept;
        ASSERT_TRUE(again.Create(CRect(0, 0, 400, 300), &host, 201, WS_CHILD | WS_VISIBLE));
        again.LoadWorkspace(folder.File("map.kwz"));
    }

    testsupport::TempFolder folder{"kvgps"};
    SerialPeer peer;
    ModalRecorder boxes{{IDNO}, IDNO};
    CWnd host;
    CMUIMap map;
    std::unique_ptr<CGpsDataDlg> dlg;
};
}

TEST_F(GpsRecording, ConnectWritesTheInitialisationAndRecordsSouthWestFixes)
{
    ASSERT_TRUE(Connect(Gga(-27.2, -153.05, 8)));
    EXPECT_EQ(peer.Received(30, 1000), "$PSRF201,1*39\r\n$PSRF201,4*3C\r\n");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Do you want new layer?");
    EXPECT_GE(Layer()->FindField("LATITUDE"), 0);

    // The first fix centres the map; later ones become nodes at their fix.
    const Fix fixes[] = {{-27.2, -153.05}, {-27.2001, -153.0499}, {-27.2003, -153.0497}, {-27.2006, -153.0494}};
    for (const Fix& f : fixes)
        ASSERT_TRUE(peer.Send(Gga(f.lat, f.lon, 8, "GN", "101112")));
    PollUntilNodes(3);
    const auto nodes = Nodes();
    ASSERT_EQ(nodes.size(), 3u);
    for (size_t i = 0; i < nodes.size(); ++i) {
        auto* node = dynamic_cast<CMapNode*>(nodes[i]);
        ASSERT_NE(node, nullptr);
        CDoublePoint expected;
        CGpsFixTransform(*map.GetMapModel()).ToMap(fixes[i + 1].lon, fixes[i + 1].lat, expected);
        // At the fix itself, not at a pixel of the view: float storage only.
        EXPECT_NEAR(node->GetPosition().x, expected.x, std::fabs(expected.x) * 1e-7);
        EXPECT_NEAR(node->GetPosition().y, expected.y, std::fabs(expected.y) * 1e-7);
        EXPECT_EQ(atof(Attribute(node, "LATITUDE")), fixes[i + 1].lat);
        EXPECT_EQ(atof(Attribute(node, "LONGITUDE")), fixes[i + 1].lon);
        EXPECT_EQ(Attribute(node, "SATELLITEVIEW"), "8");
        EXPECT_EQ(Attribute(node, "TIME"), "10:11:12");
        EXPECT_EQ(node->GetStyle()->GetSymbolChar(), '.');
    }
    EXPECT_EQ(map.GetSelectionCount(), 0);

    // Close Port: the track joins the layer with one vertex per node.
    ClosePort();
    EXPECT_FALSE(dlg->IsConnected());
    EXPECT_FALSE(dlg->GetLink().IsReaderRunning());
    auto tracks = Tracks(Layer());
    ASSERT_EQ(tracks.size(), 1u);
    auto* track = dynamic_cast<CMapPolyline*>(tracks[0].get());
    ASSERT_NE(track, nullptr);
    track->LoadGeometry();
    ASSERT_EQ(track->GetPointCount(), 3);
    EXPECT_NEAR(track->GetPoints()[2].x, nodes[2]->GetBoundary().left, 1e-6);

    // The layer file holds both when opened again in another map.
    ASSERT_TRUE(map.SaveWorkspace(folder.File("map.kwz")));
    ASSERT_TRUE(map.GetMapModel()->SaveMapDatabase());
    layerfile::LetFilesGo(*map.GetMapModel());
    CMUIMap reader;
    reader.LoadWorkspace(folder.File("map.kwz"));
    CMapLayer* reopened = reader.GetMapModel()->GetLayerAt(0);
    ASSERT_NE(reopened, nullptr);
    ASSERT_EQ(reopened->GetPointObjects().GetCount(), 3);
    EXPECT_EQ(Tracks(reopened).size(), 1u);
    CMapObject* first = reopened->GetPointObjects().GetHead();
    EXPECT_EQ(atof(first->GetAttributeText(reopened->FindField("LONGITUDE"))), fixes[1].lon);
}

TEST_F(GpsRecording, ThreeSatellitesRecordNothing)
{
    ASSERT_TRUE(Connect(Gga(48.1, 11.5, 3)));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(peer.Send(Gga(48.1 + i * 1e-4, 11.5 + i * 1e-4, 3)));
    Poll();
    EXPECT_TRUE(Nodes().empty());
    EXPECT_EQ(CGpsDataDlg::s_nSatelliteGate, 0);
    // Four satellites: recording starts (the first such fix only centres).
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(peer.Send(Gga(48.2 + i * 1e-4, 11.6 + i * 1e-4, 4)));
    PollUntilNodes(2);
    EXPECT_EQ(Nodes().size(), 2u);
}

TEST_F(GpsRecording, ClosingTheWindowWhileRecordingKeepsTheTrack)
{
    ASSERT_TRUE(Connect(Gga(10, 20, 6)));
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(peer.Send(Gga(10 + i * 1e-4, 20 + i * 1e-4, 6)));
    PollUntilNodes(3);
    ASSERT_EQ(Nodes().size(), 3u);
    dlg->SendMessage(WM_CLOSE, 0, 0);
    AfxTestProcessEvents();
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(dlg->GetLink().IsReaderRunning());
    EXPECT_EQ(Tracks(Layer()).size(), 1u);
}

TEST_F(GpsRecording, FailuresToConnect)
{
    // No line from the receiver: told, and the port is closed again.
    dlg = std::make_unique<CGpsDataDlg>(&map, CGpsDataDlg::kModeSerial);
    ASSERT_TRUE(dlg->Create());
    dynamic_cast<CComboBox*>(dlg->GetDlgItem(IDC_GPS_PORT))->SetCurSel(4);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPS_OPEN_PORT, BN_CLICKED), 0);
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes().back().text, "Receiver is not connected to COM5");
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());

    // A port that does not exist.
    dynamic_cast<CComboBox*>(dlg->GetDlgItem(IDC_GPS_PORT))->SetCurSel(31);
    AfxWriteProfileString("Serial Ports", "COM32", "/nonexistent/tty");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPS_OPEN_PORT, BN_CLICKED), 0);
    EXPECT_EQ(boxes.Boxes().back().text, "Could not open COM Port!!");
    EXPECT_EQ(boxes.Boxes().back().caption, "Error");
    EXPECT_FALSE(dlg->IsConnected());
}

// ---------------------------------------------------------------- real receivers
TEST(RealReceiverLogs, AreAllThere)
{
    // CI has no shared folder: the logs come with the sources, and their absence is a failure.
    EXPECT_GE(RealLogs().size(), 30u);
}

class RealLogReplay : public GpsRecording, public ::testing::WithParamInterface<bool> {};

TEST_P(RealLogReplay, EveryLogRecordsItsOwnFixes)
{
    const bool paced = GetParam();
    const auto logs = RealLogs();
    ASSERT_GE(logs.size(), 30u);
    for (const auto& path : logs) {
        SCOPED_TRACE(path.filename().string());
        const std::string log = ReadFile(path);
        const std::vector<Fix> fixes = FixesOf(log);
        CGpsDataDlg::s_nPositionGate = CGpsDataDlg::s_nSatelliteGate = 0;
        const size_t before = Nodes().size();

        // The first bytes wait in the terminal so that the connection finds a line.
        const size_t head = std::min<size_t>(log.size(), 600);
        if (!Connect(log.substr(0, head))) {
            // A log whose opening holds no complete line within the first bytes.
            ADD_FAILURE() << "did not connect";
            continue;
        }
        std::atomic<bool> sent{false};
        std::thread sender([&] {
            if (!paced) {
                peer.Send(log.substr(head), 20000);
            } else {
                // One epoch at a time: a new GGA/RMC time starts the next second.
                size_t pos = head;
                while (pos < log.size()) {
                    size_t end = std::min(log.size(), pos + 400);
                    end = log.find('\n', end);
                    end = end == std::string::npos ? log.size() : end + 1;
                    peer.Send(log.substr(pos, end - pos), 20000);
                    pos = end;
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
            }
            sent = true;
        });
        for (int i = 0; i < 3000 && !sent; ++i)
            Poll(10);
        sender.join();
        Poll(200);
        ClosePort();
        ASSERT_FALSE(dlg->GetLink().IsReaderRunning());

        // Every node lies at a fix the log states.
        const auto nodes = Nodes();
        for (size_t i = before; i < nodes.size(); ++i) {
            const CFloatPoint p = dynamic_cast<CMapNode*>(nodes[i])->GetPosition();
            bool found = false;
            for (const Fix& f : fixes) {
                CDoublePoint m;
                if (CGpsFixTransform(*map.GetMapModel()).ToMap(f.lon, f.lat, m) &&
                    std::fabs(m.x - p.x) <= 1e-4 * std::max(1.0, std::fabs(m.x)) &&
                    std::fabs(m.y - p.y) <= 1e-4 * std::max(1.0, std::fabs(m.y))) {
                    found = true;
                    break;
                }
            }
            EXPECT_TRUE(found) << "node at " << p.x << ", " << p.y;
        }
        dlg.reset();
        peer.ClearReceived();
    }
    // The moving receivers among them leave nodes behind.
    EXPECT_GT(Nodes().size(), 50u);
}

INSTANTIATE_TEST_SUITE_P(FullSpeedAndRecordedPace, RealLogReplay, ::testing::Values(false, true));

// ---------------------------------------------------------------- in the field
namespace {
CString Status(CGpsDataDlg& dlg)
{
    CString text;
    dlg.GetDlgItemText(IDC_GPS_STATUS, text);
    return text;
}

}

TEST_F(GpsRecording, ANewerReceiversModeFieldsRecordEveryFix)
{
    // NMEA 2.3 and later: RMC and GLL end in a mode letter, GGA has one more field.
    ASSERT_TRUE(Connect(Nmea("GPGGA,101010," + testsupport::Latitude(47.5) + "," + testsupport::Longitude(8.5) +
                             ",1,09,0.9,400.0,M,48.0,M,,,0")));
    std::string fixes;
    for (int i = 1; i <= 9; ++i) {
        const std::string lat = testsupport::Latitude(47.5 + i * 1e-4), lon = testsupport::Longitude(8.5 + i * 1e-4);
        char clock[8];
        snprintf(clock, sizeof clock, "1010%02d", 10 + i);
        if (i % 3 == 1)
            fixes += Nmea(std::string("GNGGA,") + clock + "," + lat + "," + lon + ",1,09,0.9,400.0,M,48.0,M,,,0");
        else if (i % 3 == 2)
            fixes += Nmea(std::string("GNRMC,") + clock + ",A," + lat + "," + lon + ",0.5,90.0,240524,,,A,V");
        else
            fixes += Nmea(std::string("GNGLL,") + lat + "," + lon + "," + clock + ",A,A");
    }
    ASSERT_TRUE(peer.Send(fixes));
    PollUntilNodes(8);
    // The first GGA opens the satellite gate and centres the map; every later fix is a node.
    const auto nodes = Nodes();
    ASSERT_EQ(nodes.size(), 8u);
    EXPECT_NEAR(atof(Attribute(nodes[7], "LATITUDE")), 47.5009, 1e-6);
    EXPECT_EQ(Attribute(nodes[7], "TIME"), "10:10:19");   // of the GLL
}

TEST_F(GpsRecording, AnUnpluggedReceiverIsReportedAndItsRecordingKept)
{
    ASSERT_TRUE(Connect(Gga(10, 20, 6)));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(peer.Send(Gga(10 + i * 1e-4, 20 + i * 1e-4, 6)));
    PollUntilNodes(4);
    ASSERT_EQ(Nodes().size(), 4u);
    peer.HangUp();
    for (int i = 0; i < 300 && dlg->IsConnected(); ++i)
        Poll(10);
    EXPECT_FALSE(dlg->IsConnected());
    EXPECT_EQ(Status(*dlg), "Receiver lost on COM5: the recording so far is kept. Open the port again to go on.");
    EXPECT_EQ(Nodes().size(), 4u);
    EXPECT_EQ(Tracks(Layer()).size(), 1u);
    EXPECT_TRUE(dlg->GetDlgItem(IDC_GPS_OPEN_PORT)->IsWindowEnabled());
    EXPECT_FALSE(dlg->GetLink().IsReaderRunning());
}

TEST_F(GpsRecording, ASilentReceiverIsShownAsSilentUntilItSpeaksAgain)
{
    ASSERT_TRUE(Connect(Gga(10, 20, 6)));
    for (int i = 0; i < 6; ++i)
        dlg->SendMessage(WM_TIMER, CGpsDataDlg::kTimerId, 0);
    EXPECT_EQ(Status(*dlg), "No data from the receiver on COM5");
    ASSERT_TRUE(peer.Send(Gga(10, 20, 6)));
    for (int i = 0; i < 300 && Status(*dlg) != "Receiver connected to COM5"; ++i)
        Poll(10);
    EXPECT_EQ(Status(*dlg), "Receiver connected to COM5");
    EXPECT_TRUE(dlg->IsConnected());
}

TEST_F(GpsRecording, ASecondWindowIsToldThePortIsInUse)
{
    ASSERT_TRUE(Connect(Gga(10, 20, 6)));
    CGpsDataDlg second(&map, CGpsDataDlg::kModeSerial);
    ASSERT_TRUE(second.Create());
    dynamic_cast<CComboBox*>(second.GetDlgItem(IDC_GPS_PORT))->SetCurSel(4);
    const size_t asked = boxes.Boxes().size();
    second.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPS_OPEN_PORT, BN_CLICKED), 0);
    EXPECT_FALSE(second.IsConnected());
    ASSERT_EQ(boxes.Boxes().size(), asked + 1);
    EXPECT_EQ(boxes.Boxes().back().text, "COM5 is in use by another GPS Data window. Close its port first.");
    // The first keeps its port and its fixes.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(peer.Send(Gga(10 + i * 1e-4, 20 + i * 1e-4, 6)));
    PollUntilNodes(2);
    EXPECT_TRUE(dlg->IsConnected());
    EXPECT_EQ(Nodes().size(), 2u);
    second.DestroyWindow();
}

TEST_F(GpsRecording, DataloggerSettingsAreOffWhileThePortRecords)
{
    ASSERT_TRUE(Connect(Gga(10, 20, 6)));
    EXPECT_FALSE(dlg->GetDlgItem(IDC_GPS_TRINE_SETTINGS)->IsWindowEnabled());
    ClosePort();
    EXPECT_TRUE(dlg->GetDlgItem(IDC_GPS_TRINE_SETTINGS)->IsWindowEnabled());
}

// The sentence's clock is UTC: in a zone whose daylight saving starts at 02:00
// today, a fix at 02:30 UTC keeps 02:30, and the date box shows the UTC date.
TEST_F(GpsRecording, TimesAreRecordedAndShownInUtc)
{
    std::optional<testsupport::DaylightSavingZone> zone(std::in_place);
    ASSERT_TRUE(Connect(Gga(10, 20, 6, "GP", "023000")));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(peer.Send(Gga(10 + i * 1e-4, 20 + i * 1e-4, 6, "GP", "023000")));
    PollUntilNodes(2);
    CString shown, date;
    dlg->GetDlgItemText(IDC_GPS_UTC_TIME, shown);
    dlg->GetDlgItemText(IDC_GPS_DATE, date);
    const auto nodes = Nodes();
    zone.reset();
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(Attribute(nodes[1], "TIME"), "02:30:00");
    EXPECT_EQ(shown, "02:30:00");
    // 02:30 UTC nearest to now: today, yesterday or tomorrow in UTC.
    const time_t now = time(nullptr);
    char expected[3][16];
    for (int d = -1; d <= 1; ++d) {
        const time_t day = now + d * 86400;
        struct tm t {};
        gmtime_r(&day, &t);
        strftime(expected[d + 1], sizeof expected[0], "%d/%m/%Y", &t);
    }
    EXPECT_TRUE(date == expected[0] || date == expected[1] || date == expected[2]) << date;
}

// A recording lives in the layer's open transaction until the map is saved:
// its journal beside the layer keeps it through a crash, and the map offers it
// back when it is opened again.
TEST_F(GpsRecording, ARecordingTheProgramDidNotLiveToSaveIsOfferedBack)
{
    ASSERT_TRUE(Connect(Gga(-27.2, -153.05, 8, "GP", "101010")));
    for (int i = 0; i <= 6; ++i)
        ASSERT_TRUE(peer.Send(Gga(-27.2 - i * 1e-4, -153.05 + i * 1e-4, 8, "GN", "101011")));
    PollUntilNodes(6);
    const auto nodes = Nodes();
    ASSERT_EQ(nodes.size(), 6u);
    const CString journal = CGpsRecordingJournal::PathFor(Layer()->GetFilePath());
    std::vector<CNmeaFix> written;
    ASSERT_TRUE(ReadGpsLogFixes(journal, written));
    ASSERT_EQ(written.size(), 6u);
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_NEAR(written[i].latitude, atof(Attribute(nodes[i], "LATITUDE")), 1e-9);
        EXPECT_NEAR(written[i].longitude, atof(Attribute(nodes[i], "LONGITUDE")), 1e-9);
    }
    std::vector<CFloatPoint> recorded;
    for (CMapObject* n : nodes)
        recorded.push_back(dynamic_cast<CMapNode*>(n)->GetPosition());

    CMUIMap again;
    ASSERT_NO_FATAL_FAILURE(EndUnsavedAndOpenAgain(journal, again));
    CMapLayer* layer = again.GetMapModel()->GetLayerAt(0);
    ASSERT_EQ(layer->GetPointObjects().GetCount(), 0);
    {
        ModalRecorder yes({IDYES});
        EXPECT_EQ(OfferGpsRecordings(again), 1);
        ASSERT_EQ(yes.Boxes().size(), 1u);
        EXPECT_NE(yes.Boxes()[0].text.Find("\"Track\" was not saved before the program ended: 6 positions."), -1);
    }
    const auto back = gpstest::PointObjects(layer);
    ASSERT_EQ(back.size(), 6u);
    for (size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(dynamic_cast<CMapNode*>(back[i])->GetPosition().x, recorded[i].x);
        EXPECT_EQ(dynamic_cast<CMapNode*>(back[i])->GetPosition().y, recorded[i].y);
        EXPECT_EQ(Attribute(back[i], "TIME"), "10:10:11");
        EXPECT_EQ(Attribute(back[i], "SATELLITEVIEW"), "8");
    }
    EXPECT_EQ(Tracks(layer).size(), 1u);
    EXPECT_TRUE(again.IsModified());

    // Saved, the journal is done with; a journal whose fixes the layer holds
    // is dropped without a question.
    ASSERT_TRUE(again.GetMapModel()->SaveMapDatabase());
    {
        ModalRecorder none;
        EXPECT_EQ(OfferGpsRecordings(again), 0);
        EXPECT_TRUE(none.Boxes().empty());
    }
    DropGpsRecordingJournals(*again.GetMapModel());
    EXPECT_FALSE(std::filesystem::exists(std::string(journal)));
    again.DestroyWindow();
}

TEST_F(GpsRecording, ARecordingGivenUpIsNotOfferedAgain)
{
    ASSERT_TRUE(Connect(Gga(50, 5, 8)));
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(peer.Send(Gga(50 + i * 1e-4, 5 + i * 1e-4, 8)));
    PollUntilNodes(3);
    const CString journal = CGpsRecordingJournal::PathFor(Layer()->GetFilePath());
    CMUIMap again;
    ASSERT_NO_FATAL_FAILURE(EndUnsavedAndOpenAgain(journal, again));
    {
        ModalRecorder no({IDNO});
        EXPECT_EQ(OfferGpsRecordings(again), 1);
    }
    EXPECT_EQ(again.GetMapModel()->GetLayerAt(0)->GetPointObjects().GetCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::string(journal)));
    ModalRecorder none;
    EXPECT_EQ(OfferGpsRecordings(again), 0);
    again.DestroyWindow();
}

// The window never waits for the receiver: whether it is silent or sends ten
// fixes a second, the reader holds the link's lock only to hand lines over,
// never across a read (the platform counts every wait of a worker under a
// lock), so each poll of the window takes the lines at once.
TEST_F(GpsRecording, TheWindowNeverWaitsForASilentOrA10HzReceiver)
{
    ASSERT_TRUE(Connect(Gga(10, 20, 6)));
    const unsigned long long before = AfxWorkerWaitsUnderLock();
    for (int i = 0; i < 20; ++i)   // silent
        Poll(10);
    std::atomic<bool> done{false};
    std::thread tenHertz([&] {
        for (int i = 0; i < 30; ++i) {
            peer.Send(Gga(10 + i * 1e-4, 20 + i * 1e-4, 6));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        done = true;
    });
    for (int i = 0; i < 3000 && !done; ++i)
        Poll(10);
    tenHertz.join();
    PollUntilNodes(29);
    EXPECT_EQ(AfxWorkerWaitsUnderLock() - before, 0u);
    EXPECT_EQ(Nodes().size(), 29u);
}
