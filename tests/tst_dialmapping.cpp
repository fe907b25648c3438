#include "editing/dialmath.h"
#include "settings/dialmapping.h"
#include "settings/settings.h"

#include <QTest>

class TestDialMapping : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void defaults();
    void angleOfPosition_data();
    void angleOfPosition();
    void positionOfAngle_data();
    void positionOfAngle();
    void anglesStayOnTheUpperHalf();
    void pointerAngles_data();
    void pointerAngles();
};

void TestDialMapping::defaults()
{
    const ServoSettings fresh;
    for (int servo = 0; servo < servoCount; ++servo) {
        QCOMPARE(fresh.sweepStarts[servo], 1843);
        QCOMPARE(fresh.sweepEnds[servo], 5529);
    }
    QCOMPARE(fresh.comPort, 0);
    QCOMPARE(fresh.dialStartAngle, 45);
    QCOMPARE(fresh.dialEndAngle, 135);
    QCOMPARE(fresh.baudDivisor, 95);
}

void TestDialMapping::angleOfPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("angle");
    QTest::newRow("0 is the left end") << 0 << 181;
    QTest::newRow("7300 is the right end, not 1") << 7300 << 0;
    QTest::newRow("default start") << 1843 << 136;
    QTest::newRow("default end") << 5529 << 44;
    QTest::newRow("5485 from angle 45") << 5485 << 46;
    QTest::newRow("start pushed to 5429") << 5429 << 47;
    QTest::newRow("end pushed to 1943") << 1943 << 133;
    QTest::newRow("start at 3000") << 3000 << 107;
    QTest::newRow("loaded beyond the bar") << 100000 << -2298;
    QTest::newRow("loaded below zero") << -7300 << 362;
}

void TestDialMapping::angleOfPosition()
{
    QFETCH(int, position);
    QFETCH(int, angle);
    QCOMPARE(dialAngleOfPosition(position), angle);
}

void TestDialMapping::positionOfAngle_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("position");
    QTest::newRow("181 is 0") << 181 << 0;
    QTest::newRow("0 is 7300") << 0 << 7300;
    QTest::newRow("179") << 179 << 80;
    QTest::newRow("45") << 45 << 5485;
    QTest::newRow("44") << 44 << 5525;
    QTest::newRow("133") << 133 << 1935;
    QTest::newRow("135") << 135 << 1855;
}

void TestDialMapping::positionOfAngle()
{
    QFETCH(int, angle);
    QFETCH(int, position);
    QCOMPARE(positionOfDialAngle(angle), position);
}

void TestDialMapping::anglesStayOnTheUpperHalf()
{
    for (int p = 0; p <= sweepMaximum; ++p) {
        const int a = dialAngleOfPosition(p);
        QVERIFY(a >= 0 && a <= 181);
        // One degree stands for a band of about 40 positions, never more than 41.
        QVERIFY(qAbs(positionOfDialAngle(a) - p) <= 41);
    }
}

void TestDialMapping::pointerAngles_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("angle");
    QTest::newRow("straight above the centre") << 80 << 0 << 90;
    QTest::newRow("right of the centre") << 160 << 80 << 0;
    QTest::newRow("left of the centre") << 0 << 80 << 180;
    QTest::newRow("below the centre") << 80 << 160 << 270;
    QTest::newRow("the centre itself") << 80 << 80 << 90;
    QTest::newRow("top-right corner, a degree short") << 160 << 0 << 44;
    QTest::newRow("top-left corner") << 0 << 0 << 135;
    QTest::newRow("bottom-right corner") << 160 << 160 << -45;
    QTest::newRow("bottom-left corner") << 0 << 160 << 225;
    QTest::newRow("far outside, captured") << -500 << 79 << 179;
}

void TestDialMapping::pointerAngles()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, angle);
    QCOMPARE(pointerAngle(x, y, 161, 161), angle);
}

QTEST_GUILESS_MAIN(TestDialMapping)
#include "tst_dialmapping.moc"
