#include "dialogs/CoordinateUnitChoice.h"

#include "platform/controls/CButton.h"
#include "platform/controls/CComboBox.h"

#include <ogr_spatialref.h>

void AddUnitItems(CComboBox& list, std::span<const UnitItem> units)
{
    for (const UnitItem& unit : units)
        list.SetItemData(list.AddString(unit.text), (DWORD_PTR)unit.code);
}

void AddCoordinateUnits(CComboBox& list, const OGRSpatialReference& system, std::span<const UnitItem> linear)
{
    static const UnitItem kAngular[] = {{"Degree", 11}, {"Radian", 10}};
    const bool geographic = system.IsGeographic();
    if (geographic || system.IsProjected())
        AddUnitItems(list, kAngular);
    if (!geographic)
        AddUnitItems(list, linear);
}

void SetMeasuringChoice(CWnd& dialog, UINT sphericalId, UINT cartesianId, const OGRSpatialReference& system)
{
    CButton* spherical = static_cast<CButton*>(dialog.GetDlgItem(sphericalId));
    CButton* cartesian = static_cast<CButton*>(dialog.GetDlgItem(cartesianId));
    if (!spherical || !cartesian)
        return;
    if (system.IsGeographic()) {
        spherical->EnableWindow(TRUE);
        spherical->SetCheck(BST_CHECKED);
        cartesian->SetCheck(BST_UNCHECKED);
        cartesian->EnableWindow(FALSE);
    } else if (system.IsProjected()) {
        spherical->EnableWindow(TRUE);
        cartesian->EnableWindow(TRUE);
    } else {
        spherical->SetCheck(BST_UNCHECKED);
        spherical->EnableWindow(FALSE);
        cartesian->EnableWindow(TRUE);
        cartesian->SetCheck(BST_CHECKED);
    }
}
