// The link to the receiver: one process-wide serial port, a reader thread that
// cuts its bytes into lines, and the line queue the user-interface thread
// copies. Every link object works on the same port, queue and lock, so the
// program talks to one device at a time.
//
// A line is the text between two line feeds without its last character (the
// carriage return of CR LF). The reader ends by itself on a read failure, on
// four empty reads before any NMEA, and on the eleventh chunk without NMEA
// before any; it then closes the port and tells nobody.
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

class CGpsReceiverLink {
public:
    CGpsReceiverLink() = default;
    // Clears the running flag and waits for this link's reader.
    virtual ~CGpsReceiverLink();
    CGpsReceiverLink(const CGpsReceiverLink&) = delete;
    CGpsReceiverLink& operator=(const CGpsReceiverLink&) = delete;

    // Opens the port (after this link's previous reader has ended); 1 on
    // success. Does not start the reader.
    int OpenPort(const CString& name, DWORD baud);
    void StartReader();
    // Clears the running flag, closes the port under the lock, and waits for
    // this link's reader to end, so that no reader outlives its port into the
    // next one (unless the calling thread holds the lock, which the reader
    // needs: then the next OpenPort or StartReader waits for it).
    void ClosePort();
    // Replaces `lines` by the queue (emptied when `clear`); nothing while a reply is awaited.
    void CopyLines(CStringArray& lines, int clear);
    // The queue as it is, whether or not a reply is awaited (emptied when `clear`).
    void CopyQueue(CStringArray& lines, int clear);
    void AppendLine(const CString& line);
    void ClearLines();
    // Writes one command line while the reader is held still; about 2 s of fixed
    // waits. Callers hold the link lock.
    void SendCommand(const CString& line);
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

private:
    static UINT ReaderThreadProc(LPVOID param);
    // Waits for this link's reader when that cannot deadlock; true when none is left.
    bool JoinReader();

    std::unique_ptr<CWorkerThread> m_pReaderThread;
    std::atomic<int> m_nAwaitingReply{0};
};

// The COM port numbers of the machine (the array is emptied first).
void EnumerateComPorts(CDWordArray& ports);
// Dispatches the messages waiting in the calling thread's queue; a quit
// message stops it and stays for the main loop.
void PumpMessages();
