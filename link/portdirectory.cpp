#include "link/portdirectory.h"

#include "link/holders.h"

std::string portName(int port)
{
    return "COM" + std::to_string(port);
}

void PortDirectory::refresh()
{
    std::vector<SerialDevice> devices = m_source ? m_source() : std::vector<SerialDevice>();
    // A fresh look at who holds what, as the devices themselves are looked at anew.
    forgetHolders();
    std::array<bool, portCount> seen{};
    std::vector<const SerialDevice *> unnumbered;
    for (const SerialDevice &device : devices) {
        bool numbered = false;
        for (int i = 0; i < portCount && !numbered; ++i) {
            if (m_entries[i] && !seen[i] && m_entries[i]->device.sameAdapter(device)) {
                m_entries[i] = Entry{device, stampOf(device.node), true};
                seen[i] = numbered = true;
            }
        }
        if (!numbered)
            unnumbered.push_back(&device);
    }
    for (int i = 0; i < portCount; ++i)
        if (m_entries[i] && !seen[i])
            m_entries[i]->present = false;
    for (int i = 0; i < portCount && !unnumbered.empty(); ++i) {
        if (!m_entries[i]) {
            const SerialDevice &device = *unnumbered.front();
            m_entries[i] = Entry{device, stampOf(device.node), true};
            unnumbered.erase(unnumbered.begin());
        }
    }
    m_read = true;
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

SerialPort PortDirectory::open(int port)
{
    const std::optional<Entry> &known = entry(port);
    if (!known)
        return {};
    if (known->present) {
        SerialPort opened(known->device.node);
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
    SerialPort opened(known->device.node);
    if (opened.isOpen() && opened.stamp() != known->stamp)
        return {};
    return opened;
}

PortDirectory &portDirectory()
{
    static PortDirectory directory;
    return directory;
}
