// Shared pieces of the tests of workspace and layer files as the user keeps
// them: a workspace whose two layers hold objects of several kinds with
// styles, labels and attributes; a text of everything a map holds, to compare
// a map with its reopening; and work run in a new process, which shares no
// connection and no cache with the test.
#pragma once

#include "tests/mapwindow/workspace/WorkspaceTestSupport.h"

#include "core/SQLiteDatabase.h"
#include "core/Settings.h"
#include "model/objects/MapNode.h"
#include "model/polygons/MapPolygon.h"
#include "model/polygons/MapPolyline.h"
#include "model/objects/MapText.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace wstest {

// Runs `work` in a child process; its exit status, or -1 when it did not end
// normally. The child ends without unwinding the test's own state.
inline int InNewProcess(const std::function<int()>& work)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        int status = 1;
        try {
            status = work();
        } catch (...) {
            status = 2;
        }
        _exit(status);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::string ReadText(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteText(const CString& path, const std::string& text)
{
    std::ofstream(path.GetString(), std::ios::binary | std::ios::trunc) << text;
}

inline std::string Hex(const BYTE* p, size_t n)
{
    std::string out;
    char byte[3];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(byte, sizeof byte, "%02x", p[i]);
        out += byte;
    }
    return out;
}

inline std::string RectText(const CDoubleRect& r)
{
    std::ostringstream out;
    out.precision(17);
    out << r.left << " " << r.bottom << " " << r.right << " " << r.top;
    return out.str();
}

// Everything of a map that its files store: the view, units, projection and
// extent; each layer's name, flags, style, bounds, label field and fields; and
// each object's id, kind, boundary, style or text record, label and values.
inline std::string Describe(CMapModel* map)
{
    std::ostringstream out;
    out.precision(17);
    out << "view " << map->GetXOffset() << " " << map->GetYOffset() << " " << map->GetZoom() << " epsg "
        << map->GetProjectionCode() << "\n";
    const CMapUnits::Record units = map->GetUnits().ToRecord();
    out << "units " << Hex(units.data(), units.size()) << "\nextent " << RectText(map->GetExtent()) << "\n";
    for (POSITION pos = map->GetFirstLayerPosition(); pos;) {
        CMapLayer* layer = map->GetNextLayer(pos);
        out << "layer " << layer->GetName().GetString() << " flags " << layer->GetAutoLabel() << layer->IsEditable()
            << layer->GetOverride() << layer->IsVisible() << layer->IsSelectable() << " label "
            << layer->GetLabelField().GetString() << "\n";
        const CMapStyle::Record style = layer->GetStyle()->ToRecord();
        // The style's last word records edits, not the style.
        out << " style " << Hex(style.data(), style.size() - 4) << "\n bounds " << RectText(layer->GetBounds())
            << "\n";
        for (int i = 0; i < layer->GetFieldCount(); ++i)
            out << " field " << layer->GetField(i).GetName().GetString() << " " << layer->GetField(i).GetType()
                << "\n";
        CArray<int, int> ids;
        layer->GetAllIDs(ids, true);
        for (INT_PTR i = 0; i < ids.GetSize(); ++i) {
            CMapObject* object = layer->LoadObject(ids[i], TRUE);
            if (!object) {
                out << " object " << ids[i] << " unreadable\n";
                continue;
            }
            std::vector<BYTE> property = object->GetPropertyColumn();
            // The style's last word records edits, not the style.
            if (property.size() >= CMapStyle::kRecordSize)
                std::fill(property.begin() + CMapStyle::kRecordSize - 4, property.begin() + CMapStyle::kRecordSize, 0);
            out << " object " << ids[i] << " type " << object->GetType() << " at "
                << RectText(object->GetBoundary()) << "\n  property " << Hex(property.data(), property.size())
                << "\n  label " << object->GetLabel()->GetText().GetString() << "\n";
            for (int v = 0; v < object->GetAttributeCount(); ++v)
                out << "  value " << object->GetAttributeText(v).GetString() << "\n";
            if (!CMapLayer::IsPointObjectType(object->GetType()))
                delete object;
        }
    }
    return out.str();
}

// The description of the workspace at `path` as a new process opens it,
// followed by the texts of the messages it showed.
inline std::string DescribeInNewProcess(const CString& path, const CString& scratch)
{
    const int status = InNewProcess([&] {
        ModalRecorder boxes;
        CMUIMap window;
        window.LoadWorkspace(path);
        std::string text = Describe(window.GetMapModel());
        for (const MessageBoxRequest& box : boxes.Boxes())
            text += "message " + std::string(box.text.GetString()) + "\n";
        WriteText(scratch, text);
        return 0;
    });
    return status == 0 ? ReadText(scratch) : "the reading process failed";
}

// A node of `layer` at (x, y) with a label and one value per field: the name
// (with a quote) and the depth.
inline void AddWell(CMapLayer* layer, float x, float y, const char* name, double depth)
{
    auto* node = new CMapNode;
    node->SetPosition(x, y);
    node->GetStyle()->SetSymbolColor(RGB(0, 0, 200));
    node->GetLabel()->SetText(name);
    for (int f = 0; f < layer->GetFieldCount(); ++f)
        node->AddAttribute(CMapFieldValue(layer->GetField(f)));
    node->SetAttributeText(0, name);
    node->SetAttributeText(1, std::to_string(depth).c_str());
    layer->AddObject(node, FALSE); // the layer keeps its nodes
}

// A polygon of `layer` over (x, y) to (x + w, y + h) in its own pen colour.
inline void AddParcel(CMapLayer* layer, float x, float y, float w, float h, COLORREF pen)
{
    CMapPolygon parcel;
    for (const CFloatPoint& p : {CFloatPoint(x, y), CFloatPoint(x + w, y), CFloatPoint(x + w, y + h)})
        parcel.AddPoint(p);
    parcel.GetStyle()->SetPenColor(pen);
    layer->AddObject(&parcel, TRUE); // the layer keeps the rows, not the object
}

// A workspace "map.kwz" in `folder`: the layer "Wells" (fields Name and
// Depth, labelled by Name) with two wells, and the layer "Parcels" with a
// polygon, a polyline drawn with the layer's style and a text. Saved and closed.
inline CString MakeFilledWorkspace(const std::string& folder)
{
    std::filesystem::create_directories(folder);
    const CString path = (folder + "/map.kwz").c_str();
    {
        CMUIMap writer;
        CMapModel* map = writer.GetMapModel();
        auto* wells = new CMapLayer("Wells");
        wells->AddField(CMapField("Name", FIELD_TYPE_STRING, 40));
        wells->AddField(CMapField("Depth", FIELD_TYPE_DOUBLE, 8));
        wells->SetLabelFieldIndex(0);
        wells->SetAutoLabel(1);
        map->AddLayer(wells);
        auto* parcels = new CMapLayer("Parcels");
        parcels->GetStyle()->SetPenColor(RGB(0, 120, 0));
        map->AddLayer(parcels);
        EXPECT_TRUE(writer.SaveWorkspace(path));
    }
    CMUIMap filler;
    filler.LoadWorkspace(path);
    CMapModel* map = filler.GetMapModel();
    EXPECT_EQ(map->GetLayerCount(), 2);
    if (map->GetLayerCount() != 2)
        return path;
    AddWell(map->GetLayerAt(0), 100, 200, "North 'old' well", 12.5);
    AddWell(map->GetLayerAt(0), 400, 250, "South well", 3.25);
    CMapLayer* parcels = map->GetLayerAt(1);
    AddParcel(parcels, 50, 50, 300, 200, RGB(200, 0, 0));
    CMapPolyline road;
    for (const CFloatPoint& p : {CFloatPoint(0, 0), CFloatPoint(500, 100), CFloatPoint(600, 400)})
        road.AddPoint(p);
    road.SetUseLayerStyle(TRUE);
    parcels->AddObject(&road, TRUE);
    auto* text = new CMapText;
    text->PlaceAt(CDoubleRect(150.0, 300.0, 150.0, 300.0), 1.0);
    text->SetText("Mill");
    parcels->AddObject(text, TRUE); // the layer keeps its texts
    filler.SetViewOrigin(-20.5, 10.25);
    map->SetZoom(0.75);
    map->RecalcExtent();
    EXPECT_TRUE(map->SaveMapDatabase());
    return path;
}

// Maps without a coordinate system, so that no catalogue is read, and a busy
// timeout short enough for a test to wait it out.
class WorkspaceFiles : public Workspace {
protected:
    WorkspaceFiles() : m_savedSystem(g_CoordinationSystem), m_savedTimeout(CSQLiteDatabase::GetBusyTimeout())
    {
        g_CoordinationSystem = -1;
        CSQLiteDatabase::SetBusyTimeout(100);
    }
    ~WorkspaceFiles() override
    {
        g_CoordinationSystem = m_savedSystem;
        CSQLiteDatabase::SetBusyTimeout(m_savedTimeout);
    }

    std::string Sub(const char* name) const { return folder.Path() + "/" + name; }

private:
    int m_savedSystem;
    int m_savedTimeout;
};

}
