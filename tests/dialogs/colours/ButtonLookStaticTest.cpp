// Button-look statics: the frame, where images and text go, and clipping of text
// that does not fit.
#include <gtest/gtest.h>

#include "ColourTestSupport.h"
#include "dialogs/controls/UiColorGlobals.h"
#include "dialogs/controls/UiImageStatic.h"
#include "platform/base/ResourceBitmaps.h"
#include "platform/gdi/CDC.h"
#include "platform/wnd/WindowDC.h"

namespace {

const UINT kStaticId = 100;
const UINT kTestBitmap = 31990; // a 6 x 6 red square on a white rim that is masked out
constexpr DWORD R = 0xFF0000, W = 0xFFFFFF;
const DWORD kSquarePixels[36] = {
    W, W, W, W, W, W, //
    W, R, R, R, R, W, //
    W, R, R, R, R, W, //
    W, R, R, R, R, W, //
    W, R, R, R, R, W, //
    W, W, W, W, W, W,
};
const ResourceBitmap kSquare = {6, 6, kSquarePixels};
const ResourceBitmapRegistration kSquareRegistration(kTestBitmap, kSquare);

class StaticFixture : public ::testing::Test {
protected:
    void Make(CUiCustomStatic& control, const char* text, int cx, int cy)
    {
        ASSERT_TRUE(m_parent.CreateAt(20, 20, 300, 120, WS_OVERLAPPED | WS_VISIBLE));
        CStatic plain;
        ASSERT_TRUE(plain.Create(text, WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + cx, 10 + cy), &m_parent, kStaticId));
        plain.Detach();
        ASSERT_TRUE(control.SubclassDlgItem(kStaticId, &m_parent));
        control.Invalidate();
        AfxTestProcessEvents();
    }

    // The content rectangle a paint lays out in: client less margin and 1.
    static CRect Content(CWnd& w)
    {
        CRect r;
        w.GetClientRect(&r);
        r.DeflateRect(5, 5);
        return r;
    }

    ColourRecorder m_parent;
};

TEST_F(StaticFixture, PaintsAnUnpressedButtonFrame)
{
    CUiCustomStatic control;
    Make(control, "Go", 80, 24);
    EXPECT_EQ(control.GetSurfacePixel(0, 0), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(control.GetSurfacePixel(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(control.GetSurfacePixel(79, 23), RGB(0, 0, 0));
    EXPECT_EQ(control.GetSurfacePixel(3, 12), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(CRect(control.GetFrameInterior()).IsRectEmpty());
}

TEST_F(StaticFixture, DefaultAlignmentPutsTheImageLeftAndTheTextOnePixelBesideIt)
{
    CUiImageStatic control;
    Make(control, "Select...", 120, 30);
    ASSERT_EQ(control.LoadImageBitmap(kTestBitmap, -1, RGB(255, 255, 255)), 0);
    ASSERT_EQ(control.GetImageCount(), 1);
    AfxTestProcessEvents();

    const CRect content = Content(control);
    CClientDC dc(&control);
    control.SelectFont(&dc);
    RECT images, text;
    control.LayoutContent(&dc, content.left, content.top, content.right, content.bottom, &images, &text);
    const CSize label = control.GetTextSize(&dc, "Select...");
    control.RestoreFont(&dc);
    const int imageTop = content.top + (content.Height() - 6) / 2 - 1;
    EXPECT_EQ(CRect(images), CRect(content.left, imageTop, content.left + 6, imageTop + 6));
    EXPECT_EQ(text.left, content.left + 6 + 1);
    EXPECT_EQ(text.right - text.left, label.cx);

    // The red square shows inside the white rim, which is masked to the face colour.
    EXPECT_EQ(control.GetSurfacePixel(content.left + 1, imageTop + 1), RGB(255, 0, 0));
    EXPECT_EQ(control.GetSurfacePixel(content.left, imageTop), ::GetSysColor(COLOR_BTNFACE));
    // A second bitmap becomes image 1.
    EXPECT_EQ(control.LoadImageBitmap(kTestBitmap, -1, RGB(255, 255, 255)), 1);
    EXPECT_EQ(control.LoadImageBitmap(31991, -1, RGB(255, 255, 255)), -1);
}

TEST_F(StaticFixture, CentredImagesWithoutTextStayBesideTheEmptyText)
{
    CUiImageStatic control;
    Make(control, "", 60, 30);
    control.LoadImageBitmap(kTestBitmap, 3, RGB(255, 255, 255)); // two images of 3 pixels
    ASSERT_EQ(control.GetImageCount(), 2);
    control.m_imageAlign = CUiImageStatic::ALIGN_HCENTER | CUiImageStatic::ALIGN_VCENTER;
    CClientDC dc(&control);
    RECT images, text;
    control.LayoutContent(&dc, 0, 0, 60, 30, &images, &text);
    // 3 + 1 + 3 pixels wide, centred: beside, not above (that needs text).
    EXPECT_EQ(CRect(images), CRect(26, 11, 33, 17));
    EXPECT_TRUE(CRect(text).IsRectEmpty());

    // With text, the centred images go above it.
    control.SetWindowText("ab");
    control.LayoutContent(&dc, 0, 0, 60, 30, &images, &text);
    EXPECT_LT(images.bottom, text.top + 1);
    EXPECT_EQ(text.top - images.bottom, control.m_imageTextGap);
}

TEST_F(StaticFixture, TooWideTextIsClippedByTheFrame)
{
    CUiCustomStatic control;
    Make(control, "WWWWWWWWWWWWWWWWWWWWWWWW", 40, 24);
    // The text starts left of the content and is cut at the frame's interior.
    EXPECT_EQ(control.GetSurfacePixel(0, 12), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(control.GetSurfacePixel(1, 12), RGB(255, 255, 255));
    EXPECT_EQ(control.GetSurfacePixel(39, 12), RGB(0, 0, 0));
    EXPECT_EQ(control.GetSurfacePixel(38, 12), ::GetSysColor(COLOR_BTNSHADOW));
    // Inside the content the text did draw.
    bool ink = false;
    for (int x = 5; x < 35; ++x)
        ink = ink || control.GetSurfacePixel(x, 11) != ::GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(ink);
}

TEST_F(StaticFixture, SizeToContentFitsFrameMarginsAndText)
{
    CUiCustomStatic control;
    Make(control, "Select...", 200, 50);
    CClientDC dc(&control);
    control.SelectFont(&dc);
    const CSize label = control.GetTextSize(&dc, "Select...");
    control.RestoreFont(&dc);
    control.SizeToContent();
    CRect r;
    control.GetWindowRect(&r);
    m_parent.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(10, 10, 10 + label.cx + 11, 10 + label.cy + 11));
}

} // namespace
