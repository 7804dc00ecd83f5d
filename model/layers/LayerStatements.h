// The prepared statements a layer keeps on its file, one per SQL text, reset
// between uses. They must all be finalized before the file is compacted,
// closed or its schema changed (a kept statement would keep the file busy or
// run against the old schema): CMapLayer::FinalizeStatements does that.
#pragma once

#include "platform/base/Afx.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

class CSQLiteDatabase;
class CSQLiteStatement;

class CLayerStatements {
public:
    CLayerStatements();
    ~CLayerStatements();
    CLayerStatements(const CLayerStatements&) = delete;
    CLayerStatements& operator=(const CLayerStatements&) = delete;

    // The statement for `sql` on `db`, reset with no bindings; prepared on first
    // use. A statement that does not prepare throws CSQLiteException.
    CSQLiteStatement& Get(CSQLiteDatabase* db, std::string_view sql);
    void FinalizeAll();

private:
    CSQLiteDatabase* m_pDatabase = nullptr;
    // Looked up by the text itself: a use builds no key.
    std::map<std::string, std::unique_ptr<CSQLiteStatement>, std::less<>> m_Statements;
};
