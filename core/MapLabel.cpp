// Labels: the stored record, drawing with the font block, the box drawn last,
// moving by pixels and saving only the label columns that changed.
#include "core/MapLabel.h"

#include "core/MapStyle.h"
#include "core/Measure.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "platform/base/DeviceCoordinates.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <sqlite3.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

// ---------------------------------------------------------------- font block
void MapLabelFontBlock::Write(BYTE* p) const
{
    using namespace MapRecord;
    PutLogFontW(p, font);
    PutDword(p + 92, textColor);
    PutDword(p + 96, backColor);
    PutDword(p + 100, (DWORD)background);
    PutDword(p + 104, (DWORD)line);
    PutDword(p + 108, lineColor);
    PutDword(p + 112, reserved);
}

void MapLabelFontBlock::Read(const BYTE* p)
{
    using namespace MapRecord;
    GetLogFontW(p, font);
    textColor = GetDword(p + 92);
    backColor = GetDword(p + 96);
    background = (LONG)GetDword(p + 100);
    line = (LONG)GetDword(p + 104);
    lineColor = GetDword(p + 108);
    reserved = GetDword(p + 112);
}

MapLabelFontBlock MapLabelFontBlock::Defaults()
{
    // Every object has a label: the block is made once, not once per label.
    static const MapLabelFontBlock defaults = [] {
        MapLabelFontBlock b{};
        b.font.lfHeight = 13;
        b.font.lfCharSet = DEFAULT_CHARSET;
        SetLogFontFaceName(b.font, "Arial");
        b.textColor = 0;
        b.backColor = 0xFFFFFF;
        return b;
    }();
    return defaults;
}

// ---------------------------------------------------------------- construction
CMapLabel::CMapLabel() : m_block(MapLabelFontBlock::Defaults()) {}

CMapLabel::CMapLabel(const CMapLabel& other) : m_text(other.m_text), m_anchor(other.m_anchor), m_block(other.m_block)
{
}

void CMapLabel::TakeContent(const CMapLabel& other)
{
    if (this == &other)
        return;
    std::fill(std::begin(m_corners), std::end(m_corners), POINT{0, 0});
    m_mapeID = -1;
    m_database = nullptr;
    m_text = other.m_text;
    m_anchor = other.m_anchor;
    m_block = other.m_block;
    m_deviceRect = RECT{};
    m_flags = 0;
}

std::unique_ptr<CMapLabel> CMapLabel::Clone() const
{
    auto copy = std::make_unique<CMapLabel>();
    copy->m_mapeID = m_mapeID;
    copy->SetText(m_text);
    copy->SetAnchor(m_anchor);
    copy->SetFontBlock(m_block);
    copy->m_deviceRect = m_deviceRect;
    copy->m_database = m_database;
    copy->m_flags = m_flags;
    std::copy(std::begin(m_corners), std::end(m_corners), copy->m_corners);
    return copy;
}

// ---------------------------------------------------------------- record
void CMapLabel::WriteRecord(BYTE* record) const
{
    MapRecord::PutFloat(record, m_anchor.x);
    MapRecord::PutFloat(record + 4, m_anchor.y);
    m_block.Write(record + 8);
}

CMapLabel::Record CMapLabel::ToRecord() const
{
    Record r;
    WriteRecord(r.data());
    return r;
}

BOOL CMapLabel::ReadRecord(const void* data, int size, const CFloatPoint& labelPoint)
{
    if (!data || size < kRecordSize) {
        SetAnchor(labelPoint);
        return FALSE;
    }
    const BYTE* p = static_cast<const BYTE*>(data);
    MapLabelFontBlock block;
    block.Read(p + 8);
    SetFontBlock(block);
    CFloatPoint anchor;
    anchor.x = MapRecord::GetFloat(p);
    anchor.y = MapRecord::GetFloat(p + 4);
    // (FLT_MAX, FLT_MAX) marks a label that was never placed.
    if (anchor.x == FLT_MAX && anchor.y == FLT_MAX)
        anchor = labelPoint;
    SetAnchor(anchor);
    return TRUE;
}

// ---------------------------------------------------------------- content
void CMapLabel::SetText(const CString& text)
{
    if (m_text != text) {
        m_text = text;
        SetTextModified(true);
    }
}

void CMapLabel::SetAnchor(const CFloatPoint& pt)
{
    if (pt.x != m_anchor.x || pt.y != m_anchor.y) {
        m_anchor = pt;
        SetModified(true);
    }
}

void CMapLabel::SetTextColor(COLORREF color)
{
    if (m_block.textColor != color) {
        m_block.textColor = color;
        SetModified(true);
    }
}

void CMapLabel::SetBackColor(COLORREF color)
{
    if (m_block.backColor != color) {
        m_block.backColor = color;
        SetModified(true);
    }
}

void CMapLabel::SetLineColor(COLORREF color)
{
    if (m_block.lineColor != color) {
        m_block.lineColor = color;
        SetModified(true);
    }
}

void CMapLabel::SetRotation(int tenths, int saveNow)
{
    if (tenths == m_block.font.lfEscapement)
        return;
    m_block.font.lfEscapement = tenths;
    m_block.font.lfOrientation = tenths;
    SetModified(true);
    if (saveNow)
        Save();
}

LOGFONTA CMapLabel::GetLogFontA() const
{
    LOGFONTA f;
    LogFontWToA(m_block.font, f);
    return f;
}

void CMapLabel::SetLogFontA(const LOGFONTA& font)
{
    LogFontAToW(font, m_block.font);
    SetModified(true);
}

void CMapLabel::SetFontBlock(const MapLabelFontBlock& block)
{
    m_block = block;
    SetModified(true);
}

// ---------------------------------------------------------------- corners
CPoint CMapLabel::GetCorner(int i) const
{
    if (i < 0 || i > 3)
        return CPoint(0, 0);
    return CPoint(m_corners[i].x, m_corners[i].y);
}

RECT CMapLabel::GetDeviceBounds() const
{
    RECT r = {m_corners[0].x, m_corners[0].y, m_corners[0].x, m_corners[0].y};
    for (const POINT& p : m_corners) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

RECT CMapLabel::GetCornerRect(int i) const
{
    const CPoint c = GetCorner(i);
    return RECT{c.x - 3, c.y - 3, c.x + 3, c.y + 3};
}

int CMapLabel::HitTestCorner(POINT pt) const
{
    for (int i = 0; i < 4; ++i) {
        const RECT r = GetCornerRect(i);
        if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom)
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------- drawing
namespace {
// Lines of a label; a trailing separator starts no further line.
std::vector<CString> SplitLines(const CString& text)
{
    std::vector<CString> lines;
    int start = 0;
    while (start < text.GetLength()) {
        const int sep = text.Find("\r\n", start);
        if (sep < 0) {
            lines.push_back(text.Mid(start));
            break;
        }
        lines.push_back(text.Mid(start, sep - start));
        start = sep + 2;
    }
    return lines;
}
}

void CMapLabel::Draw(CDC* dc, RECT client, const double* originX, const double* originY, const double* zoom)
{
    if (m_text.IsEmpty())
        return;
    const CPoint p0 = m_anchor.ToDevice(*originX, *originY, *zoom, client.bottom - client.top);
    const int x0 = p0.x;
    const int y0 = p0.y;

    const LOGFONTA lf = GetLogFontA();
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* oldFont = dc->SelectObject(&font);
    const COLORREF oldTextColor = dc->SetTextColor(m_block.textColor);
    const bool opaque = m_block.background != 0;
    const int oldBkMode = dc->SetBkMode(opaque ? OPAQUE : TRANSPARENT);
    COLORREF oldBkColor = 0;
    if (opaque)
        oldBkColor = dc->SetBkColor(m_block.backColor);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, m_block.lineColor);
    CPen* oldPen = dc->SelectObject(&pen);

    const int a = GetRotation();
    const double c = CosDegrees(a);
    const double s = CosDegrees(90 - a);

    const std::vector<CString> lines = SplitLines(m_text);
    dc->TextOut(x0, y0, lines[0]);
    const CSize first = dc->GetTextExtent(lines[0]);
    // Positions and sizes are summed in 64 bits or doubles and limited on the way back to device
    // ints: an anchor at the device limit or many tall lines must not overflow.
    int64_t width = first.cx;
    int64_t height = first.cy;
    const int64_t stepX = (int64_t)std::trunc(s * first.cy);
    const int64_t stepY = (int64_t)std::trunc(c * first.cy);
    for (size_t k = 1; k < lines.size(); ++k) {
        const int x = ClampDeviceCoordinate(x0 + (int64_t)k * stepX);
        const int y = ClampDeviceCoordinate(y0 + (int64_t)k * stepY);
        const CSize e = dc->GetTextExtent(lines[k]);
        width = std::max<int64_t>(width, e.cx);
        height += e.cy;
        dc->TextOut(x, y, lines[k]);
    }

    const double W = (double)width;
    const double H = (double)height;
    auto at = [&](double dx, double dy) {
        return POINT{ClampDeviceCoordinate(x0 + std::trunc(dx)), ClampDeviceCoordinate(y0 + std::trunc(dy))};
    };
    m_corners[0] = {x0, y0};
    m_corners[1] = at(c * W, -(s * W));
    m_corners[2] = at(c * W + s * H, -(s * W - c * H));
    m_corners[3] = at(s * H, c * H);

    if (m_block.line) {
        dc->Polyline(m_corners, 4);
        dc->MoveTo(m_corners[3]);
        dc->LineTo(m_corners[0]);
    }
    if (IsSelected()) {
        for (int i : {0, 2, 3})
            dc->PatBlt(m_corners[i].x - 3, m_corners[i].y - 3, 7, 7, DSTINVERT);
        // Corner 1 is the rotation handle.
        dc->Ellipse(m_corners[1].x - 4, m_corners[1].y - 4, m_corners[1].x + 4, m_corners[1].y + 4);
    }

    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
    dc->SetTextColor(oldTextColor);
    if (opaque)
        dc->SetBkColor(oldBkColor);
    dc->SetBkMode(oldBkMode);
}

void CMapLabel::DrawOutlineXor(CDC* dc)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    CPen* oldPen = dc->SelectObject(&pen);
    dc->SetROP2(R2_NOTXORPEN);
    dc->MoveTo(m_corners[0]);
    dc->LineTo(m_corners[1]);
    dc->LineTo(m_corners[2]);
    dc->LineTo(m_corners[3]);
    dc->LineTo(m_corners[0]);
    dc->SelectObject(oldPen);
}

// ---------------------------------------------------------------- moving and saving
void CMapLabel::MoveBy(int dx, int dy, const double* zoom)
{
    m_deviceRect.left += dx;
    m_deviceRect.right += dx;
    m_deviceRect.top += dy;
    m_deviceRect.bottom += dy;
    m_anchor.x = (float)(m_anchor.x + dx * *zoom);
    m_anchor.y = (float)(m_anchor.y - dy * *zoom);
    SetModified(true);
    Save();
}

void CMapLabel::Save()
{
    if (!m_database)
        return;
    if (IsModified()) {
        const Record record = ToRecord();
        CString sql;
        sql.Format("update _MapGeoData set mapeLabelProp=? where mapeID=%d;", m_mapeID);
        CSQLiteStatement statement;
        m_database->Prepare(sql, statement);
        statement.BindBlob(0, record.data(), kRecordSize, SQLITE_TRANSIENT);
        statement.Step();
        statement.Finalize();
    }
    if (IsTextModified()) {
        CString sql;
        sql.Format("update _MapGeoData set mapeLabelText=%s where mapeID=%d;", SqlText(m_text).GetString(), m_mapeID);
        CSQLiteStatement statement;
        m_database->Prepare(sql, statement);
        statement.Step();
        statement.Finalize();
    }
}
