// Dock bars (CDockBar.h): docked bars in rows along a frame's edge; an empty dock bar takes no
// room.
#include "platform/frames/CDockBar.h"

#include "platform/frames/CFrameWnd.h"
#include "platform/frames/FrameInternal.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar()
{
    for (auto& row : m_rows)
        for (CControlBar* bar : row)
            if (bar->m_pDockBar == this)
                bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    const DWORD style = (dwStyle & CBRS_ALIGN_ANY) | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CreateBar(nullptr, style, pParentWnd, nID);
}

int CDockBar::GetDockedCount() const
{
    int n = 0;
    for (const auto& row : m_rows)
        n += (int)row.size();
    return n;
}

int CDockBar::GetRowOf(const CControlBar* pBar) const
{
    for (size_t r = 0; r < m_rows.size(); ++r)
        if (std::find(m_rows[r].begin(), m_rows[r].end(), pBar) != m_rows[r].end())
            return (int)r;
    return -1;
}

CSize CDockBar::BarSize(CControlBar* pBar) const
{
    const bool dynamic = (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    if (m_bFloating)
        return dynamic ? pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH) : pBar->CalcFixedLayout(FALSE, TRUE);
    if (IsHorz())
        return dynamic ? pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK) : pBar->CalcFixedLayout(FALSE, TRUE);
    return dynamic ? pBar->CalcDynamicLayout(-1, LM_VERTDOCK) : pBar->CalcFixedLayout(FALSE, FALSE);
}

int CDockBar::LayoutBars(int length, BOOL bMove)
{
    const bool horz = IsHorz();
    int across = 0;
    for (const auto& row : m_rows) {
        int along = 0;
        int thickness = 0;
        for (CControlBar* bar : row) {
            if (!bar->IsVisible())
                continue;
            const CSize size = BarSize(bar);
            const int barLength = horz ? size.cx : size.cy;
            const int barThickness = horz ? size.cy : size.cx;
            // A bar keeps the offset it was docked at while it fits; it never overlaps its left neighbour.
            const int pos = std::max(along, std::min(bar->m_nDockOffset, length - barLength));
            if (bMove) {
                const CRect rect = horz ? CRect(pos, across, pos + barLength, across + barThickness)
                                        : CRect(across, pos, across + barThickness, pos + barLength);
                CRect current;
                bar->GetWindowRect(&current);
                ScreenToClient(&current);
                if (current != rect)
                    bar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                      SWP_NOZORDER | SWP_NOACTIVATE);
            }
            along = pos + barLength;
            thickness = std::max(thickness, barThickness);
        }
        across += thickness;
    }
    return across;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    const bool horz = IsHorz();
    if (m_bFloating) {
        // As long as the longest row needs.
        int longest = 0;
        for (const auto& row : m_rows) {
            int along = 0;
            for (CControlBar* bar : row)
                if (bar->IsVisible()) {
                    const CSize size = BarSize(bar);
                    along += horz ? size.cx : size.cy;
                }
            longest = std::max(longest, along);
        }
        const int thickness = LayoutBars(longest, FALSE);
        return horz ? CSize(longest, thickness) : CSize(thickness, longest);
    }
    int length = m_nLayoutLength;
    if (length <= 0 && GetParent()) {
        CRect client;
        GetParent()->GetClientRect(&client);
        length = horz ? client.Width() : client.Height();
    }
    const int thickness = LayoutBars(length, FALSE);
    if (horz)
        return CSize(bStretch ? 32767 : length, thickness);
    return CSize(thickness, bStretch ? 32767 : length);
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!layout)
        return 0;
    const CRect avail(layout->rect);
    m_nLayoutLength = IsHorz() ? avail.Width() : avail.Height();
    const LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    if (layout->hDWP)
        LayoutBars(m_nLayoutLength, TRUE);
    m_nLayoutLength = 0;
    return result;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd || !m_hWnd)
        return;
    CDockBar* previous = pBar->m_pDockBar;
    if (previous == this)
        RemoveControlBar(pBar);

    // The row and offset the rectangle asks for, in this bar's client coordinates.
    const bool horz = IsHorz();
    int row = (int)m_rows.size(); // a new row after the others
    bool newRow = true;
    int offset = 0;
    if (lpRect) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        offset = std::max(0, (int)(horz ? rect.left : rect.top));
        const int middle = horz ? (rect.top + rect.bottom) / 2 : (rect.left + rect.right) / 2;
        if (middle < 0) {
            row = 0;
        } else {
            int across = 0;
            for (size_t r = 0; r < m_rows.size(); ++r) {
                int thickness = 0;
                for (CControlBar* bar : m_rows[r])
                    if (bar->IsVisible()) {
                        const CSize size = BarSize(bar);
                        thickness = std::max(thickness, (int)(horz ? size.cy : size.cx));
                    }
                if (middle >= across && middle < across + thickness) {
                    row = (int)r;
                    newRow = false;
                    break;
                }
                across += thickness;
            }
        }
    }

    // The bar changes parent before it leaves its old dock bar: a floating frame
    // that loses its last bar is destroyed.
    pBar->m_nDockOffset = offset;
    DWORD style = (pBar->m_dwStyle & ~(DWORD)(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY);
    if (m_bFloating)
        style |= CBRS_FLOATING;
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (previous && previous != this) {
        pBar->m_pDockBar = nullptr;
        previous->RemoveControlBar(pBar);
    }
    pBar->m_pDockBar = this;
    pBar->SetBarStyle(style);

    if (newRow) {
        m_rows.insert(m_rows.begin() + row, std::vector<CControlBar*>{pBar});
    } else {
        auto& bars = m_rows[(size_t)row];
        auto at = std::find_if(bars.begin(), bars.end(),
                               [offset](CControlBar* other) { return other->m_nDockOffset > offset; });
        bars.insert(at, pBar);
    }
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    const int row = GetRowOf(pBar);
    if (row < 0)
        return FALSE;
    auto& bars = m_rows[(size_t)row];
    bars.erase(std::find(bars.begin(), bars.end(), pBar));
    if (bars.empty())
        m_rows.erase(m_rows.begin() + row);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    if (m_bFloating && m_rows.empty() && m_hWnd) {
        if (CWnd* floating = GetParent())
            if (!(::GetWindowLongPtr(floating->m_hWnd, GWL_STYLE) & WS_CHILD) && ::IsWindow(floating->m_hWnd))
                floating->DestroyWindow();
    }
    return TRUE;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::DoPaint(CDC*) {}
