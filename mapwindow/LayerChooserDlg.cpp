// The layer chooser (LayerChooserDlg.h): one combo entry per layer, the layer as
// the entry's data.
#include "mapwindow/LayerChooserDlg.h"

#include "mapwindow/MUIMap.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CLayerChooserDlg, CDialog)

namespace {
CLayerChooserDlg::FontProvider g_fontProvider = nullptr;
}

void CLayerChooserDlg::SetFontProvider(FontProvider provider) { g_fontProvider = provider; }

CLayerChooserDlg::CLayerChooserDlg(CMUIMap* map, CWnd* parent)
    : CDialog(IDD_LAYER_CHOOSER, parent), m_pMap(map)
{
}

void CLayerChooserDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LAYER_CHOOSER, m_cbLayers);
}

BOOL CLayerChooserDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CFont* font = g_fontProvider ? g_fontProvider() : nullptr)
        m_cbLayers.SetFont(font);
    if (m_pMap) {
        CMapModel* model = m_pMap->GetMapModel();
        for (POSITION pos = model->GetFirstLayerPosition(); pos;) {
            CMapLayer* layer = model->GetNextLayer(pos);
            const int index = m_cbLayers.AddString(layer->GetName());
            m_cbLayers.SetItemDataPtr(index, layer);
        }
    }
    return TRUE;
}

void CLayerChooserDlg::OnOK()
{
    m_nIndex = m_cbLayers.GetCurSel();
    m_pLayer = m_nIndex >= 0 ? static_cast<CMapLayer*>(m_cbLayers.GetItemDataPtr(m_nIndex)) : nullptr;
    CDialog::OnOK();
}
