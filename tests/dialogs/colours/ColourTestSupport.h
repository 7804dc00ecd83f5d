// Shared by the colour control tests: a window that records the colour messages
// it is sent or posted, and pixel helpers.
#pragma once

#include "dialogs/controls/UiColorMessages.h"
#include "platform/wnd/CWnd.h"
#include "platform/wnd/WndTestInput.h"

#include <vector>

struct ColourMessage {
    UINT message;
    COLORREF color;
    LPARAM lParam;
    bool operator==(const ColourMessage& o) const
    {
        return message == o.message && color == o.color && lParam == o.lParam;
    }
};

inline std::ostream& operator<<(std::ostream& os, const ColourMessage& m)
{
    return os << "{" << m.message << ", 0x" << std::hex << m.color << std::dec << ", " << m.lParam << "}";
}

// A top-level window that keeps every colour message it receives.
class ColourRecorder : public CWnd {
public:
    std::vector<ColourMessage> received;

    BOOL CreateAt(int x, int y, int cx, int cy, DWORD style = WS_POPUP | WS_VISIBLE)
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "recorder", style, x, y, cx, cy, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_UI_COLORSELECTED && message <= WM_UI_COLORCHANGED) {
            received.push_back({message, (COLORREF)wParam, lParam});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
