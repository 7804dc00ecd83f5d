// The reader thread, the line queue and the commands to the receiver.
//
// Invariant: a reader serves one opening of the port. Every OpenPort starts a
// new generation; a reader reads, and closes the port, only while its own
// generation is current, so a reader that could not be waited for never
// touches the port of a later opening.
#include "gps/link/GpsReceiverLink.h"

#include "platform/wnd/CWnd.h"

#include <cstring>
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
};

LinkShared& Shared()
{
    static LinkShared shared;
    return shared;
}

// A chunk that shows NMEA text: "$" and an address field of upper-case
// letters, which "$G" (any GNSS talker) and "$P" (proprietary) begin, as do
// the other talkers of real receivers ($IN, $BD, $QZ, ...).
bool HasNmeaStart(const char* text)
{
    for (const char* p = strchr(text, '$'); p; p = strchr(p + 1, '$')) {
        if (p[1] == 'G' || p[1] == 'P')
            return true;
        if (p[1] >= 'A' && p[1] <= 'Z' && p[2] >= 'A' && p[2] <= 'Z' && p[3] >= 'A' && p[3] <= 'Z')
            return true;
    }
    return false;
}

// Reads of the reader under the lock; false when the read failed or the port
// belongs to a later opening.
bool ReadChunk(unsigned generation, BYTE* buffer, DWORD& n)
{
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    n = 0;
    if (s.generation.load() != generation)
        return false;
    return s.port.Read(buffer, 50, n) != FALSE;
}

// The reader closes the port it was reading, not a later one.
void CloseOwnPort(unsigned generation)
{
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
    if (s.generation.load() == generation)
        s.port.Close();
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

CGpsReceiverLink::~CGpsReceiverLink()
{
    Shared().running = 0;
    JoinReader();
}

bool CGpsReceiverLink::JoinReader()
{
    if (!m_pReaderThread)
        return true;
    // The reader takes the lock for every read: waiting for it while holding
    // the lock would never end.
    if (GetLinkLock().IsLockedByCurrentThread() && !m_pReaderThread->HasEnded())
        return false;
    m_pReaderThread->Join();
    m_pReaderThread.reset();
    return true;
}

int CGpsReceiverLink::OpenPort(const CString& name, DWORD baud)
{
    LinkShared& s = Shared();
    s.running = 0;
    JoinReader();
    CSingleLock lock(&s.lock, TRUE);
    ++s.generation;
    s.noNmeaChunks = 0;
    if (s.port.IsOpen())
        s.port.Close();
    if (s.port.Open(name, baud)) {
        s.running = 1;
        return 1;
    }
    s.running = 0;
    return 0;
}

void CGpsReceiverLink::StartReader()
{
    if (!JoinReader())
        return;   // a reader of this link still runs and cannot be waited for here
    m_pReaderThread = AfxBeginThread(&CGpsReceiverLink::ReaderThreadProc, this);
    m_pReaderThread->SetThreadPriority(THREAD_PRIORITY_HIGHEST);
}

void CGpsReceiverLink::ClosePort()
{
    LinkShared& s = Shared();
    s.running = 0;
    {
        CSingleLock lock(&s.lock, TRUE);
        ++s.generation;
        if (s.port.IsOpen())
            s.port.Close();
    }
    JoinReader();
}

void CGpsReceiverLink::CopyLines(CStringArray& lines, int clear)
{
    if (m_nAwaitingReply)
        return;
    LinkShared& s = Shared();
    CSingleLock lock(&s.lock, TRUE);
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

UINT CGpsReceiverLink::ReaderThreadProc(LPVOID param)
{
    CGpsReceiverLink* link = static_cast<CGpsReceiverLink*>(param);
    LinkShared& s = Shared();
    unsigned generation;
    {
        CSingleLock lock(&s.lock, TRUE);
        s.nmeaSeen = 0;
        generation = s.generation.load();
    }
    std::string text;
    while (s.running.load() && s.generation.load() == generation) {
        BYTE buffer[51] = {};
        DWORD n = 0;
        if (!ReadChunk(generation, buffer, n)) {
            CloseOwnPort(generation);
            return 0;
        }
        if (n == 0 && !s.nmeaSeen) {
            for (int i = 0; i < 3 && n == 0; ++i)
                ReadChunk(generation, buffer, n);
            if (n == 0) {
                CloseOwnPort(generation);
                return 0;
            }
        }
        buffer[n] = 0;
        const char* chunk = (const char*)buffer;   // up to its first zero byte
        // The read in which the switched receiver's NMEA first came: those are
        // lines, and the receiver has shown that it talks NMEA, so the rules
        // for a port that has not yet done so no longer apply.
        std::string switched;
        if (!s.nmeaSeen) {
            for (DWORD i = 0; i + 1 < n; ++i) {
                if (buffer[i] == 0xA0 && buffer[i + 1] == 0xA2) {
                    CSingleLock lock(&s.lock, TRUE);
                    if (s.generation.load() == generation && s.port.SwitchSirfToNmea(&switched))
                        s.nmeaSeen = 1;
                    break;
                }
            }
        }
        const bool nmea = HasNmeaStart(chunk);
        if (!nmea && !s.nmeaSeen) {
            if (s.noNmeaChunks >= 10) {
                CloseOwnPort(generation);
                return 0;
            }
            CSingleLock lock(&s.lock, TRUE);
            ++s.noNmeaChunks;
        }
        if (nmea && !s.nmeaSeen) {
            CSingleLock lock(&s.lock, TRUE);
            s.nmeaSeen = 1;
        }
        text += chunk;
        text += switched.c_str();   // up to its first zero byte, as any chunk
        // Cut the lines: each line feed ends one, whose last character (the
        // carriage return) is dropped.
        size_t start = 0;
        for (size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
            const size_t len = lf - start;
            link->AppendLine(CString(text.data() + start, len >= 1 ? (int)len - 1 : 0));
            start = lf + 1;
        }
        text.erase(0, start);
    }
    return 0;
}

void CGpsReceiverLink::SendCommand(const CString& line)
{
    PumpMessages();
    CWorkerThread* reader = IsReaderRunning() ? m_pReaderThread.get() : nullptr;
    if (reader)
        reader->SuspendThread();
    Sleep(500);
    PumpMessages();
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
