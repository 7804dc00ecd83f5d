// Test support: a serial device played by the test on a pseudo-terminal. The
// program opens the terminal's device side through a COM name that MapAs puts
// in the profile; the test writes what the device sends and reads back every
// byte the program wrote. Lines pass unchanged (the device side is raw from
// the start). HangUp unplugs the device: the program's next read fails.
#pragma once

#include "platform/base/CString.h"

#include <string>

class SerialPeer {
public:
    SerialPeer();
    ~SerialPeer();
    SerialPeer(const SerialPeer&) = delete;
    SerialPeer& operator=(const SerialPeer&) = delete;

    bool IsOpen() const { return m_master >= 0; }
    CString DevicePath() const { return m_path; }
    // Maps `comName` ("COM7") to this device in the profile section "Serial Ports".
    void MapAs(const char* comName) const;

    // Sends bytes as the device; false when the program did not take them
    // within `timeoutMs` (its reader has stopped) or the device is unplugged.
    bool Send(const std::string& bytes, int timeoutMs = 5000);
    // Everything the program wrote so far, after waiting up to `waitMs` for at
    // least `atLeast` bytes in all.
    const std::string& Received(size_t atLeast = 0, int waitMs = 0);
    void ClearReceived() { m_received.clear(); }
    void HangUp();

private:
    void Drain(int waitMs);

    int m_master = -1;
    int m_slave = -1;   // kept open so the terminal lives while the program reopens it
    CString m_path;
    std::string m_received;
};
