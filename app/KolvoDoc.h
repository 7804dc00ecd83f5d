// The application's document: the map document, whose Save and Save As both run
// the map's save (Save As when the map has no workspace yet), and whose closing
// hides the main frame's Browse Data bar.
#pragma once

#include "mapwindow/MUIDoc.h"

class CKolvoDoc : public CMUIDoc {
    DECLARE_DYNCREATE(CKolvoDoc)
public:
    CKolvoDoc();
    ~CKolvoDoc() override;

    void OnCloseDocument() override;

protected:
    afx_msg void OnSave();
    DECLARE_MESSAGE_MAP()
};
