// The port cycle on pseudo-terminals: bytes, line settings, exclusivity and closing on every path.
#include "link/messages.h"
#include "link/portcycle.h"
#include "tests/faketree.h"
#include "tests/heldoutput.h"
#include "tests/otherprocess.h"
#include "tests/platform.h"
#include "tests/ptypair.h"

#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
FakeProcesses &processes()
{
    static FakeProcesses table;
    return table;
}

SerialPort port(const std::string &device, std::optional<DeviceStamp> expected = std::nullopt)
{
    static HolderScan holders(processes().roots());
    return SerialPort(device, holders, HolderScan::Freshness::Now, expected);
}

StallMemory stalls;

void send(const std::string &device, const Message &message)
{
    PortCycle cycle(port(device), message.line, stalls);
    for (const Write &write : message.writes)
        cycle.write(write);
}

} // namespace

class TestPortCycle : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void messagesArriveByteExact_data();
    void messagesArriveByteExact();
    void lineIsSetAsTheModeSays_data();
    void lineIsSetAsTheModeSays();
    void rateThePortCannotTakeLeavesSpeed_data();
    void rateThePortCannotTakeLeavesSpeed();
    void secondOpenFailsWhileACycleHoldsThePort();
    void portHeldByAnotherProgram();
    void missingDevice();
    void swappedWhileOpening_data();
    void swappedWhileOpening();
    void removedDeviceLosesTheMessage();
    void portIsClosedWhenAnErrorEndsTheHandler();
    void outputHeldByTheDevice_data();
    void outputHeldByTheDevice();
};

void TestPortCycle::messagesArriveByteExact_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<Message>("message");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("live position")
        << "9600,N,8,1" << livePositionMessage(3, 0) << QByteArray::fromHex("FE033307");
    // 0x0A and 0x0D must not be translated on the way out.
    QTest::newRow("live position with newline bytes")
        << "9600,N,8,1" << livePositionMessage(10, 0x0D0A - wireOffset)
        << QByteArray::fromHex("FE0A0A0D");
    QTest::newRow("Mini SSC test at 115200")
        << "115200,N,8,1" << miniSscTestMessage(10, 2, 128, 115200)
        << QByteArray::fromHex("FF0C80");
    QTest::newRow("native test at 57600") << "57600,N,8,1" << nativeTestMessage(2, 200, 57600)
                                          << QByteArray::fromHex("FFFF08008080C88080808080"
                                                                 "00");
    UploadContent content;
    content.sweepStarts.fill(1843);
    content.sweepEnds.fill(5529);
    QTest::newRow("upload") << "9600,N,8,1" << uploadSequence(content)
                            << QByteArray::fromHex("FFFFFFFFFF00005F00") +
                                   QByteArray::fromHex("660E").repeated(16);
}

void TestPortCycle::messagesArriveByteExact()
{
    QFETCH(QString, mode);
    QFETCH(Message, message);
    QFETCH(QByteArray, bytes);
    PtyPair pty;
    send(pty.device(), message);
    QCOMPARE(pty.read(bytes.size()), bytes);
    QCOMPARE(pty.readAll(50), QByteArray());
    QCOMPARE(pty.line().speed, unsigned(parseModeString(mode.toStdString())->baud));
}

void TestPortCycle::lineIsSetAsTheModeSays_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<unsigned>("speed");
    QTest::newRow("setup rate") << "9600,N,8,1" << 9600u;
    QTest::newRow("115200") << "115200,N,8,1" << 115200u;
    QTest::newRow("14700, not a standard rate") << "14700,N,8,1" << 14700u;
    QTest::newRow("614400") << "614400,N,8,1" << 614400u;
    QTest::newRow("1") << "1,N,8,1" << 1u;
    QTest::newRow("999999") << "999999,N,8,1" << 999999u;
}

void TestPortCycle::lineIsSetAsTheModeSays()
{
    QFETCH(QString, mode);
    QFETCH(unsigned, speed);
    if (!PtyPair::takesAnyRate() && !PtyPair::classicRate(speed))
        QSKIP(
            "This system (a user-mode emulator) lacks termios2: only rates with a speed constant");
    if (onWindows && !PtyPair::classicRate(speed))
        QSKIP("Wine sets every rate without a Linux speed constant (14400, 14700, 28800, 614400) "
              "as 38400 on a pseudo-terminal; a Windows driver takes the DCB's rate as it is");
    PtyPair pty;
    const Message message{*parseModeString(mode.toStdString()), {{0x55}}};
    // Set; left as it is by the next cycle, which finds it so; set again after another program
    // changed it.
    pty.setSpeed(4800);
    send(pty.device(), message);
    send(pty.device(), message);
    QCOMPARE(pty.line().speed, speed);
    pty.setSpeed(4800);
    send(pty.device(), message);
    const PtyPair::Line line = pty.line();
    QCOMPARE(line.speed, speed);
    QVERIFY(line.eightBits);
    QVERIFY(!line.parity);
    QVERIFY(!line.twoStopBits);
    QVERIFY(!line.hardwareFlow);
    QVERIFY(!line.softwareFlow);
    QVERIFY(!line.outputProcessing);
    QVERIFY(!line.canonical);
}

void TestPortCycle::rateThePortCannotTakeLeavesSpeed_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("zero") << "0,N,8,1";
    QTest::newRow("negative") << "-9600,N,8,1";
}

void TestPortCycle::rateThePortCannotTakeLeavesSpeed()
{
    QFETCH(QString, mode);
    PtyPair pty;
    pty.setSpeed(4800);
    send(pty.device(), {*parseModeString(mode.toStdString()), {{0x01, 0x02}}});
    QCOMPARE(pty.read(2), QByteArray::fromHex("0102"));
    const PtyPair::Line line = pty.line();
    QCOMPARE(line.speed, 4800u);
    QVERIFY(!line.hungUp);
    QVERIFY(line.eightBits);
}

void TestPortCycle::secondOpenFailsWhileACycleHoldsThePort()
{
    SKIP_ON_WINDOWS("Wine lets a second handle open a port that Windows keeps for one");
    PtyPair pty;
    {
        PortCycle first(port(pty.device()), setupLine, stalls);
        QVERIFY(first.isOpen());
        // Against other programs, for as long as the cycle lasts (where the mode can be read).
        QVERIFY(pty.exclusive() || !PtyPair::exclusiveModeReadable());
        const SerialPort second = port(pty.device());
        QVERIFY(!second.isOpen());
        QCOMPARE(second.error(), PortError::InUse);
        PortCycle third(port(pty.device()), setupLine, stalls);
        QVERIFY(!third.isOpen());
        third.write(Write{0x33}); // lost without a word
        first.write(Write{0x11});
    }
    QVERIFY(!pty.exclusive());
    const SerialPort afterwards = port(pty.device());
    QVERIFY(afterwards.isOpen());
    QCOMPARE(pty.read(1), QByteArray::fromHex("11"));
}

void TestPortCycle::portHeldByAnotherProgram()
{
    SKIP_ON_WINDOWS("Windows names no holder: a port in use is refused by the open alone");
    PtyPair pty;
    {
        HeldByAnotherProcess other(pty.device());
        QVERIFY(other.holding());
        processes().addReal(other.pid());
        const SerialPort held = port(pty.device());
        QVERIFY(!held.isOpen());
        QCOMPARE(held.error(), PortError::InUse);
        QCOMPARE(held.holder(), std::optional(PortHolder{"tst_portcycle", int(other.pid())}));
    }
    QVERIFY(port(pty.device()).isOpen());
}

void TestPortCycle::missingDevice()
{
    QTemporaryDir dir;
    const std::string path = (dir.path() + QStringLiteral("/ttyUSB7")).toStdString();
    const SerialPort missing = port(path);
    QVERIFY(!missing.isOpen());
    QCOMPARE(missing.error(), PortError::NoDevice);
    send(path, livePositionMessage(0, 0)); // nothing to see, nothing breaks
}

void TestPortCycle::swappedWhileOpening_data()
{
    QTest::addColumn<char>("other"); // f: a regular file, p: a FIFO, s: another serial device
    QTest::newRow("a regular file") << 'f';
    QTest::newRow("a FIFO with a reader") << 'p';
    // As a COM number opens the node it stands for: the other adapter is never opened.
    QTest::newRow("another serial device, the first one meant") << 's';
}

void TestPortCycle::swappedWhileOpening()
{
    SKIP_ON_WINDOWS("A port's name is the system's on Windows: no link to swap");
    QFETCH(char, other);
    PtyPair pty, otherPty;
    QTemporaryDir dir;
    const std::string link = dir.filePath(QStringLiteral("ttyUSB0")).toStdString();
    const std::string otherPath =
        other == 's' ? otherPty.device() : dir.filePath(QStringLiteral("other")).toStdString();
    int reader = -1;
    if (other == 'p') {
        QCOMPARE(::mkfifo(otherPath.c_str(), 0600), 0);
        reader = ::open(otherPath.c_str(), O_RDONLY | O_NONBLOCK);
    } else if (other == 'f') {
        QFile(QString::fromStdString(otherPath)).open(QIODevice::WriteOnly);
    }
    OpenWatch otherOpens(otherPath);
    const DeviceStamp ptyStamp = stampOf(pty.device());
    const std::optional<DeviceStamp> meant = other == 's' ? std::optional(ptyStamp) : std::nullopt;
    // The name is given to the pty and to the other in turn, each time in one step, while the
    // port is opened by it again and again.
    std::atomic<bool> done{false};
    std::thread swapper([&] {
        const std::string next = link + ".next";
        for (int turn = 0; !done; ++turn) {
            ::symlink(turn % 2 ? pty.device().c_str() : otherPath.c_str(), next.c_str());
            ::rename(next.c_str(), link.c_str());
        }
    });
    int opened = 0, refused = 0;
    QElapsedTimer timer;
    timer.start();
    // Until both have been met often, however the two threads happen to be scheduled.
    while ((opened < 50 || refused < 50) && timer.elapsed() < 10000) {
        const SerialPort port = ::port(link, meant);
        if (port.isOpen()) {
            QCOMPARE(port.stamp(), ptyStamp);
            ++opened;
        } else {
            QVERIFY(port.error() == (other == 's' ? PortError::Changed : PortError::NotSerial) ||
                    port.error() == PortError::NoDevice);
            ++refused;
        }
    }
    done = true;
    swapper.join();
    // Only the serial device was ever opened, and the other never saw a byte.
    QCOMPARE(otherOpens.opens(), 0);
    QVERIFY(opened > 0);
    if (reader >= 0) {
        char got = 0;
        QVERIFY(::read(reader, &got, 1) <= 0);
        ::close(reader);
    }
}

void TestPortCycle::removedDeviceLosesTheMessage()
{
    PtyPair pty;
    const std::string device = pty.device();
    send(device, livePositionMessage(1, 100));
    QCOMPARE(pty.read(4).size(), 4);
    pty.remove();
    QElapsedTimer timer;
    timer.start();
    send(device, livePositionMessage(1, 200));
    QVERIFY(timer.elapsed() < 5000); // no hang
}

void TestPortCycle::portIsClosedWhenAnErrorEndsTheHandler()
{
    PtyPair pty;
    try {
        PortCycle cycle(port(pty.device()), setupLine, stalls);
        cycle.write(Write{0xFF});
        throw std::runtime_error("conversion failed");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(port(pty.device()).isOpen());
    QCOMPARE(pty.read(1), QByteArray::fromHex("FF"));
}

void TestPortCycle::outputHeldByTheDevice_data()
{
    // How many times the device is asked before it lets the bytes go, and what the cycle makes
    // of it within a 500 ms limit: waiting for them before it closes, or giving up at the limit
    // and throwing them away, so that they never reach the board late.
    QTest::addColumn<int>("polls");
    QTest::addColumn<bool>("delivered");
    QTest::newRow("sent soon: waited for before closing") << 3 << true;
    QTest::newRow("held past the limit: given up and thrown away") << 5000 << false;
    QTest::newRow("line settings refused: nothing sent") << 0 << false;
}

void TestPortCycle::outputHeldByTheDevice()
{
    QFETCH(int, polls);
    QFETCH(bool, delivered);
    auto log = std::make_shared<HeldOutput::Log>();
    StallMemory stalls(std::chrono::milliseconds(500));
    {
        PortCycle cycle(SerialPort(std::make_unique<HeldOutput>(log, polls), {1, 1}), setupLine,
                        stalls);
        for (const Write &write : uploadSequence(UploadContent{}).writes)
            cycle.write(write);
        QCOMPARE(cycle.finish(), delivered);
    }
    const bool refused = polls == 0;
    QCOMPARE(log->taken, refused ? 0 : 41);
    QCOMPARE(log->unsentAtClose, 0);
    QCOMPARE(log->transmitterFinished, delivered);
    QCOMPARE(log->discarded, !delivered && !refused);
    QCOMPARE(stalls.hasStalled({1, 1}), !delivered && !refused);
}

QTEST_GUILESS_MAIN(TestPortCycle)
#include "tst_portcycle.moc"
