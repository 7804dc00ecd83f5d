// The shell's services (Shell.h): the program's path from the process, and the
// open of a document checked here and handed to the installed handler or the
// desktop's URL handler. A missing file never reaches the desktop, so the caller
// can tell the user which document is missing.
#include "platform/frames/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <strings.h>
#include <system_error>

namespace {
std::mutex g_handlerMutex;
ShellExecuteHandler g_handler;

BOOL OpenOnDesktop(const ShellExecuteRequest& r)
{
    // Without a GUI there is no desktop session to hand the document to.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return FALSE;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromUtf8(r.file.GetString()))) ? TRUE : FALSE;
}

HINSTANCE Result(INT_PTR code) { return reinterpret_cast<HINSTANCE>(code); }

constexpr INT_PTR kDone = 42; // any value above 32 tells success
}

DWORD GetModuleFileName(HMODULE, LPSTR lpFilename, DWORD nSize)
{
    std::error_code error;
    const std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error || path.empty() || !lpFilename || nSize == 0)
        return 0;
    const size_t count = std::min<size_t>(path.size(), nSize - 1);
    std::memcpy(lpFilename, path.data(), count);
    lpFilename[count] = '\0';
    return (DWORD)count;
}

ShellExecuteHandler AfxSetShellExecuteHandler(ShellExecuteHandler handler)
{
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    std::swap(g_handler, handler);
    return handler;
}

HINSTANCE ShellExecute(HWND, LPCTSTR lpOperation, LPCTSTR lpFile, LPCTSTR lpParameters, LPCTSTR lpDirectory,
                       INT nShowCmd)
{
    if (lpOperation && *lpOperation && strcasecmp(lpOperation, "open") != 0)
        return Result(SE_ERR_NOASSOC);
    if (!lpFile || !*lpFile)
        return Result(SE_ERR_FNF);
    std::filesystem::path file = lpFile;
    if (file.is_relative() && lpDirectory && *lpDirectory)
        file = std::filesystem::path(lpDirectory) / file;
    std::error_code error;
    file = std::filesystem::absolute(file, error);
    if (error || !std::filesystem::exists(file, error))
        return Result(std::filesystem::exists(file.parent_path(), error) ? SE_ERR_FNF : SE_ERR_PNF);

    ShellExecuteRequest request;
    request.verb = "open";
    request.file = file.string().c_str();
    request.parameters = lpParameters ? lpParameters : "";
    request.show = nShowCmd;
    ShellExecuteHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        handler = g_handler;
    }
    const BOOL taken = handler ? handler(request) : OpenOnDesktop(request);
    return Result(taken ? kDone : SE_ERR_NOASSOC);
}
