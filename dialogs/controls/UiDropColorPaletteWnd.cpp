#include "dialogs/controls/UiDropColorPaletteWnd.h"

IMPLEMENT_DYNAMIC(CUiDropColorPaletteWnd, CWnd)
IMPLEMENT_DYNAMIC(CUiDropColorButtonPopup, CUiDropColorPaletteWnd)

CUiDropColorPaletteWnd::CUiDropColorPaletteWnd() = default;
CUiDropColorPaletteWnd::~CUiDropColorPaletteWnd() = default;

BOOL CUiDropColorPaletteWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color,
                                    BOOL bPopup)
{
    return CreateHost("CUiDropColorPaletteWnd", dwStyle, rect, pParent, nID, color, bPopup);
}

// ---------------------------------------------------------------- the drop-down pop-up

BEGIN_MESSAGE_MAP(CUiDropColorButtonPopup, CUiDropColorPaletteWnd)
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

BOOL CUiDropColorButtonPopup::CreatePopup(DWORD dwStyle, const RECT* pAnchor, CWnd* pNotify, COLORREF color,
                                         int width, int height, int)
{
    CRect r(0, 0, width, height);
    ::AdjustWindowRectEx(&r, dwStyle | WS_POPUP, FALSE, 0);
    r.OffsetRect(-r.left, -r.top);
    const int w = r.Width(), h = r.Height();
    RECT work{};
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);

    int x, y;
    if (dwStyle & DROP_BELOW) {
        x = pAnchor->left;
        y = pAnchor->bottom;
        if (pAnchor->bottom + h >= work.bottom)
            y = pAnchor->top - h;
        if (pAnchor->left + w >= work.right)
            x = pAnchor->right - w;
    } else {
        x = pAnchor->right;
        y = pAnchor->bottom;
        if (pAnchor->right + w >= work.right)
            x = pAnchor->left - w;
        if (pAnchor->bottom + h >= work.bottom)
            y = pAnchor->top - h;
    }
    r.OffsetRect(x, y);
    if (!Create(dwStyle | WS_POPUP, r, pNotify, 0, color, TRUE))
        return FALSE;
    SetFocus();
    return TRUE;
}

void CUiDropColorButtonPopup::OnActivate(UINT nState, CWnd*, BOOL)
{
    Default();
    // A pop-up that is already hidden has ended its choice (hiding it is what
    // deactivated it): choosing again would report the choice twice, and turn
    // an Escape into a cancellation followed by a selection.
    if (nState == WA_INACTIVE && m_control && IsWindowVisible())
        m_control->EndSelection(m_control->GetCurrentColor(), 0);
}
