// Views: the windows that show a document inside a frame. A view made by a
// frame from a creation context joins the context's document; it paints through
// OnDraw, is told about document changes through OnUpdate and about activation
// through OnActivateView, and passes the commands it does not handle on to its
// document. Views live on the heap and delete themselves with their window.
#pragma once

#include "platform/wnd/CWnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override; // leaves its document

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    virtual void OnInitialUpdate(); // OnUpdate(nullptr, 0, nullptr)
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = nullptr);

protected:
    virtual void OnDraw(CDC* pDC) = 0;
    // The document changed (pSender: the view that made the change); invalidates the view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument = nullptr;

    friend class CDocument;
    friend class CFrameWnd;
    friend class CMDIChildWnd;
};
