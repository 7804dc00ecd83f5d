// The "Layer display properties" sheet of the Layer Control: the fill, line and
// node pages over a copy of the layer's default style. The caller copies the
// sheet's style back after OK.
#pragma once

#include "dialogs/MUIPropertySheet.h"

class CMapLayer;

class CLayerPropertySheet : public CMUIPropertySheet {
    DECLARE_DYNAMIC(CLayerPropertySheet)
public:
    // The layer is not owned.
    CLayerPropertySheet(CMapLayer* layer, LPCTSTR caption, CWnd* parent = nullptr, UINT startPage = 0);

    void AddPages() override;
    CMapLayer* GetLayer() const { return m_pLayer; }

private:
    CMapLayer* m_pLayer;
};
