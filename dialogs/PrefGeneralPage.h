// The "General" page of the preferences: units, zoom step, rule colour, snap
// distance, grid size, the switches and the coordinate system of new maps.
// The globals change when the page is applied (OK or Apply); the rule colour
// button and the Projections dialog write theirs directly.
#pragma once

#include "dialogs/controls/UiDropColorButton.h"
#include "platform/controls/CComboBox.h"
#include "platform/dialogs/CPropertyPage.h"

#include <functional>

class OGRSpatialReference;

class CPrefGeneralPage : public CPropertyPage {
    DECLARE_DYNCREATE(CPrefGeneralPage)
public:
    // The Projections dialog as the page runs it: shows `code`, and on IDOK has
    // stored the chosen code there and in g_CoordinationSystem and handed over
    // the chosen system in `*system` (the caller owns it; may stay null).
    using ProjectionChooser = std::function<INT_PTR(int& code, OGRSpatialReference** system, CWnd* parent)>;
    // The application installs the dialog; without one "&Projection" is disabled.
    static void SetProjectionChooser(ProjectionChooser chooser);

    CPrefGeneralPage();

    // Fills the coordinate unit list for `system` (null: the page's code) and
    // sets the two radio buttons; deletes `system`.
    void FillCoordinateUnits(OGRSpatialReference* system);

    BOOL OnInitDialog() override;
    // Applies the page; Apply comes here too, through the class library's OnApply.
    void OnOK() override;

    CComboBox m_coordUnits;
    CComboBox m_distanceUnits;
    CComboBox m_areaUnits;
    CUiDropColorButton m_ruleColor;
    int m_nZoom = 150;
    BOOL m_bStoreWorkspace = FALSE;
    BOOL m_bShowInfoTool = FALSE;
    int m_nGridWidth = 0;
    int m_nGridHeight = 0;
    int m_nSnapPoints = 0;
    BOOL m_bSaveSettings = FALSE;
    int m_nCode = 0; // the coordinate system's catalogue code

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnResetAll();
    afx_msg void OnProjection();
    afx_msg void OnChanged();
    DECLARE_MESSAGE_MAP()

private:
    void Apply();
    static void SelectByData(CComboBox& list, int data);
    static int SelectedData(CComboBox& list);
};
