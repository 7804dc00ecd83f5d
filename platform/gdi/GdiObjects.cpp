// GDI objects and their handles (GdiObjects.h): a selected object outlives DeleteObject until the
// last DC lets go of it.
#include "platform/gdi/GdiInternal.h"

#include "platform/base/ResourceBitmaps.h"

#include <QPolygon>

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace gdi {

namespace {
struct HandleTable {
    std::unordered_map<HGDIOBJ, std::shared_ptr<Object>> objects;
    uintptr_t next = 0x10000;
};
HandleTable& table()
{
    static HandleTable* t = new HandleTable; // lives to the end of the process: wrappers may outlive statics
    return *t;
}
} // namespace

Object::~Object()
{
    if (wrapper)
        wrapper->m_hObject = nullptr;
}

Object* lookup(HGDIOBJ h)
{
    if (!h)
        return nullptr;
    auto it = table().objects.find(h);
    return it == table().objects.end() ? nullptr : it->second.get();
}

std::shared_ptr<Object> share(HGDIOBJ h)
{
    if (!h)
        return {};
    auto it = table().objects.find(h);
    return it == table().objects.end() ? nullptr : it->second;
}

HGDIOBJ registerObject(std::shared_ptr<Object> object)
{
    HandleTable& t = table();
    // Handles are never reused, so a stale handle finds nothing rather than another object.
    HGDIOBJ h = reinterpret_cast<HGDIOBJ>(t.next);
    t.next += 16;
    object->handle = h;
    t.objects.emplace(h, std::move(object));
    return h;
}

void releaseSelection(Object* o)
{
    if (o->selectCount == 0 && o->pendingDelete)
        table().objects.erase(o->handle); // the caller's shared pointer keeps it until it returns
}

CGdiObject* wrapperOf(Object* o)
{
    if (!o)
        return nullptr;
    if (o->owner)
        return o->owner;
    if (!o->wrapper) {
        switch (o->kind) {
        case Kind::Pen: o->wrapper = std::make_unique<CPen>(); break;
        case Kind::Brush: o->wrapper = std::make_unique<CBrush>(); break;
        case Kind::Font: o->wrapper = std::make_unique<CFont>(); break;
        case Kind::Bitmap: o->wrapper = std::make_unique<CBitmap>(); break;
        case Kind::Region: o->wrapper = std::make_unique<CRgn>(); break;
        case Kind::Palette: o->wrapper = std::make_unique<CPalette>(); break;
        }
        o->wrapper->m_hObject = o->handle;
    }
    return o->wrapper.get();
}

namespace {

template <class T>
std::shared_ptr<T> make() { return std::make_shared<T>(); }

HGDIOBJ makeStock(int index)
{
    switch (index) {
    case WHITE_BRUSH: case LTGRAY_BRUSH: case GRAY_BRUSH: case DKGRAY_BRUSH: case BLACK_BRUSH: case NULL_BRUSH:
    case DC_BRUSH: {
        auto b = make<Brush>();
        static const COLORREF colors[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                          RGB(64, 64, 64), RGB(0, 0, 0), 0};
        b->style = index == NULL_BRUSH ? BS_NULL : BS_SOLID;
        b->color = index == DC_BRUSH ? RGB(255, 255, 255) : colors[index];
        b->stock = true;
        return registerObject(b);
    }
    case WHITE_PEN: case BLACK_PEN: case NULL_PEN: case DC_PEN: {
        auto p = make<Pen>();
        p->style = index == NULL_PEN ? PS_NULL : PS_SOLID;
        p->color = index == WHITE_PEN ? RGB(255, 255, 255) : 0;
        p->stock = true;
        return registerObject(p);
    }
    case OEM_FIXED_FONT: case ANSI_FIXED_FONT: case ANSI_VAR_FONT: case SYSTEM_FONT: case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT: case DEFAULT_GUI_FONT: {
        auto f = make<Font>();
        LOGFONTA& lf = f->lf;
        const char* face = "MS Sans Serif";
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = ANSI_CHARSET;
        switch (index) {
        case DEFAULT_GUI_FONT: lf.lfHeight = -11; face = "MS Shell Dlg"; break;
        case ANSI_VAR_FONT: lf.lfHeight = 13; break;
        case SYSTEM_FONT: case DEVICE_DEFAULT_FONT: lf.lfHeight = 16; lf.lfWeight = FW_BOLD; face = "System"; break;
        default: lf.lfHeight = 13; face = "Courier New"; lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN; break;
        }
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        f->stock = true;
        return registerObject(f);
    }
    case DEFAULT_PALETTE: {
        auto p = make<Palette>();
        // The 16 colours of a 4-bit colour table.
        for (const RGBQUAD& c : standardColorTable(4))
            p->entries.push_back({c.rgbRed, c.rgbGreen, c.rgbBlue, 0});
        p->stock = true;
        return registerObject(p);
    }
    default: return nullptr;
    }
}

} // namespace

HGDIOBJ defaultBitmapHandle()
{
    static HGDIOBJ h = [] {
        auto b = std::make_shared<Bitmap>();
        b->image = QImage(1, 1, QImage::Format_RGB32);
        b->image.fill(0xFF000000u);
        b->mono = true;
        b->stock = true;
        return registerObject(b);
    }();
    return h;
}

// ---------------------------------------------------------------- DIB sections

void Bitmap::loadFromBits()
{
    if (!dib || bits.empty())
        return;
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + colors.size() * sizeof(RGBQUAD));
    std::memcpy(info.data(), &header, sizeof header);
    if (!colors.empty())
        std::memcpy(info.data() + sizeof header, colors.data(), colors.size() * sizeof(RGBQUAD));
    int first = 0, end = 0;
    QImage decoded;
    if (decodeDib(reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, bits.data(), 0,
                  std::abs(header.biHeight), &decoded, &first, &end))
        image = decoded;
}

void Bitmap::storeToBits()
{
    if (!dib || bits.empty())
        return;
    encodeDib(image, header, colors.data(), (int)colors.size(), bits.data(), 0, std::abs(header.biHeight));
}

} // namespace gdi

using namespace gdi;

// ---------------------------------------------------------------- Win32 object calls

HGDIOBJ GetStockObject(int index)
{
    static std::unordered_map<int, HGDIOBJ> stock;
    auto it = stock.find(index);
    if (it != stock.end())
        return it->second;
    HGDIOBJ h = makeStock(index);
    if (h)
        stock[index] = h;
    return h;
}

BOOL DeleteObject(HGDIOBJ h)
{
    Object* o = lookup(h);
    if (!o)
        return FALSE;
    if (o->stock)
        return TRUE;
    if (o->pendingDelete)
        return FALSE;
    if (o->owner) {
        o->owner->m_hObject = nullptr;
        o->owner = nullptr;
    }
    if (o->selectCount > 0) {
        // Still selected: as on Windows the call fails, but the object goes with its last selection
        // instead of leaking.
        o->pendingDelete = true;
        return FALSE;
    }
    std::shared_ptr<Object> keep = share(h);
    table().objects.erase(h);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ h)
{
    if (Object* o = lookup(h))
        return (DWORD)o->kind;
    if (dcFromHandle((HDC)h))
        return dcFromHandle((HDC)h)->memory ? OBJ_MEMDC : OBJ_DC;
    return 0;
}

int GetObjectA(HGDIOBJ h, int count, LPVOID buffer)
{
    Object* o = lookup(h);
    if (!o)
        return 0;
    auto put = [&](const void* data, int size) {
        if (!buffer)
            return size;
        const int n = std::min(count, size);
        if (n <= 0)
            return 0;
        std::memcpy(buffer, data, (size_t)n);
        return n;
    };
    switch (o->kind) {
    case Kind::Pen: {
        const Pen* p = static_cast<Pen*>(o);
        LOGPEN lp{p->style, {p->width, 0}, p->color};
        return put(&lp, sizeof lp);
    }
    case Kind::Brush: {
        const Brush* b = static_cast<Brush*>(o);
        LOGBRUSH lb{b->style, b->color, b->style == BS_HATCHED ? (UINT_PTR)b->hatch : b->patternHandle};
        return put(&lb, sizeof lb);
    }
    case Kind::Font: return put(&static_cast<Font*>(o)->lf, sizeof(LOGFONTA));
    case Kind::Bitmap: {
        Bitmap* b = static_cast<Bitmap*>(o);
        DIBSECTION ds{};
        ds.dsBm.bmWidth = b->width();
        ds.dsBm.bmHeight = b->height();
        ds.dsBm.bmPlanes = 1;
        if (b->dib) {
            ds.dsBm.bmBitsPixel = b->header.biBitCount;
            ds.dsBm.bmWidthBytes = dibStride(b->width(), b->header.biBitCount);
            ds.dsBm.bmBits = b->bits.data();
            ds.dsBmih = b->header;
            ds.dsBmih.biSizeImage = (DWORD)b->bits.size();
        } else {
            ds.dsBm.bmBitsPixel = b->mono ? 1 : 32;
            ds.dsBm.bmWidthBytes = b->mono ? ((b->width() + 15) / 16) * 2 : b->width() * 4;
        }
        if (b->dib && count >= (int)sizeof(DIBSECTION))
            return put(&ds, sizeof ds);
        return put(&ds.dsBm, sizeof(BITMAP));
    }
    case Kind::Palette: {
        WORD n = (WORD)static_cast<Palette*>(o)->entries.size();
        return put(&n, sizeof n);
    }
    case Kind::Region: return 0;
    }
    return 0;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles)
{
    auto p = make<Pen>();
    p->style = style;
    p->width = (int)width;
    p->color = brush ? brush->lbColor : 0;
    if (brush && brush->lbStyle == BS_NULL)
        p->style = (style & ~PS_STYLE_MASK) | PS_NULL;
    if ((style & PS_STYLE_MASK) == PS_USERSTYLE && styles)
        p->userStyle.assign(styles, styles + styleCount);
    return (HPEN)registerObject(p);
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    auto p = make<Pen>();
    p->style = (UINT)style & PS_STYLE_MASK;
    if (p->dashStyle() > PS_INSIDEFRAME)
        p->style = PS_SOLID;
    p->width = std::max(0, width);
    p->color = color;
    return (HPEN)registerObject(p);
}

HPEN CreatePenIndirect(const LOGPEN* lp)
{
    return lp ? CreatePen((int)lp->lopnStyle, lp->lopnWidth.x, lp->lopnColor) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto b = make<Brush>();
    b->color = color;
    return (HBRUSH)registerObject(b);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return nullptr;
    auto b = make<Brush>();
    b->style = BS_HATCHED;
    b->hatch = hatch;
    b->color = color;
    return (HBRUSH)registerObject(b);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
    Bitmap* bm = lookupAs<Bitmap>(bitmap, Kind::Bitmap);
    if (!bm)
        return nullptr;
    bm->loadFromBits();
    auto b = make<Brush>();
    b->style = BS_PATTERN;
    // The brush keeps a copy: the bitmap may be deleted while the brush lives.
    b->pattern = bm->image.copy();
    b->monoPattern = bm->mono;
    b->patternHandle = (UINT_PTR)bitmap;
    return (HBRUSH)registerObject(b);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb)
{
    if (!lb)
        return nullptr;
    switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: {
        auto b = make<Brush>();
        b->style = BS_NULL;
        return (HBRUSH)registerObject(b);
    }
    case BS_HATCHED: return CreateHatchBrush((int)lb->lbHatch, lb->lbColor);
    case BS_PATTERN: case BS_PATTERN8X8: return CreatePatternBrush((HBITMAP)lb->lbHatch);
    default: return nullptr;
    }
}

HFONT CreateFontIndirectA(const LOGFONTA* lf)
{
    if (!lf)
        return nullptr;
    auto f = make<Font>();
    f->lf = *lf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return (HFONT)registerObject(f);
}

HFONT CreateFontIndirectW(const LOGFONTW* lfw)
{
    if (!lfw)
        return nullptr;
    LOGFONTA lf{};
    std::memcpy(&lf, lfw, offsetof(LOGFONTA, lfFaceName));
    int n = 0;
    while (n < LF_FACESIZE && lfw->lfFaceName[n])
        ++n;
    const QByteArray face = QString::fromUtf16(lfw->lfFaceName, n).toUtf8();
    CString::CopyToField(lf.lfFaceName, LF_FACESIZE, face.constData());
    return CreateFontIndirectA(&lf);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR faceName)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = (BYTE)italic;
    lf.lfUnderline = (BYTE)underline;
    lf.lfStrikeOut = (BYTE)strikeOut;
    lf.lfCharSet = (BYTE)charSet;
    lf.lfOutPrecision = (BYTE)outPrecision;
    lf.lfClipPrecision = (BYTE)clipPrecision;
    lf.lfQuality = (BYTE)quality;
    lf.lfPitchAndFamily = (BYTE)pitchAndFamily;
    CString::CopyToField(lf.lfFaceName, LF_FACESIZE, faceName);
    return CreateFontIndirectA(&lf);
}

// ---------------------------------------------------------------- bitmaps

namespace {
HBITMAP newBitmap(int w, int h, bool mono)
{
    if (w <= 0 || h <= 0)
        w = h = 1, mono = true;
    auto b = make<Bitmap>();
    b->image = QImage(w, h, QImage::Format_RGB32);
    if (b->image.isNull())
        return nullptr;
    b->image.fill(0xFF000000u);
    b->mono = mono;
    return (HBITMAP)registerObject(b);
}

// Rows padded to 16 bits, top-down (the layout of CreateBitmap and Get/SetBitmapBits).
int ddbStride(int w, int bpp) { return ((w * bpp + 15) / 16) * 2; }

void readDdbBits(Bitmap* b, int bpp, const uint8_t* src, size_t count)
{
    const int w = b->width(), h = b->height(), stride = ddbStride(w, bpp);
    for (int y = 0; y < h; ++y) {
        if ((size_t)(y + 1) * stride > count)
            break;
        const uint8_t* row = src + (size_t)y * stride;
        auto* out = reinterpret_cast<uint32_t*>(b->image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            uint32_t p = 0;
            switch (bpp) {
            case 1: p = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0; break;
            case 16: {
                const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
                const unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, bl = v & 31;
                p = ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (bl << 3 | bl >> 2);
                break;
            }
            case 24: p = (row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x]; break;
            default: p = (row[4 * x + 2] << 16) | (row[4 * x + 1] << 8) | row[4 * x]; break;
            }
            out[x] = 0xFF000000u | p;
        }
    }
}
} // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    const int bpp = (int)(planes * bitsPerPixel);
    HBITMAP h = newBitmap(width, height, bpp == 1);
    Bitmap* b = lookupAs<Bitmap>(h, Kind::Bitmap);
    if (b && bits && width > 0 && height > 0 && (bpp == 1 || bpp == 16 || bpp == 24 || bpp == 32))
        readDdbBits(b, bpp, static_cast<const uint8_t*>(bits), (size_t)ddbStride(width, bpp) * height);
    return h;
}

HBITMAP CreateBitmapIndirect(const BITMAP* bm)
{
    return bm ? CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits) : nullptr;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    DCImpl* d = dcFromHandle(dc);
    bool mono = false;
    if (d && d->memory) {
        Bitmap* cur = d->st.bitmap.get();
        mono = !cur || (cur->mono && !cur->dib);
    }
    return newBitmap(width, height, mono);
}

HBITMAP LoadBitmapA(HINSTANCE, LPCSTR name)
{
    const uintptr_t v = reinterpret_cast<uintptr_t>(name);
    if (v == 0 || (v >> 16) != 0)
        return nullptr; // only integer resource ids name bitmaps here
    const ResourceBitmap* res = FindResourceBitmap((UINT)v);
    if (!res || !res->pixels || res->width <= 0 || res->height <= 0)
        return nullptr;
    HBITMAP h = newBitmap(res->width, res->height, false);
    Bitmap* b = lookupAs<Bitmap>(h, Kind::Bitmap);
    for (int y = 0; y < res->height; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(b->image.scanLine(y));
        for (int x = 0; x < res->width; ++x)
            out[x] = 0xFF000000u | (res->pixels[(size_t)y * res->width + x] & 0xFFFFFF);
    }
    return h;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG count, LPVOID bits)
{
    Bitmap* b = lookupAs<Bitmap>(bitmap, Kind::Bitmap);
    if (!b || count < 0)
        return 0;
    b->loadFromBits();
    const int bpp = b->mono ? 1 : 32, w = b->width(), stride = ddbStride(w, bpp);
    const LONG total = stride * b->height();
    if (!bits)
        return total;
    auto* out = static_cast<uint8_t*>(bits);
    const LONG n = std::min(count, total);
    std::vector<uint8_t> row((size_t)stride);
    LONG written = 0;
    for (int y = 0; y < b->height() && written < n; ++y) {
        std::fill(row.begin(), row.end(), 0);
        const auto* in = reinterpret_cast<const uint32_t*>(b->image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (bpp == 1) {
                if (in[x] & 0xFFFFFF)
                    row[x >> 3] |= (uint8_t)(0x80 >> (x & 7));
            } else {
                row[4 * x] = in[x] & 0xFF;
                row[4 * x + 1] = (in[x] >> 8) & 0xFF;
                row[4 * x + 2] = (in[x] >> 16) & 0xFF;
            }
        }
        const LONG k = std::min<LONG>(stride, n - written);
        std::memcpy(out + written, row.data(), (size_t)k);
        written += k;
    }
    return written;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD count, const void* bits)
{
    Bitmap* b = lookupAs<Bitmap>(bitmap, Kind::Bitmap);
    if (!b || !bits || b->stock)
        return 0;
    b->loadFromBits();
    const int bpp = b->mono ? 1 : 32;
    readDdbBits(b, bpp, static_cast<const uint8_t*>(bits), count);
    b->storeToBits();
    return (LONG)std::min<DWORD>(count, (DWORD)(ddbStride(b->width(), bpp) * b->height()));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD)
{
    if (bits)
        *bits = nullptr;
    if (!info)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int bpp = h.biBitCount;
    if (h.biWidth <= 0 || h.biHeight == 0 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
        return nullptr;
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)
        return nullptr;
    const int64_t rows = std::abs((int64_t)h.biHeight);
    const int64_t size = (int64_t)dibStride(h.biWidth, bpp) * rows;
    if (size <= 0 || size > (int64_t)1 << 31 || h.biWidth > 65535 || rows > 65535)
        return nullptr;
    auto b = make<Bitmap>();
    b->dib = true;
    b->header = h;
    b->header.biSize = sizeof(BITMAPINFOHEADER);
    b->header.biSizeImage = (DWORD)size;
    const int ncolors = dibColorCount(h);
    if (h.biCompression == BI_BITFIELDS) {
        b->colors.resize(3);
        std::memcpy(b->colors.data(), info->bmiColors, 3 * sizeof(RGBQUAD));
    } else if (ncolors > 0) {
        b->colors.resize((size_t)ncolors);
        if (usage == DIB_RGB_COLORS)
            std::memcpy(b->colors.data(), info->bmiColors, (size_t)ncolors * sizeof(RGBQUAD));
        else
            b->colors = standardColorTable(bpp);
        b->mono = bpp == 1;
    }
    b->bits.assign((size_t)size, 0);
    b->image = QImage(h.biWidth, (int)rows, QImage::Format_RGB32);
    if (b->image.isNull())
        return nullptr;
    b->loadFromBits();
    b->mono = false; // a DIB section keeps its colour table; drawing into it is in colour
    void* p = b->bits.data();
    HBITMAP handle = (HBITMAP)registerObject(b);
    if (bits)
        *bits = p;
    return handle;
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT)
{
    Bitmap* b = lookupAs<Bitmap>(bitmap, Kind::Bitmap);
    if (!b || !info)
        return 0;
    b->loadFromBits();
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount == 0) {
        // Only the bitmap's description is asked for.
        h.biSize = sizeof(BITMAPINFOHEADER);
        h.biWidth = b->width();
        h.biHeight = b->height();
        h.biPlanes = 1;
        h.biBitCount = b->dib ? b->header.biBitCount : (b->mono ? 1 : 32);
        h.biCompression = BI_RGB;
        h.biSizeImage = (DWORD)(dibStride(b->width(), h.biBitCount) * b->height());
        return 1;
    }
    const int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return 0;
    if (h.biWidth <= 0 || h.biHeight == 0)
        return 0;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biPlanes = 1;
    if (h.biCompression != BI_BITFIELDS)
        h.biCompression = BI_RGB;
    h.biSizeImage = (DWORD)(dibStride(h.biWidth, bpp) * std::abs(h.biHeight));
    std::vector<RGBQUAD> table;
    if (bpp <= 8) {
        if (b->dib && b->header.biBitCount == bpp && !b->colors.empty())
            table = b->colors;
        else
            table = standardColorTable(bpp);
        table.resize((size_t)1 << bpp);
        std::memcpy(info->bmiColors, table.data(), table.size() * sizeof(RGBQUAD));
        h.biClrUsed = 0;
    } else if (h.biCompression == BI_BITFIELDS) {
        // masks stay as the caller gave them
    }
    if (!bits)
        return (int)std::min<UINT>(lines, (UINT)std::abs(h.biHeight));
    const int rows = std::abs(h.biHeight);
    if ((int)start >= rows)
        return 0;
    const int n = std::min((int)lines, rows - (int)start);
    QImage src = b->image;
    if (src.width() != h.biWidth || src.height() != rows) {
        QImage sized(h.biWidth, rows, QImage::Format_RGB32);
        sized.fill(0xFF000000u);
        for (int y = 0; y < std::min(rows, src.height()); ++y)
            std::memcpy(sized.scanLine(y), src.constScanLine(y), (size_t)std::min(h.biWidth, src.width()) * 4);
        src = sized;
    }
    const int ncolors = bpp <= 8 ? (1 << bpp) : (h.biCompression == BI_BITFIELDS ? 3 : 0);
    encodeDib(src, h, bpp <= 8 ? table.data() : info->bmiColors, ncolors, bits, (int)start, n);
    return n;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    Bitmap* b = lookupAs<Bitmap>(bitmap, Kind::Bitmap);
    if (!b || !bits || !info || b->stock)
        return 0;
    b->loadFromBits();
    QImage decoded;
    int first = 0, end = 0;
    if (!decodeDib(info, usage, bits, (int)start, (int)lines, &decoded, &first, &end))
        return 0;
    for (int y = first; y < end && y < b->height(); ++y) {
        auto* out = reinterpret_cast<uint32_t*>(b->image.scanLine(y));
        const auto* in = reinterpret_cast<const uint32_t*>(decoded.constScanLine(y));
        for (int x = 0; x < std::min(b->width(), decoded.width()); ++x)
            out[x] = b->mono ? (0xFF000000u | monoOf(in[x])) : in[x];
    }
    b->storeToBits();
    return end - first;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage)
{
    if (!header)
        return nullptr;
    HBITMAP h = newBitmap(header->biWidth, std::abs(header->biHeight), false);
    (void)dc;
    if ((init & CBM_INIT) && bits && info)
        SetDIBits(dc, h, 0, (UINT)std::abs(info->bmiHeader.biHeight), bits, info, usage);
    return h;
}

// ---------------------------------------------------------------- regions

namespace {
QRect normRect(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    return QRect(x1, y1, x2 - x1, y2 - y1);
}
HRGN newRegion(const QRegion& r)
{
    auto o = make<Region>();
    o->region = r;
    return (HRGN)registerObject(o);
}
QRegion roundRegion(int x1, int y1, int x2, int y2, int cw, int ch)
{
    const QRect r = normRect(x1, y1, x2, y2);
    if (r.isEmpty())
        return {};
    Spans outline, interior;
    const QRect unbounded(INT_MIN / 4, INT_MIN / 4, INT_MAX / 2, INT_MAX / 2);
    roundRectSpans(r.left(), r.top(), r.left() + r.width(), r.top() + r.height(), cw, ch, unbounded, &outline,
                   &interior);
    outline.insert(outline.end(), interior.begin(), interior.end());
    return spansToRegion(outline);
}
QRegion polygonRegion(const POINT* pts, const INT* counts, int polygons, int mode)
{
    std::vector<std::vector<QPointF>> polys;
    int k = 0;
    for (int i = 0; i < polygons; ++i) {
        std::vector<QPointF> poly;
        for (int j = 0; j < counts[i]; ++j, ++k)
            poly.emplace_back(pts[k].x + 0.5, pts[k].y + 0.5);
        polys.push_back(std::move(poly));
    }
    Spans spans;
    const QRect unbounded(INT_MIN / 4, INT_MIN / 4, INT_MAX / 2, INT_MAX / 2);
    fillPolygons(polys, mode == WINDING, unbounded, spans);
    return spansToRegion(spans);
}
} // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return newRegion(QRegion(normRect(x1, y1, x2, y2))); }
HRGN CreateRectRgnIndirect(LPCRECT r) { return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr; }
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    const QRect r = normRect(x1, y1, x2, y2);
    return newRegion(roundRegion(x1, y1, x2, y2, r.width(), r.height()));
}
HRGN CreateEllipticRgnIndirect(LPCRECT r) { return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : nullptr; }
HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) { return newRegion(roundRegion(x1, y1, x2, y2, w, h)); }
HRGN CreatePolygonRgn(const POINT* points, int count, int mode)
{
    if (!points || count < 2)
        return nullptr;
    const INT counts[1] = {count};
    return newRegion(polygonRegion(points, counts, 1, mode));
}
HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int mode)
{
    if (!points || !counts || polygons <= 0)
        return nullptr;
    return newRegion(polygonRegion(points, counts, polygons, mode));
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode)
{
    Region* d = lookupAs<Region>(dest, Kind::Region);
    Region* ra = lookupAs<Region>(a, Kind::Region);
    Region* rb = lookupAs<Region>(b, Kind::Region);
    if (!d || !ra || (mode != RGN_COPY && !rb))
        return ERROR;
    switch (mode) {
    case RGN_AND: d->region = ra->region.intersected(rb->region); break;
    case RGN_OR: d->region = ra->region.united(rb->region); break;
    case RGN_XOR: d->region = ra->region.xored(rb->region); break;
    case RGN_DIFF: d->region = ra->region.subtracted(rb->region); break;
    case RGN_COPY: d->region = ra->region; break;
    default: return ERROR;
    }
    return regionType(d->region);
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    Region* ra = lookupAs<Region>(a, Kind::Region);
    Region* rb = lookupAs<Region>(b, Kind::Region);
    return ra && rb && ra->region == rb->region;
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    Region* r = lookupAs<Region>(region, Kind::Region);
    if (!r)
        return ERROR;
    r->region.translate(dx, dy);
    return regionType(r->region);
}

int GetRgnBox(HRGN region, LPRECT rect)
{
    Region* r = lookupAs<Region>(region, Kind::Region);
    if (!r || !rect)
        return ERROR;
    const QRect b = r->region.boundingRect();
    if (b.isEmpty())
        *rect = RECT{0, 0, 0, 0};
    else
        *rect = RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    return regionType(r->region);
}

BOOL PtInRegion(HRGN region, int x, int y)
{
    Region* r = lookupAs<Region>(region, Kind::Region);
    return r && r->region.contains(QPoint(x, y));
}

BOOL RectInRegion(HRGN region, LPCRECT rect)
{
    Region* r = lookupAs<Region>(region, Kind::Region);
    return r && rect && r->region.intersects(normRect(rect->left, rect->top, rect->right, rect->bottom));
}

BOOL SetRectRgn(HRGN region, int x1, int y1, int x2, int y2)
{
    Region* r = lookupAs<Region>(region, Kind::Region);
    if (!r)
        return FALSE;
    r->region = QRegion(normRect(x1, y1, x2, y2));
    return TRUE;
}

// ---------------------------------------------------------------- palettes

HPALETTE CreatePalette(const LOGPALETTE* lp)
{
    if (!lp)
        return nullptr;
    auto p = make<Palette>();
    p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
    return (HPALETTE)registerObject(p);
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, LPPALETTEENTRY entries)
{
    Palette* p = lookupAs<Palette>(palette, Kind::Palette);
    if (!p)
        return 0;
    if (!entries)
        return (UINT)p->entries.size();
    UINT n = 0;
    for (; n < count && start + n < p->entries.size(); ++n)
        entries[n] = p->entries[start + n];
    return n;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color)
{
    Palette* p = lookupAs<Palette>(palette, Kind::Palette);
    if (!p || p->entries.empty())
        return CLR_INVALID;
    UINT best = 0;
    long bestD = LONG_MAX;
    for (UINT i = 0; i < p->entries.size(); ++i) {
        const PALETTEENTRY& e = p->entries[i];
        const long dr = e.peRed - GetRValue(color), dg = e.peGreen - GetGValue(color), db = e.peBlue - GetBValue(color);
        const long d = dr * dr + dg * dg + db * db;
        if (d < bestD)
            bestD = d, best = i;
    }
    return best;
}

// ---------------------------------------------------------------- system colours

DWORD GetSysColor(int index)
{
    switch (index) {
    case COLOR_SCROLLBAR: return RGB(192, 192, 192);
    case COLOR_BACKGROUND: return RGB(0, 128, 128);
    case COLOR_ACTIVECAPTION: return RGB(0, 0, 128);
    case COLOR_INACTIVECAPTION: return RGB(128, 128, 128);
    case COLOR_MENU: return RGB(192, 192, 192);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(0, 0, 0);
    case COLOR_MENUTEXT: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    case COLOR_ACTIVEBORDER: return RGB(192, 192, 192);
    case COLOR_INACTIVEBORDER: return RGB(192, 192, 192);
    case COLOR_APPWORKSPACE: return RGB(128, 128, 128);
    case COLOR_HIGHLIGHT: return RGB(0, 0, 128);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(192, 192, 192);
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(192, 192, 192);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(0, 0, 0);
    case COLOR_3DLIGHT: return RGB(223, 223, 223);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    case COLOR_HOTLIGHT: return RGB(0, 0, 255);
    case COLOR_GRADIENTACTIVECAPTION: return RGB(16, 132, 208);
    case COLOR_GRADIENTINACTIVECAPTION: return RGB(181, 181, 181);
    case COLOR_MENUHILIGHT: return RGB(0, 0, 128);
    case COLOR_MENUBAR: return RGB(192, 192, 192);
    default: return 0;
    }
}

HBRUSH GetSysColorBrush(int index)
{
    static std::unordered_map<int, HGDIOBJ> brushes;
    if (index < 0 || index > COLOR_MENUBAR)
        return nullptr;
    auto it = brushes.find(index);
    if (it != brushes.end())
        return (HBRUSH)it->second;
    auto b = make<Brush>();
    b->color = GetSysColor(index);
    b->stock = true;
    HGDIOBJ h = registerObject(b);
    brushes[index] = h;
    return (HBRUSH)h;
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    int64_t p = (int64_t)a * b;
    // Round half away from zero.
    const bool negative = (p < 0) != (c < 0);
    const int64_t ap = p < 0 ? -p : p, ac = c < 0 ? -(int64_t)c : c;
    int64_t q = (ap + ac / 2) / ac;
    if (negative)
        q = -q;
    if (q > INT_MAX || q < INT_MIN)
        return -1;
    return (int)q;
}

// ---------------------------------------------------------------- bridges

bool GdiGetBitmapImage(HBITMAP bitmap, QImage* out)
{
    Bitmap* b = lookupAs<Bitmap>(bitmap, Kind::Bitmap);
    if (!b || !out)
        return false;
    b->loadFromBits();
    *out = b->image.copy();
    return true;
}

HBITMAP GdiCreateBitmapFromImage(const QImage& image)
{
    if (image.isNull())
        return nullptr;
    auto b = make<Bitmap>();
    b->image = image.convertToFormat(QImage::Format_RGB32);
    return (HBITMAP)registerObject(b);
}

bool GdiGetRegion(HRGN region, QRegion* out)
{
    Region* r = lookupAs<Region>(region, Kind::Region);
    if (!r || !out)
        return false;
    *out = r->region;
    return true;
}

HRGN GdiCreateRegion(const QRegion& region) { return newRegion(region); }

bool GdiGetFont(HFONT font, QFont* out)
{
    Font* f = lookupAs<Font>(font, Kind::Font);
    if (!f || !out)
        return false;
    *out = qtFont(f->lf);
    return true;
}

// ---------------------------------------------------------------- wrapper classes

CGdiObject::~CGdiObject()
{
    if (m_hObject) {
        if (Object* o = lookup(m_hObject); o && o->owner == this)
            o->owner = nullptr;
        HGDIOBJ h = m_hObject;
        m_hObject = nullptr;
        ::DeleteObject(h);
    }
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) { return wrapperOf(lookup(h)); }

BOOL CGdiObject::Attach(HGDIOBJ h)
{
    if (!h)
        return FALSE;
    Object* o = lookup(h);
    if (o && !o->stock && !o->owner)
        o->owner = this;
    m_hObject = h;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (Object* o = lookup(h); o && o->owner == this)
        o->owner = nullptr;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach()); // may destroy this wrapper when it is a handle's own: nothing follows
}

int CGdiObject::GetObject(int count, LPVOID buffer) const { return ::GetObjectA(m_hObject, count, buffer); }
UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }
BOOL CGdiObject::CreateStockObject(int index) { return Attach(::GetStockObject(index)); }
BOOL CGdiObject::UnrealizeObject() { return m_hObject != nullptr; }

CPen::CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
CPen::CPen(int style, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles)
{
    CreatePen(style, width, brush, styleCount, styles);
}
CPen* CPen::FromHandle(HPEN h) { return static_cast<CPen*>(wrapperOf(lookupAs<Pen>(h, Kind::Pen))); }
BOOL CPen::CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles)
{
    return Attach(::ExtCreatePen((DWORD)style, (DWORD)width, brush, (DWORD)styleCount, styles));
}
BOOL CPen::CreatePenIndirect(const LOGPEN* pen) { return Attach(::CreatePenIndirect(pen)); }
int CPen::GetLogPen(LOGPEN* pen) const { return ::GetObjectA(m_hObject, sizeof(LOGPEN), pen); }

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }
CBrush::CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
CBrush::CBrush(CBitmap* bitmap) { CreatePatternBrush(bitmap); }
CBrush* CBrush::FromHandle(HBRUSH h) { return static_cast<CBrush*>(wrapperOf(lookupAs<Brush>(h, Kind::Brush))); }
BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) { return Attach(::CreateHatchBrush(hatch, color)); }
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* brush) { return Attach(::CreateBrushIndirect(brush)); }
BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    return bitmap ? Attach(::CreatePatternBrush((HBITMAP)bitmap->m_hObject)) : FALSE;
}
BOOL CBrush::CreateSysColorBrush(int index) { return Attach(::GetSysColorBrush(index)); }
int CBrush::GetLogBrush(LOGBRUSH* brush) const { return ::GetObjectA(m_hObject, sizeof(LOGBRUSH), brush); }

CFont* CFont::FromHandle(HFONT h) { return static_cast<CFont*>(wrapperOf(lookupAs<Font>(h, Kind::Font))); }
BOOL CFont::CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirectA(font)); }
BOOL CFont::CreateFontIndirectW(const LOGFONTW* font) { return Attach(::CreateFontIndirectW(font)); }
BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName)
{
    return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}
BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc)
{
    LOGFONTA lf{};
    lf.lfHeight = pointSize;
    lf.lfCharSet = DEFAULT_CHARSET;
    CString::CopyToField(lf.lfFaceName, LF_FACESIZE, faceName);
    return CreatePointFontIndirect(&lf, dc);
}
BOOL CFont::CreatePointFontIndirect(const LOGFONTA* font, CDC* dc)
{
    if (!font)
        return FALSE;
    LOGFONTA lf = *font;
    const int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
    // Tenths of a point to an em height in whole pixels (truncated), as a character height (negative).
    lf.lfHeight = -std::abs(lf.lfHeight * dpi / 720);
    return CreateFontIndirect(&lf);
}
int CFont::GetLogFont(LOGFONTA* font) const { return ::GetObjectA(m_hObject, sizeof(LOGFONTA), font); }

CBitmap* CBitmap::FromHandle(HBITMAP h) { return static_cast<CBitmap*>(wrapperOf(lookupAs<Bitmap>(h, Kind::Bitmap))); }
BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}
BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bitmap) { return Attach(::CreateBitmapIndirect(bitmap)); }
BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}
BOOL CBitmap::LoadBitmap(UINT id) { return Attach(::LoadBitmapA(nullptr, reinterpret_cast<LPCSTR>((uintptr_t)id))); }
BOOL CBitmap::LoadBitmap(LPCTSTR name) { return Attach(::LoadBitmapA(nullptr, name)); }
int CBitmap::GetBitmap(BITMAP* bitmap) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), bitmap); }
DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits) { return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, count, bits); }
DWORD CBitmap::GetBitmapBits(DWORD count, LPVOID bits) const
{
    return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, (LONG)count, bits);
}
CSize CBitmap::GetBitmapDimension() const { return CSize(0, 0); }

CRgn* CRgn::FromHandle(HRGN h) { return static_cast<CRgn*>(wrapperOf(lookupAs<Region>(h, Kind::Region))); }
BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rect) { return Attach(::CreateEllipticRgnIndirect(rect)); }
BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    return Attach(::CreatePolygonRgn(points, count, fillMode));
}
BOOL CRgn::CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode)
{
    return Attach(::CreatePolyPolygonRgn(points, counts, polygons, fillMode));
}
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int width, int height)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, width, height));
}
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT r) { ::SetRectRgn((HRGN)m_hObject, r->left, r->top, r->right, r->bottom); }
int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    return ::CombineRgn((HRGN)m_hObject, a ? (HRGN)a->m_hObject : nullptr, b ? (HRGN)b->m_hObject : nullptr, mode);
}
int CRgn::CopyRgn(const CRgn* src) { return CombineRgn(src, nullptr, RGN_COPY); }
BOOL CRgn::EqualRgn(const CRgn* other) const { return other && ::EqualRgn((HRGN)m_hObject, (HRGN)other->m_hObject); }
int CRgn::OffsetRgn(int dx, int dy) { return ::OffsetRgn((HRGN)m_hObject, dx, dy); }
int CRgn::GetRgnBox(LPRECT rect) const { return ::GetRgnBox((HRGN)m_hObject, rect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
BOOL CRgn::RectInRegion(LPCRECT rect) const { return ::RectInRegion((HRGN)m_hObject, rect); }

CPalette* CPalette::FromHandle(HPALETTE h) { return static_cast<CPalette*>(wrapperOf(lookupAs<Palette>(h, Kind::Palette))); }
BOOL CPalette::CreatePalette(const LOGPALETTE* palette) { return Attach(::CreatePalette(palette)); }
BOOL CPalette::CreateHalftonePalette(CDC*)
{
    std::vector<uint8_t> buf(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    const std::vector<RGBQUAD> table = standardColorTable(8);
    lp->palNumEntries = (WORD)table.size();
    for (size_t i = 0; i < table.size(); ++i)
        lp->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return CreatePalette(lp);
}
int CPalette::GetEntryCount() const { return (int)::GetPaletteEntries((HPALETTE)m_hObject, 0, 0, nullptr); }
UINT CPalette::GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const
{
    return entries ? ::GetPaletteEntries((HPALETTE)m_hObject, start, count, entries) : 0;
}
UINT CPalette::SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries)
{
    Palette* p = lookupAs<Palette>(m_hObject, Kind::Palette);
    if (!p || !entries)
        return 0;
    UINT n = 0;
    for (; n < count && start + n < p->entries.size(); ++n)
        p->entries[start + n] = entries[n];
    return n;
}
UINT CPalette::GetNearestPaletteIndex(COLORREF color) const { return ::GetNearestPaletteIndex((HPALETTE)m_hObject, color); }
