// The "Fill property" dialog of the Layer Control: fill with a predefined set of
// colours or with random colours, and the set itself (added with the colour
// dialog, removed, loaded from and saved to colour-set files). The set belongs
// to the dialog object and survives its closing; each OK replaces it.
#pragma once

#include "dialogs/controls/ColorListBox.h"
#include "platform/dialogs/CDialog.h"

#include <vector>

class CFillPropertyDlg : public CDialog {
    DECLARE_DYNAMIC(CFillPropertyDlg)

public:
    enum { kPredefined = 0, kRandom = 1 };

    explicit CFillPropertyDlg(CWnd* parent = nullptr);

    // The set confirmed by the last OK; null with a count of 0 when it is empty.
    const COLORREF* GetColors() const { return m_Colors.empty() ? nullptr : m_Colors.data(); }
    int GetColorCount() const { return (int)m_Colors.size(); }

    CColorListBox m_lbColors;
    int m_nFillChoice = kPredefined;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAdd();
    afx_msg void OnRemove();
    afx_msg void OnLoad();
    afx_msg void OnSave();
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<COLORREF> m_Colors;
};
