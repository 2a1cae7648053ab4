#include "DatabaseRows.h"
#include "TestMain.h"

#include "content/core/LessonNavigator.h"
#include "content/core/PlainText.h"
#include "content/core/PresenterGeometry.h"

#include <QTemporaryDir>

namespace {

QString texts(const std::optional<LessonNavigator::QuestionTexts> &shown)
{
    return shown ? shown->question + u'|' + shown->answer : QStringLiteral("unchanged");
}

} // namespace

class TestLessonNavigator : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    DatabaseConnection m_db;

    ContentStore store() const { return ContentStore(*m_db); }
    QStringList rows(const QString &sql) const { return TestSupport::rows(*m_db, sql); }
    static QString failureOf(const std::function<void()> &operation) { return TestSupport::failureOf(operation); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_db = std::make_shared<Database>(QStringLiteral("navigator-test"));
        m_db->open(m_dir->filePath(QStringLiteral("Content.db")));
        store().ensureSchema();
        store().addSubject(QStringLiteral("语文"));
        store().addSubject(QStringLiteral("数学"));
        store().addPoint(1, {0, 1, 1, QStringLiteral("一"), true, false});
        store().addPoint(1, {0, 1, 2, std::nullopt, false, false});
        store().addPoint(1, {0, 1, 5, QStringLiteral("五\r\n第二行"), false, true});
        store().addPoint(1, {0, 2, 1, QStringLiteral("别的课"), false, false});
        store().addQuestion(1, 1, 1, QStringLiteral("问1"), QStringLiteral("答1"));
        m_db->exec(QStringLiteral("INSERT INTO Wenti1(课时ID,知识点ID,问题,答案) VALUES(1,1,'问2',NULL)"));
        store().addQuestion(1, 1, 1, QStringLiteral("问3"), QStringLiteral("答3"));
        store().addQuestion(1, 2, 5, QStringLiteral("别的课的"), QStringLiteral("x"));
    }

    void cleanup()
    {
        m_db.reset();
        m_dir.reset();
    }

    void stepsThroughTheLessonsPointsAndQuestions()
    {
        LessonNavigator nav;
        QVERIFY(nav.IsFor(-1, 3));
        nav.Load(m_db, 1, 1);
        QVERIFY(nav.IsFor(1, 1) && !nav.IsFor(1, 2) && !nav.IsFor(2, 1) && !nav.IsFor(-1, -1));
        QStringList numbers;
        for (const PointRecord &point : nav.points())
            numbers << QString::number(point.number);
        QCOMPARE(numbers, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")}));
        QCOMPARE(nav.PointText(1), QStringLiteral("还未录入此知识点，请重新编辑此项"));
        QCOMPARE(nav.RowOfPoint(5), 2);
        QCOMPARE(nav.RowOfPoint(3), -1);
        QCOMPARE(nav.CurrentPointRow(), -1);
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("unchanged"));

        // The first point's questions in the order added, staying on the first and the last.
        nav.TakeRow(0);
        QCOMPARE(nav.counterLine(nav.CountWenti(1)), QStringLiteral("此知识点相关问题数目：3                  1/3"));
        QCOMPARE(texts(nav.PrevQuestion()), QStringLiteral("问1|答1"));
        QCOMPARE(texts(nav.PrevQuestion()), QStringLiteral("问1|答1"));
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("问2|"));
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("问3|答3"));
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("问3|答3"));

        // A point step starts the questions again; the points stay within the lesson.
        QCOMPARE(nav.PrevPoint(), 0);
        QCOMPARE(nav.questionState(), LessonNavigator::QuestionsClosed);
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("问1|答1"));
        QCOMPARE(nav.NextPoint(), 1);
        QCOMPARE(nav.CountWenti(2), 0);
        // A point without questions: "下一个问题" reads again, "上一个问题" changes nothing.
        QCOMPARE(texts(nav.PrevQuestion()), QStringLiteral("此知识点相关问题数目：0|"));
        QCOMPARE(nav.questionState(), LessonNavigator::NoQuestions);
        QCOMPARE(texts(nav.PrevQuestion()), QStringLiteral("unchanged"));
        const int added = nav.AddWenti(QStringLiteral("新问"), QStringLiteral("新答"));
        QCOMPARE(rows(QStringLiteral("SELECT ID,课时ID,知识点ID,问题ID,问题,答案 FROM Wenti1 WHERE 问题='新问'")),
                 QStringList{QStringLiteral("%1|1|2|NULL|新问|新答").arg(added)});
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("新问|新答"));
        nav.CorrectWenti(added, QStringLiteral("新问"), QStringLiteral("更正的答"));
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("新问|更正的答"));
        QCOMPARE(nav.NextPoint(), 2);
        QCOMPARE(nav.NextPoint(), 2);
        QCOMPARE(nav.CountWenti(5), 0);

        // A reload keeps the row; after one that shortens the lesson a step lands on the last.
        m_db->exec(QStringLiteral("DELETE FROM Zhishidian1 WHERE 知识点ID=5"));
        nav.Load(m_db, 1, 1);
        QCOMPARE(nav.CurrentPointRow(), -1);
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("unchanged"));
        QCOMPARE(nav.NextPoint(), 1);
        // No lesson: no points, and nowhere to step.
        nav.Load(m_db, 1, -1);
        QVERIFY(nav.points().isEmpty() && nav.IsFor(-1, -1));
        QCOMPARE(nav.NextPoint(), -1);
        QCOMPARE(nav.counterLine(0), QStringLiteral("此知识点相关问题数目：0                  0/0"));
    }

    void thePointsTextIsWrittenOnlyWhenChanged()
    {
        LessonNavigator nav;
        nav.Load(m_db, 1, 1);
        auto stored = [&](int number) {
            return TestSupport::rows(*m_db, QStringLiteral("SELECT hex(知识点) FROM Zhishidian1 WHERE 课时=1 AND 知识点ID=%1")
                                                .arg(number));
        };
        // As a box gives them back: LF for CR LF, the placeholder for a text never entered.
        nav.TakeRow(2);
        const QStringList before = stored(5);
        QVERIFY(!nav.SaveKnowledgePoint(QStringLiteral("五\n第二行")));
        QCOMPARE(stored(5), before);
        nav.TakeRow(1);
        QVERIFY(!nav.SaveKnowledgePoint(QStringLiteral("还未录入此知识点，请重新编辑此项")));
        QCOMPARE(rows(QStringLiteral("SELECT 知识点 FROM Zhishidian1 WHERE 知识点ID=2 AND 课时=1")),
                 QStringList{QStringLiteral("NULL")});
        QVERIFY(nav.SaveKnowledgePoint(QStringLiteral("二")));
        QCOMPARE(rows(QStringLiteral("SELECT 知识点 FROM Zhishidian1 WHERE 知识点ID=2 AND 课时=1")),
                 QStringList{QStringLiteral("二")});
        QCOMPARE(nav.PointText(1), QStringLiteral("二"));

        QVERIFY(PlainText::same(QStringLiteral("a\r\nb\rc\u2029d\u00a0e"), QStringLiteral("a\nb\nc\nd e")));
        QVERIFY(!PlainText::same(QStringLiteral("a\r\nb"), QStringLiteral("a b")));
    }

    void failuresLeaveThePositionWhereItWas()
    {
        LessonNavigator nav;
        QCOMPARE(failureOf([&] { nav.Load(nullptr, 1, 1); }), QStringLiteral("Content.db 没有打开，本次操作没有改动任何数据。"));
        nav.Load(m_db, 1, 1);
        nav.TakeRow(0);
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("问1|答1"));
        m_db->exec(QStringLiteral("ALTER TABLE Wenti1 RENAME TO Gone"));
        QVERIFY(failureOf([&] { nav.CountWenti(1); }).contains(QLatin1String("Wenti1")));
        QCOMPARE(texts(nav.NextQuestion()), QStringLiteral("问2|"));
        QCOMPARE(nav.PrevPoint(), 0);
        QVERIFY(!failureOf([&] { nav.NextQuestion(); }).isEmpty());
        QCOMPARE(nav.questionState(), LessonNavigator::QuestionsClosed);
        QVERIFY(!failureOf([&] { nav.AddWenti(QStringLiteral("q"), QStringLiteral("a")); }).isEmpty());
        // Back again, the kept count statement is prepared anew.
        m_db->exec(QStringLiteral("ALTER TABLE Gone RENAME TO Wenti1"));
        QCOMPARE(nav.CountWenti(1), 3);
        m_db->exec(QStringLiteral("DROP TABLE Zhishidian1"));
        QVERIFY(!failureOf([&] { nav.Load(m_db, 1, 1); }).isEmpty());
        QVERIFY(nav.points().isEmpty() && !nav.IsFor(1, 1));
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

PELLOR_UNIT_TEST_MAIN(TestLessonNavigator)
#include "tst_lessonnavigator.moc"
