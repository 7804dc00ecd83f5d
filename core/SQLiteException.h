// The error thrown by the SQLite wrapper when SQLite reports SQLITE_ERROR.
// Thrown by value, caught by reference; it carries only the database's text.
#pragma once

#include "platform/base/Afx.h"

class CSQLiteException {
public:
    explicit CSQLiteException(const CString& message) : m_message(message) {}

    const CString& GetMessage() const { return m_message; }

private:
    CString m_message;
};
