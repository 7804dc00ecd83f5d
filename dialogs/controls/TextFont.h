// A font that keeps its own description, so that face, height, weight and italic
// can be changed one at a time. The GDI font always matches the description: every
// change deletes it and creates it again.
#pragma once

#include "platform/gdi/GdiObjects.h"

class CDC;

class CTextFont : public CFont {
public:
    // Style codes of the font values the preferences store.
    enum { STYLE_REGULAR = 0, STYLE_BOLD = 1, STYLE_ITALIC = 2, STYLE_BOLD_ITALIC = 3 };

    CTextFont();
    explicit CTextFont(LPCSTR faceName);
    // `size` is the character height; only its low byte is used, as the profile's font
    // values have always been read. A style outside 0-3 gives a regular font.
    CTextFont(LPCSTR faceName, int style, int size);
    explicit CTextFont(const LOGFONTA& logFont);
    ~CTextFont() override;

    // Each setter recreates the font and returns the previous value.
    int SetHeight(int height);
    int SetWidth(int width);
    int SetWeight(int weight);
    BOOL SetItalic(BOOL italic);
    BOOL SetBold(BOOL bold);          // the previous value is whether the weight was at least 500
    CString SetFaceName(LPCSTR faceName);
    // Codes outside 0-3 change nothing; returns the previous style code.
    int SetStyle(int style);

    int GetStyle() const;
    int GetHeight() const { return m_logFont.lfHeight; }
    CString GetFaceName() const { return CString(m_logFont.lfFaceName); }
    BOOL IsBold() const { return m_logFont.lfWeight >= FW_MEDIUM; }
    BOOL IsItalic() const { return m_logFont.lfItalic != 0; }

    // Stored, and applied to the target device context when there is one.
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    void SetTargetDC(CDC* dc) { m_targetDC = dc; }

private:
    static LOGFONTA DefaultLogFont();
    void SetFace(LPCSTR faceName);
    void Recreate();

    LOGFONTA m_logFont;
    COLORREF m_textColor = 0;
    CDC* m_targetDC = nullptr;
};
