// The evaluation of a spline through its control points: tangents from a
// tridiagonal system weighted by the ratios of neighbouring chord lengths,
// solved by ten Jacobi iterations, and cubic Hermite segments sampled at one
// step per 4 units of a segment's larger coordinate difference. The work
// arrays live only for one evaluation; nothing of it is cached.
//
// CSplineCurve computes in 32-bit floats, as the stored curve is defined;
// CSplineCurveT<double> serves device figures too large for floats.
#pragma once

#include "platform/base/Afx.h"

#include "core/DeviceClip.h"
#include "core/DoublePoint.h"
#include "core/FloatPoint.h"

#include <vector>

template <class T>
class CSplineCurveT {
public:
    // Steps of one segment at most: a corrupt or vast coordinate must not ask
    // for billions of points.
    static constexpr long long kMaxSegmentSteps = 1 << 16;
    // Points of a whole curve at most, by default: beyond it every segment's
    // steps shrink in proportion (each keeps one at least), so that a long
    // or damaged spline costs a bounded time and memory.
    static constexpr long long kMaxCurvePoints = 1 << 20;
    // The bound of the map-unit evaluation, which every load of a spline runs
    // for its boundary: a fine curve of its own, not a drawing.
    static constexpr long long kMaxMapCurvePoints = 1 << 16;

    // Control points in curve order. Consecutive repeats are dropped first: a
    // chord of length 0 has no ratio, and the curve passes the point anyway.
    // The sampled curve keeps to `maxPoints`, or to one step per segment
    // where the segments alone need more.
    explicit CSplineCurveT(const std::vector<CDoublePoint>& points, long long maxPoints = kMaxCurvePoints);

    // The number of distinct control points the curve is evaluated on.
    int GetControlCount() const { return m_nCount; }
    // Σ (k_i + 1) over the segments; the single point of a curve with one
    // distinct control point; 0 for none.
    long long GetPointCount() const;
    // The sampled curve in the coordinates it was made from: every point as it
    // comes out, or truncated to whole units (the device evaluation).
    void Sample(std::vector<CDoublePoint>& out, bool truncate) const;
    // The sampled curve refined only where it can meet `clip`, each segment
    // until it departs from its chords by less than a quarter unit: for device
    // figures whose full sampling would follow their size, not the view.
    void SampleVisible(const DeviceClipRect& clip, std::vector<CDoublePoint>& out) const;

    // The solved tangents (Tx, Ty) and end tangents (Ex, Ey) of the segments.
    T TangentX(int i) const { return m_Tx[i]; }
    T TangentY(int i) const { return m_Ty[i]; }
    T EndTangentX(int i) const { return m_Ex[i]; }
    T EndTangentY(int i) const { return m_Ey[i]; }

private:
    void SolveTangents();
    // The steps of each segment by the sampling rule, shrunk to the bound.
    void PlanSteps(long long maxPoints);
    long long Steps(int segment) const { return m_Steps[(size_t)segment]; }
    long long RuleSteps(int segment) const;

    int m_nCount = 0;
    std::vector<long long> m_Steps;
    std::vector<T> m_X, m_Y, m_dX, m_dY, m_Tx, m_Ty, m_Ex, m_Ey, m_R, m_A, m_B, m_C;
};

using CSplineCurve = CSplineCurveT<float>;
