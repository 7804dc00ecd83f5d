// The "View Data Import" dialog (25402): the positions of a GPS log file as a
// list of their raw values and as a white track on black. It changes nothing.
#pragma once

#include "gps/dialogs/GpsLog.h"

#include "platform/controls/CEdit.h"
#include "platform/controls/CListCtrl.h"
#include "platform/dialogs/CDialog.h"

#include <vector>

// The preview: an edit control that paints the track of its parent's
// positions, east to the right and north up, the larger of the two spans
// filling the smaller side of the control. Clicks do nothing.
class CTrackPreview : public CEdit {
public:
    void SetPositions(const std::vector<GpsLogPosition>* positions) { m_pPositions = positions; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {}
    DECLARE_MESSAGE_MAP()

private:
    const std::vector<GpsLogPosition>* m_pPositions = nullptr;
};

// The list holds no rows of its own (owner data): it asks for the texts of the
// rows it shows, so a log of millions of positions opens at once.
class CViewDataImportDlg : public CDialog {
public:
    // Reads the file at once, telling `progress` how far it got; a progress
    // that cancels leaves the dialog incomplete.
    CViewDataImportDlg(const CString& path, CWnd* pParent = nullptr, const GpsLogProgress& progress = {});

    const std::vector<GpsLogPosition>& GetPositions() const { return m_Positions; }
    // False when the file could not be read to its end.
    BOOL IsComplete() const { return m_bComplete; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnGetDispInfo(NMHDR* pNotifyStruct, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strPath;
    std::vector<GpsLogPosition> m_Positions;
    BOOL m_bComplete = FALSE;
    CListCtrl m_List;
    CTrackPreview m_Preview;
};
