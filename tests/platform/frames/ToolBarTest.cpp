// Toolbar buttons: clicks become commands of the frame, command updates enable
// and check them, check groups, and loading from toolbar data.
#include "FrameTestSupport.h"

#include "platform/frames/CToolBar.h"
#include "platform/base/ResourceBitmaps.h"
#include "platform/base/ResourceToolbars.h"

#include <gtest/gtest.h>

namespace {

enum : UINT { kRun = 201, kLocked = 202, kOrphan = 203, kToolA = 211, kToolB = 212, kToolC = 213 };

class ToolFrame : public CFrameWnd {
public:
    BOOL m_locked = TRUE;
    UINT m_tool = kToolA;

protected:
    afx_msg void OnRun() { g_log.push_back("run"); }
    afx_msg void OnLocked() { g_log.push_back("locked"); }
    afx_msg void OnUpdateLocked(CCmdUI* ui) { ui->Enable(!m_locked); }
    afx_msg void OnTool(UINT id)
    {
        g_log.push_back("tool " + std::to_string(id));
        m_tool = id;
    }
    afx_msg void OnUpdateTool(CCmdUI* ui) { ui->SetCheck(ui->m_nID == m_tool); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolFrame, CFrameWnd)
    ON_COMMAND(kRun, OnRun)
    ON_COMMAND(kLocked, OnLocked)
    ON_UPDATE_COMMAND_UI(kLocked, OnUpdateLocked)
    ON_COMMAND_RANGE(kToolA, kToolC, OnTool)
    ON_UPDATE_COMMAND_UI_RANGE(kToolA, kToolC, OnUpdateTool)
END_MESSAGE_MAP()

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        frame = new ToolFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Tools", WS_OVERLAPPEDWINDOW, CRect(40, 40, 440, 300)));
        ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        const UINT ids[] = {kRun, kLocked, kOrphan, ID_SEPARATOR, kToolA, kToolB, kToolC};
        ASSERT_TRUE(bar.SetButtons(ids, 7));
        // The tool buttons' images: reuse the three cells.
        for (int i = 4; i < 7; ++i)
            bar.SetButtonInfo(i, ids[i], TBBS_CHECKGROUP, i - 4);
        bar.SetBitmap(strip.MakeBitmap());
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        if (frame->GetSafeHwnd())
            frame->DestroyWindow();
        AfxTestProcessEvents();
    }

    void Click(int index, int dx = 0)
    {
        CRect r;
        bar.GetItemRect(index, &r);
        const CPoint c = r.CenterPoint();
        AfxTestMouse(bar.GetSafeHwnd(), WM_LBUTTONDOWN, c.x, c.y, MK_LBUTTON);
        if (dx)
            AfxTestMouse(bar.GetSafeHwnd(), WM_MOUSEMOVE, c.x + dx, c.y, MK_LBUTTON);
        AfxTestMouse(bar.GetSafeHwnd(), WM_LBUTTONUP, c.x + dx, c.y, 0);
    }
    COLORREF ImagePixel(int index)
    {
        bar.UpdateWindow();
        CRect r;
        bar.GetItemRect(index, &r);
        return bar.GetSurfacePixel(r.left + 3 + 8, r.top + 3 + 7);
    }

    ToolFrame* frame = nullptr;
    CToolBar bar;
    TestStrip strip;
};

TEST_F(ToolBarTest, ClickSendsTheCommandToTheFrame)
{
    Click(0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"run"}));
    // Pressed and dragged off before release: nothing.
    g_log.clear();
    Click(0, 200);
    EXPECT_TRUE(g_log.empty());
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_PRESSED);
    // Separators are never hit.
    CRect sep;
    bar.GetItemRect(3, &sep);
    EXPECT_EQ(bar.HitTest(sep.CenterPoint()), -1);
}

TEST_F(ToolBarTest, CommandUpdatesEnableAndDisableButtons)
{
    IdleUpdate(frame);
    // Disabled by its update handler, and by having no handler at all.
    EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_DISABLED);
    EXPECT_TRUE(bar.GetButtonStyle(2) & TBBS_DISABLED);
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_DISABLED);
    Click(1);
    Click(2);
    EXPECT_TRUE(g_log.empty());
    // A disabled button shows the shadow of its image.
    EXPECT_EQ(ImagePixel(0), kStripColors[0]);
    EXPECT_EQ(ImagePixel(1), ::GetSysColor(COLOR_BTNSHADOW));

    frame->m_locked = FALSE;
    IdleUpdate(frame);
    EXPECT_FALSE(bar.GetButtonStyle(1) & TBBS_DISABLED);
    EXPECT_EQ(ImagePixel(1), kStripColors[1]);
    Click(1);
    EXPECT_EQ(g_log, (std::vector<std::string>{"locked"}));
}

TEST_F(ToolBarTest, CheckGroupFollowsClicksAndUpdates)
{
    IdleUpdate(frame);
    EXPECT_TRUE(bar.GetButtonStyle(4) & TBBS_CHECKED);
    EXPECT_FALSE(bar.GetButtonStyle(5) & TBBS_CHECKED);
    Click(5);
    EXPECT_EQ(g_log, (std::vector<std::string>{"tool 212"}));
    // The click checks the button and releases the others of its group at once.
    EXPECT_TRUE(bar.GetButtonStyle(5) & TBBS_CHECKED);
    EXPECT_FALSE(bar.GetButtonStyle(4) & TBBS_CHECKED);
    // The frame's state decides at the next update.
    frame->m_tool = kToolC;
    IdleUpdate(frame);
    EXPECT_FALSE(bar.GetButtonStyle(5) & TBBS_CHECKED);
    EXPECT_TRUE(bar.GetButtonStyle(6) & TBBS_CHECKED);
}

TEST_F(ToolBarTest, LoadsButtonsAndImagesFromToolbarData)
{
    // No resources yet: an unknown toolbar fails and leaves the buttons alone.
    EXPECT_FALSE(bar.LoadToolBar(60999));
    EXPECT_EQ(bar.GetCount(), 7);

    static const WORD ids[] = {kRun, 0, kLocked};
    const ResourceToolbar toolbar{16, 15, 3, ids};
    const ResourceBitmap bitmap{TestStrip::kWidth, TestStrip::kHeight, strip.pixels};
    ASSERT_TRUE(bar.LoadToolBar(toolbar, bitmap));
    EXPECT_EQ(bar.GetCount(), 3);
    EXPECT_EQ(bar.GetButtonSize(), CSize(23, 22));
    UINT id, style;
    int image;
    bar.GetButtonInfo(2, id, style, image);
    EXPECT_EQ(id, (UINT)kLocked);
    EXPECT_EQ(image, 1); // separators take no image
    EXPECT_EQ(bar.CommandToIndex(kLocked), 2);
    frame->RecalcLayout();
    EXPECT_EQ(ImagePixel(2), kStripColors[1]);
}

} // namespace
