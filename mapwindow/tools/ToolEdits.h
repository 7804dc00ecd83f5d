// What the drawing and editing tools do alike when they store their work: a new
// object goes into a layer with an undo entry of its own, and a replacement (a
// cut, a join, a removed segment) is recorded so that undo takes it back. A
// layer file that refuses the rows is reported and leaves the layer unchanged.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/CRect.h"

#include <memory>
#include <vector>

class CDC;
class CMapLayer;
class CMapObject;
class CMUIMap;

namespace tooledits {

// Adds `object` to `layer` with one empty value per field, repaints its area,
// announces it (302), marks the map modified and records a copy with action 0.
// False, the user told why, when its rows cannot be written: the caller still
// owns the object and the layer is unchanged.
bool AddNewObject(CMUIMap* map, CMapLayer* layer, CMapObject* object);

// Removes the objects `removed` from `layer` (each announced with 304) and adds
// `added` (each announced with 302), recording both in the layer's history: the
// removal first, so that one undo takes the new objects away and the next puts
// the old ones back. Every object stays the caller's. False when a row could
// not be written; what was done before the failure stays recorded.
bool ReplaceObjects(CMUIMap* map, CMapLayer* layer, const std::vector<CMapObject*>& removed,
                    const std::vector<CMapObject*>& added);

// The object under the pixel, topmost layer first, when it lies in the active
// layer and is of type `type` (or `otherType`); built for the caller. Null, with
// anything else that was hit let go, otherwise.
std::unique_ptr<CMapObject> HitActiveLayerObject(CMUIMap* map, int x, int y, int type, int otherType = -1);

// An inverted 5 x 5 (or 7 x 7) square at (x - 2, y - 2): drawn again, it is gone.
void DrawInvertMark(CDC* dc, int x, int y, int size);

// A rubber line drawn in NOTXOR that the tool erases by drawing it again: it
// remembers what it shows, so no erase ever draws a line that is not there.
class CRubberLine {
public:
    // Erases the line shown, if any, and shows the one from `from` to `to`.
    void Show(CDC* dc, CPoint from, CPoint to, COLORREF colour);
    // Erases the line shown, if any.
    void Hide(CDC* dc);
    // The line shown stays on the window as a fixed part of the figure; the
    // next Show does not erase it.
    void Keep() { m_bShown = false; }
    bool IsShown() const { return m_bShown; }

private:
    bool m_bShown = false;
    CPoint m_From, m_To;
    COLORREF m_Colour = 0;
};

}
