// Drawing a layer's candidate rows without building their objects where the
// object would add nothing: a polygon or polyline row is drawn exactly as its
// object draws it (the thinned device points of its stored vertices, one
// polygon or polyline call, with the pens the layer selected or those of the
// row's own style record) from the row's own bytes, through one point buffer
// reused for every row. Any other row is left to the caller, which builds its
// object: other kinds (and kinds whose class was registered anew), rows
// without a whole style record where they need one or under a layer that
// overrides its objects' styles, rows with no boundary or no vertices, and
// rows reaching beyond the device range that the object cuts to a window.
//
// An own style's tools stay selected from one row to the next of the same
// record and kind, as if each row selected and restored them; before any
// other row, and before the caller draws an object or restores its own
// tools, Release() puts the layer's back.
#pragma once

#include "platform/base/Afx.h"

#include "core/MapStyle.h"
#include "model/geometry/ObjectDrawScope.h"

#include <optional>
#include <vector>

class CDC;
class CMapLayer;
class CSQLiteStatement;

class CLayerRowPainter {
public:
    // The view of one drawing; the layer builds the kinds' samples.
    CLayerRowPainter(CMapLayer* layer, CDC* pDC, const RECT* client, double originX, double originY, double zoom);

    // Draws the row of "select * from _MapGeoData" that `row` stands on and
    // returns true; false when nothing was drawn and the row is the caller's.
    bool Draw(const CSQLiteStatement& row, int type);
    // The layer's tools selected again, as they were before the first row.
    void Release() { m_OwnTools.reset(); }

private:
    enum class Kind : unsigned char { Unknown, Polygon, Polyline, Other };
    Kind KindOf(int type);

    CMapLayer* m_pLayer;
    CDC* m_pDC;
    double m_dOriginX, m_dOriginY, m_dZoom;
    int m_nHeight;
    std::vector<Kind> m_Kinds;     // by type code, found on first use
    std::vector<POINT> m_Points;   // the device points of the row drawn last
    // The own style selected now, with the record and kind it was made for.
    std::optional<CStyleDrawScope> m_OwnTools;
    CMapStyle::Record m_OwnRecord{};
    bool m_bOwnClosed = false;
};
