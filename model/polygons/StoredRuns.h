// The geometry BLOB of the kinds made of several vertex runs (parts, outer
// and inner rings): the runs one after another, each after the first preceded
// by one separator record, (FLT_MIN, FLT_MIN) before an inner ring or hole and
// (FLT_MAX, FLT_MAX) before any other part. Records are 8 bytes, x then y as
// little-endian IEEE 32-bit floats; no record before the first run or after
// the last, so a BLOB of n vertices in k runs holds n + k - 1 records.
#pragma once

#include "platform/base/Afx.h"

#include "core/FloatPoint.h"
#include "model/geometry/StoredGeometry.h"

#include <cfloat>
#include <vector>

class CMapLayer;
class CMapPointList;


// One run of the BLOB: the vertex list that holds it and the separator before it.
struct StoredRun {
    CMapPointList* target;
    RunSeparator before;
};

// The stored bytes of the runs in order.
std::vector<BYTE> JoinStoredRuns(const std::vector<StoredRun>& runs);

// Splits the decoded records over the runs: a separator ends the current run
// and the next one starts; the last run takes every remaining record that is
// not a separator, so a BLOB with more separators than runs loses nothing.
// Runs without records of their own are left empty. Each target takes its
// vertices owned or borrowed (CMapPointList::TakeStoredPoints); a null target
// only counts (the caller keeps those records itself).
void SplitStoredRuns(const CFloatPoint* records, int count, const std::vector<StoredRun>& runs, bool own);

// The number of records of the first run: those before the first separator.
int FirstRunLength(const CFloatPoint* records, int count);

// The records of the row of a stored object, read as one vertex run through
// the point-list base, which knows the row statements a borrow may use. A
// borrow lasts as long as this object.
class CStoredRecords {
public:
    CStoredRecords(CMapLayer* layer, int mapeID);
    ~CStoredRecords();
    CStoredRecords(const CStoredRecords&) = delete;
    CStoredRecords& operator=(const CStoredRecords&) = delete;

    // False when the row could not be read.
    bool Borrow();
    void Load();
    const CFloatPoint* GetRecords() const;
    int GetCount() const;

private:
    CMapPointList* m_pRun;
};
