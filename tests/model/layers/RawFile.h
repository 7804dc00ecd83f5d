// Raw reads of a database file with SQLite alone, beside the program's own
// reading: what a file holds, whatever the map code makes of it.
#pragma once

#include "platform/base/CString.h"

#include <sqlite3.h>

#include <string>
#include <vector>

class RawFile {
public:
    explicit RawFile(const CString& path) { sqlite3_open_v2(path, &m_db, SQLITE_OPEN_READONLY, nullptr); }
    ~RawFile() { sqlite3_close(m_db); }
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    // The first column of the first row; -12345 without one.
    long long Int(const std::string& sql) const
    {
        sqlite3_stmt* stmt = nullptr;
        long long value = -12345;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        return value;
    }
    // The first column of the first row, the whole value with NULs included;
    // NULL reads as "<null>", no row as "<no row>".
    std::string Text(const std::string& sql) const
    {
        sqlite3_stmt* stmt = nullptr;
        std::string value = "<no row>";
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(stmt, 0);
            value = text ? std::string(reinterpret_cast<const char*>(text), (size_t)sqlite3_column_bytes(stmt, 0))
                         : std::string("<null>");
        }
        sqlite3_finalize(stmt);
        return value;
    }
    // The first column of every row, NULL as "<null>"; a statement that does
    // not prepare gives its error as the one value.
    std::vector<std::string> Column(const std::string& sql) const
    {
        std::vector<std::string> values;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            return {"<error: " + std::string(sqlite3_errmsg(m_db)) + ">"};
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(stmt, 0);
            values.push_back(text ? reinterpret_cast<const char*>(text) : "<null>");
        }
        sqlite3_finalize(stmt);
        return values;
    }

private:
    sqlite3* m_db = nullptr;
};
