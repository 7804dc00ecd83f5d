#include "dialogs/controls/UiImageStatic.h"

#include "platform/gdi/CDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUiImageStatic, CUiCustomStatic)

BEGIN_MESSAGE_MAP(CUiImageStatic, CUiCustomStatic)
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

namespace {

// The start of an extent `size` along [lo, hi) by the horizontal alignment bits;
// centred text never starts left of `lo`, a centred image row may.
int AlignHorizontally(int align, int lo, int hi, int size, bool keepInside)
{
    if (align & CUiImageStatic::ALIGN_HCENTER)
        return keepInside ? std::max(lo, lo + (hi - lo - size) / 2) : lo + (hi - lo - size) / 2;
    if (align & CUiImageStatic::ALIGN_RIGHT)
        return hi - size - 1;
    return lo;
}

int AlignVertically(int align, int lo, int hi, int size)
{
    if (align & CUiImageStatic::ALIGN_VCENTER)
        return std::max(lo, lo + (hi - lo - size) / 2 - 1);
    if (align & CUiImageStatic::ALIGN_BOTTOM)
        return hi - size - 1;
    return lo;
}

} // namespace

CUiImageStatic::CUiImageStatic() = default;

BOOL CUiImageStatic::SubclassItem(int nID, CWnd* pParent) { return SubclassDlgItem((UINT)nID, pParent); }

UINT CUiImageStatic::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB; }

BOOL CUiImageStatic::HasImages() const { return m_images.GetSafeHandle() && m_images.GetImageCount() > 0; }

int CUiImageStatic::GetImageCount() const { return m_images.GetSafeHandle() ? m_images.GetImageCount() : 0; }

CSize CUiImageStatic::ImageRowSize() const
{
    const int count = GetImageCount();
    CSize size(0, 0);
    for (int i = 0; i < count; ++i) {
        IMAGEINFO info{};
        if (!m_images.GetImageInfo(i, &info))
            break;
        const CRect r = info.rcImage;
        size.cx += r.Width() + (i > 0 ? m_imageSpacing : 0);
        size.cy = std::max<LONG>(size.cy, r.Height());
    }
    return size;
}

void CUiImageStatic::LayoutContent(CDC* pDC, int l, int t, int r, int b, RECT* pImages, RECT* pText)
{
    CString text;
    GetWindowText(text);
    if ((m_imageAlign & ALIGN_HCENTER) && HasImages() && !text.IsEmpty())
        LayoutAbove(pDC, l, t, r, b, pImages, pText);
    else
        LayoutBeside(pDC, l, t, r, b, pImages, pText);
}

void CUiImageStatic::LayoutBeside(CDC* pDC, int l, int t, int r, int b, RECT* pImages, RECT* pText)
{
    CRect images(l, t, r, b), textRect(l, t, r, b);
    if (HasImages()) {
        const CSize row = ImageRowSize();
        const int x = AlignHorizontally(m_imageAlign, l, r, row.cx, false);
        if (!(m_imageAlign & ALIGN_HCENTER)) {
            if (m_imageAlign & ALIGN_RIGHT)
                textRect.right = x - m_imageTextGap;
            else
                textRect.left = l + m_imageTextGap + row.cx;
        }
        const int y = AlignVertically(m_imageAlign, t, b, row.cy);
        images.SetRect(x, y, x + row.cx, y + row.cy);
    } else {
        images.SetRectEmpty();
    }

    CString text;
    GetWindowText(text);
    if (text.IsEmpty()) {
        textRect.SetRectEmpty();
    } else {
        const CSize size = GetTextSize(pDC, text);
        const int x = AlignHorizontally(m_textAlign, textRect.left, textRect.right, size.cx, true);
        const int y = AlignVertically(m_textAlign, t, b, size.cy);
        textRect.SetRect(x, y, x + size.cx, y + size.cy);
    }
    *pImages = images;
    *pText = textRect;
}

void CUiImageStatic::LayoutAbove(CDC* pDC, int l, int t, int r, int b, RECT* pImages, RECT* pText)
{
    CString text;
    GetWindowText(text);
    const CSize row = ImageRowSize();
    const CSize label = GetTextSize(pDC, text);
    const int width = std::max(row.cx, label.cx);
    const int height = label.cy + m_imageTextGap + row.cy;
    const int top = AlignVertically(m_imageAlign, t, b, height);
    const int left = l + (r - l - width) / 2;
    const int imageX = left + (width - row.cx) / 2;
    const int textX = left + (width - label.cx) / 2;
    *pImages = CRect(imageX, top, imageX + row.cx, top + row.cy);
    *pText = CRect(textX, top + height - label.cy, textX + label.cx, top + height);
}

void CUiImageStatic::CalcLayout(CDC* pDC, int l, int t, int r, int b, RECT* pOut, BOOL bMeasure)
{
    CUiCustomStatic::CalcLayout(pDC, l, t, r, b, pOut, bMeasure);
    if (!bMeasure)
        return;
    RECT images, textRect;
    LayoutContent(pDC, l, t, r, b, &images, &textRect);
    CRect both;
    both.UnionRect(&images, &textRect);
    CRect m(0, 0, both.Width(), both.Height());
    if (!both.IsRectEmpty())
        m.InflateRect(1, 1);
    *pOut = m;
}

void CUiImageStatic::DrawContent(CDC* pDC, RECT* pRect, UINT state)
{
    RECT images, textRect;
    LayoutContent(pDC, pRect->left, pRect->top, pRect->right, pRect->bottom, &images, &textRect);
    CString text;
    GetWindowText(text);
    DrawLabelText(pDC, textRect.left, textRect.top, text);

    if (!m_images.GetSafeHandle())
        return;
    const COLORREF oldBk = m_images.SetBkColor((state & 0x20) ? RGB(255, 255, 255) : CLR_NONE);
    int x = images.left;
    for (int i = 0; i < m_images.GetImageCount(); ++i) {
        IMAGEINFO info{};
        if (!m_images.GetImageInfo(i, &info))
            break;
        if (!::ImageList_Draw(m_images, i, pDC->GetSafeHdc(), x, images.top, ILD_NORMAL))
            break;
        x += CRect(info.rcImage).Width() + m_imageSpacing;
    }
    m_images.SetBkColor(oldBk);
}

int CUiImageStatic::LoadImageBitmap(UINT id, int width, COLORREF mask)
{
    return LoadImageBitmap(MAKEINTRESOURCE(id), width, mask);
}

int CUiImageStatic::LoadImageBitmap(LPCTSTR name, int width, COLORREF mask)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(name))
        return -1;
    if (HasImages())
        return m_images.Add(&bitmap, mask);
    if (width < 0) {
        BITMAP info{};
        bitmap.GetBitmap(&info);
        width = info.bmWidth;
    }
    if (m_images.GetSafeHandle())
        m_images.DeleteImageList();
    if (!m_images.Create(name, width, 1, mask))
        return -1;
    InvalidateControl();
    return 0;
}

int CUiImageStatic::AddBitmap(CBitmap* pBitmap, COLORREF mask)
{
    const int index = m_images.Add(pBitmap, mask);
    InvalidateControl();
    return index;
}
