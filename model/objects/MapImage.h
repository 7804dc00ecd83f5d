// The raster image map object (type 13): an image placed on the map as a
// rectangle of map coordinates, with a transparent colour, brightness and
// contrast values and georeferencing control points.
//
// Property record (mapeProperty of an image), 292 + 16 n bytes, little-endian:
//   0 272 the style it is drawn with   272 4 transparency flag
//   276 4 transparent colour   280 4 brightness   284 4 contrast   288 4 format code
//   then per control point: image x, image y (int32 each), map point (two floats).
// mapeGeoData holds the image encoded as a file of its format.
//
// The image is kept as it was encoded: it is written back unchanged, and an
// empty image does not encode.
#pragma once

#include "model/layers/MapObject.h"

#include <vector>

class CRasterStream;

// The transparent colour of new image objects; the registration dialog updates it.
extern COLORREF g_lastTransparentColor;

struct CImageControlPoint {
    static constexpr int kRecordSize = 16;
    LONG imageX = 0;
    LONG imageY = 0;
    CFloatPoint mapPoint;
};

static_assert(CImageControlPoint::kRecordSize == 4 + 4 + (int)sizeof(CFloatPoint),
              "a stored control point is two 32-bit image coordinates and a float map point");

class CMapImage : public CMapObject {
public:
    // The style record (272 bytes) and five 32-bit fields.
    static constexpr int kRecordHeaderSize = 292;
    static_assert(kRecordHeaderSize == CMapStyle::kRecordSize + 5 * 4);

    // Empty image, no control points, brightness and contrast 0.
    CMapImage();

    int GetTransparent() const { return m_nTransparent; }
    COLORREF GetTransparentColor() const { return m_crTransparent; }
    // 0 other, 1 bmp, 2 jpg, 3 png, 4 pcx, 5 wbmp, 6 wmf/emf, 7 jp2/j2k,
    // 8 jpc/j2c, 9 pgx, 10 pnm/pgm/ppm, 11 ras.
    int GetImageFormat() const { return m_nFormat; }
    const CList<CImageControlPoint, const CImageControlPoint&>& GetControlPoints() const { return m_ControlPoints; }

    // Writes the image in its format code; FALSE (nothing written) for an empty image.
    BOOL EncodeImage(CRasterStream& stream) const;

    // Reads the header fields and the whole control points of a record; FALSE
    // (nothing read) for a record shorter than its header.
    BOOL ReadPropertyRecord(const void* data, int size);

    // The property record, headed by the style the image is drawn with.
    bool WritePropertyColumn(std::vector<BYTE>& record) const override;
    void ReadPropertyColumn(const void* data, int size) override;
    // The image encoded as a file of its format; NULL for an empty image.
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;
    void LoadFromRow(CSQLiteStatement* stmt) override;
    // A full copy; stored into `target` without attribute values, or keeping
    // the id of this image without a target.
    CMapObject* Clone(CMapLayer* target) override;

    // Applied to the decoded image when a row is read; written by the dialogs.
    LONG m_nContrast = 0;
    LONG m_nBrightness = 0;

private:
    std::vector<BYTE> m_EncodedImage;
    CList<CImageControlPoint, const CImageControlPoint&> m_ControlPoints;
    LONG m_nFormat = 0;
    COLORREF m_crTransparent;
    LONG m_nTransparent = 0;
};
