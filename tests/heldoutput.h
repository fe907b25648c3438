#pragma once

#include "link/serialdriver.h"

#include <algorithm>
#include <memory>
#include <thread>

// A device that takes every byte at once but sends them only after it has been asked `polls`
// times how many are left, as an adapter whose flow control holds its output: a pseudo-terminal
// cannot stand in, as it never has bytes left to send.
class HeldOutput final : public SerialDriver
{
  public:
    struct Log
    {
        int taken = 0;
        int unsentAtClose = -1; // -1 while open
        bool transmitterFinished = false;
        bool discarded = false;
    };

    // A device that does not take line settings takes no bytes either, when `polls` is 0.
    HeldOutput(std::shared_ptr<Log> log, int polls) : m_log(std::move(log)), m_polls(polls) {}

    bool setLine(const LineSettings &) override { return m_polls != 0; }
    long writeSome(std::span<const std::uint8_t> bytes) override
    {
        m_log->taken += int(bytes.size());
        return long(bytes.size());
    }
    bool waitForRoom(std::chrono::milliseconds) override { return true; }
    int unsent() override
    {
        if (m_held && --m_polls <= 0)
            m_held = false;
        return m_held ? m_log->taken : 0;
    }
    // A millisecond at most, so that a cycle that ignored its deadline would meet the release
    // within seconds rather than hang.
    void waitForLine(std::chrono::milliseconds time) override
    {
        std::this_thread::sleep_for(std::min(time, std::chrono::milliseconds(1)));
    }
    bool finishTransmitter() override { return m_log->transmitterFinished = true; }
    void discardUnsent() override
    {
        m_log->discarded = true;
        m_held = false;
    }
    void close() override { m_log->unsentAtClose = m_held ? m_log->taken : 0; }

  private:
    std::shared_ptr<Log> m_log;
    int m_polls;
    bool m_held = true;
};
