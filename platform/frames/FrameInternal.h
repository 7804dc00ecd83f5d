// Private helpers of the frame classes: the class library's own strings, document paths, the MDI
// client window and its children on Qt's MDI area, and the tool window a
// floating bar lives in.
#pragma once

#include "platform/frames/CDockBar.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/base/CString.h"

#include <vector>

namespace frame {

// The string table's text of `id`; the library's own strings ("Ready",
// "Untitled", "Save changes to %1?", the keyboard indicators, ...) have their
// standard text when the table lacks them. Empty when there is none.
CString LoadString(UINT id);
bool HasString(UINT id);

// The absolute form of a document's path (CDocManager.cpp): documents keep their
// paths in it, and opening a path finds a document already open under it.
CString AbsolutePath(LPCTSTR path);

// A new object of `cls` when it is a `T`; one of another type is deleted again.
template <class T>
T* CreateObjectOf(const CRuntimeClass* cls)
{
    CObject* object = cls->CreateObject();
    T* made = dynamic_cast<T*>(object);
    if (!made)
        delete object;
    return made;
}

// ---- bar items (panes, buttons: anything with an nID)
template <class Item>
int ItemIndexOfID(const std::vector<Item>& items, UINT id)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].nID == id)
            return (int)i;
    return -1;
}
template <class Item>
UINT ItemIDAt(const std::vector<Item>& items, int index)
{
    return index >= 0 && index < (int)items.size() ? items[(size_t)index].nID : 0;
}
// Repaints the rectangle of one item of a bar that exists.
template <class Bar>
void InvalidateItem(Bar* bar, int index)
{
    if (!bar->m_hWnd)
        return;
    CRect rect;
    bar->GetItemRect(index, &rect);
    if (!rect.IsRectEmpty())
        bar->InvalidateRect(&rect);
}

// ---- MDI (FrameMdiClient.cpp)
// The window class of the MDI client (a Qt MDI area) and of MDI child frames (a
// surface widget inside an MDI sub-window).
LPCTSTR MdiClientClass();
LPCTSTR MdiChildClass();
// The child is being destroyed: the next child becomes active and its sub-window goes.
void MdiChildDestroying(HWND child);
// Lays the child's surface into its sub-window again (after the window code placed it).
void MdiSyncChildGeometry(HWND child);
// A move or resize of an MDI child applies to its sub-window; the window code then
// leaves the child's widget to the sub-window's layout.
void MdiMoveChild(HWND child, WINDOWPOS* pos);
void MdiSetChildTitle(HWND child, const char* title);
void MdiShowChild(HWND child, bool show);
bool MdiIsMaximized(HWND child);

// ---- floating bars (FrameFloat.cpp)
// The tool window of floating bars: a dock bar filling a small captioned window
// owned by the dock site. Closing it hides its bars.
class FloatFrame : public CFrameWnd {
    DECLARE_DYNAMIC(FloatFrame)
public:
    FloatFrame();
    ~FloatFrame() override;
    BOOL Create(CFrameWnd* pDockSite, DWORD dwStyle);
    void RecalcLayout(BOOL bNotify = TRUE) override;
    CDockBar m_wndDockBar{TRUE};
    CFrameWnd* m_pDockSite = nullptr;

protected:
    afx_msg void OnClose();
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    DECLARE_MESSAGE_MAP()
};

// The position and size CreateEx takes for a frame's rectangle: CW_USEDEFAULT for all four when it
// is rectDefault, whose corners (CW_USEDEFAULT, that is INT_MIN) are recognised before any
// subtraction; any other extent is limited to the int range rather than overflowing.
struct FrameGeometry {
    int x, y, cx, cy;
};
FrameGeometry CreateGeometry(const RECT& rect);

} // namespace frame
