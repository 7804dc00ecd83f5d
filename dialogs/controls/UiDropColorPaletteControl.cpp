#include "dialogs/controls/UiDropColorPaletteControl.h"

#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/controls/UiPaletteDrawing.h"
#include "dialogs/controls/UiPaletteFile.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/CWnd.h"

IMPLEMENT_SERIAL(CUiDropColorPaletteControl, CObject, 0)

namespace {

// Row by row: column 0 runs from white to black, columns 1 to 7 are red, orange,
// yellow, green, cyan, blue and magenta from light to dark.
const COLORREF kColors[CUiDropColorPaletteControl::kCells] = {
    RGB(255, 255, 255), RGB(255, 192, 192), RGB(255, 224, 192), RGB(255, 255, 192),
    RGB(192, 255, 192), RGB(192, 255, 255), RGB(192, 192, 255), RGB(255, 192, 255),
    RGB(224, 224, 224), RGB(255, 128, 128), RGB(255, 224, 128), RGB(255, 255, 128),
    RGB(128, 255, 128), RGB(128, 255, 255), RGB(128, 128, 255), RGB(255, 128, 255),
    RGB(192, 192, 192), RGB(255, 0, 0),     RGB(255, 192, 0),   RGB(255, 255, 0),
    RGB(0, 255, 0),     RGB(0, 255, 255),   RGB(0, 0, 255),     RGB(255, 0, 255),
    RGB(128, 128, 128), RGB(192, 0, 0),     RGB(255, 128, 0),   RGB(192, 192, 0),
    RGB(0, 192, 0),     RGB(0, 192, 192),   RGB(0, 0, 192),     RGB(192, 0, 192),
    RGB(64, 64, 64),    RGB(128, 0, 0),     RGB(128, 64, 0),    RGB(128, 128, 0),
    RGB(0, 128, 0),     RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 0, 128),
    RGB(0, 0, 0),       RGB(64, 0, 0),      RGB(128, 64, 64),   RGB(64, 64, 0),
    RGB(0, 64, 0),      RGB(0, 64, 64),     RGB(0, 0, 64),      RGB(64, 0, 64),
};

} // namespace

void UiCreatePaletteFont(CFont& font)
{
    HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!stock)
        stock = ::GetStockObject(ANSI_VAR_FONT);
    LOGFONTA lf{};
    if (stock && ::GetObject(stock, sizeof(lf), &lf))
        font.CreateFontIndirect(&lf);
}

CUiDropColorPaletteControl::CUiDropColorPaletteControl() : m_customText("Custom...")
{
    UiCreatePaletteFont(m_font);
}

CUiDropColorPaletteControl::~CUiDropColorPaletteControl() = default;

void CUiDropColorPaletteControl::Serialize(CArchive&) {}

void CUiDropColorPaletteControl::Initialize(CWnd* pHost, COLORREF color, const RECT* pRect, BOOL bPopup)
{
    m_controlRect = *pRect;
    m_host = pHost;
    m_currentColor = color;
    m_popup = bPopup;
    Layout();
}

void CUiDropColorPaletteControl::FillColors()
{
    for (int i = 0; i < kCells; ++i)
        m_cells[i].SetColor(kColors[i]);
}

void CUiDropColorPaletteControl::Layout()
{
    FillColors();
    CRect r = m_controlRect;
    r.left += m_margin;
    r.right -= m_margin;
    r.bottom -= m_margin;
    r.top += 4;
    m_customHitRect.SetRectEmpty();
    if (m_showCustom) {
        m_separatorRect.SetRect(r.left, r.bottom - 22, r.right, r.bottom - 18);
        m_customRect.SetRect(r.left, r.bottom - 18, r.right, r.bottom);
        m_customHitRect = m_customRect;
        r.bottom -= 24;
    }
    if (m_popup)
        r.top += 10; // room for the caption stripe
    SetCellsRect(r.left, r.top, r.right, r.bottom);
}

void CUiDropColorPaletteControl::Relayout() { Layout(); }

void CUiDropColorPaletteControl::SetCellsRect(int l, int t, int r, int b)
{
    m_gridRect.SetRect(l, t, r, b);
    const int w = r - l, h = b - t;
    int x[kColumns + 1], y[kRows + 1];
    for (int i = 0; i <= m_columns; ++i)
        x[i] = l + (int)(1.0 / m_columns * i * w);
    for (int j = 0; j <= m_rows; ++j)
        y[j] = t + (int)(1.0 / m_rows * j * h);
    for (int k = 0; k < kCells; ++k) {
        const int c = k % kColumns, row = k / kColumns;
        m_cells[k].SetRect(CRect(x[c], y[row], x[c + 1], y[row + 1]));
        m_cells[k].SetHexagonFlag(FALSE);
    }
}

void CUiDropColorPaletteControl::Draw(CDC* pDC)
{
    const CUiColorGlobals& g = UiColorGlobals();
    CFont* oldFont = pDC->SelectObject(&m_font);
    pDC->FillSolidRect(&m_controlRect, g.face);
    if (m_popup) {
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

void CUiDropColorPaletteControl::DrawBorder(CDC* pDC, RECT* pRect, int style)
{
    UiDrawPaletteBorder(pDC, pRect, style);
}

void CUiDropColorPaletteControl::DrawCustom(CDC* pDC, BOOL bSwatch)
{
    UiDrawPaletteCustom(pDC, &m_customHitRect, m_customRect, m_customText, bSwatch, m_currentColor);
}

void CUiDropColorPaletteControl::DrawCustomHot(CDC* pDC) { UiDrawPaletteCustomHot(pDC, m_customHitRect); }

int CUiDropColorPaletteControl::CurrentIndex() const
{
    for (int i = 0; i < kCells; ++i)
        if (m_cells[i].GetColor() == m_currentColor)
            return i;
    return -1;
}

void CUiDropColorPaletteControl::InvalidateArea(RECT rect)
{
    ::InflateRect(&rect, 2, 2);
    if (m_host && m_host->GetSafeHwnd())
        m_host->InvalidateRect(&rect, TRUE);
}

void CUiDropColorPaletteControl::SelectColor(COLORREF color)
{
    int oldIndex = -1, newIndex = -1;
    for (int i = 0; i < kCells && (oldIndex < 0 || newIndex < 0); ++i) {
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

CUiColorCellObj* CUiDropColorPaletteControl::HitTestSelect(int x, int y)
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

void CUiDropColorPaletteControl::PostToHost(UINT message, COLORREF color, LPARAM lParam)
{
    if (m_host && m_host->GetSafeHwnd())
        m_host->PostMessage(message, (WPARAM)color, lParam);
}

void CUiDropColorPaletteControl::EndSelection(COLORREF color, LPARAM lParam)
{
    PostToHost(WM_UI_COLORSELECTED, color, lParam);
    if (m_showCustom)
        InvalidateArea(m_customRect);
    if (m_popup && m_host && m_host->GetSafeHwnd())
        m_host->ShowWindow(SW_HIDE);
}

void CUiDropColorPaletteControl::CancelSelection(COLORREF color, LPARAM lParam)
{
    PostToHost(WM_UI_COLORCANCEL, color, lParam);
    if (m_showCustom)
        InvalidateArea(m_customRect);
    if (m_popup && m_host && m_host->GetSafeHwnd())
        m_host->ShowWindow(SW_HIDE);
}

void CUiDropColorPaletteControl::OnCancelMode() {}

void CUiDropColorPaletteControl::OnMouseMove(UINT, int x, int y)
{
    if (HitTestSelect(x, y))
        return;
    if (m_showCustom && m_customHitRect.PtInRect(CPoint(x, y))) {
        m_customHot = TRUE;
        InvalidateArea(m_customHitRect);
    }
}

void CUiDropColorPaletteControl::OnLButtonUp(UINT, int x, int y)
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
    if (m_showCustom && m_customHitRect.PtInRect(CPoint(x, y))) {
        PostToHost(WM_UI_COLORCUSTOM, m_currentColor, 0);
        if (m_popup && m_host && m_host->GetSafeHwnd())
            m_host->ShowWindow(SW_HIDE);
    }
}

void CUiDropColorPaletteControl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar < 3 || nChar > 40)
        return;
    int index = CurrentIndex();
    if (index < 0)
        index = 0;
    const int row = index / kColumns, column = index % kColumns;
    int target;
    switch (nChar) {
    case VK_ESCAPE:
    case VK_CANCEL:
        if (m_popup)
            CancelSelection(m_currentColor, 0);
        return;
    case VK_RETURN:
        if (m_popup)
            EndSelection(m_currentColor, 0);
        return;
    case VK_TAB:
        if (::GetKeyState(VK_SHIFT) < 0) {
            CWnd* parent = m_host ? m_host->GetParent() : nullptr;
            if (parent)
                if (CWnd* previous = parent->GetNextDlgTabItem(m_host, TRUE))
                    previous->SetFocus();
        } else if (m_showCustom) {
            PostToHost(WM_UI_COLORCUSTOM, m_currentColor, 0);
            if (m_popup && m_host && m_host->GetSafeHwnd())
                m_host->ShowWindow(SW_HIDE);
        }
        return;
    case VK_LEFT: target = index > 0 ? index - 1 : 0; break;
    case VK_RIGHT: target = (index + 1) % kCells; break;
    case VK_UP: target = (row > 0 ? row - 1 : kRows - 1) * kColumns + column; break;
    case VK_DOWN: target = (row < kRows - 1 ? row + 1 : 0) * kColumns + column; break;
    default: return;
    }
    SelectColor(m_cells[target].GetColor());
}

BOOL CUiDropColorPaletteControl::SaveToFile(LPCTSTR path)
{
    return UiPaletteSaveToFile(*this, path, [this](CFile* f, BOOL abort) { CloseFile(f, abort); });
}

BOOL CUiDropColorPaletteControl::LoadFromFile(LPCTSTR path)
{
    return UiPaletteLoadFromFile(*this, path, [this](CFile* f, BOOL abort) { CloseFile(f, abort); });
}

void CUiDropColorPaletteControl::CloseFile(CFile* pFile, BOOL bAbort) { UiPaletteCloseFile(pFile, bAbort); }
