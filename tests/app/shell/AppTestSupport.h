// What the tests of the running application share: the application object on a
// fast clock, torn down with its documents closed unsaved, commands sent to its
// frame, its active document, and the enabled state of a menu's commands.
#pragma once

#include "app/KolvoApp.h"
#include "app/KolvoDoc.h"
#include "platform/base/Clock.h"
#include "platform/frames/CDocManager.h"
#include "platform/frames/CFrameWnd.h"
#include "platform/testing/ModalRecorder.h"
#include "platform/wnd/CMenu.h"
#include "platform/wnd/WndTestInput.h"

#include <gtest/gtest.h>

#include <map>

namespace apptest {

// The document of the frame's active child frame; null with none open.
inline CKolvoDoc* ActiveDocument(CFrameWnd* frame)
{
    CFrameWnd* child = frame->GetActiveFrame();
    return child && child != frame ? dynamic_cast<CKolvoDoc*>(child->GetActiveDocument()) : nullptr;
}

// The enabled state of each command of the menu bar's popup `index`, as the
// frame's update shows them when the popup opens.
inline std::map<UINT, bool> PopupStates(CFrameWnd* frame, int index)
{
    std::map<UINT, bool> states;
    CMenu* popup = CMenu::FromHandle(::GetMenu(frame->GetSafeHwnd()))->GetSubMenu(index);
    if (!popup)
        return states;
    AfxUpdateMenuCmdUI(frame, popup, TRUE);
    for (UINT i = 0; i < popup->GetMenuItemCount(); ++i) {
        const UINT id = popup->GetMenuItemID((int)i);
        if (id != 0 && id != (UINT)-1)
            states[id] = !(popup->GetMenuState(i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    }
    return states;
}

// A test that starts the application itself; at its end the documents close
// without saving and the main frame and the document manager go.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override { AfxSetTestClockScale(0.001); }
    void TearDown() override
    {
        if (m_app.m_pMainWnd && m_app.m_pMainWnd->GetSafeHwnd()) {
            ModalRecorder noSave({}, IDNO);
            m_app.CloseAllDocuments(TRUE);
            m_app.m_pMainWnd->DestroyWindow();
        }
        m_app.m_pMainWnd = nullptr;
        AfxDestroyDocManager();
        AfxSetTestClockScale(1.0);
    }

    void Command(CWnd* frame, UINT id)
    {
        frame->SendMessage(WM_COMMAND, id, 0);
        AfxTestProcessEvents();
    }

    CKolvoApp m_app;
};

} // namespace apptest
