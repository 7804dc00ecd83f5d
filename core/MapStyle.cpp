// Styles: defaults from the "New Object" preference, setters that mark the
// style modified only on a change, the 272-byte record written field by field,
// and the pens, brushes and fonts it creates.
#include "core/MapStyle.h"

#include "core/Utilities.h"
#include "core/Settings.h"
#include "platform/base/CArchive.h"
#include "platform/base/DeviceCoordinates.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "resources/resource.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

// ---------------------------------------------------------------- stored-record helpers
namespace MapRecord {
void PutLogFontW(BYTE* p, const LOGFONTW& f)
{
    PutDword(p + 0, (DWORD)f.lfHeight);
    PutDword(p + 4, (DWORD)f.lfWidth);
    PutDword(p + 8, (DWORD)f.lfEscapement);
    PutDword(p + 12, (DWORD)f.lfOrientation);
    PutDword(p + 16, (DWORD)f.lfWeight);
    p[20] = f.lfItalic;
    p[21] = f.lfUnderline;
    p[22] = f.lfStrikeOut;
    p[23] = f.lfCharSet;
    p[24] = f.lfOutPrecision;
    p[25] = f.lfClipPrecision;
    p[26] = f.lfQuality;
    p[27] = f.lfPitchAndFamily;
    // The face name is 32 little-endian 16-bit units: on a little-endian host
    // that is the array as it lies in memory.
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p + 28, f.lfFaceName, sizeof f.lfFaceName);
    } else {
        for (int i = 0; i < LF_FACESIZE; ++i)
            PutWord(p + 28 + 2 * i, (WORD)f.lfFaceName[i]);
    }
}

void GetLogFontW(const BYTE* p, LOGFONTW& f)
{
    f.lfHeight = (LONG)GetDword(p + 0);
    f.lfWidth = (LONG)GetDword(p + 4);
    f.lfEscapement = (LONG)GetDword(p + 8);
    f.lfOrientation = (LONG)GetDword(p + 12);
    f.lfWeight = (LONG)GetDword(p + 16);
    f.lfItalic = p[20];
    f.lfUnderline = p[21];
    f.lfStrikeOut = p[22];
    f.lfCharSet = p[23];
    f.lfOutPrecision = p[24];
    f.lfClipPrecision = p[25];
    f.lfQuality = p[26];
    f.lfPitchAndFamily = p[27];
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(f.lfFaceName, p + 28, sizeof f.lfFaceName);
    } else {
        for (int i = 0; i < LF_FACESIZE; ++i)
            f.lfFaceName[i] = (WCHAR)GetWord(p + 28 + 2 * i);
    }
}
}

void SetLogFontFaceName(LOGFONTW& font, const char* face)
{
    const std::u16string wide = CString(face).ToUtf16();
    size_t n = wide.size() < LF_FACESIZE - 1 ? wide.size() : LF_FACESIZE - 1;
    // Never keep the first half of a surrogate pair alone.
    if (n > 0 && n < wide.size() && wide[n - 1] >= 0xD800 && wide[n - 1] <= 0xDBFF)
        --n;
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    for (size_t i = 0; i < n; ++i)
        font.lfFaceName[i] = wide[i];
}

CString GetLogFontFaceName(const LOGFONTW& font) { return CString::FromUtf16(font.lfFaceName, LF_FACESIZE); }

namespace {
// Everything but the face name, which the two records hold in different encodings.
template <class From, class To>
void copyLogFontMetrics(const From& in, To& out)
{
    out.lfHeight = in.lfHeight;
    out.lfWidth = in.lfWidth;
    out.lfEscapement = in.lfEscapement;
    out.lfOrientation = in.lfOrientation;
    out.lfWeight = in.lfWeight;
    out.lfItalic = in.lfItalic;
    out.lfUnderline = in.lfUnderline;
    out.lfStrikeOut = in.lfStrikeOut;
    out.lfCharSet = in.lfCharSet;
    out.lfOutPrecision = in.lfOutPrecision;
    out.lfClipPrecision = in.lfClipPrecision;
    out.lfQuality = in.lfQuality;
    out.lfPitchAndFamily = in.lfPitchAndFamily;
}
} // namespace

void LogFontWToA(const LOGFONTW& in, LOGFONTA& out)
{
    copyLogFontMetrics(in, out);
    const CString face = GetLogFontFaceName(in);
    // A UTF-8 character that does not fit whole is left out.
    const int n = CString::Utf8FitLength(face.GetString(), face.GetLength(), LF_FACESIZE - 1);
    std::memset(out.lfFaceName, 0, sizeof out.lfFaceName);
    std::memcpy(out.lfFaceName, face.GetString(), (size_t)n);
}

void LogFontAToW(const LOGFONTA& in, LOGFONTW& out)
{
    copyLogFontMetrics(in, out);
    SetLogFontFaceName(out, CString(in.lfFaceName, (int)strnlen(in.lfFaceName, LF_FACESIZE)));
}

// ---------------------------------------------------------------- record layout
namespace {
// Offsets of the 272-byte record; the first word, the two bytes after the
// symbol character and the last word are not part of the style's data.
enum : int {
    kOffSymbolFont = 4,
    kOffSymbolColor = 96,
    kOffSymbolChar = 100,
    kOffPenStyle = 104,
    kOffPenColor = 108,
    kOffBeginArrowStyle = 112,
    kOffBeginArrowSize = 116,
    kOffEndArrowStyle = 120,
    kOffEndArrowSize = 124,
    kOffPenWidth = 128,
    kOffBrushStyle = 132,
    kOffBrushColor = 136,
    kOffBkColor = 140,
    kOffBkOpaque = 144,
    kOffPredefined = 148,
    kOffTextFont = 152,
    kOffTextColor = 244,
    kOffTextBkColor = 248,
    kOffTextBackground = 252,
    kOffTextLine = 256,
    kOffTextLineColor = 260,
    kOffTextReserved = 264,
    kOffFlags = 268,
};
static_assert(kOffSymbolColor == kOffSymbolFont + MapRecord::kLogFontWSize);
static_assert(kOffTextColor == kOffTextFont + MapRecord::kLogFontWSize);
static_assert(kOffFlags + 4 == CMapStyle::kRecordSize);

const char* const kSymbolFace = "Map Symbols";

LOGFONTW DefaultFont(const char* face, LONG height, LONG width)
{
    LOGFONTW f{};
    f.lfHeight = height;
    f.lfWidth = width;
    f.lfCharSet = DEFAULT_CHARSET;
    SetLogFontFaceName(f, face);
    return f;
}

WCHAR AnsiToWide(char c) { return (WCHAR)(BYTE)c; }

char WideToAnsi(WCHAR c) { return c <= 0xFF ? (char)(BYTE)c : '?'; }

// Archive form of a font: five 32-bit fields, eight bytes, the face as a string.
void StoreFont(CArchive& ar, const LOGFONTW& f)
{
    ar << (LONG)f.lfHeight << (LONG)f.lfWidth << (LONG)f.lfEscapement << (LONG)f.lfOrientation
       << (LONG)f.lfWeight;
    ar << f.lfItalic << f.lfUnderline << f.lfStrikeOut << f.lfCharSet << f.lfOutPrecision << f.lfClipPrecision
       << f.lfQuality << f.lfPitchAndFamily;
    ar << GetLogFontFaceName(f);
}

void LoadFont(CArchive& ar, LOGFONTW& f)
{
    ar >> f.lfHeight >> f.lfWidth >> f.lfEscapement >> f.lfOrientation >> f.lfWeight;
    ar >> f.lfItalic >> f.lfUnderline >> f.lfStrikeOut >> f.lfCharSet >> f.lfOutPrecision >> f.lfClipPrecision
        >> f.lfQuality >> f.lfPitchAndFamily;
    CString face;
    ar >> face;
    SetLogFontFaceName(f, face);
}
}

// ---------------------------------------------------------------- construction
// Every object is made with a style, so the defaults are worked out once: the
// built-in ones never change, and those of the "New Object" preferences are
// kept beside the preference values they came from and made again only when
// one of those values changed.
namespace {
struct NewObjectPreferences {
    int brushStyle, bkColor, brushColor, bkOpaque, penColor, penStyle, beginArrow, endArrow;
    BYTE penWidth, symbolSize, symbolChar;
    int symbolColor;
    COLORREF textColor, textBkColor;
    CString symbolFace;

    static NewObjectPreferences Current()
    {
        return {g_NewObjectBrushStyle, g_NewObjectBkColor,       g_NewObjectBrushColor,     g_NewObjectBkOpaque,
                g_NewObjectPenColor,   g_NewObjectPenStyle,      g_NewObjectBeginArrowStyle, g_NewObjectEndArrowStyle,
                g_NewObjectPenWidth,   g_NewObjectSymbolSize,    g_NewObjectSymbolChar,     g_NewObjectSymbolColor,
                g_DefaultTextColor,    g_DefaultTextBkColor,     g_NewObjectSymbolFontName};
    }
    // Compared without building a copy of the face name.
    bool AreCurrent() const
    {
        return brushStyle == g_NewObjectBrushStyle && bkColor == g_NewObjectBkColor
            && brushColor == g_NewObjectBrushColor && bkOpaque == g_NewObjectBkOpaque
            && penColor == g_NewObjectPenColor && penStyle == g_NewObjectPenStyle
            && beginArrow == g_NewObjectBeginArrowStyle && endArrow == g_NewObjectEndArrowStyle
            && penWidth == g_NewObjectPenWidth && symbolSize == g_NewObjectSymbolSize
            && symbolChar == g_NewObjectSymbolChar && symbolColor == g_NewObjectSymbolColor
            && textColor == g_DefaultTextColor && textBkColor == g_DefaultTextBkColor
            && symbolFace == g_NewObjectSymbolFontName;
    }
};
}

// The built-in defaults, worked out on first use.
namespace {
uint64_t g_SymbolHeightGeneration = 1;

// Advances the generation when a change left the symbol height other than it was.
class SymbolHeightWatch {
public:
    explicit SymbolHeightWatch(const LOGFONTW& font) : m_font(font), m_before(font.lfHeight) {}
    ~SymbolHeightWatch()
    {
        if (m_font.lfHeight != m_before)
            ++g_SymbolHeightGeneration;
    }
    SymbolHeightWatch(const SymbolHeightWatch&) = delete;
    SymbolHeightWatch& operator=(const SymbolHeightWatch&) = delete;

private:
    const LOGFONTW& m_font;
    LONG m_before;
};
}

uint64_t CMapStyle::SymbolHeightGeneration()
{
    return g_SymbolHeightGeneration;
}

const CMapStyle& CMapStyle::BuiltInDefaults()
{
    static const CMapStyle defaults(BuiltInTag{});
    return defaults;
}

CMapStyle::CMapStyle(BuiltInTag)
{
    m_symbolFont = DefaultFont(kSymbolFace, 13, 9);
    m_symbolColor = 0;
    m_symbolChar = u'<';
    m_pen = {MAPPEN_SOLID, 0, 0, 1.0f, 0, 1.0f, 1.0f};
    m_brush = {MAPBRUSH_SOLID, 0xFFFFFF, 0xFFFFFF, 0};
    m_predefined = 0;
    m_text.font = DefaultFont(g_DefaultTextFaceName, 13, 0);
    m_text.color = 0;
    m_text.bkColor = 0xFFFFFF;
    m_text.background = 0;
    m_text.line = 0;
    m_text.lineColor = 0;
    m_text.reserved = 0;
    m_flags = 0;
}

void CMapStyle::SetBuiltInDefaults()
{
    const SymbolHeightWatch watch(m_symbolFont);
    CopyGroups(BuiltInDefaults());
    m_flags = 0;
}

void CMapStyle::ApplyNewObjectPreferences()
{
    SetBuiltInDefaults();
    SetBrushStyle(g_NewObjectBrushStyle);
    SetBkColor((COLORREF)g_NewObjectBkColor);
    SetBrushColor((COLORREF)g_NewObjectBrushColor);
    SetBkOpaque(g_NewObjectBkOpaque);
    SetPenColor((COLORREF)g_NewObjectPenColor);
    SetPenStyle(g_NewObjectPenStyle);
    SetBeginArrowStyle(g_NewObjectBeginArrowStyle);
    SetEndArrowStyle(g_NewObjectEndArrowStyle);
    SetEndArrowSize(1.0f);
    SetBeginArrowSize(1.0f);
    SetPenWidth((float)g_NewObjectPenWidth);
    SetSymbolFontName(g_NewObjectSymbolFontName);
    SetSymbolSize(g_NewObjectSymbolSize);
    SetSymbolColor((COLORREF)g_NewObjectSymbolColor);
    SetSymbolChar((char)g_NewObjectSymbolChar);
    SetTextFontName(g_DefaultTextFaceName);
    SetTextSize(12);
    SetTextColor(g_DefaultTextColor);
    SetTextBkColor(g_DefaultTextBkColor);
    SetTextBackground(0);
    SetPredefinedStyle(0);
    m_flags = 0;
}

CMapStyle::CMapStyle()
{
    // One per thread: a thread never sees another's half-made copy.
    struct Cached {
        NewObjectPreferences preferences;
        CMapStyle style{BuiltInTag{}};
        bool made = false;
    };
    thread_local Cached cached;
    if (!cached.made || !cached.preferences.AreCurrent()) {
        cached.preferences = NewObjectPreferences::Current();
        cached.style.ApplyNewObjectPreferences();
        cached.made = true;
    }
    CopyGroups(cached.style);
    m_flags = 0;
}

// Every group is taken from `other`: nothing of the built-in defaults would remain.
CMapStyle::CMapStyle(const CMapStyle& other)
{
    CopyGroups(other);
    m_flags = 0;
}

CMapStyle::CMapStyle(const void* record, int size)
{
    // A whole record sets every group; only a short one leaves the defaults.
    if (!ReadGroups(record, size))
        CopyGroups(BuiltInDefaults());
    m_flags = 0;
}

CMapStyle& CMapStyle::operator=(const CMapStyle& other)
{
    if (this != &other) {
        const SymbolHeightWatch watch(m_symbolFont);
        CopyGroups(other);
    }
    return *this;
}

void CMapStyle::CopyGroups(const CMapStyle& other)
{
    m_brush = other.m_brush;
    m_pen = other.m_pen;
    m_symbolColor = other.m_symbolColor;
    m_symbolChar = other.m_symbolChar;
    m_symbolFont = other.m_symbolFont;
    m_text = other.m_text;
    m_predefined = other.m_predefined;
}

// ---------------------------------------------------------------- record
void CMapStyle::WriteRecord(BYTE* r) const
{
    using namespace MapRecord;
    std::memset(r, 0, kRecordSize);
    PutLogFontW(r + kOffSymbolFont, m_symbolFont);
    PutDword(r + kOffSymbolColor, m_symbolColor);
    PutWord(r + kOffSymbolChar, (WORD)m_symbolChar);
    PutDword(r + kOffPenStyle, (DWORD)m_pen.style);
    PutDword(r + kOffPenColor, m_pen.color);
    PutDword(r + kOffBeginArrowStyle, (DWORD)m_pen.beginArrowStyle);
    PutFloat(r + kOffBeginArrowSize, m_pen.beginArrowSize);
    PutDword(r + kOffEndArrowStyle, (DWORD)m_pen.endArrowStyle);
    PutFloat(r + kOffEndArrowSize, m_pen.endArrowSize);
    PutFloat(r + kOffPenWidth, m_pen.width);
    PutDword(r + kOffBrushStyle, (DWORD)m_brush.style);
    PutDword(r + kOffBrushColor, m_brush.color);
    PutDword(r + kOffBkColor, m_brush.bkColor);
    PutDword(r + kOffBkOpaque, (DWORD)m_brush.bkOpaque);
    PutDword(r + kOffPredefined, (DWORD)m_predefined);
    PutLogFontW(r + kOffTextFont, m_text.font);
    PutDword(r + kOffTextColor, m_text.color);
    PutDword(r + kOffTextBkColor, m_text.bkColor);
    PutDword(r + kOffTextBackground, (DWORD)m_text.background);
    PutDword(r + kOffTextLine, (DWORD)m_text.line);
    PutDword(r + kOffTextLineColor, m_text.lineColor);
    PutDword(r + kOffTextReserved, m_text.reserved);
    PutDword(r + kOffFlags, m_flags);
}

CMapStyle::Record CMapStyle::ToRecord() const
{
    Record r;
    WriteRecord(r.data());
    return r;
}

BOOL CMapStyle::ReadRecord(const void* record, int size)
{
    const SymbolHeightWatch watch(m_symbolFont);
    return ReadGroups(record, size);
}

BOOL CMapStyle::ReadGroups(const void* record, int size)
{
    using namespace MapRecord;
    if (!record || size < kRecordSize)
        return FALSE;
    const BYTE* r = static_cast<const BYTE*>(record);
    GetLogFontW(r + kOffSymbolFont, m_symbolFont);
    m_symbolColor = GetDword(r + kOffSymbolColor);
    m_symbolChar = (WCHAR)GetWord(r + kOffSymbolChar);
    m_pen.style = (LONG)GetDword(r + kOffPenStyle);
    m_pen.color = GetDword(r + kOffPenColor);
    m_pen.beginArrowStyle = (LONG)GetDword(r + kOffBeginArrowStyle);
    m_pen.beginArrowSize = GetFloat(r + kOffBeginArrowSize);
    m_pen.endArrowStyle = (LONG)GetDword(r + kOffEndArrowStyle);
    m_pen.endArrowSize = GetFloat(r + kOffEndArrowSize);
    m_pen.width = GetFloat(r + kOffPenWidth);
    m_brush.style = (LONG)GetDword(r + kOffBrushStyle);
    m_brush.color = GetDword(r + kOffBrushColor);
    m_brush.bkColor = GetDword(r + kOffBkColor);
    m_brush.bkOpaque = (LONG)GetDword(r + kOffBkOpaque);
    m_predefined = (LONG)GetDword(r + kOffPredefined);
    GetLogFontW(r + kOffTextFont, m_text.font);
    m_text.color = GetDword(r + kOffTextColor);
    m_text.bkColor = GetDword(r + kOffTextBkColor);
    m_text.background = (LONG)GetDword(r + kOffTextBackground);
    m_text.line = (LONG)GetDword(r + kOffTextLine);
    m_text.lineColor = GetDword(r + kOffTextLineColor);
    m_text.reserved = GetDword(r + kOffTextReserved);
    return TRUE;
}

namespace {
// Equal as stored: every field of the record, floats by their bits.
bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameFont(const LOGFONTW& a, const LOGFONTW& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement
        && a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic
        && a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet
        && a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision
        && a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily
        && std::memcmp(a.lfFaceName, b.lfFaceName, sizeof a.lfFaceName) == 0;
}
}

// The same answer as comparing the two 272-byte records, without writing them.
BOOL CMapStyle::IsEqual(const CMapStyle& other) const
{
    const MapStylePen& p = m_pen;
    const MapStylePen& q = other.m_pen;
    const MapStyleText& t = m_text;
    const MapStyleText& u = other.m_text;
    return m_flags == other.m_flags && m_symbolColor == other.m_symbolColor && m_symbolChar == other.m_symbolChar
        && m_predefined == other.m_predefined && p.style == q.style && p.color == q.color
        && p.beginArrowStyle == q.beginArrowStyle && SameBits(p.beginArrowSize, q.beginArrowSize)
        && p.endArrowStyle == q.endArrowStyle && SameBits(p.endArrowSize, q.endArrowSize)
        && SameBits(p.width, q.width) && m_brush.style == other.m_brush.style
        && m_brush.color == other.m_brush.color && m_brush.bkColor == other.m_brush.bkColor
        && m_brush.bkOpaque == other.m_brush.bkOpaque && t.color == u.color && t.bkColor == u.bkColor
        && t.background == u.background && t.line == u.line && t.lineColor == u.lineColor
        && t.reserved == u.reserved && SameFont(m_symbolFont, other.m_symbolFont)
        && SameFont(t.font, u.font);
}

BOOL CMapStyle::IsDifferent(const CMapStyle& other) const
{
    const MapStylePen& p = m_pen;
    const MapStylePen& q = other.m_pen;
    const bool sameSymbol = GetSymbolFontName() == other.GetSymbolFontName() &&
                            m_symbolFont.lfHeight == other.m_symbolFont.lfHeight &&
                            m_symbolColor == other.m_symbolColor &&
                            GetSymbolStyleCode() == other.GetSymbolStyleCode() &&
                            GetSymbolCharAnsi() == other.GetSymbolCharAnsi();
    const bool samePen = p.style == q.style && p.color == q.color && p.beginArrowStyle == q.beginArrowStyle &&
                         p.beginArrowSize == q.beginArrowSize && p.endArrowStyle == q.endArrowStyle &&
                         p.endArrowSize == q.endArrowSize && p.width == q.width;
    const bool sameBrush = m_brush.style == other.m_brush.style && m_brush.color == other.m_brush.color &&
                           m_brush.bkColor == other.m_brush.bkColor && m_brush.bkOpaque == other.m_brush.bkOpaque;
    return !(sameSymbol && samePen && sameBrush);
}

void CMapStyle::SetModified(bool modified)
{
    if (modified)
        m_flags |= kModifiedFlag;
    else
        m_flags &= ~kModifiedFlag;
}

// ---------------------------------------------------------------- archive
void CMapStyle::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (WORD)m_brush.style << (DWORD)m_brush.color << (DWORD)m_brush.bkColor << (WORD)m_brush.bkOpaque;
        ar << (WORD)m_pen.style << (DWORD)m_pen.color << m_pen.width;
        ar << (DWORD)m_symbolColor << (BYTE)WideToAnsi(m_symbolChar);
        StoreFont(ar, m_symbolFont);
        ar << (LONG)m_text.background << (DWORD)m_text.reserved << (LONG)m_text.line << (DWORD)m_text.bkColor
           << (DWORD)m_text.color << (DWORD)m_text.lineColor;
        StoreFont(ar, m_text.font);
        ar << (WORD)m_predefined;
    } else {
        WORD w = 0;
        ar >> w;
        m_brush.style = w;
        ar >> m_brush.color >> m_brush.bkColor;
        ar >> w;
        m_brush.bkOpaque = w;
        ar >> w;
        m_pen.style = w;
        ar >> m_pen.color >> m_pen.width;
        BYTE c = 0;
        ar >> m_symbolColor >> c;
        m_symbolChar = AnsiToWide((char)c);
        const SymbolHeightWatch watch(m_symbolFont);
        LoadFont(ar, m_symbolFont);
        ar >> m_text.background >> m_text.reserved >> m_text.line >> m_text.bkColor >> m_text.color >> m_text.lineColor;
        LoadFont(ar, m_text.font);
        ar >> w;
        m_predefined = w;
    }
}

// ---------------------------------------------------------------- brush
void CMapStyle::SetBrushStyle(int style)
{
    if (m_brush.style != style) {
        m_brush.style = style;
        MarkModified();
    }
}

void CMapStyle::SetBrushColor(COLORREF color)
{
    if (m_brush.color != color) {
        m_brush.color = color;
        MarkModified();
    }
}

void CMapStyle::SetBkColor(COLORREF color)
{
    if (m_brush.bkColor != color) {
        m_brush.bkColor = color;
        MarkModified();
    }
}

void CMapStyle::SetBkOpaque(int opaque)
{
    if (m_brush.bkOpaque != opaque) {
        m_brush.bkOpaque = opaque;
        MarkModified();
    }
}

int CMapStyle::GetBkMode() const { return m_brush.bkOpaque == 1 ? OPAQUE : TRANSPARENT; }

// ---------------------------------------------------------------- pen
void CMapStyle::SetPenStyle(int style)
{
    if (m_pen.style != style) {
        m_pen.style = style;
        MarkModified();
    }
}

void CMapStyle::SetPenColor(COLORREF color)
{
    if (m_pen.color != color) {
        m_pen.color = color;
        MarkModified();
    }
}

void CMapStyle::SetPenWidth(float width)
{
    if (m_pen.width != width) {
        m_pen.width = width;
        MarkModified();
    }
}

void CMapStyle::SetBeginArrowStyle(int style)
{
    m_pen.beginArrowStyle = style;
    MarkModified();
}

void CMapStyle::SetEndArrowStyle(int style)
{
    m_pen.endArrowStyle = style;
    MarkModified();
}

void CMapStyle::SetBeginArrowSize(float size)
{
    if (m_pen.beginArrowSize != size) {
        m_pen.beginArrowSize = size;
        MarkModified();
    }
}

void CMapStyle::SetEndArrowSize(float size)
{
    if (m_pen.endArrowSize != size) {
        m_pen.endArrowSize = size;
        MarkModified();
    }
}

void CMapStyle::SetPen(int style, COLORREF color, int beginStyle, float beginSize, int endStyle, float endSize,
                       float width)
{
    const MapStylePen pen = {style, color, beginStyle, beginSize, endStyle, endSize, width};
    if (pen.style != m_pen.style || pen.color != m_pen.color || pen.beginArrowStyle != m_pen.beginArrowStyle ||
        pen.beginArrowSize != m_pen.beginArrowSize || pen.endArrowStyle != m_pen.endArrowStyle ||
        pen.endArrowSize != m_pen.endArrowSize || pen.width != m_pen.width) {
        m_pen = pen;
        MarkModified();
    }
}

// ---------------------------------------------------------------- symbol
void CMapStyle::SetSymbolChar(char c)
{
    if (WideToAnsi(m_symbolChar) != c) {
        m_symbolChar = AnsiToWide(c);
        MarkModified();
    }
}

char CMapStyle::GetSymbolChar() const { return WideToAnsi(m_symbolChar); }

CString CMapStyle::GetSymbolText() const
{
    const char16_t text[2] = {m_symbolChar, 0};
    return CString::FromUtf16(text, 1);
}

void CMapStyle::SetSymbolColor(COLORREF color)
{
    if (m_symbolColor != color) {
        m_symbolColor = color;
        MarkModified();
    }
}

void CMapStyle::SetSymbolFontName(const char* face)
{
    if (GetSymbolFontName() != CString(face)) {
        SetLogFontFaceName(m_symbolFont, face);
        MarkModified();
    }
}

CString CMapStyle::GetSymbolFontName() const { return GetLogFontFaceName(m_symbolFont); }

void CMapStyle::SetSymbolSize(int height)
{
    if (height == m_symbolFont.lfHeight)
        return;
    const SymbolHeightWatch watch(m_symbolFont);
    m_symbolFont.lfHeight = height == 0 ? 13 : Magnitude(height);
    m_symbolFont.lfWidth = 0;
    MarkModified();
}

int CMapStyle::GetSymbolFontStyle() const
{
    return (m_symbolFont.lfWeight >= FW_MEDIUM ? 1 : 0) + (m_symbolFont.lfItalic ? 2 : 0);
}

void CMapStyle::SetSymbolFontStyle(int code)
{
    if (code == GetSymbolFontStyle())
        return;
    m_symbolFont.lfWeight = (code == 1 || code == 3) ? FW_BOLD : FW_NORMAL;
    m_symbolFont.lfItalic = (code == 2 || code == 3) ? 1 : 0;
    MarkModified();
}

void CMapStyle::SetSymbol(const LOGFONTW& font, COLORREF color, WCHAR c)
{
    const SymbolHeightWatch watch(m_symbolFont);
    m_symbolFont = font;
    m_symbolColor = color;
    m_symbolChar = c;
    MarkModified();
}

// ---------------------------------------------------------------- text
void CMapStyle::SetTextColor(COLORREF color)
{
    if (m_text.color != color) {
        m_text.color = color;
        MarkModified();
    }
}

void CMapStyle::SetTextBkColor(COLORREF color)
{
    if (m_text.bkColor != color) {
        m_text.bkColor = color;
        MarkModified();
    }
}

void CMapStyle::SetTextBackground(int flag)
{
    if (m_text.background != flag) {
        m_text.background = flag;
        MarkModified();
    }
}

void CMapStyle::SetTextLine(int flag)
{
    if (m_text.line != flag) {
        m_text.line = flag;
        MarkModified();
    }
}

void CMapStyle::SetTextLineColor(COLORREF color)
{
    if (m_text.lineColor != color) {
        m_text.lineColor = color;
        MarkModified();
    }
}

void CMapStyle::SetTextSize(int height)
{
    if (Magnitude(height) == m_text.font.lfHeight)
        return;
    m_text.font.lfHeight = height == 0 ? 13 : Magnitude(height);
    m_text.font.lfWidth = 0;
    MarkModified();
}

void CMapStyle::SetTextFontName(const char* face)
{
    SetLogFontFaceName(m_text.font, face);
    MarkModified();
}

CString CMapStyle::GetTextFontName() const { return GetLogFontFaceName(m_text.font); }

void CMapStyle::SetTextLogFont(const LOGFONTA& font)
{
    LogFontAToW(font, m_text.font);
    MarkModified();
}

LOGFONTA CMapStyle::GetTextLogFont() const
{
    LOGFONTA f;
    LogFontWToA(m_text.font, f);
    return f;
}

void CMapStyle::SetTextAngle(int degrees)
{
    // C++ keeps the sign of the dividend, so -450 stays -450 and 3700 becomes 100.
    m_text.font.lfEscapement = degrees % 3600;
    m_text.font.lfOrientation = m_text.font.lfEscapement;
    MarkModified();
}

// ---------------------------------------------------------------- predefined styles
void CMapStyle::SetPredefinedStyle(int number)
{
    if (number == m_predefined)
        return;
    m_predefined = number;
    auto pen = [this](COLORREF color, float width) { SetPen(MAPPEN_SOLID, color, 0, 1.0f, 0, 1.0f, width); };
    auto symbol = [this](char c, const char* face = kSymbolFace, LONG height = 13, LONG width = 9) {
        SetSymbol(DefaultFont(face, height, width), 0, AnsiToWide(c));
    };
    switch (number) {
    case 1: pen(0x000000, 1.0f); break;
    case 2: pen(0xFF0000, 2.0f); break;
    case 4: pen(0xFF0000, 1.0f); break;
    case 5: pen(0x00FF00, 2.0f); break;
    case 6: pen(0x0000FF, 2.0f); break;
    case 7: symbol('!'); break;
    case 8: symbol('B', "MapInfo Transportation"); break;
    case 9: symbol('*'); break;
    case 10: symbol('"'); break;
    case 11: symbol('C', kSymbolFace, 18, 0); break;
    case 12: symbol('(', kSymbolFace, 16, 0); break;
    case 16: symbol('$'); break;
    case 17: symbol('#', kSymbolFace, 8, 0); break;
    case 18: symbol('(', "MapInfo Cartographic"); break;
    default: break;
    }
    MarkModified();
}

// ---------------------------------------------------------------- GDI objects
BOOL CMapStyle::CreatePen(CPen& pen) const
{
    static const UINT kPenStyles[kMapPenStyleCount] = {PS_NULL, PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    // Files may hold any index; an unknown one draws as the default solid pen.
    const int index = (m_pen.style >= 0 && m_pen.style < kMapPenStyleCount) ? m_pen.style : MAPPEN_SOLID;
    LOGPEN lp;
    lp.lopnStyle = kPenStyles[index];
    // A stored width may be NaN or beyond any device: NaN draws as the thin pen, the rest is limited.
    lp.lopnWidth.x = std::isnan(m_pen.width) ? 0 : ClampDeviceCoordinate((double)m_pen.width);
    lp.lopnWidth.y = 0;
    lp.lopnColor = m_pen.color;
    return pen.CreatePenIndirect(&lp);
}

BOOL CMapStyle::CreateBrush(CBrush& brush) const
{
    struct BrushEntry {
        UINT style;
        UINT_PTR hatch;
    };
    static const BrushEntry kBrushes[kMapBrushStyleCount] = {
        {BS_HOLLOW, 0},          {BS_SOLID, 0},         {BS_HATCHED, HS_CROSS},
        {BS_PATTERN, 0},         {BS_HATCHED, HS_DIAGCROSS}, {BS_HATCHED, HS_FDIAGONAL},
        {BS_HATCHED, HS_HORIZONTAL}, {BS_HATCHED, HS_VERTICAL}, {BS_HATCHED, HS_BDIAGONAL},
    };
    // Files may hold any index; an unknown one fills as the default solid brush.
    const int index = (m_brush.style >= 0 && m_brush.style < kMapBrushStyleCount) ? m_brush.style : MAPBRUSH_SOLID;
    LOGBRUSH lb;
    lb.lbStyle = kBrushes[index].style;
    lb.lbColor = m_brush.color;
    lb.lbHatch = kBrushes[index].hatch;
    if (index == MAPBRUSH_PATTERN) {
        // The brush keeps its own copy of the pattern; the bitmap lives for this call only.
        CBitmap pattern;
        if (!pattern.LoadBitmap(IDB_FILL_PATTERN))
            return FALSE;
        lb.lbHatch = (UINT_PTR)(HBITMAP)pattern;
        return brush.CreateBrushIndirect(&lb);
    }
    return brush.CreateBrushIndirect(&lb);
}

BOOL CMapStyle::CreateSymbolFont(CFont& font) const
{
    LOGFONTA lf;
    LogFontWToA(m_symbolFont, lf);
    return font.CreateFontIndirect(&lf);
}
