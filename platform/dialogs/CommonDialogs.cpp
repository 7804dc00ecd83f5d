// The file, colour and font dialogs (CommonDialogs.h): the desktop's dialogs, or the dialog hook's
// answer filled into the same members.
#include "platform/dialogs/CommonDialogs.h"

#include "platform/gdi/CDC.h"
#include "platform/dialogs/DialogHook.h"
#include "platform/dialogs/DialogInternal.h"
#include "platform/base/MessageBox.h"
#include "platform/gdi/FontDatabase.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WndInternal.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>

namespace {

bool HaveGui() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

QWidget* ParentWidget(HWND owner)
{
    QWidget* w = owner ? wnd::WidgetOf(owner) : nullptr;
    return w ? w->window() : nullptr;
}

// Windows matches patterns without regard to case and "*.*" matches every name.
QString QtPattern(const CString& pattern)
{
    if (pattern == "*.*" || pattern == "*")
        return "*";
    QString out;
    for (const QChar c : QString::fromUtf8(pattern.GetString())) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QString("[%1%2]").arg(c.toLower()).arg(c.toUpper());
        else
            out += c;
    }
    return out;
}

QStringList QtNameFilters(const std::vector<FileFilter>& filters)
{
    QStringList list;
    for (const FileFilter& f : filters) {
        QStringList patterns;
        for (const CString& p : f.patterns)
            patterns << QtPattern(p);
        list << QString("%1 (%2)").arg(QString::fromUtf8(f.description.GetString()), patterns.join(' '));
    }
    return list;
}

// "*.klz", ".klz" and "klz" all name the extension klz.
std::string CleanExtension(LPCTSTR ext)
{
    std::string s = ext ? ext : "";
    const size_t start = s.find_first_not_of("*.");
    return start == std::string::npos ? std::string() : s.substr(start);
}

void CopyText(char* dst, size_t size, const char* src)
{
    if (dst && size > 0)
        lstrcpyn(dst, src ? src : "", (int)size);
}

LONG HeightForPoints(int tenths, int dpi) { return -::MulDiv(tenths, dpi, 720); }

} // namespace

std::vector<FileFilter> AfxParseFileFilter(LPCSTR lpstrFilter)
{
    std::vector<FileFilter> filters;
    if (!lpstrFilter)
        return filters;
    const char* p = lpstrFilter;
    while (*p) {
        FileFilter f;
        f.description = p;
        p += std::strlen(p) + 1;
        if (!*p)
            break; // a description without patterns ends the list
        const std::string patterns = p;
        p += patterns.size() + 1;
        size_t start = 0;
        while (start <= patterns.size()) {
            size_t end = patterns.find(';', start);
            if (end == std::string::npos)
                end = patterns.size();
            std::string one = patterns.substr(start, end - start);
            const size_t a = one.find_first_not_of(' '), b = one.find_last_not_of(' ');
            if (a != std::string::npos)
                f.patterns.push_back(CString(one.substr(a, b - a + 1)));
            start = end + 1;
        }
        filters.push_back(std::move(f));
    }
    return filters;
}

// ---------------------------------------------------------------- CCommonDialog

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }

HWND CCommonDialog::OwnerWindow(HWND given) const
{
    return given ? given : dlg::ModalOwner(m_pParentWnd);
}

// ---------------------------------------------------------------- CFileDialog

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    m_ofn.lStructSize = sizeof(OPENFILENAME);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = (DWORD)sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = (DWORD)sizeof m_szFileTitle;
    m_strDefExt = CleanExtension(lpszDefExt);
    m_ofn.lpstrDefExt = lpszDefExt ? m_strDefExt.c_str() : nullptr;
    if (lpszFileName)
        lstrcpyn(m_szFileName, lpszFileName, (int)sizeof m_szFileName);
    if (lpszFilter) {
        m_strFilter = lpszFilter;
        for (char& c : m_strFilter)
            if (c == '|')
                c = '\0';
        m_strFilter.push_back('\0'); // the list ends with an empty entry whatever the caller wrote
        m_strFilter.push_back('\0');
        m_ofn.lpstrFilter = m_strFilter.data();
        m_ofn.nFilterIndex = 1;
    }
}

BOOL CFileDialog::Finish(const CString& chosen)
{
    std::string path = chosen.str();
    const std::string ext = CleanExtension(m_ofn.lpstrDefExt);
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (!ext.empty() && path.find('.', nameStart) == std::string::npos && nameStart < path.size())
        path += "." + ext;
    if (!m_ofn.lpstrFile || path.size() + 1 > m_ofn.nMaxFile) {
        std::fprintf(stderr, "file dialog: the chosen path does not fit in %u characters\n", m_ofn.nMaxFile);
        return FALSE;
    }
    CopyText(m_ofn.lpstrFile, m_ofn.nMaxFile, path.c_str());
    const std::string name = path.substr(nameStart);
    CopyText(m_ofn.lpstrFileTitle, m_ofn.nMaxFileTitle, name.c_str());
    const size_t dot = name.find_last_of('.');
    m_ofn.nFileOffset = (WORD)nameStart;
    m_ofn.nFileExtension = dot == std::string::npos ? 0 : (WORD)(nameStart + dot + 1);
    return TRUE;
}

// OFN_CREATEPROMPT: a name that does not exist is taken only when the user
// agrees to create it (the file itself is the caller's to make).
BOOL CFileDialog::ConfirmCreate(HWND owner, const CString& title) const
{
    if (!m_bOpenFileDialog || !(m_ofn.Flags & OFN_CREATEPROMPT) || !m_ofn.lpstrFile)
        return TRUE;
    if (QFileInfo::exists(QString::fromUtf8(m_ofn.lpstrFile)))
        return TRUE;
    CString text;
    text.Format("%s\nThis file does not exist.\nDo you want to create it?", m_ofn.lpstrFile);
    return ::MessageBox(owner, text, title, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

INT_PTR CFileDialog::DoModal()
{
    const CString title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : m_bOpenFileDialog ? "Open" : "Save As";
    if (AfxHasDialogHandler()) {
        DialogRequest request;
        request.dialog = this;
        request.caption = title;
        if (AfxCallDialogHandler(request) != IDOK)
            return IDCANCEL;
        if (!Finish(m_ofn.lpstrFile ? m_ofn.lpstrFile : ""))
            return IDCANCEL;
        return ConfirmCreate(OwnerWindow(m_ofn.hwndOwner), title) ? IDOK : IDCANCEL;
    }
    if (!HaveGui())
        return IDCANCEL;

    const HWND owner = OwnerWindow(m_ofn.hwndOwner);
    QFileDialog dialog(ParentWidget(owner), QString::fromUtf8(title.GetString()));
    dialog.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_bOpenFileDialog && (m_ofn.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                               : QFileDialog::AnyFile);
    if (!(m_ofn.Flags & OFN_OVERWRITEPROMPT))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const std::vector<FileFilter> filters = AfxParseFileFilter(m_ofn.lpstrFilter);
    const QStringList names = QtNameFilters(filters);
    if (!names.isEmpty()) {
        dialog.setNameFilters(names);
        const int index = m_ofn.nFilterIndex >= 1 && m_ofn.nFilterIndex <= (DWORD)names.size()
                              ? (int)m_ofn.nFilterIndex - 1
                              : 0;
        dialog.selectNameFilter(names[index]);
    }
    const std::string ext = CleanExtension(m_ofn.lpstrDefExt);
    if (!ext.empty())
        dialog.setDefaultSuffix(QString::fromUtf8(ext.c_str()));
    if (m_ofn.lpstrInitialDir && *m_ofn.lpstrInitialDir)
        dialog.setDirectory(QString::fromUtf8(m_ofn.lpstrInitialDir));
    if (m_ofn.lpstrFile && *m_ofn.lpstrFile) {
        const QFileInfo initial(QString::fromUtf8(m_ofn.lpstrFile));
        if (!initial.path().isEmpty() && initial.path() != ".")
            dialog.setDirectory(initial.path());
        dialog.selectFile(initial.fileName());
    }

    dlg::OwnerDisabler disabled(owner);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return IDCANCEL;
        if (!names.isEmpty())
            m_ofn.nFilterIndex = (DWORD)names.indexOf(dialog.selectedNameFilter()) + 1;
        if (!Finish(CString(dialog.selectedFiles().front().toUtf8().toStdString())))
            return IDCANCEL;
        // A No to creating the file goes back to the dialog, as on the platform's own.
        if (ConfirmCreate(owner, title))
            return IDOK;
    }
}

CString CFileDialog::GetPathName() const { return m_ofn.lpstrFile ? CString(m_ofn.lpstrFile) : CString(); }

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    const int slash = path.ReverseFind('/');
    return slash < 0 ? path : path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    if (!m_ofn.lpstrFile || m_ofn.nFileExtension == 0 || m_ofn.nFileExtension > std::strlen(m_ofn.lpstrFile))
        return CString();
    return CString(m_ofn.lpstrFile + m_ofn.nFileExtension);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

// ---------------------------------------------------------------- CColorDialog

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    };
    return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_cc.lStructSize = sizeof(CHOOSECOLOR);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    if (AfxHasDialogHandler()) {
        DialogRequest request;
        request.dialog = this;
        request.caption = "Color";
        return AfxCallDialogHandler(request) == IDOK ? IDOK : IDCANCEL;
    }
    if (!HaveGui())
        return IDCANCEL;
    if (m_cc.lpCustColors)
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i) {
            const COLORREF c = m_cc.lpCustColors[i];
            QColorDialog::setCustomColor(i, QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
    const HWND owner = OwnerWindow(m_cc.hwndOwner);
    const COLORREF initial = (m_cc.Flags & CC_RGBINIT) ? m_cc.rgbResult : 0;
    QColorDialog dialog(QColor(GetRValue(initial), GetGValue(initial), GetBValue(initial)), ParentWidget(owner));
    dialog.setWindowTitle("Color");
    dlg::OwnerDisabler disabled(owner);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (m_cc.lpCustColors)
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i) {
            const QColor c = QColorDialog::customColor(i);
            m_cc.lpCustColors[i] = RGB((BYTE)c.red(), (BYTE)c.green(), (BYTE)c.blue());
        }
    if (!ok)
        return IDCANCEL;
    const QColor c = dialog.selectedColor();
    m_cc.rgbResult = RGB((BYTE)c.red(), (BYTE)c.green(), (BYTE)c.blue());
    return IDOK;
}

// ---------------------------------------------------------------- CFontDialog

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(LOGFONT* lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    m_cf.lStructSize = sizeof(CHOOSEFONT);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    m_cf.hDC = pdcPrinter ? pdcPrinter->GetSafeHdc() : nullptr;
    if (lplfInitial) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
}

int CFontDialog::PixelsPerInch() const
{
    HDC dc = m_cf.hDC ? m_cf.hDC : ::GdiGetScreenDC();
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

INT_PTR CFontDialog::DoModal()
{
    const int dpi = PixelsPerInch();
    if (AfxHasDialogHandler()) {
        DialogRequest request;
        request.dialog = this;
        request.caption = "Font";
        if (AfxCallDialogHandler(request) != IDOK)
            return IDCANCEL;
        if (m_cf.lpLogFont && m_cf.lpLogFont != &m_lf)
            *m_cf.lpLogFont = m_lf;
        m_cf.iPointSize = ::MulDiv(std::abs(m_lf.lfHeight), 720, dpi);
        return IDOK;
    }
    if (!HaveGui())
        return IDCANCEL;

    QFont initial;
    if (m_cf.Flags & CF_INITTOLOGFONTSTRUCT) {
        initial.setFamily(QString::fromUtf8(AfxGetFontFamily(m_lf.lfFaceName).GetString()));
        if (m_lf.lfHeight != 0)
            initial.setPointSizeF(std::abs(m_lf.lfHeight) * 72.0 / dpi);
        if (m_lf.lfWeight > 0)
            initial.setWeight(QFont::Weight(std::clamp((int)m_lf.lfWeight, 100, 900)));
        initial.setItalic(m_lf.lfItalic != 0);
        initial.setUnderline(m_lf.lfUnderline != 0);
        initial.setStrikeOut(m_lf.lfStrikeOut != 0);
    }
    const HWND owner = OwnerWindow(m_cf.hwndOwner);
    QFontDialog dialog(initial, ParentWidget(owner));
    dialog.setWindowTitle("Font");
    dlg::OwnerDisabler disabled(owner);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    const QFont font = dialog.selectedFont();
    const int tenths = (int)(font.pointSizeF() * 10.0 + 0.5);
    m_lf.lfHeight = HeightForPoints(tenths, dpi);
    m_lf.lfWidth = 0;
    m_lf.lfWeight = font.weight();
    m_lf.lfItalic = font.italic() ? 1 : 0;
    m_lf.lfUnderline = (m_cf.Flags & CF_EFFECTS) && font.underline() ? 1 : 0;
    m_lf.lfStrikeOut = (m_cf.Flags & CF_EFFECTS) && font.strikeOut() ? 1 : 0;
    CString::CopyToField(m_lf.lfFaceName, LF_FACESIZE, font.family().toUtf8().constData());
    if (m_cf.lpLogFont && m_cf.lpLogFont != &m_lf)
        *m_cf.lpLogFont = m_lf;
    m_cf.iPointSize = tenths;
    return IDOK;
}
