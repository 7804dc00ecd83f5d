// The polygon with holes (type 10): one outer ring, which is the polygon's
// own vertex list, and any number of inner rings (holes), each a polygon held
// by an embedded ring list. Operations apply to the outer ring first and then
// to each inner ring in order; vertex and handle indexes count the outer
// ring's vertices first, then each ring's. A point in a hole is outside: it
// neither hits nor is contained, and areas subtract the holes. ContainsXY and
// GetPointCount see the outer ring alone.
//
// mapeGeoData: the outer ring's vertices, then for each inner ring the
// separator (FLT_MIN, FLT_MIN) and its vertices (model/StoredRuns.h).
#pragma once

#include "model/polygons/MapPolyPolygon.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/StoredRuns.h"

#include <functional>
#include <vector>

class CMapAdvPolygon : public CMapPolygon {
public:
    CMapAdvPolygon();
    ~CMapAdvPolygon() override;

    // ---- the inner rings
    POSITION GetFirstInnerRingPosition() const { return m_Rings.GetHeadPartPosition(); }
    CMapPolygon* GetNextInnerRing(POSITION& pos) const { return static_cast<CMapPolygon*>(m_Rings.GetNextPart(pos)); }
    int GetInnerRingCount() const { return m_Rings.GetPartCount(); }
    // The object owns the ring from then on.
    void AddInnerRing(CMapPolygon* ring);
    // Takes the ring out (not deleted: the caller owns it).
    void RemoveInnerRingAt(POSITION pos);
    // The rings of another ring list move into this one.
    void SetInnerRings(CMapPolyPolygon* rings);
    // The ring that holds overall vertex `index`, its position and the index in
    // it; null, a null position and -1 for the outer ring or beyond the last ring.
    CMapPolygon* FindRingOfVertex(int index, POSITION& pos, int& local) const;
    int GetOuterPointCount() const { return m_nCount; }
    virtual int GetTotalPointCount();
    virtual int GetTotalHandleCount();
    // Refuses to leave the outer ring fewer than 3 vertices; a hole that
    // would keep fewer than 3 goes as a whole.
    BOOL DeleteVertex(int index);
    std::vector<BYTE> GetGeometryBlob();
    // The vertex runs of the BLOB: the outer ring (after `beforeOuter`), then each hole.
    void CollectRuns(std::vector<StoredRun>& runs, RunSeparator beforeOuter, bool withOuter);

    // ---- virtual operations of the map object
    void Deselect() override;
    void SetCacheFlag(BOOL set) override;
    void MarkRings(BOOL set) override;
    void ShiftDevicePoints(int dx, int dy) override;
    BOOL IsNearPoint(CFloatPoint* pt, double* tolerance) override;
    BOOL IsWithinDeviceCircle(CPoint centre, double radius) override;
    BOOL IsWithinCircle(CFloatPoint* centre, double* radius) override;
    void ReverseDirection(bool reverse) override;
    double GetDistance(CFloatPoint pt) override;
    int InsertVertex(int x, int y, double* originX, double* originY, double* zoom) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void SetLayer(CMapLayer* layer) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    void DrawHandles(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void UpdateLayerBounds() override;
    CMapObject* Clone(CMapLayer* target) override;
    int GetHandleCount() override { return GetTotalHandleCount(); }
    CFloatPoint GetHandlePoint(int index) override;
    int HitTestHandle(int x, int y, double* originX, double* originY, double* zoom) override;
    int SetActiveHandle(int index) override;
    void MoveBy(int dx, int dy, double* zoom) override;
    void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom) override;
    // The outer ring's vertices, then each hole's: conversions take the whole.
    void GatherVertices(std::vector<CFloatPoint>& vertices) override;
    void ScatterVertices(const std::vector<CFloatPoint>& vertices, size_t& at) override;
    void RefreshDevicePoints() override;
    void CheckDeviceZoom(double* zoom) override;
    BOOL IsInsidePolygon(const CFloatPoint* ring, int count) override;
    void SaveChanges() override;
    void DetachGeometry() override;
    int AttachGeometry() override;
    void UnloadGeometry() override;
    void LoadGeometry() override;
    void LoadFromRow(CSQLiteStatement* stmt) override;
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;
    void AdjustDeviceHeight(int newHeight) override;
    double GetLength(OGRSpatialReference* srs) override;
    // The outer ring's area less each hole's.
    double GetArea(OGRSpatialReference* srs) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // Inside the outer ring and in no hole.
    BOOL ContainsFloatPoint(const CFloatPoint* pt) override;
    // This object combined with another areal object (model/PolygonBoolean.cpp).
    CMapPolyPolygon* BooleanOp(CMapObject* other, int op) override;

private:
    std::vector<CMapPolygon*> Rings() const;
    // Whether `test` holds for every inner ring (also when there is none).
    bool EveryRing(const std::function<BOOL(CMapPolygon*)>& test) const;
    // Splits the records now held as the outer ring's vertices over the rings.
    void SplitRecords(bool own);

    CMapPolyPolygon m_Rings;
};
