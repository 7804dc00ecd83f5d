// A serializable description of a rectangular grid over the map: a name, a
// second text, the cell size in map units and a list of rectangles. Archives
// create it by its class name.
//
// Archive form (the same order for storing and loading, little-endian):
//   the list's element count (class-library count), then each rectangle as its
//   40-byte record (core/DoubleRect.h: 8 reserved bytes, then left, top, right,
//   bottom); cell width and cell height (8-byte doubles); the name, then the
//   second text (class-library strings). A rectangle is read field by field:
//   the reserved bytes never reach the object.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/Collections.h"

#include "core/DoubleRect.h"

class CMapGrid : public CObject {
    DECLARE_SERIAL(CMapGrid)

public:
    static constexpr double kDefaultCellSize = 250.0;

    // Empty texts and cells of 250 x 250, as archives create it.
    CMapGrid();
    CMapGrid(const CString& name, const CString& text, double width, double height);
    CMapGrid(const CMapGrid&) = delete;
    CMapGrid& operator=(const CMapGrid&) = delete;

    void SetCellSize(double width, double height);
    double GetCellWidth() const { return m_dCellWidth; }
    double GetCellHeight() const { return m_dCellHeight; }
    CString GetName() const { return m_strName; }
    CString GetText() const { return m_strText; }
    CList<CDoubleRect, CDoubleRect&>& GetRects() { return m_Rects; }

    // Loading replaces the grid only when the whole grid was read; a truncated
    // archive throws and leaves the grid as it was.
    void Serialize(CArchive& ar) override;

private:
    CString m_strName;
    double m_dCellWidth = kDefaultCellSize;
    double m_dCellHeight = kDefaultCellSize;
    CString m_strText;
    CList<CDoubleRect, CDoubleRect&> m_Rects{10};
};
