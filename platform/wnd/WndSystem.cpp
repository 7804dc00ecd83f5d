// Cursors, icons, system metrics and parameters.
#include "platform/wnd/WndShared.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>
#include <QToolTip>
#include <QCursor>

#include <unordered_map>

namespace wnd {

namespace {

struct ImageResource {
    QImage image;
    QPoint hotSpot;
};

std::unordered_map<UINT, ImageResource>& CursorResources()
{
    static std::unordered_map<UINT, ImageResource> map;
    return map;
}

std::unordered_map<UINT, ImageResource>& IconResources()
{
    static std::unordered_map<UINT, ImageResource> map;
    return map;
}

// Cursors hold Qt pixmaps, which must not outlive the Qt application: they are never freed.
std::unordered_map<UINT, std::unique_ptr<HCURSOR__>>& LoadedCursors()
{
    static auto* map = new std::unordered_map<UINT, std::unique_ptr<HCURSOR__>>;
    return *map;
}

std::unordered_map<UINT, std::unique_ptr<HICON__>>& LoadedIcons()
{
    static std::unordered_map<UINT, std::unique_ptr<HICON__>> map;
    return map;
}

HCURSOR g_current = nullptr;
HWND g_mouseWindow = nullptr;
int g_showCount = 0;

bool GuiApp() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QImage FromArgb(int width, int height, const DWORD* pixels)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixels[(size_t)y * (size_t)width + (size_t)x]);
    return image;
}

} // namespace

HCURSOR StandardCursor(UINT id)
{
    static const std::unordered_map<UINT, Qt::CursorShape> shapes = {
        {32512, Qt::ArrowCursor},    {32513, Qt::IBeamCursor},       {32514, Qt::WaitCursor},
        {32515, Qt::CrossCursor},    {32516, Qt::UpArrowCursor},     {32640, Qt::SizeAllCursor},
        {32641, Qt::ArrowCursor},    {32642, Qt::SizeFDiagCursor},   {32643, Qt::SizeBDiagCursor},
        {32644, Qt::SizeHorCursor},  {32645, Qt::SizeVerCursor},     {32646, Qt::SizeAllCursor},
        {32648, Qt::ForbiddenCursor}, {32649, Qt::PointingHandCursor}, {32650, Qt::BusyCursor},
        {32651, Qt::WhatsThisCursor}};
    static auto* cursors = new std::unordered_map<UINT, std::unique_ptr<HCURSOR__>>;
    auto shape = shapes.find(id);
    if (shape == shapes.end())
        return nullptr;
    std::unique_ptr<HCURSOR__>& c = (*cursors)[id];
    if (!c) {
        c = std::make_unique<HCURSOR__>();
        c->cursor = QCursor(shape->second);
    }
    return c.get();
}

void ApplyCursor(HWND hwnd, HCURSOR cursor)
{
    QWidget* widget = WidgetOf(hwnd);
    if (!widget)
        return;
    if (!cursor || cursor->hidden || g_showCount < 0)
        widget->setCursor(Qt::BlankCursor);
    else
        widget->setCursor(cursor->cursor);
}

void NoteMouseWindow(HWND hwnd) { g_mouseWindow = hwnd; }

void ShowToolTip(HWND hwnd, const RECT& area, const char* text)
{
    Window* w = Find(hwnd);
    if (!w || !w->widget || !text || !*text || !GuiApp())
        return;
    const QPoint origin = w->surfaceWidget ? NcOrigin(w) : QPoint();
    const QRect rect(QPoint(area.left, area.top) + origin, QPoint(area.right - 1, area.bottom - 1) + origin);
    QToolTip::showText(QCursor::pos(), QString::fromUtf8(text), w->widget, rect);
}

void HideToolTip()
{
    if (GuiApp())
        QToolTip::hideText();
}

} // namespace wnd

using namespace wnd;

void AfxRegisterCursorResource(UINT id, int width, int height, const DWORD* argbPixels, int hotX, int hotY)
{
    if (width <= 0 || height <= 0 || !argbPixels)
        return;
    CursorResources()[id] = ImageResource{FromArgb(width, height, argbPixels), QPoint(hotX, hotY)};
    LoadedCursors().erase(id);
}

void AfxRegisterIconResource(UINT id, int width, int height, const DWORD* argbPixels)
{
    if (width <= 0 || height <= 0 || !argbPixels)
        return;
    IconResources()[id] = ImageResource{FromArgb(width, height, argbPixels), QPoint(width / 2, height / 2)};
    LoadedIcons().erase(id);
}

HCURSOR LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    if (!IS_INTRESOURCE(lpCursorName))
        return nullptr;
    const UINT id = (UINT)(UINT_PTR)lpCursorName;
    if (!hInstance)
        return StandardCursor(id);
    auto res = CursorResources().find(id);
    if (res == CursorResources().end() || !GuiApp())
        return nullptr;
    std::unique_ptr<HCURSOR__>& c = LoadedCursors()[id];
    if (!c) {
        c = std::make_unique<HCURSOR__>();
        c->cursor = QCursor(QPixmap::fromImage(res->second.image), res->second.hotSpot.x(), res->second.hotSpot.y());
    }
    return c.get();
}

HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName)
{
    if (!IS_INTRESOURCE(lpIconName))
        return nullptr;
    const UINT id = (UINT)(UINT_PTR)lpIconName;
    std::unique_ptr<HICON__>& icon = LoadedIcons()[hInstance ? id : id + 0x10000];
    if (icon)
        return icon.get();
    if (hInstance) {
        auto res = IconResources().find(id);
        if (res == IconResources().end()) {
            LoadedIcons().erase(id);
            return nullptr;
        }
        icon = std::make_unique<HICON__>();
        icon->image = res->second.image;
        icon->hotSpot = res->second.hotSpot;
        return icon.get();
    }
    QStyle::StandardPixmap pixmap;
    switch (id) {
    case 32512: pixmap = QStyle::SP_DesktopIcon; break;
    case 32513: pixmap = QStyle::SP_MessageBoxCritical; break;
    case 32514: pixmap = QStyle::SP_MessageBoxQuestion; break;
    case 32515: pixmap = QStyle::SP_MessageBoxWarning; break;
    case 32516: pixmap = QStyle::SP_MessageBoxInformation; break;
    case 32517: pixmap = QStyle::SP_ComputerIcon; break;
    default: LoadedIcons().erase(id + 0x10000); return nullptr;
    }
    icon = std::make_unique<HICON__>();
    icon->image = QImage(32, 32, QImage::Format_ARGB32);
    icon->image.fill(Qt::transparent);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        icon->image = QApplication::style()->standardIcon(pixmap).pixmap(32, 32).toImage().convertToFormat(
            QImage::Format_ARGB32);
    icon->hotSpot = QPoint(16, 16);
    return icon.get();
}

// Loaded cursors and icons are shared, as on Windows.
BOOL DestroyCursor(HCURSOR) { return TRUE; }
BOOL DestroyIcon(HICON) { return TRUE; }

HCURSOR SetCursor(HCURSOR hCursor)
{
    const HCURSOR previous = g_current;
    g_current = hCursor;
    const HWND target = ::GetCapture() ? ::GetCapture() : g_mouseWindow;
    if (Find(target))
        ApplyCursor(target, hCursor);
    return previous;
}

HCURSOR GetCursor() { return g_current; }

int ShowCursor(BOOL bShow)
{
    g_showCount += bShow ? 1 : -1;
    const HWND target = ::GetCapture() ? ::GetCapture() : g_mouseWindow;
    if (Find(target))
        ApplyCursor(target, g_current);
    return g_showCount;
}

UINT GetDoubleClickTime()
{
    if (GuiApp())
        return (UINT)QGuiApplication::styleHints()->mouseDoubleClickInterval();
    return 500;
}

int GetSystemMetrics(int nIndex)
{
    QRect screen(0, 0, 1024, 768);
    QRect available = screen;
    if (GuiApp())
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            screen = s->geometry();
            available = s->availableGeometry();
        }
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN: return screen.width();
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return screen.height();
    case SM_CXFULLSCREEN: return available.width();
    case SM_CYFULLSCREEN: return available.height() - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION:
    case SM_CYMENU: return 19;
    case SM_CYSMCAPTION: return 15;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_SWAPBUTTON:
    case SM_REMOTESESSION: return 0;
    default: return 0;
    }
}

BOOL SystemParametersInfo(UINT uiAction, UINT, PVOID pvParam, UINT)
{
    if (!pvParam)
        return FALSE;
    switch (uiAction) {
    case SPI_GETWORKAREA: {
        QRect area(0, 0, 1024, 768);
        if (GuiApp())
            if (QScreen* s = QGuiApplication::primaryScreen())
                area = s->availableGeometry();
        *static_cast<RECT*>(pvParam) = RECT{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
        return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
        NONCLIENTMETRICS* m = static_cast<NONCLIENTMETRICS*>(pvParam);
        if (m->cbSize != sizeof(NONCLIENTMETRICS))
            return FALSE;
        LOGFONTA font{};
        font.lfHeight = -11;
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = ANSI_CHARSET;
        font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        std::strcpy(font.lfFaceName, "Tahoma");
        m->iBorderWidth = 1;
        m->iScrollWidth = m->iScrollHeight = 16;
        m->iCaptionWidth = m->iCaptionHeight = 18;
        m->lfCaptionFont = font;
        m->lfCaptionFont.lfWeight = FW_BOLD;
        m->iSmCaptionWidth = m->iSmCaptionHeight = 12;
        m->lfSmCaptionFont = m->lfCaptionFont;
        m->iMenuWidth = m->iMenuHeight = 18;
        m->lfMenuFont = font;
        m->lfStatusFont = font;
        m->lfMessageFont = font;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL MessageBeep(UINT)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
    return TRUE;
}
