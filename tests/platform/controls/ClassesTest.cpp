// The control classes as dialog templates name them, and fonts given to controls.
#include "ControlTestSupport.h"

#include "platform/controls/CComboBox.h"
#include "platform/controls/CEdit.h"
#include "platform/controls/CButton.h"
#include "platform/controls/CHeaderCtrl.h"
#include "platform/controls/CListBox.h"
#include "platform/controls/CListCtrl.h"
#include "platform/controls/CRichEditCtrl.h"
#include "platform/controls/CSliderCtrl.h"
#include "platform/gdi/FontDatabase.h"
#include "platform/testing/EditorProbe.h"

#include <gtest/gtest.h>

#include <functional>
#include <typeinfo>
#include <utility>

namespace {

TEST(ClassesTest, EveryControlClassCreatesByItsName)
{
    ParentWnd parent;
    const char* names[] = {"Static", "Button", "Edit", "ComboBox", "ListBox", "ScrollBar", "SysListView32",
                           "SysHeader32", "SysTabControl32", "msctls_trackbar32", "msctls_progress32",
                           "RichEdit20A", "RICHEDIT", "SysDateTimePick32", "ComboBoxEx32", "SysAnimate32",
                           "BUTTON", "edit", "COMBOBOX"};
    for (const char* name : names) {
        HWND h = ::CreateWindowEx(0, name, "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 40, parent.m_hWnd, (HMENU)5, nullptr,
                                  nullptr);
        EXPECT_NE(h, nullptr) << name;
        ::DestroyWindow(h);
    }
    Pump();
}

// A control window made without a wrapper object comes back from FromHandle as its own control
// class, so that casting it (as GetDlgItem's callers do) reaches a real object of that class.
TEST(ClassesTest, FromHandleGivesEachControlItsOwnClass)
{
    ParentWnd parent;
    const std::pair<const char*, std::function<bool(CWnd*)>> cases[] = {
        {"Edit", [](CWnd* w) { return dynamic_cast<CEdit*>(w) != nullptr; }},
        {"ListBox", [](CWnd* w) { return dynamic_cast<CListBox*>(w) != nullptr; }},
        {"ComboBox", [](CWnd* w) { return dynamic_cast<CComboBox*>(w) != nullptr; }},
        {"SysListView32", [](CWnd* w) { return dynamic_cast<CListCtrl*>(w) != nullptr; }},
        {"SysHeader32", [](CWnd* w) { return dynamic_cast<CHeaderCtrl*>(w) != nullptr; }},
        {"RichEdit20A", [](CWnd* w) { return dynamic_cast<CRichEditCtrl*>(w) != nullptr; }},
        {"Button", [](CWnd* w) { return dynamic_cast<CButton*>(w) != nullptr; }},
        {"msctls_trackbar32", [](CWnd* w) { return dynamic_cast<CSliderCtrl*>(w) != nullptr; }},
    };
    for (const auto& [name, isOwnClass] : cases) {
        HWND h = ::CreateWindowEx(0, name, "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 40, parent.m_hWnd, (HMENU)5, nullptr,
                                  nullptr);
        ASSERT_NE(h, nullptr) << name;
        EXPECT_TRUE(isOwnClass(CWnd::FromHandle(h))) << name;
        ::DestroyWindow(h);
    }
    // A window of a class without a control wrapper stays a plain CWnd.
    CWnd* plain = CWnd::FromHandle(parent.m_hWnd);
    EXPECT_EQ(typeid(*plain), typeid(ParentWnd));
    Pump();
}

TEST(ClassesTest, SetFontReachesTheEditorsAndTheDrawnControls)
{
    ParentWnd parent;
    CFont font;
    LOGFONT lf{};
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 40), &parent, 1));
    edit.SetFont(&font);
    ASSERT_TRUE(EditorIsSingleLine(edit.m_hWnd));
    EditorFontFacts shown;
    ASSERT_TRUE(GetEditorFont(edit.m_hWnd, &shown));
    EXPECT_STREQ(shown.family, AfxGetFontFamily("MS Sans Serif"));
    EXPECT_EQ(shown.pixelSize, 20);
    EXPECT_TRUE(shown.bold);
    EXPECT_EQ(edit.GetFont()->GetSafeHandle(), font.GetSafeHandle());

    // Drawn controls measure with the font: list items get its height.
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(10, 50, 200, 150), &parent, 2));
    const int small = list.GetItemHeight(0);
    list.SetFont(&font);
    EXPECT_GT(list.GetItemHeight(0), small);
    CDC* dc = CDC::FromHandle(::GetDC(nullptr));
    CFont* old = dc->SelectObject(&font);
    TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    dc->SelectObject(old);
    ::ReleaseDC(nullptr, dc->GetSafeHdc());
    EXPECT_EQ(list.GetItemHeight(0), (int)tm.tmHeight);

    // A combo box grows with its font and keeps its list height.
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 160, 200, 300), &parent, 3));
    CRect before;
    combo.GetWindowRect(&before);
    combo.SetFont(&font);
    CRect after;
    combo.GetWindowRect(&after);
    EXPECT_GT(after.Height(), before.Height());
    CRect dropped;
    combo.GetDroppedControlRect(&dropped);
    EXPECT_EQ(dropped.top, after.bottom);
}

TEST(ClassesTest, ListTextsThatAreNoUtf8MatchByTheirBytes)
{
    ParentWnd parent;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 150), &parent, 4));
    // One-byte texts of a symbol font: "%c" of 0xE9 and of 0xEA are different items.
    const char e9[2] = {(char)0xE9, 0}, ea[2] = {(char)0xEA, 0};
    combo.AddString(e9);
    combo.AddString(ea);
    EXPECT_EQ(combo.FindStringExact(-1, ea), 1);
    EXPECT_EQ(combo.FindStringExact(-1, e9), 0);
}

} // namespace
