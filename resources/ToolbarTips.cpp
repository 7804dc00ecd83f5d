// The tool tips of the toolbars' buttons: each command's string is "prompt\ntip",
// as the frames read it; the prompts are left empty and the tips are the
// buttons' names.
#include "platform/base/ResourceStrings.h"
#include "platform/frames/FrameIds.h"
#include "resources/resource.h"

namespace {

const ResourceString kTips[] = {
    // Standard
    {ID_FILE_NEW, "\nNew"},
    {ID_FILE_OPEN, "\nOpen"},
    {ID_FILE_SAVE, "\nSave"},
    {ID_EDIT_CUT, "\nCut"},
    {ID_EDIT_COPY, "\nCopy"},
    {ID_EDIT_PASTE, "\nPaste"},
    {ID_FILE_PRINT, "\nPrint"},
    {ID_APP_ABOUT, "\nAbout"},
    // Main
    {ID_LAYER_CONTROL, "\nLayer Control"},
    {ID_BROWSE_DATA, "\nBrowse Data"},
    {ID_LAYER_STRUCTURE, "\nData Structure"},
    {ID_OBJECT_PROPERTIES, "\nObject Properties"},
    // Tool
    {ID_TOOL_SELECT, "\nSelect"},
    {ID_TOOL_RECT_SELECT, "\nRectangle Select"},
    {ID_TOOL_MARQUEE_SELECT, "\nMarquee Select"},
    {ID_TOOL_POLYGON_SELECT, "\nPolygon Select"},
    {ID_TOOL_ZOOM_IN, "\nZoom In"},
    {ID_TOOL_ZOOM_OUT, "\nZoom Out"},
    {ID_TOOL_MOVE, "\nMove"},
    {ID_TOOL_RULE, "\nRule"},
    {ID_VIEW_ENTIRE_MAP, "\nView Entire Map"},
    {ID_VIEW_MAGNIFIER, "\nView magnifier Map"},
    {ID_VIEW_MAP_LOCATOR, "\nView MapLocator"},
    // Drawing
    {ID_DRAW_LINE, "\nLine"},
    {ID_DRAW_RECTANGLE, "\nRectangle"},
    {ID_DRAW_ROUNDRECT, "\nRound rectangle"},
    {ID_DRAW_POLYGON, "\nPolygon"},
    {ID_DRAW_ELLIPSE, "\nEllipse"},
    {ID_DRAW_POLYLINE, "\nPolyline"},
    {ID_DRAW_NODE, "\nNode"},
    {ID_DRAW_TEXT, "\nText"},
    {ID_DRAW_IMAGE, "\nImage"},
    {ID_OBJECT_ADD_HANDLE, "\nAdd handle"},
    {ID_DRAW_ARC, "\nArc"},
    {ID_DRAW_CHORD, "\nChord"},
    {ID_DRAW_PIE, "\nPie"},
    {ID_DRAW_SPLINE, "\nSpline"},
    {ID_DRAW_JOIN_POLYLINE, "\nJoin Polyline"},
    {ID_DRAW_SPLIT_POLYGON, "\nSplit Polygon"},
    {ID_DRAW_DELETE_LINE, "\nDelete Line"},
};

const StringTableRegistration kRegistration(kTips);

} // namespace
