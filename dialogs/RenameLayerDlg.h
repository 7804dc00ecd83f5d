// The layer-name dialog: renames a layer, or, started with an empty name, names
// a new one (its title then reads "Add new layer"). It closes with OK only on a
// name that is not empty; the caller reads m_strName after OK.
#pragma once

#include "platform/controls/CEdit.h"
#include "platform/dialogs/CDialog.h"

class CRenameLayerDlg : public CDialog {
    DECLARE_DYNAMIC(CRenameLayerDlg)

public:
    CRenameLayerDlg(const CString& name, CWnd* parent = nullptr);

    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CEdit m_edName;
};
