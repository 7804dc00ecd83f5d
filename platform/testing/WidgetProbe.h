// Test support: windows built on a native widget of their own, and what those widgets
// show and do as the user sees them, for tests that check the bridge between a
// window's messages and its widget without touching the widget toolkit.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#include <memory>

enum class NativeWidget {
    Edit,       // a one-line edit
    PushButton, // a push button
};

// Registers a window class with the default window procedure whose windows are
// built on a native widget of this kind; false when the class cannot take it.
bool RegisterNativeWidgetClass(LPCSTR className, NativeWidget kind);

// The user's close box of the MDI sub-window titled `title`: it asks to close as
// a click there would. False when no such sub-window exists.
bool PressMdiCloseBox(LPCSTR title);

// A look at the widget of one window. Clicks are counted while the probe lives.
class WidgetProbe {
public:
    explicit WidgetProbe(HWND hwnd);
    ~WidgetProbe();
    WidgetProbe(const WidgetProbe&) = delete;
    WidgetProbe& operator=(const WidgetProbe&) = delete;

    // Whether the window's widget is a native widget of this kind.
    bool Is(NativeWidget kind) const;
    // The text the native edit shows (empty for other widgets).
    CString EditText() const;
    // How often the native button reported a click since the probe was made.
    int Clicks() const;

    // Whether the toolkit's keyboard focus is on the window's widget.
    bool HasToolkitFocus() const;
    // The toolkit moves its focus to the widget as a mouse click into it would.
    void FocusFromToolkit();

    // The window's own scroll bar (the first one its widget holds): what the user
    // does on it, and where its thumb is.
    enum class BarAction { ArrowForward, ArrowBack, PageForward, PageBack };
    bool HasScrollBar() const;
    void ActOnScrollBar(BarAction action);
    int ScrollBarPos() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};
