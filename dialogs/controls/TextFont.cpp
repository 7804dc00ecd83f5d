// Text fonts: every change of the description recreates the GDI font, so the
// two never differ.
#include "dialogs/controls/TextFont.h"

#include "platform/gdi/CDC.h"

#include <cstring>
#include <utility>

LOGFONTA CTextFont::DefaultLogFont()
{
    LOGFONTA lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = 18;   // variable pitch, Swiss family
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    return lf;
}

CTextFont::CTextFont() : m_logFont(DefaultLogFont())
{
    Recreate();
}

CTextFont::CTextFont(LPCSTR faceName) : m_logFont(DefaultLogFont())
{
    SetFace(faceName);
    Recreate();
}

CTextFont::CTextFont(LPCSTR faceName, int style, int size) : m_logFont(DefaultLogFont())
{
    SetFace(faceName);
    m_logFont.lfHeight = size & 0xFF;
    m_logFont.lfWeight = (style == STYLE_BOLD || style == STYLE_BOLD_ITALIC) ? FW_BOLD : FW_NORMAL;
    m_logFont.lfItalic = (style == STYLE_ITALIC || style == STYLE_BOLD_ITALIC) ? 1 : 0;
    Recreate();
}

CTextFont::CTextFont(const LOGFONTA& logFont) : m_logFont(logFont)
{
    // A record from elsewhere may lack the terminating zero of its face.
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    Recreate();
}

CTextFont::~CTextFont()
{
    DeleteObject();
}

void CTextFont::SetFace(LPCSTR faceName)
{
    // The face field holds at most 31 bytes and its zero; longer names are cut between characters.
    CString::CopyToField(m_logFont.lfFaceName, LF_FACESIZE, faceName);
}

void CTextFont::Recreate()
{
    DeleteObject();
    CreateFontIndirect(&m_logFont);
}

int CTextFont::SetHeight(int height)
{
    const int previous = std::exchange(m_logFont.lfHeight, height);
    Recreate();
    return previous;
}

int CTextFont::SetWidth(int width)
{
    const int previous = std::exchange(m_logFont.lfWidth, width);
    Recreate();
    return previous;
}

int CTextFont::SetWeight(int weight)
{
    const int previous = std::exchange(m_logFont.lfWeight, weight);
    Recreate();
    return previous;
}

BOOL CTextFont::SetItalic(BOOL italic)
{
    const BOOL previous = IsItalic();
    m_logFont.lfItalic = italic ? 1 : 0;
    Recreate();
    return previous;
}

BOOL CTextFont::SetBold(BOOL bold)
{
    const BOOL previous = IsBold();
    m_logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    Recreate();
    return previous;
}

CString CTextFont::SetFaceName(LPCSTR faceName)
{
    CString previous = GetFaceName();
    SetFace(faceName);
    Recreate();
    return previous;
}

int CTextFont::SetStyle(int style)
{
    const int previous = GetStyle();
    if (style < STYLE_REGULAR || style > STYLE_BOLD_ITALIC)
        return previous;
    m_logFont.lfWeight = (style & STYLE_BOLD) ? FW_BOLD : FW_NORMAL;
    m_logFont.lfItalic = (style & STYLE_ITALIC) ? 1 : 0;
    Recreate();
    return previous;
}

int CTextFont::GetStyle() const
{
    return (IsBold() ? STYLE_BOLD : 0) | (IsItalic() ? STYLE_ITALIC : 0);
}

COLORREF CTextFont::SetTextColor(COLORREF color)
{
    const COLORREF previous = m_textColor;
    m_textColor = color;
    if (m_targetDC)
        m_targetDC->SetTextColor(color);
    return previous;
}
