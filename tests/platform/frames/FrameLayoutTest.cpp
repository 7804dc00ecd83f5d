// A frame lays its bars out around the view; the status bar's panes; docking,
// floating and hiding bars.
#include "FrameTestSupport.h"

#include "platform/frames/CDockBar.h"
#include "platform/frames/CStatusBar.h"
#include "platform/frames/CToolBar.h"
#include "platform/frames/CView.h"
#include "platform/gdi/GdiObjects.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kViewColor = RGB(255, 0, 0);
constexpr UINT kPositionPane = 55013;

class ColorView : public CView {
    DECLARE_DYNCREATE(ColorView)
protected:
    void OnDraw(CDC* dc) override
    {
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(&r, kViewColor);
    }
};
IMPLEMENT_DYNCREATE(ColorView, CView)

class PaneFrame : public CFrameWnd {
public:
    CString m_position = "Position: 12";

protected:
    afx_msg void OnUpdatePosition(CCmdUI* ui) { ui->SetText(m_position); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaneFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(kPositionPane, OnUpdatePosition)
END_MESSAGE_MAP()

class FrameLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new PaneFrame;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(ColorView);
        ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW, CRect(20, 20, 520, 420), nullptr, nullptr, 0,
                                  &context));
        frame->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (frame->GetSafeHwnd())
            frame->DestroyWindow();
        AfxTestProcessEvents();
    }

    CWnd* View() { return frame->GetDlgItem(AFX_IDW_PANE_FIRST); }

    void AddToolBar(CToolBar& bar, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER)
    {
        ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, style));
        const UINT ids[] = {101, ID_SEPARATOR, 102, 103};
        ASSERT_TRUE(bar.SetButtons(ids, 4));
        bar.SetBitmap(strip.MakeBitmap());
    }

    PaneFrame* frame = nullptr;
    CStatusBar status;
    CToolBar tools[3];
    TestStrip strip;
};

TEST_F(FrameLayoutTest, BarsTakeTheEdgesAndTheViewTheRest)
{
    ASSERT_TRUE(status.Create(frame));
    const UINT panes[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    ASSERT_TRUE(status.SetIndicators(panes, 3));
    AddToolBar(tools[0]);
    frame->RecalcLayout();

    CRect client;
    frame->GetClientRect(&client);
    const CRect tb = RectIn(frame, &tools[0]);
    const CRect sb = RectIn(frame, &status);
    EXPECT_EQ(tb, CRect(0, 0, client.right, tools[0].CalcFixedLayout(FALSE, TRUE).cy));
    EXPECT_EQ(sb, CRect(0, client.bottom - status.CalcFixedLayout(TRUE, TRUE).cy, client.right, client.bottom));
    EXPECT_EQ(RectIn(frame, View()), CRect(0, tb.bottom, client.right, sb.top));

    // What the screen shows: the view's colour exactly inside its client area, the bars around it.
    AfxTestProcessEvents();
    const CRect view = RectIn(frame, View());
    EXPECT_EQ(PixelAt(frame, CPoint(view.left + 2, view.top + 2)), kViewColor);
    EXPECT_EQ(PixelAt(frame, CPoint(view.right - 3, view.bottom - 3)), kViewColor);
    EXPECT_NE(PixelAt(frame, CPoint(view.left + 2, view.top - 1)), kViewColor);
    EXPECT_NE(PixelAt(frame, CPoint(view.left + 2, view.bottom)), kViewColor);

    // The toolbar's images: cells of the strip, separators take room, the face colour shows through.
    CRect b0, b2, b3;
    tools[0].GetItemRect(0, &b0);
    tools[0].GetItemRect(2, &b2);
    tools[0].GetItemRect(3, &b3);
    EXPECT_EQ(b2.left, b0.right + 8);
    EXPECT_EQ(b3.left, b2.right);
    auto inFrame = [&](CPoint p) {
        tools[0].MapWindowPoints(frame, &p, 1);
        return p;
    };
    EXPECT_EQ(PixelAt(frame, inFrame(CPoint(b0.left + 3 + 8, b0.top + 3 + 7))), kStripColors[0]);
    EXPECT_EQ(PixelAt(frame, inFrame(CPoint(b2.left + 3 + 8, b2.top + 3 + 7))), kStripColors[1]);
    EXPECT_EQ(PixelAt(frame, inFrame(CPoint(b3.left + 3 + 8, b3.top + 3 + 7))), kStripColors[2]);
    EXPECT_EQ(PixelAt(frame, inFrame(CPoint(b0.left + 3, b0.top + 3))), ::GetSysColor(COLOR_BTNFACE));
    // The gripper and the border line below the buttons are the bar's frame.
    EXPECT_EQ(PixelAt(frame, CPoint(tb.left + 2, tb.top + 5)), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelAt(frame, CPoint(tb.left + 40, tb.bottom - 2)), ::GetSysColor(COLOR_BTNSHADOW));

    // A new size lays everything out again.
    frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->GetClientRect(&client);
    EXPECT_EQ(RectIn(frame, &status).bottom, client.bottom);
    EXPECT_EQ(RectIn(frame, &tools[0]).right, client.right);
    EXPECT_EQ(RectIn(frame, View()), CRect(0, tb.bottom, client.right, RectIn(frame, &status).top));
}

TEST_F(FrameLayoutTest, StatusBarPanes)
{
    ASSERT_TRUE(status.Create(frame));
    // An indicator without a string fails and keeps the panes.
    const UINT unknown[] = {ID_SEPARATOR, 54321};
    EXPECT_FALSE(status.SetIndicators(unknown, 2));
    EXPECT_EQ(status.GetCount(), 0);
    const UINT panes[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    ASSERT_TRUE(status.SetIndicators(panes, 4));
    EXPECT_EQ(status.GetPaneText(1), "CAP");
    EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_NUM), 2);
    frame->RecalcLayout();

    // The frame's idle message arrives through the queue; message texts go to the first pane.
    AfxTestProcessEvents();
    EXPECT_EQ(status.GetPaneText(0), "Ready");
    frame->SetMessageText("Loading layers");
    EXPECT_EQ(status.GetPaneText(0), "Loading layers");
    CString text;
    status.GetWindowText(text);
    EXPECT_EQ(text, "Loading layers");

    // The first pane stretches; the others keep their widths at the right end.
    CRect client, p0, p1, p3;
    status.GetClientRect(&client);
    status.GetItemRect(0, &p0);
    status.GetItemRect(1, &p1);
    status.GetItemRect(3, &p3);
    EXPECT_EQ(p0.left, 0);
    EXPECT_EQ(p3.right, client.right);
    // Widening the second pane (as the map frame does for the position text) takes room from the first.
    UINT id, style;
    int width;
    status.GetPaneInfo(1, id, style, width);
    status.SetPaneInfo(1, kPositionPane, SBPS_NORMAL, width + 100);
    CRect q0, q1, q3;
    status.GetItemRect(0, &q0);
    status.GetItemRect(1, &q1);
    status.GetItemRect(3, &q3);
    EXPECT_EQ(q1.Width(), p1.Width() + 100);
    EXPECT_EQ(q0.Width(), p0.Width() - 100);
    EXPECT_EQ(q3, p3);

    // Command updates: the frame's handler sets the pane's text; the keyboard indicators
    // are disabled while their keys are off, and a disabled pane shows no text.
    IdleUpdate(frame);
    EXPECT_EQ(status.GetPaneText(1), "Position: 12");
    ASSERT_FALSE(::GetKeyState(VK_NUMLOCK) & 1);
    EXPECT_TRUE(status.GetPaneStyle(2) & SBPS_DISABLED);
    EXPECT_FALSE(status.GetPaneStyle(0) & SBPS_DISABLED);

    status.UpdateWindow();
    AfxTestProcessEvents();
    auto hasText = [&](int pane) {
        CRect r;
        status.GetItemRect(pane, &r);
        r.DeflateRect(2, 2);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (status.GetSurfacePixel(x, y) == ::GetSysColor(COLOR_BTNTEXT))
                    return true;
        return false;
    };
    EXPECT_TRUE(hasText(0));
    EXPECT_TRUE(hasText(1));
    EXPECT_FALSE(hasText(2));
}

TEST_F(FrameLayoutTest, DockingRowsSidesFloatingAndHiding)
{
    frame->EnableDocking(CBRS_ALIGN_ANY);
    for (CToolBar& bar : tools) {
        AddToolBar(bar);
        bar.EnableDocking(CBRS_ALIGN_ANY);
    }
    auto* top = dynamic_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(top);
    frame->DockControlBar(&tools[0]);
    frame->DockControlBar(&tools[1]);
    frame->DockControlBar(&tools[2], AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(top->GetRowCount(), 2);
    EXPECT_EQ(RectIn(frame, &tools[1]).top, RectIn(frame, &tools[0]).bottom);
    EXPECT_EQ(RectIn(frame, View()).top, RectIn(frame, &tools[1]).bottom);

    // Docked at the first bar's rectangle moved one pixel right: the same row, just after it.
    CRect first;
    tools[0].GetWindowRect(&first);
    first.OffsetRect(1, 0);
    frame->DockControlBar(&tools[1], AFX_IDW_DOCKBAR_TOP, &first);
    ASSERT_EQ(top->GetRowCount(), 1);
    EXPECT_EQ(top->GetRow(0), (std::vector<CControlBar*>{&tools[0], &tools[1]}));
    const CRect r0 = RectIn(frame, &tools[0]), r1 = RectIn(frame, &tools[1]);
    EXPECT_EQ(r1.top, r0.top);
    EXPECT_EQ(r1.left, r0.right);
    EXPECT_EQ(RectIn(frame, View()).top, r0.bottom);

    // On the left side the bar stands upright between the top and bottom rows.
    const CRect r2 = RectIn(frame, &tools[2]);
    EXPECT_GT(r2.Height(), r2.Width());
    EXPECT_EQ(r2.top, r0.bottom);
    EXPECT_EQ(RectIn(frame, View()).left, r2.right);
    EXPECT_EQ(tools[2].GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_LEFT);

    // Hidden bars take no room.
    frame->ShowControlBar(&tools[0], FALSE, FALSE);
    frame->ShowControlBar(&tools[1], FALSE, FALSE);
    EXPECT_EQ(RectIn(frame, View()).top, 0);
    EXPECT_EQ(RectIn(frame, &tools[2]).top, 0);
    frame->ShowControlBar(&tools[0], TRUE, FALSE);
    EXPECT_EQ(RectIn(frame, View()).top, RectIn(frame, &tools[0]).bottom);

    // Floating: a tool window of the bar's size; the side it left is free again.
    frame->FloatControlBar(&tools[2], CPoint(300, 300));
    EXPECT_TRUE(tools[2].IsFloating());
    CFrameWnd* floating = tools[2].GetDockingFrame();
    ASSERT_TRUE(floating && floating != frame);
    EXPECT_FALSE(floating->GetStyle() & WS_CHILD);
    EXPECT_TRUE(floating->IsWindowVisible());
    CRect client;
    floating->GetClientRect(&client);
    EXPECT_EQ(client.Size(), tools[2].CalcFixedLayout(FALSE, TRUE));
    EXPECT_EQ(RectIn(frame, View()).left, 0);
    // Its buttons still follow the frame's command updates (nothing handles them here).
    EXPECT_FALSE(tools[2].GetButtonStyle(0) & TBBS_DISABLED);
    IdleUpdate(frame);
    EXPECT_TRUE(tools[2].GetButtonStyle(0) & TBBS_DISABLED);

    // Closing the tool window hides the bar; docking it again removes the window.
    floating->SendMessage(WM_CLOSE);
    EXPECT_FALSE(tools[2].IsVisible());
    EXPECT_FALSE(floating->IsWindowVisible());
    const HWND floatingWnd = floating->GetSafeHwnd();
    frame->DockControlBar(&tools[2], AFX_IDW_DOCKBAR_BOTTOM);
    frame->ShowControlBar(&tools[2], TRUE, FALSE);
    EXPECT_FALSE(::IsWindow(floatingWnd));
    EXPECT_FALSE(tools[2].IsFloating());
    CRect frameClient;
    frame->GetClientRect(&frameClient);
    EXPECT_EQ(RectIn(frame, &tools[2]).bottom, frameClient.bottom);
    EXPECT_EQ(RectIn(frame, View()).bottom, RectIn(frame, &tools[2]).top);
}

} // namespace
