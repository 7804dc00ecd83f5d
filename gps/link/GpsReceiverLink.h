// The link to the receiver: one process-wide serial port, a reader thread that
// cuts its bytes into lines, and the line queue the user-interface thread
// copies. Every link object works on the same port, queue and lock, so the
// program talks to one device at a time: the link that opened the port holds
// it until it closes it, and another link can neither open a port meanwhile
// nor take its lines.
//
// Lines are cut by CNmeaLineCutter: CR LF, LF and CR all end one. The reader
// holds the link lock only to hand its lines over, never across a read or a
// wait, so the user-interface thread never waits for the receiver. It ends by
// itself on a read failure (the receiver was unplugged), on four empty reads
// before any NMEA, and on the eleventh chunk without NMEA before any; it then
// closes the port, which the link that opened it learns from HasLostReceiver.
//
// The queue is emptied whenever a port opens or closes, so that lines of an
// earlier port never pass for this one's.
#pragma once

#include "gps/link/SerialPort.h"

#include "platform/base/Threads.h"

#include <atomic>
#include <memory>
#include <vector>

// What the data logger is asked to send (passed by value). Dates are the
// digits of two-digit year, month and day read as one number (2004-03-07 is
// 40307); times the hour without leading zero, minutes and seconds (9:05:07 is
// 90507).
struct DownloadRequest {
    enum { kAll = 0, kRange = 1, kBefore = 2, kAfter = 3, kBetween = 4 };
    int mode = kAll;
    int firstRecord = 0, lastRecord = 0;   // kRange
    int beforeDate = 0, beforeTime = 0;    // kBefore, kBetween: the end of the period
    int afterDate = 0, afterTime = 0;      // kAfter, kBetween: its start
};

// Results of the record count and the download: the number of records, or
// one of these.
enum {
    kLoggerNotOpen = -1,     // the port is not open
    kLoggerNoReply = -2,     // no reply came during the wait
    kLoggerBadRequest = -3,  // nothing was written
};

// A sentence cut at every "," and "*", empty fields kept; the text after the
// last separator (the checksum) is the last field.
std::vector<CString> SplitSentenceFields(const CString& sentence);
// The count a "$PEMT161," reply to a count query of type `queryType` ("0" to
// "3") states: field 2 for type 0, else field 4 of a reply of 6 fields or more;
// 0 for a reply too short.
int RecordCountOfReply(const CString& reply, const CString& queryType);
// The elapse time and movement of a "$PEMT160,4,0," reply (fields 3 and 4);
// false for a reply too short to hold them.
bool LoggerSettingsOfReply(const CString& reply, int& elapse, int& movement);

class CGpsReceiverLink {
public:
    CGpsReceiverLink() = default;
    // Closes the port this link holds and waits for its reader; a reader that
    // needs the lock the calling thread holds is left to end by itself (it
    // finds its port gone) rather than waited for.
    virtual ~CGpsReceiverLink();
    CGpsReceiverLink(const CGpsReceiverLink&) = delete;
    CGpsReceiverLink& operator=(const CGpsReceiverLink&) = delete;

    // Opens the port (after this link's previous reader has ended) and empties
    // the queue; 1 on success. 0, touching nothing, while another link holds
    // the port (IsPortHeldElsewhere). Does not start the reader.
    int OpenPort(const CString& name, DWORD baud);
    void StartReader();
    // Clears the running flag, closes the port this link holds and empties the
    // queue under the lock, and waits for this link's reader to end, so that
    // no reader outlives its port into the next one.
    void ClosePort();
    // Whether another link holds the port; `name` is then the port's name.
    BOOL IsPortHeldElsewhere(CString* name = nullptr) const;
    // Whether the reader of the port this link opened ended by itself and
    // closed it: the receiver was unplugged, fell silent before it ever sent
    // NMEA, or sent no NMEA.
    BOOL HasLostReceiver() const;
    // Replaces `lines` by the queue (emptied when `clear`); nothing while a
    // reply is awaited, an empty array while another link holds the port.
    void CopyLines(CStringArray& lines, int clear);
    // The queue as it is, whether or not a reply is awaited (emptied when `clear`).
    void CopyQueue(CStringArray& lines, int clear);
    void AppendLine(const CString& line);
    void ClearLines();
    // Writes one command line while the reader is held still; about 2 s of fixed
    // waits. Callers hold the link lock.
    void SendCommand(const CString& line);
    // Ends the data logger's exchange under way (and the next ones, until
    // ResumeExchanges) at its next step, as if no reply came: a window that
    // is to close does not wait out a 20 s wait first.
    void AbandonExchanges() { m_bAbandon = true; }
    void ResumeExchanges() { m_bAbandon = false; }
    BOOL IsAbandoned() const { return m_bAbandon.load(); }
    // The receiver initialisation lines, written while the reader runs.
    void SendSirfInit();
    // Whether the line holds receiver or data-logger output: a GSV, RMC, GGA,
    // GSA or VTG sentence of any talker, or a $PEMT or $PSRF sentence.
    static BOOL IsReceiverOutput(const CString& line);
    BOOL IsCarrierDetected();
    BOOL IsClearToSend();
    BOOL IsDataSetReady();
    BOOL IsRingIndicated();
    // "COMn" of the first port where receiver output was seen, else "AUTOTRINE_NOTFOUND".
    CString AutoDetectPort();

    // ---- the data logger's dialogue (user-interface thread; each blocks for
    // its fixed waits while a small "Wait..." window is shown)
    // Records in the logger for a count query ("$PEMT161,0*26" when empty).
    int GetRecordCount(const CString& query);
    // Asks the logger to stream the records of `request`; the count it will send.
    int TriggerDownload(DownloadRequest request);
    // 1 when the logger answered with its settings.
    int ReadLoggerSettings(int& elapse, int& movement);
    // 1 when the settings command was written (elapse 0..65535, movement 0..65536).
    int WriteLoggerSettings(int elapse, int movement);
    void EraseLogger();

    void SetAwaitingReply(int flag) { m_nAwaitingReply = flag; }
    int IsAwaitingReply() const { return m_nAwaitingReply; }
    // Whether this link has a reader thread that has not ended.
    BOOL IsReaderRunning() const { return m_pReaderThread && !m_pReaderThread->HasEnded(); }

    // The process-wide lock of the port and the queue, and the port itself.
    static CCriticalSection& GetLinkLock();
    static CSerialPort& GetPort();
    static int IsRunning();
    // Lines the reader dropped for being longer than CNmeaLineCutter::kMaxLine, since the process began.
    static unsigned long long GetDroppedLines();

private:
    static UINT ReaderThreadProc(LPVOID param);
    // Waits for this link's reader, or, when the calling thread holds the lock
    // the reader may need, hands it to the process to be waited for later.
    void JoinReader();
    // Whether this link holds the port; called under the lock.
    bool HoldsPort() const;

    std::unique_ptr<CWorkerThread> m_pReaderThread;
    std::atomic<int> m_nAwaitingReply{0};
    std::atomic<bool> m_bAbandon{false};
    // The opening of the port this link made (see the generations in the .cpp); 0 for none.
    unsigned m_nGeneration = 0;
};

// The COM port numbers of the machine (the array is emptied first).
void EnumerateComPorts(CDWordArray& ports);
// Dispatches the messages waiting in the calling thread's queue; a quit
// message stops it and stays for the main loop.
void PumpMessages();
