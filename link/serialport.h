#pragma once

#include "link/modestring.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

// Why a port could not be opened, as the port menu tells the user.
enum class PortError
{
    None,
    NoDevice,
    PermissionDenied,
    InUse,
    Other
};
std::string describe(PortError error);

// One open serial device, closed when it goes out of scope. Opening is exclusive: an advisory lock
// that even root cannot pass, and the terminal's own exclusive mode against other programs.
class SerialPort
{
  public:
    using Clock = std::chrono::steady_clock;

    SerialPort() = default;
    // Write-only, without becoming our controlling terminal and without waiting for carrier.
    explicit SerialPort(const std::string &device);
    ~SerialPort();
    SerialPort(SerialPort &&other) noexcept;
    SerialPort &operator=(SerialPort &&other) noexcept;

    bool isOpen() const { return m_fd >= 0; }
    PortError error() const { return m_error; }

    // Raw mode at the given rate and frame, flow control off, everything else as the port had it.
    bool applyLineSettings(const LineSettings &line);
    // Hands the bytes over in one write, retried on partial writes and interrupts, until the port
    // has taken them all or the deadline passes.
    bool write(std::span<const std::uint8_t> bytes, Clock::time_point deadline);
    // Waits until every byte has left the port, or the deadline passes.
    bool drain(Clock::time_point deadline);
    // Throws away whatever has not left yet.
    void discardOutput();
    void close();

  private:
    int m_fd = -1;
    PortError m_error = PortError::None;
    int m_baud = 9600;
};
