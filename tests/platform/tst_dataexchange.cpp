#include "TestMain.h"

#include "ScriptedPrompt.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"

#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>

class TestDataExchange : public QObject
{
    Q_OBJECT

private slots:
    void parsesWholeNumbersOnly();
    void exchangeFillsAndReadsFields();
    void firstFailingFieldStopsTheExchange();
    void rangeAndFloatLimits();
    void dialogUnitsScaleWithTheFont();
    void templateFontsAreSubstituted();
};

void TestDataExchange::parsesWholeNumbersOnly()
{
    int i = -1;
    QVERIFY(DataExchange::parseInt(QStringLiteral(" \t42 "), i));
    QCOMPARE(i, 42);
    QVERIFY(DataExchange::parseInt(QStringLiteral("-2147483648"), i));
    QCOMPARE(i, std::numeric_limits<int>::min());
    QVERIFY(DataExchange::parseInt(QStringLiteral("+7"), i));
    QCOMPARE(i, 7);
    i = 5;
    for (const char *bad : {"", " ", "12a", "1.5", "0x10", "2147483648", "-2147483649", "１２", "- 1", "1 2"})
        QVERIFY2(!DataExchange::parseInt(QString::fromUtf8(bad), i), bad);
    QCOMPARE(i, 5); // untouched by a failed parse

    double d = -1;
    QVERIFY(DataExchange::parseDouble(QStringLiteral(" 2.5\t"), d));
    QCOMPARE(d, 2.5);
    QVERIFY(DataExchange::parseDouble(QStringLiteral("-.5e1"), d));
    QCOMPARE(d, -5.0);
    QVERIFY(DataExchange::parseDouble(QStringLiteral("100"), d));
    QCOMPARE(d, 100.0);
    d = 3;
    for (const char *bad : {"", ".", "2,5", "1e999", "inf", "nan", "0x1p3", "2.5分", "e5"})
        QVERIFY2(!DataExchange::parseDouble(QString::fromUtf8(bad), d), bad);
    QCOMPARE(d, 3.0);
}

void TestDataExchange::exchangeFillsAndReadsFields()
{
    QDialog dialog;
    auto count = new QLineEdit(&dialog);
    auto weight = new QLineEdit(&dialog);
    auto precise = new QLineEdit(&dialog);
    auto name = new QComboBox(&dialog);
    name->setEditable(true);

    int n = 7;
    float f = 0.1f;
    double x = 1.0 / 3.0;
    QString text = QStringLiteral("王");
    DataExchange out(false);
    out.number(count, n);
    out.number(weight, f);
    out.number(precise, x);
    out.text(name, text);
    QCOMPARE(count->text(), QStringLiteral("7"));
    QCOMPARE(weight->text(), QStringLiteral("0.1"));
    QCOMPARE(precise->text(), QStringLiteral("0.333333333333333"));
    QCOMPARE(name->currentText(), QStringLiteral("王"));

    count->setText(QStringLiteral(" -3 "));
    weight->setText(QStringLiteral("2.5"));
    precise->setText(QStringLiteral("1e3"));
    name->setEditText(QStringLiteral("李"));
    ScriptedPrompt prompt;
    DataExchange in(true);
    in.number(count, n);
    in.number(weight, f);
    in.number(precise, x);
    in.text(name, text);
    in.range(count, n, -5, 5);
    QVERIFY(!in.failed());
    QCOMPARE(n, -3);
    QCOMPARE(f, 2.5f);
    QCOMPARE(x, 1000.0);
    QCOMPARE(text, QStringLiteral("李"));
    QVERIFY(prompt.shown.isEmpty());
}

void TestDataExchange::firstFailingFieldStopsTheExchange()
{
    QDialog dialog;
    auto first = new QLineEdit(&dialog);
    auto second = new QLineEdit(&dialog);
    auto third = new QLineEdit(&dialog);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    first->setText(QStringLiteral("12"));
    second->setText(QStringLiteral("twelve"));
    third->setText(QStringLiteral("x"));
    first->setFocus();

    ScriptedPrompt prompt;
    int a = 0;
    int b = 5;
    double c = 1;
    DataExchange in(true);
    in.number(first, a);
    in.number(second, b);
    in.number(third, c);
    QVERIFY(in.failed());
    QCOMPARE(a, 12);
    QCOMPARE(b, 5);
    QCOMPARE(c, 1.0);
    QCOMPARE(prompt.texts(), QStringList({QStringLiteral("Enter an integer.")}));
    QVERIFY(prompt.shown[0].applicationBox);
    QCOMPARE(QApplication::focusWidget(), second);
    QCOMPARE(second->selectedText(), QStringLiteral("twelve"));

    prompt.clear();
    DataExchange floats(true);
    float w = 2;
    floats.number(third, w);
    QCOMPARE(prompt.texts(), QStringList({QStringLiteral("Enter a number.")}));
    QCOMPARE(QApplication::focusWidget(), third);
}

void TestDataExchange::rangeAndFloatLimits()
{
    QDialog dialog;
    auto number = new QLineEdit(&dialog);
    ScriptedPrompt prompt;

    number->setText(QStringLiteral("100001"));
    int n = 0;
    DataExchange in(true);
    in.number(number, n);
    in.range(number, n, 1, 100000);
    QVERIFY(in.failed());
    QCOMPARE(n, 100001);
    QCOMPARE(prompt.texts(), QStringList({QStringLiteral("Enter an integer between 1 and 100000.")}));

    // A range check after a failure shows nothing more; loading never validates.
    in.range(number, 0, 1, 2);
    QCOMPARE(prompt.shown.size(), 1);
    DataExchange out(false);
    out.range(number, 0, 1, 2);
    QVERIFY(!out.failed());

    prompt.clear();
    number->setText(QStringLiteral("1e39")); // beyond a float
    float f = 1;
    DataExchange floats(true);
    floats.number(number, f);
    QVERIFY(floats.failed());
    QCOMPARE(f, 1.0f);
    QCOMPARE(prompt.texts(), QStringList({QStringLiteral("Enter a number.")}));
}

void TestDataExchange::dialogUnitsScaleWithTheFont()
{
    // Whatever the font's metrics, 4 horizontal and 8 vertical units are one base unit,
    // and a rectangle's edges are converted, not its size.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(12);
    const DialogTemplate units(font);
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    QCOMPARE(units.baseUnitX(), qMax(1, (alphabet / 26 + 1) / 2));
    QCOMPARE(units.baseUnitY(), metrics.height());
    QCOMPARE(units.toPixelsX(4), units.baseUnitX());
    QCOMPARE(units.toPixelsY(8), units.baseUnitY());
    QCOMPARE(units.toPixelsX(0), 0);
    const QRect r = units.toPixels(3, 5, 7, 9);
    QCOMPARE(r.left(), units.toPixelsX(3));
    QCOMPARE(r.top(), units.toPixelsY(5));
    QCOMPARE(r.left() + r.width(), units.toPixelsX(10));
    QCOMPARE(r.top() + r.height(), units.toPixelsY(14));

    QDialog dialog;
    const DialogTemplate tmpl(&dialog, font.family(), 12, 200, 100);
    QCOMPARE(dialog.size(), QSize(tmpl.toPixelsX(200), tmpl.toPixelsY(100)));
    auto button = new QPushButton(&dialog);
    tmpl.place(button, 3, 5, 7, 9);
    QCOMPARE(button->geometry(), tmpl.toPixels(3, 5, 7, 9));
}

void TestDataExchange::templateFontsAreSubstituted()
{
    DialogTemplate::installFontSubstitutions();
    DialogTemplate::installFontSubstitutions(); // a second call adds nothing
    for (const QString &name : {QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("新宋体"),
                                QStringLiteral("MS Shell Dlg")}) {
        QStringList substitutes = QFont::substitutes(name);
        QVERIFY2(!substitutes.isEmpty(), qPrintable(name));
        QCOMPARE(substitutes.removeDuplicates(), 0);
    }
    QCOMPARE(DialogTemplate::templateFont(QStringLiteral("宋体"), 9).pointSize(), 9);
    QCOMPARE(DialogTemplate::templateFont(QStringLiteral("宋体"), 9).family(), QStringLiteral("宋体"));
}

PELLOR_WIDGET_TEST_MAIN(TestDataExchange)
#include "tst_dataexchange.moc"
