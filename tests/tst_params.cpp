// The "Baud Rate", "Data Format", "Function" and "Board Address" groups driven through the window.
#include "app/tform1.h"
#include "tests/fakedesktop.h"
#include "tests/ptypair.h"

#include <QClipboard>
#include <QTest>

class TestParams : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void listRatesThroughTheWindow_data();
    void listRatesThroughTheWindow();
    void pickingFromTheList();
    void choicesRecomputeTheCapacity();
    void notAchievableKeepsTheCaption();
    void rateOfZero_data();
    void rateOfZero();
    void pastedNegativeRate();
    void sixCharactersTypedOrPasted();
    void emptiedRateChangesNothing();
    void emptiedRateStopsAFormatChange();
    void everyKeyCodeThroughBothFilters_data();
    void everyKeyCodeThroughBothFilters();
    void typedKeys_data();
    void typedKeys();
    void composedCharacters();

    void addressTypedPastTheRange();
    void fiveCharactersRightAfterStart();
    void threeCharactersOnceMiniSscIsClicked();
    void addressCheckedAgainWhenAChoiceChanges_data();
    void addressCheckedAgainWhenAChoiceChanges();
    void digitalControllerHidesTheServoControls_data();
    void digitalControllerHidesTheServoControls();
    void servoControllerShowsPanelOnlyWithAPort();
    void notice();
    void emptiedAddressThenFunctionChange_data();
    void emptiedAddressThenFunctionChange();

    void uploadRefusedWhileNotAchievable();
    void noPortBoxComesFirst();
    void lowestAchievableRateIsUploaded();

  private:
    std::unique_ptr<FreshWindow> m_fresh;
    TForm1 *form() { return m_fresh->form.get(); }
    Controls &ui() { return m_fresh->ui; }
    FakeDesktop &desk() { return m_fresh->desk; }
    void typeRate(const QString &digits);
    void typeAddress(const QString &digits);
    void chooseFormat(bool native)
    {
        (native ? ui().RadioButton4 : ui().RadioButton5)->setChecked(true);
    }
    void chooseFunction(bool digital)
    {
        (digital ? ui().RadioButton7 : ui().RadioButton6)->setChecked(true);
    }
    QStringList baudGroup() const;
};

void TestParams::init()
{
    m_fresh = std::make_unique<FreshWindow>();
}

void TestParams::cleanup()
{
    m_fresh.reset();
}

void TestParams::typeRate(const QString &digits)
{
    ui().baudSelector->lineEdit()->selectAll();
    QTest::keyClicks(ui().baudSelector, digits);
}

void TestParams::typeAddress(const QString &digits)
{
    ui().Edit1->selectAll();
    QTest::keyClick(ui().Edit1, Qt::Key_Backspace);
    QTest::keyClicks(ui().Edit1, digits);
}

QStringList TestParams::baudGroup() const
{
    const TForm1 *f = m_fresh->form.get();
    return {m_fresh->ui.Label50->text(), m_fresh->ui.Label7->text(), m_fresh->ui.Label8->text(),
            QString::number(f->record().baudDivisor)};
}

void TestParams::listRatesThroughTheWindow_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<bool>("digital");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QStringList>("shown"); // actual rate, caption, capacity, divisor
    struct Row
    {
        const char *rate;
        const char *actual;
        int divisor, mini, native, miniOutputs, nativeOutputs;
    };
    const Row rows[] = {
        {"4800", "4800", 191, 5, 10, 40, 80},          {"9600", "9600", 95, 10, 26, 80, 208},
        {"14400", "14400", 63, 16, 42, 128, 336},      {"14700", "14628", 62, 16, 43, 128, 344},
        {"28800", "28800", 31, 32, 90, 256, 720},      {"57600", "57600", 15, 64, 186, 512, 1488},
        {"115200", "115200", 7, 128, 378, 1024, 3024},
    };
    const QString servos = QStringLiteral("Max real time servos:");
    const QString outputs = QStringLiteral("Max real time outputs:");
    for (const Row &r : rows) {
        auto shown = [&](const QString &caption, int count) {
            return QStringList{r.actual, caption, QString::number(count),
                               QString::number(r.divisor)};
        };
        QTest::addRow("%s Mini SSC, Servo Controller", r.rate)
            << false << false << r.rate << shown(servos, r.mini);
        QTest::addRow("%s Quorvel, Servo Controller", r.rate)
            << true << false << r.rate << shown(servos, r.native);
        QTest::addRow("%s Mini SSC, Digital Controller", r.rate)
            << false << true << r.rate << shown(outputs, r.miniOutputs);
        QTest::addRow("%s Quorvel, Digital Controller", r.rate)
            << true << true << r.rate << shown(outputs, r.nativeOutputs);
    }
}

void TestParams::listRatesThroughTheWindow()
{
    QFETCH(bool, native);
    QFETCH(bool, digital);
    QFETCH(QString, rate);
    QFETCH(QStringList, shown);
    chooseFormat(native);
    chooseFunction(digital);
    typeRate(rate);
    QCOMPARE(ui().baudSelector->text(), rate);
    QCOMPARE(baudGroup(), shown);
    QVERIFY(desk().boxes.empty());
    QCOMPARE(desk().beeps, 0);
}

void TestParams::pickingFromTheList()
{
    QTest::keyClick(ui().baudSelector, Qt::Key_Down); // "9600" to the next item, "14400"
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("14400"));
    QCOMPARE(baudGroup(), QStringList({"14400", "Max real time servos:", "16", "63"}));
    QTest::keyClick(ui().baudSelector, Qt::Key_Down);
    QCOMPARE(baudGroup(), QStringList({"14628", "Max real time servos:", "16", "62"}));
}

void TestParams::choicesRecomputeTheCapacity()
{
    QCOMPARE(baudGroup(), QStringList({"9600", "Max real time servos:", "10", "95"}));
    QTest::mouseClick(ui().RadioButton4, Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(baudGroup(), QStringList({"9600", "Max real time servos:", "26", "95"}));
    QTest::mouseClick(ui().RadioButton7, Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(baudGroup(), QStringList({"9600", "Max real time outputs:", "208", "95"}));
}

void TestParams::notAchievableKeepsTheCaption()
{
    typeRate(QStringLiteral("3592"));
    QCOMPARE(baudGroup(), QStringList({"Not Achievable", "Max real time servos:", "0", "256"}));
    chooseFunction(true);
    QCOMPARE(baudGroup(), QStringList({"Not Achievable", "Max real time servos:", "0", "256"}));
    typeRate(QStringLiteral("9600")); // an achievable rate leaves the state
    QCOMPARE(baudGroup(), QStringList({"9600", "Max real time outputs:", "80", "95"}));
}

void TestParams::rateOfZero_data()
{
    QTest::addColumn<QString>("rate");
    QTest::newRow("0") << "0";
    QTest::newRow("run of zeros") << "000000";
}

void TestParams::rateOfZero()
{
    QFETCH(QString, rate);
    typeRate(rate);
    QCOMPARE(ui().Label50->text(), QStringLiteral("Not Achievable"));
    QCOMPARE(ui().Label8->text(), QStringLiteral("0"));
    QVERIFY(form()->record().baudDivisor > 255);
    chooseFormat(true);
    chooseFunction(true);
    QCOMPARE(ui().Label50->text(), QStringLiteral("Not Achievable"));
    QVERIFY(desk().boxes.empty());
}

void TestParams::pastedNegativeRate()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("-9600"));
    ui().baudSelector->lineEdit()->selectAll();
    ui().baudSelector->lineEdit()->paste(); // from the context menu: not filtered
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("-9600"));
    QCOMPARE(baudGroup(), QStringList({"921600", "Max real time servos:", "0", "0"}));
}

void TestParams::sixCharactersTypedOrPasted()
{
    typeRate(QStringLiteral("1234567"));
    QGuiApplication::clipboard()->setText(QStringLiteral("8"));
    ui().baudSelector->lineEdit()->paste();
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("123456"));
}

void TestParams::emptiedRateChangesNothing()
{
    typeRate(QStringLiteral("57600"));
    ui().baudSelector->lineEdit()->selectAll();
    QTest::keyClick(ui().baudSelector, Qt::Key_Backspace);
    QCOMPARE(ui().baudSelector->text(), QString());
    QCOMPARE(baudGroup(), QStringList({"57600", "Max real time servos:", "64", "15"}));
    QVERIFY(desk().boxes.empty());
    QCOMPARE(desk().beeps, 0);
}

void TestParams::emptiedRateStopsAFormatChange()
{
    chooseFormat(true);
    QCOMPARE(ui().Edit1->maxChars(), 5);
    QVERIFY(!ui().Label51->isHidden());
    typeAddress(QStringLiteral("300"));
    ui().baudSelector->lineEdit()->selectAll();
    QTest::keyClick(ui().baudSelector, Qt::Key_Backspace);

    chooseFormat(false);
    QCOMPARE(desk().errors().size(), 1);
    QVERIFY(desk().errors()[0].contains(QStringLiteral("\"\"")));
    QVERIFY(ui().RadioButton5->isChecked()); // the button stays checked
    // The steps after the failed recalculation did not run.
    QCOMPARE(ui().Edit1->maxChars(), 5);
    QCOMPARE(ui().Label1->text(), QStringLiteral("0 - 65527"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("300"));
    QVERIFY(!ui().Label51->isHidden());
    QCOMPARE(baudGroup(), QStringList({"9600", "Max real time servos:", "26", "95"}));
}

void TestParams::everyKeyCodeThroughBothFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("baudSelector") << "baudSelector";
    QTest::newRow("Edit1") << "Edit1";
}

void TestParams::everyKeyCodeThroughBothFilters()
{
    QFETCH(QString, field);
    for (int code = 0; code < 256; ++code) {
        char key = static_cast<char>(code);
        const int beepsBefore = desk().beeps;
        if (field == QLatin1String("Edit1"))
            form()->Edit1KeyPress(ui().Edit1, key);
        else
            form()->baudSelectorKeyPress(ui().baudSelector, key);
        const bool passes = code == 8 || (code >= '0' && code <= '9');
        const QByteArray what = QByteArray::number(code);
        QVERIFY2(passes ? key == char(code) : key == 0, what.constData());
        QVERIFY2(desk().beeps - beepsBefore == (passes ? 0 : 1), what.constData());
    }
}

void TestParams::typedKeys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    for (const char *field : {"baudSelector", "Edit1"}) {
        QTest::addRow("%s letter", field) << field << int(Qt::Key_A) << 0 << "10" << 1;
        QTest::addRow("%s minus", field) << field << int(Qt::Key_Minus) << 0 << "10" << 1;
        QTest::addRow("%s point", field) << field << int(Qt::Key_Period) << 0 << "10" << 1;
        QTest::addRow("%s Enter", field) << field << int(Qt::Key_Return) << 0 << "10" << 1;
        QTest::addRow("%s Escape", field) << field << int(Qt::Key_Escape) << 0 << "10" << 1;
        QTest::addRow("%s paste keystroke", field)
            << field << int(Qt::Key_V) << int(Qt::ControlModifier) << "10" << 1;
        QTest::addRow("%s digit", field) << field << int(Qt::Key_5) << 0 << "105" << 0;
        QTest::addRow("%s backspace", field) << field << int(Qt::Key_Backspace) << 0 << "1" << 0;
        QTest::addRow("%s left arrow", field) << field << int(Qt::Key_Left) << 0 << "10" << 0;
        QTest::addRow("%s Ctrl+Backspace", field)
            << field << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << "10" << 1;
    }
}

void TestParams::typedKeys()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    QGuiApplication::clipboard()->setText(QStringLiteral("999"));
    QWidget *target = form()->findChild<QWidget *>(field);
    if (field == QLatin1String("Edit1"))
        typeAddress(QStringLiteral("10"));
    else
        typeRate(QStringLiteral("10"));
    QTest::keyClick(target, Qt::Key_End);
    const int before = desk().beeps;
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    const QString now =
        field == QLatin1String("Edit1") ? ui().Edit1->text() : ui().baudSelector->text();
    QCOMPARE(now, text);
    QCOMPARE(desk().beeps - before, beeps);
}

void TestParams::composedCharacters()
{
    QInputMethodEvent composed; // from a dead key, or any input method
    composed.setCommitString(QStringLiteral("1é"));
    QCoreApplication::sendEvent(ui().baudSelector, &composed);
    QCoreApplication::sendEvent(ui().Edit1, &composed);
    QCOMPARE(ui().baudSelector->text(), QStringLiteral("96001"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("01"));
    QCOMPARE(desk().beeps, 2);
}

void TestParams::addressTypedPastTheRange()
{
    typeAddress(QString());
    QTest::keyClicks(ui().Edit1, QStringLiteral("2"));
    QTest::keyClicks(ui().Edit1, QStringLiteral("4"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("24"));
    QCOMPARE(desk().beeps, 0);
    QTest::keyClicks(ui().Edit1, QStringLiteral("8"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("247"));
    QCOMPARE(desk().beeps, 1);
    QCOMPARE(ui().Label1->text(), QStringLiteral("0 - 247"));

    chooseFunction(true); // Mini SSC with Digital Controller: 255 holds, 256 does not
    typeAddress(QStringLiteral("255"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("255"));
    QCOMPARE(desk().beeps, 1);
    typeAddress(QStringLiteral("256"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("255"));
    QCOMPARE(desk().beeps, 2);
}

void TestParams::fiveCharactersRightAfterStart()
{
    typeAddress(QStringLiteral("1000"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("247"));
    QCOMPARE(desk().beeps, 1);
    typeAddress(QStringLiteral("123456")); // the sixth character never arrives
    QCOMPARE(ui().Edit1->text(), QStringLiteral("247"));
}

void TestParams::threeCharactersOnceMiniSscIsClicked()
{
    chooseFormat(true);
    chooseFormat(false);
    QCOMPARE(ui().Edit1->maxChars(), 3);
    typeAddress(QStringLiteral("1000"));
    QCOMPARE(ui().Edit1->text(), QStringLiteral("100"));
    QCOMPARE(desk().beeps, 0);
}

void TestParams::addressCheckedAgainWhenAChoiceChanges_data()
{
    QTest::addColumn<bool>("fromNative");
    QTest::addColumn<bool>("fromDigital");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("toNative");
    QTest::addColumn<bool>("toDigital");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("pulledTo");
    QTest::addColumn<int>("beeps");
    QTest::newRow("65530 under Quorvel digital, then servo")
        << true << true << "65530" << true << false << "0 - 65527"
        << "65527" << 1;
    QTest::newRow("300 under Quorvel servo, then Mini SSC")
        << true << false << "300" << false << false << "0 - 247"
        << "247" << 1;
    QTest::newRow("300 under Quorvel digital, then Mini SSC")
        << true << true << "300" << false << true << "0 - 255"
        << "255" << 1;
    QTest::newRow("the largest address itself is kept")
        << true << false << "247" << false << false << "0 - 247"
        << "247" << 0;
}

void TestParams::addressCheckedAgainWhenAChoiceChanges()
{
    QFETCH(bool, fromNative);
    QFETCH(bool, fromDigital);
    QFETCH(QString, address);
    QFETCH(bool, toNative);
    QFETCH(bool, toDigital);
    QFETCH(QString, label);
    QFETCH(QString, pulledTo);
    QFETCH(int, beeps);
    chooseFormat(fromNative);
    chooseFunction(fromDigital);
    typeAddress(address);
    QCOMPARE(ui().Edit1->text(), address);
    const int before = desk().beeps;
    chooseFormat(toNative);
    chooseFunction(toDigital);
    QCOMPARE(ui().Label1->text(), label);
    QCOMPARE(ui().Edit1->text(), pulledTo);
    QCOMPARE(desk().beeps - before, beeps);
    QVERIFY(desk().boxes.empty());
}

void TestParams::digitalControllerHidesTheServoControls_data()
{
    QTest::addColumn<QString>("port");
    for (const char *port : {"selectCOM1", "selectCOM2", "selectCOM3", "selectCOM4"})
        QTest::newRow(port) << port;
}

void TestParams::digitalControllerHidesTheServoControls()
{
    QFETCH(QString, port);
    const QStringList servoRange{"Label47",  "Label48", "travel", "Shape1",   "startSweep",
                                 "endSweep", "Label2",  "Label3", "Selector", "Label6"};
    form()->findChild<QAction *>(port)->trigger();
    chooseFunction(true);
    for (const QString &name : servoRange)
        QVERIFY2(form()->findChild<QWidget *>(name)->isHidden(), qPrintable(name));
    QVERIFY(ui().Panel1->isHidden());
    QVERIFY(!ui().Button1->isHidden());
    chooseFunction(false);
    for (const QString &name : servoRange)
        QVERIFY2(!form()->findChild<QWidget *>(name)->isHidden(), qPrintable(name));
    QVERIFY(!ui().Panel1->isHidden());
}

void TestParams::servoControllerShowsPanelOnlyWithAPort()
{
    chooseFunction(true);
    chooseFunction(false);
    QVERIFY(ui().Panel1->isHidden());
    QVERIFY(!ui().startSweep->isHidden());
}

void TestParams::notice()
{
    chooseFormat(true);
    QVERIFY(!ui().Label51->isHidden());
    QCOMPARE(ui().Label51->text(), QStringLiteral("Can only test servos 0-7"));
    chooseFormat(false);
    QVERIFY(ui().Label51->isHidden());
}

void TestParams::emptiedAddressThenFunctionChange_data()
{
    QTest::addColumn<bool>("digital");
    QTest::newRow("to Digital Controller") << true;
    QTest::newRow("back to Servo Controller") << false;
}

void TestParams::emptiedAddressThenFunctionChange()
{
    QFETCH(bool, digital);
    if (!digital) {
        chooseFunction(true);
        ui().selectCOM2->trigger();
        ui().Panel1->hide();
    }
    typeAddress(QString());
    QCOMPARE(ui().Label1->text(), digital ? QStringLiteral("0 - 247") : QStringLiteral("0 - 255"));
    const QStringList before = baudGroup();
    const bool servoControlsShown = !ui().travel->isHidden();

    chooseFunction(digital);
    QCOMPARE(desk().errors().size(), 1);
    QVERIFY(desk().errors()[0].contains(QStringLiteral("\"\"")));
    // The range label was set before the failed conversion; nothing after it ran.
    QCOMPARE(ui().Label1->text(), digital ? QStringLiteral("0 - 255") : QStringLiteral("0 - 247"));
    QCOMPARE(ui().Edit1->text(), QString());
    QCOMPARE(baudGroup(), before);
    QCOMPARE(!ui().travel->isHidden(), servoControlsShown);
    QCOMPARE(!ui().startSweep->isHidden(), servoControlsShown);
    QVERIFY(ui().Panel1->isHidden());
    QVERIFY((digital ? ui().RadioButton7 : ui().RadioButton6)->isChecked());
}

void TestParams::uploadRefusedWhileNotAchievable()
{
    PtyPair pty;
    desk().devices = {pty.device()};
    ui().selectCOM1->trigger();
    typeRate(QStringLiteral("3592"));
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    QCOMPARE(pty.readAll(50), QByteArray());
    QCOMPARE(desk().boxes.size(), size_t(1));
    QCOMPARE(desk().boxes[0].kind, QStringLiteral("message"));
    QCOMPARE(desk().boxes[0].caption, QStringLiteral("Upload settings"));
    QCOMPARE(desk().boxes[0].text,
             QStringLiteral("The board cannot run at the chosen baud rate. Choose a higher rate "
                            "before uploading."));
}

void TestParams::noPortBoxComesFirst()
{
    typeRate(QStringLiteral("3592"));
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    QCOMPARE(desk().boxes.size(), size_t(1));
    QCOMPARE(desk().boxes[0].caption, QStringLiteral("No COM port Selected"));
}

void TestParams::lowestAchievableRateIsUploaded()
{
    PtyPair pty;
    desk().devices = {pty.device()};
    ui().selectCOM1->trigger();
    typeRate(QStringLiteral("3593"));
    QCOMPARE(ui().Label50->text(), QStringLiteral("3600"));
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    const QByteArray bytes = pty.read(41);
    QCOMPARE(bytes.size(), 41);
    QCOMPARE(quint8(bytes[7]), quint8(255));
    QVERIFY(desk().boxes.empty());
}

QTEST_MAIN(TestParams)
#include "tst_params.moc"
