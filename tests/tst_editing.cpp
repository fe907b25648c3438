// The selector, the sweep bars, the travel dial and the test panel, with the bytes the real servo
// is sent while the user edits.
#include "app/tform1.h"
#include "settings/dialmapping.h"
#include "tests/fakedesktop.h"
#include "tests/otherprocess.h"
#include "tests/ptypair.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

// Where a part of a scroll bar is drawn, as the user would aim at it.
QPoint partOf(QScrollBar *bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}
} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    // Servo selector and sweep bars
    void barEdits_data();
    void barEdits();
    void noPortStoresAndDrawsOnly();
    void selectingShowsTheStoredPairAndSendsNothing();
    void eachServoKeepsItsOwnPair();
    void pairCloserThanTheGapIsShownUnchanged();
    void pairBeyondTheBarIsShownAtItsEnd();
    void correctionStopsAtTheBarsEnd();
    void thumbDragSendsEveryReportedPosition();

    // Travel dial
    void mouseDownPicksAnEnd_data();
    void mouseDownPicksAnEnd();
    void dragClamps_data();
    void dragClamps();
    void dragStopsTwoDegreesShortOfTheOtherEnd();
    void dragAfterABarEditMayLeaveOnly40();
    void moveWithoutMouseDownDoesNothing();
    void everyMoveSendsAlsoWhenNothingChanged();
    void dragWithoutPortStillEdits();
    void selectorMapsDraggedAngleBack();
    void dragThroughRealMouseEvents();

    // Test panel
    void sliderSendsTestPosition_data();
    void sliderSendsTestPosition();
    void arrowAndTroughClicksSendOnce();
    void holdingTheMouseOnThePanelGreysOutUpload();
    void panelComesBackWithAPortAndTestsTheSelectedServo();

  private:
    std::unique_ptr<FreshWindow> m_fresh;
    std::unique_ptr<PtyPair> m_pty;
    TForm1 *form() { return m_fresh->form.get(); }
    Controls &ui() { return m_fresh->ui; }
    void usePort();
    void showWindow();
    void drag(const QList<QPoint> &path);
    void expectSent(const QByteArray &bytes);
};

void TestEditing::init()
{
    m_fresh = std::make_unique<FreshWindow>();
    m_pty = std::make_unique<PtyPair>();
}

void TestEditing::cleanup()
{
    m_fresh.reset();
    m_pty.reset();
}

void TestEditing::usePort()
{
    m_fresh->choosePort(m_pty->device());
}

void TestEditing::showWindow()
{
    form()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form()));
}

// Mouse down at the first point, a move to each further point, mouse up at the last.
void TestEditing::drag(const QList<QPoint> &path)
{
    form()->travelMouseDown(ui().travel, Qt::LeftButton, {}, path.first().x(), path.first().y());
    for (qsizetype i = 1; i < path.size(); ++i)
        form()->travelMouseMove(ui().travel, {}, path[i].x(), path[i].y());
    form()->travelMouseUp(ui().travel, Qt::LeftButton, {}, path.last().x(), path.last().y());
}

void TestEditing::expectSent(const QByteArray &bytes)
{
    QCOMPARE(m_pty->read(bytes.size()).toHex(' '), bytes.toHex(' '));
    QCOMPARE(m_pty->readAll(50).toHex(' '), QByteArray());
}

void TestEditing::barEdits_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("moveTo");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("startAngle");
    QTest::addColumn<int>("endAngle");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("start past the end gives way, sent twice")
        << "startSweep" << 6000 << 5429 << 5529 << 45 << 47
        << liveBytes(0, 5429) + liveBytes(0, 5429);
    QTest::newRow("end below the start gives way, sent twice")
        << "endSweep" << 100 << 1843 << 1943 << 133 << 135
        << liveBytes(0, 1943) + liveBytes(0, 1943);
    QTest::newRow("start within the gap, sent once")
        << "startSweep" << 3000 << 3000 << 5529 << 45 << 107 << liveBytes(0, 3000);
    QTest::newRow("start exactly 100 below the end")
        << "startSweep" << 5429 << 5429 << 5529 << 45 << 47 << liveBytes(0, 5429);
    QTest::newRow("end to the top")
        << "endSweep" << 7300 << 1843 << 7300 << 0 << 135 << liveBytes(0, 7300);
    QTest::newRow("same position raises nothing")
        << "startSweep" << 1843 << 1843 << 5529 << 45 << 135 << QByteArray();
}

void TestEditing::barEdits()
{
    QFETCH(QString, bar);
    QFETCH(int, moveTo);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, startAngle);
    QFETCH(int, endAngle);
    QFETCH(QByteArray, sent);
    usePort();
    form()->findChild<ScrollBar *>(bar)->setPosition(moveTo);
    QCOMPARE(ui().startSweep->position(), start);
    QCOMPARE(ui().endSweep->position(), end);
    QCOMPARE(form()->record().sweepStarts[0], start);
    QCOMPARE(form()->record().sweepEnds[0], end);
    QCOMPARE(form()->record().dialStartAngle, startAngle);
    QCOMPARE(form()->record().dialEndAngle, endAngle);
    QCOMPARE(ui().travel->startAngle(), startAngle);
    QCOMPARE(ui().travel->endAngle(), endAngle);
    expectSent(sent);
    QVERIFY(form()->editingFlags().sweepEventsEnabled);
}

void TestEditing::noPortStoresAndDrawsOnly()
{
    m_fresh->desk.devices = {m_pty->device()}; // present, but not chosen
    ui().startSweep->setPosition(6000);
    ui().endSweep->setPosition(7000);
    QCOMPARE(form()->record().sweepStarts[0], 5429);
    QCOMPARE(form()->record().sweepEnds[0], 7000);
    QCOMPARE(ui().travel->endAngle(), 47);
    QCOMPARE(ui().travel->startAngle(), dialAngleOfPosition(7000));
    QCOMPARE(m_pty->readAll(50), QByteArray());
    QVERIFY(m_fresh->desk.boxes.empty());
}

void TestEditing::selectingShowsTheStoredPairAndSendsNothing()
{
    usePort();
    ui().Selector->setPosition(3);
    ui().startSweep->setPosition(2500);
    ui().endSweep->setPosition(6000);
    expectSent(liveBytes(3, 2500) + liveBytes(3, 6000));
    form()->record().sweepStarts[4] = 1000;
    form()->record().sweepEnds[4] = 2000;

    ui().Selector->setPosition(4);
    QCOMPARE(ui().Label6->text(), QStringLiteral("Servo 4"));
    QCOMPARE(ui().startSweep->position(), 1000);
    QCOMPARE(ui().endSweep->position(), 2000);
    QCOMPARE(ui().travel->endAngle(), dialAngleOfPosition(1000));
    QCOMPARE(ui().travel->startAngle(), dialAngleOfPosition(2000));
    QCOMPARE(form()->record().dialEndAngle, dialAngleOfPosition(1000));
    QCOMPARE(form()->record().dialStartAngle, dialAngleOfPosition(2000));
    QCOMPARE(form()->record().sweepStarts[3], 2500);
    QCOMPARE(form()->record().sweepEnds[3], 6000);
    QVERIFY(form()->editingFlags().sweepEventsEnabled);
    expectSent(QByteArray());
}

void TestEditing::eachServoKeepsItsOwnPair()
{
    ui().Selector->setPosition(2);
    ui().startSweep->setPosition(3000);
    ui().Selector->setPosition(3);
    QCOMPARE(ui().startSweep->position(), 1843);
    QCOMPARE(ui().endSweep->position(), 5529);
    ui().Selector->setPosition(2);
    QCOMPARE(ui().startSweep->position(), 3000);
    QCOMPARE(ui().Label6->text(), QStringLiteral("Servo 2"));
    // Right after start the dial shows 45 to 135; a selection maps the bars: 44 and 136.
    ui().Selector->setPosition(7);
    ui().Selector->setPosition(0);
    QCOMPARE(ui().travel->startAngle(), 44);
    QCOMPARE(ui().travel->endAngle(), 136);
}

void TestEditing::pairCloserThanTheGapIsShownUnchanged()
{
    usePort();
    form()->record().sweepStarts[5] = 3000;
    form()->record().sweepEnds[5] = 3040;
    ui().Selector->setPosition(5);
    QCOMPARE(ui().startSweep->position(), 3000);
    QCOMPARE(ui().endSweep->position(), 3040);
    expectSent(QByteArray());
    ui().startSweep->setPosition(3010); // any move above 100 below the end
    QCOMPARE(ui().startSweep->position(), 2940);
    QCOMPARE(form()->record().sweepStarts[5], 2940);
    expectSent(liveBytes(5, 2940) + liveBytes(5, 2940));
}

void TestEditing::pairBeyondTheBarIsShownAtItsEnd()
{
    form()->record().sweepStarts[6] = -500;
    form()->record().sweepEnds[6] = 9000;
    ui().Selector->setPosition(6);
    QCOMPARE(ui().startSweep->position(), 0);
    QCOMPARE(ui().endSweep->position(), 7300);
    QCOMPARE(form()->record().sweepStarts[6], -500); // unchanged until the bar moves
    QCOMPARE(form()->record().sweepEnds[6], 9000);
    QCOMPARE(ui().travel->startAngle(), 0);
    QCOMPARE(ui().travel->endAngle(), 181);
    ui().endSweep->setPosition(7000);
    QCOMPARE(form()->record().sweepEnds[6], 7000);
}

void TestEditing::correctionStopsAtTheBarsEnd()
{
    usePort();
    form()->record().sweepStarts[1] = 7250;
    form()->record().sweepEnds[1] = 7290;
    ui().Selector->setPosition(1);
    ui().endSweep->setPosition(7295);
    // It would have to go to 7350; it stops at 7300, less than 100 above the start.
    QCOMPARE(ui().endSweep->position(), 7300);
    QCOMPARE(form()->record().sweepEnds[1], 7300);
    expectSent(liveBytes(1, 7300) + liveBytes(1, 7300));
}

void TestEditing::thumbDragSendsEveryReportedPosition()
{
    usePort();
    showWindow();
    ScrollBar *bar = ui().startSweep;
    QSignalSpy reported(bar, &QScrollBar::valueChanged);
    const QPoint thumb = partOf(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
    for (int dx = 10; dx <= 60; dx += 10)
        QTest::mouseMove(bar, thumb + QPoint(dx, 0));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(60, 0));

    QVERIFY(reported.count() >= 5);
    QByteArray expected;
    for (const QList<QVariant> &event : reported)
        expected += liveBytes(0, event[0].toInt());
    expectSent(expected);
    QVERIFY(bar->position() > 1843);
    QCOMPARE(form()->record().sweepStarts[0], bar->position());
    QCOMPARE(ui().travel->endAngle(), dialAngleOfPosition(bar->position()));
}

void TestEditing::mouseDownPicksAnEnd_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("grabsStart");
    QTest::newRow("centre, a tie, takes the start angle") << QPoint(80, 80) << true;
    QTest::newRow("bottom-left corner, 225") << QPoint(0, 160) << false;
    QTest::newRow("bottom-right corner, -45") << QPoint(160, 160) << true;
    QTest::newRow("near the end angle") << QPoint(10, 20) << false;
    QTest::newRow("near the start angle") << QPoint(150, 20) << true;
}

void TestEditing::mouseDownPicksAnEnd()
{
    QFETCH(QPoint, at);
    QFETCH(bool, grabsStart);
    usePort();
    form()->travelMouseDown(ui().travel, Qt::LeftButton, {}, at.x(), at.y());
    QVERIFY(form()->editingFlags().dialDragging);
    QCOMPARE(form()->editingFlags().dialGrabsStartAngle, grabsStart);
    // Nothing else changes on mouse down.
    QCOMPARE(ui().travel->startAngle(), 45);
    QCOMPARE(ui().travel->endAngle(), 135);
    QCOMPARE(ui().endSweep->position(), 5529);
    expectSent(QByteArray());
    form()->travelMouseUp(ui().travel, Qt::RightButton, {}, at.x(), at.y());
    QVERIFY(!form()->editingFlags().dialDragging);
}

void TestEditing::dragClamps_data()
{
    QTest::addColumn<QList<QPoint>>("path");
    QTest::addColumn<int>("startAngle");
    QTest::addColumn<int>("endAngle");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("start angle below the horizontal on the right clamps to 0")
        << QList<QPoint>{{150, 40}, {160, 120}} << 0 << 135 << 1843 << 7300 << liveBytes(0, 7300);
    QTest::newRow("end angle below the horizontal on the left clamps to 181")
        << QList<QPoint>{{10, 40}, {0, 120}} << 45 << 181 << 0 << 5529 << liveBytes(0, 0);
    QTest::newRow("top-right corner gives 44")
        << QList<QPoint>{{150, 40}, {160, 0}} << 44 << 135 << 1843 << 5525 << liveBytes(0, 5525);
    QTest::newRow("straight up moves the end of sweep to 90")
        << QList<QPoint>{{150, 40}, {80, 0}} << 90 << 135 << 1843 << 3670 << liveBytes(0, 3670);
}

void TestEditing::dragClamps()
{
    QFETCH(QList<QPoint>, path);
    QFETCH(int, startAngle);
    QFETCH(int, endAngle);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QByteArray, sent);
    usePort();
    drag(path);
    QCOMPARE(ui().travel->startAngle(), startAngle);
    QCOMPARE(ui().travel->endAngle(), endAngle);
    QCOMPARE(form()->record().dialStartAngle, startAngle);
    QCOMPARE(form()->record().dialEndAngle, endAngle);
    QCOMPARE(ui().startSweep->position(), start);
    QCOMPARE(ui().endSweep->position(), end);
    QCOMPARE(form()->record().sweepStarts[0], start);
    QCOMPARE(form()->record().sweepEnds[0], end);
    QVERIFY(form()->editingFlags().sweepEventsEnabled);
    expectSent(sent);
}

void TestEditing::dragStopsTwoDegreesShortOfTheOtherEnd()
{
    usePort();
    drag({{10, 40}, {0, 0}}); // the end angle to 135: the start bar to 1855
    QCOMPARE(ui().startSweep->position(), 1855);
    drag({{150, 40}, {0, 80}}); // the start angle all the way to the left
    QCOMPARE(ui().travel->startAngle(), 133);
    QCOMPARE(ui().endSweep->position(), 1935);
    QCOMPARE(form()->record().sweepEnds[0] - form()->record().sweepStarts[0], 80);
    expectSent(liveBytes(0, 1855) + liveBytes(0, 1935));
}

void TestEditing::dragAfterABarEditMayLeaveOnly40()
{
    usePort();
    ui().startSweep->setPosition(40);
    QCOMPARE(ui().travel->endAngle(), 181);
    drag({{150, 40}, {0, 80}});
    QCOMPARE(ui().travel->startAngle(), 179);
    QCOMPARE(ui().endSweep->position(), 80);
    QCOMPARE(form()->record().sweepEnds[0], 80);
    QCOMPARE(form()->record().sweepStarts[0], 40);
    expectSent(liveBytes(0, 40) + liveBytes(0, 80));
}

void TestEditing::moveWithoutMouseDownDoesNothing()
{
    usePort();
    form()->travelMouseMove(ui().travel, {}, 160, 80);
    QCOMPARE(ui().travel->startAngle(), 45);
    QCOMPARE(ui().endSweep->position(), 5529);
    expectSent(QByteArray());
}

void TestEditing::everyMoveSendsAlsoWhenNothingChanged()
{
    usePort();
    drag({{150, 40}, {160, 0}, {160, 1}, {160, 0}});
    QCOMPARE(ui().travel->startAngle(), 44);
    expectSent(liveBytes(0, 5525).repeated(3));
}

void TestEditing::dragWithoutPortStillEdits()
{
    m_fresh->desk.devices = {m_pty->device()};
    ui().Selector->setPosition(3);
    drag({{150, 40}, {160, 0}});
    QCOMPARE(ui().travel->startAngle(), 44);
    QCOMPARE(ui().endSweep->position(), 5525);
    QCOMPARE(form()->record().sweepEnds[3], 5525);
    QCOMPARE(m_pty->readAll(50), QByteArray());
}

void TestEditing::selectorMapsDraggedAngleBack()
{
    drag({{150, 40}, {159, 0}}); // leaves the start angle at 45
    QCOMPARE(ui().travel->startAngle(), 45);
    QCOMPARE(form()->record().sweepEnds[0], 5485);
    ui().Selector->setPosition(1);
    ui().Selector->setPosition(0);
    QCOMPARE(ui().travel->startAngle(), 46);
    QCOMPARE(form()->record().dialStartAngle, 46);
}

void TestEditing::dragThroughRealMouseEvents()
{
    usePort();
    showWindow();
    TPie *pie = ui().travel;
    QTest::mousePress(pie, Qt::LeftButton, {}, QPoint(150, 40)); // near the end of sweep
    QTest::mouseMove(pie, QPoint(160, 0));
    QTest::mouseMove(pie, QPoint(140, -30)); // outside the pie, still dragging
    QTest::mouseMove(pie, QPoint(250, 150)); // below the horizontal, right of the box
    QTest::mouseRelease(pie, Qt::LeftButton, {}, QPoint(250, 150));
    QTest::mouseMove(pie, QPoint(80, 0)); // after the release: nothing
    QCOMPARE(ui().travel->startAngle(), 0);
    QCOMPARE(ui().endSweep->position(), 7300);
    QCOMPARE(form()->record().sweepEnds[0], 7300);
    QVERIFY(!form()->editingFlags().dialDragging);
    QCOMPARE(QAccessible::queryAccessibleInterface(pie)->text(QAccessible::Description),
             QStringLiteral("Start of sweep at 135 degrees, end of sweep at 0 degrees"));
    // 44 degrees, then 61 outside the box, then below the horizontal: clamped to 0.
    expectSent(liveBytes(0, 5525) + liveBytes(0, 4839) + liveBytes(0, 7300));
}

void TestEditing::sliderSendsTestPosition_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<bool>("digital");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("servo");
    QTest::addColumn<int>("moveTo");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("Mini SSC, address 10, servo 3")
        << false << false << "10" << 3 << 200 << "9600" << QByteArray::fromHex("FF0DC8");
    QTest::newRow("Mini SSC, address 250, servo 7: 255")
        << false << true << "250" << 7 << 5 << "9600" << QByteArray::fromHex("FFFF05");
    QTest::newRow("native, servo 5 to 0") << true << false << "10" << 5 << 0 << "9600"
                                          << QByteArray::fromHex("FFFF080080808080800080"
                                                                 "8000");
    QTest::newRow("at 57600") << false << false << "0" << 0 << 129 << "57600"
                              << QByteArray::fromHex("FF0081");
}

void TestEditing::sliderSendsTestPosition()
{
    QFETCH(bool, native);
    QFETCH(bool, digital);
    QFETCH(QString, address);
    QFETCH(int, servo);
    QFETCH(int, moveTo);
    QFETCH(QString, rate);
    QFETCH(QByteArray, sent);
    (native ? ui().RadioButton4 : ui().RadioButton5)->setChecked(true);
    (digital ? ui().RadioButton7 : ui().RadioButton6)->setChecked(true);
    ui().Edit1->setText(address);
    ui().baudSelector->setText(rate);
    usePort();
    ui().Selector->setPosition(servo);
    ui().ScrollBar1->setPosition(moveTo);
    expectSent(sent);
    QCOMPARE(m_pty->line().speed, rate.toUInt());
}

void TestEditing::arrowAndTroughClicksSendOnce()
{
    usePort();
    showWindow();
    ScrollBar *slider = ui().ScrollBar1;
    QTest::mouseClick(slider, Qt::LeftButton, {}, partOf(slider, QStyle::SC_ScrollBarAddLine));
    QCOMPARE(slider->position(), 129);
    expectSent(QByteArray::fromHex("FF0081"));
    QTest::mouseClick(slider, Qt::LeftButton, {}, partOf(slider, QStyle::SC_ScrollBarAddPage));
    QCOMPARE(slider->position(), 133);
    expectSent(QByteArray::fromHex("FF0085"));
}

void TestEditing::holdingTheMouseOnThePanelGreysOutUpload()
{
    usePort();
    showWindow();
    QTest::mousePress(ui().Panel1, Qt::LeftButton, {}, QPoint(20, 52));
    QVERIFY(!ui().Button1->isEnabled());
    QTest::mouseRelease(ui().Panel1, Qt::LeftButton, {}, QPoint(20, 52));
    QVERIFY(ui().Button1->isEnabled());
    QTest::mousePress(ui().Panel1, Qt::RightButton, {}, QPoint(400, 5));
    QVERIFY(!ui().Button1->isEnabled());
    QTest::mouseRelease(ui().Panel1, Qt::RightButton, {}, QPoint(400, 5));
    QVERIFY(ui().Button1->isEnabled());
    // The caption and the notice, shown under Quorvel, take their own presses.
    ui().RadioButton4->setChecked(true);
    for (QLabel *label : {ui().Label12, ui().Label51}) {
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(ui().Button1->isEnabled());
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
    }
    expectSent(QByteArray());
}

void TestEditing::panelComesBackWithAPortAndTestsTheSelectedServo()
{
    ui().Selector->setPosition(2);
    ui().RadioButton4->setChecked(true);
    ui().RadioButton7->setChecked(true);
    QVERIFY(ui().Panel1->isHidden());
    usePort();
    QVERIFY(!ui().Panel1->isHidden());
    ui().ScrollBar1->setPosition(10);
    expectSent(QByteArray::fromHex("FFFF080080800A8080808080"
                                   "00"));
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
