// Opening the receiver's port, line writes, and the SiRF binary-to-NMEA switch.
#include "gps/link/SerialPort.h"

#include "platform/base/Threads.h"

#include <algorithm>
#include <cstring>
#include <memory>

const BYTE CSerialPort::kSirfSwitchToNmea[kSirfSwitchLength] = {
    0xA0, 0xA2, 0x00, 0x1A,                                     // start, payload length 26
    0x81, 0x02,                                                 // switch to NMEA, keep debug messages
    0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x05, 0x01, 0x01, 0x01, // GGA, GLL off, GSA, GSV /5 s, RMC
    0x01, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, // VTG, MSS off, four slots off
    0x00, 0x01, 0x12, 0xC0,                                     // last slot off, 4800 baud
    0x01, 0x69, 0xB0, 0xB3,                                     // checksum, end
};

CSerialPort::~CSerialPort()
{
    Close();
    m_strName.Empty();
    m_dwBaudRate = 0;
}

int CSerialPort::Open(const CString& name, DWORD baud)
{
    m_strName = name;
    m_dwBaudRate = baud;
    m_hPort = CreateFile("\\\\.\\" + name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hPort == INVALID_HANDLE_VALUE) {
        Close();
        return 0;
    }
    if (!GetCommState(m_hPort, &m_Dcb)) {
        Close();
        return 0;
    }
    m_Dcb.BaudRate = baud;
    m_Dcb.ByteSize = 8;
    m_Dcb.Parity = NOPARITY;
    m_Dcb.StopBits = ONESTOPBIT;
    m_Dcb.fParity = 1;
    m_Dcb.fOutxCtsFlow = 0;
    m_Dcb.fOutxDsrFlow = 0;
    m_Dcb.fDtrControl = DTR_CONTROL_ENABLE;
    m_Dcb.fTXContinueOnXoff = 0;
    m_Dcb.fOutX = 0;
    m_Dcb.fInX = 0;
    m_Dcb.fRtsControl = RTS_CONTROL_ENABLE;
    m_Dcb.XonLim = 0;
    m_Dcb.XoffLim = 0;
    m_Dcb.XoffChar = 19;
    m_Dcb.EvtChar = 0;
    const BOOL stateSet = SetCommState(m_hPort, &m_Dcb);
    m_Timeouts.ReadIntervalTimeout = 2;
    m_Timeouts.ReadTotalTimeoutMultiplier = 100;
    m_Timeouts.ReadTotalTimeoutConstant = 0;
    m_Timeouts.WriteTotalTimeoutMultiplier = 0;
    m_Timeouts.WriteTotalTimeoutConstant = 500;
    if (!stateSet || !SetCommTimeouts(m_hPort, &m_Timeouts)) {
        Close();
        return 0;
    }
    return 1;
}

void CSerialPort::Close()
{
    if (m_hPort != INVALID_HANDLE_VALUE)
        CloseHandle(m_hPort);
    m_hPort = INVALID_HANDLE_VALUE;
}

CString CSerialPort::AppendNmeaChecksum(const CString& text)
{
    unsigned char sum = 0;
    for (int i = 1; i < text.GetLength(); ++i)
        sum ^= (unsigned char)text[i];
    CString digits;
    digits.Format("%02X", sum);
    return digits;
}

int CSerialPort::WriteBytes(const BYTE* data, DWORD size)
{
    return IsOpen() ? WriteHandle(m_hPort, data, size) : 0;
}

int CSerialPort::WriteHandle(HANDLE handle, const BYTE* data, DWORD size)
{
    DWORD written = 0;
    return handle != INVALID_HANDLE_VALUE && WriteFile(handle, data, size, &written, nullptr) && written == size ? 1
                                                                                                                : 0;
}

int CSerialPort::WriteLine(const CString& text)
{
    const CString line = text + "\r\n";
    return WriteBytes((const BYTE*)line.GetString(), (DWORD)line.GetLength());
}

BOOL CSerialPort::Read(BYTE* buffer, DWORD size, DWORD& read)
{
    return ReadHandle(m_hPort, buffer, size, read);
}

BOOL CSerialPort::ReadHandle(HANDLE handle, BYTE* buffer, DWORD size, DWORD& read)
{
    read = 0;
    return handle != INVALID_HANDLE_VALUE && ReadFile(handle, buffer, size, &read, nullptr);
}

BOOL CSerialPort::ModemLine(DWORD bit) const
{
    DWORD status = 0;
    if (!IsOpen() || !GetCommModemStatus(m_hPort, &status))
        return 0;
    return (status & bit) ? 1 : 0;
}

int CSerialPort::SwitchSirfToNmea(std::string* nmea, const SwitchControl* control)
{
    // The port's handle, taken under the lock; none once the port is no longer
    // the reader's.
    auto handle = [&]() -> HANDLE {
        if (!control || !control->lock)
            return m_hPort;
        CSingleLock lock(control->lock, TRUE);
        return !control->keepGoing || control->keepGoing() ? m_hPort : INVALID_HANDLE_VALUE;
    };
    // A fixed wait, cut into short ones so that a port given up ends it soon.
    auto wait = [&](DWORD ms) -> bool {
        for (DWORD waited = 0; waited < ms; waited += 50) {
            if (control && control->keepGoing && !control->keepGoing())
                return false;
            Sleep(std::min<DWORD>(50, ms - waited));
        }
        return !control || !control->keepGoing || control->keepGoing();
    };
    // Close or reopen the port, under the lock and only while it is the reader's.
    auto reopen = [&](DWORD rate) -> bool {
        std::unique_ptr<CSingleLock> lock;
        if (control && control->lock)
            lock = std::make_unique<CSingleLock>(control->lock, TRUE);
        if (control && control->keepGoing && !control->keepGoing())
            return false;
        if (rate == 0) {
            Close();
        } else {
            const CString name = m_strName;
            Open(name, rate);
        }
        return true;
    };

    if (!WriteHandle(handle(), kSirfSwitchToNmea, kSirfSwitchLength))
        return 0;
    if (!wait(2000))
        return 0;
    for (DWORD rate : {4800u, 9600u, 19200u, 38400u, 57600u}) {
        if (!wait(1000) || !reopen(0) || !wait(1000))
            return 0;
        if (!reopen(rate) || !wait(3000))
            return 0;
        for (int i = 0; i < 10; ++i) {
            BYTE buffer[51] = {};
            DWORD n = 0;
            if (!ReadHandle(handle(), buffer, 50, n))
                return 0;
            // The bytes up to the first zero, as any chunk is read.
            if (strstr((const char*)buffer, "$G")) {
                if (nmea)
                    nmea->assign((const char*)buffer, n);
                return 1;
            }
        }
    }
    return 0;
}
