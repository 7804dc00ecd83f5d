// Block transfers, rectangles filled with brushes, pixels, regions and the 3-D edges.
#include "platform/gdi/GdiInternal.h"

#include <algorithm>
#include <climits>
#include <cmath>

using namespace gdi;

namespace {

DCImpl* impl(const CDC* dc) { return dcFromHandle(dc->m_hDC); }

// Where the source pixel of each destination pixel is: device pixel (x, y) reads the 32-bit pixel
// at bits + (y + dy) * bytesPerLine + (x + dx) * 4, already in the destination's format.
struct SourceView {
    const uchar* bits;
    qsizetype bytesPerLine;
    int dx, dy;
    const uint32_t* at(int x, int y) const
    {
        return reinterpret_cast<const uint32_t*>(bits + (qsizetype)(y + dy) * bytesPerLine) + (x + dx);
    }
};

SourceView viewOf(const QImage& image, QPoint deviceOrigin)
{
    return {image.constBits(), image.bytesPerLine(), -deviceOrigin.x(), -deviceOrigin.y()};
}

// Pixels [0, n) of a destination row combined with the source row `s` (when the operation reads
// one) and the pattern colour `p`: the codes that copy, fill or mix without the pattern's pixels
// go a row at a time; the loop bodies are what rop3() computes for each.
void ropRow(uint32_t* d, const uint32_t* s, int n, DWORD rop, uint32_t p)
{
    constexpr uint32_t A = 0xFF000000u;
    switch ((rop >> 16) & 0xFF) {
    case 0xCC: for (int x = 0; x < n; ++x) d[x] = A | s[x]; return;
    case 0x33: for (int x = 0; x < n; ++x) d[x] = A | ~s[x]; return;
    case 0x66: for (int x = 0; x < n; ++x) d[x] = A | (s[x] ^ d[x]); return;
    case 0x88: for (int x = 0; x < n; ++x) d[x] = A | (s[x] & d[x]); return;
    case 0xEE: for (int x = 0; x < n; ++x) d[x] = A | s[x] | d[x]; return;
    case 0xF0: fillPixels(d, n, A | p); return;
    case 0x5A: for (int x = 0; x < n; ++x) d[x] = A | (p ^ d[x]); return;
    case 0x55: for (int x = 0; x < n; ++x) d[x] = A | ~d[x]; return;
    case 0x00: fillPixels(d, n, A); return;
    case 0xFF: fillPixels(d, n, 0xFFFFFFFFu); return;
    default:
        for (int x = 0; x < n; ++x)
            d[x] = A | rop3(rop, p, s ? s[x] & 0xFFFFFF : 0, d[x] & 0xFFFFFF);
        return;
    }
}

// Combines pattern, source and destination over the device rectangle `dst` with a ternary raster
// operation; `src` (when the operation reads one) gives the source pixels already converted to
// the destination's format. A solid pattern is one colour for the whole block, so each clipped
// row goes through ropRow; hatches and pattern brushes look up each pixel.
void bltCompose(DCImpl* d, const QRect& dst, const SourceView* src, const Paint* pattern, DWORD rop)
{
    if (dst.isEmpty() || d->screen)
        return;
    QImage* img = d->target();
    if (!img)
        return;
    const bool usesP = ropUsesPattern(rop), usesS = ropUsesSource(rop);
    if (usesS && !src)
        return;
    if (usesP && (!pattern || pattern->type == Paint::None))
        return; // a null brush paints nothing
    const bool mono = d->targetMono();
    const bool solidP = (!usesP || pattern->type == Paint::Solid) && !generalPathsOnly;
    const uint32_t p = usesP && solidP ? (mono ? monoOf(pattern->color) : pattern->color) : 0;
    uchar* bits = img->bits();
    const qsizetype bpl = img->bytesPerLine();
    const QRegion clip = d->clipRegion();
    QRect changed;
    for (const QRect& c : clip) {
        const QRect r = c & dst;
        if (r.isEmpty())
            continue;
        changed |= r;
        // A fill of whole rows of the image is one fill: the erase of a window's background.
        const unsigned code = (rop >> 16) & 0xFF;
        if (solidP && (code == 0xF0 || code == 0x00 || code == 0xFF) && r.left() == 0 && (qsizetype)r.width() * 4 == bpl) {
            const uint32_t v = code == 0xF0 ? 0xFF000000u | p : code == 0x00 ? 0xFF000000u : 0xFFFFFFFFu;
            fillPixels(reinterpret_cast<uint32_t*>(bits + (qsizetype)r.top() * bpl), r.width() * r.height(), v);
            continue;
        }
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<uint32_t*>(bits + (qsizetype)y * bpl);
            const uint32_t* sline = usesS ? src->at(r.left(), y) : nullptr;
            if (solidP) {
                ropRow(line + r.left(), sline, r.width(), rop, p);
                continue;
            }
            for (int x = r.left(); x <= r.right(); ++x) {
                uint32_t pp = 0;
                if (usesP) {
                    if (!pattern->at(x, y, pp))
                        pp = pattern->back;
                    if (mono)
                        pp = monoOf(pp);
                }
                const uint32_t sp = usesS ? sline[x - r.left()] & 0xFFFFFF : 0;
                line[x] = 0xFF000000u | rop3(rop, pp, sp, line[x] & 0xFFFFFF);
            }
        }
    }
    if (!changed.isEmpty())
        d->targetChanged(changed);
}

// The pixels of `src` that land on the visible part `v` of the destination rectangle `r` when its
// rectangle `sr` is stretched onto `r` (mirrored as told); pixels from outside `src` are black.
QImage sampleBlock(const QImage& src, const QRect& sr, const QRect& r, bool flipX, bool flipY, const QRect& v, int mode)
{
    QImage block(v.size(), QImage::Format_RGB32);
    if (block.isNull())
        return block;
    block.fill(0xFF000000u);
    const int64_t W = r.width(), H = r.height();
    if (mode == HALFTONE && (sr.size() != r.size() || flipX || flipY) && W * H <= (1 << 22) &&
        (int64_t)sr.width() * sr.height() <= (1 << 24)) {
        // Smooth scaling of the whole rectangle, then the visible part of it.
        QImage part = src.copy(sr).convertToFormat(QImage::Format_RGB32);
        part = part.scaled((int)W, (int)H, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).mirrored(flipX, flipY);
        return part.copy(v.translated(-r.topLeft())).convertToFormat(QImage::Format_RGB32);
    }
    std::vector<int> cols((size_t)v.width());
    for (int x = 0; x < v.width(); ++x) {
        int64_t u = v.left() + x - r.left();
        if (flipX)
            u = W - 1 - u;
        cols[(size_t)x] = sr.left() + (int)((2 * u + 1) * sr.width() / (2 * W));
    }
    for (int y = 0; y < v.height(); ++y) {
        int64_t u = v.top() + y - r.top();
        if (flipY)
            u = H - 1 - u;
        const int sy = sr.top() + (int)((2 * u + 1) * sr.height() / (2 * H));
        if (sy < 0 || sy >= src.height())
            continue;
        const auto* in = reinterpret_cast<const uint32_t*>(src.constScanLine(sy));
        auto* out = reinterpret_cast<uint32_t*>(block.scanLine(y));
        for (int x = 0; x < v.width(); ++x) {
            const int sx = cols[(size_t)x];
            if (sx >= 0 && sx < src.width())
                out[x] = 0xFF000000u | in[sx];
        }
    }
    return block;
}

// Source pixels as the destination sees them: a monochrome source takes the destination's text
// (black) and background (white) colours; a colour source going to a monochrome destination
// becomes white where it has the source's background colour.
void convertForDestination(QImage& block, bool srcMono, COLORREF srcBk, DCImpl* d)
{
    const bool dstMono = d->targetMono();
    if (srcMono == dstMono)
        return;
    const uint32_t fore = toPixel(d->st.textColor), back = toPixel(d->st.bkColor), key = toPixel(srcBk);
    for (int y = 0; y < block.height(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(block.scanLine(y));
        for (int x = 0; x < block.width(); ++x) {
            const uint32_t p = line[x] & 0xFFFFFF;
            if (srcMono)
                line[x] = 0xFF000000u | (p ? back : fore);
            else
                line[x] = 0xFF000000u | (p == key ? 0xFFFFFF : 0);
        }
    }
}

// Device rectangle of a logical origin and extent, and whether the extent runs backwards on the device.
QRect deviceExtent(const DCState& st, int x, int y, int w, int h, bool* flipX, bool* flipY)
{
    const QPoint a = toDevice(st, x, y), b = toDevice(st, (int64_t)x + w, (int64_t)y + h);
    *flipX = b.x() < a.x();
    *flipY = b.y() < a.y();
    // A reversed extent starts at its origin pixel: (w - 1, 0, -w, h) mirrors the pixels 0 .. w - 1.
    return QRect(std::min(a.x(), b.x()) + (*flipX ? 1 : 0), std::min(a.y(), b.y()) + (*flipY ? 1 : 0),
                 std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
}

void fillDeviceRect(DCImpl* d, const QRect& whole, const Paint& p, int rop2)
{
    // Only the rows the DC can show: the rectangle may reach far beyond the surface.
    const QRect r = whole & d->clipRegion().boundingRect();
    if (r.isEmpty())
        return;
    Spans spans;
    for (int y = r.top(); y <= r.bottom(); ++y)
        spans.push_back({y, r.left(), r.right() + 1, 0});
    compose(d, spans, p, nullptr, rop2);
}

Spans regionSpans(const QRegion& r)
{
    Spans spans;
    for (const QRect& q : r)
        for (int y = q.top(); y <= q.bottom(); ++y)
            spans.push_back({y, q.left(), q.right() + 1, 0});
    return spans;
}

Brush* brushOf(HBRUSH h)
{
    // (HBRUSH)(COLOR_xxx + 1) names a system colour, as in window classes.
    const uintptr_t v = reinterpret_cast<uintptr_t>(h);
    if (v > 0 && v <= (uintptr_t)COLOR_MENUBAR + 1)
        h = GetSysColorBrush((int)v - 1);
    return lookupAs<Brush>(h, Kind::Brush);
}
Brush* brushOf(CBrush* brush) { return brush ? brushOf((HBRUSH)brush->m_hObject) : nullptr; }
Region* regionOf(DCImpl* d, CRgn* region)
{
    return d && region ? lookupAs<Region>(region->m_hObject, Kind::Region) : nullptr;
}

// Paints a logical region through the clip.
void composeRegion(DCImpl* d, const Region* r, const Paint& p, int rop2)
{
    compose(d, regionSpans(logicalRegionToDevice(d->st, r->region)), p, nullptr, rop2);
}

// Calls `draw(d, device rectangle, brush paint)` for a rectangle that is not empty and a brush that exists.
template <class Draw>
void drawBrushRect(const CDC* dc, LPCRECT rect, CBrush* brush, Draw draw)
{
    DCImpl* d = impl(dc);
    if (!d || !rect)
        return;
    Brush* b = brushOf(brush);
    if (!b || rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    draw(d, deviceRect(d->st, rect->left, rect->top, rect->right, rect->bottom), brushPaint(d, b, true));
}

// The target image of a logical pixel that the clip lets through, with its device position; else null.
QImage* clippedPixel(DCImpl* d, int x, int y, QPoint& p)
{
    if (!d)
        return nullptr;
    p = toDevice(d->st, x, y);
    QImage* img = d->target();
    return img && d->clipRegion().contains(p) ? img : nullptr;
}

} // namespace

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    bool fx, fy;
    const QRect r = deviceExtent(d->st, x, y, width, height, &fx, &fy);
    const Paint p = brushPaint(d, nullptr, true);
    bltCompose(d, r, nullptr, &p, rop);
    return TRUE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                     DWORD rop)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    if (!ropUsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    DCImpl* s = src ? impl(src) : nullptr;
    if (!s)
        return FALSE;
    bool fx, fy, sfx, sfy;
    const QRect r = deviceExtent(d->st, x, y, width, height, &fx, &fy);
    const QRect sr = deviceExtent(s->st, xSrc, ySrc, srcWidth, srcHeight, &sfx, &sfy);
    if (r.isEmpty() || sr.isEmpty())
        return TRUE;
    const QRect v = r & d->clipRegion().boundingRect();
    QImage* simg = s->target();
    if (v.isEmpty() || !simg)
        return TRUE;
    const Paint p = brushPaint(d, nullptr, true);
    // A same-size, unmirrored transfer between targets of one kind reads the source in place,
    // unless the source lies partly outside its image (those pixels are black) or shares the
    // destination's image and overlaps it (rows written would be read again) or is a DIB section
    // (the destination reloads its pixels from the bytes, which replaces them).
    const QRect sv = v.translated(sr.topLeft() - r.topLeft());
    const Bitmap* sourceBitmap = s->surface ? nullptr : s->st.bitmap.get();
    const bool sameImage = simg == d->target();
    if (!generalPathsOnly && sr.size() == r.size() && fx == sfx && fy == sfy && s->targetMono() == d->targetMono() &&
        simg->rect().contains(sv) && !(sameImage && (sv.intersects(v) || (sourceBitmap && sourceBitmap->dib)))) {
        const SourceView view = viewOf(*simg, r.topLeft() - sr.topLeft());
        bltCompose(d, v, &view, &p, rop);
        return TRUE;
    }
    QImage block = sampleBlock(*simg, sr, r, fx != sfx, fy != sfy, v, d->st.stretchMode);
    if (block.isNull())
        return FALSE;
    convertForDestination(block, s->targetMono(), s->st.bkColor, d);
    const SourceView view = viewOf(block, v.topLeft());
    bltCompose(d, v, &view, &p, rop);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    if (!ropUsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    return StretchBlt(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    drawBrushRect(this, rect, brush, [](DCImpl* d, QRect r, const Paint& p) { bltCompose(d, r, nullptr, &p, PATCOPY); });
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    drawBrushRect(this, rect, brush, [](DCImpl* d, QRect r, const Paint& p) {
        QRegion frame(r);
        if (r.width() > 2 && r.height() > 2)
            frame -= QRegion(r.adjusted(1, 1, -1, -1));
        frame &= d->clipRegion();
        compose(d, regionSpans(frame), p, nullptr, R2_COPYPEN);
    });
}

void CDC::InvertRect(LPCRECT rect)
{
    DCImpl* d = impl(this);
    if (!d || !rect || rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    bltCompose(d, deviceRect(d->st, rect->left, rect->top, rect->right, rect->bottom), nullptr, nullptr, DSTINVERT);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    DCImpl* d = impl(this);
    if (!d || !rect)
        return;
    d->st.bkColor = color;
    if (rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    fillDeviceRect(d, deviceRect(d->st, rect->left, rect->top, rect->right, rect->bottom), solidPaint(toPixel(color)),
                   R2_COPYPEN);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    DCImpl* d = impl(this);
    if (!d)
        return;
    d->st.bkColor = color;
    // The rectangle (x, y, x + cx, y + cy), put in order: a negative extent ends before x.
    fillDeviceRect(d, deviceRect(d->st, x, y, (int64_t)x + cx, (int64_t)y + cy), solidPaint(toPixel(color)), R2_COPYPEN);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    DCImpl* d = impl(this);
    if (!d || !rect)
        return;
    const QRect r = deviceRect(d->st, rect->left, rect->top, rect->right, rect->bottom);
    if (r.isEmpty())
        return;
    // Every other pixel of the frame inverted: drawing it again erases it.
    Spans spans;
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            spans.push_back({y, x, x + 1, 0});
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        if (r.bottom() != r.top())
            dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        if (r.right() != r.left())
            dot(r.right(), y);
    }
    compose(d, spans, solidPaint(0xFFFFFF), nullptr, R2_XORPEN);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    DCImpl* d = impl(this);
    if (!d || !rect)
        return FALSE;
    CRect r(*rect);
    auto line = [&](int x, int y, int cx, int cy, int sysColor) {
        if (cx > 0 && cy > 0)
            fillDeviceRect(d, deviceRect(d->st, x, y, (int64_t)x + cx, (int64_t)y + cy), solidPaint(toPixel(GetSysColor(sysColor))),
                           R2_COPYPEN);
    };
    // One ring of the edge: top-left lines, then bottom-right lines over the corners they share.
    auto ring = [&](int tl, int br) {
        if (flags & BF_TOP)
            line(r.left, r.top, r.Width(), 1, tl);
        if (flags & BF_LEFT)
            line(r.left, r.top, 1, r.Height(), tl);
        if (flags & BF_BOTTOM)
            line(r.left, r.bottom - 1, r.Width(), 1, br);
        if (flags & BF_RIGHT)
            line(r.right - 1, r.top, 1, r.Height(), br);
        if (flags & BF_LEFT)
            ++r.left;
        if (flags & BF_TOP)
            ++r.top;
        if (flags & BF_RIGHT)
            --r.right;
        if (flags & BF_BOTTOM)
            --r.bottom;
    };
    const bool flat = flags & (BF_FLAT | BF_MONO);
    if (edge & BDR_OUTER) {
        if (flags & BF_MONO)
            ring(COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
        else if (flat)
            ring(COLOR_BTNSHADOW, COLOR_BTNSHADOW);
        else if (edge & BDR_RAISEDOUTER)
            ring(COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        else
            ring(COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    }
    if (edge & BDR_INNER) {
        if (flat)
            ring(COLOR_BTNFACE, COLOR_BTNFACE);
        else if (edge & BDR_RAISEDINNER)
            ring(COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        else
            ring(COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    if ((flags & BF_MIDDLE) && r.Width() > 0 && r.Height() > 0)
        line(r.left, r.top, r.Width(), r.Height(), flat && (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state)
{
    DCImpl* d = impl(this);
    if (!d || !rect)
        return FALSE;
    CRect r(*rect);
    const bool pushed = state & DFCS_PUSHED, flat = state & DFCS_FLAT;
    auto buttonFrame = [&] {
        CRect e = r;
        if (flat)
            DrawEdge(&e, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
        else if (pushed)
            DrawEdge(&e, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
        else
            DrawEdge(&e, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        return e;
    };
    auto fillPoly = [&](std::vector<QPointF> poly, int sysColor) {
        Spans spans;
        fillPolygons({std::move(poly)}, false, d->clipRegion().boundingRect(), spans);
        compose(d, spans, solidPaint(toPixel(GetSysColor(sysColor))), nullptr, R2_COPYPEN);
    };
    switch (type) {
    case DFC_BUTTON: {
        const UINT kind = state & 0x1F;
        if (kind & DFCS_BUTTONPUSH) {
            CRect inner = buttonFrame();
            if (state & DFCS_ADJUSTRECT)
                *rect = inner;
            return TRUE;
        }
        // Check box or radio button: a sunken square box, white inside, with the mark when checked.
        const int size = std::min(r.Width(), r.Height());
        CRect box(r.left, r.top + (r.Height() - size) / 2, r.left + size, r.top + (r.Height() - size) / 2 + size);
        CRect inner = box;
        DrawEdge(&inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        fillDeviceRect(d, deviceRect(d->st, inner.left, inner.top, inner.right, inner.bottom),
                       solidPaint(toPixel(GetSysColor((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW))),
                       R2_COPYPEN);
        if (state & DFCS_CHECKED) {
            const double x = inner.left, y = inner.top, w = inner.Width(), h = inner.Height();
            if (kind & DFCS_BUTTONRADIO)
                fillPoly({{x + w * 0.3, y + h * 0.3}, {x + w * 0.7, y + h * 0.3}, {x + w * 0.7, y + h * 0.7}, {x + w * 0.3, y + h * 0.7}},
                         COLOR_WINDOWTEXT);
            else
                fillPoly({{x + w * 0.15, y + h * 0.5}, {x + w * 0.4, y + h * 0.75}, {x + w * 0.85, y + h * 0.25},
                          {x + w * 0.85, y + h * 0.45}, {x + w * 0.4, y + h * 0.95}, {x + w * 0.15, y + h * 0.7}},
                         COLOR_WINDOWTEXT);
        }
        return TRUE;
    }
    case DFC_SCROLL: {
        CRect inner = buttonFrame();
        if (pushed)
            inner.OffsetRect(1, 1);
        const UINT dir = state & 0x1F;
        const double cx = (inner.left + inner.right) / 2.0, cy = (inner.top + inner.bottom) / 2.0;
        const double s = std::max(2.0, std::min(inner.Width(), inner.Height()) / 4.0);
        std::vector<QPointF> tri;
        switch (dir) {
        case DFCS_SCROLLUP: tri = {{cx - s, cy + s / 2}, {cx + s, cy + s / 2}, {cx, cy - s / 2}}; break;
        case DFCS_SCROLLLEFT: tri = {{cx + s / 2, cy - s}, {cx + s / 2, cy + s}, {cx - s / 2, cy}}; break;
        case DFCS_SCROLLRIGHT: tri = {{cx - s / 2, cy - s}, {cx - s / 2, cy + s}, {cx + s / 2, cy}}; break;
        default: tri = {{cx - s, cy - s / 2}, {cx + s, cy - s / 2}, {cx, cy + s / 2}}; break; // down, combo box
        }
        if (state & DFCS_INACTIVE) {
            std::vector<QPointF> shadow = tri;
            for (QPointF& p : shadow)
                p += QPointF(1, 1);
            fillPoly(shadow, COLOR_BTNHIGHLIGHT);
            fillPoly(tri, COLOR_GRAYTEXT);
        } else {
            fillPoly(tri, COLOR_BTNTEXT);
        }
        return TRUE;
    }
    default: return FALSE; // captions and menu glyphs are not drawn by this platform
    }
}

BOOL CDC::FillRgn(CRgn* region, CBrush* brush)
{
    DCImpl* d = impl(this);
    Region* r = regionOf(d, region);
    Brush* b = brushOf(brush);
    if (!r || !b)
        return FALSE;
    composeRegion(d, r, brushPaint(d, b, true), R2_COPYPEN);
    return TRUE;
}

BOOL CDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    DCImpl* d = impl(this);
    Region* r = regionOf(d, region);
    Brush* b = brushOf(brush);
    if (!r || !b)
        return FALSE;
    const QRegion dev = logicalRegionToDevice(d->st, r->region);
    // The frame is what an erosion by the frame's size takes away from the region.
    const int w = std::max(1, std::abs((int)std::lround(width * scaleX(d->st))));
    const int h = std::max(1, std::abs((int)std::lround(height * scaleY(d->st))));
    QRegion inner = dev;
    inner &= dev.translated(w, 0);
    inner &= dev.translated(-w, 0);
    inner &= dev.translated(0, h);
    inner &= dev.translated(0, -h);
    compose(d, regionSpans(dev - inner), brushPaint(d, b, true), nullptr, R2_COPYPEN);
    return TRUE;
}

BOOL CDC::InvertRgn(CRgn* region)
{
    DCImpl* d = impl(this);
    Region* r = regionOf(d, region);
    if (r)
        composeRegion(d, r, solidPaint(0xFFFFFF), R2_XORPEN);
    return r != nullptr;
}

BOOL CDC::PaintRgn(CRgn* region)
{
    DCImpl* d = impl(this);
    Region* r = regionOf(d, region);
    if (r)
        composeRegion(d, r, brushPaint(d, nullptr, false), d->st.rop2);
    return r != nullptr;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    QPoint p;
    const QImage* img = clippedPixel(impl(this), x, y, p);
    if (!img)
        return CLR_INVALID;
    return toColorRef(reinterpret_cast<const uint32_t*>(img->constScanLine(p.y()))[p.x()] & 0xFFFFFF);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    DCImpl* d = impl(this);
    QPoint p;
    QImage* img = clippedPixel(d, x, y, p);
    if (!img)
        return CLR_INVALID;
    uint32_t c = toPixel(color);
    if (d->targetMono())
        c = monoOf(c);
    reinterpret_cast<uint32_t*>(img->scanLine(p.y()))[p.x()] = 0xFF000000u | c;
    d->targetChanged(QRect(p, QSize(1, 1)));
    return toColorRef(c);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF color) { return SetPixel(x, y, color) != CLR_INVALID; }

// ---------------------------------------------------------------- Win32 calls

namespace {
CDC* W(HDC dc) { return CDC::FromHandle(dc); }

int blitDib(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
            int srcHeight, UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage,
            DWORD rop, bool unscaled)
{
    DCImpl* d = dcFromHandle(dc);
    if (!d || !info || !bits)
        return 0;
    const int rows = std::abs(info->bmiHeader.biHeight);
    QImage image;
    int first = 0, end = 0;
    if (!decodeDib(info, usage, bits, (int)startScan, (int)lines, &image, &first, &end))
        return 0;
    // Source rectangle in the decoded (top-down) image; a bottom-up bitmap counts y from its bottom.
    const bool bottomUp = info->bmiHeader.biHeight > 0;
    const int sw = std::abs(srcWidth), sh = std::abs(srcHeight);
    const int sx = srcWidth < 0 ? xSrc + srcWidth : xSrc;
    const int syBase = srcHeight < 0 ? ySrc + srcHeight : ySrc;
    const int top = bottomUp ? rows - syBase - sh : syBase;
    QRect srcRect(sx, top, sw, sh);
    bool fx = false, fy = false;
    QRect r;
    if (unscaled) {
        const QPoint p = toDevice(d->st, xDest, yDest);
        r = QRect(p, QSize(sw, sh));
        // Only the scan lines given are drawn.
        const QRect given(0, first, image.width(), end - first);
        const QRect part = srcRect & given;
        if (part.isEmpty())
            return 0;
        r = QRect(r.topLeft() + (part.topLeft() - srcRect.topLeft()), part.size());
        srcRect = part;
    } else {
        r = deviceExtent(d->st, xDest, yDest, destWidth, destHeight, &fx, &fy);
        fx = fx != (srcWidth < 0);
        fy = fy != (srcHeight < 0);
    }
    if (r.isEmpty() || srcRect.isEmpty())
        return 0;
    const QRect v = r & d->clipRegion().boundingRect();
    if (v.isEmpty())
        return unscaled ? 0 : sh;
    QImage block = sampleBlock(image, srcRect, r, fx, fy, v, d->st.stretchMode);
    if (d->targetMono())
        for (int y = 0; y < block.height(); ++y) {
            auto* line = reinterpret_cast<uint32_t*>(block.scanLine(y));
            for (int x = 0; x < block.width(); ++x)
                line[x] = 0xFF000000u | monoOf(line[x]);
        }
    const Paint p = brushPaint(d, nullptr, true);
    const SourceView view = viewOf(block, v.topLeft());
    bltCompose(d, v, &view, &p, rop);
    return unscaled ? (int)std::min<UINT>(lines, (UINT)(end - first)) : sh;
}
} // namespace

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    return blitDib(dc, xDest, yDest, (int)width, (int)height, xSrc, ySrc, (int)width, (int)height, startScan, lines,
                   bits, info, usage, SRCCOPY, true);
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    if (!info)
        return 0;
    return blitDib(dc, xDest, yDest, destWidth, destHeight, xSrc, ySrc, srcWidth, srcHeight, 0,
                   (UINT)std::abs(info->bmiHeader.biHeight), bits, info, usage, rop, false);
}

namespace {
// The handle calls name a brush (or a system colour) by handle; the DC calls take the brush's wrapper.
template <class Call>
BOOL withBrush(HDC dc, HBRUSH brush, Call call)
{
    CDC* w = W(dc);
    Brush* b = brushOf(brush);
    return w && b && call(w, CBrush::FromHandle((HBRUSH)b->handle));
}
} // namespace

int FillRect(HDC dc, LPCRECT rect, HBRUSH brush)
{
    return withBrush(dc, brush, [&](CDC* w, CBrush* b) { w->FillRect(rect, b); return true; });
}
int FrameRect(HDC dc, LPCRECT rect, HBRUSH brush)
{
    return withBrush(dc, brush, [&](CDC* w, CBrush* b) { w->FrameRect(rect, b); return true; });
}
BOOL InvertRect(HDC dc, LPCRECT rect) { CDC* w = W(dc); if (!w) return FALSE; w->InvertRect(rect); return TRUE; }
BOOL DrawFocusRect(HDC dc, LPCRECT rect) { CDC* w = W(dc); if (!w) return FALSE; w->DrawFocusRect(rect); return TRUE; }
BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) { CDC* w = W(dc); return w && w->DrawEdge(rect, edge, flags); }
BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) { CDC* w = W(dc); return w && w->DrawFrameControl(rect, type, state); }
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush)
{
    return withBrush(dc, brush, [&](CDC* w, CBrush* b) { return w->FillRgn(CRgn::FromHandle(rgn), b); });
}
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int width, int height)
{
    return withBrush(dc, brush, [&](CDC* w, CBrush* b) { return w->FrameRgn(CRgn::FromHandle(rgn), b, width, height); });
}
BOOL InvertRgn(HDC dc, HRGN rgn) { CDC* w = W(dc); return w && w->InvertRgn(CRgn::FromHandle(rgn)); }
BOOL PaintRgn(HDC dc, HRGN rgn) { CDC* w = W(dc); return w && w->PaintRgn(CRgn::FromHandle(rgn)); }

COLORREF GetPixel(HDC dc, int x, int y) { CDC* w = W(dc); return w ? w->GetPixel(x, y) : CLR_INVALID; }
COLORREF SetPixel(HDC dc, int x, int y, COLORREF c) { CDC* w = W(dc); return w ? w->SetPixel(x, y, c) : CLR_INVALID; }
BOOL SetPixelV(HDC dc, int x, int y, COLORREF c) { CDC* w = W(dc); return w && w->SetPixelV(x, y, c); }
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) { CDC* w = W(dc); return w && w->PatBlt(x, y, width, height, rop); }
BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop)
{
    CDC* w = W(dc);
    return w && w->BitBlt(x, y, width, height, src ? W(src) : nullptr, xSrc, ySrc, rop);
}
BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                DWORD rop)
{
    CDC* w = W(dc);
    return w && w->StretchBlt(x, y, width, height, src ? W(src) : nullptr, xSrc, ySrc, srcWidth, srcHeight, rop);
}
