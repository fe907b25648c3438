#pragma once

#include "link/holders.h"
#include "link/portcycle.h"
#include "link/portdirectory.h"
#include "link/serialport.h"

#include <optional>
#include <string>

// What COMn stands for and whether a message could go there now.
struct PortStatus
{
    std::optional<PortDirectory::Entry> entry; // nothing when the number stands for no adapter
    PortError error = PortError::NoDevice;
    std::optional<PortHolder> holder;
    int systemError = 0; // behind PortError::Other

    bool usable() const { return error == PortError::None; }
};

// Everything between a COM number and its device for one window or one command line: which
// adapter each number stands for, who else holds the devices, and which have stalled.
class PortLink
{
  public:
    explicit PortLink(PortDirectory::DeviceSource devices, std::string recordPath = {},
                      HolderRoots roots = systemHolderRoots(), StallMemory stalls = StallMemory());

    PortDirectory &directory() { return m_directory; }
    HolderScan &holders() { return m_holders; }
    StallMemory &stalls() { return m_stalls; }

    // Reads the devices and other programs' holds anew, as the port menu does when it opens.
    void refresh();
    // Found without opening anything: opening a port can reset the board or disturb the program
    // that holds it.
    PortStatus status(int port);
    // Opens COMn for one message, or for a playback.
    SerialPort open(int port, HolderScan::Freshness freshness);
    // While a playback holds COMn, every other message to it is refused: the bytes would land
    // between its frames.
    void setPlaying(int port, bool playing);

  private:
    HolderScan m_holders;
    PortDirectory m_directory;
    StallMemory m_stalls;
    int m_playing = 0; // the COM number a playback holds, 0 for none
};
