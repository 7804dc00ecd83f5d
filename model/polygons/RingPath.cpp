// One filled path of several rings.
#include "model/polygons/RingPath.h"

#include "model/polygons/MapPolygon.h"
#include "model/geometry/ObjectDrawScope.h"
#include "platform/gdi/CDC.h"


void DrawRingsAsOnePath(CDC* pDC, const std::vector<CMapPolygon*>& rings, const CMapStyle* style,
                        const RECT* client, double* originX, double* originY, double* zoom)
{
    CStyleDrawScope selection(pDC, style, true);
    for (CMapPolygon* ring : rings)
        ring->BuildDevicePoints(pDC, client, originX, originY, zoom);
    const int oldMode = pDC->SetPolyFillMode(ALTERNATE);
    pDC->BeginPath();
    for (CMapPolygon* ring : rings) {
        const CDevicePointCache* cache = ring->GetDeviceCache();
        for (int c = 0; c < cache->GetChunkCount(); ++c) {
            const CDevicePointArray* chunk = cache->GetChunk(c);
            if (chunk->GetCount() == 0)
                continue;
            chunk->DrawOutline(pDC);
            pDC->CloseFigure();
        }
    }
    pDC->EndPath();
    pDC->StrokeAndFillPath();
    pDC->SetPolyFillMode(oldMode);
}
