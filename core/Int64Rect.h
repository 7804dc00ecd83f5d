// A rectangle of 64-bit integers in the orientation of CDoubleRect (normalised:
// left <= right, bottom <= top). The device-point cache keeps the device
// extent of its points in one: device coordinates of far zooms exceed 32 bits.
#pragma once

#include "platform/base/Afx.h"

#include <cstdint>

class CDoubleRect;

class CInt64Rect {
public:
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;

    CInt64Rect() = default;
    CInt64Rect(const CInt64Rect&) = default;
    // Each edge truncated toward zero; edges beyond the 64-bit range saturate.
    explicit CInt64Rect(const CDoubleRect& r);
    virtual ~CInt64Rect() = default;

    CInt64Rect operator=(const CInt64Rect& other)
    {
        left = other.left;
        top = other.top;
        right = other.right;
        bottom = other.bottom;
        return *this;
    }

    void Normalize();
    // Puts this rectangle's bottom below its top, normalises a copy of
    // `other`, and tests that it lies within, edges included.
    BOOL Contains(const CInt64Rect& other);
    int64_t Width() const { return right - left; }
    BOOL ContainsXY(double x, double y) const
    {
        return x >= (double)left && y >= (double)bottom && x <= (double)right && y <= (double)top;
    }
};
