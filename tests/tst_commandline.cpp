// The command line: --upload sends what a fresh window sends after loading the same file, and
// refuses what the window refuses; --list-ports; --help. None of it needs a display.
#include "app/commandline.h"
#include "app/tform1.h"
#include "tests/fakedesktop.h"
#include "tests/faketree.h"
#include "tests/otherprocess.h"
#include "tests/ptypair.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run
{
    int status = -1;
    QByteArray out, err;
};

// A program run as from a script on a machine without a display.
Run run(const QString &program, const QStringList &arguments, const QStringList &environment = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const QString &setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    const ProgramRun done = runBuiltProgram(program, arguments, env);
    return {done.status, done.out, done.err};
}

Run panel(const QStringList &arguments)
{
    return run(QStringLiteral(PANEL), arguments);
}

SettingsFileContent content(int format, int function, int address, int rate, int start0, int end0)
{
    SettingsFileContent c{address, rate, format, function, {}, {}};
    for (int servo = 0; servo < servoCount; ++servo) {
        c.sweepStarts[servo] = 100 * servo;
        c.sweepEnds[servo] = 7300 - 150 * servo;
    }
    c.sweepStarts[0] = start0;
    c.sweepEnds[0] = end0;
    return c;
}
} // namespace

Q_DECLARE_METATYPE(SettingsFileContent)

class TestCommandLine : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void uploadSendsWhatTheWindowSends_data();
    void uploadSendsWhatTheWindowSends();
    void refusals_data();
    void refusals();
    void listPorts();
    void helpAndVersion();

  private:
    QTemporaryDir m_dir;
    QString write(const SettingsFileContent &c, const QString &name = QStringLiteral("f.svo"))
    {
        const auto bytes = encodeSettingsFile(c);
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
        return file.fileName();
    }
};

void TestCommandLine::uploadSendsWhatTheWindowSends_data()
{
    QTest::addColumn<SettingsFileContent>("file");
    QTest::newRow("Mini SSC, Servo Controller") << content(1, 0, 10, 9600, 1843, 5529);
    QTest::newRow("Quorvel, Servo Controller") << content(0, 0, 1000, 14400, 2000, 6000);
    QTest::newRow("Mini SSC, Digital Controller") << content(1, 1, 255, 57600, 0, 7300);
    QTest::newRow("Quorvel, Digital Controller") << content(0, 1, 65535, 115200, 3000, 3040);
    // Servo 0 goes through the bars over their start-up positions; the address through the range.
    QTest::newRow("servo 0 above the start-up end") << content(1, 0, 5, 9600, 6000, 7000);
    QTest::newRow("servo 0 end at its start-up place") << content(1, 0, 5, 9600, 5500, 5529);
    QTest::newRow("address above the range") << content(1, 0, 300, 9600, 1843, 5529);
    QTest::newRow("negative address") << content(0, 0, -7, 9600, 1843, 5529);
}

void TestCommandLine::uploadSendsWhatTheWindowSends()
{
    QFETCH(SettingsFileContent, file);
    const QString path = write(file);
    PtyPair viaWindow, viaCommandLine(false);
    {
        FreshWindow fresh;
        fresh.desk.fileAnswers = {path};
        fresh.form->fileLoadSettings->trigger();
        fresh.choosePort(viaWindow.device());
        QTest::mouseClick(fresh.form->Button1, Qt::LeftButton);
    }
    const QByteArray sent = viaWindow.readAll(20);
    QCOMPARE(sent.size(), 41);

    const Run upload = panel({QStringLiteral("--upload"), path, QStringLiteral("--port"),
                              QString::fromStdString(viaCommandLine.device())});
    QCOMPARE(upload.err, QByteArray());
    QCOMPARE(upload.status, int(exitDone));
    QCOMPARE(viaCommandLine.readAll(20), sent);
}

void TestCommandLine::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("held");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line");
    const auto bytes = encodeSettingsFile(content(1, 0, 0, 9600, 1843, 5529));
    const QByteArray good(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    const auto slow = encodeSettingsFile(content(1, 0, 0, 3592, 1843, 5529));
    QTest::newRow("not a settings file")
        << QByteArray("Servo1.2") + good.mid(8) << false << false << int(exitFileRefused)
        << "\"%1\" is not a servo settings file.";
    QTest::newRow("rate not achievable")
        << QByteArray(reinterpret_cast<const char *>(slow.data()), qsizetype(slow.size())) << false
        << false << int(exitNotAchievable)
        << "The board cannot run at the chosen baud rate. Choose a higher rate before uploading.";
    QTest::newRow("port missing") << good << false << true << int(exitPortUnusable)
                                  << "%2: no device";
    QTest::newRow("port in use") << good << true << false << int(exitPortUnusable)
                                 << "%2: in use by tst_commandline (pid %3)";
}

void TestCommandLine::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, held);
    QFETCH(bool, missing);
    QFETCH(int, status);
    QFETCH(QString, line);
    QFile file(m_dir.filePath(QStringLiteral("r.svo")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    PtyPair pty(false);
    const QString port =
        missing ? m_dir.filePath(QStringLiteral("ttyUSB9")) : QString::fromStdString(pty.device());
    std::optional<HeldByAnotherProcess> other;
    if (held)
        other.emplace(pty.device(), HeldByAnotherProcess::Hold::Open);

    const Run upload =
        panel({QStringLiteral("--upload"), file.fileName(), QStringLiteral("--port"), port});
    QCOMPARE(upload.status, status);
    line.replace(QStringLiteral("%1"), file.fileName()).replace(QStringLiteral("%2"), port);
    line.replace(QStringLiteral("%3"), QString::number(other ? other->pid() : 0));
    QCOMPARE(QString::fromUtf8(upload.err), line + '\n');
    QCOMPARE(pty.readAll(20), QByteArray());
}

void TestCommandLine::listPorts()
{
    FakeTree tree;
    PtyPair free(false), held(false);
    tree.plugUsb("ttyUSB0", "1-1", "A50285BI", free.device());
    tree.plugUsb("ttyUSB1", "1-2", "", held.device());
    HeldByAnotherProcess other(held.device(), HeldByAnotherProcess::Hold::Open);
    const Run list = run(QStringLiteral(CLIPROBE), {QStringLiteral("--list-ports")},
                         {"CLIPROBE_SYS_CLASS_TTY=" + QString::fromStdString(tree.sysClassTty()),
                          "CLIPROBE_DEV=" + QString::fromStdString(tree.devDir())});
    QCOMPARE(list.status, int(exitDone));
    const QString dev = QString::fromStdString(tree.devDir());
    QCOMPARE(QString::fromUtf8(list.out),
             QStringLiteral("COM1: %1/ttyUSB0 \u2014 FTDI FT232R USB UART, serial A50285BI: can "
                            "be opened\nCOM2: %1/ttyUSB1 \u2014 FTDI FT232R USB UART: in use by "
                            "tst_commandline (pid %2)\nCOM3: no device\nCOM4: no device\n")
                 .arg(dev)
                 .arg(other.pid()));
}

void TestCommandLine::helpAndVersion()
{
    const Run help = panel({QStringLiteral("--help")});
    QCOMPARE(help.status, int(exitDone));
    QVERIFY(help.out.contains("--upload <FILE>"));
    QCOMPARE(panel({QStringLiteral("--version")}).out, QByteArray("corvantis-panel 1.0.0\n"));
    const Run wrong = panel({QStringLiteral("--upload"), QStringLiteral("f.svo")});
    QCOMPARE(wrong.status, int(exitUsage));
    QCOMPARE(wrong.err, QByteArray("--upload and --port go together.\n"));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
