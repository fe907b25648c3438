// Saving and loading .svo files: the exact bytes, every path through the loader, and the save that
// must never destroy an existing file.
#include "app/texts.h"
#include "app/tform1.h"
#include "link/plainfile.h"
#include "settings/svofile.h"
#include "tests/fakedesktop.h"
#include "tests/otherprocess.h"
#include "tests/platform.h"
#include "tests/ptypair.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray le32(qint32 v)
{
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i)
        b[i] = char(quint32(v) >> (8 * i));
    return b;
}

QByteArray fileBytes(qint32 address, qint32 baud, qint32 format, qint32 function,
                     const QList<QPair<qint32, qint32>> &pairs)
{
    QByteArray b("Servo1.3");
    b += le32(address) + le32(baud) + le32(format) + le32(function);
    for (int servo = 0; servo < 8; ++servo) {
        const auto pair = servo < pairs.size() ? pairs[servo] : qMakePair(1843, 5529);
        b += le32(pair.first) + le32(pair.second);
    }
    return b;
}

const QByteArray startUpFile = fileBytes(0, 9600, 1, 0, {});

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void codecRoundTrip();
    void decodeRejects_data();
    void decodeRejects();

    void savesTheStartUpSettings();
    void cancelledDialogsDoNothing();
    void saveThenLoadRestoresEverythingAndSendsNothing();
    void savedFileReadsBackByteIdentical();
    void fileThatIsNotASettingsFileRestoresNothing_data();
    void fileThatIsNotASettingsFileRestoresNothing();
    void windowsReservesDeviceNames();
    void nonZeroCodesChooseTheSecondButton();
    void unchangedChoicesRunNoRadioHandler();
    void loadedRateIsRecalculated();
    void addressCheckedAgainstTheFilesOwnChoices_data();
    void addressCheckedAgainstTheFilesOwnChoices();
    void savedFileLoadsBackInAFreshWindow_data();
    void savedFileLoadsBackInAFreshWindow();
    void loadedStartAboveTheOldEndIsMovedDown();
    void bytesAfterThe88thAreIgnored();
    void failedSaveLeavesTheExistingFileIntact_data();
    void failedSaveLeavesTheExistingFileIntact();
    void saveThatCannotBeWrittenIsReported_data();
    void saveThatCannotBeWrittenIsReported();
    void saveAsksBeforeReplacing_data();
    void saveAsksBeforeReplacing();
    void fileHeldByAnotherProgramIsNotRead();

  private:
    std::unique_ptr<FreshWindow> m_fresh;
    std::unique_ptr<QTemporaryDir> m_dir;
    TForm1 *form() { return m_fresh->form.get(); }
    Controls &ui() { return m_fresh->ui; }
    FakeDesktop &desk() { return m_fresh->desk; }
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void save(const QString &file);
    void load(const QString &file);
    static void write(const QString &file, const QByteArray &bytes);
    static QByteArray read(const QString &file);
};

void TestSettingsFile::init()
{
    m_fresh = std::make_unique<FreshWindow>();
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestSettingsFile::cleanup()
{
    m_fresh.reset();
    m_dir.reset();
}

void TestSettingsFile::save(const QString &file)
{
    desk().fileAnswers.push_back(file);
    ui().fileSaveSettings->trigger();
}

void TestSettingsFile::load(const QString &file)
{
    desk().fileAnswers.push_back(file);
    ui().fileLoadSettings->trigger();
}

void TestSettingsFile::write(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray TestSettingsFile::read(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestSettingsFile::codecRoundTrip()
{
    SettingsFileContent content;
    content.address = -7;
    content.baudRate = 2147483647;
    content.formatCode = 7;
    content.functionCode = -1;
    for (int i = 0; i < 8; ++i) {
        content.sweepStarts[i] = i * 1000;
        content.sweepEnds[i] = 7300 - i * 40;
    }
    content.sweepEnds[7] = 7000; // start and end may meet
    const auto bytes = encodeSettingsFile(content);
    QCOMPARE(decodeSettingsFile(bytes).content, std::optional(content));
}

void TestSettingsFile::decodeRejects_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray lower = startUpFile;
    lower[0] = 's';
    QTest::newRow("case of one letter") << lower;
    QByteArray digit = startUpFile;
    digit[7] = '4';
    QTest::newRow("one digit") << digit;
    QByteArray zero = startUpFile;
    zero[5] = '\0';
    QTest::newRow("zero byte in the tag") << zero;
    QTest::newRow("five letters of the tag") << QByteArray("Servo");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("tag only") << QByteArray("Servo1.3");
    QTest::newRow("tagged but one byte short") << startUpFile.left(87);
}

void TestSettingsFile::decodeRejects()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!decodeSettingsFile(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                          size_t(bytes.size())))
                 .content);
}

void TestSettingsFile::savesTheStartUpSettings()
{
    save(path("start.svo"));
    QCOMPARE(read(path("start.svo")).toHex(' '), startUpFile.toHex(' '));
    QCOMPARE(desk().fileRequests.size(), size_t(1));
    const Desktop::FileDialogRequest &request = desk().fileRequests[0];
    QVERIFY(request.kind == Desktop::FileDialogKind::Save);
    QCOMPARE(request.title, QStringLiteral("Save Servo Settings"));
    QCOMPARE(request.filter, QStringLiteral("Servo Setup Files  *.svo|*.svo"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("svo"));
    QVERIFY(desk().boxes.empty());
}

void TestSettingsFile::cancelledDialogsDoNothing()
{
    ui().Selector->setPosition(5);
    desk().fileAnswers.push_back(QString());
    ui().fileLoadSettings->trigger();
    QCOMPARE(ui().Selector->position(), 5); // cancelled before the selector moves
    const Desktop::FileDialogRequest &request = desk().fileRequests[0];
    QVERIFY(request.kind == Desktop::FileDialogKind::Open);
    QCOMPARE(request.title, QStringLiteral("Open Servo Settings"));
    QCOMPARE(request.filter, QStringLiteral("Servo Setup Files *.svo|*.svo"));
    QCOMPARE(request.defaultSuffix, QString());
    desk().fileAnswers.push_back(QString());
    ui().fileSaveSettings->trigger();
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void TestSettingsFile::saveThenLoadRestoresEverythingAndSendsNothing()
{
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    ui().RadioButton4->setChecked(true);
    ui().RadioButton7->setChecked(true);
    ui().Edit1->setText(QStringLiteral("4242"));
    ui().baudSelector->setText(QStringLiteral("57600"));
    for (int servo = 0; servo < 8; ++servo) {
        form()->record().sweepStarts[servo] = 100 * servo;
        form()->record().sweepEnds[servo] = 7000 - 10 * servo;
    }
    ui().Selector->setPosition(3);
    const ServoSettings before = form()->record();
    pty.readAll(50);

    save(path("all.svo"));
    load(path("all.svo"));

    QCOMPARE(ui().Edit1->text(), QStringLiteral("4242"));
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("57600"));
    QVERIFY(ui().RadioButton4->isChecked());
    QVERIFY(ui().RadioButton7->isChecked());
    QCOMPARE(form()->record().sweepStarts, before.sweepStarts);
    QCOMPARE(form()->record().sweepEnds, before.sweepEnds);
    QCOMPARE(ui().Selector->position(), 0);
    QCOMPARE(ui().startSweep->position(), 0);
    QCOMPARE(ui().endSweep->position(), 7000);
    QCOMPARE(pty.readAll(50), QByteArray());
    QVERIFY(desk().boxes.empty());
    QCOMPARE(desk().beeps, 0);
}

void TestSettingsFile::savedFileReadsBackByteIdentical()
{
    write(path("given.svo"), fileBytes(300, 115200, 0, 1, {{10, 20}, {30, 7300}, {0, 0}}));
    load(path("given.svo"));
    save(path("first.svo"));
    load(path("first.svo"));
    save(path("second.svo"));
    QCOMPARE(read(path("second.svo")), read(path("first.svo")));
    QCOMPARE(read(path("first.svo")).size(), 88);
}

void TestSettingsFile::fileThatIsNotASettingsFileRestoresNothing_data()
{
    // "file" with these bytes, "markup" the same with markup and an escape in its name,
    // "missing", "fifo", "folder", "adapter" (a pseudo-terminal's own node), "adapter link" (a
    // link to one) or "reserved" (COM1.svo, a device on Windows)
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("why"); // the message after the quoted path
    const QString notOne = QStringLiteral("is not a servo settings file.");
    QByteArray lower = fileBytes(99, 4800, 0, 1, {{1, 2}});
    lower[1] = 'E';
    QTest::newRow("case of one letter") << "file" << lower << notOne;
    QByteArray digit = fileBytes(99, 4800, 0, 1, {{1, 2}});
    digit[5] = '2';
    QTest::newRow("one digit") << "file" << digit << notOne;
    QTest::newRow("five bytes") << "file" << QByteArray("Servo") << notOne;
    QTest::newRow("empty file") << "file" << QByteArray() << notOne;
    QTest::newRow("a name with markup and an escape, shown as it is")
        << "markup" << QByteArray("Servo") << notOne;
    QByteArray zero = fileBytes(99, 4800, 0, 1, {{1, 2}});
    zero[3] = '\0';
    QTest::newRow("zero byte in the tag") << "file" << zero << notOne;
    QTest::newRow("tagged but short")
        << "file" << fileBytes(99, 4800, 0, 1, {{1, 2}}).left(60)
        << "is cut short: a servo settings file has 88 bytes, this one 60.";
    QTest::newRow("sweep outside the bars")
        << "file" << fileBytes(99, 4800, 0, 1, {{1, 2}, {-500, 9000}})
        << "gives servo 1 a sweep outside 0 to 7300.";
    QTest::newRow("start above end") << "file" << fileBytes(99, 4800, 0, 1, {{1, 2}, {6000, 1000}})
                                     << "gives servo 1 a start of sweep above its end.";
    // In the system's own words, as the system gives them for its code 2, a file not there.
    QTest::newRow("no such file") << "missing" << QByteArray()
                                  << "could not be opened: " + Texts::systemReason(2) + ".";
    const QString notRegular = QStringLiteral("is a folder, device or pipe, not a settings file.");
    QTest::newRow("FIFO, opened without waiting for a writer")
        << "fifo" << QByteArray() << notRegular;
    QTest::newRow("folder") << "folder" << QByteArray() << notRegular;
    QTest::newRow("a serial adapter, never opened") << "adapter" << QByteArray() << notRegular;
    QTest::newRow("a link to a serial adapter, never opened")
        << "adapter link" << QByteArray() << notRegular;
    QTest::newRow("COM1.svo, a device on Windows")
        << "reserved" << QByteArray()
        << "is not a file: Windows reserves that name for a device, whatever its folder or "
           "extension.";
}

void TestSettingsFile::fileThatIsNotASettingsFileRestoresNothing()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    if (onWindows && (kind == QLatin1String("markup") || kind == QLatin1String("fifo") ||
                      kind.startsWith(QLatin1String("adapter"))))
        QSKIP("A Windows file name cannot hold < > or control characters; FIFOs, links and "
              "pseudo-terminals are POSIX's");
    if (!onWindows && kind == QLatin1String("reserved"))
        QSKIP("COM1.svo is a file like any other outside Windows");
    PtyPair pty(false);
    QString file = path(kind == QLatin1String("markup")     ? "<h1>BIG\x1b.svo"
                        : kind == QLatin1String("reserved") ? "COM1.svo"
                                                            : "other.svo");
    OpenWatch adapterOpens(pty.device());
    if (kind == QLatin1String("adapter"))
        file = QString::fromStdString(pty.device());
    else if (kind == QLatin1String("adapter link"))
        QVERIFY(QFile::link(QString::fromStdString(pty.device()), file));
    if (kind == QLatin1String("file") || kind == QLatin1String("markup"))
        write(file, bytes);
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("other.svo")));
    form()->record().sweepStarts[5] = 2000;
    ui().Selector->setPosition(5);
    const ServoSettings before = form()->record();

    load(file);

    QCOMPARE(ui().Selector->position(), 0); // moved first, whatever follows
    QCOMPARE(ui().Label6->text(), QStringLiteral("Servo 0"));
    QCOMPARE(ui().startSweep->position(), 1843);
    QCOMPARE(form()->record().sweepStarts, before.sweepStarts);
    QCOMPARE(form()->record().sweepEnds, before.sweepEnds);
    QCOMPARE(ui().Edit1->text(), QStringLiteral("0"));
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("9600"));
    QVERIFY(ui().RadioButton5->isChecked());
    QVERIFY(ui().RadioButton6->isChecked());
    QCOMPARE(desk().boxes.size(), size_t(1));
    QCOMPARE(desk().boxes[0].kind, QStringLiteral("message"));
    QCOMPARE(desk().boxes[0].caption, QStringLiteral("Open Servo Settings"));
    QCOMPARE(desk().boxes[0].text,
             '"' + QDir::toNativeSeparators(file).replace(QChar(0x1b), QStringLiteral("\\x1b")) +
                 "\" " + why);
    if (kind.startsWith(QLatin1String("adapter")))
        QCOMPARE(adapterOpens.opens(), 0);
}

void TestSettingsFile::windowsReservesDeviceNames()
{
    // Devices on Windows in any folder, with any extension: never opened as files there.
    for (const char *name : {"COM1.svo", "com9.svseq", "C:\\shows\\NUL.svo", "CON", "aux",
                             "Prn.a.b", "LPT1 .svo", "nul:", "COM\u00b9.svo", "lpt\u00b3"})
        QVERIFY2(windowsReservedName(name), name);
    for (const char *name : {"COM10.svo", "COM0", "console.svo", "COM1x.svo", "COM1/a.svo", ""})
        QVERIFY2(!windowsReservedName(name), name);
}

void TestSettingsFile::nonZeroCodesChooseTheSecondButton()
{
    write(path("codes.svo"), fileBytes(0, 9600, 7, -1, {}));
    ui().RadioButton4->setChecked(true);
    load(path("codes.svo"));
    QVERIFY(ui().RadioButton5->isChecked()); // 7: "Mini SSC"
    QVERIFY(ui().RadioButton7->isChecked()); // -1: "Digital Controller"
    QVERIFY(ui().travel->isHidden());
}

void TestSettingsFile::unchangedChoicesRunNoRadioHandler()
{
    write(path("same.svo"), fileBytes(5, 9600, 1, 0, {}));
    QList<QSignalSpy *> spies;
    for (RadioButton *b :
         {ui().RadioButton4, ui().RadioButton5, ui().RadioButton6, ui().RadioButton7})
        spies << new QSignalSpy(b, &RadioButton::becameChecked);
    load(path("same.svo"));
    for (QSignalSpy *spy : spies) {
        QCOMPARE(spy->count(), 0);
        delete spy;
    }
    QCOMPARE(ui().Edit1->text(), QStringLiteral("5"));
    QCOMPARE(ui().Edit1->maxChars(), 5); // RadioButton5Click did not run
}

void TestSettingsFile::loadedRateIsRecalculated()
{
    write(path("rate.svo"), fileBytes(0, 57600, 1, 0, {})); // the choices stay as they are
    load(path("rate.svo"));
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("57600"));
    QCOMPARE(ui().Label50->text(), QStringLiteral("57600"));
    QCOMPARE(form()->record().baudDivisor, 15);

    write(path("rate2.svo"), fileBytes(0, 1000000, 0, 0, {}));
    load(path("rate2.svo"));
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("1000000")); // longer than typing allows
    QCOMPARE(form()->record().baudDivisor, 0);
    QCOMPARE(ui().Label8->text(), QStringLiteral("3327"));
}

void TestSettingsFile::addressCheckedAgainstTheFilesOwnChoices_data()
{
    QTest::addColumn<QString>("before"); // in the field, under Quorvel and Digital Controller
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("beeps");
    QTest::newRow("pulled back under the file's Mini SSC")
        << "0" << fileBytes(1000, 9600, 1, 0, {}) << "247"
        << "0 - 247" << 1;
    QTest::newRow("negative, pulled up") << "0" << fileBytes(-5, 9600, 0, 1, {}) << "0"
                                         << "0 - 65535" << 1;
    QTest::newRow("a large address in the field is not checked")
        << "65530" << fileBytes(5, 9600, 1, 0, {}) << "5"
        << "0 - 247" << 0;
    QTest::newRow("an empty field raises no error") << "" << fileBytes(7, 9600, 1, 1, {}) << "7"
                                                    << "0 - 255" << 0;
}

void TestSettingsFile::addressCheckedAgainstTheFilesOwnChoices()
{
    QFETCH(QString, before);
    QFETCH(QByteArray, file);
    QFETCH(QString, address);
    QFETCH(QString, range);
    QFETCH(int, beeps);
    ui().RadioButton4->setChecked(true);
    ui().RadioButton7->setChecked(true);
    ui().Edit1->setText(before);
    write(path("address.svo"), file);
    load(path("address.svo"));
    QCOMPARE(ui().Edit1->text(), address);
    QCOMPARE(ui().Label1->text(), range);
    QCOMPARE(desk().beeps, beeps);
    QVERIFY(desk().boxes.empty());
}

void TestSettingsFile::savedFileLoadsBackInAFreshWindow_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<bool>("digital");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("rate");
    QTest::newRow("Quorvel, Servo Controller") << true << false << "1000"
                                               << "57600";
    QTest::newRow("Mini SSC, Servo Controller, as a fresh window has them")
        << false << false << "247"
        << "14400";
    QTest::newRow("Quorvel, Digital Controller") << true << true << "65535"
                                                 << "4800";
    QTest::newRow("Mini SSC, Digital Controller") << false << true << "255"
                                                  << "115200";
}

void TestSettingsFile::savedFileLoadsBackInAFreshWindow()
{
    QFETCH(bool, native);
    QFETCH(bool, digital);
    QFETCH(QString, address);
    QFETCH(QString, rate);
    PtyPair pty;
    const auto uploaded = [&] { // what the window shows, then the upload on the wire
        m_fresh->choosePort(pty.device());
        pty.readAll(50);
        QTest::mouseClick(ui().Button1, Qt::LeftButton);
        return QStringList{ui().Edit1->text(),   ui().Label1->text(),
                           ui().Label50->text(), ui().Label7->text(),
                           ui().Label8->text(),  QString::fromLatin1(pty.read(41).toHex(' '))};
    };
    (native ? ui().RadioButton4 : ui().RadioButton5)->setChecked(true);
    (digital ? ui().RadioButton7 : ui().RadioButton6)->setChecked(true);
    ui().Edit1->setText(address);
    ui().baudSelector->lineEdit()->selectAll();
    QTest::keyClicks(ui().baudSelector, rate);
    for (int servo = 0; servo < 8; ++servo) {
        form()->record().sweepStarts[servo] = 100 * servo;
        form()->record().sweepEnds[servo] = 7300 - 30 * servo;
    }
    const QStringList saved = uploaded();
    save(path("board.svo"));

    m_fresh.reset();
    m_fresh = std::make_unique<FreshWindow>();
    load(path("board.svo"));
    QCOMPARE(uploaded(), saved);
    QCOMPARE(desk().beeps, 0);
    QVERIFY(desk().boxes.empty());
}

void TestSettingsFile::loadedStartAboveTheOldEndIsMovedDown()
{
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    write(path("start.svo"), fileBytes(0, 9600, 1, 0, {{6000, 7000}, {6000, 7000}}));
    load(path("start.svo"));
    // Set while the end bar still shows 5529: pulled down to 5429 and stored so.
    QCOMPARE(form()->record().sweepStarts[0], 5429);
    QCOMPARE(form()->record().sweepEnds[0], 7000);
    QCOMPARE(form()->record().sweepStarts[1], 6000); // the other servos are taken as stored
    QCOMPARE(ui().startSweep->position(), 5429);
    QCOMPARE(ui().endSweep->position(), 7000);
    const QByteArray expected = liveBytes(0, 5429) + liveBytes(0, 5429) + liveBytes(0, 7000);
    QCOMPARE(pty.read(expected.size()).toHex(' '), expected.toHex(' '));
}

void TestSettingsFile::bytesAfterThe88thAreIgnored()
{
    write(path("long.svo"), fileBytes(12, 4800, 1, 0, {}) + QByteArray(1000, '\xAB'));
    load(path("long.svo"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("12"));
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("4800"));
}

void TestSettingsFile::failedSaveLeavesTheExistingFileIntact_data()
{
    QTest::addColumn<QString>("emptied"); // the field emptied before saving, if any
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty address") << "Edit1" << false << "\"\"";
    QTest::newRow("empty baud rate") << "baudSelector" << false << "\"\"";
    QTest::newRow("full disk") << "" << true << "could not be saved";
}

void TestSettingsFile::failedSaveLeavesTheExistingFileIntact()
{
    QFETCH(QString, emptied);
    QFETCH(bool, fullDisk);
    QFETCH(QString, error);
    if (fullDisk && onWindows)
        QSKIP("A full disk is stood in for by a file size limit, which Windows has not");
    const QByteArray existing = fileBytes(77, 14400, 0, 1, {{1, 2}, {3, 4}});
    write(path("keep.svo"), existing);
    if (emptied == QLatin1String("Edit1"))
        ui().Edit1->setText(QString());
    else if (!emptied.isEmpty())
        ui().baudSelector->setText(QString());
    // A file may then grow to 40 bytes: the first write stops part way, the next fails, as on a
    // full disk.
    rlimit unlimited{}, limit{40, 0};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_max = unlimited.rlim_max;
    ::setrlimit(RLIMIT_FSIZE, fullDisk ? &limit : &unlimited);
    save(path("keep.svo"));
    save(path("new.svo")); // and no new file either
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    QCOMPARE(read(path("keep.svo")), existing);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"keep.svo"}));
    QCOMPARE(desk().errors().size(), 2);
    QVERIFY2(desk().errors()[0].contains(error), qPrintable(desk().errors()[0]));
}

void TestSettingsFile::saveThatCannotBeWrittenIsReported_data()
{
    QTest::addColumn<QString>("name"); // "adapter link": a link to a serial adapter
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such folder") << "no/such/folder/x.svo" << QString();
    QTest::newRow("a link to a serial adapter: not asked about, not replaced")
        << "adapter link"
        << ": it is a folder, device or pipe, not a file";
    QTest::newRow("COM1.svo on Windows")
        << "COM1.svo"
        << ": Windows reserves that name for a device, whatever its folder or "
           "extension";
}

void TestSettingsFile::saveThatCannotBeWrittenIsReported()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    if (onWindows ? name == QLatin1String("adapter link") : name == QLatin1String("COM1.svo"))
        QSKIP("Links and pseudo-terminals are POSIX's; COM1.svo a device on Windows alone");
    PtyPair pty(false);
    const QString file =
        path(name == QLatin1String("adapter link") ? QStringLiteral("to.svo") : name);
    if (name == QLatin1String("adapter link"))
        QVERIFY(QFile::link(QString::fromStdString(pty.device()), file));
    OpenWatch adapterOpens(pty.device());
    save(file);
    QCOMPARE(desk().errors().size(), 1);
    QVERIFY2(desk().errors()[0].startsWith(
                 QStringLiteral("The settings could not be saved to \"%1\"%2")
                     .arg(QDir::toNativeSeparators(file), reason)),
             qPrintable(desk().errors()[0]));
    QCOMPARE(desk().replaceQuestions, QStringList());
    QVERIFY(onWindows || adapterOpens.opens() == 0);
}

void TestSettingsFile::saveAsksBeforeReplacing_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("yes");   // the answer to the question
    QTest::addColumn<uint>("owner"); // given the file, mode 0640, before root saves over it
    QTest::newRow("new file: not asked") << false << true << 0u;
    QTest::newRow("existing, Yes: replaced") << true << true << 0u;
    QTest::newRow("existing, No: kept, the dialog again") << true << false << 0u;
    QTest::newRow("another user's file: owner, group and mode kept") << true << true << 65534u;
}

void TestSettingsFile::saveAsksBeforeReplacing()
{
    QFETCH(bool, existing);
    QFETCH(bool, yes);
    QFETCH(uint, owner);
    const QString file = path("robot.svo");
    const QByteArray name = QFile::encodeName(file), robot = fileBytes(77, 14400, 0, 1, {});
    if (existing)
        write(file, robot);
    if (owner && (::geteuid() != 0 || ::chown(name, owner, owner) != 0 || ::chmod(name, 0640) != 0))
        QSKIP("only root can give a file to another user");
    desk().replaceAnswers << yes;
    save(file); // after No the dialog comes back at that name, and the empty queue cancels it
    QCOMPARE(desk().replaceQuestions, existing ? QStringList{file} : QStringList{});
    QCOMPARE(desk().fileRequests.back().selectedFile, yes ? QString() : file);
    QCOMPARE(read(file), yes ? startUpFile : robot);
    struct stat after = {};
    QCOMPARE(::stat(name, &after), 0);
    if (owner)
        QCOMPARE(QList<uint>({uint(after.st_uid), uint(after.st_gid), uint(after.st_mode & 07777)}),
                 QList<uint>({owner, owner, 0640u}));
}

void TestSettingsFile::fileHeldByAnotherProgramIsNotRead()
{
    write(path("held.svo"), fileBytes(99, 4800, 0, 1, {}));
    {
        HeldByAnotherProcess other(path("held.svo").toStdString());
        QVERIFY(other.holding());
        load(path("held.svo"));
    }
    QCOMPARE(ui().Edit1->text(), QStringLiteral("0"));
    QCOMPARE(desk().boxes.size(), size_t(1));
    QCOMPARE(desk().boxes[0].text,
             '"' + QDir::toNativeSeparators(path("held.svo")) + "\" is in use by another program.");
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
