// The "General" page of an object's sheet: area, perimeter and bounding corners
// in the map's units, the point count, and whether the object is drawn with its
// layer's style or its own.
#pragma once

#include "platform/dialogs/CPropertyPage.h"

class CMUIPropertyGeneralPage : public CPropertyPage {
    DECLARE_DYNCREATE(CMUIPropertyGeneralPage)
public:
    CMUIPropertyGeneralPage();

    double m_dArea = 0;
    double m_dPerimeter = 0;
    double m_dX1 = 0, m_dX2 = 0, m_dY1 = 0, m_dY2 = 0;
    CString m_strUnitXY1, m_strUnitXY2, m_strAreaUnit, m_strDistanceUnit;
    int m_nPoints = 0;
    int m_nDrawBy = 0; // 0 "Layer", 1 "Object"

    BOOL OnInitDialog() override;
    void OnOK() override;

    // A value as the page shows it: rounded to three decimals.
    static double Round3(double value);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};
