// The pop-up that shows the whole text of a grid cell that is too narrow for it,
// over the cell, while the mouse stays on the cell. Clicks and keys that reach
// the tip go on to the window underneath (a left double click as one).
#pragma once

#include "platform/wnd/CWnd.h"

class CCellTitleTip : public CWnd {
public:
    // Stands for "no colour" in Show.
    static constexpr COLORREF kNoColor = 0xff000000;

    // Registers the window class "LayerTitleTip" when it is missing.
    CCellTitleTip();
    ~CCellTitleTip() override;

    // Creates the tip window once; later calls return TRUE.
    BOOL Create(CWnd* parent);
    // `titleRect` and `hoverRect` are in the parent's client coordinates; a null
    // hover rectangle is the title rectangle. Shows the tip only when the text
    // does not fit the title rectangle. `logFont` null: the parent's font.
    void Show(const CRect& titleRect, const CString& text, int xOffset, const CRect* hoverRect,
              const LOGFONT* logFont, COLORREF textColor = kNoColor, COLORREF backColor = kNoColor);
    void Hide();
    BOOL DestroyWindow() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What the tip shows while visible.
    CString GetTipText() const { return m_strText; }

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // Hands a mouse message to the window under the screen point (the parent
    // when that is the tip itself).
    void ForwardMouse(UINT clientMessage, UINT ncMessage, WPARAM flags, POINT screen, bool post);

    CWnd* m_pParent = nullptr;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown = (DWORD)-1;
    DWORD m_dwDblClickMsecs;
    BOOL m_bCreated = FALSE;
    CString m_strText;
    LOGFONT m_LogFont{};
    bool m_bHasFont = false;
    COLORREF m_crText = kNoColor;
    COLORREF m_crBack = kNoColor;
};
