// A small pop-up that long operations on the main thread show: a caption with
// the percentage ("%s [%d%%]"), a label of up to four lines and a progress bar.
// Between steps the operation pumps the message queue through it, so that the
// application keeps painting; Escape (or command 10) cancels. While modal it
// disables the chain of enabled windows above it. Its screen position is kept
// in the profile (section "Settings", "X" and "Y").
//
//     CProgressWindow progress(nullptr, "Progress", TRUE);
//     progress.SetText("Loading data...");
//     progress.BeginModal();
//     progress.SetRange(0, n, 1);
//     for (...) { progress.StepIt(); progress.PumpMessages(TRUE); }
#pragma once

#include "platform/controls/CProgressCtrl.h"
#include "platform/controls/CStatic.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/CWnd.h"

class CProgressWindow : public CWnd {
public:
    enum { ID_LABEL = 25122, ID_BAR = 12, ID_CANCEL = 10 };

    CProgressWindow(CWnd* owner, LPCTSTR caption, BOOL smooth = FALSE);
    ~CProgressWindow() override;

    BOOL Create(CWnd* owner, LPCTSTR caption, BOOL smooth);
    // Creates the window when needed, then disables the highest enabled window
    // of the parent (or owner) chain and enables this one.
    BOOL BeginModal(LPCTSTR caption = "Progress", BOOL smooth = FALSE);

    void SetRange(int lower, int upper, int step = 1);
    // Returns the bar's previous position.
    int SetPos(int pos);
    int StepIt();
    int GetPos() const { return m_position; }
    void SetText(LPCTSTR format, ...);
    // Handles waiting messages until none is left or the window was cancelled.
    void PumpMessages(BOOL escapeCancels);
    void Cancel();
    BOOL IsCancelled() const { return m_cancelled; }
    BOOL IsModal() const { return m_modal; }
    void Show();
    void Hide();

    BOOL DestroyWindow() override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnCancelCommand();
    DECLARE_MESSAGE_MAP()

private:
    void Layout(int lines, int width);
    void RestorePosition();
    void SavePosition();

    CWnd* m_disabled = nullptr;
    BOOL m_cancelled = FALSE;
    BOOL m_modal = FALSE;
    BOOL m_rememberPosition = TRUE;
    int m_position = 0;
    // -1 until the caption first shows a percentage, so that the first step
    // writes "[0%]" too.
    int m_percentShown = -1;
    int m_step = 1;
    int m_upper = 100;
    int m_lower = 0;
    int m_labelLines = 4;
    CStatic m_label;
    CProgressCtrl m_bar;
    CString m_caption = "Progress";
    CString m_cancelText = " Cancel ";
    CFont m_font;
};
