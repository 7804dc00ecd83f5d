// The text label of a map object: lines of text at an anchor point in map units,
// with a font whose escapement is the label's angle, colours, an optional opaque
// background and an optional frame. A label draws itself, remembers the device
// corners of the box it drew last, moves by pixels and saves its own columns of
// its object's row.
#pragma once

#include "core/FloatPoint.h"
#include "platform/base/Afx.h"

#include <array>
#include <memory>

class CDC;
class CSQLiteDatabase;

// The label's font block: stored as bytes 8 to 123 of the label record and kept
// as such by layers and dialogs (the layer-wide label settings).
struct MapLabelFontBlock {
    LOGFONTW font;       // lfEscapement = lfOrientation = angle in tenths of a degree
    COLORREF textColor;
    COLORREF backColor;
    LONG background;     // 1: opaque background
    LONG line;           // 1: frame
    COLORREF lineColor;
    DWORD reserved;

    static constexpr int kSize = 116;
    void Write(BYTE* p) const;
    void Read(const BYTE* p);
    // Height 13, DEFAULT_CHARSET, face "Arial"; black text on white, no background, no frame.
    static MapLabelFontBlock Defaults();
};
static_assert(sizeof(MapLabelFontBlock) == MapLabelFontBlock::kSize, "the label font block is 116 bytes");

class CMapLabel {
public:
    static constexpr int kRecordSize = 124;
    using Record = std::array<BYTE, kRecordSize>;

    static constexpr DWORD kSelectedFlag = 1u << 31;
    static constexpr DWORD kDrawableFlag = 1u << 30;
    static constexpr DWORD kModifiedFlag = 1u << 24;
    static constexpr DWORD kTextModifiedFlag = 1u << 22;

    CMapLabel();
    // Text, anchor and font block of `other`; everything else as a new label
    // (no database: a copy belongs to no layer until its owner gives it one).
    CMapLabel(const CMapLabel& other);
    CMapLabel& operator=(const CMapLabel&) = delete;
    // Becomes what the copy constructor makes of `other`.
    void TakeContent(const CMapLabel& other);
    virtual ~CMapLabel() = default;

    // Writes the changed columns (properties, text) of the row `mapeID`. A label
    // without a database (clipboard and overlay copies) saves nothing. The
    // modified bits stay set; the caller clears them.
    virtual void Save();
    // The box drawn last, in R2_NOTXORPEN with a grey pen; the mix mode stays set.
    virtual void DrawOutlineXor(CDC* dc);
    // Moves by pixels (device y grows downwards) and saves.
    virtual void MoveBy(int dx, int dy, const double* zoom);
    // Draws the label for the view (origin and zoom of the map window) in a client
    // area of `client`'s height, and records the corners of the box.
    virtual void Draw(CDC* dc, RECT client, const double* originX, const double* originY, const double* zoom);

    // A new label with this one's id, text, anchor, font block, device rectangle,
    // database, flags and corners.
    std::unique_ptr<CMapLabel> Clone() const;

    // ---- stored record: anchor (two floats), then the font block
    Record ToRecord() const;
    void WriteRecord(BYTE* record) const;
    // Reads a label record the way an object's row gives it: the font block from
    // bytes 8 to 123 (SetFontBlock), the anchor from bytes 0 to 7 (SetAnchor),
    // except that a missing, short or unplaced record ((FLT_MAX, FLT_MAX)) puts
    // the anchor at `labelPoint`. FALSE when there was no complete record.
    BOOL ReadRecord(const void* data, int size, const CFloatPoint& labelPoint);

    // ---- content
    void SetText(const CString& text);
    CString GetText() const { return m_text; }
    const CString& GetTextRef() const { return m_text; }
    void SetAnchor(const CFloatPoint& pt);
    CFloatPoint GetAnchor() const { return m_anchor; }
    void SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_block.textColor; }
    void SetBackColor(COLORREF color);
    COLORREF GetBackColor() const { return m_block.backColor; }
    void SetLineColor(COLORREF color);
    COLORREF GetLineColor() const { return m_block.lineColor; }
    // The frame and background switches; they leave the modified bits alone.
    void SetShowLine(int flag) { m_block.line = flag; }
    int GetShowLine() const { return m_block.line; }
    void SetBackground(int flag) { m_block.background = flag; }
    int GetBackground() const { return m_block.background; }
    // Tenths of a degree; saves at once when `saveNow` is non-zero and the angle changed.
    void SetRotation(int tenths, int saveNow);
    // Whole degrees, truncated towards zero.
    int GetRotation() const { return m_block.font.lfOrientation / 10; }
    LOGFONTA GetLogFontA() const;
    void SetLogFontA(const LOGFONTA& font);
    const MapLabelFontBlock& GetFontBlock() const { return m_block; }
    void SetFontBlock(const MapLabelFontBlock& block);

    // ---- flags
    void SetModified(bool modified) { SetFlag(kModifiedFlag, modified); }
    BOOL IsModified() const { return (m_flags & kModifiedFlag) != 0; }
    void SetTextModified(bool modified) { SetFlag(kTextModifiedFlag, modified); }
    BOOL IsTextModified() const { return (m_flags & kTextModifiedFlag) != 0; }
    void Select() { m_flags |= kSelectedFlag; }
    void Deselect() { m_flags &= ~kSelectedFlag; }
    BOOL IsSelected() const { return (m_flags & kSelectedFlag) != 0; }
    void SetDrawable(bool drawable) { SetFlag(kDrawableFlag, drawable); }
    BOOL IsDrawable() const { return (m_flags & kDrawableFlag) != 0; }

    // ---- owner
    void SetMapeID(int id) { m_mapeID = id; }
    int GetMapeID() const { return m_mapeID; }
    void SetDatabase(CSQLiteDatabase* db) { m_database = db; }
    CSQLiteDatabase* GetDatabase() const { return m_database; }
    void SetDeviceRect(const RECT& rect) { m_deviceRect = rect; }
    RECT GetDeviceRect() const { return m_deviceRect; }

    // ---- the box drawn last (device pixels)
    // Corner 0 at the anchor, 1 along the first line, 2 opposite 0, 3 below 0;
    // (0, 0) for any other index.
    CPoint GetCorner(int i) const;
    RECT GetDeviceBounds() const;
    RECT GetCornerRect(int i) const;
    // The first corner whose 6 x 6 square holds `pt` (right and bottom edges
    // excluded), else -1.
    int HitTestCorner(POINT pt) const;

private:
    void SetFlag(DWORD flag, bool on) { m_flags = on ? (m_flags | flag) : (m_flags & ~flag); }

    POINT m_corners[4] = {};
    int m_mapeID = -1;
    CSQLiteDatabase* m_database = nullptr;   // of the owning layer; not owned
    CString m_text;                          // lines separated by "\r\n"
    CFloatPoint m_anchor;                    // top-left of the first line, map units
    MapLabelFontBlock m_block;
    RECT m_deviceRect = {};
    DWORD m_flags = 0;
};
