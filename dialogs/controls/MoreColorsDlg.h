// The "More Colors" dialog: a honeycomb palette, an eye-dropper that picks the
// colour of any pixel the application shows, the common colour dialog, a
// new/current preview and read-only RGB and hexadecimal texts. The opener sets
// m_color before DoModal and reads it after IDOK. On a display of fewer than 8
// bits per pixel the common colour dialog is shown in its place.
#pragma once

#include "dialogs/controls/UiColorButton.h"
#include "dialogs/controls/UiDropPaletteWnd.h"
#include "dialogs/controls/UiImageStatic.h"
#include "platform/dialogs/CDialog.h"
#include "platform/gdi/GdiObjects.h"

class CMoreColorsDlg : public CDialog {
    DECLARE_DYNAMIC(CMoreColorsDlg)
public:
    enum { IDD = 26000, IDC_HONEYCOMB = 4232 };

    explicit CMoreColorsDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    COLORREF m_color = RGB(255, 255, 255); // the colour being chosen

    CUiDropPaletteWnd& Honeycomb() { return m_honeycomb; }
    CUiColorButton& Preview() { return m_preview; }
    CUiImageStatic& Picker() { return m_picker; }
    BOOL IsPicking() const { return m_picking; }

protected:
    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorCustom(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCustom();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnSysColorChange();
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // The new colour goes to the preview, the honeycomb (optionally) and the texts.
    void TakeColor(COLORREF color, bool selectInHoneycomb);
    void UpdateTexts();
    void EndPicking();
    // Runs the common colour dialog from `initial`; IDOK or IDCANCEL and its colour.
    INT_PTR RunColorDialog(COLORREF initial, COLORREF& result);
    // Only on displays with a hardware palette: a 3-3-2 palette, realised.
    void CreateColorPalette();
    void RealizeColorPalette();

    CString m_empty;
    CUiImageStatic m_picker;
    CUiDropPaletteWnd m_honeycomb;
    CUiColorButton m_preview;
    CPalette m_palette;
    BOOL m_picking = FALSE;
    HCURSOR m_pickCursor = nullptr;
    int m_systemColorFlag = 1;
};
