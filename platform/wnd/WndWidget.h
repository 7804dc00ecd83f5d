// The Qt side of a window: the widget that shows a window's surface and draws its
// standard non-client parts, and the bridge that turns the Qt events of a window's
// widgets into messages. Private to the platform.
#pragma once

#include "platform/wnd/WndInternal.h"

#include <QObject>
#include <QWidget>

class QKeyEvent;
class QPainter;
class QMouseEvent;
class QWheelEvent;

namespace wnd {

// The standard frame of the window's styles (borders, edges, the corner between
// scroll bars) drawn over the non-client part of the image `all` covers.
void DrawStandardFrame(QPainter& painter, const Window* w, const QRect& all);

class SurfaceWidget : public QWidget {
public:
    SurfaceWidget(HWND hwnd, QWidget* parent, Qt::WindowFlags flags);
    HWND hwnd() const { return m_hwnd; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HWND m_hwnd;
};

// Event filter on a window's widget and its input sub-widgets; also receives the
// window's timers and paint requests.
class Bridge : public QObject {
public:
    Bridge(HWND hwnd, QWidget* widget);
    HWND hwnd() const { return m_hwnd; }
    void Detach() { m_hwnd = nullptr; }

    static QEvent::Type PaintRequestType();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    bool Mouse(QWidget* receiver, QMouseEvent* event);
    bool Wheel(QWidget* receiver, QWheelEvent* event);
    bool Key(QWidget* receiver, QKeyEvent* event);

    HWND m_hwnd;
};

} // namespace wnd
