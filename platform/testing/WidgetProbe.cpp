// Native widgets of windows as the user sees them (WidgetProbe.h).
#include "platform/testing/WidgetProbe.h"

#include "platform/wnd/WndInternal.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

bool RegisterNativeWidgetClass(LPCSTR className, NativeWidget kind)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.lpszClassName = className;
    RegisterClass(&wc);
    switch (kind) {
    case NativeWidget::Edit:
        return wnd::SetClassWidgetFactory(className, [](HWND, const CREATESTRUCT&, QWidget* parent) {
            return new QLineEdit(parent);
        });
    case NativeWidget::PushButton:
        return wnd::SetClassWidgetFactory(className, [](HWND, const CREATESTRUCT&, QWidget* parent) {
            return new QPushButton(parent);
        });
    }
    return false;
}

bool PressMdiCloseBox(LPCSTR title)
{
    QMdiSubWindow* sub = nullptr;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* candidate = qobject_cast<QMdiSubWindow*>(w); candidate && candidate->windowTitle() == title)
            sub = candidate;
    if (!sub)
        return false;
    sub->close();
    return true;
}

struct WidgetProbe::State {
    QPointer<QWidget> widget;
    int clicks = 0;
    QMetaObject::Connection clicked;
};

WidgetProbe::WidgetProbe(HWND hwnd) : m_state(new State)
{
    m_state->widget = wnd::WidgetOf(hwnd);
    if (auto* button = qobject_cast<QPushButton*>(m_state->widget.data()))
        m_state->clicked = QObject::connect(button, &QPushButton::clicked, [s = m_state.get()] { ++s->clicks; });
}

WidgetProbe::~WidgetProbe() { QObject::disconnect(m_state->clicked); }

bool WidgetProbe::Is(NativeWidget kind) const
{
    switch (kind) {
    case NativeWidget::Edit:
        return qobject_cast<QLineEdit*>(m_state->widget.data()) != nullptr;
    case NativeWidget::PushButton:
        return qobject_cast<QPushButton*>(m_state->widget.data()) != nullptr;
    }
    return false;
}

CString WidgetProbe::EditText() const
{
    auto* line = qobject_cast<QLineEdit*>(m_state->widget.data());
    return line ? CString(line->text().toUtf8().constData()) : CString();
}

int WidgetProbe::Clicks() const { return m_state->clicks; }

bool WidgetProbe::HasToolkitFocus() const
{
    return m_state->widget && QApplication::focusWidget() == m_state->widget.data();
}

void WidgetProbe::FocusFromToolkit()
{
    if (m_state->widget)
        m_state->widget->setFocus(Qt::MouseFocusReason);
}

namespace {

QScrollBar* BarOf(QWidget* widget) { return widget ? widget->findChild<QScrollBar*>() : nullptr; }

} // namespace

bool WidgetProbe::HasScrollBar() const { return BarOf(m_state->widget) != nullptr; }

void WidgetProbe::ActOnScrollBar(BarAction action)
{
    QScrollBar* bar = BarOf(m_state->widget);
    if (!bar)
        return;
    switch (action) {
    case BarAction::ArrowForward:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case BarAction::ArrowBack:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case BarAction::PageForward:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case BarAction::PageBack:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    }
}

int WidgetProbe::ScrollBarPos() const
{
    QScrollBar* bar = BarOf(m_state->widget);
    return bar ? bar->value() : -1;
}
