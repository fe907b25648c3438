// Ports that misbehave: ten thousand messages in a row, a device unplugged in the middle of a drag,
// a device the user may not write to, and a port that stops taking bytes.
#include "app/tform1.h"
#include "link/portcycle.h"
#include "tests/fakedesktop.h"
#include "tests/otherprocess.h"
#include "tests/ptypair.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Reads the master side on a thread of its own, so that the line never fills.
class Collector
{
  public:
    explicit Collector(int master) : m_master(master), m_thread([this] { run(); }) {}
    ~Collector() { stop(); }
    QByteArray stop()
    {
        if (m_thread.joinable()) {
            m_stop = true;
            m_thread.join();
        }
        return m_data;
    }

  private:
    void run()
    {
        char buffer[65536];
        for (;;) {
            pollfd p{m_master, POLLIN, 0};
            const int ready = ::poll(&p, 1, 100);
            if (ready > 0) {
                const ssize_t n = ::read(m_master, buffer, sizeof buffer);
                if (n > 0) {
                    m_data.append(buffer, n);
                    continue;
                }
            }
            if (m_stop)
                return;
        }
    }
    int m_master;
    QByteArray m_data;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
} // namespace

class TestPortFaults : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void tenThousandMessagesArriveCompleteAndInOrder();
    void ptyClosedInTheMiddleOfADrag();
    void deviceNodeGoneAndBack();
    void deviceTheUserMayNotWriteTo_data();
    void deviceTheUserMayNotWriteTo();
    void stalledPortNeverFreezesTheWindow();

  private:
    std::unique_ptr<FreshWindow> m_fresh;
    TForm1 *form() { return m_fresh->form.get(); }
    Controls &ui() { return m_fresh->ui; }
    void showWindow()
    {
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
    }
};

void TestPortFaults::init()
{
    m_fresh = std::make_unique<FreshWindow>();
}

void TestPortFaults::cleanup()
{
    m_fresh.reset();
}

void TestPortFaults::tenThousandMessagesArriveCompleteAndInOrder()
{
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    QByteArray expected;
    Collector collector(pty.master());
    for (int i = 1; i <= 10000; ++i) {
        // Every step a real change that needs no correction: 7 and 5400 have no common factor.
        const int position = (i * 7) % 5400;
        ui().startSweep->setPosition(position);
        expected += liveBytes(0, position);
    }
    QTest::qWait(200);
    const QByteArray received = collector.stop();
    QCOMPARE(received.size(), expected.size());
    QVERIFY(received == expected);
}

void TestPortFaults::ptyClosedInTheMiddleOfADrag()
{
    auto pty = std::make_unique<PtyPair>();
    QTemporaryDir dir;
    const QString node = dir.filePath(QStringLiteral("ttyUSB0"));
    QVERIFY(QFile::link(QString::fromStdString(pty->device()), node));
    m_fresh->choosePort(node.toStdString());
    showWindow();
    TPie *dial = ui().travel;
    QElapsedTimer timer;
    timer.start();
    QTest::mousePress(dial, Qt::LeftButton, {}, QPoint(150, 40));
    QTest::mouseMove(dial, QPoint(155, 20));
    QTest::mouseMove(dial, QPoint(150, 10));
    QCOMPARE(pty->read(8).size(), 8);
    pty->remove(); // unplugged
    QFile::remove(node);
    QTest::mouseMove(dial, QPoint(140, 5));
    QTest::mouseMove(dial, QPoint(120, 0));
    QTest::mouseRelease(dial, Qt::LeftButton, {}, QPoint(120, 0));
    QVERIFY2(timer.elapsed() < 5000, "the lost messages held up the window");
    QVERIFY(m_fresh->desk.boxes.empty());
    // The drag went on without the board.
    QCOMPARE(ui().travel->startAngle(), 63);
    QCOMPARE(form()->record().sweepEnds[0], ui().endSweep->position());

    // Plugged in again, it is found at the next opening of the menu and works.
    PtyPair again;
    QVERIFY(QFile::link(QString::fromStdString(again.device()), node));
    ui().SerialPort2->popup(QPoint(0, 0));
    ui().SerialPort2->hide();
    QVERIFY(ui().selectCOM1->isEnabled());
    QTest::mousePress(dial, Qt::LeftButton, {}, QPoint(120, 0));
    QTest::mouseMove(dial, QPoint(160, 0));
    QTest::mouseRelease(dial, Qt::LeftButton, {}, QPoint(160, 0));
    QCOMPARE(again.read(4), liveBytes(0, 5525));
}

void TestPortFaults::deviceNodeGoneAndBack()
{
    PtyPair pty;
    QTemporaryDir dir;
    const QString node = dir.filePath(QStringLiteral("ttyUSB0"));
    QVERIFY(QFile::link(QString::fromStdString(pty.device()), node));
    m_fresh->choosePort(node.toStdString());

    ui().endSweep->setPosition(6000);
    QCOMPARE(pty.read(4), liveBytes(0, 6000));
    QVERIFY(QFile::remove(node));
    ui().endSweep->setPosition(6100);
    ui().endSweep->setPosition(6200);
    QCOMPARE(pty.readAll(50), QByteArray()); // lost without a word
    QVERIFY(m_fresh->desk.boxes.empty());
    QVERIFY(QFile::link(QString::fromStdString(pty.device()), node));
    ui().endSweep->setPosition(6300); // the same item, no new probe needed
    QCOMPARE(pty.read(4), liveBytes(0, 6300));
    QCOMPARE(form()->record().sweepEnds[0], 6300);
}

void TestPortFaults::deviceTheUserMayNotWriteTo_data()
{
    // The device's group and mode; the groups the user has in this session (the first one is
    // its own group); the advice.
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("session");
    QTest::addColumn<QString>("advice");
    QTest::newRow("dialout device, user not in dialout")
        << "dialout" << QStringList{"nogroup"}
        << "add your user to the dialout group, then log out and in again";
    QTest::newRow("root's device, user already in dialout")
        << "root" << QStringList{"nogroup", "dialout"} << "owned by root:root, mode 0660";
    // nobody's own group is nogroup by the database, but not in a session started without it.
    QTest::newRow("group joined since the session began")
        << "nogroup" << QStringList{"staff"} << "already in group nogroup: log out and in again";
}

void TestPortFaults::deviceTheUserMayNotWriteTo()
{
    QFETCH(QString, group);
    QFETCH(QStringList, session);
    QFETCH(QString, advice);
    if (::geteuid() != 0)
        QSKIP("becoming another user needs root");
    PtyPair pty;
    m_fresh->desk.devices = {pty.device()};
    QVERIFY(::chown(pty.device().c_str(), 0, ::getgrnam(qPrintable(group))->gr_gid) == 0);
    QVERIFY(::chmod(pty.device().c_str(), 0660) == 0);
    std::vector<gid_t> groups;
    for (const QString &name : session)
        groups.push_back(::getgrnam(qPrintable(name))->gr_gid);
    int answer[2];
    QVERIFY(::pipe(answer) == 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // An ordinary user, nobody, in the session's groups.
        const bool dropped = ::setgroups(groups.size(), groups.data()) == 0 &&
                             ::setgid(groups[0]) == 0 && ::setuid(65534) == 0;
        form()->SerialPort2Click(ui().SerialPort2);
        const QByteArray report = (dropped ? QByteArray("dropped\n") : QByteArray("kept\n")) +
                                  (ui().selectCOM1->isEnabled() ? "enabled\n" : "disabled\n") +
                                  ui().selectCOM1->toolTip().toUtf8();
        (void)!::write(answer[1], report.constData(), size_t(report.size()));
        ::_exit(0);
    }
    ::close(answer[1]);
    QByteArray report;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(answer[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, n);
    ::close(answer[0]);
    ::waitpid(child, nullptr, 0);
    const QList<QByteArray> lines = report.split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QByteArray("dropped"));
    QCOMPARE(lines[1], QByteArray("disabled"));
    QCOMPARE(QString::fromUtf8(lines[2]),
             QString::fromStdString(pty.device()) + ": permission denied: " + advice);
}

void TestPortFaults::stalledPortNeverFreezesTheWindow()
{
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    pty.noticeDiscards();
    pty.stall();

    QElapsedTimer timer;
    timer.start();
    ui().startSweep->setPosition(1000);
    const qint64 stalled = timer.elapsed();
    // It waited for the port, then gave up rather than hang.
    QVERIFY2(stalled >= 1900 && stalled < 10000, qPrintable(QString::number(stalled)));
    QVERIFY(m_fresh->desk.boxes.empty());
    QCOMPARE(form()->record().sweepStarts[0], 1000); // the edit itself is kept

    // A run of clicks on the bar's arrow against the stuck adapter: each gives up at once.
    timer.restart();
    for (int click = 1; click <= 5; ++click)
        ui().startSweep->setPosition(1000 + 3 * click);
    const qint64 fiveMore = timer.elapsed();
    qInfo("five messages after the first stall: %lld ms", fiveMore);
    QVERIFY2(fiveMore < 1000, qPrintable(QString::number(fiveMore)));
    QCOMPARE(form()->record().sweepStarts[0], 1015);

    // Whatever the given-up cycles had left was thrown away, not sent late into the next message.
    pty.readAll(50);
    QVERIFY(pty.discards());
    pty.resume(); // the device takes bytes again
    ui().startSweep->setPosition(1100);
    QCOMPARE(pty.readAll(50), liveBytes(0, 1100));
    timer.restart();
    ui().startSweep->setPosition(1200);
    QCOMPARE(pty.read(4), liveBytes(0, 1200));
    QVERIFY(timer.elapsed() < 1000);
}

QTEST_MAIN(TestPortFaults)
#include "tst_portfaults.moc"
