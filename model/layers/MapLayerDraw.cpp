// Drawing a layer and answering the map window's questions about its objects.
// Candidates come from the spatial index and the node/text list. A drawing
// reads its candidates' rows walking the table forward in id order; the
// selections read theirs with one query that names their ids (or, above
// 20000 ids, in batches or the whole table with a lookup per row). Rows that
// need no object are drawn from their bytes (model/LayerRowPainter.h).
// Objects too small to show as more than a pixel are set as pixels without
// being read. Attribute rows read alongside are matched by id, so a missing
// row puts nothing out of step.
#include "model/layers/MapLayer.h"

#include "core/Settings.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/index/LayerIdSet.h"
#include "model/layers/LayerRowPainter.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapObject.h"
#include "model/layers/NodeHitIndex.h"
#include "model/layers/RowStatements.h"
#include "platform/gdi/CDC.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {
enum { COL_ID = 0, COL_TYPE = 6 };

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

// The candidate rows of a drawing or a selection are read in id order: up to
// kMaxIdsInClause ids named in one clause; more in batches of that many ids
// each, unless they are so large a part of the table that stepping the whole
// table with a lookup per row costs less than a lookup per id. `read` runs
// once per query with its clause (empty: the whole table) and the ids its
// rows are picked by.
template <class Read>
void ForEachRowBatch(const int* ids, INT_PTR count, long long tableRows, const Read& read)
{
    const INT_PTR limit = CMapLayer::kMaxIdsInClause;
    if (count <= 0)
        return;
    if (count <= limit) {
        read(ClauseFor(ids, count), ids, count);
        return;
    }
    if ((long long)count * 4 >= tableRows) {
        read(CString(), ids, count);
        return;
    }
    for (INT_PTR from = 0; from < count; from += limit) {
        const INT_PTR n = std::min(limit, count - from);
        read(ClauseFor(ids + from, n), ids + from, n);
    }
}

// The rows of the sorted candidate ids, in id order, by one statement that
// walks the table forward: from a row it steps on while the next candidate
// lies at most kStepsBeforeSeek ids ahead, and seeks to it past a wider gap,
// since stepping over a row costs a fraction of a seek. No clause of ids is
// built and parsed, and no row far from every candidate is read. `visit` runs
// once per candidate that has a row, with the statement standing on it.
template <class Visit>
void ForEachCandidateRow(CSQLiteDatabase& db, CSQLiteStatement& rows, const int* ids, size_t count,
                         const Visit& visit)
{
    constexpr long long kStepsBeforeSeek = 8;
    if (count == 0)
        return;
    db.Prepare("select * from _MapGeoData where mapeID>=?1 order by mapeID;", rows);
    if (rows.IsEmpty())
        return;
    size_t next = 0;
    bool placed = false;
    long long at = 0;   // the id of the row the statement stands on, once placed
    while (next < count) {
        if (!placed || (long long)ids[next] - at > kStepsBeforeSeek) {
            rows.Reset();
            rows.BindInt64(0, ids[next]);
        }
        // Past the last row (from a seek to the candidate, or stepping from a
        // row before it) no candidate left has a row.
        if (rows.Step() != SQLITE_ROW)
            break;
        placed = true;
        at = rows.ColumnInt64(COL_ID);
        while (next < count && (long long)ids[next] < at)
            ++next;
        if (next < count && (long long)ids[next] == at) {
            visit(ids[next]);
            while (next < count && (long long)ids[next] == at)
                ++next;
        }
    }
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

long long CMapLayer::TableRowCount() const
{
    return (long long)m_Index.Count() + (long long)m_PointObjects.GetCount();
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

        // Rows whose objects would only draw their vertices are drawn from the
        // row; labels need the object.
        const bool withLabels = labels && (m_nAutoLabel || m_pShowArea);
        CLayerRowPainter painter(this, pDC, client, *originX, *originY, *zoom);
        ForEachCandidateRow(*m_pDatabase, g_LayerQueryStatement, g_LayerIdArray.GetData(),
                            (size_t)g_LayerIdArray.GetSize(), [&](int id) {
            const int type = g_LayerQueryStatement.ColumnInt(COL_TYPE);
            if (!withLabels && painter.Draw(g_LayerQueryStatement, type))
                return;
            painter.Release();
            if (CMapObject* object = CreateMapObject(type)) {
                object->LoadFromRow(&g_LayerQueryStatement);
                object->Draw(pDC, client, originX, originY, zoom);
                if (labels && m_nAutoLabel)
                    labels->emplace_back(id, object->GetLabel()->Clone());
                if (labels && m_pShowArea)
                    DrawAreaLabel(object, pDC, client, originX, originY, zoom);
                delete object;
            }
        });
        painter.Release();

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

    // The index's candidates, within the snap distance, so that small objects
    // are hit as nodes are.
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

    // The node/text list, from the last object when the top-first flag is
    // set, else from the first; of the nodes only those the index hands out
    // near the clicked column can be hit.
    if (!m_NodeHits.IsCurrent())
        m_NodeHits.Build(m_PointObjects);
    const std::vector<CMapObject*>& listed = m_NodeHits.Objects();
    std::vector<size_t> near;
    const auto tryAt = [&](size_t position) {
        CMapObject* object = listed[position];
        return object->HitTest(x, y, originX, originY, zoom) ? object : nullptr;
    };
    if (m_NodeHits.Candidates(x, *originX, *zoom, near)) {
        if (topFirst) {
            for (auto it = near.rbegin(); it != near.rend(); ++it)
                if (CMapObject* hit = tryAt(*it))
                    return hit;
        } else {
            for (size_t position : near)
                if (CMapObject* hit = tryAt(position))
                    return hit;
        }
    } else if (topFirst) {
        for (size_t position = listed.size(); position-- > 0;)
            if (CMapObject* hit = tryAt(position))
                return hit;
    } else {
        for (size_t position = 0; position < listed.size(); ++position)
            if (CMapObject* hit = tryAt(position))
                return hit;
    }

    // An index entry carrying the id of a list object is answered by the
    // first list object of that id.
    const BOOL withAttributes = GetFieldCount() > 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        const size_t own = m_NodeHits.FirstOfId(ids[i]);
        CMapObject* object = own != CNodeHitIndex::npos ? listed[own] : ReadObject(ids[i], FALSE, withAttributes);
        // An id of the index without a row is passed over.
        if (!object)
            continue;
        object->RefreshDevicePoints();
        if (object->HitTest(x, y, originX, originY, zoom) || IsNearSmallObject(object, x, y, originX, originY, zoom))
            return object;
        if (own == CNodeHitIndex::npos)
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
    // Made after the first few node or text rows: the list's objects by id, and what
    // the selection already holds (objects built here are new, never in it).
    std::optional<std::unordered_map<int, CMapObject*>> ownById;
    std::optional<std::unordered_set<CMapObject*>> selected;
    constexpr int kDirectLookups = 16;
    int pointRows = 0;
    const auto select = [&](const CString& batchClause, const int* batchIds, INT_PTR batchCount) {
        CSQLiteStatement own;
        CSQLiteStatement& rows = loopStatement ? g_LayerQueryStatement : own;
        m_pDatabase->Prepare(RowQuery("_MapGeoData", batchClause), rows);
        const bool withValues = m_nEditable && GetFieldCount() > 0;
        CSQLiteStatement values;
        bool valueRow = false;
        if (withValues) {
            m_pDatabase->Prepare(RowQuery("_MapMetaData", batchClause), values);
            valueRow = !values.IsEmpty() && values.Step() == SQLITE_ROW;
        }

        INT_PTR counter = batchCount;
        const bool wholeTable = batchClause.IsEmpty();
        const CLayerIdSet candidates(wholeTable ? batchIds : nullptr, wholeTable ? (size_t)batchCount : 0);
        while ((!counted || counter > 0) && !rows.IsEmpty() && rows.Step() == SQLITE_ROW) {
            const int id = rows.ColumnInt(COL_ID);
            if (wholeTable && !candidates.Contains(id))
                continue;
            --counter;
            const int type = rows.ColumnInt(COL_TYPE);
            if (IsPointObjectType(type)) {
                // The layer's own node or text is what is selected, never a second
                // copy of its row: a move or deletion must reach the one it draws.
                // A few rows look the list up directly; more build the lookups once.
                CMapObject* own = nullptr;
                CList<CMapObject*, CMapObject*>* selection = m_pMap ? &m_pMap->GetSelectedObjects() : nullptr;
                if (++pointRows <= kDirectLookups) {
                    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos && !own;) {
                        CMapObject* candidate = m_PointObjects.GetNext(pos);
                        if (candidate->GetMapeID() == id)
                            own = candidate;
                    }
                    if (own && selection && !selection->Find(own) && accept(own))
                        selection->AddHead(own);
                    continue;
                }
                if (!ownById) {
                    ownById.emplace();
                    for (POSITION pos = m_PointObjects.GetHeadPosition(); pos;) {
                        CMapObject* candidate = m_PointObjects.GetNext(pos);
                        ownById->emplace(candidate->GetMapeID(), candidate);   // the first of an id wins
                    }
                }
                const auto found = ownById->find(id);
                own = found != ownById->end() ? found->second : nullptr;
                if (own && selection && !selected) {
                    selected.emplace();
                    for (POSITION pos = selection->GetHeadPosition(); pos;)
                        selected->insert(selection->GetNext(pos));
                }
                if (own && selection && !selected->count(own) && accept(own)) {
                    selection->AddHead(own);
                    selected->insert(own);
                }
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
    };
    // The caller's clause names every id (or, for the whole table, none): the
    // selections by area read larger sets in batches instead.
    if (counted && clause.IsEmpty())
        ForEachRowBatch(ids.GetData(), ids.GetSize(), TableRowCount(), select);
    else
        select(clause, ids.GetData(), ids.GetSize());
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
