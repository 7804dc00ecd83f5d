// A static control that paints itself as an unpressed push button with its window
// text centred in it. Every drawing step is a virtual operation, so that a
// subclass (CUiImageStatic) replaces single steps.
#pragma once

#include "platform/base/CRect.h"
#include "platform/controls/CStatic.h"

class CDC;
class CFont;

class CUiCustomStatic : public CStatic {
    DECLARE_DYNAMIC(CUiCustomStatic)
public:
    CUiCustomStatic();

    // The window's size that holds its frame, margins and content.
    virtual void CalcSize(SIZE* pSize);
    // The text's extent on one line; (0, 0) for empty text.
    virtual CSize GetTextSize(CDC* pDC, const CString& text);
    // Resizes the window to CalcSize in place, then repaints it.
    virtual void SizeToContent();
    virtual void InvalidateControl();
    // Measuring: the content's size as (0, 0, width, height); otherwise the
    // rectangle the content is drawn in.
    virtual void CalcLayout(CDC* pDC, int l, int t, int r, int b, RECT* pOut, BOOL bMeasure);
    virtual void GetContentRect(CDC* pDC, int l, int t, int r, int b, RECT* pOut);
    virtual void DrawLabelText(CDC* pDC, int x, int y, const CString& text);
    // Selects the window's font and keeps the one it replaced for RestoreFont.
    virtual void SelectFont(CDC* pDC);
    virtual void DrawContent(CDC* pDC, RECT* pRect, UINT state);
    virtual void DrawFocus(CDC* pDC, RECT* pRect);
    // The button frame; leaves its interior in *pRect.
    virtual void DrawFrame(CDC* pDC, RECT* pRect, UINT state);
    virtual void RestoreFont(CDC* pDC);

    // The client area inside the button frame as found by the last paint.
    const RECT& GetFrameInterior() const { return m_frameInterior; }

protected:
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()

    int m_margin = 4;

private:
    CRect m_frameInterior;
    CFont* m_previousFont = nullptr;
};
