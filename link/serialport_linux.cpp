// Line settings through the kernel's own interfaces: the classic one for rates with a speed
// constant, termios2 for any other rate (14700, 614400), which it takes exactly. Their header
// clashes with <termios.h> and <sys/ioctl.h>, so this file includes neither.
#include "link/serialport_p.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <optional>

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

bool SerialPort::applyLineSettings(const LineSettings &line)
{
    if (!m_handle)
        return false;
    const int fd = m_handle->fd;
    const std::optional<tcflag_t> constant = speedConstant(line.baud);
    // A rate of 0 would hang the line up; a rate the port cannot take leaves its speed as read.
    if (constant || line.baud < 1) {
        struct termios t
        {
        };
        if (ioctl(fd, TCGETS, &t) != 0)
            return false;
        setRawFrame(t, line);
        if (constant) {
            // No input speed of its own: it follows the output speed.
            t.c_cflag &= ~tcflag_t(CBAUD | (CBAUD << IBSHIFT));
            t.c_cflag |= *constant;
            m_baud = line.baud;
        }
        return ioctl(fd, TCSETS, &t) == 0;
    }
    struct termios2 t
    {
    };
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;
    setRawFrame(t, line);
    t.c_cflag &= ~tcflag_t(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ospeed = speed_t(line.baud);
    t.c_ispeed = speed_t(line.baud);
    m_baud = line.baud;
    return ioctl(fd, TCSETS2, &t) == 0;
}
