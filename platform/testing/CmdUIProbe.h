// Test support: the state one command-update handler gives an item, read by
// routing the update for the item's id through a command target.
#pragma once

#include "platform/wnd/CCmdTarget.h"

class CmdUIProbe : public CCmdUI {
public:
    explicit CmdUIProbe(UINT id) { m_nID = id; }

    // Asks `target` (with its command routing) for the update of `id`.
    static CmdUIProbe Update(CCmdTarget& target, UINT id)
    {
        CmdUIProbe probe(id);
        target.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
        return probe;
    }

    bool enabled = false;
    bool checked = false;

    void Enable(BOOL bOn = TRUE) override
    {
        enabled = bOn != 0;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck = 1) override { checked = nCheck != 0; }
};
