// Attribute values: texts normalised by the field type, cut to the field width
// without splitting a UTF-8 character, and their SQL and archive forms.
#include "core/MapFieldValue.h"

#include "core/SQLiteDatabase.h"
#include "core/Utilities.h"

#include "platform/base/CArchive.h"

#include <cctype>
#include <cstdlib>

namespace {
// The first `width` bytes, shortened further so that no UTF-8 sequence is cut
// in two (the 8-bit code page here is UTF-8).
CString CutToWidth(const CString& text, int width)
{
    if (width <= 0)
        return CString();
    if (text.GetLength() <= width)
        return text;
    // A continuation byte at the cut means a character straddles it: leave it out whole.
    int end = width;
    while (end > 0 && ((BYTE)text[end] & 0xC0) == 0x80)
        --end;
    return text.Left(end);
}

// Whether `text` is a number exactly as the type writes it ("%d", or "%f" with
// `decimals`: six decimals) with at most `maxDigits` digits before the point:
// within that range reading it and writing it again gives the same text, so a
// value read back from a file need not be formatted again. "-0" is not how an
// integer is written.
bool IsWrittenForm(const CString& text, int maxDigits, bool decimals)
{
    const char* p = text.GetString();
    const char* const end = p + text.GetLength();
    const bool negative = p < end && *p == '-';
    if (negative)
        ++p;
    const char* const digits = p;
    while (p < end && *p >= '0' && *p <= '9')
        ++p;
    const long n = p - digits;
    if (n == 0 || n > maxDigits || (n > 1 && *digits == '0'))
        return false;
    if (!decimals)
        return p == end && !(negative && *digits == '0');
    if (end - p != 7 || *p != '.')
        return false;
    for (++p; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return false;
    }
    return true;
}

CString Normalise(const CString& text, const CMapField& field)
{
    CString out;
    switch (field.GetType()) {
    case FIELD_TYPE_SHORT:
        // |value| < 10^4 fits a SHORT; < 10^9 an INTEGER; a double below 10^9
        // (2^30) is held to far better than a millionth.
        if (IsWrittenForm(text, 4, false))
            return text;
        out.Format("%d", (int)(SHORT)(WORD)AtolClamped32(text));
        break;
    case FIELD_TYPE_INTEGER:
        if (IsWrittenForm(text, 9, false))
            return text;
        out.Format("%d", AtolClamped32(text));
        break;
    case FIELD_TYPE_DOUBLE:
        if (IsWrittenForm(text, 9, true))
            return text;
        out.Format("%f", std::atof(text));
        break;
    case FIELD_TYPE_STRING:
        out = CutToWidth(text, field.GetWidth());
        break;
    default:
        break;
    }
    return out;
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

CString CMapFieldValue::GetSqlText() const
{
    const CString value = GetValueText();
    return value.IsEmpty() ? CString("NULL") : SqlText(value);
}
