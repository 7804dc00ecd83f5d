// A white bitmap surface in a memory DC, for the tests that read the pixels an
// object draws; the view is the map origin at the bottom-left corner.
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <gtest/gtest.h>

#include <vector>

class Canvas {
public:
    static constexpr COLORREF kWhite = RGB(255, 255, 255);

    Canvas(int width, int height) : client{0, 0, width, height}
    {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(bitmap.CreateBitmap(width, height, 1, 32, nullptr));
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, kWhite);
    }
    ~Canvas() { dc.SelectObject(old); }

    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
    // Every pixel, row by row: equal snapshots mean an unchanged surface.
    std::vector<COLORREF> Snapshot() const
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                pixels.push_back(dc.GetPixel(x, y));
        return pixels;
    }
    // Whether any pixel of the 3 x 3 square around (x, y) is not white.
    bool InkNear(int x, int y) const
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (At(x + dx, y + dy) != kWhite)
                    return true;
        return false;
    }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    RECT client;
};
