// A white 32-bit surface with a DC on it, and readers of its pixels.
#pragma once

#include "platform/CDC.h"

#include <QImage>

#include <gtest/gtest.h>

class SurfaceTest : public ::testing::Test {
protected:
    static constexpr COLORREF kWhite = RGB(255, 255, 255);
    static constexpr COLORREF kBlack = RGB(0, 0, 0);

    // A white surface and a DC in its initial state.
    void SetUp() override
    {
        surface = QImage(64, 64, QImage::Format_RGB32);
        surface.fill(0xFFFFFFFFu);
        dc.DeleteDC();
        dc.AttachSurface(&surface);
    }

    COLORREF At(int x, int y) const
    {
        const QRgb p = surface.pixel(x, y);
        return RGB(qRed(p), qGreen(p), qBlue(p));
    }

    // Smallest rectangle (right and bottom out) holding every pixel that is not `background`.
    CRect InkBox(COLORREF background = kWhite) const
    {
        CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                if (At(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box.left == INT_MAX ? CRect() : box;
    }

    int Count(COLORREF color) const
    {
        int n = 0;
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                n += At(x, y) == color;
        return n;
    }

    // A background where every pixel differs, so that a wrong pixel anywhere shows.
    void FillPattern()
    {
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                surface.setPixel(x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 73) & 0xFF, (x * y + 91) & 0xFF));
    }

    QImage surface;
    CDC dc;
};
