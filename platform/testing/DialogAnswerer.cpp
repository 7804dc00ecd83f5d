// The dialog answerer (DialogAnswerer.h): the handler that answers each dialog in turn and records
// it.
#include "platform/testing/DialogAnswerer.h"

#include "platform/dialogs/CPropertySheet.h"

#include <cstring>

DialogAnswerer::DialogAnswerer(int fallback) : m_fallback(fallback)
{
    m_previous = AfxSetDialogHandler([this](const DialogRequest& r) { return Handle(r); });
}

DialogAnswerer::~DialogAnswerer() { AfxSetDialogHandler(m_previous); }

int DialogAnswerer::Handle(const DialogRequest& request)
{
    // Taken off the queue first: the answer may open further dialogs.
    Answer answer;
    if (!m_answers.empty()) {
        answer = std::move(m_answers.front());
        m_answers.pop_front();
    }
    const size_t index = m_records.size();
    m_records.push_back(Record{request.templateId, request.caption,
                               request.dialog ? request.dialog->GetRuntimeClass()->m_lpszClassName : "", 0});
    const int result = answer && request.dialog ? answer(*request.dialog) : m_fallback;
    m_records[index].answer = result;
    return result;
}

DialogAnswerer& DialogAnswerer::Then(Answer answer)
{
    m_answers.push_back(std::move(answer));
    return *this;
}

DialogAnswerer& DialogAnswerer::ThenPress(int id)
{
    return Then([id](CWnd& dialog) { return Press(dialog, id); });
}

int DialogAnswerer::Press(CWnd& dialog, int id)
{
    HWND button = dialog.m_hWnd ? ::GetDlgItem(dialog.m_hWnd, id) : nullptr;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
    bool open = false;
    if (auto* d = dynamic_cast<CDialog*>(&dialog))
        open = d->ContinueModal();
    else if (auto* s = dynamic_cast<CPropertySheet*>(&dialog))
        open = s->ContinueModal();
    return open ? IDCANCEL : id;
}

DialogAnswerer& DialogAnswerer::ThenFile(const char* path, DWORD filterIndex)
{
    std::string chosen = path ? path : "";
    return Then([chosen, filterIndex](CWnd& w) {
        auto& dlg = dynamic_cast<CFileDialog&>(w);
        lstrcpyn(dlg.m_ofn.lpstrFile, chosen.c_str(), (int)dlg.m_ofn.nMaxFile);
        if (filterIndex)
            dlg.m_ofn.nFilterIndex = filterIndex;
        return IDOK;
    });
}

DialogAnswerer& DialogAnswerer::ThenColor(COLORREF color)
{
    return Then([color](CWnd& w) {
        dynamic_cast<CColorDialog&>(w).m_cc.rgbResult = color;
        return IDOK;
    });
}

DialogAnswerer& DialogAnswerer::ThenFont(const LOGFONT& font, COLORREF color)
{
    return Then([font, color](CWnd& w) {
        auto& dlg = dynamic_cast<CFontDialog&>(w);
        dlg.m_lf = font;
        dlg.m_cf.rgbColors = color;
        return IDOK;
    });
}
