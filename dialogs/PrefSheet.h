// The preference sheet: General, Fonts and New Object, run modally by the
// "Preferences..." command. The pages change the process-wide settings only;
// the profile is written at exit.
#pragma once

#include "dialogs/PrefDefaultPropertyPage.h"
#include "dialogs/PrefFontPage.h"
#include "dialogs/PrefGeneralPage.h"
#include "platform/dialogs/CPropertySheet.h"

class CPrefSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CPrefSheet)
public:
    CPrefSheet(LPCTSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPrefSheet() override;

    CPrefFontPage m_FontPage;
    CPrefGeneralPage m_GeneralPage;
    CPrefDefaultPropertyPage m_NewObjectPage;
};
