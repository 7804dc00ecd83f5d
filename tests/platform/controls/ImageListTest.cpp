// Image lists (from resource bitmaps and bitmaps with a mask colour, drawn normally,
// transparently and selected into DCs) and the extended combo box that shows them.
#include "ControlTestSupport.h"

#include "platform/controls/CComboBoxEx.h"
#include "platform/controls/CImageList.h"
#include "platform/testing/PatternBitmap.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kGrey = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBack = RGB(10, 20, 30);

// A memory DC over a 40 x 20 bitmap filled with kBack.
struct Canvas {
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    Canvas()
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, 40, 20);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 40, 20, kBack);
    }
    ~Canvas() { dc.SelectObject(old); }
};

// A 2 x 1 bitmap: red, then the mask colour white.
void MakeBitmap(CBitmap& bitmap, COLORREF left, COLORREF right, int width = 2)
{
    CClientDC screen(nullptr);
    bitmap.CreateCompatibleBitmap(&screen, width, 1);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&bitmap);
    for (int x = 0; x < width; ++x)
        dc.SetPixel(x, 0, x % 2 ? right : left);
    dc.SelectObject(old);
}

TEST(ImageListTest, FromAResourceBitmapWithAMaskColour)
{
    RegisterTestPatternBitmap();
    CImageList list;
    ASSERT_TRUE(list.Create(kTestPatternBitmap, 6, 1, kWhite));
    EXPECT_EQ(list.GetImageCount(), 2);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 6);
    EXPECT_EQ(cy, 12);
    IMAGEINFO info{};
    ASSERT_TRUE(list.GetImageInfo(1, &info));
    EXPECT_EQ(info.rcImage.left, 6);
    EXPECT_EQ(info.rcImage.right, 12);
    EXPECT_NE(info.hbmImage, nullptr);
    EXPECT_NE(info.hbmMask, nullptr);

    Canvas canvas;
    ASSERT_TRUE(list.Draw(&canvas.dc, 0, CPoint(3, 4), ILD_NORMAL));
    // Row 0 of the pattern: grey x5, white at x=5 (transparent).
    EXPECT_EQ(canvas.dc.GetPixel(3, 4), kGrey);
    EXPECT_EQ(canvas.dc.GetPixel(3 + 5, 4), kBack);
    EXPECT_EQ(canvas.dc.GetPixel(2, 4), kBack); // outside the image
    // A background colour shows behind masked pixels unless drawn transparently.
    list.SetBkColor(RGB(0, 255, 0));
    list.Draw(&canvas.dc, 0, CPoint(3, 4), ILD_NORMAL);
    EXPECT_EQ(canvas.dc.GetPixel(3 + 5, 4), RGB(0, 255, 0));
    canvas.dc.FillSolidRect(0, 0, 40, 20, kBack);
    list.Draw(&canvas.dc, 0, CPoint(3, 4), ILD_TRANSPARENT);
    EXPECT_EQ(canvas.dc.GetPixel(3 + 5, 4), kBack);
    // Selected images are blended with the highlight colour.
    list.Draw(&canvas.dc, 0, CPoint(20, 4), ILD_SELECTED);
    const COLORREF hi = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF blended = RGB((0xC0 + GetRValue(hi)) / 2, (0xC0 + GetGValue(hi)) / 2, (0xC0 + GetBValue(hi)) / 2);
    EXPECT_EQ(canvas.dc.GetPixel(20, 4), blended);
    // Out of range.
    EXPECT_FALSE(list.Draw(&canvas.dc, 2, CPoint(0, 0), ILD_NORMAL));
}

TEST(ImageListTest, AddReplaceRemoveAndClipping)
{
    CImageList list;
    ASSERT_TRUE(list.Create(1, 1, ILC_COLOR32 | ILC_MASK, 0, 2));
    CBitmap two;
    MakeBitmap(two, RGB(255, 0, 0), kWhite);
    EXPECT_EQ(list.Add(&two, kWhite), 0);
    EXPECT_EQ(list.Add(&two, kWhite), 2);
    EXPECT_EQ(list.GetImageCount(), 4);
    CBitmap blue;
    MakeBitmap(blue, RGB(0, 0, 255), RGB(0, 0, 255), 1);
    EXPECT_TRUE(list.Replace(1, &blue, nullptr));
    EXPECT_FALSE(list.Replace(9, &blue, nullptr));
    Canvas canvas;
    list.Draw(&canvas.dc, 1, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(canvas.dc.GetPixel(0, 0), RGB(0, 0, 255));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(list.GetImageCount(), 3);
    list.Draw(&canvas.dc, 0, CPoint(1, 0), ILD_NORMAL);
    EXPECT_EQ(canvas.dc.GetPixel(1, 0), RGB(0, 0, 255));
    // The DC's clipping and origin apply.
    canvas.dc.IntersectClipRect(0, 0, 5, 5);
    list.Draw(&canvas.dc, 0, CPoint(12, 0), ILD_NORMAL);
    canvas.dc.SetViewportOrg(3, 0);
    list.Draw(&canvas.dc, 0, CPoint(0, 0), ILD_NORMAL);
    canvas.dc.SetViewportOrg(0, 0);
    canvas.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(canvas.dc.GetPixel(12, 0), kBack);
    EXPECT_EQ(canvas.dc.GetPixel(3, 0), RGB(0, 0, 255));
    EXPECT_TRUE(list.Remove(-1));
    EXPECT_EQ(list.GetImageCount(), 0);

    // A wrapper from the handle is the owning object.
    EXPECT_EQ(CImageList::FromHandle(list.GetSafeHandle()), &list);
    const HIMAGELIST h = list.Detach();
    CImageList* temporary = CImageList::FromHandle(h);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->GetSafeHandle(), h);
    EXPECT_TRUE(ImageList_Destroy(h));
    EXPECT_EQ(ImageList_GetImageCount(h), 0);
}

class ComboBoxExTest : public ::testing::Test {
protected:
    ParentWnd parent;
};

TEST_F(ComboBoxExTest, ItemsCarryImagesAndTheChildNotifiesAsTheControl)
{
    CComboBoxEx combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 150), &parent, 70));
    RegisterTestPatternBitmap();
    CImageList images;
    ASSERT_TRUE(images.Create(kTestPatternBitmap, 6, 2, kWhite));
    EXPECT_EQ(combo.SetImageList(&images), nullptr);
    const char* names[] = {"None", "Solid"};
    for (int i = 0; i < 2; ++i) {
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
        item.iItem = i;
        item.pszText = const_cast<char*>(names[i]);
        item.iImage = item.iSelectedImage = i;
        EXPECT_EQ(combo.InsertItem(&item), i);
    }
    EXPECT_EQ(combo.GetCount(), 2);
    char text[16] = {};
    COMBOBOXEXITEM got{};
    got.mask = CBEIF_TEXT | CBEIF_IMAGE;
    got.iItem = 1;
    got.pszText = text;
    got.cchTextMax = (int)sizeof text;
    ASSERT_TRUE(combo.GetItem(&got));
    EXPECT_STREQ(text, "Solid");
    EXPECT_EQ(got.iImage, 1);
    EXPECT_EQ(combo.SetCurSel(0), 0);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_GE(combo.GetItemHeight(-1), 12); // the images' height
    CRect wr;
    combo.GetWindowRect(&wr);
    EXPECT_LT(wr.Height(), 40);

    // The selection field shows the image: pixel (0, 0) of image 0 is grey.
    CComboBox* child = combo.GetComboBoxCtrl();
    ASSERT_NE(child, nullptr);
    Pump();
    CRect field;
    child->GetClientRect(&field);
    bool grey = false;
    for (int x = 3; x < 12 && !grey; ++x)
        for (int y = 3; y < field.bottom - 3 && !grey; ++y)
            grey = Pixel(child->m_hWnd, x, y) == kGrey;
    EXPECT_TRUE(grey);

    parent.Clear();
    child->SetFocus();
    Key(child->m_hWnd, VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(parent.Count(WM_COMMAND, CBN_SELCHANGE, 70), 1);
    for (const Event& e : parent.events) {
        if (e.message == WM_COMMAND && e.code == CBN_SELCHANGE) {
            EXPECT_EQ(e.from, combo.m_hWnd);
        }
    }
    EXPECT_EQ(combo.SetItemData(1, 9), 0);
    EXPECT_EQ(combo.GetItemData(1), 9u);
    EXPECT_EQ(combo.DeleteItem(0), 1);
    EXPECT_EQ(combo.DeleteItem(5), CB_ERR);
    combo.SetImageList(nullptr);
}

} // namespace
