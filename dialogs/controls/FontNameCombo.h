// A combo box listing the installed font families, filled when it subclasses its
// control or, for one the program makes itself, when its control is created.
#pragma once

#include "platform/controls/CComboBox.h"
#include "platform/base/Collections.h"
#include "platform/gdi/GdiObjects.h"

class CFontNameCombo : public CComboBox {
public:
    CFontNameCombo();

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);

    DECLARE_MESSAGE_MAP()

private:
    static int AddFamily(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM param);
    void AddFamilies();

    CStringList m_faceNames;
};
