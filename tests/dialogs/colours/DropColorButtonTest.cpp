// The drop-down colour button as a dialog uses it: its size, what it shows, the
// pop-up it opens by mouse and keyboard, what it tells its parent, More Colors
// from the pop-up, and data exchange both ways.
#include <gtest/gtest.h>

#include "ColourTestSupport.h"
#include "dialogs/controls/MoreColorsDlg.h"
#include "dialogs/controls/UiDropColorButton.h"
#include "dialogs/controls/UiDropColorPaletteWnd.h"
#include "platform/base/Exceptions.h"
#include "platform/dialogs/CDialog.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/testing/DialogAnswerer.h"
#include "resources/resource.h"

namespace {

const UINT kButtonId = 1001;
const COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0);

// A dialog with one colour button and OK / Cancel, exchanging `value`.
const DialogItemTemplate kItems[] = {
    {"Button", (int)kButtonId, "", 10, 10, 20, 12, WS_VISIBLE | WS_TABSTOP},
    {"Button", IDOK, "OK", 10, 40, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"Button", IDCANCEL, "Cancel", 70, 40, 50, 14, WS_VISIBLE | WS_TABSTOP},
};
const DialogTemplate kTemplate = {0, "Colour", 0, 0, 130, 60, DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION,
                                  0, "MS Sans Serif", 8, kItems};

class ColourDialog : public CDialog {
public:
    ColourDialog() { InitModalIndirect(&kTemplate); }
    COLORREF value = kRed;
    CUiDropColorButton button;
    std::vector<ColourMessage> received;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, kButtonId, button);
        DDX_DropColorButton(pDX, kButtonId, value);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_UI_COLORSELECTED && message <= WM_UI_COLORCHANGED) {
            received.push_back({message, (COLORREF)wParam, lParam});
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

// Opens the button's pop-up with a click, as the user does.
CUiDropColorButtonPopup* ClickOpen(CUiDropColorButton& button)
{
    CRect r;
    button.GetClientRect(&r);
    AfxTestMouse(button, WM_LBUTTONDOWN, r.Width() / 2, r.Height() / 2, MK_LBUTTON);
    AfxTestMouse(button, WM_LBUTTONUP, r.Width() / 2, r.Height() / 2);
    AfxTestProcessEvents();
    return button.GetPopup();
}

TEST(DropColorButton, IsWidenedToTwoArrowsAndAsHighAsTheArrow)
{
    ColourRecorder parent;
    ASSERT_TRUE(parent.CreateAt(10, 10, 200, 100, WS_OVERLAPPED | WS_VISIBLE));
    // Attached to a narrow dialog control: widened to 2 x (16 + 2), 16 + 2 x 2 high.
    CButton plain;
    ASSERT_TRUE(plain.Create("", WS_CHILD | WS_VISIBLE, CRect(5, 6, 25, 50), &parent, kButtonId));
    plain.Detach();
    CUiDropColorButton narrow;
    ASSERT_TRUE(narrow.SubclassDlgItem(kButtonId, &parent));
    CRect r;
    narrow.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(5, 6, 41, 26));
    EXPECT_EQ(CRect(narrow.GetArrowRect()), CRect(18, 2, 34, 18));
    EXPECT_EQ(narrow.GetButtonStyle() & BS_TYPEMASK, (UINT)BS_OWNERDRAW);
    EXPECT_EQ(narrow.GetNotifyWnd(), &parent);

    // Created directly and wide enough: keeps its width.
    CUiDropColorButton wide;
    ASSERT_TRUE(wide.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(50, 6, 150, 16), &parent, 1002));
    wide.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(50, 6, 150, 26));
}

TEST(DropColorButton, ShowsItsColourAndIsDrawnActiveWhileDropped)
{
    ColourRecorder parent;
    ASSERT_TRUE(parent.CreateAt(10, 10, 200, 100, WS_OVERLAPPED | WS_VISIBLE));
    CUiDropColorButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 30), &parent, kButtonId));
    button.SetColor(RGB(0, 128, 255));
    button.Invalidate();
    AfxTestProcessEvents();
    // Field (2, 2)-(62, 18), inset 2 then 2: the colour inside a black frame on white.
    EXPECT_EQ(button.GetSurfacePixel(30, 10), RGB(0, 128, 255));
    EXPECT_EQ(button.GetSurfacePixel(30, 4), RGB(0, 0, 0));
    EXPECT_EQ(button.GetSurfacePixel(30, 3), kWhite);
    EXPECT_EQ(button.GetSurfacePixel(0, 0), ::GetSysColor(COLOR_BTNSHADOW)); // the sunken edge
    EXPECT_EQ(button.GetSurfacePixel(65, 5), ::GetSysColor(COLOR_BTNFACE)); // the arrow button

    ASSERT_NE(ClickOpen(button), nullptr);
    EXPECT_TRUE(button.IsDropped());
    AfxTestProcessEvents();
    EXPECT_EQ(button.GetSurfacePixel(30, 3), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(button.GetSurfacePixel(30, 10), RGB(0, 128, 255));
}

class DropFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateAt(10, 10, 200, 100, WS_OVERLAPPED | WS_VISIBLE));
        ASSERT_TRUE(m_button.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 90, 30), &m_parent,
                                    kButtonId));
        m_button.SetColor(kRed);
        AfxTestProcessEvents();
    }

    ColourRecorder m_parent;
    CUiDropColorButton m_button;
};

TEST_F(DropFixture, ClickOpensThePopupBelowAndAChosenCellBecomesTheColour)
{
    CUiDropColorButtonPopup* popup = ClickOpen(m_button);
    ASSERT_NE(popup, nullptr);
    CRect anchor, r;
    m_button.GetWindowRect(&anchor);
    popup->GetWindowRect(&r);
    EXPECT_EQ(r.TopLeft(), CPoint(anchor.left, anchor.bottom));
    EXPECT_EQ(popup->GetControl()->GetCurrentColor(), kRed);

    const CRect cell = [&] { RECT c; popup->GetControl()->Cell(22).GetRect(&c); return CRect(c); }();
    AfxTestMouse(*popup, WM_LBUTTONDOWN, cell.CenterPoint().x, cell.CenterPoint().y, MK_LBUTTON);
    AfxTestMouse(*popup, WM_LBUTTONUP, cell.CenterPoint().x, cell.CenterPoint().y);
    AfxTestProcessEvents();
    EXPECT_EQ(m_button.GetColor(), RGB(0, 0, 255));
    EXPECT_EQ(m_button.GetPopup(), nullptr);
    EXPECT_FALSE(m_button.IsDropped());
    const std::vector<ColourMessage> expected = {
        {WM_UI_COLORSELECTED, RGB(0, 0, 255), (LPARAM)kButtonId},
        {WM_UI_COLORCHANGED, RGB(0, 0, 255), (LPARAM)kButtonId},
    };
    EXPECT_EQ(m_parent.received, expected);
    EXPECT_EQ(m_button.GetSurfacePixel(30, 10), RGB(0, 0, 255));
}

TEST_F(DropFixture, KeyboardOpensWalksAndEscapeKeepsTheWalk)
{
    m_button.SetFocus();
    AfxTestProcessEvents();
    AfxTestKeyStroke(m_button, VK_DOWN);
    AfxTestProcessEvents();
    CUiDropColorButtonPopup* popup = m_button.GetPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(CWnd::GetFocus(), popup);
    // The keys now go to the pop-up, which has the focus.
    AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_LEFT);
    AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_ESCAPE);
    AfxTestProcessEvents();
    EXPECT_EQ(m_button.GetColor(), RGB(192, 192, 192));
    EXPECT_EQ(m_parent.received, (std::vector<ColourMessage>{{WM_UI_COLORCANCEL, RGB(192, 192, 192), (LPARAM)kButtonId}}));

    // Space opens it again; choosing the same colour tells no change.
    m_parent.received.clear();
    m_button.SetFocus();
    AfxTestProcessEvents();
    AfxTestKeyStroke(m_button, VK_SPACE, " ");
    AfxTestProcessEvents();
    ASSERT_NE(m_button.GetPopup(), nullptr);
    AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_RETURN);
    AfxTestProcessEvents();
    EXPECT_EQ(m_parent.received,
              (std::vector<ColourMessage>{{WM_UI_COLORSELECTED, RGB(192, 192, 192), (LPARAM)kButtonId}}));
}

TEST_F(DropFixture, ColourMessageWithoutAPopupKeepsTheColourButStillNotifies)
{
    m_button.SendMessage(WM_UI_COLORSELECTED, RGB(1, 2, 3), 0);
    EXPECT_EQ(m_button.GetColor(), kRed);
    const std::vector<ColourMessage> expected = {
        {WM_UI_COLORSELECTED, RGB(1, 2, 3), (LPARAM)kButtonId},
        {WM_UI_COLORCHANGED, RGB(1, 2, 3), (LPARAM)kButtonId},
    };
    EXPECT_EQ(m_parent.received, expected);
}

TEST_F(DropFixture, CustomOpensMoreColorsAndItsCancelKeepsThePalettesColour)
{
    DialogAnswerer answers;
    CString rgb, hex;
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CMoreColorsDlg&>(w);
        dlg.GetDlgItemText(IDC_MORE_COLORS_RGB, rgb);
        dlg.GetDlgItemText(IDC_MORE_COLORS_HEX, hex);
        return DialogAnswerer::Press(dlg, IDCANCEL);
    });
    ASSERT_NE(ClickOpen(m_button), nullptr);
    AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_RIGHT); // red -> orange
    AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_TAB);   // "Custom..."
    AfxTestProcessEvents();
    ASSERT_EQ(answers.Dialogs().size(), 1u);
    EXPECT_EQ(answers.Dialogs()[0].templateId, (UINT)IDD_MORE_COLORS);
    EXPECT_EQ(answers.Dialogs()[0].caption, "More Colors");
    EXPECT_EQ(rgb, "255,192,0");
    EXPECT_EQ(hex, "FFC000");
    EXPECT_EQ(m_button.GetColor(), RGB(255, 192, 0));
    EXPECT_EQ(m_button.GetPopup(), nullptr);
    const std::vector<ColourMessage> expected = {
        {WM_UI_COLORSELECTED, RGB(255, 192, 0), (LPARAM)kButtonId},
        {WM_UI_COLORCHANGED, RGB(255, 192, 0), (LPARAM)kButtonId},
    };
    EXPECT_EQ(m_parent.received, expected);
}

TEST_F(DropFixture, CustomWithOkTakesTheColourChosenInMoreColors)
{
    DialogAnswerer answers;
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CMoreColorsDlg&>(w);
        // Arrow keys in the honeycomb: the centre's white, then the first cell of ring 1.
        CWnd& honeycomb = dlg.Honeycomb();
        honeycomb.SetFocus();
        AfxTestKeyStroke(honeycomb, VK_RIGHT);
        AfxTestProcessEvents();
        return DialogAnswerer::Press(dlg, IDOK);
    });
    ASSERT_NE(ClickOpen(m_button), nullptr);
    m_button.GetPopup()->GetControl()->SelectColor(kWhite);
    AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_TAB);
    AfxTestProcessEvents();
    ASSERT_EQ(answers.Dialogs().size(), 1u);
    EXPECT_EQ(m_button.GetColor(), RGB(255, 233, 233));
}

TEST(DropColorButtonExchange, LoadsIntoTheButtonAndSavesTheChosenColourOnOk)
{
    for (const bool ok : {true, false}) {
        ColourDialog dlg;
        DialogAnswerer answers;
        COLORREF shown = 0, pixel = 0;
        answers.Then([&](CWnd&) {
            shown = dlg.button.GetColor();
            AfxTestProcessEvents();
            pixel = dlg.button.GetSurfacePixel(12, 10);
            // The user drops the palette and takes green with the keyboard.
            dlg.button.SetFocus();
            AfxTestKeyStroke(dlg.button, VK_DOWN);
            AfxTestProcessEvents();
            for (UINT key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN})
                AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), key);
            AfxTestProcessEvents();
            return DialogAnswerer::Press(dlg, ok ? IDOK : IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), ok ? IDOK : IDCANCEL);
        EXPECT_EQ(shown, kRed);
        EXPECT_EQ(pixel, kRed);
        EXPECT_EQ(dlg.value, ok ? RGB(0, 255, 0) : kRed) << (ok ? "OK" : "Cancel");
        EXPECT_EQ(dlg.received.size(), 2u);
    }
}

TEST(DropColorButtonExchange, ControlWithoutTheButtonIsADialogFault)
{
    ColourRecorder parent;
    ASSERT_TRUE(parent.CreateAt(10, 10, 100, 50, WS_OVERLAPPED | WS_VISIBLE));
    CButton plain;
    ASSERT_TRUE(plain.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &parent, kButtonId));
    CDataExchange dx(&parent, TRUE);
    COLORREF value = kRed;
    bool refused = false;
    try {
        DDX_DropColorButton(&dx, kButtonId, value);
    } catch (CException* e) {
        refused = e->IsKindOf(RUNTIME_CLASS(CNotSupportedException));
        e->Delete();
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(value, kRed);
}

} // namespace
