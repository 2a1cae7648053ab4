// Lesson content, questions: the presenter opening the question cursor of a point with 1,000
// questions and stepping through all of them, and the questions page listing a lesson of
// 5,000 questions.
//
// Stepping: the knowledge-points page's lesson navigator's NextQuestion, 1,000 times from a freshly taken point
// (the first opens the cursor); its floor, the SELECT of the point's questions, bare, their
// texts read row by row. Listing: the questions page's LoadQuestionList with every question
// of the lesson, the page shown, until the list is painted; its floor, the SELECT of the same
// rows, bare, shown in a plain list.

#include "bench/Comparisons.h"
#include "bench/PlainList.h"

#include "application/CPellorApp.h"
#include "content/CKeshiWentiDlg.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/core/ContentStore.h"
#include "controls/CListCtrlCl.h"

#include <QSqlQuery>

namespace {

constexpr int kPointQuestions = 1000;
constexpr int kLessonQuestions = 5000;
constexpr int kLessonPoints = 50;

QString questionText(int n)
{
    return QStringLiteral("第%1题：把一块蛋糕平均分成8份，吃了3份，吃了这块蛋糕的几分之几？请说明理由。")
        .arg(n);
}

QString answerText(int n)
{
    return QStringLiteral("第%1题答案：吃了这块蛋糕的八分之三（3/8）。把单位“1”平均分成8份，取其中的3份。")
        .arg(n);
}

// Subject 1: lesson 1 with one point of 1,000 questions; lesson 2 with 5,000 questions over
// 50 points, added point after point in turn so that the list has to order them.
const std::shared_ptr<Database> &questionDatabase()
{
    static const std::shared_ptr<Database> &db = Bench::keep([] {
        auto file = std::make_unique<Bench::DatabaseFile>(QStringLiteral("bench-questions"));
        Database &fresh = *file->db;
        const ContentStore store(fresh);
        store.ensureSchema();
        Transaction transaction(fresh);
        store.addSubject(QStringLiteral("数学"));
        store.addPoint(1, { 0, 1, 1, QStringLiteral("分数的意义"), true, false });
        for (int n = 1; n <= kLessonPoints; ++n)
            store.addPoint(1, { 0, 2, n, QStringLiteral("第%1点").arg(n), false, false });
        for (int q = 0; q < kPointQuestions; ++q)
            store.addQuestion(1, 1, 1, questionText(q), answerText(q));
        for (int q = 0; q < kLessonQuestions; ++q)
            store.addQuestion(1, 2, 1 + q % kLessonPoints, questionText(q), answerText(q));
        transaction.commit();
        return file;
    }())
                                                     ->db;
    return db;
}

CKeshiZhishidianPage &pointsPage()
{
    static CKeshiZhishidianPage &page = *Bench::keep([] {
        theApp().m_nKemuID = 1;
        theApp().m_nKeshiID = 1;
        auto made = std::make_unique<CKeshiZhishidianPage>();
        made->m_pConnection = questionDatabase();
        made->OnInitDialog();
        return made;
    }());
    return page;
}

void questionSteps(benchmark::State &state)
{
    CKeshiZhishidianPage &page = pointsPage();
    QString question;
    for (auto _ : state) {
        page.OnNMClickList(0);
        for (int step = 0; step < kPointQuestions; ++step)
            question = page.Navigator().NextQuestion()->question;
    }
    if (question != questionText(kPointQuestions - 1))
        state.SkipWithError("the steps did not reach the last question");
}

void questionStepsFloor(benchmark::State &state)
{
    const Database &db = *questionDatabase();
    QString question, answer;
    for (auto _ : state) {
        QSqlQuery query = db.prepare(
            QStringLiteral("SELECT 问题,答案 FROM Wenti1 WHERE 课时ID=? AND 知识点ID=? ORDER BY ID"));
        query.setForwardOnly(true);
        db.run(query, { 1, 1 });
        while (query.next()) {
            question = query.value(0).toString();
            answer = query.value(1).toString();
        }
    }
    benchmark::DoNotOptimize(question);
}

CKeshiWentiDlg &questionsPage()
{
    static CKeshiWentiDlg &page = *Bench::keep([] {
        theApp().m_nKemuID = 1;
        theApp().m_nKeshiID = 2;
        auto shown = std::make_unique<CKeshiWentiDlg>();
        shown->m_pConnection = questionDatabase();
        shown->m_bAllQuestions = 1;
        shown->OnInitDialog();
        Bench::show(*shown);
        return shown;
    }());
    return page;
}

void questionListLoad(benchmark::State &state)
{
    CKeshiWentiDlg &page = questionsPage();
    Bench::timePaintedLoad(
        state, page, *page.m_listWenti, kLessonQuestions, [&page] { page.LoadQuestionList(); });
}

void questionListFloor(benchmark::State &state)
{
    const Database &db = *questionDatabase();
    PlainList(*questionsPage().m_listWenti).timeShown(state, kLessonQuestions, [&db] {
        return Bench::bareRows(db,
            QStringLiteral("SELECT 知识点ID,问题,ID FROM Wenti1 "
                           "WHERE 课时ID=? AND 知识点ID IS NOT NULL ORDER BY 知识点ID,ID"),
            { 2 });
    });
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "presenter: opening and stepping through 1,000 questions / bare select", questionSteps,
                questionStepsFloor, 2.0 },
            { "questions page: 5,000 questions, painted / bare select in a plain list", questionListLoad,
                questionListFloor, 2.0 },
        });
}
