#include "dialogs/controls/UiPaletteControl.h"

#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/controls/UiPaletteDrawing.h"
#include "dialogs/controls/UiPaletteFile.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/CWnd.h"

namespace {

// A copy of the stock GUI font (or of the variable ANSI font when that is missing).
void CreatePaletteFont(CFont& font)
{
    HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!stock)
        stock = ::GetStockObject(ANSI_VAR_FONT);
    LOGFONTA lf{};
    if (stock && ::GetObject(stock, sizeof(lf), &lf))
        font.CreateFontIndirect(&lf);
}

} // namespace

CUiPaletteControl::CUiPaletteControl(int cells, int margin)
    : m_cells(cells), m_customText("Custom..."), m_margin(margin)
{
    CreatePaletteFont(m_font);
}

CUiPaletteControl::~CUiPaletteControl() = default;

void CUiPaletteControl::Serialize(CArchive&) {}

void CUiPaletteControl::Initialize(CWnd* pHost, COLORREF color, const RECT* pRect, BOOL bPopup)
{
    m_controlRect = *pRect;
    m_host = pHost;
    m_currentColor = color;
    m_popup = bPopup;
    Layout();
}

void CUiPaletteControl::Relayout() { Layout(); }

void CUiPaletteControl::PlaceCustomStrip(CRect& area)
{
    m_customHitRect.SetRectEmpty();
    if (!m_showCustom)
        return;
    m_separatorRect.SetRect(area.left, area.bottom - 22, area.right, area.bottom - 18);
    m_customRect.SetRect(area.left, area.bottom - 18, area.right, area.bottom);
    m_customHitRect = m_customRect;
    area.bottom -= 24;
}

void CUiPaletteControl::DrawPalette(CDC* pDC, BOOL captionStripe)
{
    const CUiColorGlobals& g = UiColorGlobals();
    CFont* oldFont = pDC->SelectObject(&m_font);
    pDC->FillSolidRect(&m_controlRect, g.face);
    if (captionStripe) {
        const CRect stripe(m_controlRect.left + m_margin, m_controlRect.top + 4, m_controlRect.right - m_margin,
                           m_controlRect.top + 10);
        pDC->FillSolidRect(&stripe, g.caption);
    }
    CRect border = m_controlRect;
    DrawBorder(pDC, &border, m_borderStyle);

    CUiColorCellObj* selected = nullptr;
    for (CUiColorCellObj& cell : m_cells) {
        cell.Draw(pDC);
        if (cell.GetColor() == m_currentColor)
            selected = &cell;
    }
    if (selected)
        selected->DrawSelected(pDC);
    if (m_showCustom) {
        UiDrawPaletteSeparator(pDC, m_separatorRect);
        DrawCustom(pDC, selected == nullptr);
        if (m_customHot)
            DrawCustomHot(pDC);
    }
    pDC->SelectObject(oldFont);
}

void CUiPaletteControl::DrawBorder(CDC* pDC, RECT* pRect, int style) { UiDrawPaletteBorder(pDC, pRect, style); }

void CUiPaletteControl::DrawCustom(CDC* pDC, BOOL bSwatch)
{
    UiDrawPaletteCustom(pDC, &m_customHitRect, m_customRect, m_customText, bSwatch, m_currentColor);
}

void CUiPaletteControl::DrawCustomHot(CDC* pDC) { UiDrawPaletteSelectionFrame(pDC, m_customHitRect); }

int CUiPaletteControl::CurrentIndex() const
{
    for (size_t i = 0; i < m_cells.size(); ++i)
        if (m_cells[i].GetColor() == m_currentColor)
            return (int)i;
    return -1;
}

void CUiPaletteControl::InvalidateArea(RECT rect)
{
    ::InflateRect(&rect, 2, 2);
    if (m_host && m_host->GetSafeHwnd())
        m_host->InvalidateRect(&rect, TRUE);
}

void CUiPaletteControl::SelectColor(COLORREF color)
{
    const int count = (int)m_cells.size();
    int oldIndex = -1, newIndex = -1;
    for (int i = 0; i < count && (oldIndex < 0 || newIndex < 0); ++i) {
        if (oldIndex < 0 && m_cells[i].GetColor() == m_currentColor)
            oldIndex = i;
        if (newIndex < 0 && m_cells[i].GetColor() == color)
            newIndex = i;
    }
    RECT r;
    if (newIndex >= 0) {
        m_currentColor = m_cells[newIndex].GetColor();
        m_cells[newIndex].GetRect(&r);
        InvalidateArea(r);
    } else {
        m_currentColor = color;
        InvalidateArea(m_customRect);
    }
    if (oldIndex >= 0) {
        m_cells[oldIndex].GetRect(&r);
        InvalidateArea(r);
    }
}

CUiColorCellObj* CUiPaletteControl::HitTestSelect(int x, int y)
{
    CUiColorCellObj* hit = nullptr;
    for (CUiColorCellObj& cell : m_cells)
        if (cell.HitTest(x, y)) {
            hit = &cell;
            break;
        }
    if (!hit)
        return nullptr;
    const int oldIndex = CurrentIndex();
    RECT r;
    m_currentColor = hit->GetColor();
    hit->GetRect(&r);
    InvalidateArea(r);
    if (oldIndex >= 0) {
        m_cells[oldIndex].GetRect(&r);
        InvalidateArea(r);
    }
    return hit;
}

void CUiPaletteControl::PostToHost(UINT message, COLORREF color, LPARAM lParam)
{
    if (m_host && m_host->GetSafeHwnd())
        m_host->PostMessage(message, (WPARAM)color, lParam);
}

void CUiPaletteControl::HideIfPopup()
{
    if (m_popup && m_host && m_host->GetSafeHwnd())
        m_host->ShowWindow(SW_HIDE);
}

void CUiPaletteControl::ChooseCustom()
{
    PostToHost(WM_UI_COLORCUSTOM, m_currentColor, 0);
    HideIfPopup();
}

void CUiPaletteControl::EndSelection(COLORREF color, LPARAM lParam)
{
    PostToHost(WM_UI_COLORSELECTED, color, lParam);
    if (m_showCustom)
        InvalidateArea(m_customRect);
    HideIfPopup();
}

void CUiPaletteControl::CancelSelection(COLORREF color, LPARAM lParam)
{
    PostToHost(WM_UI_COLORCANCEL, color, lParam);
    if (m_showCustom)
        InvalidateArea(m_customRect);
    HideIfPopup();
}

void CUiPaletteControl::OnCancelMode() {}

void CUiPaletteControl::TrackCustomStrip(int x, int y)
{
    if (m_showCustom && m_customHitRect.PtInRect(CPoint(x, y))) {
        m_customHot = TRUE;
        InvalidateArea(m_customHitRect);
    }
}

void CUiPaletteControl::OnLButtonUp(UINT, int x, int y)
{
    if (m_customHot) {
        m_customHot = FALSE;
        InvalidateArea(m_customHitRect);
    }
    for (CUiColorCellObj& cell : m_cells)
        if (cell.HitTest(x, y)) {
            EndSelection(cell.GetColor(), 0);
            return;
        }
    if (m_showCustom && m_customHitRect.PtInRect(CPoint(x, y)))
        ChooseCustom();
}

BOOL CUiPaletteControl::OnChoiceKey(UINT nChar)
{
    switch (nChar) {
    case VK_ESCAPE:
    case VK_CANCEL:
        if (m_popup)
            CancelSelection(m_currentColor, 0);
        return TRUE;
    case VK_RETURN:
        if (m_popup)
            EndSelection(m_currentColor, 0);
        return TRUE;
    default: return FALSE;
    }
}

void CUiPaletteControl::FocusPreviousTabItem()
{
    if (CWnd* parent = m_host ? m_host->GetParent() : nullptr)
        if (CWnd* previous = parent->GetNextDlgTabItem(m_host, TRUE))
            previous->SetFocus();
}

BOOL CUiPaletteControl::SaveToFile(LPCTSTR path)
{
    return UiPaletteSaveToFile(*this, path, [this](CFile* f, BOOL abort) { CloseFile(f, abort); });
}

BOOL CUiPaletteControl::LoadFromFile(LPCTSTR path)
{
    return UiPaletteLoadFromFile(*this, path, [this](CFile* f, BOOL abort) { CloseFile(f, abort); });
}

void CUiPaletteControl::CloseFile(CFile* pFile, BOOL bAbort) { UiPaletteCloseFile(pFile, bAbort); }
