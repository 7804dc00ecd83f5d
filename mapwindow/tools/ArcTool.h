// The Arc, Chord and Pie tools: four clicks build one figure. The first two
// span the ellipse's bounding box (it follows the pointer in between), the third
// is the start ray from the centre and the fourth the end ray, which stores the
// figure in the active layer, selects it and brings the Select tool back.
#pragma once

#include "mapwindow/MapTool.h"

class CArcTool : public CMapTool {
public:
    explicit CArcTool(int number) : CMapTool(number) {}

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void Reset() override;
    void Abandon(CMUIMap* map) override;

    int GetClicks() const { return m_nClicks; }

private:
    void DrawFigure(CDC* dc, CPoint start, CPoint end);
    // Erases whatever rubber figure is shown.
    void HideBands(CMUIMap* map);
    void Store(CMUIMap* map);

    int m_nClicks = 0;
    CRect m_rcEllipse;
    CMUIMap* m_pMap = nullptr;
    // What is on the window now, so that every erase draws what is there.
    bool m_bEllipseShown = false;
    CRect m_rcShownEllipse;
    bool m_bFigureShown = false;
    CPoint m_ShownStart, m_ShownEnd;
};
