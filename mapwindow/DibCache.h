// The map window's cached picture: the last rendered client area as a 32-bit
// bottom-up device-independent bitmap, grabbed from a drawing and copied back to
// a window without drawing the map again.
#pragma once

#include "platform/gdi/GdiObjects.h"

class CDC;

class CDibCache {
public:
    CDibCache() = default;
    ~CDibCache() { Free(); }
    CDibCache(const CDibCache&) = delete;
    CDibCache& operator=(const CDibCache&) = delete;

    // A new empty bitmap of that size; FALSE (and no bitmap) when none could be made.
    BOOL Create(int width, int height);
    // Copies `rect` of `dc` into the bitmap; nothing without a bitmap.
    void Grab(CDC* dc, const RECT& rect);
    // Draws the bitmap into `dc` with its top-left corner at (x, y); nothing without one.
    void Blit(CDC* dc, int x, int y) const;
    void Free();
    bool HasBitmap() const { return m_hBitmap != nullptr; }
    int GetWidth() const { return m_Header.biWidth; }
    int GetHeight() const { return m_Header.biHeight; }
    // The colour of the cached pixel at client (x, y); CLR_INVALID outside the bitmap.
    COLORREF GetPixel(int x, int y) const;

private:
    HBITMAP m_hBitmap = nullptr;
    BITMAPINFOHEADER m_Header{};
    void* m_pBits = nullptr;
};
