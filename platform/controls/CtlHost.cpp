// The host widget of the edit-like controls (CtlHost.h): the editor shows until the control's CWnd
// paints, then the window's surface does.
#include "platform/controls/CtlHost.h"

#include "platform/wnd/WndInternal.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QPainter>
#include <QPaintEvent>

namespace ctl {

namespace {

// Reads the message maps of a CWnd, which the class library keeps protected.
struct MapAccess : CWnd {
    static const AFX_MSGMAP* MapOf(const CWnd* w)
    {
        const AFX_MSGMAP* (CWnd::*get)() const = &MapAccess::GetMessageMap;
        return (w->*get)();
    }
    static const AFX_MSGMAP* WndMap() { return CWnd::GetThisMessageMap(); }
};

} // namespace

HostWidget::HostWidget(HWND hwnd, QWidget* parent) : QWidget(parent), m_hwnd(hwnd)
{
    setAttribute(Qt::WA_NoMousePropagation);
}

void HostWidget::SetEditor(QWidget* editor)
{
    m_editor = editor;
    editor->setParent(this);
    editor->setGeometry(rect());
    setFocusProxy(editor);
}

void HostWidget::ShowSurface()
{
    if (m_surface)
        return;
    m_surface = true;
    if (m_editor) {
        setFocusProxy(nullptr);
        m_editor->hide();
    }
    if (wnd::Window* w = wnd::Find(m_hwnd))
        w->surfaceWidget = true;
    ::InvalidateRect(m_hwnd, nullptr, TRUE);
    update();
}

bool HostWidget::event(QEvent* event)
{
    const QEvent::Type t = event->type();
    if ((t == QEvent::KeyPress || t == QEvent::KeyRelease) && m_editor && !m_surface) {
        // An editor that ignores the key passes it back up here: it stops.
        if (m_forwarding)
            return true;
        m_forwarding = true;
        QCoreApplication::sendEvent(m_editor, event);
        m_forwarding = false;
        return true;
    }
    return QWidget::event(event);
}

void HostWidget::resizeEvent(QResizeEvent*)
{
    if (m_editor)
        m_editor->setGeometry(rect());
}

void HostWidget::paintEvent(QPaintEvent* event)
{
    if (!m_checked) {
        m_checked = true;
        CheckSelfPainted(m_hwnd);
    }
    if (!m_surface)
        return;
    QPainter p(this);
    p.setClipRegion(event->region());
    if (QImage* surface = wnd::SurfaceOf(m_hwnd))
        p.drawImage(0, 0, *surface);
}

HostWidget* HostOf(HWND h) { return dynamic_cast<HostWidget*>(wnd::WidgetOf(h)); }

void AttachEditorInput(HWND h)
{
    HostWidget* host = HostOf(h);
    if (!host || !host->editor())
        return;
    wnd::AddInputWidget(h, host->editor());
    if (auto* area = qobject_cast<QAbstractScrollArea*>(host->editor()))
        wnd::AddInputWidget(h, area->viewport());
    for (QWidget* child : host->editor()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->focusPolicy() != Qt::NoFocus && !qobject_cast<QAbstractScrollArea*>(host->editor()))
            wnd::AddInputWidget(h, child);
}

bool CWndPaintsItself(HWND h)
{
    CWnd* w = CWnd::FromHandlePermanent(h);
    if (!w)
        return false;
    const AFX_MSGMAP* stop = MapAccess::WndMap();
    for (const AFX_MSGMAP* map = MapAccess::MapOf(w); map && map != stop;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->nSig != AfxSig_end; ++e)
            if (e->nMessage == WM_PAINT)
                return true;
    }
    return false;
}

void CheckSelfPainted(HWND h)
{
    HostWidget* host = HostOf(h);
    if (host && !host->showsSurface() && CWndPaintsItself(h))
        host->ShowSurface();
}

void RegisterHostedClass(LPCSTR name, WNDPROC proc, QWidget* (*make)(HWND, const CREATESTRUCT&, QWidget*))
{
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    ::RegisterClass(&wc);
    wnd::SetClassWidgetFactory(name, make);
}

QString FromWindowText(const char* text, size_t n)
{
    QString t = QString::fromUtf8(text ? text : "", (qsizetype)n);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

std::string ToWindowText(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return FromQ(text);
}

} // namespace ctl
