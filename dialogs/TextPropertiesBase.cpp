// The shared part of the text and label property dialogs.
#include "dialogs/TextPropertiesBase.h"

#include "core/Settings.h"
#include "dialogs/DefaultColorExchange.h"
#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "platform/dialogs/DataExchange.h"


BEGIN_MESSAGE_MAP(CTextPropertiesBase, CDialog)
    ON_MESSAGE(WM_UI_COLORSELECTED, OnColorSelected)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CTextPropertiesBase::CTextPropertiesBase(UINT templateId, const ControlIds& ids, CWnd* parent)
    : CDialog(templateId, parent), m_ids(ids)
{
}

void CTextPropertiesBase::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, m_ids.lineColor, m_lineButton);
    DDX_Control(pDX, m_ids.foreground, m_foregroundButton);
    DDX_Control(pDX, m_ids.backgroundColor, m_backgroundButton);
    DDX_Check(pDX, m_ids.background, m_bBackground);
    DDX_Text(pDX, m_ids.x, m_x);
    DDX_Text(pDX, m_ids.y, m_y);
    DDX_Text(pDX, m_ids.text, m_strText);
    DDX_Text(pDX, m_ids.angle, m_nAngle);
    DDV_MinMaxLong(pDX, m_nAngle, 0, 3600);
    DDX_Check(pDX, m_ids.line, m_bLine);
    // Confirming makes the picked colours the defaults of styles made later: the
    // frame line the pen colour, the text colours the default text colours.
    DDX_DefaultColor(pDX, m_ids.lineColor, g_NewObjectPenColor);
    DDX_DefaultColor(pDX, m_ids.foreground, g_DefaultTextColor);
    DDX_DefaultColor(pDX, m_ids.backgroundColor, g_DefaultTextBkColor);
}

void CTextPropertiesBase::EmptyPositionEdits()
{
    SetDlgItemText(m_ids.x, "");
    SetDlgItemText(m_ids.y, "");
    SetDlgItemText(m_ids.angle, "");
}

void CTextPropertiesBase::ShowColors()
{
    m_lineButton.SetColor(m_line);
    m_foregroundButton.SetColor(m_foreground);
    m_backgroundButton.SetColor(m_background);
    for (CUiDropColorButton* b : {&m_lineButton, &m_foregroundButton, &m_backgroundButton})
        if (b->m_hWnd)
            b->Invalidate(FALSE);
}

void CTextPropertiesBase::ReadColors()
{
    m_line = m_lineButton.GetColor();
    m_foreground = m_foregroundButton.GetColor();
    m_background = m_backgroundButton.GetColor();
}

void CTextPropertiesBase::SetPreviewFont(LOGFONTA font, LONG height)
{
    font.lfEscapement = 0;
    font.lfOrientation = 0;
    font.lfHeight = height;
    m_previewFont.DeleteObject();
    m_previewFont.CreateFontIndirect(&font);
    if (CWnd* edit = GetDlgItem(m_ids.text))
        edit->SetFont(&m_previewFont);
}

void CTextPropertiesBase::EnableEditing(BOOL enable)
{
    for (int id : {m_ids.text, m_ids.font, m_ids.x, m_ids.y, m_ids.angle, m_ids.line, m_ids.background,
                   m_ids.lineColor, m_ids.foreground, m_ids.backgroundColor})
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(enable);
}

LRESULT CTextPropertiesBase::OnColorSelected(WPARAM wParam, LPARAM lParam)
{
    const COLORREF color = (COLORREF)wParam;
    if ((int)lParam == m_ids.lineColor)
        m_line = color;
    else if ((int)lParam == m_ids.foreground)
        m_foreground = color;
    else if ((int)lParam == m_ids.backgroundColor)
        m_background = color;
    return 0;
}

void CTextPropertiesBase::OnDestroy()
{
    if (CWnd* edit = GetDlgItem(m_ids.text))
        edit->SetFont(nullptr, FALSE);
    m_previewFont.DeleteObject();
    CDialog::OnDestroy();
}
