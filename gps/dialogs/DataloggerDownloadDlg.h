// The "Datalogger Download" dialog (131): which of the logger's records to
// download (all, a range of record numbers, before, after or between two
// dates), given how many the logger holds. Its result is a DownloadRequest.
#pragma once

#include "gps/link/GpsReceiverLink.h"
#include "gps/dialogs/NumericEdit.h"

#include "platform/controls/CComboBox.h"
#include "platform/controls/CDateTimeCtrl.h"
#include "platform/dialogs/CDialog.h"

class CDataloggerDownloadDlg : public CDialog {
public:
    CDataloggerDownloadDlg(CWnd* pParent, int recordCount);

    // What OK chose; meaningful after IDOK.
    DownloadRequest GetRequest() const { return m_Request; }
    // The date and time encodings of a request, from a local time.
    static int EncodeDate(const CTime& t);
    static int EncodeTime(const CTime& t);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnSelchangeType();
    DECLARE_MESSAGE_MAP()

private:
    // A stop box that keeps the dialog open with `focus` focused.
    void Refuse(const CString& text, const char* caption, CWnd& focus);

    int m_nRecordCount;
    DownloadRequest m_Request;
    CString m_strFrom, m_strTo, m_strCount;
    CNumericEdit m_From, m_To;
    CDateTimeCtrl m_After, m_Before;
    CComboBox m_Type;
};
