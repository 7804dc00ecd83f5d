// The label options of one Layer Control row: the attribute field that labels
// the layer's objects, the label font and its colours, the background and the
// frame line, with a preview of a sample label. The row's label block changes
// only on OK; a changed label field reaches the layer at once.
#pragma once

#include "dialogs/controls/UiDropColorButton.h"
#include "platform/controls/CComboBox.h"
#include "platform/dialogs/CDialog.h"

class CLayerControlRow;
struct MapLabelFontBlock;

class CLabelOptionsDlg : public CDialog {
    DECLARE_DYNAMIC(CLabelOptionsDlg)

public:
    CLabelOptionsDlg(CLayerControlRow* row, CWnd* parent = nullptr);

    CLayerControlRow* m_pRow;
    MapLabelFontBlock* m_pBlock;
    CUiDropColorButton m_btnBackground;
    CUiDropColorButton m_btnForeground;
    CUiDropColorButton m_btnLine;
    CComboBox m_cbField;
    CString m_strField;
    int m_nOffset = 2;       // shown and exchanged, kept nowhere
    BOOL m_bRotate = TRUE;   // shown and exchanged, kept nowhere
    BOOL m_bBackground = FALSE;
    BOOL m_bLine = FALSE;
    COLORREF m_crLine = 0;
    COLORREF m_crText = 0;
    COLORREF m_crBackground = 0;

    // The rectangle the preview redraws: the "Preview" group shrunk by 10.
    CRect GetPreviewRect() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPaint();
    afx_msg void OnFont();
    afx_msg void OnSwitch();
    afx_msg LRESULT OnColor(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void RedrawPreview();
};
