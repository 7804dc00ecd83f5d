// Rectangles, rounded rectangles and ellipses (types 0, 1 and 2): one class
// whose figure is its boundary, so a row stores no geometry of its own. When
// the view is zoomed so far in that the figure's device coordinates leave the
// graphics interface's 16-bit range, the rectangle is cut to the client area
// and the ellipse replaced by the outline of its visible part; device
// coordinates are worked out in doubles and only clipped values become ints.
#pragma once

#include "model/geometry/DevicePointCache.h"
#include "model/layers/MapObject.h"

#include <memory>

class CMapPolygon;

class CMapRectangle : public CMapObject {
public:
    // A type code outside 0 to 2 makes a rectangle.
    explicit CMapRectangle(int type = MAP_OBJECT_RECTANGLE);

    // Normalises the rectangle; a changed one moves the index entry of a stored
    // object, is marked for its row and widens the layer bounds.
    void SetRect(double left, double bottom, double right, double top);

    BOOL IsNearPoint(CFloatPoint* pt, double* tolerance) override;
    // Four corners for the rectangles (not closed), 360 points of whole
    // degrees around the centre for the ellipse.
    void GetOutlinePoints(CArray<CFloatPoint, CFloatPoint&>& points) override;
    // To the outline; -1 when the ellipse's Newton iteration does not converge.
    double GetDistance(CFloatPoint pt) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // Inside the figure, worked out from the view alone.
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    CMapObject* Clone(CMapLayer* target) override;
    void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom) override;
    // The boundary's corners (an ellipse's axis ends), all or none; the
    // boundary is normalised after.
    int Transform(OGRCoordinateTransformation* ct) override;
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    // The device corners as unrounded-to-int doubles, not saturated, normalised.
    CDoubleRect GetDeviceBoundary(double* originX, double* originY, double* zoom) override;
    // Snaps to the corner within `margin` pixels (rectangles only).
    BOOL HitTestDeviceRect(int x, int y, double* originX, double* originY, double* zoom, CFloatPoint* corner,
                           int margin) override;
    double GetLength(OGRSpatialReference* srs) override;
    double GetArea(OGRSpatialReference* srs) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

    virtual BOOL IsSameBoundary(CMapObject* other);
    virtual BOOL DiffersBoundary(CMapObject* other);

    // On the sphere the figure measures as the polygon of its outline.
    CMapObject* CreateMeasuringCopy() override;

    // The outline of the visible part of an ellipse from its last clipped draw.
    const CDevicePointArray& GetDevicePoints() const { return m_DevicePoints; }

private:
    // Draws the figure with what is selected; the device rectangle is cut to
    // `client` widened by (marginX, marginY), the ellipse outline to `client`
    // widened by (ellipseX, ellipseY).
    void DrawFigure(CDC* pDC, const RECT& client, double originX, double originY, double zoom, int marginX,
                    int marginY, int ellipseX, int ellipseY);
    // The polygon of the figure: the four corners, or 64 points of the ellipse.
    std::unique_ptr<CMapPolygon> MakeOutlinePolygon() const;
    // Ends a change of the boundary made by a conversion.
    int BoundaryChanged(const CDoubleRect& converted);

    CDevicePointArray m_DevicePoints;
};
