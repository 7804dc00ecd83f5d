// The application's view (KolvoView.h). Notifications are handled in the order
// the map window relies on: they are synchronous, so the status bar and the info
// tool window are up to date when the map window's call returns.
#include "app/KolvoView.h"

#include "app/HelpDocuments.h"
#include "app/KolvoApp.h"
#include "app/KolvoDoc.h"
#include "app/GpsLogProgressWindow.h"
#include "gps/dialogs/GpsDataDlg.h"
#include "gps/dialogs/GpsRecovery.h"
#include "gps/dialogs/ViewDataImportDlg.h"
#include "mapwindow/MapEMDIFrame.h"
#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapObject.h"
#include "platform/dialogs/CommonDialogs.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CKolvoView, CView)

BEGIN_MESSAGE_MAP(CKolvoView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEACTIVATE()
    ON_NOTIFY(MAPN_NOTIFY, CKolvoView::kMapWindowId, OnMapNotify)
    ON_COMMAND(ID_WINDOW_NEW, OnNewWindow)
    ON_COMMAND(ID_HELP_FINDER, OnHelpTopics)
    ON_COMMAND(ID_GPS_SERIAL, OnGpsSerial)
    ON_COMMAND(ID_GPS_TRINE, OnGpsTrine)
    ON_COMMAND(ID_IMPORT_GPS_LOG, OnImportGpsDataLog)
    ON_COMMAND(ID_DRAW_LAYER_FROM_GPS_LOG, OnDrawLayerFromGpsLog)
    ON_MESSAGE(kOfferRecordingsMessage, OnOfferRecordings)
END_MESSAGE_MAP()

CKolvoView::CKolvoView()
{
    if (CKolvoApp* app = GetKolvoApp())
        ++app->m_nViewCount;
}

CKolvoView::~CKolvoView()
{
    m_pGpsDataDlg.reset();
    if (CKolvoApp* app = GetKolvoApp())
        --app->m_nViewCount;
}

CKolvoDoc* CKolvoView::GetDocument() const { return dynamic_cast<CKolvoDoc*>(m_pDocument); }

CMUIMap* CKolvoView::GetMapWindow() const
{
    CKolvoDoc* doc = GetDocument();
    return doc ? doc->GetMapWnd() : nullptr;
}

int CKolvoView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CMUIMap* map = GetMapWindow();
    if (!map || !map->Create(CRect(0, 0, 0, 0), this, kMapWindowId, WS_CHILD | WS_VISIBLE | WS_TABSTOP))
        return -1;
    return 0;
}

void CKolvoView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    // A map opened with the view its workspace stored shows that view.
    if (CMUIMap* map = GetMapWindow();
        map && map->GetSafeHwnd() && map->GetMapModel()->GetLayerCount() > 0 && !map->HasStoredView())
        map->ZoomToExtent(nullptr);
    // Once the map shows: the recordings its last run left unsaved.
    PostMessage(kOfferRecordingsMessage);
}

LRESULT CKolvoView::OnOfferRecordings(WPARAM, LPARAM)
{
    if (CMUIMap* map = GetMapWindow(); map && map->GetSafeHwnd())
        OfferGpsRecordings(*map);
    return 0;
}

void CKolvoView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (CMUIMap* map = GetMapWindow(); map && map->GetSafeHwnd())
        map->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CKolvoView::OnHelpTopics() { OpenHelpDocument(kEnglishManual); }

void CKolvoView::OpenGpsDataDlg(int mode)
{
    if (m_pGpsDataDlg && m_pGpsDataDlg->GetSafeHwnd())
        return;
    CMUIMap* map = GetMapWindow();
    if (!map)
        return;
    m_pGpsDataDlg = std::make_unique<CGpsDataDlg>(map, mode);
    if (m_pGpsDataDlg->Create())
        m_pGpsDataDlg->ShowWindow(SW_SHOW);
}

void CKolvoView::OnGpsSerial() { OpenGpsDataDlg(CGpsDataDlg::kModeSerial); }

void CKolvoView::OnGpsTrine() { OpenGpsDataDlg(CGpsDataDlg::kModeBluetooth); }

void CKolvoView::OnImportGpsDataLog()
{
    CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "GPS data log file (*.*)|*.*||", this);
    if (open.DoModal() != IDOK)
        return;
    // A long log is read with its progress shown; Cancel shows nothing.
    std::unique_ptr<CViewDataImportDlg> view;
    {
        CGpsLogProgressWindow progress(this, open.GetPathName(), "Reading the GPS log...");
        view = std::make_unique<CViewDataImportDlg>(open.GetPathName(), this, progress.Callback());
    }
    if (view->IsComplete())
        view->DoModal();
}

void CKolvoView::OnDrawLayerFromGpsLog()
{
    if (CKolvoDoc* doc = GetDocument())
        doc->CreateLayerFromGpsLog();
}

void CKolvoView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    if (CMUIMap* map = GetMapWindow(); map && map->GetSafeHwnd())
        map->SetFocus();
}

int CKolvoView::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }

void CKolvoView::OnMapNotify(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    *pResult = 0;
    if (!pNotifyStruct || pNotifyStruct->code != MAPN_NOTIFY)
        return;
    const auto* note = reinterpret_cast<const MAPNOTIFY*>(pNotifyStruct);
    auto* frame = dynamic_cast<CMapEMDIFrame*>(AfxGetMainWnd());
    switch (note->action) {
    case MAPA_SELECTION_CHANGED:
        if (frame && frame->GetInfoTool())
            frame->GetInfoTool()->ShowObjectAttributes(static_cast<CMapObject*>(note->object));
        break;
    case MAPA_MOUSE_MOVED:
        if (frame)
            frame->SetStatusPaneText(1, GetMapWindow()->GetStatusText());
        break;
    case MAPA_LAYER_EDITABLE:
        GetMapWindow()->SetTool(4);
        break;
    case MAPA_LAYER_LOADED:
        PostMessage(kOfferRecordingsMessage);
        break;
    case MAPA_LAYER_CREATED:
    case MAPA_LAYER_REMOVED:
    case MAPA_LAYER_ORDER:
    case MAPA_LAYER_RENAMED:
    case MAPA_LAYER_VISIBLE:
    case MAPA_LAYER_BUILT:
        if (CDocument* doc = CView::GetDocument())
            doc->UpdateAllViews(this, note->action, static_cast<CMapLayer*>(note->object));
        break;
    default:
        break;
    }
}
