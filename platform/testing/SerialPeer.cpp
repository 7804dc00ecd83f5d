// The pseudo-terminal of SerialPeer.
#include "platform/testing/SerialPeer.h"

#include "platform/base/Profile.h"

#include <algorithm>
#include <chrono>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
double NowMs()
{
    using namespace std::chrono;
    return duration_cast<duration<double, std::milli>>(steady_clock::now().time_since_epoch()).count();
}
}

SerialPeer::SerialPeer()
{
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_path = name;
}

SerialPeer::~SerialPeer()
{
    HangUp();
}

void SerialPeer::MapAs(const char* comName) const
{
    AfxWriteProfileString("Serial Ports", comName, m_path);
}

bool SerialPeer::Send(const std::string& bytes, int timeoutMs)
{
    const double deadline = NowMs() + timeoutMs;
    size_t done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += (size_t)n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        Drain(0);
        const double left = deadline - NowMs();
        if (left <= 0)
            return false;
        pollfd p{m_master, POLLOUT, 0};
        poll(&p, 1, (int)std::min(left, 20.0));
    }
    return done == bytes.size();
}

void SerialPeer::Drain(int waitMs)
{
    if (m_master < 0)
        return;
    pollfd p{m_master, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0)
        return;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break;
        m_received.append(buf, (size_t)n);
    }
}

const std::string& SerialPeer::Received(size_t atLeast, int waitMs)
{
    const double deadline = NowMs() + waitMs;
    Drain(0);
    while (m_received.size() < atLeast) {
        const double left = deadline - NowMs();
        if (left <= 0)
            break;
        Drain((int)std::min(left, 20.0));
    }
    return m_received;
}

void SerialPeer::HangUp()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}
