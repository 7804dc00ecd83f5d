// Rows drawn from their bytes. What a row's object would do is decided once per
// kind by the class the layer's factory builds for it: only the plain polygon
// and polyline classes draw through the device-point build this repeats.
#include "model/layers/LayerRowPainter.h"

#include "core/DoubleRect.h"
#include "core/ObjectTypes.h"
#include "core/SQLiteStatement.h"
#include "model/geometry/DevicePointCache.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "model/geometry/StoredGeometry.h"
#include "model/layers/MapObjectKinds.h"

#include <cstring>
#include <memory>

namespace {
// Columns of "select * from _MapGeoData".
enum { COL_ID = 0, COL_PROPERTY = 3, COL_BOUNDARY = 4, COL_GEODATA = 5, COL_ATTRIBUTE = 7 };
}

CLayerRowPainter::CLayerRowPainter(CMapLayer* layer, CDC* pDC, const RECT* client, double originX, double originY,
                                   double zoom)
    : m_pLayer(layer), m_pDC(pDC), m_dOriginX(originX), m_dOriginY(originY), m_dZoom(zoom),
      m_nHeight(client->bottom - client->top)
{
}

CLayerRowPainter::Kind CLayerRowPainter::KindOf(int type)
{
    if (type < 0 || type > 0xffff)
        return Kind::Other;
    if ((size_t)type >= m_Kinds.size())
        m_Kinds.resize((size_t)type + 1, Kind::Unknown);
    Kind& kind = m_Kinds[(size_t)type];
    if (kind == Kind::Unknown) {
        const std::unique_ptr<CMapObject> sample(m_pLayer->CreateMapObject(type));
        const CMapObject* made = sample.get();
        if (made && IsPlainObjectOfKind(*made, MAP_OBJECT_POLYGON))
            kind = Kind::Polygon;
        else if (made && IsPlainObjectOfKind(*made, MAP_OBJECT_POLYLINE))
            kind = Kind::Polyline;
        else
            kind = Kind::Other;
    }
    return kind;
}

bool CLayerRowPainter::Draw(const CSQLiteStatement& row, int type)
{
    const Kind kind = KindOf(type);
    if (kind == Kind::Other)
        return false;
    // An id of -1 is no stored row.
    if (row.ColumnInt(COL_ID) == -1)
        return false;
    // An object in its own style draws with its whole record, read into a new
    // style as the object reads it; a short or missing record, or the layer's
    // override, makes its style something else.
    const bool own = !((DWORD)row.ColumnInt(COL_ATTRIBUTE) & CMapObject::kUseLayerStyle);
    const BYTE* record = own ? static_cast<const BYTE*>(row.ColumnBlob(COL_PROPERTY)) : nullptr;
    if (own && (!record || row.ColumnBytes(COL_PROPERTY) < CMapStyle::kRecordSize || m_pLayer->GetOverride()))
        return false;
    CDoubleRect boundary;
    const void* bounds = row.ColumnBlob(COL_BOUNDARY);
    if (!bounds || !boundary.ReadRecord(bounds, row.ColumnBytes(COL_BOUNDARY)) || boundary.IsNull())
        return false;
    if (boundary.ToDeviceFloatRect(m_dOriginX, m_dOriginY, m_dZoom, m_nHeight)
            .ExceedsLimit(kDeviceExtentLimit))
        return false;
    const BYTE* stored = static_cast<const BYTE*>(row.ColumnBlob(COL_GEODATA));
    if (!stored)
        return false;
    const int count = row.ColumnBytes(COL_GEODATA) / kStoredVertexSize;
    const bool closed = kind == Kind::Polygon;
    if (!own) {
        m_OwnTools.reset();
    } else if (!m_OwnTools || m_bOwnClosed != closed
               || std::memcmp(m_OwnRecord.data(), record, CMapStyle::kRecordSize) != 0) {
        m_OwnTools.reset();
        CMapStyle style;
        style.ReadRecord(record, CMapStyle::kRecordSize);
        m_OwnTools.emplace(m_pDC, &style, closed);
        std::memcpy(m_OwnRecord.data(), record, CMapStyle::kRecordSize);
        m_bOwnClosed = closed;
    }
    if (count >= 1) {
        ThinStoredVertices(stored, count, m_dOriginX, m_dOriginY, m_dZoom, m_nHeight, m_Points);
        DrawDevicePoints(m_pDC, m_Points.data(), (int)m_Points.size(), closed);
    }
    return true;
}
