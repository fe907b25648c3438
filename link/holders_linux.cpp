// Which processes have a device open, read from /proc as fuser does, and UUCP lock files.
#include "link/holders.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <pthread.h>
#include <sched.h>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>

namespace {
using Clock = std::chrono::steady_clock;
using Holders = std::unordered_map<std::uint64_t, PortHolder>; // by device number

bool isPid(const char *name)
{
    if (!*name)
        return false;
    for (const char *c = name; *c; ++c)
        if (*c < '0' || *c > '9')
            return false;
    return true;
}

std::string commandOf(int pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

bool neverSerial(std::string_view node)
{
    static constexpr std::string_view names[] = {"/dev/null",     "/dev/zero",    "/dev/full",
                                                 "/dev/random",   "/dev/urandom", "/dev/ptmx",
                                                 "/dev/pts/ptmx", "/dev/kmsg",    "/dev/fuse"};
    static constexpr std::string_view folders[] = {"/dev/dri/", "/dev/snd/", "/dev/input/",
                                                   "/dev/shm/"};
    for (const std::string_view name : names)
        if (node == name)
            return true;
    for (const std::string_view folder : folders)
        if (node.starts_with(folder))
            return true;
    return false;
}

// Calls `found` with the device number of every character device below /dev the process has
// open; a process that may not be inspected has none. Stops early when `stop` is set.
template <typename Found>
void devicesOpenBy(const std::string &pid, Found &&found, const std::atomic<bool> *stop = nullptr)
{
    const std::string fdDir = "/proc/" + pid + "/fd/";
    DIR *dir = ::opendir(fdDir.c_str());
    if (!dir)
        return;
    char target[64];
    while (const dirent *entry = ::readdir(dir)) {
        if (stop && *stop)
            break;
        if (entry->d_name[0] == '.')
            continue;
        const std::string link = fdDir + entry->d_name;
        // Most descriptors are sockets, pipes and files; only nodes under /dev are looked at, and
        // not those that every desktop holds by the thousand and no serial port is.
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
        if (n < 5 || std::string_view(target, 5) != "/dev/" || neverSerial({target, size_t(n)}))
            continue;
        struct stat st
        {
        };
        if (::stat(link.c_str(), &st) == 0 && S_ISCHR(st.st_mode))
            found(std::uint64_t(st.st_rdev));
    }
    ::closedir(dir);
}

Holders scanProcesses(const std::atomic<bool> &stop)
{
    Holders holders;
    const std::string self = std::to_string(::getpid());
    if (DIR *proc = ::opendir("/proc")) {
        while (const dirent *entry = ::readdir(proc)) {
            if (stop)
                break;
            if (!isPid(entry->d_name) || self == entry->d_name)
                continue;
            const int pid = std::atoi(entry->d_name);
            devicesOpenBy(
                entry->d_name,
                [&](std::uint64_t device) {
                    if (!holders.contains(device))
                        holders.emplace(device, PortHolder{commandOf(pid), pid});
                },
                &stop);
        }
        ::closedir(proc);
    }
    return holders;
}

bool stillHolds(const PortHolder &holder, std::uint64_t device)
{
    bool holds = false;
    devicesOpenBy(std::to_string(holder.pid),
                  [&](std::uint64_t d) { holds = holds || d == device; });
    return holds;
}

bool alive(int pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// The process a lock file names: ten ASCII digits as most programs write them, or a binary int
// as older ones do.
int lockOwner(const std::string &file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return 0;
    char text[32] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (n == 4 && !(text[0] == ' ' || (text[0] >= '0' && text[0] <= '9'))) {
        int pid = 0;
        std::memcpy(&pid, text, sizeof pid);
        return pid;
    }
    return std::atoi(text);
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

HolderScan::HolderScan(std::string lockDir)
    : m_lockDir(std::move(lockDir)), m_state(std::make_unique<State>())
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
    m_state->store(scanProcesses(m_state->stop), started);
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
            s.background = std::thread([&s] {
                // Only when nothing else wants the processor: never at the cost of the window.
                const sched_param idle{};
                ::pthread_setschedparam(::pthread_self(), SCHED_IDLE, &idle);
                const Clock::time_point started = Clock::now();
                s.store(scanProcesses(s.stop), started);
                s.running = false;
            });
        }
    }
    std::optional<PortHolder> holder;
    {
        const std::lock_guard lock(s.mutex);
        if (auto it = s.holders.find(device.device); it != s.holders.end())
            holder = it->second;
    }
    // The holder seen earlier may have let go since.
    if (holder && !scanned && !stillHolds(*holder, device.device))
        return std::nullopt;
    return holder;
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
        const int pid = lockOwner(m_lockDir + "/LCK.." + name);
        if (pid != ::getpid() && alive(pid))
            return PortHolder{commandOf(pid), pid};
    }
    return std::nullopt;
}
