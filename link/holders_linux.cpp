// Which processes have a device open, read from /proc as fuser does.
#include "link/holders.h"

#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace {
using Clock = std::chrono::steady_clock;

struct Scan
{
    bool valid = false;
    Clock::time_point at;
    std::unordered_map<std::uint64_t, PortHolder> holders; // by device number
};

Scan scan;

bool isPid(const char *name)
{
    if (!*name)
        return false;
    for (const char *c = name; *c; ++c)
        if (*c < '0' || *c > '9')
            return false;
    return true;
}

std::string commandOf(const std::string &pid)
{
    std::ifstream in("/proc/" + pid + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

// Calls `found` with the device number of every character device below /dev the process has
// open; a process that may not be inspected has none.
template <typename Found> void devicesOpenBy(const std::string &pid, Found &&found)
{
    const std::string fdDir = "/proc/" + pid + "/fd/";
    DIR *dir = ::opendir(fdDir.c_str());
    if (!dir)
        return;
    char target[64];
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string link = fdDir + entry->d_name;
        // Most descriptors are sockets, pipes and files; only nodes under /dev are looked at.
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
        if (n < 5 || std::string_view(target, 5) != "/dev/")
            continue;
        struct stat st
        {
        };
        if (::stat(link.c_str(), &st) == 0 && S_ISCHR(st.st_mode))
            found(std::uint64_t(st.st_rdev));
    }
    ::closedir(dir);
}

void scanProcesses()
{
    scan.holders.clear();
    const std::string self = std::to_string(::getpid());
    if (DIR *proc = ::opendir("/proc")) {
        while (const dirent *entry = ::readdir(proc)) {
            if (!isPid(entry->d_name) || self == entry->d_name)
                continue;
            const std::string pid = entry->d_name;
            devicesOpenBy(pid, [&](std::uint64_t device) {
                if (!scan.holders.contains(device))
                    scan.holders.emplace(device,
                                         PortHolder{commandOf(pid), std::atoi(pid.c_str())});
            });
        }
        ::closedir(proc);
    }
    scan.valid = true;
    scan.at = Clock::now();
}

bool stillHolds(const PortHolder &holder, std::uint64_t device)
{
    bool holds = false;
    devicesOpenBy(std::to_string(holder.pid),
                  [&](std::uint64_t d) { holds = holds || d == device; });
    return holds;
}
} // namespace

std::optional<PortHolder> otherHolderOf(const DeviceStamp &device, bool afresh)
{
    if (device.device == 0)
        return std::nullopt;
    const bool fresh = afresh || !scan.valid || Clock::now() - scan.at > holderScanLifetime;
    if (fresh)
        scanProcesses();
    auto it = scan.holders.find(device.device);
    if (it == scan.holders.end())
        return std::nullopt;
    // The holder seen earlier may have let go since, and another taken it up.
    if (!fresh && !stillHolds(it->second, device.device)) {
        scanProcesses();
        it = scan.holders.find(device.device);
        if (it == scan.holders.end())
            return std::nullopt;
    }
    return it->second;
}

void forgetHolders()
{
    scan.valid = false;
}
