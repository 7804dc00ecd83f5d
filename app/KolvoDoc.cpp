// The application's document (KolvoDoc.h).
#include "app/KolvoDoc.h"

#include "app/GpsLogProgressWindow.h"
#include "app/KolvoView.h"
#include "gps/dialogs/GpsDataDlg.h"
#include "gps/dialogs/GpsLog.h"
#include "gps/dialogs/GpsRecovery.h"
#include "gps/recording/GpsRecordingJournal.h"
#include "mapwindow/MapEMDIFrame.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/dialogs/CommonDialogs.h"
#include "mapwindow/MapTool.h"
#include "resources/resource.h"
#include "platform/frames/FrameIds.h"
#include "platform/wnd/CWinThread.h"

IMPLEMENT_DYNCREATE(CKolvoDoc, CMUIDoc)

BEGIN_MESSAGE_MAP(CKolvoDoc, CMUIDoc)
    ON_COMMAND(ID_FILE_SAVE, OnSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnSave)
    ON_COMMAND(ID_DRAW_JOIN_POLYLINE, OnJoinPolyline)
    ON_COMMAND(ID_DRAW_SPLIT_POLYGON, OnSplitPolygon)
    ON_COMMAND(ID_DRAW_DELETE_LINE, OnDeleteLine)
    ON_UPDATE_COMMAND_UI(ID_DRAW_JOIN_POLYLINE, OnUpdateEditTool)
    ON_UPDATE_COMMAND_UI(ID_DRAW_SPLIT_POLYGON, OnUpdateEditTool)
    ON_UPDATE_COMMAND_UI(ID_DRAW_DELETE_LINE, OnUpdateEditTool)
    ON_COMMAND(ID_DRAW_BREAK_POLYGON, OnNothing)
END_MESSAGE_MAP()

CKolvoDoc::CKolvoDoc() = default;
CKolvoDoc::~CKolvoDoc() = default;

void CKolvoDoc::OnSave()
{
    if (SaveMap())
        DropGpsRecordingJournals(*GetMapModel());
}

namespace {
// The GPS Data windows of the document's views in `frame` (all for null).
std::vector<CGpsDataDlg*> GpsWindows(CDocument& doc, CFrameWnd* frame)
{
    std::vector<CGpsDataDlg*> windows;
    for (POSITION pos = doc.GetFirstViewPosition(); pos;) {
        auto* view = dynamic_cast<CKolvoView*>(doc.GetNextView(pos));
        if (view && (!frame || view->GetParentFrame() == frame) && view->GetGpsDataDlg() &&
            view->GetGpsDataDlg()->GetSafeHwnd())
            windows.push_back(view->GetGpsDataDlg());
    }
    return windows;
}

// False when one of the windows waits for its device: it is told to end the
// wait and close, and what was to close waits until it has.
bool NoneBusy(const std::vector<CGpsDataDlg*>& windows)
{
    bool none = true;
    for (CGpsDataDlg* w : windows) {
        if (w->IsBusy()) {
            w->CloseWhenIdle();
            none = false;
        }
    }
    return none;
}
}

BOOL CKolvoDoc::CanCloseFrame(CFrameWnd* pFrame)
{
    if (!NoneBusy(GpsWindows(*this, pFrame)))
        return FALSE;
    return CMUIDoc::CanCloseFrame(pFrame);
}

BOOL CKolvoDoc::SaveModified()
{
    const std::vector<CGpsDataDlg*> windows = GpsWindows(*this, nullptr);
    if (!NoneBusy(windows))
        return FALSE;
    // A recording ends as Close Port ends it, so that its track is in the map
    // that the user is asked to save.
    for (CGpsDataDlg* w : windows)
        if (w->IsConnected())
            w->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GPS_CLOSE_PORT, BN_CLICKED), 0);
    return CMUIDoc::SaveModified();
}

void CKolvoDoc::OnJoinPolyline() { GetMapWnd()->SetTool(TOOL_JOIN_POLYLINE); }
void CKolvoDoc::OnSplitPolygon() { GetMapWnd()->SetTool(TOOL_SPLIT_POLYGON); }
void CKolvoDoc::OnDeleteLine() { GetMapWnd()->SetTool(TOOL_DELETE_LINE); }

// The editing tools build objects in the active layer: they need one.
void CKolvoDoc::OnUpdateEditTool(CCmdUI* pCmdUI)
{
    int tool = TOOL_DELETE_LINE;
    if (pCmdUI->m_nID == ID_DRAW_JOIN_POLYLINE)
        tool = TOOL_JOIN_POLYLINE;
    else if (pCmdUI->m_nID == ID_DRAW_SPLIT_POLYGON)
        tool = TOOL_SPLIT_POLYGON;
    pCmdUI->Enable(HasActiveLayer());
    pCmdUI->SetCheck(GetMapWnd()->GetTool() == tool);
}

void CKolvoDoc::OnCloseDocument()
{
    if (auto* frame = dynamic_cast<CMapEMDIFrame*>(AfxGetMainWnd()))
        frame->ShowBrowseDataBar(FALSE);
    // The user has chosen whether to save the map: its recordings are saved or
    // given up, and their journals go once the GPS Data windows are gone.
    std::vector<CString> layerFiles;
    for (POSITION pos = GetMapModel()->GetFirstLayerPosition(); pos;)
        layerFiles.push_back(CGpsRecordingJournal::LayerFileOf(*GetMapModel()->GetNextLayer(pos)));
    CMUIDoc::OnCloseDocument();   // the document is gone after this
    for (const CString& file : layerFiles)
        if (!file.IsEmpty())
            CGpsRecordingJournal::Remove(CGpsRecordingJournal::PathFor(file));
}

void CKolvoDoc::CreateLayerFromGpsLog()
{
    CMUIMap* map = GetMapWnd();
    if (!map || !map->GetSafeHwnd())
        return;
    CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "GPS data log file (*.*)|*.*||", map);
    if (open.DoModal() != IDOK)
        return;
    // The nodes go where the node tool puts them; the fields and the track go
    // to that same layer.
    CMapLayer* layer = map->GetActiveMapLayer();
    if (!layer && map->GetMapModel()->GetLayerCount() == 0)
        layer = map->CreateNamedLayer();
    if (!layer) {
        if (map->GetMapModel()->GetLayerCount() > 0)
            AfxMessageBox("No layer is visible and editable to draw the GPS log into.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    GpsLogImportResult result;
    {
        CGpsLogProgressWindow progress(map, open.GetPathName(), "Drawing the GPS log into the map...");
        GpsLogImportOptions options;
        options.progress = progress.Callback();
        result = ImportGpsLog(*map, layer, open.GetPathName(), options);
    }
    if (!result.fileRead)
        AfxMessageBox("The GPS data log file could not be read.", MB_OK | MB_ICONEXCLAMATION);
    else
        AfxMessageBox(DescribeGpsLogImport(result), MB_OK | MB_ICONINFORMATION);
}
