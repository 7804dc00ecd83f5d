// The modeless "GPS Data" window: connects a receiver, shows what it reports,
// and records its positions into a layer of the map window that opened it,
// each new fix as a node stored at once and as a vertex of one track that joins
// the layer when the port closes (or the window closes while recording).
//
// Positions keep their hemisphere and are transformed into the map's system;
// a node lies at its fix, not at the pixel the fix falls on. Times are UTC. Each
// recorded fix also goes to the recording's journal (GpsRecordingJournal.h), so
// that a recording survives the program's end before the map was saved.
//
// A receiver that is unplugged is reported ("Receiver lost on COMn"), its
// recording kept as Close Port keeps it, and the port can be opened again; one
// that falls silent is reported while it is silent. While a handler waits for
// the receiver or the data logger (its fixed waits dispatch messages), a
// request to close the window ends the wait and closes the window once the
// handler has returned; the view asks IsBusy before it lets its map close.
#pragma once

#include "gps/recording/GpsFixTransform.h"
#include "gps/recording/GpsRecordingJournal.h"
#include "gps/link/GpsReceiverLink.h"
#include "gps/nmea/NmeaFix.h"

#include "core/DoubleRect.h"
#include "platform/dialogs/CDialog.h"

#include <memory>

class CMapLayer;
class CMapPolyline;
class CMapWindowLink;

// Decimal degrees of a raw ddmm.mmmm value, without sign.
double NmeaToDegrees(double raw);

class CGpsDataDlg : public CDialog {
public:
    enum { kModeSerial = 0, kModeBluetooth = 1 };
    static constexpr UINT_PTR kTimerId = 101;

    CGpsDataDlg(CMapWindowLink* map, int mode);
    ~CGpsDataDlg() override;

    // The window from template 130, without a parent.
    BOOL Create();
    // Finishes a recording (as Close Port does), then destroys the window.
    BOOL DestroyWindow() override;

    // The lines of one poll, in order (public for the data logger's records).
    void ProcessLines(CStringArray& lines);
    // The layer-name dialog, then a new layer; 1 when one was made.
    int CreateTrackLayer();
    // The port on which the data logger answers: the remembered one (profile
    // "Settings", "AutoSearchCommPort") if it still answers, else, when none
    // was remembered, the first that the probe finds; "AUTOTRINE_NOTFOUND".
    CString FindLoggerPort();

    BOOL IsConnected() const { return m_bConnected; }
    // Whether a handler of the window runs (it may be waiting for the device
    // and dispatching messages meanwhile): the window must not be deleted now.
    BOOL IsBusy() const { return m_nBusy > 0; }
    // Ends the wait under way and closes the window once its handler returns.
    void CloseWhenIdle();
    CGpsReceiverLink& GetLink() { return m_Link; }
    CMapLayer* GetGpsLayer() const { return m_pGpsLayer; }
    const CMapPolyline* GetTrack() const { return m_pTrack.get(); }

    // 1 when the last parsed sentence carried a usable position; 1 when the last
    // GGA reported more than 3 satellites. Process-wide, as several windows share one receiver.
    static int s_nPositionGate;
    static int s_nSatelliteGate;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnOpenPort();
    afx_msg void OnClosePort();
    afx_msg void OnCloseButton();
    afx_msg void OnConnectTrine();
    afx_msg void OnDownloadTrineData();
    afx_msg void OnDataloggerSettings();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    // Marks a handler of the window as running for its scope (IsBusy).
    class CBusyScope {
    public:
        explicit CBusyScope(CGpsDataDlg& dlg) : m_dlg(dlg) { ++m_dlg.m_nBusy; }
        ~CBusyScope();
        CBusyScope(const CBusyScope&) = delete;
        CBusyScope& operator=(const CBusyScope&) = delete;

    private:
        CGpsDataDlg& m_dlg;
    };

    // Shows or enables the control `id`, when the template has it.
    void ShowItem(int id, BOOL show);
    void EnableItem(int id, BOOL enable);
    // The port and the rate chosen in the window's lists; an empty port and
    // rate 0 for a list with nothing chosen.
    void GetChosenPort(CString& port, DWORD& rate);
    // Opens the link; false, the user told and the status back to "Ready",
    // when the port cannot be opened or another GPS Data window holds it.
    bool OpenLinkPort(const CString& port, DWORD rate, const char* failure = "Could not open COM Port!!",
                      const char* caption = "Error");
    // Told when another GPS Data window holds the port; true when none does.
    bool PortIsFree();
    // After a receiver was lost: the recording ends as Close Port ends it, and
    // the user is told.
    void OnReceiverLost();
    // After the port opened: the reader, the initialisation lines and up to
    // four polls for a first line; false (port closed, user told) on silence.
    bool AwaitReceiver(const CString& port);
    // Chooses and prepares the GPS layer and starts a track; false (port
    // closed) when the user gave no layer.
    bool ChooseGpsLayer();
    // The download branch of ProcessLines.
    void ProcessRecords(CStringArray& lines);
    // Field-update steps of a connection.
    void PrepareGpsLayer();
    void StartRecording();
    // Records the current fix; false when the rest of the batch is to be dropped.
    bool RecordFix();
    void FinishTrack();
    void ClearDisplay();
    void SetStatus(const CString& text);
    // Shows a parsed fix and makes it the current one.
    void TakeFix(const CNmeaFix& fix, const CTime& time);

    CMapWindowLink* m_pMap;
    int m_nMode;
    CGpsReceiverLink m_Link;
    BOOL m_bConnected = FALSE;
    BOOL m_bTimerProcessing = FALSE;
    CString m_strPort;             // of the connection
    int m_nBusy = 0;               // handlers running (CBusyScope)
    BOOL m_bCloseWhenIdle = FALSE;
    BOOL m_bInTimer = FALSE;       // the timer's handler runs: a timer message it dispatches is not handled again
    int m_nSilentPolls = 0;        // polls in a row that brought no line

    // Display values.
    CString m_strUtcTime, m_strLocalTime, m_strDate, m_strLatitude, m_strLongitude, m_strVariation;
    double m_dAltitude = 0, m_dSpeedKnots = 0, m_dSpeedKmh = 0, m_dTrueCourse = 0;
    int m_nStation = 0;
    short m_nSatellites = 0;
    CString m_strStatus = "Ready";

public:
    // The data logger's download state.
    BOOL m_bDownload = FALSE;
    int m_nTotalRecords = 0;
    int m_nRecordCounter = 0;

private:
    CMapLayer* m_pGpsLayer = nullptr;
    std::unique_ptr<CMapPolyline> m_pTrack;
    std::unique_ptr<CGpsFixTransform> m_pTransform;
    BOOL m_bTrackStarted = FALSE;
    // The current fix, set by GGA, GLL and RMC; valid from the first of them.
    bool m_bHaveFix = false;
    double m_dFixLat = 0, m_dFixLon = 0;   // signed decimal degrees
    double m_dLastLat = 0, m_dLastLon = 0; // of the last recorded fix
    double m_dFirstLat = 0, m_dFirstLon = 0;
    long long m_LastPixelX = 0, m_LastPixelY = 0;
    CDoubleRect m_TrackExtent;   // map units
    int m_nClientWidth = 0, m_nClientHeight = 0;
    CGpsRecordingJournal m_Journal;
};
