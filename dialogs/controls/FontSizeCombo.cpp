// The size combo keeps its text a size of its range and notifies its owner.
#include "dialogs/controls/FontSizeCombo.h"

#include <cctype>
#include <climits>
#include <cstdlib>

namespace {

// atoi as on Windows: overflow clamps instead of wrapping into the valid range.
int Atoi32(const char* text)
{
    const long long value = std::strtoll(text, nullptr, 10);
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : (int)value;
}

} // namespace

BEGIN_MESSAGE_MAP(CFontSizeCombo, CComboBox)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, OnSelChange)
    ON_CONTROL_REFLECT(CBN_KILLFOCUS, OnReflectKillFocus)
END_MESSAGE_MAP()

CFontSizeCombo::CFontSizeCombo() : m_defaultText("12") {}

int CFontSizeCombo::GetSize() const
{
    CString text;
    GetWindowText(text);
    return Atoi32(text);
}

void CFontSizeCombo::OnSelChange()
{
    NotifyOwner(NOTIFY_SELCHANGE);
}

void CFontSizeCombo::OnReflectKillFocus()
{
    CString text;
    GetWindowText(text);
    const int size = Atoi32(text);
    // Text that is no number at all reads as 0 and is refused even where 0 is a size.
    const char* p = text;
    while (std::isspace((unsigned char)*p))
        ++p;
    if (*p == '-' || *p == '+')
        ++p;
    const bool number = std::isdigit((unsigned char)*p) != 0;
    if (!number || size < m_lowest || size > m_highest) {
        SetWindowText(m_defaultText);
    } else {
        CString canonical;
        canonical.Format("%d", size);
        if (canonical != text)
            SetWindowText(canonical);
    }
    NotifyOwner(NOTIFY_KILLFOCUS);
}

void CFontSizeCombo::NotifyOwner(UINT code)
{
    CWnd* owner = GetOwner();
    if (!owner)
        return;
    NMHDR header{};
    header.hwndFrom = m_hWnd;
    header.idFrom = (UINT_PTR)GetDlgCtrlID();
    header.code = code;
    owner->SendMessage(WM_NOTIFY, (WPARAM)header.idFrom, reinterpret_cast<LPARAM>(&header));
}
