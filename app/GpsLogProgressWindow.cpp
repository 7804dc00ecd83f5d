// The progress window of reading a GPS log.
#include "app/GpsLogProgressWindow.h"

#include "dialogs/controls/ProgressWindow.h"

#include <filesystem>

CGpsLogProgressWindow::CGpsLogProgressWindow(CWnd* owner, const CString& path, const char* text)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path.GetString(), error);
    if (error || (long long)size < kShownFromBytes)
        return;
    m_pWindow = std::make_unique<CProgressWindow>(owner, "Progress", TRUE);
    m_pWindow->SetText("%s", text);
    m_pWindow->BeginModal();
    m_pWindow->SetRange(0, 100, 1);
}

CGpsLogProgressWindow::~CGpsLogProgressWindow() = default;

GpsLogProgress CGpsLogProgressWindow::Callback()
{
    if (!m_pWindow)
        return {};
    CProgressWindow* window = m_pWindow.get();
    return [window](double done) {
        const int percent = (int)(done * 100);
        if (percent != window->GetPos())
            window->SetPos(percent);
        window->PumpMessages(TRUE);
        return !window->IsCancelled();
    };
}
