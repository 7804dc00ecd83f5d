// Arcs (type 3), chords (14) and pies (15): figures cut from an axis-parallel
// ellipse between the directions of two end points seen from its centre,
// walked counter-clockwise (map y upwards). They draw with the device
// context's own arc, chord and pie; hit tests, outlines and measures use a
// polyline with one vertex per whole degree of the ellipse's parameter angle.
// The boundary is always the whole ellipse's rectangle.
#pragma once

#include "model/layers/MapObject.h"

#include <array>
#include <functional>
#include <vector>

// The three members of an arc, and their stored form (mapeGeoData), 56 bytes,
// little-endian:
//   0 4 start x   4 4 start y   8 4 end x   12 4 end y      (32-bit floats)
//   16 40 the ellipse as a rectangle record (core/DoubleRect.h): its first 8
//         bytes are reserved, arbitrary in files and ignored on read.
struct CArcGeometry {
    static constexpr int kRecordSize = 56;
    static constexpr int kStartOffset = 0;
    static constexpr int kEndOffset = 8;
    static constexpr int kEllipseOffset = 16;
    using Record = std::array<BYTE, kRecordSize>;

    CFloatPoint start;
    CFloatPoint end;
    CDoubleRect ellipse;

    // Copies another arc record: start point, end point and ellipse rectangle.
    void Assign(const CArcGeometry& other) { *this = other; }
    Record ToRecord() const;
    // FALSE, with nothing changed, for a null record or one under 56 bytes.
    BOOL ReadRecord(const void* data, int size);
};
static_assert(CArcGeometry::kEndOffset == CArcGeometry::kStartOffset + 8, "start is two floats");
static_assert(CArcGeometry::kEllipseOffset == CArcGeometry::kEndOffset + 8, "end is two floats");
static_assert(CArcGeometry::kEllipseOffset + CDoubleRect::kRecordSize == CArcGeometry::kRecordSize,
              "the ellipse rectangle record closes the arc record");

class CMapArc : public CMapObject {
public:
    // `type` is MAP_OBJECT_ARC, MAP_OBJECT_CHORD or MAP_OBJECT_PIE.
    explicit CMapArc(int type = MAP_OBJECT_ARC);

    // Copies all three members; the boundary becomes the ellipse.
    void SetGeometry(const CArcGeometry& geometry);
    void GetGeometry(CArcGeometry& geometry) const;
    // Only the direction from the centre matters; no flag, no boundary change.
    void SetFirstEndPoint(CFloatPoint pt) { m_Start = pt; }
    void SetSecondEndPoint(CFloatPoint pt) { m_End = pt; }
    CFloatPoint GetFirstEndPoint() const { return m_Start; }
    CFloatPoint GetSecondEndPoint() const { return m_End; }
    void SetEllipseRect(CDoubleRect rect);
    const CDoubleRect& GetEllipseRect() const { return m_Ellipse; }

    // The polyline approximation: one vertex per whole degree from the start
    // direction to the end direction (the whole ellipse when they are equal),
    // and the centre last for a pie.
    void GetArcPoints(CArray<CFloatPoint, CFloatPoint&>& points, BOOL clear);
    // The parameter angle t (radians) of the ellipse point in the direction of
    // `pt`; 0 for the centre itself.
    double ParametricAngle(CFloatPoint pt) const;
    // Where the ray from the centre through `pt` meets the ellipse. The centre
    // itself has no ray: it gives the ellipse point at angle 0, as its
    // parametric angle does; a degenerate ellipse gives its centre.
    CFloatPoint EllipsePoint(CFloatPoint pt) const;

    BOOL IsNearPoint(CFloatPoint* pt, double* tolerance) override;
    void GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points) override;
    BOOL IsWithinDeviceCircle(CPoint centre, double radius) override;
    BOOL IsWithinCircle(CFloatPoint* centre, double* radius) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    CMapObject* Clone(CMapLayer* target) override;
    int GetHandleCount() override;
    CFloatPoint GetHandlePoint(int index) override;
    int HitTestHandle(int x, int y, double* originX, double* originY, double* zoom) override;
    void MoveBy(int dx, int dy, double* zoom) override;
    void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom) override;
    // End points and the ellipse (by the ends of its axes) move together, or
    // nothing moves; the geometry is then marked modified, not saved.
    int Transform(OGRCoordinateTransformation* ct) override;
    // The same all-or-nothing rule for the unit conversions and scaling.
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    BOOL IsInsidePolygon(const CFloatPoint* ring, int count) override;
    void SaveChanges() override;
    // A record under 56 bytes leaves the geometry as it was.
    void LoadFromRow(CSQLiteStatement* stmt) override;
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;
    double GetLength(OGRSpatialReference* srs) override;
    double GetArea(OGRSpatialReference* srs) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

private:
    bool IsClosedFigure() const { return m_nType == MAP_OBJECT_CHORD || m_nType == MAP_OBJECT_PIE; }
    std::vector<CFloatPoint> ArcPoints();
    // Converts copies of the end points and the ellipse and takes them only
    // when every step succeeded with finite results.
    int ConvertGeometry(const std::function<int(CFloatPoint&)>& convertPoint,
                        const std::function<int(CDoubleRect&)>& convertRect);
    // Takes a converted ellipse and end points: the geometry changes, the index
    // and the layer's bounds follow.
    void TakeConverted(const CDoubleRect& ellipse, const CFloatPoint (&ends)[2]);
    // The figure in the DC's current pen and brush: through the device
    // context's primitive while its device coordinates are small enough for
    // it, else as a curve sampled only where it can be seen and clipped.
    void DrawFigure(CDC* pDC, const RECT* client, double originX, double originY, double zoom);

    CFloatPoint m_Start;
    CFloatPoint m_End;
    CDoubleRect m_Ellipse;
};
