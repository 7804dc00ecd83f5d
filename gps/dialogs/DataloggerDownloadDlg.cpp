// The Download dialog: the enabling by type and the checks of OK.
#include "gps/dialogs/DataloggerDownloadDlg.h"

#include "platform/base/MessageBox.h"
#include "platform/dialogs/DataExchange.h"
#include "resources/resource.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CDataloggerDownloadDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_DL_TYPE, OnSelchangeType)
END_MESSAGE_MAP()

CDataloggerDownloadDlg::CDataloggerDownloadDlg(CWnd* pParent, int recordCount)
    : CDialog(IDD_DATALOGGER_DOWNLOAD, pParent), m_nRecordCount(recordCount)
{
}

int CDataloggerDownloadDlg::EncodeDate(const CTime& t)
{
    return (t.GetYear() % 100) * 10000 + t.GetMonth() * 100 + t.GetDay();
}

int CDataloggerDownloadDlg::EncodeTime(const CTime& t)
{
    return t.GetHour() * 10000 + t.GetMinute() * 100 + t.GetSecond();
}

void CDataloggerDownloadDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DL_TYPE, m_Type);
    DDX_Control(pDX, IDC_DL_FROM, m_From);
    DDX_Control(pDX, IDC_DL_TO, m_To);
    DDX_Control(pDX, IDC_DL_AFTER, m_After);
    DDX_Control(pDX, IDC_DL_BEFORE, m_Before);
    DDX_Text(pDX, IDC_DL_FROM, m_strFrom);
    DDX_Text(pDX, IDC_DL_TO, m_strTo);
    DDX_Text(pDX, IDC_DL_RECORD_COUNT, m_strCount);
}

BOOL CDataloggerDownloadDlg::OnInitDialog()
{
    m_strCount.Format("%d records found.", m_nRecordCount);
    CDialog::OnInitDialog();
    m_After.SetFormat("MMMM dd, yyyy HH:mm:ss");
    m_Before.SetFormat("MMMM dd, yyyy HH:mm:ss");
    m_Type.SetCurSel(0);
    OnSelchangeType();
    const CTime now = CTime::GetCurrentTime();
    m_After.SetTime(&now);
    m_Before.SetTime(&now);
    if (m_nRecordCount < 1) {
        for (int id : {IDC_DL_FROM, IDC_DL_TO, IDC_DL_AFTER, IDC_DL_BEFORE, IDC_DL_TYPE, IDOK})
            if (CWnd* w = GetDlgItem(id))
                w->EnableWindow(FALSE);
    }
    return TRUE;
}

void CDataloggerDownloadDlg::OnSelchangeType()
{
    // From, To, After, Before by type.
    static const bool kOn[5][4] = {
        {false, false, false, false}, {true, true, false, false}, {false, false, false, true},
        {false, false, true, false},  {false, false, true, true},
    };
    const int type = m_Type.GetCurSel();
    if (type < 0 || type > 4)
        return;
    const int ids[4] = {IDC_DL_FROM, IDC_DL_TO, IDC_DL_AFTER, IDC_DL_BEFORE};
    for (int i = 0; i < 4; ++i)
        if (CWnd* w = GetDlgItem(ids[i]))
            w->EnableWindow(kOn[type][i]);
}

void CDataloggerDownloadDlg::Refuse(const CString& text, const char* caption, CWnd& focus)
{
    MessageBox(text, caption, MB_OK | MB_ICONHAND);
    focus.SetFocus();
}

void CDataloggerDownloadDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int type = m_Type.GetCurSel();
    // The numeric edits hold unsigned numbers, a minus sign allowed.
    const long long from = strtoll(m_strFrom, nullptr, 10);
    const long long to = strtoll(m_strTo, nullptr, 10);
    CTime after, before;
    m_After.GetTime(after);
    m_Before.GetTime(before);
    if (type == DownloadRequest::kRange) {
        if (from < 1)
            return Refuse("Minimum Record Number: 1", "ERROR: Minimum Record Number: 1", m_From);
        if (to > m_nRecordCount) {
            CString text;
            text.Format("Maximum %d records!", m_nRecordCount);
            return Refuse(text, "ERROR: TO exceeds max records!", m_To);
        }
        if (to < from)
            return Refuse("FROM is greater than TO", "ERROR: FROM greater than TO!", m_From);
    }
    if (type == DownloadRequest::kBetween && before < after)
        return Refuse("Date From is greater than Date To!", "Date From is greater than Date To!", m_After);

    m_Request = DownloadRequest();
    m_Request.mode = type < 0 ? DownloadRequest::kAll : type;
    if (type == DownloadRequest::kRange) {
        m_Request.firstRecord = (int)from;
        m_Request.lastRecord = (int)to;
    }
    if (type == DownloadRequest::kBefore || type == DownloadRequest::kBetween) {
        m_Request.beforeDate = EncodeDate(before);
        m_Request.beforeTime = EncodeTime(before);
    }
    if (type == DownloadRequest::kAfter || type == DownloadRequest::kBetween) {
        m_Request.afterDate = EncodeDate(after);
        m_Request.afterTime = EncodeTime(after);
    }
    EndDialog(IDOK);
}
