#include "dialogs/controls/LayerGridCtrl.h"

#include "dialogs/controls/TextFont.h"
#include "platform/base/Exceptions.h"
#include "platform/wnd/CWinThread.h"
#include "platform/controls/CommCtrl.h"
#include "platform/controls/CScrollBar.h"

#include <algorithm>

namespace {
const char kClassName[] = "MyListControl";
const COLORREF kCurrentText = RGB(255, 255, 255);
const COLORREF kCurrentBack = 0x800000; // navy
}

CLayerGridRow::CLayerGridRow(int columns) : m_pName(std::make_unique<CColorStatic>()), m_nColumns(columns)
{
    for (int i = 0; i < columns; ++i)
        m_Checks.push_back(std::make_unique<CButton>());
}

CLayerGridRow::~CLayerGridRow()
{
    if (m_pName->GetSafeHwnd())
        m_pName->DestroyWindow();
    for (auto& check : m_Checks) {
        if (check->GetSafeHwnd())
            check->DestroyWindow();
    }
}

BEGIN_MESSAGE_MAP(CLayerGridCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

CLayerGridCtrl::~CLayerGridCtrl()
{
    if (m_hWnd)
        DestroyWindow();
    DeleteAllRows();
}

BOOL CLayerGridCtrl::Create(const RECT& rect, CWnd* parent, UINT id, int columns, DWORD style)
{
    WNDCLASS probe{};
    if (!GetClassInfo(AfxGetInstanceHandle(), kClassName, &probe)) {
        WNDCLASS wc{};
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = kClassName;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
    m_nColumns = std::max(columns, 0);
    m_Titles.SetSize(m_nColumns);
    return CWnd::Create(kClassName, nullptr, style, rect, parent, id);
}

BOOL CLayerGridCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_VSCROLL;
    return CWnd::PreCreateWindow(cs);
}

void CLayerGridCtrl::PreSubclassWindow()
{
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    CWnd::PreSubclassWindow();
}

int CLayerGridCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SendMessage(WM_SETFONT, (WPARAM)(m_pFont ? m_pFont->GetSafeHandle() : nullptr), 0);
    m_TitleTip.Create(this);
    return 0;
}

void CLayerGridCtrl::OnDestroy()
{
    DeleteAllRows();
    m_Titles.RemoveAll();
    m_TitleTip.DestroyWindow();
    CWnd::OnDestroy();
}

void CLayerGridCtrl::DeleteAllRows()
{
    while (!m_Rows.IsEmpty())
        delete static_cast<CLayerGridRow*>(m_Rows.RemoveHead());
    m_nRowCount = 0;
    m_nCurrentRow = -1;
}

void CLayerGridCtrl::SetColumnTitle(int column, const CString& title)
{
    if (column < 0 || column >= m_nColumns)
        return;
    m_Titles[column] = title;
    for (POSITION pos = m_Rows.GetHeadPosition(); pos;) {
        auto* row = static_cast<CLayerGridRow*>(m_Rows.GetNext(pos));
        if (row->m_Checks[(size_t)column]->GetSafeHwnd())
            row->m_Checks[(size_t)column]->SetWindowText(title);
    }
}

void CLayerGridCtrl::SetGridFont(CTextFont* font)
{
    m_pFont = font;
    if (m_hWnd)
        SendMessage(WM_SETFONT, (WPARAM)(font ? font->GetSafeHandle() : nullptr), 0);
}

CLayerGridRow* CLayerGridCtrl::RowAt(int row) const
{
    if (row < 0 || row >= m_Rows.GetCount())
        return nullptr;
    POSITION pos = m_Rows.FindIndex(row);
    return pos ? static_cast<CLayerGridRow*>(m_Rows.GetAt(pos)) : nullptr;
}

CColorStatic* CLayerGridCtrl::GetNameCell(int row) const
{
    CLayerGridRow* r = RowAt(row);
    return r ? r->m_pName.get() : nullptr;
}

CButton* CLayerGridCtrl::GetCheckBox(int row, int column) const
{
    CLayerGridRow* r = RowAt(row);
    return r && column >= 0 && column < r->m_nColumns ? r->m_Checks[(size_t)column].get() : nullptr;
}

int CLayerGridCtrl::AddRow(const CString& text)
{
    auto row = std::make_unique<CLayerGridRow>(m_nColumns);
    const int index = (int)m_Rows.GetCount();
    int top = 0;
    if (CLayerGridRow* last = RowAt(index - 1)) {
        CRect cell;
        last->m_pName->GetWindowRect(&cell);
        ScreenToClient(&cell);
        top = cell.top + m_nRowHeight;
    }
    CRect client;
    GetClientRect(&client);
    CRect name(0, top, client.Width() - m_nColumns * (m_nCellSize + m_nSpacing) - m_nSpacing, top + m_nRowHeight);
    row->m_pName->Create(text, WS_CHILD | WS_VISIBLE, name, this, kNameCellId);
    if (m_pFont)
        row->m_pName->SetFont(m_pFont);
    int left = name.right + m_nSpacing;
    for (int c = 0; c < m_nColumns; ++c) {
        const CRect box(left, top + 1, left + m_nCellSize, top + 1 + m_nCellSize);
        row->m_Checks[(size_t)c]->Create(m_Titles[c], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_FLAT | BS_AUTOCHECKBOX,
                                         box, this, (UINT)(index * m_nColumns + c) + kFirstCheckId);
        left += m_nCellSize + m_nSpacing;
    }
    m_Rows.AddTail(row.release());
    SelectRow(index);
    ++m_nRowCount;
    UpdateScrollRange();
    return index;
}

void CLayerGridCtrl::MoveRowWindows(CLayerGridRow* row, int dy)
{
    auto move = [this, dy](CWnd& window) {
        if (!window.GetSafeHwnd())
            return;
        CRect rect;
        window.GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.OffsetRect(0, dy);
        window.MoveWindow(&rect);
    };
    move(*row->m_pName);
    for (auto& check : row->m_Checks)
        move(*check);
}

BOOL CLayerGridCtrl::RemoveRow(int row)
{
    CLayerGridRow* removed = RowAt(row);
    if (!removed)
        return FALSE;
    m_TitleTip.Hide();
    for (int r = row; r < (int)m_Rows.GetCount(); ++r)
        MoveRowWindows(RowAt(r), -m_nRowHeight);
    m_Rows.RemoveAt(m_Rows.FindIndex(row));
    delete removed;
    --m_nRowCount;
    // The boxes below take the ids of their new row.
    for (int r = row; r < (int)m_Rows.GetCount(); ++r) {
        CLayerGridRow* moved = RowAt(r);
        for (int c = 0; c < moved->m_nColumns; ++c) {
            if (moved->m_Checks[(size_t)c]->GetSafeHwnd())
                moved->m_Checks[(size_t)c]->SetDlgCtrlID((int)(r * m_nColumns + c) + (int)kFirstCheckId);
        }
    }
    if (m_nCurrentRow == row) {
        m_nCurrentRow = -1;
        SelectRow(row < m_nRowCount ? row : row - 1);
    } else if (m_nCurrentRow > row) {
        --m_nCurrentRow; // the same row, one place higher
    }
    UpdateScrollRange();
    return TRUE;
}

BOOL CLayerGridCtrl::SwapRows(int a, int b)
{
    CLayerGridRow* first = RowAt(a);
    CLayerGridRow* second = RowAt(b);
    if (a == b || !first || !second)
        return FALSE;
    std::swap(first->m_pData, second->m_pData);
    CString textA, textB;
    first->m_pName->GetWindowText(textA);
    second->m_pName->GetWindowText(textB);
    SetRowText(a, textB);
    SetRowText(b, textA);
    for (int c = 0; c < m_nColumns; ++c) {
        const int checkA = first->m_Checks[(size_t)c]->GetCheck();
        first->m_Checks[(size_t)c]->SetCheck(second->m_Checks[(size_t)c]->GetCheck());
        second->m_Checks[(size_t)c]->SetCheck(checkA);
    }
    return TRUE;
}

BOOL CLayerGridCtrl::MoveRowUp(int row)
{
    if (row <= 0 || m_nRowCount == 0)
        return FALSE;
    return SwapRows(row, row - 1);
}

BOOL CLayerGridCtrl::MoveRowDown(int row)
{
    if (m_nRowCount == 0 || row >= m_nRowCount - 1)
        return FALSE;
    return SwapRows(row, row + 1);
}

void CLayerGridCtrl::PaintNameCell(CLayerGridRow* row, COLORREF text, COLORREF back)
{
    row->m_pName->m_crText = text;
    row->m_pName->m_crBackground = back;
    if (row->m_pName->GetSafeHwnd())
        row->m_pName->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CLayerGridCtrl::SelectRow(int row)
{
    CLayerGridRow* selected = RowAt(row);
    if (!selected)
        return FALSE;
    if (CLayerGridRow* previous = row != m_nCurrentRow ? RowAt(m_nCurrentRow) : nullptr)
        PaintNameCell(previous, RGB(0, 0, 0), RGB(255, 255, 255));
    m_nCurrentRow = row;
    PaintNameCell(selected, kCurrentText, kCurrentBack);

    CRect cell, client;
    selected->m_pName->GetWindowRect(&cell);
    ScreenToClient(&cell);
    GetClientRect(&client);
    if (cell.top < client.top) {
        const int by = client.top - cell.top;
        m_nScrollPos = std::max(0, m_nScrollPos - by);
        SetScrollPos(SB_VERT, m_nScrollPos);
        ScrollWindow(0, by);
    } else if (cell.bottom > client.bottom) {
        const int by = cell.bottom - client.bottom;
        m_nScrollPos += by;
        SetScrollPos(SB_VERT, m_nScrollPos);
        ScrollWindow(0, -by);
    }
    Notify(LGN_ROWCHANGED, row, -1);
    return TRUE;
}

void CLayerGridCtrl::UpdateScrollRange()
{
    if (CLayerGridRow* first = RowAt(0)) {
        CRect cell;
        first->m_pName->GetWindowRect(&cell);
        ScreenToClient(&cell);
        if (cell.top != 0)
            ScrollWindow(0, -cell.top);
    }
    m_nScrollRange = m_nRowHeight * m_nRowCount;
    m_nScrollPos = 0;
    SetScrollRange(SB_VERT, 0, m_nScrollRange, FALSE);
    SetScrollPos(SB_VERT, 0);
}

BOOL CLayerGridCtrl::SetCheck(int row, int column, int value)
{
    CButton* box = GetCheckBox(row, column);
    if (!box)
        return FALSE;
    box->SendMessage(BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

BOOL CLayerGridCtrl::GetCheck(int row, int column, BOOL& checked) const
{
    CButton* box = GetCheckBox(row, column);
    if (!box)
        return FALSE;
    checked = box->SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED;
    return TRUE;
}

BOOL CLayerGridCtrl::SetRowText(int row, const CString& text)
{
    CLayerGridRow* r = RowAt(row);
    if (!r)
        return FALSE;
    CString current;
    r->m_pName->GetWindowText(current);
    if (current != text)
        r->m_pName->SetWindowText(text);
    return TRUE;
}

BOOL CLayerGridCtrl::GetRowText(int row, CString& text) const
{
    CLayerGridRow* r = RowAt(row);
    if (!r)
        return FALSE;
    r->m_pName->GetWindowText(text);
    return TRUE;
}

BOOL CLayerGridCtrl::SetRowData(int row, CLayerGridRowData* data)
{
    CLayerGridRow* r = RowAt(row);
    if (!r) {
        delete data;
        return FALSE;
    }
    r->m_pData.reset(data);
    return TRUE;
}

CLayerGridRowData* CLayerGridCtrl::GetRowData(int row) const
{
    CLayerGridRow* r = RowAt(row);
    return r ? r->m_pData.get() : nullptr;
}

void CLayerGridCtrl::Notify(UINT code, int row, int column)
{
    if (!m_hWnd)
        return;
    NMLAYERGRID nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.hdr.code = code;
    nm.row = row;
    nm.column = column;
    CWnd* owner = GetOwner();
    if (!owner)
        owner = GetParent();
    if (owner)
        owner->SendMessage(WM_NOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)&nm);
}

BOOL CLayerGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= kFirstCheckId && m_nColumns > 0) {
        const int row = (int)(id - kFirstCheckId) / m_nColumns;
        const int column = (int)(id - kFirstCheckId) % m_nColumns;
        SelectRow(row);
        Notify(LGN_CHECKCLICKED, row, column);
        SetFocus();
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CLayerGridCtrl::HitTest(CPoint point, int& row, int& column) const
{
    int index = 0;
    for (POSITION pos = m_Rows.GetHeadPosition(); pos; ++index) {
        auto* r = static_cast<CLayerGridRow*>(m_Rows.GetNext(pos));
        CRect rect;
        r->m_pName->GetWindowRect(&rect);
        ScreenToClient(&rect);
        if (rect.PtInRect(point)) {
            row = index;
            column = -1;
            return TRUE;
        }
        for (int c = 0; c < r->m_nColumns; ++c) {
            r->m_Checks[(size_t)c]->GetWindowRect(&rect);
            ScreenToClient(&rect);
            rect.InflateRect(2, 2);
            if (rect.PtInRect(point)) {
                row = index;
                column = c;
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CLayerGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_TitleTip.Hide();
    int row = -1, column = -1;
    if (HitTest(point, row, column)) {
        SelectRow(row);
        SetFocus();
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CLayerGridCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_TitleTip.Hide();
    CWnd::OnRButtonDown(nFlags, point);
}

BOOL CLayerGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    m_TitleTip.Hide();
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CLayerGridCtrl::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_TitleTip.Hide();
    CWnd::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CLayerGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DOWN)
        SelectRow(m_nCurrentRow + 1);
    else if (nChar == VK_UP)
        SelectRow(m_nCurrentRow - 1);
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CLayerGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    int row = -1, column = -1;
    if (!HitTest(point, row, column)) {
        m_TitleTip.Hide();
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    CLayerGridRow* r = RowAt(row);
    CString text;
    CRect rect;
    if (column < 0) {
        r->m_pName->GetWindowText(text);
        r->m_pName->GetWindowRect(&rect);
        ScreenToClient(&rect);
    } else {
        r->m_Checks[(size_t)column]->GetWindowText(text);
        r->m_Checks[(size_t)column]->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.InflateRect(2, 2);
    }
    LOGFONT font{};
    const LOGFONT* logFont = nullptr;
    if (CFont* cellFont = r->m_pName->GetFont()) {
        if (cellFont->GetLogFont(&font))
            logFont = &font;
    }
    m_TitleTip.Show(rect, text, 0, &rect, logFont);
    CWnd::OnMouseMove(nFlags, point);
}

void CLayerGridCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_TitleTip.Hide();
    CRect client;
    GetClientRect(&client);
    const int old = m_nScrollPos;
    int pos = old;
    switch (nSBCode) {
    case SB_LINEUP:
        if (old <= 0)
            break;
        pos = old - m_nRowHeight;
        break;
    case SB_LINEDOWN:
        if (old >= m_nScrollRange)
            break;
        pos = old + m_nRowHeight;
        break;
    case SB_PAGEUP:
        if (old <= 0)
            break;
        pos = std::max(0, old - client.Height());
        break;
    case SB_PAGEDOWN:
        if (old >= m_nScrollRange)
            break;
        pos = std::min(m_nScrollRange, old + client.Height());
        break;
    default:
        CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    if (pos != old) {
        m_nScrollPos = pos;
        SetScrollPos(SB_VERT, pos);
        ScrollWindow(0, old - pos);
    }
}
