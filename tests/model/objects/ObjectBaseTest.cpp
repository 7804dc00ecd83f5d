// The behaviour every object kind shares: type codes, styles through layers and
// parents, handles, boundaries and the polygon-inside test.
#include "tests/model/objects/LayerTestSupport.h"

namespace {

TEST(ObjectBase, TypeCodesOutsideTheTableReadAsInvalid)
{
    const std::pair<int, int> cases[] = {{0, 0}, {16, 16}, {17, 100}, {-1, 100}, {100, 100}};
    for (const auto& [stored, reported] : cases)
        EXPECT_EQ(TestObject(stored).GetType(), reported) << stored;
    EXPECT_EQ(CMapObject::GetTypeName(12), "Text");
    EXPECT_EQ(CMapObject::GetTypeName(1), "Rounded Rectangel");
}

TEST(ObjectBase, StyleComesFromTheOverridingLayerElseTheParent)
{
    CMapLayer layer("L");
    layer.GetStyle()->SetPenColor(RGB(1, 1, 1));
    TestObject whole(MAP_OBJECT_POLYPOLYGON), part(MAP_OBJECT_POLYGON);
    whole.GetOwnStyle()->SetPenColor(RGB(2, 2, 2));
    part.GetOwnStyle()->SetPenColor(RGB(3, 3, 3));
    part.SetParent(&whole);
    EXPECT_EQ(part.GetStyle()->GetPenColor(), RGB(2, 2, 2));
    part.SetLayer(&layer);
    EXPECT_EQ(part.GetStyle()->GetPenColor(), RGB(2, 2, 2));
    layer.SetOverride(1);
    EXPECT_EQ(part.GetStyle()->GetPenColor(), RGB(1, 1, 1));
}

TEST(ObjectBase, SetStyleMarksModifiedOnlyOnADifference)
{
    TestObject object(MAP_OBJECT_RECTANGLE);
    object.SetStyle(*object.GetOwnStyle());
    EXPECT_FALSE(object.GetOwnStyle()->IsModified());
    CMapStyle other;
    other.SetPenWidth(5.0f);
    object.SetStyle(other);
    EXPECT_TRUE(object.GetOwnStyle()->IsModified());
    EXPECT_FLOAT_EQ(object.GetOwnStyle()->GetPenWidth(), 5.0f);
}

TEST(ObjectBase, ActiveHandleStaysInRange)
{
    TestObject object(MAP_OBJECT_RECTANGLE);
    EXPECT_EQ(object.SetActiveHandle(7), 8);
    EXPECT_EQ(object.GetActiveHandle(), 7);
    EXPECT_EQ(object.SetActiveHandle(8), -1);
    EXPECT_EQ(object.GetActiveHandle(), -1);
    object.SetBoundary(CDoubleRect(0.0, 0.0, 10.0, 4.0));
    const CFloatPoint wrapped = object.GetHandlePoint(9), first = object.GetHandlePoint(1);
    EXPECT_EQ(wrapped.x, first.x);
    EXPECT_EQ(wrapped.y, first.y);
    EXPECT_FLOAT_EQ(first.x, 5.0f);
}

TEST(ObjectBase, AnEqualBoundaryKeepsThePreviousOne)
{
    TestObject object(MAP_OBJECT_RECTANGLE);
    object.SetBoundary(CDoubleRect(0.0, 0.0, 1.0, 1.0));
    object.SetBoundary(CDoubleRect(0.0, 0.0, 2.0, 2.0));
    object.SetBoundary(CDoubleRect(0.0, 0.0, 2.0, 2.0));
    EXPECT_DOUBLE_EQ(object.GetPrevBoundary().right, 1.0);
}

TEST(ObjectBase, HandleDragsAnEdgeBackIntoMapUnits)
{
    TestObject object(MAP_OBJECT_RECTANGLE);
    object.SetBoundary(CDoubleRect(10.0, 10.0, 20.0, 30.0));
    g_DefaultViewHeight = 100;
    double x = 0, y = 0, zoom = 1;
    // Handle 4 (right, top) to the pixel (25, 60): map (25, 40).
    object.MoveHandle(nullptr, 4, 25, 60, &x, &y, &zoom);
    EXPECT_DOUBLE_EQ(object.GetBoundary().right, 25.0);
    EXPECT_DOUBLE_EQ(object.GetBoundary().top, 40.0);
    EXPECT_DOUBLE_EQ(object.GetBoundary().left, 10.0);
    EXPECT_TRUE(object.IsBoundaryModified());
}

// The corners are tested where they are: truncating coordinates to integers
// put an object of a map in degrees outside a ring that holds it.
TEST(ObjectBase, InsidePolygonTestsMapCoordinatesUntruncated)
{
    const CFloatPoint ring[] = {{10.1, 10.1}, {10.9, 10.1}, {10.9, 10.9}, {10.1, 10.9}};
    struct Case {
        CDoubleRect boundary;
        bool inside;
    };
    const Case cases[] = {
        {CDoubleRect(10.2, 10.2, 10.8, 10.8), true},
        {CDoubleRect(10.2, 10.2, 11.2, 10.8), false},
        {CDoubleRect(-10.8, -10.8, -10.2, -10.2), false},
    };
    for (const Case& c : cases) {
        TestObject object(MAP_OBJECT_RECTANGLE);
        object.SetBoundary(c.boundary);
        EXPECT_EQ(object.IsInsidePolygon(ring, 4) != FALSE, c.inside) << c.boundary.left;
    }
}

TEST(ObjectBase, CloneWithoutLayerKeepsIdValuesAndLabel)
{
    TestObject object(MAP_OBJECT_ELLIPSE);
    object.SetMapeID(42);
    object.SetBoundary(CDoubleRect(1.0, 2.0, 3.0, 4.0));
    object.AddAttribute(CMapFieldValue(CMapField("A", FIELD_TYPE_STRING, 5)));
    object.SetAttributeText(0, "abc");
    object.GetLabel()->SetText("label");
    std::unique_ptr<CMapObject> clone(object.Clone(nullptr));
    EXPECT_EQ(clone->GetMapeID(), 42);
    EXPECT_EQ(clone->GetType(), MAP_OBJECT_ELLIPSE);
    EXPECT_EQ(std::string(clone->GetAttributeText(0)), "abc");
    EXPECT_EQ(std::string(clone->GetLabelText()), "label");
    EXPECT_DOUBLE_EQ(clone->GetBoundary().top, 4.0);
    EXPECT_EQ(clone->GetLabel()->GetDatabase(), nullptr);
}

TEST(ObjectBase, LayerBoundsRecomputeWhenTheOldBoundaryTouchedThem)
{
    CMapLayer layer("L");
    TestObject a(MAP_OBJECT_RECTANGLE), b(MAP_OBJECT_RECTANGLE);
    a.SetLayer(&layer);
    b.SetLayer(&layer);
    a.SetMapeID(1);
    b.SetMapeID(2);
    a.SetBoundary(CDoubleRect(0.0, 0.0, 10.0, 10.0));
    b.SetBoundary(CDoubleRect(2.0, 2.0, 4.0, 4.0));
    layer.IndexInsert(1, a.GetBoundary());
    layer.IndexInsert(2, b.GetBoundary());
    layer.RecalcBounds();
    // Moving the outer object inwards shrinks the bounds to what is left.
    double zoom = 1;
    a.MoveBy(3, -3, &zoom);
    EXPECT_DOUBLE_EQ(layer.GetBounds().left, 2.0);
    EXPECT_DOUBLE_EQ(layer.GetBounds().right, 13.0);
    EXPECT_DOUBLE_EQ(layer.GetBounds().top, 13.0);
}

// Enough objects that the index splits its nodes and reinserts the entries of
// under-filled ones while they move.
TEST(ObjectBase, SpatialIndexFollowsMovedObjects)
{
    CMapLayer layer("L");
    std::vector<std::unique_ptr<TestObject>> objects;
    for (int i = 0; i < 60; ++i) {
        auto object = std::make_unique<TestObject>(MAP_OBJECT_RECTANGLE);
        object->SetLayer(&layer);
        object->SetMapeID(i + 1);
        object->SetBoundary(CDoubleRect(i * 10.0, (i % 7) * 10.0, i * 10.0 + 5, (i % 7) * 10.0 + 5));
        layer.IndexInsert(i + 1, object->GetBoundary());
        objects.push_back(std::move(object));
    }
    double zoom = 1;
    for (size_t i = 0; i < objects.size(); i += 2)
        objects[i]->MoveBy(1000, 0, &zoom);
    layer.CollectAllEntries();
    ASSERT_EQ(g_LayerEntryArray.GetSize(), 60);
    std::vector<double> left(61, -1);
    for (INT_PTR i = 0; i < g_LayerEntryArray.GetSize(); ++i)
        left[(size_t)g_LayerEntryArray[i].id] = g_LayerEntryArray[i].rect.left;
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(left[(size_t)i + 1], i * 10.0 + (i % 2 == 0 ? 1000 : 0)) << i;
    EXPECT_EQ(layer.GetObjectCount(), 60);
}

}
