// The command line as the application's start-up reads it: what the shell asks
// for (a new document, a file to open, nothing) and the file named. Parsing
// takes flags (words that begin with "-") and the first other
// word as the file, which makes the shell command FileOpen.
#pragma once

#include "platform/base/CString.h"

#include <vector>

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    virtual ~CCommandLineInfo() = default;
    // One word of the command line: a flag (without its '-' or '/') or a parameter.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
};

// The words of a command line, split at blanks outside double quotes (quotes removed).
std::vector<CString> AfxSplitCommandLine(const char* commandLine);
