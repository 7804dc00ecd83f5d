// Paint: what colours the pixels of spans (solid colours, hatches and patterns aligned
// to the brush origin) and their composition with the destination through a binary
// raster operation, clipped to the DC. Every drawing call ends here.
#include "platform/gdi/GdiInternal.h"

#include <algorithm>
#include <climits>

namespace gdi {

bool generalPathsOnly = false;

namespace {
bool hatchBit(int hatch, int x, int y)
{
    x &= 7, y &= 7;
    switch (hatch) {
    case HS_HORIZONTAL: return y == 3;
    case HS_VERTICAL: return x == 4;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return y == 3 || x == 4;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
    }
}
} // namespace

bool Paint::at(int x, int y, uint32_t& c) const
{
    switch (type) {
    case Solid: c = color; return true;
    case Hatch:
        if (hatchBit(hatch, x - origin.x(), y - origin.y())) {
            c = color;
            return true;
        }
        c = back;
        return backOpaque;
    case Pattern: {
        const int w = pattern->width(), h = pattern->height();
        int px = (x - origin.x()) % w, py = (y - origin.y()) % h;
        if (px < 0)
            px += w;
        if (py < 0)
            py += h;
        const uint32_t p = reinterpret_cast<const uint32_t*>(pattern->constScanLine(py))[px] & 0xFFFFFF;
        c = mono ? (p ? back : fore) : p;
        return true;
    }
    case None: return false;
    }
    return false;
}

Paint solidPaint(uint32_t pixel)
{
    Paint p;
    p.type = Paint::Solid;
    p.color = pixel;
    return p;
}

Paint brushPaint(DCImpl* d, Brush* b, bool forBlt)
{
    Paint p;
    if (!b)
        b = d->st.brush.get();
    if (!b)
        return p;
    p.origin = QPoint(d->st.brushOrg.x, d->st.brushOrg.y);
    switch (b->style) {
    case BS_SOLID: p.type = Paint::Solid, p.color = toPixel(b->color); break;
    case BS_HATCHED:
        p.type = Paint::Hatch;
        p.color = toPixel(b->color);
        p.hatch = b->hatch;
        p.back = toPixel(d->st.bkColor);
        p.backOpaque = forBlt || d->st.bkMode == OPAQUE;
        break;
    case BS_PATTERN:
        if (b->pattern.isNull())
            break;
        p.type = Paint::Pattern;
        p.pattern = &b->pattern;
        p.mono = b->monoPattern;
        p.fore = toPixel(d->st.textColor);
        p.back = toPixel(d->st.bkColor);
        break;
    default: break;
    }
    return p;
}

namespace {

// Pixels [0, n) of a row combined with one colour: the solid paints, which are nearly all, go
// a row at a time; the loop bodies are what rop2() computes for each code.
void solidRun(uint32_t* line, int n, uint32_t c, int rop)
{
    switch (rop) {
    case R2_COPYPEN: fillPixels(line, n, 0xFF000000u | c); return;
    case R2_XORPEN:
        for (int x = 0; x < n; ++x)
            line[x] = 0xFF000000u | ((line[x] ^ c) & 0xFFFFFF);
        return;
    case R2_NOTXORPEN:
        for (int x = 0; x < n; ++x)
            line[x] = 0xFF000000u | (~(line[x] ^ c) & 0xFFFFFF);
        return;
    case R2_NOT:
        for (int x = 0; x < n; ++x)
            line[x] = 0xFF000000u | (~line[x] & 0xFFFFFF);
        return;
    default:
        for (int x = 0; x < n; ++x)
            line[x] = 0xFF000000u | rop2(rop, c, line[x] & 0xFFFFFF);
        return;
    }
}

// Hatches and patterns: the colour of each pixel looked up.
void patternRun(uint32_t* line, int y, int x0, int x1, const Paint& p, bool mono, int rop)
{
    for (int x = x0; x < x1; ++x) {
        uint32_t c;
        if (!p.at(x, y, c))
            continue;
        if (mono)
            c = monoOf(c);
        const uint32_t dst = line[x] & 0xFFFFFF;
        line[x] = 0xFF000000u | (rop == R2_COPYPEN ? c : rop2(rop, c, dst));
    }
}

// Solid spans through a clip of one rectangle, the case of nearly every line, figure and text:
// `op(pixels, count, colour)` combines each clipped run. Widens [minX, maxX) x [minY, maxY) to
// what it draws.
template <class Op>
void solidSpans(const Spans& spans, const QRect& clip, uchar* bits, qsizetype bpl, const uint32_t solid[2],
                bool background, Op op, int& minX, int& minY, int& maxX, int& maxY)
{
    const int left = clip.left(), right = clip.right() + 1, top = clip.top(), bottom = clip.bottom() + 1;
    for (const Span& s : spans) {
        if ((s.kind != 0 && !background) || s.y < top || s.y >= bottom)
            continue;
        const int x0 = std::max(s.x0, left), x1 = std::min(s.x1, right);
        if (x0 >= x1)
            continue;
        op(reinterpret_cast<uint32_t*>(bits + (qsizetype)s.y * bpl) + x0, x1 - x0, solid[s.kind == 0 ? 0 : 1]);
        minX = std::min(minX, x0), maxX = std::max(maxX, x1);
        minY = std::min(minY, s.y), maxY = std::max(maxY, s.y + 1);
    }
}

} // namespace

void compose(DCImpl* d, const Spans& spans, const Paint& p0, const Paint* p1, int rop)
{
    if (spans.empty() || d->screen)
        return;
    QImage* img = d->target();
    if (!img)
        return;
    const QRegion clip = d->clipRegion();
    if (clip.isEmpty())
        return;
    const bool mono = d->targetMono();
    // Solid colours as the target holds them.
    const uint32_t solid[2] = {mono ? monoOf(p0.color) : p0.color, p1 ? (mono ? monoOf(p1->color) : p1->color) : 0};
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    uchar* bits = img->bits();
    const qsizetype bpl = img->bytesPerLine();
    auto run = [&](const Paint& p, int kind, int y, int x0, int x1) {
        auto* line = reinterpret_cast<uint32_t*>(bits + (qsizetype)y * bpl);
        if (p.type == Paint::Solid && !generalPathsOnly)
            solidRun(line + x0, x1 - x0, solid[kind], rop);
        else
            patternRun(line, y, x0, x1, p, mono, rop);
        minX = std::min(minX, x0), maxX = std::max(maxX, x1);
        minY = std::min(minY, y), maxY = std::max(maxY, y + 1);
    };
    if (!generalPathsOnly && clip.rectCount() == 1 && p0.type == Paint::Solid &&
        (!p1 || p1->type == Paint::Solid || p1->type == Paint::None)) {
        const bool background = p1 && p1->type == Paint::Solid;
        const QRect box = clip.boundingRect();
        if (rop == R2_COPYPEN)
            solidSpans(spans, box, bits, bpl, solid, background,
                       [](uint32_t* p, int n, uint32_t c) { fillPixels(p, n, 0xFF000000u | c); }, minX, minY, maxX, maxY);
        else if (rop == R2_XORPEN)
            solidSpans(spans, box, bits, bpl, solid, background,
                       [](uint32_t* p, int n, uint32_t c) {
                           for (int x = 0; x < n; ++x)
                               p[x] = 0xFF000000u | ((p[x] ^ c) & 0xFFFFFF);
                       },
                       minX, minY, maxX, maxY);
        else
            solidSpans(spans, box, bits, bpl, solid, background,
                       [rop](uint32_t* p, int n, uint32_t c) { solidRun(p, n, c, rop); }, minX, minY, maxX, maxY);
        if (minX < maxX)
            d->targetChanged(QRect(minX, minY, maxX - minX, maxY - minY));
        return;
    }
    const QRect* rectsBegin = clip.begin();
    const QRect* rectsEnd = clip.end();
    for (const Span& s : spans) {
        const Paint* p = s.kind == 0 ? &p0 : p1;
        if (!p || p->type == Paint::None)
            continue;
        for (const QRect* r = rectsBegin; r != rectsEnd; ++r) { // banded: ordered by top
            if (r->top() > s.y)
                break;
            if (s.y > r->bottom())
                continue;
            const int x0 = std::max(s.x0, r->left()), x1 = std::min(s.x1, r->right() + 1);
            if (x0 < x1)
                run(*p, s.kind == 0 ? 0 : 1, s.y, x0, x1);
        }
    }
    if (minX < maxX)
        d->targetChanged(QRect(minX, minY, maxX - minX, maxY - minY));
}

} // namespace gdi
