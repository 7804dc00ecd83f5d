// The splash screen (SplashDlg.h): its picture, bitmap 25409, painted at full size.
#include "app/SplashDlg.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/wnd/WindowDC.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CSplashDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSplashDlg::CSplashDlg(CWnd* pParent) : CDialog(IDD_SPLASH, pParent) {}

BOOL CSplashDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTimer(kTimer, kShowMs, nullptr);
    return TRUE;
}

void CSplashDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimer)
        return;
    KillTimer(kTimer);
    EndDialog(IDOK);
}

void CSplashDlg::OnPaint()
{
    CPaintDC dc(this);
    CBitmap picture;
    if (!picture.LoadBitmap(IDB_SPLASH))
        return;
    BITMAP bm{};
    picture.GetBitmap(&bm);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&picture);
    CRect client;
    GetClientRect(&client);
    dc.StretchBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    memory.SelectObject(old);
}
