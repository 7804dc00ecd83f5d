#include "core/ClipVertex.h"

#include "core/FloatPoint.h"

CClipVertex::CClipVertex(const CFloatPoint& p) : x(p.x), y(p.y)
{
}
