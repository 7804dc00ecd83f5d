// The fill property dialog and colour-set files: the set the user builds with
// the colour dialog, its files written and read back, and what OK and Cancel
// leave for the next opening.
#include "dialogs/ColorSetFile.h"
#include "dialogs/FillPropertyDlg.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "resources/resource.h"
#include "tests/dialogs/layers/LayerDialogsTestSupport.h"

#include <fstream>
#include <iterator>

using namespace layertest;

namespace {

std::string ReadAll(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<COLORREF> Shown(CWnd& dlg)
{
    auto& list = *static_cast<CColorListBox*>(Item(dlg, IDC_COLOR_LIST));
    std::vector<COLORREF> colors;
    for (int i = 0; i < list.GetCount(); ++i)
        colors.push_back(list.GetColor(i));
    return colors;
}

class FillProperty : public ::testing::Test {
protected:
    FillProperty() : folder("kvfill") {}
    testsupport::TempFolder folder;
    DialogAnswerer answers;
    ModalRecorder boxes;
};

const std::vector<COLORREF> kRgb = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};

TEST_F(FillProperty, ASavedSetIsWrittenAsDecimalLinesAndLoadsBackInOrder)
{
    const CString typed = folder.File("primary"); // no extension typed
    answers.Then([&](CWnd& dlg) {
        Click(dlg, IDC_COLOR_ADD);
        Click(dlg, IDC_COLOR_ADD);
        Click(dlg, IDC_COLOR_ADD);
        EXPECT_EQ(Shown(dlg), kRgb);
        Click(dlg, IDC_COLOR_SAVE);
        Click(dlg, IDC_COLOR_LOAD);
        EXPECT_EQ(Shown(dlg), kRgb);
        // The swatch is drawn in the item's colour, left of a quarter of its width.
        auto& list = *static_cast<CColorListBox*>(Item(dlg, IDC_COLOR_LIST));
        CRect item;
        list.GetItemRect(1, &item);
        AfxTestProcessEvents();
        EXPECT_EQ(list.GetSurfacePixel(item.left + 6, item.CenterPoint().y), RGB(0, 255, 0));
        EXPECT_NE(list.GetSurfacePixel(item.left + item.Width() / 2, item.CenterPoint().y), RGB(0, 255, 0));
        return ClickButton(dlg, IDOK);
    });
    answers.ThenColor(kRgb[0]).ThenColor(kRgb[1]).ThenColor(kRgb[2]);
    answers.ThenFile(typed);
    answers.ThenFile(typed + ".pcs");
    CFillPropertyDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(ReadAll(typed + ".pcs"), "255\r\n65280\r\n16711680\r\n");
    ASSERT_EQ(dialog.GetColorCount(), 3);
    EXPECT_EQ(std::vector<COLORREF>(dialog.GetColors(), dialog.GetColors() + 3), kRgb);
    EXPECT_EQ(dialog.m_nFillChoice, CFillPropertyDlg::kPredefined);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(ColorSetFile, LinesReadAsNumbersAndAnythingElseAsBlack)
{
    testsupport::TempFolder folder("kvpcs");
    struct Case {
        const char* text;
        std::vector<COLORREF> colors;
    };
    const Case cases[] = {
        {"255\r\n65280\r\n16711680\r\n", kRgb},
        {"255\n65280\n16711680", kRgb},
        {"255\r\n\r\nwhite\r\n16711680\r\n", {RGB(255, 0, 0), 0, 0, RGB(0, 0, 255)}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const CString path = folder.File("set.pcs");
        std::ofstream(path.GetString(), std::ios::binary | std::ios::trunc) << c.text;
        std::vector<COLORREF> colors = {1, 2};
        EXPECT_TRUE(ReadColorSetFile(path, colors)) << c.text;
        EXPECT_EQ(colors, c.colors) << c.text;
    }
    std::vector<COLORREF> colors;
    EXPECT_FALSE(ReadColorSetFile(folder.File("missing.pcs"), colors));
    EXPECT_FALSE(WriteColorSetFile(folder.File("no/such/folder.pcs"), kRgb));
}

TEST_F(FillProperty, LoadAndSaveFailuresAreReported)
{
    answers.Then([&](CWnd& dlg) {
        Click(dlg, IDC_COLOR_ADD);
        Click(dlg, IDC_COLOR_SAVE);
        Click(dlg, IDC_COLOR_LOAD);
        EXPECT_TRUE(Shown(dlg).empty());
        return ClickButton(dlg, IDOK);
    });
    answers.ThenColor(RGB(1, 2, 3));
    answers.ThenFile(folder.File("no/such/folder/set.pcs"));
    answers.ThenFile(folder.File("missing.pcs"));
    CFillPropertyDlg dialog;
    dialog.DoModal();
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_NE(boxes.Boxes()[0].text.Find("cannot be written"), -1);
    EXPECT_NE(boxes.Boxes()[1].text.Find("cannot be read"), -1);
    EXPECT_EQ(dialog.GetColorCount(), 0);
    EXPECT_EQ(dialog.GetColors(), nullptr);
}

TEST_F(FillProperty, RemoveTakesTheFirstOfEqualColoursAndCancelKeepsTheLastSet)
{
    CFillPropertyDlg dialog;
    answers.Then([&](CWnd& dlg) {
        for (int i = 0; i < 3; ++i)
            Click(dlg, IDC_COLOR_ADD);
        auto& list = *static_cast<CColorListBox*>(Item(dlg, IDC_COLOR_LIST));
        list.SetFocus();
        list.SetCurSel(2); // the second red
        Click(dlg, IDC_COLOR_REMOVE);
        EXPECT_EQ(Shown(dlg), (std::vector<COLORREF>{RGB(0, 255, 0), RGB(255, 0, 0)}));
        EXPECT_EQ(list.GetCurSel(), 1) << "past the end: the last item";
        Click(dlg, IDC_FILL_RANDOM);
        return ClickButton(dlg, IDOK);
    });
    answers.ThenColor(RGB(255, 0, 0)).ThenColor(RGB(0, 255, 0)).ThenColor(RGB(255, 0, 0));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_nFillChoice, CFillPropertyDlg::kRandom);

    answers.Then([&](CWnd& dlg) {
        EXPECT_EQ(Shown(dlg), (std::vector<COLORREF>{RGB(0, 255, 0), RGB(255, 0, 0)}));
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FILL_RANDOM), (UINT)BST_CHECKED);
        auto& list = *static_cast<CColorListBox*>(Item(dlg, IDC_COLOR_LIST));
        while (list.GetCount() > 0) {
            list.SetCurSel(0);
            Click(dlg, IDC_COLOR_REMOVE);
        }
        Click(dlg, IDC_FILL_PREDEFINED);
        return ClickButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetColorCount(), 2);
    EXPECT_EQ(dialog.m_nFillChoice, CFillPropertyDlg::kRandom);

    answers.Then([&](CWnd& dlg) {
        auto& list = *static_cast<CColorListBox*>(Item(dlg, IDC_COLOR_LIST));
        while (list.GetCount() > 0) {
            list.SetCurSel(0);
            Click(dlg, IDC_COLOR_REMOVE);
        }
        return ClickButton(dlg, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColorCount(), 0);
}

} // namespace
