// The Qt widget of the edit-like controls: an editor (line edit, text edit,
// date-time edit) filling a host widget that is the window's widget. When the
// control's CWnd paints it (ON_WM_PAINT in a class derived from the control), the
// host hides the editor and shows the window's surface instead, and the window
// becomes a surface window. Private to the platform.
#pragma once

#include "platform/controls/CtlCommon.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstring>
#include <string>

namespace ctl {

class HostWidget : public QWidget {
public:
    HostWidget(HWND hwnd, QWidget* parent);
    HWND hwnd() const { return m_hwnd; }
    // The editor; owned by the host, registered as the window's input widget at WM_NCCREATE.
    void SetEditor(QWidget* editor);
    QWidget* editor() const { return m_editor; }
    // Switches to showing the surface (once; there is no way back).
    void ShowSurface();
    bool showsSurface() const { return m_surface; }

protected:
    // Keys handed to the host go on to the editor.
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    HWND m_hwnd;
    QPointer<QWidget> m_editor;
    bool m_surface = false;
    bool m_checked = false;
    bool m_forwarding = false;
};

// The host of a window of an edit-like class; null for other windows.
HostWidget* HostOf(HWND h);
// Registers the editor (and its viewport) as input widgets of the window; at WM_NCCREATE.
void AttachEditorInput(HWND h);
// True when the window's permanent CWnd, or a class it derives from below CWnd, handles WM_PAINT.
bool CWndPaintsItself(HWND h);
// Shows the surface when the control's CWnd paints it.
void CheckSelfPainted(HWND h);

// Registers an edit-like class whose windows `make` builds (a host and its editor).
void RegisterHostedClass(LPCSTR name, WNDPROC proc, QWidget* (*make)(HWND, const CREATESTRUCT&, QWidget*));

// 8-bit window text as the editor holds it: CR LF and lone CR become LF.
QString FromWindowText(const char* text, size_t n);
inline QString FromWindowText(const char* text) { return FromWindowText(text, text ? std::strlen(text) : 0); }
// The editor's text as 8-bit window text with CR LF line breaks.
std::string ToWindowText(QString text);

// When an edit-like control reports changes of its text. A change the user makes
// is reported once the input message that made it has been handled; a change a
// message makes (suppress) is reported by that message's handler.
struct ChangeReports {
    bool modified = false;
    int delivering = 0; // input messages being handed to the editor
    bool pending = false;
    int suppress = 0;
};

// The editor's text changed: the control is modified, and `send` reports it now
// or after the input message being delivered.
template <class Send>
void EditorChanged(ChangeReports& r, Send&& send)
{
    if (r.suppress)
        return;
    r.modified = true;
    if (r.delivering)
        r.pending = true;
    else
        send();
}

// Hands an input message to the editor (DefWindowProc), then reports a change it made.
// The caller holds the control's state.
template <class Send>
LRESULT DeliverInput(HWND h, ChangeReports& r, UINT message, WPARAM wParam, LPARAM lParam, Send&& send)
{
    ++r.delivering;
    const LRESULT result = ::DefWindowProc(h, message, wParam, lParam);
    --r.delivering;
    if (!r.delivering && r.pending) {
        r.pending = false;
        if (::IsWindow(h))
            send();
    }
    return result;
}

// Runs a change made by a message; when `text()` differs afterwards, the control is
// modified and `send` reports it.
template <class Text, class Change, class Send>
void ChangeByMessage(ChangeReports& r, Text&& text, Change&& change, Send&& send)
{
    const QString before = text();
    ++r.suppress;
    change();
    --r.suppress;
    if (text() != before) {
        r.modified = true;
        send();
    }
}

} // namespace ctl
