#include "TestMain.h"

#include "platform/base/NumberText.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <limits>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void integers_data();
    void integers();
    void columnValues();
    void numbers_data();
    void numbers();
    void outOfRange();
    void writtenNumbersReadBack();
    void scanningReportsLength();
    void decimalPointIgnoresLocale();
};

void TestNumberText::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "20" << 20;
    QTest::newRow("leading blanks") << " \t 7" << 7;
    QTest::newRow("sign") << "-12" << -12;
    QTest::newRow("plus") << "+3" << 3;
    QTest::newRow("trailing text") << "12abc" << 12;
    QTest::newRow("fraction ignored") << "2.9" << 2;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("sign alone") << "-" << 0;
    QTest::newRow("blank after sign") << "- 5" << 0;
    QTest::newRow("two signs") << "+-5" << 0;
    QTest::newRow("tab separated") << "3\t总成绩\t12" << 3;
    QTest::newRow("full-width digits") << "１２" << 0;
    QTest::newRow("saturates high") << "99999999999" << std::numeric_limits<int>::max();
    QTest::newRow("saturates low") << "-99999999999" << std::numeric_limits<int>::min();
    QTest::newRow("lowest int") << "-2147483648" << std::numeric_limits<int>::min();
}

void TestNumberText::integers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(NumberText::toInt(text), value);
    // A column holding the same text reads the same.
    QCOMPARE(NumberText::toInt(QVariant(text)), value);
}

void TestNumberText::columnValues()
{
    QCOMPARE(NumberText::toInt(QVariant(qlonglong(42))), 42);
    QCOMPARE(NumberText::toInt(QVariant(qlonglong(50000000000))), INT_MAX);
    QCOMPARE(NumberText::toInt(QVariant(qlonglong(-50000000000))), INT_MIN);
    QCOMPARE(NumberText::toInt(QVariant(2.9)), 2);
    QCOMPARE(NumberText::toInt(QVariant()), 0);
}

void TestNumberText::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("negative") << "-1.5" << -1.5;
    QTest::newRow("no integer part") << ".5" << 0.5;
    QTest::newRow("point alone after digits") << "5." << 5.0;
    QTest::newRow("exponent") << "1.5e2" << 150.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("letter without exponent digits") << "3e" << 3.0;
    QTest::newRow("exponent sign without digits") << "3e+x" << 3.0;
    QTest::newRow("leading tab") << "\t12.5" << 12.5;
    QTest::newRow("trailing text") << "12.5分" << 12.5;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("hexadecimal") << "0x10" << 0.0;
    QTest::newRow("infinity word") << "inf" << 0.0;
    QTest::newRow("comma decimal") << "2,5" << 2.0;
}

void TestNumberText::numbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(NumberText::toDouble(text), value);
}

void TestNumberText::outOfRange()
{
    QVERIFY(std::isinf(NumberText::toDouble(QStringLiteral("1e999"))));
    QVERIFY(NumberText::toDouble(QStringLiteral("-1e999")) < 0);
    QVERIFY(std::isinf(NumberText::toDouble(QStringLiteral("-1e999"))));
    QCOMPARE(NumberText::toDouble(QStringLiteral("1e-999")), 0.0);
    QVERIFY(std::isinf(NumberText::toDouble(QString(400, u'9'))));
    QCOMPARE(NumberText::toDouble(QStringLiteral("0.") + QString(400, u'0') + u'1'), 0.0);
}

void TestNumberText::writtenNumbersReadBack()
{
    QCOMPARE(NumberText::fromInt(-7), QStringLiteral("-7"));
    QCOMPARE(NumberText::fromDouble(100.0), QStringLiteral("100"));
    QCOMPARE(NumberText::fromDouble(0.5), QStringLiteral("0.5"));
    for (double v : {0.1, -2.0, 1.0 / 3.0, 1e300, 123456.789, 5e-324})
        QCOMPARE(NumberText::toDouble(NumberText::fromDouble(v)), v);

    // Weights are floats: their text is the float's shortest, not the widened double's.
    QCOMPARE(NumberText::fromFloat(0.1f), QStringLiteral("0.1"));
    QCOMPARE(NumberText::fromFloat(-2.0f), QStringLiteral("-2"));
    QCOMPARE(NumberText::fromFloat(2.5f), QStringLiteral("2.5"));
    QCOMPARE(NumberText::fromFloat(90.0f), QStringLiteral("90"));
    QCOMPARE(NumberText::fromFloat(1500.0f), QStringLiteral("1500"));
    for (float v : {0.1f, 1.0f / 3.0f, 3.4e38f, 1e-45f, 16777217.0f, 0.3f, 90.0f, 1.5e10f, 0.00025f})
        QCOMPARE(static_cast<float>(NumberText::toDouble(NumberText::fromFloat(v))), v);

    // A weight typed as 1e39 reads as a float's infinity; written as "inf" it would read
    // back as 0.
    const float inf = std::numeric_limits<float>::infinity();
    QCOMPARE(NumberText::fromFloat(inf), QStringLiteral("1e39"));
    QCOMPARE(NumberText::fromFloat(-inf), QStringLiteral("-1e39"));
    QCOMPARE(static_cast<float>(NumberText::toDouble(NumberText::fromFloat(inf))), inf);
    QCOMPARE(static_cast<float>(NumberText::toDouble(NumberText::fromFloat(-inf))), -inf);
    const double dinf = std::numeric_limits<double>::infinity();
    QCOMPARE(NumberText::toDouble(NumberText::fromDouble(dinf)), dinf);
    QCOMPARE(NumberText::toDouble(NumberText::fromDouble(-dinf)), -dinf);
}

void TestNumberText::scanningReportsLength()
{
    int i = -1;
    QCOMPARE(NumberText::scanInt(QStringLiteral("a-12b"), 1, i), qsizetype(3));
    QCOMPARE(i, -12);
    QCOMPARE(NumberText::scanInt(QStringLiteral(" 12"), 0, i), qsizetype(0));
    QCOMPARE(i, 0);
    double d = -1;
    QCOMPARE(NumberText::scanDouble(QStringLiteral("x1.5e3y"), 1, d), qsizetype(5));
    QCOMPARE(d, 1500.0);
    QCOMPARE(NumberText::scanDouble(QStringLiteral("1.5e"), 0, d), qsizetype(3));
    QCOMPARE(NumberText::scanDouble(QStringLiteral("-."), 0, d), qsizetype(0));
    QCOMPARE(d, 0.0);
}

void TestNumberText::decimalPointIgnoresLocale()
{
    // The application object switches the C library to the user's locale; a comma locale
    // must not change how the files' numbers read.
    const QByteArray previous = std::setlocale(LC_NUMERIC, nullptr);
    bool switched = false;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            switched = true;
            break;
        }
    }
    const double value = NumberText::toDouble(QStringLiteral("2.5"));
    const QString text = NumberText::fromDouble(0.5);
    std::setlocale(LC_NUMERIC, previous.constData());
    QCOMPARE(value, 2.5);
    QCOMPARE(text, QStringLiteral("0.5"));
    if (!switched)
        QSKIP("no locale with a decimal comma is installed");
}

PELLOR_UNIT_TEST_MAIN(TestNumberText)
#include "tst_numbertext.moc"
