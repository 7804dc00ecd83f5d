#include "dialogs/controls/UiDropPaletteControl.h"

#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiColorMessages.h"
#include "dialogs/controls/UiDropColorPaletteControl.h"
#include "dialogs/controls/UiPaletteDrawing.h"
#include "dialogs/controls/UiPaletteFile.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/CWnd.h"

#include <cmath>

IMPLEMENT_SERIAL(CUiDropPaletteControl, CObject, 0)

namespace {

int HueToRgb(float m1, float m2, float h)
{
    if (h > 360.0f)
        h -= 360.0f;
    if (h < 0.0f)
        h += 360.0f;
    if (h < 60.0f)
        return (int)((m1 + (m2 - m1) * h * 0.016666668f) * 255.0f);
    if (h < 180.0f)
        return (int)(m2 * 255.0f);
    if (h < 240.0f)
        return (int)((m1 + (m2 - m1) * (240.0f - h) * 0.016666668f) * 255.0f);
    return (int)(m1 * 255.0f);
}

} // namespace

COLORREF UiHslToRgb(int hue, double lightness, double saturation)
{
    if (saturation == 0.0) {
        const BYTE grey = (BYTE)(int)(lightness * 255.0);
        return RGB(grey, grey, grey);
    }
    const float m2 = lightness <= 0.5 ? (float)(lightness * (1.0 + saturation))
                                      : (float)(lightness + saturation - lightness * saturation);
    const float m1 = (float)(2.0 * lightness - m2);
    const float h = (float)hue;
    return RGB((BYTE)HueToRgb(m1, m2, h + 120.0f), (BYTE)HueToRgb(m1, m2, h), (BYTE)HueToRgb(m1, m2, h - 120.0f));
}

CUiDropPaletteControl::CUiDropPaletteControl() : m_customText("Custom...")
{
    UiCreatePaletteFont(m_font);
}

CUiDropPaletteControl::~CUiDropPaletteControl() = default;

void CUiDropPaletteControl::Serialize(CArchive&) {}

void CUiDropPaletteControl::Initialize(CWnd* pHost, COLORREF color, const RECT* pRect, BOOL bPopup)
{
    m_controlRect = *pRect;
    m_host = pHost;
    m_currentColor = color;
    m_popup = bPopup;
    Layout();
}

void CUiDropPaletteControl::FillColors()
{
    // The honeycomb fills the square centred in the area above the grey row.
    CRect square = m_controlRect;
    square.bottom -= 30;
    if (square.Width() > square.Height()) {
        const int cut = (square.Width() - square.Height()) / 2;
        square.left += cut;
        square.right -= cut;
    } else {
        const int cut = (square.Height() - square.Width()) / 2;
        square.top += cut;
        square.bottom -= cut;
    }
    const int size = square.Height() / 13 + 1;
    const int cx = (square.left + square.right) / 2, cy = (square.top + square.bottom) / 2;

    m_cells[0].SetColor(RGB(255, 255, 255));
    m_cells[0].SetHexagon(cx, cy, size);

    static const float kDirections[6][2] = {{-0.5f, 0.8660254f}, {-1.0f, 0.0f}, {-0.5f, -0.8660254f},
                                            {0.5f, -0.8660254f}, {1.0f, 0.0f},  {0.5f, 0.8660254f}};
    int index = 1;
    for (int ring = 1; ring <= 6; ++ring) {
        const double lightness = (7 - ring) / 7.0 + 0.1;
        int x = cx + ring * size, y = cy;
        for (const auto& d : kDirections) {
            const int dx = (int)((float)size * d[0]), dy = (int)((float)size * d[1]);
            for (int step = 0; step < ring; ++step) {
                const int hue = (int)(std::atan2((double)(y - cy), (double)(x - cx)) * 57.29577951308232);
                m_cells[index].SetColor(UiHslToRgb(hue, lightness, 1.0));
                m_cells[index].SetHexagon(x, y, size);
                ++index;
                x += dx;
                y += dy;
            }
        }
    }
    m_cells[kNoGeometryCell].SetColor(UiColorGlobals().face);
    for (int k = kFirstGrey; k < kCells - 1; ++k) {
        const BYTE grey = (BYTE)(240 - 15 * (k - kFirstGrey));
        m_cells[k].SetColor(RGB(grey, grey, grey));
    }
    m_cells[kCells - 1].SetColor(RGB(0, 0, 0));
}

void CUiDropPaletteControl::Layout()
{
    FillColors();
    CRect r = m_controlRect;
    r.DeflateRect(m_margin, m_margin);
    m_customHitRect.SetRectEmpty();
    if (m_showCustom) {
        m_separatorRect.SetRect(r.left, r.bottom - 22, r.right, r.bottom - 18);
        m_customRect.SetRect(r.left, r.bottom - 18, r.right, r.bottom);
        m_customHitRect = m_customRect;
        r.bottom -= 24;
    }
    SetCellsRect(r.left, r.top, r.right, r.bottom);
}

void CUiDropPaletteControl::Relayout() { Layout(); }

void CUiDropPaletteControl::SetCellsRect(int l, int t, int r, int b)
{
    m_gridRect.SetRect(l, t, r, b);
    const int w = r - l, h = b - t;
    int x[17];
    for (int i = 0; i <= 16; ++i)
        x[i] = l + (int)(i * w * 0.0625);
    const int rowTop = t + (int)(8 * h * (1.0 / 9)), rowBottom = t + (int)(9 * h * (1.0 / 9));
    for (int k = kFirstGrey; k < kCells; ++k) {
        m_cells[k].SetRect(CRect(x[k - kFirstGrey], rowTop, x[k - kFirstGrey + 1], rowBottom));
        m_cells[k].SetHexagonFlag(FALSE);
    }
}

void CUiDropPaletteControl::Draw(CDC* pDC)
{
    CFont* oldFont = pDC->SelectObject(&m_font);
    pDC->FillSolidRect(&m_controlRect, UiColorGlobals().face);
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

void CUiDropPaletteControl::DrawBorder(CDC* pDC, RECT* pRect, int style) { UiDrawPaletteBorder(pDC, pRect, style); }

void CUiDropPaletteControl::DrawCustom(CDC* pDC, BOOL bSwatch)
{
    UiDrawPaletteCustom(pDC, &m_customHitRect, m_customRect, m_customText, bSwatch, m_currentColor);
}

void CUiDropPaletteControl::DrawCustomHot(CDC* pDC) { UiDrawPaletteCustomHot(pDC, m_customHitRect); }

int CUiDropPaletteControl::CurrentIndex() const
{
    for (int i = 0; i < kCells; ++i)
        if (m_cells[i].GetColor() == m_currentColor)
            return i;
    return -1;
}

void CUiDropPaletteControl::InvalidateArea(RECT rect)
{
    ::InflateRect(&rect, 2, 2);
    if (m_host && m_host->GetSafeHwnd())
        m_host->InvalidateRect(&rect, TRUE);
}

void CUiDropPaletteControl::SelectColor(COLORREF color)
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

CUiColorCellObj* CUiDropPaletteControl::HitTestSelect(int x, int y)
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

void CUiDropPaletteControl::PostToHost(UINT message, COLORREF color, LPARAM lParam)
{
    if (m_host && m_host->GetSafeHwnd())
        m_host->PostMessage(message, (WPARAM)color, lParam);
}

void CUiDropPaletteControl::EndSelection(COLORREF color, LPARAM lParam)
{
    PostToHost(WM_UI_COLORSELECTED, color, lParam);
    if (m_showCustom)
        InvalidateArea(m_customRect);
    if (m_popup && m_host && m_host->GetSafeHwnd())
        m_host->ShowWindow(SW_HIDE);
}

void CUiDropPaletteControl::CancelSelection(COLORREF color, LPARAM lParam)
{
    PostToHost(WM_UI_COLORCANCEL, color, lParam);
    if (m_showCustom)
        InvalidateArea(m_customRect);
    if (m_popup && m_host && m_host->GetSafeHwnd())
        m_host->ShowWindow(SW_HIDE);
}

void CUiDropPaletteControl::OnCancelMode() {}

void CUiDropPaletteControl::OnMouseMove(UINT, int x, int y)
{
    if (CUiColorCellObj* hit = HitTestSelect(x, y)) {
        EndSelection(hit->GetColor(), 0);
        return;
    }
    if (m_showCustom && m_customHitRect.PtInRect(CPoint(x, y))) {
        m_customHot = TRUE;
        InvalidateArea(m_customHitRect);
    }
}

void CUiDropPaletteControl::OnLButtonUp(UINT, int x, int y)
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

void CUiDropPaletteControl::OnKeyDown(UINT nChar, UINT, UINT)
{
    int index = CurrentIndex();
    if (index < 0)
        index = 0;
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
        if (CWnd* parent = m_host ? m_host->GetParent() : nullptr)
            if (CWnd* previous = parent->GetNextDlgTabItem(m_host, TRUE))
                previous->SetFocus();
        return;
    case VK_LEFT:
    case VK_UP: target = index > 0 ? index - 1 : kCells - 1; break;
    case VK_RIGHT:
    case VK_DOWN: target = (index + 1) % kCells; break;
    default: return;
    }
    const COLORREF color = m_cells[target].GetColor();
    SelectColor(color);
    PostToHost(WM_UI_COLORSELECTED, color, 0);
}

BOOL CUiDropPaletteControl::SaveToFile(LPCTSTR path)
{
    return UiPaletteSaveToFile(*this, path, [this](CFile* f, BOOL abort) { CloseFile(f, abort); });
}

BOOL CUiDropPaletteControl::LoadFromFile(LPCTSTR path)
{
    return UiPaletteLoadFromFile(*this, path, [this](CFile* f, BOOL abort) { CloseFile(f, abort); });
}

void CUiDropPaletteControl::CloseFile(CFile* pFile, BOOL bAbort) { UiPaletteCloseFile(pFile, bAbort); }
