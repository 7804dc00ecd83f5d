#include "dialogs/controls/MoreColorsDlg.h"

#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiColorMessages.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/frames/CWinApp.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <vector>

IMPLEMENT_DYNAMIC(CMoreColorsDlg, CDialog)

BEGIN_MESSAGE_MAP(CMoreColorsDlg, CDialog)
    ON_MESSAGE(WM_UI_COLORSELECTED, OnColorSelected)
    ON_MESSAGE(WM_UI_COLORCUSTOM, OnColorCustom)
    ON_BN_CLICKED(IDC_MORE_COLORS_CUSTOM, OnCustom)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMoreColorsDlg::CMoreColorsDlg(CWnd* pParent) : CDialog(IDD_MORE_COLORS, pParent) {}

INT_PTR CMoreColorsDlg::RunColorDialog(COLORREF initial, COLORREF& result)
{
    CColorDialog dlg(initial, CC_FULLOPEN | CC_ANYCOLOR, nullptr);
    const INT_PTR answer = dlg.DoModal();
    result = dlg.GetColor();
    return answer;
}

BOOL CMoreColorsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (UiColorGlobals().bitsPerPixel < 8) {
        const INT_PTR answer = RunColorDialog(m_color, m_color);
        EndDialog((int)answer);
        return TRUE;
    }

    m_picker.SubclassItem(IDC_MORE_COLORS_SELECT, this);
    m_picker.LoadImageBitmap(IDB_EYEDROPPER, -1, RGB(255, 255, 255));

    CRect place;
    if (CWnd* holder = GetDlgItem(IDC_MORE_COLORS_PALETTE)) {
        holder->GetWindowRect(&place);
        ScreenToClient(&place);
    }
    m_honeycomb.Create(WS_CHILD | WS_VISIBLE, place, this, IDC_HONEYCOMB, RGB(255, 255, 255), FALSE);
    if (CUiDropPaletteControl* palette = m_honeycomb.GetControl()) {
        palette->m_borderStyle = 14;
        palette->SetShowCustom(FALSE);
        palette->Layout();
    }

    m_preview.Initialize(IDC_MORE_COLORS_PREVIEW, this, RGB(192, 192, 192), RGB(1, 1, 1), RGB(128, 128, 128), 2);
    if (CUiDropPaletteControl* palette = m_honeycomb.GetControl())
        palette->SelectColor(m_color);
    m_preview.SetNewColor(m_color);
    m_preview.SetCurrentColor(m_color);
    UpdateTexts();
    if (CWinApp* app = AfxGetApp())
        m_pickCursor = app->LoadCursor(IDC_EYEDROPPER_CURSOR);
    return TRUE;
}

void CMoreColorsDlg::UpdateTexts()
{
    CString text;
    text.Format("%u,%u,%u", GetRValue(m_color), GetGValue(m_color), GetBValue(m_color));
    SetDlgItemText(IDC_MORE_COLORS_RGB, text);
    text.Format("%02X%02X%02X", GetRValue(m_color), GetGValue(m_color), GetBValue(m_color));
    SetDlgItemText(IDC_MORE_COLORS_HEX, text);
}

void CMoreColorsDlg::TakeColor(COLORREF color, bool selectInHoneycomb)
{
    if (selectInHoneycomb)
        if (CUiDropPaletteControl* palette = m_honeycomb.GetControl())
            palette->SelectColor(color);
    m_preview.SetNewColor(color);
    m_color = color;
    UpdateTexts();
}

LRESULT CMoreColorsDlg::OnColorSelected(WPARAM wParam, LPARAM)
{
    TakeColor((COLORREF)wParam, false);
    return 0;
}

void CMoreColorsDlg::OnCustom()
{
    COLORREF chosen = m_color;
    if (RunColorDialog(m_color, chosen) == IDOK)
        TakeColor(chosen, true);
}

LRESULT CMoreColorsDlg::OnColorCustom(WPARAM, LPARAM)
{
    CUiDropPaletteControl* palette = m_honeycomb.GetControl();
    COLORREF chosen = palette ? palette->GetCurrentColor() : m_color;
    if (RunColorDialog(chosen, chosen) == IDOK)
        TakeColor(chosen, true);
    if (palette)
        palette->InvalidateArea(palette->GetCustomRect());
    return 0;
}

void CMoreColorsDlg::OnLButtonDown(UINT, CPoint point)
{
    if (m_picker.GetSafeHwnd() && ChildWindowFromPoint(point) == &m_picker) {
        SetCapture();
        ::SetCursor(m_pickCursor);
        m_picking = TRUE;
    }
    Default();
}

void CMoreColorsDlg::OnMouseMove(UINT, CPoint point)
{
    if (m_picking) {
        ClientToScreen(&point);
        const HDC screen = ::GetDC(nullptr);
        const COLORREF color = ::GetPixel(screen, point.x, point.y);
        ::ReleaseDC(nullptr, screen);
        // Off every screen there is no pixel: the colour stays as it was.
        if (color != CLR_INVALID)
            TakeColor(color, true);
    }
    Default();
}

void CMoreColorsDlg::EndPicking()
{
    ::ReleaseCapture();
    m_picking = FALSE;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

void CMoreColorsDlg::OnLButtonUp(UINT, CPoint)
{
    if (m_picking)
        EndPicking();
    Default();
}

BOOL CMoreColorsDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_TAB && ::GetKeyState(VK_SHIFT) < 0 && m_honeycomb.GetSafeHwnd()) {
            m_honeycomb.SetFocus();
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE && m_picking) {
            EndPicking();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CMoreColorsDlg::CreateColorPalette()
{
    CClientDC dc(this);
    if (!(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE))
        return;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 256;
    for (int i = 0; i < 256; ++i) {
        PALETTEENTRY& entry = logical->palPalEntry[i];
        entry.peRed = (BYTE)((i & 7) * 255 / 7);
        entry.peGreen = (BYTE)(((i >> 3) & 7) * 255 / 7);
        entry.peBlue = (BYTE)(((i >> 6) & 3) * 85);
        entry.peFlags = 0;
    }
    m_palette.DeleteObject();
    if (m_palette.CreatePalette(logical))
        RealizeColorPalette();
}

void CMoreColorsDlg::RealizeColorPalette()
{
    CClientDC dc(this);
    CPalette* old = dc.SelectPalette(&m_palette, FALSE);
    dc.RealizePalette();
    dc.SelectPalette(old, FALSE);
}

BOOL CMoreColorsDlg::OnQueryNewPalette()
{
    if (!m_palette.GetSafeHandle())
        return CDialog::OnQueryNewPalette();
    RealizeColorPalette();
    return TRUE;
}

void CMoreColorsDlg::OnPaletteChanged(CWnd* pFocusWnd)
{
    if (pFocusWnd != this && m_palette.GetSafeHandle())
        RealizeColorPalette();
}

void CMoreColorsDlg::OnSysColorChange()
{
    CDialog::OnSysColorChange();
    UiColorGlobals().Refresh();
    if (!m_systemColorFlag)
        return;
    if (UiColorGlobals().bitsPerPixel >= 8) {
        CreateColorPalette();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    } else {
        ShowWindow(SW_HIDE);
        const INT_PTR answer = RunColorDialog(m_color, m_color);
        EndDialog((int)answer);
    }
}

void CMoreColorsDlg::OnDestroy()
{
    if (m_palette.GetSafeHandle())
        m_palette.DeleteObject();
    CDialog::OnDestroy();
}
