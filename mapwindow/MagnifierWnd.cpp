// The magnifier (MagnifierWnd.h). A source square cut by the screen's right or
// bottom edge keeps the magnification: the destination shrinks with it.
#include "mapwindow/MagnifierWnd.h"

#include "platform/wnd/WindowDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMagnifierWnd, CWnd)

BEGIN_MESSAGE_MAP(CMagnifierWnd, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CMagnifierWnd::CMagnifierWnd() = default;

CMagnifierWnd::~CMagnifierWnd()
{
    FreeSnapshot();
    if (m_hWnd)
        DestroyWindow();
}

BOOL CMagnifierWnd::Create(int size, int sourceSize, CWnd* owner)
{
    m_pOwner = owner;
    m_nWindowSize = std::max(size, 10);
    if (sourceSize <= 0)
        m_nSourceSize = 1;
    else
        m_nSourceSize = sourceSize % 2 ? sourceSize : sourceSize + 1;
    const CString windowClass = AfxRegisterWndClass(0, nullptr, (HBRUSH)GetStockObject(NULL_BRUSH));
    return CreateEx(0, windowClass, "", WS_POPUP | WS_BORDER, 0, 0, size, size,
                    owner ? owner->GetSafeHwnd() : nullptr, nullptr);
}

int CMagnifierWnd::Show()
{
    if (!m_hWnd)
        return 0;
    SetFocus();
    FreeSnapshot();
    CDC* screen = CDC::FromHandle(::GetDC(nullptr));
    m_nScreenWidth = screen->GetDeviceCaps(HORZRES);
    m_nScreenHeight = screen->GetDeviceCaps(VERTRES);
    m_pSnapshotDC = std::make_unique<CDC>();
    m_pSnapshotDC->CreateCompatibleDC(screen);
    m_nSavedState = m_pSnapshotDC->SaveDC();
    m_Snapshot.CreateCompatibleBitmap(screen, m_nScreenWidth, m_nScreenHeight);
    m_pSnapshotDC->SelectObject(&m_Snapshot);
    m_pSnapshotDC->BitBlt(0, 0, m_nScreenWidth, m_nScreenHeight, screen, 0, 0, SRCCOPY);
    ::ReleaseDC(nullptr, screen->GetSafeHdc());

    CPoint cursor;
    GetCursorPos(&cursor);
    const int half = m_nWindowSize / 2;
    SetWindowPos(&wndTopMost, cursor.x - half, cursor.y - half, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetCapture();
    m_nActive = 1;
    return 1;
}

void CMagnifierWnd::End()
{
    if (!m_nActive)
        return;
    m_nActive = 0;
    ReleaseCapture();
    SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FreeSnapshot();
    if (m_pOwner)
        if (CWnd* parent = m_pOwner->GetParent())
            parent->SetFocus();
}

void CMagnifierWnd::FreeSnapshot()
{
    if (m_pSnapshotDC) {
        m_pSnapshotDC->RestoreDC(m_nSavedState);
        m_pSnapshotDC.reset();
    }
    m_Snapshot.DeleteObject();
}

void CMagnifierWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (GetCapture() != this)
        SetCapture();
    ClientToScreen(&point);
    const int half = m_nWindowSize / 2;
    CRect square(point.x - half, point.y - half, point.x - half + m_nWindowSize, point.y - half + m_nWindowSize);
    if (m_pOwner && m_pOwner->GetSafeHwnd()) {
        CRect bounds;
        m_pOwner->GetWindowRect(&bounds);
        square.left = std::max(square.left, bounds.left);
        square.top = std::max(square.top, bounds.top);
        square.right = std::min(square.right, bounds.right);
        square.bottom = std::min(square.bottom, bounds.bottom);
    }
    MoveWindow(&square, TRUE);
    RedrawWindow();
    CWnd::OnMouseMove(flags, point);
}

BOOL CMagnifierWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMagnifierWnd::OnPaint()
{
    CPaintDC dc(this);
    if (!m_pSnapshotDC)
        return;
    CPoint cursor;
    GetCursorPos(&cursor);
    const int half = m_nSourceSize / 2;
    int width = m_nSourceSize, height = m_nSourceSize;
    if (cursor.x + half >= m_nScreenWidth)
        width -= cursor.x + half - m_nScreenWidth + 1;
    if (cursor.y + half >= m_nScreenHeight)
        height -= cursor.y + half - m_nScreenHeight + 1;
    const int scale = m_nWindowSize / m_nSourceSize;
    const int oldMode = dc.SetStretchBltMode(HALFTONE);
    dc.StretchBlt(0, 0, m_nWindowSize + scale * (width - m_nSourceSize), m_nWindowSize + scale * (height - m_nSourceSize),
                  m_pSnapshotDC.get(), cursor.x - half, cursor.y - half, width, height, SRCCOPY);
    dc.SetStretchBltMode(oldMode);
}

void CMagnifierWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    CPoint cursor;
    GetCursorPos(&cursor);
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE: End(); return;
    case VK_LEFT: SetCursorPos(cursor.x - 1, cursor.y); return;
    case VK_UP: SetCursorPos(cursor.x, cursor.y - 1); return;
    case VK_RIGHT: SetCursorPos(cursor.x + 1, cursor.y); return;
    case VK_DOWN: SetCursorPos(cursor.x, cursor.y + 1); return;
    default: CWnd::OnKeyDown(key, repeat, flags);
    }
}

void CMagnifierWnd::OnLButtonDown(UINT, CPoint)
{
    End();
}

void CMagnifierWnd::OnCaptureChanged(CWnd* wnd)
{
    End();
    CWnd::OnCaptureChanged(wnd);
}
