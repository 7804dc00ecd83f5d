// The data logger's dialogue: command sentences with their checksums, written
// through the link, a fixed wait while a "Wait..." window shows, then one look
// for the reply among the queued lines, newest first.
//
// Every exchange empties the queue before it writes, so that a reply left over
// from an earlier exchange is never taken for this one's. An exchange that is
// abandoned (its window is to close) ends at its next step as one that got no reply.
#include "gps/link/GpsReceiverLink.h"

#include "gps/link/MemDialog.h"

#include "platform/base/MessageBox.h"

#include <climits>

namespace {
const char kNotConnected[] = "GPS Device not connected. Please reconnect and try again";
const char kNotConnectedCaption[] = "GPS device not connected";

// The small modeless window shown during an exchange: the message as caption
// and as its one line of text. Gone on every path out of the exchange.
class CWaitWindow {
public:
    CWaitWindow(const char* message, bool bound) : m_strText(message)
    {
        m_Dialog.SetUseSystemButtons(FALSE);
        m_Dialog.SetUseModeless(TRUE);
        m_Dialog.SetWindowTitle(message);
        m_Dialog.AddDlgControl(CMemDialogItem::kStatic, message, WS_CHILD | WS_VISIBLE, 0, nullptr,
                               bound ? &m_strText : nullptr, 0);
        m_Dialog.DoModal();
    }
    ~CWaitWindow()
    {
        if (m_Dialog.GetSafeHwnd())
            m_Dialog.DestroyWindow();
    }
    void SetText(const CString& text) { m_strText = text; Refresh(); }
    void Append(const char* more) { m_strText += more; Refresh(); }

private:
    void Refresh()
    {
        if (m_Dialog.GetSafeHwnd())
            m_Dialog.UpdateData(FALSE);
    }
    CString m_strText;
    CMemDialog m_Dialog;
};

// Clears the awaiting-reply flag on every path.
struct AwaitingReply {
    explicit AwaitingReply(CGpsReceiverLink& link) : link(link) { link.SetAwaitingReply(1); }
    ~AwaitingReply() { link.SetAwaitingReply(0); }
    CGpsReceiverLink& link;
};

// The leading decimal digits of a field; 0 when there are none, INT_MAX at most.
int LeadingNumber(const CString& field)
{
    long long value = 0;
    for (int i = 0; i < field.GetLength() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (field[i] - '0'), INT_MAX);
    return (int)value;
}

CString Field(const std::vector<CString>& fields, size_t n)
{
    return n < fields.size() ? fields[n] : CString();
}

CString WithChecksum(const CString& text)
{
    return text + "*" + CSerialPort::AppendNmeaChecksum(text);
}

bool PortIsOpen()
{
    CSingleLock lock(&CGpsReceiverLink::GetLinkLock(), TRUE);
    return CGpsReceiverLink::GetPort().IsOpen() != FALSE;
}

// The newest line that holds `prefix`, or empty.
CString NewestHolding(const CStringArray& lines, const char* prefix)
{
    for (INT_PTR i = lines.GetSize() - 1; i >= 0; --i)
        if (lines[i].Find(prefix) >= 0)
            return lines[i];
    return CString();
}
}

std::vector<CString> SplitSentenceFields(const CString& sentence)
{
    std::vector<CString> fields;
    CString field;
    for (int i = 0; i < sentence.GetLength(); ++i) {
        const char c = sentence[i];
        if (c == ',' || c == '*') {
            fields.push_back(field);
            field.Empty();
        } else {
            field += c;
        }
    }
    if (!sentence.IsEmpty())
        fields.push_back(field);
    return fields;
}

int RecordCountOfReply(const CString& reply, const CString& queryType)
{
    const std::vector<CString> fields = SplitSentenceFields(reply);
    if (queryType == "0")
        return LeadingNumber(Field(fields, 2));
    return fields.size() < 6 ? 0 : LeadingNumber(fields[4]);
}

bool LoggerSettingsOfReply(const CString& reply, int& elapse, int& movement)
{
    const std::vector<CString> fields = SplitSentenceFields(reply);
    if (fields.size() < 5)
        return false;   // a reply cut short is no reading
    elapse = LeadingNumber(fields[3]);
    movement = LeadingNumber(fields[4]);
    return true;
}

int CGpsReceiverLink::GetRecordCount(const CString& query)
{
    CWaitWindow wait("Wait... Getting number of records in datalogger.", true);
    if (!PortIsOpen())
        return kLoggerNotOpen;
    const CString command = query.IsEmpty() ? CString("$PEMT161,0*26") : query;
    const CString type = Field(SplitSentenceFields(command), 1);
    if (type != "0" && type != "1" && type != "2" && type != "3")
        return kLoggerBadRequest;

    CStringArray lines;
    {
        ClearLines();
        AwaitingReply awaiting(*this);
        {
            CSingleLock lock(&GetLinkLock(), TRUE);
            SendCommand(command);
        }
        wait.SetText("Waiting on datalogger ...");
        for (int i = 0; i < 20 && !IsAbandoned(); ++i) {
            Sleep(1000);
            wait.Append(".");
        }
        CSingleLock lock(&GetLinkLock(), TRUE);
        CopyQueue(lines, TRUE);
    }
    const CString reply = NewestHolding(lines, "$PEMT161,");
    if (reply.IsEmpty() || IsAbandoned())
        return kLoggerNoReply;
    return RecordCountOfReply(reply, type);
}

int CGpsReceiverLink::TriggerDownload(DownloadRequest request)
{
    CWaitWindow wait("Wait... Triggering datalogger download.", false);
    bool valid = true;
    switch (request.mode) {
    case DownloadRequest::kAll:
        break;
    case DownloadRequest::kRange:
        valid = request.firstRecord && request.lastRecord &&
                (unsigned)request.firstRecord <= (unsigned)request.lastRecord;
        break;
    case DownloadRequest::kBefore:
        valid = request.beforeDate != 0;
        break;
    case DownloadRequest::kAfter:
        valid = request.afterDate != 0;
        break;
    case DownloadRequest::kBetween:
        valid = request.afterDate && request.beforeDate &&
                (unsigned)request.afterDate <= (unsigned)request.beforeDate;
        break;
    default:
        valid = false;
    }
    if (!valid)
        return kLoggerBadRequest;
    if (!PortIsOpen())
        return kLoggerNotOpen;

    auto send = [this](const CString& text) {
        CSingleLock lock(&GetLinkLock(), TRUE);
        SendCommand(WithChecksum(text));
    };
    CString count, download;
    switch (request.mode) {
    case DownloadRequest::kAll: {
        const int n = GetRecordCount("$PEMT161,0*26");
        if (n > 0) {
            download.Format("$PEMT161,4,1,%d", n);
            send(download);
        }
        return n;
    }
    case DownloadRequest::kRange: {
        download.Format("$PEMT161,4,%d,%d", request.firstRecord, request.lastRecord);
        send(download);
        const long long n = (long long)(unsigned)request.lastRecord - (unsigned)request.firstRecord + 1;
        return (int)std::min<long long>(n, INT_MAX);
    }
    case DownloadRequest::kBefore:
        count.Format("$PEMT161,1,%d,%d", request.beforeDate, request.beforeTime);
        download.Format("$PEMT161,5,%d,%d", request.beforeDate, request.beforeTime);
        break;
    case DownloadRequest::kAfter:
        count.Format("$PEMT161,2,%d,%d", request.afterDate, request.afterTime);
        download.Format("$PEMT161,6,%d,%d", request.afterDate, request.afterTime);
        break;
    default:
        count.Format("$PEMT161,3,%d,%d,%d,%d", request.afterDate, request.afterTime, request.beforeDate,
                     request.beforeTime);
        download.Format("$PEMT161,7,%d,%d,%d,%d", request.afterDate, request.afterTime, request.beforeDate,
                        request.beforeTime);
        break;
    }
    const int n = GetRecordCount(WithChecksum(count));
    if (n > 0)
        send(download);
    return n;
}

int CGpsReceiverLink::ReadLoggerSettings(int& elapse, int& movement)
{
    CWaitWindow wait("Wait... Retrieving datalogger settings.", true);
    if (!PortIsOpen()) {
        MessageBox(nullptr, kNotConnected, kNotConnectedCaption, MB_OK | MB_ICONHAND);
        return 0;
    }
    CStringArray lines;
    {
        ClearLines();
        AwaitingReply awaiting(*this);
        {
            CSingleLock lock(&GetLinkLock(), TRUE);
            GetPort().WriteLine("$PEMT160,4,0*3F");
        }
        wait.SetText("Waiting on datalogger ...");
        for (int i = 0; i < 10 && !IsAbandoned(); ++i) {
            Sleep(1000);
            wait.Append(".");
        }
        CSingleLock lock(&GetLinkLock(), TRUE);
        CopyQueue(lines, FALSE);
    }
    const CString reply = NewestHolding(lines, "$PEMT160,4,0,");
    if (reply.IsEmpty() || IsAbandoned())
        return 0;
    return LoggerSettingsOfReply(reply, elapse, movement) ? 1 : 0;
}

int CGpsReceiverLink::WriteLoggerSettings(int elapse, int movement)
{
    CSingleLock lock(&GetLinkLock(), TRUE);
    if (!GetPort().IsOpen()) {
        MessageBox(nullptr, kNotConnected, kNotConnectedCaption, MB_OK | MB_ICONHAND);
        return 0;
    }
    if ((unsigned)elapse > 65535) {
        MessageBox(nullptr, "Valid elapse time interval range: (0:Disable|1-65535 Sec)",
                   "Invalid elapse time interval", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    if ((unsigned)movement > 65536) {
        MessageBox(nullptr, "Valid movement interval range: (0:Disable|1-65536 Sec)", "Invalid movement interval",
                   MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    CString command;
    command.Format("$PEMT160,4,1,%d,%d", elapse, movement);
    GetPort().WriteLine(WithChecksum(command));
    return 1;
}

void CGpsReceiverLink::EraseLogger()
{
    if (!PortIsOpen()) {
        MessageBox(nullptr, kNotConnected, kNotConnectedCaption, MB_OK | MB_ICONHAND);
        return;
    }
    CSingleLock lock(&GetLinkLock(), TRUE);
    SendCommand("$PEMT161,8*2E");
}
