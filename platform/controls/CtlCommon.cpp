// What the control window procedures share (CtlCommon.h): per-window state, notifications to the
// parent, painting scopes, colours, fonts and text measures.
#include "platform/controls/CtlCommon.h"

#include "platform/controls/CAnimateCtrl.h"
#include "platform/controls/CButton.h"
#include "platform/controls/CComboBox.h"
#include "platform/controls/CComboBoxEx.h"
#include "platform/controls/CDateTimeCtrl.h"
#include "platform/controls/CEdit.h"
#include "platform/controls/CHeaderCtrl.h"
#include "platform/controls/CListBox.h"
#include "platform/controls/CListCtrl.h"
#include "platform/controls/CProgressCtrl.h"
#include "platform/controls/CRichEditCtrl.h"
#include "platform/controls/CScrollBar.h"
#include "platform/controls/CSliderCtrl.h"
#include "platform/controls/CStatic.h"
#include "platform/controls/CTabCtrl.h"
#include "platform/wnd/WndInternal.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool g_registered = false;

// Control classes exist from start-up in every program that uses a control class,
// since each wrapper refers to AfxRegisterControlClasses. Registering touches no Qt
// object, so it may run before the application object exists.
const bool kRegisteredAtStartup = (AfxRegisterControlClasses(), true);

template <class T>
std::unique_ptr<CWnd> MakeWrapper()
{
    return std::make_unique<T>();
}

// FromHandle of a control window without a permanent object gives its wrapper class, so the
// casts callers make (GetDlgItem to CEdit*, a list view's header to CHeaderCtrl*) are sound.
void RegisterWrapperClasses()
{
    const std::pair<LPCSTR, std::unique_ptr<CWnd> (*)()> wrappers[] = {
        {WC_STATIC, MakeWrapper<CStatic>},          {WC_BUTTON, MakeWrapper<CButton>},
        {WC_EDIT, MakeWrapper<CEdit>},              {RICHEDIT_CLASS, MakeWrapper<CRichEditCtrl>},
        {RICHEDIT_CLASS10A, MakeWrapper<CRichEditCtrl>}, {WC_LISTBOX, MakeWrapper<CListBox>},
        {WC_COMBOBOX, MakeWrapper<CComboBox>},      {WC_COMBOBOXEX, MakeWrapper<CComboBoxEx>},
        {WC_SCROLLBAR, MakeWrapper<CScrollBar>},    {WC_HEADER, MakeWrapper<CHeaderCtrl>},
        {WC_LISTVIEW, MakeWrapper<CListCtrl>},      {WC_TABCONTROL, MakeWrapper<CTabCtrl>},
        {TRACKBAR_CLASS, MakeWrapper<CSliderCtrl>}, {PROGRESS_CLASS, MakeWrapper<CProgressCtrl>},
        {DATETIMEPICK_CLASS, MakeWrapper<CDateTimeCtrl>}, {ANIMATE_CLASS, MakeWrapper<CAnimateCtrl>},
    };
    for (const auto& [name, make] : wrappers)
        wnd::SetClassWrapperFactory(name, make);
}

} // namespace

void AfxRegisterControlClasses()
{
    if (g_registered)
        return;
    g_registered = true;
    ctl::RegisterStatic();
    ctl::RegisterButton();
    ctl::RegisterEdit();
    ctl::RegisterRichEdit();
    ctl::RegisterListBox();
    ctl::RegisterComboBox();
    ctl::RegisterComboBoxEx();
    ctl::RegisterScrollBar();
    ctl::RegisterHeader();
    ctl::RegisterListView();
    ctl::RegisterTab();
    ctl::RegisterTrackbar();
    ctl::RegisterProgress();
    ctl::RegisterDateTime();
    ctl::RegisterAnimate();
    RegisterWrapperClasses();
}

void InitCommonControls() { AfxRegisterControlClasses(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*)
{
    AfxRegisterControlClasses();
    return TRUE;
}

namespace ctl {

void RegisterSurfaceClass(LPCSTR name, WNDPROC proc, UINT classStyle)
{
    WNDCLASS wc{};
    wc.style = classStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    ::RegisterClass(&wc);
}

// ---------------------------------------------------------------- notifications

int CtlId(HWND h) { return ::GetDlgCtrlID(h); }

LRESULT Command(HWND h, UINT code)
{
    HWND parent = ::GetParent(h);
    if (!parent)
        return 0;
    return ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(CtlId(h), code), (LPARAM)h);
}

LRESULT NotifyTo(HWND target, HWND h, NMHDR* nm, UINT code)
{
    nm->hwndFrom = h;
    nm->idFrom = (UINT_PTR)(UINT)CtlId(h);
    nm->code = code;
    if (!target)
        return 0;
    return ::SendMessage(target, WM_NOTIFY, nm->idFrom, (LPARAM)nm);
}

LRESULT Notify(HWND h, NMHDR* nm, UINT code) { return NotifyTo(::GetParent(h), h, nm, code); }

// ---------------------------------------------------------------- window facts

DWORD Style(HWND h) { return (DWORD)::GetWindowLongPtr(h, GWL_STYLE); }

DWORD SetStyleBits(HWND h, DWORD bits, bool on)
{
    const DWORD style = on ? (Style(h) | bits) : (Style(h) & ~bits);
    ::SetWindowLongPtr(h, GWL_STYLE, (LONG_PTR)(LONG)style);
    return style;
}
DWORD ExStyle(HWND h) { return (DWORD)::GetWindowLongPtr(h, GWL_EXSTYLE); }

bool Enabled(HWND h)
{
    for (; h; h = (Style(h) & WS_CHILD) ? ::GetParent(h) : nullptr)
        if (!::IsWindowEnabled(h))
            return false;
    return true;
}

bool HasFocus(HWND h) { return h && ::GetFocus() == h; }

RECT Client(HWND h)
{
    RECT r{0, 0, 0, 0};
    ::GetClientRect(h, &r);
    return r;
}

std::string Text(HWND h)
{
    const wnd::Window* w = wnd::Find(h);
    return w ? w->text : std::string();
}

HFONT Font(HWND h)
{
    HFONT f = (HFONT)::SendMessage(h, WM_GETFONT, 0, 0);
    return f ? f : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

// ---------------------------------------------------------------- text

int CopyText(const std::string& s, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    const int n = std::min((int)s.size(), size - 1);
    std::memcpy(buffer, s.data(), (size_t)n);
    buffer[n] = 0;
    return n;
}

int CopyLine(const std::string& line, char* buffer)
{
    WORD size = 0;
    std::memcpy(&size, buffer, sizeof size);
    const int n = std::min((int)line.size(), (int)size);
    std::memcpy(buffer, line.data(), (size_t)n);
    if (n < (int)size)
        buffer[n] = 0;
    return n;
}

namespace {

bool IsUtf8(const std::string& s) { return FromQ(ToQ(s)) == s; }

// Texts that are no UTF-8 (single bytes of a symbol font's codes) compare by their
// bytes, ASCII letters without regard to case, so that different bytes never match.
int CompareBytesNoCase(const std::string& a, const std::string& b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (i >= a.size() || i >= b.size())
            return a.size() == b.size() || (i >= a.size() && i >= b.size()) ? 0 : (i >= a.size() ? -1 : 1);
        const int x = std::tolower((unsigned char)a[i]), y = std::tolower((unsigned char)b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

} // namespace

int CompareNoCase(const std::string& a, const std::string& b)
{
    if (!IsUtf8(a) || !IsUtf8(b))
        return CompareBytesNoCase(a, b, std::max(a.size(), b.size()));
    const int c = ToQ(a).compare(ToQ(b), Qt::CaseInsensitive);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix)
{
    if (!IsUtf8(s) || !IsUtf8(prefix))
        return s.size() >= prefix.size() && CompareBytesNoCase(s, prefix, prefix.size()) == 0;
    return ToQ(s).startsWith(ToQ(prefix), Qt::CaseInsensitive);
}

// ---------------------------------------------------------------- measures

namespace {

class ScreenMeasure {
public:
    explicit ScreenMeasure(HFONT font) : m_dc(::CreateCompatibleDC(nullptr))
    {
        m_old = ::SelectObject(m_dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    }
    ~ScreenMeasure()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    ScreenMeasure(const ScreenMeasure&) = delete;
    ScreenMeasure& operator=(const ScreenMeasure&) = delete;
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace

Metrics FontMetrics(HFONT font)
{
    ScreenMeasure m(font);
    TEXTMETRIC tm{};
    Metrics r;
    if (::GetTextMetrics(m.dc(), &tm)) {
        r.height = std::max(1, (int)tm.tmHeight);
        r.ascent = (int)tm.tmAscent;
        r.aveWidth = std::max(1, (int)tm.tmAveCharWidth);
    }
    return r;
}

SIZE TextExtent(HFONT font, const std::string& text)
{
    ScreenMeasure m(font);
    SIZE s{0, 0};
    ::GetTextExtentPoint32(m.dc(), text.c_str(), (int)text.size(), &s);
    return s;
}

// ---------------------------------------------------------------- painting

PaintScope::PaintScope(HWND h, WPARAM wParam) : m_hwnd(h)
{
    if (wParam) {
        m_dc = (HDC)wParam;
        m_saved = ::SaveDC(m_dc);
    } else {
        m_dc = ::BeginPaint(h, &m_ps);
        m_begun = m_dc != nullptr;
    }
}

PaintScope::~PaintScope()
{
    if (m_begun)
        ::EndPaint(m_hwnd, &m_ps);
    else if (m_dc && m_saved)
        ::RestoreDC(m_dc, m_saved);
}

ClientDCScope::ClientDCScope(HWND h) : m_hwnd(h), m_dc(::GetDC(h)) {}

ClientDCScope::~ClientDCScope()
{
    if (m_dc)
        ::ReleaseDC(m_hwnd, m_dc);
}

HBRUSH CtlColor(HWND h, HDC dc, UINT message)
{
    HWND parent = ::GetParent(h);
    HBRUSH brush = parent ? (HBRUSH)::SendMessage(parent, message, (WPARAM)dc, (LPARAM)h) : nullptr;
    if (!brush)
        brush = (HBRUSH)::DefWindowProc(parent ? parent : h, message, (WPARAM)dc, (LPARAM)h);
    return brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE);
}

void SendDrawItem(HWND h, UINT ctlType, UINT itemID, UINT action, UINT state, HDC dc, const RECT& rc,
                  ULONG_PTR data)
{
    HWND parent = ::GetParent(h);
    if (!parent || !dc)
        return;
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ctlType;
    dis.CtlID = (UINT)CtlId(h);
    dis.itemID = itemID;
    dis.itemAction = action;
    dis.itemState = state;
    dis.hwndItem = h;
    dis.hDC = dc;
    dis.rcItem = rc;
    dis.itemData = data;
    const int saved = ::SaveDC(dc);
    ::SendMessage(parent, WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
    ::RestoreDC(dc, saved);
}

UINT SendMeasureItem(HWND h, UINT ctlType, UINT itemID, UINT defaultHeight, ULONG_PTR data, UINT* width)
{
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ctlType;
    mis.CtlID = (UINT)CtlId(h);
    mis.itemID = itemID;
    mis.itemHeight = defaultHeight;
    mis.itemWidth = width ? *width : 0;
    mis.itemData = data;
    if (HWND parent = ::GetParent(h))
        ::SendMessage(parent, WM_MEASUREITEM, mis.CtlID, (LPARAM)&mis);
    if (width)
        *width = mis.itemWidth;
    return mis.itemHeight;
}

COLORREF SysColor(int index) { return (COLORREF)::GetSysColor(index); }

void FillSolid(HDC dc, const RECT& rc, COLORREF color)
{
    const COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rc, "", 0, nullptr);
    ::SetBkColor(dc, old);
}

LRESULT SetCursorMessage(HWND h, WPARAM wParam, LPARAM lParam, LPCSTR cursor)
{
    if (::DefWindowProc(h, WM_SETCURSOR, wParam, lParam))
        return TRUE;
    if ((SHORT)LOWORD(lParam) != HTCLIENT)
        return FALSE;
    ::SetCursor(::LoadCursor(nullptr, cursor));
    return TRUE;
}

} // namespace ctl

namespace ctl {

void SetFrameRegion(HWND h, const RECT& frame, int thickness, const RECT* extra)
{
    const RECT client = Client(h);
    if (Width(client) <= 0 || Height(client) <= 0)
        return;
    HRGN ring = ::CreateRectRgn(frame.left, frame.top, frame.right, frame.bottom);
    if (Width(frame) > 2 * thickness && Height(frame) > 2 * thickness) {
        HRGN inside = ::CreateRectRgn(frame.left + thickness, frame.top + thickness, frame.right - thickness,
                                      frame.bottom - thickness);
        ::CombineRgn(ring, ring, inside, RGN_DIFF);
        ::DeleteObject(inside);
    }
    if (extra && Width(*extra) > 0 && Height(*extra) > 0) {
        HRGN add = ::CreateRectRgn(extra->left, extra->top, extra->right, extra->bottom);
        ::CombineRgn(ring, ring, add, RGN_OR);
        ::DeleteObject(add);
    }
    ::SetWindowRgn(h, ring, TRUE);
}

} // namespace ctl
