// The progress window of reading a GPS log: shown, with Cancel, for a log large
// enough that reading it takes a while (a receiver's log of a day is 100 MB),
// so that the program never seems to hang; a small log reads without it.
#pragma once

#include "gps/dialogs/GpsLog.h"

#include <memory>

class CProgressWindow;
class CWnd;

class CGpsLogProgressWindow {
public:
    // Logs below this size are read without a window.
    static constexpr long long kShownFromBytes = 4 << 20;

    CGpsLogProgressWindow(CWnd* owner, const CString& path, const char* text);
    ~CGpsLogProgressWindow();
    CGpsLogProgressWindow(const CGpsLogProgressWindow&) = delete;
    CGpsLogProgressWindow& operator=(const CGpsLogProgressWindow&) = delete;

    // The progress to hand to the reading; it says false once Cancel was pressed.
    GpsLogProgress Callback();

private:
    std::unique_ptr<CProgressWindow> m_pWindow;
};
