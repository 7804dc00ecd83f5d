// The unit lists of the Map Property dialog and the General preference page:
// items of (text, code), and which coordinate units and measuring modes a
// coordinate system allows. Each dialog keeps its own texts.
#pragma once

#include "platform/base/WinTypes.h"

#include <span>

class CComboBox;
class CWnd;
class OGRSpatialReference;

struct UnitItem {
    const char* text;
    int code; // the item data
};

// Appends the items in order, each with its code as item data.
void AddUnitItems(CComboBox& list, std::span<const UnitItem> units);

// Appends "Degree" (11) and "Radian" (10) for a geographic or projected system,
// then `linear` for any system that is not geographic.
void AddCoordinateUnits(CComboBox& list, const OGRSpatialReference& system, std::span<const UnitItem> linear);

// The radio buttons `sphericalId` and `cartesianId` of `dialog` for `system`: a
// geographic system measures on the sphere only, a projected one leaves both
// enabled as they are, any other measures on the plane only. Nothing happens
// when either button is missing.
void SetMeasuringChoice(CWnd& dialog, UINT sphericalId, UINT cartesianId, const OGRSpatialReference& system);
