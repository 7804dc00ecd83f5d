// The Line, Rectangle, Rounded Rectangle and Ellipse tools: a drag from corner to
// corner (end to end) stores one object in the active layer; a click without a
// drag stores nothing. Either way the Select tool comes back. The tool works
// only on the object it started itself, never on one another tool left selected.
#pragma once

#include "mapwindow/MapTool.h"

class CShapeTool : public CMapTool {
public:
    explicit CShapeTool(int number) : CMapTool(number) {}

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    // The programmatic path always draws a line.
    void BeginAt(CMUIMap* map, int x, int y) override;
    void MoveTo(CMUIMap* map, int x, int y) override;
    void EndAt(CMUIMap* map, int x, int y) override;
    void Reset() override;
    void Abandon(CMUIMap* map) override;

private:
    // Starts an object of the kind of tool `number` at the pixel.
    void Start(CMUIMap* map, int number, CPoint point);
    // Stores or drops the started object and makes the Select tool current.
    void Finish(CMUIMap* map, int number);
    // The object this tool started in `map`, while it is still the selection's head.
    CMapObject* Started(CMUIMap* map) const;
    // Erases the band shown and shows the one from the down pixel to `to`.
    void ShowBand(CMUIMap* map, int number, CPoint to);
    void HideBand(CMUIMap* map);
    void DrawBand(CDC* dc, int number, CPoint from, CPoint to);

    CMUIMap* m_pMap = nullptr;
    CMapObject* m_pStarted = nullptr;
    bool m_bBandShown = false;
    int m_nBandTool = 0;
    CPoint m_BandFrom, m_BandTo;
};
