// Windows whose class brings a Qt widget of its own (the controls' way): input reaches
// the widget only through the default window procedure. Also the standard scroll bars.
#include "WndTestSupport.h"

#include "platform/WndInternal.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

void RegisterWidgetClass(const char* name, wnd::WidgetFactory factory)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.lpszClassName = name;
    RegisterClass(&wc);
    ASSERT_TRUE(wnd::SetClassWidgetFactory(name, std::move(factory)));
}

class DigitsOnly : public CWnd {
protected:
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags)
    {
        if (ch >= '0' && ch <= '9')
            CWnd::OnChar(ch, repeat, flags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DigitsOnly, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class SwallowClicks : public CWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SwallowClicks, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class NativeWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterWidgetClass("KvTestEdit", [](HWND, const CREATESTRUCT&, QWidget* parent) { return new QLineEdit(parent); });
        RegisterWidgetClass("KvTestButton",
                            [](HWND, const CREATESTRUCT&, QWidget* parent) { return new QPushButton(parent); });
        ASSERT_TRUE(parent.CreatePopup(0, 0, 300, 200));
        AfxTestProcessEvents();
    }
    void TearDown() override { parent.DestroyWindow(); }

    CallLog log;
    RecordingWnd parent{log, "P"};
};

TEST_F(NativeWidgetTest, ASubclassDecidesWhichCharactersTheEditGets)
{
    DigitsOnly edit;
    ASSERT_TRUE(edit.Create("KvTestEdit", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &parent, 5));
    auto* line = qobject_cast<QLineEdit*>(wnd::WidgetOf(edit.GetSafeHwnd()));
    ASSERT_NE(line, nullptr);
    log.Clear();
    for (const char* c : {"a", "1", "b", "2"})
        AfxTestKeyStroke(edit.GetSafeHwnd(), (UINT)std::toupper(c[0]), c);
    EXPECT_EQ(line->text(), QString("12"));
    // A key the edit ignores does not travel up to the parent window.
    AfxTestKeyStroke(edit.GetSafeHwnd(), VK_F5);
    EXPECT_EQ(log.Count("P:Key"), 0);
}

TEST_F(NativeWidgetTest, ASwallowedButtonDownNeverReachesTheButton)
{
    CWnd plain;
    SwallowClicks swallowing;
    ASSERT_TRUE(plain.Create("KvTestButton", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 80, 40), &parent, 6));
    ASSERT_TRUE(swallowing.Create("KvTestButton", "", WS_CHILD | WS_VISIBLE, CRect(90, 10, 160, 40), &parent, 7));
    int plainClicks = 0, swallowedClicks = 0;
    QObject::connect(qobject_cast<QPushButton*>(wnd::WidgetOf(plain.GetSafeHwnd())), &QPushButton::clicked,
                     [&] { ++plainClicks; });
    QObject::connect(qobject_cast<QPushButton*>(wnd::WidgetOf(swallowing.GetSafeHwnd())), &QPushButton::clicked,
                     [&] { ++swallowedClicks; });
    for (CWnd* w : {static_cast<CWnd*>(&plain), static_cast<CWnd*>(&swallowing)}) {
        AfxTestMouse(w->GetSafeHwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        AfxTestMouse(w->GetSafeHwnd(), WM_LBUTTONUP, 5, 5);
    }
    EXPECT_EQ(plainClicks, 1);
    EXPECT_EQ(swallowedClicks, 0);
    EXPECT_EQ(log.Count("P:LButton"), 0);
}

TEST_F(NativeWidgetTest, QtFocusFollowsSetFocusAndTheEditsOwnFocus)
{
    CallLog childLog;
    RecordingWnd surface(childLog, "S");
    ASSERT_TRUE(surface.CreateChild(&parent, CRect(0, 100, 50, 150), 8));
    CWnd edit;
    ASSERT_TRUE(edit.Create("KvTestEdit", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &parent, 5));
    surface.SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), wnd::WidgetOf(surface.GetSafeHwnd()));
    // Focus given by Qt itself (a click into the edit) is the window's focus too.
    wnd::WidgetOf(edit.GetSafeHwnd())->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    EXPECT_EQ(childLog.Count("S:KillFocus other"), 1);
}

TEST(ScrollBars, ActionsOfTheBarReachTheWindowWhichMovesTheThumb)
{
    CallLog log;
    RecordingWnd w(log, "W");
    ASSERT_TRUE(w.CreatePopup(0, 0, 200, 100, 0, nullptr, WS_POPUP | WS_VISIBLE | WS_VSCROLL));
    w.SetScrollRange(SB_VERT, 0, 20);
    QScrollBar* bar = wnd::WidgetOf(w.GetSafeHwnd())->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    log.Clear();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(log.With("W:VScroll"), (std::vector<std::string>{"W:VScroll 1 0", "W:VScroll 8 0"}));
    EXPECT_EQ(bar->value(), 0); // the window has not moved the thumb
    w.SetScrollPos(SB_VERT, 3);
    EXPECT_EQ(bar->value(), 3);
    log.Clear();
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(log.With("W:VScroll"), (std::vector<std::string>{"W:VScroll 2 0", "W:VScroll 8 0"}));
    w.DestroyWindow();
}

} // namespace
