// Retained surfaces, the update region and WM_PAINT.
#include "WndTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBackground = RGB(0, 128, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);

class PaintTest : public ::testing::Test {
protected:
    void Open(UINT classStyle = CS_DBLCLKS, DWORD style = WS_POPUP | WS_VISIBLE, int cx = 100, int cy = 80)
    {
        ASSERT_TRUE(brush.CreateSolidBrush(kBackground));
        ASSERT_TRUE(wnd.CreatePopup(20, 20, cx, cy, classStyle, (HBRUSH)brush.GetSafeHandle(), style));
        AfxTestProcessEvents();
        log.Clear();
    }
    void TearDown() override
    {
        if (wnd.GetSafeHwnd())
            wnd.DestroyWindow();
    }
    void Fill(int x, int y, int cx, int cy, COLORREF c)
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(x, y, cx, cy, c);
    }

    CallLog log;
    RecordingWnd wnd{log, "W"};
    CBrush brush;
};

TEST_F(PaintTest, NewWindowIsErasedWithTheClassBrushAndPainted)
{
    Open(CS_DBLCLKS, WS_POPUP); // hidden: nothing is painted yet
    EXPECT_EQ(log.Count("W:Paint"), 0);
    wnd.ShowWindow(SW_SHOW);
    AfxTestProcessEvents();
    EXPECT_EQ(log.With("W:EraseBkgnd").size(), 1u);
    EXPECT_EQ(log.With("W:Paint"), (std::vector<std::string>{"W:Paint 0,0,100,80 erase=0"}));
    EXPECT_EQ(wnd.GetSurfacePixel(50, 40), kBackground);
    EXPECT_EQ(wnd.GetSurfacePixel(100, 40), CLR_INVALID);
}

TEST_F(PaintTest, InvalidationsCoalesceIntoOnePaint)
{
    Open();
    CRect a(0, 0, 10, 10), b(50, 40, 60, 70), c(5, 5, 20, 20);
    wnd.InvalidateRect(&a, FALSE);
    wnd.InvalidateRect(&b, TRUE);
    wnd.InvalidateRect(&c, FALSE);
    EXPECT_TRUE(log.lines.empty()); // painting waits for the event loop
    CRect update;
    EXPECT_TRUE(wnd.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(0, 0, 60, 70));
    AfxTestProcessEvents();
    EXPECT_EQ(log.lines, (std::vector<std::string>{"W:EraseBkgnd", "W:Paint 0,0,60,70 erase=0"}));
    EXPECT_FALSE(wnd.GetUpdateRect(&update));

    log.Clear();
    wnd.Invalidate(FALSE);
    wnd.ValidateRect(nullptr);
    AfxTestProcessEvents();
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(PaintTest, EraseThatIsRefusedIsLeftToThePaint)
{
    Open();
    wnd.m_eraseResult = FALSE;
    wnd.Invalidate(TRUE);
    AfxTestProcessEvents();
    EXPECT_EQ(log.With("W:Paint"), (std::vector<std::string>{"W:Paint 0,0,100,80 erase=1"}));
}

TEST_F(PaintTest, DrawingOutsidePaintStaysOnTheSurface)
{
    Open();
    Fill(10, 10, 5, 5, kRed);
    EXPECT_EQ(wnd.GetSurfacePixel(12, 12), kRed);
    EXPECT_EQ(wnd.GetSurfacePixel(9, 9), kBackground);
    EXPECT_EQ(log.Count("W:Paint"), 0);
    // A paint only covers its update region, even when the handler draws everywhere.
    wnd.m_paintColor = kGreen;
    CRect corner(0, 0, 8, 8);
    wnd.InvalidateRect(&corner, FALSE);
    AfxTestProcessEvents();
    EXPECT_EQ(wnd.GetSurfacePixel(2, 2), kGreen);
    EXPECT_EQ(wnd.GetSurfacePixel(12, 12), kRed);
    EXPECT_EQ(wnd.GetSurfacePixel(50, 50), kBackground);
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnce)
{
    Open();
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(log.With("W:Paint"), (std::vector<std::string>{"W:Paint 0,0,100,80 erase=0"}));
    AfxTestProcessEvents();
    EXPECT_EQ(log.Count("W:Paint"), 1);
}

struct ResizeCase {
    UINT classStyle;
    const char* paint;
};

class ResizeTest : public PaintTest, public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(ResizeTest, GrowingKeepsTheContentAndRepaintsWhatTheClassAsksFor)
{
    Open(GetParam().classStyle);
    Fill(0, 0, 100, 80, kRed);
    wnd.MoveWindow(20, 20, 130, 80);
    EXPECT_EQ(log.With("W:Size"), (std::vector<std::string>{"W:Size 0 130 80"}));
    EXPECT_EQ(wnd.GetSurfacePixel(99, 79), kRed);
    log.Clear();
    AfxTestProcessEvents();
    EXPECT_EQ(log.With("W:Paint"), (std::vector<std::string>{GetParam().paint}));
}

INSTANTIATE_TEST_SUITE_P(ClassStyles, ResizeTest,
                         ::testing::Values(ResizeCase{0, "W:Paint 100,0,130,80 erase=0"},
                                           ResizeCase{CS_HREDRAW, "W:Paint 0,0,130,80 erase=0"}));

TEST_F(PaintTest, ScrollWindowMovesPixelsAndChildrenAndInvalidatesTheUncoveredPart)
{
    Open();
    CallLog childLog;
    RecordingWnd child(childLog, "C");
    ASSERT_TRUE(child.CreateChild(&wnd, CRect(40, 40, 60, 60), 3));
    AfxTestProcessEvents();
    log.Clear();
    Fill(0, 0, 10, 10, kRed);
    wnd.ScrollWindow(0, 20);
    EXPECT_EQ(wnd.GetSurfacePixel(5, 25), kRed);
    CRect r;
    child.GetWindowRect(&r);
    wnd.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(40, 60, 60, 80));
    AfxTestProcessEvents();
    EXPECT_EQ(log.With("W:Paint"), (std::vector<std::string>{"W:Paint 0,0,100,20 erase=0"}));
}

class FramedWnd : public CWnd {
public:
    int ncPaints = 0;

protected:
    afx_msg void OnNcPaint()
    {
        ++ncPaints;
        CWnd::OnNcPaint();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FramedWnd, CWnd)
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

TEST(Frames, FrameIsPaintedOnShowAndWindowDCsUseWindowCoordinates)
{
    FramedWnd w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_BORDER, 10, 10, 60, 40, nullptr, nullptr));
    EXPECT_EQ(w.ncPaints, 0); // hidden: the frame waits
    w.ShowWindow(SW_SHOWNA);
    EXPECT_EQ(w.ncPaints, 1);
    {
        CWindowDC dc(&w);
        EXPECT_EQ(dc.GetPixel(0, 0), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(dc.GetPixel(59, 39), GetSysColor(COLOR_WINDOWFRAME));
        dc.SetPixel(1, 1, kRed);
    }
    EXPECT_EQ(w.GetSurfacePixel(0, 0), kRed); // window (1, 1) is client (0, 0)
    w.MoveWindow(10, 10, 80, 40);
    EXPECT_EQ(w.ncPaints, 2);
    EXPECT_EQ(w.GetSurfacePixel(0, 0), kRed); // the client content stays
    w.DestroyWindow();
}

TEST_F(PaintTest, TheScreenDCReadsWhatTheWindowsShow)
{
    Open();
    Fill(0, 0, 10, 10, kRed);
    CClientDC screen(nullptr);
    EXPECT_EQ(screen.GetPixel(25, 25), kRed); // the window's client area starts at (20, 20)
    EXPECT_EQ(screen.GetPixel(50, 50), kBackground);
    EXPECT_EQ(screen.GetDeviceCaps(HORZRES), GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(PaintTest, DCOfADestroyedWindowDrawsNothing)
{
    Open();
    CClientDC* dc = new CClientDC(&wnd);
    wnd.DestroyWindow();
    dc->FillSolidRect(0, 0, 10, 10, kRed); // must not touch freed pixels
    delete dc;
    EXPECT_EQ(wnd.GetSurfacePixel(0, 0), CLR_INVALID);
}

} // namespace
