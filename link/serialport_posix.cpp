#include "link/serialport_posix.h"

#include "link/descriptor_posix.h"
#include "link/deviceaccess.h"
#include "link/interruption.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pthread.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

DeviceStamp stampOf(const struct stat &st)
{
    return {std::uint64_t(st.st_rdev), std::uint64_t(st.st_ino)};
}

// A terminal device opened without blocking: writes wait with poll, and a signal ends any wait.
class TerminalDriver final : public SerialDriver
{
  public:
    // `handle`, the path handle it was opened through, is kept until the port closes: the two
    // then go in one call.
    TerminalDriver(int fd, int handle) : m_fd(fd), m_handle(handle) {}

    bool setLine(const LineSettings &line) override { return applyTerminalLine(m_fd, line); }

    long writeSome(std::span<const std::uint8_t> bytes) override
    {
        for (;;) {
            const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
            if (n >= 0)
                return long(n);
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return 0;
            if (errno != EINTR || portWaitsInterrupted())
                return -1;
        }
    }

    bool waitForRoom(std::chrono::milliseconds timeout) override
    {
        pollfd p{m_fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, int(timeout.count()));
        if (ready < 0)
            return errno == EINTR; // the caller looks at why
        // No room yet is not gone: the caller waits again, in steps, until its deadline.
        return ready == 0 || !(p.revents & (POLLERR | POLLHUP | POLLNVAL));
    }

    int unsent() override
    {
        int pending = 0;
        return ::ioctl(m_fd, TIOCOUTQ, &pending) == 0 ? pending : 0;
    }

    void waitForLine(std::chrono::milliseconds time) override
    {
        // poll, unlike sleep_for, does not carry on after a signal.
        ::poll(nullptr, 0, int(time.count()));
    }

    bool finishTransmitter() override
    {
        while (::tcdrain(m_fd) != 0)
            if (errno != EINTR || portWaitsInterrupted())
                return false;
        return true;
    }

    void discardUnsent() override { ::tcflush(m_fd, TCOFLUSH); }

    void close() override
    {
        // Only an open port is ever made exclusive by us, so this clears our own mode alone.
        ::ioctl(m_fd, TIOCNXCL);
        const auto [low, high] = std::minmax(m_fd, m_handle);
        if (low < 0 || high != low + 1 || ::close_range(unsigned(low), unsigned(high), 0) != 0) {
            ::close(m_fd);
            if (m_handle >= 0)
                ::close(m_handle);
        }
    }

  private:
    int m_fd;
    int m_handle;
};

// This process's own descriptor folder under /proc, held open once it has been found: a node
// held by a path handle is opened through it by the handle's number alone, without the walk
// from /proc through self at every message. A child made by fork has a folder of its own.
std::atomic<int> descriptorFolder{-1};

int ownDescriptorFolder()
{
    static const bool forgottenInChildren = [] {
        ::pthread_atfork(nullptr, nullptr, [] {
            if (const int folder = descriptorFolder.exchange(-1); folder >= 0)
                ::close(folder);
        });
        return true;
    }();
    (void)forgottenInChildren;
    int folder = descriptorFolder.load();
    if (folder >= 0)
        return folder;
    const int found = ::open("/proc/self/fd", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (found < 0 || descriptorFolder.compare_exchange_strong(folder, found))
        return found;
    ::close(found); // another thread found it first
    return folder;
}

// Opens the very node `named` holds, through the descriptor folder: nothing else can be opened that
// way. Without /proc, by the name again, the node then compared with the one judged before anything
// is done with it (ESTALE when the name has been given to another).
int openThroughHandle(int folder, int named, const std::string &device, const DeviceStamp &judged,
                      int flags)
{
    if (folder >= 0) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", named);
        return ::openat(folder, number, flags);
    }
    const int fd = ::open(device.c_str(), flags);
    struct stat opened
    {
    };
    if (fd >= 0 && (::fstat(fd, &opened) != 0 || stampOf(opened) != judged)) {
        ::close(fd);
        errno = ESTALE;
        return -1;
    }
    return fd;
}
} // namespace

DeviceStamp stampOf(const std::string &device)
{
    struct stat st
    {
    };
    if (::stat(device.c_str(), &st) != 0)
        return {};
    return stampOf(st);
}

SerialPort::SerialPort(const std::string &device, HolderScan &holders,
                       HolderScan::Freshness freshness, std::optional<DeviceStamp> expected)
    : m_device(device)
{
    // The node the path names now, held by a handle that opens nothing (no device's own open,
    // no FIFO's wait). It is judged, and then opened through that same handle: a name given to
    // another node in between changes nothing, so only the node judged is ever opened. Opening a
    // file with write access is harmless, but opening some devices is not, and a pipe or a
    // terminal must not get the bytes.
    // (The folder is found first, so that the handle and the port usually get neighbouring
    // descriptors, closed in one call.)
    const int folder = ownDescriptorFolder();
    const int named = ::open(device.c_str(), O_PATH | O_CLOEXEC);
    struct stat node
    {
    };
    if (named < 0 || ::fstat(named, &node) != 0) {
        fail(errno);
        if (named >= 0)
            ::close(named);
        return;
    }
    Descriptor handle{named};
    if (expected && *expected != stampOf(node)) {
        m_error = PortError::Changed;
        return;
    }
    if ((m_error = serialDeviceCheck(node)) != PortError::None)
        return;
    m_stamp = stampOf(node);
    // A port another program holds, by a lock file or by having it open, is not even opened: the
    // open alone would disturb its line (DTR) and its owner.
    if ((m_holder = holders.holderOf(device, m_stamp, freshness))) {
        m_error = PortError::InUse;
        return;
    }
    // Non-blocking so that opening never waits for carrier; writes wait with poll instead.
    constexpr int flags = O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    const int fd = openThroughHandle(folder, named, device, m_stamp, flags);
    if (fd < 0) {
        const int error = errno;
        if (error == ESTALE) {
            m_error = PortError::Changed;
            return;
        }
        fail(error);
        if (m_error == PortError::InUse)
            m_holder = holders.holderOf(device, m_stamp, HolderScan::Freshness::Now);
        return;
    }
    // (That it answers the terminal's own requests is seen when its line is set, before the first
    // byte: a cycle writes nothing to a port that does not.) A port that someone else made
    // exclusive, or has open at all, is theirs: nothing of ours may reach it. The terminal's
    // exclusive mode does not stop root; the lock does, for the holds that last (an upload, a
    // playback, the command line), which look at the processes now. A live message holds the port
    // for a moment, in exclusive mode; a program that has locked it has it open, which the last
    // look at the processes shows, as it shows lock files.
    if (freshness == HolderScan::Freshness::Now && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        fail(errno);
    } else if (exclusiveModeSet(fd)) {
        m_error = PortError::InUse;
    } else {
        ::ioctl(fd, TIOCEXCL);
        m_driver = std::make_unique<TerminalDriver>(fd, std::exchange(handle.fd, -1));
        m_error = PortError::None;
        return;
    }
    if (m_error == PortError::InUse && !m_holder)
        m_holder = holders.holderOf(device, m_stamp, HolderScan::Freshness::Now);
    ::close(fd); // without touching the exclusive mode: it is not ours
}

void SerialPort::fail(int error)
{
    m_error = portErrorOf(error);
    m_systemError = m_error == PortError::Other ? error : 0;
}

PortCheck checkWithoutOpening(const std::string &device, HolderScan &holders)
{
    struct stat named
    {
    };
    if (::stat(device.c_str(), &named) != 0)
        return {portErrorOf(errno), {}, errno};
    if (const PortError error = serialDeviceCheck(named); error != PortError::None)
        return {error, {}};
    // With the process's effective ids, as the open would be checked.
    if (::faccessat(AT_FDCWD, device.c_str(), W_OK, AT_EACCESS) != 0)
        return {portErrorOf(errno), {}, errno};
    // Said as the upload would say it: a live program's lock file, then whoever has it open.
    const DeviceStamp stamp = stampOf(named);
    std::optional<PortHolder> holder = holders.lockHolder(device, stamp);
    if (!holder)
        holder = holders.holderOf(device, stamp, HolderScan::Freshness::Recent);
    if (holder)
        return {PortError::InUse, holder};
    return {};
}

DeviceAccess deviceAccess(const std::string &device)
{
    DeviceAccess access;
    struct stat st
    {
    };
    if (::stat(device.c_str(), &st) != 0)
        return access;
    access.mode = st.st_mode & 07777;
    const passwd *owner = ::getpwuid(st.st_uid);
    access.owner = owner ? owner->pw_name : std::to_string(st.st_uid);
    const group *devices = ::getgrgid(st.st_gid);
    access.group = devices ? devices->gr_name : std::to_string(st.st_gid);
    access.serialPortGroup = access.group == "dialout";

    std::vector<gid_t> now(std::size_t(std::max(::getgroups(0, nullptr), 0)));
    now.resize(std::size_t(std::max(::getgroups(int(now.size()), now.data()), 0)));
    access.inGroupNow =
        ::getegid() == st.st_gid || std::find(now.begin(), now.end(), st.st_gid) != now.end();
    // The groups the database gives the user now, which a session started earlier lacks.
    if (const passwd *user = ::getpwuid(::geteuid())) {
        int count = 64;
        std::vector<gid_t> listed(64);
        if (::getgrouplist(user->pw_name, user->pw_gid, listed.data(), &count) < 0) {
            listed.resize(std::size_t(count));
            ::getgrouplist(user->pw_name, user->pw_gid, listed.data(), &count);
        }
        listed.resize(std::size_t(std::max(count, 0)));
        access.inGroupListed = std::find(listed.begin(), listed.end(), st.st_gid) != listed.end();
    }
    return access;
}
