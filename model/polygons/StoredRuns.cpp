// Joining vertex runs into one geometry BLOB and splitting a BLOB over them.
#include "model/polygons/StoredRuns.h"

#include "core/MapStyle.h"
#include "model/polygons/MapPointList.h"

namespace {
void PutRecord(std::vector<BYTE>& blob, size_t& at, const CFloatPoint& p)
{
    MapRecord::PutFloat(blob.data() + at, p.x);
    MapRecord::PutFloat(blob.data() + at + 4, p.y);
    at += CMapPointList::kVertexSize;
}
}

std::vector<BYTE> JoinStoredRuns(const std::vector<StoredRun>& runs)
{
    size_t records = 0;
    for (const StoredRun& run : runs)
        records += (size_t)run.target->GetPointCount() + (run.before == RunSeparator::None ? 0 : 1);
    std::vector<BYTE> blob(records * CMapPointList::kVertexSize);
    size_t at = 0;
    for (const StoredRun& run : runs) {
        if (run.before == RunSeparator::Hole)
            PutRecord(blob, at, CFloatPoint(FLT_MIN, FLT_MIN));
        else if (run.before == RunSeparator::Part)
            PutRecord(blob, at, CFloatPoint(FLT_MAX, FLT_MAX));
        for (int i = 0; i < run.target->GetPointCount(); ++i)
            PutRecord(blob, at, run.target->GetPoint(i));
    }
    return blob;
}

void SplitStoredRuns(const CFloatPoint* records, int count, const std::vector<StoredRun>& runs, bool own)
{
    int at = 0;
    for (size_t r = 0; r < runs.size(); ++r) {
        std::vector<CFloatPoint> vertices;
        if (r + 1 < runs.size()) {
            while (at < count && !IsRunSeparator(records[at]))
                vertices.push_back(records[at++]);
            if (at < count)
                ++at;   // the separator that ends this run
        } else {
            for (; at < count; ++at) {
                if (!IsRunSeparator(records[at]))
                    vertices.push_back(records[at]);
            }
        }
        if (runs[r].target)
            runs[r].target->TakeStoredPoints(vertices.data(), (int)vertices.size(), own);
    }
}

int FirstRunLength(const CFloatPoint* records, int count)
{
    int n = 0;
    while (n < count && !IsRunSeparator(records[n]))
        ++n;
    return n;
}

CStoredRecords::CStoredRecords(CMapLayer* layer, int mapeID) : m_pRun(new CMapPointList)
{
    m_pRun->SetLayer(layer);
    m_pRun->SetMapeID(mapeID);
}

CStoredRecords::~CStoredRecords()
{
    delete m_pRun;
}

bool CStoredRecords::Borrow()
{
    return m_pRun->AttachGeometry() != 0;
}

void CStoredRecords::Load()
{
    m_pRun->LoadGeometry();
}

const CFloatPoint* CStoredRecords::GetRecords() const
{
    return m_pRun->GetPoints();
}

int CStoredRecords::GetCount() const
{
    return m_pRun->GetPointCount();
}
