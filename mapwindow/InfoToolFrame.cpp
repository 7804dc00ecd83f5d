// The info tool window (InfoToolFrame.h): two columns painted in full on every
// paint (no erase), scrolled by whole lines.
#include "mapwindow/InfoToolFrame.h"

#include "model/layers/MapObject.h"
#include "platform/controls/CScrollBar.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "platform/frames/FrameIds.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CInfoToolFrame, CWnd)
IMPLEMENT_DYNAMIC(CObjectInfoFrame, CInfoToolFrame)

namespace {
CInfoToolFrame::FontProvider g_fontProvider = nullptr;
}

BEGIN_MESSAGE_MAP(CInfoToolFrame, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_FILE_CLOSE, OnCloseCommand)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CObjectInfoFrame, CInfoToolFrame)
END_MESSAGE_MAP()

CInfoToolFrame::CInfoToolFrame() = default;

CInfoToolFrame::~CInfoToolFrame()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CInfoToolFrame::SetFontProvider(FontProvider provider) { g_fontProvider = provider; }

BOOL CInfoToolFrame::CreateToolWindow(LPCTSTR title, CWnd* parent)
{
    const LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, nullptr, (HBRUSH)(UINT_PTR)(COLOR_WINDOW + 1));
    CRect client(0, 0, 0, 0);
    if (parent && parent->GetSafeHwnd())
        parent->GetClientRect(&client);
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE, cls, title, 0x96CC0000, client.Width(), client.Height(), 0,
                    0, parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CInfoToolFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.cx = 260;
    cs.cy = 180;
    cs.style = (cs.style & ~WS_VISIBLE) | WS_VSCROLL;
    return CWnd::PreCreateWindow(cs);
}

int CInfoToolFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pFont = g_fontProvider ? g_fontProvider() : nullptr;
    return 0;
}

void CInfoToolFrame::ResetScrolling()
{
    m_nScrollLines = (int)m_lines.size();
    m_nFirstLine = 0;
    if (GetSafeHwnd()) {
        SetScrollRange(SB_VERT, 0, m_nScrollLines, FALSE);
        SetScrollPos(SB_VERT, 0, TRUE);
    }
}

void CInfoToolFrame::AddLine(const CString& name, const CString& value)
{
    m_lines.push_back({name, value});
    ResetScrolling();
}

void CInfoToolFrame::ClearLines()
{
    m_lines.clear();
    ResetScrolling();
}

void CInfoToolFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    CPen pen(PS_SOLID, 1, RGB(192, 192, 192));
    CPen* oldPen = dc.SelectObject(&pen);
    CFont* oldFont = m_pFont ? dc.SelectObject(m_pFont) : nullptr;
    CBrush* oldBrush = (CBrush*)dc.SelectStockObject(NULL_BRUSH);
    dc.SetBkMode(TRANSPARENT);
    const int nameRight = 2 * client.Width() / 5 - 2;
    const int valueLeft = nameRight + m_nMargin;
    const int valueRight = client.Width() - m_nMargin;
    int top = 0;
    for (size_t i = (size_t)std::max(0, m_nFirstLine); i < m_lines.size(); ++i) {
        CRect name(client.left, top, nameRight, top + m_nLineHeight);
        dc.DrawText(m_lines[i].name, &name, m_nNameFormat);
        dc.Rectangle(valueLeft - 2, top, valueRight + 2, top + m_nLineHeight);
        CRect value(valueLeft, top, valueRight, top + m_nLineHeight);
        dc.DrawText(m_lines[i].value, &value, m_nValueFormat);
        top += m_nLineHeight + m_nLineGap;
    }
    dc.SelectObject(oldBrush);
    if (oldFont)
        dc.SelectObject(oldFont);
    dc.SelectObject(oldPen);
}

void CInfoToolFrame::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    CRect client;
    GetClientRect(&client);
    const int visible = std::max(0, client.Height() / (m_nLineHeight + m_nLineGap) - 1);
    int pos = GetScrollPos(SB_VERT);
    switch (nSBCode) {
    case SB_LINEUP:
        if (pos > 0)
            --pos;
        break;
    case SB_LINEDOWN:
        if (pos < m_nScrollLines)
            ++pos;
        break;
    case SB_PAGEUP:
        pos = std::max(0, pos - visible);
        break;
    case SB_PAGEDOWN:
        pos = std::min(m_nScrollLines, pos + visible);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        pos = (int)nPos;
        break;
    default:
        return;
    }
    m_nFirstLine = pos;
    SetScrollPos(SB_VERT, pos, TRUE);
    Invalidate(FALSE);
}

void CInfoToolFrame::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Invalidate(FALSE);
}

void CInfoToolFrame::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    CWnd* parent = GetParent();
    if (!parent)
        parent = GetOwner();
    if (!bShow || !parent)
        return;
    // Near the owner's bottom-right corner, wherever the owner was moved.
    CRect owner, mine;
    parent->GetWindowRect(&owner);
    GetWindowRect(&mine);
    SetWindowPos(nullptr, owner.right - 30 - mine.Width(), owner.bottom - 50 - mine.Height(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CInfoToolFrame::OnClose() { ShowWindow(SW_HIDE); }

void CInfoToolFrame::OnCloseCommand() { SendMessage(WM_CLOSE); }

BOOL CInfoToolFrame::OnEraseBkgnd(CDC*) { return TRUE; }

void CObjectInfoFrame::ShowObjectAttributes(CMapObject* object)
{
    ClearLines();
    if (object)
        for (POSITION pos = object->GetFirstAttributePosition(); pos;) {
            const CMapFieldValue value = object->GetNextAttribute(pos);
            AddLine(value.GetField().GetName(), value.GetValueText());
        }
    if (GetSafeHwnd())
        Invalidate(FALSE);
}
