// The Layer Control driven as the user drives it: switches, order, names and
// removals reach the layers, their files, the map and the workspace only
// through Apply or OK, with the map window told what happened.
#include "core/Settings.h"
#include "dialogs/LayerControlDlg.h"
#include "dialogs/LayerPropertySheet.h"
#include "dialogs/controls/UiDropColorButton.h"
#include "platform/dialogs/CPropertySheet.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapNotify.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"
#include "resources/resource.h"
#include "tests/dialogs/layers/LayerDialogsTestSupport.h"

#include <filesystem>
#include <fstream>

using namespace layertest;

namespace {

class LayerControl : public ::testing::Test {
protected:
    LayerControl() : folder("kvcontrol") {}

    void SetUp() override
    {
        for (const char* name : {"Base", "Roads", "Wells"})
            layers.push_back(AddLayerFile(map.model, folder, name));
        AddNode(layers[1], 1, 1);
        AddNode(layers[1], 5, 5);
        // A workspace with one row per layer.
        auto db = std::make_unique<CSQLiteDatabase>();
        ASSERT_EQ(db->Open(folder.File("Map.kwz")), SQLITE_OK);
        db->ExecuteChecked("create table _LayerProperty(LayerName varchar(255));");
        for (const char* name : {"Base", "Roads", "Wells"})
            db->ExecuteChecked((std::string("insert into _LayerProperty values('") + name + "');").c_str());
        map.model.SetDatabase(db.release());
    }

    std::vector<std::string> LayerOrder()
    {
        std::vector<std::string> names;
        for (POSITION pos = map.model.GetFirstLayerPosition(); pos;)
            names.push_back(map.model.GetNextLayer(pos)->GetName().GetString());
        return names;
    }
    std::vector<std::string> WorkspaceRows()
    {
        std::vector<std::string> rows;
        CSQLiteStatement stmt;
        map.model.GetDatabase()->Prepare("select LayerName from _LayerProperty order by rowid;", stmt);
        while (stmt.Step() == SQLITE_ROW)
            rows.push_back(stmt.ColumnText(0).GetString());
        return rows;
    }
    // Runs the dialog; `act` drives it and returns how it ends.
    int Run(const std::function<int(CLayerControlDlg&)>& act)
    {
        answers.Then([&](CWnd& w) { return act(dynamic_cast<CLayerControlDlg&>(w)); });
        CLayerControlDlg dialog(&map, nullptr);
        return (int)dialog.DoModal();
    }
    void ClickBox(CLayerControlDlg& dlg, int row, int column)
    {
        CButton* box = dlg.GetGrid().GetCheckBox(row, column);
        ASSERT_NE(box, nullptr);
        ClickAt(box->GetSafeHwnd(), 6, 6);
    }
    void SelectRow(CLayerControlDlg& dlg, int row)
    {
        CWnd* cell = dlg.GetGrid().GetNameCell(row);
        CRect rect;
        cell->GetWindowRect(&rect);
        dlg.GetGrid().ScreenToClient(&rect);
        ClickAt(dlg.GetGrid().GetSafeHwnd(), rect.left + 3, rect.top + 3);
        ASSERT_EQ(dlg.GetGrid().GetCurrentRow(), row);
    }

    testsupport::TempFolder folder;
    FakeMapWindow map;
    std::vector<CMapLayer*> layers;
    DialogAnswerer answers;
};

TEST_F(LayerControl, NothingChangedKeepsApplyOffAndTouchesNothing)
{
    EXPECT_EQ(Run([&](CLayerControlDlg& dlg) {
                  EXPECT_EQ(dlg.GetGrid().GetRowCount(), 3);
                  EXPECT_EQ(dlg.GetGrid().GetCurrentRow(), 2) << "the last layer's row is current";
                  CString name;
                  dlg.GetGrid().GetRowText(0, name);
                  EXPECT_EQ(name, "Base");
                  EXPECT_FALSE(Item(dlg, IDC_LAYER_APPLY)->IsWindowEnabled());
                  // The column picture above the boxes: its signs drawn, its ground left out.
                  AfxTestProcessEvents();
                  EXPECT_EQ(dlg.GetSurfacePixel(143 + 2, 11 + 3), RGB(0, 0, 0x80));
                  EXPECT_EQ(dlg.GetSurfacePixel(143 + 1, 11 + 1), dlg.GetSurfacePixel(140, 8));
                  dlg.Apply();
                  EXPECT_FALSE(Item(dlg, IDC_LAYER_APPLY)->IsWindowEnabled());
                  return ClickButton(dlg, IDOK);
              }),
              IDOK);
    EXPECT_TRUE(map.notices.empty());
    EXPECT_EQ(map.invalidated, 0);
}

TEST_F(LayerControl, OneEditableLayerAndTheSwitchesReachTheLayersOnApply)
{
    EXPECT_EQ(layers[0]->IsEditable(), 1);
    layers[1]->SetEditable(0);
    layers[2]->SetEditable(0);
    EXPECT_EQ(Run([&](CLayerControlDlg& dlg) {
                  ClickBox(dlg, 1, 3); // Roads editable
                  BOOL checked = TRUE;
                  dlg.GetGrid().GetCheck(0, 3, checked);
                  EXPECT_FALSE(checked) << "only one layer is editable";
                  ClickBox(dlg, 2, 0); // Wells hidden
                  EXPECT_TRUE(Item(dlg, IDC_LAYER_APPLY)->IsWindowEnabled());
                  EXPECT_EQ(layers[2]->IsVisible(), 1) << "nothing before Apply";
                  Click(dlg, IDC_LAYER_APPLY);
                  EXPECT_FALSE(Item(dlg, IDC_LAYER_APPLY)->IsWindowEnabled());
                  return ClickButton(dlg, IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(layers[0]->IsEditable(), 0);
    EXPECT_EQ(layers[1]->IsEditable(), 1);
    EXPECT_EQ(layers[2]->IsVisible(), 0);
    EXPECT_EQ(layers[2]->IsEditable(), 0);
    // Three rows changed, each told its five switches in column order.
    const std::vector<int> five = {MAPA_LAYER_VISIBLE, MAPA_LAYER_AUTOLABEL, MAPA_LAYER_OVERRIDE, MAPA_LAYER_EDITABLE,
                                   MAPA_LAYER_SELECTABLE};
    std::vector<int> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), five.begin(), five.end());
    EXPECT_EQ(map.Actions(), expected);
    EXPECT_EQ(map.notices[0].object, layers[0]);
    EXPECT_EQ(map.invalidated, 1);
}

TEST_F(LayerControl, UpAndDownApplyAsSwapsInTheirOrder)
{
    Run([&](CLayerControlDlg& dlg) {
        Click(dlg, IDC_LAYER_DOWN); // the last row: nothing
        EXPECT_EQ(dlg.GetChangeFlags(), 0);
        Click(dlg, IDC_LAYER_UP);
        Click(dlg, IDC_LAYER_UP);
        Click(dlg, IDC_LAYER_UP); // the first row: nothing
        CString name;
        dlg.GetGrid().GetRowText(0, name);
        EXPECT_EQ(name, "Wells");
        EXPECT_EQ(LayerOrder(), (std::vector<std::string>{"Base", "Roads", "Wells"}));
        return ClickButton(dlg, IDOK);
    });
    EXPECT_EQ(LayerOrder(), (std::vector<std::string>{"Wells", "Base", "Roads"}));
    EXPECT_EQ(map.Actions(), (std::vector<int>{MAPA_LAYER_ORDER, MAPA_LAYER_ORDER}));
}

TEST_F(LayerControl, RemoveAsksAndReachesTheMapOnlyOnOk)
{
    ModalRecorder boxes({IDNO, IDYES, IDYES});
    Run([&](CLayerControlDlg& dlg) {
        SelectRow(dlg, 1);
        Click(dlg, IDC_LAYER_REMOVE);
        EXPECT_EQ(dlg.GetGrid().GetRowCount(), 3) << "No keeps the row";
        Click(dlg, IDC_LAYER_REMOVE);
        EXPECT_EQ(dlg.GetGrid().GetRowCount(), 2);
        return ClickButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(LayerOrder(), (std::vector<std::string>{"Base", "Roads", "Wells"}));
    EXPECT_EQ(boxes.Boxes()[0].text, "Do you really want to remove this layer?");

    const CString roadsFile = layers[1]->GetFilePath();
    Run([&](CLayerControlDlg& dlg) {
        SelectRow(dlg, 1);
        Click(dlg, IDC_LAYER_REMOVE);
        return ClickButton(dlg, IDOK);
    });
    EXPECT_EQ(LayerOrder(), (std::vector<std::string>{"Base", "Wells"}));
    EXPECT_EQ(WorkspaceRows(), (std::vector<std::string>{"Base", "Wells"}));
    ASSERT_EQ(map.notices.size(), 1u);
    EXPECT_EQ(map.notices[0].action, MAPA_LAYER_REMOVED);
    EXPECT_EQ(map.notices[0].value, 1);
    EXPECT_EQ(map.deselected.size(), 1u);
    // The file stays, with what was drawn in it.
    RawFile raw(roadsFile);
    EXPECT_EQ(raw.Text("select count(*) from _MapGeoData;"), "2");
}

TEST_F(LayerControl, RenameMovesTheFileAndTheWorkspaceRowAndKeepsTheLayersPlace)
{
    const CString oldFile = layers[1]->GetFilePath();
    const int objects = layers[1]->GetObjectCount();
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CLayerControlDlg&>(w);
        SelectRow(dlg, 1);
        Click(dlg, IDC_LAYER_RENAME);
        CString name;
        dlg.GetGrid().GetRowText(1, name);
        EXPECT_EQ(name, "Main_roads") << "the name as the layer keeps it";
        return ClickButton(dlg, IDOK);
    });
    answers.Then([](CWnd& rename) {
        EXPECT_EQ(TextOf(rename, IDC_LAYER_NAME), "Roads");
        TypeInto(rename, IDC_LAYER_NAME, "Main roads");
        return ClickButton(rename, IDOK);
    });
    CLayerControlDlg dialog(&map, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);

    const CString newFile = folder.File("Main_roads.klz");
    EXPECT_FALSE(std::filesystem::exists(oldFile.GetString()));
    EXPECT_TRUE(std::filesystem::exists(newFile.GetString()));
    EXPECT_EQ(layers[1]->GetFilePath(), newFile);
    EXPECT_EQ(layers[1]->GetName(), "Main_roads");
    EXPECT_EQ(LayerOrder(), (std::vector<std::string>{"Base", "Main_roads", "Wells"}));
    EXPECT_EQ(layers[1]->GetObjectCount(), objects) << "reopening added nothing";
    EXPECT_EQ(layers[1]->GetPointObjects().GetCount(), 2);
    EXPECT_EQ(WorkspaceRows(), (std::vector<std::string>{"Base", "Main_roads", "Wells"}));
    EXPECT_EQ(map.Actions(), (std::vector<int>{MAPA_LAYER_RENAMED}));
    RawFile raw(newFile);
    EXPECT_EQ(raw.Text("select count(*) from _MapGeoData;"), "2");
}

TEST_F(LayerControl, ARenameOntoAnExistingFileOrOntoItsOwnNameChangesNothing)
{
    // A file of the wanted name that is no layer of this map.
    const CString other = folder.File("Lakes.klz");
    { std::ofstream(other.GetString()) << "someone else's"; }
    ModalRecorder boxes;
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CLayerControlDlg&>(w);
        SelectRow(dlg, 1);
        Click(dlg, IDC_LAYER_RENAME);
        EXPECT_EQ(dlg.GetChangeFlags(), 0) << "the refused name is not pending";
        Click(dlg, IDC_LAYER_RENAME);
        return ClickButton(dlg, IDOK);
    });
    answers.Then([](CWnd& rename) {
        TypeInto(rename, IDC_LAYER_NAME, "Lakes");
        return ClickButton(rename, IDOK);
    });
    answers.Then([](CWnd& rename) { return ClickButton(rename, IDOK); }); // its own name
    CLayerControlDlg dialog(&map, nullptr);
    dialog.DoModal();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.Find("Lakes.klz"), -1);
    EXPECT_EQ(layers[1]->GetFilePath(), folder.File("Roads.klz"));
    EXPECT_TRUE(std::filesystem::exists(folder.File("Roads.klz").GetString()));
    std::ifstream in(other.GetString());
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "someone else's");
    EXPECT_EQ(WorkspaceRows(), (std::vector<std::string>{"Base", "Roads", "Wells"}));
    EXPECT_TRUE(map.notices.empty());
}

} // namespace

namespace {

TEST_F(LayerControl, ARenameThatFailsAtApplyIsReportedAndTheLayerKeepsItsFile)
{
    const CString target = folder.File("Lakes.klz");
    ModalRecorder boxes;
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CLayerControlDlg&>(w);
        SelectRow(dlg, 1);
        Click(dlg, IDC_LAYER_RENAME);
        // Another program takes the name before Apply.
        std::ofstream(target.GetString()) << "taken";
        EXPECT_EQ(ClickButton(dlg, IDOK), IDOK);
        return IDOK;
    });
    answers.Then([](CWnd& rename) {
        TypeInto(rename, IDC_LAYER_NAME, "Lakes");
        return ClickButton(rename, IDOK);
    });
    CLayerControlDlg dialog(&map, nullptr);
    dialog.DoModal();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.Find("cannot be renamed"), -1);
    EXPECT_EQ(layers[1]->GetName(), "Roads");
    EXPECT_EQ(layers[1]->GetFilePath(), folder.File("Roads.klz"));
    EXPECT_NE(layers[1]->GetDatabase(), nullptr) << "the layer works on its old file again";
    EXPECT_EQ(layers[1]->GetPointObjects().GetCount(), 2);
    EXPECT_EQ(std::filesystem::file_size(target.GetString()), 5u);
    EXPECT_EQ(WorkspaceRows(), (std::vector<std::string>{"Base", "Roads", "Wells"}));
}

} // namespace

namespace {

TEST_F(LayerControl, FillRandomKeepsTheChoiceInTheRowAndLeavesTheLayerAlone)
{
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CLayerControlDlg&>(w);
        SelectRow(dlg, 0);
        Click(dlg, IDC_LAYER_FILL_RANDOM);
        CLayerControlRow* row = dlg.GetRow(0);
        EXPECT_EQ(row->m_nFillMode, CLayerControlRow::kFillPredefined);
        EXPECT_EQ(row->m_nColorCount, 1);
        EXPECT_EQ(row->m_pColors[0], RGB(9, 8, 7));
        EXPECT_EQ(dlg.GetChangeFlags(), CLayerControlDlg::kChangeFill);
        return ClickButton(dlg, IDOK);
    });
    answers.Then([](CWnd& fill) {
        Click(fill, IDC_COLOR_ADD);
        return ClickButton(fill, IDOK);
    });
    answers.ThenColor(RGB(9, 8, 7));
    const CMapStyle before = *layers[0]->GetStyle();
    CLayerControlDlg dialog(&map, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(map.notices.empty());
    EXPECT_EQ(layers[0]->GetStyle()->GetBrushColor(), before.GetBrushColor());
}

} // namespace

namespace {

TEST_F(LayerControl, DisplayEditsACopyOfTheStyleThatApplyGivesTheLayer)
{
    const int savedBrush = g_NewObjectBrushColor;
    const COLORREF before = layers[1]->GetStyle()->GetBrushColor();
    COLORREF picked = before;
    answers.Then([&](CWnd& w) {
        auto& dlg = dynamic_cast<CLayerControlDlg&>(w);
        SelectRow(dlg, 1);
        Click(dlg, IDC_LAYER_DISPLAY);
        EXPECT_EQ(dlg.GetChangeFlags(), CLayerControlDlg::kChangeSwitches);
        EXPECT_EQ(layers[1]->GetStyle()->GetBrushColor(), before) << "the layer waits for Apply";
        return ClickButton(dlg, IDOK);
    });
    answers.Then([&](CWnd& w) {
        auto& sheet = dynamic_cast<CLayerPropertySheet&>(w);
        EXPECT_EQ(sheet.GetPageCount(), 3);
        EXPECT_EQ(sheet.GetActivePage(), &sheet.m_FillPage);
        EXPECT_EQ(sheet.GetDlgItem(ID_APPLY_NOW), nullptr);
        auto* fill = dynamic_cast<CUiDropColorButton*>(
            CWnd::FromHandlePermanent(sheet.m_FillPage.GetDlgItem(IDC_STYLE_FILL_COLOR)->GetSafeHwnd()));
        EXPECT_NE(fill, nullptr);
        if (fill) {
            fill->SetFocus();
            AfxTestProcessEvents();
            AfxTestKeyStroke(fill->GetSafeHwnd(), VK_DOWN);
            AfxTestProcessEvents();
            AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_RIGHT);
            AfxTestKeyStroke(CWnd::GetFocus()->GetSafeHwnd(), VK_RETURN);
            AfxTestProcessEvents();
            picked = fill->GetColor();
        }
        return DialogAnswerer::Press(sheet, IDOK);
    });
    CLayerControlDlg dialog(&map, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(answers.Dialogs().size(), 2u);
    EXPECT_EQ(answers.Dialogs()[1].caption, "Layer display properties");
    EXPECT_NE(picked, before);
    EXPECT_EQ(layers[1]->GetStyle()->GetBrushColor(), picked);
    EXPECT_EQ(layers[0]->GetStyle()->GetBrushColor(), before);
    g_NewObjectBrushColor = savedBrush;
}

} // namespace
