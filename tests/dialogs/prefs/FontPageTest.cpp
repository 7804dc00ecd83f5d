// The Fonts page: a category shows its font, the choices reach the five window
// fonts at OK, a height of three digits survives the page and the profile, and
// "Reset All" brings the defaults back.
#include <gtest/gtest.h>

#include "dialogs/MUIApp.h"
#include "dialogs/PrefFontPage.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "platform/base/Profile.h"
#include "platform/dialogs/CPropertySheet.h"
#include "platform/gdi/CDC.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"
#include "resources/resource.h"

#include <functional>

namespace {

CTextFont** const kFonts[] = {&g_MapWindowFont, &g_InfoWindowFont, &g_DataWindowFont, &g_DialogWindowFont,
                              &g_ReportWindowFont};

class FontPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxWriteProfileString("Fonts", nullptr, nullptr);
        for (CTextFont** font : kFonts) {
            delete *font;
            *font = new CTextFont("Arial", 1, 16);
        }
        delete g_DialogWindowFont;
        g_DialogWindowFont = new CTextFont("MS Sans Serif", 0, 12);
    }
    void TearDown() override
    {
        for (CTextFont** font : kFonts) {
            delete *font;
            *font = nullptr;
        }
    }

    // Shows the page in a sheet and answers with `act`, which presses a button.
    void Run(const std::function<int(CPrefFontPage&, CPropertySheet&)>& act)
    {
        CPrefFontPage page;
        CPropertySheet sheet("Preferences...");
        sheet.AddPage(&page);
        DialogAnswerer answers;
        answers.Then([&](CWnd&) { return act(page, sheet); });
        sheet.DoModal();
    }

    static void ChooseCategory(CPrefFontPage& page, int index)
    {
        page.m_categoryList.SetCurSel(index);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PREF_FONT_CATEGORY, LBN_SELCHANGE),
                         (LPARAM)page.m_categoryList.m_hWnd);
    }
    static void ChooseFace(CPrefFontPage& page, const char* face)
    {
        page.m_faceCombo.SetCurSel(page.m_faceCombo.FindStringExact(-1, face));
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PREF_FONT_FACE, CBN_SELCHANGE), (LPARAM)page.m_faceCombo.m_hWnd);
    }
    static CString Text(CWnd& w)
    {
        CString s;
        w.GetWindowText(s);
        return s;
    }
};

TEST_F(FontPage, ACategoryShowsItsFontAndTheSample)
{
    Run([](CPrefFontPage& page, CPropertySheet& sheet) {
        ChooseCategory(page, 3); // "Dialog Window"
        CString face;
        page.m_faceCombo.GetLBText(page.m_faceCombo.GetCurSel(), face);
        EXPECT_STREQ(face, "MS Sans Serif");
        EXPECT_STREQ(Text(page.m_sizeCombo), "12");
        EXPECT_STREQ(Text(*page.GetDlgItem(IDC_PREF_FONT_STYLE)), "Regular");

        page.UpdateWindow();
        AfxTestProcessEvents();
        CClientDC dc(&page);
        const CRect sample = CPrefFontPage::SampleRect();
        int black = 0;
        for (int y = sample.top; y < sample.top + 20; ++y)
            for (int x = sample.left; x < sample.left + 60; ++x)
                black += dc.GetPixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
        EXPECT_GT(black, 10);
        return DialogAnswerer::Press(sheet, IDCANCEL);
    });
    EXPECT_STREQ(g_DialogWindowFont->GetFaceName(), "MS Sans Serif");
}

TEST_F(FontPage, ChoicesReachTheFontsAtOkAndAThreeDigitHeightSurvivesTheProfile)
{
    Run([](CPrefFontPage& page, CPropertySheet& sheet) {
        ChooseFace(page, "Courier New"); // no category yet: nothing changes
        EXPECT_STREQ(page.GetEntry(0).face, "Arial");

        ChooseCategory(page, 4); // "Report Window"
        ChooseFace(page, "Times New Roman");
        page.m_sizeCombo.SetFocus();
        page.m_sizeCombo.SetWindowText("300");
        page.m_categoryList.SetFocus(); // leaving the size checks it
        AfxTestProcessEvents();
        EXPECT_STREQ(Text(page.m_sizeCombo), "300");
        page.GetDlgItem(IDC_PREF_FONT_STYLE)->SendMessage(CB_SETCURSEL, 2, 0);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PREF_FONT_STYLE, CBN_SELCHANGE),
                         (LPARAM)page.GetDlgItem(IDC_PREF_FONT_STYLE)->m_hWnd);
        return DialogAnswerer::Press(sheet, IDOK);
    });
    EXPECT_STREQ(g_ReportWindowFont->GetFaceName(), "Times New Roman");
    EXPECT_EQ(g_ReportWindowFont->GetHeight(), 300);
    EXPECT_EQ(g_ReportWindowFont->GetStyle(), 2);
    EXPECT_STREQ(g_MapWindowFont->GetFaceName(), "Arial");

    CMUIApp app;
    app.SaveSettings();
    app.LoadSettings();
    EXPECT_EQ(g_ReportWindowFont->GetHeight(), 300);
    EXPECT_STREQ(g_ReportWindowFont->GetFaceName(), "Times New Roman");
}

TEST_F(FontPage, ResetAllAndOkGiveEveryFontTheDefault)
{
    Run([](CPrefFontPage& page, CPropertySheet& sheet) {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PREF_RESET_ALL, BN_CLICKED),
                         (LPARAM)page.GetDlgItem(IDC_PREF_RESET_ALL)->m_hWnd);
        return DialogAnswerer::Press(sheet, IDOK);
    });
    for (CTextFont** font : kFonts) {
        EXPECT_STREQ((*font)->GetFaceName(), "MS Sans Serif");
        EXPECT_EQ((*font)->GetHeight(), 12);
        EXPECT_EQ((*font)->GetStyle(), 0);
    }
}

} // namespace
