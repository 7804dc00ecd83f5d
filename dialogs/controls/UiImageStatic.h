// A button-look static with a row of images beside or above its text (the More
// Colors dialog's eye-dropper "Select..." control).
//
// Alignment flags, for the images and for the text: 1 centres horizontally, else
// 2 aligns right, else left; 4 centres vertically, else 8 aligns to the bottom,
// else to the top. Both start as 4 (left, vertically centred).
#pragma once

#include "dialogs/controls/UiCustomStatic.h"
#include "platform/controls/CImageList.h"

class CBitmap;

class CUiImageStatic : public CUiCustomStatic {
    DECLARE_DYNAMIC(CUiImageStatic)
public:
    enum { ALIGN_HCENTER = 1, ALIGN_RIGHT = 2, ALIGN_VCENTER = 4, ALIGN_BOTTOM = 8 };

    CUiImageStatic();

    // Whether subclassing the dialog item succeeded.
    virtual BOOL SubclassItem(int nID, CWnd* pParent);
    // Images above the text when the images centre horizontally and there are both
    // images and text; otherwise side by side.
    virtual void LayoutContent(CDC* pDC, int l, int t, int r, int b, RECT* pImages, RECT* pText);
    virtual void LayoutBeside(CDC* pDC, int l, int t, int r, int b, RECT* pImages, RECT* pText);
    virtual void LayoutAbove(CDC* pDC, int l, int t, int r, int b, RECT* pImages, RECT* pText);
    void CalcLayout(CDC* pDC, int l, int t, int r, int b, RECT* pOut, BOOL bMeasure) override;
    void DrawContent(CDC* pDC, RECT* pRect, UINT state) override;

    // A bitmap resource as images `width` pixels wide (negative: the bitmap's
    // width), `mask` transparent. Into an empty list: creates it and returns 0;
    // otherwise the new image's index; -1 when the bitmap or list cannot be made.
    int LoadImageBitmap(LPCTSTR name, int width, COLORREF mask);
    int LoadImageBitmap(UINT id, int width, COLORREF mask);
    // Adds the bitmap's images; the index of the first, -1 on failure.
    int AddBitmap(CBitmap* pBitmap, COLORREF mask);
    BOOL HasImages() const;
    int GetImageCount() const;

    int m_imageSpacing = 1;  // pixels between two images
    int m_imageTextGap = 1;  // pixels between the images and the text
    int m_imageAlign = ALIGN_VCENTER;
    int m_textAlign = ALIGN_VCENTER;

protected:
    afx_msg UINT OnGetDlgCode();

    DECLARE_MESSAGE_MAP()

private:
    // The width of the image row (images and the spaces between) and its height.
    CSize ImageRowSize() const;

    CImageList m_images;
};
