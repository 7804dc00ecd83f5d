#include "dialogs/controls/ColorStatic.h"

#include "platform/controls/CommCtrl.h"
#include "platform/gdi/CDC.h"

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

BOOL CColorStatic::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = (cs.style & ~WS_BORDER) | SS_LEFTNOWORDWRAP;
    return CStatic::PreCreateWindow(cs);
}

HBRUSH CColorStatic::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBackground);
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(m_crBackground);
    return (HBRUSH)m_brBackground.GetSafeHandle();
}
