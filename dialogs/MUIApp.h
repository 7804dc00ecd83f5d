// The application base class: owns the process-wide preferences, which it reads
// from the profile at start-up and writes back at exit when "Save settings on
// exit" is set. The preference pages change only the globals (core/Settings.h,
// dialogs/WindowFonts.h).
#pragma once

#include "platform/frames/CWinApp.h"

class CMUIApp : public CWinApp {
public:
    CMUIApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Fills the globals from sections "Fonts" and "Settings" and creates the five
    // window fonts; a missing key takes its string-table default.
    void LoadSettings();
    // Writes every global back and deletes the five window fonts, so it is the last
    // thing that may touch them.
    void SaveSettings();

    // "Preferences...": the preference sheet, modally; the pages change the
    // globals, the profile is left alone.
    afx_msg void OnPreferences();

protected:
    DECLARE_MESSAGE_MAP()
};
