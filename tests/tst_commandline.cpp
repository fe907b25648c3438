// The command line: --upload sends what a fresh window sends after loading the same file, and
// refuses what the window refuses; --list-ports; --help. None of it needs a display.
#include "app/commandline.h"
#include "app/sequencefile.h"
#include "app/tform1.h"
#include "link/interruption.h"
#include "link/portlink.h"
#include "tests/builtprogram.h"
#include "tests/fakedesktop.h"
#include "tests/faketree.h"
#include "tests/otherprocess.h"
#include "tests/platform.h"
#include "tests/ptypair.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
struct Run
{
    int status = -1;
    QByteArray out, err;
};

// A program run as from a script on a machine without a display.
Run run(const QString &program, const QStringList &arguments, const QStringList &environment = {},
        const ProgramSetting &setting = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // COM numbers a run gives are kept here, never in the user's own record; other programs' holds
    // are looked for only among the processes a test names.
    static QTemporaryDir state;
    static const FakeProcesses nobody;
    env.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
    env.insert(QStringLiteral("CLIPROBE_PROC"), QString::fromStdString(nobody.roots().processes));
    env.insert(QStringLiteral("CLIPROBE_LOCKS"), QString::fromStdString(nobody.lockDir()));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // English, whatever the machine's language, unless the test names one.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LANGUAGE"), QString());
    for (const QString &entry : environment)
        env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    const ProgramRun done = runBuiltProgram(program, arguments, env, setting);
    return {done.crashed ? -1 : done.status, done.out, done.err};
}

ProgramSetting inFolder(const QString &folder, const std::string &terminal)
{
    ProgramSetting setting;
    setting.folder = folder;
    setting.terminal = terminal;
    return setting;
}

// A pseudo-terminal starts in canonical mode; a port cycle sets it raw.
bool lineSet(const PtyPair &pty)
{
    return !pty.line().canonical;
}

// Once the program has set the line of `pty`, so holds the port with its handlers in place.
ProgramSetting signalled(int signal, const PtyPair &pty)
{
    ProgramSetting setting;
    setting.signal = signal;
    setting.signalWhen = [&pty] { return lineSet(pty); };
    return setting;
}

// The command line as main() runs it, on the processes of a test's own table.
Run probe(const QStringList &arguments, const QStringList &environment = {})
{
    return run(QStringLiteral(CLIPROBE), arguments, environment);
}

// Three poses, a second and a half in all, for the link given.
SequenceFile threePoses(bool native = false, int baud = 9600, int rounds = 1)
{
    SequenceFile f;
    f.link = {native, 4, baud};
    f.sequence.poses = {{"rest", {128, 128, 128, 128, 128, 128, 128, 128}},
                        {"up", {200, 60, 128, 128, 128, 128, 128, 128}},
                        {"bow", {128, 128, 40, 40, 214, 214, 128, 128}}};
    f.sequence.steps = {
        {1, 400, 100, Easing::EaseInOut}, {2, 0, 300, Easing::Step}, {0, 500, 200, Easing::Linear}};
    f.sequence.rounds = rounds;
    return f;
}

// The sequence's file with one field changed, as a careless edit or a damaged copy leaves it.
QByteArray edited(const QString &field, const QJsonValue &value)
{
    QJsonObject root = QJsonDocument::fromJson(encodeSequenceFile(threePoses())).object();
    const QStringList path = field.split(QLatin1Char('.'));
    if (path.size() == 1) {
        root[field] = value;
    } else if (path[0] == QLatin1String("link")) {
        QJsonObject link = root[QStringLiteral("link")].toObject();
        link[path[1]] = value;
        root[QStringLiteral("link")] = link;
    } else { // "steps.0.move", "poses.1.positions"
        QJsonArray list = root[path[0]].toArray();
        QJsonObject item = list[path[1].toInt()].toObject();
        item[path[2]] = value;
        list[path[1].toInt()] = item;
        root[path[0]] = list;
    }
    return QJsonDocument(root).toJson();
}

QByteArray bytesOf(const std::vector<std::uint8_t> &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
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
Q_DECLARE_METATYPE(SequenceFile)

class TestCommandLine : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void uploadSendsWhatTheWindowSends_data();
    void uploadSendsWhatTheWindowSends();
    void refusals_data();
    void refusals();
    void listPorts();
    void playArrivesAsPlanned_data();
    void playArrivesAsPlanned();
    void interruptedUploadClosesThePort_data();
    void interruptedUploadClosesThePort();
    void withoutADisplay_data();
    void withoutADisplay();

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
    QTest::addColumn<bool>("latin1Name");  // named in Latin-1, as a file from an old archive
    QTest::addColumn<QString>("language"); // the user's, which changes no byte
    QTest::newRow("Mini SSC, Servo Controller")
        << content(1, 0, 10, 9600, 1843, 5529) << false << QString();
    QTest::newRow("Mini SSC, Servo Controller, in German")
        << content(1, 0, 10, 9600, 1843, 5529) << false << "de";
    QTest::newRow("Quorvel, Servo Controller, in French")
        << content(0, 0, 1000, 14400, 2000, 6000) << false << "fr_FR";
    QTest::newRow("Quorvel, Servo Controller")
        << content(0, 0, 1000, 14400, 2000, 6000) << false << QString();
    QTest::newRow("Mini SSC, Digital Controller")
        << content(1, 1, 255, 57600, 0, 7300) << false << QString();
    QTest::newRow("Quorvel, Digital Controller")
        << content(0, 1, 65535, 115200, 3000, 3040) << false << QString();
    // Servo 0 goes through the bars over their start-up positions; the address through the range.
    QTest::newRow("servo 0 above the start-up end")
        << content(1, 0, 5, 9600, 6000, 7000) << false << QString();
    QTest::newRow("servo 0 end at its start-up place")
        << content(1, 0, 5, 9600, 5500, 5529) << false << QString();
    QTest::newRow("address above the range")
        << content(1, 0, 300, 9600, 1843, 5529) << false << QString();
    QTest::newRow("negative address") << content(0, 0, -7, 9600, 1843, 5529) << false << QString();
    QTest::newRow("a file name that is not UTF-8")
        << content(1, 0, 10, 9600, 1843, 5529) << true << QString();
}

void TestCommandLine::uploadSendsWhatTheWindowSends()
{
    QFETCH(SettingsFileContent, file);
    QFETCH(bool, latin1Name);
    QFETCH(QString, language);
    if (latin1Name && onWindows)
        QSKIP("Windows file names are wide text: none is bytes that are not UTF-8");
    const QString path = write(file);
    QByteArray sent;
    {
        PtyPair viaWindow;
        FreshWindow fresh;
        fresh.desk.fileAnswers = {path};
        fresh.ui.fileLoadSettings->trigger();
        fresh.choosePort(viaWindow.device());
        QTest::mouseClick(fresh.ui.Button1, Qt::LeftButton);
        sent = viaWindow.readAll(20);
    }
    QCOMPARE(sent.size(), 41);

    PtyPair viaCommandLine(false);
    const QString port = QString::fromStdString(viaCommandLine.device());
    Run upload;
    if (latin1Name) {
        // "café.svo" with é as the single byte E9: such a name reaches the program only as bytes,
        // here the byte kept as U+DCE9, which the run passes on as the byte itself.
        const QString latin1 = m_dir.path() + QStringLiteral("/caf\xDCE9.svo");
        QVERIFY(::rename(QFile::encodeName(path).constData(), encodedPath(latin1).c_str()) == 0);
        upload = probe({QStringLiteral("--upload"), latin1, QStringLiteral("--port"), port});
        ::unlink(encodedPath(latin1).c_str()); // a name the test's folder cannot remove itself
    } else {
        upload = probe({QStringLiteral("--upload"), path, QStringLiteral("--port"), port},
                       {QStringLiteral("LANGUAGE=") + language});
    }
    QCOMPARE(upload.err, QByteArray());
    QCOMPARE(upload.status, int(exitDone));
    QCOMPARE(viaCommandLine.readAll(20), sent);
}

void TestCommandLine::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // As given on the command line: PTY the one adapter's node, DIR/ a name in the test's
    // folder, which is also the current folder, SVO the settings file itself.
    QTest::addColumn<QString>("port");
    // "held" by another process; "file" or "fifo" (with a reader) made at the port's path;
    // "terminal": the adapter is the program's controlling terminal; "stalled": it takes no bytes;
    // "adapter as the file" or "a link to the adapter as the file" given in place of the file.
    // --dry-run as the port plays with it instead.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("status");
    // %1 the settings file, %2 the port as given, %3 the holder's pid; empty when it is sent. For
    // a sequence played, how the line on standard output begins.
    QTest::addColumn<QString>("line");
    const auto bytes = encodeSettingsFile(content(1, 0, 0, 9600, 1843, 5529));
    const QByteArray good(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    const auto slow = encodeSettingsFile(content(1, 0, 0, 3592, 1843, 5529));
    const QString notSerial = QStringLiteral("%2: not a serial device");
    const QString terminal = QStringLiteral("%2: a terminal, not a serial device");
    const QString noSuchPort = QStringLiteral("%2: no such port; the ports are COM1 to COM") +
                               (onWindows ? "256." : "4.");
    QTest::newRow("not a settings file")
        << QByteArray("Servo1.2") + good.mid(8) << "PTY"
        << "" << int(exitFileRefused) << "\"%1\" is not a servo settings file.";
    QTest::newRow("rate not achievable")
        << QByteArray(reinterpret_cast<const char *>(slow.data()), qsizetype(slow.size())) << "PTY"
        << "" << int(exitNotAchievable)
        << "The board cannot run at the chosen baud rate. Choose a higher rate before uploading.";
    QTest::newRow("port missing") << good << "DIR/ttyUSB9"
                                  << "" << int(exitPortUnusable) << "%2: no device";
    QTest::newRow("port in use") << good << "PTY"
                                 << "held" << int(exitPortUnusable)
                                 << "%2: in use by tst_commandline (pid %3)";
    QTest::newRow("a regular file") << good << "DIR/notes.txt"
                                    << "file" << int(exitPortUnusable) << notSerial;
    QTest::newRow("the settings file itself") << good << "SVO"
                                              << "" << int(exitPortUnusable) << notSerial;
    QTest::newRow("COM5, with a file of that name here")
        << good << "COM5"
        << "file" << int(exitPortUnusable) << noSuchPort;
    QTest::newRow("COM0") << good << "COM0"
                          << "" << int(exitPortUnusable) << noSuchPort;
    // Windows numbers its ports itself, adapters often from 5 up; the test's COM10 has no device.
    QTest::newRow("COM10") << good << "COM10"
                           << "" << int(exitPortUnusable)
                           << (onWindows ? QStringLiteral("%2: no device") : noSuchPort);
    QTest::newRow("com1 is COM1, not the file of that name here") << good << "com1"
                                                                  << "file" << int(exitDone) << "";
    QTest::newRow("/dev/tty, a pty the controlling terminal")
        << good << "/dev/tty"
        << "terminal" << int(exitPortUnusable) << terminal;
    QTest::newRow("its own terminal by name") << good << "PTY"
                                              << "terminal" << int(exitPortUnusable) << terminal;
    QTest::newRow("/dev/null") << good << "/dev/null"
                               << "" << int(exitPortUnusable) << notSerial;
    QTest::newRow("a port that takes no bytes")
        << good << "PTY"
        << "stalled" << int(exitNotSent)
        << "%2: the port did not take the bytes within 2 seconds; nothing was sent whole.";
    QTest::newRow("a FIFO with a reader") << good << "DIR/fifo"
                                          << "fifo" << int(exitPortUnusable) << notSerial;
    QTest::newRow("COM1: as a Windows user types it") << good << "COM1:"
                                                      << "" << int(exitDone) << "";
    QTest::newRow("a link that leads to itself")
        << good << "DIR/loop"
        << "loop" << int(exitPortUnusable)
        << "%2: cannot be opened: Too many levels of symbolic links";
    // Anyone may write into the lock folder: nothing there can hold up an upload, and only the
    // program that took a lock is named as its holder.
    QTest::newRow("a FIFO as its lock file, never waited on") << good << "PTY"
                                                              << "fifo lock" << int(exitDone) << "";
    QTest::newRow("a binary lock file")
        << good << "PTY"
        << "binary lock" << int(exitPortUnusable) << "%2: in use by sleep (pid 90000179)";
    QTest::newRow("a lock file older than the process it names")
        << good << "PTY"
        << "stale lock" << int(exitPortUnusable) << "%2: a stale lock file names pid 90000002";
    QTest::newRow("held through a name outside /dev, as a bind mount gives")
        << good << "PTY"
        << "bound" << int(exitPortUnusable) << "%2: in use by sleep (pid 90000003)";
    // A row whose bytes are JSON is a sequence file, given to --play: each is refused with one
    // sentence naming what is wrong, and nothing is sent.
    const QString field = QStringLiteral("\"%1\" is not a sequence this program can play: ");
    const QByteArray three = encodeSequenceFile(threePoses());
    QTest::newRow("sequence: not JSON") << QByteArray("{ poses: ") << "PTY"
                                        << "" << int(exitSequenceRefused)
                                        << "\"%1\" is damaged or cut short: unterminated object at "
                                           "byte 3.";
    QTest::newRow("sequence: cut short")
        << three.left(three.size() / 2) << "PTY"
        << "cut" << int(exitSequenceRefused) << "\"%1\" is damaged or cut short";
    QTest::newRow("sequence: another kind of file")
        << edited(QStringLiteral("type"), QStringLiteral("a list")) << "PTY"
        << "" << int(exitSequenceRefused) << "\"%1\" is not a sequence file.";
    QTest::newRow("sequence: a newer version")
        << edited(QStringLiteral("version"), 2) << "PTY"
        << "" << int(exitSequenceRefused)
        << "\"%1\" is a sequence file of version 2, newer than this program reads (1).";
    QTest::newRow("sequence: huge, 100,000 steps")
        << QByteArray("{\"steps\": [") + QByteArray("{\"pose\":0,\"move\":0},").repeated(100'000) +
               "]}"
        << "PTY"
        << "" << int(exitSequenceRefused)
        << "\"%1\" is larger than a sequence file may be (1048576 bytes).";
    QTest::newRow("sequence: a position above 254")
        << edited(QStringLiteral("poses.1.positions"), QJsonArray{1, 2, 3, 255, 5, 6, 7, 8})
        << "PTY"
        << "" << int(exitSequenceRefused)
        << field + "poses[1].positions[3] must be a whole number from 0 to 254.";
    QTest::newRow("sequence: a step names a pose there is not")
        << edited(QStringLiteral("steps.2.pose"), 3) << "PTY"
        << "" << int(exitSequenceRefused)
        << field + "steps[2].pose must be a whole number from 0 to 2.";
    QTest::newRow("sequence: a negative hold")
        << edited(QStringLiteral("steps.0.hold"), -1) << "PTY"
        << "" << int(exitSequenceRefused)
        << field + "steps[0].hold must be a whole number from 0 to 86400000.";
    QTest::newRow("sequence: an unknown easing")
        << edited(QStringLiteral("steps.1.easing"), QStringLiteral("bounce")) << "PTY"
        << "" << int(exitSequenceRefused)
        << field + "steps[1].easing must be \"step\", \"linear\", \"ease-in-out\" or \"ease-out\".";
    QTest::newRow("sequence: no rounds")
        << edited(QStringLiteral("loop"), 0) << "PTY"
        << "" << int(exitSequenceRefused)
        << field + "loop must be a whole number from 1 to 1000000.";
    QTest::newRow("sequence: Mini SSC from address 248, a servo would be 255, the sync byte")
        << edited(QStringLiteral("link.address"), 248) << "PTY"
        << "" << int(exitSequenceRefused)
        << field + "link.address must be a whole number from 0 to 247 in the Mini SSC format, "
                   "whose servo numbers end at 254.";
    QTest::newRow("sequence: a key given twice, the parser would keep the last")
        << QByteArray(three).replace("\"loop\": 1", "\"loop\": 1, \"loop\": \"forever\"") << "PTY"
        << "" << int(exitSequenceRefused) << field + "loop is given twice.";
    QTest::newRow("sequence: a key given twice in a step")
        << QByteArray(three).replace("\"hold\": 300", "\"hold\": 300, \"h\\u006fld\": 1") << "PTY"
        << "" << int(exitSequenceRefused) << field + "steps[1].hold is given twice.";
    QTest::newRow("sequence: a pose of seven positions")
        << edited(QStringLiteral("poses.0.positions"), QJsonArray{1, 2, 3, 4, 5, 6, 7}) << "PTY"
        << "" << int(exitSequenceRefused) << field + "poses[0].positions must be a list of 8.";
    QTest::newRow("sequence: played to com1:, said by its file's name and as COM1")
        << three << "com1:"
        << "" << int(exitDone) << "Played r.svseq to COM1: 1.5 s, ";
    // Given as the file, an adapter is refused without being opened: an open resets a board.
    const QString device = QStringLiteral("\"%1\" is a folder, device or pipe, not a ");
    QTest::newRow("--play an adapter --dry-run")
        << three << "--dry-run"
        << "adapter as the file" << int(exitSequenceRefused) << device + "sequence file.";
    QTest::newRow("--play an adapter --port the sequence, swapped")
        << three << "SVO"
        << "adapter as the file" << int(exitSequenceRefused) << device + "sequence file.";
    QTest::newRow("--play a .svseq link to an adapter")
        << three << "PTY"
        << "a link to the adapter as the file" << int(exitSequenceRefused)
        << device + "sequence file.";
    QTest::newRow("--upload an adapter --port the settings file, swapped")
        << good << "SVO"
        << "adapter as the file" << int(exitFileRefused) << device + "settings file.";
    QTest::newRow("sequence: a rate the board cannot run at")
        << edited(QStringLiteral("link.baudRate"), 3000) << "PTY"
        << "" << int(exitNotAchievable)
        << "\"%1\" is made for 3000 baud, a rate the board cannot run at.";
}

void TestCommandLine::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, port);
    QFETCH(QString, setup);
    QFETCH(int, status);
    QFETCH(QString, line);
    const bool windowsRow =
        (setup.isEmpty() || setup == QLatin1String("stalled") ||
         (setup == QLatin1String("file") && port.startsWith(QLatin1String("DIR/")))) &&
        !port.startsWith(QLatin1Char('/'));
    if (onWindows && !windowsRow)
        QSKIP("POSIX's own: other programs' holds, terminals, pipes, links, lock files, /dev; and "
              "on Windows a file named COM5 or com1 is that device");
    QTemporaryDir here;
    const bool sequence = bytes.startsWith('{');
    QFile file(here.filePath(sequence ? QStringLiteral("r.svseq") : QStringLiteral("r.svo")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    PtyPair pty(setup == QLatin1String("stalled"));
    if (setup == QLatin1String("stalled")) {
        pty.stall();
        pty.letGo();
    }
    FakeTree tree;
    if (!onWindows) // where the system names the port, it is COM1 itself
        tree.plugUsb("ttyUSB0", "1-1", "A1B2", pty.device());
    port.replace(QStringLiteral("PTY"), onWindows
                                            ? QString::fromStdString(pty.device())
                                            : QString::fromStdString(tree.devDir()) + "/ttyUSB0")
        .replace(QStringLiteral("DIR/"), here.path() + '/')
        .replace(QStringLiteral("SVO"), file.fileName());
    const QString target = QDir(here.path()).absoluteFilePath(port);
    const QByteArray notes("notes\n");
    if (setup == QLatin1String("file")) {
        QFile other(target);
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write(notes) == notes.size());
    }
    int reader = -1;
    if (setup == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        reader = ::open(QFile::encodeName(target).constData(), O_RDONLY | O_NONBLOCK);
    }
    if (setup == QLatin1String("loop"))
        QVERIFY(QFile::link(target, target));
    FakeProcesses processes;
    std::optional<HeldByAnotherProcess> other;
    if (setup == QLatin1String("held")) {
        other.emplace(pty.device(), HeldByAnotherProcess::Hold::Open);
        processes.addReal(other->pid());
    }
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    if (setup == QLatin1String("fifo lock"))
        QCOMPARE(::mkfifo((processes.lockDir() + "/LCK..ttyUSB0").c_str(), 0600), 0);
    if (setup == QLatin1String("binary lock")) {
        // Its first byte is the digit 3: read as text, it would name pid 3.
        const qint32 pid = 90000179;
        processes.add(pid, "sleep", now - 60);
        processes.lock("ttyUSB0", QByteArray(reinterpret_cast<const char *>(&pid), sizeof pid));
    }
    if (setup == QLatin1String("stale lock")) {
        processes.add(90000002, "bash", now - 60);
        processes.lock("ttyUSB0", "  90000002\n", now - 3600);
    }
    if (setup == QLatin1String("bound")) {
        const QString outside = here.filePath(QStringLiteral("bound"));
        QVERIFY(QFile::link(QString::fromStdString(pty.device()), outside));
        processes.add(90000003, "sleep", now - 60, {outside.toStdString()});
    }

    QString given = file.fileName();
    if (setup == QLatin1String("adapter as the file"))
        given = QString::fromStdString(pty.device());
    if (setup == QLatin1String("a link to the adapter as the file")) {
        given = here.filePath(QStringLiteral("show.svseq"));
        QVERIFY(QFile::link(QString::fromStdString(pty.device()), given));
    }
    OpenWatch adapterOpens(pty.device());
    QStringList arguments{sequence ? QStringLiteral("--play") : QStringLiteral("--upload"), given,
                          QStringLiteral("--port"), port};
    if (port == QLatin1String("--dry-run"))
        arguments.removeAt(2);

    const Run upload = run(
        QStringLiteral(CLIPROBE), arguments,
        {"CLIPROBE_SYS_CLASS_TTY=" + QString::fromStdString(tree.sysClassTty()),
         "CLIPROBE_DEV=" + QString::fromStdString(tree.devDir()),
         "CLIPROBE_PROC=" + QString::fromStdString(processes.roots().processes),
         "CLIPROBE_LOCKS=" + QString::fromStdString(processes.lockDir()),
         "XDG_STATE_HOME=" + here.filePath(QStringLiteral("state"))},
        inFolder(here.path(), setup == QLatin1String("terminal") ? pty.device() : std::string()));
    QCOMPARE(upload.status, status);
    line.replace(QStringLiteral("%1"), QDir::toNativeSeparators(given))
        .replace(QStringLiteral("%2"), port);
    line.replace(QStringLiteral("%3"), QString::number(other ? other->pid() : 0));
    const bool played = sequence && status == exitDone;
    if (played)
        QVERIFY2(QString::fromUtf8(upload.out).startsWith(line), upload.out.constData());
    else if (setup == QLatin1String("cut")) // the parser's own words and place follow
        QVERIFY2(QString::fromUtf8(upload.err).startsWith(line), upload.err.constData());
    else
        QCOMPARE(QString::fromUtf8(upload.err), line.isEmpty() ? line : line + '\n');
    // Nothing reaches the adapter unless it was the port, and nothing else is touched. Refused,
    // it was not even opened, unless another program or the terminal held it.
    if (played)
        QCOMPARE(upload.err, QByteArray());
    else if (setup != QLatin1String("stalled"))
        QCOMPARE(pty.readAll(20).size(), status == exitDone ? 41 : 0);
    if (!onWindows && status != exitDone && status != exitNotSent &&
        setup != QLatin1String("held") && setup != QLatin1String("terminal"))
        QCOMPARE(adapterOpens.opens(), 0);
    QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == bytes);
    if (setup == QLatin1String("file")) {
        QFile other(target);
        QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == notes);
    }
    if (reader >= 0) {
        char got = 0;
        QVERIFY(::read(reader, &got, 1) <= 0);
        ::close(reader);
    }
}

void TestCommandLine::listPorts()
{
    SKIP_ON_WINDOWS("COM numbers are the system's own on Windows; its list is the zip test's");
    FakeTree tree;
    PtyPair board(false), other(false), locked(false);
    tree.plugUsb("ttyUSB0", "1-1", "A50285BI", board.device());
    tree.plugUsb("ttyUSB1", "1-2", "", other.device());
    tree.plugUsb("ttyUSB2", "1-3", "", locked.device());
    QTemporaryDir state;
    FakeProcesses processes;
    // A live program's lock file, shown as the upload would refuse it.
    processes.add(90000004, "minicom", QDateTime::currentSecsSinceEpoch() - 60);
    processes.lock("ttyUSB2", "  90000004 minicom root\n");
    const QStringList environment{
        "CLIPROBE_SYS_CLASS_TTY=" + QString::fromStdString(tree.sysClassTty()),
        "CLIPROBE_DEV=" + QString::fromStdString(tree.devDir()),
        "CLIPROBE_PROC=" + QString::fromStdString(processes.roots().processes),
        "CLIPROBE_LOCKS=" + QString::fromStdString(processes.lockDir()),
        "XDG_STATE_HOME=" + state.path()};
    const QString dev = QString::fromStdString(tree.devDir());
    {
        HeldByAnotherProcess holder(other.device(), HeldByAnotherProcess::Hold::Open);
        processes.addReal(holder.pid());
        OpenWatch boardOpens(board.device()), otherOpens(other.device());
        const Run list =
            run(QStringLiteral(CLIPROBE), {QStringLiteral("--list-ports")}, environment);
        QCOMPARE(list.status, int(exitDone));
        QCOMPARE(
            QString::fromUtf8(list.out),
            QStringLiteral("COM1: %1/ttyUSB0 \u2014 FTDI FT232R USB UART, serial A50285BI: "
                           "can be opened\nCOM2: %1/ttyUSB1 \u2014 FTDI FT232R USB UART: in use "
                           "by tst_commandline (pid %2)\nCOM3: %1/ttyUSB2 \u2014 FTDI FT232R USB "
                           "UART: in use by minicom (pid 90000004)\nCOM4: no device\n")
                .arg(dev)
                .arg(holder.pid()));
        // Listing looks at the devices without opening them.
        QCOMPARE(boardOpens.opens() + otherOpens.opens(), 0);
    }

    // The next run, the board unplugged and the other adapter now on its node: COM1 still
    // stands for the board, and an upload to COM1 goes nowhere.
    tree.unplugUsb();
    tree.plugUsb("ttyUSB0", "1-2", "", other.device());
    const Run list = run(QStringLiteral(CLIPROBE), {QStringLiteral("--list-ports")}, environment);
    QCOMPARE(QString::fromUtf8(list.out),
             QStringLiteral("COM1: %1/ttyUSB0 \u2014 FTDI FT232R USB UART, serial A50285BI: not "
                            "connected\nCOM2: %1/ttyUSB0 \u2014 FTDI FT232R USB UART: can be "
                            "opened\nCOM3: %1/ttyUSB2 \u2014 FTDI FT232R USB UART: not "
                            "connected\nCOM4: no device\n")
                 .arg(dev));
    const Run upload = run(QStringLiteral(CLIPROBE),
                           {QStringLiteral("--upload"), write(content(1, 0, 0, 9600, 1843, 5529)),
                            QStringLiteral("--port"), QStringLiteral("COM1")},
                           environment);
    QCOMPARE(upload.status, int(exitPortUnusable));
    QCOMPARE(upload.err,
             QByteArray("COM1 (FTDI FT232R USB UART, serial A50285BI) is not connected\n"));
    QCOMPARE(other.readAll(20), QByteArray());
}

void TestCommandLine::playArrivesAsPlanned_data()
{
    // "" plays to the end; "signal" interrupts a sequence that goes round for ever with the
    // signal 128 below the status; "unplugged" takes its adapter away in the middle.
    QTest::addColumn<SequenceFile>("sequence");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("status");
    QTest::newRow("Mini SSC at 115200")
        << threePoses(false, 115200) << QStringList() << "" << int(exitDone);
    QTest::newRow("native at 9600, two rounds by --loop")
        << threePoses(true, 9600) << QStringList{"--loop", "2"} << "" << int(exitDone);
    QTest::newRow("Mini SSC at 4800: five servos a frame")
        << threePoses(false, 4800) << QStringList() << "" << int(exitDone);
    QTest::newRow("Ctrl+C stops it and frees the port")
        << threePoses(false, 9600, 0) << QStringList() << "signal" << 128 + SIGINT;
    QTest::newRow("an alarm stops it and frees the port")
        << threePoses(false, 9600, 0) << QStringList() << "signal" << 128 + SIGALRM;
    QTest::newRow("the CPU time limit's signal stops it and frees the port")
        << threePoses(false, 9600, 0) << QStringList() << "signal" << 128 + SIGXCPU;
    QTest::newRow("a real-time signal stops it and frees the port")
        << threePoses(true, 9600, 0) << QStringList() << "signal" << 128 + int(SIGRTMIN);
    QTest::newRow("unplugged in the middle")
        << threePoses(true, 115200, 0) << QStringList() << "unplugged" << int(exitNotSent);
}

void TestCommandLine::playArrivesAsPlanned()
{
    QFETCH(SequenceFile, sequence);
    QFETCH(QStringList, options);
    QFETCH(QString, event);
    QFETCH(int, status);
    if (onWindows && !event.isEmpty())
        QSKIP("Signals are POSIX's, and Wine's COM1 cannot be unplugged");
    const QString path = m_dir.filePath(QStringLiteral("three.svseq"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(encodeSequenceFile(sequence)) > 0);
    file.close();
    PtyPair pty(false);
    ProgramSetting setting;
    if (event == QLatin1String("signal"))
        setting = signalled(status - 128, pty);
    std::optional<std::thread> unplug;
    if (event == QLatin1String("unplugged"))
        unplug.emplace([&pty] {
            for (int i = 0; i < 6000 && !lineSet(pty); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            pty.remove();
        });
    const Run play = run(QStringLiteral(CLIPROBE),
                         QStringList{QStringLiteral("--play"), path, QStringLiteral("--port"),
                                     QString::fromStdString(pty.device())} +
                             options,
                         {}, setting);
    if (unplug)
        unplug->join();
    QCOMPARE(play.status, status);
    if (!event.isEmpty()) {
        QVERIFY(!play.err.isEmpty()); // one sentence saying why it stopped
        if (event == QLatin1String("signal"))
            QVERIFY(!pty.exclusive()); // the port is left free
        return;
    }
    if (options.size() == 2)
        sequence.sequence.rounds = options[1].toInt();
    // What a busy machine cannot change: the first frame, whole frames only and in their order,
    // and every servo on the last pose at the end. Which frames were late is the benchmark's.
    const std::vector<PlannedFrame> planned = planFrames(Player(sequence.sequence), sequence.link);
    const QByteArray arrived = pty.readAll(300);
    QVERIFY(arrived.startsWith(bytesOf(planned.front().bytes)));
    const Positions last =
        sequence.sequence.poses[size_t(sequence.sequence.steps.back().pose)].positions;
    if (sequence.link.nativeFormat) {
        QCOMPARE(arrived.size() % 13, 0);
        size_t next = 0; // each frame arrived is one planned, in the planned order
        for (qsizetype at = 0; at < arrived.size(); at += 13, ++next) {
            while (next < planned.size() && bytesOf(planned[next].bytes) != arrived.mid(at, 13))
                ++next;
            QVERIFY2(next < planned.size(), qPrintable(arrived.mid(at, 13).toHex(' ')));
        }
        QVERIFY(arrived.endsWith(bytesOf(planned.back().bytes)));
    } else {
        QCOMPARE(arrived.size() % 3, 0);
        Positions board{};
        for (qsizetype at = 0; at < arrived.size(); at += 3) {
            const int servo = std::uint8_t(arrived[at + 1]) - sequence.link.address;
            QVERIFY(arrived[at] == '\xff' && servo >= 0 && servo < poseServos);
            board[size_t(servo)] = std::uint8_t(arrived[at + 2]);
        }
        QCOMPARE(bytesOf({board.begin(), board.end()}).toHex(),
                 bytesOf({last.begin(), last.end()}).toHex());
    }
    QCOMPARE(pty.line().speed, unsigned(sequence.link.baud));
    QVERIFY2(play.out.startsWith("Played "), play.out.constData());
}

void TestCommandLine::interruptedUploadClosesThePort_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("play"); // --play, run here with a stall limit of a minute
    QTest::newRow("Ctrl+C") << int(SIGINT) << false;
    QTest::newRow("termination") << int(SIGTERM) << false;
    QTest::newRow("hang-up, as when an SSH session ends") << int(SIGHUP) << false;
    QTest::newRow("quit") << int(SIGQUIT) << false;
    QTest::newRow("broken pipe") << int(SIGPIPE) << false;
    QTest::newRow("user signal 1") << int(SIGUSR1) << false;
    QTest::newRow("user signal 2") << int(SIGUSR2) << false;
    QTest::newRow("an alarm") << int(SIGALRM) << false;
    QTest::newRow("--play: Ctrl+C ends the stalled write") << int(SIGINT) << true;
    QTest::newRow("--play: termination ends the stalled write") << int(SIGTERM) << true;
    QTest::newRow("--play: a hang-up ends the stalled write") << int(SIGHUP) << true;
}

void TestCommandLine::interruptedUploadClosesThePort()
{
    SKIP_ON_WINDOWS("Signals are POSIX's; a console's Ctrl+C cannot be sent to a child under Wine");
    QFETCH(int, signal);
    QFETCH(bool, play);
    PtyPair pty;
    pty.stall();
    const QString port = QString::fromStdString(pty.device());
    if (play) {
        // The signal reaches a thread other than the playback's, as Ctrl+C mostly does: the
        // playback's write must see it by itself, long before a minute's stall limit.
        const QString path = m_dir.filePath(QStringLiteral("stalled.svseq"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write(encodeSequenceFile(threePoses(true, 9600, 0))) > 0);
        file.close();
        const FakeProcesses nobody;
        PortLink link({}, {}, nobody.roots(), StallMemory(std::chrono::minutes(1)));
        QString said, errors;
        QTextStream out(&said), err(&errors);
        std::thread signaller([&pty, signal] {
            // Its handlers are in place once it has set the line (an emulator cannot tell the
            // exclusive mode); the stall limit is a minute away.
            for (int i = 0; i < 6000 && !lineSet(pty); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            std::this_thread::sleep_for(std::chrono::milliseconds(300)); // well into the stall
            std::raise(signal);
        });
        const auto began = std::chrono::steady_clock::now();
        const int status = playFile({path, port, std::nullopt, false}, link, out, err);
        const auto took = std::chrono::steady_clock::now() - began;
        signaller.join();
        resetPortWaitInterruption(); // the program would have ended here
        QCOMPARE(status, 128 + signal);
        QCOMPARE(errors, port + QStringLiteral(
                                    ": interrupted; the playback stopped and the port is free.\n"));
        QVERIFY(took < std::chrono::seconds(30)); // not the stall limit
        QVERIFY(!pty.exclusive());
        return;
    }
    pty.letGo();
    // Signalled well inside the 2 seconds it waits for the stalled port.
    const Run upload = run(QStringLiteral(CLIPROBE),
                           {QStringLiteral("--upload"), write(content(1, 0, 0, 9600, 1843, 5529)),
                            QStringLiteral("--port"), port},
                           {}, signalled(signal, pty));
    QCOMPARE(upload.status, 128 + signal); // not killed by it
    QCOMPARE(upload.err,
             (port + QStringLiteral(": interrupted; nothing was sent whole.\n")).toUtf8());
    QVERIFY(!pty.exclusive()); // the next upload finds the port free
}

void TestCommandLine::withoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output"); // a file, "|" for a pipe whose reader has gone
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out"); // what standard output holds, or begins with
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("help") << QStringList{"--help"} << QString() << int(exitDone)
                          << QByteArray("Usage: ") << QByteArray();
    QTest::newRow("-?") << QStringList{"-?"} << QString() << int(exitDone) << QByteArray("Usage: ")
                        << QByteArray();
    QTest::newRow("help with the toolkit's options")
        << QStringList{"--help-all"} << QString() << int(exitDone) << QByteArray("Usage: ")
        << QByteArray();
    QTest::newRow("version") << QStringList{"--version"} << QString() << int(exitDone)
                             << QByteArray("corvantis-panel 1.0.0\n") << QByteArray();
    QTest::newRow("a typo") << QStringList{"--list-port"} << QString() << int(exitUsage)
                            << QByteArray() << QByteArray("Unknown option 'list-port'.\n");
    QTest::newRow("a missing value")
        << QStringList{"--upload"} << QString() << int(exitUsage) << QByteArray()
        << QByteArray("Missing value after '--upload'.\n");
    QTest::newRow("upload without port")
        << QStringList{"--upload", "f.svo"} << QString() << int(exitUsage) << QByteArray()
        << QByteArray("--upload and --port go together.\n");
    QTest::newRow("output to a full disk")
        << QStringList{"--version"} << QStringLiteral("/dev/full") << int(exitNoOutput)
        << QByteArray() << QByteArray("corvantis-panel: the output could not be written.\n");
    QTest::newRow("help into a pipe nobody reads")
        << QStringList{"--help"} << QStringLiteral("|") << int(exitNoOutput) << QByteArray()
        << QByteArray("corvantis-panel: the output could not be written.\n");
    QTest::newRow("play, dry run: each frame's time and bytes")
        << QStringList{"--play", EXAMPLES "/wave.svseq", "--dry-run"} << QString() << int(exitDone)
        << QByteArray("0 FF 00 80 FF 01 80 FF 02 80 FF 03 80 FF 04 80 FF 05 80 FF 06 80 FF 07 80\n"
                      "100 FF 00 81 FF 01 7F\n")
        << QByteArray();
    QTest::newRow("play without a port")
        << QStringList{"--play", "a.svseq"} << QString() << int(exitUsage) << QByteArray()
        << QByteArray("--play needs --port, or --dry-run.\n");
    QTest::newRow("help in German, and the toolkit's words too")
        << QStringList{"LANGUAGE=de", "--help"} << QString() << int(exitDone)
        << QByteArray("Aufruf: ") << QByteArray();
    QTest::newRow("help in German, named by LANG")
        << QStringList{"LC_ALL=", "LC_MESSAGES=", "LANG=de_DE.UTF-8", "--help-all"} << QString()
        << int(exitDone) << QByteArray("Aufruf: ") << QByteArray();
    QTest::newRow("in French") << QStringList{"LANGUAGE=fr_FR:fr", "--upload", "f.svo"} << QString()
                               << int(exitUsage) << QByteArray()
                               << QByteArray("--upload et --port vont ensemble.\n");
    QTest::newRow("in German, the toolkit's sentence")
        << QStringList{"LANGUAGE=de", "--list-port"} << QString() << int(exitUsage) << QByteArray()
        << QByteArray("Unbekannte Option 'list-port'.\n");
    QTest::newRow("a language without a catalogue is English")
        << QStringList{"LANGUAGE=eo", "--play", "a.svseq"} << QString() << int(exitUsage)
        << QByteArray() << QByteArray("--play needs --port, or --dry-run.\n");
    QTest::newRow("the C locale is English, whatever LANGUAGE says")
        << QStringList{"LC_ALL=C", "LANGUAGE=de", "--upload", "a.svo",
                       "--upload", "b.svo",       "--port",   "COM1"}
        << QString() << int(exitUsage) << QByteArray() << QByteArray("Give --upload once.\n");
    QTest::newRow("upload given twice")
        << QStringList{"--upload", "a.svo", "--upload", "b.svo", "--port", "COM1"} << QString()
        << int(exitUsage) << QByteArray() << QByteArray("Give --upload once.\n");
}

void TestCommandLine::withoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    if (onWindows && !output.isEmpty())
        QSKIP("The full disk and the closed pipe are POSIX's stand-ins");
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    ProgramSetting setting;
    setting.output = output;
    // Leading NAME=value words set the environment, as in a shell.
    QStringList environment;
    while (!arguments.isEmpty() && arguments.first().contains(QLatin1Char('=')))
        environment << arguments.takeFirst();
    if (onWindows && !environment.isEmpty())
        QSKIP("Windows takes the display language, not the environment's");
    const Run done = run(QStringLiteral(PANEL), arguments, environment, setting);
    QCOMPARE(done.status, status); // -1 for an abort for want of a display
    QVERIFY2(done.out.startsWith(out), qPrintable(QString::fromUtf8(done.out)));
    QCOMPARE(done.err, err);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
