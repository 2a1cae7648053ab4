#include "ContentTestHelpers.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "application/CPellorApp.h"
#include "content/CKeshiPage.h"
#include "content/CKeshiWentiDlg.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/CQuestionDlg.h"
#include "content/CRichEditDlg.h"
#include "content/RichEditBox.h"
#include "content/core/ContentDatabase.h"
#include "content/core/ContentStore.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"

#include <QPushButton>

#include <memory>

using namespace ContentTest;

namespace {

QString counter(int count, int position, int rows)
{
    return QStringLiteral("此知识点相关问题数目：%1                  %2/%3").arg(count).arg(position).arg(rows);
}

const QString kNotEntered = QStringLiteral("还未录入，请重新编辑此项");
const QString kAskSavePoint = QStringLiteral("当前知识点已修改，是否保存？");
const QString kNoQuestion = QStringLiteral("还没有添加问题，请添加问题");
const QString kNoAnswer = QStringLiteral("还没有未此问题添加答案,请添加答案");
const QString kFull = QStringLiteral("Content.db 操作失败，本次操作没有改动任何数据。\n磁盘已满");
const QString kGiveUpQuestion = QStringLiteral("这个问题还没有保存。是否放弃它并关闭窗口？");
const QString kGiveUpEdit = QStringLiteral("对问题的修改还没有保存。是否放弃修改并关闭窗口？");
const QString kCorrectOrNew
    = QStringLiteral("刚才保存的问题已改动。\n选“是”：更正刚才保存的问题；\n选“否”：另存为一个新问题。");

} // namespace

class TestQuestions : public QObject
{
    Q_OBJECT

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_folder;

    ContentStore store() const { return ContentStore(*theApp().m_pConnection); }

    QStringList rows(const QString &sql) const { return TestSupport::rows(*theApp().m_pConnection, sql); }

    QStringList questionRows() const
    {
        return rows(QStringLiteral("SELECT ID,课时ID,知识点ID,问题ID,问题,答案 FROM Wenti1 ORDER BY ID"));
    }

    // The knowledge-points page as the browser makes it, on lesson 1 of subject 1.
    std::unique_ptr<CKeshiZhishidianPage> openPointsPage()
    {
        theApp().m_nKemuID = 1;
        theApp().m_nKeshiID = 1;
        auto page = std::make_unique<CKeshiZhishidianPage>();
        page->m_pConnection = theApp().m_pConnection;
        page->OnInitDialog();
        page->show();
        return page;
    }

private slots:
    void init()
    {
        theApp().m_pConnection.reset();
        theApp().m_nKemuID = theApp().m_nKeshiID = theApp().m_nZhishidianID = 0;
        m_folder = std::make_unique<TempProgramFolder>();
        ContentDatabase::open(theApp().m_pConnection);
        store().addSubject(QStringLiteral("语文"));
        store().addLesson(1, 1, QStringLiteral("第一课"));
        store().addLesson(1, 2, QStringLiteral("第二课"));
        store().addPoint(1, {0, 1, 1, QStringLiteral("一"), false, false});
        store().addPoint(1, {0, 1, 2, QStringLiteral("二"), false, false});
        store().addPoint(1, {0, 1, 3, QStringLiteral("三"), false, false});
        store().addPoint(1, {0, 2, 1, QStringLiteral("别课"), false, false});
    }

    void cleanup()
    {
        theApp().m_pConnection.reset();
        m_folder.reset();
    }

    void thePresenterStepsThroughPointsAndQuestionsInIdOrder()
    {
        // Point 1's questions in the order added, whatever their texts; one of another lesson.
        store().addQuestion(1, 1, 1, QStringLiteral("丙问"), QStringLiteral("丙答"));
        store().addQuestion(1, 2, 1, QStringLiteral("别课的问"), QStringLiteral("x"));
        store().addQuestion(1, 1, 1, QStringLiteral("甲问"), QStringLiteral("甲答"));
        theApp().m_pConnection->exec(QStringLiteral("INSERT INTO Wenti1(课时ID,知识点ID,问题,答案) VALUES(1,1,'乙问',NULL)"));
        store().addQuestion(1, 1, 3, QStringLiteral("三的问"), QStringLiteral("三的答"));
        ScriptedPrompt prompt;
        auto page = openPointsPage();
        QStringList seen;
        onPresenter([&](CRichEditDlg &dlg) {
            auto run = [&](int command) {
                dlg.OnCommand(command);
                seen << boxes(dlg).join(u'|');
            };
            seen << boxes(dlg).join(u'|');
            run(CRichEditDlg::ID_PREV_POINT);     // stays on the first point
            run(CRichEditDlg::ID_PREV_QUESTION);  // the first question
            run(CRichEditDlg::ID_SHOW_ANSWER);
            run(CRichEditDlg::ID_NEXT_QUESTION);
            run(CRichEditDlg::ID_SHOW_ANSWER);    // a NULL answer shows empty
            run(CRichEditDlg::ID_NEXT_QUESTION);
            run(CRichEditDlg::ID_NEXT_QUESTION);  // stays on the last
            run(CRichEditDlg::ID_SHOW_ANSWER);
            run(CRichEditDlg::ID_PREV_QUESTION);
            run(CRichEditDlg::ID_PREV_QUESTION);
            run(CRichEditDlg::ID_PREV_QUESTION);  // stays on the first
            run(CRichEditDlg::ID_NEXT_POINT);     // a point without questions
            run(CRichEditDlg::ID_NEXT_QUESTION);
            run(CRichEditDlg::ID_SHOW_ANSWER);
            run(CRichEditDlg::ID_NEXT_POINT);
            run(CRichEditDlg::ID_NEXT_POINT);     // stays on the last
            run(CRichEditDlg::ID_NEXT_QUESTION);
            run(CRichEditDlg::ID_PREV_POINT);
            QTest::keyClick(dlg.m_editTop, Qt::Key_Escape);
            seen << QString::number(dlg.isVisible());
        });
        doubleClickRow(page->m_listZhishidian, 0);
        QCOMPARE(seen, (QStringList{
                           QStringLiteral("一|") + counter(3, 1, 3) + u'|',
                           QStringLiteral("一|") + counter(3, 1, 3) + u'|',
                           QStringLiteral("一|丙问|"),
                           QStringLiteral("一|丙问|丙答"),
                           QStringLiteral("一|甲问|"),
                           QStringLiteral("一|甲问|甲答"),
                           QStringLiteral("一|乙问|"),
                           QStringLiteral("一|乙问|"),
                           QStringLiteral("一|乙问|"),
                           QStringLiteral("一|甲问|"),
                           QStringLiteral("一|丙问|"),
                           QStringLiteral("一|丙问|"),
                           QStringLiteral("二|") + counter(0, 2, 3) + u'|',
                           QStringLiteral("二|此知识点相关问题数目：0|"),
                           QStringLiteral("二|此知识点相关问题数目：0|"),
                           QStringLiteral("三|") + counter(1, 3, 3) + u'|',
                           QStringLiteral("三|") + counter(1, 3, 3) + u'|',
                           QStringLiteral("三|三的问|"),
                           QStringLiteral("二|") + counter(0, 2, 3) + u'|',
                           QStringLiteral("0"),
                       }));
        QCOMPARE(prompt.shown.size(), 0);
        // The presenter moves neither the list's selection nor the current point.
        QCOMPARE(theApp().m_nZhishidianID, 1);
        QCOMPARE(page->m_listZhishidian->GetNextSelectedItem(-1), 0);

        // Failed reads are said under their caption, the count taken as 0.
        theApp().m_pConnection->exec(QStringLiteral("DROP TABLE Wenti1"));
        onPresenter([&](CRichEditDlg &dlg) {
            dlg.OnCommand(CRichEditDlg::ID_NEXT_QUESTION);
            dlg.OnCommand(CRichEditDlg::ID_NEXT_POINT);
            seen << boxes(dlg).join(u'|');
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
        });
        doubleClickRow(page->m_listZhishidian, 0);
        QCOMPARE(seen.last(), QStringLiteral("二|") + counter(0, 2, 3) + u'|');
        QCOMPARE(prompt.shown.size(), 3);
        for (const ScriptedPrompt::Shown &shown : std::as_const(prompt.shown)) {
            QCOMPARE(shown.caption, QStringLiteral("获取答案失败"));
            QVERIFY(shown.text.contains(QLatin1String("Wenti1")));
        }
    }

    void answersAndQuestionsGoWhereTheDisplayModeShowsThem()
    {
        store().addQuestion(1, 1, 1, QStringLiteral("问"), QStringLiteral("答"));
        ScriptedPrompt prompt;
        auto page = openPointsPage();
        QStringList seen;
        onPresenter([&](CRichEditDlg &dlg) {
            auto run = [&](int command) {
                dlg.OnCommand(command);
                seen << boxes(dlg).join(u'|');
            };
            run(CRichEditDlg::ID_NEXT_QUESTION);
            run(CRichEditDlg::ID_SHOW_TWO_THIRDS);
            run(CRichEditDlg::ID_SHOW_ANSWER);      // the middle box
            run(CRichEditDlg::ID_CURRENT_QUESTION);
            run(CRichEditDlg::ID_SHOW_FULL);
            run(CRichEditDlg::ID_SHOW_ANSWER);      // the top box
            run(CRichEditDlg::ID_CURRENT_POINT);
            run(CRichEditDlg::ID_NEXT_QUESTION);    // the question too
            run(CRichEditDlg::ID_CURRENT_QUESTION);
            run(CRichEditDlg::ID_SHOW_THIRD);
            run(CRichEditDlg::ID_SHOW_ANSWER);      // the bottom box
            run(CRichEditDlg::ID_NEXT_POINT);
            run(CRichEditDlg::ID_SHOW_ANSWER);      // nothing of the point left
            run(CRichEditDlg::ID_SHOW_TWO_THIRDS);
            run(CRichEditDlg::ID_SHOW_ANSWER);
        });
        doubleClickRow(page->m_listZhishidian, 0);
        QCOMPARE(seen, (QStringList{
                           QStringLiteral("一|问|"),
                           QStringLiteral("一|问|"),
                           QStringLiteral("一|答|"),
                           QStringLiteral("一|问|"),
                           QStringLiteral("一|问|"),
                           QStringLiteral("答|问|"),
                           QStringLiteral("一|问|"),
                           QStringLiteral("问|问|"),
                           QStringLiteral("问|问|"),
                           QStringLiteral("一|问|"),
                           QStringLiteral("一|问|答"),
                           QStringLiteral("二|") + counter(0, 2, 3) + u'|',
                           QStringLiteral("二|") + counter(0, 2, 3) + u'|',
                           QStringLiteral("二|") + counter(0, 2, 3) + u'|',
                           QStringLiteral("二||"),
                       }));
        QCOMPARE(prompt.shown.size(), 0);
    }

    void untouchedTextsWithCrLfAreNeitherQuestionedNorWritten()
    {
        theApp().m_pConnection->exec(QStringLiteral("UPDATE Zhishidian1 SET 知识点=? WHERE 课时=1 AND 知识点ID=1"),
                                     {QStringLiteral("第一行\r\n第二行")});
        store().addQuestion(1, 1, 1, QStringLiteral("问\r\n续"), QStringLiteral("答\r\n续"));
        auto bytes = [&] {
            return rows(QStringLiteral("SELECT hex(知识点) FROM Zhishidian1 WHERE 课时=1 AND 知识点ID=1"))
                + rows(QStringLiteral("SELECT hex(问题),hex(答案) FROM Wenti1"));
        };
        const QStringList before = bytes();
        QVERIFY(before.first().contains(QLatin1String("0D0A")));
        ScriptedPrompt prompt;
        auto page = openPointsPage();
        onPresenter([](CRichEditDlg &dlg) {
            for (int command : {CRichEditDlg::ID_NEXT_QUESTION, CRichEditDlg::ID_SHOW_ANSWER, CRichEditDlg::ID_NEXT_POINT,
                                CRichEditDlg::ID_PREV_POINT, CRichEditDlg::ID_SHOW_FULL, CRichEditDlg::ID_NEXT_QUESTION,
                                CRichEditDlg::ID_CURRENT_POINT, CRichEditDlg::ID_SAVE_POINT, CRichEditDlg::ID_CLOSE})
                dlg.OnCommand(command);
        });
        doubleClickRow(page->m_listZhishidian, 0);

        // The question in the edit layout, closed by each way there is.
        CKeshiWentiDlg questions;
        questions.m_pConnection = theApp().m_pConnection;
        theApp().m_nZhishidianID = 1;
        questions.OnInitDialog();
        questions.show();
        onPresenter([](CRichEditDlg &dlg) {
            dlg.OnCommand(CRichEditDlg::ID_MODIFY);
            dlg.OnCommand(CRichEditDlg::ID_SAVE_QUESTION);
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
        });
        clickRow(questions.m_listWenti, 0);
        questions.OnBnClickedEdit();
        onPresenter([](CRichEditDlg &dlg) { QTest::keyClick(dlg.m_editMiddle, Qt::Key_Escape); });
        questions.OnBnClickedEdit();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(prompt.shown.size(), 0);
        QCOMPARE(bytes(), before);
    }

    void aChangedPointTextIsKeptOrDroppedOnlyAsTheTeacherSays()
    {
        ScriptedPrompt prompt;
        auto page = openPointsPage();
        auto pointText = [&](int number) {
            return rows(QStringLiteral("SELECT 知识点 FROM Zhishidian1 WHERE 课时=1 AND 知识点ID=%1").arg(number)).join(u',');
        };
        QStringList seen;
        onPresenter([&](CRichEditDlg &dlg) {
            // Cancel: the command does not run and the text stays.
            dlg.m_editTop->setPlainText(QStringLiteral("一改"));
            prompt.answerNext(Prompt::Cancel);
            dlg.OnCommand(CRichEditDlg::ID_NEXT_POINT);
            seen << boxes(dlg).first();
            // No: dropped.
            prompt.answerNext(Prompt::No);
            dlg.OnCommand(CRichEditDlg::ID_NEXT_POINT);
            seen << boxes(dlg).first() << pointText(1);
            // Yes: stored before the next point replaces it.
            dlg.m_editTop->setPlainText(QStringLiteral("二改"));
            prompt.answerNext(Prompt::Yes);
            dlg.OnCommand(CRichEditDlg::ID_PREV_POINT);
            seen << boxes(dlg).first() << pointText(2);
            // A question over the point is no point's text: "保存" stores nothing then.
            dlg.OnCommand(CRichEditDlg::ID_SHOW_FULL);
            dlg.OnCommand(CRichEditDlg::ID_NEXT_QUESTION);
            dlg.m_editTop->setPlainText(QStringLiteral("不是知识点"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_POINT);
            dlg.OnCommand(CRichEditDlg::ID_CURRENT_POINT);
            seen << boxes(dlg).first() << pointText(1);
            // While it shows the point, "保存" stores it without asking.
            dlg.m_editTop->setPlainText(QStringLiteral("一再改"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_POINT);
            seen << pointText(1);
            // Closing asks too, and Cancel keeps the window.
            dlg.m_editTop->setPlainText(QStringLiteral("一三改"));
            prompt.answerNext(Prompt::Cancel);
            QTest::keyClick(dlg.m_editTop, Qt::Key_Escape);
            seen << QString::number(dlg.isVisible());
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
            seen << QString::number(dlg.isVisible()) << pointText(1);
        });
        doubleClickRow(page->m_listZhishidian, 0);
        QCOMPARE(seen, (QStringList{QStringLiteral("一改"), QStringLiteral("二"), QStringLiteral("一"),
                                    QStringLiteral("一"), QStringLiteral("二改"), QStringLiteral("一"),
                                    QStringLiteral("一"), QStringLiteral("一再改"), QStringLiteral("1"),
                                    QStringLiteral("0"), QStringLiteral("一三改")}));
        QCOMPARE(prompt.texts(), QStringList(5, kAskSavePoint));
        QCOMPARE(prompt.shown.first().buttons, Prompt::YesNoCancel);
        QCOMPARE(page->m_listZhishidian->GetItemText(0, CKeshiZhishidianPage::ColText), QStringLiteral("一三改"));

        // A point another program deleted meanwhile: the save says so, and once the presenter
        // is closed the list shows the points that are still there.
        prompt.clear();
        onPresenter([&](CRichEditDlg &dlg) {
            store().deletePoint(1, 1, 2);
            dlg.m_editTop->setPlainText(QStringLiteral("二再改"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_POINT);
            prompt.answerNext(Prompt::No);
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
        });
        doubleClickRow(page->m_listZhishidian, 1);
        QCOMPARE(prompt.texts(), (QStringList{ContentStore::rowGoneText(), kAskSavePoint}));
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("编辑数据失败"));
        QCOMPARE(column(page->m_listZhishidian, 0), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    }

    void aNewQuestionIsStoredOnlyWhole()
    {
        ScriptedPrompt prompt;
        auto page = openPointsPage();
        page->m_listZhishidian->SetItemSelected(1, true);
        QStringList seen;
        onPresenter([&](CRichEditDlg &dlg) {
            auto visible = [&] { seen << QString::number(dlg.isVisible()); };
            dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
            dlg.m_editMiddle->setPlainText(QStringLiteral("1+1=?"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
            // With a box empty, every close asks whether to give the question up; 否 keeps the
            // window with the texts.
            for (int turn = 0; turn < 3; ++turn)
                prompt.answerNext(Prompt::No);
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
            visible();
            QTest::keyClick(dlg.m_editMiddle, Qt::Key_Escape);
            visible();
            TestSupport::closeDialog(&dlg);
            visible();

            // A refused insert is said; closing then tries no store again but asks whether to
            // give the question up, and 否 keeps the window with the texts.
            dlg.m_editBottom->setPlainText(QStringLiteral("2"));
            theApp().m_pConnection->exec(
                QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Wenti1 BEGIN SELECT RAISE(ABORT,'磁盘已满'); END"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
            prompt.answerNext(Prompt::No);
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
            visible();
            seen << boxes(dlg).join(u'|') << QString::number(questionRows().size());

            theApp().m_pConnection->exec(QStringLiteral("DROP TRIGGER refuse"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
            visible();
            dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
            visible();
        });
        page->OnBnClickedAddWenti();
        QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                                    QStringLiteral("二|1+1=?|2"), QStringLiteral("0"), QStringLiteral("1"),
                                    QStringLiteral("0")}));
        QCOMPARE(prompt.texts(), (QStringList{kNoQuestion, kNoAnswer, kGiveUpQuestion, kGiveUpQuestion,
                                              kGiveUpQuestion, kFull, kGiveUpQuestion}));
        QCOMPARE(prompt.shown.at(2).buttons, Prompt::YesNo);
        QCOMPARE(prompt.shown.at(5).caption, QStringLiteral("添加数据失败"));
        QCOMPARE(questionRows(), QStringList{QStringLiteral("1|1|2|NULL|1+1=?|2")});
        prompt.clear();

        // Given up (是), the question is not stored and the window closes.
        theApp().m_pConnection->exec(
            QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Wenti1 BEGIN SELECT RAISE(ABORT,'磁盘已满'); END"));
        onPresenter([&](CRichEditDlg &dlg) {
            dlg.m_editMiddle->setPlainText(QStringLiteral("9+9=?"));
            dlg.m_editBottom->setPlainText(QStringLiteral("18"));
            QTest::keyClick(dlg.m_editBottom, Qt::Key_Escape);
            seen << QString::number(dlg.isVisible());
            TestSupport::closeDialog(&dlg);
            seen << QString::number(dlg.isVisible());
        });
        page->OnBnClickedAddWenti();
        theApp().m_pConnection->exec(QStringLiteral("DROP TRIGGER refuse"));
        // So does a question left without its text.
        onPresenter([&](CRichEditDlg &dlg) {
            dlg.m_editBottom->setPlainText(QStringLiteral("5"));
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
            seen << QString::number(dlg.isVisible());
        });
        page->OnBnClickedAddWenti();
        QCOMPARE(seen.mid(8), (QStringList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0")}));
        QCOMPARE(prompt.texts(), (QStringList{kFull, kGiveUpQuestion, kGiveUpQuestion}));
        QCOMPARE(questionRows().size(), 1);
        prompt.clear();

        // Esc with both boxes filled stores without a word; with both empty nothing is lost.
        onPresenter([](CRichEditDlg &dlg) {
            dlg.m_editMiddle->setPlainText(QStringLiteral("2+2=?"));
            dlg.m_editBottom->setPlainText(QStringLiteral("4"));
            QTest::keyClick(dlg.m_editBottom, Qt::Key_Escape);
        });
        page->OnBnClickedAddWenti();
        onPresenter([](CRichEditDlg &dlg) { QTest::keyClick(dlg.m_editBottom, Qt::Key_Escape); });
        page->OnBnClickedAddWenti();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(prompt.shown.size(), 0);
        QCOMPARE(questionRows().last(), QStringLiteral("2|1|2|NULL|2+2=?|4"));
        QCOMPARE(questionRows().size(), 2);
        // The next presentation of the point meets both.
        QCOMPARE(page->Navigator().CountWenti(2), 2);
    }

    void aQuestionChangedAfterItsStoreIsCorrectedOrAddedAsTheTeacherSays()
    {
        ScriptedPrompt prompt;
        auto page = openPointsPage();
        page->m_listZhishidian->SetItemSelected(1, true);
        auto stored = [&] { return rows(QStringLiteral("SELECT 问题,答案 FROM Wenti1 ORDER BY ID")); };
        // "保存问题", "关闭", Esc and the close box.
        const QList<std::function<void(CRichEditDlg &)>> ways = {
            [](CRichEditDlg &dlg) { dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION); },
            [](CRichEditDlg &dlg) { dlg.OnCommand(CRichEditDlg::ID_CLOSE); },
            [](CRichEditDlg &dlg) { QTest::keyClick(dlg.m_editBottom, Qt::Key_Escape); },
            [](CRichEditDlg &dlg) { TestSupport::closeDialog(&dlg); },
        };
        for (const auto &way : ways) {
            theApp().m_pConnection->exec(QStringLiteral("DELETE FROM Wenti1"));
            prompt.clear();
            QStringList seen;
            onPresenter([&](CRichEditDlg &dlg) {
                dlg.m_editMiddle->setPlainText(QStringLiteral("1/2 + 1/3 = ?"));
                dlg.m_editBottom->setPlainText(QStringLiteral("1/3"));
                dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
                dlg.m_editBottom->setPlainText(QStringLiteral("5/6"));
                // 取消: nothing is written and the window stays.
                prompt.answerNext(Prompt::Cancel);
                way(dlg);
                seen << QString::number(dlg.isVisible()) << stored();
                // 是: the stored question is corrected.
                prompt.answerNext(Prompt::Yes);
                way(dlg);
                dlg.OnCommand(CRichEditDlg::ID_CLOSE);
                seen << QString::number(dlg.isVisible());
            });
            page->OnBnClickedAddWenti();
            QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("1/2 + 1/3 = ?|1/3"), QStringLiteral("0")}));
            QCOMPARE(prompt.texts(), QStringList(2, kCorrectOrNew));
            QCOMPARE(prompt.shown.first().buttons, Prompt::YesNoCancel);
            QCOMPARE(stored(), QStringList{QStringLiteral("1/2 + 1/3 = ?|5/6")});
        }

        // 否: what is typed over a stored question is a question of its own; the same texts
        // again store nothing more.
        prompt.clear();
        onPresenter([&](CRichEditDlg &dlg) {
            dlg.m_editMiddle->setPlainText(QStringLiteral("3+3=?"));
            dlg.m_editBottom->setPlainText(QStringLiteral("6"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
            dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
            dlg.m_editMiddle->setPlainText(QStringLiteral("4+4=?"));
            dlg.m_editBottom->setPlainText(QStringLiteral("8"));
            prompt.answerNext(Prompt::No);
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
        });
        page->OnBnClickedAddWenti();
        QCOMPARE(prompt.texts(), QStringList{kCorrectOrNew});
        QCOMPARE(stored(), (QStringList{QStringLiteral("1/2 + 1/3 = ?|5/6"), QStringLiteral("3+3=?|6"),
                                        QStringLiteral("4+4=?|8")}));
    }

    void theQuestionsPageListsEditsAndDeletes()
    {
        store().addQuestion(1, 1, 1, QStringLiteral("问A"), QStringLiteral("答A"));
        store().addQuestion(1, 1, 3, QStringLiteral("问C"), QStringLiteral("答C"));
        store().addQuestion(1, 1, 1, QStringLiteral("问B\n第二行"), QStringLiteral("答B"));
        theApp().m_pConnection->exec(QStringLiteral("INSERT INTO Wenti1(课时ID,知识点ID,问题,答案) VALUES(1,3,NULL,'答N')"));
        store().addQuestion(1, 2, 1, QStringLiteral("别课的问"), QStringLiteral("x"));
        ScriptedPrompt prompt;
        CQuestionDlg browser;
        browser.ShowQuestionDlg(nullptr);
        CKeshiWentiDlg *page = browser.m_pageWenti;
        CListCtrlCl *list = page->m_listWenti;
        QCOMPARE(theApp().m_pWentiDlg, page);
        QCOMPARE(list->m_Header.m_arrTitles, (QStringList{QStringLiteral("ID"), QStringLiteral("问题"), QStringLiteral("ID")}));
        QCOMPARE(list->GetColumnWidth(0), 50);
        QCOMPARE(list->GetColumnWidth(2), 0);
        QCOMPARE(*list->ColumnBackColor(0), QColor(238, 104, 123));
        QCOMPARE(*list->ColumnBackColor(1), QColor(204, 153, 102));
        QCOMPARE(list->GetBkColor(), QColor(144, 144, 144));
        QCOMPARE(list->m_nRowHeight, 100);
        QCOMPARE(list->m_Header.m_nGradient, 5);
        QCOMPARE(list->m_nFontHeight, 20);
        QStringList captions;
        for (int id = CKeshiWentiDlg::IDC_ADD; id <= CKeshiWentiDlg::IDC_POINT_QUESTIONS; ++id)
            captions << page->findChild<QPushButton *>(QStringLiteral("button%1").arg(id))->text();
        QCOMPARE(captions, (QStringList{QStringLiteral("增加"), QStringLiteral("编辑"), QStringLiteral("删除"),
                                        QStringLiteral("全部问题"), QStringLiteral("本知识点问题")}));

        // Lesson 1, point 3: its questions; a text never entered says so.
        browser.m_tabSheet->setCurrentIndex(1);
        clickRow(browser.m_pageKeshi->m_listKeshi, 0);
        browser.m_tabSheet->setCurrentIndex(2);
        clickRow(browser.m_pageZhishidian->m_listZhishidian, 2);
        browser.m_tabSheet->setCurrentIndex(3);
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("3"), QStringLiteral("3")}));
        QCOMPARE(column(list, 1), (QStringList{QStringLiteral("问C"), kNotEntered}));
        QCOMPARE(column(list, 2), (QStringList{QStringLiteral("2"), QStringLiteral("4")}));
        // Every question of the lesson by point, those of a point in the order added.
        page->findChild<QPushButton *>(QStringLiteral("button1006"))->click();
        QCOMPARE(column(list, 1), (QStringList{QStringLiteral("问A"), QStringLiteral("问B\n第二行"),
                                                QStringLiteral("问C"), kNotEntered}));
        QCOMPARE(column(list, 2),
                 (QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("4")}));
        QCOMPARE(list->GetNextSelectedItem(-1), -1);
        page->OnBnClickedEdit();
        page->OnBnClickedDelete();
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("未选择编辑项"), QStringLiteral("请选择要删除的条目！")}));
        prompt.clear();

        // A double-click opens the question in the edit layout, read-only, a NULL text as
        // the list shows it.
        QStringList seen;
        onPresenter([&](CRichEditDlg &dlg) {
            seen << QString::number(dlg.IsEditQuestion()) << QString::number(dlg.m_editTop->isVisible())
                 << dlg.m_editMiddle->toPlainText() << dlg.m_editBottom->toPlainText()
                 << QString::number(dlg.m_editMiddle->isReadOnly() && dlg.m_editBottom->isReadOnly());
            TestSupport::closeDialog(&dlg);
        });
        doubleClickRow(list, 3);
        QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("0"), kNotEntered, QStringLiteral("答N"),
                                    QStringLiteral("1")}));
        QCOMPARE(page->m_nSelQuestionID, 4);
        QCOMPARE(rows(QStringLiteral("SELECT 问题,答案 FROM Wenti1 WHERE ID=4")), QStringList{QStringLiteral("NULL|答N")});

        // Back to the current point's questions; deleting one reloads the list.
        page->findChild<QPushButton *>(QStringLiteral("button1007"))->click();
        QCOMPARE(column(list, 2), (QStringList{QStringLiteral("2"), QStringLiteral("4")}));
        clickRow(list, 0);
        page->findChild<QPushButton *>(QStringLiteral("button1005"))->click();
        QCOMPARE(column(list, 2), QStringList{QStringLiteral("4")});
        QCOMPARE(rows(QStringLiteral("SELECT ID FROM Wenti1 WHERE ID=2")), QStringList());

        // With no lesson current the page shows no lesson's questions, and acts on none.
        theApp().m_nKeshiID = -1;
        browser.m_tabSheet->setCurrentIndex(2);
        browser.m_tabSheet->setCurrentIndex(3);
        QCOMPARE(list->GetItemCount(), 0);
        QCOMPARE(prompt.shown.size(), 0);
    }

    void theEditLayoutWritesOnlyWhatChanged()
    {
        const int id = store().addQuestion(1, 1, 1, QStringLiteral("问"), QString());
        theApp().m_pConnection->exec(QStringLiteral("UPDATE Wenti1 SET 答案=NULL"));
        ScriptedPrompt prompt;
        CQuestionDlg browser;
        browser.ShowQuestionDlg(nullptr);
        CKeshiWentiDlg *page = browser.m_pageWenti;
        theApp().m_nKeshiID = 1;
        theApp().m_nZhishidianID = 1;
        page->LoadQuestionList();
        auto stored = [&] { return rows(QStringLiteral("SELECT 问题,答案 FROM Wenti1 WHERE ID=%1").arg(id)).join(u','); };
        QStringList seen;
        onPresenter([&](CRichEditDlg &dlg) {
            // Unchanged: "保存" writes nothing, the placeholder stays NULL.
            dlg.OnCommand(CRichEditDlg::ID_SAVE_QUESTION);
            seen << stored();
            dlg.OnCommand(CRichEditDlg::ID_MODIFY);
            seen << QString::number(!dlg.m_editMiddle->isReadOnly() && !dlg.m_editBottom->isReadOnly());
            dlg.m_editMiddle->setPlainText(QStringLiteral("新问"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_QUESTION);
            seen << stored() << QString::number(dlg.isVisible());
            // The answer changed meanwhile elsewhere: an untouched box does not write it back.
            theApp().m_pConnection->exec(QStringLiteral("UPDATE Wenti1 SET 答案='别处的答' WHERE ID=%1").arg(id));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_QUESTION);
            seen << stored();
            // Esc writes what changed, then closes.
            dlg.m_editBottom->setPlainText(QStringLiteral("新答"));
            QTest::keyClick(dlg.m_editBottom, Qt::Key_Escape);
            seen << stored() << QString::number(dlg.isVisible());
        });
        clickRow(page->m_listWenti, 0);
        page->OnBnClickedEdit();
        QCOMPARE(seen, (QStringList{QStringLiteral("问|NULL"), QStringLiteral("1"), QStringLiteral("新问|NULL"),
                                    QStringLiteral("1"), QStringLiteral("新问|别处的答"), QStringLiteral("新问|新答"),
                                    QStringLiteral("0")}));
        QCOMPARE(column(page->m_listWenti, 1), QStringList{QStringLiteral("新问")});
        QCOMPARE(prompt.shown.size(), 0);

        // A question deleted meanwhile: a close whose write fails keeps the window; the next
        // asks whether to give the change up, without trying again (否 stays, 是 closes).
        seen.clear();
        onPresenter([&](CRichEditDlg &dlg) {
            theApp().m_pConnection->exec(QStringLiteral("DELETE FROM Wenti1"));
            dlg.OnCommand(CRichEditDlg::ID_MODIFY);
            dlg.m_editMiddle->setPlainText(QStringLiteral("没了"));
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
            seen << QString::number(dlg.isVisible());
            prompt.answerNext(Prompt::No);
            QTest::keyClick(dlg.m_editBottom, Qt::Key_Escape);
            seen << QString::number(dlg.isVisible()) << dlg.m_editMiddle->toPlainText();
            TestSupport::closeDialog(&dlg);
            seen << QString::number(dlg.isVisible());
        });
        clickRow(page->m_listWenti, 0);
        page->OnBnClickedEdit();
        QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("没了"), QStringLiteral("0")}));
        QCOMPARE(prompt.texts(), (QStringList{ContentStore::rowGoneText(), kGiveUpEdit, kGiveUpEdit}));
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("添加数据失败"));
        QVERIFY(!prompt.shown.first().applicationBox);
        QCOMPARE(page->m_listWenti->GetItemCount(), 0);
    }

    void addingFromTheQuestionsPageTakesTheCurrentPointOfTheLessonNow()
    {
        ScriptedPrompt prompt;
        CQuestionDlg browser;
        browser.ShowQuestionDlg(nullptr);
        CKeshiWentiDlg *page = browser.m_pageWenti;
        CKeshiZhishidianPage *points = browser.m_pageZhishidian;
        // The points page still lists lesson 2; the teacher chose point 2 of lesson 1.
        QCOMPARE(column(points->m_listZhishidian, 1), QStringList{QStringLiteral("别课")});
        theApp().m_nKeshiID = 1;
        theApp().m_nZhishidianID = 2;
        QString point;
        onPresenter([&](CRichEditDlg &dlg) {
            point = dlg.m_editTop->toPlainText();
            dlg.m_editMiddle->setPlainText(QStringLiteral("新问"));
            dlg.m_editBottom->setPlainText(QStringLiteral("新答"));
            dlg.OnCommand(CRichEditDlg::ID_SAVE_NEW_QUESTION);
            dlg.OnCommand(CRichEditDlg::ID_CLOSE);
        });
        page->findChild<QPushButton *>(QStringLiteral("button1003"))->click();
        QCOMPARE(point, QStringLiteral("二"));
        QCOMPARE(questionRows(), QStringList{QStringLiteral("1|1|2|NULL|新问|新答")});
        QCOMPARE(column(page->m_listWenti, 1), QStringList{QStringLiteral("新问")});
        QCOMPARE(prompt.shown.size(), 0);

        // No current point, or no lesson: nothing opens, and the page says what to choose.
        theApp().m_nZhishidianID = -1;
        page->OnBnClickedAdd();
        theApp().m_nKeshiID = -1;
        page->OnBnClickedAdd();
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("请先在“本课知识点”中选择知识点"),
                                              QStringLiteral("请先在“选择课时”中选择课时")}));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

PELLOR_WIDGET_TEST_MAIN(TestQuestions)
#include "tst_questions.moc"
