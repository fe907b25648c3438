// The kernel's termios2 header clashes with <termios.h> and <sys/ioctl.h>; neither is included.
#include "tests/ptypair.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <unistd.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace {
// The speed constants a line may carry when termios2 cannot be read; its other rates read as 0.
constexpr struct
{
    unsigned baud;
    tcflag_t code;
} namedRates[] = {{1200, B1200},     {2400, B2400},     {4800, B4800},    {9600, B9600},
                  {19200, B19200},   {38400, B38400},   {57600, B57600},  {115200, B115200},
                  {230400, B230400}, {460800, B460800}, {921600, B921600}};

// Whether the system knows a request, asked on a fresh pseudo-terminal.
bool ptyTakes(unsigned long request)
{
    const int fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    struct termios2 answer
    {
    }; // room for any of the answers asked for
    const bool takes = fd >= 0 && ioctl(fd, request, &answer) == 0;
    if (fd >= 0)
        ::close(fd);
    return takes;
}
} // namespace

bool PtyPair::takesAnyRate()
{
    static const bool takes = ptyTakes(TCGETS2);
    return takes;
}

bool PtyPair::exclusiveModeReadable()
{
    static const bool readable = ptyTakes(TIOCGEXCL);
    return readable;
}

bool PtyPair::several()
{
    return true;
}

bool PtyPair::classicRate(unsigned baud)
{
    for (const auto &rate : namedRates)
        if (rate.baud == baud)
            return true;
    return false;
}

PtyPair::PtyPair(bool holdSlave)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        throw std::runtime_error("no pseudo-terminal");
    m_device = ptsname(m_master);
    if (holdSlave)
        m_keepAlive = ::open(m_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    remove();
}

void PtyPair::letGo()
{
    ::close(m_keepAlive);
    m_keepAlive = -1;
}

void PtyPair::remove()
{
    if (m_keepAlive >= 0)
        ::close(m_keepAlive);
    if (m_master >= 0)
        ::close(m_master);
    m_keepAlive = m_master = -1;
}

void PtyPair::stall()
{
    // Filled first, as a reader that stopped reading leaves it. A change of line settings makes
    // room again on a pseudo-terminal, so the output is also stopped, as flow control would.
    const char block[1024] = {};
    for (;;) {
        long round = 0;
        ssize_t n;
        while ((n = ::write(m_keepAlive, block, sizeof block)) > 0)
            round += n;
        if (round == 0)
            break;
        ::usleep(20000);
    }
    ioctl(m_keepAlive, TCXONC, TCOOFF);
}

void PtyPair::resume()
{
    ioctl(m_keepAlive, TCXONC, TCOON);
}

void PtyPair::noticeDiscards()
{
    int on = 1;
    ioctl(m_master, TIOCPKT, &on);
    m_packets = true;
}

QByteArray PtyPair::read(int count, int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    QByteArray data;
    while (data.size() < count && m_master >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, int(left)) <= 0)
            break;
        char buffer[4096];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        if (!m_packets)
            data.append(buffer, n);
        else if (buffer[0] == TIOCPKT_DATA) // each read starts with a status byte
            data.append(buffer + 1, n - 1);
        else
            m_discards = m_discards || (buffer[0] & TIOCPKT_FLUSHWRITE);
    }
    return data;
}

PtyPair::Line PtyPair::line() const
{
    // On the master this reads the slave's settings.
    struct termios2 t
    {
    };
    if (takesAnyRate()) {
        ioctl(m_master, TCGETS2, &t);
    } else {
        struct termios classic
        {
        };
        ioctl(m_master, TCGETS, &classic);
        t.c_iflag = classic.c_iflag;
        t.c_oflag = classic.c_oflag;
        t.c_cflag = classic.c_cflag;
        t.c_lflag = classic.c_lflag;
        for (const auto &rate : namedRates)
            if ((classic.c_cflag & CBAUD) == rate.code)
                t.c_ospeed = rate.baud;
    }
    Line line;
    line.speed = t.c_ospeed;
    line.hungUp = (t.c_cflag & CBAUD) == B0;
    line.eightBits = (t.c_cflag & CSIZE) == CS8;
    line.parity = t.c_cflag & PARENB;
    line.twoStopBits = t.c_cflag & CSTOPB;
    line.hardwareFlow = t.c_cflag & CRTSCTS;
    line.softwareFlow = t.c_iflag & (IXON | IXOFF);
    line.outputProcessing = t.c_oflag & OPOST;
    line.canonical = t.c_lflag & ICANON;
    return line;
}

bool PtyPair::exclusive() const
{
    int exclusive = 0;
    if (m_keepAlive >= 0) {
        ioctl(m_keepAlive, TIOCGEXCL, &exclusive);
    } else if (const int fd = ::open(m_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK); fd >= 0) {
        ioctl(fd, TIOCGEXCL, &exclusive); // root may open it in exclusive mode too
        ::close(fd);
    }
    return exclusive != 0;
}

void PtyPair::setSpeed(unsigned baud)
{
    if (!takesAnyRate()) {
        struct termios t
        {
        };
        ioctl(m_master, TCGETS, &t);
        t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
        for (const auto &rate : namedRates)
            if (rate.baud == baud)
                t.c_cflag |= rate.code;
        ioctl(m_master, TCSETS, &t);
        return;
    }
    struct termios2 t
    {
    };
    ioctl(m_master, TCGETS2, &t);
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ospeed = t.c_ispeed = baud;
    ioctl(m_master, TCSETS2, &t);
}
