// One filled path of several rings.
#include "model/RingPath.h"

#include "model/MapPolygon.h"
#include "model/StyleSelection.h"
#include "platform/gdi/CDC.h"

#include <memory>

void DrawRingsAsOnePath(CDC* pDC, const std::vector<CMapPolygon*>& rings, const CMapStyle* style,
                        const RECT* client, double* originX, double* originY, double* zoom)
{
    std::unique_ptr<CStyleSelection> selection;
    if (style)
        selection = std::make_unique<CStyleSelection>(pDC, *style, true);
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
