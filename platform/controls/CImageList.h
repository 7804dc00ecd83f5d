// Image lists: images of one size, with masks for ILC_MASK lists, drawn into a DC
// normally (the list's background colour behind masked pixels, transparent while
// that is CLR_NONE), transparently or blended with the highlight colour
// (ILD_SELECTED, ILD_FOCUS). See the ImageList_ calls in platform/controls/CommCtrl.h.
#pragma once

#include "platform/base/CObject.h"
#include "platform/controls/CommCtrl.h"
#include "platform/gdi/GdiObjects.h"

class CDC;

class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    ~CImageList() override; // deletes the list it holds
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    // The object holding `h`, else a wrapper that lives as long as the list.
    static CImageList* FromHandle(HIMAGELIST h);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap resource: images cx wide, as high as the bitmap, crMask transparent
    // (CLR_NONE: no mask).
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL DeleteImageList();

    int GetImageCount() const;
    BOOL SetImageCount(UINT uNewCount);
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;

    // Each adds every image of the bitmap; the index of the first, -1 on failure.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);
};
