// Text Properties. The text's size lives in map units; the dialog shows it in
// pixels at the map's zoom and writes a size back only when the user chose a
// font, so that opening and confirming never changes a size by rounding, and
// several texts, which start with no font at all, keep their own sizes.
#include "dialogs/TextPropertiesDlg.h"

#include "core/MapStyle.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapText.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <cmath>
#include <cstring>

namespace {

const CTextPropertiesBase::ControlIds kIds = {
    IDC_TEXTPROP_TEXT,       IDC_TEXTPROP_FONT,       IDC_TEXTPROP_X,          IDC_TEXTPROP_Y,
    IDC_TEXTPROP_ANGLE,      IDC_TEXTPROP_LINE,       IDC_TEXTPROP_LINE_COLOR, IDC_TEXTPROP_FOREGROUND,
    IDC_TEXTPROP_BACKGROUND, IDC_TEXTPROP_BACKGROUND_COLOR,
};

} // namespace

BEGIN_MESSAGE_MAP(CTextPropertiesDlg, CTextPropertiesBase)
    ON_BN_CLICKED(IDC_TEXTPROP_FONT, OnFont)
END_MESSAGE_MAP()

CTextPropertiesDlg::CTextPropertiesDlg(const std::vector<CMapText*>& texts, CWnd* parent)
    : CTextPropertiesBase(IDD_TEXT_PROPERTIES, kIds, parent), m_texts(texts)
{
}

double CTextPropertiesDlg::Zoom() const
{
    CMapModel* map = m_texts.empty() ? nullptr : m_texts.front()->GetMap();
    const double zoom = map ? map->GetZoom() : 1.0;
    return zoom > 0 ? zoom : 1.0;
}

BOOL CTextPropertiesDlg::OnInitDialog()
{
    CTextPropertiesBase::OnInitDialog();
    for (int id : {IDC_TEXTPROP_X, IDC_TEXTPROP_Y, IDC_TEXTPROP_ANGLE})
        if (g_DialogWindowFont && GetDlgItem(id))
            GetDlgItem(id)->SetFont(g_DialogWindowFont);
    if (m_texts.empty())
        return TRUE;
    if (m_texts.size() > 1) {
        EmptyPositionEdits();
        return TRUE;
    }
    CMapText* text = m_texts.front();
    CMapStyle* style = text->GetStyle();
    style->SetTextSize((int)text->GetFontSize());
    const CFloatPoint anchor = text->GetAnchor();
    m_font = style->GetTextLogFont();
    m_font.lfHeight = std::max(1L, std::lround(std::fabs((double)style->GetTextSize()) / Zoom()));
    SetPreviewFont(m_font, (LONG)(m_font.lfHeight * 1.5));

    m_strText = text->GetText();
    m_bLine = style->GetTextLine() != 0;
    m_line = style->GetTextLineColor();
    m_bBackground = style->GetTextBackground() != 0;
    m_background = style->GetTextBkColor();
    m_foreground = style->GetTextColor();
    m_nAngle = style->GetTextAngle();
    m_x = anchor.x;
    m_y = anchor.y;
    UpdateData(FALSE);
    ShowColors();
    m_opening = {m_strText, m_bLine, m_bBackground, m_line, m_background, m_foreground, m_x, m_y, m_nAngle};
    EnableEditing(text->GetLayer() ? text->GetLayer()->IsEditable() : TRUE);
    return TRUE;
}

void CTextPropertiesDlg::OnFont()
{
    LOGFONTA chosen = m_font;
    CClientDC dc(this);
    const int ppi = dc.GetDeviceCaps(LOGPIXELSY);
    chosen.lfHeight = (LONG)((long long)m_font.lfHeight * ppi / 72);
    CFontDialog dialog(&chosen, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&chosen);
    chosen.lfHeight = (LONG)((long long)-chosen.lfHeight * 72 / (ppi > 0 ? ppi : 96));
    if (chosen.lfHeight < 0)
        chosen.lfHeight = -chosen.lfHeight;
    // A bolder weight alone is no change of font.
    const bool changed = std::strncmp(chosen.lfFaceName, m_font.lfFaceName, LF_FACESIZE) != 0 ||
                         chosen.lfHeight != m_font.lfHeight || chosen.lfItalic != m_font.lfItalic ||
                         chosen.lfStrikeOut != m_font.lfStrikeOut || chosen.lfUnderline != m_font.lfUnderline ||
                         chosen.lfWidth != m_font.lfWidth;
    m_bFontChanged = changed;
    if (changed) {
        m_font = chosen;
        SetPreviewFont(m_font, (LONG)(m_font.lfHeight * 1.5));
    }
}

void CTextPropertiesDlg::OnOK()
{
    ReadColors();
    if (!UpdateData(TRUE))
        return;
    const double zoom = Zoom();
    for (CMapText* text : m_texts) {
        CMapStyle* style = text->GetStyle();
        if (!m_strText.IsEmpty())
            text->SetText(m_strText);
        if (m_bFontChanged)
            style->SetTextLogFont(m_font);
        style->SetTextLine(m_bLine);
        style->SetTextLineColor(m_line);
        style->SetTextBackground(m_bBackground);
        style->SetTextColor(m_foreground);
        style->SetTextBkColor(m_background);
        text->MoveTo(CFloatPoint((float)m_x, (float)m_y));
        if (m_bFontChanged)
            text->SetFontSize((float)(zoom * m_font.lfHeight));
        style->SetTextAngle(m_nAngle % 3600);
        text->SetRingFlag(TRUE);
    }
    EndDialog(IDOK);
}

BOOL CTextPropertiesDlg::IsModified() const
{
    if (m_texts.size() != 1)
        return FALSE;
    // The anchor is stored as floats: a position that reads back as the same
    // float is no change, whatever digits the edit showed.
    return m_strText != m_opening.text || m_bLine != m_opening.line || m_line != m_opening.lineColor ||
           m_bBackground != m_opening.background || m_background != m_opening.background_color ||
           m_foreground != m_opening.foreground || (float)m_x != (float)m_opening.x ||
           (float)m_y != (float)m_opening.y ||
           m_nAngle != m_opening.angle || m_bFontChanged;
}
