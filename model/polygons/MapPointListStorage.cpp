// Point-list geometry and its row: owning a copy of the stored vertices,
// borrowing them from the row a layer query stands on, ending borrows and
// writing an owned geometry back. A borrow never outlives the row it reads,
// and only an owned geometry is ever written.
#include "model/polygons/MapPointList.h"

#include "core/MapStyle.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"
#include "model/layers/RowStatements.h"
#include "model/geometry/StoredGeometry.h"
#include "platform/base/MessageBox.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {
// Column of mapeGeoData in a whole row of _MapGeoData.
constexpr int kGeoDataColumn = 5;

CSQLiteDatabase* LayerDatabase(const CMapLayer* layer)
{
    return layer ? layer->GetDatabase() : nullptr;
}

// Whether `stmt` stands on a row of whole _MapGeoData rows and that row is `id`'s.
bool StandsOnRowOf(const CSQLiteStatement& stmt, int id)
{
    return !stmt.IsEmpty() && sqlite3_stmt_busy(stmt.GetHandle()) && stmt.ColumnCount() > kGeoDataColumn
        && stmt.ColumnInt(0) == id;
}

// The whole row of `id` that a layer stands on outside its loops, if any.
const CSQLiteStatement* RowOfObject(int id)
{
    if (g_pObjectRowStatement && StandsOnRowOf(*g_pObjectRowStatement, id))
        return g_pObjectRowStatement;
    return StandsOnRowOf(g_CurrentRowStatement, id) ? &g_CurrentRowStatement : nullptr;
}
}

void CMapPointList::TakeBlob(const void* data, int size, bool own)
{
    int count = data && size > 0 ? size / kVertexSize : 0;
    // Stored runs that a polygon with holes cannot hold give it no vertices.
    if (count > 0 && m_nMapeID != -1 && GetType() == MAP_OBJECT_ADVPOLYGON
        && FindStoredGeometryFault(MAP_OBJECT_ADVPOLYGON, data, size))
        count = 0;
    std::vector<CFloatPoint>& target = own ? m_Owned : m_Borrowed;
    target.assign((size_t)(own ? count + kGrowBy : count), CFloatPoint());
    const BYTE* p = static_cast<const BYTE*>(data);
    for (int i = 0; i < count; ++i, p += kVertexSize) {
        const CFloatPoint v(MapRecord::GetFloat(p), MapRecord::GetFloat(p + 4));
        // A vertex that is not a finite number makes the whole geometry unreadable.
        if (!std::isfinite(v.x) || !std::isfinite(v.y)) {
            count = 0;
            break;
        }
        target[(size_t)i] = v;
    }
    m_nCount = count;
    m_pPoints = target.data();
}

std::vector<BYTE> CMapPointList::GetGeometryBlob() const
{
    std::vector<BYTE> blob((size_t)m_nCount * kVertexSize);
    BYTE* p = blob.data();
    for (int i = 0; i < m_nCount; ++i, p += kVertexSize) {
        MapRecord::PutFloat(p, m_pPoints[i].x);
        MapRecord::PutFloat(p + 4, m_pPoints[i].y);
    }
    return blob;
}

void CMapPointList::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    const std::vector<BYTE> blob = GetGeometryBlob();
    // Zero bytes, not NULL: an empty geometry is a BLOB of length 0.
    static const BYTE kNone = 0;
    stmt.BindBlob(index, blob.empty() ? &kNone : blob.data(), (int)blob.size(), SQLITE_TRANSIENT);
}

const BYTE* CMapPointList::StoredVerticesOfLoopRow(int& size) const
{
    size = 0;
    if (m_nMapeID == -1 || !StandsOnRowOf(g_LayerQueryStatement, m_nMapeID))
        return nullptr;
    const BYTE* data = static_cast<const BYTE*>(g_LayerQueryStatement.ColumnBlob(kGeoDataColumn));
    size = data ? g_LayerQueryStatement.ColumnBytes(kGeoDataColumn) : 0;
    return data;
}

void CMapPointList::LoadGeometry()
{
    if (m_pPoints && m_Borrow == BorrowSource::None)
        return;
    if (m_nMapeID == -1 && m_pParent) {
        m_pParent->LoadGeometry();
        if (m_Borrow != BorrowSource::None)
            Reserve(m_nCount + kGrowBy);
        return;
    }
    if (m_Borrow != BorrowSource::None) {
        // What is borrowed is the stored row: owning a copy of it needs no query.
        Reserve(m_nCount + kGrowBy);
    } else if (const CSQLiteStatement* row = RowOfObject(m_nMapeID)) {
        TakeBlob(row->ColumnBlob(kGeoDataColumn), row->ColumnBytes(kGeoDataColumn), true);
    } else if (CSQLiteDatabase* db = m_nMapeID >= 0 ? LayerDatabase(m_pLayer) : nullptr) {
        // Whatever the shared row statement holds (another object's borrow,
        // say) is not this object's row: a query of its own.
        CString sql;
        sql.Format("select mapeGeoData from _MapGeoData where mapeID = %i;", m_nMapeID);
        CSQLiteStatement stmt;
        db->Prepare(sql, stmt);
        if (!stmt.IsEmpty() && stmt.Step() == SQLITE_ROW)
            TakeBlob(stmt.ColumnBlob(0), stmt.ColumnBytes(0), true);
        else
            TakeBlob(nullptr, 0, true);
        stmt.Finalize();
    } else {
        TakeBlob(nullptr, 0, true);
    }
    m_dwFlags |= kGeometryLoaded;
}

int CMapPointList::AttachGeometry()
{
    if (m_pPoints)
        return 0;
    if (m_nMapeID == -1)
        return m_pParent ? m_pParent->AttachGeometry() : 0;
    if (!g_LayerQueryStatement.IsEmpty()) {
        // Step the loop forward to this object's row. A statement that runs
        // out of rows stops the search: stepping it again would start it over.
        int rc = sqlite3_stmt_busy(g_LayerQueryStatement.GetHandle()) ? SQLITE_ROW : g_LayerQueryStatement.Step();
        while (rc == SQLITE_ROW && g_LayerQueryStatement.ColumnInt(0) != m_nMapeID)
            rc = g_LayerQueryStatement.Step();
        if (rc != SQLITE_ROW || g_LayerQueryStatement.ColumnCount() <= kGeoDataColumn)
            return 0;
        TakeBlob(g_LayerQueryStatement.ColumnBlob(kGeoDataColumn), g_LayerQueryStatement.ColumnBytes(kGeoDataColumn),
                 false);
        m_Borrow = BorrowSource::LayerQuery;
    } else {
        CSQLiteDatabase* db = LayerDatabase(m_pLayer);
        if (!db)
            return 0;
        CString sql;
        sql.Format("select mapeGeoData from _MapGeoData where mapeID = %i;", m_nMapeID);
        db->Prepare(sql, g_CurrentRowStatement);
        const int rc = g_CurrentRowStatement.IsEmpty() ? SQLITE_MISUSE : g_CurrentRowStatement.Step();
        if (rc < SQLITE_ROW) {
            g_CurrentRowStatement.Finalize();
            AfxMessageBox("Error access database", MB_OK, 0);
            return 0;
        }
        TakeBlob(rc == SQLITE_ROW ? g_CurrentRowStatement.ColumnBlob(0) : nullptr,
                 rc == SQLITE_ROW ? g_CurrentRowStatement.ColumnBytes(0) : 0, false);
        m_Borrow = BorrowSource::OwnQuery;
    }
    m_dwFlags |= kGeometryBorrowed;
    return 1;
}

void CMapPointList::EndBorrow()
{
    if (m_Borrow == BorrowSource::None)
        return;
    if (m_Borrow == BorrowSource::OwnQuery && m_nMapeID != -1)
        g_CurrentRowStatement.Finalize();
    m_Borrow = BorrowSource::None;
    m_pPoints = nullptr;
    m_nCount = 0;
    m_dwFlags &= ~kGeometryBorrowed;
}

void CMapPointList::TakeStoredPoints(const CFloatPoint* points, int count, bool own)
{
    // A copy first: `points` may be this object's own borrowed run.
    std::vector<CFloatPoint> run(points, points + std::max(count, 0));
    EndBorrow();
    if (own) {
        run.resize(run.size() + kGrowBy);
        m_Owned.swap(run);
        m_pPoints = m_Owned.data();
        m_dwFlags |= kGeometryLoaded;
    } else {
        m_Borrowed.swap(run);
        m_pPoints = m_Borrowed.data();
        m_Borrow = BorrowSource::Whole;
        m_dwFlags |= kGeometryBorrowed;
    }
    m_nCount = std::max(count, 0);
    // The part's own box, without touching the index or the layer: the
    // containment tests of a part start from it.
    if (m_nCount > 0) {
        CDoubleRect box(m_pPoints[0].x, m_pPoints[0].y, m_pPoints[0].x, m_pPoints[0].y);
        for (int i = 1; i < m_nCount; ++i)
            box.UnionPoint(m_pPoints[i]);
        m_rcBoundary = box;
    }
}

void CMapPointList::ReleaseStoredPoints()
{
    if (m_Borrow == BorrowSource::Whole)
        EndBorrow();
}

void CMapPointList::DetachGeometry()
{
    if (m_Borrow == BorrowSource::Whole) {
        // The whole borrowed for all its parts at once and ends it for all.
        if (m_pParent)
            m_pParent->DetachGeometry();
        ReleaseStoredPoints();
        return;
    }
    if (m_Borrow == BorrowSource::None) {
        // A part that holds nothing itself borrowed through its whole.
        if (!m_pPoints && m_nMapeID == -1 && m_pParent)
            m_pParent->DetachGeometry();
        return;
    }
    EndBorrow();
}

void CMapPointList::UnloadGeometry()
{
    if (!m_pPoints)
        return;
    if (m_Borrow != BorrowSource::None) {
        EndBorrow();
        return;
    }
    std::vector<CFloatPoint>().swap(m_Owned);
    m_pPoints = nullptr;
    m_nCount = 0;
    m_dwFlags &= ~kGeometryLoaded;
}

void CMapPointList::SaveChanges()
{
    if (m_nMapeID < 0)
        return;
    CSQLiteDatabase* db = LayerDatabase(m_pLayer);
    if (db && m_pPoints && m_Borrow == BorrowSource::None) {
        CString sql;
        sql.Format("update _MapGeoData set mapeGeoData=? where mapeID = %d;", m_nMapeID);
        CSQLiteStatement stmt;
        db->Prepare(sql, stmt);
        if (!stmt.IsEmpty()) {
            BindGeometryColumn(stmt, 0);
            stmt.Execute();
            m_dwFlags &= ~kGeometryModified;
        }
    }
    CMapObject::SaveChanges();
}
