// The More Colors dialog: its texts, the honeycomb and the common colour dialog,
// the eye-dropper over the application's own windows, the keyboard, and the
// common dialog in its place on a display of few colours.
#include <gtest/gtest.h>

#include "ColourTestSupport.h"
#include "dialogs/controls/MoreColorsDlg.h"
#include "dialogs/controls/UiColorGlobals.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0);

struct Texts {
    CString rgb, hex;
};

Texts Read(CMoreColorsDlg& dlg)
{
    Texts t;
    dlg.GetDlgItemText(IDC_MORE_COLORS_RGB, t.rgb);
    dlg.GetDlgItemText(IDC_MORE_COLORS_HEX, t.hex);
    return t;
}

TEST(MoreColors, ShowsTheColourInDecimalAndHexadecimal)
{
    const struct {
        COLORREF color;
        const char* rgb;
        const char* hex;
    } cases[] = {{kWhite, "255,255,255", "FFFFFF"}, {kRed, "255,0,0", "FF0000"}, {RGB(1, 171, 16), "1,171,16", "01AB10"}};
    for (const auto& c : cases) {
        CMoreColorsDlg dlg;
        dlg.m_color = c.color;
        DialogAnswerer answers;
        Texts t;
        COLORREF newColor = 0, currentColor = 0;
        answers.Then([&](CWnd&) {
            t = Read(dlg);
            newColor = dlg.Preview().GetNewColor();
            currentColor = dlg.Preview().GetCurrentColor();
            return DialogAnswerer::Press(dlg, IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(t.rgb, c.rgb);
        EXPECT_EQ(t.hex, c.hex);
        EXPECT_EQ(newColor, c.color);
        EXPECT_EQ(currentColor, c.color);
        EXPECT_EQ(dlg.m_color, c.color);
    }
}

TEST(MoreColors, HoneycombClicksAndTheCommonDialogChangeTheColour)
{
    CMoreColorsDlg dlg;
    dlg.m_color = kRed;
    DialogAnswerer answers;
    Texts afterClick, afterCustom;
    COLORREF preview = 0, previewPixel = 0;
    answers.Then([&](CWnd&) {
        CUiDropPaletteWnd& honeycomb = dlg.Honeycomb();
        // No cell is red: none is selected. The centre is white.
        EXPECT_EQ(honeycomb.GetControl()->GetCurrentColor(), kRed);
        RECT c;
        honeycomb.GetControl()->Cell(0).GetRect(&c);
        const CPoint centre = CRect(c).CenterPoint();
        AfxTestMouse(honeycomb, WM_LBUTTONDOWN, centre.x, centre.y, MK_LBUTTON);
        AfxTestMouse(honeycomb, WM_LBUTTONUP, centre.x, centre.y);
        AfxTestProcessEvents();
        afterClick = Read(dlg);
        preview = dlg.Preview().GetNewColor();
        // The preview's upper half shows the new colour.
        CRect r;
        dlg.Preview().GetClientRect(&r);
        previewPixel = dlg.Preview().GetSurfacePixel(r.Width() / 2, 6);
        // Then "Custom..." through the common colour dialog.
        return DialogAnswerer::Press(dlg, IDC_MORE_COLORS_CUSTOM) == IDCANCEL ? DialogAnswerer::Press(dlg, IDOK)
                                                                               : IDCANCEL;
    });
    answers.ThenColor(RGB(10, 20, 30));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(afterClick.rgb, "255,255,255");
    EXPECT_EQ(preview, kWhite);
    EXPECT_EQ(previewPixel, kWhite);
    EXPECT_EQ(dlg.m_color, RGB(10, 20, 30));
    ASSERT_EQ(answers.Dialogs().size(), 2u);
}

TEST(MoreColors, EyeDropperPicksFromTheApplicationsWindowsUntilReleased)
{
    // A window of the application showing a known colour, away from the dialog.
    ColourRecorder source;
    ASSERT_TRUE(source.CreateAt(0, 0, 40, 40));
    {
        CClientDC dc(&source);
        dc.FillSolidRect(CRect(0, 0, 40, 40), RGB(12, 200, 99));
    }
    AfxTestProcessEvents();

    CMoreColorsDlg dlg;
    dlg.m_color = kRed;
    DialogAnswerer answers;
    Texts picked, offScreen;
    bool capturedWhilePicking = false, pickingAfterRelease = true;
    answers.Then([&](CWnd&) {
        CRect picker;
        dlg.Picker().GetWindowRect(&picker);
        dlg.ScreenToClient(&picker);
        const CPoint press = picker.CenterPoint();
        AfxTestMouse(dlg, WM_LBUTTONDOWN, press.x, press.y, MK_LBUTTON);
        capturedWhilePicking = dlg.IsPicking() && CWnd::GetCapture() == &dlg;
        CPoint over(20, 20); // inside the source window, on the screen
        dlg.ScreenToClient(&over);
        AfxTestMouse(dlg, WM_MOUSEMOVE, over.x, over.y, MK_LBUTTON);
        AfxTestProcessEvents();
        picked = Read(dlg);
        // Off the screen there is no pixel to pick: the colour stays.
        CPoint off(-30, -30);
        dlg.ScreenToClient(&off);
        AfxTestMouse(dlg, WM_MOUSEMOVE, off.x, off.y, MK_LBUTTON);
        offScreen = Read(dlg);
        AfxTestMouse(dlg, WM_LBUTTONUP, over.x, over.y);
        pickingAfterRelease = dlg.IsPicking();
        // Moving after the release picks nothing.
        AfxTestMouse(dlg, WM_MOUSEMOVE, press.x, press.y);
        return DialogAnswerer::Press(dlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(capturedWhilePicking);
    EXPECT_EQ(picked.rgb, "12,200,99");
    EXPECT_EQ(offScreen.rgb, "12,200,99");
    EXPECT_EQ(offScreen.hex, "0CC863");
    EXPECT_FALSE(pickingAfterRelease);
    EXPECT_EQ(dlg.m_color, RGB(12, 200, 99));
}

TEST(MoreColors, EscapeEndsPickingWithoutClosingAndShiftTabReachesTheHoneycomb)
{
    CMoreColorsDlg dlg;
    DialogAnswerer answers;
    bool stillOpen = false, picking = true;
    CWnd* focus = nullptr;
    answers.Then([&](CWnd&) {
        CRect picker;
        dlg.Picker().GetWindowRect(&picker);
        dlg.ScreenToClient(&picker);
        AfxTestMouse(dlg, WM_LBUTTONDOWN, picker.CenterPoint().x, picker.CenterPoint().y, MK_LBUTTON);
        AfxTestKeyStroke(dlg, VK_ESCAPE);
        AfxTestProcessEvents();
        picking = dlg.IsPicking();
        stillOpen = dlg.ContinueModal() != FALSE;
        dlg.GetDlgItem(IDOK)->SetFocus();
        AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_TAB, nullptr, MK_SHIFT);
        AfxTestProcessEvents();
        focus = CWnd::GetFocus();
        // Input without Shift, so that Shift is up again for the tests that follow.
        AfxTestMouse(focus->GetSafeHwnd(), WM_MOUSEMOVE, 1, 1);
        AfxTestProcessEvents();
        return DialogAnswerer::Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(picking);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(focus, &dlg.Honeycomb());
}

TEST(MoreColors, FewColoursShowTheCommonDialogInstead)
{
    const int depth = UiColorGlobals().bitsPerPixel;
    UiColorGlobals().bitsPerPixel = 4;
    for (const bool ok : {true, false}) {
        CMoreColorsDlg dlg;
        dlg.m_color = kRed;
        DialogAnswerer answers;
        answers.Then([&](CWnd& w) {
            auto& colour = dynamic_cast<CColorDialog&>(w);
            EXPECT_EQ(colour.m_cc.rgbResult, kRed);
            colour.m_cc.rgbResult = RGB(9, 8, 7);
            return ok ? IDOK : IDCANCEL;
        });
        EXPECT_EQ(dlg.DoModal(), ok ? IDOK : IDCANCEL);
        ASSERT_EQ(answers.Dialogs().size(), 1u) << "the More Colors dialog itself never shows";
        EXPECT_EQ(answers.Dialogs()[0].className, "CColorDialog");
        EXPECT_EQ(dlg.m_color, RGB(9, 8, 7));
    }
    UiColorGlobals().bitsPerPixel = depth;
}

} // namespace
