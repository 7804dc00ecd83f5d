// Run-time classes: kind checks and creation by class.
#include "platform/base/Afx.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
class Shape : public CObject {
    DECLARE_DYNCREATE(Shape)
};
class Square : public Shape {
    DECLARE_DYNCREATE(Square)
};
IMPLEMENT_DYNCREATE(Shape, CObject)
IMPLEMENT_DYNCREATE(Square, Shape)
}

TEST(CObject, RuntimeClassAndCreation)
{
    Square sq;
    EXPECT_TRUE(sq.IsKindOf(RUNTIME_CLASS(Shape)));
    EXPECT_TRUE(sq.IsKindOf(RUNTIME_CLASS(CObject)));
    Shape sh;
    EXPECT_FALSE(sh.IsKindOf(RUNTIME_CLASS(Square)));
    const CRuntimeClass* cls = CRuntimeClass::FromName("Square");
    ASSERT_NE(cls, nullptr);
    std::unique_ptr<CObject> made(cls->CreateObject());
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(Square)));
}
