// The common dialogs: file open/save, colour and font. In the program they are the
// desktop's (Qt) dialogs; with a dialog handler installed (platform/dialogs/DialogHook.h)
// the handler answers instead: it reads the request from the dialog's members
// (m_ofn, m_cc, m_cf) and fills the result members as the real dialog would
// (the file name into m_ofn.lpstrFile and the filter into m_ofn.nFilterIndex, the
// colour into m_cc.rgbResult, the font into m_lf and the colour into
// m_cf.rgbColors), then returns IDOK or IDCANCEL.
#pragma once

#include "platform/dialogs/CDialog.h"

#include <string>
#include <vector>

// ---- file dialogs
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_EXPLORER 0x00080000
#define OFN_ENABLESIZING 0x00800000

struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    LPCSTR lpstrFilter;     // pairs of description and patterns, each ended by '\0', the list by another '\0'
    DWORD nFilterIndex;     // 1-based; in: the filter shown first, out: the filter chosen
    LPSTR lpstrFile;        // in: the initial name; out: the chosen path
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;   // out: the chosen name with its extension, without folder
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;      // null: "Open" or "Save As"
    DWORD Flags;            // OFN_*
    WORD nFileOffset;       // out: where the name starts in lpstrFile
    WORD nFileExtension;    // out: where the extension starts in lpstrFile, 0 without one
    LPCSTR lpstrDefExt;     // appended (after a '.') to a name typed without extension
};
typedef OPENFILENAME OPENFILENAMEA;

struct FileFilter {
    CString description;
    std::vector<CString> patterns; // "*.klz", ...
};
// The filters of a '\0'-separated filter list (as in m_ofn.lpstrFilter).
std::vector<FileFilter> AfxParseFileFilter(LPCSTR lpstrFilter);

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

protected:
    HWND OwnerWindow(HWND given) const;
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter in the "Text files (*.txt)|*.txt|All files (*.*)|*.*||" form. A
    // default extension may be given as "klz", ".klz" or "*.klz".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

    CString GetPathName() const;   // the full path
    CString GetFileName() const;   // name with extension
    CString GetFileExt() const;    // extension without '.'
    CString GetFileTitle() const;  // name without extension
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    OPENFILENAME m_ofn{};
    BOOL m_bOpenFileDialog;

private:
    // Fills the outputs from the chosen path; FALSE when it does not fit the buffer.
    BOOL Finish(const CString& path);
    // With OFN_CREATEPROMPT, asks whether a chosen file that does not exist is to
    // be created; TRUE when it exists, when the flag is not set, or on Yes.
    BOOL ConfirmCreate(HWND owner, const CString& title) const;

    char m_szFileName[MAX_PATH] = {};
    char m_szFileTitle[MAX_PATH] = {};
    std::string m_strFilter;
    std::string m_strDefExt;
};

// ---- colour dialog
#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_SHOWHELP 0x00000008
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

struct CHOOSECOLOR {
    DWORD lStructSize;
    HWND hwndOwner;
    COLORREF rgbResult;      // in: the initial colour (CC_RGBINIT); out: the chosen one
    COLORREF* lpCustColors;  // 16 custom colours, kept by the dialog
    DWORD Flags;             // CC_*
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    // The process's 16 custom colours (white at start), shared by every colour dialog.
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc{};
};

// ---- font dialog
#define CF_SCREENFONTS 0x00000001
#define CF_PRINTERFONTS 0x00000002
#define CF_BOTH (CF_SCREENFONTS | CF_PRINTERFONTS)
#define CF_SHOWHELP 0x00000004
#define CF_INITTOLOGFONTSTRUCT 0x00000040
#define CF_USESTYLE 0x00000080
#define CF_EFFECTS 0x00000100
#define CF_APPLY 0x00000200
#define CF_ANSIONLY 0x00000400
#define CF_NOVECTORFONTS 0x00000800
#define CF_NOSIMULATIONS 0x00001000
#define CF_LIMITSIZE 0x00002000
#define CF_FIXEDPITCHONLY 0x00004000
#define CF_FORCEFONTEXIST 0x00010000
#define CF_SCALABLEONLY 0x00020000
#define CF_TTONLY 0x00040000

class CDC;

struct CHOOSEFONT {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    LOGFONT* lpLogFont;   // in and out: points at the dialog's m_lf
    INT iPointSize;       // out: the size in tenths of a point
    DWORD Flags;          // CF_*
    COLORREF rgbColors;   // in and out with CF_EFFECTS
};

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LOGFONT* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

    // The real dialog chooses face, size, weight, slant, underline and strike-out;
    // the colour stays as given.
    INT_PTR DoModal() override;
    void GetCurrentFont(LOGFONT* lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut ? TRUE : FALSE; }
    BOOL IsUnderline() const { return m_lf.lfUnderline ? TRUE : FALSE; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD ? TRUE : FALSE; }
    BOOL IsItalic() const { return m_lf.lfItalic ? TRUE : FALSE; }

    CHOOSEFONT m_cf{};
    LOGFONT m_lf{};

private:
    int PixelsPerInch() const;
};
