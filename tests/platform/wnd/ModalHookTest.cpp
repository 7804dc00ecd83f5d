// A message box raised by a handler while input is being dispatched is answered
// by the test hook, and the handler goes on with that answer.
#include "platform/base/Afx.h"
#include "platform/wnd/CWnd.h"
#include "platform/wnd/WndTestInput.h"
#include "platform/testing/ModalRecorder.h"

#include <gtest/gtest.h>

namespace {

class AskingWnd : public CWnd {
public:
    int m_answer = 0;
    int m_clicks = 0;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint p)
    {
        ++m_clicks;
        CString text;
        text.Format("Delete the object at %d,%d?", (int)p.x, (int)p.y);
        m_answer = AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(AskingWnd, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST(ModalHook, MessageBoxInsideAMouseHandlerIsAnsweredByTheTest)
{
    AskingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "asking", WS_POPUP | WS_VISIBLE, 10, 10, 200, 150,
                             nullptr, nullptr));
    AfxTestProcessEvents();

    ModalRecorder recorder({IDNO, IDYES});
    AfxTestMouse(wnd.GetSafeHwnd(), WM_LBUTTONDOWN, 20, 30, MK_LBUTTON);
    AfxTestMouse(wnd.GetSafeHwnd(), WM_LBUTTONUP, 20, 30);
    AfxTestProcessEvents();
    EXPECT_EQ(wnd.m_answer, IDNO);

    AfxTestMouse(wnd.GetSafeHwnd(), WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
    AfxTestMouse(wnd.GetSafeHwnd(), WM_LBUTTONUP, 5, 6);
    AfxTestProcessEvents();
    EXPECT_EQ(wnd.m_answer, IDYES);

    EXPECT_EQ(wnd.m_clicks, 2);
    ASSERT_EQ(recorder.Boxes().size(), 2u);
    EXPECT_STREQ(recorder.Boxes()[0].text, "Delete the object at 20,30?");
    EXPECT_EQ(recorder.Boxes()[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_STREQ(recorder.Boxes()[1].text, "Delete the object at 5,6?");
    wnd.DestroyWindow();
}

}
