// The in-memory dialog: adding controls, the template, creation and data exchange.
#include "gps/link/MemDialog.h"

#include "gps/link/GpsReceiverLink.h"

#include "platform/base/MessageBox.h"
#include "platform/controls/CDateTimeCtrl.h"
#include "platform/controls/CScrollBar.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/wnd/CWinThread.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace {
const char* const kTypeClasses[] = {
    "BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX", "msctls_updown32", "msctls_progress32",
    "msctls_trackbar32", "msctls_hotkey32", "SysListView32", "SysTreeView32", "SysTabControl32", "SysAnimate32",
    "RICHEDIT", "SysDateTimePick32", "SysMonthCal32", "SysIPAddress32", "ComboBoxEx32",
};
static_assert(std::size(kTypeClasses) == CMemDialogItem::kLastType - CMemDialogItem::kButton + 1);

// Identifiers for controls added without one.
std::atomic<UINT> g_nextControlId{0x400};

// Both bits of `bits` set in the style's low nibble (BS_AUTORADIOBUTTON 9, BS_AUTOCHECKBOX 3, DTS_TIMEFORMAT 9).
bool HasBits(DWORD style, DWORD bits) { return (style & bits) == bits; }

// The window class the platform registers for a name of the control table.
const char* PlatformClass(const CString& name)
{
    if (name == "RICHEDIT")
        return RICHEDIT_CLASS;
    return name.GetString();
}
}

const char* CMemDialogItem::ClassOfType(int type)
{
    return type >= kButton && type <= kLastType ? kTypeClasses[type - kButton] : nullptr;
}

int CMemDialogItem::TypeOfClass(const char* className)
{
    for (int type = kButton; className && type <= kLastType; ++type)
        if (strcmp(className, kTypeClasses[type - kButton]) == 0)
            return type;
    return 0;
}

BEGIN_MESSAGE_MAP(CMemDialog, CDialog)
    ON_WM_CREATE()
    ON_MESSAGE(WM_HELP, OnHelpMessage)
END_MESSAGE_MAP()

CMemDialog::CMemDialog(CWnd* pParent) : m_pParent(pParent)
{
    m_pParentWnd = pParent;
}

CMemDialog::~CMemDialog()
{
    if (GetSafeHwnd())
        DestroyWindow();
    for (auto& item : m_Items)
        if (item->GetSafeHwnd())
            item->DestroyWindow();
}

void CMemDialog::SetFont(CFont* font)
{
    m_pFont = font;
}

void CMemDialog::WidenDlgRect(const CRect& rect)
{
    m_DlgRect.left = std::min(m_DlgRect.left, rect.left);
    m_DlgRect.top = std::min(m_DlgRect.top, rect.top);
    m_DlgRect.right = std::max(m_DlgRect.right, rect.right + 5);
    m_DlgRect.bottom = std::max(m_DlgRect.bottom, rect.bottom + 5);
}

UINT CMemDialog::AddItem(int type, const CString& className, LPCTSTR caption, DWORD style, DWORD exStyle,
                         const CRect* rect, void* data, UINT id, BOOL subclassed, int defaultRight)
{
    auto item = std::make_unique<CMemDialogItem>();
    item->m_nType = type;
    item->m_strClass = className;
    item->m_nID = id ? id : g_nextControlId++;
    item->m_dwStyle = style;
    item->m_dwExStyle = exStyle;
    item->m_Rect = rect ? *rect : CRect(10, m_nNextY, defaultRight, m_nNextY + 12);
    item->m_strCaption = caption ? caption : "";
    item->m_pData = data;
    item->m_bSubclassed = subclassed;
    m_nNextY += 12;
    WidenDlgRect(item->m_Rect);
    const UINT result = item->m_nID;
    m_Items.push_back(std::move(item));
    return result;
}

UINT CMemDialog::AddDlgControl(LPCTSTR className, LPCTSTR caption, DWORD style, DWORD exStyle, const CRect* rect,
                               void* data, UINT id)
{
    if (!className)
        return 0;
    return AddItem(CMemDialogItem::TypeOfClass(className), className, caption, style, exStyle, rect, data, id,
                   FALSE, 270);
}

UINT CMemDialog::AddDlgControl(int type, LPCTSTR caption, DWORD style, DWORD exStyle, const CRect* rect, void* data,
                               UINT id)
{
    const char* className = CMemDialogItem::ClassOfType(type);
    if (!className)
        return 0;
    return AddItem(type, className, caption, style, exStyle, rect, data, id, FALSE, 120);
}

UINT CMemDialog::AddSubclassedDlgControl(LPCTSTR className, LPCTSTR caption, DWORD style, DWORD exStyle,
                                         const CRect* rect, UINT id)
{
    if (!className)
        return 0;
    return AddItem(CMemDialogItem::TypeOfClass(className), className, caption, style, exStyle, rect, nullptr, id,
                   TRUE, 270);
}

void CMemDialog::AddSystemButtons()
{
    m_nNextY += 6;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    const CRect ok(10, m_nNextY, 60, m_nNextY + 14);
    const CRect cancel(65, m_nNextY, 115, m_nNextY + 14);
    AddDlgControl("BUTTON", "OK", style, 0, &ok, nullptr, IDOK);
    AddDlgControl("BUTTON", "Annuleren", style, 0, &cancel, nullptr, IDCANCEL);
}

BOOL CMemDialog::BuildTemplate()
{
    // The font: the dialog's own, the parent's, the main window's.
    CFont* font = m_pFont;
    if (!font && m_pParent && m_pParent->GetSafeHwnd())
        font = CFont::FromHandle((HFONT)m_pParent->SendMessage(WM_GETFONT));
    if (!font || !font->GetSafeHandle()) {
        CWnd* main = AfxGetMainWnd();
        font = main && main->GetSafeHwnd() ? CFont::FromHandle((HFONT)main->SendMessage(WM_GETFONT)) : nullptr;
    }
    LOGFONTA lf{};
    if (font && font->GetSafeHandle() && font->GetLogFont(&lf)) {
        m_strFace = lf.lfFaceName;
    } else {
        m_strFace = "MS Sans Serif";
        lf.lfHeight = 8;
    }
    const WORD pointSize = m_wPointSize ? m_wPointSize : (WORD)std::clamp(std::abs((int)lf.lfHeight), 1, 72);

    m_TemplateItems.clear();
    for (const auto& item : m_Items) {
        if (!item->m_bSubclassed)
            continue;
        const CRect& r = item->m_Rect;
        m_TemplateItems.push_back({PlatformClass(item->m_strClass), (int)item->m_nID, item->m_strCaption.GetString(),
                                   (short)r.left, (short)r.top, (short)r.Width(), (short)r.Height(),
                                   item->m_dwStyle, item->m_dwExStyle});
    }
    m_Template = DialogTemplate{0,
                                m_strCaption.GetString(),
                                (short)m_DlgRect.left,
                                (short)m_DlgRect.top,
                                (short)m_DlgRect.Width(),
                                (short)m_DlgRect.Height(),
                                m_dwStyle,
                                m_dwExStyle,
                                m_strFace.GetString(),
                                pointSize,
                                m_TemplateItems};
    return TRUE;
}

INT_PTR CMemDialog::DoModal()
{
    if (m_bAddSystemButtons)
        AddSystemButtons();
    try {
        BuildTemplate();
    } catch (const std::bad_alloc&) {
        AfxMessageBox("CMemDialog::DoModal() : LocalAllock Failed", MB_OK);
        return -1;
    }
    if (m_bModeless)
        return CreateIndirect(&m_Template, m_pParent);
    InitModalIndirect(&m_Template, m_pParent);
    return CDialog::DoModal();
}

int CMemDialog::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_pFont) {
        m_pOwnFont = std::make_unique<CFont>();
        m_pOwnFont->CreatePointFont(80, "MS Sans Serif");
        m_pFont = m_pOwnFont.get();
    }
    for (auto& item : m_Items) {
        if (item->m_bSubclassed || item->m_nType == 0)
            continue;   // made by the template, or (type 0) on WM_INITDIALOG
        CWnd* window = item.get();
        if (item->m_pData && !(item->m_nType == CMemDialogItem::kButton &&
                               (HasBits(item->m_dwStyle, BS_AUTORADIOBUTTON) ||
                                HasBits(item->m_dwStyle, BS_AUTOCHECKBOX)))) {
            switch (item->m_nType) {
            case CMemDialogItem::kEdit:
            case CMemDialogItem::kStatic:
            case CMemDialogItem::kScrollBar:
            case CMemDialogItem::kTrackbar:
            case CMemDialogItem::kDateTimePicker:
            case CMemDialogItem::kMonthCalendar:
                break;   // these bind a value, not a window
            default:
                window = static_cast<CWnd*>(item->m_pData);
            }
        }
        if (!window->CreateEx(item->m_dwExStyle, PlatformClass(item->m_strClass), item->m_strCaption,
                              item->m_dwStyle | WS_CHILD, 0, 0, 0, 0, m_hWnd, (HMENU)(UINT_PTR)item->m_nID, nullptr)) {
            AfxMessageBox("Failed to create DlgItem.", MB_OK);
            continue;
        }
        window->SetFont(m_pFont, FALSE);
    }
    return 0;
}

BOOL CMemDialog::OnInitDialog()
{
    for (auto& item : m_Items) {
        if (item->m_bSubclassed)
            continue;
        CRect r = item->m_Rect;
        MapDialogRect(&r);
        // Type 0 would be an ActiveX control of that class name, which this
        // platform does not host: it fails here, as a failed creation would.
        HWND control = item->m_nType ? ::GetDlgItem(m_hWnd, (int)item->m_nID) : nullptr;
        if (!control || !::SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(),
                                        SWP_NOZORDER | SWP_NOACTIVATE)) {
            CString text;
            text.Format("Failed SetWindowPos for control %s.", item->m_strClass.GetString());
            AfxMessageBox(text, MB_OK);
        }
    }
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CMemDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (auto it = m_Items.rbegin(); it != m_Items.rend(); ++it) {
        CMemDialogItem& item = **it;
        if (!item.m_pData)
            continue;
        const int id = (int)item.m_nID;
        switch (item.m_nType) {
        case CMemDialogItem::kButton:
            if (HasBits(item.m_dwStyle, BS_AUTORADIOBUTTON))
                DDX_Radio(pDX, id, *static_cast<int*>(item.m_pData));
            else if (HasBits(item.m_dwStyle, BS_AUTOCHECKBOX))
                DDX_Check(pDX, id, *static_cast<int*>(item.m_pData));
            else
                DDX_Control(pDX, id, *static_cast<CWnd*>(item.m_pData));
            break;
        case CMemDialogItem::kEdit:
        case CMemDialogItem::kStatic:
            DDX_Text(pDX, id, *static_cast<CString*>(item.m_pData));
            break;
        case CMemDialogItem::kScrollBar:
            if (auto* bar = dynamic_cast<CScrollBar*>(GetDlgItem(id))) {
                int& value = *static_cast<int*>(item.m_pData);
                if (pDX->m_bSaveAndValidate)
                    value = bar->GetScrollPos();
                else
                    bar->SetScrollPos(value);
            }
            break;
        case CMemDialogItem::kTrackbar:
            DDX_Slider(pDX, id, *static_cast<int*>(item.m_pData));
            break;
        case CMemDialogItem::kDateTimePicker:
            if (auto* picker = dynamic_cast<CDateTimeCtrl*>(GetDlgItem(id))) {
                CTime& value = *static_cast<CTime*>(item.m_pData);
                if (pDX->m_bSaveAndValidate)
                    picker->GetTime(value);
                else
                    picker->SetTime(&value);
            }
            break;
        case CMemDialogItem::kMonthCalendar:
        case 0:
            break;   // no such control here
        default:
            DDX_Control(pDX, id, *static_cast<CWnd*>(item.m_pData));
        }
    }
    // The caller may not return to the message loop for a while: show the data now.
    PumpMessages();
}

void CMemDialog::OnOK()
{
    if (m_bModeless)
        DestroyWindow();
    else
        CDialog::OnOK();
}

void CMemDialog::OnCancel()
{
    if (m_bModeless)
        DestroyWindow();
    else
        CDialog::OnCancel();
}

BOOL CMemDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    if (id && m_pParent && m_pParent->GetSafeHwnd())
        m_pParent->SendMessage(WM_COMMAND, wParam, lParam);
    return CDialog::OnCommand(wParam, lParam);
}

void CMemDialog::OnHelp()
{
    Default();
}

LRESULT CMemDialog::OnHelpMessage(WPARAM, LPARAM)
{
    OnHelp();
    return TRUE;
}
