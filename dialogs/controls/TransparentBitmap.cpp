#include "dialogs/controls/TransparentBitmap.h"

#include "platform/gdi/CDC.h"

CTransparentBitmap::~CTransparentBitmap() { m_Mask.DeleteObject(); }

void CTransparentBitmap::ReadSize()
{
    BITMAP info{};
    if (GetSafeHandle() && GetObject(sizeof(info), &info)) {
        m_nWidth = info.bmWidth;
        m_nHeight = info.bmHeight;
    }
}

int CTransparentBitmap::GetWidth()
{
    if (m_nWidth == 0 || m_nHeight == 0)
        ReadSize();
    return m_nWidth;
}

int CTransparentBitmap::GetHeight()
{
    if (m_nWidth == 0 || m_nHeight == 0)
        ReadSize();
    return m_nHeight;
}

void CTransparentBitmap::Draw(CDC* dc, int x, int y)
{
    if (!dc || !GetSafeHandle())
        return;
    const int width = GetWidth();
    const int height = GetHeight();
    CDC image;
    image.CreateCompatibleDC(dc);
    CBitmap* oldImage = image.SelectObject(this);

    if (!m_Mask.GetSafeHandle()) {
        // Copying colour to monochrome turns the image DC's background colour
        // white and every other colour black.
        m_Mask.CreateBitmap(width, height, 1, 1, nullptr);
        CDC mask;
        mask.CreateCompatibleDC(dc);
        CBitmap* oldMask = mask.SelectObject(&m_Mask);
        image.SetBkColor(image.GetPixel(0, 0));
        mask.BitBlt(0, 0, width, height, &image, 0, 0, SRCCOPY);
        mask.SelectObject(oldMask);
    }

    // The destination is composed off screen, so that it changes only once.
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap composed;
    composed.CreateCompatibleBitmap(dc, width, height);
    CBitmap* oldComposed = memory.SelectObject(&composed);
    memory.BitBlt(0, 0, width, height, dc, x, y, SRCCOPY);

    CDC mask;
    mask.CreateCompatibleDC(dc);
    CBitmap* oldMask = mask.SelectObject(&m_Mask);
    memory.SetBkColor(RGB(255, 255, 255));
    memory.SetTextColor(RGB(0, 0, 0));
    memory.BitBlt(0, 0, width, height, &image, 0, 0, SRCINVERT);
    memory.BitBlt(0, 0, width, height, &mask, 0, 0, SRCAND);
    memory.BitBlt(0, 0, width, height, &image, 0, 0, SRCINVERT);
    dc->BitBlt(x, y, width, height, &memory, 0, 0, SRCCOPY);

    mask.SelectObject(oldMask);
    memory.SelectObject(oldComposed);
    image.SelectObject(oldImage);
}
