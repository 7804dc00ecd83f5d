// Construction of a clipping vertex from a stored float vertex: the flag and
// spare words start clear.
#include "core/ClipVertex.h"

#include "core/FloatPoint.h"

CClipVertex::CClipVertex(const CFloatPoint& p) : x(p.x), y(p.y)
{
}
