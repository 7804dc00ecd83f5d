// A window that writes every message it handles into a shared log, with its
// arguments as the handler received them, and then lets the default processing run.
#pragma once

#include "platform/base/Afx.h"
#include "platform/wnd/CWnd.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "platform/wnd/WndTestInput.h"

#include <string>
#include <vector>

struct CallLog {
    std::vector<std::string> lines;
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Clear() { lines.clear(); }
    // The lines that start with `prefix`.
    std::vector<std::string> With(const std::string& prefix) const;
    int Count(const std::string& prefix) const { return (int)With(prefix).size(); }
};

class RecordingWnd : public CWnd {
public:
    RecordingWnd(CallLog& log, std::string name) : m_log(log), m_name(std::move(name)) {}

    // A visible popup window at (x, y) on the screen of a class with these styles.
    BOOL CreatePopup(int x, int y, int cx, int cy, UINT classStyle = CS_DBLCLKS, HBRUSH background = nullptr,
                     DWORD style = WS_POPUP | WS_VISIBLE, DWORD exStyle = 0);
    BOOL CreateChild(CWnd* parent, const RECT& rect, UINT id, UINT classStyle = CS_DBLCLKS,
                     HBRUSH background = nullptr, DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0);

    COLORREF m_paintColor = CLR_INVALID; // WM_PAINT fills the update rectangle with it when set
    int m_createResult = 0;              // what OnCreate returns
    BOOL m_eraseResult = -1;             // -1: default erase; else returned without erasing
    bool m_deleteOnNcDestroy = false;
    bool* m_deleted = nullptr;

protected:
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnLButtonDown(UINT flags, CPoint p);
    afx_msg void OnLButtonUp(UINT flags, CPoint p);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint p);
    afx_msg void OnRButtonDown(UINT flags, CPoint p);
    afx_msg void OnRButtonUp(UINT flags, CPoint p);
    afx_msg void OnMButtonDown(UINT flags, CPoint p);
    afx_msg void OnMouseMove(UINT flags, CPoint p);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint p);
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint p);
    afx_msg void OnClose();
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

    CallLog& m_log;
    std::string m_name;

    DECLARE_MESSAGE_MAP()
};
