// The Qt widget of the edit-like controls: an editor (line edit, text edit,
// date-time edit) filling a host widget that is the window's widget. When the
// control's CWnd paints it (ON_WM_PAINT in a class derived from the control), the
// host hides the editor and shows the window's surface instead, and the window
// becomes a surface window. Private to the platform.
#pragma once

#include "platform/CtlCommon.h"

#include <QPointer>
#include <QWidget>

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

} // namespace ctl
