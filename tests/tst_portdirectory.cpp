// Which devices COM1 to COM4 stand for, and the mode strings that set the line.
#include "link/modestring.h"
#include "link/portdirectory.h"

#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

Q_DECLARE_METATYPE(std::optional<LineSettings>)

namespace {
// A sysfs tty class and a /dev of our own: `device` marks a tty with hardware behind it.
struct FakeTree
{
    QTemporaryDir root;
    fs::path sys() const { return fs::path(root.path().toStdString()) / "sys"; }
    fs::path dev() const { return fs::path(root.path().toStdString()) / "dev"; }

    FakeTree()
    {
        fs::create_directories(sys());
        fs::create_directories(dev());
    }
    void add(const std::string &name, bool hardware, const char *uartType = nullptr,
             bool node = true)
    {
        fs::create_directories(sys() / name);
        if (hardware)
            fs::create_directories(sys() / name / "device");
        if (uartType)
            std::ofstream(sys() / name / "type") << uartType << "\n";
        if (node)
            std::ofstream(dev() / name);
    }
    QStringList list() const
    {
        QStringList names;
        for (const std::string &d : listSerialDevices(sys().string(), dev().string()))
            names << QString::fromStdString(fs::path(d).filename().string());
        return names;
    }
};
} // namespace

class TestPortDirectory : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void onlyAdapterIsCom1();
    void builtInFirstThenUsbByNumber();
    void skipsWhatIsNotASerialPort();
    void missingTreeListsNothing();
    void portNames();
    void modeStrings_data();
    void modeStrings();
};

void TestPortDirectory::onlyAdapterIsCom1()
{
    FakeTree tree;
    tree.add("ttyS0", true, "0"); // a placeholder UART with nothing behind it
    tree.add("ttyS1", true, "0");
    tree.add("ttyUSB0", true);
    tree.add("tty1", false);
    QCOMPARE(tree.list(), QStringList({"ttyUSB0"}));
}

void TestPortDirectory::builtInFirstThenUsbByNumber()
{
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
    QVERIFY(listSerialDevices("/nonexistent/sys/class/tty", "/nonexistent/dev").empty());
}

void TestPortDirectory::portNames()
{
    QCOMPARE(portName(1), std::string("COM1"));
    QCOMPARE(portName(4), std::string("COM4"));
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
