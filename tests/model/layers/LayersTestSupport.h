// Layers made by the tests: a map with one layer on a fresh file in a temporary
// folder, a box kind of object (an indexed object that fills its boundary with
// its brush colour) registered for the rectangle code while a test runs, and
// raw reads of the file through SQLite itself (RawFile.h).
#pragma once

#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapNode.h"
#include "model/layers/MapObject.h"
#include "model/layers/MapObjectKinds.h"
#include "model/objects/MapText.h"
#include "platform/gdi/CDC.h"
#include "platform/testing/ModalRecorder.h"
#include "tests/model/layers/LayerFileMaps.h"
#include "tests/model/layers/RawFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

// An indexed object whose geometry is its boundary; draws it filled.
class TestBox : public CMapObject {
public:
    TestBox() { m_nType = MAP_OBJECT_RECTANGLE; }
    TestBox(double l, double b, double r, double t) : TestBox() { SetBoundary(CDoubleRect(l, b, r, t)); }

    void Draw(CDC* pDC, const RECT*, double* originX, double* originY, double* zoom) override
    {
        CRect r = GetBoundary().ToDeviceRect(*originX, *originY, *zoom, GetViewHeight());
        r.NormalizeRect();
        pDC->FillSolidRect(&r, GetStyle()->GetBrushColor());
    }
    CMapObject* Clone(CMapLayer* target) override
    {
        auto* clone = new TestBox;
        CopyInto(clone, *GetOwnStyle());
        if (target)
            target->AddObject(clone, FALSE);
        else
            clone->SetMapeID(GetMapeID());
        return clone;
    }
};

// Registers TestBox for the rectangle code for the life of the object.
class TestBoxKind {
public:
    TestBoxKind() : m_previous(RegisterObjectKind(MAP_OBJECT_RECTANGLE, [] { return (CMapObject*)new TestBox; })) {}
    ~TestBoxKind() { RegisterObjectKind(MAP_OBJECT_RECTANGLE, m_previous); }

private:
    ObjectKindCreator m_previous;
};

class LayerTest : public ::testing::Test {
protected:
    LayerTest() : m_folder("kvlayer") {}

    virtual std::vector<CMapField> Fields() const { return {}; }

    void SetUp() override
    {
        path = m_folder.File("Test.klz");
        ASSERT_TRUE(layerfile::CreateLayerFile(path, "Test", Fields()));
        Open();
    }

    // A new map with the layer file opened into a new layer; the view a window
    // of 100 x 100 pixels shows: map (0, 0) at its bottom left, one unit per pixel.
    void Open()
    {
        layer = nullptr;
        layer = layerfile::OpenInNewMap(model, path, kHeight, 1.0);
        ASSERT_NE(layer, nullptr);
    }
    // Saves (commits), closes and opens the file again.
    void SaveAndReopen()
    {
        layer->SaveProperties();
        Open();
    }

    TestBox* AddBox(double l, double b, double r, double t, COLORREF color = RGB(0, 0, 255))
    {
        auto box = std::make_unique<TestBox>(l, b, r, t);
        box->GetOwnStyle()->SetBrushColor(color);
        layer->AddObject(box.get(), TRUE);
        return box.release();   // the caller keeps it: layers keep only nodes and texts
    }
    int AddBoxId(double l, double b, double r, double t, COLORREF color = RGB(0, 0, 255))
    {
        std::unique_ptr<TestBox> box(AddBox(l, b, r, t, color));
        return box->GetMapeID();
    }
    CMapNode* AddNode(double x, double y)
    {
        auto* node = new CMapNode;
        node->SetPosition(x, y);
        layer->AddObject(node, TRUE);
        return node;   // owned by the layer
    }

    std::vector<int> SelectedIds() const
    {
        std::vector<int> ids;
        for (POSITION pos = model->GetSelectedObjects().GetHeadPosition(); pos;)
            ids.push_back(model->GetSelectedObjects().GetNext(pos)->GetMapeID());
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    static constexpr int kHeight = 100;

    testsupport::TempFolder m_folder;
    TestBoxKind m_kind;
    ModalRecorder m_boxes;
    CString path;
    std::unique_ptr<CMapModel> model;
    CMapLayer* layer = nullptr;   // owned by the model
};
