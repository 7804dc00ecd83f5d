// The "Node" page: the symbol of its sheet's style (font face, style and size,
// character, colour). The 256 characters are listed in the chosen font.
#pragma once

#include "dialogs/controls/FontNameCombo.h"
#include "dialogs/controls/UiDropColorButton.h"
#include "platform/controls/CComboBox.h"
#include "platform/dialogs/CPropertyPage.h"

#include <memory>

class CTextFont;

class CMUIPropertyNodePage : public CPropertyPage {
    DECLARE_DYNCREATE(CMUIPropertyNodePage)
public:
    CMUIPropertyNodePage();
    ~CMUIPropertyNodePage() override;

    // The style's symbol group as the page found it.
    struct Symbol {
        LOGFONTW font;
        COLORREF color;
        WCHAR character;
    };
    const Symbol& GetSymbol() const { return m_symbol; }
    // The font the symbol list is drawn in.
    const CTextFont* GetSymbolFont() const { return m_symbolFont.get(); }

    CFontNameCombo m_fontCombo;
    CUiDropColorButton m_colorButton;
    CComboBox m_symbolList;
    int m_nChar = 0;
    int m_nFontName = -1;
    int m_nStyle = -1;
    CString m_strSize;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnFontNameChanged();
    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void RefreshSymbolFont();

    Symbol m_symbol;
    std::unique_ptr<CTextFont> m_symbolFont;
};
