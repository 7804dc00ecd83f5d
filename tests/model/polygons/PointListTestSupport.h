// Point-list objects built from coordinate lists, and a white 32-bit memory
// surface to draw them on and read pixels back.
#pragma once

#include "model/polygons/MapPointList.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

using XY = std::pair<double, double>;

template <class Kind> void FillPoints(Kind& object, std::initializer_list<XY> points)
{
    for (const XY& p : points)
        object.AddDoublePoint(p.first, p.second);
}

inline std::vector<XY> PointsOf(CMapPointList& object)
{
    std::vector<XY> out;
    for (int i = 0; i < object.GetPointCount(); ++i)
        out.emplace_back(object.GetPoint(i).x, object.GetPoint(i).y);
    return out;
}

class Surface {
public:
    explicit Surface(int size) : m_nSize(size)
    {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(m_Bitmap.CreateBitmap(size, size, 1, 32, nullptr));
        m_pOld = dc.SelectObject(&m_Bitmap);
        dc.FillSolidRect(0, 0, size, size, RGB(255, 255, 255));
    }
    ~Surface() { dc.SelectObject(m_pOld); }
    RECT Client() const { return RECT{0, 0, m_nSize, m_nSize}; }
    int CountNot(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < m_nSize; ++y)
            for (int x = 0; x < m_nSize; ++x)
                count += dc.GetPixel(x, y) != colour ? 1 : 0;
        return count;
    }

    CDC dc;

private:
    int m_nSize;
    CBitmap m_Bitmap;
    CBitmap* m_pOld = nullptr;
};
