// Line settings through the kernel's own interfaces: the classic one for rates with a speed
// constant, termios2 for any other rate (14700, 614400), which it takes exactly. Their header
// clashes with <termios.h> and <sys/ioctl.h>, so this file includes neither.
#include "link/serialport_posix.h"

#include <algorithm>
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

extern "C" int ioctl(int fd, unsigned long request, ...);

bool exclusiveModeSet(int fd)
{
    int exclusive = 0;
    // A system that does not know the request (a user-mode emulator) cannot tell: not known to be
    // held. The lock and the scan for other holders still guard the port.
    if (ioctl(fd, TIOCGEXCL, &exclusive) != 0)
        return false;
    return exclusive != 0;
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

namespace {
struct NamedRate
{
    int baud;
    tcflag_t code;
};

// Every rate with a speed constant. These go through the classic requests, which every kernel and
// emulator knows; termios2 is not always there, under a user-mode emulator for one.
constexpr NamedRate namedRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

std::optional<tcflag_t> speedConstant(int baud)
{
    for (const NamedRate &rate : namedRates)
        if (rate.baud == baud)
            return rate.code;
    return std::nullopt;
}

// Raw mode and the frame, on either interface's record; the speed is left alone.
template <typename Termios> void setRawFrame(Termios &t, const LineSettings &line)
{
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
}
} // namespace

namespace {
// Sets the line unless it is already so: opening the port has just given the device the settings
// it keeps, and the same settings again would only program it twice.
template <typename Termios>
bool setIfChanged(int fd, const Termios &now, const Termios &wanted, unsigned long request)
{
    return std::memcmp(&now, &wanted, sizeof now) == 0 || ioctl(fd, request, &wanted) == 0;
}
} // namespace

bool applyTerminalLine(int fd, const LineSettings &line)
{
    const std::optional<tcflag_t> constant = speedConstant(line.baud);
    // A rate of 0 would hang the line up; a rate the port cannot take leaves its speed as read.
    if (constant || line.baud < 1) {
        struct termios now
        {
        };
        if (ioctl(fd, TCGETS, &now) != 0)
            return false;
        struct termios t = now;
        setRawFrame(t, line);
        if (constant) {
            // No input speed of its own: it follows the output speed.
            t.c_cflag &= ~tcflag_t(CBAUD | (CBAUD << IBSHIFT));
            t.c_cflag |= *constant;
        }
        return setIfChanged(fd, now, t, TCSETS);
    }
    struct termios2 now
    {
    };
    if (ioctl(fd, TCGETS2, &now) != 0)
        return false;
    struct termios2 t = now;
    setRawFrame(t, line);
    t.c_cflag &= ~tcflag_t(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ospeed = speed_t(line.baud);
    t.c_ispeed = speed_t(line.baud);
    return setIfChanged(fd, now, t, TCSETS2);
}
