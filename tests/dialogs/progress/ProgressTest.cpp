// The progress window and the tiled progress indicator: captions and
// percentages (a range of zero width among them), the modal chain, Escape, the
// remembered position, the status text and the bar as the user sees it.
#include <gtest/gtest.h>

#include "dialogs/controls/ProgressStatusText.h"
#include "dialogs/controls/ProgressWindow.h"
#include "dialogs/controls/StatusBarProgress.h"
#include "platform/base/Profile.h"
#include "platform/controls/CStatic.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"

namespace {

CString Caption(CWnd& w)
{
    CString text;
    w.GetWindowText(text);
    return text;
}

class ProgressWindow : public ::testing::Test {
protected:
    void SetUp() override { AfxWriteProfileString("Settings", nullptr, nullptr); }
};

TEST_F(ProgressWindow, CaptionCarriesThePercentFromTheFirstStep)
{
    CProgressWindow progress(nullptr, "Progress", TRUE);
    ASSERT_TRUE(progress.m_hWnd);
    progress.SetRange(0, 200, 1);
    progress.SetPos(0);
    EXPECT_STREQ(Caption(progress), "Progress [0%]");
    progress.SetPos(1); // 0.5 % rounds half up
    EXPECT_STREQ(Caption(progress), "Progress [1%]");
    for (int i = 0; i < 199; ++i)
        progress.StepIt();
    EXPECT_STREQ(Caption(progress), "Progress [100%]");
    EXPECT_EQ(progress.GetPos(), 200);
}

TEST_F(ProgressWindow, ARangeOfZeroWidthShowsNoProgress)
{
    CProgressWindow progress(nullptr, "Progress...", FALSE);
    progress.SetRange(5, 5, 1);
    progress.StepIt();
    EXPECT_STREQ(Caption(progress), "Progress... [0%]");
    progress.SetText("Loading %s...", "data");
    EXPECT_STREQ(Caption(*progress.GetDlgItem(CProgressWindow::ID_LABEL)), "Loading data...");
}

TEST_F(ProgressWindow, ModalDisablesTheOwnerUntilDestroyedAndEscapeCancels)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr));
    {
        CProgressWindow progress(&owner, "Progress", TRUE);
        ASSERT_TRUE(progress.BeginModal());
        EXPECT_TRUE(progress.IsModal());
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_TRUE(progress.IsWindowEnabled());
        progress.SetRange(0, 10, 1);
        progress.StepIt();
        EXPECT_TRUE(progress.IsWindowVisible());

        progress.PostMessage(WM_CHAR, 27, 0);
        progress.PumpMessages(TRUE);
        EXPECT_TRUE(progress.IsCancelled());
        EXPECT_FALSE(progress.m_hWnd && progress.IsWindowVisible());
        EXPECT_FALSE(owner.IsWindowEnabled()); // until the window is destroyed
        progress.PumpMessages(TRUE);           // stops at once once cancelled
    }
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST_F(ProgressWindow, PositionIsRememberedAndOffScreenCentres)
{
    CRect first;
    {
        AfxWriteProfileInt("Settings", "X", 40);
        AfxWriteProfileInt("Settings", "Y", 30);
        CProgressWindow progress(nullptr, "Progress", TRUE);
        progress.GetWindowRect(&first);
        EXPECT_EQ(first.TopLeft(), CPoint(40, 30));
        progress.MoveWindow(55, 66, first.Width(), first.Height());
    }
    EXPECT_EQ((int)AfxGetProfileInt("Settings", "X", -1), 55);
    EXPECT_EQ((int)AfxGetProfileInt("Settings", "Y", -1), 66);

    AfxWriteProfileInt("Settings", "X", GetSystemMetrics(SM_CXSCREEN) + 5);
    CProgressWindow progress(nullptr, "Progress", TRUE);
    CRect r;
    progress.GetWindowRect(&r);
    EXPECT_NEAR(r.CenterPoint().x, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
}

// Six pixels a character, so widths are easy to follow.
int Width6(const CString& s) { return 6 * s.GetLength(); }

SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME st{};
    st.wYear = (WORD)year;
    st.wMonth = (WORD)month;
    st.wDay = (WORD)day;
    st.wHour = (WORD)hour;
    st.wMinute = (WORD)minute;
    st.wSecond = (WORD)second;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st); // fills the weekday
    return st;
}

TEST(ProgressStatusText, PercentFollowsALabelCutToFit)
{
    ProgressTextState s;
    s.position = 45;
    EXPECT_STREQ(ProgressStatusText("Reading", 1, s, 200, Width6), "Reading (45%)");
    EXPECT_STREQ(ProgressStatusText("Reading", -1, s, 200, Width6), "Reading 45%");
    // 108 px (less two blanks of margin) beside " (45%)" and half of "...": ten characters stay.
    EXPECT_STREQ(ProgressStatusText("Reading records", 1, s, 120, Width6), "Reading re... (45%)");
    EXPECT_STREQ(ProgressStatusText("", 0, s, 120, Width6), " ");

    s.lower = s.upper = 10; // no width: no division, no progress
    s.position = 10;
    EXPECT_STREQ(ProgressStatusText("x", 1, s, 200, Width6), "x (0%)");
}

TEST(ProgressStatusText, LabelsTooShortToCutStayWhole)
{
    CString label = "ab";
    EXPECT_EQ(FitProgressLabel(label, 6, 0, Width6), -2);
    EXPECT_STREQ(label, "ab");
    label = "abc...";
    EXPECT_EQ(FitProgressLabel(label, 100, 0, Width6), 0);
    EXPECT_STREQ(label, "abc");
}

TEST(ProgressStatusText, TimeLineShowsElapsedRemainingAndFinish)
{
    ProgressTextState s;
    s.lower = 0;
    s.upper = 100;
    s.start = 0;
    s.position = 50;
    s.startTime = At(2026, 5, 4, 10, 0, 0);
    s.now = At(2026, 5, 5, 12, 3, 4); // 1 day, 2:03:04 later
    const CString line = ProgressTimeLine(s, 2);
    // The start lies on another day: its date and weekday (Monday is 2) come first.
    EXPECT_STREQ(line, " (2026/05/04/02 10:00:00 - 1:02:03:04 - 50% / 50% - 1:02:03:04 - 2026/05/06/04 14:06:08)");

    s.position = 0; // nothing done yet: nothing remains to be estimated, the finish is now
    s.startTime = At(2026, 5, 5, 12, 0, 0);
    EXPECT_STREQ(ProgressTimeLine(s, -2), " 12:00:00 - 00:03:04 - 0% / 100% - 00:00:00 - 12:03:04");
}

class TiledProgress : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                      200, nullptr, nullptr));
        ASSERT_TRUE(m_target.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 32), &m_parent, 1));
        ASSERT_TRUE(m_status.Create("Ready", WS_CHILD | WS_VISIBLE, CRect(10, 100, 390, 120), &m_parent, 2));
    }

    COLORREF PixelAt(CWnd& w, int x, int y)
    {
        w.UpdateWindow();
        AfxTestProcessEvents();
        CClientDC dc(&w);
        return dc.GetPixel(x, y);
    }

    CWnd m_parent;
    CStatic m_target;
    CStatic m_status;
};

TEST_F(TiledProgress, FullBarEndsInTheMarkerTile)
{
    CStatusBarProgress bar(&m_target, 10);
    ASSERT_TRUE(bar.m_hWnd);
    EXPECT_FALSE(bar.IsVertical());
    EXPECT_EQ(bar.SetPos(25, TRUE), 0); // clamped to the range
    EXPECT_EQ(bar.GetPos(FALSE), 10);
    EXPECT_EQ(bar.GetPos(TRUE), 25600);
    EXPECT_EQ(bar.GetUpperMarker(), bar.GetBarEnd());
    const CSize tile = bar.GetTileSize();
    const int mid = tile.cy / 2;
    EXPECT_EQ(PixelAt(bar, bar.GetBarEnd() + tile.cx / 2, mid), CStatusBarProgress::BuiltInTileColor(5));
    EXPECT_EQ(PixelAt(bar, tile.cx * 5 + 2, mid), CStatusBarProgress::BuiltInTileColor(4)); // filled

    bar.SetPos(0, TRUE);
    EXPECT_EQ(PixelAt(bar, tile.cx * 5 + 2, mid), CStatusBarProgress::BuiltInTileColor(7)); // empty again
}

TEST_F(TiledProgress, StartHoldsThePositionAndAZeroRangeIsHarmless)
{
    CStatusBarProgress bar(&m_target, 100);
    bar.SetPos(40, FALSE);
    bar.SetRange(0, 10, 1, TRUE, TRUE); // rescaled: position 4
    EXPECT_EQ(bar.GetPos(FALSE), 4);
    bar.SetRange(7, 7, 1, FALSE, TRUE);
    EXPECT_EQ(bar.StepIt(TRUE), 4);
    EXPECT_EQ(bar.GetPos(FALSE), 7);
    EXPECT_EQ(bar.GetPos(TRUE), 0);
    bar.SetRange(0, 10, 1, TRUE, TRUE); // from a range of no width
    bar.Show();
    EXPECT_GE(bar.GetPos(FALSE), 0);
}

TEST_F(TiledProgress, StatusTextTakesTheTextWindowAndGivesItBack)
{
    {
        CStatusBarProgress bar(&m_target, 4, nullptr, FALSE, &m_status, "Counting", -1);
        bar.SetPos(1, TRUE);
        EXPECT_STREQ(Caption(m_status), "Counting 25%");
    }
    EXPECT_STREQ(Caption(m_status), "Ready");
}

TEST_F(TiledProgress, ATallTargetRunsDownwards)
{
    CStatic tall;
    ASSERT_TRUE(tall.Create("", WS_CHILD | WS_VISIBLE, CRect(250, 10, 272, 190), &m_parent, 3));
    CStatusBarProgress bar(&tall, 2);
    EXPECT_TRUE(bar.IsVertical());
    bar.SetPos(2, TRUE);
    const CSize tile = bar.GetTileSize();
    EXPECT_EQ(PixelAt(bar, tile.cx / 2, bar.GetBarEnd() + tile.cy / 2), CStatusBarProgress::BuiltInTileColor(5));
}

} // namespace
