// Window records and their registries, window classes, creation and destruction, the
// tree of parents, owners and siblings, window longs, visibility, enabling, text and
// menu bars. A handle names its record until the window is destroyed and is never
// reused, so a stale handle names no window.
#include "platform/wnd/WndShared.h"

#include "platform/wnd/CMenu.h"
#include "platform/wnd/CWinThread.h"
#include "platform/wnd/WndWidget.h"

#include <QApplication>

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace wnd {

HWND g_focus = nullptr;
HWND g_capture = nullptr;
HWND g_active = nullptr;
HWND g_desktop = nullptr;

namespace {

// The registries outlive every static object: CWnd objects destroyed at exit may still look their windows up.
std::unordered_map<HWND, std::unique_ptr<Window>>& Windows()
{
    static auto* windows = new std::unordered_map<HWND, std::unique_ptr<Window>>;
    return *windows;
}

std::unordered_map<const QWidget*, HWND>& Widgets()
{
    static auto* widgets = new std::unordered_map<const QWidget*, HWND>;
    return *widgets;
}

std::unordered_map<std::string, std::shared_ptr<WndClass>>& Classes()
{
    static auto* classes = new std::unordered_map<std::string, std::shared_ptr<WndClass>>;
    return *classes;
}

// Handles are never reused: a stale handle names no window.
uintptr_t g_nextHandle = 0x200000;

std::string Key(LPCSTR name)
{
    std::string k = name ? name : "";
    for (char& c : k)
        c = (char)std::tolower((unsigned char)c);
    return k;
}

LRESULT CallProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND h = w->handle;
    WNDPROC proc = w->proc;
    return proc ? proc(h, message, wParam, lParam) : ::DefWindowProc(h, message, wParam, lParam);
}

void DestroyTree(HWND h, std::vector<QPointer<QWidget>>& roots, bool root)
{
    Window* w = Find(h);
    if (!w)
        return;
    w->destroying = true;
    if (root && w->widget)
        roots.push_back(w->widget);
    ::SendMessage(h, WM_DESTROY, 0, 0);
    if ((w = Find(h)) == nullptr)
        return;
    const std::vector<HWND> children = w->children;
    for (HWND c : children)
        DestroyTree(c, roots, false);
    if ((w = Find(h)) == nullptr)
        return;
    ::SendMessage(h, WM_NCDESTROY, 0, 0);
    if ((w = Find(h)) == nullptr)
        return;

    for (auto& [id, timer] : w->timers)
        if (w->bridge && timer.qtId)
            w->bridge->killTimer(timer.qtId);
    w->timers.clear();
    PurgeQueue(h);
    DetachWindowDCs(h);
    if (std::vector<HWND>* siblings = SiblingList(w))
        std::erase(*siblings, h);
    if (w->permanent) {
        WndAccess::SetHandle(w->permanent, nullptr);
        w->permanent = nullptr;
    }
    if (w->temporary)
        WndAccess::SetHandle(w->temporary.get(), nullptr);
    if (w->sysMenu)
        ::DestroyMenu(w->sysMenu);
    if (w->bridge) {
        w->bridge->Detach();
        if (w->widget)
            w->widget->removeEventFilter(w->bridge);
        for (const QPointer<QWidget>& sub : w->inputWidgets)
            if (sub)
                sub->removeEventFilter(w->bridge);
    }
    for (auto it = Widgets().begin(); it != Widgets().end();)
        it = it->second == h ? Widgets().erase(it) : std::next(it);
    if (g_focus == h)
        g_focus = nullptr;
    if (g_active == h)
        g_active = nullptr;
    if (g_capture == h)
        g_capture = nullptr;
    std::unique_ptr<Window> record = std::move(Windows()[h]);
    Windows().erase(h);
    // The temporary wrapper goes with the record; its handle is already cleared.
}

} // namespace

std::vector<HWND>& TopLevels()
{
    static auto* list = new std::vector<HWND>; // outlives static objects, as the registries above
    return *list;
}

void RaiseTopLevel(HWND h)
{
    std::vector<HWND>& tops = TopLevels();
    auto it = std::find(tops.begin(), tops.end(), h);
    if (it == tops.end())
        return;
    tops.erase(it);
    tops.insert(tops.begin(), h);
    // Owned windows stay above their owner (a child named as owner stands for its top-level window).
    std::vector<HWND> owned;
    for (HWND t : tops)
        if (Window* tw = Find(t))
            if (t != h && tw->owner && TopLevelOf(tw->owner) == h)
                owned.push_back(t);
    for (auto o = owned.rbegin(); o != owned.rend(); ++o)
        RaiseTopLevel(*o);
}

HWND TopLevelOf(HWND h)
{
    Window* w = Find(h);
    while (w && IsChildStyle(w->style) && Find(w->parent)) {
        h = w->parent;
        w = Find(h);
    }
    return h;
}

bool IsSelfOrDescendant(HWND ancestor, HWND h)
{
    for (Window* w = Find(h); w; w = IsChildStyle(w->style) ? Find(w->parent) : nullptr)
        if (w->handle == ancestor)
            return true;
    return false;
}

std::vector<HWND>* SiblingList(Window* w)
{
    if (IsChildStyle(w->style)) {
        Window* p = Find(w->parent);
        return p ? &p->children : nullptr;
    }
    return &TopLevels();
}

// ---------------------------------------------------------------- lookups

Window* Find(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? nullptr : it->second.get();
}

HWND HandleOf(const QWidget* widget)
{
    auto it = Widgets().find(widget);
    return it == Widgets().end() ? nullptr : it->second;
}

HWND WindowOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (HWND h = HandleOf(widget))
            return h;
    return nullptr;
}

QWidget* WidgetOf(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w ? w->widget.data() : nullptr;
}

HWND DesktopHandle()
{
    if (!g_desktop) {
        auto w = std::make_unique<Window>();
        g_nextHandle += 16;
        w->handle = reinterpret_cast<HWND>(g_nextHandle);
        w->style = WS_VISIBLE | WS_POPUP;
        w->surfaceWidget = false;
        w->created = true;
        g_desktop = w->handle;
        Windows().emplace(g_desktop, std::move(w));
    }
    return g_desktop;
}

bool SetClassWidgetFactory(LPCSTR className, WidgetFactory factory)
{
    auto it = Classes().find(Key(className));
    if (it == Classes().end())
        return false;
    it->second->factory = std::move(factory);
    return true;
}

bool SetClassWrapperFactory(LPCSTR className, std::unique_ptr<CWnd> (*make)())
{
    auto it = Classes().find(Key(className));
    if (it == Classes().end())
        return false;
    it->second->makeWrapper = make;
    return true;
}

void AddInputWidget(HWND hwnd, QWidget* subWidget)
{
    Window* w = Find(hwnd);
    if (!w || !w->bridge || !subWidget)
        return;
    subWidget->installEventFilter(w->bridge);
    subWidget->setMouseTracking(true);
    subWidget->setAttribute(Qt::WA_NoMousePropagation);
    w->inputWidgets.push_back(subWidget);
    Widgets()[subWidget] = hwnd;
}

// ---------------------------------------------------------------- creation

CREATESTRUCT MakeCreateStruct(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx,
                              int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    CREATESTRUCT cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cy = cy;
    cs.cx = cx;
    cs.y = y;
    cs.x = x;
    cs.style = (LONG)style;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    return cs;
}

HWND CreateWindowFor(CWnd* attach, const CREATESTRUCT& csIn, bool* attached)
{
    if (attached)
        *attached = false;
    CREATESTRUCT cs = csIn;
    auto clsIt = Classes().find(Key(cs.lpszClass));
    if (clsIt == Classes().end())
        return nullptr;
    std::shared_ptr<WndClass> cls = clsIt->second;
    DWORD style = (DWORD)cs.style;
    HWND parent = nullptr;
    HWND owner = nullptr;
    if (style & WS_CHILD) {
        parent = cs.hwndParent;
        if (!Find(parent) || parent == g_desktop)
            return nullptr;
    } else {
        owner = cs.hwndParent && cs.hwndParent != g_desktop ? TopLevelOf(cs.hwndParent) : nullptr;
        if (!(style & WS_POPUP))
            style |= WS_CAPTION | WS_CLIPSIBLINGS; // an overlapped window always has a caption
    }
    const bool visible = (style & WS_VISIBLE) != 0;
    style &= ~(DWORD)WS_VISIBLE;
    cs.style = (LONG)style;

    auto record = std::make_unique<Window>();
    Window* w = record.get();
    g_nextHandle += 16;
    const HWND h = reinterpret_cast<HWND>(g_nextHandle);
    w->handle = h;
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style;
    w->exStyle = cs.dwExStyle;
    w->parent = parent;
    w->owner = owner;
    if (style & WS_CHILD)
        w->id = (UINT_PTR)cs.hMenu;
    else
        w->menu = ::IsMenu(cs.hMenu) ? cs.hMenu : nullptr;
    w->text = cs.lpszName ? cs.lpszName : "";
    Windows().emplace(h, std::move(record));
    if (attach) {
        w->permanent = attach;
        WndAccess::SetHandle(attach, h);
        if (!WndAccess::Super(attach))
            WndAccess::SetSuper(attach, cls->proc);
        w->proc = AfxWndProc;
    }

    // The widget.
    QWidget* parentWidget = parent ? WidgetOf(parent) : owner ? WidgetOf(owner) : nullptr;
    QWidget* widget = nullptr;
    if (cls->factory) {
        widget = cls->factory(h, cs, parentWidget);
        w->surfaceWidget = dynamic_cast<SurfaceWidget*>(widget) != nullptr;
    } else {
        Qt::WindowFlags flags = Qt::Widget;
        if (!(style & WS_CHILD)) {
            if (DrawnFrame(style))
                flags = (owner ? Qt::Tool : Qt::Window) | Qt::FramelessWindowHint;
            else if (cs.dwExStyle & WS_EX_TOOLWINDOW)
                flags = Qt::Tool;
            else
                flags = owner ? Qt::Dialog : Qt::Window;
            if (cs.dwExStyle & WS_EX_TOPMOST)
                flags |= Qt::WindowStaysOnTopHint;
        }
        widget = new SurfaceWidget(h, parentWidget, flags);
    }
    if (!widget) {
        Windows().erase(h);
        if (attach)
            WndAccess::SetHandle(attach, nullptr);
        return nullptr;
    }
    w->widget = widget;
    Widgets()[widget] = h;
    w->bridge = new Bridge(h, widget);
    widget->installEventFilter(w->bridge);
    if (!w->surfaceWidget) {
        widget->setMouseTracking(true);
        widget->setAttribute(Qt::WA_NoMousePropagation);
    }
    if (parent)
        Find(parent)->children.push_back(h);
    else
        TopLevels().insert(TopLevels().begin(), h);
    widget->setVisible(false);

    // Geometry: CW_USEDEFAULT lets the platform choose for top-level windows.
    int x = cs.x, y = cs.y, cx = cs.cx, cy = cs.cy;
    if (!(style & WS_CHILD)) {
        const QRect screen = ScreenRect();
        if (x == CW_USEDEFAULT) {
            x = screen.left() + 40;
            y = screen.top() + 40;
        }
        if (cx == CW_USEDEFAULT) {
            cx = std::min(800, screen.width() * 3 / 4);
            cy = std::min(600, screen.height() * 3 / 4);
        }
        widget->setWindowTitle(QString::fromUtf8(w->text.c_str()));
    } else {
        if (x == CW_USEDEFAULT)
            x = y = 0;
        if (cx == CW_USEDEFAULT)
            cx = cy = 0;
    }
    SetRelativeRect(w, QRect(x, y, cx, cy));

    if (attached)
        *attached = attach != nullptr;
    if (!::SendMessage(h, WM_NCCREATE, 0, (LPARAM)&cs)) {
        ::DestroyWindow(h);
        return nullptr;
    }
    if ((w = Find(h)) == nullptr)
        return nullptr;
    ApplyNonClient(w);
    if ((w = Find(h)) == nullptr)
        return nullptr;
    if (::SendMessage(h, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        ::DestroyWindow(h);
        return nullptr;
    }
    if ((w = Find(h)) == nullptr)
        return nullptr;
    w->created = true;
    // A menu given at creation is the window's menu bar from the start, as one
    // set later with SetMenu is.
    if (w->menu) {
        ::DrawMenuBar(h);
        if ((w = Find(h)) == nullptr)
            return nullptr;
    }
    {
        const QRect r = RelativeRect(w);
        const QSize client = ClientSize(w);
        w->lastReported = r;
        w->reported = true;
        const UINT type = (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        ::SendMessage(h, WM_SIZE, type, MAKELPARAM(client.width(), client.height()));
        if ((w = Find(h)) == nullptr)
            return nullptr;
        const QPoint origin = r.topLeft() + NcOrigin(w);
        ::SendMessage(h, WM_MOVE, 0, MAKELPARAM(origin.x(), origin.y()));
        if ((w = Find(h)) == nullptr)
            return nullptr;
    }
    // A new window has everything to paint.
    ::InvalidateRect(h, nullptr, TRUE);
    if (visible)
        ::ShowWindow(h, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return Find(h) ? h : nullptr;
}

} // namespace wnd

using namespace wnd;

// ---------------------------------------------------------------- classes

ATOM RegisterClass(const WNDCLASS* lpWndClass)
{
    if (!lpWndClass || !lpWndClass->lpszClassName || !*lpWndClass->lpszClassName)
        return 0;
    const std::string key = Key(lpWndClass->lpszClassName);
    if (Classes().count(key))
        return 0;
    auto cls = std::make_shared<WndClass>();
    cls->name = lpWndClass->lpszClassName;
    cls->style = lpWndClass->style;
    cls->proc = lpWndClass->lpfnWndProc ? lpWndClass->lpfnWndProc : ::DefWindowProc;
    cls->icon = lpWndClass->hIcon;
    cls->cursor = lpWndClass->hCursor;
    cls->background = lpWndClass->hbrBackground;
    Classes().emplace(key, std::move(cls));
    static ATOM next = 0xC000;
    return next++;
}

BOOL UnregisterClass(LPCSTR lpClassName, HINSTANCE)
{
    return Classes().erase(Key(lpClassName)) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR lpClassName, WNDCLASS* lpWndClass)
{
    auto it = Classes().find(Key(lpClassName));
    if (it == Classes().end())
        return FALSE;
    if (lpWndClass) {
        *lpWndClass = WNDCLASS{};
        lpWndClass->style = it->second->style;
        lpWndClass->lpfnWndProc = it->second->proc;
        lpWndClass->hIcon = it->second->icon;
        lpWndClass->hCursor = it->second->cursor;
        lpWndClass->hbrBackground = it->second->background;
        lpWndClass->lpszClassName = it->second->name.c_str();
    }
    return TRUE;
}

int GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    Window* w = Find(hWnd);
    if (!w || !w->cls || !lpClassName || nMaxCount <= 0)
        return 0;
    const size_t n = std::min(w->cls->name.size(), (size_t)nMaxCount - 1);
    w->cls->name.copy(lpClassName, n);
    lpClassName[n] = 0;
    return (int)n;
}

// ---------------------------------------------------------------- creation and destruction

HWND CreateWindowEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    return CreateWindowFor(nullptr, MakeCreateStruct(dwExStyle, lpClassName, lpWindowName, dwStyle, x, y, nWidth, nHeight,
                                                     hWndParent, hMenu, hInstance, lpParam));
}

BOOL DestroyWindow(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w || hWnd == g_desktop)
        return FALSE;
    if (w->destroying)
        return TRUE;
    w->destroying = true;
    // Owned windows go first.
    const std::vector<HWND> tops = TopLevels();
    for (HWND t : tops)
        if (Window* tw = Find(t))
            if (tw->owner == hWnd)
                ::DestroyWindow(t);
    if ((w = Find(hWnd)) == nullptr)
        return TRUE;
    if (g_capture && IsSelfOrDescendant(hWnd, g_capture))
        ::ReleaseCapture();
    if (g_focus && IsSelfOrDescendant(hWnd, g_focus))
        SwitchFocus(nullptr);
    if ((w = Find(hWnd)) == nullptr)
        return TRUE;
    if (w->widget)
        w->widget->hide();
    std::vector<QPointer<QWidget>> roots;
    DestroyTree(hWnd, roots, true);
    // The widget may be in the middle of delivering the event that led here.
    for (const QPointer<QWidget>& widget : roots)
        if (widget)
            widget->deleteLater();
    return TRUE;
}

BOOL IsWindow(HWND hWnd) { return Find(hWnd) != nullptr; }

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    return CallProc(w, message, wParam, lParam);
}

LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!lpPrevWndFunc)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    return lpPrevWndFunc(hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------- longs

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex)
{
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exStyle;
    case GWLP_ID: return (LONG_PTR)w->id;
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_USERDATA: return w->userData;
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(IsChildStyle(w->style) ? w->parent : w->owner);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(AfxGetInstanceHandle());
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR value)
{
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWL_STYLE: {
        const DWORD old = w->style;
        DWORD now = (DWORD)value;
        if (IsChildStyle(old) != IsChildStyle(now))
            now = (now & ~(DWORD)WS_CHILD) | (old & WS_CHILD); // parentage changes only through SetParent
        w->style = now;
        if (w->widget && ((old ^ now) & WS_VISIBLE))
            w->widget->setVisible((now & WS_VISIBLE) != 0);
        if (w->widget && ((old ^ now) & WS_DISABLED) && (IsChildStyle(now) || !w->surfaceWidget))
            w->widget->setEnabled(!(now & WS_DISABLED));
        return (LONG_PTR)(LONG)old;
    }
    case GWL_EXSTYLE: {
        const DWORD old = w->exStyle;
        w->exStyle = (DWORD)value;
        return (LONG_PTR)(LONG)old;
    }
    case GWLP_ID: {
        const UINT_PTR old = w->id;
        w->id = (UINT_PTR)value;
        return (LONG_PTR)old;
    }
    case GWLP_WNDPROC: {
        WNDPROC old = w->proc;
        w->proc = reinterpret_cast<WNDPROC>(value);
        return reinterpret_cast<LONG_PTR>(old);
    }
    case GWLP_USERDATA: {
        const LONG_PTR old = w->userData;
        w->userData = value;
        return old;
    }
    default:
        return 0;
    }
}

UINT_PTR GetClassLongPtr(HWND hWnd, int nIndex)
{
    Window* w = Find(hWnd);
    if (!w || !w->cls)
        return 0;
    switch (nIndex) {
    case GCL_STYLE: return w->cls->style;
    case GCLP_HCURSOR: return reinterpret_cast<UINT_PTR>(w->cls->cursor);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<UINT_PTR>(w->cls->background);
    case GCLP_HICON: return reinterpret_cast<UINT_PTR>(w->cls->icon);
    case GCLP_WNDPROC: return reinterpret_cast<UINT_PTR>(w->cls->proc);
    default: return 0;
    }
}

UINT_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR value)
{
    Window* w = Find(hWnd);
    if (!w || !w->cls)
        return 0;
    const UINT_PTR old = GetClassLongPtr(hWnd, nIndex);
    switch (nIndex) {
    case GCL_STYLE: w->cls->style = (UINT)value; break;
    case GCLP_HCURSOR: w->cls->cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCLP_HBRBACKGROUND: w->cls->background = reinterpret_cast<HBRUSH>(value); break;
    case GCLP_HICON: w->cls->icon = reinterpret_cast<HICON>(value); break;
    case GCLP_WNDPROC: w->cls->proc = reinterpret_cast<WNDPROC>(value); break;
    default: return 0;
    }
    return old;
}

// ---------------------------------------------------------------- parents, owners, siblings

HWND GetParent(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w)
        return nullptr;
    if (IsChildStyle(w->style))
        return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent)
{
    Window* w = Find(hWndChild);
    Window* p = Find(hWndNewParent);
    if (!w || !IsChildStyle(w->style) || !p || hWndNewParent == g_desktop || IsSelfOrDescendant(hWndChild, hWndNewParent))
        return nullptr;
    const HWND old = w->parent;
    if (old == hWndNewParent)
        return old;
    const QRect r = RelativeRect(w);
    if (std::vector<HWND>* siblings = SiblingList(w))
        std::erase(*siblings, hWndChild);
    w->parent = hWndNewParent;
    p->children.push_back(hWndChild);
    if (w->widget && p->widget) {
        w->widget->setParent(p->widget);
        SetRelativeRect(w, r);
        w->widget->setVisible((w->style & WS_VISIBLE) != 0);
    }
    return old;
}

HWND GetAncestor(HWND hWnd, UINT gaFlags)
{
    Window* w = Find(hWnd);
    if (!w)
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT: return IsChildStyle(w->style) ? w->parent : DesktopHandle();
    case GA_ROOT: return TopLevelOf(hWnd);
    case GA_ROOTOWNER: {
        HWND h = TopLevelOf(hWnd);
        while (Window* t = Find(h)) {
            if (!t->owner)
                break;
            h = TopLevelOf(t->owner);
        }
        return h;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    Window* w = Find(hWnd);
    if (!w)
        return nullptr;
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER)
        return IsChildStyle(w->style) ? nullptr : w->owner;
    std::vector<HWND>* siblings = SiblingList(w);
    if (!siblings || siblings->empty())
        return nullptr;
    auto it = std::find(siblings->begin(), siblings->end(), hWnd);
    switch (uCmd) {
    case GW_HWNDFIRST: return siblings->front();
    case GW_HWNDLAST: return siblings->back();
    case GW_HWNDNEXT: return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == siblings->end() || it == siblings->begin()) ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd)
{
    if (!hWnd)
        return TopLevels().empty() ? nullptr : TopLevels().front();
    return ::GetWindow(hWnd, GW_CHILD);
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    Window* w = Find(hDlg);
    if (!w)
        return nullptr;
    for (HWND c : w->children)
        if (Window* cw = Find(c))
            if (cw->id == (UINT_PTR)(UINT)nIDDlgItem)
                return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && IsChildStyle(w->style) ? (int)w->id : 0;
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    Window* d = Find(hDlg);
    if (!d || d->children.empty())
        return nullptr;
    const std::vector<HWND>& list = d->children;
    const int n = (int)list.size();
    int start = (int)(std::find(list.begin(), list.end(), hCtl) - list.begin());
    if (start >= n)
        start = bPrevious ? 0 : n - 1;
    for (int step = 1; step <= n; ++step) {
        const int i = ((bPrevious ? start - step : start + step) % n + n) % n;
        Window* c = Find(list[(size_t)i]);
        if (c && (c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED))
            return list[(size_t)i];
    }
    return hCtl;
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    if (!hWndParent || hWndParent == hWnd)
        return FALSE;
    return IsSelfOrDescendant(hWndParent, hWnd);
}

HWND GetDesktopWindow() { return DesktopHandle(); }

HWND WindowFromPoint(POINT point)
{
    QWidget* widget = QApplication::widgetAt(QPoint(point.x, point.y));
    return WindowOf(widget);
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT point)
{
    Window* w = Find(hWndParent);
    if (!w)
        return nullptr;
    const QPoint p(point.x, point.y);
    for (HWND c : w->children)
        if (Window* cw = Find(c))
            if (RelativeRect(cw).contains(p))
                return c;
    return QRect(QPoint(0, 0), ClientSize(w)).contains(p) ? hWndParent : nullptr;
}

// ---------------------------------------------------------------- visibility and state

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    Window* w = Find(hWnd);
    if (!w || !w->widget)
        return FALSE;
    const BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool show = nCmdShow != SW_HIDE;
    if (show != (bool)wasVisible) {
        ::SendMessage(hWnd, WM_SHOWWINDOW, show, 0);
        if ((w = Find(hWnd)) == nullptr || !w->widget)
            return wasVisible;
    }
    QWidget* widget = w->widget;
    const bool top = widget->isWindow();
    bool activate = false;
    switch (nCmdShow) {
    case SW_HIDE:
        w->style &= ~(DWORD)WS_VISIBLE;
        widget->hide();
        return wasVisible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        w->style = (w->style | WS_VISIBLE | WS_MINIMIZE) & ~(DWORD)WS_MAXIMIZE;
        if (top)
            widget->showMinimized();
        else
            widget->show();
        break;
    case SW_SHOWMAXIMIZED:
        w->style = (w->style | WS_VISIBLE | WS_MAXIMIZE) & ~(DWORD)WS_MINIMIZE;
        if (top)
            widget->showMaximized();
        else
            widget->show();
        activate = top;
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        w->style |= WS_VISIBLE;
        widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
        widget->show();
        widget->setAttribute(Qt::WA_ShowWithoutActivating, false);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (top && (w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
            widget->showNormal();
        else
            widget->show();
        w->style = (w->style | WS_VISIBLE) & ~(DWORD)(WS_MINIMIZE | WS_MAXIMIZE);
        activate = top;
        break;
    default:
        w->style |= WS_VISIBLE;
        widget->show();
        activate = top;
        break;
    }
    if (!wasVisible && (w = Find(hWnd)) != nullptr) {
        if (w->ncDirty)
            PaintNonClient(hWnd);
        ::InvalidateRect(hWnd, nullptr, TRUE);
    }
    if (activate && Find(hWnd))
        ::SetActiveWindow(hWnd);
    return wasVisible;
}

BOOL IsWindowVisible(HWND hWnd)
{
    for (Window* w = Find(hWnd); w; w = IsChildStyle(w->style) ? Find(w->parent) : nullptr)
        if (!(w->style & WS_VISIBLE))
            return FALSE;
    return Find(hWnd) != nullptr;
}

BOOL IsIconic(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    Window* w = Find(hWnd);
    if (!w)
        return FALSE;
    const BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if ((bEnable != 0) == !wasDisabled)
        return wasDisabled;
    if (bEnable) {
        w->style &= ~(DWORD)WS_DISABLED;
    } else {
        ::SendMessage(hWnd, WM_CANCELMODE, 0, 0);
        if ((w = Find(hWnd)) == nullptr)
            return wasDisabled;
        w->style |= WS_DISABLED;
        if (g_capture && IsSelfOrDescendant(hWnd, g_capture))
            ::ReleaseCapture();
        if (g_focus && IsSelfOrDescendant(hWnd, g_focus))
            SwitchFocus(nullptr);
    }
    if ((w = Find(hWnd)) == nullptr)
        return wasDisabled;
    // A disabled top-level window must not disable its owned windows, which Qt
    // would do: its input is refused by the message code instead.
    if (w->widget && (IsChildStyle(w->style) || !w->surfaceWidget))
        w->widget->setEnabled(bEnable != 0);
    ::SendMessage(hWnd, WM_ENABLE, bEnable, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

// ---------------------------------------------------------------- text, menus

BOOL SetWindowText(HWND hWnd, LPCSTR lpString)
{
    return Find(hWnd) ? (BOOL)::SendMessage(hWnd, WM_SETTEXT, 0, (LPARAM)(lpString ? lpString : "")) : FALSE;
}

int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (!lpString || nMaxCount <= 0)
        return 0;
    lpString[0] = 0;
    return (int)::SendMessage(hWnd, WM_GETTEXT, (WPARAM)nMaxCount, (LPARAM)lpString);
}

int GetWindowTextLength(HWND hWnd) { return (int)::SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0); }

BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCSTR lpString)
{
    return ::SetWindowText(::GetDlgItem(hDlg, nIDDlgItem), lpString);
}

UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPSTR lpString, int nMaxCount)
{
    return (UINT)::GetWindowText(::GetDlgItem(hDlg, nIDDlgItem), lpString, nMaxCount);
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND b = ::GetDlgItem(hDlg, nIDButton);
    if (!b)
        return FALSE;
    ::SendMessage(b, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    return (UINT)::SendMessage(::GetDlgItem(hDlg, nIDButton), BM_GETCHECK, 0, 0);
}

LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(::GetDlgItem(hDlg, nIDDlgItem), Msg, wParam, lParam);
}

HMENU GetMenu(HWND hWnd)
{
    Window* w = Find(hWnd);
    return w && !IsChildStyle(w->style) && ::IsMenu(w->menu) ? w->menu : nullptr;
}

namespace {

MenuBarPresenter& Presenter()
{
    static auto* presenter = new MenuBarPresenter(&wnd::PresentMenuBar);
    return *presenter;
}

} // namespace

void wnd::SetMenuBarPresenter(MenuBarPresenter presenter) { Presenter() = std::move(presenter); }

BOOL SetMenu(HWND hWnd, HMENU hMenu)
{
    Window* w = Find(hWnd);
    if (!w || IsChildStyle(w->style) || (hMenu && !::IsMenu(hMenu)))
        return FALSE;
    w->menu = hMenu;
    if (Presenter())
        Presenter()(hWnd, hMenu);
    return TRUE;
}

BOOL DrawMenuBar(HWND hWnd)
{
    Window* w = Find(hWnd);
    if (!w || IsChildStyle(w->style))
        return FALSE;
    if (Presenter())
        Presenter()(hWnd, ::IsMenu(w->menu) ? w->menu : nullptr);
    return TRUE;
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    Window* w = Find(hWnd);
    if (!w || IsChildStyle(w->style))
        return nullptr;
    if (bRevert) {
        if (w->sysMenu)
            ::DestroyMenu(w->sysMenu);
        w->sysMenu = nullptr;
        return nullptr;
    }
    if (!::IsMenu(w->sysMenu)) {
        HMENU m = ::CreatePopupMenu();
        ::AppendMenu(m, MF_STRING, SC_RESTORE, "&Restore");
        ::AppendMenu(m, MF_STRING, SC_MOVE, "&Move");
        ::AppendMenu(m, MF_STRING, SC_SIZE, "&Size");
        ::AppendMenu(m, MF_STRING, SC_MINIMIZE, "Mi&nimize");
        ::AppendMenu(m, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
        ::AppendMenu(m, MF_SEPARATOR, 0, nullptr);
        ::AppendMenu(m, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
        w->sysMenu = m;
    }
    return w->sysMenu;
}
