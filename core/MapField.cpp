// Attribute fields: archive form, type names and the SQL column definitions.
#include "core/MapField.h"

#include "platform/base/CArchive.h"

CMapField::CMapField(const CString& name, int type, int width) : m_name(name), m_width(width), m_type(type) {}

void CMapField::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (SHORT)m_type;
        ar << (LONG)m_width;
        ar << m_name;
    } else {
        SHORT type = 0;
        LONG width = 0;
        ar >> type;
        ar >> width;
        ar >> m_name;
        m_type = type;
        m_width = width;
    }
}

BOOL CMapField::IsEqual(const CMapField& other) const
{
    return m_name == other.m_name && m_width == other.m_width && m_type == other.m_type;
}

BOOL CMapField::IsDifferent(const CMapField& other) const { return !IsEqual(other); }

void CMapField::TypeFromName(const CString& name)
{
    CString upper = name;
    upper.MakeUpper();
    if (upper == "SHORT")
        m_type = FIELD_TYPE_SHORT;
    else if (upper == "INTEGER")
        m_type = FIELD_TYPE_INTEGER;
    else if (upper == "DOUBLE")
        m_type = FIELD_TYPE_DOUBLE;
    else if (upper == "BOOL")
        m_type = FIELD_TYPE_BOOL;
    else
        m_type = FIELD_TYPE_STRING;
}

CString CMapField::GetTypeName() const
{
    switch (m_type) {
    case FIELD_TYPE_SHORT:
        return "SHORT";
    case FIELD_TYPE_INTEGER:
        return "INTEGER";
    case FIELD_TYPE_DOUBLE:
        return "DOUBLE";
    case FIELD_TYPE_BOOL:
        return "BOOL";
    default:
        return "STRING";
    }
}

CString CMapField::GetSqlTypeSuffix() const
{
    switch (m_type) {
    case FIELD_TYPE_SHORT:
        return " SMALLINT";
    case FIELD_TYPE_INTEGER:
        return " INT";
    case FIELD_TYPE_DOUBLE:
        return " DOUBLE";
    case FIELD_TYPE_BOOL:
        return " BOOL";
    default: {
        CString s;
        s.Format(" VARCHAR(%i)", (int)m_width);
        return s;
    }
    }
}
