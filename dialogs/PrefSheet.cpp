#include "dialogs/PrefSheet.h"

IMPLEMENT_DYNAMIC(CPrefSheet, CPropertySheet)

CPrefSheet::CPrefSheet(LPCTSTR caption, CWnd* parent, UINT selectPage) : CPropertySheet(caption, parent, selectPage)
{
    AddPage(&m_GeneralPage);
    AddPage(&m_FontPage);
    AddPage(&m_NewObjectPage);
}

CPrefSheet::~CPrefSheet() = default;
