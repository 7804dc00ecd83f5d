// One attribute field of a layer: name, type and width (the text length of
// STRING fields). A layer's fields are the columns of its _MapMetaData table.
#pragma once

#include "platform/base/Afx.h"

class CArchive;

// Field type codes, as stored in archives and shown by GetTypeName.
enum MapFieldType {
    FIELD_TYPE_SHORT = 0,
    FIELD_TYPE_INTEGER = 1,
    FIELD_TYPE_DOUBLE = 2,
    FIELD_TYPE_STRING = 3,
    FIELD_TYPE_BOOL = 4,
};

class CMapField {
public:
    CMapField(const CString& name, int type, int width);
    CMapField(const CMapField&) = default;
    CMapField& operator=(const CMapField&) = default;
    virtual ~CMapField() = default;

    // Archive form: type code (16-bit), width (32-bit), name (class-library string).
    virtual void Serialize(CArchive& ar);
    // Same name (case-sensitive), width and type.
    virtual BOOL IsEqual(const CMapField& other) const;
    virtual BOOL IsDifferent(const CMapField& other) const;

    void SetName(const CString& name) { m_name = name; }
    CString GetName() const { return m_name; }
    void SetType(int type) { m_type = type; }
    int GetType() const { return m_type; }
    void SetWidth(int width) { m_width = width; }
    int GetWidth() const { return m_width; }

    // "SHORT", "INTEGER", "DOUBLE", "BOOL" in any case; anything else is STRING.
    void TypeFromName(const CString& name);
    // "STRING" for 3 and for any code outside the table.
    CString GetTypeName() const;
    // Column type of the field in _MapMetaData, with its leading blank:
    // " SMALLINT", " INT", " DOUBLE", " VARCHAR(width)" or " BOOL".
    CString GetSqlTypeSuffix() const;

private:
    CString m_name;
    LONG m_width;
    LONG m_type;
};
