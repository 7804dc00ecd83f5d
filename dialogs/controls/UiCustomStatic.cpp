#include "dialogs/controls/UiCustomStatic.h"

#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"

IMPLEMENT_DYNAMIC(CUiCustomStatic, CStatic)

BEGIN_MESSAGE_MAP(CUiCustomStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CUiCustomStatic::CUiCustomStatic() = default;

CSize CUiCustomStatic::GetTextSize(CDC* pDC, const CString& text)
{
    if (text.IsEmpty())
        return CSize(0, 0);
    CRect r(0, 0, 0, 0);
    pDC->DrawText(text, &r, DT_CALCRECT | DT_SINGLELINE);
    return r.Size();
}

void CUiCustomStatic::GetContentRect(CDC*, int l, int t, int r, int b, RECT* pOut)
{
    CRect content(l, t, r, b);
    content.DeflateRect(m_margin, m_margin);
    *pOut = content;
}

void CUiCustomStatic::CalcLayout(CDC* pDC, int l, int t, int r, int b, RECT* pOut, BOOL bMeasure)
{
    if (bMeasure) {
        CString text;
        GetWindowText(text);
        const CSize size = GetTextSize(pDC, text);
        CRect m(0, 0, size.cx, size.cy);
        if (!text.IsEmpty())
            m.InflateRect(1, 1);
        *pOut = m;
        return;
    }
    GetContentRect(pDC, l, t, r, b, pOut);
    ::InflateRect(pOut, -1, -1);
}

void CUiCustomStatic::CalcSize(SIZE* pSize)
{
    CClientDC dc(this);
    SelectFont(&dc);
    const CRect trial(0, 0, 100, 100);
    RECT content;
    GetContentRect(&dc, trial.left, trial.top, trial.right, trial.bottom, &content);
    RECT m;
    CalcLayout(&dc, content.left, content.top, content.right, content.bottom, &m, TRUE);
    RestoreFont(&dc);
    pSize->cx = (content.left - trial.left) + (trial.right - content.right) + (m.right + 1 - m.left);
    pSize->cy = (content.top - trial.top) + (trial.bottom - content.bottom) + (m.bottom + 1 - m.top);
}

void CUiCustomStatic::SizeToContent()
{
    CSize size;
    CalcSize(&size);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateControl();
}

void CUiCustomStatic::InvalidateControl()
{
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CUiCustomStatic::SelectFont(CDC* pDC)
{
    CFont* font = GetFont();
    m_previousFont = font ? pDC->SelectObject(font) : nullptr;
}

void CUiCustomStatic::RestoreFont(CDC* pDC)
{
    if (m_previousFont)
        pDC->SelectObject(m_previousFont);
    m_previousFont = nullptr;
}

void CUiCustomStatic::DrawLabelText(CDC* pDC, int x, int y, const CString& text)
{
    if (text.IsEmpty())
        return;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(x, y, text);
    pDC->SetBkMode(oldMode);
}

void CUiCustomStatic::DrawContent(CDC* pDC, RECT* pRect, UINT)
{
    CString text;
    GetWindowText(text);
    const CSize size = GetTextSize(pDC, text);
    if (size.cx == 0)
        return;
    const CRect r = *pRect;
    DrawLabelText(pDC, r.left + (r.Width() - size.cx) / 2, r.top + (r.Height() - size.cy) / 2 - 1, text);
}

void CUiCustomStatic::DrawFocus(CDC* pDC, RECT* pRect) { pDC->DrawFocusRect(pRect); }

void CUiCustomStatic::DrawFrame(CDC* pDC, RECT* pRect, UINT state)
{
    pDC->DrawFrameControl(pRect, DFC_BUTTON, state | DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
}

void CUiCustomStatic::OnPaint()
{
    CPaintDC dc(this);
    SelectFont(&dc);
    CRect client;
    GetClientRect(&client);
    RECT content;
    CalcLayout(&dc, client.left, client.top, client.right, client.bottom, &content, FALSE);
    CRect frame = client;
    DrawFrame(&dc, &frame, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    m_frameInterior = frame;
    dc.IntersectClipRect(&m_frameInterior);
    dc.IntersectClipRect(&content);
    DrawContent(&dc, &content, 0);
    RestoreFont(&dc);
}
