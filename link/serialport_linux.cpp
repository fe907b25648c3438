// Line settings through the termios2 interface, which takes any rate (14700, 614400) exactly.
// Its header clashes with <termios.h> and <sys/ioctl.h>, so this file includes neither.
#include "link/serialport_p.h"

#include <algorithm>
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

extern "C" int ioctl(int fd, unsigned long request, ...);

bool exclusiveModeSet(int fd)
{
    int exclusive = 0;
    return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

namespace {
// Device numbers of the kernel's terminals: virtual consoles, /dev/tty and its kin, and the
// slave sides of pseudo-terminals.
constexpr unsigned virtualConsoleMajor = 4, virtualConsoleCount = 64;
constexpr unsigned ttyAuxMajor = 5; // /dev/tty, /dev/console, /dev/ptmx, /dev/ttyprintk
constexpr unsigned ptySlaveMajor = 136, ptySlaveMajorCount = 8;

// The device number of this process's controlling terminal, 0 for none (field 7 of its stat).
dev_t controllingTerminal()
{
    std::ifstream in("/proc/self/stat");
    std::string stat;
    std::getline(in, stat);
    const size_t commandEnd = stat.rfind(')');
    if (commandEnd == std::string::npos)
        return 0;
    std::istringstream fields(stat.substr(commandEnd + 1));
    std::string state;
    long long parent = 0, group = 0, session = 0, tty = 0;
    fields >> state >> parent >> group >> session >> tty;
    return dev_t(tty);
}

// Whether the device is the terminal the program runs in: its own output would land there. The
// program never changes its terminal, so it is looked up once.
bool ownTerminal(dev_t device)
{
    static const std::vector<dev_t> own = [] {
        std::vector<dev_t> terminals{controllingTerminal()};
        for (int fd = 0; fd <= 2; ++fd) {
            struct stat st
            {
            };
            if (::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode))
                terminals.push_back(st.st_rdev);
        }
        return terminals;
    }();
    return std::find(own.begin(), own.end(), device) != own.end();
}

// A terminal device the kernel lists in its tty class: serial ports of every kind, also those
// without hardware in sysfs (Bluetooth serial links).
bool inTtyClass(dev_t device)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path subsystem =
        fs::read_symlink("/sys/dev/char/" + std::to_string(major(device)) + ":" +
                             std::to_string(minor(device)) + "/subsystem",
                         ec);
    return !ec && subsystem.filename() == "tty";
}
} // namespace

PortError serialDeviceCheck(const struct stat &node)
{
    if (!S_ISCHR(node.st_mode))
        return PortError::NotSerial;
    const unsigned kind = major(node.st_rdev);
    if (kind == ttyAuxMajor ||
        (kind == virtualConsoleMajor && minor(node.st_rdev) < virtualConsoleCount))
        return PortError::Terminal;
    const bool pty = kind >= ptySlaveMajor && kind < ptySlaveMajor + ptySlaveMajorCount;
    if (!pty && !inTtyClass(node.st_rdev))
        return PortError::NotSerial;
    if (ownTerminal(node.st_rdev))
        return PortError::Terminal;
    return PortError::None;
}

bool applyTerminalLine(int fd, const LineSettings &line)
{
    struct termios2 t
    {
    };
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;

    // Raw: bytes leave exactly as written, none is translated or taken as a control character.
    t.c_iflag &=
        ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    t.c_oflag &= ~tcflag_t(OPOST);
    t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);

    t.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= CREAD | CLOCAL;
    switch (line.dataBits) {
    case 5:
        t.c_cflag |= CS5;
        break;
    case 6:
        t.c_cflag |= CS6;
        break;
    case 7:
        t.c_cflag |= CS7;
        break;
    default:
        t.c_cflag |= CS8;
        break;
    }
    switch (line.parity) {
    case 'E':
        t.c_cflag |= PARENB;
        break;
    case 'O':
        t.c_cflag |= PARENB | PARODD;
        break;
    case 'M':
        t.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    case 'S':
        t.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (line.stopBits == 2)
        t.c_cflag |= CSTOPB;

    // A rate of 0 would hang the line up; a rate the port cannot take leaves its speed as read.
    if (line.baud >= 1) {
        t.c_cflag &= ~tcflag_t(CBAUD | (CBAUD << IBSHIFT));
        t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
        t.c_ospeed = speed_t(line.baud);
        t.c_ispeed = speed_t(line.baud);
    }
    return ioctl(fd, TCSETS2, &t) == 0;
}
