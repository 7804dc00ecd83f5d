// Spline evaluation: chord-ratio tangents by Jacobi iteration, Hermite
// sampling, and the visible-only refinement of figures beyond the float range.
#include "model/geometry/SplineCurve.h"

#include <algorithm>
#include <cmath>

template <class T>
CSplineCurveT<T>::CSplineCurveT(const std::vector<CDoublePoint>& points, long long maxPoints)
{
    for (const CDoublePoint& p : points) {
        const T x = (T)p.x, y = (T)p.y;
        if (!m_X.empty() && m_X.back() == x && m_Y.back() == y)
            continue;
        m_X.push_back(x);
        m_Y.push_back(y);
    }
    m_nCount = (int)m_X.size();
    if (m_nCount >= 2) {
        SolveTangents();
        PlanSteps(maxPoints);
    }
}

template <class T>
void CSplineCurveT<T>::PlanSteps(long long maxPoints)
{
    const int segments = m_nCount - 1;
    m_Steps.resize((size_t)segments);
    long long steps = 0;
    for (int i = 0; i < segments; ++i)
        steps += m_Steps[(size_t)i] = RuleSteps(i);
    // Each segment adds its steps and its start point.
    const long long allowed = std::max<long long>(maxPoints - segments, segments);
    if (steps <= allowed)
        return;
    const double scale = (double)allowed / (double)steps;
    steps = 0;
    for (long long& k : m_Steps)
        steps += k = std::max(1LL, (long long)((double)k * scale));
    // Segments raised to their one step take it from the others.
    for (long long& k : m_Steps) {
        if (steps <= allowed)
            break;
        const long long cut = std::min(k - 1, steps - allowed);
        k -= cut;
        steps -= cut;
    }
}

template <class T>
void CSplineCurveT<T>::SolveTangents()
{
    const int n = m_nCount;
    for (std::vector<T>* a : {&m_dX, &m_dY, &m_Tx, &m_Ty, &m_Ex, &m_Ey, &m_R, &m_A, &m_B, &m_C})
        a->assign(n, T(0));
    for (int i = 0; i + 1 < n; ++i) {
        m_dX[i] = m_X[i + 1] - m_X[i];
        m_dY[i] = m_Y[i + 1] - m_Y[i];
    }
    std::vector<T> length(n, T(0));
    for (int i = 0; i + 1 < n; ++i)
        length[i] = std::sqrt(m_dX[i] * m_dX[i] + m_dY[i] * m_dY[i]);
    for (int i = 0; i + 2 < n; ++i) {
        const T r = length[i] / length[i + 1];
        // A chord too short or too long for the type (its square under- or
        // overflows) gives no usable ratio: such neighbours weigh equally.
        m_R[i] = std::isfinite(r) && r > T(0) ? r : T(1);
    }
    m_R[n - 2] = T(1);

    // The system's rows, the right-hand sides going into Tx and Ty.
    m_B[0] = T(2);
    m_C[0] = m_R[0];
    m_Tx[0] = T(3) * m_dX[0];
    m_Ty[0] = T(3) * m_dY[0];
    for (int i = 1; i + 1 < n; ++i) {
        const T r = m_R[i - 1];
        m_A[i] = T(1);
        m_B[i] = T(2) * r * (r + T(1));
        m_C[i] = r * r * m_R[i];
        m_Tx[i] = T(3) * (r * r * m_dX[i] + m_dX[i - 1]);
        m_Ty[i] = T(3) * (r * r * m_dY[i] + m_dY[i - 1]);
    }
    m_A[n - 1] = T(1);
    m_B[n - 1] = T(2) * m_R[n - 2];
    m_Tx[n - 1] = T(3) * m_dX[n - 2];
    m_Ty[n - 1] = T(3) * m_dY[n - 2];

    for (std::vector<T>* axis : {&m_Tx, &m_Ty}) {
        const std::vector<T> rhs = *axis;
        std::vector<T> t(n), next(n);
        for (int i = 0; i < n; ++i)
            t[i] = rhs[i] / m_B[i];
        for (int iteration = 0; iteration < 10; ++iteration) {
            next[0] = (rhs[0] - m_C[0] * t[1]) / m_B[0];
            for (int i = 1; i + 1 < n; ++i)
                next[i] = (rhs[i] - m_A[i] * t[i - 1] - m_C[i] * t[i + 1]) / m_B[i];
            next[n - 1] = (rhs[n - 1] - m_A[n - 1] * t[n - 2]) / m_B[n - 1];
            t.swap(next);
        }
        *axis = t;
    }
    for (int i = 0; i + 1 < n; ++i) {
        m_Ex[i] = m_Tx[i + 1] * m_R[i];
        m_Ey[i] = m_R[i] * m_Ty[i + 1];
    }
}

template <class T>
long long CSplineCurveT<T>::RuleSteps(int segment) const
{
    // Integer truncation of the differences, in a range where it is defined.
    const double dx = std::trunc(std::fabs((double)m_dX[segment]));
    const double dy = std::trunc(std::fabs((double)m_dY[segment]));
    const double larger = std::fmax(dx, dy);
    if (!std::isfinite(larger))
        return 1;
    const long long k = (long long)std::fmin(larger, (double)(kMaxSegmentSteps * 4)) / 4;
    return std::max(1LL, k);
}

template <class T>
long long CSplineCurveT<T>::GetPointCount() const
{
    if (m_nCount < 2)
        return m_nCount;
    long long count = 0;
    for (int i = 0; i + 1 < m_nCount; ++i)
        count += Steps(i) + 1;
    return count;
}

template <class T>
void CSplineCurveT<T>::Sample(std::vector<CDoublePoint>& out, bool truncate) const
{
    out.clear();
    const auto emit = [&](T x, T y) {
        if (truncate)
            out.emplace_back(std::trunc((double)x), std::trunc((double)y));
        else
            out.emplace_back((double)x, (double)y);
    };
    if (m_nCount < 2) {
        if (m_nCount == 1)
            emit(m_X[0], m_Y[0]);
        return;
    }
    out.reserve((size_t)GetPointCount());
    for (int i = 0; i + 1 < m_nCount; ++i) {
        const long long k = Steps(i);
        emit(m_X[i], m_Y[i]);
        for (long long j = 1; j <= k; ++j) {
            const T t = (T)j / (T)k;
            const T h01 = t * t * (T(3) - T(2) * t);
            const T h10 = t * (t - T(1)) * (t - T(1));
            const T h11 = t * t * (t - T(1));
            emit(m_X[i] + h01 * m_dX[i] + h10 * m_Tx[i] + h11 * m_Ex[i],
                 m_Y[i] + h01 * m_dY[i] + h10 * m_Ty[i] + h11 * m_Ey[i]);
        }
    }
}

namespace {
// A cubic in Bezier form; the Hermite segment P0, P1 with tangents T0, T1 has
// the control points P0, P0 + T0 / 3, P1 - T1 / 3, P1, and its curve lies in
// their hull.
struct Cubic {
    CDoublePoint p[4];

    void Split(Cubic& a, Cubic& b) const
    {
        const auto mid = [](const CDoublePoint& u, const CDoublePoint& v) {
            return CDoublePoint((u.x + v.x) * 0.5, (u.y + v.y) * 0.5);
        };
        const CDoublePoint p01 = mid(p[0], p[1]), p12 = mid(p[1], p[2]), p23 = mid(p[2], p[3]);
        const CDoublePoint p012 = mid(p01, p12), p123 = mid(p12, p23);
        const CDoublePoint centre = mid(p012, p123);
        a = Cubic{{p[0], p01, p012, centre}};
        b = Cubic{{centre, p123, p23, p[3]}};
    }

    bool Meets(const DeviceClipRect& clip) const
    {
        double l = p[0].x, r = p[0].x, t = p[0].y, bo = p[0].y;
        for (const CDoublePoint& q : p) {
            l = std::fmin(l, q.x), r = std::fmax(r, q.x);
            t = std::fmin(t, q.y), bo = std::fmax(bo, q.y);
        }
        return clip.MeetsBox(l, t, r, bo);
    }

    // The larger distance of the inner control points from the chord, which
    // bounds the curve's departure from it.
    double Flatness() const
    {
        const double dx = p[3].x - p[0].x, dy = p[3].y - p[0].y;
        const double length = std::hypot(dx, dy);
        double worst = 0.0;
        for (int i = 1; i <= 2; ++i) {
            const double ux = p[i].x - p[0].x, uy = p[i].y - p[0].y;
            const double d = length > 0.0 ? std::fabs(ux * dy - uy * dx) / length : std::hypot(ux, uy);
            worst = std::fmax(worst, d);
        }
        return worst;
    }

    void Refine(const DeviceClipRect& clip, int depth, std::vector<CDoublePoint>& out) const
    {
        if (depth >= 50 || !Meets(clip) || !(Flatness() >= 0.25)) {
            out.push_back(p[3]);
            return;
        }
        Cubic a, b;
        Split(a, b);
        a.Refine(clip, depth + 1, out);
        b.Refine(clip, depth + 1, out);
    }
};
}

template <class T>
void CSplineCurveT<T>::SampleVisible(const DeviceClipRect& clip, std::vector<CDoublePoint>& out) const
{
    out.clear();
    if (m_nCount < 2) {
        if (m_nCount == 1)
            out.emplace_back((double)m_X[0], (double)m_Y[0]);
        return;
    }
    out.emplace_back((double)m_X[0], (double)m_Y[0]);
    for (int i = 0; i + 1 < m_nCount; ++i) {
        const double x0 = m_X[i], y0 = m_Y[i], x1 = m_X[i + 1], y1 = m_Y[i + 1];
        const Cubic segment{{CDoublePoint(x0, y0), CDoublePoint(x0 + m_Tx[i] / 3.0, y0 + m_Ty[i] / 3.0),
                             CDoublePoint(x1 - m_Ex[i] / 3.0, y1 - m_Ey[i] / 3.0), CDoublePoint(x1, y1)}};
        segment.Refine(clip, 0, out);
    }
}

template class CSplineCurveT<float>;
template class CSplineCurveT<double>;
