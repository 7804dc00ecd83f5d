// The grid's archive form: rectangles as their stored records, read field by
// field into new rectangles and committed only once everything was read.
#include "model/layers/MapGrid.h"

#include <vector>

IMPLEMENT_SERIAL(CMapGrid, CObject, 1)

CMapGrid::CMapGrid() = default;

CMapGrid::CMapGrid(const CString& name, const CString& text, double width, double height)
    : m_strName(name), m_dCellWidth(width), m_dCellHeight(height), m_strText(text)
{
}

void CMapGrid::SetCellSize(double width, double height)
{
    m_dCellWidth = width;
    m_dCellHeight = height;
}

void CMapGrid::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)m_Rects.GetCount());
        for (POSITION pos = m_Rects.GetHeadPosition(); pos;) {
            const CDoubleRect::Record record = m_Rects.GetNext(pos).ToRecord();
            ar.Write(record.data(), CDoubleRect::kRecordSize);
        }
        ar << m_dCellWidth << m_dCellHeight << m_strName << m_strText;
        return;
    }
    std::vector<CDoubleRect> rects;
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
        CDoubleRect::Record record;
        if (ar.Read(record.data(), CDoubleRect::kRecordSize) != (UINT)CDoubleRect::kRecordSize)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        CDoubleRect rect;
        rect.ReadRecord(record.data(), CDoubleRect::kRecordSize);
        rects.push_back(rect);
    }
    double width = 0.0, height = 0.0;
    CString name, text;
    ar >> width >> height >> name >> text;
    m_Rects.RemoveAll();
    for (CDoubleRect& rect : rects)
        m_Rects.AddTail(rect);
    m_dCellWidth = width;
    m_dCellHeight = height;
    m_strName = name;
    m_strText = text;
}
