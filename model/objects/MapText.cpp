// Free texts: the property record, the text codes, drawing line by line, the
// boundary from the box drawn last, handles, moves and conversions.
#include "model/objects/MapText.h"

#include "core/GeometryTransform.h"
#include "core/MapStyle.h"
#include "core/Measure.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/base/DeviceCoordinates.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
// Provisional box of a text that has never been drawn, in map units.
constexpr double kProvisionalWidth = 29.0;
constexpr double kProvisionalHeight = 18.0;

// The lines of a text; a trailing separator gives no further line.
std::vector<CString> SplitLines(const CString& text)
{
    std::vector<CString> lines;
    int start = 0;
    const int length = text.GetLength();
    while (start < length) {
        const int end = text.Find("\r\n", start);
        if (end < 0) {
            lines.push_back(text.Mid(start));
            break;
        }
        lines.push_back(text.Mid(start, end - start));
        start = end + 2;
    }
    return lines;
}
}

CMapText::CMapText()
{
    m_nType = MAP_OBJECT_TEXT;
}

BOOL CMapText::SetText(const CString& text)
{
    if (text == m_strText)
        return FALSE;
    m_strText = text;
    m_dwFlags |= kRingFlag | kGeometryModified;
    return TRUE;
}

void CMapText::SetFontSize(float size)
{
    if (size == m_fFontSize)
        return;
    m_fFontSize = size;
    GetStyle()->SetModified(true);
}

void CMapText::MoveTo(const CFloatPoint& pt)
{
    const double dx = (double)pt.x - m_Anchor.x, dy = (double)pt.y - m_Anchor.y;
    CDoubleRect moved = m_rcBoundary;
    moved.Offset(dx, dy);
    SetBoundary(moved);
    m_Anchor = pt;
    GetStyle()->SetModified(true);
    UpdateLayerBounds();
}

void CMapText::PlaceAt(const CDoubleRect& rect, double scale)
{
    m_Anchor = CFloatPoint(rect.left, rect.bottom);
    CDoubleRect box = rect;
    box.right += kProvisionalWidth * scale;
    box.top += kProvisionalHeight * scale;
    SetBoundary(box);
    m_fFontSize = (float)(m_fFontSize * scale);
    KeepProvisionalBox();
}

int CMapText::GetLineCount() const
{
    int count = 1;
    for (int pos = m_strText.Find("\r\n"); pos >= 0; pos = m_strText.Find("\r\n", pos + 2))
        ++count;
    return count;
}

// ---------------------------------------------------------------- record
void CMapText::WriteRecord(BYTE* record) const
{
    // A fresh style assigned from the own style: its flags word is stored as 0.
    CMapStyle style;
    style = m_Style;
    style.WriteRecord(record);
    MapRecord::PutDword(record + 272, m_dwStoredValue);
    MapRecord::PutFloat(record + 276, m_fFontSize);
    MapRecord::PutWord(record + 280, m_wAlignment);
    MapRecord::PutWord(record + 282, 0);
    MapRecord::PutFloat(record + 284, m_Anchor.x);
    MapRecord::PutFloat(record + 288, m_Anchor.y);
}

CMapText::Record CMapText::ToRecord() const
{
    Record record{};
    WriteRecord(record.data());
    return record;
}

BOOL CMapText::ReadRecord(const void* data, int size)
{
    if (!data || size < kRecordSize)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(data);
    SetStyle(CMapStyle(p, CMapStyle::kRecordSize));
    m_dwStoredValue = MapRecord::GetDword(p + 272);
    m_fFontSize = MapRecord::GetFloat(p + 276);
    m_wAlignment = MapRecord::GetWord(p + 280);
    m_Anchor.x = MapRecord::GetFloat(p + 284);
    m_Anchor.y = MapRecord::GetFloat(p + 288);
    return TRUE;
}

// ---------------------------------------------------------------- text codes
CString CMapText::ExpandTextCodes(const CString& line)
{
    CString out;
    const int length = line.GetLength();
    int i = 0;
    while (i < length) {
        const char c = line[i];
        // A code needs a second "%" and one more character after the first.
        if (c != '%' || i + 2 >= length || line[i + 1] != '%') {
            out += c;
            ++i;
            continue;
        }
        const char code = line[i + 2];
        switch (code) {
        case '%': out += '%'; break;
        case 'C': case 'c': out += "\xC3\x98"; break;   // the diameter sign, UTF-8
        case 'D': case 'd': case 'P': case 'p': out += '?'; break;
        case 'O': case 'o': case 'U': case 'u': break;
        default: out += code; break;
        }
        i += 3;
    }
    return out;
}

// ---------------------------------------------------------------- boundary
// Drawn: the box of the last drawing (W x H pixels, turned by the text angle)
// at the current zoom, hung from the anchor and lifted by one line height,
// since the anchor is the foot of the first line. Not drawn yet: a provisional
// box 29 x 18 map units beyond the boundary, grown once and then kept relative
// to the anchor.
CDoubleRect CMapText::ComputeBoundary() const
{
    CMapModel* map = GetMap();
    if (!IsDrawn() || !map) {
        if (m_bProvisional) {
            return CDoubleRect(m_Anchor.x + m_rcProvisional.left, m_Anchor.y + m_rcProvisional.bottom,
                               m_Anchor.x + m_rcProvisional.right, m_Anchor.y + m_rcProvisional.top);
        }
        CDoubleRect box = m_rcBoundary;
        box.right += kProvisionalWidth;
        box.top += kProvisionalHeight;
        return box;
    }
    const int angle = GetStyle()->GetTextAngle();
    const double c = CosDegrees(angle), s = SinDegrees(angle);
    const double zoom = map->GetZoom();
    const double b = zoom * m_nDrawnWidth;
    const double d = -zoom * m_nDrawnHeight;
    const double xs[4] = {0, c * b, c * b - s * d, -s * d};
    const double ys[4] = {0, s * b, s * b + c * d, c * d};
    const int lines = GetLineCount();
    const double shift = lines >= 1 ? d / lines : 0;
    return CDoubleRect(m_Anchor.x + *std::min_element(xs, xs + 4), m_Anchor.y + *std::min_element(ys, ys + 4) - shift,
                       m_Anchor.x + *std::max_element(xs, xs + 4), m_Anchor.y + *std::max_element(ys, ys + 4) - shift);
}

void CMapText::KeepProvisionalBox()
{
    if (IsDrawn() && GetMap())
        return;
    m_rcProvisional = CDoubleRect(m_rcBoundary.left - m_Anchor.x, m_rcBoundary.bottom - m_Anchor.y,
                                  m_rcBoundary.right - m_Anchor.x, m_rcBoundary.top - m_Anchor.y);
    m_bProvisional = true;
}

void CMapText::UpdateLayerBounds()
{
    const CDoubleRect box = ComputeBoundary();
    if (box == m_rcBoundary)
        return;
    SetBoundary(box);
    KeepProvisionalBox();
    CMapObject::UpdateLayerBounds();
}

void CMapText::MoveBy(int dx, int dy, double* zoom)
{
    m_Anchor.x = (float)(m_Anchor.x + dx * *zoom);
    m_Anchor.y = (float)(m_Anchor.y - dy * *zoom);
    const CDoubleRect box = ComputeBoundary();
    if (box == m_rcBoundary)
        return;
    const CDoubleRect old = m_rcBoundary;
    SetBoundary(box);
    KeepProvisionalBox();
    if (m_pLayer) {
        // The layer bounds only widen while the old boundary lay strictly inside them.
        CDoubleRect bounds = m_pLayer->GetBounds();
        bounds.Union(box);
        if (bounds.ContainsRect(old))
            m_pLayer->SetBounds(bounds);
        else
            CMapObject::UpdateLayerBounds();
    }
    m_dwFlags |= kBoundaryModified;
    GetStyle()->SetModified(true);
    SaveChanges();
}

// ---------------------------------------------------------------- handles
int CMapText::GetHandleCount()
{
    return 4;
}

int CMapText::SetActiveHandle(int index)
{
    return CMapObject::SetActiveHandle(index);
}

CFloatPoint CMapText::GetHandlePoint(int index)
{
    const int angle = GetStyle()->GetTextAngle();
    // SinDegrees reduces the angle first: 90 - angle would overflow for the lowest stored angles.
    const double c = CosDegrees(angle), s = SinDegrees(angle);
    const double x0 = m_ptDevice.x, y0 = m_ptDevice.y;
    const double w = m_nDrawnWidth, h = m_nDrawnHeight;
    switch (index) {
    case 0: return CFloatPoint(x0, y0);
    case 1: return CFloatPoint(x0 + c * w, y0 - s * w);
    case 2: return CFloatPoint(x0 + c * w + s * h, y0 + c * h - s * w);
    case 3: return CFloatPoint(x0 + s * h, y0 + c * h);
    default: return CFloatPoint(0.0, 0.0);
    }
}

void CMapText::MoveHandle(CDC*, int, int, int, double*, double*, double*) {}

namespace {
POINT TruncatedPoint(const CFloatPoint& p)
{
    return POINT{(LONG)(p.x + CMapObject::kEpsilon), (LONG)(p.y + CMapObject::kEpsilon)};
}
}

void CMapText::DrawSelected(CDC* pDC, const RECT*, double*, double*, double*)
{
    for (int i = 0; i < 4; ++i) {
        const POINT p = TruncatedPoint(GetHandlePoint(i));
        pDC->PatBlt(p.x - 3, p.y - 3, 7, 7, DSTINVERT);
        if (i == m_nActiveHandle)
            pDC->PatBlt(p.x - 2, p.y - 2, 5, 5, DSTINVERT);
    }
}

void CMapText::DrawTracking(CDC* pDC, const RECT*, double*, double*, double*)
{
    CPen pen(PS_SOLID, 1, RGB(192, 192, 192));
    pDC->SetROP2(R2_NOTXORPEN);
    CPen* oldPen = pDC->SelectObject(&pen);
    const POINT first = TruncatedPoint(GetHandlePoint(0));
    pDC->MoveTo(first);
    for (int i = 1; i <= 4; ++i)
        pDC->LineTo(TruncatedPoint(GetHandlePoint(i % 4)));
    if (oldPen)
        pDC->SelectObject(oldPen);
    else
        pDC->SelectStockObject(NULL_PEN);
    pen.DeleteObject();
}

BOOL CMapText::HitTest(int x, int y, double*, double*, double*)
{
    CFloatPoint ring[4];
    for (int i = 0; i < 4; ++i)
        ring[i] = GetHandlePoint(i);
    return PointInPolygon(4, ring, CFloatPoint((double)x, (double)y));
}

BOOL CMapText::IsWithinDeviceCircle(CPoint centre, double radius)
{
    const CDoublePoint c(centre.x, centre.y);
    for (int i = 0; i < 4; ++i) {
        const CFloatPoint h = GetHandlePoint(i);
        if (MapDistance(CDoublePoint(h.x, h.y), c, nullptr) > radius)
            return FALSE;
    }
    return TRUE;
}

BOOL CMapText::IsInsidePolygon(const CFloatPoint* ring, int count)
{
    CMapModel* map = GetMap();
    if (!map)
        return FALSE;
    const double zoom = map->GetZoom(), originX = map->GetXOffset(), originY = map->GetYOffset();
    const int height = map->GetViewHeight();
    for (int i = 0; i < 4; ++i) {
        const POINT p = TruncatedPoint(GetHandlePoint(i));
        if (!IsPointInRing(ring, count, p.x * zoom + originX, (height - p.y) * zoom + originY))
            return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------- drawing
void CMapText::Draw(CDC* pDC, const RECT*, double* originX, double* originY, double* zoom)
{
    if (m_strText.IsEmpty())
        return;
    const bool printing = pDC->IsPrinting() != FALSE;
    const CPoint origin = CDoublePoint(m_Anchor.x, m_Anchor.y).ToDevice(*originX, *originY, *zoom, GetViewHeight());
    CMapStyle* style = GetStyle();
    // Within one turn first, so that any stored angle (INT_MIN too) can be negated and scaled.
    const int turned = style->GetTextAngle() % 360;
    const int angle = printing ? -turned : turned;

    CPen pen(PS_SOLID, 0, style->GetTextColor());
    CPen* oldPen = pDC->SelectObject(&pen);

    LOGFONTA lf = style->GetTextLogFont();
    // Tenths of a degree of the angle within one turn: any stored angle, without overflow.
    lf.lfEscapement = lf.lfOrientation = angle * 10;
    lf.lfWidth = 0;
    const double size = m_fFontSize > 0 ? m_fFontSize : m_fFontSize * m_dSmallFactor;
    // The size in pixels is limited like a device coordinate; a NaN size shows nothing.
    const double pixels = size / *zoom;
    lf.lfHeight = -MulDiv(std::isnan(pixels) ? 0 : ClampDeviceCoordinate(pixels), pDC->GetDeviceCaps(LOGPIXELSY), 72);

    bool backgroundChanged = false;
    int oldBkMode = 0;
    COLORREF oldBkColor = 0;
    // A font of one pixel or less shows nothing; the last drawn box stays.
    if (std::abs(lf.lfHeight) > 1) {
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* oldFont = pDC->SelectObject(&font);
        const COLORREF oldTextColor = pDC->SetTextColor(style->GetTextColor());
        backgroundChanged = true;
        oldBkColor = pDC->GetBkColor();
        if (style->GetTextBackground()) {
            oldBkMode = pDC->SetBkMode(OPAQUE);
            pDC->SetBkColor(style->GetTextBkColor());
        } else {
            oldBkMode = pDC->SetBkMode(TRANSPARENT);
        }

        const double c = CosDegrees(angle), s = SinDegrees(angle);
        m_nDrawnWidth = 0;
        m_nDrawnHeight = 0;
        double x0 = origin.x, y0 = origin.y;
        const std::vector<CString> lines = SplitLines(m_strText);
        for (size_t k = 0; k < lines.size(); ++k) {
            const CString line = ExpandTextCodes(lines[k]);
            const CSize extent = pDC->GetTextExtent(line);
            const int w = extent.cx, h = extent.cy;
            double x, y;
            UINT align;
            switch (m_wAlignment) {
            case 0x0004:
                x = x0 - c * w / 2 - s * h / 2;
                y = y0 + s * (w / 2) - c * (h / 2);
                align = TA_CENTER | TA_TOP;
                break;
            case 0x0101:
                x = x0 - c * (w / 2) - s * h;
                y = y0 + s * (w / 2) - c * h;
                align = TA_CENTER | TA_BOTTOM;
                break;
            case 0x0301:
                x = x0 - c * (w / 2);
                y = y0 + s * (w / 2) + 0.05;
                align = TA_CENTER | TA_TOP;
                break;
            default:
                x = x0 - (angle != 0 ? size - 0.05 : 0);
                y = printing ? y0 - 0.1 + h : y0 - 0.1 - h;
                align = TA_LEFT | TA_TOP;
                break;
            }
            pDC->SetTextAlign(align);
            const POINT at{ClampDeviceCoordinate(x), ClampDeviceCoordinate(y)};
            pDC->TextOut(at.x, at.y, line);
            if (k == 0)
                m_ptDevice = at;
            m_nDrawnWidth = std::max(m_nDrawnWidth, w);
            m_nDrawnHeight = ClampDeviceCoordinate((int64_t)m_nDrawnHeight + h);
            if (printing) {
                x0 = origin.x - s * m_nDrawnHeight;
                y0 = origin.y - c * m_nDrawnHeight;
            } else {
                x0 = origin.x + s * m_nDrawnHeight;
                y0 = origin.y + c * m_nDrawnHeight;
            }
        }
        pDC->SelectObject(oldFont);
        font.DeleteObject();
        pDC->SetTextColor(oldTextColor);
    }
    pDC->SelectObject(oldPen);
    pen.DeleteObject();

    if (m_dwFlags & kRingFlag) {
        UpdateLayerBounds();
        m_dwFlags &= ~kRingFlag;
    }

    if (style->GetTextLine()) {
        CPen frame(PS_SOLID, 1, style->GetPenColor());
        CPen* previous = pDC->SelectObject(&frame);
        pDC->MoveTo(TruncatedPoint(GetHandlePoint(0)));
        for (int i = 1; i <= 4; ++i)
            pDC->LineTo(TruncatedPoint(GetHandlePoint(i % 4)));
        pDC->SelectObject(previous);
        frame.DeleteObject();
    }

    if (backgroundChanged) {
        pDC->SetBkMode(oldBkMode);
        pDC->SetBkColor(oldBkColor);
    }
}

// ---------------------------------------------------------------- conversions
int CMapText::Converted(const CDoubleRect& boundary, const CFloatPoint& anchor)
{
    m_rcBoundary = boundary;
    m_Anchor = anchor;
    m_dwFlags |= kGeometryModified;
    GetStyle()->SetModified(true);
    UpdateLayerBounds();
    return 1;
}

int CMapText::Transform(OGRCoordinateTransformation* ct)
{
    // The box and the anchor on copies: both move or neither does.
    CDoubleRect boundary = m_rcBoundary;
    CFloatPoint anchor = m_Anchor;
    if (!boundary.Transform(ct) || !TransformPoints(ct, &anchor, 1))
        return 0;
    return Converted(boundary, anchor);
}

int CMapText::ConvertUnits(const std::function<int(CDoubleRect&)>& convertRect,
                           const std::function<int(CFloatPoint&)>& convertPoint)
{
    CDoubleRect boundary = m_rcBoundary;
    CFloatPoint anchor = m_Anchor;
    if (!convertRect(boundary) || !std::isfinite(boundary.left) || !std::isfinite(boundary.right)
        || !std::isfinite(boundary.bottom) || !std::isfinite(boundary.top) || !ConvertPoints(&anchor, 1, convertPoint))
        return 0;
    return Converted(boundary, anchor);
}

int CMapText::LinearToAngular(double* a, double* b, int)
{
    return ConvertUnits([&](CDoubleRect& r) { return r.LinearToAngular(*a, *b); },
                        [&](CFloatPoint& p) { return p.LinearToAngular(*a, *b); });
}

int CMapText::AngularToLinear(double* a, double* b)
{
    return ConvertUnits([&](CDoubleRect& r) { return r.AngularToLinear(*a, *b); },
                        [&](CFloatPoint& p) { return p.AngularToLinear(*a, *b); });
}

int CMapText::Scale(double* factor)
{
    return ConvertUnits([&](CDoubleRect& r) { return r.Scale(*factor); },
                        [&](CFloatPoint& p) { return p.Scale(*factor); });
}

// ---------------------------------------------------------------- clone and storage
CMapObject* CMapText::Clone(CMapLayer* target)
{
    CMapText* clone = new CMapText;
    CopyInto(clone, *GetStyle());
    clone->m_strText = m_strText;
    clone->m_dwStoredValue = m_dwStoredValue;
    clone->m_Anchor = m_Anchor;
    clone->m_wAlignment = m_wAlignment;
    clone->m_nDrawnWidth = m_nDrawnWidth;
    clone->m_nDrawnHeight = m_nDrawnHeight;
    clone->m_ptDevice = m_ptDevice;
    clone->m_dSmallFactor = m_dSmallFactor;
    clone->m_fFontSize = m_fFontSize;
    clone->m_bProvisional = m_bProvisional;
    clone->m_rcProvisional = m_rcProvisional;
    // A clone stored into a layer gets an id of its own there; only a free copy
    // keeps the id of its original.
    if (target)
        target->AddObject(clone, FALSE);
    else if (m_nMapeID >= 0)
        clone->m_nMapeID = m_nMapeID;
    return clone;
}

void CMapText::SaveChanges()
{
    SaveGeometryColumn([this](CSQLiteStatement& stmt) { stmt.BindText(0, m_strText); });
    CMapObject::SaveChanges();
}

bool CMapText::WritePropertyColumn(std::vector<BYTE>& record) const
{
    record.resize(kRecordSize);
    WriteRecord(record.data());
    return true;
}

void CMapText::ReadPropertyColumn(const void* data, int size)
{
    if (ReadRecord(data, size))
        GetStyle()->SetModified(false);
}

void CMapText::BindGeometryColumn(CSQLiteStatement& stmt, int index) const
{
    if (!m_strText.IsEmpty())
        stmt.BindText(index, m_strText);
}

void CMapText::LoadFromRow(CSQLiteStatement* stmt)
{
    CMapObject::LoadFromRow(stmt);
    SetText(stmt->ColumnText(5));
    // The text is as stored; the boundary is still recomputed at the first drawing.
    m_dwFlags &= ~kGeometryModified;
    // A stored boundary already holds the one growth of a text never drawn
    // (or the box of its last drawing): from now on it moves with the anchor
    // instead of growing at every load. Only a degenerate one never grew.
    if (!m_rcBoundary.IsEmpty())
        KeepProvisionalBox();
}
