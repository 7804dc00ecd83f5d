// The "Fonts" page of the preferences: the five window fonts. The user picks a
// category, then its face, size and style, and sees a sample; OK and Apply
// change the five fonts in place, so every window that uses one gets the new
// font the next time it asks for it.
#pragma once

#include "dialogs/controls/FontNameCombo.h"
#include "dialogs/controls/FontSizeCombo.h"
#include "platform/controls/CListBox.h"
#include "platform/dialogs/CPropertyPage.h"

class CTextFont;

class CPrefFontPage : public CPropertyPage {
    DECLARE_DYNCREATE(CPrefFontPage)
public:
    CPrefFontPage();

    struct Entry {
        CString category;
        CString face;
        int height = 0; // the font's lfHeight
        int style = 0;  // 0 regular, 1 bold, 2 italic, 3 bold italic
    };
    static constexpr int kCategories = 5;
    const Entry& GetEntry(int i) const { return m_entries[i]; }
    // Where the sample is drawn, in page pixels.
    static CRect SampleRect() { return CRect(200, 160, 320, 200); }

    BOOL OnInitDialog() override;
    void OnOK() override;

    CFontSizeCombo m_sizeCombo;
    CFontNameCombo m_faceCombo;
    CListBox m_categoryList;
    int m_nStyle = -1;
    int m_nCategory = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnCategorySelected();
    afx_msg void OnFaceSelected();
    afx_msg void OnStyleSelected();
    afx_msg void OnSizeNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnResetAll();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    static CTextFont** FontOf(int i);

    Entry m_entries[kCategories];
    CString m_strEmpty;
    CString m_strSample = "ABCDabcd";
};
