// The balloon-shaped tip that the map window shows over an object: a popup whose
// tail points at the pointer, shown half a second after Show and hidden as soon
// as the pointer leaves the point it was shown for.
#pragma once

#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/CWnd.h"

#include <map>

class CBalloonTip : public CWnd {
    DECLARE_DYNAMIC(CBalloonTip)

public:
    static constexpr UINT_PTR kShowTimer = 100;
    static constexpr UINT_PTR kHideTimer = 101;

    CBalloonTip();
    ~CBalloonTip() override;

    // Creates the hidden popup owned by `parent`, and its font.
    BOOL Create(CWnd* parent);
    // Registers a window with its tip text and icon.
    void AddTool(CWnd* window, const CString& text, HICON icon = nullptr);
    // Anchors the tip at `point` (screen; the cursor when null) with `text`, to
    // appear after the show delay; a pending appearance starts again.
    void Show(const CString& text, const POINT* point = nullptr);
    // The icon left of the text; sized by twice its hot spot (0 without one).
    void SetIcon(HICON icon);
    // Offered every message of the map window first: a pointer move away from
    // the anchor hides the tip (and shows a registered window's own tip).
    void RelayEvent(MSG* msg);
    // Hides the tip and drops an appearance still pending.
    void Hide();

    CString GetText() const { return m_strText; }
    CPoint GetAnchor() const { return m_ptAnchor; }
    int GetShowDelay() const { return m_nShowDelay; }

protected:
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    struct Tool {
        CString text;
        HICON icon = nullptr;
    };

    // The balloon's outline for a body of w x h pixels, the tail below it.
    static void MakeRegion(CRgn& region, int w, int h);
    // The body's size for the current text, font and icon.
    CSize MeasureBody();

    CString m_strClassName;
    int m_nShowDelay = 500;
    CPoint m_ptAnchor;
    UINT_PTR m_nTimer = 0;
    int m_nIconWidth = 0;
    int m_nIconHeight = 0;
    HICON m_hIcon = nullptr;
    CString m_strText;
    CFont m_Font;
    std::map<HWND, Tool> m_Tools;
};
