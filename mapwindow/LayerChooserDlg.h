// The layer chooser: a list of the map's layers, in list order, from which the
// user picks the one a command works on. OK with no entry chosen yields no layer.
#pragma once

#include "platform/controls/CComboBox.h"
#include "platform/dialogs/CDialog.h"

class CFont;
class CMapLayer;
class CMUIMap;

class CLayerChooserDlg : public CDialog {
    DECLARE_DYNAMIC(CLayerChooserDlg)

public:
    // The font of the dialogs' combo boxes, filled in by the application.
    using FontProvider = CFont* (*)();
    static void SetFontProvider(FontProvider provider);

    explicit CLayerChooserDlg(CMUIMap* map, CWnd* parent = nullptr);

    CMUIMap* m_pMap;
    CComboBox m_cbLayers;
    int m_nIndex = -1;              // the chosen entry, -1 for none
    CMapLayer* m_pLayer = nullptr;  // the chosen layer, null until OK

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
