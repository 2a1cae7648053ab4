#include "ContentTestHelpers.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "application/CPellorApp.h"
#include "content/CKemuPage.h"
#include "content/CKeshiPage.h"
#include "content/CKeshiWentiDlg.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/CQuestionDlg.h"
#include "content/core/ContentDatabase.h"
#include "content/core/ContentStore.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>

#include <memory>

using namespace ContentTest;

namespace {

// Answers the next subject or lesson dialog: fills its fields and presses a button. A dialog
// that stays open (its store failed) is then cancelled, and keptOpen says so.
void answerDialog(const QString &number, const QString &text, int button = 1, bool *keptOpen = nullptr)
{
    TestSupport::whenModal([=](QWidget *dialog) {
        if (auto edit = dialog->findChild<QPlainTextEdit *>(QStringLiteral("edit1001"))) {
            dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"))->setText(number);
            edit->setPlainText(text);
        } else {
            dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"))->setText(text);
        }
        TestSupport::clickButton(dialog, button);
        if (keptOpen)
            *keptOpen = dialog->isVisible();
        if (dialog->isVisible())
            TestSupport::clickButton(dialog, 2);
    });
}

} // namespace

class TestQuestionDlg : public QObject
{
    Q_OBJECT

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_folder;

    ContentStore store() const { return ContentStore(*theApp().m_pConnection); }

    // A browser opened as the main window's "教案" does the first time.
    std::unique_ptr<CQuestionDlg> openBrowser()
    {
        auto dlg = std::make_unique<CQuestionDlg>();
        dlg->ShowQuestionDlg(nullptr);
        return dlg;
    }

private slots:
    void init()
    {
        theApp().m_pConnection.reset();
        theApp().m_nKemuID = theApp().m_nKeshiID = theApp().m_nZhishidianID = 0;
        m_folder = std::make_unique<TempProgramFolder>();
    }

    void cleanup()
    {
        theApp().m_pConnection.reset();
        m_folder.reset();
    }

    void opensWithItsTabsAndShowsAgainWithoutAReload()
    {
        ScriptedPrompt prompt;
        m_folder->writeFile(QStringLiteral("Content.db"), QByteArray()); // empty: announced as missing
        auto dlg = openBrowser();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("问题"));
        QCOMPARE(dlg->pos(), QPoint(0, 0));
        QVERIFY(dlg->isVisible());
        CTabSheet *tabs = dlg->m_tabSheet;
        QCOMPARE(tabs->count(), 4);
        const QStringList titles = {tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3)};
        QCOMPARE(titles, (QStringList{QStringLiteral("选择课目"), QStringLiteral("选择课时"),
                                      QStringLiteral("本课知识点"), QStringLiteral("选择问题")}));
        QCOMPARE(tabs->widget(2), dlg->m_pageZhishidian);
        QCOMPARE(tabs->widget(3), dlg->m_pageWenti);
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(dlg->m_pageKemu->m_listKemu->isVisible());
        // A new database: its Kemu is empty.
        QCOMPARE(prompt.texts(),
                 (QStringList{QStringLiteral("没有找到 Content.db，现在新建一个空的 Content.db。\n文件：%1")
                                  .arg(QDir::toNativeSeparators(m_folder->file(QStringLiteral("Content.db")))),
                              QStringLiteral("数据库为空"), QStringLiteral("请先选择课目")}));
        QCOMPARE(theApp().m_nKemuID, -1);
        QVERIFY(theApp().m_pConnection && theApp().m_pConnection->isOpen());
        QCOMPARE(dlg->m_pageKemu->m_pConnection, theApp().m_pConnection);
        QCOMPARE(dlg->m_pageWenti->m_pConnection, theApp().m_pConnection);
        QCOMPARE(theApp().m_pZhishidianPage, dlg->m_pageZhishidian);
        QCOMPARE(theApp().m_pWentiDlg, dlg->m_pageWenti);
        QCOMPARE(dlg->m_pageZhishidian->m_nLoadCount, 1);
        QCOMPARE(dlg->m_pageWenti->m_nLoadCount, 1);

        // Without a subject a change of tab leaves the lessons page as it is; the points and
        // questions pages load, empty, without a word.
        tabs->setCurrentIndex(1);
        tabs->setCurrentIndex(2);
        tabs->setCurrentIndex(3);
        QCOMPARE(dlg->m_pageKeshi->m_nLoadCount, 1);
        QCOMPARE(dlg->m_pageZhishidian->m_nLoadCount, 2);
        QCOMPARE(dlg->m_pageWenti->m_nLoadCount, 2);
        QCOMPARE(prompt.shown.size(), 3);

        // Closed, it is hidden; shown again as it was, where it was, on its tab, nothing loaded.
        // Where the window system put it on a desktop, rather than a move of the program's own:
        // a dialog is then centred over its owner at each showing unless told otherwise.
        dlg->resize(600, 400);
        dlg->close();
        dlg->setAttribute(Qt::WA_Moved, false);
        dlg->ShowAgain();
        QCOMPARE(dlg->pos(), QPoint(0, 0));
        dlg->move(40, 30);
        dlg->close();
        QVERIFY(!dlg->isVisible());
        prompt.clear();
        dlg->ShowAgain();
        QVERIFY(dlg->isVisible());
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        dlg->ShowAgain();
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->pos(), QPoint(40, 30));
        QCOMPARE(tabs->currentIndex(), 3);
        QCOMPARE(dlg->m_pageKemu->m_nLoadCount, 1);
        QCOMPARE(dlg->m_pageKeshi->m_nLoadCount, 1);
        QCOMPARE(prompt.shown.size(), 0);

        // The program's exit closes the connection.
        const DatabaseConnection connection = theApp().m_pConnection;
        dlg.reset();
        QVERIFY(connection->isOpen());
        theApp().ExitInstance();
        QVERIFY(!connection->isOpen());
    }

    void lessonsFollowTheSubjectWhicheverTabComesFirst()
    {
        {
            ContentDatabase::open(theApp().m_pConnection);
            const ContentStore s = store();
            s.addSubject(QStringLiteral("语文"));
            s.addSubject(QStringLiteral("数学"));
            for (int n : {1, 2})
                s.addLesson(1, n, QStringLiteral("语文%1").arg(n));
            for (int n : {1, 2, 3})
                s.addLesson(2, n, QStringLiteral("数学%1").arg(n));
            s.addPoint(1, {0, 2, 1, QStringLiteral("语文2的点"), false, false});
        }
        ScriptedPrompt prompt;
        auto dlg = openBrowser();
        QCOMPARE(prompt.shown.size(), 0);
        // The highest subject and its last lesson are current, their rows selected.
        QCOMPARE(theApp().m_nKemuID, 2);
        QCOMPARE(theApp().m_nKeshiID, 3);
        QVERIFY(dlg->m_pageKemu->m_listKemu->IsItemSelected(1));
        QVERIFY(dlg->m_pageKeshi->m_listKeshi->IsItemSelected(2));
        CTabSheet *tabs = dlg->m_tabSheet;
        CKeshiPage *lessons = dlg->m_pageKeshi;
        QCOMPARE(lessons->m_nLoadCount, 1);

        tabs->setCurrentIndex(1);
        QCOMPARE(lessons->m_nLoadCount, 1);
        tabs->setCurrentIndex(2);
        tabs->setCurrentIndex(3);
        QCOMPARE(dlg->m_pageZhishidian->m_nLoadCount, 2);
        QCOMPARE(dlg->m_pageWenti->m_nLoadCount, 2);

        // Another subject, then the knowledge points first: the lessons page follows the
        // subject before the points load, so the current lesson is one of subject 1.
        tabs->setCurrentIndex(0);
        theApp().m_nZhishidianID = 4;
        clickRow(dlg->m_pageKemu->m_listKemu, 0);
        QCOMPARE(theApp().m_nKemuID, 1);
        QCOMPARE(theApp().m_nKeshiID, -1);
        QCOMPARE(theApp().m_nZhishidianID, -1);
        tabs->setCurrentIndex(2);
        QCOMPARE(lessons->m_nLoadCount, 2);
        QCOMPARE(theApp().m_nKeshiID, 2);
        QCOMPARE(column(lessons->m_listKeshi, 1), (QStringList{QStringLiteral("语文1"), QStringLiteral("语文2")}));
        QCOMPARE(dlg->m_pageZhishidian->m_nLoadCount, 3);
        tabs->setCurrentIndex(1);
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(1);
        QCOMPARE(lessons->m_nLoadCount, 2);

        // Another subject and back before the next change of tab: the lessons page still lists
        // subject 1's lessons, but the lesson went with the subject, so the page loads again and
        // the points are those of a lesson the page shows selected.
        tabs->setCurrentIndex(0);
        clickRow(dlg->m_pageKemu->m_listKemu, 1);
        clickRow(dlg->m_pageKemu->m_listKemu, 0);
        tabs->setCurrentIndex(2);
        QCOMPARE(lessons->m_nLoadCount, 3);
        QCOMPARE(theApp().m_nKeshiID, 2);
        QVERIFY(lessons->m_listKeshi->IsItemSelected(1));
        QCOMPARE(column(dlg->m_pageZhishidian->m_listZhishidian, 1), QStringList{QStringLiteral("语文2的点")});

        // Straight to the lessons tab after a change reloads it too.
        tabs->setCurrentIndex(0);
        clickRow(dlg->m_pageKemu->m_listKemu, 1);
        tabs->setCurrentIndex(1);
        QCOMPARE(lessons->m_nLoadCount, 4);
        QCOMPARE(theApp().m_nKeshiID, 3);
        clickRow(lessons->m_listKeshi, 0);
        QCOMPARE(theApp().m_nKeshiID, 1);
        // A click below the rows takes the last one.
        QTest::mouseClick(lessons->m_listKeshi->viewport(), Qt::LeftButton, {},
                          QPoint(20, lessons->m_listKeshi->viewport()->height() - 3));
        QCOMPARE(theApp().m_nKeshiID, 3);
        QVERIFY(lessons->m_listKeshi->IsItemSelected(2));
        // A double-click arrives as a press, a release, the double-click and a release.
        clickRow(lessons->m_listKeshi, 0);
        QWidget *viewport = lessons->m_listKeshi->viewport();
        const QPoint below(20, viewport->height() - 3);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, below);
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, below, viewport->mapToGlobal(below), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &doubleClick);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
        QCOMPARE(theApp().m_nKeshiID, 3);
        QVERIFY(lessons->m_listKeshi->IsItemSelected(2) && !lessons->m_listKeshi->IsItemSelected(0));
        QCOMPARE(prompt.shown.size(), 0);

        // A load that failed is tried again by the next change to the tab, and before "增加课时"
        // proposes a number.
        auto failLoad = [&] {
            theApp().m_pConnection->exec(QStringLiteral("ALTER TABLE Keshi2 RENAME TO Keshi2x"));
            lessons->LoadKeshiList();
            theApp().m_pConnection->exec(QStringLiteral("ALTER TABLE Keshi2x RENAME TO Keshi2"));
            QCOMPARE(lessons->m_listKeshi->GetItemCount(), 0);
        };
        failLoad();
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(1);
        QCOMPARE(column(lessons->m_listKeshi, 0),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(theApp().m_nKeshiID, 3);
        failLoad();
        QString proposed;
        TestSupport::whenModal([&](QWidget *form) {
            proposed = form->findChild<QLineEdit *>(QStringLiteral("edit1000"))->text();
            TestSupport::clickButton(form, 2);
        });
        lessons->OnBnClickedAdd();
        QCOMPARE(proposed, QStringLiteral("4"));
        QCOMPARE(prompt.shown.size(), 2);
        QCOMPARE(prompt.shown.at(1).caption, QStringLiteral("更新数据失败！"));
    }

    void subjectsAreAddedRenamedAndDeleted()
    {
        ScriptedPrompt prompt;
        auto dlg = openBrowser();
        CKemuPage *page = dlg->m_pageKemu;
        CListCtrlCl *list = page->m_listKemu;
        QCOMPARE(list->m_Header.m_arrTitles, (QStringList{QStringLiteral("课目"), QStringLiteral("ID")}));
        QCOMPARE(list->GetColumnWidth(1), 0);
        QCOMPARE(*list->ColumnBackColor(0), QColor(10, 150, 20));
        QCOMPARE(list->GetBkColor(), QColor(50, 10, 10));
        QCOMPARE(list->m_crText, QColor(0, 255, 255));
        QCOMPARE(list->m_nRowHeight, 25);
        QCOMPARE(list->m_Header.m_crText, QColor(255, 200, 100));
        prompt.clear();

        answerDialog({}, QStringLiteral("语文"));
        page->OnBnClickedAdd();
        answerDialog({}, QStringLiteral("不要"), 2);
        page->OnBnClickedAdd();
        answerDialog({}, QStringLiteral("数学"));
        page->OnBnClickedAdd();
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("语文"), QStringLiteral("数学")}));
        QCOMPARE(column(list, 1), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(theApp().m_nKemuID, 2);
        QVERIFY(list->IsItemSelected(1) && !list->IsItemSelected(0));
        QVERIFY(theApp().m_pConnection->hasTable(QStringLiteral("Wenti2")));
        QCOMPARE(prompt.shown.size(), 0);

        list->clearSelection();
        page->OnBnClickedEdit();
        page->OnBnClickedDelete();
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("请选择要编辑的条目！"), QStringLiteral("请选择要删除的课目！")}));
        prompt.clear();

        // The dialog shows the name; the row's ID, not its text, names the subject.
        list->SetItemSelected(0, true);
        list->SetItemText(0, 1, QStringLiteral("2"));
        QString shownName;
        TestSupport::whenModal([&](QWidget *form) {
            auto edit = form->findChild<QLineEdit *>(QStringLiteral("edit1000"));
            shownName = edit->text();
            edit->setText(QStringLiteral("国文"));
            TestSupport::clickButton(form, 1);
        });
        page->OnBnClickedEdit();
        QCOMPARE(shownName, QStringLiteral("语文"));
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("国文"), QStringLiteral("数学")}));

        // A subject deleted meanwhile: the rename says so under its caption, and the list then
        // shows what is left to choose from.
        store().deleteSubject(1);
        list->SetItemSelected(0, true);
        answerDialog({}, QStringLiteral("x"));
        page->OnBnClickedEdit();
        QCOMPARE(prompt.lastText(), QStringLiteral("这一项已不在 Content.db 中，可能已被另一个程序删除，"
                                                   "本次操作没有改动任何数据。请在列表中重新选择。"));
        QCOMPARE(prompt.shown.last().caption, QStringLiteral("编辑数据失败"));
        QCOMPARE(column(list, 0), QStringList{QStringLiteral("数学")});
        prompt.clear();

        // Refused while it has a lesson, then deleted; the last one leaves no subject.
        store().addLesson(2, 1, QStringLiteral("一"));
        list->SetItemSelected(0, true);
        page->OnBnClickedDelete();
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("请先删除Keshi2中的课时")});
        store().deleteLesson(2, 1);
        page->OnBnClickedDelete();
        QCOMPARE(list->GetItemCount(), 0);
        QCOMPARE(prompt.lastText(), QStringLiteral("数据库为空"));
        QCOMPARE(theApp().m_nKemuID, -1);
        QVERIFY(!theApp().m_pConnection->hasTable(QStringLiteral("Keshi2")));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(theApp().m_nKemuID, -1);

        // A load that fails leaves no subject current, not subject 0.
        prompt.clear();
        theApp().m_pConnection->exec(QStringLiteral("DROP TABLE Kemu"));
        page->LoadKemuList();
        QCOMPARE(prompt.shown.size(), 1);
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("更新数据失败！"));
        QVERIFY(prompt.lastText().contains(QLatin1String("Kemu")));
        QCOMPARE(theApp().m_nKemuID, -1);
    }

    void lessonsAreAddedEditedAndDeleted()
    {
        ContentDatabase::open(theApp().m_pConnection);
        store().addSubject(QStringLiteral("语文"));
        ScriptedPrompt prompt;
        auto dlg = openBrowser();
        CKeshiPage *page = dlg->m_pageKeshi;
        CListCtrlCl *list = page->m_listKeshi;
        QCOMPARE(list->m_Header.m_arrTitles, (QStringList{QStringLiteral("课时"), QStringLiteral("题目")}));
        QCOMPARE(list->GetColumnWidth(0), 50);
        QCOMPARE(theApp().m_nKeshiID, -1);
        QCOMPARE(prompt.shown.size(), 0);

        // The first lesson is proposed as 1; an empty title gets the default.
        QString proposed;
        TestSupport::whenModal([&](QWidget *form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("增加课时"));
            proposed = form->findChild<QLineEdit *>(QStringLiteral("edit1000"))->text();
            TestSupport::clickButton(form, 1);
        });
        page->OnBnClickedAdd();
        QCOMPARE(proposed, QStringLiteral("1"));
        answerDialog(QStringLiteral("2"), QStringLiteral("他说\"好\""));
        page->OnBnClickedAdd();
        answerDialog(QStringLiteral("3"), QStringLiteral("第三\n下"));
        page->OnBnClickedAdd();
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(column(list, 1), (QStringList{QStringLiteral("第1课的题目"), QStringLiteral("他说\"好\""),
                                                QStringLiteral("第三\n下")}));
        QCOMPARE(theApp().m_nKeshiID, 3);
        QVERIFY(list->IsItemSelected(2));

        // 4 is proposed; 101 is refused by the dialog, 2 exists already: the dialog stays with
        // the title typed, for another number.
        bool keptOpen = false;
        TestSupport::whenModal([&](QWidget *form) {
            auto number = form->findChild<QLineEdit *>(QStringLiteral("edit1000"));
            proposed = number->text();
            number->setText(QStringLiteral("101"));
            TestSupport::clickButton(form, 1);
            QVERIFY(form->isVisible());
            number->setText(QStringLiteral("2"));
            form->findChild<QPlainTextEdit *>(QStringLiteral("edit1001"))->setPlainText(QStringLiteral("第四"));
            TestSupport::clickButton(form, 1);
            keptOpen = form->isVisible();
            TestSupport::clickButton(form, 2);
        });
        page->OnBnClickedAdd();
        QCOMPARE(proposed, QStringLiteral("4"));
        QVERIFY(keptOpen);
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("Enter an integer between 1 and 100."),
                                              QStringLiteral("添加课时重复")}));
        QCOMPARE(list->GetItemCount(), 3);
        prompt.clear();
        // Any other failure shows the driver's text.
        answerDialog(QStringLiteral("4"), QString(101, u'长'), 1, &keptOpen);
        page->OnBnClickedAdd();
        QVERIFY(keptOpen);
        QCOMPARE(prompt.shown.size(), 1);
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("添加数据失败"));
        QVERIFY(prompt.lastText().contains(QLatin1String("CHECK")));
        prompt.clear();

        // Editing lesson 2 and typing 7 changes only its title; 取消 changes nothing.
        list->SetItemSelected(1, true);
        answerDialog(QStringLiteral("7"), QStringLiteral("新题目"));
        page->OnBnClickedEdit();
        list->clearSelection();
        list->SetItemSelected(0, true);
        answerDialog(QStringLiteral("1"), QStringLiteral("不要"), 2);
        page->OnBnClickedEdit();
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(column(list, 1), (QStringList{QStringLiteral("第1课的题目"), QStringLiteral("新题目"),
                                                QStringLiteral("第三\n下")}));
        QCOMPARE(prompt.shown.size(), 0);

        // A lesson with a knowledge point stays; one without goes at once.
        store().addPoint(1, {0, 2, 1, QStringLiteral("点"), false, false});
        list->clearSelection();
        list->SetItemSelected(1, true);
        page->OnBnClickedDelete();
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("请先删除此课时的知识点")});
        list->clearSelection();
        list->SetItemSelected(2, true);
        page->OnBnClickedDelete();
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(theApp().m_nKeshiID, 2);

        // A lesson deleted meanwhile.
        prompt.clear();
        store().deleteLesson(1, 1);
        list->SetItemSelected(0, true);
        answerDialog(QStringLiteral("1"), QStringLiteral("x"));
        page->OnBnClickedEdit();
        QCOMPARE(prompt.lastText(), ContentStore::rowGoneText());
        QCOMPARE(prompt.shown.last().caption, QStringLiteral("编辑数据失败"));

        // Without a subject every button and the load say so.
        prompt.clear();
        theApp().m_nKemuID = -1;
        page->LoadKeshiList();
        page->OnBnClickedAdd();
        page->OnBnClickedEdit();
        page->OnBnClickedDelete();
        QCOMPARE(prompt.texts(), QStringList(4, QStringLiteral("请先选择课目")));
        QCOMPARE(list->GetItemCount(), 0);
    }

    void subjectsAndLessonsStoredWhileTheFileIsHeldKeepWhatWasTyped()
    {
        ContentDatabase::open(theApp().m_pConnection);
        store().addSubject(QStringLiteral("语文"));
        store().addLesson(1, 1, QStringLiteral("第一课"));
        ScriptedPrompt prompt;
        auto dlg = openBrowser();
        const QString held = TestSupport::HeldFile::message(QStringLiteral("Content.db"));
        // "确定" while another program holds the file: said once, the dialog stays with what was
        // typed; once the file is free, the same "确定" stores it.
        QStringList seen;
        auto typeWhileHeld = [&](const QString &number, const QString &text) {
            const QString path = m_folder->file(QStringLiteral("Content.db"));
            auto holder = std::make_shared<TestSupport::HeldFile>(path);
            TestSupport::whenModal([&, holder, number, text](QWidget *dialog) {
                auto title = dialog->findChild<QPlainTextEdit *>(QStringLiteral("edit1001"));
                auto first = dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"));
                if (title) {
                    first->setText(number);
                    title->setPlainText(text);
                } else {
                    first->setText(text);
                }
                TestSupport::clickButton(dialog, 1);
                const QString kept = title ? title->toPlainText() : first->text();
                seen << QStringLiteral("%1 %2").arg(dialog->isVisible()).arg(kept);
                holder->release();
                TestSupport::clickButton(dialog, 1);
            });
        };
        const QString title = QStringLiteral("分数的意义\n第二行");
        typeWhileHeld(QStringLiteral("2"), title);
        dlg->m_pageKeshi->OnBnClickedAdd();
        dlg->m_pageKeshi->m_listKeshi->clearSelection();
        dlg->m_pageKeshi->m_listKeshi->SetItemSelected(0, true);
        typeWhileHeld(QStringLiteral("1"), QStringLiteral("第一课改"));
        dlg->m_pageKeshi->OnBnClickedEdit();
        typeWhileHeld({}, QStringLiteral("数学"));
        dlg->m_pageKemu->OnBnClickedAdd();
        typeWhileHeld({}, QStringLiteral("算术"));
        dlg->m_pageKemu->OnBnClickedEdit();
        QCOMPARE(seen, (QStringList{QStringLiteral("1 ") + title, QStringLiteral("1 第一课改"),
                                    QStringLiteral("1 数学"), QStringLiteral("1 算术")}));
        QCOMPARE(prompt.texts(), QStringList(4, held));
        QCOMPARE(TestSupport::rows(*theApp().m_pConnection, QStringLiteral("SELECT 课时,题目 FROM Keshi1")),
                 (QStringList{QStringLiteral("1|第一课改"), QStringLiteral("2|") + title}));
        QCOMPARE(TestSupport::rows(*theApp().m_pConnection, QStringLiteral("SELECT ID,课目 FROM Kemu")),
                 (QStringList{QStringLiteral("1|语文"), QStringLiteral("2|算术")}));
        QCOMPARE(column(dlg->m_pageKemu->m_listKemu, 0),
                 (QStringList{QStringLiteral("语文"), QStringLiteral("算术")}));
    }

    void aListOfAnotherSubjectIsLoadedAgainBeforeThePageActs()
    {
        {
            ContentDatabase::open(theApp().m_pConnection);
            const ContentStore s = store();
            s.addSubject(QStringLiteral("语文"));
            s.addSubject(QStringLiteral("数学"));
            s.addLesson(1, 1, QStringLiteral("第一课"));
            s.addPoint(1, {0, 1, 1, QStringLiteral("语文的点"), false, false});
        }
        ScriptedPrompt prompt;
        auto dlg = openBrowser();
        CTabSheet *tabs = dlg->m_tabSheet;
        CKeshiZhishidianPage *points = dlg->m_pageZhishidian;
        clickRow(dlg->m_pageKemu->m_listKemu, 0);
        tabs->setCurrentIndex(2);
        QCOMPARE(column(points->m_listZhishidian, 1), QStringList{QStringLiteral("语文的点")});
        const QString pointsOfBoth = QStringLiteral("SELECT (SELECT count(*) FROM Zhishidian1)||'+'||"
                                                    "(SELECT count(*) FROM Zhishidian2)");

        // 数学, which has no lessons, chosen while the page still lists 语文's points: "增加"
        // says there is no lesson and opens nothing.
        tabs->setCurrentIndex(0);
        clickRow(dlg->m_pageKemu->m_listKemu, 1);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (QWidget *entry = QApplication::activeModalWidget()) {
                opened = true;
                TestSupport::clickButton(entry, 1);
            }
        });
        points->findChild<QPushButton *>(QStringLiteral("button1003"))->click();
        QCoreApplication::processEvents();
        QVERIFY(!opened);
        QCOMPARE(points->m_listZhishidian->GetItemCount(), 0);
        tabs->setCurrentIndex(2);
        points->OnBnClickedAdd();
        points->OnBnClickedAddWenti();
        QCOMPARE(TestSupport::rows(*theApp().m_pConnection, pointsOfBoth), QStringList{QStringLiteral("1+0")});
        QCOMPARE(prompt.texts(), QStringList(3, QStringLiteral("请先在“选择课时”中选择课时")));

        // With no subject current (the subjects failed to load), the points and questions tabs
        // show nothing of 语文.
        store().addQuestion(1, 1, 1, QStringLiteral("语文的问"), QStringLiteral("答"));
        tabs->setCurrentIndex(0);
        clickRow(dlg->m_pageKemu->m_listKemu, 0);
        tabs->setCurrentIndex(2);
        clickRow(points->m_listZhishidian, 0);
        tabs->setCurrentIndex(3);
        QCOMPARE(dlg->m_pageWenti->m_listWenti->GetItemCount(), 1);
        tabs->setCurrentIndex(0);
        theApp().m_pConnection->exec(QStringLiteral("ALTER TABLE Kemu RENAME TO Kemu0"));
        dlg->m_pageKemu->LoadKemuList();
        QCOMPARE(theApp().m_nKemuID, -1);
        tabs->setCurrentIndex(2);
        QCOMPARE(points->m_listZhishidian->GetItemCount(), 0);
        tabs->setCurrentIndex(3);
        QCOMPARE(dlg->m_pageWenti->m_listWenti->GetItemCount(), 0);
        QCOMPARE(prompt.shown.size(), 4);
    }

    void aFailedOpeningIsShownAndTriedAgain()
    {
        ScriptedPrompt prompt;
        QVERIFY(QDir().mkpath(m_folder->file(QStringLiteral("Content.db"))));
        auto dlg = openBrowser();
        QVERIFY(!theApp().m_pConnection);
        // Said once: the pages, empty, say nothing of their own.
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY(prompt.shown.at(0).text.startsWith(QStringLiteral("Content.db 路径可能不正确 或已经打开 或 ")));
        QCOMPARE(dlg->m_tabSheet->count(), 4);

        dlg->close();
        QVERIFY(QDir(m_folder->file(QStringLiteral("Content.db"))).removeRecursively());
        ContentDatabase::open(theApp().m_pConnection);
        store().addSubject(QStringLiteral("语文"));
        theApp().m_pConnection.reset();
        prompt.clear();
        dlg->ShowAgain();
        QCOMPARE(prompt.shown.size(), 0);
        QVERIFY(theApp().m_pConnection);
        QCOMPARE(dlg->m_pageKeshi->m_pConnection, theApp().m_pConnection);
        QCOMPARE(column(dlg->m_pageKemu->m_listKemu, 0), QStringList{QStringLiteral("语文")});
        QCOMPARE(theApp().m_nKemuID, 1);
        QCOMPARE(dlg->m_pageKeshi->m_nLoadedKemuID, 1);
    }

    void aBrowserOpenedWhileTheFileWasHeldReadsAgainOnceItIsFree()
    {
        ContentDatabase::open(theApp().m_pConnection);
        store().addSubject(QStringLiteral("语文"));
        store().addLesson(1, 1, QStringLiteral("第一课"));
        theApp().m_pConnection.reset();
        ScriptedPrompt prompt;
        TestSupport::HeldFile holder(m_folder->file(QStringLiteral("Content.db")));
        const QString held = TestSupport::HeldFile::message(QStringLiteral("Content.db"));
        auto dlg = openBrowser();
        QCOMPARE(prompt.texts(), QStringList{held});

        // Still held: each change of tab, and "增加课目", tries again and says so once.
        prompt.clear();
        dlg->m_tabSheet->setCurrentIndex(1);
        QCOMPARE(prompt.texts(), QStringList{held});
        dlg->m_tabSheet->setCurrentIndex(0);
        prompt.clear();
        dlg->m_pageKemu->OnBnClickedAdd();
        QCOMPARE(prompt.texts(), QStringList{held});

        // Free again: the next change of tab reads the file.
        holder.release();
        prompt.clear();
        dlg->m_tabSheet->setCurrentIndex(1);
        QCOMPARE(prompt.texts(), QStringList());
        QCOMPARE(column(dlg->m_pageKemu->m_listKemu, 0), QStringList{QStringLiteral("语文")});
        QCOMPARE(column(dlg->m_pageKeshi->m_listKeshi, 1), QStringList{QStringLiteral("第一课")});
        QCOMPARE(theApp().m_pConnection, dlg->m_pageKeshi->m_pConnection);
    }

    void aFileReplacedMeanwhileIsTakenUpWhenTheBrowserIsShownAgain()
    {
        ContentDatabase::open(theApp().m_pConnection);
        store().addSubject(QStringLiteral("语文"));
        ScriptedPrompt prompt;
        auto dlg = openBrowser();
        dlg->close();
        // Another Content.db put in place of the open one.
        const QString path = m_folder->file(QStringLiteral("Content.db"));
        {
            Database other(QStringLiteral("other"));
            other.open(path + QStringLiteral(".new"));
            ContentStore(other).ensureSchema();
            ContentStore(other).addSubject(QStringLiteral("数学"));
        }
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(path + QStringLiteral(".new"), path));
        dlg->ShowAgain();
        QCOMPARE(prompt.texts(), QStringList());
        QCOMPARE(column(dlg->m_pageKemu->m_listKemu, 0), QStringList{QStringLiteral("数学")});
        QCOMPARE(dlg->m_pageKeshi->m_pConnection, theApp().m_pConnection);
    }

    void aFileThatOpensButCannotBeReadIsTriedAgain()
    {
        // SQLite opens any file; the first statement finds it is no database.
        ScriptedPrompt prompt;
        m_folder->writeFile(QStringLiteral("Content.db"), QByteArray(4096, 'x'));
        auto dlg = openBrowser();
        QVERIFY(!theApp().m_pConnection);
        QCOMPARE(prompt.shown.at(0).text,
                 QStringLiteral("Content.db 已损坏或不是数据库文件，本次操作没有改动任何数据。请关闭程序，用备份的 Content.db 替换它。\nfile is not a database"));
        dlg->close();

        QVERIFY(QFile::remove(m_folder->file(QStringLiteral("Content.db"))));
        prompt.clear();
        dlg->ShowAgain();
        // Opened now: a new, empty database, as on a first start.
        QCOMPARE(prompt.texts(),
                 (QStringList{QStringLiteral("没有找到 Content.db，现在新建一个空的 Content.db。\n文件：%1")
                                  .arg(QDir::toNativeSeparators(m_folder->file(QStringLiteral("Content.db")))),
                              QStringLiteral("数据库为空"), QStringLiteral("请先选择课目")}));
        QVERIFY(theApp().m_pConnection);
        QCOMPARE(dlg->m_pageKemu->m_pConnection, theApp().m_pConnection);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestQuestionDlg)
#include "tst_questiondlg.moc"
