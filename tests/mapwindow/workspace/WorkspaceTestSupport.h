// The workspace tests' shared pieces: a temporary folder, a reader of
// workspace and layer files with a connection of its own, and maps filled with
// layers of given names, flags, bounds and pens.
#pragma once

#include "core/SQLiteDatabase.h"
#include "core/SQLiteStatement.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "mapwindow/MUIMap.h"
#include "platform/testing/ModalRecorder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace wstest {

using Bytes = std::vector<BYTE>;

class TempFolder : public testsupport::TempFolder {
public:
    TempFolder() : testsupport::TempFolder("kvws") {}
};

inline Bytes FileBytes(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads a workspace file with its own connection.
class Reader {
public:
    explicit Reader(const CString& path) { m_db.Open(path); }

    // Column names and declared types of a table, in order.
    std::vector<std::pair<std::string, std::string>> Schema(const char* table)
    {
        CString sql;
        sql.Format("pragma table_info(%s);", table);
        std::vector<std::pair<std::string, std::string>> columns;
        CSQLiteStatement stmt;
        m_db.Prepare(sql, stmt);
        while (stmt.Step() == SQLITE_ROW)
            columns.emplace_back(stmt.ColumnText(1).GetString(), stmt.ColumnText(2).GetString());
        return columns;
    }

    // One row; every column as its text (BLOBs as their size).
    std::vector<std::string> Row(const char* sql)
    {
        CSQLiteStatement stmt;
        m_db.Prepare(sql, stmt);
        std::vector<std::string> row;
        if (stmt.Step() != SQLITE_ROW)
            return row;
        for (int i = 0; i < stmt.ColumnCount(); ++i) {
            if (stmt.ColumnType(i) == SQLITE_BLOB)
                row.push_back("blob" + std::to_string(stmt.ColumnBytes(i)));
            else
                row.push_back(stmt.ColumnText(i).GetString());
        }
        return row;
    }

    Bytes Blob(const char* sql)
    {
        CSQLiteStatement stmt;
        m_db.Prepare(sql, stmt);
        if (stmt.Step() != SQLITE_ROW)
            return {};
        const BYTE* p = static_cast<const BYTE*>(stmt.ColumnBlob(0));
        return Bytes(p, p + stmt.ColumnBytes(0));
    }

    double Double(const char* sql)
    {
        CSQLiteStatement stmt;
        m_db.Prepare(sql, stmt);
        return stmt.Step() == SQLITE_ROW ? stmt.ColumnDouble(0) : -1;
    }

    void Exec(const char* sql)
    {
        CSQLiteStatement stmt;
        m_db.Prepare(sql, stmt);
        stmt.Execute();
    }

private:
    CSQLiteDatabase m_db;
};

struct LayerSpec {
    const char* name;
    int autoLabel, editable, override_, visible, selectable;
    CDoubleRect bounds;
    COLORREF pen;
};

class Workspace : public ::testing::Test {
protected:
    // Builds a map with the given layers in `window` (layers are kept in memory only).
    static void Fill(CMUIMap& window, const std::vector<LayerSpec>& layers)
    {
        CMapModel* map = window.GetMapModel();
        for (const LayerSpec& spec : layers) {
            auto* layer = new CMapLayer(spec.name);
            layer->SetAutoLabel(spec.autoLabel);
            layer->SetEditable(spec.editable);
            layer->SetOverride(spec.override_);
            layer->SetVisible(spec.visible);
            layer->SetSelectable(spec.selectable);
            layer->SetBounds(spec.bounds);
            layer->GetStyle()->SetPenColor(spec.pen);
            map->AddLayer(layer);
        }
    }

    TempFolder folder;
    ModalRecorder boxes;
};

inline const std::vector<LayerSpec> kTwoLayers = {
    {"Roads", 1, 1, 0, 1, 0, CDoubleRect(1.0, 2.0, 3.0, 4.0), RGB(10, 0, 0)},
    {"River banks", 0, 0, 1, 0, 1, CDoubleRect(-5.0, -6.0, 7.5, 8.25), RGB(0, 20, 0)},
};

}
