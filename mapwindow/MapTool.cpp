// The tool registry, the shared pointer state and the behaviour every tool
// inherits: capture on a button press, the position text, the Shift constraint
// of a dragged handle, and the rubber-band helpers that draw so that drawing the
// same figure again erases it.
#include "mapwindow/MapTool.h"

#include "mapwindow/MUIMap.h"
#include "core/DoublePoint.h"
#include "core/FloatPoint.h"
#include "core/MapUnits.h"
#include "core/ObjectTypes.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "model/polygons/MapPolyline.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

int g_currentTool = TOOL_SELECT;
CPoint g_downPoint;
CPoint g_curPoint;
int g_toolState = 0;
CMUIMap* g_lastToolWindow = nullptr;

namespace {
// Made on first use, so that tools constructed at start-up in any order find it.
std::vector<CMapTool*>& Registry()
{
    static std::vector<CMapTool*> registry;
    return registry;
}
}

// Made in MapToolTable.cpp.
void RegisterProgramTools();

namespace {
// The program's tools are registered before any other, so that they win a
// lookup by number. While they are being made, their own construction must not
// start the making again.
void EnsureProgramTools()
{
    static bool making = false;
    if (making)
        return;
    making = true;
    RegisterProgramTools();
    making = false;
}
}

CMapTool::CMapTool(int number) : m_nTool(number)
{
    EnsureProgramTools();
    Registry().push_back(this);
}

CMapTool::~CMapTool()
{
    auto& registry = Registry();
    registry.erase(std::remove(registry.begin(), registry.end(), this), registry.end());
    while (!m_pendingEdits.IsEmpty())
        delete m_pendingEdits.RemoveHead();
}

CMapTool* CMapTool::FindTool(int number)
{
    EnsureProgramTools();
    for (CMapTool* tool : Registry())
        if (tool->m_nTool == number)
            return tool;
    return nullptr;
}

bool CMapTool::NeedsActiveLayer(int number)
{
    // The drawing tools (Line to New Handle, Arc to Spline) and the editing tools
    // that build objects (Split, Join, Delete Line) add to the active layer.
    return (number >= TOOL_LINE && number <= TOOL_ADD_HANDLE) || (number >= 20 && number <= TOOL_SPLINE) ||
           (number >= 26 && number <= TOOL_LAST);
}

// ---------------------------------------------------------------- programmatic path
void CMapTool::FinishAt(CMUIMap*, int, int)
{
    g_toolState = 0;
}

void CMapTool::EndAt(CMUIMap*, int, int) {}

void CMapTool::BeginAt(CMUIMap*, int x, int y)
{
    g_downPoint = g_curPoint = CPoint(x, y);
}

void CMapTool::MoveTo(CMUIMap* map, int x, int y)
{
    UpdatePositionText(map, x, y, nullptr);
}

void CMapTool::AppendTrackPoint(CMUIMap* map, int x, int y, CMapPolyline* track)
{
    if (!map || !track)
        return;
    const CDoublePoint point = map->ScreenToMap(CPoint(x, y));
    track->AddDoublePoint(point.x, point.y);
    map->SetModified(1);
    g_downPoint = g_curPoint = CPoint(x, y);
}

void CMapTool::SelectDefaultTool()
{
    g_currentTool = TOOL_SELECT;
}

// ---------------------------------------------------------------- messages
void CMapTool::OnKeyUp(CMUIMap*, UINT key, UINT, UINT)
{
    if (key == VK_RETURN || (key >= VK_LEFT && key <= VK_DOWN) || key == VK_DELETE) {
        while (!m_pendingEdits.IsEmpty())
            delete m_pendingEdits.RemoveHead();
        m_pendingAction = 3;
    }
}

void CMapTool::OnChar(CMUIMap*, UINT, UINT, UINT) {}

void CMapTool::OnLButtonDown(CMUIMap* map, UINT, int x, int y)
{
    map->SetCapture();
    g_downPoint = g_curPoint = CPoint(x, y);
}

void CMapTool::OnLButtonDblClk(CMUIMap*, UINT, int, int) {}

void CMapTool::OnLButtonUp(CMUIMap*, UINT, int, int)
{
    ReleaseCapture();
}

void CMapTool::OnMouseMove(CMUIMap* map, UINT flags, int x, int y)
{
    const CPoint point = ConstrainHandleDrag(map, flags, CPoint(x, y));
    UpdatePositionText(map, point.x, point.y, nullptr);
}

// ---------------------------------------------------------------- helpers
void CMapTool::UpdatePositionText(CMUIMap* map, int x, int y, CMapObject*)
{
    g_curPoint = CPoint(x, y);
    g_lastToolWindow = map;
    CMapModel* model = map->GetMapModel();
    const CDoublePoint point = map->ScreenToMap(CPoint(x, y));
    const OGRSpatialReference* srs = model->GetSpatialReference();
    const CMapUnits& units = model->GetUnits();
    if (units.IsCoordUnitAngular() && srs && !srs->IsGeographic()) {
        map->SetStatusText("Position: n/a");
        return;
    }
    CString unit;
    const double factor = units.GetCoordUnit(unit, srs);
    const double scale = model->GetZoom() * factor;
    int decimals = 0;
    if (scale > 0)
        decimals = std::max(0, (int)std::floor(std::log10(1.0 / scale)));
    // The unit name is text, not format: it is passed as an argument.
    CString text;
    text.Format("%.*f%s,%.*f%s", decimals, point.x * factor, unit.GetString(), decimals, point.y * factor,
                unit.GetString());
    map->SetStatusText("Position: " + text);
}

void CMapTool::DrawXorLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int penStyle)
{
    CRopPenScope pen(dc, penStyle, colour, R2_NOTXORPEN);
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void CMapTool::DrawFocusRectXor(CDC* dc, int left, int top, int right, int bottom)
{
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    dc->DrawFocusRect(&rect);
}

void CMapTool::DrawXorEllipse(CDC* dc, const RECT& rect)
{
    CTrackingPenScope pen(dc);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    dc->Ellipse(&rect);
    dc->SelectObject(oldBrush);
}

CMapObject* CMapTool::CopyForUndo(CMapObject* object)
{
    CMapObject* copy = object->Clone(nullptr);
    copy->SetLayer(object->GetLayer());
    return copy;
}

void CMapTool::RecordEditsByLayer(CList<CMapObject*, CMapObject*>& objects, int action)
{
    // Layers in the order their first copy comes, copies in list order.
    std::vector<CMapObject*> copies;
    std::vector<CMapLayer*> layers;
    while (!objects.IsEmpty()) {
        CMapObject* copy = objects.RemoveHead();
        CMapLayer* layer = copy->GetLayer();
        if (!layer) {
            delete copy;
            continue;
        }
        copies.push_back(copy);
        if (std::find(layers.begin(), layers.end(), layer) == layers.end())
            layers.push_back(layer);
    }
    for (CMapLayer* layer : layers) {
        CList<CMapObject*, CMapObject*> entry;
        for (CMapObject* copy : copies)
            if (copy->GetLayer() == layer)
                entry.AddTail(copy);
        layer->RecordEdit(entry, action);
    }
}

void CMapTool::RecordObjectChange(CMapLayer* layer, CMapObject* copy, int action)
{
    if (!copy || action == 3)
        return;
    if (!layer) {
        delete copy;
        return;
    }
    CList<CMapObject*, CMapObject*> list;
    list.AddTail(copy);
    layer->RecordEdit(list, action);
}

CPoint CMapTool::ConstrainHandleDrag(CMUIMap* map, UINT flags, CPoint point)
{
    if ((flags & (MK_SHIFT | MK_LBUTTON)) != (MK_SHIFT | MK_LBUTTON))
        return point;
    CMapObject* object = map->GetSelectedObject();
    if (!object)
        return point;
    const int type = object->GetType();
    const int handle = object->GetActiveHandle();
    const double zoom = map->GetZoom();
    const double xOff = map->GetXOffset(), yOff = map->GetYOffset();
    const int height = map->GetViewHeight();
    if (type >= MAP_OBJECT_RECTANGLE && type <= MAP_OBJECT_ELLIPSE && handle >= 0 && handle % 2 == 0) {
        const CPoint fixed = object->GetHandlePoint((handle + 4) % 8).ToDevice(xOff, yOff, zoom, height);
        const int dx = point.x - fixed.x, dy = point.y - fixed.y;
        const int sign = (long long)dx * dy < 0 ? -1 : 1;
        if (std::abs(dy) < std::abs(dx))
            point.y = fixed.y + sign * dx;
        else
            point.x = fixed.x + sign * dy;
    } else if (type == MAP_OBJECT_LINE && handle >= 0) {
        // A line's handles are its ends: 0 the start, 1 the end.
        const CPoint fixed = object->GetHandlePoint(handle != 0 ? 0 : 1).ToDevice(xOff, yOff, zoom, height);
        if (std::abs(point.y - fixed.y) < std::abs(point.x - fixed.x))
            point.y = fixed.y;
        else
            point.x = fixed.x;
    }
    return point;
}
