// The magnifier: a square popup that shows an enlarged snapshot of the screen
// around the pointer and follows the pointer within its owner's rectangle. It
// holds the mouse while it runs and ends with a click, Enter, Escape or the loss
// of the capture; the snapshot is taken when it starts.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/CWnd.h"

#include <memory>

class CMagnifierWnd : public CWnd {
    DECLARE_DYNAMIC(CMagnifierWnd)

public:
    CMagnifierWnd();
    ~CMagnifierWnd() override;

    // A popup of `size` pixels (at least 10) enlarging a square of `sourceSize`
    // pixels (made odd, 1 when not positive), bounded by `owner`'s rectangle.
    BOOL Create(int size, int sourceSize, CWnd* owner);
    // Takes a snapshot of the screen, centres the window on the cursor, shows it
    // topmost and captures the mouse; 0 without a window.
    int Show();
    // Releases the mouse and the snapshot and gives the focus back to the owner's parent.
    void End();

    int IsActive() const { return m_nActive; }
    int GetWindowSize() const { return m_nWindowSize; }
    int GetSourceSize() const { return m_nSourceSize; }

protected:
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    DECLARE_MESSAGE_MAP()

private:
    void FreeSnapshot();

    CWnd* m_pOwner = nullptr;
    int m_nActive = 0;
    int m_nSourceSize = 1;
    int m_nSavedState = 0;
    int m_nScreenHeight = 0;
    CBitmap m_Snapshot;
    std::unique_ptr<CDC> m_pSnapshotDC;
    int m_nScreenWidth = 0;
    int m_nWindowSize = 10;
};
