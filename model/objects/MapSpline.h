// The smooth curve of the map (type 16): control points through which a
// piecewise cubic passes. The curve is never stored: it is evaluated from the
// control points (model/SplineCurve.h) in device pixels for drawing and hit
// tests and in map units for the outline, the boundary and the length. The
// boundary is the box of the curve in map units, not of the control points.
//
// mapeGeoData of a spline: count x 8 bytes, no header; control point i at
// offset 8 * i, x then y as little-endian 32-bit floats. The count is the
// length divided by 8; a remainder is ignored.
#pragma once

#include "core/DeviceClip.h"
#include "model/layers/MapObject.h"

#include <functional>
#include <vector>

class CMapSpline : public CMapObject {
public:
    static constexpr int kPointSize = 8;

    CMapSpline();

    const CArray<CFloatPoint, CFloatPoint&>& GetControlPoints() const { return m_Points; }
    // Replaces the control points and recomputes the boundary; no flag.
    void SetControlPoints(const std::vector<CFloatPoint>& points);
    // With control points: the boundary becomes the box of the curve in map units.
    void RecalcBoundary();
    // The curve in map units; the control points themselves when fewer than
    // two distinct ones.
    std::vector<CFloatPoint> GetCurvePoints() const;
    // The same as computed, before each point is narrowed to floats.
    std::vector<CDoublePoint> CurveSamples() const;

    void GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points) override;
    BOOL IsWithinDeviceCircle(CPoint centre, double radius) override;
    BOOL IsWithinCircle(CFloatPoint* centre, double* radius) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    CMapObject* Clone(CMapLayer* target) override;
    int GetHandleCount() override;
    // Control point `index` modulo the count; (0, 0) without control points.
    CFloatPoint GetHandlePoint(int index) override;
    int HitTestHandle(int x, int y, double* originX, double* originY, double* zoom) override;
    void MoveBy(int dx, int dy, double* zoom) override;
    // A handle that is no control point changes nothing.
    void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom) override;
    // Every control point moves or none does; the geometry is then marked
    // modified, not saved.
    int Transform(OGRCoordinateTransformation* ct) override;
    // The same all-or-nothing rule for the unit conversions and scaling.
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    BOOL IsInsidePolygon(const CFloatPoint* ring, int count) override;
    void SaveChanges() override;
    void LoadFromRow(CSQLiteStatement* stmt) override;
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;
    double GetLength(OGRSpatialReference* srs) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

private:
    std::vector<BYTE> GeometryRecord() const;
    // `convert` on a copy of the control points, taken when every result is finite.
    int ConvertControlPoints(const std::function<int(CFloatPoint&)>& convert);
    // The device curve of a view, only as far as it can meet `clip`; empty when
    // a control point has no finite device position.
    std::vector<CDoublePoint> DeviceCurve(double originX, double originY, double zoom,
                                          const DeviceClipRect& clip) const;
    // The device curve clipped to what `pDC` shows, drawn with its current pen.
    void DrawCurve(CDC* pDC, const RECT* client, double originX, double originY, double zoom);

    CArray<CFloatPoint, CFloatPoint&> m_Points;
};
