// The map window tests' shared pieces: a top-level host that records the
// notifications its map window sends, a workspace made by the test (a layer of
// filled pies and a layer of nodes, stored in files), and a tool that records
// what reaches it.
#pragma once

#include "mapwindow/MapTool.h"
#include "mapwindow/MUIMap.h"
#include "model/objects/MapArc.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapNode.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/WndTestInput.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mwtest {

struct Notice {
    int action;
    void* object;
    int value;
};

// The map window's owner: records every map notification, in order.
class Host : public CWnd {
public:
    std::vector<Notice> notices;

    std::vector<int> Actions() const
    {
        std::vector<int> actions;
        for (const Notice& n : notices)
            actions.push_back(n.action);
        return actions;
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        const auto* block = reinterpret_cast<const MAPNOTIFY*>(lParam);
        if (block->hdr.code == MAPN_NOTIFY)
            notices.push_back({block->action, block->object, block->value});
        *result = 0;
        return TRUE;
    }
};

constexpr COLORREF kPieColour = RGB(200, 0, 0);
constexpr COLORREF kNodeColour = RGB(0, 0, 160);

// A workspace "map.kwz" in `folder` with the layer "Areas" (a red pie over the
// upper half of the circle through (0, 0) and (1000, 1000)) below the layer
// "Points" (a blue node at (2000, 900)), written and reopened through the map
// window's own save and load.
inline CString MakeWorkspace(const testsupport::TempFolder& folder)
{
    const CString path = folder.File("map.kwz");
    {
        CMUIMap writer;
        for (const char* name : {"Areas", "Points"})
            writer.GetMapModel()->AddLayer(new CMapLayer(name));
        EXPECT_TRUE(writer.SaveWorkspace(path));
    }
    CMUIMap filler;
    filler.LoadWorkspace(path);
    CMapModel* map = filler.GetMapModel();
    EXPECT_EQ(map->GetLayerCount(), 2);
    if (map->GetLayerCount() != 2)
        return path;
    auto* pie = new CMapArc(MAP_OBJECT_PIE);
    CArcGeometry g;
    g.ellipse = CDoubleRect(0.0, 0.0, 1000.0, 1000.0);
    g.start = CFloatPoint(2000, 500);
    g.end = CFloatPoint(-1000, 500);
    pie->SetGeometry(g);
    CMapStyle* style = pie->GetStyle();
    style->SetPenStyle(MAPPEN_SOLID);
    style->SetPenColor(kPieColour);
    style->SetBrushStyle(MAPBRUSH_SOLID);
    style->SetBrushColor(kPieColour);
    map->GetLayerAt(0)->AddObject(pie, TRUE);
    delete pie; // the layer keeps its row, not the object

    auto* node = new CMapNode;
    node->SetPosition(2000, 900);
    node->GetStyle()->SetSymbolColor(kNodeColour);
    node->GetStyle()->SetSymbolSize(16);
    map->GetLayerAt(1)->AddObject(node, TRUE); // the layer keeps nodes
    map->RecalcExtent();
    EXPECT_TRUE(map->SaveMapDatabase());
    return path;
}

// A tool of a number the program has none for: records what reaches it.
class RecordingTool : public CMapTool {
public:
    explicit RecordingTool(int number) : CMapTool(number) {}
    std::vector<std::string> calls;

    void OnLButtonDown(CMUIMap* map, UINT flags, int x, int y) override
    {
        calls.push_back("down");
        CMapTool::OnLButtonDown(map, flags, x, y);
    }
    void OnLButtonUp(CMUIMap* map, UINT flags, int x, int y) override
    {
        calls.push_back("up");
        CMapTool::OnLButtonUp(map, flags, x, y);
    }
    void OnMouseMove(CMUIMap* map, UINT flags, int x, int y) override
    {
        calls.push_back("move");
        CMapTool::OnMouseMove(map, flags, x, y);
    }
    void OnKeyDown(CMUIMap*, UINT key, UINT, UINT) override { calls.push_back("key " + std::to_string(key)); }
    void Reset() override { calls.push_back("reset"); }
};

// A map window of 400 x 300 pixels in a shown host.
class MapWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(map.Create(CRect(0, 0, 0, 0), &host, IDC_MAP_WINDOW, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        map.MoveWindow(0, 0, 400, 300, FALSE);
        host.ShowWindow(SW_SHOW);
        AfxTestProcessEvents();
        savedTool = g_currentTool;
    }
    void TearDown() override
    {
        g_currentTool = savedTool;
        map.DestroyWindow();
        host.DestroyWindow();
    }
    // Opens the test's workspace and fits it into the window.
    void OpenWorkspace()
    {
        map.LoadWorkspace(MakeWorkspace(folder));
        map.ZoomToExtent(nullptr);
        AfxTestProcessEvents();
    }
    CPoint Device(double x, double y) const
    {
        return CFloatPoint(x, y).ToDevice(map.GetXOffset(), map.GetYOffset(), map.GetZoom(), map.GetViewHeight());
    }

    testsupport::TempFolder folder{"kvmw"};
    ModalRecorder boxes;
    Host host;
    CMUIMap map;
    int savedTool = TOOL_SELECT;
};

}
