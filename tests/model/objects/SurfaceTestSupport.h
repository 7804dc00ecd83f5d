// A white memory surface that objects draw on, read back pixel by pixel.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <gtest/gtest.h>

class Surface {
public:
    explicit Surface(int size) : m_nSize(size)
    {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(m_Bitmap.CreateBitmap(size, size, 1, 32, nullptr));
        m_pOld = dc.SelectObject(&m_Bitmap);
        dc.FillSolidRect(0, 0, size, size, RGB(255, 255, 255));
    }
    ~Surface() { dc.SelectObject(m_pOld); }

    RECT Client() const { return RECT{0, 0, m_nSize, m_nSize}; }
    bool Inked(int x, int y) { return dc.GetPixel(x, y) != RGB(255, 255, 255); }
    int InkCount()
    {
        int n = 0;
        for (int y = 0; y < m_nSize; ++y)
            for (int x = 0; x < m_nSize; ++x)
                n += Inked(x, y) ? 1 : 0;
        return n;
    }

    CDC dc;

private:
    int m_nSize;
    CBitmap m_Bitmap;
    CBitmap* m_pOld = nullptr;
};
