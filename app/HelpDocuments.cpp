// The help documents (HelpDocuments.h).
#include "app/HelpDocuments.h"

#include "platform/base/MessageBox.h"
#include "platform/frames/Shell.h"
#include "platform/wnd/Messages.h"

#include <filesystem>

bool OpenHelpDocument(const char* name)
{
    // Without the program's path the name stays relative: the shell takes it from the current folder.
    char program[4096];
    std::filesystem::path folder;
    if (GetModuleFileName(nullptr, program, sizeof program))
        folder = std::filesystem::path(program).parent_path();
    const CString path = (folder / "Help" / name).string().c_str();
    const auto result = reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", path, nullptr, nullptr, SW_SHOWMINIMIZED));
    if (result > 32)
        return true;
    CString text;
    if (result == SE_ERR_FNF || result == SE_ERR_PNF)
        text.Format("The help document \"%s\" was not found.", path.GetString());
    else
        text.Format("The help document \"%s\" could not be opened: no program to show it was found.",
                    path.GetString());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return false;
}
