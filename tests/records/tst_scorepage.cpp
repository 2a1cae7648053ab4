#include "ListClicks.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "application/CPellorApp.h"
#include "application/SettingsFile.h"
#include "controls/CListCtrlCl.h"
#include "controls/CListCtrlEx.h"
#include "controls/CTabSheet.h"
#include "records/CStuBanjiPage.h"
#include "records/CStudentEditScoreDlg.h"
#include "records/CStudentInfoDlg.h"
#include "records/CStudentPellorScorePage.h"
#include "records/PhotoFrame.h"
#include "records/core/StudentDatabase.h"
#include "records/core/StudentStore.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <memory>

namespace {

QLineEdit *edit(QWidget *form, int id)
{
    return form->findChild<QLineEdit *>(QStringLiteral("edit%1").arg(id));
}

QByteArray bitmap(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void setDefaultWeights(CPellorApp &app)
{
    const float *w = CPellorApp::kDefaultWeights;
    app.m_fBasicScore = w[0];
    app.m_fMaxScore = w[1];
    app.m_fYouxiu = w[2];
    app.m_fLiangScore = w[3];
    app.m_fJiayouScore = w[4];
    app.m_fKuangkeScore = w[5];
}

} // namespace

class TestScorePage : public QObject
{
    Q_OBJECT

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<CStudentInfoDlg> m_dlg;
    CStudentPellorScorePage *m_page = nullptr;
    int m_group = 0;        // 2020 / 1班: semester 上 with counts, 下 copied without
    int m_copied = 0;       // 下
    int m_emptyGroup = 0;   // 2021 / 空班, listed last: current when the window opens

    StudentStore store() const { return StudentStore(*theApp().m_pStudentConnection); }
    const Database &db() const { return *theApp().m_pStudentConnection; }
    CListCtrlCl *list() const { return m_page->m_listScores; }

    QStringList listed() const
    {
        QStringList out;
        for (int row = 0; row < list()->GetItemCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < list()->GetColumnCount(); ++column)
                cells << list()->GetItemText(row, column);
            out << cells.join(u' ');
        }
        return out;
    }

    void clickRow(int row)
    {
        TestSupport::clickCell(list(), row, 1);
    }

    void selectRow(int row)
    {
        list()->clearSelection();
        list()->SetItemSelected(row, true);
    }

    // The groups page's row, then the score tab, as the teacher goes.
    void showSemester(int groupsRow)
    {
        CListCtrlEx *groups = m_dlg->m_pageBanji->m_listGroups;
        m_dlg->m_tabSheet->setCurrentIndex(0);
        QTest::mouseClick(groups->viewport(), Qt::LeftButton, {},
                          groups->visualRect(groups->model()->index(groupsRow, 2)).center());
        m_dlg->m_tabSheet->setCurrentIndex(2);
    }

    // Runs "设置" with the fields answered by fill, which ends with a button click.
    void runSettings(const std::function<void(QWidget *)> &fill)
    {
        TestSupport::whenModal(fill);
        m_page->OnBnClickedSettings();
    }

private slots:
    void init()
    {
        setDefaultWeights(theApp());
        theApp().m_pStudentConnection.reset();
        m_folder = std::make_unique<TempProgramFolder>();
        QVERIFY(StudentDatabase::open(theApp().m_pStudentConnection).failure.isEmpty());
        const StudentStore s = store();
        m_group = s.importGroup({2020, QStringLiteral("1班"), QStringLiteral("上")},
                                {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}, QStringLiteral("男"))
                      .groupId;
        m_copied = s.addSemester({2020, QStringLiteral("1班"), QStringLiteral("下")}, m_group).classId;
        m_emptyGroup = s.importGroup({2021, QStringLiteral("空班"), QStringLiteral("上")}, {}, {}).groupId;
        s.updateCounts(m_group, 1, 3, 2, 1, 0);
        s.updateCounts(m_group, 2, 60, 0, 0, 0);
        s.updateCounts(m_group, 3, 0, 0, 0, 5);
        StudentRecord first = *s.student(m_group, 1);
        s.SaveStudentEdit(m_group, 1, first, bitmap(96, 144), false); // 2 : 3
        m_dlg = std::make_unique<CStudentInfoDlg>();
        m_dlg->show();
        m_page = m_dlg->m_pageScore;
    }

    void cleanup()
    {
        m_dlg.reset();
        theApp().m_pStudentConnection.reset();
        m_folder.reset();
        setDefaultWeights(theApp());
    }

    void listFollowsTheGroupsPage()
    {
        ScriptedPrompt prompt;
        QCOMPARE(list()->m_Header.m_arrTitles,
                 (QStringList{QStringLiteral("学号"), QStringLiteral("姓名"), QStringLiteral("分数"), QStringLiteral("优秀"),
                              QStringLiteral("良"), QStringLiteral("加油"), QStringLiteral("旷课")}));
        QCOMPARE(list()->m_Header.m_strFormat, QStringLiteral("1111111"));

        // The semester current at opening has only the placeholder row.
        QCOMPARE(m_dlg->m_nClassID, m_emptyGroup);
        m_dlg->m_tabSheet->setCurrentIndex(2);
        QCOMPARE(list()->GetItemCount(), 0);

        showSemester(0);
        QCOMPARE(listed(), (QStringList{QStringLiteral("1 甲 8 3 2 1 0"), QStringLiteral("2 乙 100 60 0 0 0"),
                                        QStringLiteral("3 丙 -10 0 0 0 5")}));
        QCOMPARE(list()->GetItemData(2), qint64(3));
        // Copied into a new semester: no counts yet, shown as 0.
        showSemester(1);
        QCOMPARE(m_dlg->m_nClassID, m_copied);
        QCOMPARE(listed(), (QStringList{QStringLiteral("1 甲 0 0 0 0 0"), QStringLiteral("2 乙 0 0 0 0 0"),
                                        QStringLiteral("3 丙 0 0 0 0 0")}));
        QCOMPARE(prompt.shown.size(), 0);

        // A table that cannot be read: its error, and no rows.
        db().exec(QStringLiteral("DROP TABLE 课堂成绩表%1").arg(m_copied));
        m_page->ReloadScores();
        QCOMPARE(list()->GetItemCount(), 0);
        QVERIFY2(prompt.lastText().contains(QStringLiteral("no such table")), qPrintable(prompt.lastText()));
    }

    void clickShowsPhotoAndCounts()
    {
        ScriptedPrompt prompt;
        showSemester(0);
        PhotoFrame *frame = m_page->m_staticPhoto;
        frame->setGeometry(QRect(frame->pos(), QSize(150, 100)));
        const QPoint corner = frame->pos();
        clickRow(0);
        const QString info
            = QStringLiteral("    共被提问过：6次  \r\n \t优秀：3 \r\n \t    良：2 \r\n \t加油：1 \r\n \t旷课：0 \r\n");
        QCOMPARE(m_page->m_strInfo, info);
        QCOMPARE(m_page->findChild<QPlainTextEdit *>(QStringLiteral("edit1000"))->toPlainText(),
                 QString(info).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(frame->geometry(), QRect(corner, QSize(66, 100)));

        // Below the rows: nothing changes.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(40, list()->viewport()->height() - 3));
        QCOMPARE(m_page->m_strInfo, info);
        QVERIFY(m_page->m_picture.m_pPicture);

        // Without a photo the frame is empty and keeps its size.
        clickRow(2);
        QVERIFY(m_page->m_strInfo.startsWith(QStringLiteral("    共被提问过：5次")));
        QVERIFY(!m_page->m_picture.m_pPicture);
        QCOMPARE(frame->size(), QSize(66, 100));
        QCOMPARE(prompt.shown.size(), 0);
    }

    void photoAndCountsShownAreThoseOfAStudentListed()
    {
        ScriptedPrompt prompt;
        showSemester(0);
        clickRow(0);
        QVERIFY(m_page->m_picture.m_pPicture);

        // Counts edited: the summary beside the photo says what the list says.
        selectRow(0);
        TestSupport::whenModal([](QWidget *form) {
            edit(form, 1000)->setText(QStringLiteral("4"));
            TestSupport::clickButton(form, 1);
        });
        m_page->OnBnClickedEdit();
        QCOMPARE(listed().at(0), QStringLiteral("1 甲 10 4 2 1 0"));
        QCOMPARE(m_page->m_strInfo,
                 QStringLiteral("    共被提问过：7次  \r\n \t优秀：4 \r\n \t    良：2 \r\n \t加油：1 \r\n \t旷课：0 \r\n"));
        QVERIFY(m_page->m_picture.m_pPicture);

        // Another group's semester: nobody of this list is shown.
        showSemester(2);
        QCOMPARE(list()->GetItemCount(), 0);
        QVERIFY(m_page->m_strInfo.isEmpty());
        QVERIFY(m_page->findChild<QPlainTextEdit *>(QStringLiteral("edit1000"))->toPlainText().isEmpty());
        QVERIFY(!m_page->m_picture.m_pPicture);

        // Every semester deleted: the page is empty.
        showSemester(0);
        clickRow(0);
        m_dlg->m_tabSheet->setCurrentIndex(0);
        CListCtrlEx *groups = m_dlg->m_pageBanji->m_listGroups;
        while (groups->GetItemCount() > 0) {
            groups->clearSelection();
            groups->SetItemSelected(0, true);
            prompt.answerNext(Prompt::Ok);
            m_dlg->m_pageBanji->OnBnClickedDelete();
        }
        m_dlg->m_tabSheet->setCurrentIndex(2);
        QVERIFY(m_page->m_strInfo.isEmpty());
        QVERIFY(!m_page->m_picture.m_pPicture);
        QCOMPARE(prompt.texts(), QStringList(3, QStringLiteral("删除会导致与之对应的成绩表不可用， 是否确定删除")));
    }

    void aStudentWhosePhotoCannotBeReadShowsNoOtherPhoto()
    {
        ScriptedPrompt prompt;
        showSemester(0);
        clickRow(0);
        QVERIFY(m_page->m_picture.m_pPicture);
        // The roster no longer readable: the counts of the student clicked, beside no photo.
        db().exec(QStringLiteral("ALTER TABLE 小组表%1 RENAME TO 别的表").arg(m_group));
        clickRow(2);
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY(m_page->m_strInfo.startsWith(QStringLiteral("    共被提问过：5次")));
        QVERIFY(!m_page->m_picture.m_pPicture);
    }

    void aClickAnywhereOnARowSelectsItsStudent()
    {
        ScriptedPrompt prompt;
        showSemester(0);
        // On the name, on the number and on the last column: "编辑" then edits that student.
        QStringList edited;
        for (int column : {CStudentPellorScorePage::ColName, CStudentPellorScorePage::ColNumber,
                           CStudentPellorScorePage::ColKuangke}) {
            list()->clearSelection();
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                              list()->visualRect(list()->model()->index(1, column)).center());
            TestSupport::whenModal([&edited](QWidget *form) {
                edited << edit(form, 1005)->text();
                TestSupport::clickButton(form, 2);
            });
            m_page->OnBnClickedEdit();
        }
        QCOMPARE(edited, QStringList(3, QStringLiteral("乙")));
        QVERIFY(prompt.shown.isEmpty());
    }

    void rollCallChecksSelectionAndSemester()
    {
        ScriptedPrompt prompt;
        showSemester(0);
        list()->clearSelection();
        m_page->OnBnClickedRollCall();
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("未选择任何项")});

        prompt.clear();
        selectRow(0);
        db().exec(QStringLiteral("UPDATE 课堂成绩表%1 SET 良=3 WHERE 学号=1").arg(m_group));
        m_page->OnBnClickedRollCall();
        QCOMPARE(list()->GetItemText(0, 2), QStringLiteral("9"));

        selectRow(0);
        db().exec(QStringLiteral("DELETE FROM ClassInfo WHERE ID=?"), {m_group});
        const int reloads = m_page->m_nReloadCount;
        m_page->OnBnClickedRollCall();
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("未找到学期ID：%1的信息").arg(m_group)});
        QCOMPARE(m_page->m_nReloadCount, reloads);
    }

    void editingCounts()
    {
        ScriptedPrompt prompt;
        showSemester(0);
        list()->clearSelection();
        m_page->OnBnClickedEdit();
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("未选择任何项")});

        prompt.clear();
        selectRow(2);
        QStringList seen;
        TestSupport::whenModal([&seen](QWidget *form) {
            seen << form->windowTitle();
            for (int id : {1004, 1005, 1000, 1002, 1001, 1003})
                seen << edit(form, id)->text();
            edit(form, 1002)->setText(QStringLiteral("二"));
            TestSupport::clickButton(form, 1);
            edit(form, 1000)->setText(QStringLiteral("4"));
            edit(form, 1002)->setText(QStringLiteral("-1"));
            edit(form, 1001)->setText(QStringLiteral("2"));
            edit(form, 1003)->setText(QStringLiteral(" 1 "));
            TestSupport::clickButton(form, 1); // a negative count: refused, its field focused
            seen << (form->focusWidget() == edit(form, 1002) ? QStringLiteral("良") : QString());
            edit(form, 1002)->setText(QStringLiteral("0"));
            TestSupport::clickButton(form, 1);
            if (form->isVisible())
                TestSupport::closeDialog(form);
        });
        m_page->OnBnClickedEdit();
        QCOMPARE(seen, (QStringList{QStringLiteral("编辑分数"), QStringLiteral("3"), QStringLiteral("丙"), QStringLiteral("0"),
                                    QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("良")}));
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("Enter an integer."), CStudentEditScoreDlg::negativeMessage()}));
        const ScoreRecord edited = *store().score(m_group, 3);
        QCOMPARE(edited.excellent, std::optional<int>(4));
        QCOMPARE(edited.good, std::optional<int>(0));
        QCOMPARE(edited.fair, std::optional<int>(2));
        QCOMPARE(edited.absent, std::optional<int>(1));
        QCOMPARE(edited.name, std::optional<QString>(QStringLiteral("丙")));
        QCOMPARE(listed().at(2), QStringLiteral("3 丙 7 4 0 2 1"));

        // Cancelled: nothing written.
        selectRow(0);
        TestSupport::whenModal([](QWidget *form) {
            edit(form, 1000)->setText(QStringLiteral("9"));
            TestSupport::clickButton(form, 2);
        });
        m_page->OnBnClickedEdit();
        QCOMPARE(store().score(m_group, 1)->excellent, std::optional<int>(3));

        // A failed update: its error, and the list read again all the same.
        prompt.clear();
        db().exec(QStringLiteral("CREATE TRIGGER injected BEFORE UPDATE ON 课堂成绩表%1 BEGIN SELECT RAISE(ABORT,'injected'); END")
                      .arg(m_group));
        selectRow(0);
        const int reloads = m_page->m_nReloadCount;
        TestSupport::whenModal([](QWidget *form) { TestSupport::clickButton(form, 1); });
        m_page->OnBnClickedEdit();
        QVERIFY2(prompt.lastText().contains(QStringLiteral("injected")), qPrintable(prompt.lastText()));
        QCOMPARE(m_page->m_nReloadCount, reloads + 1);
    }

    void weightsAreCheckedAndKept()
    {
        ScriptedPrompt prompt;
        showSemester(0);
        QStringList seen;
        runSettings([&seen](QWidget *form) {
            seen << form->windowTitle();
            for (int id : {1000, 1005, 1001, 1002, 1003, 1004})
                seen << edit(form, id)->text();
            for (const char *refused : {"150", "1e30", "100.9x"}) {
                edit(form, 1000)->setText(QString::fromLatin1(refused));
                TestSupport::clickButton(form, 1);
            }
            edit(form, 1000)->setText(QStringLiteral("100.9")); // its whole part is in range
            edit(form, 1004)->setText(QStringLiteral("-101"));
            TestSupport::clickButton(form, 1);
            TestSupport::clickButton(form, 2);
        });
        QCOMPARE(seen, (QStringList{QStringLiteral("分数设置"), QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("2"),
                                    QStringLiteral("1"), QStringLiteral("0.5"), QStringLiteral("-2")}));
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("Enter an integer between 0 and 100."),
                                              QStringLiteral("Enter an integer between 0 and 100."),
                                              QStringLiteral("Enter a number."),
                                              QStringLiteral("Enter an integer between -100 and 100.")}));
        // Cancelled: nothing changed anywhere.
        QCOMPARE(m_page->m_fBasicScore, 0.0f);
        QCOMPARE(theApp().m_fKuangkeScore, -2.0f);
        QVERIFY(!m_folder->exists(QStringLiteral("res/set.ini")));

        prompt.clear();
        runSettings([](QWidget *form) {
            edit(form, 1000)->setText(QStringLiteral("1"));
            edit(form, 1003)->setText(QStringLiteral("0.25"));
            edit(form, 1004)->setText(QStringLiteral("-100"));
            TestSupport::clickButton(form, 1);
        });
        QCOMPARE(prompt.shown.size(), 0);
        QCOMPARE(m_page->m_fKuangkeScore, -100.0f);
        QCOMPARE(theApp().m_fJiayouScore, 0.25f);
        QCOMPARE(listed().at(2), QStringLiteral("3 丙 -499 0 0 0 5"));

        runSettings([](QWidget *form) {
            edit(form, 1003)->setText(QStringLiteral("0.5"));
            edit(form, 1004)->setText(QStringLiteral("-2"));
            TestSupport::clickButton(form, 1);
        });
        // The six keys in their order, each as text that reads back to the weight.
        QCOMPARE(m_folder->readFile(QStringLiteral("res/set.ini")),
                 QByteArray("[Score]\r\nBasicScore=1\r\nMaxScore=100\r\nYouxiu=2\r\nLiangScore=1\r\n"
                            "JiayouScore=0.5\r\nkuangkeScore=-2\r\n"));
        QCOMPARE(listed().at(0), QStringLiteral("1 甲 9 3 2 1 0"));

        // The next start reads them back; a new records window takes them.
        setDefaultWeights(theApp());
        theApp().m_fJiayouScore = 7.0f;
        theApp().m_fKuangkeScore = 7.0f;
        theApp().ReadScoreWeights(theApp().SettingsPath());
        QCOMPARE(theApp().m_fBasicScore, 1.0f);
        QCOMPARE(theApp().m_fJiayouScore, 0.5f);
        QCOMPARE(theApp().m_fKuangkeScore, -2.0f);
        m_dlg.reset();
        CStudentInfoDlg again;
        QCOMPARE(again.m_pageScore->m_fJiayouScore, 0.5f);
        QCOMPARE(again.m_pageScore->m_fKuangkeScore, -2.0f);
        QCOMPARE(again.m_pageScore->m_fBasicScore, 1.0f);
    }

    void settingsWriteFailureIsShown()
    {
        ScriptedPrompt prompt;
        showSemester(0);
        QVERIFY(QDir().mkpath(m_folder->file(QStringLiteral("res/set.ini")))); // cannot be written
        runSettings([](QWidget *form) {
            edit(form, 1000)->setText(QStringLiteral("3"));
            TestSupport::clickButton(form, 1);
        });
        const float weights[6] = {3.0f, 100.0f, 2.0f, 1.0f, 0.5f, -2.0f};
        const QString failure = SettingsFile::writeScoreWeights(theApp().SettingsPath(), weights);
        QVERIFY(!failure.isEmpty());
        QCOMPARE(prompt.texts(), QStringList{failure});
        QVERIFY(prompt.shown.first().applicationBox);
        // In effect for this run all the same.
        QCOMPARE(theApp().m_fBasicScore, 3.0f);
        QCOMPARE(listed().at(0), QStringLiteral("1 甲 11 3 2 1 0"));
    }
};

PELLOR_WIDGET_TEST_MAIN(TestScorePage)
#include "tst_scorepage.moc"
