// The data logger's side of the GPS Data window: finding its port, connecting
// to it as a receiver, downloading its records into the map, and its settings.
#include "gps/dialogs/GpsDataDlg.h"

#include "gps/dialogs/DataloggerDownloadDlg.h"
#include "gps/dialogs/DataloggerSettingsDlg.h"
#include "gps/dialogs/LoggerRecord.h"

#include "platform/base/Profile.h"
#include "platform/controls/CAnimateCtrl.h"
#include "resources/resource.h"

#include <cstdlib>

namespace {
const char kNotFound[] = "AUTOTRINE_NOTFOUND";
}

CString CGpsDataDlg::FindLoggerPort()
{
    auto* animation = dynamic_cast<CAnimateCtrl*>(GetDlgItem(IDC_GPS_ANIMATION));
    if (animation) {
        animation->Open(IDR_GPS_SEARCH_ANIMATION);
        animation->Play(0, (UINT)-1, (UINT)-1);
        animation->ShowWindow(SW_SHOW);
    }
    SetStatus("Searching Communication Ports...");
    UpdateWindow();
    auto endAnimation = [&] {
        if (animation) {
            animation->Stop();
            animation->Close();
            animation->ShowWindow(SW_HIDE);
        }
    };

    const CString remembered = AfxGetProfileString("Settings", "AutoSearchCommPort", "");
    if (!remembered.IsEmpty()) {
        bool answered = false;
        if (m_Link.OpenPort(remembered, 4800)) {
            m_Link.StartReader();
            Sleep(1000);
            CStringArray lines;
            m_Link.CopyLines(lines, TRUE);   // what came before is not an answer
            Sleep(1000);
            m_Link.CopyLines(lines, TRUE);
            answered = lines.GetSize() > 0;
            m_Link.ClosePort();
        }
        endAnimation();
        if (answered)
            return remembered;
        AfxWriteProfileString("Settings", "AutoSearchCommPort", "");
        return kNotFound;
    }
    const CString found = m_Link.AutoDetectPort();
    endAnimation();
    AfxWriteProfileString("Settings", "AutoSearchCommPort", found == kNotFound ? "" : found.GetString());
    return found;
}

void CGpsDataDlg::OnConnectTrine()
{
    CBusyScope busy(*this);
    m_bDownload = FALSE;
    if (!PortIsFree())
        return;
    const CString port = FindLoggerPort();
    SetStatus("Ready");
    if (port == kNotFound) {
        ::MessageBox(GetSafeHwnd(), "The Trine Datalogger could not be auto-detected.", "Trine Datalogger not found",
                     MB_OK);
        return;
    }
    if (!OpenLinkPort(port, 4800, "Could not open COM Port to Trine!!", "COM Port Error"))
        return;
    if (!AwaitReceiver(port) || !ChooseGpsLayer())
        return;
    EnableItem(IDC_GPS_CLOSE_PORT, TRUE);
    for (int id : {IDC_GPS_TRINE, IDC_GPS_CLOSE, IDC_GPS_TRINE_DOWNLOAD, IDC_GPS_TRINE_SETTINGS})
        EnableItem(id, FALSE);
    m_nSilentPolls = 0;
    SetTimer(kTimerId, 1000);
    m_bTimerProcessing = TRUE;
    UpdateData(FALSE);
}

void CGpsDataDlg::OnDownloadTrineData()
{
    CBusyScope busy(*this);
    m_nRecordCounter = 0;
    m_bTimerProcessing = FALSE;
    if (!PortIsFree())
        return;
    CString port;
    DWORD rate = 4800;
    if (m_nMode == kModeSerial) {
        GetChosenPort(port, rate);
    } else {
        port = FindLoggerPort();
        SetStatus("Ready");
        if (port == kNotFound) {
            ::MessageBox(GetSafeHwnd(), "The Trine Datalogger could not be auto-detected.",
                         "Trine Datalogger not found", MB_OK);
            return;
        }
    }
    if (!OpenLinkPort(port, rate))
        return;
    if (!AwaitReceiver(port))
        return;
    Sleep(1000);
    SetStatus("Receiver connected to " + port);

    const int count = m_Link.GetRecordCount("");
    if (m_bCloseWhenIdle) {
        m_Link.ClosePort();   // the window is to close: no dialog, no layer
        return;
    }
    CDataloggerDownloadDlg choose(this, count);
    if (choose.DoModal() != IDOK || m_bCloseWhenIdle) {
        m_Link.ClosePort();
        SetStatus("Ready");
        return;
    }
    if (!ChooseGpsLayer())
        return;
    for (int id : {IDC_GPS_TRINE, IDC_GPS_OPEN_PORT, IDC_GPS_TRINE_DOWNLOAD, IDC_GPS_CLOSE, IDC_GPS_TRINE_SETTINGS})
        EnableItem(id, FALSE);
    EnableItem(IDC_GPS_CLOSE_PORT, TRUE);

    m_nTotalRecords = m_Link.TriggerDownload(choose.GetRequest());
    if (m_nTotalRecords < 0) {
        OnClosePort();
        AfxMessageBox("Unable to find records! Try again...", MB_OK);
    } else {
        m_bDownload = TRUE;
        SetTimer(kTimerId, 1000);
        m_bTimerProcessing = TRUE;
    }
    SetStatus("Receiver connected to " + port);
    UpdateData(FALSE);
}

void CGpsDataDlg::ProcessRecords(CStringArray& lines)
{
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        if (lines[i].IsEmpty())
            continue;
        // A download of exactly one record is a download, not "no records".
        if (m_nTotalRecords == 0) {
            OnClosePort();
            AfxMessageBox("No recordes found.....", MB_OK);
            m_bDownload = FALSE;
            return;
        }
        if (m_nTotalRecords < 0)
            continue;
        LoggerRecord record;
        if (!ReadLoggerRecord(lines[i], record))
            continue;   // the receiver's own sentences, arriving meanwhile
        ++m_nRecordCounter;
        m_strLatitude.Format("%.4f", record.latitude);
        m_strLongitude.Format("%.4f", record.longitude);
        m_strUtcTime = record.clock;
        m_strDate = record.date;
        m_dSpeedKmh = record.speedKmh;
        m_dTrueCourse = record.course;
        m_dAltitude = record.altitude;
        m_strLocalTime = CTime::GetCurrentTime().Format("%H:%M:%S");
        s_nPositionGate = s_nSatelliteGate = 1;
        m_dFixLat = record.latitude;
        m_dFixLon = record.longitude;
        m_bHaveFix = true;
        UpdateData(FALSE);
        if (record.placed && m_bConnected && m_dFixLat != m_dLastLat && m_dFixLon != m_dLastLon && !RecordFix()) {
            UpdateData(FALSE);
            return;
        }
        CString status;
        status.Format("Total Record: %d \tRecord Number: %d", m_nTotalRecords, m_nRecordCounter);
        SetStatus(status);
        UpdateData(FALSE);
        if (m_nRecordCounter == m_nTotalRecords) {
            OnClosePort();
            AfxMessageBox("Download Complete", MB_OK);
            m_bDownload = FALSE;
            return;
        }
    }
}

void CGpsDataDlg::OnDataloggerSettings()
{
    CBusyScope busy(*this);
    // The port that records is not taken from under the recording.
    if (m_bConnected || !PortIsFree())
        return;
    const CString port = FindLoggerPort();
    if (port == kNotFound) {
        ::MessageBox(GetSafeHwnd(), "The Trine Datalogger could not be auto-detected.", "Trine Datalogger not found",
                     MB_OK);
        SetStatus("Ready");
        return;
    }
    SetStatus("Receiver connected to " + port);
    if (!OpenLinkPort(port, 4800, "Could not open COM Port to Trine!!", "COM Port Error"))
        return;
    m_Link.StartReader();
    CDataloggerSettingsDlg settings;
    int elapse = 0, movement = 0;
    const bool read = m_Link.ReadLoggerSettings(elapse, movement) != 0;
    if (read) {
        settings.m_bDisableElapse = elapse == 0;
        if (elapse)
            settings.m_strElapse.Format("%d", elapse);
        settings.m_bDisableMovement = movement == 0;
        if (movement)
            settings.m_strMovement.Format("%d", movement);
    } else {
        ::MessageBox(GetSafeHwnd(),
                     "Current data accumulation settings could not be obtained from the datalogger. Make sure your "
                     "GPS device has a datalogger and it is enabled and try again!\r\n\r\nYou may still attempt to "
                     "set the datalogger in the next dialog.",
                     "Datalogger settings not found", MB_OK | MB_ICONINFORMATION);
    }
    if (!m_bCloseWhenIdle && settings.DoModal() == IDOK && !m_bCloseWhenIdle) {
        const int newElapse = settings.m_bDisableElapse ? 0 : atoi(settings.m_strElapse);
        const int newMovement = settings.m_bDisableMovement ? 0 : atoi(settings.m_strMovement);
        if (settings.m_bErase)
            m_Link.EraseLogger();
        if (!read || newElapse != elapse || newMovement != movement) {
            if (!m_Link.WriteLoggerSettings(newElapse, newMovement))
                ::MessageBox(GetSafeHwnd(), "There was an error setting the datalogger's data accumulator.",
                             "Error: Datalogger", MB_OK | MB_ICONHAND);
        }
    }
    m_Link.ClosePort();
    SetStatus("Ready");
    UpdateData(FALSE);
}
