// Writes the seed inputs of the fuzz targets into <folder>/<target>/ (fuzz/corpus/ in the tree):
// records from the project's own writers, with ordinary and extreme values, and a layer file and a
// workspace made by the map code. Run: fuzz_make_seeds fuzz/corpus
#include "core/DoubleRect.h"
#include "core/MapField.h"
#include "core/MapLabel.h"
#include "core/MapStyle.h"
#include "core/MapUnits.h"
#include "mapwindow/MUIMap.h"
#include "model/LayerIndexEntry.h"
#include "model/MapImage.h"
#include "model/MapLayer.h"
#include "model/MapModel.h"
#include "model/MapText.h"
#include "platform/testing/FuzzPlatform.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
std::filesystem::path g_root;

void Write(const char* target, const char* name, const void* data, size_t size)
{
    const std::filesystem::path folder = g_root / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary | std::ios::trunc).write(static_cast<const char*>(data), (std::streamsize)size);
}

template <class Record>
void WriteRecord(const char* target, const char* name, const Record& record)
{
    Write(target, name, record.data(), record.size());
}

void CopyFile(const char* target, const char* name, const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Write(target, name, bytes.data(), bytes.size());
}
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
        return 2;
    }
    g_root = argv[1];
    StartFuzzPlatform();

    WriteRecord("rect_record", "unit", CDoubleRect(0.0, 0.0, 1.0, 1.0).ToRecord());
    WriteRecord("rect_record", "far", CDoubleRect(-1e300, -1e300, 1e300, 1e300).ToRecord());
    WriteRecord("rect_record", "nan", CDoubleRect(std::nan(""), 0.0, (double)INFINITY, -(double)INFINITY).ToRecord());

    CMapStyle style;
    WriteRecord("style_record", "default", style.ToRecord());
    style.SetPenWidth(1e30f);
    style.SetSymbolSize(-2147483647);
    style.SetTextAngle(3599);
    WriteRecord("style_record", "extreme", style.ToRecord());

    CMapLabel label;
    label.SetAnchor(CFloatPoint(10, 10));
    label.SetRotation(450, 0);
    WriteRecord("label_record", "turned", label.ToRecord());
    label.SetAnchor(CFloatPoint(std::nanf(""), INFINITY));
    label.SetBackground(1);
    WriteRecord("label_record", "nan-anchor", label.ToRecord());

    WriteRecord("units_record", "default", CMapUnits().ToRecord());

    CMapText text;
    WriteRecord("text_record", "default", text.ToRecord());
    text.SetFontSize(1e30f);
    WriteRecord("text_record", "huge-font", text.ToRecord());

    const std::vector<BYTE> image = CMapImage().GetPropertyColumn();
    Write("image_record", "default", image.data(), image.size());

    LayerIndexEntry entry;
    entry.id = 7;
    entry.rect = CDoubleRect(1.0, 2.0, 3.0, 4.0);
    LayerIndexEntry::Record index{};
    entry.WriteRecord(index.data());
    WriteRecord("index_record", "one", index);

    const unsigned char strings[][12] = {
        {FIELD_TYPE_STRING, 5, 0, 'a', 'b', 0xC3, 0xA9, 'c', 'd', '\'', 'e', 0},
        {FIELD_TYPE_DOUBLE, 8, 0, '1', 'e', '3', '0', '8', '0', 0, 0, 0},
        {FIELD_TYPE_SHORT, 8, 0, '-', '4', '0', '0', '0', '0', 0, 0, 0},
    };
    Write("field_value", "string", strings[0], 11);
    Write("field_value", "double", strings[1], 9);
    Write("field_value", "short", strings[2], 9);

    // A layer file and a workspace naming it, made by the map code in a scratch folder.
    const std::string folder = FuzzScratchFolder() + "/seeds";
    std::filesystem::create_directories(folder);
    {
        CMapModel model;
        CMapLayer layer("roads");
        model.CreateLayerDatabase(CString((folder + "/roads.klz").c_str()), &layer);
    }
    CopyFile("layer_file", "empty-layer", folder + "/roads.klz");
    {
        CMUIMap map;
        map.GetMapModel()->AddLayer(new CMapLayer("roads"));
        map.SaveWorkspace(CString((folder + "/map.kws").c_str()));
    }
    CopyFile("workspace_file", "one-layer", folder + "/map.kws");
    std::printf("seeds written to %s\n", argv[1]);
    return 0;
}
