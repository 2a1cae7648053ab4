#include "TestMain.h"

#include "content/core/PointNavigation.h"
#include "content/core/PresenterGeometry.h"

namespace {

QuestionRecord question(int id, const char *text, std::optional<QString> answer)
{
    return {id, 1, 1, QString::fromUtf8(text), std::move(answer)};
}

QString texts(const std::optional<PointNavigation::QuestionTexts> &shown)
{
    return shown ? shown->question + u'|' + shown->answer : QStringLiteral("unchanged");
}

QString texts(const PointNavigation::QuestionTexts &shown)
{
    return shown.question + u'|' + shown.answer;
}

} // namespace

class TestPointNavigation : public QObject
{
    Q_OBJECT

private slots:
    void pointsStayOnTheListAsItIsNow()
    {
        PointNavigation nav;
        QCOMPARE(nav.currentRow(), -1);
        QCOMPARE(nav.rowCount(), 0);
        QCOMPARE(nav.rowIn(5), -1);
        QCOMPARE(nav.counterLine(0), QStringLiteral("此知识点相关问题数目：0                  0/0"));

        nav.takeRow(1, 5);
        QCOMPARE(nav.counterLine(3), QStringLiteral("此知识点相关问题数目：3                  2/5"));
        QCOMPARE(nav.step(PointNavigation::Previous, 5), 0);
        QCOMPARE(nav.step(PointNavigation::Previous, 5), 0);
        nav.takeRow(4, 5);
        QCOMPARE(nav.step(PointNavigation::Next, 5), 4);
        QCOMPARE(nav.counterLine(0), QStringLiteral("此知识点相关问题数目：0                  5/5"));

        // The list was reloaded with two rows fewer: the last of them, not row 5.
        QCOMPARE(nav.rowIn(3), -1);
        QCOMPARE(nav.step(PointNavigation::Next, 3), 2);
        QCOMPARE(nav.rowCount(), 3);
        QCOMPARE(nav.rowIn(3), 2);
        QCOMPARE(nav.step(PointNavigation::Previous, 0), -1);
        QCOMPARE(nav.rowCount(), 0);
        // Before any row was taken the first step lands on the first row.
        PointNavigation fresh;
        QCOMPARE(fresh.step(PointNavigation::Previous, 4), 0);
        fresh.takeNoRow();
        QCOMPARE(fresh.rowCount(), 0);
    }

    void theQuestionCursorOpensOnTheFirstAndStaysWithinTheQuestions()
    {
        PointNavigation nav;
        nav.takeRow(0, 2);
        QCOMPARE(nav.questionState(), PointNavigation::QuestionsClosed);
        QVERIFY(nav.mustOpenQuestions(PointNavigation::Previous));
        QVERIFY(nav.mustOpenQuestions(PointNavigation::Next));
        QCOMPARE(texts(nav.stepQuestions(PointNavigation::Next)), QStringLiteral("unchanged"));

        const QuestionCursor questions({question(4, "一", QStringLiteral("1")), question(7, "二", std::nullopt),
                                        question(9, "三", QStringLiteral("3"))});
        QCOMPARE(texts(nav.openQuestions(questions)), QStringLiteral("一|1"));
        QCOMPARE(nav.questionState(), PointNavigation::QuestionsOpen);
        QVERIFY(!nav.mustOpenQuestions(PointNavigation::Next));
        QCOMPARE(texts(nav.stepQuestions(PointNavigation::Previous)), QStringLiteral("一|1"));
        // A NULL answer shows empty.
        QCOMPARE(texts(nav.stepQuestions(PointNavigation::Next)), QStringLiteral("二|"));
        QCOMPARE(texts(nav.stepQuestions(PointNavigation::Next)), QStringLiteral("三|3"));
        QCOMPARE(texts(nav.stepQuestions(PointNavigation::Next)), QStringLiteral("三|3"));

        // Every move of the point starts its questions again.
        nav.step(PointNavigation::Next, 2);
        QCOMPARE(nav.questionState(), PointNavigation::QuestionsClosed);
        nav.openQuestions(questions);
        nav.takeRow(1, 2);
        QCOMPARE(nav.questionState(), PointNavigation::QuestionsClosed);

        // A point without questions: "下一个问题" reads again, "上一个问题" changes nothing.
        QCOMPARE(texts(nav.openQuestions(QuestionCursor())), QStringLiteral("此知识点相关问题数目：0|"));
        QCOMPARE(nav.questionState(), PointNavigation::NoQuestions);
        QVERIFY(nav.mustOpenQuestions(PointNavigation::Next));
        QVERIFY(!nav.mustOpenQuestions(PointNavigation::Previous));
        QCOMPARE(texts(nav.stepQuestions(PointNavigation::Previous)), QStringLiteral("unchanged"));
        nav.resetQuestions();
        QCOMPARE(nav.questionState(), PointNavigation::QuestionsClosed);
    }

    void presenterAndEntryLayouts()
    {
        using namespace PresenterGeometry;
        const QSize screen(1920, 1080);
        auto boxes = [](const Layout &l) {
            QList<QRect> rects;
            for (const Box &b : {l.top, l.middle, l.bottom})
                rects << (b.visible ? b.rect : QRect());
            return rects;
        };
        Layout third = presentation(screen, ShowThird);
        QCOMPARE(third.window, QRect(0, 0, 1920, 1080));
        QVERIFY(!third.caption);
        QCOMPARE(third.client, screen);
        QCOMPARE(boxes(third), (QList<QRect>{{0, 0, 1920, 360}, {0, 360, 1920, 360}, {0, 720, 1920, 360}}));
        QCOMPARE(boxes(presentation(screen, ShowTwoThirds)),
                 (QList<QRect>{{0, 0, 1920, 720}, {0, 720, 1920, 360}, QRect()}));
        QCOMPARE(boxes(presentation(screen, ShowFull)), (QList<QRect>{{0, 0, 1920, 1080}, QRect(), QRect()}));

        // Thirds and sevenths in whole pixels; a caption and a half on top, truncated.
        const QSize odd(1366, 768);
        const Layout edit = editQuestion(odd, 23);
        QCOMPARE(edit.window, QRect(0, 0, 1366, 2 * 256 + 34));
        QVERIFY(edit.caption);
        QCOMPARE(edit.client, QSize(1366, 2 * 256 + 34 - 23));
        QCOMPARE(boxes(edit), (QList<QRect>{QRect(), {0, 0, 1366, 256}, {0, 256, 1366, 256}}));
        const Layout fresh = newQuestion(odd, 23);
        QCOMPARE(fresh.window, QRect(0, 0, 1366, 109 + 2 * 256 + 34));
        QCOMPARE(boxes(fresh), (QList<QRect>{{0, 0, 1366, 109}, {0, 109, 1366, 256}, {0, 365, 1366, 256}}));

        const EntryLayout entry = pointEntry(odd, 23, 21);
        QCOMPARE(entry.window, QRect(0, 0, 1366, 256 + 42 + 23));
        QCOMPARE(entry.client, QSize(1366, 256 + 42));
        QCOMPARE(entry.box, QRect(0, 42, 1366, 256));
    }
};

PELLOR_UNIT_TEST_MAIN(TestPointNavigation)
#include "tst_pointnavigation.moc"
