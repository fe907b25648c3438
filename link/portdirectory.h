#pragma once

#include <array>
#include <string>
#include <vector>

// The serial devices this machine really has, in the order COM1, COM2, ... stand for: built-in
// UARTs (ttyS* backed by hardware, then other on-board serial devices), then USB adapters (ttyUSB*,
// then ttyACM*), each by number. The roots are parameters so that a test can lay out a tree.
std::vector<std::string> listSerialDevices(const std::string &sysClassTty = "/sys/class/tty",
                                           const std::string &devDir = "/dev");

// "COM1" to "COM4" for 1 to 4.
std::string portName(int port);

// What COM1 to COM4 stood for at the latest probe. The items keep that device until the next
// probe, so the device behind a chosen item is the one the user saw.
class PortDirectory
{
  public:
    static constexpr int portCount = 4;

    // Reads the devices anew from the desktop layer.
    void refresh();
    // The device behind COMn, or an empty string when there is none. Reads the devices first if
    // they have never been read.
    std::string device(int port);

  private:
    bool m_read = false;
    std::array<std::string, portCount> m_devices;
};

PortDirectory &portDirectory();
