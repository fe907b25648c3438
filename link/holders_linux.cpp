// Which processes have a device open, read from /proc as fuser does, and UUCP lock files.
#include "link/holders.h"
#include "link/plainfile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <pthread.h>
#include <sched.h>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>

HolderRoots systemHolderRoots()
{
    return {"/proc", "/run/lock"};
}

namespace {
using Clock = std::chrono::steady_clock;
using Holders = std::unordered_map<std::uint64_t, int>; // a pid by device number

bool isPid(const char *name)
{
    if (!*name)
        return false;
    for (const char *c = name; *c; ++c)
        if (*c < '0' || *c > '9')
            return false;
    return true;
}

std::uint64_t deviceNumber(unsigned major, unsigned minor)
{
    return std::uint64_t(makedev(major, minor));
}

// The device number of what a process's descriptor refers to, when it is a character device;
// 0 otherwise. Followed by the descriptor itself, not by the name it was opened by, so a device
// opened under any name, through a bind mount or a link, is the device. Attributes are not asked
// of a file's server: a descriptor on a network file system that hangs must not hang the look.
std::uint64_t characterDeviceOf(int fdDir, const char *name)
{
    struct statx st = {};
    if (::statx(fdDir, name, AT_STATX_DONT_SYNC, STATX_TYPE, &st) == 0)
        return S_ISCHR(st.stx_mode) ? deviceNumber(st.stx_rdev_major, st.stx_rdev_minor) : 0;
    struct stat classic = {};
    if (errno == ENOSYS && ::fstatat(fdDir, name, &classic, 0) == 0 && S_ISCHR(classic.st_mode))
        return std::uint64_t(classic.st_rdev);
    return 0;
}

// Calls `found` with the device number of every character device the process has open; a
// process that may not be inspected has none. Stops early when `stop` is set.
template <typename Found>
void devicesOpenBy(const std::string &processes, const std::string &pid, Found &&found,
                   const std::atomic<bool> *stop = nullptr)
{
    const int fd = ::open((processes + "/" + pid + "/fd").c_str(),
                          O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    while (const dirent *entry = ::readdir(dir)) {
        if (stop && *stop)
            break;
        if (entry->d_name[0] == '.')
            continue;
        if (const std::uint64_t device = characterDeviceOf(fd, entry->d_name))
            found(device);
    }
    ::closedir(dir);
}

Holders scanProcesses(const std::string &processes, const std::atomic<bool> &stop)
{
    Holders holders;
    const std::string self = std::to_string(::getpid());
    if (DIR *all = ::opendir(processes.c_str())) {
        while (const dirent *entry = ::readdir(all)) {
            if (stop)
                break;
            if (!isPid(entry->d_name) || self == entry->d_name)
                continue;
            const int pid = std::atoi(entry->d_name);
            devicesOpenBy(
                processes, entry->d_name,
                [&](std::uint64_t device) { holders.try_emplace(device, pid); }, &stop);
        }
        ::closedir(all);
    }
    return holders;
}

bool holdsDevice(const std::string &processes, int pid, std::uint64_t device)
{
    bool holds = false;
    devicesOpenBy(processes, std::to_string(pid),
                  [&](std::uint64_t d) { holds = holds || d == device; });
    return holds;
}

std::string commandOf(const std::string &processes, int pid)
{
    const std::optional<PlainFile> comm =
        readPlainFile(processes + "/" + std::to_string(pid) + "/comm", 64);
    if (!comm)
        return {};
    return comm->text.substr(0, comm->text.find('\n'));
}

bool alive(const std::string &processes, int pid)
{
    struct stat st = {};
    return pid > 0 && (::lstat((processes + "/" + std::to_string(pid)).c_str(), &st) == 0 ||
                       ::kill(pid, 0) == 0 || errno == EPERM);
}

// When the process started, from its start time in clock ticks after boot and the boot time.
std::optional<std::chrono::system_clock::time_point> startOf(const std::string &processes, int pid)
{
    const std::optional<PlainFile> stat =
        readPlainFile(processes + "/" + std::to_string(pid) + "/stat", 4096);
    const std::optional<PlainFile> system = readPlainFile(processes + "/stat", 1 << 20);
    if (!stat || !system)
        return std::nullopt;
    const size_t commandEnd = stat->text.rfind(')');
    const size_t boot = system->text.find("\nbtime ");
    if (commandEnd == std::string::npos || boot == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat->text.substr(commandEnd + 1));
    std::string field;
    for (int n = 3; n <= 22 && fields >> field; ++n) // the 22nd field, counted from the pid
        ;
    long long ticks = 0, bootTime = 0;
    if (!fields || std::sscanf(field.c_str(), "%lld", &ticks) != 1 ||
        std::sscanf(system->text.c_str() + boot, "\nbtime %lld", &bootTime) != 1)
        return std::nullopt;
    const long hertz = std::max(::sysconf(_SC_CLK_TCK), 1L);
    return std::chrono::system_clock::time_point(std::chrono::seconds(bootTime) +
                                                 std::chrono::milliseconds(ticks * 1000 / hertz));
}

// The process a lock file names: ten ASCII digits as most programs write them, perhaps followed
// by the program's and the user's names, or a 4-byte binary number as older ones do. Nothing
// that is neither names a process.
int lockOwner(const std::string &text)
{
    auto digitOrSpace = [](char c) { return c == ' ' || c == '\n' || (c >= '0' && c <= '9'); };
    if (text.size() == sizeof(std::int32_t) &&
        !std::all_of(text.begin(), text.end(), digitOrSpace)) {
        std::int32_t pid = 0;
        std::memcpy(&pid, text.data(), sizeof pid);
        return pid;
    }
    size_t at = text.find_first_not_of(' ');
    const size_t end = text.find_first_not_of("0123456789", at);
    if (at == std::string::npos || end == at || end - at > 10 ||
        (end != std::string::npos && text[end] != ' ' && text[end] != '\n'))
        return 0;
    const long long pid = std::stoll(text.substr(at, end - at));
    return pid > 0 && pid <= INT32_MAX ? int(pid) : 0;
}
} // namespace

struct HolderScan::State
{
    std::mutex mutex;
    Holders holders;
    bool valid = false;
    Clock::time_point at;
    std::thread background;
    std::atomic<bool> running{false};
    std::atomic<bool> stop{false};
    // The lock file names of the device last asked about (only the window's thread asks).
    std::pair<std::string, DeviceStamp> lockNamesOf;
    std::array<std::string, 2> lockNames;

    void store(Holders found, Clock::time_point started)
    {
        const std::lock_guard lock(mutex);
        // A look that began before the one already stored is older news.
        if (valid && started < at)
            return;
        holders = std::move(found);
        at = started;
        valid = true;
    }
};

HolderScan::HolderScan(HolderRoots roots)
    : m_roots(std::move(roots)), m_state(std::make_unique<State>())
{}

HolderScan::~HolderScan()
{
    m_state->stop = true;
    if (m_state->background.joinable())
        m_state->background.join();
}

void HolderScan::scanNow()
{
    const Clock::time_point started = Clock::now();
    m_state->store(scanProcesses(m_roots.processes, m_state->stop), started);
}

std::optional<PortHolder> HolderScan::holderOf(const std::string &node, const DeviceStamp &device,
                                               Freshness freshness)
{
    // Lock files are looked at with the processes: a message sent while the user drags uses what
    // the last look found, and the open's own refusal of a lock or an exclusive mode.
    if (freshness == Freshness::Now)
        if (std::optional<PortHolder> locked = lockHolder(node, device))
            return locked;
    if (device.device == 0)
        return std::nullopt;
    State &s = *m_state;
    bool scanned = false;
    {
        std::unique_lock lock(s.mutex);
        const bool stale = !s.valid || Clock::now() - s.at > recentEnough;
        if (freshness == Freshness::Now || !s.valid) {
            lock.unlock();
            scanNow();
            scanned = true;
        } else if (stale && !s.running) {
            if (s.background.joinable())
                s.background.join();
            s.running = true;
            s.background = std::thread([&s, processes = m_roots.processes] {
                // Only when nothing else wants the processor: never at the cost of the window.
                const sched_param idle{};
                ::pthread_setschedparam(::pthread_self(), SCHED_IDLE, &idle);
                const Clock::time_point started = Clock::now();
                s.store(scanProcesses(processes, s.stop), started);
                s.running = false;
            });
        }
    }
    std::optional<int> pid;
    {
        const std::lock_guard lock(s.mutex);
        if (auto it = s.holders.find(device.device); it != s.holders.end())
            pid = it->second;
    }
    // The holder seen earlier may have let go since.
    if (!pid || (!scanned && !holdsDevice(m_roots.processes, *pid, device.device)))
        return std::nullopt;
    return PortHolder{commandOf(m_roots.processes, *pid), *pid};
}

std::optional<PortHolder> HolderScan::lockHolder(const std::string &node,
                                                 const DeviceStamp &device) const
{
    State &s = *m_state;
    // Named after the device as it was given and as it is named under /dev; worked out once
    // for each device instance, as messages to it follow each other.
    if (s.lockNamesOf != std::pair(node, device)) {
        namespace fs = std::filesystem;
        s.lockNamesOf = {node, device};
        s.lockNames = {fs::path(node).filename().string(), {}};
        std::error_code ec;
        const fs::path real = fs::canonical(node, ec);
        if (!ec && real.string().starts_with("/dev/")) {
            std::string name = real.string().substr(5);
            std::replace(name.begin(), name.end(), '/', '_');
            if (name != s.lockNames[0])
                s.lockNames[1] = name;
        }
    }
    for (const std::string &name : s.lockNames) {
        if (name.empty())
            continue;
        // Anyone may write into the lock folder: what is there is read with care, never waited
        // on, and only a small regular file counts.
        const std::optional<PlainFile> lock = readPlainFile(m_roots.locks + "/LCK.." + name, 256);
        const int pid = lock ? lockOwner(lock->text) : 0;
        // A lock whose process has ended is stale and harmless, as every program that reads
        // these locks takes it.
        if (pid == 0 || pid == ::getpid() || !alive(m_roots.processes, pid))
            continue;
        if ((device.device != 0 && holdsDevice(m_roots.processes, pid, device.device)))
            return PortHolder{commandOf(m_roots.processes, pid), pid};
        // A process that started after the lock was written did not write it. A second of slack,
        // as the boot time is known to the second.
        const auto started = startOf(m_roots.processes, pid);
        if (!started || lock->modified + std::chrono::seconds(1) >= *started)
            return PortHolder{commandOf(m_roots.processes, pid), pid};
        return PortHolder{{}, pid, true};
    }
    return std::nullopt;
}
