// A bitmap drawn with one colour left out: the colour of its top-left pixel
// lets the destination show through.
#pragma once

#include "platform/gdi/GdiObjects.h"

class CDC;

class CTransparentBitmap : public CBitmap {
public:
    CTransparentBitmap() = default;
    ~CTransparentBitmap() override;

    // Read from the bitmap the first time either is asked while still 0.
    int GetWidth();
    int GetHeight();
    // Draws the bitmap at (x, y) of `dc`, its transparent pixels left as they were.
    void Draw(CDC* dc, int x, int y);

private:
    void ReadSize();
    int m_nWidth = 0;
    int m_nHeight = 0;
    CBitmap m_Mask; // white where the image is transparent; made on the first Draw
};
