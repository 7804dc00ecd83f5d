// The More Colors dialog's preview swatch: an owner-drawn button showing the new
// colour in its upper half over the current colour in its lower half.
#pragma once

#include "platform/controls/CButton.h"

class CUiColorButton : public CButton {
    DECLARE_DYNAMIC(CUiColorButton)
public:
    CUiColorButton();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // A 1-pixel frame white top-left and black bottom-right, and inside it one in
    // the face colour top-left and the shadow colour bottom-right.
    virtual void DrawFrame(CDC* pDC, RECT* pRect, UINT state);
    // The rectangle less 4 pixels: new colour above the middle, current below.
    virtual void DrawSwatch(CDC* pDC, RECT* pRect, COLORREF color);
    virtual void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color);
    virtual void DrawLineTo(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color);

    // Subclasses the dialog item and stores the colours; FALSE when subclassing fails.
    BOOL Initialize(int nID, CWnd* pParent, COLORREF newColor, COLORREF currentColor, COLORREF thirdColor,
                    int style);
    void SetNewColor(COLORREF color);
    void SetCurrentColor(COLORREF color);
    COLORREF GetNewColor() const { return m_newColor; }
    COLORREF GetCurrentColor() const { return m_currentColor; }

protected:
    afx_msg void OnSysColorChange();

    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_currentColor = 0;
    COLORREF m_newColor = RGB(255, 255, 255);
    COLORREF m_thirdColor = 0; // stored by Initialize, not drawn
    int m_style = 0;           // stored by Initialize, not used
};
