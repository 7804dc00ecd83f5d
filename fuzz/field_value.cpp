// Fuzz target: attribute values. The first byte picks the field type, the next two its width, the
// rest is the text stored; the value read back must fit its field, never end inside a UTF-8
// character the input had whole, and quote back to itself as an SQL literal.
#include "fuzz/FuzzTarget.h"

#include "core/MapFieldValue.h"

#include <string>

namespace {
// Whether `s` ends with an incomplete UTF-8 sequence.
bool EndsInsideACharacter(const std::string& s)
{
    size_t i = s.size();
    int continuation = 0;
    while (i > 0 && ((unsigned char)s[i - 1] & 0xC0) == 0x80 && continuation < 4)
        --i, ++continuation;
    if (i == 0)
        return false;
    const unsigned char lead = (unsigned char)s[i - 1];
    const int need = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    return lead >= 0xC0 && continuation < need;
}

// Whether `s` is well-formed UTF-8 without NUL bytes (lead and continuation bytes only; code point
// ranges are not checked).
bool IsWholeUtf8(const std::string& s)
{
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = (unsigned char)s[i];
        const size_t len = c == 0 ? 0 : c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || i + len > s.size())
            return false;
        for (size_t k = 1; k < len; ++k)
            if (((unsigned char)s[i + k] & 0xC0) != 0x80)
                return false;
        i += len;
    }
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const int type = data[0] % 6;
    const int width = data[1] | (data[2] << 8);
    const std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);
    CMapFieldValue value(CMapField("Field", type, width));
    value.SetValueText(CString(text.data(), (int)text.size()));
    const CString shown = value.GetValueText();
    const std::string out(shown.GetString(), (size_t)shown.GetLength());
    if (type == FIELD_TYPE_STRING) {
        FuzzCheck((int)out.size() <= width || width <= 0, "a string value fits its width");
        if (IsWholeUtf8(text))
            FuzzCheck(!EndsInsideACharacter(out), "a string value is cut between characters");
    }
    const CString sql = value.GetSqlText();
    if (!shown.IsEmpty()) {
        // 'text' with every quote doubled, and nothing else.
        std::string literal(sql.GetString(), (size_t)sql.GetLength());
        FuzzCheck(literal.size() >= 2 && literal.front() == '\'' && literal.back() == '\'', "quoted literal");
        std::string unquoted;
        for (size_t i = 1; i + 1 < literal.size(); ++i) {
            unquoted += literal[i];
            if (literal[i] == '\'') {
                FuzzCheck(i + 2 < literal.size() && literal[i + 1] == '\'', "quotes doubled");
                ++i;
            }
        }
        FuzzCheck(unquoted == std::string(value.GetValueText().GetString(), (size_t)value.GetValueText().GetLength()),
                  "the literal quotes the value back");
    }
    return 0;
}
