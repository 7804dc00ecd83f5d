// Windows scalar types, handles, geometry structs and font records with the
// sizes they have on 32-bit Windows. Stored records are laid out in these sizes,
// so every type here is fixed-width: never use the host's `long` for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef int32_t INT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef char CHAR;
typedef char TCHAR;
typedef char16_t WCHAR;
typedef float FLOAT;
typedef DWORD COLORREF;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uintptr_t UINT_PTR;
typedef intptr_t INT_PTR;
typedef uintptr_t DWORD_PTR;
typedef intptr_t LONG_PTR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef void* HANDLE;
typedef DWORD* LPCOLORREF;

static_assert(sizeof(BOOL) == 4 && sizeof(LONG) == 4 && sizeof(DWORD) == 4 && sizeof(WCHAR) == 2,
              "stored records rely on 32-bit Windows sizes");

// Opaque handles: distinct pointer types so that overloads and mistakes are caught.
#define KV_DECLARE_HANDLE(name) struct name##__; typedef struct name##__* name
KV_DECLARE_HANDLE(HWND);
KV_DECLARE_HANDLE(HDC);
KV_DECLARE_HANDLE(HGDIOBJ_);
KV_DECLARE_HANDLE(HPEN);
KV_DECLARE_HANDLE(HBRUSH);
KV_DECLARE_HANDLE(HFONT);
KV_DECLARE_HANDLE(HBITMAP);
KV_DECLARE_HANDLE(HRGN);
KV_DECLARE_HANDLE(HPALETTE);
KV_DECLARE_HANDLE(HCURSOR);
KV_DECLARE_HANDLE(HICON);
KV_DECLARE_HANDLE(HMENU);
KV_DECLARE_HANDLE(HINSTANCE);
KV_DECLARE_HANDLE(HACCEL);
KV_DECLARE_HANDLE(HIMAGELIST);
KV_DECLARE_HANDLE(HTREEITEM);
typedef void* HGDIOBJ;
typedef HINSTANCE HMODULE;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL nullptr
#endif

#define MAKEWORD(a, b) ((WORD)(((BYTE)((a) & 0xff)) | ((WORD)((BYTE)((b) & 0xff))) << 8))
#define MAKELONG(a, b) ((LONG)(((WORD)((a) & 0xffff)) | ((DWORD)((WORD)((b) & 0xffff))) << 16))
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xff))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

// Colours: 0x00BBGGRR.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return (COLORREF)r | ((COLORREF)g << 8) | ((COLORREF)b << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return (BYTE)(c & 0xff); }
constexpr BYTE GetGValue(COLORREF c) { return (BYTE)((c >> 8) & 0xff); }
constexpr BYTE GetBValue(COLORREF c) { return (BYTE)((c >> 16) & 0xff); }
#define CLR_NONE 0xFFFFFFFFu
#define CLR_DEFAULT 0xFF000000u
#define CLR_INVALID 0xFFFFFFFFu

struct POINT {
    LONG x;
    LONG y;
};
struct SIZE {
    LONG cx;
    LONG cy;
};
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
struct POINTS {
    SHORT x;
    SHORT y;
};
typedef POINT* LPPOINT;
typedef const POINT* LPCPOINT;
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;
typedef SIZE* LPSIZE;
static_assert(sizeof(POINT) == 8 && sizeof(RECT) == 16 && sizeof(SIZE) == 8);

// Font records. The face field holds 32 characters with the terminating zero.
#define LF_FACESIZE 32
struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONTA LOGFONT;
typedef LOGFONTA* LPLOGFONTA;
typedef LOGFONTA* LPLOGFONT;
typedef LOGFONTW* LPLOGFONTW;
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA is 60 bytes on Windows");
static_assert(sizeof(LOGFONTW) == 92, "LOGFONTW is 92 bytes on Windows");
static_assert(offsetof(LOGFONTW, lfFaceName) == 28);

// Font weights, character sets, precisions, qualities, pitch and family.
#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_EXTRALIGHT 200
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_EXTRABOLD 800
#define FW_HEAVY 900
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define OEM_CHARSET 255
#define OUT_DEFAULT_PRECIS 0
#define OUT_TT_PRECIS 4
#define OUT_TT_ONLY_PRECIS 7
#define CLIP_DEFAULT_PRECIS 0
#define CLIP_LH_ANGLES 0x10
#define DEFAULT_QUALITY 0
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define ANTIALIASED_QUALITY 4
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define FF_SCRIPT 0x40
#define FF_DECORATIVE 0x50

// Message boxes.
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONHAND 0x00000010u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0u
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFMASK 0x00000F00u
#define MB_APPLMODAL 0x00000000u
#define MB_SYSTEMMODAL 0x00001000u
#define MB_TASKMODAL 0x00002000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_TOPMOST 0x00040000u

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9

#define MAX_PATH 260
