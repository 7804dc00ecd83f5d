// The Polygon and Polyline tools: each click fixes a vertex, the last vertex
// follows the pointer, and a double-click stores the object in the active layer
// and brings the Select tool back. The object under construction lives only in
// the selection, and the tool works only on the object it started itself.
#pragma once

#include "mapwindow/MapTool.h"
#include "core/DoublePoint.h"
#include "core/ObjectTypes.h"

class CMapPointList;

class CPolygonTool : public CMapTool {
public:
    explicit CPolygonTool(int number = TOOL_POLYGON) : CMapTool(number) {}

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonUp(CMUIMap*, UINT, int, int) override {}
    void OnLButtonDblClk(CMUIMap* map, UINT flags, int x, int y) override;
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override;
    void Reset() override;
    void Abandon(CMUIMap* map) override;

protected:
    // The type this tool builds.
    virtual int ObjectType() const { return MAP_OBJECT_POLYGON; }
    virtual CMapPointList* CreateObject() const;
    // The polygon drops its active vertex with a removed duplicate; the polyline keeps it.
    virtual bool ClearsHandleOnTrim() const { return true; }

private:
    CMapPointList* Started(CMUIMap* map) const;
    void AddVertex(CMapPointList* object, const CDoublePoint& p);
    void Discard(CMUIMap* map, CMapPointList* object);

    CMUIMap* m_pMap = nullptr;
    CMapPointList* m_pStarted = nullptr;
};

class CPolylineTool : public CPolygonTool {
public:
    CPolylineTool() : CPolygonTool(TOOL_POLYLINE) {}

protected:
    int ObjectType() const override { return MAP_OBJECT_POLYLINE; }
    CMapPointList* CreateObject() const override;
    bool ClearsHandleOnTrim() const override { return false; }
};
