// The property sheet of a style: it carries a working copy of a CMapStyle that
// its style pages edit (they never hold an object's style), and the four page
// objects the sheets choose from. The code that opened a sheet copies the style
// back after OK. CMUIObjectPropertySheet (one map object) and the layer display
// sheet derive from it and add the pages that suit them.
#pragma once

#include "core/MapStyle.h"
#include "dialogs/MUIDataInfoPage.h"
#include "dialogs/MUIPropertyFillPage.h"
#include "dialogs/MUIPropertyLinePage.h"
#include "dialogs/MUIPropertyNodePage.h"
#include "platform/dialogs/CPropertySheet.h"

class CMapObject;

class CMUIPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CMUIPropertySheet)
public:
    CMUIPropertySheet(LPCTSTR caption, CWnd* parent = nullptr, UINT startPage = 0);
    ~CMUIPropertySheet() override;

    // The style the pages edit.
    virtual CMapStyle* GetStyle() { return &m_Style; }
    virtual void AddPages() {}
    // The object the sheet shows; null for a sheet of a style alone.
    virtual CMapObject* GetObject() const { return nullptr; }
    // Set by the Data page when it wrote an attribute value.
    BOOL IsDataChanged() const { return m_bDataChanged; }
    void SetDataChanged(BOOL changed = TRUE) { m_bDataChanged = changed; }

    CMUIPropertyNodePage m_NodePage;
    CMUIPropertyLinePage m_LinePage;
    CMUIPropertyFillPage m_FillPage;
    CMUIDataInfoPage m_DataPage;

protected:
    BOOL m_bDataChanged = FALSE;
    CMapStyle m_Style;
};

// The sheet of a style page: its parent window as a style sheet, or null.
CMUIPropertySheet* StyleSheetOf(const CWnd* page);
// Whether a page may edit: in an object's sheet only when the object's layer is
// editable; in any other sheet always.
BOOL StylePageEditable(const CWnd* page);
