#include "dialogs/LayerPropertySheet.h"

#include "model/layers/MapLayer.h"

IMPLEMENT_DYNAMIC(CLayerPropertySheet, CMUIPropertySheet)

CLayerPropertySheet::CLayerPropertySheet(CMapLayer* layer, LPCTSTR caption, CWnd* parent, UINT startPage)
    : CMUIPropertySheet(caption, parent, startPage), m_pLayer(layer)
{
    if (m_pLayer)
        m_Style = *m_pLayer->GetStyle();
    AddPages();
}

void CLayerPropertySheet::AddPages()
{
    AddPage(&m_FillPage);
    AddPage(&m_LinePage);
    AddPage(&m_NodePage);
}
