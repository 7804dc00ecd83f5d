// The command-line record (CCommandLineInfo.h).
#include "platform/frames/CCommandLineInfo.h"

#include <string>

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        const CString flag(pszParam);
        if (flag.CompareNoCase("nologo") == 0)
            m_bShowSplash = FALSE;
        else if (flag.CompareNoCase("embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (flag.CompareNoCase("automation") == 0)
            m_bRunAutomated = TRUE;
        else if (flag.CompareNoCase("dde") == 0)
            m_nShellCommand = FileDDE;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}

std::vector<CString> AfxSplitCommandLine(const char* commandLine)
{
    std::vector<CString> words;
    if (!commandLine)
        return words;
    std::string word;
    bool quoted = false, inWord = false;
    for (const char* p = commandLine; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((*p == ' ' || *p == '\t') && !quoted) {
            if (inWord)
                words.emplace_back(word.c_str());
            word.clear();
            inWord = false;
        } else {
            word += *p;
            inWord = true;
        }
    }
    if (inWord)
        words.emplace_back(word.c_str());
    return words;
}
