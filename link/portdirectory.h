#pragma once

#include "link/holders.h"
#include "link/portrecord.h"
#include "link/serialdevice.h"
#include "link/serialport.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The serial devices this machine really has, in the order new ones are numbered: built-in UARTs
// first, then other on-board serial devices, then USB adapters, each by number; with what tells
// each adapter apart and what it says it is.
std::vector<SerialDevice> listSerialDevices();
// The same from the folders where the system lists its devices by kind and by name, for a system
// that has them: a test lays out folders of its own.
std::vector<SerialDevice> listSerialDevices(const std::string &classes, const std::string &nodes);
// A serial device's name as a user of this system would give it, for the help.
std::string exampleSerialDevice();
// Whether the system itself numbers its ports COM1, COM2, ...: each number is then the system's,
// and no record of our own is kept.
bool systemNumbersPorts();

// "COM1" to "COM4" for 1 to 4, and on for the higher numbers a system gives.
std::string portName(int port);
// The highest COM number where the system numbers its ports.
constexpr int highestSystemPort = 256;
// The number of "COM3", "com3" or "COM3:", if it is 1 to `highest`; nothing for any other name
// (a leading zero names no port).
std::optional<int> comPortNumber(std::string_view name, int highest);

// What COM1 to COM4 stand for. A number, once it stands for an adapter, keeps standing for it, in
// this run and, through the record file, in later ones, in every instance of the program: an
// adapter that goes leaves its number empty, and gets it back when it returns, also under another
// node name. A new adapter takes the lowest free number; when all are taken, the number whose
// adapter was seen least recently passes to it, but never one whose adapter was present during
// this run. A message to a number is never sent to any other device.
//
// An adapter is known by its maker, product and serial number while no other adapter seen has
// the same (clones share one); adapters that look alike so, and adapters with no serial number,
// are known by the USB socket they are in as well. A look-alike in another socket never takes
// its twin's number: while it is there and the twin is not, the number cannot tell which adapter
// it means, and nothing is sent to it.
class PortDirectory
{
  public:
    static constexpr int portCount = recordedPortCount;
    using DeviceSource = std::function<std::vector<SerialDevice>()>;
    // Seconds since the epoch; a test sets the time.
    using WallClock = std::function<std::int64_t()>;

    struct Entry
    {
        SerialDevice device; // as last seen
        DeviceStamp stamp;   // the node instance it had then; empty when not seen in this run
        bool present = false;
        bool seenThisRun = false;
        // Absent, while an adapter that looks just like it is plugged in elsewhere.
        bool lookAlike = false;
        std::int64_t lastSeen = 0;
    };

    // Without a record path the numbers last for this run only.
    explicit PortDirectory(DeviceSource source = {}, std::string recordPath = {},
                           WallClock now = {});

    // Reads the devices anew and numbers the new ones, taking first the numbers that other
    // instances have given since.
    void refresh();
    // What COMn stands for; nothing when it has never stood for a device. Reads the devices first
    // if they have never been read.
    const std::optional<Entry> &entry(int port);
    // Opens the adapter behind COMn for one message. A node that has gone or been made anew is
    // looked for again first: a message goes to the adapter under its new name, or nowhere.
    SerialPort open(int port, HolderScan &holders, HolderScan::Freshness freshness);

  private:
    void assign(int index, const SerialDevice &device);
    void takeFromRecord(const PortNumbers &inFile);
    void match(const std::vector<SerialDevice> &devices);

    DeviceSource m_source;
    std::string m_recordPath;
    WallClock m_now;
    bool m_read = false;
    std::array<std::optional<Entry>, portCount> m_entries;
    PortNumbers m_recorded;
};
