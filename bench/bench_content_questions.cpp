// Lesson content, questions: the presenter opening the question cursor of a point with 1,000
// questions and stepping through all of them, and the questions page listing a lesson of
// 5,000 questions, each beside bare statements reading the same rows in the same run.
//
// Stepping: the knowledge-points page's lesson navigator's NextQuestion, 1,000 times from a
// freshly taken point (the first opens the cursor), beside one bare SELECT of the point's questions whose texts
// are read row by row. Listing: the questions page's LoadQuestionList with every question of
// the lesson (store read and list rows) beside one bare SELECT whose rows are read into a list.

#include "bench/RatioReporter.h"
#include "HeadlessEnvironment.h"

#include "application/CPellorApp.h"
#include "content/CKeshiWentiDlg.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/core/ContentStore.h"
#include "controls/CListCtrlCl.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kPointQuestions = 1000;
constexpr int kLessonQuestions = 5000;
constexpr int kLessonPoints = 50;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString questionText(int n)
{
    return QStringLiteral("第%1题：把一块蛋糕平均分成8份，吃了3份，吃了这块蛋糕的几分之几？请说明理由。").arg(n);
}

QString answerText(int n)
{
    return QStringLiteral("第%1题答案：吃了这块蛋糕的八分之三（3/8）。把单位“1”平均分成8份，取其中的3份。").arg(n);
}

// Subject 1: lesson 1 with one point of 1,000 questions; lesson 2 with 5,000 questions over
// 50 points, added point after point in turn so that the list has to order them.
std::shared_ptr<Database> &questionDatabase()
{
    static std::shared_ptr<Database> db = [] {
        const QString path = folder().filePath(QStringLiteral("bench-questions.db"));
        QFile::remove(path);
        auto fresh = std::make_shared<Database>(QStringLiteral("bench-questions"));
        fresh->open(path);
        const ContentStore store(*fresh);
        store.ensureSchema();
        Transaction transaction(*fresh);
        store.addSubject(QStringLiteral("数学"));
        store.addPoint(1, {0, 1, 1, QStringLiteral("分数的意义"), true, false});
        for (int n = 1; n <= kLessonPoints; ++n)
            store.addPoint(1, {0, 2, n, QStringLiteral("第%1点").arg(n), false, false});
        for (int q = 0; q < kPointQuestions; ++q)
            store.addQuestion(1, 1, 1, questionText(q), answerText(q));
        for (int q = 0; q < kLessonQuestions; ++q)
            store.addQuestion(1, 2, 1 + q % kLessonPoints, questionText(q), answerText(q));
        transaction.commit();
        return fresh;
    }();
    return db;
}

void BM_QuestionSteps(benchmark::State &state)
{
    theApp().m_nKemuID = 1;
    theApp().m_nKeshiID = 1;
    CKeshiZhishidianPage page;
    page.m_pConnection = questionDatabase();
    page.OnInitDialog();
    QString question;
    for (auto _ : state) {
        page.OnNMClickList(0);
        for (int step = 0; step < kPointQuestions; ++step)
            question = page.Navigator().NextQuestion()->question;
    }
    if (question != questionText(kPointQuestions - 1))
        state.SkipWithError("the steps did not reach the last question");
}

void BM_QuestionStepsBare(benchmark::State &state)
{
    const Database &db = *questionDatabase();
    QString question, answer;
    for (auto _ : state) {
        QSqlQuery query = db.exec(
            QStringLiteral("SELECT 问题,答案 FROM Wenti1 WHERE 课时ID=? AND 知识点ID=? ORDER BY ID"), {1, 1});
        while (query.next()) {
            question = query.value(0).toString();
            answer = query.value(1).toString();
        }
    }
    benchmark::DoNotOptimize(question);
}

void BM_QuestionListLoad(benchmark::State &state)
{
    theApp().m_nKemuID = 1;
    theApp().m_nKeshiID = 2;
    CKeshiWentiDlg page;
    page.m_pConnection = questionDatabase();
    page.m_bAllQuestions = 1;
    page.OnInitDialog();
    for (auto _ : state)
        page.LoadQuestionList();
    if (page.m_listWenti->GetItemCount() != kLessonQuestions)
        state.SkipWithError("the page did not list every question");
}

void BM_QuestionListBare(benchmark::State &state)
{
    const Database &db = *questionDatabase();
    struct Row
    {
        int id;
        int point;
        QString question;
    };
    for (auto _ : state) {
        QList<Row> rows;
        QSqlQuery query = db.exec(
            QStringLiteral("SELECT ID,知识点ID,问题 FROM Wenti1 WHERE 课时ID=? ORDER BY 知识点ID,ID"), {2});
        while (query.next())
            rows.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString()});
        benchmark::DoNotOptimize(rows);
    }
}

BENCHMARK(BM_QuestionSteps)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QuestionStepsBare)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QuestionListLoad)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QuestionListBare)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    HeadlessEnvironment headless;
    QApplication app(argc, argv);
    CPellorApp pellor;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("opening and stepping through 1,000 questions / bare select", "BM_QuestionSteps",
                        "BM_QuestionStepsBare");
    reporter.printRatio("questions page listing 5,000 questions / bare select", "BM_QuestionListLoad",
                        "BM_QuestionListBare");
    questionDatabase().reset();
    benchmark::Shutdown();
    return 0;
}
