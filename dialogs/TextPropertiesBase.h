// What the Text Properties and Label Properties dialogs share: the same roles of
// controls under different ids, the same data exchange and the same rule for
// several items (they start blank and OK applies what was entered to all).
#pragma once

#include "dialogs/controls/UiDropColorButton.h"
#include "platform/dialogs/CDialog.h"
#include "platform/gdi/GdiObjects.h"

class CTextPropertiesBase : public CDialog {
public:
    struct ControlIds {
        int text, font, x, y, angle, line, lineColor, foreground, background, backgroundColor;
    };

    CUiDropColorButton m_lineButton;
    CUiDropColorButton m_foregroundButton;
    CUiDropColorButton m_backgroundButton;
    CString m_strText;
    BOOL m_bBackground = FALSE;
    double m_x = 0;
    double m_y = 0;
    int m_nAngle = 0; // 0 to 3600
    BOOL m_bLine = FALSE;
    COLORREF m_foreground = 0;
    COLORREF m_background = RGB(255, 255, 255);
    COLORREF m_line = 0;
    LOGFONTA m_font{};
    BOOL m_bFontChanged = FALSE;

protected:
    CTextPropertiesBase(UINT templateId, const ControlIds& ids, CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    // Several items: X, Y and Angle start empty, so OK needs numbers typed.
    void EmptyPositionEdits();
    // The pickers show the members' colours.
    void ShowColors();
    // The members take the pickers' colours.
    void ReadColors();
    // The text edit shows `font` upright, `height` high.
    void SetPreviewFont(LOGFONTA font, LONG height);
    void EnableEditing(BOOL enable);

    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    ControlIds m_ids;
    CFont m_previewFont;
};
