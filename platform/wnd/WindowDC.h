// Device contexts of windows. Each draws into the window's retained client
// surface, so drawing outside WM_PAINT (rubber bands) stays on the window as on
// Windows until something paints over it. A DC whose window is destroyed draws
// nothing any more.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/wnd/Messages.h"

class CWnd;

// BeginPaint / EndPaint: clipped to the update region, which it validates; erases
// first (WM_ERASEBKGND) when the invalidation asked for it.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = nullptr;
};

// The whole client area. A null window gives the screen: what the visible windows show
// when the DC is made (drawing on it is not shown).
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// The whole window, frame included (window coordinates); WM_NCPAINT draws the frame with it.
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
