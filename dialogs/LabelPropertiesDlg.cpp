// Label Properties.
#include "dialogs/LabelPropertiesDlg.h"

#include "core/MapLabel.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "platform/dialogs/CommonDialogs.h"
#include "resources/resource.h"

namespace {

const CTextPropertiesBase::ControlIds kIds = {
    IDC_LABELPROP_TEXT,       IDC_LABELPROP_FONT,       IDC_LABELPROP_X,          IDC_LABELPROP_Y,
    IDC_LABELPROP_ANGLE,      IDC_LABELPROP_LINE,       IDC_LABELPROP_LINE_COLOR, IDC_LABELPROP_FOREGROUND,
    IDC_LABELPROP_BACKGROUND, IDC_LABELPROP_BACKGROUND_COLOR,
};

} // namespace

BEGIN_MESSAGE_MAP(CLabelPropertiesDlg, CTextPropertiesBase)
    ON_BN_CLICKED(IDC_LABELPROP_FONT, OnFont)
END_MESSAGE_MAP()

CLabelPropertiesDlg::CLabelPropertiesDlg(const std::vector<CMapLabel*>& labels, CWnd* parent)
    : CTextPropertiesBase(IDD_LABEL_PROPERTIES, kIds, parent), m_labels(labels)
{
}

BOOL CLabelPropertiesDlg::OnInitDialog()
{
    CTextPropertiesBase::OnInitDialog();
    for (int id : {IDC_LABELPROP_X, IDC_LABELPROP_Y, IDC_LABELPROP_ANGLE})
        if (g_DialogWindowFont && GetDlgItem(id))
            GetDlgItem(id)->SetFont(g_DialogWindowFont);
    if (m_labels.empty())
        return TRUE;
    if (m_labels.size() > 1) {
        EmptyPositionEdits();
        return TRUE;
    }
    const CMapLabel* label = m_labels.front();
    const CFloatPoint anchor = label->GetAnchor();
    m_font = label->GetLogFontA();
    SetPreviewFont(m_font, m_font.lfHeight);
    m_strText = label->GetText();
    m_bLine = label->GetShowLine() != 0;
    m_line = label->GetLineColor();
    m_bBackground = label->GetBackground() != 0;
    m_background = label->GetBackColor();
    m_foreground = label->GetTextColor();
    m_nAngle = label->GetRotation();
    m_x = anchor.x;
    m_y = anchor.y;
    UpdateData(FALSE);
    ShowColors();
    return TRUE;
}

void CLabelPropertiesDlg::OnFont()
{
    LOGFONTA chosen = m_font;
    CFontDialog dialog(&chosen, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&m_font);
    SetPreviewFont(m_font, m_font.lfHeight);
    m_bFontChanged = TRUE;
}

void CLabelPropertiesDlg::OnOK()
{
    ReadColors();
    if (!UpdateData(TRUE))
        return;
    for (CMapLabel* label : m_labels) {
        if (!m_strText.IsEmpty())
            label->SetText(m_strText);
        if (m_bFontChanged)
            label->SetLogFontA(m_font);
        label->SetShowLine(m_bLine);
        label->SetLineColor(m_line);
        label->SetBackground(m_bBackground);
        label->SetTextColor(m_foreground);
        label->SetBackColor(m_background);
        label->SetAnchor(CFloatPoint((float)m_x, (float)m_y));
        label->SetRotation(m_nAngle * 10, FALSE);
        label->SetModified(true);
        label->SetTextModified(true);
        label->Save();
    }
    EndDialog(IDOK);
}
