// Templates and dialog classes that the dialog tests share.
#pragma once

#include "platform/dialogs/CDialog.h"
#include "platform/controls/CommCtrl.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/wnd/WndTestInput.h"
#include "platform/testing/DialogAnswerer.h"
#include "platform/testing/ModalRecorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Template ids of the tests (outside the program's ranges).
enum : UINT {
    IDD_TEST_EDIT = 40001,       // a value edit, a disabled edit, a list, OK and Cancel
    IDD_TEST_EXCHANGE = 40002,   // one control of each kind that data exchange serves
    IDD_TEST_BADCLASS = 40003,   // a control of a class nobody registered
    IDD_TEST_NOFAIL = 40004,     // the same with DS_NOFAILCREATE
    IDD_TEST_PAGE1 = 40011,
    IDD_TEST_PAGE2 = 40012,
    IDD_TEST_PAGE3 = 40013,
};

enum : int {
    IDC_VALUE = 1001,
    IDC_DISABLED = 1002,
    IDC_LIST = 1003,
    IDC_X_EDIT = 1101,
    IDC_X_CHECK = 1102,
    IDC_X_RADIO1 = 1103,
    IDC_X_RADIO2 = 1104,
    IDC_X_RADIO3 = 1105,
    IDC_X_NEXTGROUP = 1106,
    IDC_X_DROPLIST = 1107,
    IDC_X_DROPDOWN = 1108,
    IDC_X_LISTBOX = 1109,
    IDC_X_SLIDER = 1110,
    IDC_PAGE_EDIT = 1201,
    IDC_PAGE_BUTTON = 1202,
};

// A dialog whose data exchange and initialisation the test supplies.
class TestDialog : public CDialog {
public:
    explicit TestDialog(UINT id, CWnd* parent = nullptr) : CDialog(id, parent) {}
    TestDialog() = default;

    std::function<void(CDataExchange*)> exchange;
    // Runs after the class library's initialisation; its result is OnInitDialog's.
    std::function<BOOL(TestDialog&)> init;
    int initCalls = 0;

    BOOL OnInitDialog() override
    {
        ++initCalls;
        const BOOL r = CDialog::OnInitDialog();
        return init ? init(*this) : r;
    }
    using CDialog::DoDataExchange;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
};

// A visible top-level window to own dialogs.
class OwnerWindow : public CWnd {
public:
    OwnerWindow()
    {
        CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500, 400,
                 nullptr, nullptr);
    }
};

inline CString TextOf(HWND h)
{
    char buffer[512] = {};
    ::GetWindowText(h, buffer, (int)sizeof buffer);
    return buffer;
}

inline RECT RectInParent(HWND h)
{
    RECT r;
    ::GetWindowRect(h, &r);
    ::MapWindowPoints(nullptr, ::GetParent(h), reinterpret_cast<LPPOINT>(&r), 2);
    return r;
}
