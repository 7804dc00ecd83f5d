// BOOL values set in any letter case: only "T" and "TRUE" (compared in upper
// case) store "T".
#include "core/MapField.h"
#include "core/MapFieldValue.h"

#include <gtest/gtest.h>

namespace {

TEST(MapFieldBool, SetValueTextComparesInUpperCase)
{
    const std::pair<const char*, const char*> cases[] = {
        {"TRUE", "T"}, {"True", "T"}, {"T", "T"}, {"FALSE", "F"}, {"F", "F"}, {"TRUE ", "F"}, {"TRUEX", "F"},
    };
    for (const auto& [text, stored] : cases) {
        CMapFieldValue value(CMapField("Flag", FIELD_TYPE_BOOL, 1));
        value.SetValueText(text);
        EXPECT_EQ(value.GetValueText(), stored) << "'" << text << "'";
    }
}

} // namespace
