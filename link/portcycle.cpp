#include "link/portcycle.h"

PortCycle::PortCycle(const std::string &device, std::string_view mode)
    : m_port(device), m_deadline(SerialPort::Clock::now() + stallLimit)
{
    if (!m_port.isOpen())
        return;
    // Every cycle sets the line from the port's current settings and the mode string alone.
    if (const std::optional<LineSettings> line = parseModeString(mode))
        m_port.applyLineSettings(*line);
}

void PortCycle::write(std::span<const std::uint8_t> bytes)
{
    if (!m_port.isOpen() || m_givenUp)
        return;
    m_givenUp = !m_port.write(bytes, m_deadline);
}

PortCycle::~PortCycle()
{
    if (!m_port.isOpen())
        return;
    if (m_givenUp || !m_port.drain(m_deadline))
        m_port.discardOutput();
    m_port.close();
}
