// The application's document (KolvoDoc.h).
#include "app/KolvoDoc.h"

#include "gps/dialogs/GpsLog.h"
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

void CKolvoDoc::OnSave() { SaveMap(); }

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
    CMUIDoc::OnCloseDocument();
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
    const GpsLogImportResult result = ImportGpsLog(*map, layer, open.GetPathName());
    if (!result.fileRead)
        AfxMessageBox("The GPS data log file could not be read.", MB_OK | MB_ICONEXCLAMATION);
}
