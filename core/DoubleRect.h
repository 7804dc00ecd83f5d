// A bounding rectangle of four doubles in map units. The y axis grows upwards:
// a normalised rectangle has left <= right and bottom <= top. Object and layer
// boundaries are kept normalised.
//
// Stored form (the mapeBoundary and Boundary BLOBs), 40 bytes, little-endian:
//   0  8  reserved: arbitrary in files, ignored on read, zero on write
//   8  8  left     16  8  top     24  8  right     32  8  bottom   (IEEE doubles)
#pragma once

#include "platform/base/Afx.h"

#include "core/ClipVertex.h"
#include "core/DoublePoint.h"
#include "core/FloatPoint.h"

#include <array>
#include <type_traits>

class OGRCoordinateTransformation;

// Edges given as integers or doubles, no float among them.
template <class... E>
concept DoubleRectEdgeTypes = ((std::is_integral_v<E> || std::is_same_v<E, double>) && ...);

class CDoubleRect {
public:
    static constexpr int kRecordSize = 40;
    // The four edges follow the reserved word and padding of the 32-bit record.
    static constexpr int kLeftOffset = 8;
    static constexpr int kTopOffset = 16;
    static constexpr int kRightOffset = 24;
    static constexpr int kBottomOffset = 32;
    using Record = std::array<BYTE, kRecordSize>;

    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    CDoubleRect() = default;
    // The same four edges, compared exactly.
    bool operator==(const CDoubleRect&) const = default;
    // Edges in the order left, bottom, right, top, taken as they are.
    CDoubleRect(double l, double b, double r, double t) : left(l), top(t), right(r), bottom(b) {}
    // Edges in the order left, bottom, right, top, then normalised.
    CDoubleRect(float l, float b, float r, float t);
    // Integer edges (literals such as 0 or 10), alone or beside doubles, are
    // taken as the four doubles are; without this the two constructors above
    // would both fit a call of integers and it would not compile.
    template <class L, class B, class R, class T>
        requires((std::is_integral_v<L> || std::is_integral_v<B> || std::is_integral_v<R> || std::is_integral_v<T>)
                 && DoubleRectEdgeTypes<L, B, R, T>)
    CDoubleRect(L l, B b, R r, T t) : CDoubleRect((double)l, (double)b, (double)r, (double)t)
    {
    }
    // Opposite corners, normalised.
    CDoubleRect(const CClipVertex& a, const CClipVertex& b);
    // Device rectangle: RECT.top becomes bottom and RECT.bottom top; not normalised.
    explicit CDoubleRect(const RECT& r);
    CDoubleRect(const CDoubleRect&) = default;
    CDoubleRect& operator=(const CDoubleRect&) = default;
    virtual ~CDoubleRect() = default;

    // The stored form. ReadRecord takes the four doubles of a BLOB of at least
    // 40 bytes; for a null or shorter BLOB it returns FALSE and leaves the
    // rectangle unchanged.
    Record ToRecord() const;
    void WriteRecord(BYTE* record) const;
    BOOL ReadRecord(const void* data, int size);

    void Normalize();
    void SetEmpty() { left = top = right = bottom = 0.0; }
    BOOL IsEmpty() const { return right == left || top == bottom; }
    // All four edges exactly 0.
    BOOL IsNull() const { return left == 0.0 && top == 0.0 && right == 0.0 && bottom == 0.0; }
    double Width() const { return right - left; }
    double Height() const;

    CFloatPoint GetCentre() const;
    CFloatPoint GetBottomLeft() const { return CFloatPoint(left, bottom); }
    CFloatPoint GetTopRight() const { return CFloatPoint(right, top); }
    CFloatPoint GetBottomRight() const { return CFloatPoint(right, bottom); }
    CFloatPoint GetTopLeft() const { return CFloatPoint(left, top); }
    CClipVertex GetBottomLeftVertex() const { return CClipVertex(left, bottom); }
    CClipVertex GetTopRightVertex() const { return CClipVertex(right, top); }
    CClipVertex GetBottomRightVertex() const { return CClipVertex(right, bottom); }
    CClipVertex GetTopLeftVertex() const { return CClipVertex(left, top); }

    // Widens this rectangle (normalised first) to hold `other` and returns the
    // result. An all-zero rectangle is not empty here: it takes part as it is.
    CDoubleRect Union(const CDoubleRect& other);
    // For gathering bounds: an all-zero rectangle (nothing gathered yet) takes
    // `other` as it is; any other is widened by Union.
    void UnionOrAssign(const CDoubleRect& other);
    CDoubleRect UnionPoint(const CFloatPoint& pt);
    // Becomes the rectangle of two opposite corners, normalised.
    void InitFromVertices(const CFloatPoint& a, const CFloatPoint& b);
    CDoubleRect UnionDoublePoint(const CDoublePoint& pt);

    // Normalises this rectangle in place; true only when `other` lies strictly
    // inside (a shared edge is not inside).
    BOOL ContainsRect(const CDoubleRect& other);
    // As ContainsRect, but this rectangle is taken as it is.
    BOOL EnclosesRect(const CDoubleRect& other) const;
    // Normalises this rectangle in place; true when they overlap or touch.
    BOOL Intersects(const CDoubleRect& other);
    // A quick rejection only: a segment passing beside a corner counts as meeting.
    BOOL IntersectsSegment(const CClipVertex& a, const CClipVertex& b);
    // Closed test widened by 2^-23 on every side, on the rectangle as it is.
    BOOL ContainsPoint(const CDoublePoint& pt) const { return ContainsPointWithin(pt.x, pt.y); }
    BOOL ContainsPoint(const CClipVertex& pt) const { return ContainsPointWithin(pt.x, pt.y); }
    // Closed tests without widening.
    BOOL ContainsXY(double x, double y) const { return x >= left && y >= bottom && x <= right && y <= top; }
    BOOL ContainsFloatPoint(const CFloatPoint& pt) const { return ContainsXY(pt.x, pt.y); }

    void Inflate(double d);
    // Moves all four edges: left and right by dx, top and bottom by dy.
    void Offset(double dx, double dy);
    void InflateRect(int l, int b, int r, int t);
    // True when any edge e has e >= limit or e <= -limit.
    BOOL ExceedsLimit(int limit) const;
    // True when any edge is beyond the float range; a NaN edge counts.
    BOOL ExceedsFloatRange() const;

    // The device rectangle `rect` cut to this rectangle (both taken as device
    // pixels, this one in the orientation of a device CDoubleRect: bottom is the
    // smaller y, so RECT.top). The edges are truncated toward zero; all zeros
    // when the two do not meet or an edge is not a number. The result lies
    // within `rect`, so it converts to int whatever this rectangle's size.
    RECT ClipDeviceRect(const RECT& rect) const;

    // First corner from (left, bottom), second from (right, top); with a
    // positive height the CRect's top is therefore the larger device y.
    CRect ToDeviceRect(double originX, double originY, double zoom, int height) const;
    // The same corners as doubles (left, bottom, right, top), not normalised.
    CDoubleRect ToDeviceFloatRect(double originX, double originY, double zoom, int height) const;

    // Transforms (left, bottom) then (right, top); 1 when both succeed. On
    // failure the rectangle keeps its old edges. The result is not normalised.
    int Transform(OGRCoordinateTransformation* ct);
    int LinearToAngular(double a, double b);
    int AngularToLinear(double a, double b);
    int Scale(double f);

private:
    BOOL ContainsPointWithin(double x, double y) const;
};
static_assert(std::tuple_size_v<CDoubleRect::Record> == 40, "the rectangle BLOB is 40 bytes");
static_assert(CDoubleRect::kLeftOffset == 8 && CDoubleRect::kTopOffset == 16 && CDoubleRect::kRightOffset == 24
                  && CDoubleRect::kBottomOffset == 32 && CDoubleRect::kBottomOffset + 8 == CDoubleRect::kRecordSize,
              "the edges sit at 8, 16, 24 and 32 and end the record");
