// Buttons and statics: clicks by mouse, keyboard and message, automatic check
// states and radio groups, owner drawing through reflection, colours, hit-testing.
#include "ControlTestSupport.h"

#include "platform/controls/CButton.h"
#include "platform/gdi/CDC.h"
#include "platform/controls/CStatic.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);

class ButtonTest : public ::testing::Test {
protected:
    ParentWnd parent;

    HWND Make(DWORD style, UINT id, const char* text = "Go", RECT r = {10, 10, 110, 34})
    {
        HWND h = ::CreateWindowEx(0, WC_BUTTON, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, parent.m_hWnd, (HMENU)(UINT_PTR)id, nullptr, nullptr);
        Pump();
        return h;
    }
};

struct ClickCase {
    const char* name;
    DWORD style;
    std::vector<UINT> checks; // the check state after each of three clicks
};

TEST_F(ButtonTest, ClicksNotifyAndAutomaticButtonsChangeState)
{
    const ClickCase cases[] = {
        {"push", BS_PUSHBUTTON, {0, 0, 0}},
        {"check box", BS_CHECKBOX, {0, 0, 0}},
        {"automatic check box", BS_AUTOCHECKBOX, {1, 0, 1}},
        {"automatic three-state", BS_AUTO3STATE, {1, 2, 0}},
        {"radio", BS_RADIOBUTTON, {0, 0, 0}},
        {"automatic radio", BS_AUTORADIOBUTTON | WS_GROUP, {1, 1, 1}},
    };
    UINT id = 100;
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        HWND b = Make(c.style, ++id);
        parent.Clear();
        // Mouse, space bar, BM_CLICK: each is one click.
        Click(b, 5, 5);
        EXPECT_EQ(::SendMessage(b, BM_GETCHECK, 0, 0), (LRESULT)c.checks[0]);
        Key(b, VK_SPACE, " ");
        EXPECT_EQ(::SendMessage(b, BM_GETCHECK, 0, 0), (LRESULT)c.checks[1]);
        ::SendMessage(b, BM_CLICK, 0, 0);
        EXPECT_EQ(::SendMessage(b, BM_GETCHECK, 0, 0), (LRESULT)c.checks[2]);
        EXPECT_EQ(parent.Codes(WM_COMMAND, (int)id), (std::vector<UINT>{BN_CLICKED, BN_CLICKED, BN_CLICKED}));
        for (const Event& e : parent.events) {
            if (e.message == WM_COMMAND) {
                EXPECT_EQ(e.from, b);
            }
        }
        ::DestroyWindow(b);
    }
}

TEST_F(ButtonTest, PressShowsPushedAndReleaseOutsideDoesNotClick)
{
    HWND b = Make(BS_PUSHBUTTON, 7);
    parent.Clear();
    AfxTestMouse(b, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Pump();
    EXPECT_TRUE(::SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(::GetFocus(), b);
    AfxTestMouse(b, WM_MOUSEMOVE, 300, 5, MK_LBUTTON);
    Pump();
    EXPECT_FALSE(::SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    AfxTestMouse(b, WM_LBUTTONUP, 300, 5, 0);
    Pump();
    EXPECT_EQ(parent.Count(WM_COMMAND, BN_CLICKED), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ButtonTest, AutomaticRadioUnchecksItsGroupOnly)
{
    HWND r1 = Make(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 1, "a", {10, 10, 100, 30});
    HWND r2 = Make(BS_AUTORADIOBUTTON, 2, "b", {10, 40, 100, 60});
    HWND r3 = Make(BS_AUTORADIOBUTTON, 3, "c", {10, 70, 100, 90});
    HWND other = Make(BS_AUTORADIOBUTTON | WS_GROUP, 4, "d", {10, 100, 100, 120});
    ::SendMessage(r1, BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessage(r3, BM_SETCHECK, BST_CHECKED, 0); // a message checks without unchecking the others
    ::SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(::SendMessage(r1, BM_GETCHECK, 0, 0), BST_CHECKED);
    Click(r2, 5, 5);
    EXPECT_EQ(::SendMessage(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessage(r2, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessage(r3, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessage(other, BM_GETCHECK, 0, 0), BST_CHECKED);
    // Tab enters a radio group at its checked button.
    EXPECT_TRUE(::GetWindowLongPtr(r2, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(::GetWindowLongPtr(r1, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(ButtonTest, DoubleClickNotifiesRadioAndClicksPushButtonTwice)
{
    HWND radio = Make(BS_AUTORADIOBUTTON, 1, "r", {10, 10, 100, 30});
    HWND push = Make(BS_PUSHBUTTON, 2, "p", {10, 40, 100, 60});
    parent.Clear();
    DoubleClick(radio, 5, 5);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 1), (std::vector<UINT>{BN_CLICKED, BN_DOUBLECLICKED}));
    DoubleClick(push, 5, 5);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 2), (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
}

// Two clicks that reach the program together while a window pumps messages itself (a
// timer's handler letting the messages through): the second one lands on the button that
// the first one's command enables, because the window a click goes to is found only when
// the click before it has been handled.
TEST_F(ButtonTest, AClickQueuedBehindAnotherPressesTheButtonTheFirstEnabled)
{
    HWND open = Make(BS_PUSHBUTTON, 21, "Open", {10, 10, 110, 34});
    HWND close = Make(BS_PUSHBUTTON, 22, "Close", {10, 50, 110, 74});
    ::EnableWindow(close, FALSE);
    parent.onCommand = [&](int id, UINT code) {
        if (id == 21 && code == BN_CLICKED) {
            ::EnableWindow(open, FALSE);
            ::EnableWindow(close, TRUE);
        }
    };
    parent.Clear();
    POINT a{50, 20}, b{50, 60};
    ::ClientToScreen(parent.m_hWnd, &a);
    ::ClientToScreen(parent.m_hWnd, &b);
    AfxTestQueueSystemClick(parent.m_hWnd, a.x, a.y);
    AfxTestQueueSystemClick(parent.m_hWnd, b.x, b.y);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
        ASSERT_TRUE(AfxPumpMessage());
    Pump();
    EXPECT_EQ(parent.Codes(WM_COMMAND, 21), (std::vector<UINT>{BN_CLICKED}));
    EXPECT_EQ(parent.Codes(WM_COMMAND, 22), (std::vector<UINT>{BN_CLICKED}));
    parent.onCommand = nullptr;
}

TEST_F(ButtonTest, DisabledButtonIgnoresClicks)
{
    HWND b = Make(BS_AUTOCHECKBOX, 5);
    ::EnableWindow(b, FALSE);
    parent.Clear();
    Click(b, 5, 5);
    ::SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.Count(WM_COMMAND, BN_CLICKED), 0);
    EXPECT_EQ(::SendMessage(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// An owner-drawn button that paints itself red, green while pressed.
class SwatchButton : public CButton {
public:
    std::vector<DRAWITEMSTRUCT> draws;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        draws.push_back(*dis);
        CDC* dc = CDC::FromHandle(dis->hDC);
        dc->FillSolidRect(&dis->rcItem, (dis->itemState & ODS_SELECTED) ? kGreen : kRed);
    }
};

TEST_F(ButtonTest, OwnerDrawnButtonIsDrawnByItsClassOnItsSurface)
{
    SwatchButton b;
    ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 70, 40), &parent, 42));
    Pump();
    ASSERT_FALSE(b.draws.empty());
    const DRAWITEMSTRUCT& d = b.draws.back();
    EXPECT_EQ(d.CtlType, (UINT)ODT_BUTTON);
    EXPECT_EQ(d.CtlID, 42u);
    EXPECT_EQ(d.hwndItem, b.m_hWnd);
    EXPECT_EQ(d.itemAction, (UINT)ODA_DRAWENTIRE);
    EXPECT_EQ(d.rcItem.right, 60);
    EXPECT_EQ(d.rcItem.bottom, 30);
    EXPECT_EQ(Pixel(b.m_hWnd, 30, 15), kRed);
    // The parent saw the request first, then reflection gave it to the button.
    EXPECT_GE(parent.Count(WM_DRAWITEM, ODT_BUTTON, 42), 1);

    AfxTestMouse(b.m_hWnd, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Pump();
    EXPECT_EQ(b.draws.back().itemAction, (UINT)ODA_SELECT);
    EXPECT_TRUE(b.draws.back().itemState & ODS_SELECTED);
    EXPECT_EQ(Pixel(b.m_hWnd, 30, 15), kGreen);
    AfxTestMouse(b.m_hWnd, WM_LBUTTONUP, 5, 5, 0);
    Pump();
    EXPECT_EQ(Pixel(b.m_hWnd, 30, 15), kRed);
    EXPECT_EQ(parent.Count(WM_COMMAND, BN_CLICKED, 42), 1);
    EXPECT_TRUE(b.draws.back().itemState & ODS_FOCUS);
}

TEST_F(ButtonTest, PaintIntoAGivenDCReachesDrawItemWithThatDC)
{
    SwatchButton b;
    ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 70, 40), &parent, 43));
    Pump();
    CClientDC client(&b);
    CDC memory;
    memory.CreateCompatibleDC(&client);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&client, 60, 30);
    CBitmap* old = memory.SelectObject(&bitmap);
    b.draws.clear();
    b.SendMessage(WM_PAINT, (WPARAM)memory.GetSafeHdc(), 0);
    ASSERT_EQ(b.draws.size(), 1u);
    EXPECT_EQ(b.draws[0].hDC, memory.GetSafeHdc());
    EXPECT_EQ(memory.GetPixel(30, 15), kRed);
    memory.SelectObject(old);
}

TEST_F(ButtonTest, GroupBoxLetsClicksThroughToItsParent)
{
    HWND group = Make(BS_GROUPBOX, 9, "Group", {10, 10, 210, 150});
    HWND inside = ::CreateWindowEx(0, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 40, 40, 20, 20, parent.m_hWnd,
                                   (HMENU)10, nullptr, nullptr);
    Pump();
    EXPECT_EQ(::SendMessage(group, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_EQ(::SendMessage(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    parent.Clear();
    Click(inside, 5, 5);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 10), std::vector<UINT>{STN_CLICKED});
}

TEST_F(ButtonTest, StaticNotifiesOnlyWithSsNotify)
{
    HWND quiet = ::CreateWindowEx(0, WC_STATIC, "quiet", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, parent.m_hWnd,
                                  (HMENU)1, nullptr, nullptr);
    HWND loud = ::CreateWindowEx(0, WC_STATIC, "loud", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 40, 80, 20,
                                 parent.m_hWnd, (HMENU)2, nullptr, nullptr);
    Pump();
    EXPECT_EQ(::SendMessage(quiet, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_NE(::SendMessage(loud, WM_NCHITTEST, 0, MAKELPARAM(0, 0)), HTTRANSPARENT);
    parent.Clear();
    Click(loud, 5, 5);
    DoubleClick(loud, 5, 5);
    EXPECT_EQ(parent.Codes(WM_COMMAND, 2), (std::vector<UINT>{STN_CLICKED, STN_CLICKED, STN_DBLCLK}));
    EXPECT_EQ(parent.Codes(WM_COMMAND, 1), std::vector<UINT>{});
}

// A static whose colours its class chooses through the reflected WM_CTLCOLOR.
class ColorStatic : public CStatic {
public:
    CBrush brush{kRed};
protected:
    afx_msg HBRUSH CtlColor(CDC* dc, UINT)
    {
        dc->SetTextColor(RGB(255, 255, 255));
        dc->SetBkColor(kRed);
        return (HBRUSH)brush.GetSafeHandle();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST_F(ButtonTest, StaticTakesItsColoursFromWmCtlColor)
{
    ColorStatic s;
    ASSERT_TRUE(s.Create("Text", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, CRect(10, 10, 110, 30), &parent, 5));
    EXPECT_EQ(Pixel(s.m_hWnd, 95, 15), kRed);
    EXPECT_EQ(parent.Count(WM_CTLCOLORSTATIC, 0, 5), 1);

    HWND plain = ::CreateWindowEx(0, WC_STATIC, "", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20, parent.m_hWnd, (HMENU)6,
                                  nullptr, nullptr);
    parent.ctlBrush = ::CreateSolidBrush(kGreen);
    ::InvalidateRect(plain, nullptr, TRUE);
    EXPECT_EQ(Pixel(plain, 50, 10), kGreen);
    ::DeleteObject(parent.ctlBrush);
    parent.ctlBrush = nullptr;
}

// An owner-drawn static.
class OwnerStatic : public CStatic {
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        ++draws;
        EXPECT_EQ(dis->CtlType, (UINT)ODT_STATIC);
        CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, kGreen);
    }
};

TEST_F(ButtonTest, OwnerDrawnStaticIsDrawnByItsClass)
{
    OwnerStatic s;
    ASSERT_TRUE(s.Create("", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, CRect(10, 10, 50, 30), &parent, 8));
    EXPECT_EQ(Pixel(s.m_hWnd, 20, 10), kGreen);
    EXPECT_GE(s.draws, 1);
}

} // namespace
