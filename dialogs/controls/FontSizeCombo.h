// A combo box for a point size. It keeps its text a number of its range (1 to
// 100 unless set otherwise) and
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
    // The numbers the text may hold; leaving the control with any other puts
    // the default text back. A line width may be 0, a window font 300 high.
    void SetSizeRange(int lowest, int highest)
    {
        m_lowest = lowest;
        m_highest = highest;
    }

protected:
    afx_msg void OnSelChange();
    afx_msg void OnReflectKillFocus();

    DECLARE_MESSAGE_MAP()

private:
    void NotifyOwner(UINT code);

    CString m_defaultText;
    int m_lowest = 1;
    int m_highest = 100;
};
