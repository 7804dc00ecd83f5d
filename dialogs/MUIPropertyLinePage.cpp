#include "dialogs/MUIPropertyLinePage.h"

#include "core/ObjectTypes.h"
#include "core/Settings.h"
#include "dialogs/DefaultColorExchange.h"
#include "dialogs/MUIPropertySheet.h"
#include "dialogs/StylePageLists.h"
#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"
#include "dialogs/controls/UiColorMessages.h"
#include "model/layers/MapObject.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CMUIPropertyLinePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMUIPropertyLinePage, CPropertyPage)
    ON_MESSAGE(WM_UI_COLORSELECTED, OnColorSelected)
END_MESSAGE_MAP()

CMUIPropertyLinePage::CMUIPropertyLinePage() : CPropertyPage(IDD_STYLE_LINE) {}

void CMUIPropertyLinePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STYLE_DASH, m_dashList);
    DDX_Control(pDX, IDC_STYLE_LINE_COLOR, m_colorButton);
    DDX_CBIndex(pDX, IDC_STYLE_DASH, m_nDash);
    DDX_CBString(pDX, IDC_STYLE_LINE_WIDTH, m_strWidth);
    DDX_DefaultColor(pDX, IDC_STYLE_LINE_COLOR, g_NewObjectPenColor);
}

BOOL CMUIPropertyLinePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillStyleList(m_dashList, m_images, IDB_STYLE_DASHES, 32, kDashNames, kDashCount);
    if (g_DialogWindowFont)
        GetDlgItem(IDC_STYLE_LINE_WIDTH)->SetFont(g_DialogWindowFont);
    CMUIPropertySheet* sheet = StyleSheetOf(this);
    if (sheet) {
        const CMapStyle* style = sheet->GetStyle();
        m_nDash = style->GetPenStyle();
        m_strWidth.Format("%d", (int)style->GetPenWidth());
        m_color = style->GetPenColor();
    }
    UpdateData(FALSE);
    m_colorButton.SetColor(m_color);
    const BOOL editable = StylePageEditable(this);
    for (int id : {IDC_STYLE_DASH, IDC_STYLE_LINE_COLOR, IDC_STYLE_LINE_WIDTH})
        GetDlgItem(id)->EnableWindow(editable);
    const CMapObject* object = sheet ? sheet->GetObject() : nullptr;
    const BOOL arrows = editable && (!object || object->GetType() == MAP_OBJECT_LINE);
    for (int id : {IDC_STYLE_ARROW_BEGIN, IDC_STYLE_ARROW_END, IDC_STYLE_ARROW_BEGIN_SIZE, IDC_STYLE_ARROW_END_SIZE})
        GetDlgItem(id)->EnableWindow(arrows);
    return TRUE;
}

LRESULT CMUIPropertyLinePage::OnColorSelected(WPARAM wParam, LPARAM lParam)
{
    if ((int)lParam == IDC_STYLE_LINE_COLOR)
        m_color = (COLORREF)wParam;
    return 0;
}

void CMUIPropertyLinePage::OnOK()
{
    if (CMUIPropertySheet* sheet = StyleSheetOf(this)) {
        CMapStyle* style = sheet->GetStyle();
        m_color = m_colorButton.GetColor();
        style->SetPenColor(m_color);
        style->SetPenWidth((float)std::atoi(m_strWidth));
        if (m_nDash >= 0 && m_nDash < kDashCount)
            style->SetPenStyle(m_nDash);
    }
    CPropertyPage::OnOK();
}
