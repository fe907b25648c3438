#pragma once

#include "link/modestring.h"
#include "link/serialport.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

// The devices whose last cycle gave up, and how long a cycle waits for a device before it gives
// up: a stalled adapter must never freeze the window. Kept by the link for its devices.
class StallMemory
{
  public:
    static constexpr std::chrono::milliseconds defaultLimit{2000};
    static constexpr std::chrono::milliseconds defaultMargin{5};

    explicit StallMemory(std::chrono::milliseconds limit = defaultLimit,
                         std::chrono::milliseconds margin = defaultMargin)
        : m_limit(limit), m_margin(margin)
    {}

    // How long a cycle waits for its bytes to leave: the limit, or for a device that has stalled
    // before, only as long as the bytes need on the line plus the margin.
    std::chrono::milliseconds limit() const { return m_limit; }
    std::chrono::milliseconds margin() const { return m_margin; }
    bool hasStalled(const DeviceStamp &device) const;
    void remember(const DeviceStamp &device, bool stalled);

  private:
    std::chrono::milliseconds m_limit;
    std::chrono::milliseconds m_margin;
    std::vector<DeviceStamp> m_stalled; // a handful at most: one entry per stalled adapter
};

// One use of a serial port for one message: open, line settings, the writes in order, and on
// leaving the scope a wait until every byte has left at this cycle's settings, then close. The
// port is closed on every path, also when an error ends the handler part way.
//
// A port that cannot be opened loses the message without a word. A cycle that has not got its
// bytes out within the stall limit gives up, throws the rest away and closes; until that device
// takes bytes again, later cycles to it wait only as long as their own bytes need on the line,
// plus the margin.
class PortCycle
{
  public:
    PortCycle(SerialPort port, const LineSettings &line, StallMemory &stalls);
    ~PortCycle();
    PortCycle(const PortCycle &) = delete;
    PortCycle &operator=(const PortCycle &) = delete;

    bool isOpen() const { return m_port.isOpen(); }
    // The port would not take the message's line settings, and nothing was sent.
    bool lineRefused() const { return m_lineRefused; }
    void write(std::span<const std::uint8_t> bytes);
    // Waits until every byte has left and closes; false when they did not all leave. The
    // destructor does this for a cycle not finished yet.
    bool finish();

  private:
    SerialPort m_port;
    StallMemory &m_stalls;
    SerialPort::Clock::time_point m_deadline;
    bool m_stalledBefore = false;
    bool m_givenUp = false;
    bool m_lineRefused = false;
};
