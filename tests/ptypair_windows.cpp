// Under Wine, COM1 is a pseudo-terminal that the program running the test (tests/wine/wire.py)
// holds: this side asks it over the loopback what has arrived and how the line is set.
#include "tests/ptypair.h"

#include <QByteArray>
#include <QList>
#include <cstdlib>
#include <stdexcept>
#include <winsock2.h>

namespace {
SOCKET connectToWire()
{
    const char *port = std::getenv("CORVANTIS_WIRE");
    if (!port)
        throw std::runtime_error("no pseudo-terminal: run under tests/wine/wire.py");
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    const SOCKET s = started ? ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) : INVALID_SOCKET;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(u_short(std::atoi(port)));
    address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
    if (s == INVALID_SOCKET ||
        ::connect(s, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        throw std::runtime_error("no pseudo-terminal: the wire does not answer");
    return s;
}

// The test's one line to the wire: one request at a time, each answered with a line of text and
// the bytes it announces.
struct Wire
{
    SOCKET socket = connectToWire();
    QByteArray pending;

    QByteArray ask(const QByteArray &request, QByteArray *bytes = nullptr)
    {
        const QByteArray line = request + '\n';
        ::send(socket, line.constData(), int(line.size()), 0);
        qsizetype end;
        while ((end = pending.indexOf('\n')) < 0)
            if (!receive())
                return {};
        QByteArray answer = pending.left(end);
        pending.remove(0, end + 1);
        if (bytes) {
            const qsizetype count = answer.split(' ').value(0).toLongLong();
            while (pending.size() < count)
                if (!receive())
                    break;
            *bytes = pending.left(count);
            pending.remove(0, count);
        }
        return answer;
    }

    bool receive()
    {
        char buffer[4096];
        const int n = ::recv(socket, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        pending.append(buffer, n);
        return true;
    }
};

Wire &wire()
{
    static Wire one;
    return one;
}
} // namespace

bool PtyPair::takesAnyRate()
{
    return true; // the program holding the line reads any rate on it
}

bool PtyPair::exclusiveModeReadable()
{
    return false; // Windows keeps a port for one program by itself, without the mode
}

bool PtyPair::classicRate(unsigned baud)
{
    for (unsigned rate :
         {1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u, 230400u, 460800u, 921600u})
        if (rate == baud)
            return true;
    return false;
}

bool PtyPair::several()
{
    return false; // Wine maps COM1 alone to a pseudo-terminal
}

PtyPair::PtyPair(bool holdSlave)
{
    const QByteArray answer = wire().ask(holdSlave ? "new 1" : "new 0");
    if (answer.isEmpty() || answer.startsWith("error"))
        throw std::runtime_error("no pseudo-terminal: " + answer.toStdString());
    m_device = "COM1";
}

PtyPair::~PtyPair()
{
    remove();
}

void PtyPair::letGo()
{
    wire().ask("letgo");
}

void PtyPair::remove()
{
    if (!m_device.empty())
        wire().ask("remove");
    m_device.clear();
}

void PtyPair::stall()
{
    wire().ask("stall");
}

void PtyPair::resume()
{
    wire().ask("resume");
}

void PtyPair::noticeDiscards()
{
    wire().ask("discards");
}

QByteArray PtyPair::read(int count, int timeoutMs)
{
    QByteArray bytes;
    const QByteArray answer = wire().ask(
        "read " + QByteArray::number(count) + ' ' + QByteArray::number(timeoutMs), &bytes);
    m_discards = m_discards || answer.split(' ').value(1) == "1";
    return bytes;
}

PtyPair::Line PtyPair::line() const
{
    const QList<QByteArray> f = wire().ask("line").split(' ');
    Line line;
    if (f.size() < 9)
        return line;
    line.speed = f[0].toUInt();
    line.hungUp = f[1] == "1";
    line.eightBits = f[2] == "1";
    line.parity = f[3] == "1";
    line.twoStopBits = f[4] == "1";
    line.hardwareFlow = f[5] == "1";
    line.softwareFlow = f[6] == "1";
    line.outputProcessing = f[7] == "1";
    line.canonical = f[8] == "1";
    return line;
}

bool PtyPair::exclusive() const
{
    return wire().ask("exclusive") == "1";
}

void PtyPair::setSpeed(unsigned baud)
{
    wire().ask("speed " + QByteArray::number(baud));
}
