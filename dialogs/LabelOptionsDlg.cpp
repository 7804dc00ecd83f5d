#include "dialogs/LabelOptionsDlg.h"

#include "core/MapLabel.h"
#include "core/MapStyle.h"
#include "core/Settings.h"
#include "dialogs/DialogFont.h"
#include "dialogs/LayerControlDlg.h"
#include "dialogs/controls/UiColorMessages.h"
#include "model/layers/MapLayer.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CLabelOptionsDlg, CDialog)

BEGIN_MESSAGE_MAP(CLabelOptionsDlg, CDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_LABEL_FONT, OnFont)
    ON_BN_CLICKED(IDC_LABEL_LINE, OnSwitch)
    ON_BN_CLICKED(IDC_LABEL_BACKGROUND, OnSwitch)
    ON_MESSAGE(WM_UI_COLORSELECTED, OnColor)
    ON_MESSAGE(WM_UI_COLORCHANGED, OnColor)
END_MESSAGE_MAP()

CLabelOptionsDlg::CLabelOptionsDlg(CLayerControlRow* row, CWnd* parent)
    : CDialog(IDD_LABEL_OPTIONS, parent), m_pRow(row), m_pBlock(&row->m_LabelProperties)
{
}

void CLabelOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LABEL_BACKGROUND_COLOR, m_btnBackground);
    DDX_Control(pDX, IDC_LABEL_FOREGROUND_COLOR, m_btnForeground);
    DDX_Control(pDX, IDC_LABEL_LINE_COLOR, m_btnLine);
    DDX_Control(pDX, IDC_LABEL_FIELD, m_cbField);
    DDX_CBString(pDX, IDC_LABEL_FIELD, m_strField);
    DDX_Text(pDX, IDC_LABEL_OFFSET, m_nOffset);
    DDX_Check(pDX, IDC_LABEL_ROTATE, m_bRotate);
    DDX_Check(pDX, IDC_LABEL_BACKGROUND, m_bBackground);
    DDX_Check(pDX, IDC_LABEL_LINE, m_bLine);
    // Confirmed colours become the defaults of the styles made later.
    DDX_DropColorButton(pDX, IDC_LABEL_BACKGROUND_COLOR, g_DefaultTextBkColor);
    DDX_DropColorButton(pDX, IDC_LABEL_FOREGROUND_COLOR, g_DefaultTextColor);
    COLORREF pen = (COLORREF)g_NewObjectPenColor;
    DDX_DropColorButton(pDX, IDC_LABEL_LINE_COLOR, pen);
    g_NewObjectPenColor = (int)pen;
}

BOOL CLabelOptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDialogWindowFont(m_cbField);
    m_cbField.ResetContent();
    CMapLayer* layer = m_pRow->m_pLayer;
    if (layer) {
        for (POSITION pos = layer->GetFirstFieldPosition(); pos;)
            m_cbField.AddString(layer->GetNextField(pos).GetName());
        m_cbField.SetCurSel(layer->GetLabelFieldIndex());
        if (m_cbField.GetCurSel() >= 0)
            m_cbField.GetLBText(m_cbField.GetCurSel(), m_strField);
    }
    m_bLine = m_pBlock->line != 0;
    m_crLine = m_pBlock->lineColor;
    m_bBackground = m_pBlock->background != 0;
    m_crBackground = m_pBlock->backColor;
    m_crText = m_pBlock->textColor;
    UpdateData(FALSE);
    // The exchange of an empty text picks the first entry; the combo shows the
    // layer's label field, or none, so that OK changes no field unasked.
    m_cbField.SetCurSel(layer ? layer->GetLabelFieldIndex() : -1);
    m_btnLine.SetColor(m_pBlock->lineColor);
    m_btnForeground.SetColor(m_pBlock->textColor);
    m_btnBackground.SetColor(m_pBlock->backColor);
    return TRUE;
}

CRect CLabelOptionsDlg::GetPreviewRect() const
{
    CRect rect;
    if (CWnd* group = GetDlgItem(IDC_LABEL_PREVIEW)) {
        group->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.DeflateRect(10, 10);
    }
    return rect;
}

void CLabelOptionsDlg::RedrawPreview()
{
    const CRect rect = GetPreviewRect();
    InvalidateRect(&rect, TRUE);
}

void CLabelOptionsDlg::OnSwitch() { RedrawPreview(); }

LRESULT CLabelOptionsDlg::OnColor(WPARAM wParam, LPARAM lParam)
{
    const COLORREF color = (COLORREF)wParam;
    switch ((int)lParam) {
    case IDC_LABEL_BACKGROUND_COLOR:
        m_crBackground = color;
        break;
    case IDC_LABEL_FOREGROUND_COLOR:
        m_crText = color;
        break;
    case IDC_LABEL_LINE_COLOR:
        m_crLine = color;
        break;
    default:
        return 0;
    }
    RedrawPreview();
    return 0;
}

void CLabelOptionsDlg::OnFont()
{
    LOGFONTA font{};
    LogFontWToA(m_pBlock->font, font);
    CFontDialog dialog(&font, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    dialog.m_cf.rgbColors = m_pBlock->textColor;
    if (dialog.DoModal() != IDOK)
        return;
    LogFontAToW(dialog.m_lf, m_pBlock->font);
    m_pBlock->textColor = dialog.GetColor();
    m_crText = m_pBlock->textColor;
    m_btnForeground.SetColor(m_crText);
    RedrawPreview();
}

void CLabelOptionsDlg::OnPaint()
{
    CPaintDC dc(this);
    // The switches are read as the boxes show them, without a data exchange:
    // a half-typed offset must not raise its error box from a paint.
    const BOOL line = IsDlgButtonChecked(IDC_LABEL_LINE) == BST_CHECKED;
    const BOOL background = IsDlgButtonChecked(IDC_LABEL_BACKGROUND) == BST_CHECKED;

    const int saved = dc.SaveDC();
    LOGFONTA logFont{};
    LogFontWToA(m_pBlock->font, logFont);
    logFont.lfHeight = 16;
    CFont font;
    font.CreateFontIndirect(&logFont);
    dc.SelectObject(&font);
    dc.SetTextColor(m_crText);
    dc.SetBkMode(TRANSPARENT);
    CPen pen;
    if (line) {
        pen.CreatePen(PS_SOLID, 1, m_crLine);
        dc.SelectObject(&pen);
    } else {
        dc.SelectStockObject(NULL_PEN);
    }
    CBrush brush;
    if (background) {
        brush.CreateSolidBrush(m_crBackground);
        dc.SelectObject(&brush);
    } else {
        dc.SelectStockObject(NULL_BRUSH);
    }
    CString text;
    if (!text.LoadString(IDS_SAMPLE_LABEL))
        text = "Sample label";
    const CSize size = dc.GetTextExtent(text);
    dc.Rectangle(240, 100, 240 + size.cx, 100 + size.cy);
    dc.TextOut(240, 100, text);
    dc.RestoreDC(saved);
}

void CLabelOptionsDlg::OnOK()
{
    m_crLine = m_btnLine.GetColor();
    m_crText = m_btnForeground.GetColor();
    m_crBackground = m_btnBackground.GetColor();
    RedrawPreview();
    if (!UpdateData(TRUE))
        return;
    m_pBlock->background = m_bBackground ? 1 : 0;
    m_pBlock->line = m_bLine ? 1 : 0;
    m_pBlock->backColor = m_crBackground;
    m_pBlock->textColor = m_crText;
    m_pBlock->lineColor = m_crLine;
    CMapLayer* layer = m_pRow->m_pLayer;
    const int selected = m_cbField.GetCurSel();
    if (layer && selected != layer->GetLabelFieldIndex()) {
        layer->SetLabelFieldIndex(selected);
        layer->UpdateLabelTexts();
        layer->SetLabelPropertiesForAll(*m_pBlock);
    }
    EndDialog(IDOK);
}
