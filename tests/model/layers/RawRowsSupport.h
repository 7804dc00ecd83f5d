// Layer files written row by row with SQLite itself: the stored layouts of
// the geometry kinds as bytes, rows inserted as another program (or a damaged
// disk) may leave them, and a layer file made by the map code to hold them.
#pragma once

#include "core/DoubleRect.h"
#include "core/MapStyle.h"
#include "core/ObjectTypes.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapObject.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "tests/model/layers/LayerFileMaps.h"
#include "tests/model/layers/RawFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cfloat>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace rawrows {

using Blob = std::vector<BYTE>;

inline void PutFloat(Blob& b, float v)
{
    BYTE bytes[4];
    MapRecord::PutFloat(bytes, v);
    b.insert(b.end(), bytes, bytes + 4);
}

inline void PutDouble(Blob& b, double v)
{
    unsigned long long bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        b.push_back((BYTE)(bits >> (8 * i)));
}

// Records of x, y pairs; a pair may be a separator.
inline Blob Records(std::initializer_list<std::pair<float, float>> points)
{
    Blob b;
    for (const auto& [x, y] : points)
        PutFloat(b, x), PutFloat(b, y);
    return b;
}

inline const std::pair<float, float> kHole{FLT_MIN, FLT_MIN};
inline const std::pair<float, float> kPart{FLT_MAX, FLT_MAX};

inline Blob ArcRecord(float sx, float sy, float ex, float ey, double l, double t, double r, double b)
{
    Blob blob = Records({{sx, sy}, {ex, ey}});
    blob.resize(blob.size() + 8, 0);   // the rectangle record's reserved header
    for (double v : {l, t, r, b})
        PutDouble(blob, v);
    return blob;
}

inline Blob Bounds(double l, double t, double r, double b)
{
    const CDoubleRect::Record record = CDoubleRect(l, t, r, b).ToRecord();
    return Blob(record.begin(), record.end());
}

struct Row {
    int id;
    int type;
    Blob geometry;
    Blob boundary;
    bool nullGeometry = false;
    bool nullBoundary = false;
};


class RawRowsTest : public ::testing::Test {
protected:
    RawRowsTest() : m_folder("kvrawrows") { path = m_folder.File("Test.klz"); }

    // A layer file made by the map code holding `rows`, with no saved index,
    // so that the opening builds it from the rows.
    void MakeFile(const std::vector<Row>& rows)
    {
        std::filesystem::remove(path.GetString());
        ASSERT_TRUE(layerfile::CreateLayerFile(path, "Test", {}));
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path, &db), SQLITE_OK);
        sqlite3_exec(db, "begin; delete from _MapProperty where ROWID=2;", nullptr, nullptr, nullptr);
        for (const Row& row : rows)
            Insert(db, row);
        sqlite3_exec(db, "commit;", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    static void Insert(sqlite3* db, const Row& row)
    {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "insert into _MapGeoData values(?, NULL, NULL, NULL, ?, ?, ?, 0, -1);", -1, &stmt,
                           nullptr);
        sqlite3_bind_int(stmt, 1, row.id);
        if (!row.nullBoundary)
            sqlite3_bind_blob(stmt, 2, row.boundary.data(), (int)row.boundary.size(), SQLITE_TRANSIENT);
        if (!row.nullGeometry)
            sqlite3_bind_blob(stmt, 3, row.geometry.data(), (int)row.geometry.size(), SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 4, row.type);
        ASSERT_EQ(sqlite3_step(stmt), SQLITE_DONE) << sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        const std::string meta = "insert into _MapMetaData(mapeID) values(" + std::to_string(row.id) + ");";
        sqlite3_exec(db, meta.c_str(), nullptr, nullptr, nullptr);
    }
    long long RawCount() const { return RawFile(path).Int("select count(*) from _MapGeoData;"); }

    // A new map with the file opened into a new layer, showing map (0, 0) to
    // (100, 100) at one unit per pixel in a client area of 100 x 100.
    void Open()
    {
        layer = nullptr;
        layer = layerfile::OpenInNewMap(model, path, 100, 1.0);
        ASSERT_NE(layer, nullptr);
    }

    testsupport::TempFolder m_folder;
    CString path;
    std::unique_ptr<CMapModel> model;
    CMapLayer* layer = nullptr;
};

// A white surface of 100 x 100 pixels to draw a layer on.
class Surface {
public:
    Surface()
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(100, 100, 1, 32, nullptr);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 100, 100, RGB(255, 255, 255));
    }
    ~Surface() { dc.SelectObject(old); }
    void Draw(CMapLayer* layer, double originX = 0, double originY = 0, double zoom = 1)
    {
        layer->Draw(&dc, &client, &originX, &originY, &zoom);
    }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    RECT client{0, 0, 100, 100};
};

}
