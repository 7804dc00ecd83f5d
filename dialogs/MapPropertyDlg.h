// The map's units, measuring mode, rotation and coordinate system. A system
// chosen through "Projection" belongs to the dialog until OK hands it to the
// map; Cancel (or closing otherwise) deletes it.
#pragma once

#include "platform/controls/CComboBox.h"
#include "platform/dialogs/CDialog.h"

class CMapDocumentLink;
class OGRSpatialReference;

class CMapPropertyDlg : public CDialog {
    DECLARE_DYNAMIC(CMapPropertyDlg)

public:
    explicit CMapPropertyDlg(CMapDocumentLink* document);
    ~CMapPropertyDlg() override;

    // Lists the coordinate units of `srs` (null: the map's own system) and sets
    // the measuring buttons to what the system allows; without any system the
    // list stays empty and the buttons as they are.
    void FillCoordinateUnits(const OGRSpatialReference* srs);

    CComboBox m_cbCoordinateUnit;
    CComboBox m_cbDistanceUnit;
    CComboBox m_cbAreaUnit;
    double m_dRotation = 0;
    double m_dCenterX = 0;
    double m_dCenterY = 0;
    CMapDocumentLink* m_pDocument;
    OGRSpatialReference* m_pSpatialReference = nullptr;
    int m_nCode = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnProjection();
    DECLARE_MESSAGE_MAP()
};
