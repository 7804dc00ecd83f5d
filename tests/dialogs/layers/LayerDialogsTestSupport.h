// The layer dialogs under test: a map window stand-in that records what the
// dialogs tell it, maps of layers on files in a temporary folder, raw reads of
// those files, and the user's input (clicks, keys, typing) on dialog controls.
#pragma once

#include "core/MapField.h"
#include "core/MapFieldValue.h"
#include "core/SQLiteDatabase.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/objects/MapNode.h"
#include "model/layers/MapWindowLink.h"
#include "platform/controls/CListCtrl.h"
#include "platform/dialogs/CDialog.h"
#include "platform/wnd/CWnd.h"
#include "platform/wnd/WndTestInput.h"
#include "tests/model/layers/RawFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

namespace layertest {

struct Notice {
    int action;
    void* object;
    int value;
};

// Stands in for the map window: owns a map model, records notifications,
// invalidations and deselections.
class FakeMapWindow : public CMapWindowLink {
public:
    CWnd* GetLinkWindow() override { return nullptr; }
    CMapModel* GetMapModel() override { return &model; }
    void InvalidateMap(const CDoubleRect*, BOOL) override { ++invalidated; }
    LRESULT NotifyParent(int action, void* object, int value) override
    {
        notices.push_back({action, object, value});
        return 0;
    }
    void ClearSelection(int) override { ++cleared; }
    void DeselectLayerObjects(CMapLayer* layer) override { deselected.push_back(layer); }
    void SetModified(int flag) override { modified = flag; }
    int IsModified() const override { return modified; }
    // What GPS recording needs, unused by the layer dialogs.
    CMapLayer* GetActiveMapLayer() override { return nullptr; }
    CMapLayer* CreateNamedLayer() override { return nullptr; }
    CMapObject* PlaceNodeAt(double, double, CMapLayer*) override { return nullptr; }
    void InvalidateObject(CMapObject*) override {}
    void DeselectObject(CMapObject*, int) override {}
    void SetViewOrigin(double, double) override {}

    std::vector<int> Actions() const
    {
        std::vector<int> actions;
        for (const Notice& n : notices)
            actions.push_back(n.action);
        return actions;
    }

    CMapModel model;
    std::vector<Notice> notices;
    std::vector<CMapLayer*> deselected;
    int invalidated = 0;
    int cleared = 0;
    int modified = 0;
};

class FakeDocument : public CMapDocumentLink {
public:
    CMapWindowLink* GetMapWindowLink() override { return &window; }
    CMapModel* GetDocumentMapModel() override { return &window.model; }
    FakeMapWindow window;
};

// A layer file `name`.klz in `folder` with these fields, opened into `map`.
inline CMapLayer* AddLayerFile(CMapModel& map, const testsupport::TempFolder& folder, const char* name,
                               const std::vector<CMapField>& fields = {})
{
    const CString path = folder.File((std::string(name) + ".klz").c_str());
    CMapLayer probe(name);
    for (const CMapField& field : fields)
        probe.AddField(field);
    CMapModel creator;
    EXPECT_EQ(creator.CreateLayerDatabase(path, &probe), 1);
    EXPECT_TRUE(map.OpenLayer(path, nullptr));
    CMapLayer* layer = map.GetLastLayer();
    layer->SetFilePath(path);
    return layer;
}

// A node at (x, y) with one text per field; the layer keeps it.
inline CMapNode* AddNode(CMapLayer* layer, double x, double y, const std::vector<const char*>& values = {})
{
    auto node = std::make_unique<CMapNode>();
    node->SetPosition(x, y);
    for (int i = 0; i < layer->GetFieldCount(); ++i)
        node->AddAttribute(CMapFieldValue(layer->GetField(i)));
    for (size_t i = 0; i < values.size(); ++i)
        node->SetAttributeText((int)i, values[i]);
    layer->AddObject(node.get(), FALSE);
    return node.release();
}

// ---- the user's input on the controls of a dialog

inline CWnd* Item(CWnd& dialog, int id)
{
    CWnd* item = dialog.GetDlgItem(id);
    EXPECT_NE(item, nullptr) << "control " << id;
    return item;
}

inline void ClickAt(HWND h, int x, int y)
{
    AfxTestMouse(h, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    AfxTestMouse(h, WM_LBUTTONUP, x, y, 0);
    AfxTestProcessEvents();
}

// The button of that id (a dialog may have another child of the same id).
inline CWnd* ButtonItem(CWnd& dialog, int id)
{
    for (HWND child = ::GetWindow(dialog.GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        ::GetClassName(child, name, sizeof(name));
        if (::GetDlgCtrlID(child) == id && std::string(name) == "Button")
            return CWnd::FromHandle(child);
    }
    return Item(dialog, id);
}

// A click in the middle of a control (a button is pressed by it).
inline void Click(CWnd& dialog, int id)
{
    CWnd* item = ButtonItem(dialog, id);
    if (!item)
        return;
    CRect client;
    item->GetClientRect(&client);
    ClickAt(item->GetSafeHwnd(), client.Width() / 2, client.Height() / 2);
}

inline void Key(HWND h, UINT vk, const char* text = nullptr)
{
    AfxTestKey(h, vk, true, text);
    AfxTestKey(h, vk, false);
    AfxTestProcessEvents();
}

// Clicks into the edit, selects all it holds and types `text` over it.
inline void TypeInto(CWnd& dialog, int id, const char* text)
{
    CWnd* edit = Item(dialog, id);
    if (!edit)
        return;
    Click(dialog, id);
    edit->SendMessage(EM_SETSEL, 0, -1);
    Key(edit->GetSafeHwnd(), VK_DELETE);
    for (const char* p = text; *p; ++p) {
        const char s[2] = {*p, 0};
        UINT vk = 0;
        if (*p >= 'a' && *p <= 'z')
            vk = (UINT)('A' + (*p - 'a'));
        else if ((*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9'))
            vk = (UINT)*p;
        else if (*p == ' ')
            vk = VK_SPACE;
        AfxTestKey(edit->GetSafeHwnd(), vk, true, s, (*p >= 'A' && *p <= 'Z') ? MK_SHIFT : 0);
        AfxTestKey(edit->GetSafeHwnd(), vk, false);
    }
    AfxTestProcessEvents();
}

inline CString TextOf(CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}

} // namespace layertest

namespace layertest {

// Clicks the button as the user would; the dialog's result when that ended it,
// else -1 (the dialog is still open).
inline int ClickButton(CWnd& dialog, int id)
{
    Click(dialog, id);
    auto* d = dynamic_cast<CDialog*>(&dialog);
    return d && d->ContinueModal() ? -1 : id;
}

// Clicks the list-view item `item` of control `id`.
inline void ClickListItem(CWnd& dialog, int id, int item)
{
    auto* list = static_cast<CListCtrl*>(Item(dialog, id));
    if (!list)
        return;
    CRect rect;
    ASSERT_TRUE(list->GetItemRect(item, &rect, LVIR_BOUNDS));
    ClickAt(list->GetSafeHwnd(), rect.left + 10, rect.CenterPoint().y);
}

} // namespace layertest
