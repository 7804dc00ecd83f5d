// A white 32-bit surface with a DC on it, and readers of its pixels.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/testing/SurfaceProbe.h"

#include <gtest/gtest.h>

class SurfaceTest : public ::testing::Test {
protected:
    static constexpr COLORREF kWhite = RGB(255, 255, 255);
    static constexpr COLORREF kBlack = RGB(0, 0, 0);

    // A white surface and a DC in its initial state.
    void SetUp() override { Reset(64, 64); }

    // A white surface of this size and a DC in its initial state.
    void Reset(int width, int height)
    {
        surface = TestSurface(width, height);
        dc.DeleteDC();
        surface.AttachTo(dc);
    }

    COLORREF At(int x, int y) const { return surface.GetPixel(x, y); }

    // Smallest rectangle (right and bottom out) holding every pixel that is not `background`.
    CRect InkBox(COLORREF background = kWhite) const
    {
        CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                if (At(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box.left == INT_MAX ? CRect() : box;
    }

    int Count(COLORREF color) const
    {
        int n = 0;
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                n += At(x, y) == color;
        return n;
    }

    // A background where every pixel differs, so that a wrong pixel anywhere shows.
    void FillPattern()
    {
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                surface.SetPixel(x, y, RGB((x * 37 + y * 11) & 0xFF, (x * 5 + y * 73) & 0xFF, (x * y + 91) & 0xFF));
    }

    // The colour with every channel inverted.
    static COLORREF Inverted(COLORREF color) { return ~color & 0xFFFFFFu; }

    TestSurface surface{64, 64};
    CDC dc;
};
