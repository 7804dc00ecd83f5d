// Drawing of one layer: the indexed objects inside the view, built from their
// rows through the shared row statement one query at a time, then the layer's
// nodes and texts on top. Objects the map holds selected are left to the map
// window, which draws them with their handles.
#include "model/MapLayer.h"

#include "model/MapModel.h"
#include "model/MapObject.h"
#include "model/RowStatements.h"
#include "core/SQLiteDatabase.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace {
// The ids of index entries overlapping `view`, ascending.
std::vector<int> IdsInView(const CRTree& index, const CDoubleRect& view)
{
    struct Search {
        CDoubleRect view;
        std::vector<int> ids;
    } search{view, {}};
    index.ForEachEntry(
        [](int id, const CRTree::Rect& r, void* context) {
            auto* s = static_cast<Search*>(context);
            if (r.maxX >= s->view.left && r.minX <= s->view.right && r.maxY >= s->view.bottom &&
                r.minY <= s->view.top)
                s->ids.push_back(id);
            return true;
        },
        &search);
    std::sort(search.ids.begin(), search.ids.end());
    return std::move(search.ids);
}
}

void CMapLayer::DrawIndexedObjects(CDC* pDC, const RECT* client, const CDoubleRect& view, double* originX,
                                   double* originY, double* zoom)
{
    if (!m_pDatabase)
        return;
    std::vector<int> ids = IdsInView(m_Index, view);
    if (m_pMap) {
        CList<CMapObject*, CMapObject*>& selection = m_pMap->GetSelectedObjects();
        for (POSITION pos = selection.GetHeadPosition(); pos;) {
            CMapObject* object = selection.GetNext(pos);
            if (object->GetLayer() != this)
                continue;
            const auto it = std::lower_bound(ids.begin(), ids.end(), object->GetMapeID());
            if (it != ids.end() && *it == object->GetMapeID())
                ids.erase(it);
        }
    }
    if (ids.empty())
        return;

    // Objects that use the layer style draw with what is selected here.
    CPen pen;
    CBrush brush;
    m_pStyle->CreatePen(pen);
    m_pStyle->CreateBrush(brush);
    const int oldMode = pDC->SetBkMode(m_pStyle->GetBkMode());
    const COLORREF oldColour = pDC->SetBkColor(m_pStyle->GetBkColor());
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = pDC->SelectObject(&brush);

    CString sql = "select * from _MapGeoData where mapeID in(";
    for (size_t i = 0; i < ids.size(); ++i) {
        CString id;
        id.Format(i ? ",%d" : "%d", ids[i]);
        sql += id;
    }
    sql += ");";
    m_pDatabase->Prepare(sql, g_LayerQueryStatement);
    while (!g_LayerQueryStatement.IsEmpty() && g_LayerQueryStatement.Step() == SQLITE_ROW) {
        std::unique_ptr<CMapObject> object(CreateMapObject(g_LayerQueryStatement.ColumnInt(6)));
        if (!object)
            continue;
        object->LoadFromRow(&g_LayerQueryStatement);
        object->Draw(pDC, client, originX, originY, zoom);
    }
    g_LayerQueryStatement.Finalize();

    if (oldPen)
        pDC->SelectObject(oldPen);
    if (oldBrush)
        pDC->SelectObject(oldBrush);
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldColour);
}

void CMapLayer::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    CDoublePoint corners[4];
    const CDoubleRect view = m_pMap ? m_pMap->GetRotatedViewRect(corners)
                                    : CDoubleRect(client->left * *zoom + *originX, client->top * *zoom + *originY,
                                                  client->right * *zoom + *originX,
                                                  client->bottom * *zoom + *originY);
    DrawIndexedObjects(pDC, client, view, originX, originY, zoom);
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        m_PointObjects.GetNext(pos)->Draw(pDC, client, originX, originY, zoom);
}

void CMapLayer::DrawOverview(CDC* pDC, const RECT* client, const CDoubleRect& view, double* originX,
                             double* originY, double* zoom)
{
    DrawIndexedObjects(pDC, client, view, originX, originY, zoom);
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        m_PointObjects.GetNext(pos)->Draw(pDC, client, originX, originY, zoom);
}
