// The font combos: the size combo keeps a valid size and notifies its owner;
// the name combo lists the installed families.
#include <gtest/gtest.h>

#include "dialogs/controls/FontNameCombo.h"
#include "dialogs/controls/FontSizeCombo.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/FontDatabase.h"
#include "platform/wnd/WndTestInput.h"

#include <string>
#include <vector>

namespace {

const UINT kSizeId = 25044;

// Records the size combo's notifications with the text the combo showed when each
// arrived.
class OwnerWnd : public CWnd {
public:
    struct Notification {
        UINT code;
        UINT_PTR id;
        HWND from;
        std::string text;
    };
    std::vector<Notification> notifications;
    CFontSizeCombo* combo = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            CString text;
            if (combo)
                combo->GetWindowText(text);
            notifications.push_back({header->code, header->idFrom, header->hwndFrom, text.GetString()});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class SizeCombo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                     300, 200, nullptr, nullptr));
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN, CRect(10, 10, 110, 150),
                                   &m_owner, kSizeId));
        ASSERT_TRUE(m_other.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN, CRect(10, 60, 110, 150),
                                   &m_owner, 2));
        for (const char* size : {"8", "10", "12", "14"})
            m_combo.AddString(size);
        m_owner.combo = &m_combo;
        AfxTestProcessEvents();
    }

    // Types into the combo's field and moves the focus on.
    void EnterAndLeave(const char* text)
    {
        m_combo.SetFocus();
        m_combo.SetWindowText(text);
        m_owner.notifications.clear();
        m_other.SetFocus();
        AfxTestProcessEvents();
    }

    OwnerWnd m_owner;
    CFontSizeCombo m_combo;
    CComboBox m_other;
};

TEST_F(SizeCombo, LeavingKeepsTheTextAValidSize)
{
    const std::pair<const char*, const char*> cases[] = {
        {"007", "7"}, {"14", "14"}, {"100", "100"}, {" 9pt", "9"},
        {"0", "12"}, {"abc", "12"}, {"150", "12"}, {"101", "12"}, {"-5", "12"}, {"", "12"},
        {"4294967297", "12"},   // overflows to the clamp, not into the range
    };
    for (const auto& [typed, shown] : cases) {
        SCOPED_TRACE(typed);
        EnterAndLeave(typed);
        CString text;
        m_combo.GetWindowText(text);
        EXPECT_STREQ(text, shown);
        EXPECT_EQ(m_combo.GetSize(), atoi(shown));
        ASSERT_EQ(m_owner.notifications.size(), 1u);
        EXPECT_EQ(m_owner.notifications[0].code, 4u);
        EXPECT_EQ(m_owner.notifications[0].text, shown);   // sent after the check
    }
}

TEST_F(SizeCombo, ARangeOfItsOwnKeepsZeroAndThreeDigits)
{
    const struct {
        int lowest, highest;
        const char* typed;
        const char* shown;
    } cases[] = {
        {0, 99, "0", "0"},       // a line width of 0 is one pixel, not the default
        {0, 99, "abc", "12"},    // no number is still no size
        {0, 99, "100", "12"},
        {1, 999, "300", "300"},  // a window font 300 high
        {1, 999, "0", "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        m_combo.SetSizeRange(c.lowest, c.highest);
        EnterAndLeave(c.typed);
        CString text;
        m_combo.GetWindowText(text);
        EXPECT_STREQ(text, c.shown);
    }
}

TEST_F(SizeCombo, SelectionNotifiesAtOnceWithTheNewSize)
{
    m_combo.SetFocus();
    m_combo.SetCurSel(1);
    m_owner.notifications.clear();
    AfxTestKeyStroke(::GetFocus(), VK_DOWN);   // the user moves to "12"
    ASSERT_EQ(m_owner.notifications.size(), 1u);
    const auto& n = m_owner.notifications[0];
    EXPECT_EQ(n.code, 1u);
    EXPECT_EQ(n.id, kSizeId);
    EXPECT_EQ(n.from, m_combo.m_hWnd);
    EXPECT_EQ(n.text, "12");
    EXPECT_EQ(m_combo.GetSize(), 12);

    m_other.SetFocus();
    AfxTestProcessEvents();
    ASSERT_EQ(m_owner.notifications.size(), 2u);
    EXPECT_EQ(m_owner.notifications[1].code, 4u);
}

TEST_F(SizeCombo, NotificationsGoToTheOwnerRatherThanTheParent)
{
    OwnerWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "other owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr));
    m_combo.SetOwner(&owner);
    EnterAndLeave("9");
    EXPECT_TRUE(m_owner.notifications.empty());
    ASSERT_EQ(owner.notifications.size(), 1u);
    EXPECT_EQ(owner.notifications[0].code, 4u);
    m_combo.SetOwner(nullptr);
}

int CountFamilies(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM param)
{
    ++*reinterpret_cast<int*>(param);
    return 1;
}

TEST(FontNameCombo, SubclassingListsTheInstalledFamilies)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr));
    HWND control = ::CreateWindowEx(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, 10, 10,
                                    150, 200, parent.m_hWnd, (HMENU)(UINT_PTR)25042, nullptr, nullptr);
    ASSERT_NE(control, nullptr);

    CDC* dc = parent.GetDC();
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    int families = 0;
    ::EnumFontFamiliesExA(dc->GetSafeHdc(), &all, &CountFamilies, (LPARAM)&families, 0);
    parent.ReleaseDC(dc);
    ASSERT_GT(families, 0);

    CFontNameCombo combo;
    ASSERT_TRUE(combo.SubclassWindow(control));
    EXPECT_EQ(combo.GetCount(), families);
    EXPECT_GE(combo.FindStringExact(-1, "Map Symbols"), 0);   // the program's own symbol font
    EXPECT_GE(combo.FindStringExact(-1, "Arial"), 0);

    // Sorted by the control, as its style asks.
    CString previous, text;
    for (int i = 0; i < combo.GetCount(); ++i) {
        combo.GetLBText(i, text);
        EXPECT_LE(previous.CompareNoCase(text), 0) << text.GetString();
        previous = text;
    }
}

// A combo the program makes itself is filled as one it takes over from a dialog.
TEST(FontNameCombo, CreatingTheComboListsTheFamilies)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr));
    CFontNameCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(10, 10, 160, 210), &parent,
                             25043));
    EXPECT_GT(combo.GetCount(), 0);
    EXPECT_GE(combo.FindStringExact(-1, "Map Symbols"), 0);
}

} // namespace
