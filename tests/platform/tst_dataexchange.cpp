#include "ScriptedPrompt.h"
#include "TestMain.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"

#include <QDialog>
#include <QLineEdit>

class TestDataExchange : public QObject
{
    Q_OBJECT

private slots:
    void savingStopsAtTheFirstBadField()
    {
        ScriptedPrompt prompt;
        QDialog dialog;
        auto count = new QLineEdit(QStringLiteral(" 12 "), &dialog);
        auto score = new QLineEdit(QStringLiteral("2.9"), &dialog);
        auto bad = new QLineEdit(QStringLiteral("2.9"), &dialog);
        auto later = new QLineEdit(QStringLiteral("5"), &dialog);
        dialog.show();

        int countValue = 0;
        float scoreValue = 0;
        int badValue = 7;
        int laterValue = 0;
        DataExchange dx(true);
        dx.number(count, countValue);
        dx.number(score, scoreValue);
        dx.number(bad, badValue);
        dx.number(later, laterValue);
        QVERIFY(dx.failed());
        QCOMPARE(countValue, 12);
        QCOMPARE(scoreValue, 2.9f);
        QCOMPARE(badValue, 7);     // unchanged
        QCOMPARE(laterValue, 0);   // never reached
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("Enter an integer.")});
        QVERIFY(prompt.shown.first().applicationBox);
        QCOMPARE(dialog.focusWidget(), bad);

        DataExchange numbers(true);
        double d = 1;
        bad->setText(QStringLiteral("abc"));
        numbers.number(bad, d);
        QCOMPARE(prompt.lastText(), QStringLiteral("Enter a number."));
        QCOMPARE(d, 1.0);

        DataExchange empty(true);
        bad->setText(QString());
        empty.number(bad, badValue);
        QVERIFY(empty.failed());

        DataExchange range(true);
        range.range(later, 9, 1, 8);
        QCOMPARE(prompt.lastText(), QStringLiteral("Enter an integer between 1 and 8."));
    }

    void loadingFillsTheFields()
    {
        QLineEdit edit;
        int n = 42;
        QString text = QStringLiteral("名字");
        DataExchange dx(false);
        dx.number(&edit, n);
        QCOMPARE(edit.text(), QStringLiteral("42"));
        dx.text(&edit, text);
        QCOMPARE(edit.text(), QStringLiteral("名字"));
    }

    void dialogUnitsScaleWithTheFont()
    {
        QFont font = DialogTemplate::templateFont(QStringLiteral("MS Shell Dlg"), 9);
        const DialogTemplate small(font);
        font.setPointSize(18);
        const DialogTemplate large(font);
        QVERIFY(small.baseUnitX() > 0 && small.baseUnitY() > 0);
        QVERIFY(large.baseUnitX() > small.baseUnitX());
        QCOMPARE(small.toPixelsX(4), small.baseUnitX());
        QCOMPARE(small.toPixelsY(8), small.baseUnitY());
        const QRect r = small.toPixels(10, 20, 40, 16);
        QCOMPARE(r.left(), small.toPixelsX(10));
        QCOMPARE(r.right() + 1, small.toPixelsX(50));
        QCOMPARE(r.bottom() + 1, small.toPixelsY(36));
    }
};

PELLOR_UNIT_TEST_MAIN(TestDataExchange)
#include "tst_dataexchange.moc"
