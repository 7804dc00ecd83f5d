// Drawing a layer and answering the map window's questions about its objects.
// Candidates come from the spatial index and the node/text list; the rows of
// all candidates are read with one query that names their ids (or, above
// 20000 ids, the whole table with a lookup per row). Objects too small to show
// as more than a pixel are set as pixels without being read. Attribute rows
// read alongside are matched by id, so a missing row puts nothing out of step.
#include "model/MapLayer.h"

#include "core/Settings.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/LayerIdSet.h"
#include "model/MapModel.h"
#include "model/MapObject.h"
#include "model/RowStatements.h"
#include "platform/gdi/CDC.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {
enum { COL_ID = 0, COL_TYPE = 6 };

// The ids a whole-table read must pick its rows by; a read that names the
// ids in its clause needs none.
CLayerIdSet IdSetFor(const CArray<int, int>& ids, const CString& clause)
{
    return clause.IsEmpty() ? CLayerIdSet(ids.GetData(), (size_t)ids.GetSize()) : CLayerIdSet(nullptr, 0);
}

CString ClauseFor(const int* ids, INT_PTR count)
{
    if (count <= 0)
        return CString();
    CString clause;
    if (count == 1) {
        clause.Format(" where mapeID=%d;", ids[0]);
        return clause;
    }
    std::string text = " where mapeID in(" + std::to_string(ids[0]);
    for (INT_PTR i = 1; i < count; ++i) {
        text += ',';
        text += std::to_string(ids[i]);
    }
    text += ')';
    return CString(text);
}

CString RowQuery(const char* table, const CString& clause)
{
    CString sql;
    if (clause.IsEmpty())
        sql.Format("select * from %s;", table);
    else
        sql.Format("select * from %s %s;", table, clause.GetString());
    return sql;
}

// The map rectangle the client area shows for the view arguments.
CDoubleRect ViewRect(const RECT* client, double originX, double originY, double zoom)
{
    const double width = (double)(client->right - client->left) * zoom;
    const double height = (double)(client->bottom - client->top) * zoom;
    return CDoubleRect(originX, originY, originX + width, originY + height);
}

// An object no larger than the snap square is hit anywhere within the snap
// distance of its device boundary: otherwise it could hardly be hit at all.
bool IsNearSmallObject(CMapObject* object, int x, int y, double* originX, double* originY, double* zoom)
{
    const double snap = std::max(g_SnapPoints, 0);
    const CDoubleRect r = object->GetDeviceBoundary(originX, originY, zoom);
    const double left = std::min(r.left, r.right), right = std::max(r.left, r.right);
    const double low = std::min(r.top, r.bottom), high = std::max(r.top, r.bottom);
    if (right - left > 2 * snap || high - low > 2 * snap)
        return false;
    return x >= left - snap && x <= right + snap && y >= low - snap && y <= high + snap;
}

void RecordCorners(DrawnLabel& record, int id, const CMapLabel& label)
{
    record.id = id;
    for (int i = 0; i < 4; ++i)
        record.corners[i] = label.GetCorner(i);
}
}

CString CMapLayer::BuildIdWhereClause()
{
    if (g_LayerIdArray.GetSize() > kMaxIdsInClause)
        return CString();
    return ClauseFor(g_LayerIdArray.GetData(), g_LayerIdArray.GetSize());
}

CString BuildWhereClauseForIds(CArray<int, int>& ids)
{
    std::sort(ids.GetData(), ids.GetData() + ids.GetSize());
    return ClauseFor(ids.GetData(), ids.GetSize());
}

int CMapLayer::ViewHeight() const
{
    return m_pMap ? m_pMap->GetViewHeight() : g_DefaultViewHeight;
}

// ---------------------------------------------------------------- drawing
void CMapLayer::DrawIndexedObjects(CDC* pDC, const RECT* client, const CDoubleRect& view, double* originX,
                                   double* originY, double* zoom,
                                   std::vector<std::pair<int, std::unique_ptr<CMapLabel>>>* labels)
{
    const double pixel = 2.0 * *zoom;
    const int height = ViewHeight();

    CollectSmallEntries(view, pixel);
    const COLORREF penColor = m_pStyle->GetPenColor();
    for (INT_PTR i = 0; i < g_LayerEntryArray.GetSize(); ++i) {
        const CDoubleRect& r = g_LayerEntryArray[i].rect;
        const CPoint pt = CFloatPoint(r.left, r.bottom).ToDevice(*originX, *originY, *zoom, height);
        pDC->SetPixel(pt.x, pt.y, penColor);
    }
    g_LayerEntryArray.SetSize(0);

    // Selected objects are drawn here too, in their layer's order and style:
    // the map window adds only their selection marks, so that a selected
    // object never covers the layers above it.
    CollectVisibleIds(view, pixel);
    if (g_LayerIdArray.GetSize() > 0 && m_pDatabase) {
        CPen pen;
        CBrush brush;
        m_pStyle->CreatePen(pen);
        m_pStyle->CreateBrush(brush);
        const int oldMode = pDC->SetBkMode(m_pStyle->GetBkMode());
        const COLORREF oldColor = pDC->SetBkColor(m_pStyle->GetBkColor());
        CPen* oldPen = pDC->SelectObject(&pen);
        CBrush* oldBrush = pDC->SelectObject(&brush);

        const CString clause = BuildIdWhereClause();
        m_pDatabase->Prepare(RowQuery("_MapGeoData", clause), g_LayerQueryStatement);
        INT_PTR counter = g_LayerIdArray.GetSize();
        const CLayerIdSet candidates = IdSetFor(g_LayerIdArray, clause);
        while (counter > 0 && !g_LayerQueryStatement.IsEmpty() && g_LayerQueryStatement.Step() == SQLITE_ROW) {
            const int id = g_LayerQueryStatement.ColumnInt(COL_ID);
            if (clause.IsEmpty() && !candidates.Contains(id))
                continue;
            if (CMapObject* object = CreateMapObject(g_LayerQueryStatement.ColumnInt(COL_TYPE))) {
                object->LoadFromRow(&g_LayerQueryStatement);
                object->Draw(pDC, client, originX, originY, zoom);
                if (labels && m_nAutoLabel)
                    labels->emplace_back(id, object->GetLabel()->Clone());
                if (labels && m_pShowArea)
                    DrawAreaLabel(object, pDC, client, originX, originY, zoom);
                delete object;
            }
            --counter;
        }

        pDC->SelectObject(oldPen);
        pDC->SelectObject(oldBrush);
        pDC->SetBkMode(oldMode);
        pDC->SetBkColor(oldColor);
    }
    g_LayerQueryStatement.Finalize();
}

void CMapLayer::Draw(CDC* pDC, const RECT* client, double* originX, double* originY, double* zoom)
{
    // The map's view as its drawing set it; a layer drawn on its own takes the client area's.
    CDoubleRect view = ViewRect(client, *originX, *originY, *zoom);
    if (m_pMap && !m_pMap->GetViewRect().IsNull())
        view = m_pMap->GetRotatedViewRect();
    std::vector<std::pair<int, std::unique_ptr<CMapLabel>>> labels;
    DrawIndexedObjects(pDC, client, view, originX, originY, zoom, &labels);

    m_DrawnLabels.clear();
    if (m_nAutoLabel)
        m_DrawnLabels.reserve((size_t)m_PointObjects.GetCount() + labels.size());
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;) {
        CMapObject* object = m_PointObjects.GetNext(pos);
        object->Draw(pDC, client, originX, originY, zoom);
        if (m_nAutoLabel) {
            CMapLabel* label = object->GetLabel();
            label->Draw(pDC, *client, originX, originY, zoom);
            m_DrawnLabels.emplace_back();
            RecordCorners(m_DrawnLabels.back(), object->GetMapeID(), *label);
        }
    }
    // Labels of the other objects last, so that every label lies above every object.
    for (auto& [id, label] : labels) {
        label->Draw(pDC, *client, originX, originY, zoom);
        m_DrawnLabels.emplace_back();
        RecordCorners(m_DrawnLabels.back(), id, *label);
    }
    g_LayerIdArray.SetSize(0);
}

void CMapLayer::DrawOverview(CDC* pDC, const RECT* client, const CDoubleRect& view, double* originX,
                             double* originY, double* zoom)
{
    DrawIndexedObjects(pDC, client, view, originX, originY, zoom, nullptr);
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;)
        m_PointObjects.GetNext(pos)->Draw(pDC, client, originX, originY, zoom);
    g_LayerIdArray.SetSize(0);
}

void CMapLayer::DrawAreaLabel(CMapObject* object, CDC* pDC, const RECT* client, double* originX, double* originY,
                              double* zoom)
{
    if (!m_pMap)
        return;
    // The label defaults (Arial, black text and frame), larger, framed, on a pale background.
    MapLabelFontBlock block = MapLabelFontBlock::Defaults();
    block.font.lfHeight = 15;
    block.backColor = 0xCEFFFC;
    block.background = 1;
    block.line = 1;
    block.reserved = 1;

    const CMapUnits& units = m_pMap->GetUnits();
    CString name;
    const double factor =
        units.GetAreaUnit(name, units.GetUseSpherical() ? nullptr : m_pMap->GetSpatialReference());
    const CString unit = name == "hectare" ? name : name + "2";
    int mode = units.GetUseSpherical();
    const double area = object->MeasureArea(&mode) * factor * factor;
    if (!(area > 0))
        return;
    CString text;
    text.Format("%s%.3f (%s)", "Area : ", area, unit.GetString());
    object->SetAreaLabelText(text);
    object->SetAreaLabelFont(block);
    object->PlaceAreaLabel();
    object->DrawAreaLabel(pDC, client, originX, originY, zoom);
}

// ---------------------------------------------------------------- hit test
CMapObject* CMapLayer::HitTest(int x, int y, double* originX, double* originY, double* zoom, BOOL topFirst)
{
    g_LayerIdArray.SetSize(0);
    const float mapX = (float)(x * *zoom + *originX);
    const float mapY = (float)((ViewHeight() - y) * *zoom + *originY);

    // The index's candidates are known before the node/text list is walked,
    // so that the one walk also finds the list objects that loading a
    // candidate's id would return (the list's own object comes first).
    // Within the snap distance, so that small objects are hit as nodes are.
    const float tolerance = (float)(std::max(g_SnapPoints, 0) * *zoom);
    const CRTree::Rect probe{mapX - tolerance, mapY - tolerance, mapX + tolerance, mapY + tolerance};
    m_Index.Search(
        probe,
        [](int id, void* ids) {
            static_cast<CArray<int, int>*>(ids)->Add(id);
            return true;
        },
        &g_LayerIdArray);
    std::vector<int> ids(g_LayerIdArray.GetData(), g_LayerIdArray.GetData() + g_LayerIdArray.GetSize());
    g_LayerIdArray.SetSize(0);
    if (topFirst)
        std::sort(ids.rbegin(), ids.rend());
    else
        std::sort(ids.begin(), ids.end());

    // For each candidate, the first list object from the head with its id.
    std::vector<CMapObject*> listed(ids.size(), nullptr);
    std::vector<std::pair<int, size_t>> byId;
    byId.reserve(ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        byId.emplace_back(ids[i], i);
    std::sort(byId.begin(), byId.end());
    const auto note = [&](CMapObject* object, bool nearerHead) {
        if (byId.empty())
            return;
        const auto [from, to] = std::equal_range(byId.begin(), byId.end(), std::pair<int, size_t>(object->GetMapeID(), 0),
                                                 [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto it = from; it != to; ++it) {
            if (nearerHead || !listed[it->second])
                listed[it->second] = object;
        }
    };
    if (topFirst) {
        for (POSITION pos = m_PointObjects.GetTailPosition(); pos;) {
            CMapObject* object = m_PointObjects.GetPrev(pos);
            if (object->HitTest(x, y, originX, originY, zoom))
                return object;
            note(object, true);
        }
    } else {
        for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;) {
            CMapObject* object = m_PointObjects.GetNext(pos);
            if (object->HitTest(x, y, originX, originY, zoom))
                return object;
            note(object, false);
        }
    }

    const BOOL withAttributes = GetFieldCount() > 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        CMapObject* object = listed[i] ? listed[i] : ReadObject(ids[i], FALSE, withAttributes);
        // An id of the index without a row is passed over.
        if (!object)
            continue;
        object->RefreshDevicePoints();
        if (object->HitTest(x, y, originX, originY, zoom) || IsNearSmallObject(object, x, y, originX, originY, zoom))
            return object;
        if (!listed[i])
            delete object;
    }
    return nullptr;
}

// ---------------------------------------------------------------- selections
void CMapLayer::CollectPointObjectsInRect(const RECT& device)
{
    if (!m_pMap)
        return;
    double originX = m_pMap->GetXOffset(), originY = m_pMap->GetYOffset(), zoom = m_pMap->GetZoom();
    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;) {
        CMapObject* object = m_PointObjects.GetNext(pos);
        if (object->GetType() == MAP_OBJECT_TEXT)
            object->UpdateLayerBounds();
        const CRect r = object->GetDeviceRect(&originX, &originY, &zoom);
        if (PtInRect(&device, CPoint(r.left, r.top)) && PtInRect(&device, CPoint(r.right, r.bottom)))
            g_LayerIdArray.Add(object->GetMapeID());
    }
}

void CMapLayer::SelectRows(const CArray<int, int>& ids, const CString& clause, bool loopStatement, bool counted,
                           const std::function<bool(CMapObject*)>& accept)
{
    if (ids.GetSize() == 0 || !m_pDatabase)
        return;
    CSQLiteStatement own;
    CSQLiteStatement& rows = loopStatement ? g_LayerQueryStatement : own;
    m_pDatabase->Prepare(RowQuery("_MapGeoData", clause), rows);
    const bool withValues = m_nEditable && GetFieldCount() > 0;
    CSQLiteStatement values;
    bool valueRow = false;
    if (withValues) {
        m_pDatabase->Prepare(RowQuery("_MapMetaData", clause), values);
        valueRow = !values.IsEmpty() && values.Step() == SQLITE_ROW;
    }

    INT_PTR counter = ids.GetSize();
    const CLayerIdSet candidates = IdSetFor(ids, clause);
    while ((!counted || counter > 0) && !rows.IsEmpty() && rows.Step() == SQLITE_ROW) {
        const int id = rows.ColumnInt(COL_ID);
        if (clause.IsEmpty() && !candidates.Contains(id))
            continue;
        --counter;
        const int type = rows.ColumnInt(COL_TYPE);
        if (IsPointObjectType(type)) {
            // The layer's own node or text is what is selected, never a second
            // copy of its row: a move or deletion must reach the one it draws.
            CMapObject* own = nullptr;
            for (POSITION pos = m_PointObjects.GetHeadPosition(); pos && !own;) {
                CMapObject* candidate = m_PointObjects.GetNext(pos);
                if (candidate->GetMapeID() == id)
                    own = candidate;
            }
            CList<CMapObject*, CMapObject*>* selection = m_pMap ? &m_pMap->GetSelectedObjects() : nullptr;
            if (own && selection && !selection->Find(own) && accept(own))
                selection->AddHead(own);
            continue;
        }
        CMapObject* object = CreateMapObject(type);
        if (!object)
            continue;
        object->LoadFromRow(&rows);
        if (!accept(object) || !m_pMap) {
            delete object;
            continue;
        }
        if (m_nEditable) {
            GiveEmptyValues(object);
            ReadValuesOf(values, valueRow, id, object);
        }
        m_pMap->GetSelectedObjects().AddHead(object);
    }
    rows.Finalize();
    values.Finalize();
}

void CMapLayer::SelectInRect(const CDoubleRect& rect, const RECT& device)
{
    CollectContainedIds(rect);
    CollectPointObjectsInRect(device);
    SortIdsAscending(g_LayerIdArray.GetData(), (size_t)g_LayerIdArray.GetSize());
    SelectRows(g_LayerIdArray, BuildIdWhereClause(), true, true, [](CMapObject*) { return true; });
    g_LayerIdArray.SetSize(0);
}

void CMapLayer::SelectInCircle(const CDoubleRect& rect, const RECT& device, CPoint centre, double radius)
{
    CollectContainedIds(rect);
    CollectPointObjectsInRect(device);
    SortIdsAscending(g_LayerIdArray.GetData(), (size_t)g_LayerIdArray.GetSize());
    SelectRows(g_LayerIdArray, BuildIdWhereClause(), true, true,
               [&](CMapObject* object) { return object->IsWithinDeviceCircle(centre, radius) != FALSE; });
    g_LayerIdArray.SetSize(0);
}

void CMapLayer::SelectInPolygon(const CDoubleRect& rect, const CFloatPoint* points, int count)
{
    CollectContainedIds(rect);
    SortIdsAscending(g_LayerIdArray.GetData(), (size_t)g_LayerIdArray.GetSize());
    SelectRows(g_LayerIdArray, BuildIdWhereClause(), true, true,
               [&](CMapObject* object) { return object->IsInsidePolygon(points, count) != FALSE; });
    g_LayerIdArray.SetSize(0);
}

void CMapLayer::SelectIDs(CArray<int, int>& ids)
{
    if (ids.GetSize() == 0)
        return;
    const CString clause = BuildWhereClauseForIds(ids);
    SelectRows(ids, clause, false, false, [](CMapObject*) { return true; });
}
