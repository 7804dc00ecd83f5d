// Attribute values: texts normalised by the field type, cut to the field width
// without splitting a UTF-8 character, and their SQL and archive forms.
#include "core/MapFieldValue.h"

#include "core/SQLiteDatabase.h"
#include "core/Utilities.h"

#include "platform/base/CArchive.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
// The first `width` bytes, shortened further so that no UTF-8 sequence is cut
// in two (the 8-bit code page here is UTF-8).
CString CutToWidth(const CString& text, int width)
{
    return text.Left(CString::Utf8FitLength(text.GetString(), text.GetLength(), width));
}

// The digits of a plain decimal number: an optional '-', 1 to `maxDigits`
// digits without a leading zero (a lone 0 aside), then, with `fraction`, an
// optional point and at most six digits. Empty when `text` is not such a number.
struct PlainDecimal {
    bool negative = false;
    std::string_view whole, decimals;
};

bool ReadPlainDecimal(const CString& text, int maxDigits, bool fraction, PlainDecimal& out)
{
    std::string_view rest(text.GetString(), (size_t)text.GetLength());
    const auto digits = [&rest] {
        size_t n = 0;
        while (n < rest.size() && rest[n] >= '0' && rest[n] <= '9')
            ++n;
        const std::string_view run = rest.substr(0, n);
        rest.remove_prefix(n);
        return run;
    };
    out.negative = !rest.empty() && rest.front() == '-';
    if (out.negative)
        rest.remove_prefix(1);
    out.whole = digits();
    if (out.whole.empty() || out.whole.size() > (size_t)maxDigits || (out.whole.size() > 1 && out.whole[0] == '0'))
        return false;
    out.decimals = {};
    if (fraction && !rest.empty() && rest.front() == '.') {
        rest.remove_prefix(1);
        out.decimals = digits();
        if (out.decimals.size() > 6)
            return false;
    }
    return rest.empty();
}

// Numbers are written as "%d" and "%f" write them; std::to_chars writes the
// same text without the cost of a format string.
CString WriteInteger(long value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return CString(buffer, (int)(end - buffer));
}

CString WriteDouble(double value)
{
    char buffer[DBL_MAX_10_EXP + 32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6).ptr;
    return CString(buffer, (int)(end - buffer));
}

CString Normalise(const CString& text, const CMapField& field)
{
    // A plain decimal is what reading and writing it gives back (padded to six
    // decimals for a double) as long as it is small enough: |value| < 10^4
    // fits a SHORT, < 10^9 an INTEGER, and a double below 10^9 (2^30) is held
    // to far better than a millionth. Values read back from a file nearly
    // always are such texts, so they are not converted twice. "-0" is not how
    // an integer is written.
    PlainDecimal plain;
    switch (field.GetType()) {
    case FIELD_TYPE_SHORT:
        if (ReadPlainDecimal(text, 4, false, plain) && !(plain.negative && plain.whole == "0"))
            return text;
        return WriteInteger((SHORT)(WORD)AtolClamped32(text));
    case FIELD_TYPE_INTEGER:
        if (ReadPlainDecimal(text, 9, false, plain) && !(plain.negative && plain.whole == "0"))
            return text;
        return WriteInteger(AtolClamped32(text));
    case FIELD_TYPE_DOUBLE:
        if (ReadPlainDecimal(text, 9, true, plain)) {
            std::string written(plain.negative ? "-" : "");
            written.append(plain.whole).append(1, '.').append(plain.decimals);
            written.append(6 - plain.decimals.size(), '0');
            return CString(std::move(written));
        }
        return WriteDouble(std::atof(text));
    case FIELD_TYPE_STRING:
        return CutToWidth(text, field.GetWidth());
    default:
        return CString();
    }
}
}

CMapFieldValue::CMapFieldValue() : m_field("Field", FIELD_TYPE_STRING, 20) {}

CMapFieldValue::CMapFieldValue(const CMapField& field) : m_field(field) {}

void CMapFieldValue::InitFromField(const CMapField& field)
{
    m_field = field;
    m_value.Empty();
}

void CMapFieldValue::Serialize(CArchive& ar)
{
    m_field.Serialize(ar);
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}

CString CMapFieldValue::GetValueText() const
{
    switch (m_field.GetType()) {
    case FIELD_TYPE_BOOL:
        if (m_value.IsEmpty())
            return "F";
        return std::toupper((unsigned char)m_value[0]) == 'T' ? "T" : "F";
    default:
        return Normalise(m_value, m_field);
    }
}

void CMapFieldValue::SetValueText(const CString& text)
{
    switch (m_field.GetType()) {
    case FIELD_TYPE_SHORT:
    case FIELD_TYPE_INTEGER:
    case FIELD_TYPE_DOUBLE:
    case FIELD_TYPE_STRING:
        m_value = Normalise(text, m_field);
        break;
    case FIELD_TYPE_BOOL: {
        CString upper = text;
        upper.MakeUpper();
        m_value = (upper == "T" || upper == "TRUE") ? "T" : "F";
        break;
    }
    default:
        m_value = text;
        break;
    }
}

bool CMapFieldValue::DoubleFieldText(double value, CString& text)
{
    // Scaling by a power of two is exact, so the test itself rounds nothing.
    const double scaled = value * 64.0;
    if (!std::isfinite(value) || std::fabs(value) >= 1e9 || scaled != std::trunc(scaled))
        return false;
    // A whole number of 64ths has six decimals exactly (1/64 = 0.015625): the
    // "%f" text is its whole part, a point and 15625 times its 64ths.
    const long long sixtyFourths = (long long)std::fabs(scaled);
    char buffer[32];
    char* p = buffer;
    if (std::signbit(value))
        *p++ = '-';
    p = std::to_chars(p, buffer + sizeof buffer, sixtyFourths / 64).ptr;
    *p++ = '.';
    long millionths = (long)(sixtyFourths % 64) * 15625;
    for (int i = 5; i >= 0; --i, millionths /= 10)
        p[i] = (char)('0' + millionths % 10);
    text = CString(buffer, (int)(p + 6 - buffer));
    return true;
}

CString CMapFieldValue::GetSqlText() const
{
    const CString value = GetValueText();
    return value.IsEmpty() ? CString("NULL") : SqlText(value);
}
