// The Windows serial-port calls over POSIX termios: a port opened by its COM
// name, its line settings (DCB) and time-outs, blocking reads and writes with
// the time-outs emulated by poll, the modem status lines, and the list of COM
// names.
//
// Port names: "COMn", also with the device prefix "\\.\". A name maps to a
// Linux device through the profile section "Serial Ports" (entry "COMn", value
// the device path, e.g. COM3=/dev/ttyUSB0), which the user may edit; names
// without an entry are given, in order from COM1, to the serial devices present
// that no entry names: /dev/ttyUSB*, /dev/ttyACM*, /dev/rfcomm*, then /dev/ttyS*
// (each group in numeric order), skipping numbers that an entry takes.
//
// Only serial devices open through CreateFile here; these handles are not the
// file handles of CFile.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#include <vector>

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_GEN_FAILURE 31
#define ERROR_SHARING_VIOLATION 32
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_OPERATION_ABORTED 995

#define NOPARITY 0
#define ODDPARITY 1
#define EVENPARITY 2
#define ONESTOPBIT 0
#define TWOSTOPBITS 2
#define DTR_CONTROL_DISABLE 0
#define DTR_CONTROL_ENABLE 1
#define DTR_CONTROL_HANDSHAKE 2
#define RTS_CONTROL_DISABLE 0
#define RTS_CONTROL_ENABLE 1
#define RTS_CONTROL_HANDSHAKE 2

#define MS_CTS_ON 0x0010
#define MS_DSR_ON 0x0020
#define MS_RING_ON 0x0040
#define MS_RLSD_ON 0x0080

#define MAXDWORD 0xffffffffu

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

DWORD GetLastError();
void SetLastError(DWORD code);

struct DCB {
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;
    DWORD fParity : 1;
    DWORD fOutxCtsFlow : 1;
    DWORD fOutxDsrFlow : 1;
    DWORD fDtrControl : 2;
    DWORD fDsrSensitivity : 1;
    DWORD fTXContinueOnXoff : 1;
    DWORD fOutX : 1;
    DWORD fInX : 1;
    DWORD fErrorChar : 1;
    DWORD fNull : 1;
    DWORD fRtsControl : 2;
    DWORD fAbortOnError : 1;
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
};
static_assert(sizeof(DCB) == 28);

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
};

struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};

// Opens "\\.\COMn" (or "COMn") for reading and writing. Sharing must be 0: the
// port is held exclusively (a second open fails with ERROR_SHARING_VIOLATION,
// an unmapped or missing device with ERROR_FILE_NOT_FOUND). INVALID_HANDLE_VALUE
// on failure.
HANDLE CreateFile(LPCSTR name, DWORD access, DWORD shareMode, void* security, DWORD disposition, DWORD flags,
                  HANDLE templateFile);
BOOL CloseHandle(HANDLE handle);
// Reads up to `size` bytes under the port's time-outs: the total time-out
// (multiplier x size + constant) bounds the wait, the interval time-out ends a
// read once bytes have come and that many milliseconds pass without another;
// all zero waits until `size` bytes came. A read that finds the device gone
// fails (ERROR_GEN_FAILURE); a read under way when another thread closes the
// handle fails at once (ERROR_OPERATION_ABORTED). The total time-outs follow
// the platform clock's test scale; the interval does not.
BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read, void* overlapped);
// Writes all bytes unless the write time-out passes first (TRUE with the count written).
BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD size, LPDWORD written, void* overlapped);
BOOL GetCommState(HANDLE handle, DCB* dcb);
// Raw 8-bit input and output: no line-ending translation, no echo, no signals.
BOOL SetCommState(HANDLE handle, DCB* dcb);
BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts);
BOOL SetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts);
// MS_* bits of the modem input lines; FALSE where the device has none (a pseudo-terminal).
BOOL GetCommModemStatus(HANDLE handle, LPDWORD status);
// With a null device name: every COM name of the mapping, each ended by a zero,
// the list ended by one more; with a name: its device path. The count of
// characters stored, 0 (ERROR_INSUFFICIENT_BUFFER, ERROR_FILE_NOT_FOUND) on failure.
DWORD QueryDosDevice(LPCSTR deviceName, LPSTR targetPath, DWORD maxChars);
// Reports the NT family.
BOOL GetVersionEx(OSVERSIONINFO* info);

// The device path of a COM name ("COM3" or "\\.\COM3"); empty when none maps to it.
CString AfxSerialPortDevice(const char* portName);
// Every COM number of the mapping with its device, in increasing number.
std::vector<std::pair<int, CString>> AfxSerialPortMap();
