#include "dialogs/MUIPropertyGeneralPage.h"

#include "core/MapUnits.h"
#include "dialogs/MUIPropertySheet.h"
#include "core/ObjectTypes.h"
#include "model/polygons/MapAdvPolygon.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapSpline.h"
#include "model/layers/MapObject.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <cstdlib>
#include <ogr_spatialref.h>

IMPLEMENT_DYNCREATE(CMUIPropertyGeneralPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMUIPropertyGeneralPage, CPropertyPage)
END_MESSAGE_MAP()

CMUIPropertyGeneralPage::CMUIPropertyGeneralPage() : CPropertyPage(IDD_OBJECT_GENERAL) {}

double CMUIPropertyGeneralPage::Round3(double value)
{
    CString text;
    text.Format("%.3f", value);
    return std::atof(text);
}

void CMUIPropertyGeneralPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OBJECT_AREA, m_dArea);
    DDX_Text(pDX, IDC_OBJECT_PERIMETER, m_dPerimeter);
    DDX_Text(pDX, IDC_OBJECT_X1, m_dX1);
    DDX_Text(pDX, IDC_OBJECT_Y1, m_dY1);
    DDX_Text(pDX, IDC_OBJECT_X2, m_dX2);
    DDX_Text(pDX, IDC_OBJECT_Y2, m_dY2);
    DDX_Text(pDX, IDC_OBJECT_UNIT_XY1, m_strUnitXY1);
    DDX_Text(pDX, IDC_OBJECT_UNIT_XY2, m_strUnitXY2);
    DDX_Text(pDX, IDC_OBJECT_UNIT_AREA, m_strAreaUnit);
    DDX_Text(pDX, IDC_OBJECT_UNIT_DISTANCE, m_strDistanceUnit);
    DDX_Text(pDX, IDC_OBJECT_POINTS, m_nPoints);
    DDX_Radio(pDX, IDC_OBJECT_DRAW_BY_LAYER, m_nDrawBy);
}

BOOL CMUIPropertyGeneralPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CMUIPropertySheet* sheet = StyleSheetOf(this);
    CMapObject* object = sheet ? sheet->GetObject() : nullptr;
    if (!object)
        return TRUE;
    CMapModel* map = object->GetMap();
    const CMapUnits units = map ? map->GetUnits() : CMapUnits();
    OGRSpatialReference* reference = map ? map->GetSpatialReference() : nullptr;

    const CDoubleRect bounds = object->GetBoundary();
    CString coordName;
    const double coordFactor = units.GetCoordUnit(coordName, reference);
    if (units.IsCoordUnitAngular() && reference && !reference->IsGeographic()) {
        m_dX1 = m_dY1 = m_dX2 = m_dY2 = 0;
        coordName = "n/a";
    } else {
        m_dX1 = Round3(bounds.left * coordFactor);
        m_dY1 = Round3(bounds.bottom * coordFactor);
        m_dX2 = Round3(bounds.right * coordFactor);
        m_dY2 = Round3(bounds.top * coordFactor);
    }
    m_strUnitXY1 = m_strUnitXY2 = coordName;

    const bool spherical = units.GetUseSpherical() != 0;
    const char* how = spherical ? "(spherical)" : "(cartesian)";
    CString areaName;
    const double areaFactor = units.GetAreaUnit(areaName, spherical ? nullptr : reference);
    m_strAreaUnit = "sq " + areaName + how;
    int mode = spherical ? 1 : 0;
    m_dArea = Round3(object->MeasureArea(&mode) * areaFactor * areaFactor);

    CString distanceName;
    const double distanceFactor = units.GetDistanceUnit(distanceName, spherical ? nullptr : reference);
    mode = spherical ? 1 : 0;
    m_dPerimeter = Round3(object->MeasureLength(&mode) * distanceFactor);
    m_strDistanceUnit = distanceName + how;

    // A spline counts its stored control points, a polygon with holes the
    // vertices of all its rings; every other kind its own count.
    if (auto* spline = dynamic_cast<CMapSpline*>(object))
        m_nPoints = (int)spline->GetControlPoints().GetSize();
    else if (auto* rings = dynamic_cast<CMapAdvPolygon*>(object); rings && object->GetType() == MAP_OBJECT_ADVPOLYGON)
        m_nPoints = rings->GetTotalPointCount();
    else
        m_nPoints = object->GetPointCount();
    m_nDrawBy = object->UsesLayerStyle() ? 0 : 1;
    UpdateData(FALSE);
    return TRUE;
}

void CMUIPropertyGeneralPage::OnOK()
{
    CMUIPropertySheet* sheet = StyleSheetOf(this);
    CMapObject* object = sheet ? sheet->GetObject() : nullptr;
    if (object) {
        UpdateData(TRUE);
        const BOOL useLayer = m_nDrawBy == 0;
        if (useLayer != object->UsesLayerStyle()) {
            object->SetUseLayerStyle(useLayer);
            object->SaveChanges();
        }
    }
    CPropertyPage::OnOK();
}
