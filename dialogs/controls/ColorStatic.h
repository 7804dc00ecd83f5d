// A static text with its own text and background colours: the name cell of a
// layer grid row. The colours are read when the static asks its parent for them
// (the reflected control-colour message).
#pragma once

#include "platform/controls/CStatic.h"
#include "platform/gdi/GdiObjects.h"

class CColorStatic : public CStatic {
public:
    CColorStatic() = default;

    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBackground = RGB(255, 255, 255);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brBackground;
};
