#pragma once

#include "link/serialdevice.h"
#include "link/serialport.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The serial devices this machine really has, in the order new ones are numbered: built-in UARTs
// (ttyS* backed by hardware, then other on-board serial devices), then USB adapters (ttyUSB*,
// then ttyACM*), each by number; with what tells each adapter apart and what it says it is. The
// roots are parameters so that a test can lay out a tree.
std::vector<SerialDevice> listSerialDevices(const std::string &sysClassTty = "/sys/class/tty",
                                            const std::string &devDir = "/dev");

// "COM1" to "COM4" for 1 to 4.
std::string portName(int port);

// What COM1 to COM4 stand for. Within one run a number, once it stands for an adapter, keeps
// standing for it: an adapter that goes leaves its number empty, and gets it back when it returns,
// also under another node name; new adapters take the lowest number never used, in the order
// listSerialDevices gives. A message to a number is never sent to any other device.
class PortDirectory
{
  public:
    static constexpr int portCount = 4;
    using DeviceSource = std::function<std::vector<SerialDevice>()>;

    struct Entry
    {
        SerialDevice device; // as last seen
        DeviceStamp stamp;   // the node instance it had then
        bool present = false;
    };

    explicit PortDirectory(DeviceSource source = {}) : m_source(std::move(source)) {}

    // Reads the devices anew and numbers the new ones.
    void refresh();
    // What COMn stands for; nothing when it has never stood for a device. Reads the devices first
    // if they have never been read.
    const std::optional<Entry> &entry(int port);
    // Opens the adapter behind COMn for one message. A node that has gone or been made anew is
    // looked for again first: a message goes to the adapter under its new name, or nowhere.
    SerialPort open(int port);

  private:
    DeviceSource m_source;
    bool m_read = false;
    std::array<std::optional<Entry>, portCount> m_entries;
};

// The directory of the application's window; the window gives it its device source.
PortDirectory &portDirectory();
