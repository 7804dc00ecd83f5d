// The tiled progress indicator. Every division by the range guards a range of
// zero width (upper == lower), which counts as no progress.
#include "dialogs/controls/StatusBarProgress.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/CWinThread.h"
#include "platform/wnd/WindowDC.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

const int kBuiltInTileWidth = 10;
const int kBuiltInHeight = 16;
const COLORREF kMask = RGB(0, 255, 255);

const COLORREF kTileColors[9] = {
    RGB(64, 64, 64),    // 0 start end
    RGB(0, 96, 0),      // 1 before the lower marker
    RGB(0, 160, 0),     // 2 lower marker
    RGB(0, 200, 64),    // 3 middle of the filled part
    RGB(0, 128, 255),   // 4 filled
    RGB(255, 128, 0),   // 5 upper marker
    RGB(200, 200, 160), // 6 after the upper marker
    RGB(240, 240, 240), // 7 empty
    RGB(32, 32, 32),    // 8 far end
};

// Rows top-down, 4 bytes per pixel (blue, green, red, unused).
using Pixels = std::vector<BYTE>;

Pixels ReadPixels(const CBitmap& bitmap, int width, int height)
{
    Pixels p((size_t)width * (size_t)height * 4);
    bitmap.GetBitmapBits((DWORD)p.size(), p.data());
    return p;
}

void BuildBuiltIn(CBitmap& bitmap)
{
    const int width = kBuiltInTileWidth * 9;
    Pixels p((size_t)width * kBuiltInHeight * 4);
    for (int y = 0; y < kBuiltInHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = kTileColors[x / kBuiltInTileWidth];
            // The ends are rounded off by transparent corners.
            const bool corner = (y == 0 || y == kBuiltInHeight - 1) &&
                                ((x < kBuiltInTileWidth && x == 0) || (x >= 8 * kBuiltInTileWidth && x == width - 1));
            if (corner)
                c = kMask;
            BYTE* px = &p[((size_t)y * width + x) * 4];
            px[0] = GetBValue(c);
            px[1] = GetGValue(c);
            px[2] = GetRValue(c);
            px[3] = 0;
        }
    }
    bitmap.CreateBitmap(width, kBuiltInHeight, 1, 32, p.data());
}

// `source` stretched into a new bitmap of width x height.
void Stretch(CBitmap& source, int sw, int sh, CBitmap& target, int width, int height)
{
    CWindowDC screen(nullptr);
    CDC from, to;
    from.CreateCompatibleDC(&screen);
    to.CreateCompatibleDC(&screen);
    target.CreateCompatibleBitmap(&screen, width, height);
    CBitmap* oldFrom = from.SelectObject(&source);
    CBitmap* oldTo = to.SelectObject(&target);
    to.SetStretchBltMode(HALFTONE);
    to.StretchBlt(0, 0, width, height, &from, 0, 0, sw, sh, SRCCOPY);
    from.SelectObject(oldFrom);
    to.SelectObject(oldTo);
}

} // namespace

BEGIN_MESSAGE_MAP(CStatusBarProgress, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
END_MESSAGE_MAP()

COLORREF CStatusBarProgress::BuiltInTileColor(int index) { return index >= 0 && index < 9 ? kTileColors[index] : 0; }

CStatusBarProgress::CStatusBarProgress(CWnd* target, int upper, CBitmap* tiles, BOOL reverse, CWnd* textWnd,
                                       LPCTSTR label, int textMode)
    : m_label(label ? label : ""), m_textMode(textMode), m_upper(upper), m_reverse(reverse), m_target(target),
      m_textWnd(textWnd)
{
    Create(tiles);
}

CStatusBarProgress::~CStatusBarProgress()
{
    if (m_hWnd) {
        KillTimer((UINT_PTR)this);
        ShowWindow(SW_HIDE);
        DestroyWindow();
    }
    if (m_textWnd && m_textWnd->m_hWnd)
        m_textWnd->SetWindowText(m_savedText);
    if (m_target && m_target->m_hWnd)
        m_target->InvalidateRect(nullptr, TRUE);
}

CRect CStatusBarProgress::TargetRect() const
{
    CRect r;
    if (!m_target || !m_target->m_hWnd)
        return r;
    m_target->GetWindowRect(&r);
    if (CWnd* parent = m_target->GetParent())
        parent->ScreenToClient(&r);
    return r;
}

BOOL CStatusBarProgress::Create(CBitmap* tiles)
{
    if (!m_target || !m_target->m_hWnd)
        return FALSE;
    const CRect rect = TargetRect();
    LPCTSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_WAIT), nullptr, nullptr);
    if (!CreateEx(WS_EX_STATICEDGE, windowClass, "", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, rect,
                  m_target->GetParent(), (UINT)(uintptr_t)this))
        return FALSE;
    // Over the target, not under it.
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_lastTargetRect = rect;
    m_vertical = rect.Height() > rect.Width();
    if (m_textWnd && m_textWnd->m_hWnd)
        m_textWnd->GetWindowText(m_savedText);
    m_lastText.Empty();
    if (!BuildTiles(tiles))
        return FALSE;
    const int upper = m_upper;
    m_lower = 0;
    m_start = 0;
    m_position = 0;
    SetRange(0, upper, 1, FALSE, FALSE);
    GetLocalTime(&m_startTime);
    m_position = m_lower;
    SetTimer((UINT_PTR)this, 500, nullptr);
    Redraw();
    return TRUE;
}

BOOL CStatusBarProgress::BuildTiles(CBitmap* tiles)
{
    CBitmap source;
    if (tiles && tiles->GetSafeHandle()) {
        BITMAP info{};
        tiles->GetBitmap(&info);
        Pixels bits = ReadPixels(*tiles, info.bmWidth, info.bmHeight);
        source.CreateBitmap(info.bmWidth, info.bmHeight, 1, 32, bits.data());
    } else {
        BuildBuiltIn(source);
    }
    BITMAP info{};
    if (!source.GetSafeHandle() || !source.GetBitmap(&info) || info.bmWidth < 9 || info.bmHeight < 1)
        return FALSE;
    const int sw = info.bmWidth, sh = info.bmHeight;
    const int tileWidth = sw / 9;
    CRect client;
    GetClientRect(&client);
    CBitmap stretched;
    if (!m_vertical) {
        Stretch(source, sw, sh, stretched, sw, std::max(1, client.Height()));
    } else {
        // Each tile turned a quarter: the bar runs downwards.
        const int across = std::max(1, client.Width());
        CBitmap intermediate;
        Stretch(source, sw, sh, intermediate, sw, across);
        const Pixels in = ReadPixels(intermediate, sw, across);
        const int outWidth = across * 9;
        Pixels out((size_t)outWidth * (size_t)tileWidth * 4);
        for (int i = 0; i < across; ++i) {
            for (int j = 0; j < tileWidth * 9; ++j) {
                const int x = i + (j / tileWidth) * across;
                const int y = j % tileWidth;
                std::copy_n(&in[((size_t)i * sw + j) * 4], 4, &out[((size_t)y * outWidth + x) * 4]);
            }
        }
        stretched.CreateBitmap(outWidth, tileWidth, 1, 32, out.data());
    }
    BITMAP done{};
    stretched.GetBitmap(&done);
    m_tileWidth = done.bmWidth / 9;
    m_tileHeight = done.bmHeight;
    m_tiles.DeleteImageList();
    if (!m_tiles.Create(m_tileWidth, m_tileHeight, ILC_COLOR32 | ILC_MASK, 9, 0))
        return FALSE;
    return m_tiles.Add(&stretched, kMask) >= 0;
}

BOOL CStatusBarProgress::SetRange(int lower, int upper, int step, BOOL rescale, BOOL redraw)
{
    if (!m_hWnd)
        return FALSE;
    if (rescale) {
        const int64_t oldSpan = (int64_t)m_upper - m_lower;
        auto map = [&](int value) {
            return oldSpan != 0 ? (int)(lower + ((int64_t)value - m_lower) * ((int64_t)upper - lower) / oldSpan) : lower;
        };
        m_start = map(m_start);
        m_position = map(m_position);
        m_previousPos = m_position;
    }
    m_lower = lower;
    m_upper = upper;
    m_step = step;
    if (redraw)
        Redraw();
    return TRUE;
}

int CStatusBarProgress::SetPos(int pos, BOOL redraw)
{
    if (!m_hWnd)
        return 0;
    pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    m_previousPos = m_position;
    m_position = std::max(pos, m_start);
    if (redraw)
        Redraw();
    return m_previousPos;
}

int CStatusBarProgress::StepIt(BOOL redraw)
{
    const int old = m_position;
    int pos = m_position + m_step;
    pos = std::min(pos, m_upper);
    pos = std::max(pos, m_lower);
    pos = std::max(pos, m_start);
    m_previousPos = old;
    m_position = pos;
    if (redraw && m_hWnd)
        Redraw();
    return old;
}

int CStatusBarProgress::GetPos(BOOL percent) const
{
    if (!percent)
        return m_position;
    const int64_t span = (int64_t)m_upper - m_lower;
    return span != 0 ? (int)(((int64_t)m_position - m_lower) * 25600 / span) : 0;
}

bool CStatusBarProgress::ComputeMarkers()
{
    CRect client;
    GetClientRect(&client);
    const int length = m_vertical ? client.Height() : client.Width();
    const int t = m_vertical ? m_tileHeight : m_tileWidth;
    m_barEnd = length - t;
    const int64_t span = length - 2 * t;
    const int64_t range = (int64_t)m_upper - m_lower;
    m_upperMarker = t + (range != 0 ? (int)(((int64_t)m_position - m_lower) * span / range) : 0);
    m_lowerMarker = range != 0 ? (int)(((int64_t)m_start - m_lower) * span / range) : 0;
    m_upperMarker = std::min(m_upperMarker, m_barEnd);
    m_lowerMarker = std::min(m_lowerMarker, m_upperMarker - t);
    if (m_reverse) {
        const int upper = m_barEnd - m_upperMarker;
        const int lower = m_barEnd - m_lowerMarker;
        m_upperMarker = upper;
        m_lowerMarker = lower;
    }
    return m_barEnd != m_lastBarEnd || m_upperMarker != m_lastUpperMarker || m_lowerMarker != m_lastLowerMarker;
}

void CStatusBarProgress::DrawTile(CDC& dc, int tile, int at)
{
    ImageList_Draw(m_tiles, tile, dc.GetSafeHdc(), m_vertical ? 0 : at, m_vertical ? at : 0, ILD_NORMAL);
}

void CStatusBarProgress::PaintAll(CDC& dc)
{
    ComputeMarkers();
    const int t = std::max(1, m_vertical ? m_tileHeight : m_tileWidth);
    // The filled part lies between the two markers, whichever way the bar runs.
    const int high = std::max(m_upperMarker, m_lowerMarker);
    const int low = std::min(m_upperMarker, m_lowerMarker);
    int p = m_barEnd / t * t;
    for (; p > high; p -= t)
        DrawTile(dc, 7, p);
    for (; p > low; p -= t)
        DrawTile(dc, 4, p);
    for (; p >= t; p -= t)
        DrawTile(dc, 7, p);
    DrawTile(dc, 3, (m_upperMarker + m_lowerMarker) / 2);
    if (m_lowerMarker > t)
        DrawTile(dc, 1, m_lowerMarker - t);
    if (m_upperMarker < m_barEnd - t)
        DrawTile(dc, 6, m_upperMarker + t);
    DrawTile(dc, 0, 0);
    DrawTile(dc, 8, m_barEnd);
    DrawTile(dc, 2, m_lowerMarker);
    DrawTile(dc, 5, m_upperMarker);
    m_lastBarEnd = m_barEnd;
    m_lastUpperMarker = m_upperMarker;
    m_lastLowerMarker = m_lowerMarker;
}

void CStatusBarProgress::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    if (!m_paintBitmap || m_paintSize != client.Size()) {
        m_paintBitmap = std::make_unique<CBitmap>();
        m_paintBitmap->CreateCompatibleBitmap(&dc, client.Width(), client.Height());
        m_paintSize = client.Size();
    }
    CBitmap* old = memory.SelectObject(m_paintBitmap.get());
    memory.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    PaintAll(memory);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

BOOL CStatusBarProgress::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    Redraw();
    return TRUE;
}

void CStatusBarProgress::OnTimer(UINT_PTR id)
{
    if (id == (UINT_PTR)this)
        Redraw();
    else
        Default();
}

void CStatusBarProgress::Redraw()
{
    if (!m_hWnd)
        return;
    CString text;
    const bool withText = m_textWnd && m_textWnd->m_hWnd && m_textWnd->IsWindowVisible();
    if (withText) {
        CClientDC dc(m_textWnd);
        CFont* old = dc.SelectObject(m_textWnd->GetFont());
        CRect area;
        m_textWnd->GetClientRect(&area);
        ProgressTextState state;
        state.position = m_position;
        state.start = m_start;
        state.lower = m_lower;
        state.upper = m_upper;
        state.startTime = m_startTime;
        GetLocalTime(&state.now);
        text = ProgressStatusText(m_label, m_textMode, state, area.Width(),
                                  [&dc](const CString& s) { return dc.GetTextExtent(s).cx; });
        if (old)
            dc.SelectObject(old);
    }
    const CRect target = TargetRect();
    if (target != m_lastTargetRect && target.Width() >= 3 && target.Height() >= 3) {
        MoveWindow(target);
        m_lastTargetRect = target;
        Invalidate(FALSE);
    } else if (ComputeMarkers()) {
        Invalidate(FALSE);
    }
    if (withText && text != m_lastText) {
        m_textWnd->SetWindowText(text);
        m_lastText = text;
    }
}

void CStatusBarProgress::Show()
{
    if (!m_hWnd)
        return;
    if (!IsWindowVisible()) {
        ModifyStyle(0, WS_VISIBLE);
        ShowWindow(SW_SHOWNA);
        RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    }
    if (::GetFocus() != m_hWnd)
        SetFocus();
    CWinThread* thread = AfxGetThread();
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!(thread ? thread->PumpMessage() : AfxPumpMessage())) {
            PostQuitMessage(0);
            break;
        }
    }
}
