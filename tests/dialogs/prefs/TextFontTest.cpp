// Text fonts: the description and the GDI font stay the same through every
// constructor and setter.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/controls/TextFont.h"
#include "platform/gdi/CDC.h"

namespace {

LOGFONTA HandleFont(const CTextFont& font)
{
    LOGFONTA lf{};
    EXPECT_NE(font.GetSafeHandle(), nullptr);
    font.GetLogFont(&lf);
    return lf;
}

TEST(TextFont, DefaultDescription)
{
    CTextFont font;
    const LOGFONTA lf = HandleFont(font);
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_EQ(lf.lfPitchAndFamily, 18);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(font.GetStyle(), 0);
}

struct StyleCase {
    int style;
    int size;
    LONG height;
    LONG weight;
    BYTE italic;
};

TEST(TextFont, FaceStyleSizeConstructor)
{
    const StyleCase cases[] = {
        {0, 12, 12, 400, 0}, {1, 12, 12, 700, 0}, {2, 300, 44, 400, 1},
        {3, 255, 255, 700, 1}, {4, 8, 8, 400, 0}, {-1, 256, 0, 400, 0},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " size " << c.size);
        CTextFont font("Arial", c.style, c.size);
        const LOGFONTA lf = HandleFont(font);
        EXPECT_STREQ(lf.lfFaceName, "Arial");
        EXPECT_EQ(lf.lfHeight, c.height);
        EXPECT_EQ(lf.lfWeight, c.weight);
        EXPECT_EQ(lf.lfItalic, c.italic);
        EXPECT_EQ(font.GetHeight(), c.height);
    }
}

TEST(TextFont, SetStyleRecreatesAndReportsPrevious)
{
    CTextFont font("Arial");
    EXPECT_EQ(font.SetStyle(3), 0);
    LOGFONTA lf = HandleFont(font);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(font.GetStyle(), 3);

    EXPECT_EQ(font.SetStyle(7), 3);   // unknown codes change nothing
    EXPECT_EQ(font.GetStyle(), 3);
    EXPECT_EQ(font.SetStyle(2), 3);
    lf = HandleFont(font);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(font.SetStyle(1), 2);
    EXPECT_EQ(font.GetStyle(), 1);
}

TEST(TextFont, SettersReturnPreviousValues)
{
    CTextFont font;
    EXPECT_EQ(font.SetHeight(20), -12);
    EXPECT_EQ(font.SetWidth(5), 0);
    EXPECT_EQ(font.SetWeight(550), 400);
    EXPECT_TRUE(font.IsBold());            // bold from weight 500 on
    EXPECT_TRUE(font.SetBold(FALSE));
    EXPECT_FALSE(font.SetItalic(TRUE));
    EXPECT_TRUE(font.SetItalic(FALSE));
    EXPECT_STREQ(font.SetFaceName("Times New Roman"), "MS Sans Serif");

    const LOGFONTA lf = HandleFont(font);
    EXPECT_EQ(lf.lfHeight, 20);
    EXPECT_EQ(lf.lfWidth, 5);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_STREQ(lf.lfFaceName, "Times New Roman");
}

TEST(TextFont, OverlongFaceIsCutToTheField)
{
    CTextFont font("An extraordinarily long face name of forty-odd bytes");
    EXPECT_EQ(font.GetFaceName().GetLength(), LF_FACESIZE - 1);
    EXPECT_EQ(font.SetFaceName(nullptr).GetLength(), LF_FACESIZE - 1);
    EXPECT_TRUE(font.GetFaceName().IsEmpty());
}

// A face of two-byte characters is cut before the character that would straddle the field's end.
TEST(TextFont, OverlongFaceIsCutBetweenCharacters)
{
    std::string face;
    for (int i = 0; i < 20; ++i)
        face += "\xC3\xA9";   // é, two bytes each: the 31-byte field holds 15 of them
    CTextFont font;
    font.SetFaceName(face.c_str());
    EXPECT_EQ(font.GetFaceName(), CString(face.substr(0, 30).c_str()));
}

TEST(TextFont, TextColourReachesTheTargetDC)
{
    CTextFont font;
    EXPECT_EQ(font.SetTextColor(RGB(1, 2, 3)), 0u);   // no target: only stored
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    font.SetTargetDC(&dc);
    EXPECT_EQ(font.SetTextColor(RGB(200, 0, 0)), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetTextColor(), RGB(200, 0, 0));
    EXPECT_EQ(font.GetTextColor(), RGB(200, 0, 0));
}

} // namespace
