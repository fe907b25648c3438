// Every message byte for byte, in its grouping into writes ("|" separates the writes).
#include "link/messages.h"

#include <QTest>

Q_DECLARE_METATYPE(UploadContent)

namespace {
QString show(const Message &message)
{
    QStringList writes;
    for (const Write &write : message.writes) {
        QStringList bytes;
        for (std::uint8_t b : write)
            bytes << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        writes << bytes.join(QLatin1Char(' '));
    }
    return writes.join(QLatin1Char('|'));
}

QString repeat(const QString &write, int times)
{
    return QStringList(times, write).join(QLatin1Char('|'));
}

UploadContent defaults()
{
    UploadContent content;
    const ServoSettings fresh;
    content.sweepStarts = fresh.sweepStarts;
    content.sweepEnds = fresh.sweepEnds;
    return content;
}
} // namespace

class TestMessages : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void livePosition_data();
    void livePosition();
    void miniSscTest_data();
    void miniSscTest();
    void nativeTest_data();
    void nativeTest();
    void modeByte_data();
    void modeByte();
    void upload_data();
    void upload();
};

void TestMessages::livePosition_data()
{
    QTest::addColumn<int>("servo");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("wire");
    QTest::newRow("servo 3 at 0") << 3 << 0 << "FE|03|33 07";
    QTest::newRow("servo 7 at 7300") << 7 << 7300 << "FE|07|B7 23";
    QTest::newRow("start pushed to 5429") << 0 << 5429 << "FE|00|68 1C";
    QTest::newRow("default start") << 0 << 1843 << "FE|00|66 0E";
    QTest::newRow("loaded far beyond, low 16 bits") << 1 << 2147483647 << "FE|01|32 07";
}

void TestMessages::livePosition()
{
    QFETCH(int, servo);
    QFETCH(int, position);
    QFETCH(QString, wire);
    QCOMPARE(show(livePositionMessage(servo, position)), wire);
}

void TestMessages::miniSscTest_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("servo");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("wire");
    QTest::newRow("address 10, servo 2, 128") << 10 << 2 << 128 << "FF|0C|80";
    QTest::newRow("address 10, servo 3, 200") << 10 << 3 << 200 << "FF|0D|C8";
    QTest::newRow("250 plus 7 is sent as 255") << 250 << 7 << 128 << "FF|FF|80";
    QTest::newRow("exactly 255") << 248 << 7 << 0 << "FF|FF|00";
    QTest::newRow("exactly 256 is sent as 255") << 249 << 7 << 0 << "FF|FF|00";
    QTest::newRow("address 0, servo 0, 254") << 0 << 0 << 254 << "FF|00|FE";
    QTest::newRow("largest address, no overflow") << 2147483647 << 7 << 1 << "FF|FF|01";
}

void TestMessages::miniSscTest()
{
    QFETCH(int, address);
    QFETCH(int, servo);
    QFETCH(int, position);
    QFETCH(QString, wire);
    const Message message = miniSscTestMessage(address, servo, position, 57600);
    QCOMPARE(show(message), wire);
    QCOMPARE(message.line,
             (LineSettings{57600, 'N', 8, 1})); // the board's rate, not the setup rate
}

void TestMessages::nativeTest_data()
{
    QTest::addColumn<int>("servo");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("wire");
    QTest::newRow("servo 2 at 200") << 2 << 200 << "FF FF 08 00 80 80 C8 80 80 80 80 80 00";
    QTest::newRow("servo 5 at 0") << 5 << 0 << "FF FF 08 00 80 80 80 80 80 00 80 80 00";
    QTest::newRow("servo 0 at 254") << 0 << 254 << "FF FF 08 00 FE 80 80 80 80 80 80 80 00";
    QTest::newRow("servo 7 at 128") << 7 << 128 << "FF FF 08 00 80 80 80 80 80 80 80 80 00";
}

void TestMessages::nativeTest()
{
    QFETCH(int, servo);
    QFETCH(int, position);
    QFETCH(QString, wire);
    const Message message = nativeTestMessage(servo, position, 14700);
    QCOMPARE(show(message), wire);
    QCOMPARE(message.line, (LineSettings{14700, 'N', 8, 1}));
}

void TestMessages::modeByte_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<bool>("digital");
    QTest::addColumn<int>("mode");
    QTest::newRow("Mini SSC, Servo Controller") << false << false << 0;
    QTest::newRow("Mini SSC, Digital Controller") << false << true << 1;
    QTest::newRow("Quorvel, Servo Controller") << true << false << 2;
    QTest::newRow("Quorvel, Digital Controller") << true << true << 3;
}

void TestMessages::modeByte()
{
    QFETCH(bool, native);
    QFETCH(bool, digital);
    QFETCH(int, mode);
    QCOMPARE(int(::modeByte(native, digital)), mode);
}

void TestMessages::upload_data()
{
    QTest::addColumn<UploadContent>("content");
    QTest::addColumn<QString>("wire");
    const QString preamble = repeat(QStringLiteral("FF"), 5);
    const QString untouched = repeat(QStringLiteral("66 0E"), 8);

    QTest::newRow("start-up settings")
        << defaults() << preamble + "|00 00|5F|00|" + untouched + "|" + untouched;

    UploadContent digitalNative = defaults();
    digitalNative.nativeFormat = true;
    digitalNative.digitalController = true;
    QTest::newRow("Quorvel and Digital Controller differ in the mode byte only")
        << digitalNative << preamble + "|00 00|5F|03|" + untouched + "|" + untouched;

    UploadContent edited = defaults();
    edited.address = 65527;
    edited.baudDivisor = 7;
    edited.sweepStarts[0] = 0;
    edited.sweepEnds[0] = 7300;
    edited.sweepStarts[7] = 5000;
    edited.sweepEnds[7] = 4000; // inverted by a file: the span wraps in 16 bits
    QTest::newRow("edited servos 0 and 7")
        << edited
        << preamble + "|F7 FF|07|00|84 1C|" + repeat("66 0E", 6) + "|18 FC|33 07|" +
               repeat("66 0E", 6) + "|BB 1A";

    UploadContent wide = defaults();
    wide.address = 65536 + 300;
    wide.baudDivisor = 256 + 5;
    QTest::newRow("low 16 bits of the address, low 8 of the divisor")
        << wide << preamble + "|2C 01|05|00|" + untouched + "|" + untouched;
}

void TestMessages::upload()
{
    QFETCH(UploadContent, content);
    QFETCH(QString, wire);
    const Message message = uploadSequence(content);
    QCOMPARE(message.writes.size(), size_t(24));
    QCOMPARE(message.line, setupLine);
    size_t bytes = 0;
    for (const Write &w : message.writes)
        bytes += w.size();
    QCOMPARE(bytes, size_t(41));
    QCOMPARE(show(message), wire);
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
