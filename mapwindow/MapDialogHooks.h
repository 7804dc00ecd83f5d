// The dialogs that the map document and the map window open are built beside
// this folder (dialogs/, gps/), which it may not include. Each is reached
// through a hook here that the application fills at start-up; a command whose
// hook is empty stays disabled. Each hook runs its dialog modally and returns
// the dialog's result (IDOK, IDCANCEL, ...); the command does the rest.
#pragma once

#include "platform/base/Afx.h"

#include <functional>
#include <vector>

class CMapLabel;
class CMapLayer;
class CMapObject;
class CMapStyle;
class CMapText;
class CMUIDoc;
class CMUIMap;
class CWnd;

struct CMapDialogHooks {
    // The layer-name dialog: `name` holds the start name (empty: a new layer)
    // and, after IDOK, the name the user entered.
    std::function<INT_PTR(CString& name, CWnd* parent)> renameLayer;
    // Layer Control over the map window's map.
    std::function<INT_PTR(CMUIMap& map, CWnd* parent)> layerControl;
    // Layer data structure, showing `layer` first (null: the first layer).
    std::function<INT_PTR(CMUIMap& map, CMapLayer* layer, CWnd* parent)> layerStructure;
    // Map Property of the document's map.
    std::function<INT_PTR(CMUIDoc& doc)> mapProperty;

    // Text Properties of one text object; after IDOK `modified` tells whether
    // the dialog changed it.
    std::function<INT_PTR(CMapText& text, BOOL& modified, CWnd* parent)> textProperties;
    // The property sheet of `object`, started from `style` (the style the
    // object is drawn with); after IDOK `style` holds the sheet's style and
    // `dataChanged` whether attribute values were written to the object.
    std::function<INT_PTR(CMapObject& object, CMapStyle& style, BOOL& dataChanged, CWnd* parent)> objectProperties;
    // Label Properties of the selected labels, which OK writes and saves.
    std::function<INT_PTR(const std::vector<CMapLabel*>& labels, CWnd* parent)> labelProperties;
};

// The process's one table of hooks.
CMapDialogHooks& MapDialogHooks();
