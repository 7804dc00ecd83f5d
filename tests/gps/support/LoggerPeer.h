// The data logger played over a pseudo-terminal: it has already sent NMEA (so
// the program's reader runs on), records every command line the program
// writes, and answers the commands it is told to with exact lines.
#pragma once

#include "gps/link/GpsReceiverLink.h"
#include "platform/testing/SerialPeer.h"
#include "tests/gps/support/NmeaText.h"

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class LoggerPeer {
public:
    explicit LoggerPeer(const char* comName)
    {
        m_peer.MapAs(comName);
    }
    ~LoggerPeer() { Stop(); }

    SerialPeer& Peer() { return m_peer; }
    // Answers the command line `command` (without CR LF) with `lines`, each sent as it stands.
    void Answer(const std::string& command, std::vector<std::string> lines)
    {
        std::lock_guard lock(m_mutex);
        m_answers[command] = std::move(lines);
    }
    // Opens the port through `link`, starts its reader and lets NMEA arrive.
    bool Connect(CGpsReceiverLink& link, const char* comName)
    {
        if (!link.OpenPort(comName, 4800))
            return false;
        link.StartReader();
        if (!m_peer.Send("$GPGGA,000000*00\r\n"))
            return false;
        for (int i = 0; i < 500; ++i) {
            CStringArray lines;
            link.CopyQueue(lines, FALSE);
            if (lines.GetSize())
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
        }
        link.ClearLines();
        m_thread = std::thread([this] { Run(); });
        return true;
    }
    // Runs the logger without connecting anyone: the program opens the port.
    // With `chatterMs`, it sends a live GGA line that often, as a receiver does.
    void Start(int chatterMs = 0)
    {
        m_chatterMs = chatterMs;
        m_thread = std::thread([this] { Run(); });
    }
    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    // Sends lines as the logger, from its own thread.
    void Send(const std::string& bytes)
    {
        std::lock_guard lock(m_mutex);
        m_outbox += bytes;
    }
    std::vector<std::string> Commands()
    {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }

private:
    void Run()
    {
        size_t seen = 0, have = 0;
        // The first chatter at once, so that a line waits when the program opens the port.
        auto lastChatter = std::chrono::steady_clock::now() - std::chrono::hours(1);
        while (!m_stop) {
            if (m_chatterMs && std::chrono::steady_clock::now() - lastChatter > std::chrono::milliseconds(m_chatterMs)) {
                lastChatter = std::chrono::steady_clock::now();
                Send("$GPGGA,000000*00\r\n");
            }
            const std::string& in = m_peer.Received(have + 1, 5);
            have = in.size();
            std::string out;
            {
                std::lock_guard lock(m_mutex);
                for (size_t end = in.find("\r\n", seen); end != std::string::npos; end = in.find("\r\n", seen)) {
                    const std::string line = in.substr(seen, end - seen);
                    seen = end + 2;
                    m_commands.push_back(line);
                    if (auto it = m_answers.find(line); it != m_answers.end())
                        for (const std::string& reply : it->second)
                            out += reply;
                }
                out += m_outbox;
                m_outbox.clear();
            }
            if (!out.empty())
                m_peer.Send(out);
        }
    }

    SerialPeer m_peer;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    int m_chatterMs = 0;
    std::mutex m_mutex;
    std::map<std::string, std::vector<std::string>> m_answers;
    std::vector<std::string> m_commands;
    std::string m_outbox;
};

} // namespace testsupport
