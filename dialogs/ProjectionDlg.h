// The coordinate-system chooser: the projection catalogue's groups and the
// systems of the chosen group. OK on a system other than the current one puts
// a new system, owned by the caller, into the caller's slot and its code into
// the caller's code and into the preference for new maps; OK on the current
// system, or on one without a definition, ends as if cancelled.
#pragma once

#include "platform/controls/CComboBox.h"
#include "platform/controls/CListBox.h"
#include "platform/dialogs/CDialog.h"

class OGRSpatialReference;

class CProjectionDlg : public CDialog {
    DECLARE_DYNAMIC(CProjectionDlg)

public:
    // `slot` receives the chosen system (the one it held is deleted); `code`
    // holds the current code and receives the chosen one.
    CProjectionDlg(OGRSpatialReference** slot, int* code);

    CComboBox m_cbGroups;
    CListBox m_lbProjections;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnGroupSelected();
    DECLARE_MESSAGE_MAP()

private:
    OGRSpatialReference** m_ppSpatialReference;
    int* m_pCode;
};
