// CToolBar (CToolBar.h): buttons from a bitmap strip and a toolbar resource, their layout, clicks
// and command updates.
#include "platform/frames/CToolBar.h"

#include "platform/frames/CFrameWnd.h"
#include "platform/frames/FrameInternal.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "platform/base/ResourceBitmaps.h"
#include "platform/base/ResourceStrings.h"
#include "platform/base/ResourceToolbars.h"
#include "platform/wnd/WndInternal.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr int kSeparatorWidth = 8;
constexpr DWORD kMaskColor = 0xC0C0C0; // the button face of toolbar bitmaps

class CToolCmdUI : public CCmdUI {
public:
    CToolBar* bar = nullptr;

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT style = bar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn)
            style = (style | TBBS_DISABLED) & ~TBBS_PRESSED; // a disabled button never stays pressed
        bar->SetButtonStyle((int)m_nIndex, style);
    }
    void SetCheck(int nCheck) override
    {
        UINT style = bar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            style |= TBBS_CHECKED;
        else if (nCheck == 2)
            style |= TBBS_INDETERMINATE;
        bar->SetButtonStyle((int)m_nIndex, style | TBBS_CHECKBOX);
    }
    void SetText(LPCTSTR) override {}
};

BYTE Luminance(DWORD rgb)
{
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return (BYTE)((r * 30 + g * 59 + b * 11) / 100);
}

DWORD ToPixel(COLORREF c) { return ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c); }

CBitmap* NewBitmap(int width, int height, const std::vector<DWORD>& pixels)
{
    auto* bitmap = new CBitmap;
    if (!bitmap->CreateBitmap(width, height, 1, 32, pixels.data())) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}

// Draws `image` where `mask` is black and leaves the destination where it is white.
void DrawMasked(CDC* pDC, int x, int y, int cx, int cy, CBitmap* image, CBitmap* mask, int srcX)
{
    CDC mem;
    if (!mem.CreateCompatibleDC(pDC))
        return;
    CBitmap* old = mem.SelectObject(mask);
    pDC->BitBlt(x, y, cx, cy, &mem, srcX, 0, SRCAND);
    mem.SelectObject(image);
    pDC->BitBlt(x, y, cx, cy, &mem, srcX, 0, SRCPAINT);
    mem.SelectObject(old);
}
} // namespace

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CToolBar::CToolBar() = default;

CToolBar::~CToolBar()
{
    ReleaseImages();
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                    nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(&rcBorders);
    m_dwCtrlStyle = dwCtrlStyle;
    return CreateBar(nullptr, dwStyle, pParentWnd, nID);
}

// ---------------------------------------------------------------- buttons

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0)
        return FALSE;
    std::vector<Button> buttons((size_t)nIDCount);
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        Button& b = buttons[(size_t)i];
        b.nID = lpIDArray ? lpIDArray[i] : 0;
        if (!lpIDArray || b.nID == ID_SEPARATOR) {
            b.fsStyle = TBSTYLE_SEP;
            b.iImage = kSeparatorWidth;
        } else {
            b.iImage = image++;
        }
    }
    m_buttons = std::move(buttons);
    m_nCount = nIDCount;
    m_iButtonCapture = -1;
    if (m_hWnd)
        Invalidate();
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const { return frame::ItemIndexOfID(m_buttons, nIDFind); }

UINT CToolBar::GetItemID(int nIndex) const { return frame::ItemIDAt(m_buttons, nIndex); }

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_buttons.size())
        return 0;
    const Button& b = m_buttons[(size_t)nIndex];
    return (UINT)MAKELONG(b.fsStyle, b.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= (int)m_buttons.size())
        return;
    Button& b = m_buttons[(size_t)nIndex];
    const BYTE style = (BYTE)LOWORD(nStyle);
    const BYTE state = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    if (b.fsStyle == style && b.fsState == state)
        return;
    const bool relayout = ((b.fsStyle ^ style) & TBSTYLE_SEP) || ((b.fsState ^ state) & TBSTATE_HIDDEN);
    b.fsStyle = style;
    b.fsState = state;
    if (relayout) {
        if (m_hWnd)
            Invalidate();
        if (m_pDockSite)
            m_pDockSite->DelayRecalcLayout();
    } else {
        InvalidateButton(nIndex);
    }
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    if (nIndex < 0 || nIndex >= (int)m_buttons.size()) {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = m_buttons[(size_t)nIndex].nID;
    nStyle = GetButtonStyle(nIndex);
    iImage = m_buttons[(size_t)nIndex].iImage;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (nIndex < 0 || nIndex >= (int)m_buttons.size())
        return;
    Button& b = m_buttons[(size_t)nIndex];
    const bool relayout = (b.fsStyle & TBSTYLE_SEP) != (LOWORD(nStyle) & TBSTYLE_SEP) ||
                          ((b.fsStyle & TBSTYLE_SEP) && b.iImage != iImage);
    b.nID = nID;
    b.iImage = iImage;
    b.fsStyle = (BYTE)LOWORD(nStyle);
    b.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    if (m_hWnd)
        Invalidate();
    if (relayout && m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

// ---------------------------------------------------------------- images and sizes

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeImage = CSize(std::max(0, (int)sizeImage.cx), std::max(0, (int)sizeImage.cy));
    m_sizeButton = CSize(std::max((int)sizeButton.cx, (int)m_sizeImage.cx + 7),
                         std::max((int)sizeButton.cy, (int)m_sizeImage.cy + 6));
    if (m_hWnd)
        Invalidate();
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CToolBar::SetHeight(int cyHeight)
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, TRUE);
    m_sizeButton.cy = std::max((int)m_sizeImage.cy + 6, cyHeight + inside.Height());
    if (m_hWnd)
        Invalidate();
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CToolBar::ReleaseImages()
{
    delete m_pImages;
    delete m_pMask;
    delete m_pShadow;
    m_pImages = m_pMask = m_pShadow = nullptr;
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (hbmImageWell == m_hbmImageWell)
        return hbmImageWell != nullptr;
    ReleaseImages();
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    BuildImages();
    if (m_hWnd)
        Invalidate();
    return m_hbmImageWell != nullptr;
}

// The strip is split once into what painting needs: the image with its button-face
// pixels black, a mask white where the face shows through, and for disabled
// buttons a shadow of the image's dark pixels with a mask of its own.
void CToolBar::BuildImages()
{
    CBitmap* source = m_hbmImageWell ? CBitmap::FromHandle(m_hbmImageWell) : nullptr;
    BITMAP bm{};
    if (!source || !source->GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return;
    const int width = bm.bmWidth, height = bm.bmHeight;
    // Read the strip as 32-bit pixels whatever its depth.
    std::vector<DWORD> pixels((size_t)width * (size_t)height);
    {
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        CDC src, dst;
        src.CreateCompatibleDC(&screen);
        dst.CreateCompatibleDC(&screen);
        CBitmap copy;
        copy.CreateBitmap(width, height, 1, 32, nullptr);
        CBitmap* oldSrc = src.SelectObject(source);
        CBitmap* oldDst = dst.SelectObject(&copy);
        dst.BitBlt(0, 0, width, height, &src, 0, 0, SRCCOPY);
        src.SelectObject(oldSrc);
        dst.SelectObject(oldDst);
        ::ReleaseDC(nullptr, screen.Detach());
        copy.GetBitmapBits((DWORD)(pixels.size() * sizeof(DWORD)), pixels.data());
    }
    const DWORD shadow = ToPixel(::GetSysColor(COLOR_BTNSHADOW));
    std::vector<DWORD> image(pixels.size()), mask(pixels.size()), dim(pixels.size()), dimMask(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const DWORD p = pixels[i] & 0xFFFFFF;
        const bool face = p == kMaskColor;
        image[i] = face ? 0 : p;
        mask[i] = face ? 0xFFFFFF : 0;
        const bool dark = !face && Luminance(p) < 0xC0;
        dim[i] = dark ? shadow : 0;
        dimMask[i] = dark ? 0 : 0xFFFFFF;
    }
    // The disabled image: its shadow (dim) with its own mask, kept side by side in one bitmap pair.
    std::vector<DWORD> shadowPair((size_t)width * 2 * (size_t)height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            shadowPair[(size_t)y * (size_t)width * 2 + (size_t)x] = dim[(size_t)y * (size_t)width + (size_t)x];
            shadowPair[(size_t)y * (size_t)width * 2 + (size_t)width + (size_t)x] =
                dimMask[(size_t)y * (size_t)width + (size_t)x];
        }
    m_pImages = NewBitmap(width, height, image);
    m_pMask = NewBitmap(width, height, mask);
    m_pShadow = NewBitmap(width * 2, height, shadowPair);
    if (!m_pImages || !m_pMask || !m_pShadow)
        ReleaseImages();
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nIDResource))
        return FALSE;
    return SetBitmap((HBITMAP)bitmap.Detach());
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    const ResourceToolbar* toolbar = FindResourceToolbar(nIDResource);
    const ResourceBitmap* bitmap = FindResourceBitmap(nIDResource);
    if (!toolbar || !bitmap)
        return FALSE;
    return LoadToolBar(*toolbar, *bitmap);
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    if (!lpszResourceName || !IS_INTRESOURCE(lpszResourceName))
        return FALSE;
    return LoadToolBar((UINT)(UINT_PTR)lpszResourceName);
}

BOOL CToolBar::LoadToolBar(const ResourceToolbar& toolbar, const ResourceBitmap& bitmap)
{
    if (toolbar.count < 0 || (toolbar.count > 0 && !toolbar.ids) || !bitmap.pixels || bitmap.width <= 0 ||
        bitmap.height <= 0)
        return FALSE;
    CBitmap strip;
    if (!strip.CreateBitmap(bitmap.width, bitmap.height, 1, 32, bitmap.pixels))
        return FALSE;
    std::vector<UINT> ids(toolbar.ids, toolbar.ids + toolbar.count);
    if (!SetButtons(ids.data(), toolbar.count))
        return FALSE;
    SetSizes(CSize(toolbar.imageWidth + 7, toolbar.imageHeight + 7), CSize(toolbar.imageWidth, toolbar.imageHeight));
    return SetBitmap((HBITMAP)strip.Detach());
}

// ---------------------------------------------------------------- layout

BOOL CToolBar::IsHorzLayout() const { return IsHorzBar(); }

void CToolBar::LayoutButtons(std::vector<CRect>& rects) const
{
    // The borders and the gripper are the non-client area: buttons start at the client's origin.
    const bool horz = IsHorzLayout();
    rects.assign(m_buttons.size(), CRect(0, 0, 0, 0));
    int x = 0, y = 0;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const Button& b = m_buttons[i];
        if (b.fsState & TBSTATE_HIDDEN) {
            rects[i] = CRect(x, y, x, y);
            continue;
        }
        const bool separator = (b.fsStyle & TBSTYLE_SEP) != 0;
        if (horz) {
            const int w = separator ? b.iImage : m_sizeButton.cx;
            rects[i] = CRect(x, y, x + w, y + m_sizeButton.cy);
            x += w;
        } else {
            const int h = separator ? b.iImage : m_sizeButton.cy;
            rects[i] = CRect(x, y, x + m_sizeButton.cx, y + h);
            y += h;
        }
    }
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    *lpRect = RECT{0, 0, 0, 0};
    if (nIndex < 0 || nIndex >= (int)m_buttons.size())
        return;
    std::vector<CRect> rects;
    LayoutButtons(rects);
    *lpRect = rects[(size_t)nIndex];
}

int CToolBar::HitTest(CPoint point) const
{
    std::vector<CRect> rects;
    LayoutButtons(rects);
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const Button& b = m_buttons[i];
        if ((b.fsStyle & TBSTYLE_SEP) || (b.fsState & TBSTATE_HIDDEN))
            continue;
        if (rects[i].PtInRect(point))
            return (int)i;
    }
    return -1;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    int length = 0;
    for (const Button& b : m_buttons) {
        if (b.fsState & TBSTATE_HIDDEN)
            continue;
        if (b.fsStyle & TBSTYLE_SEP)
            length += b.iImage;
        else
            length += bHorz ? m_sizeButton.cx : m_sizeButton.cy;
    }
    // The insets of an empty rectangle are its negative size.
    if (bHorz)
        return CSize(bStretch ? 32767 : length - inside.Width(), m_sizeButton.cy - inside.Height());
    return CSize(m_sizeButton.cx - inside.Width(), bStretch ? 32767 : length - inside.Height());
}

CSize CToolBar::CalcDynamicLayout(int, DWORD nMode)
{
    const BOOL stretch = (nMode & LM_STRETCH) != 0;
    if (nMode & LM_HORZDOCK)
        return CalcFixedLayout(stretch, TRUE);
    if (nMode & LM_VERTDOCK)
        return CalcFixedLayout(stretch, FALSE);
    return CalcFixedLayout(stretch, (nMode & (LM_HORZ | LM_MRUWIDTH)) != 0);
}

// ---------------------------------------------------------------- updating

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.bar = this;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_buttons.size();
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i].fsStyle & TBSTYLE_SEP)
            continue;
        state.m_nIndex = (UINT)i;
        state.m_nID = m_buttons[i].nID;
        // The bar's own update handlers come before the owner's.
        if (CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

// ---------------------------------------------------------------- painting

void CToolBar::InvalidateButton(int nIndex) { frame::InvalidateItem(this, nIndex); }

void CToolBar::DrawButton(CDC* pDC, int nIndex, const CRect& rect)
{
    const Button& b = m_buttons[(size_t)nIndex];
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (b.fsStyle & TBSTYLE_SEP) {
        if (IsHorzLayout()) {
            const int x = rect.left + rect.Width() / 2 - 1;
            pDC->FillSolidRect(x, rect.top + 2, 1, rect.Height() - 4, shadow);
            pDC->FillSolidRect(x + 1, rect.top + 2, 1, rect.Height() - 4, light);
        } else {
            const int y = rect.top + rect.Height() / 2 - 1;
            pDC->FillSolidRect(rect.left + 2, y, rect.Width() - 4, 1, shadow);
            pDC->FillSolidRect(rect.left + 2, y + 1, rect.Width() - 4, 1, light);
        }
        return;
    }
    const bool enabled = (b.fsState & TBSTATE_ENABLED) != 0;
    const bool pressed = (b.fsState & TBSTATE_PRESSED) != 0;
    const bool checked = (b.fsState & (TBSTATE_CHECKED | TBSTATE_INDETERMINATE)) != 0;
    if (checked && !pressed) {
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        const COLORREF between = RGB((GetRValue(face) + GetRValue(light)) / 2, (GetGValue(face) + GetGValue(light)) / 2,
                                     (GetBValue(face) + GetBValue(light)) / 2);
        CRect inner = rect;
        inner.DeflateRect(1, 1);
        pDC->FillSolidRect(&inner, between);
    }
    if (pressed || checked)
        pDC->Draw3dRect(&rect, shadow, light);
    else if (!(m_dwCtrlStyle & TBSTYLE_FLAT))
        pDC->Draw3dRect(&rect, light, shadow);

    if (!m_pImages || b.iImage < 0)
        return;
    BITMAP bm{};
    m_pImages->GetBitmap(&bm);
    const int srcX = b.iImage * m_sizeImage.cx;
    if (srcX + m_sizeImage.cx > bm.bmWidth)
        return;
    int x = rect.left + (rect.Width() - m_sizeImage.cx) / 2;
    int y = rect.top + (rect.Height() - m_sizeImage.cy) / 2;
    if (pressed || checked) {
        ++x;
        ++y;
    }
    if (enabled) {
        DrawMasked(pDC, x, y, m_sizeImage.cx, m_sizeImage.cy, m_pImages, m_pMask, srcX);
    } else {
        // The shadow bitmap holds the dimmed images, then their mask, side by side.
        CDC mem;
        if (!mem.CreateCompatibleDC(pDC))
            return;
        CBitmap* old = mem.SelectObject(m_pShadow);
        pDC->BitBlt(x, y, m_sizeImage.cx, m_sizeImage.cy, &mem, bm.bmWidth + srcX, 0, SRCAND);
        pDC->BitBlt(x, y, m_sizeImage.cx, m_sizeImage.cy, &mem, srcX, 0, SRCPAINT);
        mem.SelectObject(old);
    }
}

void CToolBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
    std::vector<CRect> rects;
    LayoutButtons(rects);
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (!(m_buttons[i].fsState & TBSTATE_HIDDEN) && !rects[i].IsRectEmpty())
            DrawButton(pDC, (int)i, rects[i]);
}

// ---------------------------------------------------------------- mouse

void CToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    HideTip();
    const int index = HitTest(point);
    if (index < 0 || !(m_buttons[(size_t)index].fsState & TBSTATE_ENABLED)) {
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    m_iButtonCapture = index;
    SetCapture();
    m_buttons[(size_t)index].fsState |= TBSTATE_PRESSED;
    InvalidateButton(index);
}

void CToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }

void CToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_iButtonCapture < 0 || m_iButtonCapture >= (int)m_buttons.size()) {
        TrackTip(point);
        CControlBar::OnMouseMove(nFlags, point);
        return;
    }
    Button& b = m_buttons[(size_t)m_iButtonCapture];
    const bool over = HitTest(point) == m_iButtonCapture;
    if (over != ((b.fsState & TBSTATE_PRESSED) != 0)) {
        b.fsState ^= TBSTATE_PRESSED;
        InvalidateButton(m_iButtonCapture);
    }
}

void CToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    const int index = m_iButtonCapture;
    if (index < 0 || index >= (int)m_buttons.size()) {
        CControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    m_iButtonCapture = -1;
    ::ReleaseCapture();
    Button& b = m_buttons[(size_t)index];
    b.fsState &= ~TBSTATE_PRESSED;
    const bool clicked = HitTest(point) == index && (b.fsState & TBSTATE_ENABLED);
    if (clicked && (b.fsStyle & TBSTYLE_CHECK)) {
        if ((b.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) {
            // The run of check-group buttons around this one is the group: only this one stays checked.
            auto inGroup = [this](int i) {
                const Button& o = m_buttons[(size_t)i];
                return !(o.fsStyle & TBSTYLE_SEP) && (o.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP;
            };
            int first = index, last = index;
            while (first > 0 && inGroup(first - 1))
                --first;
            while (last + 1 < (int)m_buttons.size() && inGroup(last + 1))
                ++last;
            for (int i = first; i <= last; ++i)
                if (i != index && (m_buttons[(size_t)i].fsState & TBSTATE_CHECKED)) {
                    m_buttons[(size_t)i].fsState &= ~TBSTATE_CHECKED;
                    InvalidateButton(i);
                }
            b.fsState |= TBSTATE_CHECKED;
        } else {
            b.fsState ^= TBSTATE_CHECKED;
        }
    }
    InvalidateButton(index);
    if (clicked)
        SendCommand(index);
}

void CToolBar::SendCommand(int nIndex)
{
    const UINT id = m_buttons[(size_t)nIndex].nID;
    CWnd* owner = GetOwner();
    if (owner && owner->GetSafeHwnd())
        owner->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)m_hWnd);
}

// ---------------------------------------------------------------- tool tips

namespace {
constexpr UINT_PTR kTipTimer = 0xE001;
constexpr UINT kTipDelayMs = 500;

// The tip of a command: its string resource's text after the first newline.
std::string TipOf(UINT id)
{
    const char* text = FindResourceString(id);
    const char* newline = text ? std::strchr(text, '\n') : nullptr;
    if (!newline)
        return std::string();
    std::string tip = newline + 1;
    tip = tip.substr(0, tip.find('\n'));
    return tip;
}
} // namespace

void CToolBar::TrackTip(CPoint point)
{
    const int index = (m_dwStyle & CBRS_TOOLTIPS) ? HitTest(point) : -1;
    if (index == m_iTipButton)
        return;
    HideTip();
    if (index >= 0 && !TipOf(m_buttons[(size_t)index].nID).empty()) {
        m_iTipButton = index;
        SetTimer(kTipTimer, kTipDelayMs, nullptr);
    }
}

void CToolBar::HideTip()
{
    if (m_iTipButton >= 0) {
        KillTimer(kTipTimer);
        wnd::HideToolTip();
    }
    m_iTipButton = -1;
}

void CToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTipTimer) {
        CControlBar::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kTipTimer);
    const int index = m_iTipButton;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (index < 0 || index >= (int)m_buttons.size() || HitTest(cursor) != index || m_iButtonCapture >= 0)
        return;
    std::vector<CRect> rects;
    LayoutButtons(rects);
    const std::string tip = TipOf(m_buttons[(size_t)index].nID);
    wnd::ShowToolTip(m_hWnd, rects[(size_t)index], tip.c_str());
}

void CToolBar::OnCancelMode()
{
    if (m_iButtonCapture >= 0 && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CControlBar::OnCancelMode();
}

void CToolBar::OnCaptureChanged(CWnd* pWnd)
{
    const int index = m_iButtonCapture;
    if (index >= 0 && index < (int)m_buttons.size() && pWnd != this) {
        m_iButtonCapture = -1;
        m_buttons[(size_t)index].fsState &= ~TBSTATE_PRESSED;
        InvalidateButton(index);
    }
    CControlBar::OnCaptureChanged(pWnd);
}
