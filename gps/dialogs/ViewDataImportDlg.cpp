// The log viewer: the list of raw positions and the preview of the track.
#include "gps/dialogs/ViewDataImportDlg.h"

#include "platform/dialogs/DataExchange.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

#include <algorithm>
#include <cmath>

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

CViewDataImportDlg::CViewDataImportDlg(const CString& path, CWnd* pParent)
    : CDialog(IDD_VIEW_DATA_IMPORT, pParent), m_strPath(path)
{
    ReadGpsLogPositions(path, m_Positions);
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
    for (size_t i = 0; i < m_Positions.size(); ++i) {
        CString text;
        text.Format("%f", m_Positions[i].rawLongitude);
        const int row = m_List.InsertItem((int)i, text);
        text.Format("%f", m_Positions[i].rawLatitude);
        m_List.SetItemText(row, 1, text);
    }
    m_Preview.Invalidate();
    return TRUE;
}
