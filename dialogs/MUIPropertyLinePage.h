// The "Line" page: the pen of its sheet's style (dash style, width, colour).
// The arrow controls are shown, enabled for a line object, and edit nothing.
#pragma once

#include "dialogs/controls/UiDropColorButton.h"
#include "platform/controls/CComboBoxEx.h"
#include "platform/controls/CImageList.h"
#include "platform/dialogs/CPropertyPage.h"

class CMUIPropertyLinePage : public CPropertyPage {
    DECLARE_DYNCREATE(CMUIPropertyLinePage)
public:
    CMUIPropertyLinePage();

    CComboBoxEx m_dashList;
    CUiDropColorButton m_colorButton;
    COLORREF m_color = 0;
    int m_nDash = -1;
    CString m_strWidth;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CImageList m_images;
};
