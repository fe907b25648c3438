#include "link/portdirectory.h"

#include <chrono>

std::string portName(int port)
{
    return "COM" + std::to_string(port);
}

PortDirectory::PortDirectory(DeviceSource source, std::string recordPath, WallClock now)
    : m_source(std::move(source)), m_recordPath(std::move(recordPath)), m_now(std::move(now))
{
    if (!m_now)
        m_now = [] {
            return std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                .count();
        };
}

void PortDirectory::assign(int index, const SerialDevice &device)
{
    m_entries[index] = Entry{device, stampOf(device.node), true, true, m_now()};
}

void PortDirectory::refresh()
{
    if (!m_read) {
        // Numbers given in earlier runs, their adapters absent until they are seen.
        m_recorded = readPortRecord(m_recordPath);
        for (int i = 0; i < portCount; ++i)
            if (m_recorded[i])
                m_entries[i] =
                    Entry{m_recorded[i]->device, {}, false, false, m_recorded[i]->lastSeen};
    }
    const std::vector<SerialDevice> devices = m_source ? m_source() : std::vector<SerialDevice>();
    std::array<bool, portCount> seen{};
    std::vector<const SerialDevice *> unnumbered;
    for (const SerialDevice &device : devices) {
        bool numbered = false;
        for (int i = 0; i < portCount && !numbered; ++i) {
            if (m_entries[i] && !seen[i] && m_entries[i]->device.sameAdapter(device)) {
                assign(i, device);
                seen[i] = numbered = true;
            }
        }
        if (!numbered)
            unnumbered.push_back(&device);
    }
    for (int i = 0; i < portCount; ++i)
        if (m_entries[i] && !seen[i])
            m_entries[i]->present = false;
    for (const SerialDevice *device : unnumbered) {
        // The lowest free number; else the one whose adapter was seen least recently, as long as
        // it has not been here in this run (a chosen port must never change its device).
        int free = -1;
        for (int i = 0; i < portCount && free < 0; ++i)
            if (!m_entries[i])
                free = i;
        if (free < 0) {
            for (int i = 0; i < portCount; ++i) {
                const std::optional<Entry> &e = m_entries[i];
                if (!e->present && !e->seenThisRun &&
                    (free < 0 || e->lastSeen < m_entries[free]->lastSeen))
                    free = i;
            }
        }
        if (free < 0)
            break;
        assign(free, *device);
    }
    m_read = true;
    keepRecord();
}

void PortDirectory::keepRecord()
{
    PortNumbers numbers;
    for (int i = 0; i < portCount; ++i)
        if (m_entries[i])
            numbers[i] = RecordedAdapter{m_entries[i]->device, m_entries[i]->lastSeen};
    if (numbers == m_recorded)
        return;
    // A record that cannot be written costs only the numbers of later runs.
    writePortRecord(m_recordPath, numbers);
    m_recorded = numbers;
}

const std::optional<PortDirectory::Entry> &PortDirectory::entry(int port)
{
    static const std::optional<Entry> none;
    if (!m_read)
        refresh();
    if (port < 1 || port > portCount)
        return none;
    return m_entries[port - 1];
}

SerialPort PortDirectory::open(int port, HolderScan &holders, HolderScan::Freshness freshness)
{
    const std::optional<Entry> &known = entry(port);
    if (!known)
        return {};
    if (known->present) {
        SerialPort opened(known->device.node, holders, freshness);
        // Opened the very node that was numbered, or failed for a reason that is not about which
        // device is there (in use, permission): the answer stands.
        if (opened.isOpen() ? opened.stamp() == known->stamp
                            : opened.error() != PortError::NoDevice)
            return opened;
    }
    // Gone, or its node made anew, possibly for another adapter: look again.
    refresh();
    if (!known->present)
        return {};
    SerialPort opened(known->device.node, holders, freshness);
    if (opened.isOpen() && opened.stamp() != known->stamp)
        return {};
    return opened;
}
