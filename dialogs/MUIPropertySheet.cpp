#include "dialogs/MUIPropertySheet.h"

#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"

IMPLEMENT_DYNAMIC(CMUIPropertySheet, CPropertySheet)

CMUIPropertySheet::CMUIPropertySheet(LPCTSTR caption, CWnd* parent, UINT startPage)
    : CPropertySheet(caption, parent, startPage)
{
}

CMUIPropertySheet::~CMUIPropertySheet() = default;

CMUIPropertySheet* StyleSheetOf(const CWnd* page)
{
    CWnd* parent = page ? page->GetParent() : nullptr;
    return dynamic_cast<CMUIPropertySheet*>(parent);
}

BOOL StylePageEditable(const CWnd* page)
{
    const CMUIPropertySheet* sheet = StyleSheetOf(page);
    const CMapObject* object = sheet ? sheet->GetObject() : nullptr;
    if (!object)
        return TRUE;
    return object->GetLayer() && object->GetLayer()->IsEditable();
}
