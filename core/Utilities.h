// Message boxes from string-table identifiers, file titles, the comma-separated
// lists of the profile, and the default face names of new styles.
#pragma once

#include "platform/base/Afx.h"

// Face of the symbol font of new styles; the "New Object" preference replaces it.
extern CString g_NewObjectSymbolFontName;
// Face of the text font of new styles.
extern const char* const g_DefaultTextFaceName;

// Shows the text of `id`, or "Unknown error code: <id>" when the table has none.
void MessageBoxFromId(UINT id);
// Yes/no box with `style` added; returns IDYES or IDNO. A missing text shows empty.
int MessageBoxFromIdYesNo(UINT id, UINT style);
int AskYesNoFromId(UINT id);

// The file name without folder and extension; '/' and '\\' both separate
// folders, and one trailing separator is ignored.
CString GetFileTitleFromPath(const CString& path);
// The folder of a file name, with its trailing separator; empty without one.
CString GetFolderFromPath(const CString& path);

// atof: 0.0 when the text does not start with a number.
double CStringToDouble(const CString& text);
// atol of the Windows run-time library: a 32-bit result, values beyond the
// range clamp to it, 0 for text that does not start with a number.
LONG AtolClamped32(const char* text);
// Zero-based field of a comma-separated text; empty when there are fewer fields.
CString ExtractCommaField(const CString& text, int index);
// The field as a 32-bit integer (atol of the Windows build: values beyond the
// range clamp to it); 0 for a missing or non-numeric field.
LONG GetCommaFieldInt(const CString& text, int index);
// The low byte of GetCommaFieldInt, a one-byte flag: "256" reads as 0.
BYTE GetCommaFieldBool(const CString& text, int index);
