// Dialogs laid out in code: default rows, the rectangle that grows around
// the controls, which controls go into the template, the standard buttons,
// bound data, and a modeless dialog that its OK button destroys.
#include "gps/link/MemDialog.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/WndTestInput.h"

#include <gtest/gtest.h>

TEST(MemDialog, ControlsAreLaidOutAndMadeOnCreation)
{
    CString text = "first";
    CMemDialog dlg;
    dlg.SetUseModeless(TRUE);
    dlg.SetUseSystemButtons(FALSE);
    dlg.SetWindowTitle("Wait...");
    const UINT a = dlg.AddDlgControl(CMemDialogItem::kStatic, "x", WS_CHILD | WS_VISIBLE, 0, nullptr, &text, 0);
    const UINT b = dlg.AddDlgControl("EDIT", "", WS_CHILD | WS_VISIBLE, 0, nullptr, nullptr, 0);
    EXPECT_EQ(b, a + 1);   // drawn from one counter
    EXPECT_GE(a, 0x400u);
    EXPECT_EQ(dlg.AddDlgControl(7, "", 0, 0, nullptr, nullptr, 0), 0u);   // no such type
    EXPECT_EQ(dlg.GetItem(0).m_Rect, CRect(10, 10, 120, 22));
    EXPECT_EQ(dlg.GetItem(1).m_Rect, CRect(10, 22, 270, 34));
    EXPECT_EQ(dlg.GetDlgRect(), CRect(0, 0, 275, 39));
    EXPECT_EQ(CMemDialogItem::TypeOfClass("edit"), 0);   // matched with case
    EXPECT_EQ(CMemDialogItem::TypeOfClass("SysDateTimePick32"), (int)CMemDialogItem::kDateTimePicker);

    ASSERT_TRUE(dlg.DoModal());   // modeless: back at once, the window made
    ASSERT_TRUE(dlg.GetSafeHwnd());
    EXPECT_TRUE(dlg.GetTemplate().items.empty());   // made by the dialog, not the template
    CString shown, caption;
    dlg.GetDlgItemText(a, shown);
    dlg.GetWindowText(caption);
    EXPECT_EQ(shown, "first");   // the bound text
    EXPECT_EQ(caption, "Wait...");
    CRect placed;
    dlg.GetDlgItem(b)->GetWindowRect(&placed);
    EXPECT_GT(placed.Width(), 0);   // put in place from dialog units

    text = "second";
    dlg.UpdateData(FALSE);
    dlg.GetDlgItemText(a, shown);
    EXPECT_EQ(shown, "second");

    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(dlg.GetSafeHwnd());   // OK destroys a modeless dialog
}

TEST(MemDialog, StandardButtonsAndSubclassedControls)
{
    CMemDialog dlg;
    dlg.SetUseModeless(TRUE);
    const CRect where(10, 10, 100, 22);
    dlg.AddSubclassedDlgControl("STATIC", "in the template", WS_CHILD | WS_VISIBLE, 0, &where, 3000);
    ASSERT_TRUE(dlg.DoModal());
    ASSERT_EQ(dlg.GetTemplate().items.size(), 1u);
    EXPECT_EQ(dlg.GetTemplate().items[0].id, 3000);
    // The standard buttons come below the last row, side by side.
    ASSERT_EQ(dlg.GetItemCount(), 3);
    EXPECT_EQ(dlg.GetItem(1).m_strCaption, "OK");
    EXPECT_EQ(dlg.GetItem(1).m_Rect, CRect(10, 28, 60, 42));
    EXPECT_EQ(dlg.GetItem(2).m_strCaption, "Annuleren");
    EXPECT_EQ(dlg.GetItem(2).m_nID, (UINT)IDCANCEL);
    ASSERT_NE(dlg.GetDlgItem(3000), nullptr);
    ASSERT_NE(dlg.GetDlgItem(IDCANCEL), nullptr);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(dlg.GetSafeHwnd());
}
