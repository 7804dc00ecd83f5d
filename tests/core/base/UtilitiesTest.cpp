// The common helpers: message boxes from string ids, path titles, 32-bit number
// parsing, comma fields, the type table and the default face names.
#include "core/ObjectTypes.h"
#include "core/Utilities.h"

#include "platform/testing/ModalRecorder.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// No string-table text has this identifier.
constexpr UINT kNoSuchString = 12345;

TEST(MessageBoxFromIdTest, MissingStringShowsUnknownErrorCode)
{
    ModalRecorder recorder;
    MessageBoxFromId(kNoSuchString);
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ("Unknown error code: 12345", recorder.Boxes()[0].text);
    EXPECT_EQ(MB_OK, recorder.Boxes()[0].type);
    EXPECT_EQ(0u, recorder.Boxes()[0].helpId);
}

TEST(MessageBoxFromIdTest, YesNoQuestionsReturnTheAnswerAndAddTheirStyle)
{
    ModalRecorder recorder({IDNO, IDYES});
    EXPECT_EQ(IDNO, MessageBoxFromIdYesNo(kNoSuchString, MB_ICONQUESTION));
    EXPECT_EQ(IDYES, AskYesNoFromId(kNoSuchString));
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ("", recorder.Boxes()[0].text);
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, recorder.Boxes()[0].type);
    EXPECT_EQ(MB_YESNO, recorder.Boxes()[1].type);
}

TEST(GetFileTitleFromPathTest, Titles)
{
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\maps\\roads.db", "roads"},
        {"/home/user/maps/roads.klz", "roads"},
        {"C:\\maps\\roads\\", "roads"},
        {"/maps/roads/", "roads"},
        {"roads", "roads"},
        {"roads.klz", "roads"},
        {"", ""},
        {"a.b.c", "a.b"},
        {"/data/a.b.c", "a.b"},
        // A dot in a folder name is no extension.
        {"/my.maps/roads", "roads"},
        {"C:\\my.maps\\roads", "roads"},
        {"/my.maps/roads/", "roads"},
        {"/maps\\sub/roads.kwz", "roads"},
        {"/", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.title, GetFileTitleFromPath(c.path)) << "path: " << c.path;
}

TEST(AtolClamped32Test, ReadsALeadingNumberClampedTo32Bits)
{
    EXPECT_EQ(42, AtolClamped32("42abc"));
    EXPECT_EQ(-5, AtolClamped32("  -5"));
    EXPECT_EQ(0, AtolClamped32("abc"));
    EXPECT_EQ(0, AtolClamped32(""));
    EXPECT_EQ(INT_MAX, AtolClamped32("2147483648"));
    EXPECT_EQ(INT_MIN, AtolClamped32("-2147483649"));
}

TEST(CommaFieldTest, FieldsIntegersAndFlags)
{
    EXPECT_EQ("10", ExtractCommaField("10,20,30", 0));
    EXPECT_EQ("30", ExtractCommaField("10,20,30", 2));
    EXPECT_EQ("", ExtractCommaField("10,20,30", 3));
    EXPECT_EQ("", ExtractCommaField("10,,30", 1));
    EXPECT_EQ(20, GetCommaFieldInt("10,20,30", 1));
    EXPECT_EQ(0, GetCommaFieldInt("10,20,30", 5));
    EXPECT_EQ(0, GetCommaFieldInt("10,abc", 1));
    EXPECT_EQ(-7, GetCommaFieldInt("-7", 0));
    // 32-bit atol: out-of-range values clamp instead of wrapping in a 64-bit long.
    EXPECT_EQ(INT_MAX, GetCommaFieldInt("99999999999", 0));
    EXPECT_EQ(INT_MIN, GetCommaFieldInt("1,-99999999999", 1));

    EXPECT_EQ(1, GetCommaFieldBool("1,0", 0));
    EXPECT_EQ(0, GetCommaFieldBool("1,0", 1));
    EXPECT_EQ(0, GetCommaFieldBool("1,0", 2));
    EXPECT_EQ(0, GetCommaFieldBool("256", 0));
    EXPECT_EQ(1, GetCommaFieldBool("257", 0));
}

TEST(CStringToDoubleTest, ReadsLeadingNumber)
{
    EXPECT_DOUBLE_EQ(3.5, CStringToDouble("3.5"));
    EXPECT_DOUBLE_EQ(-2000.0, CStringToDouble(" -2e3 m"));
    EXPECT_DOUBLE_EQ(0.0, CStringToDouble("abc"));
    EXPECT_DOUBLE_EQ(0.0, CStringToDouble(""));
}

TEST(ObjectTypeTest, ValidityAndNames)
{
    for (int code : {-1, 17, 100, INT_MIN})
        EXPECT_FALSE(IsObjectTypeValid(code)) << code;
    for (int code = 0; code <= 16; ++code)
        EXPECT_TRUE(IsObjectTypeValid(code)) << code;
    EXPECT_STREQ("Rectangel", GetObjectTypeName(MAP_OBJECT_RECTANGLE));
    EXPECT_STREQ("Rounded Rectangel", GetObjectTypeName(MAP_OBJECT_ROUNDRECT));
    EXPECT_STREQ("PolyAdvPolygon", GetObjectTypeName(MAP_OBJECT_POLYADVPOLYGON));
    EXPECT_STREQ("Image", GetObjectTypeName(MAP_OBJECT_IMAGE));
    EXPECT_STREQ("Spline", GetObjectTypeName(MAP_OBJECT_SPLINE));
    EXPECT_STREQ("Invalid", GetObjectTypeName(MAP_OBJECT_INVALID));
}

TEST(DefaultFaceNamesTest, StartValues)
{
    EXPECT_EQ("Map Symbols", g_NewObjectSymbolFontName);
    EXPECT_STREQ("Arial", g_DefaultTextFaceName);
}

}
