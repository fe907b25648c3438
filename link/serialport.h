#pragma once

#include "link/holders.h"
#include "link/modestring.h"
#include "link/porterror.h"
#include "link/serialdevice.h"
#include "link/serialdriver.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

// One open serial device, closed when it goes out of scope. Only a serial device is opened: a path
// that names a file, a pipe, another kind of device, a console or this program's own terminal is
// refused before anything is opened, so nothing is ever written or truncated there; and the node
// opened is the node judged, even when its name is given to another in between. Opening is
// exclusive: the terminal's own exclusive mode against other programs and, for an opening that
// looks at the processes now (an upload, a playback, the command line), an advisory lock that even
// root cannot pass. A device that another program has open in any way, has locked or has put in
// exclusive mode counts as in use and is not opened.
class SerialPort
{
  public:
    using Clock = std::chrono::steady_clock;

    // No device.
    SerialPort();
    // Write-only, without becoming our controlling terminal and without waiting for carrier.
    // Other programs' holds are looked up in `holders`, as fresh as `freshness` asks. Given
    // `expected`, a path that names another node instance now is refused as Changed before
    // anything is opened: a COM number's adapter may have lost its name to another.
    SerialPort(const std::string &device, HolderScan &holders,
               HolderScan::Freshness freshness = HolderScan::Freshness::Now,
               std::optional<DeviceStamp> expected = std::nullopt);
    // No port, for this reason.
    static SerialPort refused(PortError error, std::string device);
    // An open port on a driver of one's own, as a test stands one in.
    SerialPort(std::unique_ptr<SerialDriver> driver, DeviceStamp stamp);
    ~SerialPort();
    SerialPort(SerialPort &&other) noexcept;
    SerialPort &operator=(SerialPort &&other) noexcept;

    bool isOpen() const;
    PortError error() const { return m_error; }
    // The system's own error code behind PortError::Other.
    int systemError() const { return m_systemError; }
    // Who holds the device, when it is in use by a process this one may see.
    const std::optional<PortHolder> &holder() const { return m_holder; }
    // The node instance that was opened.
    DeviceStamp stamp() const { return m_stamp; }
    // The path it was opened by, or would have been.
    const std::string &device() const { return m_device; }

    // Raw mode at the given rate and frame, flow control off, everything else as the port had it.
    bool applyLineSettings(const LineSettings &line);
    int baud() const { return m_baud; }
    // Hands the bytes over in one write, retried on partial writes and interrupts, until the port
    // has taken them all or the deadline passes. A wait for room looks at the interruption and at
    // `cancel` every few milliseconds, so that a signal or a Stop ends it within a frame whichever
    // thread it reaches.
    bool write(std::span<const std::uint8_t> bytes, Clock::time_point deadline,
               const std::atomic<bool> *cancel = nullptr);
    // Waits until every byte has left the port, or the deadline passes, or `cancel` is set.
    bool drain(Clock::time_point deadline, const std::atomic<bool> *cancel = nullptr);
    // Throws away whatever has not left yet.
    void discardOutput();
    void close();

  private:
    void fail(int error);

    std::unique_ptr<SerialDriver> m_driver;
    PortError m_error = PortError::NoDevice;
    int m_systemError = 0;
    std::optional<PortHolder> m_holder;
    DeviceStamp m_stamp;
    std::string m_device;
    int m_baud = 9600;
};

// The node instance a path names now; an empty stamp when there is none.
DeviceStamp stampOf(const std::string &device);

// What opening the device would run into, found without opening it: opening a serial device
// can reset the board behind it (the DTR line), and would disturb another program about to lock
// or take it. Only the exclusive mode and advisory locks of other programs cannot be seen
// without opening; the cycle's own opening still refuses them.
struct PortCheck
{
    PortError error = PortError::None;
    std::optional<PortHolder> holder;
    int systemError = 0; // behind PortError::Other
};
PortCheck checkWithoutOpening(const std::string &device, HolderScan &holders);
