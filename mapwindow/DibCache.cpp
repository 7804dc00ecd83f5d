// The cached picture of the map window. The bitmap is a DIB section, so its bits
// stay readable for SetDIBitsToDevice; a grab goes through a compatible bitmap as
// a screen copy would.
#include "mapwindow/DibCache.h"

#include "platform/gdi/CDC.h"

BOOL CDibCache::Create(int width, int height)
{
    Free();
    if (width <= 0 || height <= 0)
        return FALSE;
    m_Header.biSize = sizeof(BITMAPINFOHEADER);
    m_Header.biWidth = width;
    m_Header.biHeight = height; // positive: rows run bottom-up
    m_Header.biPlanes = 1;
    m_Header.biBitCount = 32;
    m_Header.biCompression = BI_RGB;
    m_Header.biSizeImage = (DWORD)width * (DWORD)height * 4;
    BITMAPINFO info{};
    info.bmiHeader = m_Header;
    m_hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    if (!m_hBitmap) {
        m_pBits = nullptr;
        m_Header = BITMAPINFOHEADER{};
        return FALSE;
    }
    return TRUE;
}

void CDibCache::Grab(CDC* dc, const RECT& rect)
{
    if (!m_hBitmap)
        return;
    const int width = m_Header.biWidth, height = m_Header.biHeight;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, width, height);
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.StretchBlt(0, 0, width, height, dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                      SRCCOPY);
    memory.SelectObject(old);
    BITMAPINFO info{};
    info.bmiHeader = m_Header;
    GetDIBits(memory.GetSafeHdc(), (HBITMAP)bitmap.GetSafeHandle(), 0, (UINT)height, m_pBits, &info,
              DIB_RGB_COLORS);
}

void CDibCache::Blit(CDC* dc, int x, int y) const
{
    if (!m_hBitmap)
        return;
    BITMAPINFO info{};
    info.bmiHeader = m_Header;
    SetDIBitsToDevice(dc->GetSafeHdc(), x, y, (DWORD)m_Header.biWidth, (DWORD)m_Header.biHeight, 0, 0, 0,
                      (UINT)m_Header.biHeight, m_pBits, &info, DIB_RGB_COLORS);
}

void CDibCache::Free()
{
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_Header = BITMAPINFOHEADER{};
    m_pBits = nullptr;
}

COLORREF CDibCache::GetPixel(int x, int y) const
{
    const int width = m_Header.biWidth, height = m_Header.biHeight;
    if (!m_pBits || x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    // Rows run bottom-up; each pixel is blue, green, red, unused.
    const BYTE* pixel = static_cast<const BYTE*>(m_pBits) + ((size_t)(height - 1 - y) * width + x) * 4;
    return RGB(pixel[2], pixel[1], pixel[0]);
}
