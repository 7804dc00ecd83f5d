// What the layers and dialogs use of the map window: notifications to its
// owner, new layers, and the clearing of the selection.
#include "core/Settings.h"
#include "model/objects/MapNode.h"
#include "model/layers/MapObject.h"
#include "model/layers/MapLayer.h"
#include "mapwindow/MUIMap.h"
#include "platform/testing/DialogAnswerer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Received {
    UINT_PTR id;
    UINT code;
    HWND from;
    int action;
    void* object;
    int value;
};

class Host : public CWnd {
public:
    std::vector<Received> received;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        const auto* block = reinterpret_cast<const MAPNOTIFY*>(lParam);
        received.push_back({block->hdr.idFrom, block->hdr.code, block->hdr.hwndFrom, block->action, block->object,
                            block->value});
        *result = 7;
        return TRUE;
    }
};

TEST(MapWindow, NotifiesItsOwnerWithItsControlId)
{
    Host host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    CMUIMap map;
    ASSERT_TRUE(map.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &host, 200));

    CMapLayer layer("L");
    EXPECT_EQ(map.NotifyParent(MAPA_LAYER_REMOVED, &layer, 3), 7);
    map.InvalidateMap(nullptr, FALSE);
    map.SetInvalidateNotify(0);
    map.InvalidateMap(nullptr, FALSE);

    ASSERT_EQ(host.received.size(), 2u);
    const Received& removed = host.received[0];
    EXPECT_EQ(removed.id, 200u);
    EXPECT_EQ(removed.code, (UINT)MAPN_NOTIFY);
    EXPECT_EQ(removed.from, map.GetSafeHwnd());
    EXPECT_EQ(removed.action, 105);
    EXPECT_EQ(removed.object, &layer);
    EXPECT_EQ(removed.value, 3);
    EXPECT_EQ(host.received[1].action, 601);
    EXPECT_EQ(host.received[1].object, nullptr);
    EXPECT_TRUE(map.IsDirty());
    map.DestroyWindow();
    host.DestroyWindow();
}

TEST(MapWindow, WithoutAWindowNothingIsSent)
{
    CMUIMap map;
    EXPECT_EQ(map.NotifyParent(MAPA_MAP_INVALIDATED, nullptr, 0), 0);
    map.InvalidateMap(nullptr, TRUE);
    EXPECT_TRUE(map.IsDirty());
}

// A layer made on a file the user names is announced once, is marked as not
// yet in the workspace and makes the map modified; a cancelled dialog does none of it.
TEST(MapWindow, ANewLayerIsAnnouncedAndMakesTheMapModified)
{
    const int savedSystem = g_CoordinationSystem;
    g_CoordinationSystem = -1;
    testsupport::TempFolder folder("kvnewlayer");
    Host host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    {
        CMUIMap map;
        ASSERT_TRUE(map.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &host, 200));
        host.received.clear();

        DialogAnswerer answers(IDCANCEL);
        answers.ThenFile(folder.File("Roads.klz"));
        CMapLayer* layer = map.CreateLayer("Roads");
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(map.GetMapModel()->GetLastLayer(), layer);
        EXPECT_EQ(layer->IsModified(), 1);
        EXPECT_EQ(map.IsModified(), 1);
        std::vector<int> actions;
        for (const Received& r : host.received)
            actions.push_back(r.action);
        EXPECT_EQ(std::count(actions.begin(), actions.end(), (int)MAPA_LAYER_CREATED), 1);
        const auto created = std::find_if(host.received.begin(), host.received.end(),
                                          [](const Received& r) { return r.action == MAPA_LAYER_CREATED; });
        ASSERT_NE(created, host.received.end());
        EXPECT_EQ(created->object, layer);

        map.SetModified(0);
        host.received.clear();
        EXPECT_EQ(map.CreateLayer("Rivers"), nullptr);
        EXPECT_EQ(map.GetMapModel()->GetLayerCount(), 1);
        EXPECT_EQ(map.IsModified(), 0);
        EXPECT_TRUE(host.received.empty());
        EXPECT_EQ(answers.Dialogs().size(), 2u);
        map.DestroyWindow();
    }
    host.DestroyWindow();
    g_CoordinationSystem = savedSystem;
}

class CountedObject : public CMapObject {
public:
    explicit CountedObject(int* deleted) : m_deleted(deleted) { m_nType = MAP_OBJECT_RECTANGLE; }
    ~CountedObject() override { ++*m_deleted; }

private:
    int* m_deleted;
};

TEST(MapWindow, ClearingTheSelectionDeletesCopiesButNotTheLayersNodes)
{
    CMUIMap map;
    CMapLayer* layer = new CMapLayer("L");
    CMapLayer* other = new CMapLayer("M");
    map.GetMapModel()->AddLayer(layer);
    map.GetMapModel()->AddLayer(other);
    CMapNode* node = new CMapNode;
    layer->AddObject(node, TRUE);   // the layer owns it
    int deleted = 0;
    auto* copy = new CountedObject(&deleted);
    copy->SetLayer(other);
    auto* mine = new CountedObject(&deleted);
    mine->SetLayer(layer);
    CList<CMapObject*, CMapObject*>& selection = map.GetMapModel()->GetSelectedObjects();
    for (CMapObject* object : {static_cast<CMapObject*>(node), static_cast<CMapObject*>(copy),
                               static_cast<CMapObject*>(mine)}) {
        object->Select();
        selection.AddTail(object);
    }

    map.DeselectLayerObjects(layer);
    EXPECT_EQ(deleted, 1);
    ASSERT_EQ(selection.GetCount(), 1);
    EXPECT_EQ(selection.GetHead(), copy);
    EXPECT_FALSE(node->IsSelected());

    map.ClearSelection(0);
    EXPECT_EQ(deleted, 2);
    EXPECT_TRUE(selection.IsEmpty());
    EXPECT_EQ(layer->GetPointObjects().GetCount(), 1);
}

}
