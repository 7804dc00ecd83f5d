// What the control window procedures share: per-window state, notifications to the
// parent, painting scopes, colours, fonts and text measures. Private to the platform.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/wnd/CWnd.h"
#include "platform/controls/CommCtrl.h"
#include "platform/gdi/GdiObjects.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>

namespace ctl {

// One registration per control family (Ctl*.cpp).
void RegisterStatic();
void RegisterButton();
void RegisterEdit();
void RegisterRichEdit();
void RegisterListBox();
void RegisterComboBox();
void RegisterComboBoxEx();
void RegisterScrollBar();
void RegisterHeader();
void RegisterListView();
void RegisterTab();
void RegisterTrackbar();
void RegisterProgress();
void RegisterDateTime();
void RegisterAnimate();

// Registers a class whose windows draw themselves on their surface.
void RegisterSurfaceClass(LPCSTR name, WNDPROC proc, UINT classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);

// The state of each window of a class. A handler keeps the shared pointer while it
// runs, so a notification whose receiver destroys the control leaves it valid.
template <class T>
class States {
public:
    std::shared_ptr<T> Get(HWND h) const
    {
        auto it = m_map.find(h);
        return it == m_map.end() ? nullptr : it->second;
    }
    std::shared_ptr<T> Make(HWND h)
    {
        auto p = std::make_shared<T>();
        m_map[h] = p;
        return p;
    }
    void Drop(HWND h) { m_map.erase(h); }
    // The state a window procedure works on for `message`: made at WM_NCCREATE,
    // forgotten at WM_NCDESTROY (the returned pointer still holds it). Null when the
    // window has none; the procedure then leaves the message to DefWindowProc, as it
    // does WM_NCDESTROY.
    std::shared_ptr<T> ForMessage(HWND h, UINT message)
    {
        std::shared_ptr<T> p = Get(h);
        if (!p && message == WM_NCCREATE)
            p = Make(h);
        else if (p && message == WM_NCDESTROY)
            Drop(h);
        return p;
    }

private:
    std::unordered_map<HWND, std::shared_ptr<T>> m_map;
};

// ---- notifications
int CtlId(HWND h);
// WM_COMMAND (id, code) with the control as lParam, to the parent.
LRESULT Command(HWND h, UINT code);
// WM_NOTIFY to the parent; fills the header's window, id and code.
LRESULT Notify(HWND h, NMHDR* nm, UINT code);
// As Notify, to a given window (a control notifying the control that owns it).
LRESULT NotifyTo(HWND target, HWND h, NMHDR* nm, UINT code);

// ---- window facts
DWORD Style(HWND h);
DWORD ExStyle(HWND h);
bool Enabled(HWND h);   // the window and its parents are enabled
bool HasFocus(HWND h);
RECT Client(HWND h);
std::string Text(HWND h);
HFONT Font(HWND h);     // WM_GETFONT, else the default GUI font
// Sets (`on`) or clears style bits; the new style.
DWORD SetStyleBits(HWND h, DWORD bits, bool on);

// ---- text
int CopyText(const std::string& s, char* buffer, int size); // zero-terminated; the count copied
// EM_GETLINE: copies `line` into a buffer whose first WORD gives its size, with a
// terminating zero only where it fits; the count copied.
int CopyLine(const std::string& line, char* buffer);
int CompareNoCase(const std::string& a, const std::string& b);
bool StartsWithNoCase(const std::string& s, const std::string& prefix);
inline QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), (qsizetype)s.size()); }
inline std::string FromQ(const QString& s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), (size_t)b.size());
}

// ---- measures (one screen DC, the font selected)
struct Metrics {
    int height = 13;
    int ascent = 10;
    int aveWidth = 6;
};
Metrics FontMetrics(HFONT font);
SIZE TextExtent(HFONT font, const std::string& text);

// ---- painting
// WM_PAINT: BeginPaint, or the DC a caller passed in wParam (double-buffered painting).
class PaintScope {
public:
    PaintScope(HWND h, WPARAM wParam);
    ~PaintScope();
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return m_dc; }
    CDC* cdc() const { return CDC::FromHandle(m_dc); }

private:
    HWND m_hwnd;
    HDC m_dc = nullptr;
    PAINTSTRUCT m_ps{};
    bool m_begun = false;
    int m_saved = 0;
};

// WM_PAINT of a control that draws itself: `paint(dc)` on the DC of a PaintScope.
template <class F>
LRESULT PaintMessage(HWND h, WPARAM wParam, F&& paint)
{
    PaintScope scope(h, wParam);
    if (scope.dc())
        paint(scope.dc());
    return 0;
}

// A DC on the window's surface for drawing outside WM_PAINT.
class ClientDCScope {
public:
    explicit ClientDCScope(HWND h);
    ~ClientDCScope();
    ClientDCScope(const ClientDCScope&) = delete;
    ClientDCScope& operator=(const ClientDCScope&) = delete;
    HDC dc() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// Asks the parent for the control's colours (WM_CTLCOLORxxx); the DC gets the text
// and background colours, the result is never null.
HBRUSH CtlColor(HWND h, HDC dc, UINT message);

// Sends WM_DRAWITEM for a control item to the parent; the DC's state is restored afterwards.
void SendDrawItem(HWND h, UINT ctlType, UINT itemID, UINT action, UINT state, HDC dc, const RECT& rc,
                  ULONG_PTR data);
// Sends WM_MEASUREITEM; returns the height the owner gave (itemHeight on entry is the default).
UINT SendMeasureItem(HWND h, UINT ctlType, UINT itemID, UINT defaultHeight, ULONG_PTR data, UINT* width = nullptr);

COLORREF SysColor(int index);
void FillSolid(HDC dc, const RECT& rc, COLORREF color);

// WM_SETCURSOR: the parent's answer, else the given standard cursor over the client area.
LRESULT SetCursorMessage(HWND h, WPARAM wParam, LPARAM lParam, LPCSTR cursor);

// Rectangle helpers.
inline bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }
inline POINT PointOf(LPARAM lp) { return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

// Vertical scrolling by rows, as list boxes and list views do it.
// Moves the first visible row `top` to `wanted` kept within 0..maxTop; false
// when it stays where it is.
inline bool MoveTop(int& top, int wanted, int maxTop)
{
    wanted = std::clamp(wanted, 0, maxTop);
    if (wanted == top)
        return false;
    top = wanted;
    return true;
}
// A scroll-bar code: `setTop` moves the first visible row; `maxTop` is asked
// only for SB_BOTTOM; codes that do not scroll rows do nothing.
template <class SetTop, class MaxTop>
void ScrollRows(UINT code, int top, int page, int thumb, SetTop&& setTop, MaxTop&& maxTop)
{
    switch (code) {
    case SB_LINEUP: setTop(top - 1); break;
    case SB_LINEDOWN: setTop(top + 1); break;
    case SB_PAGEUP: setTop(top - page); break;
    case SB_PAGEDOWN: setTop(top + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: setTop(thumb); break;
    case SB_TOP: setTop(0); break;
    case SB_BOTTOM: setTop(maxTop()); break;
    default: break;
    }
}
// The rows a WM_MOUSEWHEEL scrolls, three a notch (positive: towards the top);
// the part of a notch not yet scrolled stays in `rest` for the next message.
inline int WheelRows(int& rest, WPARAM wParam)
{
    rest += GET_WHEEL_DELTA_WPARAM(wParam);
    const int rows = rest / WHEEL_DELTA * 3;
    rest %= WHEEL_DELTA;
    return rows;
}

} // namespace ctl

namespace ctl {

// Limits the window to a frame `thickness` pixels wide along `frame` (client
// coordinates) plus `extra`: group boxes and frame statics leave their inside to
// the parent, which shows through there and gets its mouse input.
void SetFrameRegion(HWND h, const RECT& frame, int thickness, const RECT* extra);

} // namespace ctl

namespace ctl {

// Messages between a combo box and its drop-down list ("ComboLBox").
enum ComboPrivate : UINT {
    CBP_LISTCLOSE = WM_USER + 0x7000, // list -> combo: wParam TRUE to take the list's selection, FALSE to cancel
    CBP_EDITKEY = WM_USER + 0x7001,   // edit -> combo: a navigation key (wParam) pressed in the combo's edit; TRUE if used
    CBP_LISTARM = WM_USER + 0x7002,   // combo -> list: the drop was started by a button press (wParam TRUE)
    CBP_LISTHOT = WM_USER + 0x7003,   // combo -> list: hot tracking of the pointer on (wParam TRUE) or off
    CBP_LISTSELECT = WM_USER + 0x7004, // simple combo's list -> combo: the user chose an item, wParam the one before (lParam TRUE: a double click)
    HDP_SETOFFSET = WM_USER + 0x7010, // list view -> header: items start wParam pixels left of the client's edge
};
#define KV_COMBOLBOX_CLASS "ComboLBox"
// The combo box an edit belongs to (the edit is its child 1001), else null.
HWND ComboOfEdit(HWND edit);

} // namespace ctl
