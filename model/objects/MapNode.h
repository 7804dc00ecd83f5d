// The point object of the map (type 5): one position drawn as one character of
// the symbol font of its style, centred on the position. Its boundary is the
// degenerate rectangle of the position, and its symbol keeps its size in pixels
// at any zoom. Layers keep their nodes loaded and outside the spatial index.
//
// mapeGeoData of a node: 8 bytes, x then y as little-endian 32-bit floats.
#pragma once

#include "model/layers/MapObject.h"

class CMapNode : public CMapObject {
public:
    static constexpr int kGeometrySize = 8;

    CMapNode();

    // Narrowed to floats; updates the boundary and the layer bounds, but does
    // not mark the geometry modified.
    void SetPosition(double x, double y);
    CFloatPoint GetPosition() const { return m_Position; }
    // From the 8-byte record; FALSE (position unchanged) for a shorter one.
    BOOL SetGeometry(const void* record, int size = kGeometrySize);
    void WriteGeometry(BYTE* record) const;

    // |lfHeight| of the symbol font the node is drawn with, in pixels.
    int GetSymbolSize() const;

    BOOL IsWithinDeviceCircle(CPoint centre, double radius) override;
    double GetDistance(CFloatPoint pt) override;
    void CreateStylePen(CPen& pen) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    // The symbol square: (X - h, Y - h, X + h + 1, Y + h + 1) around the
    // position's device point, h = symbol size / 2 (so an odd side).
    CRect GetDeviceRect(double* originX, double* originY, double* zoom) override;
    void UpdateLayerBounds() override;
    CMapObject* Clone(CMapLayer* target) override;
    int GetHandleCount() override;
    // Moves the position without saving; marks the geometry modified.
    void MoveBy(int dx, int dy, double* zoom) override;
    int Transform(OGRCoordinateTransformation* ct) override;
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    BOOL IsInsidePolygon(const CFloatPoint* ring, int count) override;
    void SaveChanges() override;
    void LoadFromRow(CSQLiteStatement* stmt) override;
    // The 8-byte position record.
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;
    CDoubleRect GetDeviceBoundary(double* originX, double* originY, double* zoom) override;
    // The symbol square's test, with a node far off the pixel's column
    // dismissed in map units first.
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

    virtual BOOL IsSamePosition(CMapNode* other);
    virtual BOOL DiffersPosition(CMapNode* other);

private:
    // Ends a successful change of the position.
    int PositionChanged();

    CFloatPoint m_Position;
    // The position record as last bound: bound without a copy, it lives as
    // long as the node, past the step of the statement it was bound to.
    mutable BYTE m_GeometryRecord[kGeometrySize] = {};
};
