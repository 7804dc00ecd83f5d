#include "dialogs/controls/UiDropPaletteWnd.h"

IMPLEMENT_DYNAMIC(CUiDropPaletteWnd, CWnd)

CUiDropPaletteWnd::CUiDropPaletteWnd() = default;
CUiDropPaletteWnd::~CUiDropPaletteWnd() = default;

BOOL CUiDropPaletteWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, COLORREF color, BOOL bPopup)
{
    return CreateHost("CUiDropPaletteWnd", dwStyle, rect, pParent, nID, color, bPopup);
}
