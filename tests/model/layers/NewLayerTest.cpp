// A new layer on a file named in the save dialog: what the dialog is asked, the
// file made whole with its open transaction, the layer on top as the only
// editable one, and a cancel, a refused path or a failed creation that leave
// the map (and every file) as they were.
#include "tests/model/layers/LayersTestSupport.h"

#include "platform/testing/DialogAnswerer.h"

#include <filesystem>
#include <fstream>

namespace {

class NewLayerTest : public LayerTest {
protected:
    // The layer opened by SetUp stays the map's editable layer until a new one is made.
    CMapLayer* NewLayer(const CString& chosen)
    {
        DialogAnswerer answers;
        answers.ThenFile(chosen);
        CMapLayer* made = model->NewLayer(nullptr, "Roads");
        EXPECT_EQ(answers.Pending(), 0u);
        return made;
    }
};

TEST_F(NewLayerTest, TheDialogProposesTheLayersFileAndTheFileIsMadeWholeAndLeftInATransaction)
{
    const CString chosen = m_folder.File("Chosen.klz");
    DialogAnswerer answers;
    answers.Then([&](CWnd& w) {
        auto& dialog = dynamic_cast<CFileDialog&>(w);
        EXPECT_FALSE(dialog.m_bOpenFileDialog);
        EXPECT_STREQ(dialog.m_ofn.lpstrFile, "Roads.klz");
        EXPECT_EQ(dialog.m_ofn.Flags & (OFN_EXPLORER | OFN_OVERWRITEPROMPT), DWORD(OFN_EXPLORER | OFN_OVERWRITEPROMPT));
        const std::vector<FileFilter> filters = AfxParseFileFilter(dialog.m_ofn.lpstrFilter);
        EXPECT_EQ(filters.size(), 1u);
        if (!filters.empty()) {
            EXPECT_EQ(filters[0].description, "Terravue Layer(*.klz)");
            EXPECT_EQ(filters[0].patterns, std::vector<CString>{"*.klz"});
        }
        lstrcpyn(dialog.m_ofn.lpstrFile, chosen, (int)dialog.m_ofn.nMaxFile);
        return IDOK;
    });
    CMapLayer* made = model->NewLayer(nullptr, "Roads");
    ASSERT_NE(made, nullptr);

    EXPECT_EQ(model->GetLastLayer(), made);
    EXPECT_EQ(made->GetName(), "Roads");
    EXPECT_EQ(made->GetFilePath(), chosen);
    EXPECT_TRUE(made->IsEditable());
    EXPECT_FALSE(layer->IsEditable());
    // The transaction is open: what is added reaches the file at the save.
    EXPECT_EQ(sqlite3_get_autocommit(made->GetDatabase()->GetHandle()), 0);
    {
        RawFile raw(chosen);
        EXPECT_EQ(raw.Text("select sql from sqlite_master where name='_MapMetaData';"),
                  "CREATE TABLE _MapMetaData(mapeID INTEGER PRIMARY KEY)");
        EXPECT_EQ(raw.Int("select count(*) from _MapProperty;"), 1);
        EXPECT_EQ(raw.Int("select MapEVersion from _MapProperty where ROWID=1;"), 211);
        EXPECT_EQ(raw.Int("select length(SelProperty) from _MapProperty where ROWID=1;"), 272);
        EXPECT_EQ(raw.Int("select count(*) from _MapGeoData;"), 0);
    }
    EXPECT_FALSE(std::filesystem::exists((chosen + ".part").GetString()));

    auto* node = new CMapNode;
    node->SetPosition(3, 4);
    made->AddObject(node, TRUE);
    EXPECT_EQ(node->GetMapeID(), 1);
    EXPECT_EQ(RawFile(chosen).Int("select count(*) from _MapGeoData;"), 0);
    made->SaveProperties();
    EXPECT_EQ(RawFile(chosen).Int("select count(*) from _MapGeoData;"), 1);

    // Another map opens the file once this one has let it go.
    made->CloseDatabase();
    CMapModel other;
    ASSERT_TRUE(other.OpenLayer(chosen, nullptr));
    EXPECT_EQ(other.GetLastLayer()->GetPointObjects().GetCount(), 1);
}

TEST_F(NewLayerTest, ACancelledDialogLeavesTheMapAsItWas)
{
    DialogAnswerer answers(IDCANCEL);
    EXPECT_EQ(model->NewLayer(nullptr, "Roads"), nullptr);
    EXPECT_EQ(answers.Dialogs().size(), 1u);
    EXPECT_EQ(model->GetLayerCount(), 1);
    EXPECT_TRUE(layer->IsEditable());
    EXPECT_FALSE(std::filesystem::exists(m_folder.File("Roads.klz").GetString()));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(NewLayerTest, AnExistingFileIsReplacedByTheNewLayerFile)
{
    const CString chosen = m_folder.File("Old.klz");
    std::ofstream(chosen.GetString()) << "not a database";
    CMapLayer* made = NewLayer(chosen);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(RawFile(chosen).Int("select count(*) from _MapProperty;"), 1);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

// Paths a new layer must not take: the map keeps its layers, their files and
// its editable layer, and the user is told why.
TEST_F(NewLayerTest, APathThatCannotBeANewLayerFileChangesNothing)
{
    AddNode(1, 2);
    layer->SaveProperties();
    const std::string before = RawFile(path).Text("select count(*) from _MapGeoData;");
    // A layer file that another map holds open.
    const int savedTimeout = CSQLiteDatabase::GetBusyTimeout();
    CSQLiteDatabase::SetBusyTimeout(100);
    const CString held = m_folder.File("Held.klz");
    CMapModel other;
    auto* holder = new CMapLayer("Held");
    other.AddLayer(holder);
    ASSERT_EQ(other.CreateLayerDatabase(held, holder), 1);
    ASSERT_TRUE(other.OpenLayer(held, holder));
    const struct {
        const char* what;
        CString chosen;
    } cases[] = {
        {"the file of a layer of the map", path},
        {"a folder that does not exist", m_folder.File("missing/Roads.klz")},
        {"the file of a layer of another map", held},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_boxes.Clear();
        EXPECT_EQ(NewLayer(c.chosen), nullptr);
        EXPECT_EQ(model->GetLayerCount(), 1);
        EXPECT_TRUE(layer->IsEditable());
        EXPECT_EQ(m_boxes.Boxes().size(), 1u);
        EXPECT_EQ(RawFile(path).Text("select count(*) from _MapGeoData;"), before);
    }
    CSQLiteDatabase::SetBusyTimeout(savedTimeout);
    // The other map's layer still has its file under its name.
    holder->AddObject(new CMapNode, TRUE);
    holder->SaveProperties();
    EXPECT_EQ(RawFile(held).Int("select count(*) from _MapGeoData;"), 1);
    // The layer still writes to its own file.
    AddNode(5, 6);
    layer->SaveProperties();
    EXPECT_EQ(RawFile(path).Int("select count(*) from _MapGeoData;"), 2);
}

}
