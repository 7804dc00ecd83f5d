// The document's edit commands, sent as the menus and keys send them: Copy,
// Cut, Paste, Clone and Delete act on the map window's selection and clipboard,
// Undo and Redo step the active layer's history, and each item is enabled only
// while it has something to act on.
#include "tests/mapwindow/window/MapWindowTestSupport.h"

#include "mapwindow/MUIDoc.h"
#include "model/layers/MapObjectHistory.h"
#include "platform/frames/FrameIds.h"
#include "resources/resource.h"

#include <map>
#include <memory>

namespace mwtest {
namespace {

// Reads the state an update handler gives an item.
class StateProbe : public CCmdUI {
public:
    BOOL enabled = FALSE;
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
};

constexpr UINT kEditCommands[] = {ID_EDIT_COPY,    ID_EDIT_CUT,      ID_EDIT_PASTE, ID_OBJECT_CLONE,
                                  ID_OBJECT_DELETE, ID_EDIT_UNDO,    ID_EDIT_REDO};

// The map window of a document, 400 x 300 pixels in a shown host, over the
// test's workspace ("Areas" with a pie, editable; "Points" with a node, read-only).
class EditCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(map()->Create(CRect(0, 0, 0, 0), &host, IDC_MAP_WINDOW, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        map()->MoveWindow(0, 0, 400, 300, FALSE);
        host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(doc->OnOpenDocument(MakeWorkspace(folder)));
        ASSERT_EQ(doc->GetMapModel()->GetLayerCount(), 2);
        areas = doc->GetMapModel()->GetLayerAt(0);
        points = doc->GetMapModel()->GetLayerAt(1);
        ASSERT_TRUE(areas->IsEditable());
        ASSERT_FALSE(points->IsEditable());
        map()->ZoomToExtent(nullptr);
        AfxTestProcessEvents();
    }
    void TearDown() override
    {
        doc.reset(); // the map window goes before its host
        host.DestroyWindow();
    }

    CMUIMap* map() { return doc->GetMapWnd(); }

    void Send(UINT id) { ASSERT_TRUE(doc->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr)) << id; }

    std::map<UINT, bool> States()
    {
        std::map<UINT, bool> states;
        for (UINT id : kEditCommands) {
            StateProbe probe;
            probe.m_nID = id;
            probe.DoUpdate(doc.get(), TRUE);
            states[id] = probe.enabled;
        }
        return states;
    }

    // Selects the object drawn at map point (x, y).
    void SelectAt(double x, double y)
    {
        const CPoint p = CFloatPoint(x, y).ToDevice(map()->GetXOffset(), map()->GetYOffset(), map()->GetZoom(),
                                                    map()->GetViewHeight());
        CMapObject* object = map()->HitTest(p.x, p.y, TRUE);
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(map()->SelectObject(object, TRUE, TRUE), 1);
    }

    int Rows(CMapLayer* layer)
    {
        CArray<int, int> ids;
        layer->GetAllIDs(ids, true);
        return (int)ids.GetSize();
    }

    testsupport::TempFolder folder{"kvedit"};
    ModalRecorder boxes;
    Host host;
    std::unique_ptr<CMUIDoc> doc = std::make_unique<CMUIDoc>();
    CMapLayer* areas = nullptr;
    CMapLayer* points = nullptr;
};

TEST_F(EditCommands, ItemsAreEnabledByTheSelectionTheClipboardAndTheActiveLayersHistory)
{
    using S = std::map<UINT, bool>;
    EXPECT_EQ(States(), (S{{ID_EDIT_COPY, false}, {ID_EDIT_CUT, false}, {ID_EDIT_PASTE, false},
                           {ID_OBJECT_CLONE, false}, {ID_OBJECT_DELETE, false}, {ID_EDIT_UNDO, false},
                           {ID_EDIT_REDO, false}}));

    SelectAt(500, 800);
    EXPECT_EQ(States(), (S{{ID_EDIT_COPY, true}, {ID_EDIT_CUT, true}, {ID_EDIT_PASTE, false},
                           {ID_OBJECT_CLONE, true}, {ID_OBJECT_DELETE, true}, {ID_EDIT_UNDO, false},
                           {ID_EDIT_REDO, false}}));

    Send(ID_EDIT_COPY);
    Send(ID_EDIT_PASTE);
    EXPECT_EQ(Rows(areas), 2);
    EXPECT_EQ(States(), (S{{ID_EDIT_COPY, true}, {ID_EDIT_CUT, true}, {ID_EDIT_PASTE, true},
                           {ID_OBJECT_CLONE, true}, {ID_OBJECT_DELETE, true}, {ID_EDIT_UNDO, true},
                           {ID_EDIT_REDO, false}}));

    // Undo drops the selection before it takes the pasted object out again.
    Send(ID_EDIT_UNDO);
    EXPECT_EQ(Rows(areas), 1);
    EXPECT_EQ(map()->GetSelectionCount(), 0);
    EXPECT_TRUE(map()->IsModified());
    EXPECT_EQ(States(), (S{{ID_EDIT_COPY, false}, {ID_EDIT_CUT, false}, {ID_EDIT_PASTE, true},
                           {ID_OBJECT_CLONE, false}, {ID_OBJECT_DELETE, false}, {ID_EDIT_UNDO, false},
                           {ID_EDIT_REDO, true}}));
    Send(ID_EDIT_REDO);
    EXPECT_EQ(Rows(areas), 2);

    // Only the active layer's history counts: with "Areas" hidden no layer is active.
    areas->SetVisible(0);
    const S hidden = States();
    EXPECT_FALSE(hidden.at(ID_EDIT_UNDO));
    Send(ID_EDIT_UNDO);
    EXPECT_EQ(Rows(areas), 2);
}

TEST_F(EditCommands, CutCloneAndDeleteChangeTheLayerFileAndUndoBringsBack)
{
    SelectAt(500, 800);
    Send(ID_OBJECT_CLONE);
    EXPECT_EQ(Rows(areas), 2);
    EXPECT_EQ(map()->GetSelectionCount(), 1) << "the clone is the selection";

    Send(ID_OBJECT_DELETE);
    EXPECT_EQ(Rows(areas), 1);
    EXPECT_EQ(map()->GetSelectionCount(), 0);
    EXPECT_EQ(areas->GetHistory().GetUndoCount(), 2);

    SelectAt(500, 800);
    Send(ID_EDIT_CUT);
    EXPECT_EQ(Rows(areas), 0);
    EXPECT_TRUE(map()->CanPaste());
    Send(ID_EDIT_PASTE);
    EXPECT_EQ(Rows(areas), 1);
    EXPECT_EQ(map()->GetPasteOffset(), 6);

    // Undo of the paste, then of the cut: the original row is back.
    Send(ID_EDIT_UNDO);
    EXPECT_EQ(Rows(areas), 0);
    Send(ID_EDIT_UNDO);
    EXPECT_EQ(Rows(areas), 1);
}

TEST_F(EditCommands, DeleteLeavesTheObjectsOfReadOnlyLayers)
{
    points->SetSelectable(1);
    SelectAt(2000, 900);
    ASSERT_EQ(map()->GetSelectedObject()->GetLayer(), points);
    Send(ID_OBJECT_DELETE);
    EXPECT_EQ(points->GetObjectCount(), 1);
    EXPECT_EQ(map()->GetSelectionCount(), 1);
    EXPECT_EQ(points->GetHistory().GetUndoCount(), 0);
}

}
}
