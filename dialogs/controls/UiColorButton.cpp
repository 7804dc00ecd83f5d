#include "dialogs/controls/UiColorButton.h"

#include "platform/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CUiColorButton, CButton)

BEGIN_MESSAGE_MAP(CUiColorButton, CButton)
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CUiColorButton::CUiColorButton() = default;

BOOL CUiColorButton::Initialize(int nID, CWnd* pParent, COLORREF newColor, COLORREF currentColor,
                                COLORREF thirdColor, int style)
{
    if (!SubclassDlgItem((UINT)nID, pParent))
        return FALSE;
    m_newColor = newColor;
    m_currentColor = currentColor;
    m_thirdColor = thirdColor;
    m_style = style;
    return TRUE;
}

void CUiColorButton::SetNewColor(COLORREF color)
{
    m_newColor = color;
    if (GetSafeHwnd())
        Invalidate(TRUE);
}

void CUiColorButton::SetCurrentColor(COLORREF color)
{
    m_currentColor = color;
    if (GetSafeHwnd())
        Invalidate(TRUE);
}

void CUiColorButton::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* old = pDC->SelectObject(&pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(old);
}

void CUiColorButton::DrawLineTo(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color)
{
    DrawLine(pDC, x1, y1, x2, y2, color);
}

void CUiColorButton::DrawSwatch(CDC* pDC, RECT* pRect, COLORREF color)
{
    CRect r = *pRect;
    r.DeflateRect(4, 4);
    const int middle = (r.top + r.bottom) / 2;
    pDC->FillSolidRect(CRect(r.left, r.top, r.right, middle), color);
    pDC->FillSolidRect(CRect(r.left, middle, r.right, r.bottom), m_currentColor);
}

void CUiColorButton::DrawFrame(CDC* pDC, RECT* pRect, UINT)
{
    CRect r = *pRect;
    pDC->Draw3dRect(&r, RGB(255, 255, 255), RGB(0, 0, 0));
    r.DeflateRect(1, 1);
    pDC->Draw3dRect(&r, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW));
}

void CUiColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect item = lpDrawItemStruct->rcItem;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    DrawSwatch(&memory, &item, m_newColor);
    DrawFrame(&memory, &item, lpDrawItemStruct->itemState);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CUiColorButton::OnSysColorChange()
{
    Default();
    Invalidate(TRUE);
    UpdateWindow();
}
