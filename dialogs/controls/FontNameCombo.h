// A combo box listing the installed font families, filled when it subclasses its
// control.
#pragma once

#include "platform/controls/CComboBox.h"
#include "platform/base/Collections.h"
#include "platform/gdi/GdiObjects.h"

class CFontNameCombo : public CComboBox {
public:
    CFontNameCombo();

protected:
    void PreSubclassWindow() override;

private:
    static int AddFamily(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM param);

    CStringList m_faceNames;
};
