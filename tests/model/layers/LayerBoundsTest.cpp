// A layer's bounds are those of what it holds, and the map's extent those of
// its layers: an object at the origin, whose boundary is all zero, counts like
// any other, as the first object of a layer and as the only one of a layer.
#include "tests/model/layers/LayersTestSupport.h"

namespace {

TEST_F(LayerTest, AnObjectAtTheOriginCountsInTheBoundsAndTheExtent)
{
    AddNode(0, 0);
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(0.0, 0.0, 0.0, 0.0));
    AddNode(10, 20);
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(0.0, 0.0, 10.0, 20.0));
    layer->RecalcBounds();
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(0.0, 0.0, 10.0, 20.0));
    SaveAndReopen();
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(0.0, 0.0, 10.0, 20.0));

    // A layer that holds only the point at the origin, below one far from it.
    CMapObject* second = layer->GetPointObjects().GetTail();
    layer->RemoveObject(second);
    delete second;   // a removed node is the caller's
    layer->RecalcBounds();
    EXPECT_EQ(layer->GetBounds(), CDoubleRect(0.0, 0.0, 0.0, 0.0));
    auto* far = new CMapLayer("Far");
    far->SetBounds(CDoubleRect(10.0, 10.0, 20.0, 20.0));
    model->AddLayer(far);
    EXPECT_EQ(model->GetExtent(), CDoubleRect(0.0, 0.0, 20.0, 20.0));
}

}
