#include "ContentTestHelpers.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "app/CPellorDlg.h"
#include "application/CPellorApp.h"
#include "content/CKemuPage.h"
#include "content/CKeshiPage.h"
#include "content/CKeshiWentiDlg.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/CQuestionDlg.h"
#include "content/CRichEditDlg.h"
#include "content/RichEditBox.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "platform/gui/Screen.h"

#include <QFile>
#include <QPushButton>
#include <QSqlQuery>


using namespace ContentTest;

namespace {

const QString kPoint1 = QStringLiteral("把单位“1”平均分成若干份，表示这样的一份或几份的数，叫做分数。");
const QString kQuestion1 = QStringLiteral("把一块蛋糕平均分成8份，吃了3份，吃了这块蛋糕的几分之几？");
const QString kAnswer1 = QStringLiteral("吃了这块蛋糕的八分之三（3/8）。");
const QString kQuestion2 = QStringLiteral("“单位1”可以表示一个物体吗？还能表示什么？");
const QString kPoint2 = QStringLiteral("分数的分子表示取了几份，分母表示平均分成了几份，分母不能为0。");

} // namespace

// The road a teacher takes through a lesson, from the main window's "教案" on the demo lessons.
class TestLessonRoad : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
        // The demo lessons, as the build made them for the tests.
        const QString content = m_program->file(QStringLiteral("Content.db"));
        QVERIFY(QFile::copy(QStringLiteral(PELLOR_TEST_PROGRAM_DIR "/Content.db"), content));
        QFile::setPermissions(content, QFile::ReadOwner | QFile::WriteOwner);
    }

    void cleanup()
    {
        theApp().m_pConnection.reset();
        m_program.reset();
    }

    void fromTheMainWindowThroughALessonToANewQuestion()
    {
        ScriptedPrompt prompt;
        CPellorDlg main;
        main.findChild<QPushButton *>(QStringLiteral("button1043"))->click();
        CQuestionDlg *browser = main.m_dlgQuestion;
        QVERIFY(browser && browser->isVisible());

        // 数学, its first lesson, the lesson's knowledge points.
        CListCtrlCl *subjects = browser->m_pageKemu->m_listKemu;
        QCOMPARE(column(subjects, 0), (QStringList{QStringLiteral("数学"), QStringLiteral("科学")}));
        QTest::mouseClick(subjects->viewport(), Qt::LeftButton, {}, rowCentre(subjects, 0));
        browser->m_tabSheet->setCurrentIndex(1);
        CListCtrlCl *lessons = browser->m_pageKeshi->m_listKeshi;
        QCOMPARE(column(lessons, 1).first(), QStringLiteral("分数的意义"));
        QTest::mouseClick(lessons->viewport(), Qt::LeftButton, {}, rowCentre(lessons, 0));
        browser->m_tabSheet->setCurrentIndex(2);
        CListCtrlCl *points = browser->m_pageZhishidian->m_listZhishidian;
        QCOMPARE(points->GetItemCount(), 3);

        // The first point full screen: its questions and answers, then the next point.
        QStringList seen;
        QRect geometry;
        onPresenter([&](CRichEditDlg &dlg) {
            geometry = dlg.geometry();
            seen << boxes(dlg);
            dlg.m_editMiddle->setFocus();
            chooseFromMenu(dlg.m_editMiddle, CRichEditDlg::ID_NEXT_QUESTION);
            chooseFromMenu(dlg.m_editMiddle, CRichEditDlg::ID_SHOW_ANSWER);
            seen << boxes(dlg);
            chooseFromMenu(dlg.m_editMiddle, CRichEditDlg::ID_NEXT_QUESTION);
            seen << boxes(dlg);
            chooseFromMenu(dlg.m_editMiddle, CRichEditDlg::ID_NEXT_POINT);
            seen << boxes(dlg);
            QTest::keyClick(dlg.m_editTop, Qt::Key_Escape);
        });
        QTest::mouseDClick(points->viewport(), Qt::LeftButton, {}, rowCentre(points, 0));
        QCOMPARE(geometry, QRect(QPoint(0, 0), Screen::size()));
        const QString blanks(18, u' ');
        QCOMPARE(seen, (QStringList{kPoint1, QStringLiteral("此知识点相关问题数目：2") + blanks + QStringLiteral("1/3"),
                                    QString(), kPoint1, kQuestion1, kAnswer1, kPoint1, kQuestion2, QString(), kPoint2,
                                    QStringLiteral("此知识点相关问题数目：1") + blanks + QStringLiteral("2/3"),
                                    QString()}));
        QVERIFY(!QApplication::activeModalWidget());

        // A new question of the first point.
        QString pointShown;
        onPresenter([&](CRichEditDlg &dlg) {
            pointShown = dlg.m_editTop->toPlainText();
            dlg.m_editMiddle->setPlainText(QStringLiteral("3/8 和 6/16 相等吗？"));
            dlg.m_editBottom->setPlainText(QStringLiteral("相等。"));
            dlg.m_editBottom->setFocus();
            chooseFromMenu(dlg.m_editBottom, CRichEditDlg::ID_SAVE_NEW_QUESTION);
            TestSupport::closeDialog(&dlg);
        });
        browser->m_pageZhishidian->findChild<QPushButton *>(QStringLiteral("button1006"))->click();
        QCOMPARE(pointShown, kPoint1);

        // The questions page shows it after the point's own.
        browser->m_tabSheet->setCurrentIndex(3);
        CListCtrlCl *questions = browser->m_pageWenti->m_listWenti;
        QCOMPARE(column(questions, 1), (QStringList{kQuestion1, kQuestion2, QStringLiteral("3/8 和 6/16 相等吗？")}));
        QCOMPARE(column(questions, 0), QStringList(3, QStringLiteral("1")));
        QSqlQuery stored = theApp().m_pConnection->exec(
            QStringLiteral("SELECT 课时ID,知识点ID,答案 FROM Wenti1 WHERE 问题=?"), {QStringLiteral("3/8 和 6/16 相等吗？")});
        QVERIFY(stored.next());
        QCOMPARE(QStringList({stored.value(0).toString(), stored.value(1).toString(), stored.value(2).toString()}),
                 (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("相等。")}));

        // Its answer corrected in the edit layout.
        onPresenter([](CRichEditDlg &dlg) {
            dlg.m_editBottom->setFocus();
            chooseFromMenu(dlg.m_editBottom, CRichEditDlg::ID_MODIFY);
            dlg.m_editBottom->setPlainText(QStringLiteral("相等，分子分母同时乘2。"));
            chooseFromMenu(dlg.m_editBottom, CRichEditDlg::ID_CLOSE);
        });
        doubleClickRow(questions, 2);
        QVERIFY(!QApplication::activeModalWidget());
        stored = theApp().m_pConnection->exec(QStringLiteral("SELECT 答案 FROM Wenti1 WHERE 问题=?"),
                                              {QStringLiteral("3/8 和 6/16 相等吗？")});
        QVERIFY(stored.next());
        QCOMPARE(stored.value(0).toString(), QStringLiteral("相等，分子分母同时乘2。"));
        QCOMPARE(prompt.shown.size(), 0);
    }

private:
    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_program;
};

PELLOR_WIDGET_TEST_MAIN(TestLessonRoad)
#include "tst_lessonroad.moc"
