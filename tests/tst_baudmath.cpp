// The baud divisor, actual rate and real-time capacity, and the numeric key filter.
#include "params/addressrange.h"
#include "params/baudmath.h"

#include <QTest>

class TestBaudMath : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void listRates_data();
    void listRates();
    void boundaries_data();
    void boundaries();
    void singlePrecisionAgreesWithExactArithmetic();
    void keyFilter();
    void addressRanges_data();
    void addressRanges();
};

void TestBaudMath::listRates_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<bool>("native");
    QTest::addColumn<bool>("digital");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<int>("actual");
    QTest::addColumn<int>("capacity");
    struct Row
    {
        int baud, divisor, actual, mini, native, miniOutputs, nativeOutputs;
    };
    const Row rows[] = {
        {4800, 191, 4800, 5, 10, 40, 80},          {9600, 95, 9600, 10, 26, 80, 208},
        {14400, 63, 14400, 16, 42, 128, 336},      {14700, 62, 14628, 16, 43, 128, 344},
        {28800, 31, 28800, 32, 90, 256, 720},      {57600, 15, 57600, 64, 186, 512, 1488},
        {115200, 7, 115200, 128, 378, 1024, 3024},
    };
    for (const Row &r : rows) {
        QTest::addRow("%d Mini SSC servos", r.baud)
            << r.baud << false << false << r.divisor << r.actual << r.mini;
        QTest::addRow("%d Quorvel servos", r.baud)
            << r.baud << true << false << r.divisor << r.actual << r.native;
        QTest::addRow("%d Mini SSC outputs", r.baud)
            << r.baud << false << true << r.divisor << r.actual << r.miniOutputs;
        QTest::addRow("%d Quorvel outputs", r.baud)
            << r.baud << true << true << r.divisor << r.actual << r.nativeOutputs;
    }
}

void TestBaudMath::listRates()
{
    QFETCH(int, baud);
    QFETCH(bool, native);
    QFETCH(bool, digital);
    QFETCH(int, divisor);
    QFETCH(int, actual);
    QFETCH(int, capacity);
    const BaudFigures f = baudFigures(baud, native, digital);
    QVERIFY(f.achievable);
    QCOMPARE(f.divisor, divisor);
    QCOMPARE(f.actualRate, actual);
    QCOMPARE(f.capacity, capacity);
    QCOMPARE(f.outputs, digital);
}

void TestBaudMath::boundaries_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<bool>("native");
    QTest::addColumn<bool>("achievable");
    QTest::addColumn<int>("divisor"); // -1: any value above 255
    QTest::addColumn<int>("actual");
    QTest::addColumn<int>("capacity");
    QTest::newRow("3593, the lowest achievable") << 3593 << false << true << 255 << 3600 << 3;
    QTest::newRow("3607 still 255") << 3607 << false << true << 255 << 3600 << 4;
    QTest::newRow("3592 not achievable") << 3592 << false << false << 256 << 0 << 0;
    QTest::newRow("614400 rounds half up") << 614400 << false << true << 1 << 460800 << 682;
    QTest::newRow("999999") << 999999 << false << true << 0 << 921600 << 1111;
    QTest::newRow("1") << 1 << false << false << 921599 << 0 << 0;
    // Far too slow either way: the capacity shows 0 because the rate is not achievable.
    QTest::newRow("300 Quorvel") << 300 << true << false << 3071 << 0 << 0;
    QTest::newRow("300 Mini SSC") << 300 << false << false << 3071 << 0 << 0;
    QTest::newRow("0 has no divisor") << 0 << false << false << -1 << 0 << 0;
    QTest::newRow("pasted -9600") << -9600 << false << true << 0 << 921600 << 0;
    QTest::newRow("pasted -9600 Quorvel") << -9600 << true << true << 0 << 921600 << 0;
    QTest::newRow("most negative") << int(-2147483647 - 1) << true << true << 0 << 921600 << 0;
    QTest::newRow("largest") << 2147483647 << true << true << 0 << 921600 << 7158272;
}

void TestBaudMath::boundaries()
{
    QFETCH(int, baud);
    QFETCH(bool, native);
    QFETCH(bool, achievable);
    QFETCH(int, divisor);
    QFETCH(int, actual);
    QFETCH(int, capacity);
    const BaudFigures f = baudFigures(baud, native, false);
    QCOMPARE(f.achievable, achievable);
    if (divisor < 0)
        QVERIFY(f.divisor > 255);
    else
        QCOMPARE(f.divisor, divisor);
    if (achievable) {
        QCOMPARE(f.actualRate, actual);
        QCOMPARE(f.capacity, capacity);
    }
}

void TestBaudMath::singlePrecisionAgreesWithExactArithmetic()
{
    for (int baud = 1; baud <= 999999; ++baud) {
        const int exact = (1843200 - baud) / (2 * baud);
        if (baudDivisorFor(baud) != exact)
            QFAIL(qPrintable(QStringLiteral("rate %1: %2, exact %3")
                                 .arg(baud)
                                 .arg(baudDivisorFor(baud))
                                 .arg(exact)));
    }
}

void TestBaudMath::keyFilter()
{
    for (int code = 0; code < 256; ++code) {
        const bool passes = code == 8 || (code >= '0' && code <= '9');
        QVERIFY2(numericKeyPasses(static_cast<char>(code)) == passes,
                 qPrintable(QString::number(code)));
    }
}

void TestBaudMath::addressRanges_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<bool>("digital");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("largest");
    QTest::addColumn<int>("length");
    QTest::newRow("Quorvel, Servo Controller") << true << false << "0 - 65527" << 65527 << 5;
    QTest::newRow("Mini SSC, Servo Controller") << false << false << "0 - 247" << 247 << 3;
    QTest::newRow("Quorvel, Digital Controller") << true << true << "0 - 65535" << 65535 << 5;
    QTest::newRow("Mini SSC, Digital Controller") << false << true << "0 - 255" << 255 << 3;
}

void TestBaudMath::addressRanges()
{
    QFETCH(bool, native);
    QFETCH(bool, digital);
    QFETCH(QString, label);
    QFETCH(int, largest);
    QFETCH(int, length);
    const AddressRange range = addressRangeFor(native, digital);
    QCOMPARE(QString::fromLatin1(range.label), label);
    QCOMPARE(range.largest, largest);
    QCOMPARE(addressLengthFor(native), length);
}

QTEST_GUILESS_MAIN(TestBaudMath)
#include "tst_baudmath.moc"
