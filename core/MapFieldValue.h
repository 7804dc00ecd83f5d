// One attribute value of an object with a copy of its field's definition. Values
// are held as text and normalised by the field type when read or written.
#pragma once

#include "core/MapField.h"

class CMapFieldValue {
public:
    // Field "Field", STRING, width 20; empty value.
    CMapFieldValue();
    // An empty value of `field`.
    explicit CMapFieldValue(const CMapField& field);
    CMapFieldValue(const CMapFieldValue&) = default;
    CMapFieldValue& operator=(const CMapFieldValue&) = default;
    virtual ~CMapFieldValue() = default;

    // Archive form: the field's archive form, then the value text.
    virtual void Serialize(CArchive& ar);

    void InitFromField(const CMapField& field);
    const CMapField& GetField() const { return m_field; }

    // The value in the form of its type, without changing the stored text:
    // SHORT and INTEGER "%d", DOUBLE "%f", STRING cut to the width, BOOL "T"/"F".
    CString GetValueText() const;
    // Stores `text` normalised by the field type (BOOL: "T" only for "T" or "TRUE").
    void SetValueText(const CString& text);

    // The value as an SQL literal: NULL when GetValueText is empty, else the text
    // in single quotes with every quote doubled.
    CString GetSqlText() const;

    // The text a DOUBLE field holds after SetValueText of SQLite's rendering of
    // the REAL `value`, worked out from the number alone; false, with `text`
    // unchanged, for a value where the two could differ (only the rendering
    // will do then). True for finite values below 10^9 that are whole 64ths:
    // SQLite renders those exactly, having at most 15 significant digits.
    static bool DoubleFieldText(double value, CString& text);

private:
    CMapField m_field;
    CString m_value;
};
