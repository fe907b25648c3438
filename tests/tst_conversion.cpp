#include "app/conversion.h"

#include <QTest>

class TestConversion : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void converts_data();
    void converts();
    void rejectsAndQuotes_data();
    void rejectsAndQuotes();
};

void TestConversion::converts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("run of zeros") << "0000" << 0;
    QTest::newRow("list rate") << "115200" << 115200;
    QTest::newRow("leading zeros") << "009600" << 9600;
    QTest::newRow("negative") << "-9600" << -9600;
    QTest::newRow("minus zero") << "-0" << 0;
    QTest::newRow("plus sign") << "+5" << 5;
    QTest::newRow("blanks around") << "  42\t" << 42;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
}

void TestConversion::converts()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(toInt(text), value);
}

void TestConversion::rejectsAndQuotes_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blank") << "   ";
    QTest::newRow("letters") << "abc";
    QTest::newRow("trailing letter") << "12a";
    QTest::newRow("inner blank") << "12 3";
    QTest::newRow("sign only") << "-";
    QTest::newRow("two signs") << "--1";
    QTest::newRow("decimal point") << "9600.5";
    QTest::newRow("hex") << "0x10";
    QTest::newRow("one above largest") << "2147483648";
    QTest::newRow("one below smallest") << "-2147483649";
    QTest::newRow("very long") << "99999999999999999999999";
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663");
}

void TestConversion::rejectsAndQuotes()
{
    QFETCH(QString, text);
    try {
        toInt(text);
        QFAIL("no error raised");
    } catch (const ConversionError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(QLatin1Char('"') + text + QLatin1Char('"')),
                 e.what());
    }
}

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
