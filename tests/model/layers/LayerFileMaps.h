// A layer on a fresh file, a new map that opens it, and a map that lets its
// files go: what a test needs to read objects back through the files rather
// than from memory.
#pragma once

#include "core/MapField.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"

#include <memory>
#include <vector>

namespace layerfile {

// Creates the file `path` of a layer `name` with `fields`; whether it was made.
inline bool CreateLayerFile(const CString& path, const char* name, const std::vector<CMapField>& fields)
{
    CMapLayer probe(name);
    for (const CMapField& field : fields)
        probe.AddField(field);
    CMapModel creator;
    return creator.CreateLayerDatabase(path, &probe) == 1;
}

// A new map in `model` with the file `path` opened into a new layer, which is
// returned (null when the file does not open). Its view is a window `size`
// pixels square with map (0, 0) at its bottom left, `zoom` pixels a unit.
inline CMapLayer* OpenInNewMap(std::unique_ptr<CMapModel>& model, const CString& path, int size, double zoom)
{
    model = std::make_unique<CMapModel>();
    if (!model->OpenLayer(path, nullptr))
        return nullptr;
    CMapLayer* layer = model->GetLastLayer();
    model->SetClientRect(RECT{0, 0, size, size});
    model->SetZoom(zoom);
    model->SetXOffset(0);
    model->SetYOffset(0);
    model->UpdateViewRect(0, 0);
    return layer;
}

// Closes the database of every layer of `map`, so that another map may open
// the files: a layer file in use by one map does not open in another.
inline void LetFilesGo(CMapModel& map)
{
    for (int i = 0; i < map.GetLayerCount(); ++i)
        map.GetLayerAt(i)->CloseDatabase();
}

} // namespace layerfile
