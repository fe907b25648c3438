#include "link/portlink.h"

PortLink::PortLink(PortDirectory::DeviceSource devices, std::string recordPath, HolderRoots roots,
                   StallMemory stalls)
    : m_holders(std::move(roots)), m_directory(std::move(devices), std::move(recordPath)),
      m_stalls(stalls)
{}

void PortLink::refresh()
{
    m_directory.refresh();
    m_holders.scanNow();
}

PortStatus PortLink::status(int port)
{
    PortStatus status;
    status.entry = m_directory.entry(port);
    if (status.entry && status.entry->lookAlike)
        status.error = PortError::LookAlike;
    if (status.entry && status.entry->present && port == m_playing) {
        status.error = PortError::Playing;
        return status;
    }
    if (!status.entry || !status.entry->present)
        return status;
    const PortCheck check = checkWithoutOpening(status.entry->device.node, m_holders);
    status.error = check.error;
    status.holder = check.holder;
    status.systemError = check.systemError;
    return status;
}

SerialPort PortLink::open(int port, HolderScan::Freshness freshness)
{
    if (port != 0 && port == m_playing)
        return SerialPort::refused(PortError::Playing, {});
    return m_directory.open(port, m_holders, freshness);
}

void PortLink::setPlaying(int port, bool playing)
{
    if (playing)
        m_playing = port;
    else if (m_playing == port)
        m_playing = 0;
}
