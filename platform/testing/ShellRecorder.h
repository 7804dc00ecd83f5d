// Test support: takes every document the shell would hand to the desktop while
// it lives, records what was asked and answers whether a program took it.
#pragma once

#include "platform/frames/Shell.h"

#include <vector>

class ShellRecorder {
public:
    explicit ShellRecorder(BOOL taken = TRUE);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    const std::vector<ShellExecuteRequest>& Requests() const { return m_requests; }

private:
    BOOL m_taken;
    std::vector<ShellExecuteRequest> m_requests;
    ShellExecuteHandler m_previous;
};
