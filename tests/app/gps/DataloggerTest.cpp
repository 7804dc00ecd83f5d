// The data logger from the GPS Data window, played over a pseudo-terminal
// into a real map window: a download of all records and of one record into
// the layer, the Download dialog's refusals, the settings read, changed and
// written, and a remembered port that no longer answers.
#include "gps/dialogs/DataloggerDownloadDlg.h"
#include "gps/dialogs/DataloggerSettingsDlg.h"
#include "gps/dialogs/GpsDataDlg.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolyline.h"
#include "platform/base/Profile.h"
#include "platform/controls/CComboBox.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"
#include "tests/app/gps/GpsTestSupport.h"
#include "tests/gps/support/LoggerPeer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using testsupport::LoggerPeer;
using testsupport::Nmea;

namespace {
// A download record at raw ddmm.mmmm values.
std::string Record(const char* lat, const char* lon, const char* time = "090507")
{
    return Nmea(std::string("PEMT161,4,1,040307,") + time + ",0,0," + lat + "," + lon + ",545,90,12");
}

class Datalogger : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The window gives a receiver 800 ms to say its first line: 80 ms here,
        // room for the reader thread to start on a loaded machine.
        AfxSetTestClockScale(0.1);
        CGpsDataDlg::s_nPositionGate = CGpsDataDlg::s_nSatelliteGate = 0;
        AfxWriteProfileString("Settings", "AutoSearchCommPort", "");
        const CString path = folder.File("map.kwz");
        ASSERT_NO_FATAL_FAILURE(gpstest::WriteTrackWorkspace(path));
        ASSERT_NO_FATAL_FAILURE(gpstest::ShowInHost(host, map, path));
        AfxTestProcessEvents();
        dlg = std::make_unique<CGpsDataDlg>(&map, CGpsDataDlg::kModeSerial);
        ASSERT_TRUE(dlg->Create());
        dynamic_cast<CComboBox*>(dlg->GetDlgItem(IDC_GPS_PORT))->SetCurSel(4);   // COM5
    }
    void TearDown() override
    {
        logger.Stop();
        dlg.reset();
        map.DestroyWindow();
        host.DestroyWindow();
        AfxWriteProfileString("Settings", "AutoSearchCommPort", "");
        AfxSetTestClockScale(1.0);
    }

    void Click(int id) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool BoxSaid(const char* text)
    {
        for (const auto& box : boxes.Boxes())
            if (box.text == text)
                return true;
        return false;
    }
    // Polls until the box `text` was shown.
    bool RunUntilBox(const char* text)
    {
        for (int i = 0; i < 200 && !BoxSaid(text); ++i)
            AfxTestRunFor(20);
        return BoxSaid(text);
    }
    CMapLayer* Layer() { return map.GetMapModel()->GetLayerAt(0); }
    std::vector<CMapObject*> Nodes() { return gpstest::PointObjects(Layer()); }
    int TrackPoints()
    {
        for (long long id = 0; id <= Layer()->GetMaxID(); ++id) {
            std::unique_ptr<CMapObject> o(Layer()->ReadObject((int)id, FALSE, TRUE));
            if (auto* line = dynamic_cast<CMapPolyline*>(o.get())) {
                line->LoadGeometry();
                return line->GetPointCount();
            }
        }
        return 0;
    }
    bool Sent(const std::string& command)
    {
        const auto all = logger.Commands();
        return std::find(all.begin(), all.end(), command) != all.end();
    }

    testsupport::TempFolder folder{"kvlogger"};
    LoggerPeer logger{"COM5"};
    ModalRecorder boxes{{IDNO}, IDOK};
    DialogAnswerer dialogs{IDCANCEL};
    CWnd host;
    CMUIMap map;
    std::unique_ptr<CGpsDataDlg> dlg;
};
}

TEST_F(Datalogger, DownloadOfAllRecordsBecomesNodesAndATrack)
{
    logger.Answer("$PEMT161,0*26", {Nmea("PEMT161,0,3")});
    // The records, with the receiver's own output in between (not a record).
    logger.Answer(Nmea("PEMT161,4,1,3", false), {Record("4807.0380", "01131.0000"), "$GPGGA,000000*00\r\n",
                                                 Record("4807.0400", "01131.0030", "090508"),
                                                 Record("4807.0420", "01131.0060", "090509")});
    logger.Start(30);
    CString shownCount;
    dialogs.Then([&](CWnd& w) {
        auto& choose = dynamic_cast<CDataloggerDownloadDlg&>(w);
        choose.GetDlgItemText(IDC_DL_RECORD_COUNT, shownCount);
        EXPECT_FALSE(choose.GetDlgItem(IDC_DL_FROM)->IsWindowEnabled());   // "All" is chosen
        return DialogAnswerer::Press(choose, IDOK);
    });
    Click(IDC_GPS_TRINE_DOWNLOAD);
    EXPECT_EQ(shownCount, "3 records found.");
    ASSERT_TRUE(RunUntilBox("Download Complete"));
    EXPECT_FALSE(BoxSaid("No recordes found....."));
    EXPECT_TRUE(Sent("$PSRF201,4*3C"));
    EXPECT_TRUE(Sent(Nmea("PEMT161,4,1,3", false)));
    EXPECT_FALSE(dlg->IsConnected());

    // Every record is a node at its position, north and east, and a vertex.
    const auto nodes = Nodes();
    ASSERT_EQ(nodes.size(), 3u);
    const double lats[] = {48 + 7.038 / 60, 48 + 7.04 / 60, 48 + 7.042 / 60};
    const double lons[] = {11 + 31.0 / 60, 11 + 31.003 / 60, 11 + 31.006 / 60};
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_NEAR(atof(nodes[i]->GetAttributeText(Layer()->FindField("LATITUDE"))), lats[i], 1e-6);
        auto* node = dynamic_cast<CMapNode*>(nodes[i]);
        ASSERT_NE(node, nullptr);
        CDoublePoint expected;   // the fix in the map's system
        ASSERT_TRUE(CGpsFixTransform(*map.GetMapModel()).ToMap(lons[i], lats[i], expected));
        EXPECT_NEAR(node->GetPosition().x, expected.x, std::fabs(expected.x) * 1e-7);
        EXPECT_NEAR(node->GetPosition().y, expected.y, std::fabs(expected.y) * 1e-7);
    }
    EXPECT_EQ(nodes[2]->GetAttributeText(Layer()->FindField("TIME")), "09:05:09");
    EXPECT_EQ(TrackPoints(), 3);
}

TEST_F(Datalogger, OneRecordRangeIsKeptAfterTheDialogRefusedBadNumbers)
{
    logger.Answer("$PEMT161,0*26", {Nmea("PEMT161,0,9")});
    logger.Answer(Nmea("PEMT161,4,1,1", false), {Record("4807.0380", "01131.0000")});
    logger.Start(30);
    dialogs.Then([&](CWnd& w) {
        auto& choose = dynamic_cast<CDataloggerDownloadDlg&>(w);
        auto* type = dynamic_cast<CComboBox*>(choose.GetDlgItem(IDC_DL_TYPE));
        type->SetCurSel(1);
        choose.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DL_TYPE, CBN_SELCHANGE), (LPARAM)type->m_hWnd);
        EXPECT_TRUE(choose.GetDlgItem(IDC_DL_FROM)->IsWindowEnabled());
        EXPECT_FALSE(choose.GetDlgItem(IDC_DL_AFTER)->IsWindowEnabled());
        const std::pair<const char*, const char*> refused[] = {{"0", "1"}, {"1", "10"}, {"3", "2"}};
        for (const auto& [from, to] : refused) {
            choose.SetDlgItemText(IDC_DL_FROM, from);
            choose.SetDlgItemText(IDC_DL_TO, to);
            choose.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            EXPECT_TRUE(choose.ContinueModal()) << from << ".." << to;
        }
        choose.SetDlgItemText(IDC_DL_FROM, "1");
        choose.SetDlgItemText(IDC_DL_TO, "1");
        return DialogAnswerer::Press(choose, IDOK);
    });
    Click(IDC_GPS_TRINE_DOWNLOAD);
    ASSERT_TRUE(RunUntilBox("Download Complete"));
    EXPECT_TRUE(BoxSaid("Minimum Record Number: 1"));
    EXPECT_TRUE(BoxSaid("Maximum 9 records!"));
    EXPECT_TRUE(BoxSaid("FROM is greater than TO"));
    EXPECT_FALSE(BoxSaid("No recordes found....."));
    EXPECT_EQ(Nodes().size(), 1u);
}

TEST_F(Datalogger, SettingsAreReadChangedAndWritten)
{
    AfxWriteProfileString("Settings", "AutoSearchCommPort", "COM5");
    logger.Answer("$PEMT160,4,0*3F", {Nmea("PEMT160,4,0,30,0")});
    logger.Start(30);
    dialogs.Then([&](CWnd& w) {
        auto& settings = dynamic_cast<CDataloggerSettingsDlg&>(w);
        CString elapse;
        settings.GetDlgItemText(IDC_DL_ELAPSE, elapse);
        EXPECT_EQ(elapse, "30");
        EXPECT_TRUE(settings.IsDlgButtonChecked(IDC_DL_DISABLE_MOVEMENT));
        EXPECT_FALSE(settings.GetDlgItem(IDC_DL_MOVEMENT)->IsWindowEnabled());
        settings.CheckDlgButton(IDC_DL_DISABLE_MOVEMENT, BST_UNCHECKED);
        settings.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DL_DISABLE_MOVEMENT, BN_CLICKED), 0);
        EXPECT_TRUE(settings.GetDlgItem(IDC_DL_MOVEMENT)->IsWindowEnabled());
        settings.SetDlgItemText(IDC_DL_MOVEMENT, "65536");
        settings.CheckDlgButton(IDC_DL_ERASE, BST_CHECKED);
        return DialogAnswerer::Press(settings, IDOK);
    });
    Click(IDC_GPS_TRINE_SETTINGS);
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    // The erase was answered No: nothing erased, the changed settings written.
    EXPECT_TRUE(BoxSaid("All data in the datalogger will be deleted. Are you sure you want to do this?"));
    for (int i = 0; i < 100 && !Sent(Nmea("PEMT160,4,1,30,65536", false)); ++i)
        AfxTestRunFor(10);
    EXPECT_TRUE(Sent(Nmea("PEMT160,4,1,30,65536", false)));
    EXPECT_FALSE(Sent("$PEMT161,8*2E"));
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());
    CString status;
    dlg->GetDlgItemText(IDC_GPS_STATUS, status);
    EXPECT_EQ(status, "Ready");
}

TEST_F(Datalogger, RememberedPortThatIsSilentIsForgotten)
{
    AfxWriteProfileString("Settings", "AutoSearchCommPort", "COM5");
    Click(IDC_GPS_TRINE_SETTINGS);
    EXPECT_TRUE(BoxSaid("The Trine Datalogger could not be auto-detected."));
    EXPECT_EQ(AfxGetProfileString("Settings", "AutoSearchCommPort", "?"), "");
    EXPECT_TRUE(dialogs.Dialogs().empty());
}

TEST_F(Datalogger, RecordsSouthAndWestStayThereAndEmptyPositionsPlaceNothing)
{
    logger.Answer("$PEMT161,0*26", {Nmea("PEMT161,0,4")});
    // The logger signs its positions; a record without one still counts.
    logger.Answer(Nmea("PEMT161,4,1,4", false),
                  {Record("-3351.6060", "-07039.0060"), Record("", "", "090508"),
                   Record("-3351.6080", "-07039.0090", "090509"), Record("-3351.6100", "-07039.0120", "090510")});
    logger.Start(30);
    dialogs.Then([&](CWnd& w) { return DialogAnswerer::Press(w, IDOK); });
    Click(IDC_GPS_TRINE_DOWNLOAD);
    ASSERT_TRUE(RunUntilBox("Download Complete"));
    const auto nodes = Nodes();
    ASSERT_EQ(nodes.size(), 3u);
    const double lats[] = {-(33 + 51.606 / 60), -(33 + 51.608 / 60), -(33 + 51.61 / 60)};
    const double lons[] = {-(70 + 39.006 / 60), -(70 + 39.009 / 60), -(70 + 39.012 / 60)};
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_NEAR(atof(nodes[i]->GetAttributeText(Layer()->FindField("LATITUDE"))), lats[i], 1e-6);
        EXPECT_NEAR(atof(nodes[i]->GetAttributeText(Layer()->FindField("LONGITUDE"))), lons[i], 1e-6);
    }
    EXPECT_EQ(TrackPoints(), 3);
}

TEST_F(Datalogger, ClosingTheWindowWhileTheLoggerIsAskedWaitsForTheHandler)
{
    // The logger never answers the count: the window is closed during the wait.
    logger.Start(30);
    dlg->PostMessage(WM_CLOSE);
    Click(IDC_GPS_TRINE_DOWNLOAD);
    // The handler returned with the window still there; it closes next.
    EXPECT_TRUE(dialogs.Dialogs().empty());   // no Download dialog for a window that closes
    EXPECT_FALSE(CGpsReceiverLink::GetPort().IsOpen());
    for (int i = 0; i < 3000 && dlg->GetSafeHwnd(); ++i)
        AfxTestRunFor(10);
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(Nodes().empty());
}
