// "Text Properties": the text, font, colours, frame and background switches,
// anchor and angle of one or several text objects. With one text it shows that
// text's values; with several it starts blank and OK applies the entered values
// to all. The style edited is the one each text is drawn with.
#pragma once

#include "dialogs/TextPropertiesBase.h"

#include <vector>

class CMapText;

class CTextPropertiesDlg : public CTextPropertiesBase {
public:
    CTextPropertiesDlg(const std::vector<CMapText*>& texts, CWnd* parent = nullptr);

    // One text only: whether OK changed its text, switches, colours, position,
    // angle or font from what the dialog opened with.
    BOOL IsModified() const;
    // The font's height as the dialog shows it: the text's size in pixels at the map's zoom.
    LONG GetShownFontHeight() const { return m_font.lfHeight; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    afx_msg void OnFont();
    DECLARE_MESSAGE_MAP()

private:
    // Map units per pixel of the first text's map; 1 without one.
    double Zoom() const;

    std::vector<CMapText*> m_texts;
    struct Opening {
        CString text;
        BOOL line = FALSE, background = FALSE;
        COLORREF lineColor = 0, background_color = 0, foreground = 0;
        double x = 0, y = 0;
        int angle = 0;
    } m_opening;
};
