// Undo and redo of a layer's edits: the depth of 20, redo cleared by a new
// edit, deletions undone under the same id, changes swapped both ways, and
// nodes that a selection holds never freed under it.
#include "tests/model/layers/LayersTestSupport.h"

namespace {

class History : public LayerTest {
protected:
    // Records `action` for a copy of the stored object `id`.
    void Record(int id, int action)
    {
        std::unique_ptr<CMapObject> stored(layer->ReadObject(id, FALSE, TRUE));
        ASSERT_NE(stored, nullptr);
        CList<CMapObject*, CMapObject*> copies;
        copies.AddTail(stored->Clone(nullptr));
        layer->RecordEdit(copies, action);
        EXPECT_TRUE(copies.IsEmpty());
    }
    bool Stored(int id)
    {
        std::unique_ptr<CMapObject> stored(layer->ReadObject(id, FALSE, FALSE));
        return stored != nullptr;
    }
    CDoubleRect StoredBoundary(int id)
    {
        std::unique_ptr<CMapObject> stored(layer->ReadObject(id, FALSE, FALSE));
        return stored ? stored->GetBoundary() : CDoubleRect();
    }
};

TEST_F(History, KeepsTheNewestTwentyEdits)
{
    std::vector<int> ids;
    for (int i = 0; i < 21; ++i) {
        ids.push_back(AddBoxId(i, i, i + 1, i + 1));
        Record(ids.back(), CMapHistoryEntry::kAdded);
    }
    EXPECT_EQ(layer->GetHistory().GetUndoCount(), 20);
    for (int i = 0; i < 25; ++i)
        layer->Undo();
    EXPECT_FALSE(layer->GetHistory().CanUndo());
    // The first addition was dropped with the oldest record: it stays.
    EXPECT_TRUE(Stored(ids[0]));
    for (size_t i = 1; i < ids.size(); ++i)
        EXPECT_FALSE(Stored(ids[i])) << i;
    layer->Redo();
    EXPECT_TRUE(Stored(ids[1]));
}

TEST_F(History, ANewEditClearsRedoAndAnEmptyListRecordsNothing)
{
    const int a = AddBoxId(0, 0, 1, 1);
    Record(a, CMapHistoryEntry::kAdded);
    layer->Undo();
    EXPECT_TRUE(layer->GetHistory().CanRedo());
    CList<CMapObject*, CMapObject*> none;
    layer->RecordEdit(none, CMapHistoryEntry::kAdded);
    EXPECT_TRUE(layer->GetHistory().CanRedo());
    const int b = AddBoxId(0, 0, 2, 2);
    Record(b, CMapHistoryEntry::kAdded);
    EXPECT_FALSE(layer->GetHistory().CanRedo());
}

TEST(HistoryRecords, ARecordHandedOverByValueGivesUpItsObjects)
{
    CList<CMapObject*, CMapObject*> copies;
    copies.AddTail(new TestBox(0, 0, 1, 1));
    copies.AddTail(new TestBox(1, 1, 2, 2));
    CMapHistoryEntry entry(CMapHistoryEntry::kChanged, copies);
    EXPECT_TRUE(copies.IsEmpty());
    EXPECT_EQ(entry.GetObjects().GetCount(), 2);

    CMapObjectHistory history;
    history.PushUndo(entry);
    EXPECT_TRUE(entry.GetObjects().IsEmpty());
    ASSERT_TRUE(history.CanUndo());
    EXPECT_EQ(history.PeekUndo()->GetAction(), CMapHistoryEntry::kChanged);
    EXPECT_EQ(history.PeekUndo()->GetObjects().GetCount(), 2);

    CMapHistoryEntry taken = *history.PeekUndo();
    EXPECT_EQ(taken.GetObjects().GetCount(), 2);
    EXPECT_TRUE(history.PeekUndo()->GetObjects().IsEmpty());
    history.Record(taken, nullptr);
    EXPECT_TRUE(taken.GetObjects().IsEmpty());
    EXPECT_EQ(history.GetUndoCount(), 2);
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(History, UndoingADeletionRestoresTheSameIdAndRedoDeletesItAgain)
{
    const int id = AddBoxId(5, 5, 9, 9);
    Record(id, CMapHistoryEntry::kDeleted);
    layer->DeleteRows(id);
    AddBoxId(0, 0, 1, 1);
    layer->Undo();
    EXPECT_TRUE(Stored(id));
    EXPECT_EQ(StoredBoundary(id), CDoubleRect(5.0, 5.0, 9.0, 9.0));
    layer->Redo();
    EXPECT_FALSE(Stored(id));
    layer->Undo();
    EXPECT_TRUE(Stored(id));
}

TEST_F(History, UndoAndRedoOfAChangeSwapTheStates)
{
    std::unique_ptr<TestBox> box(AddBox(0, 0, 1, 1));
    const int id = box->GetMapeID();
    Record(id, CMapHistoryEntry::kChanged);
    std::unique_ptr<CMapObject> stored(layer->ReadObject(id, FALSE, TRUE));
    layer->RemoveObject(stored.get());
    TestBox moved(10, 10, 12, 12);
    moved.SetMapeID(id);
    layer->AddObject(&moved, TRUE);

    layer->Undo();
    EXPECT_EQ(StoredBoundary(id), CDoubleRect(0.0, 0.0, 1.0, 1.0));
    layer->Redo();
    EXPECT_EQ(StoredBoundary(id), CDoubleRect(10.0, 10.0, 12.0, 12.0));
    EXPECT_EQ(layer->GetIndex().Count(), 1);
}

TEST_F(History, UndoingAChangeOfAVanishedObjectSkipsIt)
{
    const int gone = AddBoxId(0, 0, 1, 1);
    const int kept = AddBoxId(2, 2, 3, 3);
    CList<CMapObject*, CMapObject*> copies;
    for (int id : {gone, kept}) {
        std::unique_ptr<CMapObject> stored(layer->ReadObject(id, FALSE, TRUE));
        CMapObject* copy = stored->Clone(nullptr);
        copy->SetBoundary(CDoubleRect(7.0, 7.0, 8.0, 8.0));
        copies.AddTail(copy);
    }
    layer->RecordEdit(copies, CMapHistoryEntry::kChanged);
    layer->DeleteRows(gone);
    layer->Undo();
    EXPECT_FALSE(Stored(gone));
    EXPECT_EQ(StoredBoundary(kept), CDoubleRect(7.0, 7.0, 8.0, 8.0));
}

TEST_F(History, ASelectedNodeTakenOutByUndoLeavesTheSelectionFirst)
{
    CMapNode* node = AddNode(1, 1);
    model->GetSelectedObjects().AddTail(node);
    node->Select();
    CList<CMapObject*, CMapObject*> copies;
    copies.AddTail(node->Clone(nullptr));
    layer->RecordEdit(copies, CMapHistoryEntry::kAdded);

    layer->Undo();
    EXPECT_TRUE(model->GetSelectedObjects().IsEmpty());
    EXPECT_TRUE(layer->GetPointObjects().IsEmpty());
    // Redo puts a node back into the list, undo of a deletion puts the very copy there.
    layer->Redo();
    ASSERT_EQ(layer->GetPointObjects().GetCount(), 1);
    CMapObject* back = layer->GetPointObjects().GetHead();
    model->GetSelectedObjects().AddTail(back);
    CList<CMapObject*, CMapObject*> changed;
    changed.AddTail(back->Clone(nullptr));
    layer->RecordEdit(changed, CMapHistoryEntry::kChanged);
    layer->Undo();
    // The node the selection held now sits in the redo record, not in the selection.
    EXPECT_TRUE(model->GetSelectedObjects().IsEmpty());
    EXPECT_EQ(layer->GetPointObjects().GetCount(), 1);
    layer->Redo();
    EXPECT_EQ(layer->GetPointObjects().GetCount(), 1);
}

}
