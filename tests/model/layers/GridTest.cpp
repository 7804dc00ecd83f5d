// The map grid: created by its class name, archived with its rectangles as
// stored records, and never taking the records' reserved bytes into a rectangle.
#include "tests/model/objects/LayerTestSupport.h"

#include "model/layers/MapGrid.h"
#include "platform/base/CFile.h"

#include <memory>

namespace {

class GridArchive : public ::testing::Test {
protected:
    CString Path() const { return folder.File("grid.bin"); }

    void Store(CMapGrid& grid) const
    {
        CFile file(Path(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        grid.Serialize(ar);
        ar.Close();
    }

    void Load(CMapGrid& grid) const
    {
        CFile file(Path(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        grid.Serialize(ar);
    }

    Bytes ReadFile() const
    {
        CFile file(Path(), CFile::modeRead);
        Bytes bytes((size_t)file.GetLength());
        file.Read(bytes.data(), (UINT)bytes.size());
        return bytes;
    }

    // The archive of a grid with one rectangle, `a`, as bytes to tamper with.
    Bytes StoredGridOfOne(const CDoubleRect& a) const
    {
        CMapGrid grid("G", "T", 10.0, 10.0);
        CDoubleRect copy = a;
        grid.GetRects().AddTail(copy);
        Store(grid);
        return ReadFile();
    }

    void WriteFile(const Bytes& bytes) const
    {
        CFile file(Path(), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), (UINT)bytes.size());
    }

    TempFolder folder;
};

TEST(Grid, CreatedByItsClassNameHasDefaultCellsAndEmptyTexts)
{
    const CRuntimeClass* cls = CRuntimeClass::FromName("CMapGrid");
    ASSERT_TRUE(cls);
    std::unique_ptr<CObject> object(cls->CreateObject());
    auto* grid = dynamic_cast<CMapGrid*>(object.get());
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->GetCellWidth(), 250.0);
    EXPECT_EQ(grid->GetCellHeight(), 250.0);
    EXPECT_TRUE(grid->GetName().IsEmpty());
    EXPECT_TRUE(grid->GetText().IsEmpty());
    EXPECT_TRUE(grid->IsSerializable());
}

TEST_F(GridArchive, StoresAndLoadsRectanglesSizeAndTexts)
{
    CMapGrid grid("Sheets", "1:25000", 100.0, 50.0);
    CDoubleRect a(0.0, 0.0, 100.0, 50.0), b(-1.5, 2.5, 3.5, 4.5);
    grid.GetRects().AddTail(a);
    grid.GetRects().AddTail(b);
    grid.SetCellSize(120.0, 60.0);
    Store(grid);

    // Count, two 40-byte records (reserved bytes zero), two doubles, two strings.
    const Bytes bytes = ReadFile();
    ASSERT_EQ(bytes.size(), 2u + 80u + 16u + 1u + 6u + 1u + 7u);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.begin() + 10), Bytes(8, 0));
    EXPECT_EQ(Bytes(bytes.begin() + 42, bytes.begin() + 50), Bytes(8, 0));

    CMapGrid loaded;
    CDoubleRect stale(9.0, 9.0, 9.0, 9.0);
    loaded.GetRects().AddTail(stale);   // loading replaces what was there
    Load(loaded);
    EXPECT_EQ(loaded.GetName(), "Sheets");
    EXPECT_EQ(loaded.GetText(), "1:25000");
    EXPECT_EQ(loaded.GetCellWidth(), 120.0);
    EXPECT_EQ(loaded.GetCellHeight(), 60.0);
    ASSERT_EQ(loaded.GetRects().GetCount(), 2);
    EXPECT_EQ(loaded.GetRects().GetHead(), a);
    EXPECT_EQ(loaded.GetRects().GetTail(), b);
}

TEST_F(GridArchive, ReservedBytesOfAStoredRectangleNeverReachTheObject)
{
    const CDoubleRect a(1.0, 2.0, 3.0, 4.0);
    Bytes bytes = StoredGridOfOne(a);
    Scribble(bytes, 2, 8);   // what another writer may have left there
    WriteFile(bytes);

    auto loaded = std::make_unique<CMapGrid>();
    Load(*loaded);
    ASSERT_EQ(loaded->GetRects().GetCount(), 1);
    // Copied raw, these bytes would land on the rectangle's own header and
    // break it; read field by field the rectangle is whole and compares equal.
    CDoubleRect read = loaded->GetRects().GetHead();
    EXPECT_EQ(read, a);
    EXPECT_EQ(read.Width(), 2.0);
    loaded.reset();   // destroying the rectangles must be safe
}

TEST_F(GridArchive, ATruncatedArchiveThrowsAndLeavesTheGridAsItWas)
{
    Bytes bytes = StoredGridOfOne(CDoubleRect(1.0, 2.0, 3.0, 4.0));
    bytes.resize(30);
    WriteFile(bytes);

    CMapGrid loaded("Kept", "", 5.0, 6.0);
    bool threw = false;
    try {
        Load(loaded);
    } catch (CArchiveException* e) {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(loaded.GetName(), "Kept");
    EXPECT_EQ(loaded.GetCellWidth(), 5.0);
    EXPECT_EQ(loaded.GetRects().GetCount(), 0);
}

}
