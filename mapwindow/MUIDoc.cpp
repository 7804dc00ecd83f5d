// The map document: opening by extension, the workspace's Save and Save As, and
// the question before a changed map closes. A save that fails or is cancelled
// leaves the map modified, so the question still protects the work; every SQLite
// failure of a save is shown to the user.
#include "mapwindow/MUIDoc.h"

#include "mapwindow/MapEFrame.h"
#include "mapwindow/MapEMDIFrame.h"
#include "mapwindow/MapTool.h"
#include "core/Settings.h"
#include "platform/wnd/CWinThread.h"
#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/ObjectTypes.h"
#include "core/Utilities.h"
#include "model/layers/MapObject.h"
#include "model/layers/LayerFileCheck.h"
#include "model/layers/MapLayer.h"
#include "platform/base/MessageBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/frames/FrameIds.h"
#include "resources/resource.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>
#include <vector>

IMPLEMENT_DYNCREATE(CMUIDoc, CDocument)

namespace {
const char* const kWorkspaceFilter = "Kolvo Workspace(*.kwz)|*.kwz||";

// The last three characters of a path, in small letters.
CString ExtensionOf(const CString& path)
{
    CString extension = path.Right(3);
    extension.MakeLower();
    return extension;
}

bool IsEmptyFile(const CString& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path.GetString(), error);
    return !error && size == 0;
}

bool IsSameFile(const char* a, const char* b)
{
    std::error_code error;
    return a && b && std::filesystem::equivalent(a, b, error);
}
}

BEGIN_MESSAGE_MAP(CMUIDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateFileSave)
    ON_COMMAND_RANGE(55018, 55035, OnToolCommand)
    ON_UPDATE_COMMAND_UI_RANGE(55018, 55035, OnUpdateToolCommand)
    ON_COMMAND_RANGE(55100, 55101, OnToolCommand)
    ON_UPDATE_COMMAND_UI_RANGE(55100, 55101, OnUpdateToolCommand)
    ON_COMMAND_RANGE(60100, 60102, OnToolCommand)
    ON_UPDATE_COMMAND_UI_RANGE(60100, 60102, OnUpdateToolCommand)
    ON_COMMAND_RANGE(60116, 60116, OnToolCommand)
    ON_UPDATE_COMMAND_UI_RANGE(60116, 60116, OnUpdateToolCommand)
    ON_COMMAND_RANGE(60004, 60004, OnToolCommand)
    ON_UPDATE_COMMAND_UI_RANGE(60004, 60004, OnUpdateToolCommand)
    ON_COMMAND(ID_VIEW_ENTIRE_MAP, OnViewEntireMap)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_OBJECT_CLONE, OnObjectClone)
    ON_COMMAND(ID_OBJECT_DELETE, OnObjectDelete)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateSelectionNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateSelectionNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_OBJECT_CLONE, OnUpdateSelectionNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_OBJECT_DELETE, OnUpdateSelectionNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_COMMAND(ID_LOAD_LAYER, OnLoadLayer)
    ON_COMMAND(ID_SAVE_LAYER_AS, OnSaveLayerAs)
    ON_UPDATE_COMMAND_UI(ID_SAVE_LAYER_AS, OnUpdateSaveLayerAs)
    ON_COMMAND(ID_SAVE_WORKSPACE_AS, OnSaveWorkspaceAs)
    ON_COMMAND(ID_OPEN_WORKSPACE_NEW, OnOpenWorkspaceNew)
    ON_COMMAND(ID_VIEW_QUICK_INFO, OnQuickInfo)
    ON_UPDATE_COMMAND_UI(ID_VIEW_QUICK_INFO, OnUpdateQuickInfo)
    ON_COMMAND(ID_ACTIVE_LAYER_NOTHING, OnNothing)
    ON_UPDATE_COMMAND_UI(ID_ACTIVE_LAYER_NOTHING, OnUpdateActiveLayer)
    ON_COMMAND(ID_VIEW_MAGNIFIER, OnViewMagnifier)
    ON_COMMAND(ID_BROWSE_DATA, OnBrowseData)
    ON_UPDATE_COMMAND_UI(ID_BROWSE_DATA, OnUpdateBrowseData)
    ON_COMMAND(ID_OBJECT_PROPERTIES, OnObjectProperties)
    ON_UPDATE_COMMAND_UI(ID_OBJECT_PROPERTIES, OnUpdateObjectProperties)
    ON_COMMAND(ID_LAYER_CONTROL, OnLayerControl)
    ON_UPDATE_COMMAND_UI(ID_LAYER_CONTROL, OnUpdateLayerControl)
    ON_COMMAND(ID_NEW_LAYER, OnNewLayer)
    ON_UPDATE_COMMAND_UI(ID_NEW_LAYER, OnUpdateNewLayer)
    ON_COMMAND(ID_LAYER_STRUCTURE, OnLayerStructure)
    ON_UPDATE_COMMAND_UI(ID_LAYER_STRUCTURE, OnUpdateLayerStructure)
    ON_COMMAND(ID_MAP_OPTION, OnMapOption)
    ON_UPDATE_COMMAND_UI(ID_MAP_OPTION, OnUpdateMapOption)
END_MESSAGE_MAP()

CMUIDoc::CMUIDoc() = default;

CMUIDoc::~CMUIDoc() = default;

BOOL CMUIDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

BOOL CMUIDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    const CString path = lpszPathName;
    const CString extension = ExtensionOf(path);
    if (extension == "kwz") {
        if (!CDocument::OnOpenDocument(lpszPathName))
            return FALSE;
        m_MapWnd.LoadWorkspace(path);
        m_MapWnd.InvalidateMap(nullptr, FALSE);
        SetTitle(m_MapWnd.GetMapModel()->GetPathName());
    } else if (extension == "mpl") {
        // Only a layer file is opened: a missing or foreign file is not made one.
        if (CheckLayerFile(path) == LayerFileState::Complete && m_MapWnd.GetMapModel()->OpenLayer(path, nullptr))
            m_MapWnd.InvalidateMap(nullptr, FALSE);
        else
            AfxMessageBox("Open layer failed");
    }
    return TRUE;
}

BOOL CMUIDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (ExtensionOf(lpszPathName) != "kwz") {
        AfxMessageBox("Only kwz format allowed");
        return FALSE;
    }
    if (!m_MapWnd.SaveWorkspace(lpszPathName))
        return FALSE;
    m_MapWnd.SetModified(0);
    SetModifiedFlag(FALSE);
    return TRUE;
}

// ---------------------------------------------------------------- Save and Save As
BOOL CMUIDoc::SaveMap()
{
    CMapModel* model = m_MapWnd.GetMapModel();
    if (!model->GetDatabase())
        return SaveMapAs();
    try {
        if (!model->SaveMapDatabase())
            return FALSE;
    } catch (const CSQLiteException& e) {
        AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // Every layer now has its row in the workspace.
    for (POSITION pos = model->GetFirstLayerPosition(); pos;)
        model->GetNextLayer(pos)->SetModified(0);
    m_MapWnd.SetModified(0);
    return TRUE;
}

BOOL CMUIDoc::SaveMapAs()
{
    CMapModel* model = m_MapWnd.GetMapModel();
    CFileDialog dialog(FALSE, "*.kwz", model->GetPathName(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kWorkspaceFilter);
    if (dialog.DoModal() != IDOK) {
        KeepOrDropEmptyLayers();
        return FALSE;
    }
    const CString path = dialog.GetPathName();
    // The workspace that is open is saved in place, not replaced under its connection.
    if (CSQLiteDatabase* db = model->GetDatabase())
        if (IsSameFile(sqlite3_db_filename(db->GetHandle(), "main"), path))
            return SaveMap();
    if (!m_MapWnd.SaveWorkspace(path))
        return FALSE;
    try {
        model->SaveMapDatabase();
    } catch (const CSQLiteException& e) {
        AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetPathName(path, FALSE);
    SetTitle(model->GetPathName());
    m_MapWnd.SetModified(0);
    return TRUE;
}

void CMUIDoc::OnFileSave()
{
    SaveMap();
}

void CMUIDoc::OnFileSaveAs()
{
    SaveMapAs();
}

void CMUIDoc::OnUpdateFileSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

// ---------------------------------------------------------------- closing
BOOL CMUIDoc::SaveModified()
{
    CMapModel* model = m_MapWnd.GetMapModel();
    if (model->GetLayerCount() == 0 || !m_MapWnd.IsModified())
        return CDocument::SaveModified();
    const CString name = model->GetPathName();
    const CString caption = name.IsEmpty() ? CString("UnNamed Map") : name + ".kwz";
    switch (::MessageBox(nullptr, "The map has changed. Do you want to save the changes?", caption,
                         MB_YESNOCANCEL)) {
    case IDYES:
        // A save that fails or is cancelled keeps the document open with its work.
        return SaveMap();
    case IDNO:
        KeepOrDropUncommittedLayers();
        return TRUE;
    default:
        return FALSE;
    }
}

namespace {
// The layers in a copy of the list: dropping one changes the list.
std::vector<CMapLayer*> LayersOf(CMapModel* model)
{
    std::vector<CMapLayer*> layers;
    for (POSITION pos = model->GetFirstLayerPosition(); pos;)
        layers.push_back(model->GetNextLayer(pos));
    return layers;
}

// Commits the layer's own file; a failure is told.
void KeepLayerFile(CMapLayer* layer)
{
    try {
        layer->SaveProperties();
    } catch (const CSQLiteException& e) {
        AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
    }
}
}

void CMUIDoc::KeepOrDropUncommittedLayers()
{
    for (CMapLayer* layer : LayersOf(m_MapWnd.GetMapModel())) {
        if (::MessageBox(nullptr, "Do you want to save the layer?", layer->GetName() + ".klz", MB_YESNO) ==
            IDYES) {
            KeepLayerFile(layer);
            continue;
        }
        const CString file = layer->GetFilePath();
        if (file.IsEmpty() || !IsEmptyFile(file))
            continue; // a file with content keeps it; the unsaved changes go
        DropLayer(layer);
    }
}

// After a cancelled Save As: a layer whose file holds nothing committed yet is
// either kept (its file committed) or, confirmed, dropped with its file.
void CMUIDoc::KeepOrDropEmptyLayers()
{
    for (CMapLayer* layer : LayersOf(m_MapWnd.GetMapModel())) {
        const CString file = layer->GetFilePath();
        if (file.IsEmpty() || !IsEmptyFile(file))
            continue;
        if (::MessageBox(nullptr, "Are you sure. The layer " + file + " will be deleted.", "Empty Layer",
                         MB_YESNO) == IDYES)
            DropLayer(layer);
        else
            KeepLayerFile(layer);
    }
}

void CMUIDoc::DropLayer(CMapLayer* layer)
{
    const CString file = layer->GetFilePath();
    m_MapWnd.DeselectLayerObjects(layer);
    layer->CloseDatabase();
    m_MapWnd.GetMapModel()->RemoveLayer(layer);
    delete layer;
    m_MapWnd.InvalidateMap(nullptr, FALSE);
    std::error_code error;
    std::filesystem::remove(file.GetString(), error);
}

// ---------------------------------------------------------------- tool commands
namespace {
struct ToolCommand {
    UINT id;
    int tool;
};
// The commands that pick a tool; the drawing ones need an active layer.
const ToolCommand kToolCommands[] = {
    {55034, 0},  {55035, 1},  {55030, 2},  {55029, 3},  {55032, 4},  {55033, 5},  {55031, 6},  {55020, 7},
    {55024, 8},  {55025, 9},  {55022, 10}, {55023, 11}, {55018, 12}, {55019, 13}, {55021, 14}, {55026, 15},
    {55027, 16}, {60004, 17}, {55100, 18}, {55101, 19}, {60100, 20}, {60101, 21}, {60102, 22}, {60116, 23},
};

int ToolOfCommand(UINT id)
{
    for (const ToolCommand& c : kToolCommands)
        if (c.id == id)
            return c.tool;
    return -1;
}
}

void CMUIDoc::OnToolCommand(UINT id)
{
    const int tool = ToolOfCommand(id);
    if (tool >= 0)
        m_MapWnd.SetTool(tool);
}

void CMUIDoc::OnUpdateToolCommand(CCmdUI* pCmdUI)
{
    const int tool = ToolOfCommand(pCmdUI->m_nID);
    if (tool < 0) {
        pCmdUI->Enable(FALSE);
        return;
    }
    BOOL enable = TRUE;
    if (tool == TOOL_ADD_HANDLE) {
        CMapObject* object = m_MapWnd.GetSelectedObject();
        const int type = object ? object->GetType() : -1;
        enable = HasActiveLayer() && m_MapWnd.GetSelectionCount() == 1 && type >= MAP_OBJECT_POLYGON &&
                 type <= MAP_OBJECT_POLYADVPOLYGON;
    } else if (CMapTool::NeedsActiveLayer(tool)) {
        enable = HasActiveLayer();
    }
    pCmdUI->Enable(enable);
    pCmdUI->SetCheck(m_MapWnd.GetTool() == tool);
}

void CMUIDoc::OnViewEntireMap()
{
    m_MapWnd.ZoomToExtent(nullptr);
}

// ---------------------------------------------------------------- edit commands
void CMUIDoc::OnUpdateSelectionNotEmpty(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_MapWnd.GetSelectedObject() != nullptr);
}

void CMUIDoc::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_MapWnd.CanPaste());
}

void CMUIDoc::OnEditUndo() { StepHistory(&CMapLayer::Undo); }
void CMUIDoc::OnEditRedo() { StepHistory(&CMapLayer::Redo); }

// Only the active layer's history is reached. The selection is dropped first,
// since the step may remove the very objects it holds; the step changes the
// layer's rows, so the map counts as changed until it is saved.
void CMUIDoc::StepHistory(void (CMapLayer::*step)())
{
    CMapLayer* layer = m_MapWnd.GetActiveLayer();
    if (!layer)
        return;
    m_MapWnd.ClearSelection(1);
    try {
        (layer->*step)();
    } catch (const CSQLiteException& e) {
        m_MapWnd.ReportCommandError(e.GetMessage());
    }
    GetMapModel()->RecalcExtent();
    m_MapWnd.InvalidateMap(nullptr, FALSE);
    m_MapWnd.SetModified(1);
}

void CMUIDoc::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    CMapLayer* layer = m_MapWnd.GetActiveLayer();
    pCmdUI->Enable(layer && layer->GetHistory().CanUndo());
}

void CMUIDoc::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    CMapLayer* layer = m_MapWnd.GetActiveLayer();
    pCmdUI->Enable(layer && layer->GetHistory().CanRedo());
}

// ---------------------------------------------------------------- view switches
void CMUIDoc::OnQuickInfo()
{
    g_QuickInfoTool = !g_QuickInfoTool;
}

void CMUIDoc::OnUpdateQuickInfo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(g_QuickInfoTool ? 1 : 0);
}

void CMUIDoc::OnUpdateActiveLayer(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasActiveLayer());
}

void CMUIDoc::OnBrowseData()
{
    CWnd* main = AfxGetMainWnd();
    if (auto* mdi = dynamic_cast<CMapEMDIFrame*>(main))
        mdi->ToggleBrowseDataBar(&m_MapWnd);
    else if (auto* sdi = dynamic_cast<CMapEFrame*>(main))
        sdi->ToggleBrowseDataBar(&m_MapWnd);
}

// Without layers there is nothing to browse: the item is off and the bar hidden.
void CMUIDoc::OnUpdateBrowseData(CCmdUI* pCmdUI)
{
    CWnd* main = AfxGetMainWnd();
    auto* mdi = dynamic_cast<CMapEMDIFrame*>(main);
    auto* sdi = mdi ? nullptr : dynamic_cast<CMapEFrame*>(main);
    if (GetMapModel()->GetLayerCount() > 0) {
        if (mdi)
            mdi->OnUpdateBrowseDataBar(pCmdUI);
        else if (sdi)
            sdi->OnUpdateBrowseDataBar(pCmdUI);
        return;
    }
    pCmdUI->Enable(FALSE);
    if (mdi)
        mdi->ShowBrowseDataBar(FALSE);
    else if (sdi)
        sdi->ShowBrowseDataBar(FALSE);
}
