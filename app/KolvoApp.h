// The application object: start-up in its fixed order (controls, profile key and
// recent files, preferences, splash screen, document template, main frame, the
// command line, the shell), the New, Open and About commands, and the count of
// views that exist. Shut-down writes the preferences back (CMUIApp).
#pragma once

#include "dialogs/MUIApp.h"

class CKolvoApp : public CMUIApp {
public:
    CKolvoApp();

    BOOL InitInstance() override;

    int m_nViewCount = 0;

protected:
    afx_msg void OnFileOpen();
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

// The application object of the process (the one the program's start made).
CKolvoApp* GetKolvoApp();
