// CPropertyPage (CPropertyPage.h): a page's template, caption and the notifications its sheet sends
// it.
#include "platform/dialogs/CPropertyPage.h"

#include "platform/dialogs/CPropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage() = default;

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) { Construct(nIDTemplate, nIDCaption); }

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
    if (m_pSheet)
        m_pSheet->RemovePage(this);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    if (lpszTemplateName && IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    LoadCaption(nIDCaption);
}

void CPropertyPage::LoadCaption(UINT nIDCaption)
{
    m_strCaption.Empty();
    if (nIDCaption && m_strCaption.LoadString(nIDCaption))
        return;
    if (m_lpszTemplateName && IS_INTRESOURCE(m_lpszTemplateName))
        if (const DialogTemplate* t = FindDialogTemplate((UINT)(UINT_PTR)m_lpszTemplateName); t && t->caption)
            m_strCaption = t->caption;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bChanged = bChanged ? TRUE : FALSE;
    if (m_pSheet)
        m_pSheet->UpdateApplyButton();
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_pSheet)
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}
