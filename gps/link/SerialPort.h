// One serial port with the receiver's fixed line settings: 8 data bits, no
// parity, one stop bit, no flow control, DTR and RTS on; reads of 50 bytes end
// 2 ms after the last byte or after 100 ms per byte.
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/Serial.h"

#include <functional>
#include <string>

class CCriticalSection;

class CSerialPort {
public:
    // The SiRF binary message 0x81 that switches a receiver to NMEA at 4800
    // baud: GGA, GSA, RMC and VTG every second and GSV every 5 seconds, all with
    // checksums.
    static constexpr int kSirfSwitchLength = 34;
    static const BYTE kSirfSwitchToNmea[kSirfSwitchLength];

    CSerialPort() = default;
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // 1 when the port "COMn" is open and set up at `baud`; else 0 and closed.
    int Open(const CString& name, DWORD baud);
    void Close();
    // The text and CR LF in one write; 1 when it succeeded.
    int WriteLine(const CString& text);
    // The two hexadecimal digits of a sentence's checksum: the exclusive-or of
    // every character after the first ("$"), up to the end of `text`.
    static CString AppendNmeaChecksum(const CString& text);
    // One raw write of `size` bytes; 1 when all were written.
    int WriteBytes(const BYTE* data, DWORD size);
    // One read of up to `size` bytes under the port's time-outs; FALSE when the read failed.
    BOOL Read(BYTE* buffer, DWORD size, DWORD& read);
    // The same on a handle taken from GetHandle: a read that another thread may
    // run while this one closes the port (the read then fails at once).
    static BOOL ReadHandle(HANDLE handle, BYTE* buffer, DWORD size, DWORD& read);
    static int WriteHandle(HANDLE handle, const BYTE* data, DWORD size);
    HANDLE GetHandle() const { return m_hPort; }

    // How a switch run on a reader thread shares the port: `lock` is held
    // around every use of the port's handle and never across a wait or a read;
    // `keepGoing` (asked under the lock) says whether the port is still the
    // reader's, and ends the switch at its next step when it is not.
    struct SwitchControl {
        CCriticalSection* lock = nullptr;
        std::function<bool()> keepGoing;
    };
    // Sends the switch message, then reopens the port at 4800 to 57600 baud in
    // turn until a read brings "$G". 1 when NMEA came, with the bytes of that
    // read in `nmea` (they are the receiver's first lines, not to be lost); 0
    // when the write, a read or every rate failed, or `control` stopped it (the
    // port may then be closed).
    int SwitchSirfToNmea(std::string* nmea = nullptr, const SwitchControl* control = nullptr);
    BOOL IsOpen() const { return m_hPort != INVALID_HANDLE_VALUE; }
    BOOL IsCarrierDetected() const { return ModemLine(MS_RLSD_ON); }
    BOOL IsClearToSend() const { return ModemLine(MS_CTS_ON); }
    BOOL IsDataSetReady() const { return ModemLine(MS_DSR_ON); }
    BOOL IsRingIndicated() const { return ModemLine(MS_RING_ON); }

    const CString& GetName() const { return m_strName; }
    DWORD GetBaudRate() const { return m_dwBaudRate; }

private:
    BOOL ModemLine(DWORD bit) const;

    HANDLE m_hPort = INVALID_HANDLE_VALUE;
    DCB m_Dcb{};
    COMMTIMEOUTS m_Timeouts{};
    DWORD m_dwBaudRate = 0;
    CString m_strName;   // COM3, without the device prefix
};
