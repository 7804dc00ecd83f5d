// A free text on the map (type 12): lines drawn with the text font of its
// style at an anchor point, with a size in map units, the style's text angle
// (whole degrees) and an alignment code. Its box is known in pixels only after
// it has been drawn; the boundary in map units follows from that box, the
// anchor and the zoom. Layers keep their texts loaded.
//
// Property record (mapeProperty of a text), 292 bytes, little-endian:
//   0 272 own style (style record)   272 4 stored value   276 4 font size (float)
//   280 2 alignment code   282 2 padding   284 8 anchor (two floats)
// mapeGeoData holds the text itself, as SQL text.
#pragma once

#include "model/layers/MapObject.h"

#include <array>
#include <functional>
#include <vector>

class CMapText : public CMapObject {
public:
    static constexpr int kRecordSize = 292;
    using Record = std::array<BYTE, kRecordSize>;
    static constexpr WORD kDefaultAlignment = 0x0303;

    CMapText();

    // Stores a different text, marks the boundary for recomputation at the next
    // draw and the geometry modified; TRUE when it changed.
    BOOL SetText(const CString& text);
    CString GetText() const { return m_strText; }
    float GetFontSize() const { return m_fFontSize; }
    void SetFontSize(float size);
    CFloatPoint GetAnchor() const { return m_Anchor; }
    WORD GetAlignment() const { return m_wAlignment; }
    // Shifts the boundary with the anchor.
    void MoveTo(const CFloatPoint& pt);
    // For a new text: anchor at (left, bottom) of `rect`, a provisional box of
    // 29 x 18 units beyond it and the font size, all scaled.
    void PlaceAt(const CDoubleRect& rect, double scale);
    // 1 plus the number of "\r\n".
    int GetLineCount() const;

    Record ToRecord() const;
    void WriteRecord(BYTE* record) const;
    // FALSE (nothing read) for a record shorter than 292 bytes.
    BOOL ReadRecord(const void* data, int size);

    // The text codes of one line: "%%%" gives "%", "%%c" the diameter sign,
    // "%%d" and "%%p" a question mark, "%%o" and "%%u" nothing, "%%x" x.
    static CString ExpandTextCodes(const CString& line);

    // The boundary in map units from the last drawn box; see MapText.cpp.
    CDoubleRect ComputeBoundary() const;

    BOOL IsWithinDeviceCircle(CPoint centre, double radius) override;
    void Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    void DrawSelected(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;
    BOOL HitTest(int x, int y, double* originX, double* originY, double* zoom) override;
    void UpdateLayerBounds() override;
    CMapObject* Clone(CMapLayer* target) override;
    int GetHandleCount() override;
    // Device pixels: the corners of the box drawn last.
    CFloatPoint GetHandlePoint(int index) override;
    int SetActiveHandle(int index) override;
    void MoveBy(int dx, int dy, double* zoom) override;
    void MoveHandle(CDC* pDC, int handle, int x, int y, double* originX, double* originY, double* zoom) override;
    int Transform(OGRCoordinateTransformation* ct) override;
    int LinearToAngular(double* a, double* b, int reserved) override;
    int AngularToLinear(double* a, double* b) override;
    int Scale(double* factor) override;
    BOOL IsInsidePolygon(const CFloatPoint* ring, int count) override;
    void SaveChanges() override;
    void LoadFromRow(CSQLiteStatement* stmt) override;
    // The 292-byte property record, headed by the own style.
    bool WritePropertyColumn(std::vector<BYTE>& record) const override;
    void ReadPropertyColumn(const void* data, int size) override;
    // The text as SQL text; NULL for an empty text.
    void BindGeometryColumn(CSQLiteStatement& stmt, int index) const override;
    void DrawTracking(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom) override;

private:
    bool IsDrawn() const { return m_nDrawnWidth >= 1 && m_nDrawnHeight >= 1; }
    // After the boundary took a provisional box: keep it relative to the anchor.
    void KeepProvisionalBox();
    // Ends a coordinate conversion: takes the converted box and anchor; the geometry and style are marked modified.
    int Converted(const CDoubleRect& boundary, const CFloatPoint& anchor);
    // A unit conversion or scaling of copies of the box and anchor, taken
    // when both succeeded with finite results.
    int ConvertUnits(const std::function<int(CDoubleRect&)>& convertRect,
                     const std::function<int(CFloatPoint&)>& convertPoint);

    POINT m_ptDevice = {0, 0};
    int m_nDrawnWidth = 0;
    int m_nDrawnHeight = 0;
    double m_dSmallFactor = 0.3;
    DWORD m_dwStoredValue = 1;
    CString m_strText;
    float m_fFontSize = 12.0f;
    CFloatPoint m_Anchor;
    WORD m_wAlignment = kDefaultAlignment;
    // The box of a text not drawn yet, relative to its anchor, once it exists:
    // the provisional growth applies once, then the box moves with the anchor.
    bool m_bProvisional = false;
    CDoubleRect m_rcProvisional;
};
