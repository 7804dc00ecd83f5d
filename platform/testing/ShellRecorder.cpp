// The shell recorder (ShellRecorder.h).
#include "platform/testing/ShellRecorder.h"

ShellRecorder::ShellRecorder(BOOL taken) : m_taken(taken)
{
    m_previous = AfxSetShellExecuteHandler([this](const ShellExecuteRequest& r) {
        m_requests.push_back(r);
        return m_taken;
    });
}

ShellRecorder::~ShellRecorder() { AfxSetShellExecuteHandler(m_previous); }
