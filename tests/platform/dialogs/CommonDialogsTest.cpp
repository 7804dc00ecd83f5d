// File, colour and font dialogs: answered through the hook, and the real toolkit
// dialogs they show without one.
#include "DialogTestSupport.h"

#include "platform/dialogs/CommonDialogs.h"
#include "platform/testing/CommonDialogProbe.h"
#include "tests/support/TempFolder.h"

#include <cstring>
#include <string>

namespace {

struct FilterCase {
    const char* filter;
    std::vector<std::pair<std::string, std::vector<std::string>>> expected;
};

TEST(FileDialog, FilterStringsSplitIntoDescriptionsAndPatterns)
{
    const FilterCase cases[] = {
        {"Terravue Layer(*.klz)|*.klz||", {{"Terravue Layer(*.klz)", {"*.klz"}}}},
        {"Predefined color set (*.pcs)|*.pcs|All files (*.*)|*.*||",
         {{"Predefined color set (*.pcs)", {"*.pcs"}}, {"All files (*.*)", {"*.*"}}}},
        {"Shape file (*.shx;*.shp)|*.shx; *.shp||", {{"Shape file (*.shx;*.shp)", {"*.shx", "*.shp"}}}},
        {"Without its end|*.a", {{"Without its end", {"*.a"}}}},
        {"A description without patterns||", {}},
        {"", {}},
    };
    for (const FilterCase& c : cases) {
        CFileDialog dlg(TRUE, nullptr, nullptr, 0, c.filter);
        std::vector<std::pair<std::string, std::vector<std::string>>> got;
        for (const FileFilter& f : AfxParseFileFilter(dlg.m_ofn.lpstrFilter)) {
            got.emplace_back(f.description.str(), std::vector<std::string>{});
            for (const CString& p : f.patterns)
                got.back().second.push_back(p.str());
        }
        EXPECT_EQ(got, c.expected) << c.filter;
    }
    CFileDialog none(TRUE);
    EXPECT_EQ(none.m_ofn.lpstrFilter, nullptr);
    EXPECT_TRUE(AfxParseFileFilter(nullptr).empty());
}

TEST(FileDialog, TheAnswerBecomesPathNameTitleAndExtension)
{
    DialogAnswerer answers;
    CFileDialog dlg(FALSE, "*.klz", "Roads.klz", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
                    "Terravue Layer(*.klz)|*.klz|All files (*.*)|*.*||");
    answers.Then([&](CWnd& w) {
        auto& file = dynamic_cast<CFileDialog&>(w);
        EXPECT_STREQ(file.m_ofn.lpstrFile, "Roads.klz");
        EXPECT_EQ(file.m_ofn.nFilterIndex, 1u);
        EXPECT_TRUE(file.m_ofn.Flags & OFN_OVERWRITEPROMPT);
        EXPECT_STREQ(file.m_ofn.lpstrDefExt, "klz");
        std::strcpy(file.m_ofn.lpstrFile, "/tmp/maps.v2/roads");
        file.m_ofn.nFilterIndex = 2;
        return IDOK;
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), "/tmp/maps.v2/roads.klz"); // typed without extension: the default one
    EXPECT_EQ(dlg.GetFileName(), "roads.klz");
    EXPECT_EQ(dlg.GetFileTitle(), "roads");
    EXPECT_EQ(dlg.GetFileExt(), "klz");
    EXPECT_EQ(dlg.m_ofn.nFilterIndex, 2u);
    ASSERT_EQ(answers.Dialogs().size(), 1u);
    EXPECT_EQ(answers.Dialogs()[0].caption, "Save As");
    EXPECT_EQ(answers.Dialogs()[0].className, "CFileDialog");

    CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Query(*.mqb)|*.mqb||");
    answers.ThenFile("/data/query.MQB");
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetFileExt(), "MQB");
    EXPECT_EQ(answers.Dialogs()[1].caption, "Open");

    answers.ThenFile("/data/noext");
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetFileExt(), "");
    EXPECT_EQ(open.GetFileTitle(), "noext");
}

TEST(FileDialog, CancelAndPathsTooLongForTheBufferChooseNothing)
{
    DialogAnswerer answers;
    CFileDialog dlg(TRUE, nullptr, "start.txt");
    answers.Then([](CWnd&) { return IDCANCEL; });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPathName(), "start.txt");

    answers.Then([](CWnd& w) {
        auto& file = dynamic_cast<CFileDialog&>(w);
        std::memset(file.m_ofn.lpstrFile, 'a', file.m_ofn.nMaxFile - 1);
        file.m_ofn.lpstrFile[file.m_ofn.nMaxFile - 1] = 0;
        return IDOK;
    });
    CFileDialog withExtension(TRUE, "txt");
    EXPECT_EQ(withExtension.DoModal(), IDCANCEL); // the name and ".txt" do not fit
}

TEST(FileDialog, TheRealDialogShowsTheFiltersAndReturnsTheChosenFile)
{
    const testsupport::TempFolder dir("commondialogs-");
    const std::string chosen = dir.File("Layer.SHP").str();
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY,
                    "Shape file (*.shx;*.shp)|*.shx;*.shp|GPS data log file (*.*)|*.*||");
    dlg.m_ofn.nFilterIndex = 2;
    dlg.m_ofn.lpstrTitle = "Import";
    WhenFileDialogShown([&](FileDialogView& d) {
        EXPECT_EQ(d.Title(), "Import");
        // Patterns match without regard to case, and "*.*" matches every name.
        EXPECT_EQ(d.NameFilters(),
                  (std::vector<std::string>{"Shape file (*.shx;*.shp) (*.[sS][hH][xX] *.[sS][hH][pP])",
                                            "GPS data log file (*.*) (*)"}));
        EXPECT_EQ(d.SelectedNameFilter(), "GPS data log file (*.*) (*)");
        d.SelectNameFilter(d.NameFilters()[0]);
        d.SelectFile(chosen);
        d.Accept();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), chosen);
    EXPECT_EQ(dlg.m_ofn.nFilterIndex, 1u);
}

TEST(ColorDialog, TheAnswerIsTheColourAndCustomColoursAreShared)
{
    CColorDialog black;
    EXPECT_EQ(black.m_cc.Flags & CC_RGBINIT, 0u);
    CColorDialog red(RGB(255, 0, 0), CC_FULLOPEN | CC_ANYCOLOR);
    EXPECT_EQ(red.m_cc.Flags, (DWORD)(CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT));
    EXPECT_EQ(red.m_cc.lpCustColors, black.m_cc.lpCustColors);
    EXPECT_EQ(red.m_cc.lpCustColors[15], RGB(255, 255, 255));

    DialogAnswerer answers;
    answers.ThenColor(RGB(10, 20, 30));
    ASSERT_EQ(red.DoModal(), IDOK);
    EXPECT_EQ(red.GetColor(), RGB(10, 20, 30));
    answers.Then([](CWnd&) { return IDCANCEL; });
    EXPECT_EQ(red.DoModal(), IDCANCEL);
    EXPECT_EQ(answers.Dialogs()[1].className, "CColorDialog");
}

TEST(ColorDialog, TheRealDialogStartsFromTheColourAndReturnsTheChosenOne)
{
    CColorDialog dlg(RGB(0, 128, 255));
    WhenColorDialogShown([](ColorDialogView& d) {
        EXPECT_EQ(d.CurrentColor(), RGB(0, 128, 255));
        d.SetCurrentColor(RGB(200, 100, 50));
        d.Accept();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), RGB(200, 100, 50));
}

LOGFONT MakeFont(const char* face, LONG height, LONG weight, BYTE italic)
{
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    std::strcpy(lf.lfFaceName, face);
    return lf;
}

TEST(FontDialog, TheAnswerIsTheFontAndItsColour)
{
    LOGFONT initial = MakeFont("Arial", -13, FW_NORMAL, 0);
    CFontDialog dlg(&initial);
    EXPECT_TRUE(dlg.m_cf.Flags & CF_INITTOLOGFONTSTRUCT);
    EXPECT_TRUE(dlg.m_cf.Flags & CF_EFFECTS);
    DialogAnswerer answers;
    answers.Then([](CWnd&) { return IDCANCEL; });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetFaceName(), "Arial");

    answers.ThenFont(MakeFont("Times New Roman", -16, FW_BOLD, 1), RGB(0, 0, 255));
    ASSERT_EQ(dlg.DoModal(), IDOK);
    LOGFONT chosen{};
    dlg.GetCurrentFont(&chosen);
    EXPECT_STREQ(chosen.lfFaceName, "Times New Roman");
    EXPECT_EQ(chosen.lfHeight, -16);
    EXPECT_EQ(dlg.GetSize(), 120); // 16 pixels at 96 pixels per inch
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_TRUE(dlg.IsItalic());
    EXPECT_EQ(dlg.GetColor(), RGB(0, 0, 255));
}

TEST(FontDialog, TheRealDialogStartsFromTheFontAndReturnsTheChosenOne)
{
    LOGFONT initial = MakeFont("DejaVu Sans", -16, FW_NORMAL, 1);
    CFontDialog dlg(&initial);
    dlg.m_cf.rgbColors = RGB(1, 2, 3);
    WhenFontDialogShown([](FontDialogView& d) {
        EXPECT_TRUE(d.Italic());
        EXPECT_EQ(d.PointSize(), 12);
        d.SetFont("DejaVu Serif", 18, FW_BOLD, false);
        d.Accept();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_STREQ(dlg.m_lf.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(dlg.m_lf.lfHeight, -24);
    EXPECT_EQ(dlg.GetSize(), 180);
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_FALSE(dlg.IsItalic());
    EXPECT_EQ(dlg.GetColor(), RGB(1, 2, 3));
}

} // namespace
