// The application's document (KolvoDoc.h).
#include "app/KolvoDoc.h"

#include "mapwindow/MapEMDIFrame.h"
#include "platform/frames/FrameIds.h"
#include "platform/wnd/CWinThread.h"

IMPLEMENT_DYNCREATE(CKolvoDoc, CMUIDoc)

BEGIN_MESSAGE_MAP(CKolvoDoc, CMUIDoc)
    ON_COMMAND(ID_FILE_SAVE, OnSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnSave)
END_MESSAGE_MAP()

CKolvoDoc::CKolvoDoc() = default;
CKolvoDoc::~CKolvoDoc() = default;

void CKolvoDoc::OnSave() { SaveMap(); }

void CKolvoDoc::OnCloseDocument()
{
    if (auto* frame = dynamic_cast<CMapEMDIFrame*>(AfxGetMainWnd()))
        frame->ShowBrowseDataBar(FALSE);
    CMUIDoc::OnCloseDocument();
}
