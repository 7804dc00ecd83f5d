#include "dialogs/controls/ColorListBox.h"

#include "platform/gdi/CDC.h"

BEGIN_MESSAGE_MAP(CColorListBox, CListBox)
    ON_WM_CREATE()
END_MESSAGE_MAP()

void CColorListBox::EmptyOnce()
{
    if (m_bEmptied)
        return;
    m_bEmptied = 1;
    ResetContent();
    SetCurSel(0);
}

void CColorListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    EmptyOnce();
}

int CColorListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    EmptyOnce();
    return 0;
}

int CColorListBox::AddColor(const CString& text, COLORREF color)
{
    const int index = AddString(text);
    if (index >= 0)
        SetItemData(index, (DWORD_PTR)color);
    return index < 0 ? -1 : index;
}

BOOL CColorListBox::RemoveColor(COLORREF color)
{
    for (int i = 0; i < GetCount(); ++i) {
        if (GetColor(i) == color) {
            DeleteString((UINT)i);
            return TRUE;
        }
    }
    return FALSE;
}

COLORREF CColorListBox::GetColor(int index) const { return (COLORREF)GetItemData(index); }

COLORREF CColorListBox::GetSelectedColor() const
{
    const int index = GetCurSel();
    return index >= 0 ? GetColor(index) : 0;
}

void CColorListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    CRect item(lpDrawItemStruct->rcItem);
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    dc->SetTextColor(selected ? (windowText ^ 0x00FFFFFF) : windowText);
    dc->FillSolidRect(&item, selected ? highlight : window);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        dc->DrawFocusRect(&item);
    CRect swatch = item;
    swatch.DeflateRect(2, 2);
    swatch.right = item.Width() / 4;
    if ((int)lpDrawItemStruct->itemID != -1) {
        const COLORREF color = (lpDrawItemStruct->itemState & ODS_DISABLED)
                                   ? ::GetSysColor(COLOR_INACTIVECAPTIONTEXT)
                                   : (COLORREF)lpDrawItemStruct->itemData;
        dc->FillSolidRect(&swatch, color);
        CBrush* black = CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH));
        dc->FrameRect(&swatch, black);
    }
}
