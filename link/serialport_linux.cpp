// Line settings through the termios2 interface, which takes any rate (14700, 614400) exactly.
// Its header clashes with <termios.h> and <sys/ioctl.h>, so this file includes neither.
#include "link/serialport_p.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

bool exclusiveModeSet(int fd)
{
    int exclusive = 0;
    return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

bool SerialPort::applyLineSettings(const LineSettings &line)
{
    if (!m_handle)
        return false;
    const int fd = m_handle->fd;
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
        m_baud = line.baud;
    }
    return ioctl(fd, TCSETS2, &t) == 0;
}
