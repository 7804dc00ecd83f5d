// Control bars: windows that a frame lays out along its edges (status bar,
// toolbars, dock bars). A bar reports its size through CalcFixedLayout /
// CalcDynamicLayout and takes its part of the frame's client area when the frame
// sends WM_SIZEPARENT (CFrameWnd::RepositionBars). A bar that allows docking sits
// in one of the frame's dock bars or floats in a small tool window. When the
// program is idle the frame's bars receive WM_IDLEUPDATECMDUI and bring their
// items up to date through command updates (OnUpdateCmdUI) routed by the frame.
//
// A bar's borders and gripper are its non-client area (CalcInsideRect), painted
// on WM_NCPAINT (DrawBorders, DrawGripper); its items fill the client area and
// are painted from WM_PAINT into its surface (DoPaint), so a derived bar may paint
// everything itself through a CDC. The whole bar hit-tests as client area.
#pragma once

#include "platform/wnd/CWnd.h"
#include "platform/frames/FrameIds.h"

// Bar styles (the low word and the gripper bit of the style passed at creation;
// the rest of that style is the window's).
#define CBRS_FLOATING 0x0001L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

class CDockBar;
class CFrameWnd;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // ---- attributes
    // Items of the bar (buttons, panes).
    int GetCount() const { return m_nCount; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    DWORD GetBarStyle() const { return m_dwStyle; }
    // Keeps only the bar bits (CBRS_ALL); calls OnBarStyleChange first.
    void SetBarStyle(DWORD dwStyle);
    // The sides the bar may be docked on (CBRS_ALIGN_*), 0 for none.
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    virtual BOOL IsVisible() const;
    // The frame that lays the bar out: the floating frame while floating, else the dock site.
    CFrameWnd* GetDockingFrame() const;

    // ---- sizes
    // The size the bar wants: bStretch fills the whole length, bHorz docks horizontally.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // nMode is a set of LM_* flags; the base asks CalcFixedLayout.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Shrinks a window rectangle to the client area: by the border lines, the
    // gripper and the borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // ---- updating and painting
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // Paints the items into the client area; the base paints nothing.
    virtual void DoPaint(CDC* pDC);
    // Both draw on a window DC in window coordinates; DrawBorders leaves `rect`
    // inside the border lines.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    // Fills the non-client area with the bar's face and draws borders and gripper.
    void EraseNonClient();

    // Where in a dock bar's row the bar was put (its offset along the row); kept by
    // the dock bar.
    int m_nDockOffset = 0;

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    BOOL m_bAutoDelete = FALSE;
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_cxDefaultGap = 2;
    int m_nMRUWidth = 32767;

protected:
    // Creates the bar as a child of `pParentWnd` (normally its frame): the CBRS_*
    // bits of dwStyle become the bar style, the others the window style. On
    // WM_CREATE every bar registers with its frame and is owned by it, so its
    // commands go there.
    BOOL CreateBar(LPCTSTR lpszClassName, DWORD dwStyle, CWnd* pParentWnd, UINT nID, LPCTSTR lpszTitle = nullptr);
    // The window class of plain bars (button-face background, arrow cursor, double clicks).
    static LPCTSTR BarClassName();
    int m_nCount = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnDestroy();
    void PostNcDestroy() override;

    // Moves the window when the layout is not only measured.
    static void RepositionWindow(struct AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

    DECLARE_MESSAGE_MAP()

    // Whether the bar lays its items out in a row.
    BOOL IsHorzBar() const;
    // The non-client area follows the style and borders.
    void RecalcNonClient();

private:
    void Unregister();
    friend class CFrameWnd;
    friend class CDockBar;
};
