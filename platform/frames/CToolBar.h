// Toolbars: a row (or column, docked on a side) of image buttons and separators.
// The buttons' images are the cells of one bitmap strip; a toolbar resource
// (platform/base/ResourceToolbars.h) gives the image size and the command of every
// button. A click sends WM_COMMAND with the button's command to the bar's owner,
// the frame; command updates enable, check and uncheck the buttons.
//
// Button styles are the class library's TBBS_* values: the button's style in the
// low word and its state in the high word, with TBBS_DISABLED meaning "not
// enabled".
#pragma once

#include "platform/frames/CControlBar.h"

#include <vector>

#ifndef TBSTYLE_BUTTON
#define TBSTYLE_BUTTON 0x0000
#define TBSTYLE_SEP 0x0001
#define TBSTYLE_CHECK 0x0002
#define TBSTYLE_GROUP 0x0004
#define TBSTYLE_CHECKGROUP (TBSTYLE_GROUP | TBSTYLE_CHECK)
#define TBSTYLE_DROPDOWN 0x0008
#define TBSTYLE_AUTOSIZE 0x0010
#define TBSTYLE_NOPREFIX 0x0020
#define TBSTYLE_TOOLTIPS 0x0100
#define TBSTYLE_WRAPABLE 0x0200
#define TBSTYLE_ALTDRAG 0x0400
#define TBSTYLE_FLAT 0x0800
#define TBSTYLE_LIST 0x1000
#define TBSTYLE_CUSTOMERASE 0x2000
#define TBSTYLE_REGISTERDROP 0x4000
#define TBSTYLE_TRANSPARENT 0x8000
#endif
#ifndef TBSTATE_CHECKED
#define TBSTATE_CHECKED 0x01
#define TBSTATE_PRESSED 0x02
#define TBSTATE_ENABLED 0x04
#define TBSTATE_HIDDEN 0x08
#define TBSTATE_INDETERMINATE 0x10
#define TBSTATE_WRAP 0x20
#define TBSTATE_ELLIPSES 0x40
#define TBSTATE_MARKED 0x80
#endif

#define TBBS_BUTTON ((UINT)MAKELONG(TBSTYLE_BUTTON, 0))
#define TBBS_SEPARATOR ((UINT)MAKELONG(TBSTYLE_SEP, 0))
#define TBBS_CHECKBOX ((UINT)MAKELONG(TBSTYLE_CHECK, 0))
#define TBBS_GROUP ((UINT)MAKELONG(TBSTYLE_GROUP, 0))
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN ((UINT)MAKELONG(TBSTYLE_DROPDOWN, 0))
#define TBBS_AUTOSIZE ((UINT)MAKELONG(TBSTYLE_AUTOSIZE, 0))
#define TBBS_NOPREFIX ((UINT)MAKELONG(TBSTYLE_NOPREFIX, 0))
#define TBBS_CHECKED ((UINT)MAKELONG(0, TBSTATE_CHECKED))
#define TBBS_PRESSED ((UINT)MAKELONG(0, TBSTATE_PRESSED))
#define TBBS_DISABLED ((UINT)MAKELONG(0, TBSTATE_ENABLED))
#define TBBS_INDETERMINATE ((UINT)MAKELONG(0, TBSTATE_INDETERMINATE))
#define TBBS_HIDDEN ((UINT)MAKELONG(0, TBSTATE_HIDDEN))
#define TBBS_WRAPPED ((UINT)MAKELONG(0, TBSTATE_WRAP))
#define TBBS_ELLIPSES ((UINT)MAKELONG(0, TBSTATE_ELLIPSES))
#define TBBS_MARKED ((UINT)MAKELONG(0, TBSTATE_MARKED))

struct ResourceToolbar;
struct ResourceBitmap;
class CBitmap;

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_* of the buttons' look (TBSTYLE_FLAT); rcBorders: the bar's borders.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);

    // The toolbar resource `nIDResource` and the bitmap of the same id. FALSE when
    // either is missing; the buttons are then unchanged.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    // Buttons and images from the given toolbar data and bitmap strip.
    BOOL LoadToolBar(const ResourceToolbar& toolbar, const ResourceBitmap& bitmap);
    BOOL LoadBitmap(UINT nIDResource);
    // The strip of button images (cells of the image size, left to right). The
    // bar owns the bitmap from now on and deletes the one it replaces.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // Button images and button sizes; a button is at least the image plus 7 x 6.
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);
    CSize GetButtonSize() const { return m_sizeButton; }
    CSize GetImageSize() const { return m_sizeImage; }

    // One button per id (ID_SEPARATOR makes a separator); images are numbered in
    // order, skipping separators. A null array makes nIDCount empty separators.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    // iImage is the image index of a button and the width of a separator.
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    DWORD GetToolBarStyle() const { return m_dwCtrlStyle; }
    void SetToolBarStyle(DWORD dwStyle) { m_dwCtrlStyle = dwStyle; }
    // The button under a client point, -1 for none (separators and hidden buttons are never hit).
    int HitTest(CPoint point) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    virtual void DrawButton(CDC* pDC, int nIndex, const CRect& rect);

protected:
    struct Button {
        UINT nID = 0;
        BYTE fsStyle = TBSTYLE_BUTTON;
        BYTE fsState = TBSTATE_ENABLED;
        int iImage = 0; // image index; for a separator its width
    };
    std::vector<Button> m_buttons;
    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
    DWORD m_dwCtrlStyle = 0;
    HBITMAP m_hbmImageWell = nullptr;

    // Buttons laid out horizontally (docked top or bottom, or floating)?
    BOOL IsHorzLayout() const;
    void LayoutButtons(std::vector<CRect>& rects) const;
    void InvalidateButton(int nIndex);
    void SendCommand(int nIndex);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // Tool tips (CBRS_TOOLTIPS): the button the pointer rests on shows the text
    // after the first newline of its command's string resource, as the class
    // library's frames do, once the pointer has stayed there for a moment.
    void TrackTip(CPoint point);
    void HideTip();
    int m_iTipButton = -1;
    void ReleaseImages();
    void BuildImages();
    int m_iButtonCapture = -1;
    // The strip as drawn: masked pixels black, with a monochrome mask (1 = transparent)
    // and a shadow copy for disabled buttons.
    CBitmap* m_pImages = nullptr;
    CBitmap* m_pMask = nullptr;
    CBitmap* m_pShadow = nullptr;
};
