// One entry of a layer's spatial index as the layer's searches hand it out and
// as the layer file saves it (row 2 of _MapProperty): a record written field by
// field, little-endian, never a copy of the host struct.
//
//   0  4  mapeID (int32)
//   4  4  without meaning: zero on write, ignored on read
//   8 40  the rectangle record: 8 bytes without meaning, then left, top,
//         right and bottom as doubles at 16, 24, 32 and 40
#pragma once

#include "platform/base/Afx.h"

#include "core/DoubleRect.h"

#include <array>

struct LayerIndexEntry {
    static constexpr int kRecordSize = 48;
    static constexpr int kIdOffset = 0;
    static constexpr int kUnusedOffset = 4;
    static constexpr int kRectOffset = 8;
    static constexpr int kLeftOffset = kRectOffset + CDoubleRect::kLeftOffset;
    static constexpr int kTopOffset = kRectOffset + CDoubleRect::kTopOffset;
    static constexpr int kRightOffset = kRectOffset + CDoubleRect::kRightOffset;
    static constexpr int kBottomOffset = kRectOffset + CDoubleRect::kBottomOffset;
    using Record = std::array<BYTE, kRecordSize>;

    int id = 0;
    CDoubleRect rect;

    void WriteRecord(BYTE* record) const;
    // FALSE for a null record or one shorter than 48 bytes.
    BOOL ReadRecord(const BYTE* record, int size);
};
static_assert(std::tuple_size_v<LayerIndexEntry::Record> == 48, "an index record is 48 bytes");
static_assert(LayerIndexEntry::kIdOffset == 0 && LayerIndexEntry::kUnusedOffset == 4
                  && LayerIndexEntry::kRectOffset == 8,
              "mapeID, the unused word and the rectangle at 0, 4 and 8");
static_assert(LayerIndexEntry::kLeftOffset == 16 && LayerIndexEntry::kTopOffset == 24
                  && LayerIndexEntry::kRightOffset == 32 && LayerIndexEntry::kBottomOffset == 40,
              "the edges at 16, 24, 32 and 40");
static_assert(LayerIndexEntry::kRectOffset + CDoubleRect::kRecordSize == LayerIndexEntry::kRecordSize,
              "the rectangle ends the record");
