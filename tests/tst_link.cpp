// Choosing a port, probing the ports, and every message through the window to a pseudo-terminal.
#include "app/tform1.h"
#include "link/senders.h"
#include "tests/fakedesktop.h"
#include "tests/faketree.h"
#include "tests/otherprocess.h"
#include "tests/platform.h"
#include "tests/ptypair.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <map>

namespace {
const QByteArray startUpUpload =
    QByteArray::fromHex("FFFFFFFFFF00005F00") + QByteArray::fromHex("660E").repeated(16);

} // namespace

class TestLink : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void probeEnablesWhatOpens_data();
    void probeEnablesWhatOpens();
    void probeWithFewerDevices();
    void choosingAPort_data();
    void choosingAPort();
    void laterChoiceReplacesEarlier();
    void choosingAPortShowsPanelUnderDigitalController();
    void numbersStayWithTheirAdapters_data();
    void numbersStayWithTheirAdapters();
    void uploadArrivesByteExact_data();
    void uploadArrivesByteExact();
    void uploadWithoutPortShowsOnlyTheBox();
    void uploadWithEmptyAddressSendsNothing();
    void removedPortLosesMessagesSilently();
    void testPositionGoesAtTheChosenRate();
    void testPositionNativeFormIgnoresAddress();
    void testPositionTextThatDoesNotConvertSendsNothing_data();
    void testPositionTextThatDoesNotConvertSendsNothing();
    void nothingIsSentWithoutAPort();

  private:
    std::unique_ptr<FreshWindow> m_fresh;
    TForm1 *form() { return m_fresh->form.get(); }
    Controls &ui() { return m_fresh->ui; }
    FakeDesktop &desk() { return m_fresh->desk; }
    void openPortMenu();
    void choose(PtyPair &pty);
};

void TestLink::init()
{
    m_fresh = std::make_unique<FreshWindow>();
}

void TestLink::cleanup()
{
    m_fresh.reset();
}

void TestLink::openPortMenu()
{
    ui().SerialPort2->popup(QPoint(0, 0));
    ui().SerialPort2->hide();
}

void TestLink::choose(PtyPair &pty)
{
    desk().devices = {pty.device()};
    openPortMenu();
    ui().selectCOM1->trigger();
}

void TestLink::probeEnablesWhatOpens_data()
{
    using Hold = HeldByAnotherProcess::Hold;
    QTest::addColumn<Hold>("hold");
    QTest::addColumn<QString>("name");  // of the holding process
    QTest::addColumn<QString>("shown"); // as its tooltip shows it
    QTest::newRow("held with a lock") << Hold::Lock << ""
                                      << "tst_link";
    QTest::newRow("held by a plain open") << Hold::Open << ""
                                          << "tst_link";
    QTest::newRow("held in exclusive mode") << Hold::Exclusive << ""
                                            << "tst_link";
    QTest::newRow("held by a program whose name is markup") << Hold::Open << "<h1>PRESS\x1bOK"
                                                            << "<h1>PRESS\\x1bOK";
}

void TestLink::probeEnablesWhatOpens()
{
    SKIP_ON_WINDOWS("Wine gives a pseudo-terminal to COM1 alone; Windows says a port is in use "
                    "only when a message is sent");
    QFETCH(HeldByAnotherProcess::Hold, hold);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    PtyPair free1, held, free4;
    QTemporaryDir dir;
    const std::string missing = (dir.path() + "/ttyUSB9").toStdString();
    desk().devices = {free1.device(), missing, held.device(), free4.device()};
    ui().selectCOM3->trigger();
    {
        HeldByAnotherProcess other(held.device(), hold, name.toStdString());
        QVERIFY(other.holding());
        desk().processes.addReal(other.pid());
        std::vector<std::unique_ptr<OpenWatch>> watches;
        for (const PtyPair *pty : {&free1, &held, &free4})
            watches.push_back(std::make_unique<OpenWatch>(pty->device()));
        openPortMenu();
        // The menu looks at the devices without opening any: it never disturbs their lines nor
        // the program that holds one.
        for (const auto &watch : watches)
            QCOMPARE(watch->opens(), 0);
        const QString inUse = QStringLiteral("in use by %1 (pid %2)").arg(shown).arg(other.pid());
        const QString tip = ui().selectCOM3->toolTip();
        QCOMPARE(Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText()
                                          : tip,
                 QString::fromStdString(held.device()) + ": " + inUse);
        // Nothing of ours reaches it while it is held, and its exclusive mode stays its own; the
        // upload says why in the command line's words. A live message, which takes no lock of its
        // own, is refused by the menu's look.
        QTest::mouseClick(ui().Button1, Qt::LeftButton);
        ui().startSweep->setPosition(ui().startSweep->position() + 3);
        QCOMPARE(held.readAll(10), QByteArray());
        if (hold == HeldByAnotherProcess::Hold::Exclusive && !PtyPair::exclusiveModeReadable())
            QSKIP("This system (a user-mode emulator) lacks TIOCGEXCL: the mode cannot be read");
        QCOMPARE(held.exclusive(), hold == HeldByAnotherProcess::Hold::Exclusive);
        QCOMPARE(desk().errors(), QStringList{"COM3: " + inUse});
    }
    QVERIFY(ui().selectCOM1->isEnabled());
    QVERIFY(!ui().selectCOM2->isEnabled());
    QVERIFY(!ui().selectCOM3->isEnabled());
    QVERIFY(ui().selectCOM4->isEnabled());
    QCOMPARE(ui().selectCOM1->toolTip(), QString::fromStdString(free1.device()));
    QCOMPARE(ui().selectCOM2->toolTip(), QString::fromStdString(missing) + ": no device");
    QVERIFY(ui().SerialPort2->toolTipsVisible());
    // The probe leaves the choice alone, and sends nothing.
    QCOMPARE(form()->record().comPort, 3);
    QVERIFY(ui().selectCOM3->isChecked());
    QVERIFY(!ui().selectCOM1->isChecked());
    QCOMPARE(free1.readAll(10), QByteArray());
    QCOMPARE(free4.readAll(10), QByteArray());
}

void TestLink::probeWithFewerDevices()
{
    SKIP_ON_WINDOWS("Wine gives a pseudo-terminal to COM1 alone");
    PtyPair only;
    desk().devices = {only.device()};
    openPortMenu();
    QVERIFY(ui().selectCOM1->isEnabled());
    for (QAction *item : {ui().selectCOM2, ui().selectCOM3, ui().selectCOM4}) {
        QVERIFY(!item->isEnabled());
        QCOMPARE(item->toolTip(), QStringLiteral("no device"));
    }
    // A device that comes back is found at the next opening of the menu.
    PtyPair second;
    desk().devices = {only.device(), second.device()};
    openPortMenu();
    QVERIFY(ui().selectCOM2->isEnabled());
}

void TestLink::choosingAPort_data()
{
    QTest::addColumn<int>("port");
    for (int n = 1; n <= 4; ++n)
        QTest::addRow("COM%d", n) << n;
}

void TestLink::choosingAPort()
{
    QFETCH(int, port);
    QVERIFY(ui().Panel1->isHidden());
    const QList<QAction *> items{ui().selectCOM1, ui().selectCOM2, ui().selectCOM3,
                                 ui().selectCOM4};
    items[port - 1]->trigger();
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(items[n - 1]->isChecked(), n == port);
    QCOMPARE(form()->record().comPort, port);
    QVERIFY(!ui().Panel1->isHidden());
    items[port - 1]->trigger(); // choosing the chosen one again keeps it checked
    QVERIFY(items[port - 1]->isChecked());
    QVERIFY(desk().boxes.empty());
}

void TestLink::laterChoiceReplacesEarlier()
{
    ui().selectCOM3->trigger();
    ui().selectCOM1->trigger();
    QCOMPARE(form()->record().comPort, 1);
    QVERIFY(ui().selectCOM1->isChecked());
    QVERIFY(!ui().selectCOM3->isChecked());
}

void TestLink::choosingAPortShowsPanelUnderDigitalController()
{
    ui().RadioButton7->setChecked(true);
    ui().Panel1->hide();
    ui().selectCOM2->trigger();
    QVERIFY(!ui().Panel1->isHidden());
}

void TestLink::numbersStayWithTheirAdapters_data()
{
    // Each stage is what is plugged in, as adapter letter and ttyUSB number: "A0 B1". An
    // upper-case adapter has a serial number; a lower-case one is known by its socket alone; X, Y
    // and W look alike, with one serial number for the three. After the first stage COM1 is chosen
    // for the first adapter listed; after every stage the port menu opens (not when the stage
    // starts with '!') and Upload is pressed. `receivers` gives, stage by stage, the one adapter
    // that must get the upload, '-' for none, '?' for none because look-alikes cannot be told
    // apart.
    QTest::addColumn<QStringList>("stages");
    QTest::addColumn<QString>("receivers");
    QTest::newRow("unplugged while another stays") << QStringList{"A0 B1", "B1"} << "A-";
    QTest::newRow("back under its node") << QStringList{"A0 B1", "B1", "A0 B1"} << "A-A";
    QTest::newRow("back under a new node, another took its old one")
        << QStringList{"A0 B1", "B1", "C0 B1", "C0 B1 A2"} << "A--A";
    QTest::newRow("back in its socket, no serial number") << QStringList{"a0", "", "a1"} << "a-a";
    QTest::newRow("a new adapter that sorts first") << QStringList{"A1", "B0 A1"} << "AA";
    QTest::newRow("another adapter on its node, menu not opened")
        << QStringList{"A0", "!C0"} << "A-";
    QTest::newRow("back under a new node, menu not opened")
        << QStringList{"A0", "!", "!A1"} << "A-A";
    QTest::newRow("look-alikes replugged in the other order")
        << QStringList{"X0 Y1", "X1 Y0", "!X0 Y1"} << "XXX";
    QTest::newRow("a look-alike where its twin was") << QStringList{"X0 Y1", "W0"} << "X?";
}

void TestLink::numbersStayWithTheirAdapters()
{
    SKIP_ON_WINDOWS("COM numbers are the system's own on Windows");
    QFETCH(QStringList, stages);
    QFETCH(QString, receivers);
    FakeTree tree;
    desk().sysClassTty = tree.sysClassTty();
    desk().devDir = tree.devDir();
    std::map<QChar, std::unique_ptr<PtyPair>> adapters;
    for (const QChar letter : stages.join(QString()))
        if (letter.isLetter() && !adapters.contains(letter))
            adapters[letter] = std::make_unique<PtyPair>();

    for (int stage = 0; stage < stages.size(); ++stage) {
        QString plugged = stages[stage];
        const bool probe = !plugged.startsWith(QLatin1Char('!'));
        tree.unplugUsb();
        for (const QString &token :
             plugged.remove(QLatin1Char('!')).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QChar letter = token[0];
            const std::string socket = "1-" + std::to_string(letter.toLower().unicode() - 'a' + 1);
            const std::string serial = QStringLiteral("XYW").contains(letter) ? "SNX"
                                       : letter.isUpper() ? "SN" + QString(letter).toStdString()
                                                          : "";
            tree.plugUsb("ttyUSB" + token.mid(1).toStdString(), socket, serial,
                         adapters[letter]->device());
        }
        if (probe)
            openPortMenu();
        if (stage == 0)
            ui().selectCOM1->trigger();
        const size_t boxesBefore = desk().boxes.size();
        QTest::mouseClick(ui().Button1, Qt::LeftButton);
        // An upload that reaches nothing says so.
        const QChar first = receivers[0];
        const QString serial = QStringLiteral("XYW").contains(first)
                                   ? QStringLiteral(", serial SNX")
                               : first.isUpper() ? QStringLiteral(", serial SN") + first
                                                 : QString();
        if (receivers[stage] == QLatin1Char('-'))
            QCOMPARE(desk().errors().constLast(),
                     QStringLiteral("COM1 (FTDI FT232R USB UART%1) is not connected").arg(serial));
        if (receivers[stage] == QLatin1Char('?'))
            QCOMPARE(desk().errors().constLast(),
                     QStringLiteral("COM1: two adapters look alike (FTDI FT232R USB UART%1); plug "
                                    "them back as they were or choose by path")
                         .arg(serial));
        const bool refused = receivers[stage] == QLatin1Char('-') || receivers[stage] == '?';
        QCOMPARE(desk().boxes.size(), boxesBefore + refused);
        for (const auto &[letter, pty] : adapters) {
            const QByteArray expected = letter == receivers[stage] ? startUpUpload : QByteArray();
            QVERIFY2(pty->readAll(10) == expected,
                     qPrintable(QStringLiteral("stage %1, adapter %2").arg(stage).arg(letter)));
        }
        if (probe)
            QCOMPARE(ui().selectCOM1->isEnabled(), !refused);
    }
}

void TestLink::uploadArrivesByteExact_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<bool>("digital");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("start-up settings") << false << false << startUpUpload;
    QByteArray mode3 = startUpUpload;
    mode3[8] = 3;
    QTest::newRow("Quorvel and Digital Controller") << true << true << mode3;
}

void TestLink::uploadArrivesByteExact()
{
    QFETCH(bool, native);
    QFETCH(bool, digital);
    QFETCH(QByteArray, bytes);
    PtyPair pty;
    choose(pty);
    ui().RadioButton4->setChecked(native);
    ui().RadioButton5->setChecked(!native);
    ui().RadioButton7->setChecked(digital);
    ui().RadioButton6->setChecked(!digital);
    ui().Edit1->setText(QStringLiteral("0"));
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    QCOMPARE(pty.read(41), bytes);
    QCOMPARE(pty.readAll(50), QByteArray());
    const PtyPair::Line line = pty.line();
    QCOMPARE(line.speed, 9600u);
    QVERIFY(line.eightBits && !line.parity && !line.twoStopBits);
    QVERIFY(!line.hardwareFlow && !line.softwareFlow);
    QVERIFY(desk().boxes.empty());
}

void TestLink::uploadWithoutPortShowsOnlyTheBox()
{
    PtyPair pty;
    desk().devices = {pty.device()};
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    QCOMPARE(desk().boxes.size(), size_t(2));
    QCOMPARE(desk().boxes[0].kind, QStringLiteral("message"));
    QCOMPARE(desk().boxes[0].caption, QStringLiteral("No COM port Selected"));
    QCOMPARE(desk().boxes[0].text, QStringLiteral("Please select a COM port."));
    QCOMPARE(pty.readAll(50), QByteArray());
}

void TestLink::uploadWithEmptyAddressSendsNothing()
{
    PtyPair pty;
    choose(pty);
    ui().Edit1->setText(QString());
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    QCOMPARE(pty.readAll(50), QByteArray()); // not even the preamble
    QCOMPARE(desk().errors().size(), 1);
    QVERIFY(desk().errors()[0].contains(QStringLiteral("\"\"")));
    QCOMPARE(desk().boxes[0].caption, QStringLiteral("Corvantis utility"));
    // The port was left free: the next message goes through.
    sendLivePosition(form()->portLink(), form()->record().comPort, 0, 0);
    QCOMPARE(pty.read(4), QByteArray::fromHex("FE003307"));
}

void TestLink::removedPortLosesMessagesSilently()
{
    PtyPair pty;
    choose(pty);
    pty.remove();
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    sendLivePosition(form()->portLink(), form()->record().comPort, 2, 100);
    ui().baudSelector->setText(QStringLiteral("115200"));
    form()->sendTestPosition();
    QVERIFY(timer.elapsed() < 5000); // no hang: a lost message costs no waiting
    // The upload says it reached nothing; the live and test messages are lost without a word.
    QCOMPARE(desk().errors(), QStringList{"COM1: no device"});
    QCOMPARE(desk().boxes.size(), size_t(1));
    QCOMPARE(form()->record().comPort, 1);
    QVERIFY(ui().selectCOM1->isChecked());
    if (onWindows)
        QSKIP("Wine lists COM1 still when its device has gone; Windows drops an unplugged adapter");
    openPortMenu(); // its item goes grey at the next opening of the menu
    QVERIFY(!ui().selectCOM1->isEnabled());
}

void TestLink::testPositionGoesAtTheChosenRate()
{
    PtyPair pty;
    choose(pty);
    ui().baudSelector->setText(QStringLiteral("115200"));
    ui().Edit1->setText(QStringLiteral("10"));
    ui().Selector->setPosition(2);
    form()->sendTestPosition();
    QCOMPARE(pty.read(3), QByteArray::fromHex("FF0C80"));
    QCOMPARE(pty.line().speed, 115200u);
    // The live-position message and the upload stay at the setup rate.
    sendLivePosition(form()->portLink(), form()->record().comPort, 2, 0);
    QCOMPARE(pty.read(4), QByteArray::fromHex("FE023307"));
    QCOMPARE(pty.line().speed, 9600u);
}

void TestLink::testPositionNativeFormIgnoresAddress()
{
    PtyPair pty;
    choose(pty);
    ui().RadioButton4->setChecked(true);
    ui().Edit1->setText(QString()); // not read in the native form
    ui().Selector->setPosition(2);
    ui().baudSelector->setText(QStringLiteral("57600"));
    ui().ScrollBar1->setPosition(200); // its change handler sends
    QCOMPARE(pty.read(13), QByteArray::fromHex("FFFF08008080C8808080808000"));
    QCOMPARE(pty.readAll(50), QByteArray());
    QCOMPARE(pty.line().speed, 57600u);
    QVERIFY(desk().boxes.empty());
}

void TestLink::testPositionTextThatDoesNotConvertSendsNothing_data()
{
    QTest::addColumn<QString>("baud");
    QTest::addColumn<QString>("address");
    QTest::newRow("empty rate") << ""
                                << "10";
    QTest::newRow("pasted rate") << "96x0"
                                 << "10";
    QTest::newRow("empty address, no lone sync byte") << "9600"
                                                      << "";
}

void TestLink::testPositionTextThatDoesNotConvertSendsNothing()
{
    QFETCH(QString, baud);
    QFETCH(QString, address);
    PtyPair pty;
    choose(pty);
    ui().baudSelector->setText(baud);
    ui().Edit1->setText(address);
    QVERIFY_THROWS_EXCEPTION(std::exception, form()->sendTestPosition());
    QCOMPARE(pty.readAll(50), QByteArray());
    sendLivePosition(form()->portLink(), form()->record().comPort, 0, 0); // the port is free again
    QCOMPARE(pty.read(4).size(), 4);
}

void TestLink::nothingIsSentWithoutAPort()
{
    PtyPair pty;
    desk().devices = {pty.device()};
    sendLivePosition(form()->portLink(), form()->record().comPort, 0, 0);
    form()->sendTestPosition();
    QCOMPARE(pty.readAll(50), QByteArray());
    QVERIFY(desk().boxes.empty());
}

QTEST_MAIN(TestLink)
#include "tst_link.moc"
