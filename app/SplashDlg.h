// The splash screen: a modal dialog that shows its picture and closes itself as
// OK after 4000 ms on the platform clock (Enter and Escape close it earlier).
#pragma once

#include "platform/dialogs/CDialog.h"

class CSplashDlg : public CDialog {
public:
    static constexpr UINT kTimer = 1;
    static constexpr UINT kShowMs = 4000;

    CSplashDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
