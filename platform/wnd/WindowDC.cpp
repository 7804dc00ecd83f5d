// CPaintDC, CClientDC and CWindowDC (WindowDC.h): DCs on a window's retained surface that stop
// drawing when the window goes.
#include "platform/wnd/WindowDC.h"

#include "platform/wnd/CWnd.h"
#include "platform/wnd/WndInternal.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include <memory>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

// Every live DC on a window's surface, so that destroying the window unbinds them.
std::unordered_map<CDC*, HWND>& WindowDCs()
{
    static auto* dcs = new std::unordered_map<CDC*, HWND>;
    return *dcs;
}

// DCs made by ::GetDC and ::BeginPaint, released by ::ReleaseDC and ::EndPaint.
std::unordered_map<HDC, std::unique_ptr<CDC>>& OwnedDCs()
{
    static auto* dcs = new std::unordered_map<HDC, std::unique_ptr<CDC>>;
    return *dcs;
}

// A client DC draws on the client surface; a window DC on the whole window's image.
// What the screen shows: the visible top-level windows over a black desktop. Screen
// DCs read it (eye-droppers, magnifiers); what they draw is not shown.
std::unordered_map<const CDC*, std::shared_ptr<QImage>>& ScreenImages()
{
    static auto* images = new std::unordered_map<const CDC*, std::shared_ptr<QImage>>;
    return *images;
}

std::shared_ptr<QImage> ScreenSnapshot()
{
    QSize size(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    auto image = std::make_shared<QImage>(size, QImage::Format_RGB32);
    image->fill(Qt::black);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return image;
    std::vector<HWND> tops;
    for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT))
        tops.push_back(h);
    QPainter p(image.get());
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        QWidget* widget = wnd::WidgetOf(*it);
        if (widget && widget->isVisible() && ::IsWindowVisible(*it))
            p.drawPixmap(widget->geometry().topLeft(), widget->grab());
    }
    return image;
}

void BindScreen(CDC* dc)
{
    std::shared_ptr<QImage> image = ScreenSnapshot();
    dc->AttachSurface(image.get());
    ScreenImages()[dc] = std::move(image);
}

void UnbindScreen(CDC* dc)
{
    if (ScreenImages().erase(dc))
        dc->DetachSurface();
}

void Bind(CDC* dc, HWND hwnd, const QRegion* clip, bool whole = false)
{
    dc->AttachSurface(whole ? wnd::WindowSurfaceOf(hwnd) : wnd::SurfaceOf(hwnd), clip);
    dc->SetSurfaceObserver([hwnd, whole](const RECT& r) {
        const QRect changed(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
        if (whole)
            wnd::WindowSurfaceChanged(hwnd, changed);
        else
            wnd::SurfaceChanged(hwnd, changed);
    });
    WindowDCs()[dc] = hwnd;
}

void Unbind(CDC* dc)
{
    if (WindowDCs().erase(dc)) {
        dc->SetSurfaceObserver(nullptr);
        dc->DetachSurface();
    }
}

// BeginPaint into a given DC: binds it to the update region, validates it and erases.
bool BeginPaintInto(HWND hwnd, PAINTSTRUCT* ps, CDC* dc)
{
    *ps = PAINTSTRUCT{};
    wnd::Window* w = wnd::Find(hwnd);
    if (!w)
        return false;
    ++w->beginPaints;
    wnd::SurfaceOf(hwnd);
    const QRegion clip = w->update & w->surface.rect();
    const bool erase = w->erase;
    w->update = QRegion();
    w->erase = false;
    Bind(dc, hwnd, &clip);
    ps->hdc = dc->GetSafeHdc();
    const QRect box = clip.boundingRect();
    ps->rcPaint = box.isEmpty() ? RECT{0, 0, 0, 0} : RECT{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
    if (erase && !clip.isEmpty()) {
        const int saved = dc->SaveDC();
        ps->fErase = !::SendMessage(hwnd, WM_ERASEBKGND, (WPARAM)ps->hdc, 0);
        if (WindowDCs().count(dc))
            dc->RestoreDC(saved);
    }
    return true;
}

void EndPaintFrom(HWND hwnd, const PAINTSTRUCT* ps, CDC* dc)
{
    Unbind(dc);
    if (ps && wnd::Find(hwnd))
        wnd::SurfaceChanged(hwnd, QRect(QPoint(ps->rcPaint.left, ps->rcPaint.top),
                                        QPoint(ps->rcPaint.right - 1, ps->rcPaint.bottom - 1)));
}

// A window's DC (its client area, or `whole` window); the screen for no window or the desktop; a DC
// that draws nothing for a window that is gone.
void BindWindowOrScreen(CDC* dc, HWND hwnd, bool whole)
{
    if (hwnd && wnd::Find(hwnd) && hwnd != wnd::DesktopHandle())
        Bind(dc, hwnd, nullptr, whole);
    else if (!hwnd || hwnd == wnd::DesktopHandle())
        BindScreen(dc);
    else
        dc->AttachSurface(nullptr);
}

void ReleaseWindowOrScreen(CDC* dc)
{
    Unbind(dc);
    UnbindScreen(dc);
}
} // namespace

namespace wnd {

void DetachWindowDCs(HWND hwnd)
{
    std::vector<CDC*> bound;
    for (const auto& [dc, h] : WindowDCs())
        if (h == hwnd)
            bound.push_back(dc);
    for (CDC* dc : bound)
        Unbind(dc);
}

} // namespace wnd

// ---------------------------------------------------------------- Win32 calls

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    if (!lpPaint || !wnd::Find(hWnd))
        return nullptr;
    auto dc = std::make_unique<CDC>();
    if (!BeginPaintInto(hWnd, lpPaint, dc.get()))
        return nullptr;
    HDC h = dc->GetSafeHdc();
    OwnedDCs()[h] = std::move(dc);
    return h;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (!lpPaint)
        return FALSE;
    auto it = OwnedDCs().find(lpPaint->hdc);
    if (it == OwnedDCs().end())
        return FALSE;
    std::unique_ptr<CDC> dc = std::move(it->second);
    OwnedDCs().erase(it);
    EndPaintFrom(hWnd, lpPaint, dc.get());
    return TRUE;
}

HDC GetDC(HWND hWnd)
{
    if (hWnd && (!wnd::Find(hWnd)))
        return nullptr;
    auto dc = std::make_unique<CDC>();
    if (!hWnd || hWnd == wnd::DesktopHandle())
        BindScreen(dc.get());
    else
        Bind(dc.get(), hWnd, nullptr);
    HDC h = dc->GetSafeHdc();
    OwnedDCs()[h] = std::move(dc);
    return h;
}

HDC GetWindowDC(HWND hWnd)
{
    if (!hWnd || hWnd == wnd::DesktopHandle())
        return ::GetDC(nullptr);
    if (!wnd::Find(hWnd))
        return nullptr;
    auto dc = std::make_unique<CDC>();
    Bind(dc.get(), hWnd, nullptr, true);
    HDC h = dc->GetSafeHdc();
    OwnedDCs()[h] = std::move(dc);
    return h;
}

int ReleaseDC(HWND, HDC hDC)
{
    auto it = OwnedDCs().find(hDC);
    if (it == OwnedDCs().end())
        return 0;
    std::unique_ptr<CDC> dc = std::move(it->second);
    OwnedDCs().erase(it);
    Unbind(dc.get());
    UnbindScreen(dc.get());
    return 1;
}

// ---------------------------------------------------------------- wrappers

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    if (!BeginPaintInto(m_hWnd, &m_ps, this))
        AttachSurface(nullptr);
}

CPaintDC::~CPaintDC() { EndPaintFrom(m_hWnd, &m_ps, this); }

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    BindWindowOrScreen(this, m_hWnd, false);
}

CClientDC::~CClientDC() { ReleaseWindowOrScreen(this); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    BindWindowOrScreen(this, m_hWnd, true);
}

CWindowDC::~CWindowDC() { ReleaseWindowOrScreen(this); }
