#include "dialogs/LayerControlDlg.h"

#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "core/Utilities.h"
#include "dialogs/LabelOptionsDlg.h"
#include "dialogs/LayerPropertySheet.h"
#include "dialogs/RenameLayerDlg.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "model/layers/MapNotify.h"
#include "model/layers/MapWindowLink.h"
#include "platform/base/CFile.h"
#include "platform/base/Exceptions.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <filesystem>

IMPLEMENT_DYNAMIC(CLayerControlDlg, CDialog)

BEGIN_MESSAGE_MAP(CLayerControlDlg, CDialog)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_NOTIFY(LGN_CHECKCLICKED, CLayerControlDlg::kGridId, OnCheckClicked)
    ON_BN_CLICKED(IDC_LAYER_UP, OnUp)
    ON_BN_CLICKED(IDC_LAYER_DOWN, OnDown)
    ON_BN_CLICKED(IDC_LAYER_LABEL, OnLabel)
    ON_BN_CLICKED(IDC_LAYER_DISPLAY, OnDisplay)
    ON_BN_CLICKED(IDC_LAYER_FILL_RANDOM, OnFillRandom)
    ON_BN_CLICKED(IDC_LAYER_RENAME, OnRename)
    ON_BN_CLICKED(IDC_LAYER_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_LAYER_APPLY, OnApply)
END_MESSAGE_MAP()

namespace {

struct Column {
    UINT title;
    const char* fallback;
};
// Column order is the order Apply writes the switches in.
const Column kColumnTitles[CLayerControlDlg::kColumns] = {
    {IDS_COLUMN_VISIBLE, "Visible"},       {IDS_COLUMN_LABELLING, "Labelling"},
    {IDS_COLUMN_OVERRIDE, "Override Properties"}, {IDS_COLUMN_EDITABLE, "Editable"},
    {IDS_COLUMN_SELECTABLE, "Selectable"}, {IDS_COLUMN_DATA_VIEW, "Data View"},
    {IDS_COLUMN_SHOW_AREA, "Show Area"},
};
constexpr int kEditableColumn = 3;

// The switches as the layer holds them, in column order.
void ReadSwitches(const CMapLayer* layer, int values[CLayerControlDlg::kColumns])
{
    values[0] = layer->IsVisible() ? 1 : 0;
    values[1] = layer->GetAutoLabel() ? 1 : 0;
    values[2] = layer->GetOverride() ? 1 : 0;
    values[3] = layer->IsEditable() ? 1 : 0;
    values[4] = layer->IsSelectable() ? 1 : 0;
    values[5] = layer->GetShowTips() ? 1 : 0;
    values[6] = layer->GetShowArea() ? 1 : 0;
}

// The name as a layer keeps it, which is also its file's title.
CString LayerNameOf(const CString& text)
{
    CMapLayer probe(text);
    return probe.GetName();
}

} // namespace

CLayerControlDlg::CLayerControlDlg(CMapWindowLink* map, CWnd* parent)
    : CDialog(IDD_LAYER_CONTROL, parent), m_pMap(map), m_FillDialog(nullptr)
{
}

CLayerControlDlg::~CLayerControlDlg() = default;

CLayerControlRow* CLayerControlDlg::GetRow(int row) const
{
    return static_cast<CLayerControlRow*>(m_Grid.GetRowData(row));
}

int CLayerControlDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_Grid.Create(CRect(14, 28, 295, 154), this, kGridId, kColumns, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    for (int c = 0; c < kColumns; ++c) {
        CString title;
        if (!title.LoadString(kColumnTitles[c].title))
            title = kColumnTitles[c].fallback;
        m_Grid.SetColumnTitle(c, title);
    }
    m_Header.LoadBitmap(IDB_LAYER_CONTROL_HEADER);
    return 0;
}

void CLayerControlDlg::OnPaint()
{
    CPaintDC dc(this);
    m_Header.Draw(&dc, 143, 11);
}

BOOL CLayerControlDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Grid.SetGridFont(g_DialogWindowFont);
    LoadRows();
    if (CWnd* rename = GetDlgItem(IDC_LAYER_RENAME))
        rename->EnableWindow(TRUE);
    return TRUE;
}

void CLayerControlDlg::LoadRows()
{
    if (!m_pMap)
        return;
    CMapModel* model = m_pMap->GetMapModel();
    for (POSITION pos = model->GetFirstLayerPosition(); pos;) {
        CMapLayer* layer = model->GetNextLayer(pos);
        const int row = m_Grid.AddRow(layer->GetName());
        int values[kColumns];
        ReadSwitches(layer, values);
        for (int c = 0; c < kColumns; ++c)
            m_Grid.SetCheck(row, c, values[c]);
        auto record = std::make_unique<CLayerControlRow>();
        record->m_pLayer = layer;
        record->m_Style = *layer->GetStyle();
        layer->GetLabelProperties(record->m_LabelProperties);
        record->m_strLabelField = layer->GetLabelField();
        m_Grid.SetRowData(row, record.release());
    }
}

void CLayerControlDlg::EnableApply()
{
    if (CWnd* apply = GetDlgItem(IDC_LAYER_APPLY))
        apply->EnableWindow(m_nChangeFlags != 0);
}

void CLayerControlDlg::MarkChanged(int flag, CLayerControlRow* row)
{
    m_nChangeFlags |= flag;
    EnableApply();
    if (row)
        row->m_bChanged = TRUE;
}

void CLayerControlDlg::OnCheckClicked(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* note = reinterpret_cast<const NMLAYERGRID*>(pNMHDR);
    BOOL checked = FALSE;
    if (note->column == kEditableColumn && m_Grid.GetCheck(note->row, kEditableColumn, checked) && checked) {
        // Only one layer is editable at a time.
        for (int r = 0; r < m_Grid.GetRowCount(); ++r) {
            BOOL other = FALSE;
            if (r != note->row && m_Grid.GetCheck(r, kEditableColumn, other) && other) {
                m_Grid.SetCheck(r, kEditableColumn, 0);
                MarkChanged(kChangeSwitches, GetRow(r));
            }
        }
    }
    MarkChanged(kChangeSwitches, GetRow(m_Grid.GetCurrentRow()));
}

void CLayerControlDlg::OnUp()
{
    const int r = m_Grid.GetCurrentRow();
    if (r <= 0)
        return;
    m_Grid.MoveRowUp(r);
    m_Grid.SelectRow(r - 1);
    MarkChanged(kChangeOrder, GetRow(r - 1));
    MarkChanged(kChangeOrder, GetRow(r));
    m_Swaps.emplace_back(GetRow(r)->m_pLayer, GetRow(r - 1)->m_pLayer);
}

void CLayerControlDlg::OnDown()
{
    const int r = m_Grid.GetCurrentRow();
    if (r < 0 || r >= m_Grid.GetRowCount() - 1)
        return;
    m_Grid.MoveRowDown(r);
    m_Grid.SelectRow(r + 1);
    MarkChanged(kChangeOrder, GetRow(r));
    MarkChanged(kChangeOrder, GetRow(r + 1));
    m_Swaps.emplace_back(GetRow(r)->m_pLayer, GetRow(r + 1)->m_pLayer);
}

void CLayerControlDlg::OnLabel()
{
    CLayerControlRow* row = GetRow(m_Grid.GetCurrentRow());
    if (!row)
        return;
    CLabelOptionsDlg dialog(row, this);
    if (dialog.DoModal() == IDOK)
        MarkChanged(kChangeLabel, row);
}

void CLayerControlDlg::OnDisplay()
{
    CLayerControlRow* row = GetRow(m_Grid.GetCurrentRow());
    if (!row)
        return;
    CLayerPropertySheet sheet(row->m_pLayer, "Layer display properties", this);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    if (sheet.DoModal() != IDOK)
        return;
    row->m_Style = *sheet.GetStyle();
    MarkChanged(kChangeSwitches, row);
}

void CLayerControlDlg::OnFillRandom()
{
    CLayerControlRow* row = GetRow(m_Grid.GetCurrentRow());
    if (!row || m_FillDialog.DoModal() != IDOK)
        return;
    if (m_FillDialog.m_nFillChoice == CFillPropertyDlg::kPredefined) {
        row->m_pColors = m_FillDialog.GetColors();
        row->m_nColorCount = m_FillDialog.GetColorCount();
        row->m_nFillMode = CLayerControlRow::kFillPredefined;
    } else {
        row->m_nFillMode = CLayerControlRow::kFillRandom;
    }
    MarkChanged(kChangeFill, row);
}

void CLayerControlDlg::OnRename()
{
    const int r = m_Grid.GetCurrentRow();
    CLayerControlRow* row = GetRow(r);
    if (!row)
        return;
    CString text;
    m_Grid.GetRowText(r, text);
    CRenameLayerDlg dialog(text, this);
    if (dialog.DoModal() != IDOK)
        return;
    // The name becomes the layer file's title: refuse one that is no file name,
    // or whose file exists already, before anything is pending.
    const CString name = LayerNameOf(dialog.m_strName);
    if (!CMapModel::CheckLayerName(name))
        return;
    if (name != row->m_pLayer->GetName() && !row->m_pLayer->GetFilePath().IsEmpty()) {
        const CString target = GetFolderFromPath(row->m_pLayer->GetFilePath()) + name + ".klz";
        std::error_code error;
        if (std::filesystem::exists(target.GetString(), error)) {
            AfxMessageBox("The layer cannot be renamed to " + name + ": the file " + target + " exists already.",
                          MB_OK | MB_ICONEXCLAMATION, 0);
            return;
        }
    }
    m_Grid.SetRowText(r, name);
    MarkChanged(kChangeName, row);
}

void CLayerControlDlg::OnRemove()
{
    const int r = m_Grid.GetCurrentRow();
    CLayerControlRow* row = GetRow(r);
    if (!row)
        return;
    if (MessageBoxFromIdYesNo(IDS_REMOVE_LAYER, 0) != IDYES)
        return;
    m_RemovedLayers.push_back(row->m_pLayer);
    m_Grid.RemoveRow(r);
    m_nChangeFlags |= kChangeRemoved;
    EnableApply();
}

void CLayerControlDlg::RunWorkspaceSql(const char* sql, const CString& first, const CString* second)
{
    CSQLiteDatabase* db = m_pMap->GetMapModel()->GetDatabase();
    if (!db)
        return;
    // Names are bound, not written into the statement: a quote in a name is text.
    CSQLiteStatement stmt;
    db->Prepare(sql, stmt);
    stmt.BindText(0, first);
    if (second)
        stmt.BindText(1, *second);
    db->ExecuteChecked(stmt);
}

BOOL CLayerControlDlg::RenameLayer(CLayerControlRow* row, const CString& newName)
{
    CMapLayer* layer = row->m_pLayer;
    CMapModel* model = m_pMap->GetMapModel();
    const CString oldName = layer->GetName();
    if (newName == oldName)
        return TRUE;
    const CString oldPath = layer->GetFilePath();
    if (oldPath.IsEmpty()) {
        // A layer without a file has only its name to change.
        RunWorkspaceSql("update _LayerProperty set LayerName = ? where LayerName=?;", newName, &oldName);
        layer->SetName(newName);
        m_pMap->NotifyParent(MAPA_LAYER_RENAMED, layer, 0);
        return TRUE;
    }
    const CString newPath = GetFolderFromPath(oldPath) + newName + ".klz";

    // The file holds everything before it moves; then it is closed, renamed and
    // opened again in the same place of the map.
    layer->SaveProperties();
    layer->CloseDatabase();
    CString failure;
    try {
        CFile::Rename(oldPath, newPath);
    } catch (CFileException* e) {
        e->Delete();
        failure = "The layer file " + oldPath + " cannot be renamed to " + newPath + ".";
        std::error_code error;
        if (std::filesystem::exists(newPath.GetString(), error))
            failure += " A file of that name exists already.";
    }
    const CString openPath = failure.IsEmpty() ? newPath : oldPath;
    CString openError;
    const CMapLayer::OpenResult opened = layer->OpenFile(openPath, model, openError);
    if (!failure.IsEmpty()) {
        AfxMessageBox(failure, MB_OK | MB_ICONEXCLAMATION, 0);
        return FALSE;
    }
    layer->SetFilePath(newPath);
    layer->SetName(newName);
    RunWorkspaceSql("update _LayerProperty set LayerName = ? where LayerName=?;", newName, &oldName);
    if (opened != CMapLayer::kOpened)
        AfxMessageBox(openError.IsEmpty() ? "The layer file " + newPath + " cannot be opened again." : openError,
                      MB_OK | MB_ICONEXCLAMATION, 0);
    model->RecalcExtent();
    m_pMap->NotifyParent(MAPA_LAYER_RENAMED, layer, 0);
    return opened == CMapLayer::kOpened;
}

BOOL CLayerControlDlg::Apply()
{
    if (m_nChangeFlags == 0 || !m_pMap) {
        Reset();
        return TRUE;
    }
    CMapModel* model = m_pMap->GetMapModel();
    BOOL ok = TRUE;
    try {
        for (int r = 0; r < m_Grid.GetRowCount(); ++r) {
            CLayerControlRow* row = GetRow(r);
            if (!row || !row->m_pLayer || !row->m_bChanged)
                continue;
            CMapLayer* layer = row->m_pLayer;
            if (m_nChangeFlags & kChangeName) {
                CString name;
                m_Grid.GetRowText(r, name);
                if (!RenameLayer(row, name)) {
                    ok = FALSE;
                    m_Grid.SetRowText(r, layer->GetName());
                }
            }
            if (m_nChangeFlags & kChangeSwitches) {
                BOOL v[kColumns] = {};
                for (int c = 0; c < kColumns; ++c)
                    m_Grid.GetCheck(r, c, v[c]);
                layer->SetVisible(v[0]);
                m_pMap->NotifyParent(MAPA_LAYER_VISIBLE, layer, 0);
                layer->SetAutoLabel(v[1]);
                m_pMap->NotifyParent(MAPA_LAYER_AUTOLABEL, layer, 0);
                layer->SetOverride(v[2]);
                m_pMap->NotifyParent(MAPA_LAYER_OVERRIDE, layer, 0);
                layer->SetEditable(v[3]);
                m_pMap->NotifyParent(MAPA_LAYER_EDITABLE, layer, 0);
                layer->SetSelectable(v[4]);
                m_pMap->NotifyParent(MAPA_LAYER_SELECTABLE, layer, 0);
                // The two display switches are kept as flags in pointer-sized fields.
                layer->SetShowTips(v[5] ? reinterpret_cast<void*>(1) : nullptr);
                layer->SetShowArea(v[6] ? reinterpret_cast<void*>(1) : nullptr);
                layer->SetStyle(row->m_Style);
            }
            if (m_nChangeFlags & kChangeLabel)
                layer->SetLabelPropertiesForAll(row->m_LabelProperties);
            if (!layer->GetMap()) {
                model->AddLayer(layer);
                m_pMap->NotifyParent(MAPA_LAYER_CREATED, layer, 0);
            }
            row->m_bChanged = FALSE;
        }
        for (const auto& [first, second] : m_Swaps) {
            model->SwapLayers(first, second);
            CLayerControlRow* last = GetRow(m_Grid.GetRowCount() - 1);
            m_pMap->NotifyParent(MAPA_LAYER_ORDER, last ? last->m_pLayer : nullptr, 0);
        }
        m_Swaps.clear();
        while (!m_RemovedLayers.empty()) {
            CMapLayer* layer = m_RemovedLayers.front();
            m_RemovedLayers.erase(m_RemovedLayers.begin());
            m_pMap->DeselectLayerObjects(layer);
            const int index = model->GetLayerIndex(layer);
            const CString name = layer->GetName();
            model->RemoveLayer(layer);
            RunWorkspaceSql("delete from _LayerProperty where LayerName = ?;", name, nullptr);
            m_pMap->NotifyParent(MAPA_LAYER_REMOVED, layer, index);
            // Nothing holds the layer once its removal is told: its file keeps
            // what was done in it, and the object goes.
            layer->SaveProperties();
            delete layer;
        }
    } catch (const CSQLiteException& e) {
        AfxMessageBox(e.GetMessage(), MB_OK | MB_ICONEXCLAMATION, 0);
        ok = FALSE;
    }
    m_pMap->InvalidateMap(nullptr, TRUE);
    Reset();
    return ok;
}

void CLayerControlDlg::Reset()
{
    m_nChangeFlags = 0;
    m_RemovedLayers.clear();
    m_Swaps.clear();
    EnableApply();
}

void CLayerControlDlg::OnApply() { Apply(); }

void CLayerControlDlg::OnOK()
{
    Apply();
    EndDialog(IDOK);
}
