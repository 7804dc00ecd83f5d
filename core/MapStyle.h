// The drawing style of a map object, of a layer and of the map's selection: a
// symbol (one character of a symbol font) for nodes, a pen, a brush and a text
// font with its colours. Stored as a fixed 272-byte record; setters mark the
// style modified only when a value changes, so that an object rewrites its
// style column only then.
#pragma once

#include <cstdint>

#include "platform/base/Afx.h"

#include <array>
#include <cstring>

class CArchive;
class CPen;
class CBrush;
class CFont;

// ---------------------------------------------------------------- stored-record helpers
// Little-endian fields of the stored records (styles, labels): written and read
// field by field, independent of the host's layout.
// Defined here so that the per-vertex and per-field loops inline them.
namespace MapRecord {
inline void PutDword(BYTE* p, DWORD v)
{
    p[0] = (BYTE)v;
    p[1] = (BYTE)(v >> 8);
    p[2] = (BYTE)(v >> 16);
    p[3] = (BYTE)(v >> 24);
}
inline DWORD GetDword(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}
inline void PutFloat(BYTE* p, float v)
{
    DWORD bits;
    std::memcpy(&bits, &v, sizeof bits);
    PutDword(p, bits);
}
inline float GetFloat(const BYTE* p)
{
    const DWORD bits = GetDword(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
inline void PutWord(BYTE* p, WORD v)
{
    p[0] = (BYTE)v;
    p[1] = (BYTE)(v >> 8);
}
inline WORD GetWord(const BYTE* p) { return (WORD)(p[0] | (p[1] << 8)); }
// LOGFONTW as on Windows: five 32-bit fields, eight bytes, 32 UTF-16 units (92 bytes).
constexpr int kLogFontWSize = 92;
void PutLogFontW(BYTE* p, const LOGFONTW& font);
void GetLogFontW(const BYTE* p, LOGFONTW& font);
}

// Font records: the stored (wide) form and the drawing (8-bit) form. Face names
// are cut to the 31 characters the 32-unit field holds, never in the middle of
// a character, and the whole field after the name is zero.
void SetLogFontFaceName(LOGFONTW& font, const char* face);
CString GetLogFontFaceName(const LOGFONTW& font);
void LogFontWToA(const LOGFONTW& in, LOGFONTA& out);
void LogFontAToW(const LOGFONTA& in, LOGFONTW& out);

// Pen dash styles (index into the pen table of CreatePen).
enum MapPenStyle { MAPPEN_NULL = 0, MAPPEN_SOLID, MAPPEN_DASH, MAPPEN_DOT, MAPPEN_DASHDOT, MAPPEN_DASHDOTDOT };
// Brush styles (index into the brush table of CreateBrush).
enum MapBrushStyle {
    MAPBRUSH_HOLLOW = 0,
    MAPBRUSH_SOLID,
    MAPBRUSH_CROSS,
    MAPBRUSH_PATTERN,   // bitmap resource IDB_FILL_PATTERN
    MAPBRUSH_DIAGCROSS,
    MAPBRUSH_FDIAGONAL,
    MAPBRUSH_HORIZONTAL,
    MAPBRUSH_VERTICAL,
    MAPBRUSH_BDIAGONAL,
};
constexpr int kMapPenStyleCount = 6;
constexpr int kMapBrushStyleCount = 9;

struct MapStylePen {
    LONG style;          // MapPenStyle
    COLORREF color;
    LONG beginArrowStyle;
    float beginArrowSize;
    LONG endArrowStyle;
    float endArrowSize;
    float width;         // pixels
};

struct MapStyleBrush {
    LONG style;          // MapBrushStyle
    COLORREF color;
    COLORREF bkColor;
    LONG bkOpaque;       // 1: the background of hatches is filled
};

struct MapStyleText {
    LOGFONTW font;       // lfEscapement: the angle of text objects, whole degrees
    COLORREF color;
    COLORREF bkColor;
    LONG background;     // the text's "Background" option
    LONG line;           // the text's "Line" option
    COLORREF lineColor;
    DWORD reserved;      // carried along, never interpreted
};

class CMapStyle {
public:
    static constexpr int kRecordSize = 272;
    using Record = std::array<BYTE, kRecordSize>;
    static constexpr DWORD kModifiedFlag = 1u << 24;

    // Built-in defaults, then the "New Object" preferences; not modified.
    CMapStyle();
    // Built-in defaults (not the preferences), then every group of `other`; not modified.
    CMapStyle(const CMapStyle& other);
    // Built-in defaults, then the groups of a stored record (bytes 4 to 267); not
    // modified. A null or short record leaves the built-in defaults.
    CMapStyle(const void* record, int size);
    // Every group of `other`; this style's modified flag stays as it is.
    CMapStyle& operator=(const CMapStyle& other);
    virtual ~CMapStyle() = default;

    // Archive form: brush, pen, symbol, text groups and the predefined number;
    // arrows are not archived and loading leaves them as they are.
    virtual void Serialize(CArchive& ar);

    // Same stored bytes, modified flag included.
    BOOL IsEqual(const CMapStyle& other) const;
    // Whether what an object's properties edit differs: symbol face, height,
    // colour, style code and character, the pen and the brush. The text font,
    // text colours and flags and the predefined number are not compared; sizes
    // and widths are compared exactly.
    BOOL IsDifferent(const CMapStyle& other) const;

    // ---- stored record
    // The 272 bytes: reserved word and padding written as zeros, the flags word as held.
    Record ToRecord() const;
    void WriteRecord(BYTE* record) const;
    // Takes the groups from bytes 4 to 267 as operator= does. A null or short
    // record changes nothing and gives FALSE.
    BOOL ReadRecord(const void* record, int size);

    // ---- modified flag
    void SetModified(bool modified);
    BOOL IsModified() const { return (m_flags & kModifiedFlag) != 0; }

    // ---- brush
    void SetBrushStyle(int style);
    void SetBrushColor(COLORREF color);
    void SetBkColor(COLORREF color);
    void SetBkOpaque(int opaque);
    int GetBrushStyle() const { return m_brush.style; }
    COLORREF GetBrushColor() const { return m_brush.color; }
    COLORREF GetBkColor() const { return m_brush.bkColor; }
    BOOL IsBkOpaque() const { return m_brush.bkOpaque; }
    const MapStyleBrush& GetBrush() const { return m_brush; }
    // OPAQUE when the background flag is 1, else TRANSPARENT.
    int GetBkMode() const;

    // ---- pen
    void SetPenStyle(int style);
    void SetPenColor(COLORREF color);
    void SetPenWidth(float width);
    void SetBeginArrowStyle(int style);   // always marks modified
    void SetEndArrowStyle(int style);     // always marks modified
    void SetBeginArrowSize(float size);
    void SetEndArrowSize(float size);
    void SetPen(int style, COLORREF color, int beginStyle, float beginSize, int endStyle, float endSize, float width);
    int GetPenStyle() const { return m_pen.style; }
    COLORREF GetPenColor() const { return m_pen.color; }
    float GetPenWidth() const { return m_pen.width; }
    int GetBeginArrowStyle() const { return m_pen.beginArrowStyle; }
    float GetBeginArrowSize() const { return m_pen.beginArrowSize; }
    int GetEndArrowStyle() const { return m_pen.endArrowStyle; }
    float GetEndArrowSize() const { return m_pen.endArrowSize; }
    const MapStylePen& GetPen() const { return m_pen; }

    // ---- symbol
    // Characters are 8-bit here as in the preferences and dialogs; the byte b
    // is the code unit b of the stored UTF-16 character (0 to 255 round-trip).
    void SetSymbolChar(char c);
    void SetSymbolColor(COLORREF color);
    void SetSymbolFontName(const char* face);
    void SetSymbolSize(int height);        // |height|, 13 for 0; width becomes 0
    void SetSymbolFontStyle(int code);     // 0 regular, 1 bold, 2 italic, 3 bold italic
    void SetSymbol(const LOGFONTW& font, COLORREF color, WCHAR c);   // always marks modified
    char GetSymbolChar() const;            // '?' for a character beyond 255
    WCHAR GetSymbolCharW() const { return m_symbolChar; }
    // The symbol character as 8-bit (UTF-8) text, ready to draw.
    CString GetSymbolText() const;
    COLORREF GetSymbolColor() const { return m_symbolColor; }
    CString GetSymbolFontName() const;
    int GetSymbolFontStyle() const;
    // The same code as GetSymbolFontStyle: 2 for italic, plus 1 for a weight of 500 or more.
    int GetSymbolStyleCode() const { return GetSymbolFontStyle(); }
    char GetSymbolCharAnsi() const { return GetSymbolChar(); }
    int GetSymbolSize() const { return m_symbolFont.lfHeight; }
    // Advances whenever the symbol height of any style changes, so that what
    // was worked out from symbol sizes (a layer's index of node squares) can
    // tell that it is stale.
    static uint64_t SymbolHeightGeneration();
    const LOGFONTW& GetSymbolFont() const { return m_symbolFont; }

    // ---- text
    void SetTextColor(COLORREF color);
    void SetTextBkColor(COLORREF color);
    void SetTextBackground(int flag);
    void SetTextLine(int flag);
    void SetTextLineColor(COLORREF color);
    void SetTextSize(int height);          // compares |height|; 13 for 0; width becomes 0
    void SetTextFontName(const char* face);   // always marks modified
    void SetTextLogFont(const LOGFONTA& font); // always marks modified
    void SetTextAngle(int degrees);        // modulo 3600, sign kept; always marks modified
    COLORREF GetTextColor() const { return m_text.color; }
    COLORREF GetTextBkColor() const { return m_text.bkColor; }
    int GetTextBackground() const { return m_text.background; }
    int GetTextLine() const { return m_text.line; }
    COLORREF GetTextLineColor() const { return m_text.lineColor; }
    int GetTextSize() const { return m_text.font.lfHeight; }
    int GetTextAngle() const { return m_text.font.lfEscapement; }
    CString GetTextFontName() const;
    LOGFONTA GetTextLogFont() const;
    const LOGFONTW& GetTextFont() const { return m_text.font; }
    const MapStyleText& GetText() const { return m_text; }

    // ---- predefined styles
    void SetPredefinedStyle(int number);
    int GetPredefinedStyle() const { return m_predefined; }

    // ---- GDI objects (the caller owns and selects them)
    // A stored index outside the table draws as the built-in default (solid).
    BOOL CreatePen(CPen& pen) const;
    BOOL CreateBrush(CBrush& brush) const;
    BOOL CreateSymbolFont(CFont& font) const;

private:
    struct BuiltInTag {};
    // The built-in defaults alone.
    explicit CMapStyle(BuiltInTag);
    static const CMapStyle& BuiltInDefaults();
    void SetBuiltInDefaults();
    // The built-in defaults, then the "New Object" preferences, not modified.
    void ApplyNewObjectPreferences();
    void CopyGroups(const CMapStyle& other);
    // ReadRecord without telling the symbol height generation: a style being made.
    BOOL ReadGroups(const void* record, int size);
    void MarkModified() { m_flags |= kModifiedFlag; }

    LOGFONTW m_symbolFont;
    COLORREF m_symbolColor;
    WCHAR m_symbolChar;
    MapStylePen m_pen;
    MapStyleBrush m_brush;
    LONG m_predefined;
    MapStyleText m_text;
    DWORD m_flags;
};

static_assert(std::tuple_size_v<CMapStyle::Record> == 272, "the style record is 272 bytes");
