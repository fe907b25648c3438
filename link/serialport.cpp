// The port's deadlines and bookkeeping, the same on every system; the device itself is reached
// through its driver.
#include "link/serialport.h"

#include "link/interruption.h"

#include <algorithm>

namespace {
// The longest a wait for the port goes without looking at a signal or a Stop.
constexpr std::chrono::milliseconds waitStep{20};

bool cancelled(const std::atomic<bool> *cancel)
{
    return portWaitsInterrupted() || (cancel && cancel->load());
}
} // namespace

SerialPort::SerialPort() = default;

SerialPort SerialPort::refused(PortError error, std::string device)
{
    SerialPort port;
    port.m_error = error;
    port.m_device = std::move(device);
    return port;
}

SerialPort::SerialPort(std::unique_ptr<SerialDriver> driver, DeviceStamp stamp)
    : m_driver(std::move(driver)), m_error(PortError::None), m_stamp(stamp)
{}

SerialPort::~SerialPort()
{
    close();
}

SerialPort::SerialPort(SerialPort &&other) noexcept = default;

SerialPort &SerialPort::operator=(SerialPort &&other) noexcept
{
    if (this != &other) {
        close();
        m_driver = std::move(other.m_driver);
        m_error = other.m_error;
        m_systemError = other.m_systemError;
        m_holder = std::move(other.m_holder);
        m_stamp = other.m_stamp;
        m_device = std::move(other.m_device);
        m_baud = other.m_baud;
    }
    return *this;
}

bool SerialPort::isOpen() const
{
    return m_driver != nullptr;
}

void SerialPort::close()
{
    if (!m_driver)
        return;
    m_driver->close();
    m_driver.reset();
}

bool SerialPort::applyLineSettings(const LineSettings &line)
{
    if (!m_driver)
        return false;
    // A rate of 0 would hang the line up; a rate below 1 leaves the port's speed as it was.
    if (line.baud >= 1)
        m_baud = line.baud;
    return m_driver->setLine(line);
}

bool SerialPort::write(std::span<const std::uint8_t> bytes, Clock::time_point deadline,
                       const std::atomic<bool> *cancel)
{
    if (!m_driver)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        if (cancelled(cancel))
            return false;
        const long n = m_driver->writeSome(bytes.subspan(done));
        if (n < 0)
            return false; // the device has gone away
        done += size_t(n);
        if (n > 0 || done == bytes.size())
            continue;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || !m_driver->waitForRoom(std::min(left, waitStep)))
            return false;
    }
    return true;
}

bool SerialPort::drain(Clock::time_point deadline, const std::atomic<bool> *cancel)
{
    if (!m_driver)
        return false;
    using namespace std::chrono;
    for (int unsent; (unsent = m_driver->unsent()) > 0;) {
        const auto now = Clock::now();
        if (now >= deadline || cancelled(cancel))
            return false;
        // About the time the queued bytes need on the line (10 bits each), at least 1 ms.
        const auto lineTime = microseconds(unsent * 10'000'000LL / std::max(m_baud, 1));
        m_driver->waitForLine(ceil<milliseconds>(std::min<Clock::duration>(
            std::clamp<Clock::duration>(lineTime, milliseconds(1), waitStep), deadline - now)));
    }
    // Only the transmitter's own few bytes can be left; they go at the line's rate.
    return m_driver->finishTransmitter();
}

void SerialPort::discardOutput()
{
    if (m_driver)
        m_driver->discardUnsent();
}
