// CAnimateCtrl's members as messages to the animation control (CAnimateCtrl.h).
#include "platform/controls/CAnimateCtrl.h"

IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)

BOOL CAnimateCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxRegisterControlClasses();
    return CWnd::Create(ANIMATE_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CAnimateCtrl::Open(LPCTSTR lpszFileName) { return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, 0, (LPARAM)lpszFileName); }
BOOL CAnimateCtrl::Open(UINT nID) { return Open(MAKEINTRESOURCE(nID)); }
BOOL CAnimateCtrl::Play(UINT nFrom, UINT nTo, UINT nRep) { return (BOOL)::SendMessage(m_hWnd, ACM_PLAY, nRep, MAKELPARAM(nFrom, nTo)); }
BOOL CAnimateCtrl::Stop() { return (BOOL)::SendMessage(m_hWnd, ACM_STOP, 0, 0); }
BOOL CAnimateCtrl::Close() { return Open((LPCTSTR) nullptr); }
BOOL CAnimateCtrl::Seek(UINT nTo) { return Play(nTo, nTo, 1); }
