// The "Fill" page: the brush of its sheet's style (pattern, foreground and
// background colour, background switch). Writes the style only at OK.
#pragma once

#include "dialogs/controls/UiDropColorButton.h"
#include "platform/controls/CComboBoxEx.h"
#include "platform/controls/CImageList.h"
#include "platform/dialogs/CPropertyPage.h"

class CMUIPropertyFillPage : public CPropertyPage {
    DECLARE_DYNCREATE(CMUIPropertyFillPage)
public:
    CMUIPropertyFillPage();

    CComboBoxEx m_patternList;
    CUiDropColorButton m_foreground;
    CUiDropColorButton m_background;
    int m_nPattern = -1;
    BOOL m_bBackground = FALSE;
    COLORREF m_brushColor = 0;
    COLORREF m_bkColor = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    CImageList m_images;
};
