#include "link/portcycle.h"

#include <algorithm>
#include <vector>

namespace {
using Clock = SerialPort::Clock;

// The devices whose last cycle gave up. A handful at most: one entry per stalled adapter.
std::vector<DeviceStamp> stalledDevices;

bool hasStalled(const DeviceStamp &device)
{
    return std::find(stalledDevices.begin(), stalledDevices.end(), device) != stalledDevices.end();
}

void rememberStall(const DeviceStamp &device, bool stalled)
{
    std::erase(stalledDevices, device);
    if (stalled)
        stalledDevices.push_back(device);
}

// Ten bits a byte: start, eight data bits, stop.
Clock::duration lineTime(std::size_t bytes, int baud)
{
    return std::chrono::microseconds(std::int64_t(bytes) * 10'000'000 / std::max(baud, 1));
}
} // namespace

PortCycle::PortCycle(SerialPort port, std::string_view mode) : m_port(std::move(port))
{
    if (!m_port.isOpen())
        return;
    m_stalledBefore = hasStalled(m_port.stamp());
    m_deadline = Clock::now() + (m_stalledBefore ? Clock::duration(stalledMargin) : stallLimit);
    // Every cycle sets the line from the port's current settings and the mode string alone.
    if (const std::optional<LineSettings> line = parseModeString(mode))
        m_port.applyLineSettings(*line);
}

void PortCycle::write(std::span<const std::uint8_t> bytes)
{
    if (!m_port.isOpen() || m_givenUp)
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
    const bool delivered = !m_givenUp && m_port.drain(m_deadline);
    // What a given-up cycle leaves behind would reach the board late, mixed into the next message.
    if (!delivered)
        m_port.discardOutput();
    rememberStall(m_port.stamp(), !delivered);
    m_port.close();
    return delivered;
}
