// The "New Object" page of the preferences: the style every new map object
// gets (fill, line and node symbol), with a live sample of a polygon, a line and
// a node. The page edits a style of its own and copies it into the "New Object"
// globals at OK; its four colour buttons are also bound to their globals
// directly, so a colour chosen stays even when the sheet is cancelled.
#pragma once

#include "dialogs/controls/FontNameCombo.h"
#include "dialogs/controls/FontSizeCombo.h"
#include "dialogs/controls/UiDropColorButton.h"
#include "platform/base/CRect.h"
#include "platform/controls/CComboBoxEx.h"
#include "platform/controls/CImageList.h"
#include "platform/dialogs/CPropertyPage.h"

#include <memory>

class CMapStyle;
class CTextFont;

class CPrefDefaultPropertyPage : public CPropertyPage {
    DECLARE_DYNCREATE(CPrefDefaultPropertyPage)
public:
    CPrefDefaultPropertyPage();
    ~CPrefDefaultPropertyPage() override;

    const CMapStyle& GetPageStyle() const { return *m_pStyle; }
    const CTextFont* GetSymbolFont() const { return m_symbolFont.get(); }
    // The sample area, in page pixels.
    static CRect SampleRect() { return CRect(220, 120, 400, 200); }

    BOOL OnInitDialog() override;
    void OnOK() override;

    CFontSizeCombo m_widthCombo;
    CFontSizeCombo m_sizeCombo;
    CFontNameCombo m_fontCombo;
    CComboBox m_symbolCombo;
    CComboBoxEx m_dashList;
    CComboBoxEx m_patternList;
    CUiDropColorButton m_bkColorButton;   // 25023
    CUiDropColorButton m_brushColorButton; // 25024
    CUiDropColorButton m_symbolColorButton; // 25083
    CUiDropColorButton m_penColorButton;   // 25063
    CString m_strWidth;
    CString m_strSize;
    BOOL m_bBackground = FALSE;
    int m_nPattern = -1;
    int m_nDash = -1;
    int m_nFont = -1;
    int m_nSymbol = -1;
    int m_nFontStyle = -1;
    int m_nBeginArrow = 0;
    int m_nEndArrow = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPatternChanged();
    afx_msg void OnBackgroundClicked();
    afx_msg void OnDashChanged();
    afx_msg void OnFontChanged();
    afx_msg void OnFontStyleChanged();
    afx_msg void OnSymbolChanged();
    afx_msg void OnWidthNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSizeNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam);
    afx_msg void OnResetAll();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void RefreshSymbolFont();
    void ShowStyle();
    void RepaintSample() { InvalidateRect(SampleRect()); }
    static CString ComboText(CFontSizeCombo& combo, NMHDR* header);

    std::unique_ptr<CMapStyle> m_pStyle;
    CImageList m_patternImages;
    CImageList m_dashImages;
    std::unique_ptr<CTextFont> m_symbolFont;
};
