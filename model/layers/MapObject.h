// The base class of every vector map object: type code, boundary, style, label,
// attribute values, owning layer, parent object, row id and flags, the common
// operations (selection, the eight handles of the boundary, moving, cloning,
// measuring, the area label) and the virtual operations through which layers,
// the map, the map window and the tools handle objects of any kind.
//
// View arguments are the map x and y of the view origin and the zoom (map units
// per pixel), passed as pointers to doubles; device transforms always use
// GetViewHeight.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/Collections.h"

#include "core/DoublePoint.h"
#include "core/DoubleRect.h"
#include "core/FloatPoint.h"
#include "core/MapFieldValue.h"
#include "core/MapLabel.h"
#include "core/MapStyle.h"
#include "core/ObjectTypes.h"

#include <functional>
#include <memory>
#include <vector>

class CDC;
class CPen;
class CBrush;
class CMapLayer;
class CMapModel;
class CSQLiteStatement;
class OGRSpatialReference;
class OGRCoordinateTransformation;

// The client height recorded by the last paint of a map window; objects without
// a map transform with it (see CMapObject::GetViewHeight). The value lives here,
// below the map window, which fills it in: the objects never reach up to it.
extern int g_DefaultViewHeight;

class CMapObject {
public:
    // Flags word.
    static constexpr DWORD kSelected = 1u << 31;
    static constexpr DWORD kDevicePointsStale = 1u << 30;
    static constexpr DWORD kCacheFlag = 1u << 29;
    // On a part of a multi-part polygon: a hole; on a text: the boundary is
    // recomputed at the next draw.
    static constexpr DWORD kRingFlag = 1u << 28;
    static constexpr DWORD kGeometryLoaded = 1u << 27;
    // The next boundary change moves the spatial-index entry.
    static constexpr DWORD kIndexStale = 1u << 26;
    static constexpr DWORD kBoundaryModified = 1u << 25;
    static constexpr DWORD kAttributesModified = 1u << 24;
    static constexpr DWORD kGeometryModified = 1u << 22;
    static constexpr DWORD kGeometryBorrowed = 1u << 21;
    // Stored as mapeAttribute 0x100000.
    static constexpr DWORD kUseLayerStyle = 1u << 20;

    // Slack of the containment and hit tests: one float epsilon.
    static constexpr double kEpsilon = 1.1920929e-7;

    CMapObject();
    CMapObject(const CMapObject&) = delete;
    CMapObject& operator=(const CMapObject&) = delete;

    // ---- type
    // The type code when it lies in 0 to 16, else 100.
    int GetType() const;
    static BOOL IsTypeValid(int code) { return IsObjectTypeValid(code); }
    // A CString, as the program's string helpers return text.
    static CString GetTypeName(int code) { return GetObjectTypeName(code); }

    // ---- style
    // The style the object is drawn with: the layer's when the layer overrides
    // object styles, else the parent's (parts use the style of their whole),
    // else the object's own.
    CMapStyle* GetStyle() const;
    CMapStyle* GetOwnStyle() const { return &m_Style; }
    // Copies `style` into the own style and marks it modified when they differ.
    void SetStyle(CMapStyle style);
    BOOL UsesLayerStyle() const { return (m_dwFlags & kUseLayerStyle) != 0; }
    void SetUseLayerStyle(BOOL use);
    // What the mapeProperty column stores, written into `record` (resized to
    // it); false for NULL. Here the style record, or NULL for an object that
    // uses its layer's style. A kind with a property record of its own (text,
    // image) writes that instead. The buffer is the caller's to reuse.
    virtual bool WritePropertyColumn(std::vector<BYTE>& record) const;
    // The same as a new array; empty for NULL.
    std::vector<BYTE> GetPropertyColumn() const;

    // ---- selection
    void Select() { m_dwFlags |= kSelected; }
    // Also on every part or inner ring of the kinds made of parts.
    virtual void Deselect();
    BOOL IsSelected() const { return (m_dwFlags & kSelected) != 0; }
    int GetActiveHandle() const { return m_nActiveHandle; }

    // ---- owners
    CMapLayer* GetLayer() const { return m_pLayer; }
    CMapModel* GetMap() const;
    CMapStyle* GetMapStyle() const;
    void CreateMapPen(CPen& pen) const;
    void CreateMapBrush(CBrush& brush) const;
    BOOL IsLayerEditable() const;
    void SetParent(CMapObject* parent)
    {
        m_pParent = parent;
        NoteHitStateChange();
    }
    CMapObject* GetParent() const { return m_pParent; }
    void SetMapeID(int id)
    {
        m_nMapeID = id;
        NoteHitStateChange();
    }
    int GetMapeID() const { return m_nMapeID; }

    // ---- label
    CMapLabel* GetLabel() const { return &m_Label; }
    CString GetLabelText() const;
    void SetLabelFontBlock(const MapLabelFontBlock& block);

    // The client height used by every device transform of this object: the one
    // the owning map recorded at its last drawing, else g_DefaultViewHeight.
    int GetViewHeight() const;

    // ---- boundary
    // Moves the spatial-index entry when the index is marked stale; then, when
    // the rectangle differs, the previous boundary takes the current one.
    void SetBoundary(const CDoubleRect& rect);
    // Tells the indexes of nodes (NodeHitIndex.h) that this object's position,
    // id, owners or style changed, when it is a node.
    void NoteHitStateChange() const;
    const CDoubleRect& GetPrevBoundary() const { return m_rcPrevBoundary; }
    void SetPrevBoundary(const CDoubleRect& rect) { m_rcPrevBoundary = rect; }
    // Union with the rectangle or point, without flags or index.
    void ExtendBoundary(const CDoubleRect& rect);
    void ExtendBoundaryByDoublePoint(const CDoublePoint& pt);
    // The same through SetBoundary.
    void ExtendBoundaryByPoint(const CFloatPoint& pt);

    // ---- flags
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD flags) { m_dwFlags = flags; }
    void InvalidateDevicePoints() { m_dwFlags |= kDevicePointsStale; }
    void ValidateDevicePoints() { m_dwFlags &= ~kDevicePointsStale; }
    BOOL AreDevicePointsStale() const { return (m_dwFlags & kDevicePointsStale) != 0; }
    // On this object and, for the multi-part kinds, on each part or ring.
    virtual void SetCacheFlag(BOOL set);
    void SetRingFlag(BOOL set) { SetFlagBit(kRingFlag, set); }
    BOOL GetRingFlag() const { return (m_dwFlags & kRingFlag) != 0; }
    // Types 0 to 5, 7, 9 and 12 are left unchanged; a polypolygon also marks its parts.
    virtual void MarkRings(BOOL set);
    // After the view scrolled by whole pixels: the kinds that cache device
    // points (and those made of such parts) move them instead of rebuilding
    // them; the others have nothing to move.
    virtual void ShiftDevicePoints(int dx, int dy);
    void SetGeometryLoaded() { m_dwFlags |= kGeometryLoaded; }
    void ClearGeometryLoaded() { m_dwFlags &= ~kGeometryLoaded; }
    // Both answer for the first object up the parents that is stored.
    BOOL IsGeometryLoaded() const;
    BOOL IsGeometryBorrowed() const;
    void SetGeometryBorrowed(BOOL set) { SetFlagBit(kGeometryBorrowed, set); }
    void SetIndexStale(BOOL set = TRUE) { SetFlagBit(kIndexStale, set); }
    BOOL IsIndexStale() const { return (m_dwFlags & kIndexStale) != 0; }
    void SetBoundaryModified(BOOL set = TRUE) { SetFlagBit(kBoundaryModified, set); }
    BOOL IsBoundaryModified() const { return (m_dwFlags & kBoundaryModified) != 0; }
    void SetAttributesModified(BOOL set = TRUE) { SetFlagBit(kAttributesModified, set); }
    BOOL IsAttributesModified() const { return (m_dwFlags & kAttributesModified) != 0; }
    void SetGeometryModified(BOOL set = TRUE) { SetFlagBit(kGeometryModified, set); }
    BOOL IsGeometryModified() const { return (m_dwFlags & kGeometryModified) != 0; }

    // ---- attribute values, one per field of the layer, in field order
    POSITION GetFirstAttributePosition() const { return m_Attributes.GetHeadPosition(); }
    CMapFieldValue GetNextAttribute(POSITION& pos) const { return m_Attributes.GetNext(pos); }
    int GetAttributeCount() const { return (int)m_Attributes.GetCount(); }
    // Empty for an index outside the values.
    CString GetAttributeText(int index) const;
    // Sets the value and marks the attributes modified; nothing out of range.
    void SetAttributeText(int index, const CString& text);
    // The first value whose field name equals `name` (case-sensitive), or null.
    CMapFieldValue* FindAttribute(const CString& name);
    void SetAttributeByName(const CString& name, const CString& text);
    void AddAttribute(const CMapFieldValue& value) { m_Attributes.AddTail(value); }
    void RemoveAttributeAt(int index);
    void RemoveAllAttributes() { m_Attributes.RemoveAll(); }
    // Reads the values of this object's _MapMetaData row.
    void LoadAttributes();

    // ---- area label (never stored)
    void SetAreaLabelFont(const MapLabelFontBlock& block);
    void SetAreaLabelText(const CString& text);
    // Anchor at (left + width / 4, bottom + height / 2) of the boundary.
    void PlaceAreaLabel();
    void DrawAreaLabel(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);

    // ---- virtual operations
    virtual BOOL IsNearPoint(CFloatPoint* pt, double* tolerance);
    virtual void GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points);
    virtual BOOL IsWithinDeviceCircle(CPoint centre, double radius);
    virtual BOOL IsWithinCircle(CFloatPoint* centre, double* radius);
    virtual BOOL GetPointAtDistance(double d, double* x, double* y);
    virtual void ReverseDirection(bool reverse);
    virtual double GetDistance(CFloatPoint pt);
    virtual BOOL IsSameObject(CMapObject* other);
    // 1 layer or id differ, 2 style differs, 3 boundary differs, 0 the same.
    virtual int CompareObject(CMapObject* other);
    virtual int InsertVertex(int x, int y, double* originX, double* originY, double* zoom);
    virtual void CreateStylePen(CPen& pen);
    virtual void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    virtual CDoubleRect GetBoundary();
    virtual void SetLayer(CMapLayer* layer);
    virtual BOOL ContainsXY(double* x, double* y);
    virtual BOOL ContainsPoint(CDoublePoint* pt);
    // Whether a map point lies inside: the polygon classes test their rings, others their boundary.
    BOOL IsPointInside(const CFloatPoint& pt)
    {
        double x = pt.x, y = pt.y;
        return ContainsXY(&x, &y);
    }
    virtual void DrawLabel(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    virtual void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    virtual CRect GetDeviceRect(double* originX, double* originY, double* zoom);
    virtual BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom);
    virtual void DrawHandles(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);
    virtual ~CMapObject();
    virtual void UpdateLayerBounds();
    virtual CMapObject* Clone(CMapLayer* target);
    virtual int GetHandleCount();
    virtual CFloatPoint GetHandlePoint(int index);
    virtual int HitTestHandle(int x, int y, double* originX, double* originY, double* zoom);
    virtual int SetActiveHandle(int index);
    // dx, dy in pixels; device y grows downwards.
    virtual void MoveBy(int dx, int dy, double* zoom);
    virtual void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom);
    virtual int Transform(OGRCoordinateTransformation* ct);
    virtual int LinearToAngular(double* a, double* b, int reserved);
    virtual int AngularToLinear(double* a, double* b);
    virtual int Scale(double* factor);
    virtual void RefreshDevicePoints();
    virtual void CheckDeviceZoom(double* zoom);
    virtual BOOL IsInsidePolygon(const CFloatPoint* ring, int count);
    // Writes the changed columns of the object's row (model/MapObjectStorage.cpp).
    virtual void SaveChanges();
    virtual void DetachGeometry();
    virtual int AttachGeometry();
    virtual void UnloadGeometry();
    virtual void LoadGeometry();
    // Fills the object from the current row of a layer query.
    virtual void LoadFromRow(CSQLiteStatement* stmt);
    virtual void AdjustDeviceHeight(int newHeight);
    virtual CDoubleRect GetDeviceBoundary(double* originX, double* originY, double* zoom);
    virtual int GetPointCount();
    virtual CFloatPoint GetLabelPoint();
    virtual BOOL HitTestDeviceRect(int x, int y, double* originX, double* originY, double* zoom,
                                   CFloatPoint* corner, int margin);
    virtual double GetLength(OGRSpatialReference* srs);
    virtual double GetArea(OGRSpatialReference* srs);
    // *mode non-zero asks for measuring on the sphere; on return 1 when the
    // value was measured on the sphere, 0 in map units.
    // What a measure on the sphere transforms into the map's geographic system:
    // here a clone outside any layer. The caller owns it.
    virtual CMapObject* CreateMeasuringCopy();
    virtual double MeasureLength(int* mode);
    virtual double MeasureArea(int* mode);
    virtual void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom);

    // ---- the kind's own columns of its row; each kind answers for its record
    // Takes the mapeProperty column read by LoadFromRow: here a style record,
    // the layer's style for NULL, and nothing from a record too short for a
    // style; a kind with a record of its own reads that.
    virtual void ReadPropertyColumn(const void* data, int size);
    // Binds, as parameter `index` of the insert of a new row, what the kind
    // stores in mapeGeoData. Here nothing (NULL): rectangles, rounded rectangles
    // and ellipses store no geometry, it is their boundary.
    virtual void BindGeometryColumn(CSQLiteStatement& stmt, int index) const;

protected:
    // In a layer with a database and with the geometry marked modified: writes
    // the mapeGeoData column from what `bind` binds to parameter 0, then clears
    // the mark. A failing write throws and keeps the mark, so the next save retries.
    void SaveGeometryColumn(const std::function<void(CSQLiteStatement&)>& bind);

    void SetFlagBit(DWORD bit, BOOL set)
    {
        if (set)
            m_dwFlags |= bit;
        else
            m_dwFlags &= ~bit;
    }
    // This object, or the first one up the parents that is stored (has an id).
    const CMapObject* StoredAncestor() const;
    // The map point under device point (x, y) of a view: (x * zoom + origin x,
    // (view height - y) * zoom + origin y).
    CDoublePoint DeviceToMap(int x, int y, double originX, double originY, double zoom) const;
    // The reference a length or area is measured in: `srs`, or the map's system
    // when it is null (null again without a map or system: planar).
    OGRSpatialReference* MeasureReference(OGRSpatialReference* srs) const;
    // The shift of a MoveBy in map units: device y grows downwards, map y upwards.
    static CDoublePoint MoveOffset(int dx, int dy, double scale) { return CDoublePoint(dx * scale, -dy * scale); }
    // Ends a move of the geometry: the index entry follows `boundary`, which
    // the object takes, and the geometry is marked modified and saved.
    void CommitGeometryMove(const CDoubleRect& boundary);
    // Runs `change` between erasing the rubber band of the shape as it was and
    // drawing the one of the shape as it is, over all the device context shows.
    void ChangeTracked(CDC* pDC, double* originX, double* originY, double* zoom, const std::function<void()>& change);
    // Non-zero winding test of a point in double precision against a float ring.
    static bool IsPointInRing(const CFloatPoint* ring, int count, double x, double y);
    // Moves the spatial-index entry of a stored object from `from` to `to`.
    void MoveIndexEntry(const CDoubleRect& from, const CDoubleRect& to);
    // A boundary moved or resized by the user: the old one becomes the previous
    // boundary, the index entry follows and the boundary is marked modified.
    // False, with nothing changed, when `moved` is the current boundary.
    bool MoveBoundaryTo(const CDoubleRect& moved);
    // The copy steps that Clone shares with the subclasses: type, flags,
    // attribute values, a copy of the label, `style` (through SetStyle) and the
    // boundary.
    void CopyInto(CMapObject* clone, const CMapStyle& style) const;
    // The last step of a kind's Clone: the clone is stored into `target` (with
    // an id of its own there) or, without one, is a free copy that keeps this
    // object's id. Returns the clone.
    CMapObject* PlaceClone(CMapObject* clone, CMapLayer* target) const;
    // Makes the label a copy of `label` (text, anchor, font block), as new otherwise.
    void ReplaceLabel(const CMapLabel& label);
    // The area label, made on first use.
    CMapLabel& AreaLabel();

    DWORD m_dwReserved0 = 0;
    DWORD m_dwFlags = 0;
    int m_nType = MAP_OBJECT_INVALID;
    CDoubleRect m_rcBoundary;
    CDoubleRect m_rcPrevBoundary;
    int m_nActiveHandle = -1;
    int m_nAttributeDirty = 0;
    DWORD m_dwReserved1 = 0;
    CMapObject* m_pParent = nullptr;
    // Held in the object (one allocation less for every object read); handed
    // out for change through const objects, as the layer's style is.
    mutable CMapStyle m_Style;
    CMapLayer* m_pLayer = nullptr;
    // Held in the object as the style is, and handed out the same way.
    mutable CMapLabel m_Label;
    // Made on first use: few objects ever show their area.
    std::unique_ptr<CMapLabel> m_pAreaLabel;
    CList<CMapFieldValue, const CMapFieldValue&> m_Attributes;
    int m_nMapeID = -1;
};
