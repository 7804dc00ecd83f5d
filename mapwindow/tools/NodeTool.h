// The Node and New Text tools: one click stores a node, or a text reading
// "Text", at the pixel in the active layer and selects it; the button-up brings
// the Select tool back. GPS recording and the imports drop nodes through the
// programmatic path.
#pragma once

#include "mapwindow/MapTool.h"

class CNodeTool : public CMapTool {
public:
    explicit CNodeTool(int number = TOOL_NODE) : CMapTool(number) {}

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override;
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override;
    void BeginAt(CMUIMap* map, int x, int y) override;
    void EndAt(CMUIMap* map, int x, int y) override;

    // Stores a node at the map point in `layer` (the active layer for null)
    // and selects it, as a click does at a pixel; the node, or null without a layer.
    static CMapObject* PlaceNodeAtPoint(CMUIMap* map, double x, double y, CMapLayer* layer = nullptr);

protected:
    // Makes and stores the tool's object at the pixel; nothing without an active layer.
    virtual void PlaceObject(CMUIMap* map, int x, int y);
    // Clears the selected object's active handle and makes the Select tool current.
    static void ReturnToSelect(CMUIMap* map);
};

class CTextTool : public CNodeTool {
public:
    CTextTool() : CNodeTool(TOOL_TEXT) {}

protected:
    void PlaceObject(CMUIMap* map, int x, int y) override;
};
