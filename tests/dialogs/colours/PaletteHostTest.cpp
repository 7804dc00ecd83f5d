// The palette host windows: the honeycomb host reports every cell dragged over;
// the drop-down pop-up places itself inside the work area, is driven by mouse and
// keyboard, and ends the choice when it loses activation.
#include <gtest/gtest.h>

#include "ColourTestSupport.h"
#include "dialogs/controls/UiDropColorPaletteWnd.h"
#include "dialogs/controls/UiDropPaletteWnd.h"
#include "dialogs/controls/UiColorGlobals.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0);

CPoint Centre(CUiColorCellObj& cell)
{
    RECT r;
    cell.GetRect(&r);
    return CRect(r).CenterPoint();
}

int RingStart(int n) { return 1 + 3 * n * (n - 1); }

TEST(HoneycombHost, DraggingReportsEveryCellPassedAndTheRelease)
{
    ColourRecorder dialog;
    ASSERT_TRUE(dialog.CreateAt(30, 30, 260, 320, WS_OVERLAPPED | WS_VISIBLE));
    CUiDropPaletteWnd host;
    ASSERT_TRUE(host.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 250, 310), &dialog, 4232, kWhite, FALSE));
    AfxTestProcessEvents();
    CUiDropPaletteControl& palette = *host.GetControl();
    const CPoint a = Centre(palette.Cell(RingStart(2))), b = Centre(palette.Cell(RingStart(3)));

    // Moving without a pressed button changes nothing.
    AfxTestMouse(host, WM_MOUSEMOVE, a.x, a.y);
    AfxTestProcessEvents();
    EXPECT_TRUE(dialog.received.empty());
    EXPECT_EQ(palette.GetCurrentColor(), kWhite);

    const CPoint c0 = Centre(palette.Cell(0));
    AfxTestMouse(host, WM_LBUTTONDOWN, c0.x, c0.y, MK_LBUTTON);
    AfxTestMouse(host, WM_MOUSEMOVE, a.x, a.y, MK_LBUTTON);
    AfxTestMouse(host, WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
    AfxTestMouse(host, WM_LBUTTONUP, b.x, b.y);
    AfxTestProcessEvents();
    const COLORREF ca = palette.Cell(RingStart(2)).GetColor(), cb = palette.Cell(RingStart(3)).GetColor();
    const std::vector<ColourMessage> expected = {
        {WM_UI_COLORSELECTED, kWhite, 0},
        {WM_UI_COLORSELECTED, ca, 0},
        {WM_UI_COLORSELECTED, cb, 0},
        {WM_UI_COLORSELECTED, cb, 0},
    };
    EXPECT_EQ(dialog.received, expected);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_TRUE(host.IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), &host);
    // The host shows the selection: the dragged-to cell's colour at its centre.
    EXPECT_EQ(host.GetSurfacePixel(b.x, b.y), cb);
}

class PopupFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateAt(0, 0, 120, 40, WS_OVERLAPPED | WS_VISIBLE));
        AfxTestProcessEvents(); // the owner's own activation is over before a pop-up opens
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &m_work, 0);
    }

    CRect Open(const CRect& anchor, COLORREF color = kRed)
    {
        EXPECT_TRUE(m_popup.CreatePopup(WS_POPUP | WS_VISIBLE | CUiDropColorButtonPopup::DROP_BELOW, &anchor,
                                        &m_owner, color, 200, 150, 0));
        AfxTestProcessEvents();
        CRect r;
        m_popup.GetWindowRect(&r);
        return r;
    }

    std::vector<ColourMessage> Received()
    {
        AfxTestProcessEvents();
        return m_owner.received;
    }

    ColourRecorder m_owner;
    CUiDropColorButtonPopup m_popup;
    RECT m_work{};
};

TEST_F(PopupFixture, OpensBelowTheAnchorWithFocusAndPaintsThePalette)
{
    const CRect r = Open(CRect(40, 50, 120, 70));
    EXPECT_EQ(r, CRect(40, 70, 240, 220));
    EXPECT_TRUE(m_popup.IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), &m_popup);
    EXPECT_EQ(m_popup.GetSurfacePixel(100, 7), UiColorGlobals().caption);
    EXPECT_EQ(m_popup.GetSurfacePixel(40, 56), kRed); // cell 17, the current colour
}

struct PlacementCase {
    const char* name;
    int dx, dy;        // anchor offset from the work area's bottom right
    bool above, alignRight;
};

TEST_F(PopupFixture, StaysInsideTheWorkArea)
{
    const PlacementCase cases[] = {
        {"room below and right", -400, -300, false, false},
        {"exactly the pop-up's height left below", -400, -150, true, false},
        {"one pixel more than its height below", -400, -151, false, false},
        {"near the right edge", -100, -300, false, true},
        {"near the bottom right corner", -100, -100, true, true},
    };
    for (const PlacementCase& c : cases) {
        const CRect anchor(m_work.right + c.dx - 80, m_work.bottom + c.dy - 20, m_work.right + c.dx,
                           m_work.bottom + c.dy);
        CUiDropColorButtonPopup popup;
        ASSERT_TRUE(popup.CreatePopup(WS_POPUP | WS_VISIBLE | CUiDropColorButtonPopup::DROP_BELOW, &anchor,
                                      &m_owner, kRed, 200, 150, 0))
            << c.name;
        CRect r;
        popup.GetWindowRect(&r);
        EXPECT_EQ(r.top, c.above ? anchor.top - 150 : anchor.bottom) << c.name;
        EXPECT_EQ(r.left, c.alignRight ? anchor.right - 200 : anchor.left) << c.name;
        EXPECT_EQ(r.Size(), CSize(200, 150)) << c.name;
    }
}

TEST_F(PopupFixture, ReleaseOverACellChoosesItAndHides)
{
    Open(CRect(40, 50, 120, 70));
    CUiDropColorPaletteControl& palette = *m_popup.GetControl();
    const CPoint from = Centre(palette.Cell(3)), to = Centre(palette.Cell(44));
    AfxTestMouse(m_popup, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    AfxTestMouse(m_popup, WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    AfxTestMouse(m_popup, WM_LBUTTONUP, to.x, to.y);
    EXPECT_EQ(Received(), (std::vector<ColourMessage>{{WM_UI_COLORSELECTED, RGB(0, 64, 0), 0}}));
    EXPECT_FALSE(m_popup.IsWindowVisible());
}

TEST_F(PopupFixture, ArrowKeysThenEnterChooseFromTheKeyboard)
{
    Open(CRect(40, 50, 120, 70));
    for (UINT key : {VK_RIGHT, VK_RIGHT, VK_DOWN})
        AfxTestKeyStroke(m_popup, key);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(m_popup.GetControl()->GetCurrentColor(), RGB(192, 192, 0));
    AfxTestKeyStroke(m_popup, VK_RETURN);
    EXPECT_EQ(Received(), (std::vector<ColourMessage>{{WM_UI_COLORSELECTED, RGB(192, 192, 0), 0}}));
    EXPECT_FALSE(m_popup.IsWindowVisible());
}

TEST_F(PopupFixture, EscapeReturnsTheCurrentColourAsACancellationOnly)
{
    Open(CRect(40, 50, 120, 70));
    AfxTestKeyStroke(m_popup, VK_LEFT);
    AfxTestKeyStroke(m_popup, VK_ESCAPE);
    // Hiding after the choice loses activation; that must not choose once more.
    EXPECT_EQ(Received(), (std::vector<ColourMessage>{{WM_UI_COLORCANCEL, RGB(192, 192, 192), 0}}));
    EXPECT_FALSE(m_popup.IsWindowVisible());
}

TEST_F(PopupFixture, LosingActivationChoosesTheSelectedColour)
{
    Open(CRect(40, 50, 120, 70));
    AfxTestKeyStroke(m_popup, VK_UP);
    ColourRecorder other;
    ASSERT_TRUE(other.CreateAt(300, 300, 50, 50, WS_OVERLAPPED | WS_VISIBLE));
    other.SetFocus(); // a click elsewhere, another application
    EXPECT_EQ(Received(), (std::vector<ColourMessage>{{WM_UI_COLORSELECTED, RGB(255, 128, 128), 0}}));
    EXPECT_FALSE(m_popup.IsWindowVisible());
}

} // namespace
