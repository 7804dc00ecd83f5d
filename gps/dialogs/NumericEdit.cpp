// The numeric edit: the text before each typed character is the last good
// text, and every update is checked against it.
#include "gps/dialogs/NumericEdit.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

BEGIN_MESSAGE_MAP(CNumericEdit, CEdit)
    ON_WM_CHAR()
    ON_CONTROL_REFLECT(EN_UPDATE, OnUpdate)
END_MESSAGE_MAP()

bool CNumericEdit::IsGoodText(const char* text, int kind)
{
    if (!*text)
        return true;
    char* end = nullptr;
    errno = 0;
    // `long` is 64-bit here: the 32-bit ranges of the conversions are checked apart.
    if (kind == kSignedLong) {
        const long long v = strtoll(text, &end, 10);
        if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
            return false;
    } else if (kind == kUnsignedLong) {
        const unsigned long long v = strtoull(text, &end, 10);
        const char* p = text;
        while (isspace((unsigned char)*p))
            ++p;
        const unsigned long long magnitude = *p == '-' ? 0 - v : v;
        if (errno == ERANGE || magnitude > UINT32_MAX)
            return false;
    } else {
        strtod(text, &end);
        if (errno == ERANGE)
            return false;
    }
    return *end == 0;
}

void CNumericEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != 8 && nChar != 9 && nChar != 10) {
        m_dwSelection = GetSel();
        GetWindowText(m_strLastGood);
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CNumericEdit::OnUpdate()
{
    if (m_bRestoring)
        return;
    CString text;
    GetWindowText(text);
    if (IsGoodText(text, m_nKind)) {
        m_strLastGood = text;
        return;
    }
    m_bRestoring = true;
    SetWindowText(m_strLastGood);
    m_bRestoring = false;
    SetSel((int)LOWORD(m_dwSelection), (int)HIWORD(m_dwSelection));
    SendMessage(EM_SCROLLCARET);
}
