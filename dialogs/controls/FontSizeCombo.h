// A combo box for a point size. It keeps its text a number from 1 to 100 and
// tells its owner about changes with WM_NOTIFY: code 1 when an item is selected,
// code 4 when the control is left (after the text was checked).
#pragma once

#include "platform/controls/CComboBox.h"

class CFontSizeCombo : public CComboBox {
public:
    enum { NOTIFY_SELCHANGE = 1, NOTIFY_KILLFOCUS = 4 };

    CFontSizeCombo();

    // The number in the text; 0 when there is none.
    int GetSize() const;

protected:
    afx_msg void OnSelChange();
    afx_msg void OnReflectKillFocus();

    DECLARE_MESSAGE_MAP()

private:
    void NotifyOwner(UINT code);

    CString m_defaultText;
};
