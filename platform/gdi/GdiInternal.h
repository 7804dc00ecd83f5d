// The objects behind GDI handles and device contexts, and the rasteriser that
// turns figures into spans of device pixels. Private to the platform.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRegion>

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <cwchar>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace gdi {

enum class Kind { Pen = OBJ_PEN, Brush = OBJ_BRUSH, Font = OBJ_FONT, Bitmap = OBJ_BITMAP, Region = OBJ_REGION, Palette = OBJ_PAL };

struct DCImpl;

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    Kind kind;
    HGDIOBJ handle = nullptr;
    bool stock = false;
    bool pendingDelete = false; // deleted while selected: goes when the last DC lets go of it
    int selectCount = 0;
    CGdiObject* owner = nullptr;         // the wrapper that created or attached the handle
    std::unique_ptr<CGdiObject> wrapper; // made by FromHandle when there is no owner
};

struct Pen : Object {
    Pen() : Object(Kind::Pen) {}
    UINT style = PS_SOLID; // full style word (type, caps, joins, dash style)
    int width = 0;
    COLORREF color = 0;
    std::vector<DWORD> userStyle;
    int dashStyle() const { return (int)(style & PS_STYLE_MASK); }
};

struct Bitmap;

struct Brush : Object {
    Brush() : Object(Kind::Brush) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    QImage pattern;          // BS_PATTERN: the pattern's pixels (RGB32)
    bool monoPattern = false; // black pixels take the text colour, white ones the background colour
    UINT_PTR patternHandle = 0;
};

struct Font : Object {
    Font() : Object(Kind::Font) {}
    LOGFONTA lf{};
};

struct Bitmap : Object {
    Bitmap() : Object(Kind::Bitmap) {}
    QImage image; // RGB32; a monochrome bitmap holds only black and white
    bool mono = false;
    // DIB section: the bytes the program writes; `image` is refreshed from them before each use
    // by a DC and written back after each change through a DC.
    bool dib = false;
    BITMAPINFOHEADER header{};
    std::vector<RGBQUAD> colors;
    std::vector<uint8_t> bits;
    DCImpl* selectedIn = nullptr;

    void loadFromBits();
    void storeToBits();
    int width() const { return image.width(); }
    int height() const { return image.height(); }
};

struct Region : Object {
    Region() : Object(Kind::Region) {}
    QRegion region;
};

struct Palette : Object {
    Palette() : Object(Kind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

// Looks a handle up; null when it names no live object of that kind.
Object* lookup(HGDIOBJ h);
template <class T>
T* lookupAs(HGDIOBJ h, Kind k)
{
    Object* o = lookup(h);
    return o && o->kind == k ? static_cast<T*>(o) : nullptr;
}
std::shared_ptr<Object> share(HGDIOBJ h);
HGDIOBJ registerObject(std::shared_ptr<Object> object);
CGdiObject* wrapperOf(Object* object);
HGDIOBJ defaultBitmapHandle(); // the 1x1 monochrome bitmap of a new memory DC

// A selection of an object into a DC: keeps it alive and counted while held.
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(std::shared_ptr<T> p) : m_p(std::move(p)) { acquire(); }
    Ref(const Ref& o) : m_p(o.m_p) { acquire(); }
    Ref& operator=(const Ref& o)
    {
        if (this != &o) {
            Ref tmp(o);
            swap(tmp);
        }
        return *this;
    }
    ~Ref() { release(); }
    void swap(Ref& o) { m_p.swap(o.m_p); }
    T* get() const { return m_p.get(); }
    T* operator->() const { return m_p.get(); }
    explicit operator bool() const { return (bool)m_p; }

private:
    void acquire()
    {
        if (m_p)
            ++m_p->selectCount;
    }
    void release();
    std::shared_ptr<T> m_p;
};
void releaseSelection(Object* o);
template <class T>
void Ref<T>::release()
{
    if (m_p) {
        --m_p->selectCount;
        releaseSelection(m_p.get());
        m_p.reset();
    }
}

// ---------------------------------------------------------------- fonts
// Fonts are made at most this many pixels high: a larger one would show nothing but a part of
// one glyph, and Qt renders it ever more slowly.
inline constexpr int kMaxFontPixels = 1 << 15;
QFont qtFont(const LOGFONTA& lf, double scale = 1.0); // scale: device pixels per logical unit
QString faceSubstitute(const QString& face);
void ensureFontsInitialised();
unsigned fontGeneration(); // changes whenever substitutions or registered fonts change

// Tests set this to draw everything through the general per-pixel paths, uncached, so that
// they can compare the fast paths with them pixel for pixel.
extern bool generalPathsOnly;

// ---------------------------------------------------------------- raster operations
inline uint32_t rop2(int code, uint32_t p, uint32_t d)
{
    const unsigned t = (unsigned)(code - 1) & 15;
    uint32_t r = 0;
    if (t & 1) r |= ~p & ~d;
    if (t & 2) r |= ~p & d;
    if (t & 4) r |= p & ~d;
    if (t & 8) r |= p & d;
    return r & 0xFFFFFF;
}
inline uint32_t rop3(DWORD rop, uint32_t p, uint32_t s, uint32_t d)
{
    const unsigned t = (rop >> 16) & 0xFF;
    switch (t) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x55: return ~d & 0xFFFFFF;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    default: break;
    }
    uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i)
        if (t & (1u << i))
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r & 0xFFFFFF;
}
inline bool ropUsesSource(DWORD rop)
{
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}
inline bool ropUsesPattern(DWORD rop)
{
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}
// COLORREF 0x00BBGGRR <-> pixel 0x00RRGGBB.
inline uint32_t toPixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
inline COLORREF toColorRef(uint32_t p) { return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16); }
inline uint32_t monoOf(uint32_t p)
{
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r + g + b) >= 3 * 128 ? 0xFFFFFF : 0;
}

// Sets n 32-bit pixels to v. The C library's wide-character fill is a 32-bit fill here, and
// picks the widest stores the processor has.
static_assert(sizeof(wchar_t) == sizeof(uint32_t));
inline void fillPixels(uint32_t* p, int n, uint32_t v)
{
    if (n < 16) { // the spans of lines and text: a call costs more than the stores
        for (int i = 0; i < n; ++i)
            p[i] = v;
        return;
    }
    std::wmemset(reinterpret_cast<wchar_t*>(p), (wchar_t)v, (size_t)n);
}

// ---------------------------------------------------------------- rasteriser
struct Span {
    int y;
    int x0; // first pixel
    int x1; // one past the last pixel
    int kind; // 0: ink / fill, 1: gap of a styled line or background of text
};
using Spans = std::vector<Span>;

// Polygons in continuous device coordinates (pixel (x, y) covers [x, x+1) x [y, y+1)):
// a pixel is inside when its centre is, with the top and left edges inclusive.
void fillPolygons(const std::vector<std::vector<QPointF>>& polygons, bool winding, const QRect& bounds, Spans& out,
                  int kind = 0);
// One-pixel line from a to b through pixel centres, the last pixel left out; `styleStep` carries a
// dash pattern (lengths in pixels, on/off alternating) across segments.
void cosmeticLine(QPoint a, QPoint b, const std::vector<int>* dashes, int& styleStep, bool gaps, const QRect& bounds,
                  Spans& out, bool includeLast = false);
// Rows of an ellipse of w x h pixels: left outline [from, to]; the right one mirrors it.
struct EllipseRow {
    int from;
    int to;
    bool edge; // top or bottom row: the outline runs across
};
EllipseRow ellipseRow(int w, int h, int row);
// Outline and interior spans of a rounded rectangle [l, r) x [t, b) whose corners are cw x ch
// ellipse quarters (cw = r - l, ch = b - t makes an ellipse).
void roundRectSpans(int l, int t, int r, int b, int cw, int ch, const QRect& bounds, Spans* outline, Spans* interior);
QRegion spansToRegion(const Spans& spans);
// What a region call answers about its result: NULLREGION, SIMPLEREGION or COMPLEXREGION.
inline int regionType(const QRegion& r)
{
    return r.isEmpty() ? NULLREGION : r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// ---------------------------------------------------------------- device contexts
struct DCState {
    Ref<Pen> pen;
    Ref<Brush> brush;
    Ref<Font> font;
    Ref<Bitmap> bitmap;
    Ref<Palette> palette;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int fillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    POINT brushOrg{0, 0};
    int mapMode = MM_TEXT;
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    SIZE viewportExt{1, 1};
    SIZE windowExt{1, 1};
    std::optional<QRegion> clip; // device coordinates
    POINT current{0, 0};         // logical
};

struct PathFigure {
    std::vector<QPoint> points; // device
    bool closed = false;
};

struct DCImpl {
    HDC handle = nullptr;
    bool memory = false;
    bool screen = false;
    QImage* surface = nullptr;
    std::optional<QRegion> surfaceClip;
    DCState st;
    std::vector<DCState> saved;
    bool inPath = false;
    bool pathReady = false;
    std::vector<PathFigure> path;
    CDC* owner = nullptr;
    std::unique_ptr<CDC> wrapper;
    std::function<void(const RECT&)> observer;

    // Buffers the figure calls reuse, so that drawing a line or a polygon allocates nothing once
    // they have grown: spans of the stroke and the fill, device points of the figures.
    Spans inkSpans, fillSpans;
    std::vector<QPoint> figurePoints;
    std::vector<std::vector<QPointF>> fillPoints;

    // The pixels drawn on (null when there are none); loaded from a DIB section's bytes.
    QImage* target();
    bool targetMono() const;
    void targetChanged(const QRect& deviceRect); // writes a DIB section back, tells the observer
    // Device; surface bounds, system region and clip region. Kept until one of them changes:
    // the inputs are compared on each call (regions that share their data compare at once).
    QRegion clipRegion();
    QRect deviceBounds();

private:
    struct ClipCache {
        bool valid = false;
        QRect bounds;
        std::optional<QRegion> surfaceClip, clip;
        QRegion region;
    } m_clipCache;
};

// The DC of a handle; null when it names no live DC (GdiDC.cpp).
DCImpl* dcFromHandle(HDC h);
// A new DC with the stock pen, brush, font and palette selected; a memory DC also gets
// the 1x1 monochrome bitmap.
DCImpl* newDC(bool memory);
// Destroys the DC of `h` and clears the handles of the CDC objects that named it.
void destroyDC(HDC h);
// The primary screen's size (1024 x 768 without a screen): what a screen DC covers.
QSize screenSize();

// What colours the pixels of a span: a solid colour, a hatch or a pattern aligned to the brush origin.
struct Paint {
    enum Type { Solid, Hatch, Pattern, None } type = None;
    uint32_t color = 0;      // solid colour, hatch lines (pixel value 0x00RRGGBB)
    uint32_t back = 0;       // hatch background; monochrome pattern's white pixels
    bool backOpaque = false; // whether a hatch's background is drawn
    uint32_t fore = 0;       // monochrome pattern's black pixels
    const QImage* pattern = nullptr;
    bool mono = false;
    int hatch = 0;
    QPoint origin;
    bool at(int x, int y, uint32_t& c) const;
};
Paint solidPaint(uint32_t pixel);
// The current brush of the DC, or `brush`; in block transfers a hatch's background is always drawn.
Paint brushPaint(DCImpl* d, Brush* brush, bool forBlt);
// Draws spans clipped to the DC: kind 0 with p0, kind 1 with p1 (null: left out), combined with
// the destination by the binary raster operation `rop2` (R2_COPYPEN copies).
void compose(DCImpl* d, const Spans& spans, const Paint& p0, const Paint* p1, int rop2);

// Logical coordinates arrive as 64-bit values so that callers may pass sums (x + width) without
// overflow; results are clamped to the device coordinate limit.
QPoint toDevice(const DCState& s, int64_t x, int64_t y);
QPointF toDeviceF(const DCState& s, double x, double y);
QPoint toLogical(const DCState& s, int64_t x, int64_t y);
double scaleX(const DCState& s); // device pixels per logical unit, with sign
double scaleY(const DCState& s);
QRect deviceRect(const DCState& s, int64_t x1, int64_t y1, int64_t x2, int64_t y2); // normalised, right and bottom out
QRegion logicalRegionToDevice(const DCState& s, const QRegion& r);

// ---------------------------------------------------------------- packed bitmaps
int dibStride(int width, int bitCount);
int dibColorCount(const BITMAPINFOHEADER& h);
// Decodes scan lines [scanStart, scanStart + scanCount) of a packed bitmap (scan 0 is the first row in
// memory) into `out`, RGB32 with rows top-down, sized width x |height|; `rows` receives the image rows
// that were filled. False for a format this platform does not draw (compressed data).
bool decodeDib(const BITMAPINFO* info, UINT usage, const void* bits, int scanStart, int scanCount, QImage* out,
               int* rowFirst, int* rowEnd);
// Encodes image rows into scan lines [scanStart, scanStart + scanCount) of a packed bitmap described by
// `h` and `colors` (the colour table for 8 bits or fewer).
void encodeDib(const QImage& image, const BITMAPINFOHEADER& h, const RGBQUAD* colors, int colorCount, void* bits,
               int scanStart, int scanCount);
// The colour table GetDIBits reports for a depth of 8 bits or fewer.
std::vector<RGBQUAD> standardColorTable(int bitCount);

} // namespace gdi
