// Writing a new SQLite file so that it exists whole or not at all: it is made
// under a temporary name beside its own and renamed only once complete, so a
// failure or a process ended half-way never leaves half a file under its name.
#pragma once

#include "platform/base/Afx.h"

#include <functional>

class CSQLiteDatabase;

// Opens a new database at `path` + `suffix`, lets `write` fill it, closes it and
// renames it to `path` (replacing a file of that name). A failure throws
// CSQLiteException and leaves neither the temporary file nor a new `path`.
void WriteWholeDatabaseFile(const CString& path, const char* suffix,
                            const std::function<void(CSQLiteDatabase&)>& write);

// The first half of the above: a new database at `file` (replacing one of that
// name), filled by `write` and closed. A failure throws CSQLiteException and
// leaves no file.
void WriteDatabaseFile(const CString& file, const std::function<void(CSQLiteDatabase&)>& write);

// Writes the database of `source` as that connection sees it, the changes of
// its open transaction included, as a new file at `file` (replacing one of
// that name), synchronised to the disk. The source is only read. A failure
// throws CSQLiteException and leaves no file.
void WriteDatabaseImage(CSQLiteDatabase& source, const CString& file);
