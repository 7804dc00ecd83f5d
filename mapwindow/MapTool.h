// The tool framework: one process-wide current tool number, the registry of tool
// objects that the map window hands every pointer and key message to, and the
// pointer state all tools share. A tool object serves one number; several
// windows share it, so every operation receives the window it works on.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/CRect.h"
#include "platform/base/Collections.h"

class CDC;
class CMapLayer;
class CMapObject;
class CMapPolyline;
class CMUIMap;

// The tool numbers that have a name of their own in the code.
enum MapToolNumber {
    TOOL_ZOOM_IN = 0,
    TOOL_ZOOM_OUT = 1,
    TOOL_MOVE = 2,
    TOOL_INFO = 3,
    TOOL_SELECT = 4,
    TOOL_RECT_SELECT = 5,
    TOOL_RULE = 6,
    TOOL_LINE = 7,
    TOOL_RECTANGLE = 8,
    TOOL_ROUND_RECT = 9,
    TOOL_POLYGON = 10,
    TOOL_POLYLINE = 11,
    TOOL_ELLIPSE = 12,
    TOOL_ADD_POINT = 13,
    TOOL_NODE = 14,
    TOOL_TEXT = 15,
    TOOL_IMAGE = 16,
    TOOL_ADD_HANDLE = 17,
    TOOL_MARQUEE_SELECT = 18,
    TOOL_POLYGON_SELECT = 19,
    TOOL_ARC = 20,
    TOOL_CHORD = 21,
    TOOL_PIE = 22,
    TOOL_SPLINE = 23,
    TOOL_SPLIT_POLYGON = 26,
    TOOL_JOIN_POLYLINE = 27,
    TOOL_DELETE_LINE = 28,
    TOOL_LAST = 28,
};

// The cursor resources of the tools (and of the wheel while it pans or zooms).
enum ToolCursor {
    CURSOR_DEFAULT = 25068,
    CURSOR_INFO = 25069,
    CURSOR_MOVE = 25070,
    CURSOR_SELECT = 25071,
    CURSOR_AREA_SELECT = 25072,
    CURSOR_ZOOM_IN = 25073,
    CURSOR_ZOOM_OUT = 25074,
};

// The current tool number of every map window; the Select tool at start.
extern int g_currentTool;
// Client pixel of the last button-down or BeginAt.
extern CPoint g_downPoint;
// Client pixel of the last pointer position a tool accepted.
extern CPoint g_curPoint;
// 0 idle; 1 and 2 mean what the current tool says while it works.
extern int g_toolState;
// The map window of the last pointer move a tool saw.
extern CMUIMap* g_lastToolWindow;

class CMapTool {
public:
    // Registers the tool under `number`; a tool removes itself when destroyed,
    // so lookup never reaches a destroyed tool.
    explicit CMapTool(int number);
    virtual ~CMapTool();
    CMapTool(const CMapTool&) = delete;
    CMapTool& operator=(const CMapTool&) = delete;

    // The first registered tool of that number (the program's own come first),
    // or null.
    static CMapTool* FindTool(int number);
    // Tools that create objects in the active layer and must not start without one.
    static bool NeedsActiveLayer(int number);
    int GetNumber() const { return m_nTool; }

    // ---- the programmatic path (a caller drives the tool with client pixels)
    virtual void FinishAt(CMUIMap* map, int x, int y);
    virtual void EndAt(CMUIMap* map, int x, int y);
    virtual void BeginAt(CMUIMap* map, int x, int y);
    virtual void MoveTo(CMUIMap* map, int x, int y);

    // ---- messages, with the MK_* flags or the key code, repeat count and flags
    virtual void OnKeyDown(CMUIMap* map, UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(CMUIMap* map, UINT key, UINT repeat, UINT flags);
    virtual void OnChar(CMUIMap* map, UINT key, UINT repeat, UINT flags);
    virtual void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y);
    virtual void OnLButtonDblClk(CMUIMap* map, UINT flags, int x, int y);
    virtual void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y);
    virtual void OnMouseMove(CMUIMap* map, UINT flags, int x, int y);
    // Kept for the order of the operations; does nothing.
    virtual void Reserved() {}
    // Makes the Select tool current.
    virtual void SelectDefaultTool();

    // Whether a drag of the view is under way: the window's paint then shifts its
    // cached picture instead of drawing the map (only the Move tool drags).
    virtual bool IsDraggingView() const { return false; }
    virtual void ClearDraggingView() {}
    // The tool drops whatever it holds of an unfinished operation: another tool
    // is about to become current, or the window it worked on is going away.
    virtual void Reset() {}
    // The same, told which window makes another tool current: a tool that keeps
    // an unfinished object of that window in its selection drops it there.
    virtual void Abandon(CMUIMap*) { Reset(); }

    // ---- helpers of the tools
    // The colour of the rubber bands: in NOTXOR it shows on light and dark maps alike.
    static constexpr COLORREF kBandColour = RGB(0xC0, 0xC0, 0xC0);
    // The "Position: " text of the pointer at (x, y), kept by the window.
    static void UpdatePositionText(CMUIMap* map, int x, int y, CMapObject* object);
    // Appends the pixel's map point to `track`, marks the map modified and
    // makes the pixel the down and current point (a GPS track grows this way).
    static void AppendTrackPoint(CMUIMap* map, int x, int y, CMapPolyline* track);
    // The rubber-band figures: each is drawn in NOTXOR, so drawing it again erases it.
    static void DrawXorLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int penStyle);
    static void DrawFocusRectXor(CDC* dc, int left, int top, int right, int bottom);
    static void DrawXorEllipse(CDC* dc, const RECT& rect);
    // Records the copies in `objects` (the list is emptied) as undo entries of
    // `action`, one entry per layer the copies belong to, so that an undo puts
    // every object back into its own layer file. Copies without a layer are freed.
    static void RecordEditsByLayer(CList<CMapObject*, CMapObject*>& objects, int action);
    // A copy of `object` as it is now, for an undo entry: outside any layer,
    // with the object's id, and knowing the layer whose history it goes to.
    static CMapObject* CopyForUndo(CMapObject* object);
    // One undo entry of one object in `layer`'s history: nothing for a null
    // copy or action 3; otherwise the entry owns the copy.
    static void RecordObjectChange(CMapLayer* layer, CMapObject* copy, int action);

protected:
    // The Shift constraint of a dragged handle: squares a rectangle's corner,
    // makes a line horizontal or vertical.
    static CPoint ConstrainHandleDrag(CMUIMap* map, UINT flags, CPoint point);

    int m_nTool;
    CList<CMapObject*, CMapObject*> m_pendingEdits;
    int m_pendingAction = 0;
};
