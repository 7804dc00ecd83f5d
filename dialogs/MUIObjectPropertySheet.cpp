#include "dialogs/MUIObjectPropertySheet.h"

#include "core/ObjectTypes.h"
#include "model/layers/MapObject.h"

IMPLEMENT_DYNAMIC(CMUIObjectPropertySheet, CMUIPropertySheet)

CMUIObjectPropertySheet::CMUIObjectPropertySheet(CMapObject* object, LPCTSTR caption, CWnd* parent,
                                                 UINT startPage)
    : CMUIPropertySheet(caption, parent, startPage), m_pObject(object)
{
    if (m_pObject)
        m_Style = *m_pObject->GetStyle();
    AddPages();
}

void CMUIObjectPropertySheet::AddPages()
{
    if (!m_pObject)
        return;
    AddPage(&m_GeneralPage);
    switch (m_pObject->GetType()) {
    case MAP_OBJECT_ARC:
    case MAP_OBJECT_LINE:
    case MAP_OBJECT_POLYLINE:
    case MAP_OBJECT_POLYPOLYLINE:
    case MAP_OBJECT_SPLINE:
        AddPage(&m_LinePage);
        break;
    case MAP_OBJECT_NODE:
        AddPage(&m_NodePage);
        break;
    case MAP_OBJECT_IMAGE:
    case MAP_OBJECT_INVALID:
        break;
    default:
        AddPage(&m_FillPage);
        AddPage(&m_LinePage);
        break;
    }
    AddPage(&m_DataPage);
}
