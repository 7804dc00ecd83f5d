// The GPS fields of a layer and the storing of a recorded node.
#include "gps/recording/GpsLayerRecording.h"

#include "core/MapField.h"
#include "core/MapStyle.h"
#include "core/SQLiteException.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapNotify.h"
#include "model/layers/MapObject.h"
#include "model/layers/MapWindowLink.h"

#include <vector>

CString PrepareGpsLayerFields(CMapLayer* layer)
{
    std::vector<CMapField> before;
    for (int i = 0; i < layer->GetFieldCount(); ++i)
        before.push_back(layer->GetField(i));
    const CString oldColumns = layer->GetMetaDataColumns();
    for (const char* name : {"Latitude", "Longitude", "SatelliteView", "Time"})
        layer->AddField(CMapField(name, 3, 128));
    const CString newColumns = layer->GetMetaDataColumns();
    CString kept = "mapeID";
    for (const CMapField& field : before) {
        if (!layer->HasField(field))
            continue;
        CString name = field.GetName();
        CMapLayer::MakeFieldNameSafe(name);
        kept += "," + name;
    }
    try {
        layer->RebuildMetaDataTable(oldColumns, kept, newColumns);
    } catch (const CSQLiteException& e) {
        return e.GetMessage();
    }
    return CString();
}

CString StoreGpsNode(CMapWindowLink& map, CMapObject* node, double latitude, double longitude,
                     const CString& satellites, const CString& time)
{
    if (CMapStyle* style = node->GetStyle())
        style->SetSymbolChar('.');
    CString value;
    value.Format("%f", latitude);
    node->SetAttributeByName("Latitude", value);
    value.Format("%f", longitude);
    node->SetAttributeByName("Longitude", value);
    node->SetAttributeByName("SatelliteView", satellites);
    node->SetAttributeByName("Time", time);
    CString error;
    try {
        if (CMapLayer* layer = node->GetLayer()) {
            layer->RewriteObject(node);
            node->SetAttributesModified(TRUE);
            node->SaveChanges();
        }
    } catch (const CSQLiteException& e) {
        error = e.GetMessage();
    }
    map.InvalidateObject(node);
    map.NotifyParent(MAPA_OBJECT_EXTENDED, node, 0);
    map.DeselectObject(node, TRUE);
    return error;
}
