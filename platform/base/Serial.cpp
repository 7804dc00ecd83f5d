// Serial ports over termios. A handle stands for one open device; the device
// stays open while a read or write on another thread still uses it, so closing
// a handle never pulls a descriptor from under a blocked call: the call is woken
// instead and fails at once, so that a thread that closes a port never waits
// out a reader's time-out.
#include "platform/base/Serial.h"

#include "platform/base/Clock.h"
#include "platform/base/Profile.h"
#include "platform/base/Threads.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;

struct SerialPort {
    int fd = -1;
    // Written to when the handle closes: wakes the reads and writes under way.
    int wake[2] = {-1, -1};
    std::atomic<bool> closed{false};
    std::mutex mutex;   // guards the settings below
    DCB dcb{};
    COMMTIMEOUTS timeouts{};
    ~SerialPort()
    {
        for (int d : {fd, wake[0], wake[1]})
            if (d >= 0)
                ::close(d);
    }
};

struct PortTable {
    std::mutex mutex;
    std::map<intptr_t, std::shared_ptr<SerialPort>> ports;
    intptr_t next = 0x5e000;
};

// Never destroyed: a port that a static object still holds closes at exit,
// after the destructors of other statics have run.
PortTable& Ports()
{
    static PortTable* table = new PortTable;
    return *table;
}

std::shared_ptr<SerialPort> Find(HANDLE handle)
{
    PortTable& t = Ports();
    std::lock_guard lock(t.mutex);
    auto it = t.ports.find((intptr_t)handle);
    if (it == t.ports.end()) {
        t_lastError = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    return it->second;
}

double NowMs()
{
    using namespace std::chrono;
    return duration_cast<duration<double, std::milli>>(steady_clock::now().time_since_epoch()).count();
}

// The number of "COMn" (after an optional "\\.\"), or 0.
int ComNumber(const char* name)
{
    if (!name)
        return 0;
    std::string s(name);
    if (s.rfind("\\\\.\\", 0) == 0)
        s = s.substr(4);
    if (s.size() < 4 || (s[0] != 'C' && s[0] != 'c') || (s[1] != 'O' && s[1] != 'o') || (s[2] != 'M' && s[2] != 'm'))
        return 0;
    int n = 0;
    for (size_t i = 3; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9' || n > 100000)
            return 0;
        n = n * 10 + (s[i] - '0');
    }
    return n;
}

// Devices of /dev whose names are `prefix` and a number, in numeric order.
std::vector<std::string> DevicesNamed(const char* prefix)
{
    std::vector<std::pair<long, std::string>> found;
    const size_t len = strlen(prefix);
    if (DIR* dir = opendir("/dev")) {
        while (dirent* e = readdir(dir)) {
            const char* n = e->d_name;
            if (strncmp(n, prefix, len) != 0 || !n[len])
                continue;
            const char* digits = n + len;
            if (strspn(digits, "0123456789") != strlen(digits) || strlen(digits) > 6)
                continue;
            found.emplace_back(atol(digits), std::string("/dev/") + n);
        }
        closedir(dir);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> out;
    for (auto& f : found)
        out.push_back(f.second);
    return out;
}

speed_t SpeedOf(DWORD baud)
{
    switch (baud) {
    case 110: return B110;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return 0;
    }
}

DWORD BaudOf(speed_t speed)
{
    static const DWORD rates[] = {110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    for (DWORD r : rates)
        if (SpeedOf(r) == speed)
            return r;
    return 0;
}
// 14400 has no termios rate: the nearest the device can do.
speed_t NearestSpeed(DWORD baud)
{
    if (speed_t s = SpeedOf(baud))
        return s;
    return baud == 14400 ? B19200 : 0;
}

// The device the profile maps "COMn" to; empty when it maps none.
CString ProfileDevice(int n)
{
    CString key;
    key.Format("COM%d", n);
    return AfxGetProfileString("Serial Ports", key, "");
}

// The end of a transfer of `total` milliseconds from `now` on; -1 for none.
double DeadlineAfter(ULONGLONG total, double now)
{
    return total ? now + AfxScaledWait((DWORD)std::min<ULONGLONG>(total, 0x7fffffff)) : -1;
}

// What a read and a write begin with: a point where the thread may be
// suspended, nothing transferred yet, then the port of `handle` (null for a bad
// handle or a missing buffer) and its time-outs as they stand.
std::shared_ptr<SerialPort> BeginTransfer(HANDLE handle, LPCVOID buffer, DWORD size, LPDWORD transferred,
                                          COMMTIMEOUTS& timeouts)
{
    AfxThreadSuspensionPoint();
    if (transferred)
        *transferred = 0;
    auto port = Find(handle);
    if (!port || (!buffer && size))
        return nullptr;
    std::lock_guard lock(port->mutex);
    timeouts = port->timeouts;
    return port;
}
}

DWORD GetLastError()
{
    return t_lastError;
}

void SetLastError(DWORD code)
{
    t_lastError = code;
}

// ---------------------------------------------------------------- the name mapping
std::vector<std::pair<int, CString>> AfxSerialPortMap()
{
    std::map<int, CString> map;
    std::vector<std::string> named;
    for (int n = 1; n <= 255; ++n) {
        CString path = ProfileDevice(n);
        if (!path.IsEmpty()) {
            map[n] = path;
            named.emplace_back(path.GetString());
        }
    }
    int next = 1;
    for (const char* prefix : {"ttyUSB", "ttyACM", "rfcomm", "ttyS"}) {
        for (const std::string& dev : DevicesNamed(prefix)) {
            if (std::find(named.begin(), named.end(), dev) != named.end())
                continue;
            while (map.count(next))
                ++next;
            if (next > 255)
                break;
            map[next] = dev.c_str();
        }
    }
    return {map.begin(), map.end()};
}

CString AfxSerialPortDevice(const char* portName)
{
    const int n = ComNumber(portName);
    if (n <= 0)
        return CString();
    CString path = ProfileDevice(n);
    if (!path.IsEmpty())
        return path;
    for (auto& [number, device] : AfxSerialPortMap())
        if (number == n)
            return device;
    return CString();
}

DWORD QueryDosDevice(LPCSTR deviceName, LPSTR targetPath, DWORD maxChars)
{
    std::string out;
    if (deviceName) {
        CString dev = AfxSerialPortDevice(deviceName);
        if (dev.IsEmpty()) {
            t_lastError = ERROR_FILE_NOT_FOUND;
            return 0;
        }
        out = dev.GetString();
        out.push_back('\0');
    } else {
        for (auto& [number, device] : AfxSerialPortMap()) {
            out += "COM" + std::to_string(number);
            out.push_back('\0');
        }
    }
    out.push_back('\0');
    if (!targetPath || out.size() > maxChars) {
        t_lastError = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    memcpy(targetPath, out.data(), out.size());
    return (DWORD)out.size();
}

BOOL GetVersionEx(OSVERSIONINFO* info)
{
    if (!info)
        return FALSE;
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->szCSDVersion[0] = 0;
    return TRUE;
}

// ---------------------------------------------------------------- handles
HANDLE CreateFile(LPCSTR name, DWORD access, DWORD shareMode, void*, DWORD disposition, DWORD, HANDLE)
{
    const CString path = AfxSerialPortDevice(name);
    if (path.IsEmpty() || disposition != OPEN_EXISTING) {
        t_lastError = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    int mode = O_RDWR;
    if (!(access & GENERIC_WRITE))
        mode = O_RDONLY;
    else if (!(access & GENERIC_READ))
        mode = O_WRONLY;
    const int fd = ::open(path.GetString(), mode | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        t_lastError = errno == ENOENT || errno == ENXIO || errno == ENODEV ? ERROR_FILE_NOT_FOUND
                      : errno == EACCES || errno == EPERM                 ? ERROR_ACCESS_DENIED
                      : errno == EBUSY                                    ? ERROR_SHARING_VIOLATION
                                                                          : ERROR_GEN_FAILURE;
        return INVALID_HANDLE_VALUE;
    }
    // An exclusive hold, between programs that ask for one as this one does.
    if (shareMode == 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        t_lastError = ERROR_SHARING_VIOLATION;
        return INVALID_HANDLE_VALUE;
    }
    auto port = std::make_shared<SerialPort>();
    port->fd = fd;
    if (pipe2(port->wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        t_lastError = ERROR_GEN_FAILURE;
        return INVALID_HANDLE_VALUE;   // the port closes its descriptor
    }
    port->timeouts = COMMTIMEOUTS{};
    PortTable& t = Ports();
    std::lock_guard lock(t.mutex);
    const intptr_t id = t.next++;
    t.ports[id] = port;
    t_lastError = ERROR_SUCCESS;
    return (HANDLE)id;
}

BOOL CloseHandle(HANDLE handle)
{
    std::shared_ptr<SerialPort> port;
    {
        PortTable& t = Ports();
        std::lock_guard lock(t.mutex);
        auto it = t.ports.find((intptr_t)handle);
        if (it == t.ports.end()) {
            t_lastError = ERROR_INVALID_HANDLE;
            return FALSE;
        }
        port = std::move(it->second);
        t.ports.erase(it);
    }
    if (port->fd >= 0)
        flock(port->fd, LOCK_UN);
    port->closed = true;
    const char wake = 1;
    if (::write(port->wake[1], &wake, 1) < 0) {
        // The pipe is full, so a wake-up is already waiting.
    }
    return TRUE;   // the descriptor closes with the last user of the port
}

BOOL GetCommState(HANDLE handle, DCB* dcb)
{
    auto port = Find(handle);
    if (!port || !dcb)
        return FALSE;
    termios tio{};
    if (tcgetattr(port->fd, &tio) != 0) {
        t_lastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    std::lock_guard lock(port->mutex);
    if (port->dcb.DCBlength == 0) {
        // What a driver reports for a port nobody has set up yet.
        DCB d{};
        d.DCBlength = sizeof(DCB);
        d.fBinary = 1;
        d.fDtrControl = DTR_CONTROL_ENABLE;
        d.fRtsControl = RTS_CONTROL_ENABLE;
        d.ByteSize = 8;
        d.XonChar = 17;
        d.XoffChar = 19;
        d.XonLim = 2048;
        d.XoffLim = 512;
        port->dcb = d;
    }
    port->dcb.BaudRate = BaudOf(cfgetospeed(&tio));
    *dcb = port->dcb;
    return TRUE;
}

BOOL SetCommState(HANDLE handle, DCB* dcb)
{
    auto port = Find(handle);
    if (!port || !dcb)
        return FALSE;
    termios tio{};
    const speed_t speed = NearestSpeed(dcb->BaudRate);
    if (tcgetattr(port->fd, &tio) != 0 || speed == 0 || dcb->ByteSize < 5 || dcb->ByteSize > 8) {
        t_lastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag |= dcb->ByteSize == 5 ? CS5 : dcb->ByteSize == 6 ? CS6 : dcb->ByteSize == 7 ? CS7 : CS8;
    if (dcb->Parity == ODDPARITY)
        tio.c_cflag |= PARENB | PARODD;
    else if (dcb->Parity == EVENPARITY)
        tio.c_cflag |= PARENB;
    if (dcb->StopBits == TWOSTOPBITS)
        tio.c_cflag |= CSTOPB;
    if (dcb->fOutxCtsFlow || dcb->fRtsControl == RTS_CONTROL_HANDSHAKE)
        tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (dcb->fOutX)
        tio.c_iflag |= IXON;
    if (dcb->fInX)
        tio.c_iflag |= IXOFF;
    tio.c_cc[VSTART] = (cc_t)dcb->XonChar;
    tio.c_cc[VSTOP] = (cc_t)dcb->XoffChar;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (tcsetattr(port->fd, TCSANOW, &tio) != 0) {
        t_lastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    // The output lines: a pseudo-terminal has none, which is no error.
    int lines = 0;
    if (dcb->fDtrControl == DTR_CONTROL_ENABLE)
        lines |= TIOCM_DTR;
    if (dcb->fRtsControl == RTS_CONTROL_ENABLE)
        lines |= TIOCM_RTS;
    if (lines)
        ioctl(port->fd, TIOCMBIS, &lines);
    std::lock_guard lock(port->mutex);
    port->dcb = *dcb;
    port->dcb.DCBlength = sizeof(DCB);
    return TRUE;
}

BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts)
{
    auto port = Find(handle);
    if (!port || !timeouts)
        return FALSE;
    std::lock_guard lock(port->mutex);
    *timeouts = port->timeouts;
    return TRUE;
}

BOOL SetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts)
{
    auto port = Find(handle);
    if (!port || !timeouts)
        return FALSE;
    std::lock_guard lock(port->mutex);
    port->timeouts = *timeouts;
    return TRUE;
}

BOOL GetCommModemStatus(HANDLE handle, LPDWORD status)
{
    auto port = Find(handle);
    if (!port || !status)
        return FALSE;
    int lines = 0;
    if (ioctl(port->fd, TIOCMGET, &lines) != 0) {
        t_lastError = ERROR_GEN_FAILURE;
        return FALSE;
    }
    *status = ((lines & TIOCM_CTS) ? MS_CTS_ON : 0) | ((lines & TIOCM_DSR) ? MS_DSR_ON : 0) |
              ((lines & TIOCM_RNG) ? MS_RING_ON : 0) | ((lines & TIOCM_CAR) ? MS_RLSD_ON : 0);
    return TRUE;
}

// ---------------------------------------------------------------- reading and writing
BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read, void*)
{
    COMMTIMEOUTS to;
    auto port = BeginTransfer(handle, buffer, size, read, to);
    if (!port)
        return FALSE;
    const bool immediate = to.ReadIntervalTimeout == MAXDWORD && to.ReadTotalTimeoutMultiplier == 0 &&
                           to.ReadTotalTimeoutConstant == 0;
    const ULONGLONG total = (ULONGLONG)to.ReadTotalTimeoutMultiplier * size + to.ReadTotalTimeoutConstant;
    const double deadline = DeadlineAfter(total, NowMs());
    BYTE* out = (BYTE*)buffer;
    DWORD got = 0;
    double lastByte = -1;
    while (got < size) {
        double wait = -1;   // forever
        const double now = NowMs();
        if (immediate)
            wait = 0;
        if (deadline >= 0)
            wait = std::max(0.0, deadline - now);
        if (got > 0 && to.ReadIntervalTimeout && to.ReadIntervalTimeout != MAXDWORD) {
            const double interval = std::max(0.0, lastByte + to.ReadIntervalTimeout - now);
            wait = wait < 0 ? interval : std::min(wait, interval);
        }
        pollfd p[2] = {{port->fd, POLLIN, 0}, {port->wake[0], POLLIN, 0}};
        const int r = poll(p, 2, wait < 0 ? -1 : (int)std::ceil(wait));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            t_lastError = ERROR_GEN_FAILURE;
            return FALSE;
        }
        if (port->closed) {
            t_lastError = ERROR_OPERATION_ABORTED;
            return FALSE;
        }
        if (r == 0)
            break;   // a time-out ends the read with what came
        const ssize_t n = ::read(port->fd, out + got, size - got);
        if (n > 0) {
            got += (DWORD)n;
            lastByte = NowMs();
            if (read)
                *read = got;
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        // End of file or an error with nothing to read: the device is gone.
        if (got > 0)
            break;
        t_lastError = ERROR_GEN_FAILURE;
        return FALSE;
    }
    if (read)
        *read = got;
    return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD size, LPDWORD written, void*)
{
    COMMTIMEOUTS to;
    auto port = BeginTransfer(handle, buffer, size, written, to);
    if (!port)
        return FALSE;
    const ULONGLONG total = (ULONGLONG)to.WriteTotalTimeoutMultiplier * size + to.WriteTotalTimeoutConstant;
    const double deadline = DeadlineAfter(total, NowMs());
    const BYTE* in = (const BYTE*)buffer;
    DWORD put = 0;
    while (put < size) {
        const ssize_t n = ::write(port->fd, in + put, size - put);
        if (n > 0) {
            put += (DWORD)n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            if (written)
                *written = put;
            t_lastError = ERROR_GEN_FAILURE;
            return FALSE;
        }
        double wait = -1;
        if (deadline >= 0) {
            wait = deadline - NowMs();
            if (wait <= 0)
                break;
        }
        pollfd p[2] = {{port->fd, POLLOUT, 0}, {port->wake[0], POLLIN, 0}};
        if (poll(p, 2, wait < 0 ? -1 : (int)std::ceil(wait)) == 0)
            break;
        if (port->closed) {
            if (written)
                *written = put;
            t_lastError = ERROR_OPERATION_ABORTED;
            return FALSE;
        }
    }
    if (written)
        *written = put;
    return TRUE;
}
