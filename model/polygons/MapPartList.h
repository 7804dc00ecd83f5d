// The stored multi-part kinds (polypolygon, polypolyline, multi-part polygon
// with holes): what they share beyond the part list. Every operation applies
// to the parts in list order; vertex and handle indexes count through the
// parts in that order. The geometry of all parts is one BLOB of the whole's
// row (model/StoredRuns.h): the whole borrows or loads it for all its parts
// at once, and parts ask their whole for it.
#pragma once

#include "model/polygons/MapMultiPart.h"
#include "model/polygons/StoredRuns.h"

#include <functional>
#include <memory>
#include <vector>

class CMapPartList : public CMapMultiPart {
public:
    CMapPartList() = default;
    ~CMapPartList() override;

    // The stored bytes of the parts.
    std::vector<BYTE> GetGeometryBlob();

    // ---- virtual operations of the map object
    BOOL IsNearPoint(CFloatPoint* pt, double* tolerance) override;
    void GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points) override;
    BOOL IsWithinDeviceCircle(CPoint centre, double radius) override;
    BOOL IsWithinCircle(CFloatPoint* centre, double* radius) override;
    void ReverseDirection(bool reverse) override;
    // -1.0 without parts, else the nearest part's distance.
    double GetDistance(CFloatPoint pt) override;
    int InsertVertex(int x, int y, double* originX, double* originY, double* zoom) override;
    void SetLayer(CMapLayer* layer) override;
    void DrawHandles(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // The union of the part boundaries, through SetBoundary when it differs.
    void UpdateLayerBounds() override;
    int GetHandleCount() override;
    CFloatPoint GetHandlePoint(int index) override;
    int HitTestHandle(int x, int y, double* originX, double* originY, double* zoom) override;
    int SetActiveHandle(int index) override;
    void MoveBy(int dx, int dy, double* zoom) override;
    void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom) override;
    void RefreshDevicePoints() override;
    void CheckDeviceZoom(double* zoom) override;
    BOOL IsInsidePolygon(const CFloatPoint* ring, int count) override;
    void AdjustDeviceHeight(int newHeight) override;
    int GetPointCount() override;
    // The sum of the parts' lengths, holes included.
    double GetLength(OGRSpatialReference* srs) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

    // ---- storage
    void SaveChanges() override;
    void DetachGeometry() override;
    int AttachGeometry() override;
    void UnloadGeometry() override;
    void LoadGeometry() override;
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;

    // Removes vertex `index` (counted through the parts); a part that would
    // keep fewer than its kind's minimum goes as a whole, unless it is the
    // only part. FALSE when nothing was removed.
    BOOL DeleteVertex(int index);

protected:
    // The vertex runs of the BLOB, parts in order.
    virtual void CollectRuns(std::vector<StoredRun>& runs) const = 0;
    // Deletes vertex `local` of a part that holds more than the minimum.
    virtual BOOL DeletePartVertex(CMapObject* part, int local) = 0;
    // Whether deleting vertex `local` of `part` would leave its outline too few.
    virtual bool IsPartAtMinimum(CMapObject* part, int local) = 0;
    // Reads a row: from a BLOB shorter than one record nothing at all (false);
    // else `addPart` runs for the first part (separator None) and once per
    // separator record, creating the empty parts, then the base row reading.
    bool LoadPartsFromRow(CSQLiteStatement* stmt, const std::function<void(RunSeparator)>& addPart);
    // The clone steps: values, style and boundary, each part cloned without layer.
    CMapObject* CloneParts(CMapPartList* clone, CMapLayer* target, bool markLoaded);
    // Whether there are parts and `test` holds for every one.
    bool EveryPart(const std::function<BOOL(CMapObject*)>& test) const;
    // Attaches for the time of `measure` when nothing is present.
    double MeasureParts(const std::function<double()>& measure);

private:
    // Parts that own their vertices already (built in memory, say): the
    // stored row, perhaps not yet written, must not replace them.
    bool HoldsOwnedParts() const;
    void Distribute(const CFloatPoint* records, int count, bool own);

    std::unique_ptr<CStoredRecords> m_pBorrowed;
};
