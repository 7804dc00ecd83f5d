// The log viewer: the list of raw positions and the preview of the track.
#include "gps/dialogs/ViewDataImportDlg.h"

#include "platform/dialogs/DataExchange.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

BEGIN_MESSAGE_MAP(CTrackPreview, CEdit)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CTrackPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(0, 0, 0));
    if (!m_pPositions || m_pPositions->empty() || client.Width() < 1 || client.Height() < 1)
        return;
    double minLon = m_pPositions->front().longitude, maxLon = minLon;
    double minLat = m_pPositions->front().latitude, maxLat = minLat;
    for (const GpsLogPosition& p : *m_pPositions) {
        minLon = std::min(minLon, p.longitude);
        maxLon = std::max(maxLon, p.longitude);
        minLat = std::min(minLat, p.latitude);
        maxLat = std::max(maxLat, p.latitude);
    }
    const double extent = std::max(maxLon - minLon, maxLat - minLat);
    const int side = std::min(client.Width(), client.Height()) - 1;
    std::vector<POINT> points;
    points.reserve(m_pPositions->size());
    for (const GpsLogPosition& p : *m_pPositions) {
        // A single place (one position, or all alike) lies in the middle.
        const double x = extent > 0 ? (p.longitude - minLon) / extent * side : side / 2.0;
        const double y = extent > 0 ? (p.latitude - minLat) / extent * side : side / 2.0;
        points.push_back({(LONG)std::lround(x), (LONG)std::lround(client.Height() - 1 - y)});
    }
    CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* old = dc.SelectObject(&white);
    if (extent > 0) {
        dc.Polyline(points.data(), (int)points.size());
        dc.SetPixel(points.back(), RGB(255, 255, 255));   // a line leaves out its last pixel
    } else {
        dc.MoveTo(points[0].x - 1, points[0].y);
        dc.LineTo(points[0].x + 2, points[0].y);
        dc.MoveTo(points[0].x, points[0].y - 1);
        dc.LineTo(points[0].x, points[0].y + 2);
    }
    dc.SelectObject(old);
}

BEGIN_MESSAGE_MAP(CViewDataImportDlg, CDialog)
    ON_NOTIFY(LVN_GETDISPINFO, IDC_VIEW_IMPORT_LIST, OnGetDispInfo)
END_MESSAGE_MAP()

CViewDataImportDlg::CViewDataImportDlg(const CString& path, CWnd* pParent, const GpsLogProgress& progress)
    : CDialog(IDD_VIEW_DATA_IMPORT, pParent), m_strPath(path)
{
    m_bComplete = ReadGpsLogPositions(path, m_Positions, nullptr, progress);
}

void CViewDataImportDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VIEW_IMPORT_LIST, m_List);
    DDX_Control(pDX, IDC_VIEW_IMPORT_PREVIEW, m_Preview);
}

BOOL CViewDataImportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Preview.SetPositions(&m_Positions);
    CRect client;
    m_List.GetClientRect(&client);
    m_List.InsertColumn(0, "Longtitude", LVCFMT_CENTER, client.Width() / 2);
    m_List.InsertColumn(1, "Lattitude", LVCFMT_CENTER, client.Width() / 2);
    m_List.SetItemCountEx((int)std::min<size_t>(m_Positions.size(), INT_MAX));
    m_Preview.Invalidate();
    return TRUE;
}

void CViewDataImportDlg::OnGetDispInfo(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    *pResult = 0;
    auto* info = reinterpret_cast<NMLVDISPINFO*>(pNotifyStruct);
    LVITEM& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0 || item.iItem < 0 ||
        (size_t)item.iItem >= m_Positions.size())
        return;
    // Column 0 the raw longitude, column 1 the raw latitude, as the list always showed them.
    const GpsLogPosition& p = m_Positions[(size_t)item.iItem];
    snprintf(item.pszText, (size_t)item.cchTextMax, "%f", item.iSubItem == 0 ? p.rawLongitude : p.rawLatitude);
}
