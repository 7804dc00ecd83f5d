// Dialog data exchange and validation. A dialog's DoDataExchange calls DDX_ and
// DDV_ routines in control order; UpdateData(FALSE) moves members into controls,
// UpdateData(TRUE) reads and validates them. A routine that finds bad input tells
// the user (a message box through the message-box hook) and calls Fail, which
// focuses the control last prepared (selecting an edit's text) and throws a
// CUserException that UpdateData catches and turns into FALSE.
//
// Numbers parse as the class library parses them: blanks around the number, an
// optional sign, decimal digits, and for real numbers a fraction and an exponent;
// anything else, and values outside the member's 32-bit range, are refused with
// "Please enter an integer." / "Please enter a positive integer." / "Please
// enter a number.". Integers load with "%d" / "%u", reals with "%.*g" at the
// type's precision. `long` members exchange as the 32-bit Windows long.
#pragma once

#include "platform/base/CString.h"

class CWnd;

// The prompts of data exchange: string-table ids. When the table has no text for
// one, the class library's English text noted here is shown.
#define AFX_IDP_PARSE_INT 0xF110          // "Please enter an integer."
#define AFX_IDP_PARSE_REAL 0xF111         // "Please enter a number."
#define AFX_IDP_PARSE_INT_RANGE 0xF112    // "Please enter an integer between %1 and %2."
#define AFX_IDP_PARSE_REAL_RANGE 0xF113   // "Please enter a number between %1 and %2."
#define AFX_IDP_PARSE_STRING_SIZE 0xF114  // "Please enter no more than %1 characters."
#define AFX_IDP_PARSE_UINT 0xF117         // "Please enter a positive integer."

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;            // TRUE: controls to members, with validation
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;   // the control Fail focuses
    BOOL m_bEditLastControl = FALSE;

    // The control of nIDC, remembered for Fail. A missing control is a fault of
    // the dialog's template: reported and thrown as CNotSupportedException.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);            // also LONG and BOOL
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);           // also DWORD
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);           // 32-bit range
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value);  // 32-bit range
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);

// Check boxes: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first button of a group (WS_GROUP); value is the index of the
// checked radio button of the group, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& value);
// Saving reads the combo box's text; loading selects the first item that starts
// with the value (Exact: that equals it), else sets the edit text.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& value);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
// Attaches rControl to the control the first time (SubclassWindow).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Validation runs only when saving; it follows the DDX_ call of its control.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, LONG value, LONG minVal, LONG maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);

// Sets a window's text only when it differs, so that an unchanged control sends
// no change notification.
void AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);
