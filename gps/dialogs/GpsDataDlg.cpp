// The GPS Data window: connecting, the once-a-second poll of the line queue,
// the display, and the recording of fixes into the map.
#include "gps/dialogs/GpsDataDlg.h"

#include "gps/recording/GpsLayerRecording.h"
#include "gps/nmea/NmeaFix.h"
#include "gps/nmea/NmeaParser.h"

#include "core/DoublePoint.h"
#include "core/MapField.h"
#include "core/MapStyle.h"
#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapNotify.h"
#include "model/layers/MapObject.h"
#include "model/polygons/MapPolyline.h"
#include "model/layers/MapWindowLink.h"
#include "platform/controls/CComboBox.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/frames/CWinApp.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <algorithm>
#include <climits>
#include <cmath>

int CGpsDataDlg::s_nPositionGate = 0;
int CGpsDataDlg::s_nSatelliteGate = 0;

double NmeaToDegrees(double raw)
{
    CNmeaLatitude value;
    value.m_dValue = raw;
    return value.DecimalDegrees();
}

BEGIN_MESSAGE_MAP(CGpsDataDlg, CDialog)
    ON_BN_CLICKED(IDC_GPS_OPEN_PORT, OnOpenPort)
    ON_BN_CLICKED(IDC_GPS_CLOSE_PORT, OnClosePort)
    ON_BN_CLICKED(IDC_GPS_CLOSE, OnCloseButton)
    ON_BN_CLICKED(IDC_GPS_TRINE, OnConnectTrine)
    ON_BN_CLICKED(IDC_GPS_TRINE_DOWNLOAD, OnDownloadTrineData)
    ON_BN_CLICKED(IDC_GPS_TRINE_SETTINGS, OnDataloggerSettings)
    ON_WM_TIMER()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CGpsDataDlg::CGpsDataDlg(CMapWindowLink* map, int mode) : CDialog(IDD_GPS_DATA, nullptr), m_pMap(map), m_nMode(mode)
{
}

namespace {
// Polls in a row without a line after which a connected receiver counts as silent.
constexpr int kSilentPolls = 5;
}

CGpsDataDlg::~CGpsDataDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
    m_Link.ClosePort();
}

CGpsDataDlg::CBusyScope::~CBusyScope()
{
    // The close asked for while the handler waited, now that nothing of the
    // window is on the stack any more.
    if (--m_dlg.m_nBusy == 0 && m_dlg.m_bCloseWhenIdle && m_dlg.GetSafeHwnd())
        m_dlg.PostMessage(WM_CLOSE);
}

void CGpsDataDlg::CloseWhenIdle()
{
    m_bCloseWhenIdle = TRUE;
    m_Link.AbandonExchanges();
    if (!IsBusy() && GetSafeHwnd())
        PostMessage(WM_CLOSE);
}

BOOL CGpsDataDlg::Create()
{
    return CDialog::Create(IDD_GPS_DATA, nullptr);
}

void CGpsDataDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GPS_UTC_TIME, m_strUtcTime);
    DDX_Text(pDX, IDC_GPS_LOCAL_TIME, m_strLocalTime);
    DDX_Text(pDX, IDC_GPS_DATE, m_strDate);
    DDX_Text(pDX, IDC_GPS_LATITUDE, m_strLatitude);
    DDX_Text(pDX, IDC_GPS_LONGITUDE, m_strLongitude);
    DDX_Text(pDX, IDC_GPS_ALTITUDE, m_dAltitude);
    DDX_Text(pDX, IDC_GPS_SPEED_KNOTS, m_dSpeedKnots);
    DDX_Text(pDX, IDC_GPS_SPEED_KMH, m_dSpeedKmh);
    DDX_Text(pDX, IDC_GPS_TRUE_COURSE, m_dTrueCourse);
    DDX_Text(pDX, IDC_GPS_VARIATION, m_strVariation);
    DDX_Text(pDX, IDC_GPS_STATION, m_nStation);
    DDX_Text(pDX, IDC_GPS_SATELLITES, m_nSatellites);
    DDX_Text(pDX, IDC_GPS_STATUS, m_strStatus);
}

void CGpsDataDlg::ShowItem(int id, BOOL show)
{
    if (CWnd* w = GetDlgItem(id))
        w->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CGpsDataDlg::EnableItem(int id, BOOL enable)
{
    if (CWnd* w = GetDlgItem(id))
        w->EnableWindow(enable);
}

BOOL CGpsDataDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWinApp* app = AfxGetApp())
        SetIcon(app->LoadIcon(IDR_MAINFRAME), TRUE);
    if (m_nMode == kModeSerial) {
        if (auto* port = dynamic_cast<CComboBox*>(GetDlgItem(IDC_GPS_PORT)))
            port->SetCurSel(0);
        if (auto* rate = dynamic_cast<CComboBox*>(GetDlgItem(IDC_GPS_BAUD_RATE)))
            rate->SetCurSel(2);
        ShowItem(IDC_GPS_TRINE, FALSE);
    } else {
        for (int id : {IDC_GPS_OPEN_PORT, IDC_GPS_PORT, IDC_GPS_BAUD_RATE, IDC_GPS_BAUD_LABEL})
            ShowItem(id, FALSE);
        ShowItem(IDC_GPS_TRINE, TRUE);
    }
    EnableItem(IDC_GPS_CLOSE_PORT, FALSE);
    ShowItem(IDC_GPS_ANIMATION, FALSE);
    UpdateWindow();
    return TRUE;
}

void CGpsDataDlg::SetStatus(const CString& text)
{
    m_strStatus = text;
    SetDlgItemText(IDC_GPS_STATUS, text);
}

// ---------------------------------------------------------------- connecting
void CGpsDataDlg::GetChosenPort(CString& port, DWORD& rate)
{
    CString rateText;
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_GPS_PORT)); combo && combo->GetCurSel() >= 0)
        combo->GetLBText(combo->GetCurSel(), port);
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_GPS_BAUD_RATE)); combo && combo->GetCurSel() >= 0)
        combo->GetLBText(combo->GetCurSel(), rateText);
    rate = (DWORD)strtoul(rateText, nullptr, 10);
}

bool CGpsDataDlg::PortIsFree()
{
    CString held;
    if (!m_Link.IsPortHeldElsewhere(&held))
        return true;
    ::MessageBox(GetSafeHwnd(), held + " is in use by another GPS Data window. Close its port first.", "Error",
                 MB_OK | MB_ICONEXCLAMATION);
    SetStatus("Ready");
    return false;
}

bool CGpsDataDlg::OpenLinkPort(const CString& port, DWORD rate, const char* failure, const char* caption)
{
    if (!PortIsFree())
        return false;
    m_Link.ResumeExchanges();
    if (m_Link.OpenPort(port, rate)) {
        m_strPort = port;
        return true;
    }
    ::MessageBox(GetSafeHwnd(), failure, caption, MB_OK);
    SetStatus("Ready");
    return false;
}

void CGpsDataDlg::OnOpenPort()
{
    CBusyScope busy(*this);
    m_bDownload = FALSE;
    CString port;
    DWORD rate = 0;
    GetChosenPort(port, rate);
    if (!OpenLinkPort(port, rate))
        return;
    if (!AwaitReceiver(port))
        return;
    if (!ChooseGpsLayer())
        return;
    EnableItem(IDC_GPS_CLOSE_PORT, TRUE);
    for (int id : {IDC_GPS_OPEN_PORT, IDC_GPS_PORT, IDC_GPS_BAUD_RATE, IDC_GPS_CLOSE, IDC_GPS_TRINE_DOWNLOAD,
                   IDC_GPS_TRINE_SETTINGS})
        EnableItem(id, FALSE);
    SetStatus("Receiver connected to " + port);
    m_nSilentPolls = 0;
    SetTimer(kTimerId, 1000);
    m_bTimerProcessing = TRUE;
    UpdateData(FALSE);
}

bool CGpsDataDlg::AwaitReceiver(const CString& port)
{
    m_Link.StartReader();
    m_Link.SendSirfInit();
    bool connected = false;
    for (int i = 0; i < 4 && !connected; ++i) {
        Sleep(200);
        CStringArray lines;
        m_Link.CopyLines(lines, TRUE);
        connected = lines.GetSize() > 0;
    }
    if (!connected) {
        m_Link.ClosePort();
        AfxMessageBox("Receiver is not connected to " + port, MB_OK);
        SetStatus("Ready");
        return false;
    }
    SetStatus("Receiver connected to " + port);
    UpdateData(FALSE);
    return true;
}

bool CGpsDataDlg::ChooseGpsLayer()
{
    if (!m_pMap->GetActiveMapLayer() || AfxMessageBox("Do you want new layer?", MB_YESNO) == IDYES) {
        if (!CreateTrackLayer()) {
            m_Link.ClosePort();
            SetStatus("Ready");
            return false;
        }
    }
    m_pGpsLayer = m_pMap->GetActiveMapLayer();
    if (!m_pGpsLayer) {
        m_Link.ClosePort();
        SetStatus("Ready");
        return false;
    }
    PrepareGpsLayer();
    m_pMap->NotifyParent(MAPA_LAYER_BUILT, m_pGpsLayer, 0);
    StartRecording();
    return true;
}

int CGpsDataDlg::CreateTrackLayer()
{
    return m_pMap->CreateNamedLayer() ? 1 : 0;
}

void CGpsDataDlg::PrepareGpsLayer()
{
    const CString error = PrepareGpsLayerFields(m_pGpsLayer);
    if (!error.IsEmpty())
        AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
}

void CGpsDataDlg::StartRecording()
{
    m_bTrackStarted = FALSE;
    m_bHaveFix = false;
    m_pTrack = std::make_unique<CMapPolyline>();
    m_pTransform = std::make_unique<CGpsFixTransform>(*m_pMap->GetMapModel());
    m_bConnected = TRUE;
    // Without a journal the recording goes on, unprotected as it always was.
    m_Journal.Open(*m_pGpsLayer, *m_pMap->GetMapModel());
}

// ---------------------------------------------------------------- the poll
void CGpsDataDlg::OnTimer(UINT_PTR id)
{
    // The messages this handler dispatches may hold further timer messages:
    // those are not handled inside it (the next poll takes their lines).
    if (m_bInTimer)
        return;
    CBusyScope busy(*this);
    m_bInTimer = TRUE;
    if (id == kTimerId && m_bTimerProcessing) {
        const BOOL lost = m_Link.HasLostReceiver();
        CStringArray lines;
        m_Link.CopyLines(lines, TRUE);
        ProcessLines(lines);
        if (lost && m_bConnected) {
            OnReceiverLost();
        } else if (m_bConnected && !m_bDownload) {
            if (lines.GetSize() > 0) {
                if (m_nSilentPolls >= kSilentPolls)
                    SetStatus("Receiver connected to " + m_strPort);
                m_nSilentPolls = 0;
            } else if (++m_nSilentPolls == kSilentPolls) {
                SetStatus("No data from the receiver on " + m_strPort);
            }
        }
    }
    PumpMessages();
    m_bInTimer = FALSE;
}

void CGpsDataDlg::OnReceiverLost()
{
    // The lines the reader queued before it ended have been processed: the
    // recording ends with every fix it had.
    OnClosePort();
    SetStatus("Receiver lost on " + m_strPort + ": the recording so far is kept. Open the port again to go on.");
    UpdateData(FALSE);
}

void CGpsDataDlg::TakeFix(const CNmeaFix& fix, const CTime& time)
{
    m_dFixLat = fix.latitude;
    m_dFixLon = fix.longitude;
    m_bHaveFix = true;
    s_nPositionGate = 1;
    m_strLatitude.Format("%.4f  %s", std::fabs(fix.latitude), fix.latitude < 0 ? "S" : "N");
    m_strLongitude.Format("%.4f %s", std::fabs(fix.longitude), fix.longitude < 0 ? "W" : "E");
    // The sentence's clock and date are UTC.
    m_strUtcTime = time.FormatGmt("%H:%M:%S");
    m_strDate = time.FormatGmt("%d/%m/%Y");
}

void CGpsDataDlg::ProcessLines(CStringArray& lines)
{
    if (m_bDownload)
        return ProcessRecords(lines);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        if (lines[i].IsEmpty())
            continue;
        const CString line = lines[i] + "\r\n";
        m_strLocalTime = CTime::GetCurrentTime().Format("%H:%M:%S");
        CNmeaParser parser;
        parser.SetSentence(line);
        if (!parser.Parse())
            continue;
        const CString& mnemonic = parser.ParsedMnemonic;
        // A position or a time that cannot be is shown and recorded as none.
        CNmeaFix fix;
        const bool known = NmeaFixOf(parser, fix) == NmeaFixKind::kFix;
        if (mnemonic == "GGA") {
            if (known) {
                TakeFix(fix, parser.GGA.m_Time);
                m_dAltitude = parser.GGA.m_Altitude;
                m_nSatellites = (short)std::clamp(parser.GGA.m_SatellitesUsed, -32768, 32767);
                m_nStation = parser.GGA.m_DgpsStation;
                s_nSatelliteGate = parser.GGA.m_SatellitesUsed > 3 ? 1 : 0;
            }
        } else if (mnemonic == "GLL") {
            if (known)
                TakeFix(fix, parser.GLL.m_Time);
        } else if (mnemonic == "GSA" || mnemonic == "GSV") {
            s_nPositionGate = 0;
        } else if (mnemonic == "RMC") {
            if (known) {
                TakeFix(fix, parser.RMC.m_Time);
                m_dSpeedKnots = parser.RMC.m_SpeedKnots;
                m_dTrueCourse = parser.RMC.m_CourseTrue;
                const int side = parser.RMC.m_VariationSide;
                if (side == 0)
                    m_strVariation = "UNKNOWN";
                else if (side == 1 || side == 2)
                    m_strVariation.Format("%f %s", parser.RMC.m_Variation, side == 1 ? "E" : "W");
                else
                    m_strVariation = "N/A";
            }
        } else if (mnemonic == "VTG") {
            s_nPositionGate = 0;
            m_dSpeedKnots = parser.VTG.m_SpeedKnots;
            m_dSpeedKmh = parser.VTG.m_SpeedKmh;
            m_dTrueCourse = parser.VTG.m_CourseTrue;
            m_strVariation.Format("%f", parser.VTG.m_CourseMagnetic);
        }
        if (m_bConnected && m_bHaveFix && m_dFixLat != m_dLastLat && m_dFixLon != m_dLastLon && s_nPositionGate &&
            s_nSatelliteGate) {
            if (!RecordFix()) {
                UpdateData(FALSE);
                return;
            }
        }
        UpdateData(FALSE);
    }
}

// ---------------------------------------------------------------- recording
bool CGpsDataDlg::RecordFix()
{
    CMapModel* model = m_pMap->GetMapModel();
    CDoublePoint at;
    if (!m_pTransform || !m_pTransform->ToMap(m_dFixLon, m_dFixLat, at))
        return true;   // a fix the map's system cannot hold is shown, not recorded
    if (!m_bTrackStarted) {
        m_dLastLat = m_dFirstLat = m_dFixLat;
        m_dLastLon = m_dFirstLon = m_dFixLon;
        CRect client;
        m_pMap->GetLinkWindow()->GetClientRect(&client);
        m_nClientWidth = client.Width();
        m_nClientHeight = client.Height();
        const double zoom = m_pTransform->FirstZoomAt(m_dFixLon, m_dFixLat);
        model->SetZoom(zoom);
        // The fix at the centre of the window.
        m_pMap->SetViewOrigin(at.x - m_nClientWidth / 2 * zoom, at.y - m_nClientHeight / 2 * zoom);
        const CDoublePoint pixel = MapToDeviceXY(at.x, at.y, model->GetXOffset(), model->GetYOffset(), zoom,
                                                 m_nClientHeight);
        m_LastPixelX = std::llround(pixel.x);
        m_LastPixelY = std::llround(pixel.y);
        m_pMap->InvalidateMap(nullptr, FALSE);
        m_TrackExtent = CDoubleRect(at.x, at.y, at.x, at.y);
        m_bTrackStarted = TRUE;
        // A live receiver's first fix only places the view; a downloaded
        // record is stored data, and the first one is kept as every other.
        if (!m_bDownload)
            return true;
        m_LastPixelX = m_LastPixelY = LLONG_MIN;
    }
    m_TrackExtent.left = std::min(m_TrackExtent.left, at.x);
    m_TrackExtent.right = std::max(m_TrackExtent.right, at.x);
    m_TrackExtent.bottom = std::min(m_TrackExtent.bottom, at.y);
    m_TrackExtent.top = std::max(m_TrackExtent.top, at.y);

    const int height = model->GetViewHeight() > 0 ? model->GetViewHeight() : m_nClientHeight;
    const CDoublePoint pixel = MapToDeviceXY(at.x, at.y, model->GetXOffset(), model->GetYOffset(), model->GetZoom(),
                                             height);
    if (!std::isfinite(pixel.x) || !std::isfinite(pixel.y))
        return true;
    const long long px = std::llround(std::clamp(pixel.x, -9e18, 9e18));
    const long long py = std::llround(std::clamp(pixel.y, -9e18, 9e18));
    if (px == m_LastPixelX && py == m_LastPixelY)
        return true;

    CMapObject* node = m_pMap->PlaceNodeAt(at.x, at.y, nullptr);
    m_pTrack->AddDoublePoint(at.x, at.y);
    m_pMap->SetModified(1);
    const CPoint device = MapToDevicePoint(at.x, at.y, model->GetXOffset(), model->GetYOffset(), model->GetZoom(),
                                           height);
    {
        CClientDC dc(m_pMap->GetLinkWindow());
        dc.PatBlt(device.x - 2, device.y - 2, 7, 7, PATINVERT);
    }
    if (!node)
        return false;
    CString satellites;
    satellites.Format("%i", (int)m_nSatellites);
    const CString error = StoreGpsNode(*m_pMap, node, m_dFixLat, m_dFixLon, satellites, m_strUtcTime);
    if (!error.IsEmpty())
        SetStatus(error);
    else if (m_pGpsLayer)
        m_Journal.Append(*m_pGpsLayer, m_dFixLat, m_dFixLon, satellites, m_strUtcTime);
    m_dLastLat = m_dFixLat;
    m_dLastLon = m_dFixLon;
    m_LastPixelX = px;
    m_LastPixelY = py;
    ReleaseCapture();
    return true;
}

void CGpsDataDlg::FinishTrack()
{
    CMapModel* model = m_pMap->GetMapModel();
    CMapLayer* target = m_pMap->GetActiveMapLayer();
    if (!target && m_pGpsLayer && model->GetLayerIndex(m_pGpsLayer) >= 0)
        target = m_pGpsLayer;
    if (m_pTrack && m_pTrack->GetPointCount() >= 1 && target) {
        try {
            target->AddObject(m_pTrack.get(), TRUE);
            m_pMap->InvalidateObject(m_pTrack.get());
            m_pMap->NotifyParent(MAPA_OBJECT_ADDED, m_pTrack.get(), 0);
            m_pMap->SetModified(1);
        } catch (const CSQLiteException& e) {
            AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        }
    }
    m_pTrack.reset();
    m_pTransform.reset();
    // The journal stays beside the layer until the map is saved or closed.
    m_Journal.Close();
    if (m_bTrackStarted && m_nClientHeight > 0) {
        const double span = std::max(m_TrackExtent.right - m_TrackExtent.left, m_TrackExtent.top - m_TrackExtent.bottom);
        if (span != 0) {
            model->SetZoom(span / m_nClientHeight);
            model->SetXOffset(m_TrackExtent.left);
            model->SetYOffset(m_TrackExtent.bottom);
            model->UpdateViewRect(m_TrackExtent.left, m_TrackExtent.bottom);
            if (target)
                target->RecalcBounds();
        }
    }
    m_pMap->InvalidateMap(nullptr, TRUE);
}

void CGpsDataDlg::OnClosePort()
{
    CBusyScope busy(*this);
    m_Link.ClosePort();
    KillTimer(kTimerId);
    m_bTimerProcessing = FALSE;
    SetStatus("Ready");
    if (m_bConnected) {
        m_bConnected = FALSE;
        FinishTrack();
    }
    EnableItem(IDC_GPS_CLOSE_PORT, FALSE);
    for (int id : {IDC_GPS_OPEN_PORT, IDC_GPS_PORT, IDC_GPS_BAUD_RATE, IDC_GPS_CLOSE, IDC_GPS_TRINE,
                   IDC_GPS_TRINE_DOWNLOAD, IDC_GPS_TRINE_SETTINGS})
        EnableItem(id, TRUE);
    ClearDisplay();
    UpdateData(FALSE);
}

void CGpsDataDlg::ClearDisplay()
{
    m_strUtcTime.Empty();
    m_strLocalTime.Empty();
    m_strDate.Empty();
    m_strLatitude.Empty();
    m_strLongitude.Empty();
    m_strVariation.Empty();
    m_dAltitude = m_dSpeedKnots = m_dSpeedKmh = m_dTrueCourse = 0;
    m_nStation = 0;
    m_nSatellites = 0;
}

// ---------------------------------------------------------------- closing
BOOL CGpsDataDlg::DestroyWindow()
{
    // A handler of the window is waiting (and dispatching messages): it ends
    // its wait, and the window closes once it has returned.
    if (IsBusy() && GetSafeHwnd()) {
        CloseWhenIdle();
        return FALSE;
    }
    m_bCloseWhenIdle = FALSE;
    // A recording in progress ends as Close Port ends it: the track is kept.
    if (m_bConnected && GetSafeHwnd())
        OnClosePort();
    m_Link.ClosePort();
    return CDialog::DestroyWindow();
}

void CGpsDataDlg::OnOK()
{
    UpdateData(TRUE);
}

void CGpsDataDlg::OnCancel()
{
    DestroyWindow();
}

void CGpsDataDlg::OnCloseButton()
{
    OnOK();
    DestroyWindow();
}

void CGpsDataDlg::OnClose()
{
    DestroyWindow();
}
