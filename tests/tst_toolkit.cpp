// The event rules that every handler relies on, checked on the toolkit layer's own controls.
#include "app/bars.h"
#include "app/edits.h"
#include "app/eventguard.h"
#include "app/radiobutton.h"
#include "app/tpie.h"
#include "tests/fakedesktop.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

class TestToolkit : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void scrollBarRaisesOnRealChangesOnly();
    void nestedChangeRunsInsideTheSet();
    void trackBarRaisesOnProgramSet();
    void comboBoxChangesOnlyForTheUser();
    void editRaisesOnEveryChange();
    void keyHookSeesTypedCharacters_data();
    void keyHookSeesTypedCharacters();
    void keyHookDiscardsAndReplaces();
    void comboBoxKeyHook();
    void maxLengthLimitsTypingOnly();
    void radioClickWhenBecomingChecked();
    void menuOpeningRunsFirst();
    void pieMouseIsCapturedWhileHeld();
    void pieRedrawsOnEverySet_data();
    void pieRedrawsOnEverySet();
    void errorEndsHandlerAndIsReported();
    void nestedErrorEndsOuterHandler();

  private:
    FakeDesktop m_desk;
};

void TestToolkit::init()
{
    m_desk = FakeDesktop{};
    setErrorReport([this](const QString &text) { m_desk.errorBox(text, {}); });
}

void TestToolkit::cleanup()
{
    setErrorReport({});
}

void TestToolkit::scrollBarRaisesOnRealChangesOnly()
{
    ScrollBar bar;
    bar.setRange(0, 7300);
    bar.setPosition(1843);
    QSignalSpy changes(&bar, &QScrollBar::valueChanged);

    bar.setPosition(1843);
    QCOMPARE(changes.count(), 0);
    bar.setPosition(2000);
    QCOMPARE(changes.count(), 1);
    bar.setPosition(9000); // beyond the range: ends at the nearer limit
    QCOMPARE(bar.position(), 7300);
    bar.setPosition(-50);
    QCOMPARE(bar.position(), 0);
    QCOMPARE(changes.count(), 3);

    // The user's arrow click and trough click change it too.
    bar.setSingleStep(3);
    bar.setPageStep(50);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(bar.position(), 3);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(bar.position(), 53);
    QCOMPARE(changes.count(), 5);
}

void TestToolkit::nestedChangeRunsInsideTheSet()
{
    ScrollBar bar;
    bar.setRange(0, 7300);
    QStringList trace;
    connect(&bar, &QScrollBar::valueChanged, &bar, [&](int value) {
        trace << QStringLiteral("enter %1").arg(value);
        if (value > 5000)
            bar.setPosition(5000); // a handler correcting its own bar
        trace << QStringLiteral("leave %1 at %2").arg(value).arg(bar.position());
    });
    bar.setPosition(6000);
    trace << QStringLiteral("set returned");
    QCOMPARE(trace, QStringList({"enter 6000", "enter 5000", "leave 5000 at 5000",
                                 "leave 6000 at 5000", "set returned"}));
}

void TestToolkit::trackBarRaisesOnProgramSet()
{
    TrackBar selector;
    selector.setRange(0, 7);
    QSignalSpy changes(&selector, &QSlider::valueChanged);
    selector.setPosition(5);
    selector.setPosition(5);
    selector.setPosition(0);
    QCOMPARE(changes.count(), 2);
}

void TestToolkit::comboBoxChangesOnlyForTheUser()
{
    ComboBox box;
    box.addItems({"4800", "9600", "14400"});
    box.setText(QStringLiteral("9600"));
    QSignalSpy changes(&box, &ComboBox::userChanged);

    box.setText(QStringLiteral("57600")); // the program's set
    QCOMPARE(changes.count(), 0);
    QCOMPARE(box.text(), QStringLiteral("57600"));

    box.lineEdit()->selectAll();
    QTest::keyClicks(&box, QStringLiteral("12"));
    QCOMPARE(changes.count(), 2);
    QCOMPARE(box.text(), QStringLiteral("12"));

    Q_EMIT box.activated(2); // a pick from the list, as the popup reports it
    QCOMPARE(changes.count(), 3);

    QTest::keyClick(&box, Qt::Key_Down); // stepping through the list with the keyboard
    QCOMPARE(changes.count(), 4);
}

void TestToolkit::editRaisesOnEveryChange()
{
    LineEdit edit;
    QStringList seen;
    connect(&edit, &QLineEdit::textChanged, &edit, [&](const QString &t) { seen << t; });
    edit.setText(QStringLiteral("0"));
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClicks(&edit, QStringLiteral("7"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(seen, QStringList({"0", "07", "0"}));
}

void TestToolkit::keyHookSeesTypedCharacters_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code"); // -1: the hook is not called
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7" << int('7');
    QTest::newRow("letter") << int(Qt::Key_A) << 0 << "a" << int('a');
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << "-" << int('-');
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 8;
    QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "\r" << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << "\x1b" << 27;
    QTest::newRow("paste keystroke") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16" << 22;
    QTest::newRow("Latin-1 e acute") << int(Qt::Key_Eacute) << 0 << QString(QChar(0xE9)) << 0xE9;
    QTest::newRow("beyond Latin-1")
        << int(Qt::Key_unknown) << 0 << QString(QChar(0x20AC)) << int('?');
    QTest::newRow("left arrow") << int(Qt::Key_Left) << 0 << "" << -1;
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << "\x7f" << -1;
    QTest::newRow("F5") << int(Qt::Key_F5) << 0 << "" << -1;
}

void TestToolkit::keyHookSeesTypedCharacters()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    LineEdit edit;
    int seen = -1;
    edit.setKeyPressHook([&](char &k) { seen = static_cast<unsigned char>(k); });
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCoreApplication::sendEvent(&edit, &press);
    QCOMPARE(seen, code);
}

void TestToolkit::keyHookDiscardsAndReplaces()
{
    LineEdit edit;
    edit.setKeyPressHook([](char &k) {
        if (k == 'x')
            k = 0;
        else if (k == 'y')
            k = 'z';
    });
    QTest::keyClicks(&edit, QStringLiteral("1x2y"));
    QCOMPARE(edit.text(), QStringLiteral("12z"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("12"));
}

void TestToolkit::comboBoxKeyHook()
{
    ComboBox box;
    box.setText(QString());
    int calls = 0;
    box.setKeyPressHook([&](char &k) {
        ++calls;
        if (k < '0' || k > '9')
            k = 0;
    });
    QTest::keyClicks(&box, QStringLiteral("9a6"));
    QCOMPARE(box.text(), QStringLiteral("96"));
    QTest::keyClicks(box.lineEdit(), QStringLiteral("b0")); // straight at the edit part
    QCOMPARE(box.text(), QStringLiteral("960"));
    QCOMPARE(calls, 5);
}

void TestToolkit::maxLengthLimitsTypingOnly()
{
    LineEdit edit;
    edit.setMaxChars(5);
    edit.setText(QString());
    QTest::keyClicks(&edit, QStringLiteral("1234567"));
    QCOMPARE(edit.text(), QStringLiteral("12345"));

    edit.setMaxChars(3); // a shorter limit keeps the longer text
    QCOMPARE(edit.text(), QStringLiteral("12345"));
    QTest::keyClicks(&edit, QStringLiteral("6"));
    QCOMPARE(edit.text(), QStringLiteral("12345"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("123"));
    QTest::keyClicks(&edit, QStringLiteral("4"));
    QCOMPARE(edit.text(), QStringLiteral("123"));

    edit.setText(QStringLiteral("-2147483648")); // the program is not limited
    QTest::keyClicks(&edit, QStringLiteral("9"));
    edit.setSelection(0, 3); // nor is the user after it, even when shortening it
    QTest::keyClicks(&edit, QStringLiteral("9"));
    QCOMPARE(edit.text(), QStringLiteral("-2147483648"));

    ComboBox box;
    box.setMaxChars(6);
    box.setText(QString());
    QTest::keyClicks(&box, QStringLiteral("12345678"));
    QCOMPARE(box.text(), QStringLiteral("123456"));
    box.setText(QStringLiteral("1000000"));
    QCOMPARE(box.text(), QStringLiteral("1000000"));
}

void TestToolkit::radioClickWhenBecomingChecked()
{
    QWidget group;
    auto *first = new RadioButton(&group);
    auto *second = new RadioButton(&group);
    first->setGeometry(0, 0, 100, 20);
    second->setGeometry(0, 30, 100, 20);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    second->setChecked(true);
    QStringList clicks;
    connect(first, &RadioButton::becameChecked, first, [&] {
        // The partner is already unchecked when the handler runs.
        clicks << QStringLiteral("first, second %1").arg(second->isChecked());
    });
    connect(second, &RadioButton::becameChecked, second, [&] { clicks << "second"; });

    second->setChecked(true); // already checked: no click
    QCOMPARE(clicks.size(), 0);
    first->setChecked(true); // by the program
    QCOMPARE(clicks, QStringList({"first, second 0"}));
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(6, 10)); // by the user
    QCOMPARE(clicks, QStringList({"first, second 0", "second"}));
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(6, 10));
    QCOMPARE(clicks.size(), 2);
    QVERIFY(second->isChecked() && !first->isChecked());
    // Only the checked button is a Tab stop.
    QCOMPARE(second->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(first->focusPolicy(), Qt::ClickFocus);
}

void TestToolkit::menuOpeningRunsFirst()
{
    QMenu menu;
    QAction *item = menu.addAction(QStringLiteral("COM1"));
    int opened = 0;
    bool itemEnabledWhenShown = true;
    connect(&menu, &QMenu::aboutToShow, &menu, [&] {
        ++opened;
        QVERIFY(!menu.isVisible());
        item->setEnabled(false); // a probe deciding before the items show
    });
    connect(&menu, &QMenu::aboutToShow, &menu, [&] { itemEnabledWhenShown = item->isEnabled(); });
    menu.popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(opened, 1);
    QVERIFY(!itemEnabledWhenShown);
    menu.hide();
    menu.popup(QPoint(10, 10));
    QCOMPARE(opened, 2);
    menu.hide();
}

void TestToolkit::pieMouseIsCapturedWhileHeld()
{
    QWidget window;
    window.resize(600, 400);
    auto *pie = new TPie(&window);
    pie->setGeometry(312, 0, 161, 161);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QStringList events;
    connect(pie, &TPie::mouseDown, pie,
            [&](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
                events << QStringLiteral("down %1 %2,%3").arg(int(b)).arg(x).arg(y);
            });
    connect(pie, &TPie::mouseMove, pie, [&](Qt::KeyboardModifiers, int x, int y) {
        events << QStringLiteral("move %1,%2").arg(x).arg(y);
    });
    connect(pie, &TPie::mouseUp, pie, [&](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        events << QStringLiteral("up %1 %2,%3").arg(int(b)).arg(x).arg(y);
    });

    QTest::mousePress(pie, Qt::RightButton, {}, QPoint(10, 20));
    QTest::mouseMove(pie, QPoint(40, 50));
    QTest::mouseMove(pie, QPoint(-30, 200)); // outside the pie, still captured
    QTest::mouseRelease(pie, Qt::RightButton, {}, QPoint(-30, 200));
    QCOMPARE(events, QStringList({"down 2 10,20", "move 40,50", "move -30,200", "up 2 -30,200"}));
}

void TestToolkit::pieRedrawsOnEverySet_data()
{
    QTest::addColumn<bool>("inactive");
    QTest::newRow("on its own") << false;
    // Windows' palette gives the inactive highlight the window's colour.
    QTest::newRow("in an inactive window, its highlight the window's colour") << true;
}

void TestToolkit::pieRedrawsOnEverySet()
{
    QFETCH(bool, inactive);
    TPie pie;
    QWidget other;
    pie.resize(161, 161);
    if (inactive) {
        QPalette windows = pie.palette();
        windows.setColor(QPalette::Inactive, QPalette::Highlight, windows.color(QPalette::Window));
        pie.setPalette(windows);
        pie.show();
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow() && !pie.isActiveWindow());
    }
    pie.setStartAngle(45);
    pie.setEndAngle(135);
    QCOMPARE(pie.startAngle(), 45);
    QCOMPARE(pie.endAngle(), 135);

    // The sector runs counter-clockwise from the start: 45 to 135 fills the top, not the bottom.
    const QImage image = pie.grab().toImage();
    const QColor fill = pie.palette().color(QPalette::Active, QPalette::Highlight);
    QVERIFY(fill != pie.palette().color(QPalette::Window));
    QCOMPARE(image.pixelColor(80, 30), fill);
    QVERIFY(image.pixelColor(80, 130) != fill);
    QVERIFY(image.pixelColor(130, 70) != fill);

    pie.setStartAngle(0);
    pie.setEndAngle(181);
    const QImage whole = pie.grab().toImage();
    QCOMPARE(whole.pixelColor(130, 70), fill);
    QVERIFY(whole.pixelColor(80, 130) != fill);
}

void TestToolkit::errorEndsHandlerAndIsReported()
{
    bool after = false;
    runHandler([&] {
        throw std::runtime_error("\"\" is not a whole number");
        after = true;
    });
    QVERIFY(!after);
    QCOMPARE(m_desk.errors(), QStringList({"\"\" is not a whole number"}));

    runHandler([] { throw 42; }); // not a standard error: shown with an empty text
    QCOMPARE(m_desk.errors(), QStringList({"\"\" is not a whole number", ""}));

    int next = 0;
    runHandler([&] { ++next; }); // the next event runs as usual
    QCOMPARE(next, 1);
    QCOMPARE(m_desk.boxes.size(), size_t(2));
}

void TestToolkit::nestedErrorEndsOuterHandler()
{
    ScrollBar bar;
    bar.setRange(0, 100);
    connect(&bar, &QScrollBar::valueChanged, &bar,
            [&] { runHandler([] { throw std::runtime_error("nested"); }); });
    QStringList steps;
    runHandler([&] {
        steps << "before";
        bar.setPosition(50);
        steps << "after";
    });
    QCOMPARE(steps, QStringList({"before"}));
    QCOMPARE(m_desk.errors(), QStringList({"nested"}));
    QCOMPARE(bar.position(), 50); // what changed before the error stays changed
}

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
