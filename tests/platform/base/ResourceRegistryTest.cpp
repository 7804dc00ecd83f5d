// The resource registries: data registered by static objects, as the program's
// resources register theirs, is found by id, and a second registration of an id
// does not replace the first.
#include "platform/base/CString.h"
#include "platform/base/ResourceBitmaps.h"
#include "platform/base/ResourceStrings.h"
#include "platform/base/ResourceToolbars.h"

#include <gtest/gtest.h>

namespace {

// Ids far from the program's own resources.
constexpr UINT kFirstText = 64001, kSecondText = 64002, kTwiceText = 64003, kImages = 64010, kNothing = 64099;

const ResourceString kFirstTable[] = {{kFirstText, "First"}, {kTwiceText, "Kept"}};
const ResourceString kSecondTable[] = {{kSecondText, "Second"}, {kTwiceText, "Ignored"}};
const StringTableRegistration kFirstTableRegistration(kFirstTable);
const StringTableRegistration kSecondTableRegistration(kSecondTable);

const DWORD kPixels[2 * 1] = {0xFF0000, 0x0000FF};
const ResourceBitmap kBitmap{2, 1, kPixels};
const ResourceBitmap kOtherBitmap{2, 1, kPixels};
const ResourceBitmapRegistration kBitmapRegistration(kImages, kBitmap);
const ResourceBitmapRegistration kOtherBitmapRegistration(kImages, kOtherBitmap);

const WORD kButtons[] = {100, 0, 101};
const ResourceToolbar kToolbar{16, 15, 3, kButtons};
const ResourceToolbarRegistration kToolbarRegistration(kImages, kToolbar);

} // namespace

TEST(ResourceRegistry, StringTablesRegisteredByStaticObjectsAreFoundById)
{
    EXPECT_STREQ(FindResourceString(kFirstText), "First");
    EXPECT_STREQ(FindResourceString(kSecondText), "Second");
    EXPECT_STREQ(FindResourceString(kTwiceText), "Kept");
    EXPECT_EQ(FindResourceString(kNothing), nullptr);
    CString text;
    EXPECT_TRUE(text.LoadString(kSecondText));
    EXPECT_STREQ(text, "Second");
    EXPECT_FALSE(text.LoadString(kNothing));
}

TEST(ResourceRegistry, BitmapsAndToolbarsAreFoundByIdAndTheFirstOfAnIdStays)
{
    EXPECT_EQ(FindResourceBitmap(kImages), &kBitmap);
    EXPECT_EQ(FindResourceToolbar(kImages), &kToolbar);
    EXPECT_EQ(FindResourceBitmap(kNothing), nullptr);
    EXPECT_EQ(FindResourceToolbar(kNothing), nullptr);
}
