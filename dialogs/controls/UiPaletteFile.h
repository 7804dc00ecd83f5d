// Saving and loading a palette control through an archive. The palettes store
// nothing (their Serialize is empty), so a saved file is empty; nothing in the
// program calls these, they keep the controls' interface whole.
#pragma once

#include "platform/base/WinTypes.h"

#include <functional>

class CFile;
class CObject;

// `close` aborts (TRUE) or closes the file and deletes it.
using UiPaletteFileCloser = std::function<void(CFile*, BOOL)>;

// Creates the file and stores `object` under the wait cursor; FALSE when the
// file cannot be opened or storing fails (the file is then aborted).
BOOL UiPaletteSaveToFile(CObject& object, LPCTSTR path, const UiPaletteFileCloser& close);
// Loads `object` from a non-empty file; FALSE when it cannot be opened or read.
BOOL UiPaletteLoadFromFile(CObject& object, LPCTSTR path, const UiPaletteFileCloser& close);
// What CloseFile does for both palettes.
void UiPaletteCloseFile(CFile* pFile, BOOL bAbort);
