// Processes and lock files laid out as a POSIX system keeps them.
#include "tests/faketree.h"

#include <QFile>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <utime.h>

namespace fs = std::filesystem;

void FakeProcesses::add(int pid, const std::string &name, std::int64_t startedAt,
                        const std::vector<std::string> &open)
{
    const fs::path process = fs::path(roots().processes) / std::to_string(pid);
    fs::create_directories(process / "fd");
    std::ofstream(process / "comm") << name << "\n";
    // Fields 4 to 21 do not matter here; the 22nd is the start, in clock ticks after boot.
    std::ofstream stat(process / "stat");
    stat << pid << " (" << name << ") S";
    for (int field = 4; field < 22; ++field)
        stat << " 0";
    stat << ' ' << startedAt * ::sysconf(_SC_CLK_TCK) << " 0 0\n";
    int fd = 0;
    for (const std::string &node : open)
        fs::create_symlink(node, process / "fd" / std::to_string(fd++));
}

void FakeProcesses::lock(const std::string &name, const QByteArray &bytes, std::int64_t writtenAt)
{
    const fs::path file = fs::path(lockDir()) / ("LCK.." + name);
    QFile out(QString::fromStdString(file.string()));
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
    out.close();
    if (writtenAt != 0) {
        const utimbuf times{writtenAt, writtenAt};
        ::utime(file.c_str(), &times);
    }
}
