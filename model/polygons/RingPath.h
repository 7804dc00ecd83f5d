// Rings with holes drawn as one filled path: every ring's cached device
// outline is one closed figure of the path, and the path is filled in the
// alternate mode and stroked once, so each hole stays unpainted and no ring is
// filled over another afterwards.
#pragma once

#include "platform/base/Afx.h"

#include <vector>

class CDC;
class CMapPolygon;
class CMapStyle;

// Builds the device points of each ring for the view, then fills and strokes
// them as one path with what is selected, or with `style` when it is given.
void DrawRingsAsOnePath(CDC* pDC, const std::vector<CMapPolygon*>& rings, const CMapStyle* style,
                        const RECT* client, double* originX, double* originY, double* zoom);
