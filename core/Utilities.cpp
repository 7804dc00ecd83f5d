// Message boxes from string-table texts, path titles and the comma fields of
// profile values, read as the 32-bit run-time library reads them.
#include "core/Utilities.h"

#include <climits>
#include <cstdlib>

CString g_NewObjectSymbolFontName("Map Symbols");
const char* const g_DefaultTextFaceName = "Arial";

void MessageBoxFromId(UINT id)
{
    CString text;
    text.LoadString(id);
    if (text.IsEmpty())
        text.Format("Unknown error code: %d", (int)id);
    AfxMessageBox(text, MB_OK, 0);
}

int MessageBoxFromIdYesNo(UINT id, UINT style)
{
    CString text;
    text.LoadString(id);
    return AfxMessageBox(text, style | MB_YESNO, 0);
}

int AskYesNoFromId(UINT id)
{
    CString text;
    text.LoadString(id);
    return AfxMessageBox(text, MB_YESNO, 0);
}

namespace {
int LastSeparator(const CString& path)
{
    const int slash = path.ReverseFind('/');
    const int backslash = path.ReverseFind('\\');
    return slash > backslash ? slash : backslash;
}
}

CString GetFileTitleFromPath(const CString& path)
{
    CString p(path);
    int sep = LastSeparator(p);
    if (sep >= 0 && sep == p.GetLength() - 1) {
        p.Delete(sep);
        sep = LastSeparator(p);
    }
    // A dot in a folder name is no extension: only a dot after the last
    // separator ends the title.
    int dot = p.ReverseFind('.');
    if (dot <= sep)
        dot = p.GetLength();
    return p.Mid(sep + 1, dot - sep - 1);
}

CString GetFolderFromPath(const CString& path)
{
    const int sep = LastSeparator(path);
    return sep >= 0 ? path.Left(sep + 1) : CString();
}

double CStringToDouble(const CString& text)
{
    return std::atof(text);
}

LONG AtolClamped32(const char* text)
{
    // strtoll reads 64 bits, so the clamp happens before any narrowing cast.
    const long long v = std::strtoll(text, nullptr, 10);
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return (LONG)v;
}

CString ExtractCommaField(const CString& text, int index)
{
    CString field;
    AfxExtractSubString(field, text, index, ',');
    return field;
}

LONG GetCommaFieldInt(const CString& text, int index)
{
    return AtolClamped32(ExtractCommaField(text, index));
}

BYTE GetCommaFieldBool(const CString& text, int index)
{
    return (BYTE)(GetCommaFieldInt(text, index) & 0xFF);
}
