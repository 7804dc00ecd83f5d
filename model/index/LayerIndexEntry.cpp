// The stored form of one spatial-index entry, written and read field by field.
#include "model/index/LayerIndexEntry.h"

#include "core/MapStyle.h"

void LayerIndexEntry::WriteRecord(BYTE* record) const
{
    MapRecord::PutDword(record + kIdOffset, (DWORD)id);
    MapRecord::PutDword(record + kUnusedOffset, 0);
    rect.WriteRecord(record + kRectOffset);
}

BOOL LayerIndexEntry::ReadRecord(const BYTE* record, int size)
{
    if (!record || size < kRecordSize)
        return FALSE;
    id = (int)MapRecord::GetDword(record + kIdOffset);
    return rect.ReadRecord(record + kRectOffset, CDoubleRect::kRecordSize);
}
