#include "link/portcycle.h"

#include <algorithm>
#include <vector>

namespace {
using Clock = SerialPort::Clock;

// Ten bits a byte: start, eight data bits, stop.
Clock::duration lineTime(std::size_t bytes, int baud)
{
    return std::chrono::microseconds(std::int64_t(bytes) * 10'000'000 / std::max(baud, 1));
}
} // namespace

bool StallMemory::hasStalled(const DeviceStamp &device) const
{
    return std::find(m_stalled.begin(), m_stalled.end(), device) != m_stalled.end();
}

void StallMemory::remember(const DeviceStamp &device, bool stalled)
{
    std::erase(m_stalled, device);
    if (stalled)
        m_stalled.push_back(device);
}

PortCycle::PortCycle(SerialPort port, const LineSettings &line, StallMemory &stalls)
    : m_port(std::move(port)), m_stalls(stalls)
{
    if (!m_port.isOpen())
        return;
    m_stalledBefore = m_stalls.hasStalled(m_port.stamp());
    m_deadline = Clock::now() + (m_stalledBefore ? m_stalls.margin() : m_stalls.limit());
    // Every cycle sets the line from the port's current settings and its message's alone. Bytes
    // sent at settings the port refused would reach the board garbled, or translated (a newline
    // as two bytes): nothing is sent then.
    m_lineRefused = !m_port.applyLineSettings(line);
}

void PortCycle::write(std::span<const std::uint8_t> bytes)
{
    if (!m_port.isOpen() || m_givenUp || m_lineRefused)
        return;
    if (m_stalledBefore)
        m_deadline += lineTime(bytes.size(), m_port.baud());
    m_givenUp = !m_port.write(bytes, m_deadline);
}

PortCycle::~PortCycle()
{
    finish();
}

bool PortCycle::finish()
{
    if (!m_port.isOpen())
        return false;
    if (m_lineRefused) {
        m_port.close();
        return false;
    }
    const bool delivered = !m_givenUp && m_port.drain(m_deadline);
    // What a given-up cycle leaves behind would reach the board late, mixed into the next message.
    if (!delivered)
        m_port.discardOutput();
    m_stalls.remember(m_port.stamp(), !delivered);
    m_port.close();
    return delivered;
}
