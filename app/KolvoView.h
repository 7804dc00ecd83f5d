// The application's view: hosts the document's map window (control 200) over
// its whole client area and follows the map window's notifications: the
// pointer's position goes to the status bar, the selected object's attributes
// to the info tool window, layer changes to the document's other views.
#pragma once

#include "platform/frames/CView.h"
#include "platform/wnd/Messages.h"

#include <memory>

class CGpsDataDlg;
class CKolvoDoc;
class CMUIMap;

class CKolvoView : public CView {
    DECLARE_DYNCREATE(CKolvoView)
public:
    static constexpr UINT kMapWindowId = 200;
    // Posted when the map opened or a layer was loaded: the view offers back the
    // GPS recordings the program did not live to save (GpsRecovery.h).
    static constexpr UINT kOfferRecordingsMessage = WM_APP + 0x4750;

    CKolvoView();
    ~CKolvoView() override;

    CKolvoDoc* GetDocument() const;
    CMUIMap* GetMapWindow() const;
    // The GPS Data window this view opened last, or null.
    CGpsDataDlg* GetGpsDataDlg() const { return m_pGpsDataDlg.get(); }

protected:
    void OnDraw(CDC* pDC) override {}
    // The whole map fits the window once the frame has its size.
    void OnInitialUpdate() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnMapNotify(NMHDR* pNotifyStruct, LRESULT* pResult);
    afx_msg void OnNewWindow() {}
    // Help Topics opens the English manual.
    afx_msg void OnHelpTopics();
    // Serial Port Conn... and Emtac Trine Conn...: the GPS Data window in its
    // serial or Bluetooth mode, one per view.
    afx_msg void OnGpsSerial();
    afx_msg void OnGpsTrine();
    // GPS data log: a log file's positions in the View Data Import dialog.
    afx_msg void OnImportGpsDataLog();
    // Draw layer from GPS datalogger: the document draws a log into the map.
    afx_msg void OnDrawLayerFromGpsLog();
    afx_msg LRESULT OnOfferRecordings(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void OpenGpsDataDlg(int mode);

    std::unique_ptr<CGpsDataDlg> m_pGpsDataDlg;
};
