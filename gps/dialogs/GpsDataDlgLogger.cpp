// The data logger's side of the GPS Data window: finding its port, connecting
// to it as a receiver, downloading its records into the map, and its settings.
#include "gps/dialogs/GpsDataDlg.h"

#include "gps/dialogs/DataloggerDownloadDlg.h"
#include "gps/dialogs/DataloggerSettingsDlg.h"
#include "gps/nmea/NmeaFieldList.h"

#include "platform/base/Profile.h"
#include "platform/controls/CAnimateCtrl.h"
#include "resources/resource.h"

#include <cstdlib>

namespace {
const char kNotFound[] = "AUTOTRINE_NOTFOUND";

// "hhmmss" as "hh:mm:ss"; "ddmmyy" as "yy:mm:dd" read backwards (characters 5-6, 3-4, 1-2).
CString Clock(const CString& field)
{
    return field.Mid(0, 2) + ":" + field.Mid(2, 2) + ":" + field.Mid(4, 2);
}
CString Calendar(const CString& field)
{
    return field.Mid(4, 2) + ":" + field.Mid(2, 2) + ":" + field.Mid(0, 2);
}
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
    m_bDownload = FALSE;
    const CString port = FindLoggerPort();
    SetStatus("Ready");
    if (port == kNotFound) {
        ::MessageBox(GetSafeHwnd(), "The Trine Datalogger could not be auto-detected.", "Trine Datalogger not found",
                     MB_OK);
        return;
    }
    if (!m_Link.OpenPort(port, 4800)) {
        ::MessageBox(GetSafeHwnd(), "Could not open COM Port to Trine!!", "COM Port Error", MB_OK);
        SetStatus("Ready");
        return;
    }
    if (!AwaitReceiver(port) || !ChooseGpsLayer())
        return;
    EnableItem(IDC_GPS_CLOSE_PORT, TRUE);
    for (int id : {IDC_GPS_TRINE, IDC_GPS_CLOSE, IDC_GPS_TRINE_DOWNLOAD})
        EnableItem(id, FALSE);
    SetTimer(kTimerId, 1000);
    m_bTimerProcessing = TRUE;
    UpdateData(FALSE);
}

void CGpsDataDlg::OnDownloadTrineData()
{
    m_nRecordCounter = 0;
    m_bTimerProcessing = FALSE;
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
    CDataloggerDownloadDlg choose(this, count);
    if (choose.DoModal() != IDOK) {
        m_Link.ClosePort();
        SetStatus("Ready");
        return;
    }
    if (!ChooseGpsLayer())
        return;
    for (int id : {IDC_GPS_TRINE, IDC_GPS_OPEN_PORT, IDC_GPS_TRINE_DOWNLOAD, IDC_GPS_CLOSE})
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
        const CNmeaFieldList record(lines[i] + "\r\n");
        const CString type = record.GetField(1);
        if (record.GetSentenceName() != "$PEMT161" ||
            (type != "4" && type != "5" && type != "6" && type != "7"))
            continue;   // the receiver's own sentences, arriving meanwhile
        ++m_nRecordCounter;
        const double rawLat = atof(record.GetField(7));
        const double rawLon = atof(record.GetField(8));
        m_strLatitude.Format("%.4f", NmeaToDegrees(rawLat));
        m_strLongitude.Format("%.4f", NmeaToDegrees(rawLon));
        m_strUtcTime = Clock(record.GetField(4));
        m_strDate = Calendar(record.GetField(3));
        m_dSpeedKmh = atof(record.GetField(11));
        m_dTrueCourse = atof(record.GetField(10));
        m_dAltitude = atof(record.GetField(9));
        m_strLocalTime = CTime::GetCurrentTime().Format("%H:%M:%S");
        s_nPositionGate = s_nSatelliteGate = 1;
        // The logger's records carry no hemisphere: north and east.
        m_dFixLat = NmeaToDegrees(rawLat);
        m_dFixLon = NmeaToDegrees(rawLon);
        m_bHaveFix = true;
        UpdateData(FALSE);
        if (m_bConnected && m_dFixLat != m_dLastLat && m_dFixLon != m_dLastLon && !RecordFix()) {
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
    const CString port = FindLoggerPort();
    if (port == kNotFound) {
        ::MessageBox(GetSafeHwnd(), "The Trine Datalogger could not be auto-detected.", "Trine Datalogger not found",
                     MB_OK);
        SetStatus("Ready");
        return;
    }
    SetStatus("Receiver connected to " + port);
    if (!m_Link.OpenPort(port, 4800)) {
        ::MessageBox(GetSafeHwnd(), "Could not open COM Port to Trine!!", "COM Port Error", MB_OK);
        SetStatus("Ready");
        return;
    }
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
    if (settings.DoModal() == IDOK) {
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
