// CDC and the Win32 DC calls: making and attaching DCs, their state (selected objects,
// modes, colours), coordinates and clipping, and the figures (lines, rectangles,
// ellipses, arcs, polygons, paths) drawn with GDI's pixel rules: a line leaves out its
// last pixel, a filled figure its right and bottom edges, so XOR drawing twice erases
// exactly.
#include "platform/gdi/GdiInternal.h"

#include "platform/base/DeviceCoordinates.h"

#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

IMPLEMENT_DYNAMIC(CDC, CObject)

using namespace gdi;

// ---------------------------------------------------------------- figures

namespace {

DCImpl* impl(const CDC* dc) { return dcFromHandle(dc->m_hDC); }

const std::vector<int>* dashPattern(int style)
{
    static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3},
        alternate{1, 1};
    switch (style) {
    case PS_DASH: return &dash;
    case PS_DOT: return &dot;
    case PS_DASHDOT: return &dashDot;
    case PS_DASHDOTDOT: return &dashDotDot;
    case PS_ALTERNATE: return &alternate;
    default: return nullptr;
    }
}

// Pixels the figures may touch: the clip box, or nothing when there is no target.
QRect drawBounds(DCImpl* d)
{
    if (d->screen)
        return QRect();
    return d->clipRegion().boundingRect();
}

int penWidth(DCImpl* d)
{
    const Pen* p = d->st.pen.get();
    if (!p || p->width <= 1)
        return 1;
    // A pen wider than the device range covers everything it can reach anyway.
    const int w = RoundDeviceCoordinate(p->width * std::fabs(scaleX(d->st)));
    return std::max(1, w);
}

bool penNull(DCImpl* d)
{
    const Pen* p = d->st.pen.get();
    return !p || p->dashStyle() == PS_NULL;
}

bool brushNull(DCImpl* d)
{
    const Brush* b = d->st.brush.get();
    return !b || b->style == BS_NULL || (b->style == BS_PATTERN && b->pattern.isNull());
}

// A device polyline to stroke, closed ones back to their first point; the points belong to the caller.
struct Figure {
    const QPoint* points;
    size_t count;
    bool closed;
};

// Strokes device polylines with the pen.
void strokeFigures(DCImpl* d, const Figure* figures, size_t figureCount, Spans& ink)
{
    if (penNull(d))
        return;
    const QRect bounds = drawBounds(d);
    if (bounds.isEmpty())
        return;
    const Pen* pen = d->st.pen.get();
    const int width = penWidth(d);
    const int style = pen->dashStyle();
    if (width <= 1) {
        const std::vector<int>* dashes = dashPattern(style);
        std::vector<int> user;
        if (style == PS_USERSTYLE && !pen->userStyle.empty()) {
            for (DWORD v : pen->userStyle)
                user.push_back(std::max<int>(1, (int)v));
            dashes = &user;
        }
        const bool gaps = dashes && d->st.bkMode == OPAQUE;
        for (size_t f = 0; f < figureCount; ++f) {
            const QPoint* pts = figures[f].points;
            const size_t n = figures[f].count;
            int step = 0;
            for (size_t i = 0; i + 1 < n; ++i)
                cosmeticLine(pts[i], pts[i + 1], dashes, step, gaps, bounds, ink);
            if (figures[f].closed && n > 2)
                cosmeticLine(pts[n - 1], pts[0], dashes, step, gaps, bounds, ink);
        }
        return;
    }
    // The path, the stroker and the outline's polygons keep their storage from call to call.
    static thread_local QPainterPath path;
    static thread_local QPainterPathStroker stroker;
    static thread_local std::vector<std::vector<QPointF>> polys;
    path.clear();
    for (size_t f = 0; f < figureCount; ++f) {
        const QPoint* pts = figures[f].points;
        const size_t n = figures[f].count;
        if (n == 0)
            continue;
        path.moveTo(pts[0].x() + 0.5, pts[0].y() + 0.5);
        for (size_t i = 1; i < n; ++i)
            path.lineTo(pts[i].x() + 0.5, pts[i].y() + 0.5);
        if (figures[f].closed)
            path.closeSubpath();
    }
    stroker.setWidth(width);
    const UINT cap = pen->style & PS_ENDCAP_MASK, join = pen->style & PS_JOIN_MASK;
    stroker.setCapStyle(cap == PS_ENDCAP_FLAT ? Qt::FlatCap : cap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
    stroker.setJoinStyle(join == PS_JOIN_MITER ? Qt::MiterJoin : join == PS_JOIN_BEVEL ? Qt::BevelJoin : Qt::RoundJoin);
    if (const std::vector<int>* dashes = dashPattern(style)) {
        QList<qreal> pattern;
        for (int v : *dashes)
            pattern.append(v);
        stroker.setDashPattern(pattern);
    } else {
        stroker.setDashPattern(Qt::SolidLine);
    }
    const QList<QPolygonF> outline = stroker.createStroke(path).toFillPolygons();
    polys.resize((size_t)outline.size());
    for (qsizetype i = 0; i < outline.size(); ++i)
        polys[(size_t)i].assign(outline[i].begin(), outline[i].end());
    fillPolygons(polys, true, bounds, ink);
}

void drawStroke(DCImpl* d, const Spans& ink)
{
    if (ink.empty())
        return;
    const Paint p0 = solidPaint(toPixel(d->st.pen->color));
    const Paint p1 = solidPaint(toPixel(d->st.bkColor));
    compose(d, ink, p0, &p1, d->st.rop2);
}

void drawFill(DCImpl* d, const Spans& fill)
{
    if (fill.empty() || brushNull(d))
        return;
    const Paint p = brushPaint(d, nullptr, false);
    compose(d, fill, p, nullptr, d->st.rop2);
}

// Strokes and draws figures; the DC's span buffer is reused, so a line allocates nothing.
void strokeAndDraw(DCImpl* d, const Figure* figures, size_t count)
{
    Spans& ink = d->inkSpans;
    ink.clear();
    strokeFigures(d, figures, count, ink);
    drawStroke(d, ink);
}
void strokeAndDraw(DCImpl* d, const std::vector<QPoint>& points, bool closed)
{
    const Figure f{points.data(), points.size(), closed};
    strokeAndDraw(d, &f, 1);
}

// The pixels of continuous device points, each once where consecutive points share one.
std::vector<QPoint> toPixels(const std::vector<QPointF>& pts)
{
    std::vector<QPoint> out;
    for (const QPointF& p : pts) {
        const QPoint q((int)std::floor(p.x()), (int)std::floor(p.y()));
        if (out.empty() || out.back() != q)
            out.push_back(q);
    }
    return out;
}

// Integer device polyline of a flattened closed curve.
std::vector<QPoint> flatten(const QPainterPath& path)
{
    std::vector<QPointF> curve;
    for (const QPolygonF& poly : path.toSubpathPolygons())
        curve.insert(curve.end(), poly.begin(), poly.end());
    std::vector<QPoint> pts = toPixels(curve);
    if (pts.size() > 1 && pts.front() == pts.back())
        pts.pop_back();
    return pts;
}

// Arc points (device, continuous) from the radial through `a` to the radial through `b`.
std::vector<QPointF> arcPoints(DCImpl* d, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    const QRect r = deviceRect(d->st, x1, y1, x2, y2);
    const QPoint s = toDevice(d->st, x3, y3), e = toDevice(d->st, x4, y4);
    const double cx = r.left() + r.width() / 2.0, cy = r.top() + r.height() / 2.0;
    const double rx = std::max(0.0, (r.width() - 1) / 2.0), ry = std::max(0.0, (r.height() - 1) / 2.0);
    std::vector<QPointF> pts;
    if (rx <= 0 && ry <= 0)
        return pts;
    auto angle = [&](QPoint p) {
        const double dx = p.x() + 0.5 - cx, dy = p.y() + 0.5 - cy;
        return std::atan2(-dy / std::max(ry, 1e-9), dx / std::max(rx, 1e-9));
    };
    double a0 = angle(s), a1 = angle(e);
    // Counter-clockwise as seen on the screen (y down) unless the DC says otherwise.
    const bool ccw = d->st.arcDirection != AD_CLOCKWISE;
    double sweep = ccw ? a1 - a0 : a0 - a1;
    while (sweep <= 1e-12)
        sweep += 2 * std::numbers::pi;
    const int n = std::clamp((int)std::ceil(sweep * std::max(rx, ry) / 2.0), 4, 2000);
    for (int i = 0; i <= n; ++i) {
        const double a = a0 + (ccw ? 1 : -1) * sweep * i / n;
        pts.emplace_back(cx + rx * std::cos(a), cy - ry * std::sin(a));
    }
    return pts;
}

// The centres of device pixels: the polygon through them fills what a figure through the pixels covers.
std::vector<QPointF> centres(const std::vector<QPoint>& pts)
{
    std::vector<QPointF> out;
    for (const QPoint& p : pts)
        out.emplace_back(p.x() + 0.5, p.y() + 0.5);
    return out;
}

std::vector<QPoint> devicePoints(DCImpl* d, const POINT* pts, int n)
{
    std::vector<QPoint> out;
    out.reserve((size_t)std::max(0, n));
    for (int i = 0; i < n; ++i)
        out.push_back(toDevice(d->st, pts[i].x, pts[i].y));
    return out;
}

// Paths record figures in device units instead of drawing.
void pathMoveTo(DCImpl* d, QPoint p)
{
    d->path.push_back({{p}, false});
}
void pathLineTo(DCImpl* d, QPoint from, QPoint p)
{
    if (d->path.empty() || d->path.back().closed)
        d->path.push_back({{from}, false});
    d->path.back().points.push_back(p);
}
void pathFigure(DCImpl* d, std::vector<QPoint> pts, bool closed)
{
    if (!pts.empty())
        d->path.push_back({std::move(pts), closed});
}

} // namespace

// ---------------------------------------------------------------- construction

CDC::~CDC()
{
    if (m_hDC && m_ownsDC) {
        HDC h = m_hDC;
        m_hDC = m_hAttribDC = nullptr;
        ::DeleteDC(h);
    }
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    (void)dc;
    if (m_hDC)
        return FALSE;
    DCImpl* d = newDC(true);
    d->owner = this;
    m_hDC = m_hAttribDC = d->handle;
    m_ownsDC = true;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    m_ownsDC = false;
    return ::DeleteDC(h);
}

BOOL CDC::Attach(HDC dc)
{
    DCImpl* d = dcFromHandle(dc);
    if (!d || m_hDC)
        return FALSE;
    if (!d->owner)
        d->owner = this;
    m_hDC = m_hAttribDC = dc;
    m_ownsDC = true;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (DCImpl* d = dcFromHandle(h); d && d->owner == this)
        d->owner = nullptr;
    m_hDC = m_hAttribDC = nullptr;
    m_ownsDC = false;
    return h;
}

CDC* CDC::FromHandle(HDC dc)
{
    DCImpl* d = dcFromHandle(dc);
    if (!d)
        return nullptr;
    if (d->owner)
        return d->owner;
    if (!d->wrapper) {
        d->wrapper = std::make_unique<CDC>();
        d->wrapper->m_hDC = d->wrapper->m_hAttribDC = dc;
    }
    return d->wrapper.get();
}

void CDC::AttachSurface(QImage* surface, const QRegion* clip)
{
    DCImpl* d = impl(this);
    if (!d) {
        d = newDC(false);
        d->owner = this;
        m_hDC = m_hAttribDC = d->handle;
        m_ownsDC = true;
    }
    d->surface = surface;
    if (clip)
        d->surfaceClip = *clip;
    else
        d->surfaceClip.reset();
}

void CDC::DetachSurface()
{
    if (DCImpl* d = impl(this)) {
        d->surface = nullptr;
        d->surfaceClip.reset();
    }
}

QImage* CDC::GetSurface() const
{
    DCImpl* d = impl(this);
    return d ? d->surface : nullptr;
}

void CDC::SetSurfaceObserver(std::function<void(const RECT&)> observer)
{
    if (DCImpl* d = impl(this))
        d->observer = std::move(observer);
}

// ---------------------------------------------------------------- state

int CDC::SaveDC()
{
    DCImpl* d = impl(this);
    if (!d)
        return 0;
    d->saved.push_back(d->st);
    return (int)d->saved.size();
}

BOOL CDC::RestoreDC(int savedDC)
{
    DCImpl* d = impl(this);
    if (!d || savedDC == 0)
        return FALSE;
    const int level = savedDC < 0 ? (int)d->saved.size() + 1 + savedDC : savedDC;
    if (level < 1 || level > (int)d->saved.size())
        return FALSE;
    Bitmap* before = d->st.bitmap.get();
    d->st = d->saved[(size_t)level - 1];
    d->saved.resize((size_t)level - 1);
    if (Bitmap* after = d->st.bitmap.get(); after != before) {
        if (before && before->selectedIn == d)
            before->selectedIn = nullptr;
        if (after)
            after->selectedIn = d;
    }
    return TRUE;
}

namespace {
// Returns the previous object's handle; it names nothing any more when that object was deleted
// while selected, since it goes with this selection.
template <class T>
HGDIOBJ selectInto(Ref<T>& slot, HGDIOBJ h, Kind kind)
{
    std::shared_ptr<Object> o = share(h);
    if (!o || o->kind != kind)
        return nullptr;
    HGDIOBJ prev = slot ? slot->handle : nullptr;
    slot = Ref<T>(std::static_pointer_cast<T>(o));
    return prev;
}

HGDIOBJ selectBitmap(DCImpl* d, HGDIOBJ h)
{
    std::shared_ptr<Object> o = share(h);
    if (!o || o->kind != Kind::Bitmap || !d->memory)
        return nullptr;
    Bitmap* b = static_cast<Bitmap*>(o.get());
    // A bitmap draws in one memory DC at a time (the shared default bitmap excepted).
    if (b->selectedIn && b->selectedIn != d && !b->stock)
        return nullptr;
    Bitmap* prev = d->st.bitmap.get();
    HGDIOBJ prevHandle = prev ? prev->handle : nullptr;
    if (prev && prev->selectedIn == d)
        prev->selectedIn = nullptr;
    d->st.bitmap = Ref<Bitmap>(std::static_pointer_cast<Bitmap>(o));
    if (!b->stock)
        b->selectedIn = d;
    return prevHandle;
}

HGDIOBJ selectHandle(DCImpl* d, HGDIOBJ h)
{
    Object* o = lookup(h);
    if (!d || !o)
        return nullptr;
    HGDIOBJ prev = nullptr;
    switch (o->kind) {
    case Kind::Pen: prev = selectInto(d->st.pen, h, Kind::Pen); break;
    case Kind::Brush: prev = selectInto(d->st.brush, h, Kind::Brush); break;
    case Kind::Font: prev = selectInto(d->st.font, h, Kind::Font); break;
    case Kind::Palette: prev = selectInto(d->st.palette, h, Kind::Palette); break;
    case Kind::Bitmap: prev = selectBitmap(d, h); break;
    case Kind::Region: {
        d->st.clip = static_cast<Region*>(o)->region; // clip regions are in device units
        return reinterpret_cast<HGDIOBJ>((uintptr_t)regionType(*d->st.clip));
    }
    }
    return prev;
}

// Selects a wrapped object; what it replaces comes back wrapped in the same class.
template <class T, class H>
T* selectWrapped(const CDC* dc, T* object, T* (*fromHandle)(H))
{
    return object ? fromHandle((H)selectHandle(impl(dc), object->m_hObject)) : nullptr;
}

// The wrapper of the object of one kind selected now.
template <class T, class O>
T* currentWrapped(const CDC* dc, Ref<O> DCState::*slot)
{
    DCImpl* d = impl(dc);
    return d && d->st.*slot ? static_cast<T*>(wrapperOf((d->st.*slot).get())) : nullptr;
}
} // namespace

CPen* CDC::SelectObject(CPen* pen) { return selectWrapped(this, pen, &CPen::FromHandle); }
CBrush* CDC::SelectObject(CBrush* brush) { return selectWrapped(this, brush, &CBrush::FromHandle); }
CFont* CDC::SelectObject(CFont* font) { return selectWrapped(this, font, &CFont::FromHandle); }
CBitmap* CDC::SelectObject(CBitmap* bitmap) { return selectWrapped(this, bitmap, &CBitmap::FromHandle); }
int CDC::SelectObject(CRgn* region) { return SelectClipRgn(region); }
CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (!object)
        return nullptr;
    Object* o = lookup(object->m_hObject);
    if (!o || o->kind == Kind::Region)
        return nullptr;
    return CGdiObject::FromHandle(selectHandle(impl(this), object->m_hObject));
}
CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(selectHandle(impl(this), ::GetStockObject(index)));
}
CPalette* CDC::SelectPalette(CPalette* palette, BOOL) { return selectWrapped(this, palette, &CPalette::FromHandle); }
UINT CDC::RealizePalette() { return 0; }

CPen* CDC::GetCurrentPen() const { return currentWrapped<CPen>(this, &DCState::pen); }
CBrush* CDC::GetCurrentBrush() const { return currentWrapped<CBrush>(this, &DCState::brush); }
CFont* CDC::GetCurrentFont() const { return currentWrapped<CFont>(this, &DCState::font); }
CBitmap* CDC::GetCurrentBitmap() const { return currentWrapped<CBitmap>(this, &DCState::bitmap); }
CPalette* CDC::GetCurrentPalette() const { return currentWrapped<CPalette>(this, &DCState::palette); }

#define KV_DC_STATE_ACCESSORS(Set, Get, Type, field, fail)                                                        \
    Type CDC::Set(Type value)                                                                                     \
    {                                                                                                             \
        DCImpl* d = impl(this);                                                                                   \
        if (!d)                                                                                                   \
            return fail;                                                                                          \
        Type prev = d->st.field;                                                                                  \
        d->st.field = value;                                                                                      \
        return prev;                                                                                              \
    }                                                                                                             \
    Type CDC::Get() const                                                                                         \
    {                                                                                                             \
        DCImpl* d = impl(this);                                                                                   \
        return d ? d->st.field : fail;                                                                            \
    }

KV_DC_STATE_ACCESSORS(SetBkColor, GetBkColor, COLORREF, bkColor, CLR_INVALID)
KV_DC_STATE_ACCESSORS(SetTextColor, GetTextColor, COLORREF, textColor, CLR_INVALID)
KV_DC_STATE_ACCESSORS(SetTextAlign, GetTextAlign, UINT, textAlign, (UINT)-1)
#undef KV_DC_STATE_ACCESSORS

namespace {
template <class F>
int setMode(const CDC* dc, int value, int lo, int hi, F field)
{
    DCImpl* d = impl(dc);
    if (!d || value < lo || value > hi)
        return 0;
    int& slot = field(d->st);
    const int prev = slot;
    slot = value;
    return prev;
}
} // namespace

int CDC::SetBkMode(int mode) { return setMode(this, mode, TRANSPARENT, OPAQUE, [](DCState& s) -> int& { return s.bkMode; }); }
int CDC::GetBkMode() const { DCImpl* d = impl(this); return d ? d->st.bkMode : 0; }
int CDC::SetROP2(int mode) { return setMode(this, mode, R2_BLACK, R2_WHITE, [](DCState& s) -> int& { return s.rop2; }); }
int CDC::GetROP2() const { DCImpl* d = impl(this); return d ? d->st.rop2 : 0; }
int CDC::SetPolyFillMode(int mode) { return setMode(this, mode, ALTERNATE, WINDING, [](DCState& s) -> int& { return s.fillMode; }); }
int CDC::GetPolyFillMode() const { DCImpl* d = impl(this); return d ? d->st.fillMode : 0; }
int CDC::SetStretchBltMode(int mode) { return setMode(this, mode, BLACKONWHITE, HALFTONE, [](DCState& s) -> int& { return s.stretchMode; }); }
int CDC::GetStretchBltMode() const { DCImpl* d = impl(this); return d ? d->st.stretchMode : 0; }
int CDC::SetArcDirection(int dir) { return setMode(this, dir, AD_COUNTERCLOCKWISE, AD_CLOCKWISE, [](DCState& s) -> int& { return s.arcDirection; }); }
int CDC::GetArcDirection() const { DCImpl* d = impl(this); return d ? d->st.arcDirection : 0; }

CPoint CDC::SetBrushOrg(int x, int y)
{
    DCImpl* d = impl(this);
    if (!d)
        return CPoint();
    const POINT prev = d->st.brushOrg;
    d->st.brushOrg = POINT{x, y};
    return CPoint(prev);
}
CPoint CDC::GetBrushOrg() const
{
    DCImpl* d = impl(this);
    return d ? CPoint(d->st.brushOrg) : CPoint();
}

COLORREF CDC::GetNearestColor(COLORREF color) const
{
    DCImpl* d = impl(this);
    if (d && d->targetMono())
        return toColorRef(monoOf(toPixel(color)));
    return color & 0xFFFFFF;
}

int CDC::GetDeviceCaps(int index) const
{
    const QSize screen = screenSize();
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return (int)std::lround(screen.width() * 25.4 / 96);
    case VERTSIZE: return (int)std::lround(screen.height() * 25.4 / 96);
    case HORZRES: return screen.width();
    case VERTRES: return screen.height();
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES: case NUMPENS: case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case ASPECTX: case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_FLOODFILL | RC_STRETCHDIB;
    case LOGPIXELSX: case LOGPIXELSY: return 96;
    case SIZEPALETTE: case NUMRESERVED: return 0;
    case COLORRES: return 24;
    default: return 0;
    }
}

// ---------------------------------------------------------------- coordinates

int CDC::SetMapMode(int mode)
{
    DCImpl* d = impl(this);
    if (!d || mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int prev = d->st.mapMode;
    d->st.mapMode = mode;
    // Device pixels are 1/96 inch.
    switch (mode) {
    case MM_TEXT: d->st.windowExt = {1, 1}, d->st.viewportExt = {1, 1}; break;
    case MM_LOMETRIC: d->st.windowExt = {254, 254}, d->st.viewportExt = {96, -96}; break;
    case MM_HIMETRIC: d->st.windowExt = {2540, 2540}, d->st.viewportExt = {96, -96}; break;
    case MM_LOENGLISH: d->st.windowExt = {100, 100}, d->st.viewportExt = {96, -96}; break;
    case MM_HIENGLISH: d->st.windowExt = {1000, 1000}, d->st.viewportExt = {96, -96}; break;
    case MM_TWIPS: d->st.windowExt = {1440, 1440}, d->st.viewportExt = {96, -96}; break;
    default: break; // isotropic and anisotropic keep the extents until they are set
    }
    return prev;
}
int CDC::GetMapMode() const
{
    DCImpl* d = impl(this);
    return d ? d->st.mapMode : 0;
}

namespace {
CPoint setPoint(const CDC* dc, POINT DCState::*field, int x, int y, bool offset)
{
    DCImpl* d = impl(dc);
    if (!d)
        return CPoint();
    POINT& p = d->st.*field;
    const POINT prev = p;
    p = offset ? POINT{p.x + x, p.y + y} : POINT{x, y};
    return CPoint(prev);
}
CSize setExt(const CDC* dc, SIZE DCState::*field, int cx, int cy)
{
    DCImpl* d = impl(dc);
    if (!d)
        return CSize();
    SIZE& s = d->st.*field;
    const SIZE prev = s;
    // Only the scalable modes take extents; zero extents are refused as on Windows.
    if ((d->st.mapMode == MM_ISOTROPIC || d->st.mapMode == MM_ANISOTROPIC) && cx && cy)
        s = SIZE{cx, cy};
    return CSize(prev);
}
} // namespace

CPoint CDC::SetViewportOrg(int x, int y) { return setPoint(this, &DCState::viewportOrg, x, y, false); }
CPoint CDC::OffsetViewportOrg(int dx, int dy) { return setPoint(this, &DCState::viewportOrg, dx, dy, true); }
CPoint CDC::GetViewportOrg() const { DCImpl* d = impl(this); return d ? CPoint(d->st.viewportOrg) : CPoint(); }
CPoint CDC::SetWindowOrg(int x, int y) { return setPoint(this, &DCState::windowOrg, x, y, false); }
CPoint CDC::OffsetWindowOrg(int dx, int dy) { return setPoint(this, &DCState::windowOrg, dx, dy, true); }
CPoint CDC::GetWindowOrg() const { DCImpl* d = impl(this); return d ? CPoint(d->st.windowOrg) : CPoint(); }
CSize CDC::SetViewportExt(int cx, int cy) { return setExt(this, &DCState::viewportExt, cx, cy); }
CSize CDC::GetViewportExt() const { DCImpl* d = impl(this); return d ? CSize(d->st.viewportExt) : CSize(); }
CSize CDC::SetWindowExt(int cx, int cy) { return setExt(this, &DCState::windowExt, cx, cy); }
CSize CDC::GetWindowExt() const { DCImpl* d = impl(this); return d ? CSize(d->st.windowExt) : CSize(); }

namespace {
void mapPoints(const CDC* dc, LPPOINT points, int count, QPoint (*map)(const DCState&, int64_t, int64_t))
{
    DCImpl* d = impl(dc);
    if (!d || !points)
        return;
    for (int i = 0; i < count; ++i) {
        const QPoint p = map(d->st, points[i].x, points[i].y);
        points[i] = POINT{p.x(), p.y()};
    }
}
// Sizes scale by the magnitude of the mapping, whatever the axes' direction.
void mapSize(const CDC* dc, LPSIZE s, bool toDeviceUnits)
{
    DCImpl* d = impl(dc);
    if (!d || !s)
        return;
    const double sx = std::fabs(scaleX(d->st)), sy = std::fabs(scaleY(d->st));
    *s = toDeviceUnits ? SIZE{(LONG)std::lround(s->cx * sx), (LONG)std::lround(s->cy * sy)}
                       : SIZE{(LONG)std::lround(s->cx / sx), (LONG)std::lround(s->cy / sy)};
}
} // namespace

void CDC::LPtoDP(LPPOINT points, int count) const { mapPoints(this, points, count, toDevice); }
void CDC::LPtoDP(LPRECT r) const { LPtoDP(reinterpret_cast<LPPOINT>(r), 2); }
void CDC::LPtoDP(LPSIZE s) const { mapSize(this, s, true); }
void CDC::DPtoLP(LPPOINT points, int count) const { mapPoints(this, points, count, toLogical); }
void CDC::DPtoLP(LPRECT r) const { DPtoLP(reinterpret_cast<LPPOINT>(r), 2); }
void CDC::DPtoLP(LPSIZE s) const { mapSize(this, s, false); }

// ---------------------------------------------------------------- clipping

namespace {
// Combines the clip region (the whole device where there is none) with a region in device units.
int combineClip(DCImpl* d, const QRegion& with, int mode)
{
    const QRegion current = d->st.clip ? *d->st.clip : QRegion(d->deviceBounds());
    switch (mode) {
    case RGN_COPY: d->st.clip = with; break;
    case RGN_AND: d->st.clip = current & with; break;
    case RGN_OR: d->st.clip = current | with; break;
    case RGN_XOR: d->st.clip = current ^ with; break;
    case RGN_DIFF: d->st.clip = current - with; break;
    default: return ERROR;
    }
    return regionType(d->clipRegion());
}
} // namespace

int CDC::GetClipBox(LPRECT rect) const
{
    DCImpl* d = impl(this);
    if (!d || !rect)
        return ERROR;
    QRegion clip = d->clipRegion();
    if (d->screen)
        clip = QRegion(QRect(QPoint(0, 0), screenSize()));
    const QRect b = clip.boundingRect();
    if (b.isEmpty()) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    const QPoint a = toLogical(d->st, b.left(), b.top());
    const QPoint c = toLogical(d->st, (int64_t)b.left() + b.width(), (int64_t)b.top() + b.height());
    *rect = RECT{std::min(a.x(), c.x()), std::min(a.y(), c.y()), std::max(a.x(), c.x()), std::max(a.y(), c.y())};
    return regionType(clip);
}

int CDC::SelectClipRgn(CRgn* region) { return SelectClipRgn(region, RGN_COPY); }

int CDC::SelectClipRgn(CRgn* region, int mode)
{
    DCImpl* d = impl(this);
    if (!d)
        return ERROR;
    Region* r = region ? lookupAs<Region>(region->m_hObject, Kind::Region) : nullptr;
    if (!r) {
        if (mode != RGN_COPY)
            return ERROR;
        d->st.clip.reset();
        return regionType(d->clipRegion());
    }
    return combineClip(d, r->region, mode); // clip regions are in device units
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    DCImpl* d = impl(this);
    return d ? combineClip(d, QRegion(deviceRect(d->st, x1, y1, x2, y2)), RGN_AND) : ERROR;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    DCImpl* d = impl(this);
    return d ? combineClip(d, QRegion(deviceRect(d->st, x1, y1, x2, y2)), RGN_DIFF) : ERROR;
}

int CDC::OffsetClipRgn(int dx, int dy)
{
    DCImpl* d = impl(this);
    if (!d)
        return ERROR;
    if (d->st.clip) {
        const QPoint a = toDevice(d->st, 0, 0), b = toDevice(d->st, dx, dy);
        d->st.clip->translate(b - a);
    }
    return regionType(d->clipRegion());
}

BOOL CDC::PtVisible(int x, int y) const
{
    DCImpl* d = impl(this);
    return d && d->clipRegion().contains(toDevice(d->st, x, y));
}

BOOL CDC::RectVisible(LPCRECT rect) const
{
    DCImpl* d = impl(this);
    if (!d || !rect)
        return FALSE;
    if (d->screen)
        return TRUE;
    return d->clipRegion().intersects(deviceRect(d->st, rect->left, rect->top, rect->right, rect->bottom));
}

// ---------------------------------------------------------------- lines

CPoint CDC::GetCurrentPosition() const
{
    DCImpl* d = impl(this);
    return d ? CPoint(d->st.current) : CPoint();
}

CPoint CDC::MoveTo(int x, int y)
{
    DCImpl* d = impl(this);
    if (!d)
        return CPoint();
    const POINT prev = d->st.current;
    d->st.current = POINT{x, y};
    if (d->inPath)
        pathMoveTo(d, toDevice(d->st, x, y));
    return CPoint(prev);
}

namespace {
// An open line of device points: its own figure of the path being recorded, or drawn.
void drawOpenFigure(DCImpl* d, std::vector<QPoint> pts)
{
    if (d->inPath)
        pathFigure(d, std::move(pts), false);
    else
        strokeAndDraw(d, pts, false);
}
// A line that goes on from the current position: it extends the path's open figure, or is drawn.
void drawFromCurrent(DCImpl* d, const QPoint* pts, size_t count)
{
    if (!d->inPath) {
        const Figure f{pts, count, false};
        strokeAndDraw(d, &f, 1);
        return;
    }
    for (size_t i = 1; i < count; ++i)
        pathLineTo(d, pts[i - 1], pts[i]);
}
void drawFromCurrent(DCImpl* d, const std::vector<QPoint>& pts) { drawFromCurrent(d, pts.data(), pts.size()); }
} // namespace

BOOL CDC::LineTo(int x, int y)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    const QPoint line[2] = {toDevice(d->st, d->st.current.x, d->st.current.y), toDevice(d->st, x, y)};
    d->st.current = POINT{x, y};
    drawFromCurrent(d, line, 2);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    DCImpl* d = impl(this);
    if (!d || !points || count < 2)
        return FALSE;
    if (d->inPath) {
        drawOpenFigure(d, devicePoints(d, points, count));
        return TRUE;
    }
    std::vector<QPoint>& pts = d->figurePoints;
    pts.clear();
    for (int i = 0; i < count; ++i)
        pts.push_back(toDevice(d->st, points[i].x, points[i].y));
    strokeAndDraw(d, pts, false);
    return TRUE;
}

BOOL CDC::PolylineTo(const POINT* points, int count)
{
    DCImpl* d = impl(this);
    if (!d || !points || count < 1)
        return FALSE;
    std::vector<QPoint> pts;
    pts.push_back(toDevice(d->st, d->st.current.x, d->st.current.y));
    for (const QPoint& p : devicePoints(d, points, count))
        pts.push_back(p);
    d->st.current = points[count - 1];
    drawFromCurrent(d, pts);
    return TRUE;
}

BOOL CDC::PolyPolyline(const POINT* points, const DWORD* counts, int polylines)
{
    DCImpl* d = impl(this);
    if (!d || !points || !counts || polylines <= 0)
        return FALSE;
    std::vector<std::vector<QPoint>> figures;
    size_t k = 0;
    for (int i = 0; i < polylines; ++i) {
        figures.push_back(devicePoints(d, points + k, (int)counts[i]));
        k += counts[i];
    }
    if (d->inPath) {
        for (auto& f : figures)
            pathFigure(d, std::move(f), false);
        return TRUE;
    }
    // Each polyline is its own stroke: a dash pattern restarts with each.
    for (const auto& f : figures)
        strokeAndDraw(d, f, false);
    return TRUE;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    std::vector<QPoint> pts = toPixels(arcPoints(d, x1, y1, x2, y2, x3, y3, x4, y4));
    if (!pts.empty())
        drawOpenFigure(d, std::move(pts));
    return TRUE;
}
BOOL CDC::Arc(LPCRECT r, POINT s, POINT e) { return Arc(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }

BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    std::vector<QPoint> pts = toPixels(arcPoints(d, x1, y1, x2, y2, x3, y3, x4, y4));
    if (pts.empty())
        return TRUE;
    std::vector<QPoint> all{toDevice(d->st, d->st.current.x, d->st.current.y)};
    all.insert(all.end(), pts.begin(), pts.end());
    const QPoint end = toLogical(d->st, pts.back().x(), pts.back().y());
    d->st.current = POINT{end.x(), end.y()};
    drawFromCurrent(d, all);
    return TRUE;
}
BOOL CDC::ArcTo(LPCRECT r, POINT s, POINT e) { return ArcTo(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }

// ---------------------------------------------------------------- filled shapes

namespace {

// How far in from the box's edge pixels an outline runs: an inside-frame pen wider than a pixel
// keeps all of its width in the box.
double outlineInset(const Pen* pen, int width)
{
    return pen->dashStyle() == PS_INSIDEFRAME && width > 1 ? (width - 1) / 2.0 : 0;
}

// The rectangle through the centres of a box's edge pixels, `inset` further in: where an outline is stroked.
QRectF outlineRect(const QRect& box, double inset)
{
    return QRectF(box.left() + 0.5 + inset, box.top() + 0.5 + inset, std::max(0.0, box.width() - 1 - 2 * inset),
                  std::max(0.0, box.height() - 1 - 2 * inset));
}

// Draws a figure bounded by the box [l, r) x [t, b) in device pixels: a rounded rectangle with
// cw x ch corners (an ellipse when they are the box's size).
void drawRoundFigure(DCImpl* d, QRect box, int cw, int ch)
{
    const int l = box.left(), t = box.top(), r = l + box.width(), b = t + box.height();
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QRect bounds = drawBounds(d);
    if (d->inPath) {
        QPainterPath path;
        path.addRoundedRect(outlineRect(box, 0), cw / 2.0, ch / 2.0);
        pathFigure(d, flatten(path), true);
        return;
    }
    if (bounds.isEmpty())
        return;
    if (penNull(d)) {
        // Without an outline the figure is one pixel smaller to the right and at the bottom.
        Spans outline, interior;
        roundRectSpans(l, t, r - 1, b - 1, std::max(0, cw - 1), std::max(0, ch - 1), bounds, &outline, &interior);
        outline.insert(outline.end(), interior.begin(), interior.end());
        drawFill(d, outline);
        return;
    }
    const int width = penWidth(d);
    const Pen* pen = d->st.pen.get();
    const bool styled = dashPattern(pen->dashStyle()) != nullptr || pen->dashStyle() == PS_USERSTYLE;
    Spans outline, interior;
    roundRectSpans(l, t, r, b, cw, ch, bounds, &outline, &interior);
    drawFill(d, interior);
    if (width <= 1 && !styled) {
        drawStroke(d, outline);
        return;
    }
    // Wide or styled outlines follow the curve through the pixel centres.
    const double inset = outlineInset(pen, width);
    QPainterPath path;
    path.addRoundedRect(outlineRect(box, inset), std::max(0.0, cw / 2.0 - inset), std::max(0.0, ch / 2.0 - inset));
    strokeAndDraw(d, flatten(path), true);
}

} // namespace

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    const QRect box = deviceRect(d->st, x1, y1, x2, y2);
    const int l = box.left(), t = box.top(), r = l + box.width(), b = t + box.height();
    if (box.width() <= 0 || box.height() <= 0)
        return TRUE;
    if (d->inPath) {
        pathFigure(d, {QPoint(l, t), QPoint(r - 1, t), QPoint(r - 1, b - 1), QPoint(l, b - 1)}, true);
        return TRUE;
    }
    const QRect bounds = drawBounds(d);
    if (bounds.isEmpty())
        return TRUE;
    auto rectSpans = [&](int x0, int y0, int x1, int y1v, Spans& out) {
        x0 = std::max(x0, bounds.left()), x1 = std::min(x1, bounds.left() + bounds.width());
        for (int y = std::max(y0, bounds.top()); y < std::min(y1v, bounds.top() + bounds.height()); ++y)
            if (x0 < x1)
                out.push_back({y, x0, x1, 0});
    };
    if (penNull(d)) {
        Spans fill;
        rectSpans(l, t, r - 1, b - 1, fill);
        drawFill(d, fill);
        return TRUE;
    }
    const int width = penWidth(d);
    const Pen* pen = d->st.pen.get();
    Spans interior;
    rectSpans(l + 1, t + 1, r - 1, b - 1, interior);
    drawFill(d, interior);
    if (width <= 1) {
        if (box.width() == 1 || box.height() == 1) {
            Spans ink;
            rectSpans(l, t, r, b, ink);
            drawStroke(d, ink);
            return TRUE;
        }
        const QPoint corners[4] = {QPoint(l, t), QPoint(r - 1, t), QPoint(r - 1, b - 1), QPoint(l, b - 1)};
        const Figure f{corners, 4, true};
        strokeAndDraw(d, &f, 1);
        return TRUE;
    }
    QPainterPath path;
    path.addRect(outlineRect(box, outlineInset(pen, width)));
    // Corners of rectangles are the pen's joins: round for pens made by CreatePen.
    strokeAndDraw(d, flatten(path), true);
    return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    const QRect box = deviceRect(d->st, x1, y1, x2, y2);
    drawRoundFigure(d, box, box.width(), box.height());
    return TRUE;
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int width, int height)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    const QRect box = deviceRect(d->st, x1, y1, x2, y2);
    const int cw = RoundDeviceCoordinate(std::abs(width * scaleX(d->st)));
    const int ch = RoundDeviceCoordinate(std::abs(height * scaleY(d->st)));
    drawRoundFigure(d, box, cw, ch);
    return TRUE;
}

namespace {
void drawChordOrPie(DCImpl* d, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, bool pie)
{
    std::vector<QPointF> arc = arcPoints(d, x1, y1, x2, y2, x3, y3, x4, y4);
    if (arc.empty())
        return;
    std::vector<QPoint> outline = toPixels(arc);
    if (pie) {
        const QRect r = deviceRect(d->st, x1, y1, x2, y2);
        const QPoint c(r.left() + (r.width() - 1) / 2, r.top() + (r.height() - 1) / 2);
        outline.push_back(c);
        arc.emplace_back(c.x() + 0.5, c.y() + 0.5);
    }
    if (d->inPath) {
        pathFigure(d, std::move(outline), true);
        return;
    }
    const QRect bounds = drawBounds(d);
    if (bounds.isEmpty())
        return;
    Spans fill;
    fillPolygons({arc}, false, bounds, fill);
    drawFill(d, fill);
    strokeAndDraw(d, outline, true);
}
} // namespace

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    drawChordOrPie(d, x1, y1, x2, y2, x3, y3, x4, y4, false);
    return TRUE;
}
BOOL CDC::Chord(LPCRECT r, POINT s, POINT e) { return Chord(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    drawChordOrPie(d, x1, y1, x2, y2, x3, y3, x4, y4, true);
    return TRUE;
}
BOOL CDC::Pie(LPCRECT r, POINT s, POINT e) { return Pie(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }

BOOL CDC::Polygon(const POINT* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    const INT counts[1] = {count};
    return PolyPolygon(points, counts, 1);
}

BOOL CDC::PolyPolygon(const POINT* points, const INT* counts, int polygons)
{
    DCImpl* d = impl(this);
    if (!d || !points || !counts || polygons <= 0)
        return FALSE;
    for (int i = 0; i < polygons; ++i)
        if (counts[i] < 0)
            return FALSE;
    if (d->inPath) {
        size_t k = 0;
        for (int i = 0; i < polygons; ++i) {
            pathFigure(d, devicePoints(d, points + k, counts[i]), true);
            k += (size_t)counts[i];
        }
        return TRUE;
    }
    const QRect bounds = drawBounds(d);
    if (bounds.isEmpty())
        return TRUE;
    // The device points of all polygons in one buffer, their pixel centres in another: the DC's
    // buffers, reused from call to call.
    std::vector<QPoint>& pts = d->figurePoints;
    std::vector<std::vector<QPointF>>& polys = d->fillPoints;
    pts.clear();
    if (polys.size() < (size_t)polygons)
        polys.resize((size_t)polygons);
    size_t k = 0;
    for (int i = 0; i < polygons; ++i) {
        std::vector<QPointF>& centre = polys[(size_t)i];
        centre.clear();
        for (int j = 0; j < counts[i]; ++j, ++k) {
            const QPoint p = toDevice(d->st, points[k].x, points[k].y);
            pts.push_back(p);
            centre.emplace_back(p.x() + 0.5, p.y() + 0.5);
        }
    }
    for (size_t i = (size_t)polygons; i < polys.size(); ++i)
        polys[i].clear(); // buffers of an earlier call with more polygons fill nothing
    Spans& fill = d->fillSpans;
    fill.clear();
    fillPolygons(polys, d->st.fillMode == WINDING, bounds, fill);
    drawFill(d, fill);
    static thread_local std::vector<Figure> strokes;
    strokes.resize((size_t)polygons);
    Figure* figures = strokes.data();
    k = 0;
    for (int i = 0; i < polygons; ++i) {
        figures[i] = Figure{pts.data() + k, (size_t)counts[i], true};
        k += (size_t)counts[i];
    }
    strokeAndDraw(d, figures, (size_t)polygons);
    return TRUE;
}

// ---------------------------------------------------------------- paths

BOOL CDC::BeginPath()
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    d->path.clear();
    d->inPath = true;
    d->pathReady = false;
    return TRUE;
}

BOOL CDC::EndPath()
{
    DCImpl* d = impl(this);
    if (!d || !d->inPath)
        return FALSE;
    d->inPath = false;
    d->pathReady = true;
    return TRUE;
}

BOOL CDC::AbortPath()
{
    DCImpl* d = impl(this);
    if (!d)
        return FALSE;
    d->inPath = d->pathReady = false;
    d->path.clear();
    return TRUE;
}

BOOL CDC::CloseFigure()
{
    DCImpl* d = impl(this);
    if (!d || !d->inPath || d->path.empty())
        return FALSE;
    d->path.back().closed = true;
    return TRUE;
}

namespace {
BOOL renderPath(CDC* dc, bool fill, bool stroke)
{
    DCImpl* d = impl(dc);
    if (!d || !d->pathReady)
        return FALSE;
    std::vector<PathFigure> figures = std::move(d->path);
    d->path.clear();
    d->pathReady = false;
    const QRect bounds = drawBounds(d);
    if (bounds.isEmpty())
        return TRUE;
    if (fill) {
        std::vector<std::vector<QPointF>> polys;
        for (const PathFigure& f : figures)
            polys.push_back(centres(f.points));
        Spans spans;
        fillPolygons(polys, d->st.fillMode == WINDING, bounds, spans);
        drawFill(d, spans);
    }
    if (stroke) {
        std::vector<Figure> strokes;
        for (const PathFigure& f : figures)
            strokes.push_back({f.points.data(), f.points.size(), f.closed});
        strokeAndDraw(d, strokes.data(), strokes.size());
    }
    return TRUE;
}
} // namespace

BOOL CDC::StrokePath() { return renderPath(this, false, true); }
BOOL CDC::FillPath() { return renderPath(this, true, false); }
BOOL CDC::StrokeAndFillPath() { return renderPath(this, true, true); }

// ---------------------------------------------------------------- Win32 calls

HDC CreateCompatibleDC(HDC)
{
    return newDC(true)->handle;
}

BOOL DeleteDC(HDC dc)
{
    if (!dcFromHandle(dc))
        return FALSE;
    destroyDC(dc);
    return TRUE;
}

HDC GdiGetScreenDC()
{
    static HDC h = [] {
        DCImpl* d = newDC(false);
        d->screen = true;
        return d->handle;
    }();
    return h;
}

namespace {
CDC* W(HDC dc) { return CDC::FromHandle(dc); }
} // namespace

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    DCImpl* d = dcFromHandle(dc);
    return d ? selectHandle(d, object) : nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type)
{
    DCImpl* d = dcFromHandle(dc);
    if (!d)
        return nullptr;
    Object* o = nullptr;
    switch (type) {
    case OBJ_PEN: o = d->st.pen.get(); break;
    case OBJ_BRUSH: o = d->st.brush.get(); break;
    case OBJ_FONT: o = d->st.font.get(); break;
    case OBJ_BITMAP: o = d->st.bitmap.get(); break;
    case OBJ_PAL: o = d->st.palette.get(); break;
    default: break;
    }
    return o ? o->handle : nullptr;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL)
{
    DCImpl* d = dcFromHandle(dc);
    return d && lookupAs<Palette>(palette, Kind::Palette) ? (HPALETTE)selectHandle(d, palette) : nullptr;
}
UINT RealizePalette(HDC) { return 0; }
int SaveDC(HDC dc) { CDC* w = W(dc); return w ? w->SaveDC() : 0; }
BOOL RestoreDC(HDC dc, int saved) { CDC* w = W(dc); return w && w->RestoreDC(saved); }
int GetDeviceCaps(HDC dc, int index) { CDC* w = W(dc); return w ? w->GetDeviceCaps(index) : 0; }

COLORREF SetBkColor(HDC dc, COLORREF c) { CDC* w = W(dc); return w ? w->SetBkColor(c) : CLR_INVALID; }
COLORREF GetBkColor(HDC dc) { CDC* w = W(dc); return w ? w->GetBkColor() : CLR_INVALID; }
int SetBkMode(HDC dc, int m) { CDC* w = W(dc); return w ? w->SetBkMode(m) : 0; }
int GetBkMode(HDC dc) { CDC* w = W(dc); return w ? w->GetBkMode() : 0; }
COLORREF SetTextColor(HDC dc, COLORREF c) { CDC* w = W(dc); return w ? w->SetTextColor(c) : CLR_INVALID; }
COLORREF GetTextColor(HDC dc) { CDC* w = W(dc); return w ? w->GetTextColor() : CLR_INVALID; }
UINT SetTextAlign(HDC dc, UINT f) { CDC* w = W(dc); return w ? w->SetTextAlign(f) : (UINT)-1; }
UINT GetTextAlign(HDC dc) { CDC* w = W(dc); return w ? w->GetTextAlign() : (UINT)-1; }
int SetROP2(HDC dc, int m) { CDC* w = W(dc); return w ? w->SetROP2(m) : 0; }
int GetROP2(HDC dc) { CDC* w = W(dc); return w ? w->GetROP2() : 0; }
int SetPolyFillMode(HDC dc, int m) { CDC* w = W(dc); return w ? w->SetPolyFillMode(m) : 0; }
int GetPolyFillMode(HDC dc) { CDC* w = W(dc); return w ? w->GetPolyFillMode() : 0; }
int SetStretchBltMode(HDC dc, int m) { CDC* w = W(dc); return w ? w->SetStretchBltMode(m) : 0; }
int GetStretchBltMode(HDC dc) { CDC* w = W(dc); return w ? w->GetStretchBltMode() : 0; }
namespace {
// The ...Ex calls answer with success and hand the point or size back where asked.
template <class V, class Out>
BOOL putResult(CDC* w, V value, Out* out)
{
    if (!w)
        return FALSE;
    if (out)
        *out = value;
    return TRUE;
}
} // namespace
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT prev) { CDC* w = W(dc); return putResult(w, w ? w->SetBrushOrg(x, y) : CPoint(), prev); }

int SetMapMode(HDC dc, int m) { CDC* w = W(dc); return w ? w->SetMapMode(m) : 0; }
int GetMapMode(HDC dc) { CDC* w = W(dc); return w ? w->GetMapMode() : 0; }
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT prev) { CDC* w = W(dc); return putResult(w, w ? w->SetViewportOrg(x, y) : CPoint(), prev); }
BOOL GetViewportOrgEx(HDC dc, LPPOINT p) { CDC* w = W(dc); return putResult(w, w ? w->GetViewportOrg() : CPoint(), p); }
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT prev) { CDC* w = W(dc); return putResult(w, w ? w->OffsetViewportOrg(dx, dy) : CPoint(), prev); }
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT prev) { CDC* w = W(dc); return putResult(w, w ? w->SetWindowOrg(x, y) : CPoint(), prev); }
BOOL GetWindowOrgEx(HDC dc, LPPOINT p) { CDC* w = W(dc); return putResult(w, w ? w->GetWindowOrg() : CPoint(), p); }
BOOL SetViewportExtEx(HDC dc, int cx, int cy, LPSIZE prev) { CDC* w = W(dc); return putResult(w, w ? w->SetViewportExt(cx, cy) : CSize(), prev); }
BOOL SetWindowExtEx(HDC dc, int cx, int cy, LPSIZE prev) { CDC* w = W(dc); return putResult(w, w ? w->SetWindowExt(cx, cy) : CSize(), prev); }
BOOL LPtoDP(HDC dc, LPPOINT p, int n) { CDC* w = W(dc); if (!w) return FALSE; w->LPtoDP(p, n); return TRUE; }
BOOL DPtoLP(HDC dc, LPPOINT p, int n) { CDC* w = W(dc); if (!w) return FALSE; w->DPtoLP(p, n); return TRUE; }

int GetClipBox(HDC dc, LPRECT r) { CDC* w = W(dc); return w ? w->GetClipBox(r) : ERROR; }
int SelectClipRgn(HDC dc, HRGN rgn) { CDC* w = W(dc); return w ? w->SelectClipRgn(rgn ? CRgn::FromHandle(rgn) : nullptr) : ERROR; }
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode)
{
    CDC* w = W(dc);
    return w ? w->SelectClipRgn(rgn ? CRgn::FromHandle(rgn) : nullptr, mode) : ERROR;
}
int IntersectClipRect(HDC dc, int x1, int y1, int x2, int y2) { CDC* w = W(dc); return w ? w->IntersectClipRect(x1, y1, x2, y2) : ERROR; }
int ExcludeClipRect(HDC dc, int x1, int y1, int x2, int y2) { CDC* w = W(dc); return w ? w->ExcludeClipRect(x1, y1, x2, y2) : ERROR; }
int GetClipRgn(HDC dc, HRGN rgn)
{
    DCImpl* d = dcFromHandle(dc);
    Region* r = lookupAs<Region>(rgn, Kind::Region);
    if (!d || !r)
        return -1;
    if (!d->st.clip)
        return 0;
    r->region = *d->st.clip;
    return 1;
}
BOOL RectVisible(HDC dc, LPCRECT r) { CDC* w = W(dc); return w && w->RectVisible(r); }
BOOL PtVisible(HDC dc, int x, int y) { CDC* w = W(dc); return w && w->PtVisible(x, y); }

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT prev) { CDC* w = W(dc); return putResult(w, w ? w->MoveTo(x, y) : CPoint(), prev); }
BOOL GetCurrentPositionEx(HDC dc, LPPOINT p) { CDC* w = W(dc); return putResult(w, w ? w->GetCurrentPosition() : CPoint(), p); }
BOOL LineTo(HDC dc, int x, int y) { CDC* w = W(dc); return w && w->LineTo(x, y); }
BOOL Polyline(HDC dc, const POINT* p, int n) { CDC* w = W(dc); return w && w->Polyline(p, n); }
BOOL PolyPolyline(HDC dc, const POINT* p, const DWORD* c, DWORD n) { CDC* w = W(dc); return w && w->PolyPolyline(p, c, (int)n); }
BOOL Polygon(HDC dc, const POINT* p, int n) { CDC* w = W(dc); return w && w->Polygon(p, n); }
BOOL PolyPolygon(HDC dc, const POINT* p, const INT* c, int n) { CDC* w = W(dc); return w && w->PolyPolygon(p, c, n); }
BOOL Rectangle(HDC dc, int x1, int y1, int x2, int y2) { CDC* w = W(dc); return w && w->Rectangle(x1, y1, x2, y2); }
BOOL Ellipse(HDC dc, int x1, int y1, int x2, int y2) { CDC* w = W(dc); return w && w->Ellipse(x1, y1, x2, y2); }
BOOL RoundRect(HDC dc, int x1, int y1, int x2, int y2, int cw, int ch) { CDC* w = W(dc); return w && w->RoundRect(x1, y1, x2, y2, cw, ch); }
BOOL Arc(HDC dc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { CDC* w = W(dc); return w && w->Arc(x1, y1, x2, y2, x3, y3, x4, y4); }
BOOL Chord(HDC dc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { CDC* w = W(dc); return w && w->Chord(x1, y1, x2, y2, x3, y3, x4, y4); }
BOOL Pie(HDC dc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { CDC* w = W(dc); return w && w->Pie(x1, y1, x2, y2, x3, y3, x4, y4); }
int SetArcDirection(HDC dc, int dir) { CDC* w = W(dc); return w ? w->SetArcDirection(dir) : 0; }
int GetArcDirection(HDC dc) { CDC* w = W(dc); return w ? w->GetArcDirection() : 0; }

BOOL BeginPath(HDC dc) { CDC* w = W(dc); return w && w->BeginPath(); }
BOOL EndPath(HDC dc) { CDC* w = W(dc); return w && w->EndPath(); }
BOOL AbortPath(HDC dc) { CDC* w = W(dc); return w && w->AbortPath(); }
BOOL CloseFigure(HDC dc) { CDC* w = W(dc); return w && w->CloseFigure(); }
BOOL StrokePath(HDC dc) { CDC* w = W(dc); return w && w->StrokePath(); }
BOOL FillPath(HDC dc) { CDC* w = W(dc); return w && w->FillPath(); }
BOOL StrokeAndFillPath(HDC dc) { CDC* w = W(dc); return w && w->StrokeAndFillPath(); }
