// The kind table, one slot per type code (MapObjectKinds.h).
#include "model/layers/MapObjectKinds.h"

#include "core/ObjectTypes.h"
#include "model/layers/MapObject.h"

#include <array>
#include <cstddef>

namespace {
constexpr int kObjectTypeCount = MAP_OBJECT_SPLINE + 1;

struct KindSlot {
    ObjectKindCreator create = nullptr;
    const std::type_info* plain = nullptr;
};

// Built on first use, so registrations made while the program starts find it
// whatever the order of the static initialisers.
std::array<KindSlot, kObjectTypeCount>& Slots()
{
    static std::array<KindSlot, kObjectTypeCount> slots{};
    return slots;
}

bool IsKnownType(int type)
{
    return type >= 0 && type < kObjectTypeCount;
}
}

CMapObject* CreateObjectOfKind(int type)
{
    if (!IsKnownType(type))
        return nullptr;
    const ObjectKindCreator create = Slots()[(size_t)type].create;
    return create ? create() : nullptr;
}

ObjectKindCreator RegisterObjectKind(int type, ObjectKindCreator create)
{
    if (!IsKnownType(type))
        return nullptr;
    const ObjectKindCreator previous = Slots()[(size_t)type].create;
    Slots()[(size_t)type].create = create;
    return previous;
}

void RegisterPlainObjectKind(int type, ObjectKindCreator create, const std::type_info& plain)
{
    if (!IsKnownType(type))
        return;
    Slots()[(size_t)type] = {create, &plain};
}

const std::type_info* PlainClassOfKind(int type)
{
    return IsKnownType(type) ? Slots()[(size_t)type].plain : nullptr;
}

bool IsPlainObjectOfKind(const CMapObject& object, int type)
{
    const std::type_info* plain = PlainClassOfKind(type);
    return plain && typeid(object) == *plain;
}
