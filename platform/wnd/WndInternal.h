// The window records behind HWNDs and the hooks that other parts of the platform
// (controls, dialogs, frames, device contexts) use to work with them. Private to the
// platform: it includes Qt.
#pragma once

#include "platform/wnd/CWnd.h"

#include <QCursor>
#include <QEvent>
#include <QImage>
#include <QMargins>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QScrollBar;

// A cursor handle: a Qt cursor (standard shape or image with hot spot).
struct HCURSOR__ {
    QCursor cursor;
    bool hidden = false; // the null cursor shape
};

// An icon handle: the image and the hot spot (twice the hot spot is the icon's size).
struct HICON__ {
    QImage image;
    QPoint hotSpot;
};

// Reaches the CWnd members the window code sets (CWnd befriends it).
struct WndAccess {
    static void SetHandle(CWnd* wnd, HWND hwnd) { wnd->m_hWnd = hwnd; }
    static WNDPROC Super(const CWnd* wnd) { return wnd->m_pfnSuper; }
    static void SetSuper(CWnd* wnd, WNDPROC proc) { wnd->m_pfnSuper = proc; }
};

namespace wnd {

class Bridge;

// Makes the Qt widget of a new window of a class. `parent` is the widget that
// children are placed in (the parent's widget for a child window, the owner's for
// an owned window, null otherwise); the factory sets neither geometry nor visibility.
using WidgetFactory = std::function<QWidget*(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)>;

struct WndClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    WidgetFactory factory; // empty: a window drawn from its surface
    std::unique_ptr<CWnd> (*makeWrapper)() = nullptr; // the class of FromHandle's temporary; null: CWnd
};

struct Timer {
    int qtId = 0;
    TIMERPROC proc = nullptr;
};

struct ScrollState {
    int min = 0;
    int max = 100;
    int page = 0;
    int pos = 0;
    int trackPos = 0;
    bool disabled = false;
    QScrollBar* bar = nullptr;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WndClass> cls;
    WNDPROC proc = nullptr;
    CWnd* permanent = nullptr;
    std::unique_ptr<CWnd> temporary;
    QPointer<QWidget> widget;
    Bridge* bridge = nullptr; // a child QObject of the widget
    bool surfaceWidget = true; // false: a control's own widget that draws itself
    bool acceptFiles = false;    // DragAcceptFiles: dropped files become WM_DROPFILES
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;
    HWND parent = nullptr;        // WS_CHILD windows
    HWND owner = nullptr;         // top-level windows
    std::vector<HWND> children;   // in z-order, the top one first
    std::string text;
    HFONT font = nullptr;
    HMENU menu = nullptr;
    HMENU sysMenu = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    LONG_PTR userData = 0;
    QMargins nc;                  // non-client insets (borders, edges, scroll bars)
    QImage full;                  // the whole window: frame and client area
    QImage surface;               // the client area: a view into `full`, sharing its pixels
    bool ncDirty = false;         // the frame waits for WM_NCPAINT until the window shows
    QRegion update;               // client coordinates
    bool erase = false;
    bool paintPosted = false;
    bool redraw = true;           // WM_SETREDRAW
    bool destroying = false;
    bool created = false;         // WM_CREATE has returned
    bool applyingGeometry = false;// SetWindowPos is moving the widget: Qt's resize events are ours
    bool shownBeforeOwner = false;// an owned window mapped while its owner was not
    int beginPaints = 0;          // BeginPaint calls, to tell a WM_PAINT that painted nothing
    std::map<UINT_PTR, Timer> timers;
    ScrollState scroll[2];        // SB_HORZ, SB_VERT
    QRect lastReported;           // the window rectangle last announced by WM_SIZE / WM_MOVE
    bool reported = false;
    std::vector<QPointer<QWidget>> inputWidgets; // sub-widgets whose input belongs to this window
};

// The record of a live window; null for a destroyed or invalid handle.
Window* Find(HWND hwnd);
// The window whose widget (or registered input sub-widget) this is.
HWND HandleOf(const QWidget* widget);
// The nearest window that owns `widget` or one of its ancestors.
HWND WindowOf(const QWidget* widget);
QWidget* WidgetOf(HWND hwnd);
// Creates a window; `attach` (may be null) becomes its permanent CWnd before WM_NCCREATE.
HWND CreateWindowFor(CWnd* attach, const CREATESTRUCT& cs, bool* attached = nullptr);
// The creation parameters, taken in the order of CreateWindowEx.
CREATESTRUCT MakeCreateStruct(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx,
                              int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// The desktop's pseudo window (no widget): the screen.
HWND DesktopHandle();
// Where the client area starts inside the widget.
QPoint ClientOrigin(HWND hwnd);
QImage* SurfaceOf(HWND hwnd);
// The whole window's image (what window DCs draw on); the client surface is part of it.
QImage* WindowSurfaceOf(HWND hwnd);
// The surface changed in `clientRect` (or `windowRect`): the widget repaints that part.
void SurfaceChanged(HWND hwnd, const QRect& clientRect);
void WindowSurfaceChanged(HWND hwnd, const QRect& windowRect);
// Sends WM_NCPAINT to a visible window with a frame; a hidden one gets it when shown.
void PaintNonClient(HWND hwnd);

// Controls: the widget a class's windows are built with, and sub-widgets (a list
// view's viewport, a combo box's edit) whose input is the window's input.
bool SetClassWidgetFactory(LPCSTR className, WidgetFactory factory);
// The wrapper class FromHandle makes for a window of this class that has no permanent object, so
// that a caller may treat it as the control it is (a CEdit for an edit window).
bool SetClassWrapperFactory(LPCSTR className, std::unique_ptr<CWnd> (*make)());
void AddInputWidget(HWND hwnd, QWidget* subWidget);

// The screen rectangle of the window; the client rectangle in screen coordinates.
QRect WindowRectOnScreen(HWND hwnd);
QRect ClientRectOnScreen(HWND hwnd);

// Menu bars: SetMenu and DrawMenuBar hand the window and its menu (null for none) to the
// presenter, which shows them; without one a menu bar is only remembered.
using MenuBarPresenter = std::function<void(HWND hwnd, HMENU menu)>;
void SetMenuBarPresenter(MenuBarPresenter presenter);
// The default presenter: a Qt menu bar over the top of the window's non-client
// area, whose height the window's non-client calculation adds (0 without one).
void PresentMenuBar(HWND hwnd, HMENU menu);
int MenuBarHeight(HWND hwnd);
// A tool tip: `text` shown below the pointer until the pointer leaves `area`
// (client coordinates of hwnd) or HideToolTip is called.
void ShowToolTip(HWND hwnd, const RECT& area, const char* text);
void HideToolTip();
// The menu bar from the keyboard (SC_KEYMENU): opens the popup whose mnemonic is
// `mnemonic`, or the first popup for 0; false when the window shows no such menu.
bool OpenMenuBarByKey(HWND hwnd, char mnemonic);
// Drag and drop of files on a window that accepts them (DragAcceptFiles): the
// drop becomes WM_DROPFILES; true when the event was the window's.
bool DropFiles(HWND hwnd, QEvent* event);

// Cursors.
HCURSOR StandardCursor(UINT id);
void ApplyCursor(HWND hwnd, HCURSOR cursor);
// The window of the latest mouse message: where SetCursor shows its cursor.
void NoteMouseWindow(HWND hwnd);

// The message queue (WndQueue.cpp).
// The Qt event behind an input message for a control's own widget: handed to the
// widget when the message named by deliverOn reaches ::DefWindowProc.
struct NativeInput {
    QPointer<QWidget> receiver;
    std::unique_ptr<QEvent> event;
    UINT deliverOn = 0;
    bool delivered = false;
};
// Input that arrives while earlier input waits for a pumping caller: the Qt event is
// held in the queue and routed to a window only once everything before it has been
// dispatched. Windows, too, finds the window of queued input when it takes it out, so
// a click that enables a button lets a second click already on its way press it.
// The event is made again when it is routed: Qt's pointer events share their point with
// the device, so a kept one would take the position of whatever arrived after it.
struct HeldInput {
    QPointer<QWindow> window;
    std::function<std::unique_ptr<QEvent>(QWindow*)> make; // the event in the window's coordinates
};
// Whether a Qt input event must be held rather than turned into a message now.
bool MustHoldInput();
// Whether held input is being routed: its messages wait for the loop that routes it.
bool RoutingHeldInput();
void HoldInput(QWindow* window, std::function<std::unique_ptr<QEvent>(QWindow*)> make);
bool PeekModeActive();
// Whether a message was handled since the last call (idle processing restarts then).
bool TakeMessageSinceIdle();
void DeliverToWidget(NativeInput& native);
void EnqueueInput(const MSG& msg, std::shared_ptr<NativeInput> native, std::string chars);
void EnqueueTimer(HWND hwnd, UINT_PTR id, TIMERPROC proc);
void PurgeQueue(HWND hwnd);
void PurgeTimer(HWND hwnd, UINT_PTR id);
void DrainQueue();
DWORD MessageTime();
void NoteInputState(const MSG& msg, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
void NoteKey(UINT vk, bool down);
// ::DefWindowProc of an input message lets the control's widget have the Qt event.
bool DeliverNativeInput(HWND hwnd, UINT message);
void SetCursorPosition(const QPoint& global, bool synthetic);

// Window DCs (WindowDC.cpp): a destroyed window's DCs stop drawing.
void DetachWindowDCs(HWND hwnd);

// Painting (WndPaint.cpp).
void SchedulePaint(HWND hwnd);
void PaintNow(HWND hwnd);
void ResizeSurface(Window* w);
void ShownByQt(HWND hwnd);
// Geometry (WndGeometry.cpp): the non-client insets from WM_NCCALCSIZE, and Qt's changes.
void ApplyNonClient(Window* w);
void ClientSizeChangedByQt(HWND hwnd);
void WindowStateChangedByQt(HWND hwnd);
// Focus and activation (WndFocus.cpp).
void FocusInByQt(HWND hwnd);
void FocusOutByQt(HWND hwnd, bool applicationDeactivated);
void ActivationByQt(HWND hwnd, bool active);
// An owned window stays above its owner: the owner shown, activated or clicked
// raises the visible windows it owns again (a window manager raises the owner
// on a click without keeping them above it). One shown before its owner was is
// shown again once the owner is active: a window manager reads a window's owner
// when it maps it, and takes one it has not mapped yet for none; by the owner's
// activation it has mapped both.
void RaiseOwnedWindows(HWND owner, bool ownerActive);
// Scroll bars (WndScroll.cpp).
void UpdateScrollBars(Window* w);
void ScrollBarAction(HWND hwnd, int bar, int code, int pos);

// Qt key to virtual key (WndKeys.cpp): 0 for keys without one.
UINT VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
bool IsExtendedKey(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace wnd
