// CPoint, CSize and CRect, the class library's wrappers over POINT, SIZE and RECT,
// with the Win32 rectangle functions they rest on. A rectangle excludes its right
// and bottom edges, and "empty" means no area (right <= left or bottom <= top).
#pragma once

#include "platform/base/WinTypes.h"

#include <algorithm>

inline BOOL SetRect(LPRECT r, int left, int top, int right, int bottom)
{
    r->left = left;
    r->top = top;
    r->right = right;
    r->bottom = bottom;
    return TRUE;
}
inline BOOL SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }
inline BOOL CopyRect(LPRECT dst, LPCRECT src)
{
    *dst = *src;
    return TRUE;
}
inline BOOL IsRectEmpty(LPCRECT r) { return r->right <= r->left || r->bottom <= r->top; }
inline BOOL EqualRect(LPCRECT a, LPCRECT b)
{
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}
inline BOOL PtInRect(LPCRECT r, POINT p)
{
    return p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}
inline BOOL OffsetRect(LPRECT r, int dx, int dy)
{
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}
inline BOOL InflateRect(LPRECT r, int dx, int dy)
{
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
    return TRUE;
}
// Empty result (all zero) when the two do not overlap, as in Win32.
inline BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b)
{
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}
// Empty rectangles take no part in a union.
inline BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b)
{
    const bool ea = IsRectEmpty(a), eb = IsRectEmpty(b);
    if (ea && eb) {
        SetRectEmpty(dst);
        return FALSE;
    }
    if (ea) {
        *dst = *b;
        return TRUE;
    }
    if (eb) {
        *dst = *a;
        return TRUE;
    }
    RECT r{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
           std::max(a->bottom, b->bottom)};
    *dst = r;
    return TRUE;
}

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int x, int y) : SIZE{x, y} {}
    CSize(SIZE s) : SIZE(s) {}
    CSize(POINT p) : SIZE{p.x, p.y} {}
    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    // Same-class comparisons, so that C++20's reversed candidates are not ambiguous.
    bool operator==(const CSize& s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(const CSize& s) const { return !(*this == s); }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    void operator+=(SIZE s) { cx += s.cx, cy += s.cy; }
    void operator-=(SIZE s) { cx -= s.cx, cy -= s.cy; }
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x, int y) : POINT{x, y} {}
    CPoint(POINT p) : POINT(p) {}
    CPoint(SIZE s) : POINT{s.cx, s.cy} {}
    // A packed LPARAM/DWORD: low word x, high word y, each sign-extended.
    explicit CPoint(DWORD packed) : POINT{(SHORT)LOWORD(packed), (SHORT)HIWORD(packed)} {}
    void Offset(int dx, int dy) { x += dx, y += dy; }
    void Offset(POINT p) { x += p.x, y += p.y; }
    void Offset(SIZE s) { x += s.cx, y += s.cy; }
    void SetPoint(int nx, int ny) { x = nx, y = ny; }
    bool operator==(POINT p) const { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const { return !(*this == p); }
    bool operator==(const CPoint& p) const { return x == p.x && y == p.y; }
    bool operator!=(const CPoint& p) const { return !(*this == p); }
    void operator+=(SIZE s) { x += s.cx, y += s.cy; }
    void operator-=(SIZE s) { x -= s.cx, y -= s.cy; }
    void operator+=(POINT p) { x += p.x, y += p.y; }
    void operator-=(POINT p) { x -= p.x, y -= p.y; }
    CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
    CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
    CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    CRect(LPCRECT r) : RECT(*r) {}
    CRect(POINT p, SIZE s) : RECT{p.x, p.y, p.x + s.cx, p.y + s.cy} {}
    CRect(POINT tl, POINT br) : RECT{tl.x, tl.y, br.x, br.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const { return ::PtInRect(this, p); }
    void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT r) { *static_cast<RECT*>(this) = *r; }
    BOOL EqualRect(LPCRECT r) const { return ::EqualRect(this, r); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void InflateRect(SIZE s) { ::InflateRect(this, s.cx, s.cy); }
    void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
    void InflateRect(LPCRECT r) { InflateRect(r->left, r->top, r->right, r->bottom); }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void DeflateRect(SIZE s) { ::InflateRect(this, -s.cx, -s.cy); }
    void DeflateRect(int l, int t, int r, int b) { left += l, top += t, right -= r, bottom -= b; }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT p) { ::OffsetRect(this, p.x, p.y); }
    void OffsetRect(SIZE s) { ::OffsetRect(this, s.cx, s.cy); }
    void MoveToX(int x) { right = Width() + x, left = x; }
    void MoveToY(int y) { bottom = Height() + y, top = y; }
    void MoveToXY(int x, int y) { MoveToX(x), MoveToY(y); }
    void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }

    bool operator==(const RECT& r) const { return ::EqualRect(this, &r); }
    bool operator!=(const RECT& r) const { return !::EqualRect(this, &r); }
    bool operator==(const CRect& r) const { return ::EqualRect(this, &r); }
    bool operator!=(const CRect& r) const { return !::EqualRect(this, &r); }
    void operator+=(POINT p) { OffsetRect(p); }
    void operator-=(POINT p) { ::OffsetRect(this, -p.x, -p.y); }
    void operator&=(const RECT& r) { ::IntersectRect(this, this, &r); }
    void operator|=(const RECT& r) { ::UnionRect(this, this, &r); }
    CRect operator+(POINT p) const
    {
        CRect r(*this);
        r.OffsetRect(p);
        return r;
    }
    CRect operator-(POINT p) const
    {
        CRect r(*this);
        ::OffsetRect(&r, -p.x, -p.y);
        return r;
    }
    CRect operator&(const RECT& o) const
    {
        CRect r;
        ::IntersectRect(&r, this, &o);
        return r;
    }
    CRect operator|(const RECT& o) const
    {
        CRect r;
        ::UnionRect(&r, this, &o);
        return r;
    }
};
