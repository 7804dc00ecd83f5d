// Fuzz target of one geometry kind (KV_FUZZ_GEOMETRY_TYPE, its type code): the
// input is the mapeGeoData of a row of that kind, stored in a real layer file
// beside a sound polygon. The file is opened into a map, drawn, hit, and the
// row is read, measured, cloned and saved whatever the opening thought of it.
// Findings: the row's fate differs from its kind's check (a damaged row
// loaded, or a sound one refused), the sound polygon lost, a NaN measure of a
// loaded row, or anything the sanitizers see.
#include "fuzz/FuzzTarget.h"

#include "core/DoubleRect.h"
#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapObject.h"
#include "model/geometry/StoredGeometry.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/testing/FuzzPlatform.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#ifndef KV_FUZZ_GEOMETRY_TYPE
#error "KV_FUZZ_GEOMETRY_TYPE names the kind this target stores"
#endif

namespace {
// Inputs above this are cut: the layouts need no more to show their faults.
constexpr size_t kMaxInput = 1 << 16;

bool InsertRow(sqlite3* db, int id, int type, const void* geometry, int size, const CDoubleRect& boundary)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "insert into _MapGeoData values(?, NULL, NULL, NULL, ?, ?, ?, 0, -1);", -1, &stmt,
                           nullptr)
        != SQLITE_OK)
        return false;
    const CDoubleRect::Record record = boundary.ToRecord();
    sqlite3_bind_int(stmt, 1, id);
    sqlite3_bind_blob(stmt, 2, record.data(), CDoubleRect::kRecordSize, SQLITE_TRANSIENT);
    sqlite3_bind_blob(stmt, 3, geometry, size, SQLITE_TRANSIENT);
    sqlite3_bind_int(stmt, 4, type);
    const bool done = sqlite3_step(stmt) == SQLITE_DONE;
    sqlite3_finalize(stmt);
    const std::string meta = "insert into _MapMetaData(mapeID) values(" + std::to_string(id) + ");";
    return done && sqlite3_exec(db, meta.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// A fresh layer file holding the fuzzed row (id 1) and a sound triangle (id 2).
bool MakeLayerFile(const std::string& path, const uint8_t* data, size_t size)
{
    std::filesystem::remove(path);
    {
        CMapModel creator;
        CMapLayer probe("Fuzzed");
        if (creator.CreateLayerDatabase(CString(path.c_str()), &probe) != 1)
            return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        return false;
    static const uint8_t kEmpty = 0;
    // A triangle of (60, 60), (90, 60), (60, 90) as its little-endian floats.
    static const uint8_t kTriangle[] = {0, 0, 0x70, 0x42, 0, 0, 0x70, 0x42, 0, 0, 0xB4, 0x42,
                                        0, 0, 0x70, 0x42, 0, 0, 0x70, 0x42, 0, 0, 0xB4, 0x42};
    const bool made = sqlite3_exec(db, "begin; delete from _MapProperty where ROWID=2;", nullptr, nullptr, nullptr) == SQLITE_OK
                   && InsertRow(db, 1, KV_FUZZ_GEOMETRY_TYPE, size ? data : &kEmpty, (int)size,
                                CDoubleRect(0.0, 50.0, 50.0, 0.0))
                   && InsertRow(db, 2, 6, kTriangle, (int)sizeof kTriangle, CDoubleRect(60.0, 90.0, 90.0, 60.0))
                   && sqlite3_exec(db, "commit;", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return made;
}

void Measure(CMapObject* object, bool loaded)
{
    const double length = object->GetLength(nullptr), area = object->GetArea(nullptr);
    if (loaded) {
        FuzzCheck(!std::isnan(length), "a loaded row measures a NaN length");
        FuzzCheck(!std::isnan(area), "a loaded row measures a NaN area");
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartFuzzPlatform();
    size = std::min(size, kMaxInput);
    const std::string path = FuzzScratchFolder() + "/Fuzzed.klz";
    if (!MakeLayerFile(path, data, size))
        return 0;
    const bool sound = FindStoredGeometryFault(KV_FUZZ_GEOMETRY_TYPE, size ? data : nullptr, (int)size) == nullptr;

    CMapModel map;
    try {
        FuzzCheck(map.OpenLayer(CString(path.c_str()), nullptr) != FALSE, "the layer file does not open");
        CMapLayer* layer = map.GetLastLayer();
        FuzzCheck(layer->GetObjectCount() == (sound ? 2 : 1), "the row's fate differs from its kind's check");
        map.SetClientRect(RECT{0, 0, 100, 100});
        map.SetZoom(1.0);
        map.SetXOffset(0);
        map.SetYOffset(0);
        map.UpdateViewRect(0, 0);

        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateBitmap(100, 100, 1, 32, nullptr);
        CBitmap* old = dc.SelectObject(&bitmap);
        RECT client{0, 0, 100, 100};
        double ox = 0, oy = 0, zoom = 1;
        layer->Draw(&dc, &client, &ox, &oy, &zoom);
        dc.SelectObject(old);
        for (const CPoint at : {CPoint(25, 75), CPoint(65, 35)}) {
            std::unique_ptr<CMapObject> hit(layer->HitTest(at.x, at.y, &ox, &oy, &zoom, TRUE));
            if (hit && at.x == 65)
                FuzzCheck(hit->GetMapeID() == 2, "the sound polygon is not where it was stored");
        }

        // Read by id, as undo and the selection read: refused or not, the
        // reader keeps within the row.
        for (int id : {1, 2}) {
            std::unique_ptr<CMapObject> object(layer->LoadObject(id, TRUE));
            if (!object)
                continue;
            Measure(object.get(), id == 2 || sound);
            if (id == 1 && !sound)
                continue;
            object->LoadGeometry();
            std::unique_ptr<CMapObject> clone(object->Clone(layer));
            FuzzCheck(clone->GetMapeID() > 2, "a clone took an id in use");
        }
        layer->SaveProperties();
        FuzzCheck(layer->GetObjectCount() == (sound ? 4 : 2), "the clones are not counted once each");
    } catch (const CSQLiteException&) {
        // A clean error is a fine answer to what a file holds.
    }
    return 0;
}
