#include "link/portdirectory.h"

#include "app/desktop.h"

std::string portName(int port)
{
    return "COM" + std::to_string(port);
}

void PortDirectory::refresh()
{
    const std::vector<std::string> present = desktop().serialDevices();
    for (int i = 0; i < portCount; ++i)
        m_devices[i] = i < int(present.size()) ? present[i] : std::string();
    m_read = true;
}

std::string PortDirectory::device(int port)
{
    if (!m_read)
        refresh();
    if (port < 1 || port > portCount)
        return {};
    return m_devices[port - 1];
}

PortDirectory &portDirectory()
{
    static PortDirectory directory;
    return directory;
}
