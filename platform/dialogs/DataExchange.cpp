// Dialog data exchange and validation (DataExchange.h): a routine that finds bad input tells the
// user and fails the exchange on that control.
#include "platform/dialogs/DataExchange.h"

#include "platform/wnd/CWnd.h"
#include "platform/controls/CommCtrl.h"
#include "platform/dialogs/DialogInternal.h"
#include "platform/base/Exceptions.h"
#include "platform/base/MessageBox.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr LRESULT kErr = -1;

const char* DefaultPrompt(UINT id)
{
    switch (id) {
    case AFX_IDP_PARSE_INT: return "Please enter an integer.";
    case AFX_IDP_PARSE_REAL: return "Please enter a number.";
    case AFX_IDP_PARSE_INT_RANGE: return "Please enter an integer between %1 and %2.";
    case AFX_IDP_PARSE_REAL_RANGE: return "Please enter a number between %1 and %2.";
    case AFX_IDP_PARSE_STRING_SIZE: return "Please enter no more than %1 characters.";
    case AFX_IDP_PARSE_UINT: return "Please enter a positive integer.";
    default: return "";
    }
}

CString Prompt(UINT id)
{
    CString text;
    if (!text.LoadString(id))
        text = DefaultPrompt(id);
    return text;
}

// The prompt with %1 and %2 replaced.
CString FormatPrompt(UINT id, const char* first, const char* second = "")
{
    const CString pattern = Prompt(id);
    std::string out;
    const char* p = pattern.GetString();
    while (*p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            out += p[1] == '1' ? first : second;
            p += 2;
        } else {
            out += *p++;
        }
    }
    return CString(out);
}

[[noreturn]] void FailParse(CDataExchange* pDX, UINT idPrompt)
{
    AfxMessageBox(Prompt(idPrompt), MB_OK, idPrompt);
    pDX->Fail();
}

[[noreturn]] void FailRange(CDataExchange* pDX, UINT idPrompt, const CString& minText, const CString& maxText)
{
    AfxMessageBox(FormatPrompt(idPrompt, minText, maxText), MB_ICONEXCLAMATION, idPrompt);
    pDX->Fail();
}

CString TextOf(HWND hwnd)
{
    const int n = ::GetWindowTextLength(hwnd);
    std::string buffer((size_t)std::max(n, 0) + 1, '\0');
    const int got = ::GetWindowText(hwnd, buffer.data(), (int)buffer.size());
    buffer.resize((size_t)std::max(got, 0));
    return CString(std::move(buffer));
}

const char* SkipBlanks(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

bool ParseSigned(const char* text, long long lo, long long hi, long long& out)
{
    const char* p = SkipBlanks(text);
    if (!(*p >= '0' && *p <= '9') && !((*p == '-' || *p == '+') && p[1] >= '0' && p[1] <= '9'))
        return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(p, &end, 10);
    if (errno == ERANGE || v < lo || v > hi || *SkipBlanks(end) != '\0')
        return false;
    out = v;
    return true;
}

bool ParseUnsigned(const char* text, unsigned long long hi, unsigned long long& out)
{
    const char* p = SkipBlanks(text);
    if (!(*p >= '0' && *p <= '9') && !(*p == '+' && p[1] >= '0' && p[1] <= '9'))
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(p, &end, 10);
    if (errno == ERANGE || v > hi || *SkipBlanks(end) != '\0')
        return false;
    out = v;
    return true;
}

// Decimal notation only: no "inf", "nan" or hexadecimal forms.
bool ParseReal(const char* text, double maxMagnitude, double& out)
{
    const char* p = SkipBlanks(text);
    const char* q = p;
    if (*q == '+' || *q == '-')
        ++q;
    int digits = 0;
    while (*q >= '0' && *q <= '9')
        ++q, ++digits;
    if (*q == '.') {
        ++q;
        while (*q >= '0' && *q <= '9')
            ++q, ++digits;
    }
    if (digits == 0)
        return false;
    if (*q == 'e' || *q == 'E') {
        const char* e = q + 1;
        if (*e == '+' || *e == '-')
            ++e;
        if (!(*e >= '0' && *e <= '9'))
            return false;
        while (*e >= '0' && *e <= '9')
            ++e;
        q = e;
    }
    if (*SkipBlanks(q) != '\0')
        return false;
    const double v = std::strtod(p, nullptr);
    if (!std::isfinite(v) || std::fabs(v) > maxMagnitude)
        return false;
    out = v;
    return true;
}

CString FormatReal(double value, int digits)
{
    CString s;
    s.Format("%.*g", digits, value);
    return s;
}

template <typename T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi)
{
    HWND hwnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseSigned(TextOf(hwnd), lo, hi, v))
            FailParse(pDX, AFX_IDP_PARSE_INT);
        value = (T)v;
    } else {
        CString s;
        s.Format("%lld", (long long)value);
        AfxSetWindowText(hwnd, s);
    }
}

template <typename T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long hi)
{
    HWND hwnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long v = 0;
        if (!ParseUnsigned(TextOf(hwnd), hi, v))
            FailParse(pDX, AFX_IDP_PARSE_UINT);
        value = (T)v;
    } else {
        CString s;
        s.Format("%llu", (unsigned long long)value);
        AfxSetWindowText(hwnd, s);
    }
}

template <typename T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, double maxMagnitude, int digits)
{
    HWND hwnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseReal(TextOf(hwnd), maxMagnitude, v))
            FailParse(pDX, AFX_IDP_PARSE_REAL);
        value = (T)v;
    } else {
        AfxSetWindowText(hwnd, FormatReal(value, digits));
    }
}

bool IsRadioButton(HWND hwnd)
{
    if ((UINT)::SendMessage(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        return true;
    const DWORD type = (DWORD)::GetWindowLong(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return dlg::IsClass(hwnd, WC_BUTTON) && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

// The text of item `index` of a list box or combo box, read with its length and
// text messages; empty for no item (kErr) or an empty one.
CString ItemText(HWND hwnd, UINT lengthMessage, UINT textMessage, LRESULT index)
{
    if (index == kErr)
        return CString();
    const LRESULT len = ::SendMessage(hwnd, lengthMessage, (WPARAM)index, 0);
    if (len <= 0)
        return CString();
    std::string buffer((size_t)len + 1, '\0');
    ::SendMessage(hwnd, textMessage, (WPARAM)index, (LPARAM)buffer.data());
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return CString(std::move(buffer));
}

CString ComboText(HWND hwnd)
{
    CString text = TextOf(hwnd);
    if (text.IsEmpty())
        text = ItemText(hwnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, ::SendMessage(hwnd, CB_GETCURSEL, 0, 0));
    return text;
}

} // namespace

// ---------------------------------------------------------------- CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hwnd = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC) : nullptr;
    if (!hwnd) {
        std::fprintf(stderr, "data exchange: the dialog has no control %d\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = hwnd;
    m_bEditLastControl = FALSE;
    return hwnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hwnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hwnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    const char* text = lpszNew ? lpszNew : "";
    if (TextOf(hWndCtrl) != text)
        ::SetWindowText(hWndCtrl, text);
}

// ---------------------------------------------------------------- DDX

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hwnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = TextOf(hwnd);
    else
        AfxSetWindowText(hwnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeSigned(pDX, nIDC, value, INT32_MIN, INT32_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeSigned(pDX, nIDC, value, INT32_MIN, INT32_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeUnsigned(pDX, nIDC, value, UINT32_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value) { ExchangeUnsigned(pDX, nIDC, value, UINT32_MAX); }

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeReal(pDX, nIDC, value, FLT_MAX, FLT_DIG); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, DBL_MAX, DBL_DIG); }

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessage(hwnd, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2)
            value = 0;
        ::SendMessage(hwnd, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (IsRadioButton(hwnd)) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hwnd, BM_GETCHECK, 0, 0) != 0 && value == -1)
                    value = index;
            } else {
                ::SendMessage(hwnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hwnd = ::GetWindow(hwnd, GW_HWNDNEXT);
    } while (hwnd && !(::GetWindowLong(hwnd, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hwnd, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hwnd, CB_SETCURSEL, (WPARAM)value, 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ComboText(hwnd);
    } else if (::SendMessage(hwnd, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString()) == kErr) {
        AfxSetWindowText(hwnd, value);
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ComboText(hwnd);
        return;
    }
    const LRESULT index = ::SendMessage(hwnd, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)value.GetString());
    if (index == kErr)
        AfxSetWindowText(hwnd, value);
    else
        ::SendMessage(hwnd, CB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hwnd, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hwnd, LB_SETCURSEL, (WPARAM)value, 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ItemText(hwnd, LB_GETTEXTLEN, LB_GETTEXT, ::SendMessage(hwnd, LB_GETCURSEL, 0, 0));
    else
        ::SendMessage(hwnd, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString());
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hwnd, TBM_GETPOS, 0, 0);
    else
        ::SendMessage(hwnd, TBM_SETPOS, TRUE, (LPARAM)value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hwnd)) {
        std::fprintf(stderr, "data exchange: control %d cannot be attached\n", nIDC);
        AfxThrowNotSupportedException();
    }
}

// ---------------------------------------------------------------- DDV

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        CString count;
        count.Format("%d", nChars);
        AfxMessageBox(FormatPrompt(AFX_IDP_PARSE_STRING_SIZE, count), MB_ICONEXCLAMATION,
                      AFX_IDP_PARSE_STRING_SIZE);
        pDX->Fail();
    }
    if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl && pDX->m_bEditLastControl)
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString lo, hi;
    lo.Format("%d", minVal);
    hi.Format("%d", maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, lo, hi);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString lo, hi;
    lo.Format("%u", minVal);
    hi.Format("%u", maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, lo, hi);
}

void DDV_MinMaxLong(CDataExchange* pDX, LONG value, LONG minVal, LONG maxVal)
{
    DDV_MinMaxInt(pDX, value, minVal, maxVal);
}

void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, FormatReal(minVal, FLT_DIG), FormatReal(maxVal, FLT_DIG));
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, FormatReal(minVal, DBL_DIG), FormatReal(maxVal, DBL_DIG));
}
