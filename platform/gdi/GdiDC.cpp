// The device contexts behind HDCs: the table of live DCs, their making with the stock
// objects selected and their destruction, which clears the handles of the CDC
// wrappers that named them; and what a DC draws on (a window surface or the selected
// bitmap) and clips to. Handles are not reused while the process runs.
#include "platform/gdi/GdiInternal.h"

#include <QGuiApplication>
#include <QScreen>

#include <unordered_map>

namespace gdi {

namespace {
struct DCTable {
    std::unordered_map<HDC, std::unique_ptr<DCImpl>> dcs;
    uintptr_t next = 0x20008;
    // The DC looked up last: drawing calls come in runs on one DC. Cleared when that DC goes.
    HDC lastHandle = nullptr;
    DCImpl* last = nullptr;
};
DCTable& dcTable()
{
    static DCTable* t = new DCTable;
    return *t;
}
} // namespace

DCImpl* newDC(bool memory)
{
    DCTable& t = dcTable();
    auto d = std::make_unique<DCImpl>();
    d->handle = reinterpret_cast<HDC>(t.next);
    t.next += 16;
    d->memory = memory;
    d->st.pen = Ref<Pen>(std::static_pointer_cast<Pen>(share(GetStockObject(BLACK_PEN))));
    d->st.brush = Ref<Brush>(std::static_pointer_cast<Brush>(share(GetStockObject(WHITE_BRUSH))));
    d->st.font = Ref<Font>(std::static_pointer_cast<Font>(share(GetStockObject(SYSTEM_FONT))));
    d->st.palette = Ref<Palette>(std::static_pointer_cast<Palette>(share(GetStockObject(DEFAULT_PALETTE))));
    if (memory)
        d->st.bitmap = Ref<Bitmap>(std::static_pointer_cast<Bitmap>(share(defaultBitmapHandle())));
    DCImpl* raw = d.get();
    t.dcs.emplace(raw->handle, std::move(d));
    return raw;
}

void destroyDC(HDC h)
{
    DCTable& t = dcTable();
    auto it = t.dcs.find(h);
    if (it == t.dcs.end())
        return;
    std::unique_ptr<DCImpl> d = std::move(it->second);
    t.dcs.erase(it);
    if (t.lastHandle == h)
        t.lastHandle = nullptr, t.last = nullptr;
    if (d->owner)
        d->owner->m_hDC = d->owner->m_hAttribDC = nullptr;
    if (Bitmap* b = d->st.bitmap.get(); b && b->selectedIn == d.get())
        b->selectedIn = nullptr;
    if (d->wrapper)
        d->wrapper->m_hDC = d->wrapper->m_hAttribDC = nullptr;
}

QSize screenSize()
{
    if (QGuiApplication::instance())
        if (QScreen* s = QGuiApplication::primaryScreen())
            if (!s->size().isEmpty())
                return s->size();
    return QSize(1024, 768);
}

DCImpl* dcFromHandle(HDC h)
{
    if (!h)
        return nullptr;
    DCTable& t = dcTable();
    if (h == t.lastHandle)
        return t.last;
    auto it = t.dcs.find(h);
    if (it == t.dcs.end())
        return nullptr;
    t.lastHandle = h, t.last = it->second.get();
    return t.last;
}

QImage* DCImpl::target()
{
    if (surface) // drawing writes 32-bit pixels: a surface of another format is left alone
        return surface->isNull() || surface->depth() != 32 ? nullptr : surface;
    if (Bitmap* b = st.bitmap.get()) {
        b->loadFromBits();
        return b->image.isNull() ? nullptr : &b->image;
    }
    return nullptr;
}

bool DCImpl::targetMono() const
{
    if (surface)
        return false;
    const Bitmap* b = st.bitmap.get();
    return b && b->mono && !b->dib;
}

void DCImpl::targetChanged(const QRect& r)
{
    if (r.isEmpty())
        return;
    if (!surface)
        if (Bitmap* b = st.bitmap.get())
            b->storeToBits();
    if (observer)
        observer(RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

QRect DCImpl::deviceBounds()
{
    if (screen)
        return QRect();
    if (surface)
        return surface->rect();
    // A DIB section's size is its image's: no need to refresh the pixels from its bytes.
    const Bitmap* b = st.bitmap.get();
    return b ? b->image.rect() : QRect();
}

namespace {
bool sameRegion(const std::optional<QRegion>& a, const std::optional<QRegion>& b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}
} // namespace

QRegion DCImpl::clipRegion()
{
    const QRect bounds = deviceBounds();
    ClipCache& c = m_clipCache;
    if (c.valid && !generalPathsOnly && c.bounds == bounds && sameRegion(c.surfaceClip, surfaceClip) && sameRegion(c.clip, st.clip))
        return c.region;
    QRegion r(bounds);
    if (surfaceClip)
        r &= *surfaceClip;
    if (st.clip)
        r &= *st.clip;
    c = ClipCache{true, bounds, surfaceClip, st.clip, r};
    return r;
}

} // namespace gdi
