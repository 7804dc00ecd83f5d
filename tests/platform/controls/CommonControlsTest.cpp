// Tab controls, trackbars, progress bars and scroll bars: their messages, the
// notifications of user input with the codes and positions their parents read,
// and what they draw.
#include "ControlTestSupport.h"

#include "platform/controls/CProgressCtrl.h"
#include "platform/controls/CScrollBar.h"
#include "platform/controls/CSliderCtrl.h"
#include "platform/controls/CTabCtrl.h"

#include <gtest/gtest.h>

namespace {

class CommonControlsTest : public ::testing::Test {
protected:
    ParentWnd parent;

    template <class T>
    T* Make(const char* cls, DWORD style, UINT id, RECT r)
    {
        HWND h = ::CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, parent.m_hWnd, (HMENU)(UINT_PTR)id, nullptr, nullptr);
        Pump();
        return static_cast<T*>(CWnd::FromHandle(h));
    }
    std::vector<std::pair<UINT, int>> Scrolls(UINT message, int id) const
    {
        std::vector<std::pair<UINT, int>> r;
        for (const Event& e : parent.events)
            if (e.message == message && e.id == id)
                r.emplace_back(e.code, e.item);
        return r;
    }
};

TEST_F(CommonControlsTest, TabsSelectByClickWithAChangingHandlerThatMayRefuse)
{
    auto* tab = Make<CTabCtrl>(WC_TABCONTROL, TCS_BOTTOM, 80, RECT{10, 10, 410, 210});
    EXPECT_EQ(tab->GetCurSel(), -1);
    EXPECT_EQ(tab->InsertItem(0, "Roads"), 0);
    EXPECT_EQ(tab->GetCurSel(), 0); // the first tab becomes the selection
    EXPECT_EQ(tab->InsertItem(5, "Rivers"), 1);
    EXPECT_EQ(tab->InsertItem(0, "Towns"), 0);
    EXPECT_EQ(tab->GetCurSel(), 1); // still "Roads"
    EXPECT_EQ(tab->GetItemCount(), 3);
    char text[16] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = (int)sizeof text;
    ASSERT_TRUE(tab->GetItem(2, &item));
    EXPECT_STREQ(text, "Rivers");

    CRect r;
    ASSERT_TRUE(tab->GetItemRect(2, &r));
    EXPECT_GT(r.top, 150); // tabs at the bottom
    parent.Clear();
    Click(tab->m_hWnd, r.CenterPoint().x, r.CenterPoint().y);
    EXPECT_EQ(tab->GetCurSel(), 2);
    std::vector<UINT> codes = parent.Codes(WM_NOTIFY, 80);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE, NM_CLICK}));

    parent.onNotify = [](NMHDR* nm, LRESULT* result) {
        if (nm->code != TCN_SELCHANGING)
            return false;
        *result = TRUE;
        return true;
    };
    tab->GetItemRect(0, &r);
    Click(tab->m_hWnd, r.CenterPoint().x, r.CenterPoint().y);
    EXPECT_EQ(tab->GetCurSel(), 2);
    parent.onNotify = nullptr;
    parent.Clear();
    Key(tab->m_hWnd, VK_LEFT);
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_EQ(parent.Count(WM_NOTIFY, TCN_SELCHANGE, 80), 1);
    parent.Clear();
    EXPECT_EQ(tab->SetCurSel(0), 1);
    EXPECT_EQ(tab->SetCurSel(7), -1);
    EXPECT_EQ(parent.Count(WM_NOTIFY, TCN_SELCHANGE, 80), 0);

    TCHITTESTINFO hit{};
    hit.pt = r.CenterPoint();
    EXPECT_EQ(tab->HitTest(&hit), 0);
    hit.pt = CPoint(200, 50);
    EXPECT_EQ(tab->HitTest(&hit), -1);

    // The display area lies above the tabs; AdjustRect goes both ways.
    CRect display(0, 0, 400, 200);
    tab->AdjustRect(FALSE, &display);
    EXPECT_LT(display.bottom, r.top);
    CRect back = display;
    tab->AdjustRect(TRUE, &back);
    EXPECT_EQ(back, CRect(0, 0, 400, 200));

    EXPECT_TRUE(tab->DeleteItem(0));
    EXPECT_EQ(tab->GetCurSel(), -1);
    EXPECT_FALSE(tab->DeleteItem(3));
    EXPECT_TRUE(tab->DeleteAllItems());
    EXPECT_EQ(tab->GetItemCount(), 0);
}

TEST_F(CommonControlsTest, TrackbarReportsKeysPagesAndDragsToItsParent)
{
    auto* slider = Make<CSliderCtrl>(TRACKBAR_CLASS, TBS_HORZ | TBS_AUTOTICKS | TBS_TOP, 81, RECT{10, 10, 220, 40});
    slider->SetRange(-100, 100, TRUE);
    slider->SetTicFreq(10);
    EXPECT_EQ(slider->GetRangeMin(), -100);
    EXPECT_EQ(slider->GetRangeMax(), 100);
    EXPECT_EQ(slider->GetNumTics(), 21u);
    slider->SetPos(150);
    EXPECT_EQ(slider->GetPos(), 100);
    slider->SetPos(0);
    EXPECT_EQ(slider->GetPageSize(), 40);

    slider->SetFocus();
    parent.Clear();
    Key(slider->m_hWnd, VK_RIGHT);
    Key(slider->m_hWnd, VK_NEXT);
    Key(slider->m_hWnd, VK_HOME);
    EXPECT_EQ(slider->GetPos(), -100);
    EXPECT_EQ(Scrolls(WM_HSCROLL, 81), (std::vector<std::pair<UINT, int>>{{TB_LINEDOWN, 0}, {TB_ENDTRACK, 0},
                                                                          {TB_PAGEDOWN, 0}, {TB_ENDTRACK, 0},
                                                                          {TB_TOP, 0}, {TB_ENDTRACK, 0}}));
    for (const Event& e : parent.events) {
        if (e.message == WM_HSCROLL) {
            EXPECT_EQ(e.from, slider->m_hWnd);
        }
    }

    // Drag the thumb from -100 to the middle.
    CRect thumb, channel;
    slider->GetThumbRect(&thumb);
    slider->GetChannelRect(&channel);
    parent.Clear();
    const int y = thumb.CenterPoint().y;
    AfxTestMouse(slider->m_hWnd, WM_LBUTTONDOWN, thumb.CenterPoint().x, y, MK_LBUTTON);
    AfxTestMouse(slider->m_hWnd, WM_MOUSEMOVE, (channel.left + channel.right) / 2, y, MK_LBUTTON);
    AfxTestMouse(slider->m_hWnd, WM_LBUTTONUP, (channel.left + channel.right) / 2, y, 0);
    Pump();
    EXPECT_EQ(slider->GetPos(), 0);
    EXPECT_EQ(Scrolls(WM_HSCROLL, 81),
              (std::vector<std::pair<UINT, int>>{{TB_THUMBTRACK, 0}, {TB_THUMBPOSITION, 0}, {TB_ENDTRACK, 0}}));
    // A click beside the thumb moves a page.
    parent.Clear();
    Click(slider->m_hWnd, channel.right - 2, y);
    EXPECT_EQ(slider->GetPos(), 40);
    EXPECT_EQ(Scrolls(WM_HSCROLL, 81), (std::vector<std::pair<UINT, int>>{{TB_PAGEDOWN, 0}, {TB_ENDTRACK, 0}}));
}

TEST_F(CommonControlsTest, ProgressBarPositionsAndItsFill)
{
    auto* bar = Make<CProgressCtrl>(PROGRESS_CLASS, PBS_SMOOTH, 82, RECT{10, 10, 112, 30});
    int low = 0, high = 0;
    bar->GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    bar->SetRange32(0, 200);
    EXPECT_EQ(bar->SetPos(50), 0);
    EXPECT_EQ(bar->OffsetPos(25), 50);
    EXPECT_EQ(bar->GetPos(), 75);
    EXPECT_EQ(bar->SetPos(500), 75);
    EXPECT_EQ(bar->GetPos(), 200);
    bar->SetPos(100);
    EXPECT_EQ(bar->SetStep(60), 10);
    EXPECT_EQ(bar->StepIt(), 100);
    EXPECT_EQ(bar->GetPos(), 160);
    bar->StepIt(); // past the end: starts over
    EXPECT_EQ(bar->GetPos(), 20);
    bar->SetPos(100);
    const COLORREF fill = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(Pixel(bar->m_hWnd, 20, 10), fill);
    EXPECT_NE(Pixel(bar->m_hWnd, 80, 10), fill);
}

TEST_F(CommonControlsTest, ScrollBarReportsAndLeavesThePositionToItsOwner)
{
    auto* bar = Make<CScrollBar>(WC_SCROLLBAR, SBS_HORZ, 83, RECT{10, 10, 210, 27});
    bar->SetScrollRange(0, 100);
    EXPECT_EQ(bar->SetScrollPos(40), 0);
    SCROLLINFO si{};
    si.fMask = SIF_PAGE;
    si.nPage = 20;
    bar->SetScrollInfo(&si);
    EXPECT_EQ(bar->GetScrollLimit(), 81);
    EXPECT_EQ(bar->SetScrollPos(95), 40);
    EXPECT_EQ(bar->GetScrollPos(), 81);
    int low = 0, high = 0;
    bar->GetScrollRange(&low, &high);
    EXPECT_EQ(high, 100);

    bar->SetScrollPos(40);
    parent.Clear();
    Click(bar->m_hWnd, 3, 8);    // left arrow
    Click(bar->m_hWnd, 196, 8);  // right arrow
    Click(bar->m_hWnd, 25, 8);   // left of the thumb
    EXPECT_EQ(bar->GetScrollPos(), 40); // the owner did not move it
    EXPECT_EQ(Scrolls(WM_HSCROLL, 83), (std::vector<std::pair<UINT, int>>{{SB_LINELEFT, 0}, {SB_ENDSCROLL, 0},
                                                                          {SB_LINERIGHT, 0}, {SB_ENDSCROLL, 0},
                                                                          {SB_PAGELEFT, 0}, {SB_ENDSCROLL, 0}}));
    // Dragging the thumb to the right end reports the limit.
    // The thumb: arrows as wide as the bar is high (17), a track of 166 pixels, a thumb
    // of 166 * 20 / 101 pixels whose start moves over the rest as the position goes to 81.
    const int thumbWidth = 166 * 20 / 101;
    const int thumbX = 17 + (166 - thumbWidth) * 40 / 81 + thumbWidth / 2;
    parent.Clear();
    AfxTestMouse(bar->m_hWnd, WM_LBUTTONDOWN, thumbX, 8, MK_LBUTTON);
    AfxTestMouse(bar->m_hWnd, WM_MOUSEMOVE, 300, 8, MK_LBUTTON);
    AfxTestMouse(bar->m_hWnd, WM_LBUTTONUP, 300, 8, 0);
    Pump();
    const std::vector<std::pair<UINT, int>> scrolls = Scrolls(WM_HSCROLL, 83);
    ASSERT_EQ(scrolls.size(), 3u);
    EXPECT_EQ(scrolls[0], std::make_pair((UINT)SB_THUMBTRACK, 81));
    EXPECT_EQ(scrolls[1], std::make_pair((UINT)SB_THUMBPOSITION, 81));
    EXPECT_EQ(scrolls[2].first, (UINT)SB_ENDSCROLL);
}

} // namespace
