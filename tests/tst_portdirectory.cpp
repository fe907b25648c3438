// Which devices COM1 to COM4 stand for, and the mode strings that set the line.
#include "link/modestring.h"
#include "link/portdirectory.h"
#include "tests/faketree.h"
#include "tests/otherprocess.h"
#include "tests/platform.h"
#include "tests/ptypair.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

Q_DECLARE_METATYPE(std::optional<LineSettings>)

class TestPortDirectory : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void onlyAdapterIsCom1();
    void builtInFirstThenUsbByNumber();
    void skipsWhatIsNotASerialPort();
    void missingTreeListsNothing();
    void usbAdaptersSayWhatTheyAre();
    void numbersKeptAcrossRuns_data();
    void numbersKeptAcrossRuns();
    void portNames_data();
    void portNames();
    void modeStrings_data();
    void modeStrings();
};

void TestPortDirectory::onlyAdapterIsCom1()
{
    SKIP_ON_WINDOWS("Windows lists its ports itself, with no device folders");
    FakeTree tree;
    tree.add("ttyS0", true, "0"); // a placeholder UART with nothing behind it
    tree.add("ttyS1", true, "0");
    tree.add("ttyUSB0", true);
    tree.add("tty1", false);
    QCOMPARE(tree.list(), QStringList({"ttyUSB0"}));
}

void TestPortDirectory::builtInFirstThenUsbByNumber()
{
    SKIP_ON_WINDOWS("Windows lists its ports itself, with no device folders");
    FakeTree tree;
    tree.add("ttyACM0", true);
    tree.add("ttyUSB10", true);
    tree.add("ttyUSB2", true);
    tree.add("ttyAMA0", true);
    tree.add("ttyS1", true, "4");
    tree.add("ttyS0", true, "4");
    tree.add("ttyS2", true, "0");
    QCOMPARE(tree.list(),
             QStringList({"ttyS0", "ttyS1", "ttyAMA0", "ttyUSB2", "ttyUSB10", "ttyACM0"}));
}

void TestPortDirectory::skipsWhatIsNotASerialPort()
{
    SKIP_ON_WINDOWS("Windows lists its ports itself, with no device folders");
    FakeTree tree;
    tree.add("console", false);
    tree.add("ptmx", false);
    tree.add("tty0", false);
    tree.add("ttyS3", true);                   // no type: cannot tell, so not offered
    tree.add("ttyUSB1", true, nullptr, false); // in sysfs but its node is gone
    tree.add("ttyACM3", true);
    QCOMPARE(tree.list(), QStringList({"ttyACM3"}));
}

void TestPortDirectory::missingTreeListsNothing()
{
    SKIP_ON_WINDOWS("Windows lists its ports itself, with no device folders");
    QVERIFY(listSerialDevices("/nonexistent/sys/class/tty", "/nonexistent/dev").empty());
}

void TestPortDirectory::usbAdaptersSayWhatTheyAre()
{
    SKIP_ON_WINDOWS("Windows lists its ports itself, with no device folders");
    FakeTree tree;
    PtyPair pty;
    tree.plugUsb("ttyUSB0", "1-2", "A50285BI", pty.device());
    tree.plugUsb("ttyUSB1", "1-3", "", pty.device());
    std::vector<SerialDevice> before = listSerialDevices(tree.sysClassTty(), tree.devDir());
    QCOMPARE(before.size(), size_t(2));
    QCOMPARE(before[0].description, std::string("FTDI FT232R USB UART, serial A50285BI"));
    QCOMPARE(before[1].description, std::string("FTDI FT232R USB UART"));

    // Both back under each other's names, the one with the serial number in another socket.
    tree.unplugUsb();
    tree.plugUsb("ttyUSB1", "1-4", "A50285BI", pty.device());
    tree.plugUsb("ttyUSB0", "1-3", "", pty.device());
    const std::vector<SerialDevice> after = listSerialDevices(tree.sysClassTty(), tree.devDir());
    QVERIFY(after[1].sameAdapter(before[0]));
    QVERIFY(after[0].sameAdapter(before[1]));
    QVERIFY(!after[0].sameAdapter(before[0]));
    QVERIFY(!after[1].sameAdapter(before[1]));
}

void TestPortDirectory::numbersKeptAcrossRuns_data()
{
    // Each stage is what is plugged in, as adapter letter and ttyUSB number: "A0 B1". Each adapter
    // has a socket of its own and its own serial number, but X, Y and W look alike: one serial
    // number for the three. A stage that begins with '!' is a new run of the program; with '#' one
    // whose record was damaged before it started, with '%' replaced by a FIFO, with '@' by a link
    // to a serial device; with '&' a second instance, running beside the first, takes its turn.
    // `numbers` gives, stage by stage, COM1 to COM4: the adapter's letter, in lower case while it
    // is not connected, '*' while a look-alike is there instead, '-' for none. A stage takes
    // place 100 seconds after the one before.
    QTest::addColumn<QStringList>("stages");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("kept while away for a run")
        << QStringList{"A0 B1", "!B1", "!A1 B0"} << QStringList{"AB--", "aB--", "AB--"};
    QTest::newRow("a new adapter takes a free number, not an absent one's")
        << QStringList{"A0 B1", "!C0"} << QStringList{"AB--", "abC-"};
    QTest::newRow("replaced on the same node")
        << QStringList{"A0", "!B0", "!A0"} << QStringList{"A---", "aB--", "Ab--"};
    QTest::newRow("all taken: the one seen least recently passes on")
        << QStringList{"A0 B1 C2 D3", "!A0 B1", "!B0", "!E0"}
        << QStringList{"ABCD", "ABcd", "aBcd", "abEd"};
    QTest::newRow("never one that was here in this run")
        << QStringList{"A0 B1 C2 D3", "E0", "!E0"} << QStringList{"ABCD", "abcd", "Ebcd"};
    QTest::newRow("a damaged record is rebuilt")
        << QStringList{"A0 B1", "#B1 C2"} << QStringList{"AB--", "BC--"};
    QTest::newRow("a FIFO for a record is rebuilt, never waited on")
        << QStringList{"A0 B1", "%B1 C2"} << QStringList{"AB--", "BC--"};
    QTest::newRow("a link to a device for a record is rebuilt, the device never opened")
        << QStringList{"A0 B1", "@B1 C2"} << QStringList{"AB--", "BC--"};
    QTest::newRow("look-alikes plugged in the other order keep their numbers")
        << QStringList{"X0 Y1", "!Y0 X1", "X1 Y0"} << QStringList{"XY--", "XY--", "XY--"};
    QTest::newRow("a look-alike beside its twin takes a number of its own")
        << QStringList{"X0", "X0 Y1", "!Y0"} << QStringList{"X---", "XY--", "xY--"};
    QTest::newRow("a look-alike in another socket takes no twin's number")
        << QStringList{"X0 Y1", "!W0", "W0 X1"} << QStringList{"XY--", "**--", "X*--"};
    QTest::newRow("one of a kind is known in another socket")
        << QStringList{"X0", "!W0"} << QStringList{"X---", "W---"};
    QTest::newRow("two instances deal numbers from one record")
        << QStringList{"A0", "&A0 C1", "A0 B1", "&A0 B1 C2"}
        << QStringList{"A---", "AC--", "AcB-", "ACB-"};
}

void TestPortDirectory::numbersKeptAcrossRuns()
{
    SKIP_ON_WINDOWS("COM numbers are the system's own on Windows: no record is kept");
    QFETCH(QStringList, stages);
    QFETCH(QStringList, numbers);
    FakeTree tree;
    PtyPair device;
    OpenWatch deviceOpens(device.device());
    QTemporaryDir state;
    const QString record = state.filePath(QStringLiteral("corvantis-panel/com-ports"));
    std::int64_t now = 1'000'000;
    std::unique_ptr<PortDirectory> first, second;
    for (int stage = 0; stage < stages.size(); ++stage) {
        QString plugged = stages[stage];
        const QChar how = plugged.isEmpty() ? QChar() : plugged[0];
        if (QStringLiteral("#%@").contains(how))
            QFile::remove(record);
        if (how == QLatin1Char('#')) {
            QFile damaged(record);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write("corvantis-panel com-ports 1\n1\tsoon\t\t\t\t\n");
        } else if (how == QLatin1Char('%')) {
            QCOMPARE(::mkfifo(QFile::encodeName(record).constData(), 0600), 0);
        } else if (how == QLatin1Char('@')) {
            QVERIFY(QFile::link(QString::fromStdString(device.device()), record));
        }
        std::unique_ptr<PortDirectory> &run = how == QLatin1Char('&') ? second : first;
        if (!run || QStringLiteral("!#%@").contains(how))
            run = std::make_unique<PortDirectory>(
                [&] { return listSerialDevices(tree.sysClassTty(), tree.devDir()); },
                record.toStdString(), [&] { return now; });
        tree.unplugUsb();
        for (const QString &token : plugged.remove(QRegularExpression(QStringLiteral("[!#%@&]")))
                                        .split(' ', Qt::SkipEmptyParts)) {
            const std::string letter = token.left(1).toStdString();
            tree.plugUsb("ttyUSB" + token.mid(1).toStdString(), "1-" + letter,
                         QStringLiteral("XYW").contains(token[0]) ? "SNX" : "SN" + letter,
                         "/dev/null");
        }
        now += 100;
        run->refresh();
        QString shown;
        for (int port = 1; port <= PortDirectory::portCount; ++port) {
            const std::optional<PortDirectory::Entry> &entry = run->entry(port);
            // Told by its socket, "1-A", which look-alikes do not share.
            const std::string &socket = entry ? entry->device.pathKey : std::string();
            const QChar letter = entry ? QChar(socket[socket.rfind("/1-") + 3]) : QLatin1Char('-');
            shown += !entry || entry->present ? letter
                     : entry->lookAlike       ? QLatin1Char('*')
                                              : letter.toLower();
        }
        QVERIFY2(shown == numbers[stage],
                 qPrintable(QStringLiteral("stage %1: %2").arg(stage).arg(shown)));
    }
    QCOMPARE(deviceOpens.opens(), 0);
}

void TestPortDirectory::portNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("highest"); // 4 where the COM record numbers the ports
    QTest::addColumn<int>("number");  // 0: no port
    QTest::newRow("COM1") << "COM1" << 4 << 1;
    QTest::newRow("com4: as a device name") << "com4:" << 4 << 4;
    QTest::newRow("COM5 beyond the record") << "COM5" << 4 << 0;
    QTest::newRow("COM10, an adapter's number on Windows") << "Com10" << 256 << 10;
    QTest::newRow("COM256") << "COM256:" << 256 << 256;
    QTest::newRow("COM257") << "COM257" << 256 << 0;
    QTest::newRow("COM0") << "COM0" << 256 << 0;
    QTest::newRow("COM01, a file's name") << "COM01" << 256 << 0;
    QTest::newRow("COM") << "COM" << 256 << 0;
    QTest::newRow("COM1x") << "COM1x" << 256 << 0;
    QTest::newRow("COM1::") << "COM1::" << 256 << 0;
    QTest::newRow("an overflowing number") << "COM4294967297" << 256 << 0;
}

void TestPortDirectory::portNames()
{
    QFETCH(QString, name);
    QFETCH(int, highest);
    QFETCH(int, number);
    QCOMPARE(comPortNumber(name.toStdString(), highest).value_or(0), number);
    if (number)
        QCOMPARE(portName(number), name.toUpper().remove(':').toStdString());
}

void TestPortDirectory::modeStrings_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<std::optional<LineSettings>>("line");
    QTest::newRow("setup rate") << "9600,N,8,1" << std::optional(LineSettings{9600, 'N', 8, 1});
    QTest::newRow("filled in") << QString::fromStdString(modeString(115200))
                               << std::optional(LineSettings{115200, 'N', 8, 1});
    QTest::newRow("odd rate") << "14700,N,8,1" << std::optional(LineSettings{14700, 'N', 8, 1});
    QTest::newRow("zero rate") << "0,N,8,1" << std::optional(LineSettings{0, 'N', 8, 1});
    QTest::newRow("negative rate")
        << "-9600,N,8,1" << std::optional(LineSettings{-9600, 'N', 8, 1});
    QTest::newRow("even parity, 7 bits, 2 stop")
        << "4800,e,7,2" << std::optional(LineSettings{4800, 'E', 7, 2});
    QTest::newRow("one and a half stop bits")
        << "300,O,5,1.5" << std::optional(LineSettings{300, 'O', 5, 2});
    QTest::newRow("empty") << "" << std::optional<LineSettings>();
    QTest::newRow("missing field") << "9600,N,8" << std::optional<LineSettings>();
    QTest::newRow("extra field") << "9600,N,8,1,1" << std::optional<LineSettings>();
    QTest::newRow("rate not a number") << "fast,N,8,1" << std::optional<LineSettings>();
    QTest::newRow("rate out of range") << "99999999999,N,8,1" << std::optional<LineSettings>();
    QTest::newRow("unknown parity") << "9600,X,8,1" << std::optional<LineSettings>();
    QTest::newRow("nine data bits") << "9600,N,9,1" << std::optional<LineSettings>();
    QTest::newRow("three stop bits") << "9600,N,8,3" << std::optional<LineSettings>();
}

void TestPortDirectory::modeStrings()
{
    QFETCH(QString, mode);
    QFETCH(std::optional<LineSettings>, line);
    QCOMPARE(parseModeString(mode.toStdString()), line);
}

QTEST_GUILESS_MAIN(TestPortDirectory)
#include "tst_portdirectory.moc"
