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
    return text.Left(CString::Utf8FitLength(text.GetString(), text.GetLength(), width));
}

CString Normalise(const CString& text, const CMapField& field)
{
    CString out;
    switch (field.GetType()) {
    case FIELD_TYPE_SHORT:
        out.Format("%d", (int)(SHORT)(WORD)AtolClamped32(text));
        break;
    case FIELD_TYPE_INTEGER:
        out.Format("%d", AtolClamped32(text));
        break;
    case FIELD_TYPE_DOUBLE:
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
