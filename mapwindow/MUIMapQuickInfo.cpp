// The quick-info tip of the Select tool: a short description of the object under
// the resting pointer. Objects other than nodes and texts are built for the hit
// test and released once their description is made.
#include "mapwindow/MUIMap.h"

#include "mapwindow/MapTool.h"
#include "core/FloatPoint.h"
#include "core/MapField.h"
#include "core/MapFieldValue.h"
#include "core/MapUnits.h"
#include "core/ObjectTypes.h"
#include "core/Settings.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "model/polygons/MapPointList.h"
#include "model/objects/MapSpline.h"

#include <cstdlib>

namespace {
void Release(CMapObject* object)
{
    if (object && !CMapLayer::IsPointObjectType(object->GetType()))
        delete object;
}

// "%s : %s\n" for every attribute value of the object.
CString AttributeLines(const CMapObject* object)
{
    CString text, line;
    for (POSITION pos = object->GetFirstAttributePosition(); pos;) {
        const CMapFieldValue value = object->GetNextAttribute(pos);
        line.Format("%s : %s\n", value.GetField().GetName().GetString(), value.GetValueText().GetString());
        text += line;
    }
    return text;
}
}

void CMUIMap::ShowQuickInfo(CPoint point)
{
    CMapObject* object = HitTest(point.x, point.y, TRUE);
    if (!object)
        return;
    CMapLayer* layer = object->GetLayer();
    if (layer && layer->GetShowTips()) {
        const CString text = GetQuickInfoText(object);
        if (!text.IsEmpty()) {
            CPoint screen = point;
            ClientToScreen(&screen);
            m_BalloonTip.Show(text, &screen);
        }
    }
    Release(object);
}

CString CMUIMap::GetQuickInfoText(CMapObject* object)
{
    if (!object)
        return CString();
    const int type = object->GetType();
    if (!object->IsGeometryLoaded())
        object->LoadGeometry();
    if (type == MAP_OBJECT_NODE)
        return "Object Name : Node\n" + AttributeLines(object);
    if (type == MAP_OBJECT_TEXT || type == MAP_OBJECT_IMAGE)
        return CString();

    CString text = CString("Object Name : ") + CMapObject::GetTypeName(type) + "\n";
    const CString label = object->GetLabelText();
    if (!label.IsEmpty()) {
        CString line;
        line.Format("%s%s\n", "Name : ", label.GetString());
        text += line;
    }

    OGRSpatialReference* srs = m_MapModel.GetSpatialReference();
    CString unit;
    const double factor = m_MapModel.GetUnits().GetAreaUnit(unit, srs);
    const CString lengthUnit = unit;
    const CString areaUnit = unit == "hectare" ? unit : unit + "2";
    const double perimeter = object->GetLength(srs) * factor;
    const double area = object->GetArea(srs) * factor * factor;
    int points = object->GetPointCount();
    if (type == MAP_OBJECT_SPLINE)
        points = (int)static_cast<CMapSpline*>(object)->GetControlPoints().GetSize();

    CString body;
    if (area > 0) {
        if (type == MAP_OBJECT_POLYGON || type == MAP_OBJECT_POLYPOLYGON || type == MAP_OBJECT_ADVPOLYGON ||
            type == MAP_OBJECT_POLYADVPOLYGON)
            body.Format("%s%.3f (%s)\n%s%.3f (%s)\nPoint(s) : %d", "Perimeter : ", perimeter, lengthUnit.GetString(),
                        "Area : ", area, areaUnit.GetString(), points);
        else
            body.Format("%s%.3f (%s)\n%s%.3f (%s)", "Perimeter : ", perimeter, lengthUnit.GetString(), "Area : ", area,
                        areaUnit.GetString());
    } else if (type == MAP_OBJECT_POLYLINE) {
        // The points a GPS recording stores at a track's vertices carry its times
        // and satellite counts.
        auto* line = static_cast<CMapPointList*>(object);
        int satellites = 0;
        CString start, end;
        const int count = line->GetPointCount();
        for (int i = 0; i < count; ++i) {
            const CPoint pixel = line->GetPoint(i).ToDevice(m_MapModel.GetXOffset(), m_MapModel.GetYOffset(),
                                                           m_MapModel.GetZoom(), m_MapModel.GetViewHeight());
            CMapObject* found = HitTest(pixel.x, pixel.y, TRUE);
            if (!found)
                continue;
            for (POSITION pos = found->GetFirstAttributePosition(); pos;) {
                const CMapFieldValue value = found->GetNextAttribute(pos);
                const CString name = value.GetField().GetName();
                if (name == "SatelliteView")
                    satellites += std::atoi(value.GetValueText());
                else if (name == "Time" && i == 0)
                    start = value.GetValueText();
                else if (name == "Time" && i == count - 1)
                    end = value.GetValueText();
            }
            if (found != object)
                Release(found);
        }
        CString times;
        if (satellites > 0)
            times.Format("\nStartTime : %s \nEndTime : %s\nAvg. Satellite Received : %i", start.GetString(),
                         end.GetString(), points > 0 ? satellites / points : 0);
        body.Format("%s%.3f (%s)\nPoint(s) : %d", "Perimeter : ", perimeter, lengthUnit.GetString(), points);
        body += times;
    } else if (type == MAP_OBJECT_POLYPOLYLINE) {
        body.Format("%s%.3f (%s)\nPoint(s) : %d", "Perimeter : ", perimeter, lengthUnit.GetString(), points);
    } else {
        body.Format("%s%.3f (%s)", "Perimeter : ", perimeter, lengthUnit.GetString());
    }
    return text + body;
}
