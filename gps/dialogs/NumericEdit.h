// An edit control that holds only text forming a whole number of its kind
// (or nothing): a change that would break that is undone at once, with the
// selection put back where it was before the character was typed.
#pragma once

#include "platform/controls/CEdit.h"

class CNumericEdit : public CEdit {
public:
    enum { kSignedLong = 0, kUnsignedLong = 1, kFloat = 2 };

    CNumericEdit() = default;
    void SetKind(int kind) { m_nKind = kind; }
    int GetKind() const { return m_nKind; }
    // Whether `text` is a number of `kind` from its start to its end (or
    // empty), as the standard conversions read it, within 32 bits.
    static bool IsGoodText(const char* text, int kind);

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnUpdate();
    DECLARE_MESSAGE_MAP()

private:
    int m_nKind = kUnsignedLong;
    CString m_strLastGood;
    DWORD m_dwSelection = 0;   // start in the low word, end in the high word
    bool m_bRestoring = false;
};
