// Files dropped on a window: a window that accepts them (DragAcceptFiles) gets
// WM_DROPFILES with a drop handle, read with DragQueryFile and freed with
// DragFinish by the receiver, as on Windows.
#pragma once

#include "platform/base/CString.h"
#include "platform/wnd/Messages.h"

#include <vector>

KV_DECLARE_HANDLE(HDROP);

void DragAcceptFiles(HWND hWnd, BOOL fAccept);
// With iFile 0xFFFFFFFF: the number of files. Otherwise copies the path of file
// iFile (at most cch - 1 characters and a terminating zero) and returns its
// length; a null buffer returns the length alone.
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt);
void DragFinish(HDROP hDrop);
// Test support: sends WM_DROPFILES with these paths dropped at client point `pt`,
// as a drop from the desktop would.
void AfxTestDropFiles(HWND hWnd, const std::vector<CString>& paths, POINT pt);
