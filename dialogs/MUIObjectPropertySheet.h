// The property sheet of one map object: General, the style pages that suit its
// type, and Data. It starts from a copy of the style the object is drawn with;
// the caller compares GetStyle() with it after OK and reads IsDataChanged().
#pragma once

#include "dialogs/MUIPropertyGeneralPage.h"
#include "dialogs/MUIPropertySheet.h"

class CMUIObjectPropertySheet : public CMUIPropertySheet {
    DECLARE_DYNAMIC(CMUIObjectPropertySheet)
public:
    // The object is not owned; null gives a sheet without pages.
    CMUIObjectPropertySheet(CMapObject* object, LPCTSTR caption, CWnd* parent = nullptr, UINT startPage = 0);

    void AddPages() override;
    CMapObject* GetObject() const override { return m_pObject; }

    CMUIPropertyGeneralPage m_GeneralPage;

private:
    CMapObject* m_pObject;
};
