// Image lists and the ImageList_ calls (CImageList.h): images and masks of one size, drawn
// normally, transparently or blended.
#include "platform/controls/CImageList.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiInternal.h"

#include <QImage>

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

struct HIMAGELIST__ {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int grow = 4;
    COLORREF bk = CLR_NONE;
    std::vector<QImage> images; // RGB32, cx x cy; masked pixels black
    std::vector<QImage> masks;  // Grayscale8, 255 where the image is transparent (ILC_MASK lists)
    // The strip bitmaps that ImageList_GetImageInfo hands out, rebuilt after changes.
    HBITMAP stripImage = nullptr;
    HBITMAP stripMask = nullptr;
    bool stripDirty = true;
    CImageList* owner = nullptr;
    std::unique_ptr<CImageList> wrapper;
};

namespace {

std::unordered_map<HIMAGELIST, std::unique_ptr<HIMAGELIST__>>& Lists()
{
    static std::unordered_map<HIMAGELIST, std::unique_ptr<HIMAGELIST__>> lists;
    return lists;
}

HIMAGELIST__* Get(HIMAGELIST h)
{
    auto it = Lists().find(h);
    return it == Lists().end() ? nullptr : it->second.get();
}

bool Masked(const HIMAGELIST__* l) { return (l->flags & ILC_MASK) != 0; }

void DropStrips(HIMAGELIST__* l)
{
    if (l->stripImage)
        ::DeleteObject(l->stripImage);
    if (l->stripMask)
        ::DeleteObject(l->stripMask);
    l->stripImage = l->stripMask = nullptr;
    l->stripDirty = true;
}

QImage BlankImage(const HIMAGELIST__* l)
{
    QImage image(l->cx, l->cy, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QImage BlankMask(const HIMAGELIST__* l)
{
    QImage mask(l->cx, l->cy, QImage::Format_Grayscale8);
    mask.fill(0);
    return mask;
}

// Cuts a bitmap into images; `maskOf` gives each image's mask (null image: opaque).
int AddImages(HIMAGELIST__* l, const QImage& source, const QImage* maskSource, const COLORREF* maskColor,
              int replaceAt = -1)
{
    if (source.isNull() || l->cx <= 0 || l->cy <= 0)
        return -1;
    const int n = replaceAt >= 0 ? 1 : source.width() / l->cx;
    if (n <= 0)
        return -1;
    const int first = replaceAt >= 0 ? replaceAt : (int)l->images.size();
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    const uint32_t key = maskColor ? gdi::toPixel(*maskColor) : 0;
    for (int k = 0; k < n; ++k) {
        QImage image = BlankImage(l);
        QImage mask = BlankMask(l);
        for (int y = 0; y < l->cy && y < src.height(); ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
            QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            uchar* m = mask.scanLine(y);
            for (int x = 0; x < l->cx && k * l->cx + x < src.width(); ++x) {
                const uint32_t p = in[k * l->cx + x] & 0xFFFFFF;
                bool transparent = false;
                if (Masked(l)) {
                    if (maskColor)
                        transparent = p == key;
                    else if (maskSource && !maskSource->isNull() && y < maskSource->height() &&
                             k * l->cx + x < maskSource->width())
                        transparent = (maskSource->pixel(k * l->cx + x, y) & 0xFFFFFF) == 0xFFFFFF;
                }
                m[x] = transparent ? 255 : 0;
                out[x] = transparent ? 0xFF000000u : (0xFF000000u | p);
            }
        }
        if (replaceAt >= 0) {
            l->images[(size_t)replaceAt] = image;
            l->masks[(size_t)replaceAt] = mask;
        } else {
            l->images.push_back(image);
            l->masks.push_back(mask);
        }
    }
    DropStrips(l);
    return first;
}

QImage BitmapImage(HBITMAP h)
{
    QImage image;
    if (!h || !GdiGetBitmapImage(h, &image))
        return QImage();
    return image;
}

void BuildStrips(HIMAGELIST__* l)
{
    if (!l->stripDirty)
        return;
    DropStrips(l);
    const int n = std::max(1, (int)l->images.size());
    QImage strip(l->cx * n, l->cy, QImage::Format_RGB32);
    strip.fill(Qt::black);
    QImage mask(l->cx * n, l->cy, QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (size_t i = 0; i < l->images.size(); ++i) {
        for (int y = 0; y < l->cy; ++y) {
            QRgb* s = reinterpret_cast<QRgb*>(strip.scanLine(y)) + i * (size_t)l->cx;
            QRgb* m = reinterpret_cast<QRgb*>(mask.scanLine(y)) + i * (size_t)l->cx;
            const QRgb* in = reinterpret_cast<const QRgb*>(l->images[i].constScanLine(y));
            const uchar* t = l->masks[i].constScanLine(y);
            for (int x = 0; x < l->cx; ++x) {
                s[x] = in[x];
                m[x] = t[x] ? 0xFFFFFFFFu : 0xFF000000u;
            }
        }
    }
    l->stripImage = GdiCreateBitmapFromImage(strip);
    if (Masked(l)) {
        l->stripMask = ::CreateBitmap(strip.width(), strip.height(), 1, 1, nullptr);
        HDC dc = ::CreateCompatibleDC(nullptr);
        HBITMAP src = GdiCreateBitmapFromImage(mask);
        HDC srcDc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, l->stripMask);
        HGDIOBJ oldSrc = ::SelectObject(srcDc, src);
        ::BitBlt(dc, 0, 0, strip.width(), strip.height(), srcDc, 0, 0, SRCCOPY);
        ::SelectObject(srcDc, oldSrc);
        ::SelectObject(dc, old);
        ::DeleteDC(srcDc);
        ::DeleteDC(dc);
        ::DeleteObject(src);
    }
    l->stripDirty = false;
}

uint32_t Blend(uint32_t p, uint32_t fg, int parts) // parts of 4 taken from fg
{
    auto ch = [&](int shift) {
        const int a = (int)((p >> shift) & 0xFF), b = (int)((fg >> shift) & 0xFF);
        return (uint32_t)((a * (4 - parts) + b * parts) / 4) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}

} // namespace

// ---------------------------------------------------------------- Win32 calls

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int cGrow)
{
    if (cx <= 0 || cy <= 0)
        return nullptr;
    auto l = std::make_unique<HIMAGELIST__>();
    l->cx = cx;
    l->cy = cy;
    l->flags = flags;
    l->grow = std::max(1, cGrow);
    HIMAGELIST h = l.get();
    Lists().emplace(h, std::move(l));
    return h;
}

BOOL ImageList_Destroy(HIMAGELIST himl)
{
    auto it = Lists().find(himl);
    if (it == Lists().end())
        return FALSE;
    std::unique_ptr<HIMAGELIST__> l = std::move(it->second);
    Lists().erase(it);
    DropStrips(l.get());
    if (l->owner)
        l->owner->m_hImageList = nullptr;
    if (l->wrapper)
        l->wrapper->m_hImageList = nullptr;
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    HIMAGELIST__* l = Get(himl);
    return l ? (int)l->images.size() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount)
{
    HIMAGELIST__* l = Get(himl);
    if (!l)
        return FALSE;
    l->images.resize(uNewCount, BlankImage(l));
    l->masks.resize(uNewCount, BlankMask(l));
    DropStrips(l);
    return TRUE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask)
{
    HIMAGELIST__* l = Get(himl);
    if (!l)
        return -1;
    const QImage mask = BitmapImage(hbmMask);
    return AddImages(l, BitmapImage(hbmImage), hbmMask ? &mask : nullptr, nullptr);
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask)
{
    HIMAGELIST__* l = Get(himl);
    if (!l)
        return -1;
    return AddImages(l, BitmapImage(hbmImage), nullptr, crMask == CLR_NONE ? nullptr : &crMask);
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask)
{
    HIMAGELIST__* l = Get(himl);
    if (!l || i < 0 || i >= (int)l->images.size())
        return FALSE;
    const QImage mask = BitmapImage(hbmMask);
    return AddImages(l, BitmapImage(hbmImage), hbmMask ? &mask : nullptr, nullptr, i) >= 0;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i)
{
    HIMAGELIST__* l = Get(himl);
    if (!l)
        return FALSE;
    if (i == -1) {
        l->images.clear();
        l->masks.clear();
    } else {
        if (i < 0 || i >= (int)l->images.size())
            return FALSE;
        l->images.erase(l->images.begin() + i);
        l->masks.erase(l->masks.begin() + i);
    }
    DropStrips(l);
    return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT fStyle)
{
    HIMAGELIST__* l = Get(himl);
    if (!l || i < 0 || i >= (int)l->images.size())
        return FALSE;
    gdi::DCImpl* d = gdi::dcFromHandle(hdcDst);
    if (!d)
        return FALSE;
    QImage* target = d->target();
    if (!target)
        return TRUE; // a DC without pixels (the screen's) draws nothing
    const int w = dx > 0 ? std::min(dx, l->cx) : l->cx;
    const int hgt = dy > 0 ? std::min(dy, l->cy) : l->cy;
    const QPoint origin = gdi::toDevice(d->st, x, y);
    const QRegion clip = d->clipRegion() & QRect(origin, QSize(w, hgt));
    if (clip.isEmpty())
        return TRUE;
    const COLORREF bk = rgbBk == CLR_DEFAULT ? l->bk : rgbBk;
    const uint32_t fg = gdi::toPixel(rgbFg == CLR_DEFAULT || rgbFg == CLR_NONE ? ::GetSysColor(COLOR_HIGHLIGHT) : rgbFg);
    const int blend = (fStyle & ILD_BLEND50) ? 2 : (fStyle & ILD_BLEND25) ? 1 : 0;
    const bool useMask = Masked(l) && !(fStyle & ILD_IMAGE);
    const bool transparent = (fStyle & ILD_TRANSPARENT) || bk == CLR_NONE;
    const bool mono = d->targetMono();
    const QImage& image = l->images[(size_t)i];
    const QImage& mask = l->masks[(size_t)i];
    for (const QRect& r : clip) {
        for (int ty = r.top(); ty <= r.bottom(); ++ty) {
            QRgb* out = reinterpret_cast<QRgb*>(target->scanLine(ty));
            const int iy = ty - origin.y();
            const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(iy));
            const uchar* m = mask.constScanLine(iy);
            for (int tx = r.left(); tx <= r.right(); ++tx) {
                const int ix = tx - origin.x();
                const bool clear = useMask && m[ix];
                uint32_t p;
                if (fStyle & ILD_MASK) {
                    p = clear ? 0xFFFFFF : 0;
                } else if (clear) {
                    if (transparent)
                        continue;
                    p = gdi::toPixel(bk);
                } else {
                    p = in[ix] & 0xFFFFFF;
                    if (blend)
                        p = Blend(p, fg, blend);
                }
                if (mono)
                    p = gdi::monoOf(p);
                out[tx] = 0xFF000000u | p;
            }
        }
    }
    d->targetChanged(clip.boundingRect());
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle)
{
    return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    HIMAGELIST__* l = Get(himl);
    if (!l)
        return FALSE;
    if (cx)
        *cx = l->cx;
    if (cy)
        *cy = l->cy;
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy)
{
    HIMAGELIST__* l = Get(himl);
    if (!l || cx <= 0 || cy <= 0)
        return FALSE;
    l->cx = cx;
    l->cy = cy;
    l->images.clear();
    l->masks.clear();
    DropStrips(l);
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk)
{
    HIMAGELIST__* l = Get(himl);
    if (!l)
        return CLR_NONE;
    const COLORREF old = l->bk;
    l->bk = clrBk;
    return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl)
{
    HIMAGELIST__* l = Get(himl);
    return l ? l->bk : CLR_NONE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* info)
{
    HIMAGELIST__* l = Get(himl);
    if (!l || !info || i < 0 || i >= (int)l->images.size())
        return FALSE;
    BuildStrips(l);
    *info = IMAGEINFO{};
    info->hbmImage = l->stripImage;
    info->hbmMask = l->stripMask;
    info->rcImage = RECT{i * l->cx, 0, (i + 1) * l->cx, l->cy};
    return TRUE;
}

HIMAGELIST ImageList_LoadBitmap(HINSTANCE, LPCSTR lpbmp, int cx, int cGrow, COLORREF crMask)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(lpbmp))
        return nullptr;
    BITMAP bm{};
    bitmap.GetBitmap(&bm);
    if (cx <= 0)
        cx = bm.bmWidth;
    HIMAGELIST h = ImageList_Create(cx, bm.bmHeight, ILC_COLOR32 | (crMask != CLR_NONE ? ILC_MASK : 0), 0, cGrow);
    if (!h)
        return nullptr;
    if (ImageList_AddMasked(h, (HBITMAP)bitmap.GetSafeHandle(), crMask) < 0) {
        ImageList_Destroy(h);
        return nullptr;
    }
    return h;
}

// ---------------------------------------------------------------- CImageList

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST h)
{
    HIMAGELIST__* l = Get(h);
    if (!l)
        return nullptr;
    if (l->owner)
        return l->owner;
    if (!l->wrapper) {
        l->wrapper = std::make_unique<CImageList>();
        l->wrapper->m_hImageList = h;
    }
    return l->wrapper.get();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    HIMAGELIST__* l = Get(hImageList);
    if (!l || m_hImageList || l->owner)
        return FALSE;
    l->owner = this;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    const HIMAGELIST h = m_hImageList;
    if (HIMAGELIST__* l = Get(h))
        if (l->owner == this)
            l->owner = nullptr;
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    DeleteImageList();
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    DeleteImageList();
    return Attach(ImageList_LoadBitmap(nullptr, lpszBitmapID, cx, nGrow, crMask));
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    const HIMAGELIST h = Detach();
    // A wrapper handed out while this object held the list goes with it.
    return ImageList_Destroy(h);
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
BOOL CImageList::SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, pbmImage ? (HBITMAP)pbmImage->GetSafeHandle() : nullptr,
                         pbmMask ? (HBITMAP)pbmMask->GetSafeHandle() : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, pbmImage ? (HBITMAP)pbmImage->GetSafeHandle() : nullptr, crMask);
}

BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, pbmImage ? (HBITMAP)pbmImage->GetSafeHandle() : nullptr,
                             pbmMask ? (HBITMAP)pbmMask->GetSafeHandle() : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return pDC && ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    return pDC && ImageList_DrawEx(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg,
                                   nStyle);
}
