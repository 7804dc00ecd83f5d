// The About box: the version line in a 16-point Arial font.
#pragma once

#include "platform/dialogs/CDialog.h"
#include "platform/gdi/GdiObjects.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;

    CFont m_versionFont;
};
