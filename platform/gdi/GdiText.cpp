// Text: fonts of font records drawn aliased, placed by the DC's alignment and turned by the
// font's escapement; measuring and DrawText's layout.
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/GdiTextCache.h"

#include "platform/base/DeviceCoordinates.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace gdi;

namespace {

DCImpl* impl(const CDC* dc) { return dcFromHandle(dc->m_hDC); }

QString decode(LPCTSTR text, int count)
{
    if (!text)
        return QString();
    if (count < 0)
        count = (int)std::strlen(text);
    return QString::fromUtf8(text, count);
}

struct TextFont {
    std::shared_ptr<const FontEntry> entry;
    QFont font;
    int ascent, descent, height;
    double escapement; // degrees, counter-clockwise
    const QFontMetrics& metrics() const { return entry->metrics; }
};

TextFont currentFont(DCImpl* d, bool upright = false)
{
    LOGFONTA lf{};
    if (Font* f = d->st.font.get())
        lf = f->lf;
    TextFont t;
    t.entry = cachedFont(lf, scaleY(d->st));
    t.font = t.entry->font;
    t.ascent = t.entry->ascent;
    t.descent = t.entry->descent;
    t.height = t.entry->height;
    t.escapement = upright ? 0.0 : lf.lfEscapement / 10.0;
    return t;
}

int advance(const TextFont& f, const QString& s)
{
    return f.metrics().horizontalAdvance(s);
}

// Device x offsets of each character's start and the total, from `dx` (logical advances) or the font.
std::vector<double> positions(const TextFont& f, const QString& s, const int* dx, double scale, double* total)
{
    std::vector<double> pos;
    double x = 0;
    const QFontMetrics& m = f.metrics();
    for (int i = 0; i < s.size(); ++i) {
        pos.push_back(x);
        x += dx ? dx[i] * scale : m.horizontalAdvance(s.at(i));
    }
    *total = dx ? x : m.horizontalAdvance(s);
    return pos;
}

struct Underline {
    int from; // character index
    int to;   // one past
};

// Pixels of a line's box beyond which its ink is neither cached nor drawn in the shared mask.
constexpr int64_t kLargeLine = 1 << 18;

// One mask image with a painter kept on it, grown as needed and cleared where it is drawn on;
// what lands outside the box drawn into is never read.
struct Mask {
    QImage image;
    QPainter painter;
};

// The shared mask, or for a very large box (huge type) one of its own in `own` so that the
// shared one stays small; cleared over `box` and ready to draw in white.
Mask& maskFor(const QRect& box, std::unique_ptr<Mask>& own)
{
    static Mask* shared = new Mask;
    if ((int64_t)box.width() * box.height() > kLargeLine)
        own = std::make_unique<Mask>();
    Mask* scratch = own ? own.get() : shared;
    if (scratch->image.width() < box.width() || scratch->image.height() < box.height()) {
        if (scratch->painter.isActive())
            scratch->painter.end();
        scratch->image = QImage(std::max(box.width(), scratch->image.width()),
                                std::max(box.height(), scratch->image.height()), QImage::Format_ARGB32_Premultiplied);
        scratch->painter.begin(&scratch->image);
        scratch->painter.setRenderHint(QPainter::Antialiasing, false);
        scratch->painter.setRenderHint(QPainter::TextAntialiasing, false);
        scratch->painter.setPen(QColor(255, 255, 255));
    }
    uchar* const maskBits = scratch->image.bits();
    const qsizetype maskLine = scratch->image.bytesPerLine();
    for (int y = 0; y < box.height(); ++y)
        std::memset(maskBits + y * maskLine, 0, (size_t)box.width() * 4);
    return *scratch;
}

// Row by row, the runs of pixels of `box` that the drawing covered at least half.
template <class AddRun>
void readRuns(const Mask& scratch, const QRect& box, AddRun addRun)
{
    const uchar* const maskBits = scratch.image.constBits();
    const qsizetype maskLine = scratch.image.bytesPerLine();
    for (int y = 0; y < box.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(maskBits + y * maskLine);
        const int w = box.width();
        int x = 0;
        while (x < w) {
            while (x < w && line[x] < 0x80000000u)
                ++x;
            const int start = x;
            while (x < w && line[x] >= 0x80000000u)
                ++x;
            if (x > start)
                addRun(box.top() + y, box.left() + start, box.left() + x);
        }
    }
}

// Draws the glyphs of a line through `t` into the part `box` of the device, and hands each run
// of ink pixels to `addRun` (device row, first pixel, one past the last).
template <class AddRun>
void renderInk(const TextFont& f, const QTransform& t, const QRect& box, const QString& s,
               const std::vector<double>* charPositions, const std::vector<Underline>& underlines, AddRun addRun)
{
    std::unique_ptr<Mask> own;
    Mask& scratch = maskFor(box, own);
    {
        QPainter& p = scratch.painter;
        p.setTransform(t * QTransform::fromTranslate(-box.left(), -box.top()));
        p.setFont(f.font);
        if (charPositions) {
            for (int i = 0; i < s.size(); ++i)
                p.drawText(QPointF((*charPositions)[(size_t)i], f.ascent), QString(s.at(i)));
        } else {
            p.drawText(QPointF(0, f.ascent), s);
        }
        if (!underlines.empty()) {
            double total = 0;
            const std::vector<double> pos = positions(f, s, nullptr, 1.0, &total);
            const QFontMetrics& m = f.metrics();
            const int y = f.ascent + std::max(1, m.underlinePos());
            for (const Underline& u : underlines) {
                const double x0 = pos[(size_t)u.from], x1 = u.to < s.size() ? pos[(size_t)u.to] : total;
                p.fillRect(QRectF(x0, y, x1 - x0, std::max(1, m.lineWidth())), QColor(255, 255, 255));
            }
        }
    }
    readRuns(scratch, box, addRun);
}

// Whether a device offset is a whole number of 64ths of a pixel, where adding whole pixels to it
// is exact: then the ink of a line drawn elsewhere is the same ink moved.
bool exactOffset(double v)
{
    const double f = std::ldexp(v, 6);
    return std::fabs(v) < (1 << 20) && f == std::floor(f);
}

template <class T>
void appendBytes(std::string& key, const T& v)
{
    key.append(reinterpret_cast<const char*>(&v), sizeof v);
}

// The cell of a line `width` wide with a margin of half a cell around it: glyphs may reach beyond
// their advances (italics, overhangs).
QRectF inkCell(const TextFont& f, double width)
{
    const double margin = f.height / 2.0 + 2;
    return QRectF(0, 0, width, f.height).adjusted(-margin, -margin, margin, margin);
}

// The pixels of `bounds` that the cell `t` maps covers. Cut while still in floating point: a cell
// far off the surface or wider than the int range must not reach an int conversion.
QRect visibleBox(const QTransform& t, const QRectF& cell, const QRect& bounds)
{
    const QRectF reach = t.mapRect(cell) & QRectF(bounds);
    if (!reach.isValid() || reach.isEmpty())
        return QRect();
    return reach.toAlignedRect() & bounds;
}

// The ink of a line whose cell's top-left corner lies at `offset` from the device origin.
void inkAtOrigin(const TextFont& f, QPointF offset, double width, const QString& s,
                 const std::vector<double>* charPositions, const std::vector<Underline>& underlines, LineInk& line)
{
    const QTransform at = QTransform::fromTranslate(offset.x(), offset.y());
    line.width = width;
    line.exact = true;
    renderInk(f, at, at.mapRect(inkCell(f, width)).toAlignedRect(), s, charPositions, underlines,
              [&](int y, int x0, int x1) { line.runs.push_back({y, x0, x1}); });
}

// The ink of one glyph of `raw` drawn alone with its origin at `at` (within the pixel at the
// device origin), as runs relative to that pixel. Drawn in a cell of the font's height around
// the glyph's advance, as a line's ink is: glyphs may reach beyond their advances.
void glyphInk(const TextFont& f, const QRawFont& raw, quint32 glyph, QPointF at, std::vector<InkRun>& runs)
{
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(QList<quint32>{glyph});
    const double advance = advances.isEmpty() ? 0.0 : std::fabs(advances.front().x());
    const int margin = f.height / 2 + 2;
    const QRect box(-margin, -f.ascent - margin, (int)std::ceil(advance) + 2 * margin + 1, f.height + 2 * margin + 1);
    std::unique_ptr<Mask> own;
    Mask& scratch = maskFor(box, own);
    QGlyphRun one;
    one.setRawFont(raw);
    one.setGlyphIndexes({glyph});
    one.setPositions({at});
    scratch.painter.setTransform(QTransform::fromTranslate(-box.left(), -box.top()));
    scratch.painter.drawGlyphRun(QPointF(0, 0), one);
    readRuns(scratch, box, [&](int y, int x0, int x1) { runs.push_back({y, x0, x1}); });
}

// The ink of a line without advances given, drawn at the device origin with its cell's top-left
// corner at `offset`, composed of the ink of its glyphs, each kept once per font and fraction of a
// pixel: a line never drawn before costs its layout, not its rendering. False, with nothing
// made, where the line is not a single run of glyphs of the font (then it is rendered whole).
// Whether a line is laid out without shaping (PreferNoShaping): printable Latin characters,
// none that combines with the one before. Its glyphs are then the font's glyphs of its
// characters, each placed by the advances of those before it.
bool NeedsNoShaping(const QString& s)
{
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u > 0x24F || c.isMark())
            return false;
    }
    return true;
}

bool composeGlyphInk(const TextFont& f, QPointF offset, double width, const QString& s, LineInk& line)
{
    if (generalPathsOnly || s.isEmpty())
        return false;
    QRawFont raw;
    QList<quint32> indexes;
    QList<QPointF> places;
    if (NeedsNoShaping(s) && f.entry->raw.isValid()) {
        raw = f.entry->raw;
        indexes = raw.glyphIndexesForString(s);
        if (indexes.size() != s.size() || std::find(indexes.begin(), indexes.end(), 0u) != indexes.end())
            return false;
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes);
        if (advances.size() != indexes.size())
            return false;
        double x = 0;
        for (const QPointF& a : advances) {
            places.push_back(QPointF(x, 0));
            x += a.x();
        }
    } else {
        QTextLayout layout(s, f.font);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine textLine = layout.createLine();
        if (!textLine.isValid()) {
            layout.endLayout();
            return false;
        }
        layout.endLayout();
        if (textLine.textLength() != s.size())
            return false;
        const QList<QGlyphRun> glyphRuns = layout.glyphRuns();
        if (glyphRuns.size() != 1)
            return false;
        raw = glyphRuns.front().rawFont();
        // Glyphs are kept by the font they belong to.
        if (!(raw == f.entry->raw))
            return false;
        indexes = glyphRuns.front().glyphIndexes();
        places = glyphRuns.front().positions();
        if (indexes.size() != places.size())
            return false;
    }
    line.width = width;
    line.exact = true;
    line.runs.clear();
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        // The glyph's origin on the device, in whole pixels and 64ths.
        const double x = offset.x() + places[i].x(), y = offset.y() + f.ascent;
        if (!exactOffset(x) || !exactOffset(y)) {
            line.runs.clear();
            return false;
        }
        const double px = std::floor(x), py = std::floor(y);
        const int fx = (int)std::lround((x - px) * 64), fy = (int)std::lround((y - py) * 64);
        const std::vector<InkRun>& ink = cachedGlyph(f.entry->serial, indexes[i], fx, fy, [&](std::vector<InkRun>& runs) {
            glyphInk(f, raw, indexes[i], QPointF(fx / 64.0, fy / 64.0), runs);
        });
        for (const InkRun& r : ink)
            line.runs.push_back({r.y + (int)py, r.x0 + (int)px, r.x1 + (int)px});
    }
    return true;
}

// Whether the ink of a line `width` wide is small enough to keep in the line cache.
bool cacheableSize(const TextFont& f, double width)
{
    const QRectF cell = inkCell(f, width);
    return cell.width() * cell.height() <= (double)kLargeLine;
}

// Ink of a line drawn at the device origin, moved to `ref` and clipped to `bounds`.
void addInk(const std::vector<InkRun>& runs, QPoint ref, const QRect& bounds, Spans& spans)
{
    const int left = bounds.left(), right = bounds.left() + bounds.width();
    const int top = bounds.top(), bottom = bounds.top() + bounds.height();
    for (const InkRun& r : runs) {
        const int y = r.y + ref.y();
        if (y < top || y >= bottom)
            continue;
        const int x0 = std::max(r.x0 + ref.x(), left), x1 = std::min(r.x1 + ref.x(), right);
        if (x0 < x1)
            spans.push_back({y, x0, x1, 0});
    }
}

// Renders one line: the text cell's top-left corner lies at `cellOffset` from the device reference
// point before the turn by the escapement. Background spans (kind 1) come before the ink (kind 0).
// Upright lines whose offsets are exact take their ink from the line cache, keyed by the font and
// everything placed relative to the reference point.
// `known`: the line's ink already looked up by the caller (then `s` is not read).
void renderLine(DCImpl* d, const TextFont& f, QPoint ref, QPointF cellOffset, const QString& s, const int* dx,
                double width, bool opaqueCell, const QRect* clipTo, const std::vector<Underline>& underlines,
                Spans& spans, const LineInk* known = nullptr)
{
    QRect bounds = d->clipRegion().boundingRect();
    if (clipTo)
        bounds &= *clipTo;
    if (bounds.isEmpty() || (!known && s.isEmpty()))
        return;
    QTransform t;
    t.translate(ref.x(), ref.y());
    t.rotate(-f.escapement);
    t.translate(cellOffset.x(), cellOffset.y());
    const QRectF cell(0, 0, width, f.height);
    if (opaqueCell) {
        const QPolygonF poly = t.map(cell);
        fillPolygons({std::vector<QPointF>(poly.begin(), poly.end())}, false, bounds, spans, 1);
    }
    const QRectF marginCell = inkCell(f, width);
    if (known && known->exact) {
        addInk(known->runs, ref, bounds, spans);
        return;
    }
    std::vector<double> charPositions;
    if (dx) {
        double total = 0;
        charPositions = positions(f, s, dx, std::fabs(scaleX(d->st)), &total);
    }
    bool cacheable = !generalPathsOnly && f.escapement == 0 && exactOffset(cellOffset.x()) &&
                     exactOffset(cellOffset.y()) && exactOffset(width) && cacheableSize(f, width);
    for (double x : charPositions)
        cacheable = cacheable && exactOffset(x);
    if (!cacheable) {
        const QRect box = visibleBox(t, marginCell, bounds);
        if (box.isEmpty())
            return;
        renderInk(f, t, box, s, dx ? &charPositions : nullptr, underlines,
                  [&](int y, int x0, int x1) { spans.push_back({y, x0, x1, 0}); });
        return;
    }
    // The ink of the line drawn at the device origin, moved to the reference point and clipped.
    if (visibleBox(t, marginCell, bounds).isEmpty())
        return;
    static thread_local std::string key;
    key.clear();
    appendBytes(key, f.entry->serial);
    appendBytes(key, cellOffset.x());
    appendBytes(key, cellOffset.y());
    appendBytes(key, width);
    appendBytes(key, (int)underlines.size());
    for (const Underline& u : underlines)
        appendBytes(key, u), key += 'u';
    appendBytes(key, (int)charPositions.size());
    for (double x : charPositions)
        appendBytes(key, x);
    key.append(reinterpret_cast<const char*>(s.constData()), (size_t)s.size() * sizeof(QChar));
    const LineInk& ink = cachedLine(key, [&](LineInk& line) {
        inkAtOrigin(f, cellOffset, width, s, dx ? &charPositions : nullptr, underlines, line);
    });
    addInk(ink.runs, ref, bounds, spans);
}

void paintText(DCImpl* d, const Spans& spans)
{
    // Text ignores the binary raster operation.
    const Paint ink = solidPaint(toPixel(d->st.textColor));
    const Paint back = solidPaint(toPixel(d->st.bkColor));
    if (std::none_of(spans.begin(), spans.end(), [](const Span& s) { return s.kind == 1; })) {
        compose(d, spans, ink, &back, R2_COPYPEN);
        return;
    }
    Spans ordered;
    ordered.reserve(spans.size());
    for (const Span& s : spans)
        if (s.kind == 1)
            ordered.push_back(s);
    for (const Span& s : spans)
        if (s.kind == 0)
            ordered.push_back(s);
    compose(d, ordered, ink, &back, R2_COPYPEN);
}

} // namespace

namespace {

// Where the text cell's top-left corner lies from the reference point, by the alignment.
QPointF cellOffsetFor(const TextFont& f, UINT align, double width)
{
    double hx = 0, vy = 0;
    switch (align & TA_CENTER) {
    case TA_RIGHT: hx = -width; break;
    case TA_CENTER: hx = -std::floor(width / 2); break;
    default: break;
    }
    switch (align & TA_BASELINE) {
    case TA_BOTTOM: vy = -f.height; break;
    case TA_BASELINE: vy = -f.ascent; break;
    default: break;
    }
    return QPointF(hx, vy);
}

// The line of ExtTextOut as the cache knows it, keyed by the font, the alignment, the advances
// given and the text's bytes: a line drawn before costs neither decoding nor measuring.
const LineInk& extTextLine(DCImpl* d, const TextFont& f, LPCTSTR text, int count, const int* dx, UINT align)
{
    static thread_local std::string key;
    key.clear();
    key += 'E';
    appendBytes(key, f.entry->serial);
    appendBytes(key, (UINT)(align & (TA_CENTER | TA_BASELINE)));
    const double scale = std::fabs(scaleX(d->st));
    if (dx) {
        appendBytes(key, scale);
        key.append(reinterpret_cast<const char*>(dx), (size_t)count * sizeof(int));
    }
    key += '|';
    key.append(text ? text : "", text ? (size_t)count : 0);
    return cachedLine(key, [&](LineInk& line) {
        const QString s = decode(text, count);
        std::vector<double> pos;
        // Without advances given, the width is the font's for the whole line: no need to place each character.
        if (dx)
            pos = positions(f, s, dx, scale, &line.width);
        else
            line.width = advance(f, s);
        const QPointF offset = cellOffsetFor(f, align, line.width);
        line.exact = f.escapement == 0 && exactOffset(offset.x()) && exactOffset(offset.y()) &&
                     exactOffset(line.width) && std::all_of(pos.begin(), pos.end(), exactOffset) &&
                     cacheableSize(f, line.width);
        if (line.exact && !s.isEmpty() && (dx || !composeGlyphInk(f, offset, line.width, s, line)))
            inkAtOrigin(f, offset, line.width, s, dx ? &pos : nullptr, {}, line);
    });
}

} // namespace

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, int* dx)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    if (!text)
        count = 0;
    Spans& spans = d->inkSpans;
    spans.clear();
    QRect clipRect;
    if (rect) {
        clipRect = deviceRect(d->st, rect->left, rect->top, rect->right, rect->bottom);
        if (options & ETO_OPAQUE) {
            // Only the rows the DC can show: the rectangle may reach far beyond the surface.
            const QRect shown = clipRect & d->clipRegion().boundingRect();
            for (int yy = shown.top(); yy <= shown.bottom(); ++yy)
                spans.push_back({yy, shown.left(), shown.right() + 1, 1});
        }
    }
    const TextFont f = currentFont(d);
    const UINT align = d->st.textAlign;
    const bool useCp = align & TA_UPDATECP;
    const POINT origin = useCp ? d->st.current : POINT{x, y};
    const QPoint ref = toDevice(d->st, origin.x, origin.y);
    const bool opaqueCell = d->st.bkMode == OPAQUE && !(rect && (options & ETO_OPAQUE));
    const QRect* clipTo = rect && (options & ETO_CLIPPED) ? &clipRect : nullptr;
    double width = 0;
    if (generalPathsOnly) {
        const QString s = decode(text, (int)count);
        if (dx)
            positions(f, s, dx, std::fabs(scaleX(d->st)), &width);
        else
            width = advance(f, s);
        renderLine(d, f, ref, cellOffsetFor(f, align, width), s, dx, width, opaqueCell, clipTo, {}, spans);
    } else {
        const LineInk& line = extTextLine(d, f, text, (int)count, dx, align);
        width = line.width;
        const bool empty = count == 0;
        if (!empty)
            renderLine(d, f, ref, cellOffsetFor(f, align, width), line.exact ? QString() : decode(text, (int)count), dx,
                       width, opaqueCell, clipTo, {}, spans, line.exact ? &line : nullptr);
    }
    paintText(d, spans);
    if (useCp) {
        const int w = RoundDeviceCoordinate(width / std::fabs(scaleX(d->st)));
        if ((align & TA_CENTER) == TA_LEFT)
            d->st.current.x = ClampDeviceCoordinate((int64_t)d->st.current.x + w);
        else if ((align & TA_CENTER) == TA_RIGHT)
            d->st.current.x = ClampDeviceCoordinate((int64_t)d->st.current.x - w);
    }
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count)
{
    if (count < 0)
        return FALSE;
    return ExtTextOut(x, y, 0, nullptr, text, (UINT)count, nullptr);
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    DCImpl* d = impl(this);
    if (!d)
        return CSize();
    const TextFont f = currentFont(d);
    const int w = advance(f, decode(text, count));
    return CSize(RoundDeviceCoordinate(w / std::fabs(scaleX(d->st))),
                 RoundDeviceCoordinate(f.height / std::fabs(scaleY(d->st))));
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const
{
    DCImpl* d = impl(this);
    if (!d || !tm)
        return FALSE;
    const TextFont f = currentFont(d);
    const QFontMetrics& m = f.metrics();
    const LOGFONTA lf = d->st.font ? d->st.font->lf : LOGFONTA{};
    const double sy = std::fabs(scaleY(d->st)), sx = std::fabs(scaleX(d->st));
    *tm = TEXTMETRICA{};
    tm->tmAscent = (LONG)std::lround(f.ascent / sy);
    tm->tmDescent = (LONG)std::lround(f.descent / sy);
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading = std::max<LONG>(0, (LONG)std::lround((f.height - f.font.pixelSize()) / sy));
    tm->tmExternalLeading = std::max<LONG>(0, (LONG)std::lround(m.leading() / sy));
    tm->tmAveCharWidth = (LONG)std::lround(m.averageCharWidth() / sx);
    tm->tmMaxCharWidth = (LONG)std::lround(m.maxWidth() / sx);
    tm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = lf.lfItalic ? 1 : 0;
    tm->tmUnderlined = lf.lfUnderline ? 1 : 0;
    tm->tmStruckOut = lf.lfStrikeOut ? 1 : 0;
    const bool fixed = QFontInfo(f.font).fixedPitch();
    tm->tmPitchAndFamily = (BYTE)(TMPF_TRUETYPE | TMPF_VECTOR | (fixed ? 0 : TMPF_FIXED_PITCH) | (lf.lfPitchAndFamily & 0xF0));
    tm->tmCharSet = lf.lfCharSet;
    return TRUE;
}

int CDC::GetTextFace(CString& face) const
{
    DCImpl* d = impl(this);
    if (!d || !d->st.font)
        return 0;
    face = CString(d->st.font->lf.lfFaceName, (int)strnlen(d->st.font->lf.lfFaceName, LF_FACESIZE));
    return face.GetLength();
}

int CDC::GetTextFace(int count, LPTSTR face) const
{
    CString s;
    const int n = GetTextFace(s);
    if (!face || count <= 0)
        return n + 1;
    const int k = std::min(n, count - 1);
    std::memcpy(face, (LPCTSTR)s, (size_t)k);
    face[k] = 0;
    return k;
}

BOOL CDC::GetCharWidth(UINT first, UINT last, int* widths) const
{
    DCImpl* d = impl(this);
    if (!d || !widths || last < first)
        return FALSE;
    const TextFont f = currentFont(d);
    const QFontMetrics& m = f.metrics();
    for (UINT c = first; c <= last; ++c)
        widths[c - first] = (int)std::lround(m.horizontalAdvance(QChar((char16_t)c)) / std::fabs(scaleX(d->st)));
    return TRUE;
}

// ---------------------------------------------------------------- DrawText

namespace {

struct Line {
    QString text;
    std::vector<Underline> underlines;
};

// Removes '&' prefixes: "&&" is a literal '&', "&x" underlines x.
Line stripPrefix(const QString& s, bool keepUnderline)
{
    Line l;
    for (int i = 0; i < s.size(); ++i) {
        if (s.at(i) == QLatin1Char('&') && i + 1 < s.size()) {
            ++i;
            if (s.at(i) != QLatin1Char('&') && keepUnderline)
                l.underlines.push_back({(int)l.text.size(), (int)l.text.size() + 1});
        } else if (s.at(i) == QLatin1Char('&')) {
            continue; // a lone '&' at the end shows nothing
        }
        l.text += s.at(i);
    }
    return l;
}

QString expandTabs(const QString& s, int tabChars)
{
    QString out;
    for (QChar c : s) {
        if (c == QLatin1Char('\t')) {
            const int n = tabChars - (int)(out.size() % tabChars);
            out += QString(n, QLatin1Char(' '));
        } else {
            out += c;
        }
    }
    return out;
}

QString ellipsize(const QFont& font, const QString& s, int width, UINT format)
{
    const QFontMetrics m(font);
    if (m.horizontalAdvance(s) <= width)
        return s;
    const QString dots = QStringLiteral("...");
    if (format & DT_PATH_ELLIPSIS) {
        const int slash = std::max(s.lastIndexOf(QLatin1Char('/')), s.lastIndexOf(QLatin1Char('\\')));
        if (slash > 0) {
            const QString tail = s.mid(slash);
            QString head = s.left(slash);
            while (!head.isEmpty() && m.horizontalAdvance(head + dots + tail) > width)
                head.chop(1);
            if (!head.isEmpty())
                return head + dots + tail;
        }
    }
    QString head = s;
    if (format & DT_WORD_ELLIPSIS) {
        while (!head.isEmpty() && m.horizontalAdvance(head + dots) > width) {
            const int space = head.lastIndexOf(QLatin1Char(' '));
            head = space > 0 ? head.left(space) : head.left(head.size() - 1);
        }
        return head + dots;
    }
    while (!head.isEmpty() && m.horizontalAdvance(head + dots) > width)
        head.chop(1);
    return head + dots;
}

// Breaks a paragraph at spaces so that each line fits `width`; a word longer than the width stays whole.
std::vector<QString> wordWrap(const QFont& font, const QString& para, int width)
{
    const QFontMetrics m(font);
    std::vector<QString> lines;
    QString line;
    int i = 0;
    const int n = (int)para.size();
    while (i < n) {
        int j = i;
        while (j < n && para.at(j) != QLatin1Char(' '))
            ++j;
        int k = j;
        while (k < n && para.at(k) == QLatin1Char(' '))
            ++k;
        const QString word = para.mid(i, j - i), spaces = para.mid(j, k - j);
        if (!line.isEmpty() && m.horizontalAdvance(line + word) > width) {
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            lines.push_back(line);
            line.clear();
        }
        line += word + spaces;
        i = k;
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    lines.push_back(line);
    return lines;
}

} // namespace

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format)
{
    DCImpl* d = impl(this);
    if (!d || !rect)
        return 0;
    QString s = decode(text, count);
    const TextFont f = currentFont(d, true);
    const QFontMetrics& m = f.metrics();
    const double sx = std::fabs(scaleX(d->st)), sy = std::fabs(scaleY(d->st));
    const QRect box = deviceRect(d->st, rect->left, rect->top, rect->right, rect->bottom);
    const int lineHeight = f.height + ((format & DT_EXTERNALLEADING) ? std::max(0, m.leading()) : 0);
    if (format & DT_EXPANDTABS)
        s = expandTabs(s, (format & DT_TABSTOP) ? std::max(1, (int)((format >> 8) & 0xFF)) : 8);

    std::vector<QString> paragraphs;
    if (format & DT_SINGLELINE) {
        s.remove(QLatin1Char('\r'));
        s.remove(QLatin1Char('\n'));
        paragraphs.push_back(s);
    } else {
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& p : s.split(QLatin1Char('\n')))
            paragraphs.push_back(p);
        if (paragraphs.size() > 1 && paragraphs.back().isEmpty())
            paragraphs.pop_back(); // a final line break starts no line
    }
    const bool prefix = !(format & DT_NOPREFIX);
    const bool showUnderline = prefix && !(format & DT_HIDEPREFIX);
    std::vector<Line> lines;
    for (const QString& p : paragraphs) {
        Line stripped = prefix ? stripPrefix(p, showUnderline) : Line{p, {}};
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE) && box.width() > 0) {
            std::vector<QString> wrapped = wordWrap(f.font, stripped.text, box.width());
            if (wrapped.size() == 1) {
                lines.push_back(std::move(stripped));
            } else {
                for (QString& w : wrapped)
                    lines.push_back({std::move(w), {}});
            }
        } else {
            lines.push_back(std::move(stripped));
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (Line& l : lines) {
            const QString e = ellipsize(f.font, l.text, box.width(), format);
            if (e != l.text) {
                l.text = e;
                l.underlines.clear();
            }
        }

    int widest = 0;
    for (const Line& l : lines)
        widest = std::max(widest, m.horizontalAdvance(l.text));
    const int total = lineHeight * (int)lines.size();
    if (format & DT_CALCRECT) {
        rect->right = rect->left + (LONG)std::lround(widest / sx);
        rect->bottom = rect->top + (LONG)std::lround(total / sy);
        return (int)std::lround(total / sy);
    }
    int y = box.top();
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = box.top() + (box.height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = box.top() + box.height() - lineHeight;
    }
    Spans spans;
    const QRect* clip = (format & DT_NOCLIP) ? nullptr : &box;
    const bool opaqueCell = d->st.bkMode == OPAQUE;
    for (const Line& l : lines) {
        if (!(format & DT_PREFIXONLY)) {
            const int w = m.horizontalAdvance(l.text);
            int x = box.left();
            if (format & DT_CENTER)
                x = box.left() + (box.width() - w) / 2;
            else if (format & DT_RIGHT)
                x = box.left() + box.width() - w;
            renderLine(d, f, QPoint(x, y), QPointF(0, 0), l.text, nullptr, w, opaqueCell, clip, l.underlines, spans);
        }
        y += lineHeight;
    }
    paintText(d, spans);
    const int height = (int)std::lround(total / sy);
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return (int)std::lround((y - box.top()) / sy);
    return height;
}

// ---------------------------------------------------------------- Win32 calls

namespace {
CDC* W(HDC dc) { return CDC::FromHandle(dc); }
} // namespace

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) { CDC* w = W(dc); return w && w->TextOut(x, y, text, count); }
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const INT* dx)
{
    CDC* w = W(dc);
    return w && w->ExtTextOut(x, y, options, rect, text, count, const_cast<int*>(dx));
}
int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) { CDC* w = W(dc); return w ? w->DrawText(text, count, rect, format) : 0; }
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size)
{
    CDC* w = W(dc);
    if (!w || !size)
        return FALSE;
    *size = w->GetTextExtent(text, count);
    return TRUE;
}
BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA tm) { CDC* w = W(dc); return w && w->GetTextMetrics(tm); }
int GetTextFaceA(HDC dc, int count, LPSTR face) { CDC* w = W(dc); return w ? w->GetTextFace(count, face) : 0; }
