// Windows. An HWND names a window of the platform: a Qt widget, its class, styles,
// parent or owner, id, text, retained client surface, update region, timers and
// window procedure. A CWnd is the class library's wrapper of an HWND: CWnd::Create
// attaches the object before WM_NCCREATE, so its message map sees every message;
// FromHandle gives a temporary wrapper for a window that has none.
//
// Messages. Qt input becomes Windows messages (client coordinates, MK_* flags, VK_*
// keys followed by WM_CHAR) that wait in one message queue with PostMessage's
// messages; each goes through PreTranslateMessage (the target window up to the main
// window, then the application) and is dispatched to the window procedure.
// SendMessage calls the window procedure at once. A CWnd's procedure is WindowProc:
// the message map (OnWndMsg), else DefWindowProc, which passes the message to the
// procedure the window had before the CWnd subclassed it, and finally to ::DefWindowProc.
//
// Painting. Every window keeps a 32-bit surface the size of its client area, and
// every DC of the window draws into it; the widget only copies the surface to the
// screen. Invalidate adds to the update region and leads to one WM_PAINT (erasing
// first with WM_ERASEBKGND when asked), sent when the window is visible and the
// queue has nothing else.
//
// Extension points for controls, dialogs, property sheets and frames
// (platform/wnd/WndInternal.h has the Qt side):
// - A window class may bring its own Qt widget (a button, an edit, a list view):
//   register the class with RegisterClass and give it a widget factory with
//   wnd::SetClassWidgetFactory; CreateWindowEx and CWnd::Create then build that
//   widget (a factory that returns a wnd::SurfaceWidget keeps the surface drawing,
//   for owner-drawn controls). The class's window procedure implements the control's
//   messages (BM_SETCHECK, WM_SETTEXT, ...) and sends its notifications to the parent
//   (WM_COMMAND with the control id and code, or WM_NOTIFY with an NMHDR). Input
//   reaches the Qt widget's own handling only when the input message gets to
//   ::DefWindowProc, so a subclass that swallows WM_CHAR (a numeric edit) or a
//   button-down keeps it from the widget. Sub-widgets that receive input themselves
//   (a list view's viewport) are added with wnd::AddInputWidget.
// - A parent receives WM_COMMAND / WM_NOTIFY / WM_DRAWITEM / WM_MEASUREITEM /
//   WM_CTLCOLOR* from its children. The control's permanent CWnd sees it first
//   (OnChildNotify, reflected entries ON_CONTROL_REFLECT, ON_NOTIFY_REFLECT,
//   ON_WM_CTLCOLOR_REFLECT); when it does not handle it, the parent's message map
//   and OnCmdMsg do.
// - Frames, views and documents override OnCmdMsg to route commands on, and
//   CWinThread::OnIdle sends WM_IDLEUPDATECMDUI for bars to update their buttons.
//   Window frames come from WM_NCCALCSIZE (margins) and WM_NCPAINT (drawn with a
//   CWindowDC); a frame's menu bar is shown by the presenter of wnd::SetMenuBarPresenter.
// - Modal loops pump with AfxPumpMessage (or GetMessage/DispatchMessage) or a nested
//   Qt event loop, and end on WM_QUIT; AfxIsQuitPending tells whether a quit waits.
#pragma once

#include "platform/wnd/CCmdTarget.h"
#include "platform/base/CRect.h"
#include "platform/base/CString.h"
#include "platform/wnd/Messages.h"

class CDC;
class CFont;
class CMenu;
class CRgn;
class CScrollBar;
class QImage;
class QWidget;
struct CCreateContext;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    ~CWnd() override; // a window still attached is destroyed
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // ---- handles
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The permanent CWnd of a window, else a temporary one that lives as long as the window.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // ---- creation and destruction
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                          int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    // ---- messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers the message to PreTranslateMessage of the target and its parents up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // The message being processed by the innermost window procedure.
    static const MSG* GetCurrentMessage();
    LRESULT Default();

    // ---- parent, owner, children
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetParentOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetTopWindow() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* ChildWindowFromPoint(POINT point) const;
    static CWnd* WindowFromPoint(POINT point);
    static CWnd* GetDesktopWindow();

    // ---- state and geometry
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // The insert-after places of SetWindowPos (HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST).
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop();
    BOOL SetForegroundWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // ---- focus, capture, cursor, timers
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // ---- painting
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    void SetRedraw(BOOL bRedraw = TRUE);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    // The retained client surface (platform use); null without a window.
    QImage* GetSurfaceImage() const;
    // The surface pixel at a client point; CLR_INVALID outside the client area.
    COLORREF GetSurfacePixel(int x, int y) const;

    // ---- scroll bars of the window (WS_HSCROLL / WS_VSCROLL)
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);

    // ---- dialog items
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // ---- command routing and notifications
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Lets the control that sent a parent notification handle it first.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

    // The class library's default handlers: each passes the message on (Default).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);

    HWND m_hWndOwner = nullptr; // set by SetOwner; GetOwner falls back on the parent
    WNDPROC m_pfnSuper = nullptr; // the procedure the window had before this CWnd took it

    DECLARE_MESSAGE_MAP()

private:
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend struct WndAccess;
};

// The window procedure of every window with a permanent CWnd.
LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers a class of the given styles, cursor, background brush and icon under a
// name derived from them; the same arguments give the same name. Throws the resource
// exception when registration fails.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);

// Pumps one message: waits for it, offers it to PreTranslateMessage and dispatches it.
// FALSE when it was WM_QUIT.
BOOL AfxPumpMessage();
BOOL AfxIsQuitPending();
const MSG* AfxGetCurrentMessage();

// ---------------------------------------------------------------- Win32 window calls
ATOM RegisterClass(const WNDCLASS* lpWndClass);
BOOL UnregisterClass(LPCSTR lpClassName, HINSTANCE hInstance);
BOOL GetClassInfo(HINSTANCE hInstance, LPCSTR lpClassName, WNDCLASS* lpWndClass);
int GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount);
HWND CreateWindowEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessage(const MSG* lpMsg);
BOOL WaitMessage();
UINT RegisterWindowMessage(LPCSTR lpString);
DWORD GetMessagePos();
LONG GetMessageTime();

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
inline LONG GetWindowLong(HWND hWnd, int nIndex) { return (LONG)GetWindowLongPtr(hWnd, nIndex); }
inline LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong) { return (LONG)SetWindowLongPtr(hWnd, nIndex, dwNewLong); }
UINT_PTR GetClassLongPtr(HWND hWnd, int nIndex);
UINT_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
inline DWORD GetClassLong(HWND hWnd, int nIndex) { return (DWORD)GetClassLongPtr(hWnd, nIndex); }
inline DWORD SetClassLong(HWND hWnd, int nIndex, LONG dwNewLong) { return (DWORD)SetClassLongPtr(hWnd, nIndex, dwNewLong); }

HWND GetParent(HWND hWnd);
HWND SetParent(HWND hWndChild, HWND hWndNewParent);
HWND GetAncestor(HWND hWnd, UINT gaFlags);
HWND GetWindow(HWND hWnd, UINT uCmd);
HWND GetTopWindow(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
BOOL IsChild(HWND hWndParent, HWND hWnd);
HWND GetDesktopWindow();
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND hWndParent, POINT point);

BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hWnd);
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
inline BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) { return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0); }
BOOL BringWindowToTop(HWND hWnd);
BOOL SetForegroundWindow(HWND hWnd);
HWND GetForegroundWindow();
HWND GetActiveWindow();
HWND SetActiveWindow(HWND hWnd);

BOOL SetWindowText(HWND hWnd, LPCSTR lpString);
int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount);
int GetWindowTextLength(HWND hWnd);
BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPSTR lpString, int nMaxCount);
BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
UINT IsDlgButtonChecked(HWND hDlg, int nIDButton);
LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
HMENU GetMenu(HWND hWnd);
// A frame's menu bar shows through the presenter the frame code installs (WndInternal.h).
BOOL SetMenu(HWND hWnd, HMENU hMenu);
BOOL DrawMenuBar(HWND hWnd);
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);

HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL bErase);
BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);
BOOL ValidateRect(HWND hWnd, LPCRECT lpRect);
BOOL UpdateWindow(HWND hWnd);
BOOL RedrawWindow(HWND hWnd, LPCRECT lprcUpdate, HRGN hrgnUpdate, UINT flags);
BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);
BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, LPCRECT lpRect, LPCRECT lpClipRect);
int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw);
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
// A DC on the window's client surface; GetDC(nullptr) reads what the screen shows.
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
int GetScrollPos(HWND hWnd, int nBar);
BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw);
BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos);
int SetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw);
BOOL GetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO lpsi);
BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);

// ---------------------------------------------------------------- input state, cursors, system
// Key state as of the input read so far: bit 15 down, bit 0 toggled.
SHORT GetKeyState(int nVirtKey);
SHORT GetAsyncKeyState(int vKey);
BOOL GetCursorPos(LPPOINT lpPoint);
BOOL SetCursorPos(int X, int Y);
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
int ShowCursor(BOOL bShow);
HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName);
HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName);
BOOL DestroyCursor(HCURSOR hCursor);
BOOL DestroyIcon(HICON hIcon);
UINT GetDoubleClickTime();
int GetSystemMetrics(int nIndex);
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);
BOOL MessageBeep(UINT uType);

// Cursor and icon resources: the application's resources register their images here
// (32-bit 0xAARRGGBB pixels, rows top-down); LoadCursor / LoadIcon find them by id.
void AfxRegisterCursorResource(UINT id, int width, int height, const DWORD* argbPixels, int hotX, int hotY);
void AfxRegisterIconResource(UINT id, int width, int height, const DWORD* argbPixels);
