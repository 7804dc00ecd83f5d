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

class CViewDataImportDlg : public CDialog {
public:
    // Reads the file at once.
    CViewDataImportDlg(const CString& path, CWnd* pParent = nullptr);

    const std::vector<GpsLogPosition>& GetPositions() const { return m_Positions; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CString m_strPath;
    std::vector<GpsLogPosition> m_Positions;
    CListCtrl m_List;
    CTrackPreview m_Preview;
};
