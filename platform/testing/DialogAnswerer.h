// Test support: answers every modal dialog, property sheet and common dialog
// while it lives, in the order they come, and records what was asked. Each answer
// gets the dialog (created, initialised and shown; a common dialog has no
// window) and returns the result for a dialog it did not end itself.
//
//     DialogAnswerer answers;
//     answers.Then([](CWnd& w) {
//         auto& dlg = dynamic_cast<CRenameLayerDlg&>(w);
//         dlg.SetDlgItemText(IDC_NAME, "Roads");
//         return DialogAnswerer::Press(dlg, IDOK);
//     });
//     answers.ThenFile("/tmp/a.klz");
//     ... code that shows the dialogs ...
//     EXPECT_EQ(answers.Dialogs().size(), 2u);
#pragma once

#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/DialogHook.h"

#include <deque>
#include <functional>
#include <vector>

class DialogAnswerer {
public:
    using Answer = std::function<int(CWnd& dialog)>;

    struct Record {
        UINT templateId;
        CString caption;
        CString className;  // the run-time class of the dialog object
        int answer;         // what the answer returned
    };

    // Dialogs beyond the queued answers are answered with `fallback`.
    explicit DialogAnswerer(int fallback = IDCANCEL);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    DialogAnswerer& Then(Answer answer);
    // Presses a button of the dialog or sheet (IDOK, IDCANCEL, ID_APPLY_NOW...).
    DialogAnswerer& ThenPress(int id);
    // A file dialog: the path typed, and the filter chosen (0 keeps the one shown).
    DialogAnswerer& ThenFile(const char* path, DWORD filterIndex = 0);
    DialogAnswerer& ThenColor(COLORREF color);
    DialogAnswerer& ThenFont(const LOGFONT& font, COLORREF color = 0);

    // Sends the button's click to the dialog; IDCANCEL when the dialog stays open
    // (a validation failed), so that the caller sees the dialog cancelled.
    static int Press(CWnd& dialog, int id);

    const std::vector<Record>& Dialogs() const { return m_records; }
    size_t Pending() const { return m_answers.size(); }

private:
    int Handle(const DialogRequest& request);

    std::deque<Answer> m_answers;
    int m_fallback;
    std::vector<Record> m_records;
    DialogHandler m_previous;
};
