// The layer grid: rows of child windows, the current row, the ids that name a
// clicked box, row moves and swaps, the title tip and the transparent bitmap.
#include "dialogs/controls/LayerGridCtrl.h"
#include "dialogs/controls/TransparentBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/CWinThread.h"
#include "tests/dialogs/layers/LayerDialogsTestSupport.h"

using namespace layertest;

namespace {

// The grid's owner: records the grid's notifications.
class Owner : public CWnd {
public:
    struct Note {
        UINT code;
        int row;
        int column;
    };
    std::vector<Note> notes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const auto* nm = reinterpret_cast<const NMLAYERGRID*>(lParam);
            notes.push_back({nm->hdr.code, nm->row, nm->column});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct Record : CLayerGridRowData {
    explicit Record(int v, int* deleted = nullptr) : value(v), deletions(deleted) {}
    ~Record() override
    {
        if (deletions)
            ++*deletions;
    }
    int value;
    int* deletions;
};

class LayerGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                   nullptr));
        ASSERT_TRUE(grid.Create(CRect(10, 10, 291, 136), &owner, 1, 3, WS_CHILD | WS_VISIBLE | WS_BORDER));
        for (int c = 0; c < 3; ++c)
            grid.SetColumnTitle(c, c == 0 ? "Visible" : c == 1 ? "Labelling" : "Editable");
        AfxTestProcessEvents();
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        owner.DestroyWindow();
    }
    CRect CellRect(CWnd* cell)
    {
        CRect rect;
        cell->GetWindowRect(&rect);
        grid.ScreenToClient(&rect);
        return rect;
    }
    // The check box as the user clicks it.
    void ClickBox(int row, int column)
    {
        CButton* box = grid.GetCheckBox(row, column);
        ASSERT_NE(box, nullptr);
        ClickAt(box->GetSafeHwnd(), 6, 6);
    }

    Owner owner;
    CLayerGridCtrl grid;
};

TEST_F(LayerGrid, RowsStackFromTheTopAndTheNewestIsCurrent)
{
    EXPECT_EQ(grid.AddRow("Roads"), 0);
    EXPECT_EQ(CellRect(grid.GetNameCell(0)).top, 0);
    EXPECT_EQ(grid.AddRow("Rivers"), 1);
    EXPECT_EQ(CellRect(grid.GetNameCell(1)).top, 16);
    EXPECT_EQ(CellRect(grid.GetCheckBox(1, 0)).top, 17);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    EXPECT_EQ(grid.GetNameCell(1)->m_crBackground, (COLORREF)0x800000);
    EXPECT_EQ(grid.GetNameCell(0)->m_crBackground, RGB(255, 255, 255));
    // The current row's name cell is drawn white on navy.
    CColorStatic* current = grid.GetNameCell(1);
    EXPECT_EQ(current->GetSurfacePixel(CellRect(current).Width() - 3, 8), (COLORREF)0x800000);
    ASSERT_FALSE(owner.notes.empty());
    EXPECT_EQ(owner.notes.back().code, (UINT)LGN_ROWCHANGED);
    EXPECT_EQ(owner.notes.back().row, 1);
    EXPECT_EQ(owner.notes.back().column, -1);
}

TEST_F(LayerGrid, AClickedBoxNamesItsRowAndColumnAlsoAfterARowIsRemoved)
{
    for (const char* name : {"A", "B", "C"})
        grid.AddRow(name);
    owner.notes.clear();
    ClickBox(2, 1);
    ASSERT_EQ(owner.notes.size(), 2u);
    EXPECT_EQ(owner.notes[1].code, (UINT)LGN_CHECKCLICKED);
    EXPECT_EQ(owner.notes[1].row, 2);
    EXPECT_EQ(owner.notes[1].column, 1);

    ASSERT_TRUE(grid.RemoveRow(0));
    EXPECT_EQ(CellRect(grid.GetNameCell(1)).top, 16) << "the rows below move up";
    owner.notes.clear();
    ClickBox(1, 2);
    ASSERT_FALSE(owner.notes.empty());
    EXPECT_EQ(owner.notes.back().code, (UINT)LGN_CHECKCLICKED);
    EXPECT_EQ(owner.notes.back().row, 1);
    EXPECT_EQ(owner.notes.back().column, 2);
    BOOL checked = FALSE;
    EXPECT_TRUE(grid.GetCheck(1, 2, checked));
    EXPECT_TRUE(checked);
    CString name;
    grid.GetRowText(grid.GetCurrentRow(), name);
    EXPECT_EQ(name, "C");
}

TEST_F(LayerGrid, RemovingRowsMovesTheCurrentRowAndDeletesTheirData)
{
    int deleted = 0;
    for (int i = 0; i < 3; ++i)
        grid.SetRowData(grid.AddRow("L"), new Record(i, &deleted));
    ASSERT_TRUE(grid.RemoveRow(2));
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(grid.GetCurrentRow(), 1) << "the last row removed while current: the one before";
    grid.SelectRow(1);
    ASSERT_TRUE(grid.RemoveRow(0));
    EXPECT_EQ(grid.GetCurrentRow(), 0) << "the current row keeps its highlight one place higher";
    EXPECT_EQ(static_cast<Record*>(grid.GetRowData(0))->value, 1);
    ASSERT_TRUE(grid.RemoveRow(0));
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), -1);
    EXPECT_FALSE(grid.RemoveRow(0));
    EXPECT_FALSE(grid.SetCheck(0, 0, 1));
    EXPECT_EQ(deleted, 3);
}

TEST_F(LayerGrid, MovesAndSwapsExchangeContentNotWindows)
{
    grid.AddRow("Top");
    grid.SetRowData(0, new Record(10));
    grid.SetCheck(0, 0, 1);
    grid.AddRow("Bottom");
    grid.SetRowData(1, new Record(20));
    grid.SetCheck(1, 2, 1);
    EXPECT_FALSE(grid.MoveRowUp(0));
    EXPECT_FALSE(grid.MoveRowDown(1));
    EXPECT_FALSE(grid.SwapRows(1, 1));
    EXPECT_FALSE(grid.SwapRows(0, 5));
    CWnd* firstCell = grid.GetNameCell(0);
    ASSERT_TRUE(grid.MoveRowDown(0));
    EXPECT_EQ(grid.GetNameCell(0), firstCell);
    CString text;
    grid.GetRowText(0, text);
    EXPECT_EQ(text, "Bottom");
    EXPECT_EQ(static_cast<Record*>(grid.GetRowData(0))->value, 20);
    EXPECT_EQ(static_cast<Record*>(grid.GetRowData(1))->value, 10);
    BOOL checked = FALSE;
    grid.GetCheck(0, 2, checked);
    EXPECT_TRUE(checked);
    grid.GetCheck(1, 0, checked);
    EXPECT_TRUE(checked);
    grid.GetCheck(0, 0, checked);
    EXPECT_FALSE(checked);
}

TEST_F(LayerGrid, ArrowKeysMoveTheCurrentRow)
{
    for (const char* name : {"A", "B", "C"})
        grid.AddRow(name);
    grid.SetFocus();
    Key(grid.GetSafeHwnd(), VK_UP);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    Key(grid.GetSafeHwnd(), VK_DOWN);
    Key(grid.GetSafeHwnd(), VK_DOWN);
    EXPECT_EQ(grid.GetCurrentRow(), 2) << "no row below the last";
    // A click on a name cell makes its row current.
    const CRect cell = CellRect(grid.GetNameCell(0));
    ClickAt(grid.GetSafeHwnd(), cell.left + 4, cell.top + 4);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
}

TEST_F(LayerGrid, ATitleTipShowsWhatItsCellCannot)
{
    grid.AddRow("A");
    grid.AddRow("A rather long layer name that cannot fit into the name cell of the grid");
    owner.SetFocus();
    const CRect shortCell = CellRect(grid.GetNameCell(0));
    AfxTestMouse(grid.GetSafeHwnd(), WM_MOUSEMOVE, shortCell.left + 3, shortCell.top + 3);
    AfxTestProcessEvents();
    EXPECT_FALSE(grid.GetTitleTip().IsWindowVisible()) << "a name that fits shows no tip";

    const CRect longCell = CellRect(grid.GetNameCell(1));
    AfxTestMouse(grid.GetSafeHwnd(), WM_MOUSEMOVE, longCell.left + 3, longCell.top + 3);
    AfxTestProcessEvents();
    ASSERT_TRUE(grid.GetTitleTip().IsWindowVisible());
    EXPECT_EQ(grid.GetTitleTip().GetTipText(),
              " A rather long layer name that cannot fit into the name cell of the grid ");
    CRect tip;
    grid.GetTitleTip().GetWindowRect(&tip);
    CPoint cellOrigin(longCell.left, longCell.top);
    grid.ClientToScreen(&cellOrigin);
    EXPECT_EQ(tip.left, cellOrigin.x);
    EXPECT_EQ(tip.top, cellOrigin.y);
    EXPECT_GT(tip.Width(), longCell.Width());

    // Off the cell the tip goes; over a box it shows the column's title.
    grid.GetTitleTip().Hide();
    owner.SetFocus();
    const CRect box = CellRect(grid.GetCheckBox(0, 1));
    AfxTestMouse(grid.GetSafeHwnd(), WM_MOUSEMOVE, box.left + 2, box.top + 2);
    AfxTestProcessEvents();
    EXPECT_TRUE(grid.GetTitleTip().IsWindowVisible());
    EXPECT_EQ(grid.GetTitleTip().GetTipText(), " Labelling ");
}

TEST_F(LayerGrid, AClickOnTheTipReachesTheGridUnderIt)
{
    grid.AddRow("A rather long layer name that cannot fit into the name cell of the grid");
    grid.AddRow("B");
    owner.SetFocus();
    const CRect cell = CellRect(grid.GetNameCell(0));
    AfxTestMouse(grid.GetSafeHwnd(), WM_MOUSEMOVE, cell.left + 3, cell.top + 3);
    AfxTestProcessEvents();
    ASSERT_TRUE(grid.GetTitleTip().IsWindowVisible());
    ASSERT_EQ(grid.GetCurrentRow(), 1);
    ClickAt(grid.GetTitleTip().GetSafeHwnd(), 3, 3);
    EXPECT_FALSE(grid.GetTitleTip().IsWindowVisible());
    EXPECT_EQ(grid.GetCurrentRow(), 0);
}

TEST(TransparentBitmap, TheTopLeftColourLetsTheDestinationThrough)
{
    // 4 x 2: magenta ground with two blue pixels.
    const DWORD m = 0xFF00FF, b = 0x0000FF;
    const DWORD pixels[] = {m, b, m, m, m, m, b, m};
    CTransparentBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 2, 1, 32, pixels));
    EXPECT_EQ(bitmap.GetWidth(), 4);
    EXPECT_EQ(bitmap.GetHeight(), 2);
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap target;
    target.CreateBitmap(8, 4, 1, 32, nullptr);
    CBitmap* old = screen.SelectObject(&target);
    screen.FillSolidRect(0, 0, 8, 4, RGB(0, 200, 0));
    bitmap.Draw(&screen, 2, 1);
    const std::pair<CPoint, COLORREF> expected[] = {
        {CPoint(2, 1), RGB(0, 200, 0)}, {CPoint(3, 1), RGB(0, 0, 255)}, {CPoint(4, 1), RGB(0, 200, 0)},
        {CPoint(5, 1), RGB(0, 200, 0)}, {CPoint(2, 2), RGB(0, 200, 0)}, {CPoint(4, 2), RGB(0, 0, 255)},
        {CPoint(1, 1), RGB(0, 200, 0)}, {CPoint(6, 2), RGB(0, 200, 0)},
    };
    for (const auto& [at, color] : expected)
        EXPECT_EQ(screen.GetPixel(at), color) << at.x << "," << at.y;
    screen.SelectObject(old);
}

} // namespace
