// Image objects: the property record written and read field by field (whole
// control points only), the encoded image kept as read, and its row columns.
#include "model/objects/MapImage.h"

#include "core/MapStyle.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"
#include "raster/RasterStream.h"

#include <sqlite3.h>

COLORREF g_lastTransparentColor = 0xFFFFFF;

CMapImage::CMapImage() : m_crTransparent(g_lastTransparentColor)
{
    m_nType = MAP_OBJECT_IMAGE;
}

BOOL CMapImage::EncodeImage(CRasterStream& stream) const
{
    if (m_EncodedImage.empty())
        return FALSE;
    return stream.Write(m_EncodedImage.data(), 1, m_EncodedImage.size()) == m_EncodedImage.size();
}

bool CMapImage::WritePropertyColumn(std::vector<BYTE>& record) const
{
    record.assign(kRecordHeaderSize + CImageControlPoint::kRecordSize * m_ControlPoints.GetCount(), 0);
    BYTE* p = record.data();
    GetStyle()->WriteRecord(p);
    MapRecord::PutDword(p + 272, (DWORD)m_nTransparent);
    MapRecord::PutDword(p + 276, m_crTransparent);
    MapRecord::PutDword(p + 280, (DWORD)m_nBrightness);
    MapRecord::PutDword(p + 284, (DWORD)m_nContrast);
    MapRecord::PutDword(p + 288, (DWORD)m_nFormat);
    p += kRecordHeaderSize;
    for (POSITION pos = m_ControlPoints.GetHeadPosition(); pos; p += CImageControlPoint::kRecordSize) {
        const CImageControlPoint& point = m_ControlPoints.GetNext(pos);
        MapRecord::PutDword(p, (DWORD)point.imageX);
        MapRecord::PutDword(p + 4, (DWORD)point.imageY);
        MapRecord::PutFloat(p + 8, point.mapPoint.x);
        MapRecord::PutFloat(p + 12, point.mapPoint.y);
    }
    return true;
}

BOOL CMapImage::ReadPropertyRecord(const void* data, int size)
{
    if (!data || size < kRecordHeaderSize)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(data);
    SetStyle(CMapStyle(p, CMapStyle::kRecordSize));
    m_nTransparent = (LONG)MapRecord::GetDword(p + 272);
    m_crTransparent = MapRecord::GetDword(p + 276);
    m_nBrightness = (LONG)MapRecord::GetDword(p + 280);
    m_nContrast = (LONG)MapRecord::GetDword(p + 284);
    m_nFormat = (LONG)MapRecord::GetDword(p + 288);
    m_ControlPoints.RemoveAll();
    // Only whole entries: a trailing partial entry is not read.
    const int count = (size - kRecordHeaderSize) / CImageControlPoint::kRecordSize;
    for (int i = 0; i < count; ++i) {
        const BYTE* q = p + kRecordHeaderSize + i * CImageControlPoint::kRecordSize;
        CImageControlPoint point;
        point.imageX = (LONG)MapRecord::GetDword(q);
        point.imageY = (LONG)MapRecord::GetDword(q + 4);
        point.mapPoint.x = MapRecord::GetFloat(q + 8);
        point.mapPoint.y = MapRecord::GetFloat(q + 12);
        m_ControlPoints.AddTail(point);
    }
    return TRUE;
}

void CMapImage::ReadPropertyColumn(const void* data, int size)
{
    if (ReadPropertyRecord(data, size))
        GetStyle()->SetModified(false);
}

void CMapImage::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    CRasterMemStream file;
    file.Open();
    if (EncodeImage(file) && file.Size() > 0)
        stmt.BindBlob(index, file.GetBuffer(false), (int)file.Size(), SQLITE_TRANSIENT);
}

void CMapImage::LoadFromRow(CSQLiteStatement* stmt)
{
    const BYTE* image = static_cast<const BYTE*>(stmt->ColumnBlob(5));
    const int bytes = stmt->ColumnBytes(5);
    if (image && bytes > 0)
        m_EncodedImage.assign(image, image + bytes);
    else
        m_EncodedImage.clear();
    // The common columns last: mapeBoundary decides the rectangle.
    CMapObject::LoadFromRow(stmt);
}

CMapObject* CMapImage::Clone(CMapLayer* target)
{
    CMapImage* clone = new CMapImage;
    CopyInto(clone, *GetStyle());
    clone->m_nTransparent = m_nTransparent;
    clone->m_crTransparent = m_crTransparent;
    clone->m_EncodedImage = m_EncodedImage;
    for (POSITION pos = m_ControlPoints.GetHeadPosition(); pos;)
        clone->m_ControlPoints.AddTail(m_ControlPoints.GetNext(pos));
    clone->m_nBrightness = m_nBrightness;
    clone->m_nContrast = m_nContrast;
    clone->m_nFormat = m_nFormat;
    return PlaceClone(clone, target);
}
