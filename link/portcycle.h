#pragma once

#include "link/serialport.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

// One use of a serial port for one message: open, line settings, the writes in order, and on
// leaving the scope a wait until every byte has left at this cycle's settings, then close. The
// port is closed on every path, also when an error ends the handler part way.
//
// A port that cannot be opened loses the message without a word. A cycle that has not got its
// bytes out within stallLimit gives up, throws the rest away and closes, so that a stalled
// adapter never freezes the window; until that device takes bytes again, later cycles to it wait
// only as long as their own bytes need on the line, plus stalledMargin.
class PortCycle
{
  public:
    static constexpr std::chrono::seconds stallLimit{2};
    static constexpr std::chrono::milliseconds stalledMargin{5};

    PortCycle(SerialPort port, std::string_view mode);
    ~PortCycle();
    PortCycle(const PortCycle &) = delete;
    PortCycle &operator=(const PortCycle &) = delete;

    bool isOpen() const { return m_port.isOpen(); }
    void write(std::span<const std::uint8_t> bytes);
    // Waits until every byte has left and closes; false when they did not all leave. The
    // destructor does this for a cycle not finished yet.
    bool finish();

  private:
    SerialPort m_port;
    SerialPort::Clock::time_point m_deadline;
    bool m_stalledBefore = false;
    bool m_givenUp = false;
};
