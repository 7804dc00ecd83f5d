// Packed device-independent bitmaps (GdiInternal.h): strides, colour tables and bit-field masks,
// decoding to and encoding from RGB32 images.
#include "platform/gdi/GdiInternal.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace gdi {

int dibStride(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

int dibColorCount(const BITMAPINFOHEADER& h)
{
    if (h.biBitCount > 8)
        return 0;
    const int full = 1 << h.biBitCount;
    return h.biClrUsed && (int)h.biClrUsed < full ? (int)h.biClrUsed : full;
}

std::vector<RGBQUAD> standardColorTable(int bitCount)
{
    std::vector<RGBQUAD> t;
    if (bitCount == 1) {
        t = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    } else if (bitCount == 4) {
        static const BYTE vga[16][3] = {{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},
                                        {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {128, 128, 128},
                                        {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255},
                                        {0, 255, 255}, {255, 255, 255}};
        for (auto& c : vga)
            t.push_back({c[2], c[1], c[0], 0});
    } else if (bitCount == 8) {
        // A 6x6x6 colour cube followed by a ramp of greys.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    t.push_back({(BYTE)(b * 51), (BYTE)(g * 51), (BYTE)(r * 51), 0});
        for (int i = 0; i < 40; ++i) {
            const BYTE v = (BYTE)((i * 255 + 19) / 39);
            t.push_back({v, v, v, 0});
        }
    }
    return t;
}

namespace {

struct Masks {
    uint32_t m[3];
    int shift[3];
    int bits[3];
};

Masks makeMasks(uint32_t r, uint32_t g, uint32_t b)
{
    Masks k{{r, g, b}, {0, 0, 0}, {0, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        uint32_t v = k.m[i];
        if (!v)
            continue;
        while (!(v & 1))
            v >>= 1, ++k.shift[i];
        while (v & 1)
            v >>= 1, ++k.bits[i];
    }
    return k;
}

int expand(uint32_t v, const Masks& k, int i)
{
    if (!k.bits[i])
        return 0;
    uint32_t c = (v & k.m[i]) >> k.shift[i];
    const int n = k.bits[i];
    if (n >= 8)
        return (int)(c >> (n - 8));
    return (int)((c * 255 + ((1u << n) - 1) / 2) / ((1u << n) - 1));
}

uint32_t pack(uint32_t rgb, const Masks& k)
{
    const int comp[3] = {(int)((rgb >> 16) & 0xFF), (int)((rgb >> 8) & 0xFF), (int)(rgb & 0xFF)};
    uint32_t v = 0;
    for (int i = 0; i < 3; ++i) {
        if (!k.bits[i])
            continue;
        const uint32_t c = k.bits[i] >= 8 ? ((uint32_t)comp[i] << (k.bits[i] - 8))
                                          : (uint32_t)comp[i] >> (8 - k.bits[i]);
        v |= (c << k.shift[i]) & k.m[i];
    }
    return v;
}

int nearest(uint32_t rgb, const RGBQUAD* colors, int count)
{
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    int best = 0, bestD = INT_MAX;
    for (int i = 0; i < count; ++i) {
        const int dr = colors[i].rgbRed - r, dg = colors[i].rgbGreen - g, db = colors[i].rgbBlue - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestD) {
            bestD = d, best = i;
            if (!d)
                break;
        }
    }
    return best;
}

Masks masksOf(const BITMAPINFOHEADER& h, const RGBQUAD* colors)
{
    if (h.biCompression == BI_BITFIELDS && colors) {
        uint32_t m[3];
        std::memcpy(m, colors, sizeof m);
        return makeMasks(m[0], m[1], m[2]);
    }
    if (h.biBitCount == 16)
        return makeMasks(0x7C00, 0x03E0, 0x001F);
    return makeMasks(0xFF0000, 0x00FF00, 0x0000FF);
}

} // namespace

bool decodeDib(const BITMAPINFO* info, UINT usage, const void* bits, int scanStart, int scanCount, QImage* out,
               int* rowFirst, int* rowEnd)
{
    if (!info || !bits || !out)
        return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int w = h.biWidth, rows = std::abs(h.biHeight), bpp = h.biBitCount;
    if (w <= 0 || rows <= 0 || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS))
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(info) + h.biSize);
    std::vector<RGBQUAD> palette;
    const int ncolors = dibColorCount(h);
    if (bpp <= 8) {
        if (usage == DIB_RGB_COLORS)
            palette.assign(table, table + ncolors);
        else
            palette = standardColorTable(bpp);
        palette.resize((size_t)1 << bpp, RGBQUAD{0, 0, 0, 0});
    }
    const Masks masks = masksOf(h, table);
    *out = QImage(w, rows, QImage::Format_RGB32);
    if (out->isNull())
        return false;
    out->fill(0xFF000000u);
    const int stride = dibStride(w, bpp);
    const int first = std::max(0, scanStart), last = std::min(rows, scanStart + std::max(0, scanCount));
    const bool bottomUp = h.biHeight > 0;
    int top = INT_MAX, bottom = INT_MIN;
    for (int scan = first; scan < last; ++scan) {
        const uint8_t* src = static_cast<const uint8_t*>(bits) + (size_t)(scan - scanStart) * stride;
        const int y = bottomUp ? rows - 1 - scan : scan;
        top = std::min(top, y), bottom = std::max(bottom, y);
        auto* dst = reinterpret_cast<uint32_t*>(out->scanLine(y));
        for (int x = 0; x < w; ++x) {
            uint32_t p = 0;
            switch (bpp) {
            case 1: case 4: case 8: {
                int idx;
                if (bpp == 8)
                    idx = src[x];
                else if (bpp == 4)
                    idx = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
                else
                    idx = (src[x >> 3] >> (7 - (x & 7))) & 1;
                const RGBQUAD& q = palette[(size_t)idx];
                p = ((uint32_t)q.rgbRed << 16) | ((uint32_t)q.rgbGreen << 8) | q.rgbBlue;
                break;
            }
            case 16: {
                const uint32_t v = src[2 * x] | (src[2 * x + 1] << 8);
                p = ((uint32_t)expand(v, masks, 0) << 16) | ((uint32_t)expand(v, masks, 1) << 8) | (uint32_t)expand(v, masks, 2);
                break;
            }
            case 24: p = ((uint32_t)src[3 * x + 2] << 16) | ((uint32_t)src[3 * x + 1] << 8) | src[3 * x]; break;
            case 32: {
                const uint32_t v = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) | ((uint32_t)src[4 * x + 3] << 24);
                p = ((uint32_t)expand(v, masks, 0) << 16) | ((uint32_t)expand(v, masks, 1) << 8) | (uint32_t)expand(v, masks, 2);
                break;
            }
            }
            dst[x] = 0xFF000000u | p;
        }
    }
    if (rowFirst)
        *rowFirst = top == INT_MAX ? 0 : top;
    if (rowEnd)
        *rowEnd = top == INT_MAX ? 0 : bottom + 1;
    return true;
}

void encodeDib(const QImage& image, const BITMAPINFOHEADER& h, const RGBQUAD* colors, int colorCount, void* bits,
               int scanStart, int scanCount)
{
    const int w = h.biWidth, rows = std::abs(h.biHeight), bpp = h.biBitCount;
    if (w <= 0 || rows <= 0 || !bits)
        return;
    const int stride = dibStride(w, bpp);
    const bool bottomUp = h.biHeight > 0;
    const Masks masks = masksOf(h, colorCount >= 3 ? colors : nullptr);
    const int first = std::max(0, scanStart), last = std::min(rows, scanStart + std::max(0, scanCount));
    for (int scan = first; scan < last; ++scan) {
        const int y = bottomUp ? rows - 1 - scan : scan;
        uint8_t* dst = static_cast<uint8_t*>(bits) + (size_t)(scan - scanStart) * stride;
        std::memset(dst, 0, (size_t)stride);
        if (y >= image.height())
            continue;
        const auto* src = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        const int n = std::min(w, image.width());
        // Runs of one colour repeat the palette search's answer.
        uint32_t lastRgb = 0xFFFFFFFFu;
        int lastIdx = 0;
        for (int x = 0; x < n; ++x) {
            const uint32_t rgb = src[x] & 0xFFFFFF;
            switch (bpp) {
            case 1: case 4: case 8: {
                if (rgb != lastRgb)
                    lastIdx = colors && colorCount > 0 ? nearest(rgb, colors, std::min(colorCount, 1 << bpp)) : 0,
                    lastRgb = rgb;
                const int idx = lastIdx;
                if (bpp == 8)
                    dst[x] = (uint8_t)idx;
                else if (bpp == 4)
                    dst[x >> 1] |= (uint8_t)((x & 1) ? idx : idx << 4);
                else if (idx)
                    dst[x >> 3] |= (uint8_t)(0x80 >> (x & 7));
                break;
            }
            case 16: {
                const uint32_t v = pack(rgb, masks);
                dst[2 * x] = v & 0xFF;
                dst[2 * x + 1] = (v >> 8) & 0xFF;
                break;
            }
            case 24:
                dst[3 * x] = rgb & 0xFF;
                dst[3 * x + 1] = (rgb >> 8) & 0xFF;
                dst[3 * x + 2] = (rgb >> 16) & 0xFF;
                break;
            case 32: {
                const uint32_t v = pack(rgb, masks);
                dst[4 * x] = v & 0xFF;
                dst[4 * x + 1] = (v >> 8) & 0xFF;
                dst[4 * x + 2] = (v >> 16) & 0xFF;
                dst[4 * x + 3] = (v >> 24) & 0xFF;
                break;
            }
            }
        }
    }
}

} // namespace gdi
