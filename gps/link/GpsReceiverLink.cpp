// The reader thread, the line queue and the commands to the receiver.
//
// Invariant: a reader serves one opening of the port. Every OpenPort and
// ClosePort starts a new generation; a reader reads, queues lines and closes
// the port only while its own generation is current, so a reader that could not
// be waited for never touches the port or the queue of a later opening. The
// reader takes the lock for moments only (to take the port's handle, to queue
// lines, to close its port); its reads and waits run without it, and closing
// the port from the user-interface thread ends a read under way at once.
#include "gps/link/GpsReceiverLink.h"

#include "gps/nmea/NmeaLineCutter.h"

#include "platform/wnd/CWnd.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>

namespace {
struct LinkShared {
    CCriticalSection lock;
    CSerialPort port;
    CStringArray lines;
    std::atomic<int> running{0};
    std::atomic<int> nmeaSeen{0};
    std::atomic<unsigned> noNmeaChunks{0};
    std::atomic<unsigned> generation{0};
    std::atomic<unsigned long long> droppedLines{0};
    // Under the lock: the link that opened the port, and the generation whose
    // reader ended by itself and closed its port.
    const CGpsReceiverLink* holder = nullptr;
    unsigned endedByItself = 0;
    // The generation whose reader has begun to read: StartReader returns once
    // its reader has, so that what the receiver sent before is read at once.
    std::mutex startMutex;
    std::condition_variable started;
    unsigned startedGeneration = 0;
    // Readers that a link could not wait for (its thread held the lock); each
    // ends by itself, and is waited for when a link next can.
    std::vector<std::unique_ptr<CWorkerThread>> orphans;
};

// Never destroyed: a link that lives until the program ends (in a window the
// application deletes late) still closes its port through it.
LinkShared& Shared()
{
    static LinkShared* shared = new LinkShared;
    return *shared;
}

// Bytes that show NMEA text: "$" and an address field of upper-case letters,
// which "$G" (any GNSS talker) and "$P" (proprietary) begin, as do the other
// talkers of real receivers ($IN, $BD, $QZ, ...).
bool HasNmeaStart(const BYTE* data, DWORD n)
{
    auto upper = [&](DWORD i) { return i < n && data[i] >= 'A' && data[i] <= 'Z'; };
    for (DWORD i = 0; i < n; ++i) {
        if (data[i] != '$')
            continue;
        if (i + 1 < n && (data[i + 1] == 'G' || data[i + 1] == 'P'))
            return true;
        if (upper(i + 1) && upper(i + 2) && upper(i + 3))
            return true;
    }
    return false;
}

// One read of the reader: the handle taken under the lock, the read without
// it. False when the read failed or the port belongs to a later opening.
bool ReadChunk(unsigned generation, BYTE* buffer, DWORD& n)
{
    LinkShared& s = Shared();
    HANDLE handle;
    {
        CSingleLock lock(&s.lock, TRUE);
        n = 0;
        if (s.generation.load() != generation)
            return false;
        handle = s.port.GetHandle();
    }
    return CSerialPort::ReadHandle(handle, buffer, 50, n) != FALSE;
}

// The reader ends by itself: it closes the port it was reading, not a later
// one, and leaves word for the link that opened it.
void EndByItself(unsigned generation)
{
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    if (s.generation.load() != generation)
        return;
    s.port.Close();
    s.endedByItself = generation;
}
}

CCriticalSection& CGpsReceiverLink::GetLinkLock()
{
    return Shared().lock;
}

CSerialPort& CGpsReceiverLink::GetPort()
{
    return Shared().port;
}

int CGpsReceiverLink::IsRunning()
{
    return Shared().running.load();
}

unsigned long long CGpsReceiverLink::GetDroppedLines()
{
    return Shared().droppedLines.load();
}

CGpsReceiverLink::~CGpsReceiverLink()
{
    ClosePort();
}

bool CGpsReceiverLink::HoldsPort() const
{
    const LinkShared& s = Shared();
    return s.holder == this || s.holder == nullptr;
}

void CGpsReceiverLink::JoinReader()
{
    LinkShared& s = Shared();
    if (m_pReaderThread) {
        // The reader takes the lock for moments: waiting for it while holding
        // the lock might never end. Its port is gone, so it ends by itself
        // once it has the lock, running again if a command held it still.
        if (GetLinkLock().IsLockedByCurrentThread() && !m_pReaderThread->HasEnded()) {
            for (DWORD previous = m_pReaderThread->ResumeThread(); previous != (DWORD)-1 && previous > 1;
                 previous = m_pReaderThread->ResumeThread()) {
            }
            s.orphans.push_back(std::move(m_pReaderThread));
            return;
        }
        m_pReaderThread->Join();
        m_pReaderThread.reset();
    }
    if (!GetLinkLock().IsLockedByCurrentThread())
        s.orphans.clear();   // each joins as it goes
}

BOOL CGpsReceiverLink::IsPortHeldElsewhere(CString* name) const
{
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    if (HoldsPort())
        return FALSE;
    if (name)
        *name = s.port.GetName();
    return TRUE;
}

BOOL CGpsReceiverLink::HasLostReceiver() const
{
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    return m_nGeneration != 0 && s.endedByItself == m_nGeneration && s.holder == this;
}

int CGpsReceiverLink::OpenPort(const CString& name, DWORD baud)
{
    LinkShared& s = Shared();
    if (IsPortHeldElsewhere())
        return 0;
    s.running = 0;
    JoinReader();
    CSingleLock lock(&s.lock, TRUE);
    if (!HoldsPort())
        return 0;
    m_nGeneration = ++s.generation;
    s.noNmeaChunks = 0;
    s.lines.RemoveAll();
    if (s.port.IsOpen())
        s.port.Close();
    if (s.port.Open(name, baud)) {
        s.running = 1;
        s.holder = this;
        return 1;
    }
    s.running = 0;
    s.holder = nullptr;
    return 0;
}

void CGpsReceiverLink::StartReader()
{
    JoinReader();
    if (m_pReaderThread)
        return;   // a reader of this link still runs and cannot be waited for here
    LinkShared& s = Shared();
    m_pReaderThread = AfxBeginThread(&CGpsReceiverLink::ReaderThreadProc, nullptr);
    m_pReaderThread->SetThreadPriority(THREAD_PRIORITY_HIGHEST);
    // The reader takes the lock first: not waited for by a thread that holds it.
    if (GetLinkLock().IsLockedByCurrentThread())
        return;
    std::unique_lock lock(s.startMutex);
    while (s.startedGeneration != s.generation.load() && !m_pReaderThread->HasEnded())
        s.started.wait_for(lock, std::chrono::milliseconds(10));
}

void CGpsReceiverLink::ClosePort()
{
    LinkShared& s = Shared();
    {
        CSingleLock lock(&s.lock, TRUE);
        if (HoldsPort()) {
            s.running = 0;
            ++s.generation;
            if (s.port.IsOpen())
                s.port.Close();
            s.lines.RemoveAll();
            s.holder = nullptr;
        }
    }
    m_nGeneration = 0;
    JoinReader();
}

void CGpsReceiverLink::CopyLines(CStringArray& lines, int clear)
{
    if (m_nAwaitingReply)
        return;
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    if (!HoldsPort()) {
        lines.RemoveAll();
        return;
    }
    lines.Copy(s.lines);
    if (clear)
        s.lines.RemoveAll();
}

void CGpsReceiverLink::CopyQueue(CStringArray& lines, int clear)
{
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    lines.Copy(s.lines);
    if (clear)
        s.lines.RemoveAll();
}

void CGpsReceiverLink::AppendLine(const CString& line)
{
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    s.lines.Add(line);
}

void CGpsReceiverLink::ClearLines()
{
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    s.lines.RemoveAll();
}

UINT CGpsReceiverLink::ReaderThreadProc(LPVOID)
{
    LinkShared& s = Shared();
    unsigned generation;
    {
        CSingleLock lock(&s.lock, TRUE);
        s.nmeaSeen = 0;
        generation = s.generation.load();
    }
    {
        std::lock_guard lock(s.startMutex);
        s.startedGeneration = generation;
    }
    s.started.notify_all();
    auto mine = [&s, generation] { return s.running.load() && s.generation.load() == generation; };
    CNmeaLineCutter cutter;
    std::vector<CString> complete;
    while (mine()) {
        BYTE buffer[51] = {};
        DWORD n = 0;
        if (!ReadChunk(generation, buffer, n)) {
            EndByItself(generation);
            return 0;
        }
        if (n == 0 && !s.nmeaSeen) {
            for (int i = 0; i < 3 && n == 0; ++i)
                ReadChunk(generation, buffer, n);
            if (n == 0) {
                EndByItself(generation);
                return 0;
            }
        }
        // The read in which the switched receiver's NMEA first came: those are
        // lines, and the receiver has shown that it talks NMEA, so the rules
        // for a port that has not yet done so no longer apply.
        std::string switched;
        if (!s.nmeaSeen) {
            for (DWORD i = 0; i + 1 < n; ++i) {
                if (buffer[i] == 0xA0 && buffer[i + 1] == 0xA2) {
                    const CSerialPort::SwitchControl control{&s.lock, mine};
                    if (s.port.SwitchSirfToNmea(&switched, &control))
                        s.nmeaSeen = 1;
                    break;
                }
            }
        }
        buffer[n] = 0;
        const char* chunk = (const char*)buffer;
        const bool nmea = HasNmeaStart(buffer, (DWORD)strlen(chunk));
        if (!nmea && !s.nmeaSeen) {
            if (s.noNmeaChunks >= 10) {
                EndByItself(generation);
                return 0;
            }
            ++s.noNmeaChunks;
        }
        if (nmea && !s.nmeaSeen)
            s.nmeaSeen = 1;
        // The chunk's text ends at its first zero byte: what follows in the
        // same read is a binary receiver's, not lines.
        const unsigned long long cutBefore = cutter.GetCutLines();
        complete.clear();
        auto take = [&complete](const CString& line) { complete.push_back(line); };
        cutter.Feed(chunk, strlen(chunk), take);
        cutter.Feed(switched.c_str(), strlen(switched.c_str()), take);
        s.droppedLines += cutter.GetCutLines() - cutBefore;
        if (!complete.empty()) {
            CSingleLock lock(&s.lock, TRUE);
            if (s.generation.load() != generation)
                return 0;
            for (const CString& line : complete)
                s.lines.Add(line);
        }
    }
    return 0;
}

void CGpsReceiverLink::SendCommand(const CString& line)
{
    if (m_bAbandon)
        return;
    PumpMessages();
    CWorkerThread* reader = IsReaderRunning() ? m_pReaderThread.get() : nullptr;
    if (reader)
        reader->SuspendThread();
    Sleep(500);
    PumpMessages();
    if (!m_bAbandon)
        Shared().port.WriteLine(line);
    Sleep(500);
    PumpMessages();
    if (reader)
        reader->ResumeThread();
    Sleep(1000);
    PumpMessages();
}

void CGpsReceiverLink::SendSirfInit()
{
    LinkShared& s = Shared();
    {
        CSingleLock lock(&s.lock, TRUE);
        s.port.WriteLine("$PSRF201,1*39");
    }
    CSingleLock lock(&s.lock, TRUE);
    s.port.WriteLine("$PSRF201,4*3C");
}

BOOL CGpsReceiverLink::IsReceiverOutput(const CString& line)
{
    if (line.Find("$PEMT") >= 0 || line.Find("$PSRF") >= 0)
        return TRUE;
    // "$" + a two-letter talker + the mnemonic: any talker, not only GP.
    for (int at = line.Find('$'); at >= 0; at = line.Find('$', at + 1)) {
        const CString mnemonic = line.Mid(at + 3, 3);
        if (line.GetLength() >= at + 6 && isupper((unsigned char)line[at + 1]) &&
            isupper((unsigned char)line[at + 2]) &&
            (mnemonic == "GSV" || mnemonic == "RMC" || mnemonic == "GGA" || mnemonic == "GSA" || mnemonic == "VTG"))
            return TRUE;
    }
    return FALSE;
}

BOOL CGpsReceiverLink::IsCarrierDetected()
{
    CSingleLock lock(&GetLinkLock(), TRUE);
    return GetPort().IsCarrierDetected();
}

BOOL CGpsReceiverLink::IsClearToSend()
{
    CSingleLock lock(&GetLinkLock(), TRUE);
    return GetPort().IsClearToSend();
}

BOOL CGpsReceiverLink::IsDataSetReady()
{
    CSingleLock lock(&GetLinkLock(), TRUE);
    return GetPort().IsDataSetReady();
}

BOOL CGpsReceiverLink::IsRingIndicated()
{
    CSingleLock lock(&GetLinkLock(), TRUE);
    return GetPort().IsRingIndicated();
}

CString CGpsReceiverLink::AutoDetectPort()
{
    CDWordArray ports;
    EnumerateComPorts(ports);
    for (INT_PTR i = 0; i < ports.GetSize(); ++i) {
        CString name;
        name.Format("COM%d", (int)ports[i]);
        if (!OpenPort(name, 4800))
            continue;
        bool found = false;
        if (IsCarrierDetected() || IsRingIndicated() || IsClearToSend() || IsDataSetReady()) {
            StartReader();
            Sleep(500);
            SendSirfInit();
            SetAwaitingReply(1);
            Sleep(500);
            CStringArray lines;
            CopyQueue(lines, FALSE);
            SetAwaitingReply(0);
            for (INT_PTR k = 0; k < lines.GetSize() && !found; ++k)
                found = IsReceiverOutput(lines[k]) != FALSE;
        }
        ClosePort();
        if (found)
            return name;
    }
    return "AUTOTRINE_NOTFOUND";
}

void EnumerateComPorts(CDWordArray& ports)
{
    ports.RemoveAll();
    OSVERSIONINFO version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionEx(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        std::string names(65535, '\0');
        if (!QueryDosDevice(nullptr, names.data(), (DWORD)names.size()))
            return;
        for (const char* p = names.data(); *p; p += strlen(p) + 1) {
            if (strlen(p) > 3 && strncasecmp(p, "COM", 3) == 0)
                ports.Add((DWORD)atoi(p + 3));
        }
        return;
    }
    for (int n = 1; n <= 255; ++n) {
        CString name;
        name.Format("\\\\.\\COM%d", n);
        HANDLE h = CreateFile(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            ports.Add((DWORD)n);
        } else if (GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_GEN_FAILURE) {
            ports.Add((DWORD)n);
        }
    }
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage((int)msg.wParam);
            return;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}
