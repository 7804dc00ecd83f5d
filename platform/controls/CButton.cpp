// CButton's members as messages to the button control (CButton.h).
#include "platform/controls/CButton.h"

#include "platform/controls/CtlReflect.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const { return (UINT)::SendMessage(m_hWnd, BM_GETSTATE, 0, 0); }
void CButton::SetState(BOOL bHighlight) { ::SendMessage(m_hWnd, BM_SETSTATE, bHighlight, 0); }
int CButton::GetCheck() const { return (int)::SendMessage(m_hWnd, BM_GETCHECK, 0, 0); }
void CButton::SetCheck(int nCheck) { ::SendMessage(m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0); }
UINT CButton::GetButtonStyle() const { return (UINT)::GetWindowLongPtr(m_hWnd, GWL_STYLE) & 0xFF; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { ::SendMessage(m_hWnd, BM_SETSTYLE, nStyle, bRedraw); }

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ctl::ReflectOwnerDraw(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
