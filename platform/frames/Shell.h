// The shell's services to the program: the path of the running program and the
// open of a document by the desktop's handler for its type, as the Windows shell
// opens a document with a verb. The hand-over to the desktop goes through one
// hook: the program uses the desktop's URL handler, a test installs a handler
// that records what was asked and answers in its place.
#pragma once

#include "platform/base/CString.h"

#include <functional>

typedef HINSTANCE HMODULE;

// The shell's error codes (every result of 32 or less is an error).
#define SE_ERR_FNF 2        // the file does not exist
#define SE_ERR_PNF 3        // its folder does not exist
#define SE_ERR_NOASSOC 31   // no program takes the file for the verb

// The full path of the running program (any module asked for stands for it).
// Copies at most size - 1 characters and a terminating zero; returns the
// number copied, 0 when the path is unknown.
DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

// What the shell hands to the desktop: an existing file, its path absolute.
struct ShellExecuteRequest {
    CString verb;       // "open"
    CString file;
    CString parameters;
    int show = 0;       // the SW_* state asked for; the desktop's program decides
};

// TRUE when a program took the document.
using ShellExecuteHandler = std::function<BOOL(const ShellExecuteRequest&)>;

// Installs `handler` (an empty one restores the desktop); returns the previous one.
ShellExecuteHandler AfxSetShellExecuteHandler(ShellExecuteHandler handler);

// Opens `lpFile` (a relative name from `lpDirectory`, else from the current
// folder) with the verb `lpOperation`; null means "open", the only verb the
// desktop offers. Returns a value above 32 when a program took the document,
// else SE_ERR_FNF or SE_ERR_PNF for a missing file or folder, SE_ERR_NOASSOC
// for another verb or when no program takes it. Nothing is shown to the user:
// the caller tells what failed.
HINSTANCE ShellExecute(HWND hwnd, LPCTSTR lpOperation, LPCTSTR lpFile, LPCTSTR lpParameters, LPCTSTR lpDirectory,
                       INT nShowCmd);
