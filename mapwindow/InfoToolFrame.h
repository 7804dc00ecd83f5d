// The info tool window: a small floating window owned by the main frame that
// lists name and value pairs in two columns, and its object form, which lists
// the attribute values of the selected object. Closing it hides it; it lives as
// long as the frame that made it.
#pragma once

#include "platform/base/CString.h"
#include "platform/wnd/CWnd.h"

#include <vector>

class CFont;
class CMapObject;

struct CInfoToolLine {
    CString name;
    CString value;
};

class CInfoToolFrame : public CWnd {
    DECLARE_DYNAMIC(CInfoToolFrame)
public:
    CInfoToolFrame();
    ~CInfoToolFrame() override;

    // A hidden tool window titled `title`, owned by `parent`, with its top-left
    // corner at (parent's client width, parent's client height).
    BOOL CreateToolWindow(LPCTSTR title, CWnd* parent);
    void AddLine(const CString& name, const CString& value);
    void ClearLines();
    int GetLineCount() const { return (int)m_lines.size(); }
    const CInfoToolLine& GetLine(int index) const { return m_lines[(size_t)index]; }
    int GetFirstVisibleLine() const { return m_nFirstLine; }

    // The font of the "Info Window" preference lives with the preferences, which
    // this folder does not see: the application hands it over.
    using FontProvider = CFont* (*)();
    static void SetFontProvider(FontProvider provider);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ResetScrolling();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnClose();
    afx_msg void OnCloseCommand();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    int m_nScrollLines = 0;
    int m_nFirstLine = 0;
    std::vector<CInfoToolLine> m_lines;
    CFont* m_pFont = nullptr;
    int m_nMargin = 10;
    int m_nLineGap = 2;
    int m_nLineHeight = 18;
    UINT m_nNameFormat = 38;  // single line, vertically centred, right-aligned
    UINT m_nValueFormat = 36; // single line, vertically centred, left-aligned
};

class CObjectInfoFrame : public CInfoToolFrame {
    DECLARE_DYNAMIC(CObjectInfoFrame)
public:
    // One line per attribute value of `object`, in its order; none for null.
    void ShowObjectAttributes(CMapObject* object);

protected:
    DECLARE_MESSAGE_MAP()
};
