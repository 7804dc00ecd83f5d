// Fonts: faces of font records mapped to installed, metric-compatible families,
// fonts registered from memory or files, and the enumeration of font families.
// Application fonts (a program's own symbol font) come from above the platform
// through AfxRegisterFont / FontRegistration: the platform embeds no font and knows
// none of the program's face names.
#pragma once

#include "platform/gdi/GdiObjects.h"
#include "platform/base/WinTypes.h"

#include <cstddef>
#include <initializer_list>

#define FR_PRIVATE 0x10
#define FR_NOT_ENUM 0x20
#define RASTER_FONTTYPE 0x0001
#define DEVICE_FONTTYPE 0x0002
#define TRUETYPE_FONTTYPE 0x0004
#define LF_FULLFACESIZE 64

struct ENUMLOGFONTEXA {
    LOGFONTA elfLogFont;
    BYTE elfFullName[LF_FULLFACESIZE];
    BYTE elfStyle[LF_FACESIZE];
    BYTE elfScript[LF_FACESIZE];
};
struct NEWTEXTMETRICA {
    TEXTMETRICA tm;
    DWORD ntmFlags;
    UINT ntmSizeEM;
    UINT ntmCellHeight;
    UINT ntmAvgWidth;
};
struct FONTSIGNATURE {
    DWORD fsUsb[4];
    DWORD fsCsb[2];
};
struct NEWTEXTMETRICEXA {
    NEWTEXTMETRICA ntmTm;
    FONTSIGNATURE ntmFontSig;
};
typedef ENUMLOGFONTEXA ENUMLOGFONTEX;
typedef NEWTEXTMETRICEXA NEWTEXTMETRICEX;

// Called once per family with an ENUMLOGFONTEXA and a NEWTEXTMETRICEXA (whose first members are the
// LOGFONTA and TEXTMETRICA); returning 0 stops the enumeration.
typedef int (*FONTENUMPROCA)(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM param);
typedef FONTENUMPROCA FONTENUMPROC;

// Every family (DEFAULT_CHARSET: of every character set), or only the face named in `font`;
// faces that map to installed families ("Arial", "Times New Roman", ...) are listed too.
int EnumFontFamiliesExA(HDC dc, const LOGFONTA* font, FONTENUMPROCA proc, LPARAM param, DWORD flags);
inline int EnumFontFamiliesEx(HDC dc, const LOGFONTA* font, FONTENUMPROCA proc, LPARAM param, DWORD flags)
{
    return EnumFontFamiliesExA(dc, font, proc, param, flags);
}

// Registers fonts from memory; returns a handle for RemoveFontMemResourceEx (null on failure) and
// the number of fonts added in *count.
HANDLE AddFontMemResourceEx(const void* data, DWORD size, void* reserved, DWORD* count);
BOOL RemoveFontMemResourceEx(HANDLE font);
// Registers the fonts of a file; returns how many were added.
int AddFontResourceExA(LPCSTR fileName, DWORD flags, void* reserved);
inline int AddFontResourceEx(LPCSTR fileName, DWORD flags, void* reserved) { return AddFontResourceExA(fileName, flags, reserved); }
BOOL RemoveFontResourceExA(LPCSTR fileName, DWORD flags, void* reserved);

// Maps a face name of font records to an installed family (case-insensitive).
void AfxSetFontSubstitute(LPCSTR face, LPCSTR family);
// The family that draws `face`: its substitute, the face itself when installed, else "DejaVu Sans".
CString AfxGetFontFamily(LPCSTR face);

// Registers an application font held in memory (a font file's bytes, which must outlive the
// program's use of them) under `faces`: font records naming one of them draw with the font, and
// EnumFontFamiliesEx lists them. The font enters the font database when fonts are initialised
// (AfxInitFonts, which needs the application object), or at once when they already are.
void AfxRegisterFont(const void* data, std::size_t size, std::initializer_list<const char*> faces);

// AfxRegisterFont as a static object, so that the code owning a font registers it at start-up.
class FontRegistration {
public:
    FontRegistration(const void* data, std::size_t size, std::initializer_list<const char*> faces)
    {
        AfxRegisterFont(data, size, faces);
    }
};

// Sets the substitutions of the usual Windows faces and loads the registered application fonts.
// Needs the application object; safe to call more than once.
void AfxInitFonts();
