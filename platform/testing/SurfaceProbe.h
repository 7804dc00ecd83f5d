// Test support: a 32-bit RGB surface owned by the test, which a DC draws into as
// into a window's retained surface, and from which the test reads pixels.
//
//     TestSurface surface(64, 64);
//     CDC dc;
//     surface.AttachTo(dc);
//     dc.Rectangle(10, 10, 20, 20);
//     EXPECT_EQ(surface.GetPixel(10, 10), RGB(0, 0, 0));
//
// A copy is a snapshot of the pixels; two surfaces compare equal when their sizes
// and every pixel agree.
#pragma once

#include "platform/base/WinTypes.h"

#include <memory>

class CDC;

class TestSurface {
public:
    TestSurface(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~TestSurface();
    TestSurface(const TestSurface& other);
    // Takes the other's size and pixels; a DC attached to this surface stays attached.
    TestSurface& operator=(const TestSurface& other);
    bool operator==(const TestSurface& other) const;
    bool operator!=(const TestSurface& other) const { return !(*this == other); }

    int Width() const;
    int Height() const;
    void Fill(COLORREF color);
    // CLR_INVALID outside the surface.
    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

    // Binds `dc` to this surface; `clip` (device pixels) limits its drawing as a window's
    // update region does (null: the whole surface).
    void AttachTo(CDC& dc, const RECT* clip = nullptr);
    // Whether `dc` draws into this surface.
    bool IsSurfaceOf(const CDC& dc) const;

private:
    struct Image;
    std::unique_ptr<Image> m_image;
};
