// The commands of the document and of the map window that open the layer and
// map dialogs: they are enabled by their hooks and do what follows a dialog's
// answer. The dialogs themselves are stood in for by hooks of the test.
#include "tests/mapwindow/window/MapWindowTestSupport.h"

#include "mapwindow/MUIDoc.h"
#include "mapwindow/MapDialogHooks.h"
#include "model/layers/MapNotify.h"
#include "platform/testing/CmdUIProbe.h"
#include "platform/testing/DialogAnswerer.h"
#include "resources/resource.h"

#include <algorithm>

namespace mwtest {
namespace {

class DialogCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(map().Create(CRect(0, 0, 400, 300), &host, IDC_MAP_WINDOW, WS_CHILD | WS_VISIBLE));
        AfxTestProcessEvents();
    }
    void TearDown() override
    {
        MapDialogHooks() = saved;
        map().DestroyWindow();
        host.DestroyWindow();
    }
    CMUIMap& map() { return *doc->GetMapWnd(); }
    bool Enabled(CCmdTarget& target, UINT id) { return CmdUIProbe::Update(target, id).enabled; }
    void Command(CCmdTarget& target, UINT id)
    {
        target.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
        AfxTestProcessEvents();
    }
    int Invalidations() const
    {
        return (int)std::count_if(host.notices.begin(), host.notices.end(),
                                  [](const Notice& n) { return n.action == MAPA_MAP_INVALIDATED; });
    }

    CMapDialogHooks saved = MapDialogHooks();
    testsupport::TempFolder folder{"kvdlgcmd"};
    ModalRecorder boxes;
    Host host;
    std::unique_ptr<CMUIDoc> doc = std::make_unique<CMUIDoc>();
};

TEST_F(DialogCommands, ACommandWithoutItsDialogIsOff)
{
    MapDialogHooks() = CMapDialogHooks();
    for (UINT id : {ID_LAYER_CONTROL, ID_NEW_LAYER, ID_LAYER_STRUCTURE, ID_MAP_OPTION})
        EXPECT_FALSE(Enabled(*doc, id)) << id;
    for (UINT id : {ID_MAP_NEW_LAYER, ID_MAP_LAYER_CONTROL})
        EXPECT_FALSE(Enabled(map(), id)) << id;

    MapDialogHooks().renameLayer = [](CString&, CWnd*) -> INT_PTR { return IDCANCEL; };
    MapDialogHooks().layerControl = [](CMUIMap&, CWnd*) -> INT_PTR { return IDCANCEL; };
    MapDialogHooks().layerStructure = [](CMUIMap&, CMapLayer*, CWnd*) -> INT_PTR { return IDCANCEL; };
    MapDialogHooks().mapProperty = [](CMUIDoc&) -> INT_PTR { return IDCANCEL; };
    for (UINT id : {ID_LAYER_CONTROL, ID_NEW_LAYER, ID_LAYER_STRUCTURE, ID_MAP_OPTION})
        EXPECT_TRUE(Enabled(*doc, id)) << id;
    EXPECT_TRUE(Enabled(map(), ID_MAP_NEW_LAYER));
    EXPECT_FALSE(Enabled(map(), ID_MAP_LAYER_CONTROL)) << "no layer yet";
    map().GetMapModel()->AddLayer(new CMapLayer("Roads"));
    EXPECT_TRUE(Enabled(map(), ID_MAP_LAYER_CONTROL));
}

TEST_F(DialogCommands, NewLayerNamesTheLayerMakesItsFileAndShowsItsStructure)
{
    std::vector<CMapLayer*> shown;
    CString answer = "Roads";
    MapDialogHooks().renameLayer = [&](CString& name, CWnd*) -> INT_PTR {
        EXPECT_TRUE(name.IsEmpty());
        name = answer;
        return answer.IsEmpty() ? IDCANCEL : IDOK;
    };
    MapDialogHooks().layerStructure = [&](CMUIMap& window, CMapLayer* layer, CWnd*) -> INT_PTR {
        EXPECT_EQ(&window, &map());
        shown.push_back(layer);
        return IDOK;
    };
    {
        DialogAnswerer files;
        files.ThenFile(folder.File("Roads.klz"));
        Command(*doc, ID_NEW_LAYER);
        ASSERT_EQ(files.Dialogs().size(), 1u);
    }
    ASSERT_EQ(map().GetMapModel()->GetLayerCount(), 1);
    CMapLayer* layer = map().GetMapModel()->GetFirstLayer();
    EXPECT_EQ(layer->GetName(), "Roads");
    EXPECT_TRUE(std::filesystem::exists(folder.File("Roads.klz").GetString()));
    EXPECT_EQ(shown, (std::vector<CMapLayer*>{layer}));

    // A cancelled name asks for no file and makes no layer; the map window's
    // own item makes a layer without the structure dialog.
    answer.Empty();
    {
        DialogAnswerer files;
        Command(*doc, ID_NEW_LAYER);
        EXPECT_TRUE(files.Dialogs().empty());
    }
    answer = "Rivers";
    {
        DialogAnswerer files;
        files.ThenFile(folder.File("Rivers.klz"));
        Command(map(), ID_MAP_NEW_LAYER);
    }
    EXPECT_EQ(map().GetMapModel()->GetLayerCount(), 2);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(DialogCommands, LayerControlAndOptionRedrawTheMapOnlyAfterOk)
{
    map().GetMapModel()->AddLayer(new CMapLayer("Roads"));
    int result = IDCANCEL;
    int opened = 0;
    MapDialogHooks().layerControl = [&](CMUIMap&, CWnd*) -> INT_PTR { ++opened; return result; };
    MapDialogHooks().mapProperty = [&](CMUIDoc& document) -> INT_PTR {
        EXPECT_EQ(&document, doc.get());
        ++opened;
        return result;
    };
    host.notices.clear();
    Command(*doc, ID_LAYER_CONTROL);
    Command(map(), ID_MAP_LAYER_CONTROL);
    Command(*doc, ID_MAP_OPTION);
    EXPECT_EQ(opened, 3);
    EXPECT_EQ(Invalidations(), 0);
    result = IDOK;
    Command(*doc, ID_LAYER_CONTROL);
    Command(map(), ID_MAP_LAYER_CONTROL);
    Command(*doc, ID_MAP_OPTION);
    EXPECT_EQ(Invalidations(), 3);

    // A changed map is to be saved first: Cancel there ends Option.
    map().SetModified(1);
    ModalRecorder answers({IDCANCEL, IDOK});
    Command(*doc, ID_MAP_OPTION);
    EXPECT_EQ(opened, 6);
    Command(*doc, ID_MAP_OPTION);
    EXPECT_EQ(opened, 7);
    ASSERT_EQ(answers.Boxes().size(), 2u);
    EXPECT_EQ(answers.Boxes()[0].text, "Save your changes before tranforming");
    EXPECT_EQ(answers.Boxes()[0].type & 0xF, (UINT)MB_OKCANCEL);
}

} // namespace
} // namespace mwtest
