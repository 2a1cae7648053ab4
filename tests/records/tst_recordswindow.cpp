#include "DatabaseRows.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "controls/CListCtrlEx.h"
#include "controls/CTabSheet.h"
#include "records/CStuBanjiPage.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/CStudentPellorScorePage.h"
#include "records/core/StudentDatabase.h"
#include "records/core/StudentStore.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

#include <cstdio>

class TestRecordsWindow : public QObject
{
    Q_OBJECT

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_folder;
    int m_groupA = 0;   // 2020 / 1班, semesters A1 and A2
    int m_groupB = 0;   // 2021 / 2班, semester B1
    int m_semesterA2 = 0;

    StudentStore store() const { return StudentStore(*theApp().m_pStudentConnection); }

    QPoint rowCentre(CListCtrlEx *list, int row) const
    {
        return list->visualRect(list->model()->index(row, 2)).center();
    }

private slots:
    void init()
    {
        theApp().m_pStudentConnection.reset();
        m_folder = std::make_unique<TempProgramFolder>();
        QVERIFY(StudentDatabase::open(theApp().m_pStudentConnection).failure.isEmpty());
        const StudentStore s = store();
        m_groupA = s.importGroup({2020, QStringLiteral("1班"), QStringLiteral("A1")},
                                 {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}, QStringLiteral("男"))
                       .groupId;
        for (int n : {4, 5}) {
            StudentRecord student;
            student.number = n;
            student.name = QStringLiteral("学生%1").arg(n);
            s.AddStudentRecord(m_groupA, student); // no gender: counted with the girls
        }
        m_semesterA2 = s.addSemester({2020, QStringLiteral("1班"), QStringLiteral("A2")}, m_groupA).classId;
        m_groupB = s.importGroup({2021, QStringLiteral("2班"), QStringLiteral("B1")}, {QStringLiteral("丁")}, {}).groupId;
    }

    void cleanup()
    {
        theApp().m_pStudentConnection.reset();
        m_folder.reset();
    }

    void opensOnTheLastRowAndClicksSetTheFlags()
    {
        ScriptedPrompt prompt;
        CStudentInfoDlg dlg;
        dlg.show();
        CListCtrlEx *list = dlg.m_pageBanji->m_listGroups;
        QCOMPARE(list->GetItemCount(), 3);
        // Ordered by year, group and ID; the last row is current and selected.
        QCOMPARE(list->GetItemText(1, 3), QStringLiteral("A2"));
        QCOMPARE(dlg.m_nClassID, m_groupB);
        QCOMPARE(dlg.m_nGroupID, m_groupB);
        QVERIFY(list->IsItemSelected(2));

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
        QCOMPARE(dlg.m_nGroupID, m_groupA);
        QCOMPARE(dlg.m_nClassID, m_groupA);
        QVERIFY(dlg.m_bGroupChanged && dlg.m_bClassChanged);
        QCOMPARE(dlg.m_pageBanji->m_strInfo,
                 QStringLiteral("本班共有：5个学生\r\n其中男生：3 \r\n        女生：2 \r\n"));
        QVERIFY(dlg.m_pageBanji->findChild<QPlainTextEdit *>(QStringLiteral("edit1000"))
                    ->toPlainText().startsWith(QStringLiteral("本班共有：5个学生\n")));

        dlg.m_bGroupChanged = dlg.m_bClassChanged = false;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
        QCOMPARE(dlg.m_nClassID, m_semesterA2);
        QVERIFY(!dlg.m_bGroupChanged);
        QVERIFY(dlg.m_bClassChanged);

        // A click below the rows takes the last row.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(40, list->viewport()->height() - 3));
        QCOMPARE(dlg.m_nClassID, m_groupB);
        QVERIFY(dlg.m_bGroupChanged);
        QVERIFY(list->IsItemSelected(2));
        QCOMPARE(prompt.shown.size(), 0);
    }

    void aTickTheFileRefusedIsNotShown()
    {
        ScriptedPrompt prompt;
        CStudentInfoDlg dlg;
        dlg.show();
        CListCtrlEx *list = dlg.m_pageBanji->m_listGroups;
        auto ticks = [&] {
            QList<bool> out;
            for (int row = 0; row < list->GetItemCount(); ++row)
                out << list->IsRowChecked(row);
            return out;
        };
        QCOMPARE(ticks(), (QList<bool>{false, false, false}));
        // The file takes no change of a tick (another program's lock, a read-only folder).
        theApp().m_pStudentConnection->exec(
            QStringLiteral("CREATE TRIGGER refused BEFORE UPDATE ON ClassInfo BEGIN SELECT RAISE(ABORT,'refused'); END"));

        // A click on a box: said, and the box shows what the file holds.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->CheckBoxRect(0).center());
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY2(prompt.lastText().contains(QStringLiteral("refused")), qPrintable(prompt.lastText()));
        QCOMPARE(ticks(), (QList<bool>{false, false, false}));

        // The header's check-all: said, and every box as it was.
        prompt.clear();
        list->OnCheckAll(1);
        QCOMPARE(prompt.shown.size(), 1);
        QCOMPARE(ticks(), (QList<bool>{false, false, false}));
        QCOMPARE(TestSupport::rows(*theApp().m_pStudentConnection, QStringLiteral("SELECT 点名 FROM ClassInfo")),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
    }

    void rowsActOnTheirOwnSemester()
    {
        ScriptedPrompt prompt;
        CStudentInfoDlg dlg;
        dlg.show();
        CListCtrlEx *list = dlg.m_pageBanji->m_listGroups;
        QCOMPARE(list->GetItemData(1), qint64(m_semesterA2));

        // A click beside the columns is a click on that row.
        list->SetColumnWidth(3, 40);
        const QRect lastCell = list->visualRect(list->model()->index(0, 3));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(lastCell.right() + 20, lastCell.center().y()));
        QCOMPARE(dlg.m_nClassID, m_groupA);
        QVERIFY(list->IsItemSelected(0));

        // Renamed to its twin's name, then deleted: only that row goes.
        auto editSelected = [&](int row, const QString &group, const QString &semester) {
            list->clearSelection();
            list->SetItemSelected(row, true);
            TestSupport::whenModal([group, semester](QWidget *form) {
                form->findChild<QLineEdit *>(QStringLiteral("edit1001"))->setText(group);
                form->findChild<QLineEdit *>(QStringLiteral("edit1002"))->setText(semester);
                form->findChild<QPushButton *>(QStringLiteral("button1"))->click();
            });
            dlg.m_pageBanji->OnBnClickedEdit();
        };
        editSelected(1, QStringLiteral("1班"), QStringLiteral("A1"));
        QCOMPARE(store().semester(m_semesterA2)->semester, std::optional<QString>(QStringLiteral("A1")));
        dlg.m_pageBanji->OnBnClickedDelete();
        QVERIFY(!store().semester(m_semesterA2));
        QVERIFY(store().semester(m_groupA));

        // A row with empty texts (written by another program) can still be deleted.
        store().updateSemester(m_groupB, {2021, QString(), QString()});
        dlg.m_pageBanji->RefreshGroupList();
        const int row = list->GetItemCount() - 1;
        QCOMPARE(list->GetItemText(row, 2), QString());
        list->clearSelection();
        list->SetItemSelected(row, true);
        dlg.m_pageBanji->OnBnClickedDelete();
        QVERIFY(!store().semester(m_groupB));
        QCOMPARE(list->GetItemCount(), 1);
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("删除会导致与之对应的成绩表不可用， 是否确定删除"),
                                              QStringLiteral("删除会导致与之对应的成绩表不可用， 是否确定删除")}));
    }

    void rosterReloadsOnlyWhenTheGroupChanged()
    {
        CStudentInfoDlg dlg;
        dlg.show();
        const int loads = dlg.m_pageRoster->m_nLoadCount;
        dlg.m_tabSheet->setCurrentIndex(1); // first showing always loads
        QCOMPARE(dlg.m_pageRoster->m_nLoadCount, loads + 1);
        dlg.m_tabSheet->setCurrentIndex(0);
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(dlg.m_pageRoster->m_nLoadCount, loads + 1);
        dlg.m_tabSheet->setCurrentIndex(0);
        dlg.m_pageBanji->OnNMClickList(0); // another group
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(dlg.m_pageRoster->m_nLoadCount, loads + 2);
        dlg.m_tabSheet->setCurrentIndex(0);
        dlg.m_pageBanji->OnNMClickList(1); // another semester of the same group: no reload
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(dlg.m_pageRoster->m_nLoadCount, loads + 2);
        const int scores = dlg.m_pageScore->m_nReloadCount;
        dlg.m_tabSheet->setCurrentIndex(2);
        dlg.m_tabSheet->setCurrentIndex(0);
        dlg.m_tabSheet->setCurrentIndex(2);
        QCOMPARE(dlg.m_pageScore->m_nReloadCount, scores + 2);
    }

    void deleteAsksFirst()
    {
        ScriptedPrompt prompt;
        CStudentInfoDlg dlg;
        CListCtrlEx *list = dlg.m_pageBanji->m_listGroups;
        list->clearSelection();
        prompt.answerNext(Prompt::Ok);
        dlg.m_pageBanji->OnBnClickedDelete();
        QCOMPARE(prompt.texts(), QStringList({QStringLiteral("删除会导致与之对应的成绩表不可用， 是否确定删除"),
                                              QStringLiteral("请选择要删除的内容，请谨慎选择，以免误删信息")}));
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("删除信息"));

        // Deleting the current semester makes the last row current; its tables stay.
        list->SetItemSelected(2, true);
        prompt.answerNext(Prompt::Ok);
        dlg.m_pageBanji->OnBnClickedDelete();
        QCOMPARE(list->GetItemCount(), 2);
        QCOMPARE(dlg.m_nClassID, m_semesterA2);
        QVERIFY(theApp().m_pStudentConnection->hasTable(StudentStore::scoreTable(m_groupB)));

        // Cancel deletes nothing.
        prompt.answerNext(Prompt::Cancel);
        list->SetItemSelected(0, true);
        dlg.m_pageBanji->OnBnClickedDelete();
        QCOMPARE(list->GetItemCount(), 2);
    }

    void deletingTheCurrentGroupShowsTheRosterOfTheGroupNowCurrent()
    {
        ScriptedPrompt prompt;
        CStudentInfoDlg dlg;
        dlg.show();
        dlg.m_tabSheet->setCurrentIndex(1);
        CListCtrlCl *roster = dlg.m_pageRoster->m_listStudents;
        QCOMPARE(roster->GetItemCount(), 1); // group B: 丁
        dlg.m_tabSheet->setCurrentIndex(0);

        // Group B's only semester goes: group A is current now, and the roster tab shows
        // its students, so that a student deleted there is the one the teacher sees.
        CListCtrlEx *list = dlg.m_pageBanji->m_listGroups;
        list->clearSelection();
        list->SetItemSelected(2, true);
        prompt.answerNext(Prompt::Ok);
        dlg.m_pageBanji->OnBnClickedDelete();
        QCOMPARE(dlg.m_nGroupID, m_groupA);
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(roster->GetItemCount(), 5);
        QCOMPARE(roster->GetItemText(0, 1), QStringLiteral("甲"));

        roster->SetItemSelected(4, true);
        prompt.answerNext(Prompt::Ok);
        dlg.m_pageRoster->OnBnClickedDeleteStudent();
        QCOMPARE(store().studentNumbers(m_groupA), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(store().studentNumbers(m_groupB), (QList<int>{1}));
    }

    void withEverySemesterDeletedNoGroupIsCurrent()
    {
        ScriptedPrompt prompt;
        CStudentInfoDlg dlg;
        dlg.show();
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(dlg.m_pageRoster->m_listStudents->GetItemCount(), 1);
        dlg.m_tabSheet->setCurrentIndex(0);
        CListCtrlEx *list = dlg.m_pageBanji->m_listGroups;
        dlg.m_pageBanji->OnNMClickList(0);
        QVERIFY(dlg.m_pageBanji->m_strInfo.startsWith(QStringLiteral("本班共有：5个学生")));
        while (list->GetItemCount() > 0) {
            list->clearSelection();
            list->SetItemSelected(0, true);
            prompt.answerNext(Prompt::Ok);
            dlg.m_pageBanji->OnBnClickedDelete();
        }
        QCOMPARE(dlg.m_nGroupID, 0);
        QCOMPARE(dlg.m_nClassID, 0);
        // No head count of a group the list no longer shows.
        QVERIFY(dlg.m_pageBanji->m_strInfo.isEmpty());
        QVERIFY(dlg.m_pageBanji->findChild<QPlainTextEdit *>(QStringLiteral("edit1000"))->toPlainText().isEmpty());
        const auto written = [&] {
            const Database &db = *theApp().m_pStudentConnection;
            return TestSupport::rows(db, QStringLiteral("SELECT name FROM sqlite_master ORDER BY name"))
                + TestSupport::rows(db, QStringLiteral("SELECT * FROM 小组表%1").arg(m_groupA))
                + TestSupport::rows(db, QStringLiteral("SELECT * FROM 课堂成绩表%1").arg(m_groupB));
        };
        const QStringList before = written();

        // The other tabs are empty, and their buttons say what to do first; nothing is written.
        prompt.clear();
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(dlg.m_pageRoster->m_listStudents->GetItemCount(), 0);
        for (int button : {CStuLianxi::IDC_ADD, CStuLianxi::IDC_EDIT, CStuLianxi::IDC_DELETE})
            dlg.m_pageRoster->findChild<QPushButton *>(QStringLiteral("button%1").arg(button))->click();
        dlg.m_tabSheet->setCurrentIndex(2);
        QCOMPARE(dlg.m_pageScore->m_listScores->GetItemCount(), 0);
        for (int button : {CStudentPellorScorePage::IDC_ROLL_CALL, CStudentPellorScorePage::IDC_EDIT})
            dlg.m_pageScore->findChild<QPushButton *>(QStringLiteral("button%1").arg(button))->click();
        QCOMPARE(prompt.texts(), QStringList(5, QStringLiteral("请先在“选择小组”中选择或导入一个小组")));
        QCOMPARE(written(), before);
    }

    void connectionIsOpenedOnceAndRetriedAfterAFailure()
    {
        ScriptedPrompt prompt;
        const DatabaseConnection published = theApp().m_pStudentConnection;
        {
            CStudentInfoDlg first;
            QCOMPARE(first.m_pConnection, published);
        }
        // Moved away meanwhile: the published connection is still used, without a word.
        {
            CStudentInfoDlg second;
            QCOMPARE(second.m_pConnection, published);
            QCOMPARE(prompt.shown.size(), 0);
        }

        theApp().m_pStudentConnection.reset();
        QFile::remove(m_folder->file(QStringLiteral("Student.db")));
        QVERIFY(QDir().mkpath(m_folder->file(QStringLiteral("Student.db")))); // cannot be opened
        {
            CStudentInfoDlg failed;
            QCOMPARE(prompt.shown.size(), 1); // the pages say nothing more
            QVERIFY(prompt.shown.first().text.startsWith(QStringLiteral("Student.db 路径可能不正确 或已经打开 或 ")));
            QVERIFY(!theApp().m_pStudentConnection);
            QCOMPARE(failed.m_pageBanji->m_listGroups->GetItemCount(), 0);
        }
        QVERIFY(QDir(m_folder->file(QStringLiteral("Student.db"))).removeRecursively());
        prompt.clear();
        {
            CStudentInfoDlg retried;
            QCOMPARE(prompt.texts(), QStringList{QStringLiteral("没有找到 Student.db，现在新建一个空的 Student.db。\n文件：%1")
                                                     .arg(QDir::toNativeSeparators(m_folder->file(QStringLiteral("Student.db"))))});
            QVERIFY(theApp().m_pStudentConnection);
            QCOMPARE(retried.m_pConnection, theApp().m_pStudentConnection);
        }
    }

    void aFileReplacedUnderTheWindowIsTakenUpOnItsNextOpening()
    {
        // Another Student.db, with one group of one student, put in place of the open one.
        const QString path = m_folder->file(QStringLiteral("Student.db"));
        const QString other = m_folder->file(QStringLiteral("other.db"));
        {
            Database db(QStringLiteral("other"));
            db.open(other);
            const StudentStore s(db);
            s.ensureSchema();
            s.importGroup({2030, QStringLiteral("9班"), QStringLiteral("新")}, {QStringLiteral("新生")}, {});
        }
        const QString replaced
            = QStringLiteral("Student.db 在程序运行期间被移动、替换或删除，本次操作没有改动任何数据。"
                             "请关闭这个窗口再重新打开，程序会使用现在的 Student.db。");
        ScriptedPrompt prompt;
        {
            CStudentInfoDlg dlg;
            dlg.show();
            QCOMPARE(dlg.m_pageBanji->m_listGroups->GetItemCount(), 3);
            QVERIFY(::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()) == 0);

            // The old file's students are not shown as if they were still there.
            dlg.m_tabSheet->setCurrentIndex(1);
            QCOMPARE(prompt.texts(), QStringList{replaced});
            QCOMPARE(dlg.m_pageRoster->m_listStudents->GetItemCount(), 0);
            // Every later statement of the window says the same.
            prompt.clear();
            dlg.m_tabSheet->setCurrentIndex(0);
            dlg.m_pageBanji->OnNMClickList(0);
            QCOMPARE(prompt.texts(), QStringList{replaced});
        }

        // The next window reads the file now in place, and writes into it.
        prompt.clear();
        CStudentInfoDlg dlg;
        QCOMPARE(prompt.texts(), QStringList());
        CListCtrlEx *list = dlg.m_pageBanji->m_listGroups;
        QCOMPARE(list->GetItemCount(), 1);
        QCOMPARE(list->GetItemText(0, 2), QStringLiteral("9班"));
        StudentRecord student;
        student.number = 2;
        student.name = QStringLiteral("插班生");
        QCOMPARE(store().AddStudentRecord(dlg.m_nGroupID, student).outcome, StudentChange::Outcome::Done);
        QCOMPARE(store().studentNumbers(dlg.m_nGroupID), (QList<int>{1, 2}));
    }

    void aWindowOpenedWhileTheFileWasHeldReadsAgainOnceItIsFree()
    {
        theApp().m_pStudentConnection.reset();
        ScriptedPrompt prompt;
        TestSupport::HeldFile holder(m_folder->file(QStringLiteral("Student.db")));
        const QString held = TestSupport::HeldFile::message(QStringLiteral("Student.db"));
        CStudentInfoDlg dlg;
        dlg.show();
        QCOMPARE(prompt.texts(), QStringList{held});
        QCOMPARE(dlg.m_pageBanji->m_listGroups->GetItemCount(), 0);

        // Still held: each change of tab, and "导入小组", tries again and says so once.
        prompt.clear();
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(prompt.texts(), QStringList{held});
        dlg.m_tabSheet->setCurrentIndex(0);
        prompt.clear();
        dlg.m_pageBanji->OnBnClickedImportGroup();
        QCOMPARE(prompt.texts(), QStringList{held});

        // Free again: the next change of tab reads the file.
        holder.release();
        prompt.clear();
        dlg.m_tabSheet->setCurrentIndex(2);
        QCOMPARE(prompt.texts(), QStringList());
        QCOMPARE(dlg.m_pageBanji->m_listGroups->GetItemCount(), 3);
        QCOMPARE(dlg.m_nClassID, m_groupB);
        QCOMPARE(dlg.m_pageScore->m_listScores->GetItemCount(), 1);
        QCOMPARE(theApp().m_pStudentConnection, dlg.m_pConnection);
        QCOMPARE(dlg.m_pageRoster->m_pConnection, dlg.m_pConnection);
    }

    void aWindowOpenedAgainWhileTheFileIsHeldReadsAgainOnceItIsFree()
    {
        // The connection is open from an earlier window; the file is held when this one opens.
        ScriptedPrompt prompt;
        TestSupport::HeldFile holder(m_folder->file(QStringLiteral("Student.db")));
        const QString held = TestSupport::HeldFile::message(QStringLiteral("Student.db"));
        CStudentInfoDlg dlg;
        dlg.show();
        QCOMPARE(dlg.m_pConnection, theApp().m_pStudentConnection);
        QCOMPARE(prompt.texts(), QStringList{held});
        QCOMPARE(dlg.m_pageBanji->m_listGroups->GetItemCount(), 0);

        // Still held: a change of tab tries again and says so once.
        prompt.clear();
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(prompt.texts(), QStringList{held});
        QCOMPARE(dlg.m_pageRoster->m_listStudents->GetItemCount(), 0);

        // Free again: the next change of tab lists the groups, and the roster of the last one.
        holder.release();
        prompt.clear();
        dlg.m_tabSheet->setCurrentIndex(0);
        QCOMPARE(prompt.texts(), QStringList());
        QCOMPARE(dlg.m_pageBanji->m_listGroups->GetItemCount(), 3);
        QCOMPARE(dlg.m_nGroupID, m_groupB);
        dlg.m_tabSheet->setCurrentIndex(1);
        QCOMPARE(dlg.m_pageRoster->m_listStudents->GetItemCount(), 1);
        QCOMPARE(prompt.texts(), QStringList());
    }

    void importSwitchesToTheRosterAndNewSemesterRefusesDuplicates()
    {
        ScriptedPrompt prompt;
        CStudentInfoDlg dlg;
        dlg.show();
        // A student of group B shown on the roster tab.
        StudentRecord shown = *store().student(m_groupB, 1);
        shown.note = QStringLiteral("毕业快乐");
        store().SaveStudentEdit(m_groupB, 1, shown, std::nullopt, false);
        dlg.m_tabSheet->setCurrentIndex(1);
        dlg.m_pageRoster->OnNMClickStudentList(0);
        QCOMPARE(dlg.m_pageRoster->m_strNote, QStringLiteral("毕业快乐"));
        dlg.m_tabSheet->setCurrentIndex(0);

        m_folder->writeFile(QStringLiteral("3班.txt"), QStringLiteral("子\n丑\n").toUtf8());
        prompt.fileNameNext(m_folder->file(QStringLiteral("3班.txt")));
        TestSupport::whenModal([](QWidget *form) {
            form->findChild<QLineEdit *>(QStringLiteral("edit1000"))->setText(QStringLiteral("2022"));
            form->findChild<QLineEdit *>(QStringLiteral("edit1001"))->setText(QStringLiteral("3班"));
            form->findChild<QLineEdit *>(QStringLiteral("edit1002"))->setText(QStringLiteral("C1"));
            form->findChild<QPushButton *>(QStringLiteral("button1003"))->click();
            form->findChild<QPushButton *>(QStringLiteral("button1"))->click();
        });
        const int loads = dlg.m_pageRoster->m_nLoadCount;
        dlg.m_pageBanji->OnBnClickedImportGroup();
        QCOMPARE(dlg.m_pageBanji->m_listGroups->GetItemCount(), 4);
        QCOMPARE(dlg.m_nGroupID, dlg.m_nClassID);
        QVERIFY(dlg.m_nGroupID > m_groupB);
        // The groups list marks the new group's row: the one its buttons act on.
        QCOMPARE(dlg.m_pageBanji->m_listGroups->GetNextSelectedItem(-1), 3);
        QCOMPARE(dlg.m_pageBanji->m_listGroups->GetNextSelectedItem(3), -1);
        QCOMPARE(dlg.m_tabSheet->GetCurSel(), 1);
        QCOMPARE(dlg.m_pageRoster->m_nLoadCount, loads + 1);
        // The new group's roster, with nothing of the group shown before.
        CListCtrlCl *roster = dlg.m_pageRoster->m_listStudents;
        QCOMPARE(roster->GetItemCount(), 2);
        QCOMPARE(roster->GetItemText(1, 1), QStringLiteral("丑"));
        QCOMPARE(dlg.m_pageRoster->m_nLastClickedItem, -1);
        QVERIFY(dlg.m_pageRoster->m_strNote.isEmpty());

        // A semester that exists for the row's year and group is refused.
        dlg.m_pageBanji->m_listGroups->clearSelection();
        dlg.m_pageBanji->m_listGroups->SetItemSelected(0, true);
        TestSupport::whenModal([](QWidget *form) {
            form->findChild<QLineEdit *>(QStringLiteral("edit1002"))->setText(QStringLiteral("A2"));
            form->findChild<QPushButton *>(QStringLiteral("button1"))->click();
        });
        dlg.m_pageBanji->OnBnClickedAddSemester();
        QCOMPARE(prompt.lastText(), QStringLiteral("已经存在此学期，新从新设计新学期的名字"));
        QCOMPARE(dlg.m_pageBanji->m_listGroups->GetItemCount(), 4);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestRecordsWindow)
#include "tst_recordswindow.moc"
