#include "link/serialport.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

std::string describe(PortError error)
{
    switch (error) {
    case PortError::None:
        return {};
    case PortError::NoDevice:
        return "no device";
    case PortError::PermissionDenied:
        return "permission denied: add your user to the dialout group";
    case PortError::InUse:
        return "in use by another program";
    case PortError::Other:
        break;
    }
    return "cannot be opened";
}

namespace {
PortError portErrorOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case EIO:
    case ENOTDIR:
        return PortError::NoDevice;
    case EACCES:
    case EPERM:
    case EROFS:
        return PortError::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return PortError::InUse;
    default:
        return PortError::Other;
    }
}
} // namespace

SerialPort::SerialPort(const std::string &device)
{
    // Non-blocking so that opening never waits for carrier; writes wait with poll instead.
    const int fd = ::open(device.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = portErrorOf(errno);
        return;
    }
    // The terminal's exclusive mode does not stop root; the lock does.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_error = portErrorOf(errno);
        ::close(fd);
        return;
    }
    ::ioctl(fd, TIOCEXCL);
    m_fd = fd;
}

SerialPort::~SerialPort()
{
    close();
}

SerialPort::SerialPort(SerialPort &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_error(other.m_error), m_baud(other.m_baud)
{}

SerialPort &SerialPort::operator=(SerialPort &&other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_error = other.m_error;
        m_baud = other.m_baud;
    }
    return *this;
}

void SerialPort::close()
{
    if (m_fd < 0)
        return;
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

bool SerialPort::write(std::span<const std::uint8_t> bytes, Clock::time_point deadline)
{
    if (m_fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            pollfd p{m_fd, POLLOUT, 0};
            const int ready = ::poll(&p, 1, int(left.count()));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
                return false;
            continue;
        }
        return false; // the device has gone away
    }
    return true;
}

bool SerialPort::drain(Clock::time_point deadline)
{
    if (m_fd < 0)
        return false;
    using namespace std::chrono;
    for (;;) {
        int pending = 0;
        if (::ioctl(m_fd, TIOCOUTQ, &pending) != 0 || pending <= 0)
            break;
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        // About the time the queued bytes need on the line (10 bits each), at least 1 ms.
        const auto lineTime = microseconds(pending * 10'000'000LL / std::max(m_baud, 1));
        std::this_thread::sleep_for(std::min<Clock::duration>(
            std::max<Clock::duration>(lineTime, milliseconds(1)), deadline - now));
    }
    // Only the transmitter's own few bytes can be left; they go at the line's rate.
    while (::tcdrain(m_fd) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

void SerialPort::discardOutput()
{
    if (m_fd >= 0)
        ::tcflush(m_fd, TCOFLUSH);
}
