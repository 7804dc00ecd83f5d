// The vertex of the clipping engine: a double point with a flag word and a
// spare word. Bits of the flag word (bit 0 the lowest):
//   30  intersection: lies on the boundary of the other figure
//   29  the edge leaving this vertex (in traversal direction) runs inside the other figure
//   28  that edge runs outside the other figure
//   27  that edge lies on an edge of the other figure traversed the same way
//   26  that edge lies on an edge of the other figure traversed the opposite way
//   25  the stretch to the next intersection doubles back along the same
//       polygon; no piece starts here
// Bits are only ever set; a vertex is classified once any of bits 25 to 29 is.
#pragma once

#include "platform/base/Afx.h"

class CFloatPoint;

class CClipVertex {
public:
    static constexpr DWORD kDoubledBack = 1u << 25;
    static constexpr DWORD kOppositeEdge = 1u << 26;
    static constexpr DWORD kSameEdge = 1u << 27;
    static constexpr DWORD kOutside = 1u << 28;
    static constexpr DWORD kInside = 1u << 29;
    static constexpr DWORD kIntersection = 1u << 30;
    static constexpr DWORD kClassified = kDoubledBack | kOppositeEdge | kSameEdge | kOutside | kInside;

    double x = 0.0;
    double y = 0.0;
    DWORD flags = 0;
    DWORD spare = 0;

    CClipVertex() = default;
    CClipVertex(double px, double py, DWORD f = 0) : x(px), y(py), flags(f) {}
    explicit CClipVertex(const CFloatPoint& p);
    // Copies carry the point and the flags; the spare word is never copied:
    // a new vertex starts with it 0, an assigned one keeps its own.
    CClipVertex(const CClipVertex& o) : x(o.x), y(o.y), flags(o.flags) {}
    CClipVertex& operator=(const CClipVertex& o)
    {
        x = o.x;
        y = o.y;
        flags = o.flags;
        return *this;
    }

    void SetIntersection() { flags |= kIntersection; }
    BOOL IsIntersection() const { return (flags & kIntersection) != 0; }
    void SetInside() { flags |= kInside; }
    BOOL IsInside() const { return (flags & kInside) != 0; }
    void SetOutside() { flags |= kOutside; }
    BOOL IsOutside() const { return (flags & kOutside) != 0; }
    void SetSameEdge() { flags |= kSameEdge; }
    BOOL IsSameEdge() const { return (flags & kSameEdge) != 0; }
    void SetOppositeEdge() { flags |= kOppositeEdge; }
    BOOL IsOppositeEdge() const { return (flags & kOppositeEdge) != 0; }
    void SetDoubledBack() { flags |= kDoubledBack; }
    BOOL IsDoubledBack() const { return (flags & kDoubledBack) != 0; }
    BOOL IsClassified() const { return (flags & kClassified) != 0; }
};
