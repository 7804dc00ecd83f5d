// The base object: style, owners, boundary and index entry, flags, attribute
// values, the area label and the default virtual operations. It draws only
// through CDC and knows no kind of object.
#include "model/layers/MapObject.h"

#include "model/layers/NodeHitIndex.h"

#include "core/Measure.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <ogr_spatialref.h>

#include <cmath>
#include <memory>

int g_DefaultViewHeight = 0;

namespace {
// Handles are drawn only this far from the device origin.
constexpr double kHandleReach = 1 << 30;
}

// Non-zero winding rule in double precision: map coordinates in degrees need
// every digit that a float vertex ring can give.
bool CMapObject::IsPointInRing(const CFloatPoint* ring, int count, double x, double y)
{
    if (!ring || count < 3)
        return false;
    int winding = 0;
    for (int i = 0; i < count; ++i) {
        const double ax = ring[i].x, ay = ring[i].y;
        const double bx = ring[(i + 1) % count].x, by = ring[(i + 1) % count].y;
        const double side = (bx - ax) * (y - ay) - (x - ax) * (by - ay);
        if (ay <= y) {
            if (by > y && side > 0)
                ++winding;
        } else if (by <= y && side < 0) {
            --winding;
        }
    }
    return winding != 0;
}

CMapObject::CMapObject() = default;

CMapLabel& CMapObject::AreaLabel()
{
    if (!m_pAreaLabel)
        m_pAreaLabel = std::make_unique<CMapLabel>();
    return *m_pAreaLabel;
}

CMapObject::~CMapObject() = default;

int CMapObject::GetType() const
{
    return IsTypeValid(m_nType) ? m_nType : MAP_OBJECT_INVALID;
}

// ---------------------------------------------------------------- style
CMapStyle* CMapObject::GetStyle() const
{
    const CMapObject* object = this;
    for (;;) {
        if (object->m_pLayer && object->m_pLayer->GetOverride())
            return object->m_pLayer->GetStyle();
        if (!object->m_pParent)
            return &object->m_Style;
        object = object->m_pParent;
    }
}

void CMapObject::SetStyle(CMapStyle style)
{
    if (m_Style.IsEqual(style))
        return;
    m_Style = style;
    m_Style.SetModified(true);
    NoteHitStateChange();
}

void CMapObject::SetUseLayerStyle(BOOL use)
{
    SetFlagBit(kUseLayerStyle, use);
    m_nAttributeDirty = 1;
}

void CMapObject::Deselect()
{
    m_dwFlags &= ~kSelected;
    m_nActiveHandle = -1;
}

// ---------------------------------------------------------------- owners
CMapModel* CMapObject::GetMap() const
{
    return m_pLayer ? m_pLayer->GetMap() : nullptr;
}

CMapStyle* CMapObject::GetMapStyle() const
{
    CMapModel* map = GetMap();
    return map ? map->GetDefaultStyle() : nullptr;
}

void CMapObject::CreateMapPen(CPen& pen) const
{
    if (CMapStyle* style = GetMapStyle())
        style->CreatePen(pen);
}

void CMapObject::CreateMapBrush(CBrush& brush) const
{
    if (CMapStyle* style = GetMapStyle())
        style->CreateBrush(brush);
}

BOOL CMapObject::IsLayerEditable() const
{
    return m_pLayer && m_pLayer->IsEditable();
}

CString CMapObject::GetLabelText() const
{
    return m_Label.GetText();
}

void CMapObject::SetLabelFontBlock(const MapLabelFontBlock& block)
{
    m_Label.SetFontBlock(block);
}

int CMapObject::GetViewHeight() const
{
    CMapModel* map = GetMap();
    return map ? map->GetViewHeight() : g_DefaultViewHeight;
}

CDoublePoint CMapObject::DeviceToMap(int x, int y, double originX, double originY, double zoom) const
{
    return CDoublePoint(x * zoom + originX, (GetViewHeight() - y) * zoom + originY);
}

OGRSpatialReference* CMapObject::MeasureReference(OGRSpatialReference* srs) const
{
    if (srs)
        return srs;
    CMapModel* map = GetMap();
    return map ? map->GetSpatialReference() : nullptr;
}

void CMapObject::CommitGeometryMove(const CDoubleRect& boundary)
{
    m_dwFlags |= kIndexStale | kGeometryModified;
    SetBoundary(boundary);
    SaveChanges();
}

void CMapObject::ChangeTracked(CDC* pDC, double* originX, double* originY, double* zoom,
                               const std::function<void()>& change)
{
    RECT client{0, 0, 0, 0};
    pDC->GetClipBox(&client);
    DrawTracking(pDC, &client, originX, originY, zoom);
    change();
    DrawTracking(pDC, &client, originX, originY, zoom);
}

void CMapObject::ReplaceLabel(const CMapLabel& label)
{
    m_Label.TakeContent(label);
}

// ---------------------------------------------------------------- boundary
void CMapObject::MoveIndexEntry(const CDoubleRect& from, const CDoubleRect& to)
{
    if (m_pLayer && m_nMapeID != -1) {
        // The entry may lie under another rectangle than `from` (a stored
        // boundary that disagreed with the vertices): it is found by id then,
        // so that the object never holds two entries.
        m_pLayer->IndexRemove(m_nMapeID, from, true);
        m_pLayer->IndexInsert(m_nMapeID, to);
    }
}

bool CMapObject::MoveBoundaryTo(const CDoubleRect& moved)
{
    const CDoubleRect old = m_rcBoundary;
    if (moved == old)
        return false;
    m_rcPrevBoundary = old;
    m_rcBoundary = moved;
    NoteHitStateChange();
    MoveIndexEntry(old, moved);
    m_dwFlags |= kBoundaryModified;
    return true;
}

void CMapObject::SetBoundary(const CDoubleRect& rect)
{
    const bool differs = rect != m_rcBoundary;
    if (IsIndexStale() && m_nMapeID != -1 && differs) {
        MoveIndexEntry(m_rcBoundary, rect);
        m_dwFlags &= ~kIndexStale;
        m_dwFlags |= kBoundaryModified;
    }
    if (differs) {
        m_rcPrevBoundary = m_rcBoundary;
        m_rcBoundary = rect;
        NoteHitStateChange();
    }
}

void CMapObject::ExtendBoundary(const CDoubleRect& rect)
{
    m_rcBoundary.Union(rect);
    NoteHitStateChange();
}

void CMapObject::ExtendBoundaryByDoublePoint(const CDoublePoint& pt)
{
    m_rcBoundary.UnionDoublePoint(pt);
    NoteHitStateChange();
}

void CMapObject::ExtendBoundaryByPoint(const CFloatPoint& pt)
{
    CDoubleRect rect(m_rcBoundary);
    SetBoundary(rect.UnionPoint(pt));
}

void CMapObject::NoteHitStateChange() const
{
    // Only nodes are found through an index of what they were (NodeHitIndex.h).
    if (m_nType == MAP_OBJECT_NODE)
        NoteNodeHitChange();
}

// ---------------------------------------------------------------- flags
void CMapObject::SetCacheFlag(BOOL set)
{
    SetFlagBit(kCacheFlag, set);
}

void CMapObject::MarkRings(BOOL set)
{
    switch (GetType()) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 7: case 9: case 12:
        return;
    default:
        SetFlagBit(kRingFlag, set);
    }
}

void CMapObject::ShiftDevicePoints(int, int) {}

const CMapObject* CMapObject::StoredAncestor() const
{
    const CMapObject* object = this;
    while (object->m_nMapeID == -1 && object->m_pParent)
        object = object->m_pParent;
    return object;
}

BOOL CMapObject::IsGeometryLoaded() const
{
    return (StoredAncestor()->m_dwFlags & kGeometryLoaded) != 0;
}

BOOL CMapObject::IsGeometryBorrowed() const
{
    return (StoredAncestor()->m_dwFlags & kGeometryBorrowed) != 0;
}

// ---------------------------------------------------------------- attributes
CString CMapObject::GetAttributeText(int index) const
{
    if (index < 0 || index >= GetAttributeCount())
        return CString();
    return m_Attributes.GetAt(m_Attributes.FindIndex(index)).GetValueText();
}

void CMapObject::SetAttributeText(int index, const CString& text)
{
    if (index < 0 || index >= GetAttributeCount())
        return;
    m_Attributes.GetAt(m_Attributes.FindIndex(index)).SetValueText(text);
    m_dwFlags |= kAttributesModified;
}

CMapFieldValue* CMapObject::FindAttribute(const CString& name)
{
    for (POSITION pos = m_Attributes.GetHeadPosition(); pos;) {
        CMapFieldValue& value = m_Attributes.GetNext(pos);
        if (value.GetField().GetName() == name)
            return &value;
    }
    return nullptr;
}

void CMapObject::SetAttributeByName(const CString& name, const CString& text)
{
    if (CMapFieldValue* value = FindAttribute(name)) {
        value->SetValueText(text);
        m_dwFlags |= kAttributesModified;
    }
}

void CMapObject::RemoveAttributeAt(int index)
{
    if (index >= 0 && index < GetAttributeCount())
        m_Attributes.RemoveAt(m_Attributes.FindIndex(index));
}

// ---------------------------------------------------------------- area label
void CMapObject::SetAreaLabelFont(const MapLabelFontBlock& block)
{
    AreaLabel().SetFontBlock(block);
}

void CMapObject::SetAreaLabelText(const CString& text)
{
    AreaLabel().SetText(text);
}

void CMapObject::PlaceAreaLabel()
{
    const CDoubleRect& b = m_rcBoundary;
    AreaLabel().SetAnchor(CFloatPoint(b.left + b.Width() / 4, b.bottom + b.Height() / 2));
}

void CMapObject::DrawAreaLabel(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    AreaLabel().Draw(pDC, *client, originX, originY, zoom);
}

// ---------------------------------------------------------------- virtual operations
BOOL CMapObject::IsNearPoint(CFloatPoint*, double*)
{
    return FALSE;
}

void CMapObject::GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>&) {}

BOOL CMapObject::IsWithinDeviceCircle(CPoint centre, double radius)
{
    CMapModel* map = GetMap();
    if (!map)
        return FALSE;
    const int height = GetViewHeight();
    const CFloatPoint corners[4] = {m_rcBoundary.GetBottomLeft(), m_rcBoundary.GetBottomRight(),
                                    m_rcBoundary.GetTopRight(), m_rcBoundary.GetTopLeft()};
    const double limit = radius * radius;
    for (const CFloatPoint& corner : corners) {
        const CPoint p = CDoublePoint(corner.x, corner.y)
                             .ToDevice(map->GetXOffset(), map->GetYOffset(), map->GetZoom(), height);
        if ((double)SquaredDeviceDistance(p, centre) > limit)
            return FALSE;
    }
    return TRUE;
}

BOOL CMapObject::IsWithinCircle(CFloatPoint* centre, double* radius)
{
    const double corners[4][2] = {{m_rcBoundary.left, m_rcBoundary.bottom},
                                  {m_rcBoundary.right, m_rcBoundary.bottom},
                                  {m_rcBoundary.right, m_rcBoundary.top},
                                  {m_rcBoundary.left, m_rcBoundary.top}};
    const double limit = *radius * *radius;
    for (const auto& c : corners) {
        const double dx = c[0] - centre->x, dy = c[1] - centre->y;
        if (dx * dx + dy * dy > limit)
            return FALSE;
    }
    return TRUE;
}

BOOL CMapObject::GetPointAtDistance(double, double*, double*)
{
    return TRUE;
}

void CMapObject::ReverseDirection(bool) {}

double CMapObject::GetDistance(CFloatPoint)
{
    return 0.0;
}

BOOL CMapObject::IsSameObject(CMapObject* other)
{
    return other && m_pLayer == other->m_pLayer && m_nMapeID == other->m_nMapeID &&
           GetStyle()->IsEqual(*other->GetStyle()) && m_rcBoundary == other->m_rcBoundary;
}

int CMapObject::CompareObject(CMapObject* other)
{
    if (m_pLayer != other->m_pLayer || m_nMapeID != other->m_nMapeID)
        return 1;
    if (!GetStyle()->IsEqual(*other->GetStyle()))
        return 2;
    if (m_rcBoundary != other->m_rcBoundary)
        return 3;
    return 0;
}

int CMapObject::InsertVertex(int, int, double*, double*, double*)
{
    return 0;
}

void CMapObject::CreateStylePen(CPen& pen)
{
    m_Style.CreatePen(pen);
}

void CMapObject::Draw(CDC* pDC, const RECT*, double*, double*, double*)
{
    pDC->GetMapMode();
}

CDoubleRect CMapObject::GetBoundary()
{
    return m_rcBoundary;
}

void CMapObject::SetLayer(CMapLayer* layer)
{
    m_pLayer = layer;
    NoteHitStateChange();
}

BOOL CMapObject::ContainsXY(double* x, double* y)
{
    return m_rcBoundary.left - kEpsilon <= *x && *x <= m_rcBoundary.right + kEpsilon &&
           m_rcBoundary.bottom - kEpsilon <= *y && *y <= m_rcBoundary.top + kEpsilon;
}

BOOL CMapObject::ContainsPoint(CDoublePoint* pt)
{
    return m_rcBoundary.ContainsPoint(*pt);
}

void CMapObject::DrawLabel(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    m_Label.Draw(pDC, *client, originX, originY, zoom);
}

void CMapObject::DrawSelected(CDC*, const RECT*, double*, double*, double*) {}

CRect CMapObject::GetDeviceRect(double* originX, double* originY, double* zoom)
{
    return m_rcBoundary.ToDeviceRect(*originX, *originY, *zoom, GetViewHeight());
}

BOOL CMapObject::HitTest(int x, int y, double* originX, double* originY, double* zoom)
{
    return GetDeviceBoundary(originX, originY, zoom).ContainsPoint(CDoublePoint(x, y));
}

void CMapObject::DrawHandles(CDC* pDC, const RECT*, double* originX, double* originY, double* zoom)
{
    const int height = GetViewHeight();
    const int count = GetHandleCount();
    for (int i = 0; i < count; ++i) {
        const CFloatPoint h = GetHandlePoint(i);
        const CDoublePoint d = MapToDeviceXY(h.x, h.y, *originX, *originY, *zoom, height);
        // A handle that far off the view cannot be seen, and its square would
        // not fit in int coordinates.
        if (!(std::fabs(d.x) <= kHandleReach && std::fabs(d.y) <= kHandleReach))
            continue;
        const int x = (int)d.x, y = (int)d.y;
        pDC->PatBlt(x - 3, y - 3, 7, 7, DSTINVERT);
        if (i == m_nActiveHandle)
            pDC->PatBlt(x - 2, y - 2, 5, 5, DSTINVERT);
    }
}

void CMapObject::UpdateLayerBounds()
{
    if (!m_pLayer)
        return;
    CDoubleRect bounds = m_pLayer->GetBounds();
    if (!m_rcPrevBoundary.IsNull() && !bounds.ContainsRect(m_rcPrevBoundary))
        m_pLayer->RecalcBounds();
    else
        m_pLayer->SetBounds(bounds.Union(m_rcBoundary));
}

void CMapObject::CopyInto(CMapObject* clone, const CMapStyle& style) const
{
    clone->m_nType = m_nType;
    clone->m_dwFlags = m_dwFlags;
    for (POSITION pos = m_Attributes.GetHeadPosition(); pos;)
        clone->m_Attributes.AddTail(m_Attributes.GetNext(pos));
    clone->ReplaceLabel(m_Label);
    clone->SetStyle(style);
    clone->m_rcBoundary = m_rcBoundary;
    clone->NoteHitStateChange();
}

CMapObject* CMapObject::PlaceClone(CMapObject* clone, CMapLayer* target) const
{
    if (!target) {
        clone->m_nMapeID = m_nMapeID;
        return clone;
    }
    // A clone stored in a layer is a new object: it never takes the source's id.
    clone->m_nMapeID = -1;
    try {
        target->AddObject(clone, FALSE);
    } catch (...) {
        delete clone;
        throw;
    }
    return clone;
}

CMapObject* CMapObject::Clone(CMapLayer* target)
{
    CMapObject* clone = new CMapObject;
    // The values go along before the clone is stored, so that its new row holds them.
    CopyInto(clone, m_Style);
    PlaceClone(clone, target);
    if (m_Attributes.IsEmpty() && clone->m_pLayer)
        clone->LoadAttributes();
    return clone;
}

int CMapObject::GetHandleCount()
{
    return 8;
}

CFloatPoint CMapObject::GetHandlePoint(int index)
{
    const CDoubleRect& b = m_rcBoundary;
    const double midX = b.left + b.Width() * 0.5;
    const double midY = b.bottom + (b.top - b.bottom) * 0.5;
    switch (((index % 8) + 8) % 8) {
    case 0: return CFloatPoint(b.left, b.bottom);
    case 1: return CFloatPoint(midX, b.bottom);
    case 2: return CFloatPoint(b.right, b.bottom);
    case 3: return CFloatPoint(b.right, midY);
    case 4: return CFloatPoint(b.right, b.top);
    case 5: return CFloatPoint(midX, b.top);
    case 6: return CFloatPoint(b.left, b.top);
    default: return CFloatPoint(b.left, midY);
    }
}

int CMapObject::HitTestHandle(int x, int y, double* originX, double* originY, double* zoom)
{
    const CDoubleRect d = GetDeviceBoundary(originX, originY, zoom);
    if (x < d.left - 4 || x > d.right + 4 || y < d.bottom - 4 || y > d.top + 4)
        return -1;
    const int height = GetViewHeight();
    const int count = GetHandleCount();
    for (int i = 0; i < count; ++i) {
        const CFloatPoint h = GetHandlePoint(i);
        // In doubles: the square of a far handle would overflow int edges.
        const CDoublePoint p = MapToDeviceXY(h.x, h.y, *originX, *originY, *zoom, height);
        if (x >= p.x - 3 && x < p.x + 3 && y >= p.y - 3 && y < p.y + 3)
            return i;
    }
    return -1;
}

int CMapObject::SetActiveHandle(int index)
{
    const int count = GetHandleCount();
    if (index >= 0 && index < count) {
        m_nActiveHandle = index;
        return count;
    }
    m_nActiveHandle = -1;
    return -1;
}

void CMapObject::MoveBy(int dx, int dy, double* zoom)
{
    CDoubleRect moved = m_rcBoundary;
    moved.Offset(dx * *zoom, -dy * *zoom);
    if (!MoveBoundaryTo(moved))
        return;
    SaveChanges();
    UpdateLayerBounds();
}

void CMapObject::MoveHandle(CDC*, int handle, int x, int y, double* originX, double* originY, double* zoom)
{
    CRect d = GetDeviceRect(originX, originY, zoom);   // top is the device y of the bottom edge
    switch (handle) {
    case 0: d.left = x, d.top = y; break;
    case 1: d.top = y; break;
    case 2: d.right = x, d.top = y; break;
    case 3: d.right = x; break;
    case 4: d.right = x, d.bottom = y; break;
    case 5: d.bottom = y; break;
    case 6: d.left = x, d.bottom = y; break;
    case 7: d.left = x; break;
    default: return;
    }
    const int height = GetViewHeight();
    CDoubleRect moved;
    moved.left = d.left * *zoom + *originX;
    moved.right = d.right * *zoom + *originX;
    moved.bottom = (height - d.top) * *zoom + *originY;
    moved.top = (height - d.bottom) * *zoom + *originY;
    if (!MoveBoundaryTo(moved))
        return;
    UpdateLayerBounds();
}

int CMapObject::Transform(OGRCoordinateTransformation*)
{
    UpdateLayerBounds();
    return 1;
}

int CMapObject::LinearToAngular(double*, double*, int)
{
    UpdateLayerBounds();
    return 1;
}

int CMapObject::AngularToLinear(double*, double*)
{
    UpdateLayerBounds();
    return 1;
}

int CMapObject::Scale(double*)
{
    UpdateLayerBounds();
    return 1;
}

void CMapObject::RefreshDevicePoints() {}

void CMapObject::CheckDeviceZoom(double*) {}

BOOL CMapObject::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    const double corners[4][2] = {{m_rcBoundary.left, m_rcBoundary.bottom},
                                  {m_rcBoundary.right, m_rcBoundary.bottom},
                                  {m_rcBoundary.right, m_rcBoundary.top},
                                  {m_rcBoundary.left, m_rcBoundary.top}};
    for (const auto& c : corners) {
        if (!IsPointInRing(ring, count, c[0], c[1]))
            return FALSE;
    }
    return TRUE;
}

void CMapObject::DetachGeometry() {}

int CMapObject::AttachGeometry()
{
    return 0;
}

void CMapObject::UnloadGeometry() {}

void CMapObject::LoadGeometry() {}

void CMapObject::AdjustDeviceHeight(int) {}

CDoubleRect CMapObject::GetDeviceBoundary(double* originX, double* originY, double* zoom)
{
    CDoubleRect d = m_rcBoundary.ToDeviceFloatRect(*originX, *originY, *zoom, GetViewHeight());
    d.Normalize();
    return d;
}

int CMapObject::GetPointCount()
{
    switch (GetType()) {
    case MAP_OBJECT_RECTANGLE: return 4;
    case MAP_OBJECT_LINE: return 2;
    default: return 0;
    }
}

CFloatPoint CMapObject::GetLabelPoint()
{
    return m_rcBoundary.GetCentre();
}

BOOL CMapObject::HitTestDeviceRect(int x, int y, double* originX, double* originY, double* zoom, CFloatPoint*,
                                   int margin)
{
    // The device rectangle's top is the larger y: normalised, or no point would
    // ever lie in it.
    CRect r = m_rcBoundary.ToDeviceRect(*originX, *originY, *zoom, GetViewHeight());
    r.NormalizeRect();
    r.InflateRect(margin, margin);
    return r.PtInRect(CPoint(x, y));
}

double CMapObject::GetLength(OGRSpatialReference*)
{
    return 0.0;
}

double CMapObject::GetArea(OGRSpatialReference*)
{
    return 0.0;
}

// The object measured as a copy transformed into the map's geographic system;
// `*mode` is left as it is when anything fails.
static double MeasureGeographicCopy(CMapObject* object, bool length, int* mode)
{
    CMapModel* map = object->GetMap();
    OGRSpatialReference* srs = map ? map->GetSpatialReference() : nullptr;
    OGRSpatialReference* geographic = map ? map->GetGeographicReference() : nullptr;
    const auto fallback = [&] { return length ? object->GetLength(nullptr) : object->GetArea(nullptr); };
    if (!srs || !geographic)
        return fallback();
    std::unique_ptr<CMapObject> copy(object->CreateMeasuringCopy());
    std::unique_ptr<OGRCoordinateTransformation> ct(OGRCreateCoordinateTransformation(srs, geographic));
    if (!copy || !ct || !copy->Transform(ct.get()))
        return fallback();
    *mode = 1;
    return length ? copy->GetLength(geographic) : copy->GetArea(geographic);
}

// A length or area by the map's system: geographic systems measure on the
// sphere as they are; a projected one has lengths (not areas) measured on a
// geographic copy, and any other system has areas (not lengths) measured so.
static double MeasureByMapSystem(CMapObject* object, bool length, int* mode)
{
    const auto plain = [&] { return length ? object->GetLength(nullptr) : object->GetArea(nullptr); };
    if (!*mode)
        return plain();
    CMapModel* map = object->GetMap();
    OGRSpatialReference* srs = map ? map->GetSpatialReference() : nullptr;
    if (!srs)
        return plain();
    if (srs->IsGeographic()) {
        *mode = 1;
        return plain();
    }
    if ((srs->IsProjected() != 0) == length)
        return MeasureGeographicCopy(object, length, mode);
    *mode = 0;
    return plain();
}

CMapObject* CMapObject::CreateMeasuringCopy()
{
    return Clone(nullptr);
}

double CMapObject::MeasureLength(int* mode)
{
    return MeasureByMapSystem(this, true, mode);
}

double CMapObject::MeasureArea(int* mode)
{
    return MeasureByMapSystem(this, false, mode);
}

void CMapObject::DrawTracking(CDC*, const RECT*, double*, double*, double*) {}
