#include "DatabaseRows.h"
#include "ListClicks.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "records/CStuAddStuDlg.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/PhotoFrame.h"
#include "records/core/StudentDatabase.h"
#include "records/core/StudentStore.h"

#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTimer>

#include <climits>
#include <memory>

namespace {

using Step = std::function<void(QWidget *)>;

// Answers each showing of a modal form in turn: the roster page shows the same add form
// again after every student.
void answerShowings(std::shared_ptr<QList<Step>> steps, int turns = 10000)
{
    QTimer::singleShot(0, [steps, turns] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && !steps->isEmpty())
            steps->takeFirst()(modal);
        if (!steps->isEmpty() && turns > 0)
            answerShowings(steps, turns - 1);
    });
}

void answerShowings(QList<Step> steps)
{
    answerShowings(std::make_shared<QList<Step>>(std::move(steps)));
}

QLineEdit *edit(QWidget *form, int id)
{
    return form->findChild<QLineEdit *>(QStringLiteral("edit%1").arg(id));
}

QByteArray bitmap(int width, int height, int dpiY = 96)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.setDotsPerMeterY(qRound(dpiY / 0.0254));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

class TestRosterPage : public QObject
{
    Q_OBJECT

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<CStudentInfoDlg> m_dlg;
    CStuLianxi *m_page = nullptr;
    int m_group = 0;
    QList<int> m_semesters;

    StudentStore store() const { return StudentStore(*theApp().m_pStudentConnection); }
    const Database &db() const { return *theApp().m_pStudentConnection; }

    QStringList listed() const
    {
        QStringList out;
        for (int row = 0; row < m_page->m_listStudents->GetItemCount(); ++row)
            out << m_page->m_listStudents->GetItemText(row, 0) + u' ' + m_page->m_listStudents->GetItemText(row, 1);
        return out;
    }

    void clickRow(int row)
    {
        TestSupport::clickCell(m_page->m_listStudents, row, 1);
    }

    void selectRow(int row)
    {
        m_page->m_listStudents->clearSelection();
        m_page->m_listStudents->SetItemSelected(row, true);
    }

    QString shownNote() const
    {
        return m_page->findChild<QPlainTextEdit *>(QStringLiteral("edit1000"))->toPlainText();
    }

    void failOn(const QString &event, int classId)
    {
        db().exec(QStringLiteral("CREATE TRIGGER injected BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT,'injected'); END")
                      .arg(event, StudentStore::scoreTable(classId)));
    }

private slots:
    void init()
    {
        theApp().m_pStudentConnection.reset();
        m_folder = std::make_unique<TempProgramFolder>();
        QVERIFY(StudentDatabase::open(theApp().m_pStudentConnection).failure.isEmpty());
        const StudentStore s = store();
        m_group = s.importGroup({2020, QStringLiteral("1班"), QStringLiteral("上")},
                                {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁"),
                                 QStringLiteral("戊")},
                                QStringLiteral("男"))
                      .groupId;
        m_semesters = {m_group,
                       s.addSemester({2020, QStringLiteral("1班"), QStringLiteral("中")}, m_group).classId,
                       s.addSemester({2020, QStringLiteral("1班"), QStringLiteral("下")}, m_group).classId};
        StudentRecord second = *s.student(m_group, 2);
        second.note = QStringLiteral("第一行\r\n第二行");
        s.SaveStudentEdit(m_group, 2, second, bitmap(96, 144), false); // HIMETRIC 2540 x 3810: 2 : 3
        m_dlg = std::make_unique<CStudentInfoDlg>();
        m_dlg->show();
        m_page = m_dlg->m_pageRoster;
        m_dlg->m_tabSheet->setCurrentIndex(1);
    }

    void cleanup()
    {
        m_dlg.reset();
        theApp().m_pStudentConnection.reset();
        m_folder.reset();
    }

    void listClickAndPhoto()
    {
        ScriptedPrompt prompt;
        CListCtrlCl *list = m_page->m_listStudents;
        QCOMPARE(list->m_Header.m_arrTitles,
                 (QStringList{QStringLiteral("学号"), QStringLiteral("姓名"), QStringLiteral("地址"), QStringLiteral("联系")}));
        QCOMPARE(list->m_Header.m_strFormat, QStringLiteral("1111"));
        QCOMPARE(list->GetColumnWidth(2), 400);
        QCOMPARE(list->GetColumnWidth(3), list->GetClientRect().width() - 520);
        QCOMPARE(*list->ColumnBackColor(0), QColor(100, 150, 20));
        QCOMPARE(listed(), (QStringList{QStringLiteral("1 甲"), QStringLiteral("2 乙"), QStringLiteral("3 丙"),
                                        QStringLiteral("4 丁"), QStringLiteral("5 戊")}));
        // A row numbered 0 is no student.
        db().exec(QStringLiteral("INSERT INTO 小组表%1(学号,姓名) VALUES(0,'零')").arg(m_group));
        m_page->LoadStudentList();
        QCOMPARE(list->GetItemCount(), 5);

        // A 2 : 3 photo in a frame 100 pixels high makes it 66 wide.
        PhotoFrame *frame = m_page->m_staticPhoto;
        frame->setGeometry(QRect(frame->pos(), QSize(150, 100)));
        const QPoint corner = frame->pos();
        clickRow(1);
        QCOMPARE(shownNote(), QStringLiteral("第一行\n第二行"));
        QCOMPARE(m_page->m_nLastClickedItem, 1);
        QCOMPARE(frame->geometry(), QRect(corner, QSize(66, 100)));
        QVERIFY(!frame->grab().isNull());

        // The same row again reads nothing; another row shows its student.
        db().exec(QStringLiteral("UPDATE 小组表%1 SET 备注='改' WHERE 学号=2").arg(m_group));
        clickRow(1);
        QCOMPARE(shownNote(), QStringLiteral("第一行\n第二行"));
        // No photo: the frame is empty and keeps the size the last photo gave it.
        clickRow(0);
        QCOMPARE(shownNote(), QString());
        QVERIFY(!m_page->m_picture.m_pPicture);
        QCOMPARE(frame->size(), QSize(66, 100));

        // A picture without height counts as none.
        StudentRecord third = *store().student(m_group, 3);
        store().SaveStudentEdit(m_group, 3, third, bitmap(10, 1, 10000), false);
        clickRow(2);
        QVERIFY(m_page->m_picture.m_pPicture);
        QCOMPARE(m_page->m_picture.m_pPicture->himetricHeight(), 0);
        QCOMPARE(frame->size(), QSize(66, 100));
        QVERIFY(!frame->grab().isNull());

        // The frame's rule itself: 3 : 4 in 171 pixels is 128 wide (128.25, truncated).
        QCOMPARE(PhotoFrame::fittedRect(QRect(5, 6, 10, 171), 3000, 4000), QRect(5, 6, 128, 171));
        QCOMPARE(PhotoFrame::fittedRect(QRect(5, 6, 10, 100), 2540, 3810), QRect(5, 6, 66, 100));
        QCOMPARE(PhotoFrame::fittedRect(QRect(5, 6, 10, 100), 2540, 0), std::nullopt);
        // Proportions whose width is beyond any int: no wider than the room there is.
        QCOMPARE(PhotoFrame::fittedRect(QRect(5, 6, 10, 171), INT_MAX, 1, 300), QRect(5, 6, 300, 171));
        QCOMPARE(PhotoFrame::fittedRect(QRect(5, 6, 10, 171), INT_MAX, 1)->width(), QWIDGETSIZE_MAX);

        // Still listed after a reload: still shown, at the row it has now.
        clickRow(1);
        db().exec(QStringLiteral("DELETE FROM 小组表%1 WHERE 学号=1").arg(m_group));
        m_page->LoadStudentList();
        QCOMPARE(shownNote(), QStringLiteral("改"));
        QCOMPARE(m_page->m_nLastClickedItem, 0);
        QCOMPARE(prompt.shown.size(), 0);
    }

    void deletingAStudent()
    {
        ScriptedPrompt prompt;
        m_page->m_listStudents->clearSelection();
        m_page->OnBnClickedDeleteStudent();
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("确定要删除此学生吗？"), QStringLiteral("未选择任何项")}));
        QCOMPARE(prompt.shown.first().buttons, Prompt::OkCancel);
        QVERIFY(!prompt.shown.first().applicationBox);

        prompt.clear();
        selectRow(2);
        prompt.answerNext(Prompt::Cancel);
        m_page->OnBnClickedDeleteStudent();
        QCOMPARE(listed().size(), 5);

        // Gone from the list; the others keep their numbers; the note shown goes with it.
        clickRow(2);
        QCOMPARE(m_page->m_nLastClickedItem, 2);
        m_page->OnBnClickedDeleteStudent();
        const QStringList left{QStringLiteral("1 甲"), QStringLiteral("2 乙"), QStringLiteral("4 丁"),
                               QStringLiteral("5 戊")};
        QCOMPARE(listed(), left);
        QCOMPARE(m_page->m_nLastClickedItem, -1);
        QCOMPARE(shownNote(), QString());

        // A failure: the page's box with the database's text, and the student still listed.
        prompt.clear();
        failOn(QStringLiteral("DELETE"), m_semesters.last());
        selectRow(0);
        m_page->OnBnClickedDeleteStudent();
        QCOMPARE(prompt.shown.size(), 2);
        QVERIFY(!prompt.shown.last().applicationBox);
        QVERIFY2(prompt.lastText().contains(QStringLiteral("injected")), qPrintable(prompt.lastText()));
        QCOMPARE(listed(), left);

        // The next student suggested is one above the highest.
        QString suggested;
        answerShowings({[&suggested](QWidget *form) {
            suggested = edit(form, 1000)->text();
            TestSupport::clickButton(form, 2);
        }});
        m_page->OnBnClickedAddStudent();
        QCOMPARE(suggested, QStringLiteral("6"));

        // The largest number there is, written by another program: the suggestion never goes
        // past it, also after an added student.
        db().exec(QStringLiteral("DROP TRIGGER injected"));
        db().exec(QStringLiteral("INSERT INTO 小组表%1(学号,姓名) VALUES(2147483647,'末')").arg(m_group));
        m_page->LoadStudentList();
        QStringList suggestions;
        answerShowings({[&suggestions](QWidget *form) {
                            suggestions << edit(form, 1000)->text();
                            edit(form, 1000)->setText(QStringLiteral("9"));
                            edit(form, 1001)->setText(QStringLiteral("玖"));
                            TestSupport::clickButton(form, 1);
                        },
                        [&suggestions](QWidget *form) {
                            suggestions << edit(form, 1000)->text();
                            TestSupport::clickButton(form, 2);
                        }});
        m_page->OnBnClickedAddStudent();
        QCOMPARE(suggestions, (QStringList{QStringLiteral("2147483647"), QStringLiteral("2147483647")}));
        QVERIFY(store().hasStudent(m_group, 9));
    }

    void theFormTakesOnlyWhatCanBeStored()
    {
        ScriptedPrompt prompt;
        m_folder->writeFile(QStringLiteral("res/photo/名单.jpg"), QByteArray("\xff\xd8\xff\xe0 not a picture"));
        m_folder->writeFile(QStringLiteral("res/photo/wide.bmp"), bitmap(100000, 1));
        const QString notAPicture = m_folder->file(QStringLiteral("res/photo/名单.jpg"));
        const QString wide = m_folder->file(QStringLiteral("res/photo/wide.bmp"));
        auto previewed = [](QWidget *form) { return bool(qobject_cast<StudentForm *>(form)->m_picture.m_pPicture); };
        QStringList seen;
        answerShowings({
            [&](QWidget *form) {
                QLineEdit *gender = form->findChild<QComboBox *>(QStringLiteral("combo1011"))->lineEdit();
                edit(form, 1001)->setText(QStringLiteral(" \u3000"));
                gender->setText(QStringLiteral("女")); // typed, not chosen from the list
                TestSupport::clickButton(form, 1);
                edit(form, 1001)->setText(QStringLiteral("己"));
                gender->setText(QStringLiteral("女生"));
                TestSupport::clickButton(form, 1);
                gender->setText(QStringLiteral("女"));
                prompt.fileNameNext(wide);
                TestSupport::clickButton(form, 1005);
                const PhotoFrame *preview = form->findChild<PhotoFrame *>(QStringLiteral("static1057"));
                seen << QString::number(preview->geometry().right() < form->width());
                // A refused file, and a chooser cancelled, keep the photo chosen before.
                prompt.fileNameNext(notAPicture);
                TestSupport::clickButton(form, 1005);
                TestSupport::clickButton(form, 1005);
                seen << (form->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"))
                     << edit(form, 1006)->text() << QString::number(previewed(form));
                TestSupport::clickButton(form, 1);
            },
            [](QWidget *form) { TestSupport::clickButton(form, 2); },
        });
        m_page->OnBnClickedAddStudent();
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("学生姓名不能为空，请输入学生姓名。"),
                                              QStringLiteral("性别只能是“男”或“女”，请从列表中选择。"),
                                              StudentForm::notAPictureMessage(notAPicture)}));
        QVERIFY(prompt.texts().last().contains(QStringLiteral("名单.jpg")));
        QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("open"), wide, QStringLiteral("1")}));
        const StudentRecord added = *store().student(m_group, 6);
        QCOMPARE(added.gender, std::optional<QString>(QStringLiteral("女")));
        QCOMPARE(added.photo, bitmap(100000, 1));

        // Shown on the page, the frame of so wide a picture stops at the page's edge.
        clickRow(5);
        QVERIFY(m_page->m_picture.m_pPicture);
        QCOMPARE(m_page->m_staticPhoto->geometry().right(), m_page->width() - 1);
        QVERIFY(!m_page->grab().isNull());

        // The edit form keeps what is typed into its box too; and the stored photo it shows
        // stays shown, and stored, when a file is refused or the chooser cancelled.
        selectRow(5);
        prompt.clear();
        prompt.fileNameNext(notAPicture);
        TestSupport::whenModal([&](QWidget *form) {
            form->findChild<QComboBox *>(QStringLiteral("combo1011"))->lineEdit()->setText(QStringLiteral("男"));
            TestSupport::clickButton(form, 1005);
            TestSupport::clickButton(form, 1005);
            seen = {edit(form, 1006)->text(), QString::number(previewed(form))};
            TestSupport::clickButton(form, 1);
            if (form->isVisible())
                TestSupport::closeDialog(form);
        });
        m_page->OnBnClickedEditStudent();
        QCOMPARE(prompt.texts(), QStringList{StudentForm::notAPictureMessage(notAPicture)});
        QCOMPARE(seen, (QStringList{QString(), QStringLiteral("1")}));
        QCOMPARE(store().student(m_group, 6)->gender, std::optional<QString>(QStringLiteral("男")));
        QCOMPARE(store().student(m_group, 6)->photo, bitmap(100000, 1));
    }

    void addingStudents()
    {
        ScriptedPrompt prompt;
        const QString photo = m_folder->file(QStringLiteral("res/photo/己.bmp"));
        m_folder->writeFile(QStringLiteral("res/photo/己.bmp"), bitmap(30, 40));
        QStringList seen;
        bool previewFitted = false;
        answerShowings({
            [&](QWidget *form) {
                seen << form->windowTitle() << edit(form, 1000)->text();
                edit(form, 1001)->setText(QStringLiteral("己"));
                prompt.fileNameNext(photo);
                TestSupport::clickButton(form, 1005);
                const PhotoFrame *preview = form->findChild<PhotoFrame *>(QStringLiteral("static1057"));
                seen << edit(form, 1006)->text();
                previewFitted = preview->width() == int(float(preview->height()) * 0.75f);
                TestSupport::clickButton(form, 1);
            },
            [&](QWidget *form) {
                // The typed texts stay; the number counts on; no photo; "男" again.
                seen << edit(form, 1000)->text() << edit(form, 1001)->text() << edit(form, 1006)->text()
                     << form->findChild<QComboBox *>(QStringLiteral("combo1011"))->currentText();
                edit(form, 1000)->setText(QStringLiteral("100001"));
                TestSupport::clickButton(form, 1);
                edit(form, 1000)->setText(QStringLiteral("1"));
                TestSupport::clickButton(form, 1);
            },
            [&](QWidget *form) {
                seen << edit(form, 1000)->text();
                edit(form, 1000)->setText(QStringLiteral("8"));
                edit(form, 1001)->setText(QStringLiteral("庚"));
                form->findChild<QComboBox *>(QStringLiteral("combo1011"))->setCurrentIndex(1);
                TestSupport::clickButton(form, 1);
            },
            [&](QWidget *form) { TestSupport::clickButton(form, 2); },
        });
        m_page->OnBnClickedAddStudent();
        QCOMPARE(seen, (QStringList{QStringLiteral("增加学生"), QStringLiteral("6"), photo, QStringLiteral("7"),
                                    QStringLiteral("己"), QString(), QStringLiteral("男"), QStringLiteral("8")}));
        QVERIFY(previewFitted);
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("Enter an integer between 1 and 100000."),
                                              QStringLiteral("已经存在此学号，请输入下一个学生的学号")}));
        const QStringList added{QStringLiteral("1 甲"), QStringLiteral("2 乙"), QStringLiteral("3 丙"),
                                QStringLiteral("4 丁"), QStringLiteral("5 戊"), QStringLiteral("6 己"),
                                QStringLiteral("8 庚")};
        QCOMPARE(listed(), added);
        QCOMPARE(store().student(m_group, 6)->photo, m_folder->readFile(QStringLiteral("res/photo/己.bmp")));
        QCOMPARE(store().student(m_group, 8)->gender, std::optional<QString>(QStringLiteral("女")));

        // A name too long for the roster: the page's box with the reason, nothing listed.
        prompt.clear();
        StudentRecord student;
        student.number = 9;
        student.name = QString(21, u'长');
        QVERIFY(!m_page->AddStudentRecord(student, QByteArray()));
        QCOMPARE(prompt.shown.size(), 1);
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("添加学生失败"));
        QVERIFY2(prompt.lastText().startsWith(QStringLiteral("姓名最多20个字")), qPrintable(prompt.lastText()));
        QCOMPARE(listed(), added);
    }

    void editingAStudent()
    {
        ScriptedPrompt prompt;
        auto editRow = [this](int row, const std::function<void(QWidget *)> &fill) {
            selectRow(row);
            TestSupport::whenModal([fill](QWidget *form) {
                fill(form);
                TestSupport::clickButton(form, 1);
            });
            m_page->OnBnClickedEditStudent();
        };

        // The name reaches every score table; no number change, no question.
        QStringList seen;
        editRow(1, [&seen](QWidget *form) {
            seen << form->windowTitle() << edit(form, 1000)->text() << edit(form, 1001)->text()
                 << form->findChild<QComboBox *>(QStringLiteral("combo1011"))->currentText()
                 << form->findChild<QPlainTextEdit *>(QStringLiteral("edit1004"))->toPlainText();
            edit(form, 1001)->setText(QStringLiteral("乙乙"));
        });
        QCOMPARE(seen, (QStringList{QStringLiteral("编辑学生"), QStringLiteral("2"), QStringLiteral("乙"),
                                    QStringLiteral("男"), QStringLiteral("第一行\n第二行")}));
        QVERIFY(prompt.shown.isEmpty());
        const StudentRecord second = *store().student(m_group, 2);
        QCOMPARE(second.note, std::optional<QString>(QStringLiteral("第一行\r\n第二行")));
        QCOMPARE(second.photo, bitmap(96, 144));
        QCOMPARE(store().score(m_semesters.last(), 2)->name, std::optional<QString>(QStringLiteral("乙乙")));

        // A new number: asked once, and every table follows; the row of the new number is
        // selected and shown.
        editRow(1, [](QWidget *form) { edit(form, 1000)->setText(QStringLiteral("5")); });
        QCOMPARE(prompt.texts(), QStringList{CStuLianxi::renumberQuestion()});
        QVERIFY(CStuLianxi::renumberQuestion().endsWith(QStringLiteral("吗 ")));
        QCOMPARE(prompt.shown.first().buttons, Prompt::OkCancel);
        const QStringList moved{QStringLiteral("1 甲"), QStringLiteral("5 乙乙"), QStringLiteral("6 丙"),
                                QStringLiteral("7 丁"), QStringLiteral("8 戊")};
        QCOMPARE(listed(), moved);
        QCOMPARE(m_page->m_listStudents->GetNextSelectedItem(-1), 1);
        QCOMPARE(m_page->m_listStudents->GetItemText(1, 0), QStringLiteral("5"));
        QCOMPARE(shownNote(), QStringLiteral("第一行\n第二行"));

        // Cancelling the question keeps the number; the rest is written.
        prompt.clear();
        prompt.answerNext(Prompt::Cancel);
        editRow(4, [](QWidget *form) {
            edit(form, 1000)->setText(QStringLiteral("2"));
            edit(form, 1002)->setText(QStringLiteral("北京"));
        });
        QCOMPARE(store().student(m_group, 8)->address, std::optional<QString>(QStringLiteral("北京")));
        // A number held below: refused; the rest is written.
        prompt.clear();
        editRow(4, [](QWidget *form) {
            edit(form, 1000)->setText(QStringLiteral("6"));
            edit(form, 1002)->setText(QStringLiteral("上海"));
        });
        QCOMPARE(prompt.texts(), (QStringList{CStuLianxi::renumberQuestion(),
                                              QStringLiteral("已存在此学号的学生,请重新设置学号")}));
        QCOMPARE(store().student(m_group, 8)->address, std::optional<QString>(QStringLiteral("上海")));
        // Others pushed beyond what the form takes: refused.
        prompt.clear();
        editRow(2, [](QWidget *form) { edit(form, 1000)->setText(QStringLiteral("111110")); });
        QCOMPARE(prompt.lastText(), QStringLiteral("其他学生的学号将超过111111,请重新设置学号"));
        QCOMPARE(listed(), moved);

        // A failure: asked first, then the page's box with the database's text; the form
        // comes back with what was typed, and cancelled leaves the list as it was.
        prompt.clear();
        failOn(QStringLiteral("UPDATE"), m_semesters.last());
        QStringList again;
        selectRow(0);
        answerShowings({[](QWidget *form) {
                            edit(form, 1000)->setText(QStringLiteral("3"));
                            edit(form, 1001)->setText(QStringLiteral("甲甲"));
                            form->findChild<QPlainTextEdit *>(QStringLiteral("edit1004"))
                                ->setPlainText(QStringLiteral("长长的寄语"));
                            TestSupport::clickButton(form, 1);
                        },
                        [&again](QWidget *form) {
                            again << edit(form, 1000)->text() << edit(form, 1001)->text()
                                  << form->findChild<QPlainTextEdit *>(QStringLiteral("edit1004"))->toPlainText();
                            TestSupport::clickButton(form, 2);
                        }});
        m_page->OnBnClickedEditStudent();
        QCOMPARE(prompt.shown.size(), 2);
        QCOMPARE(prompt.shown.last().caption, QStringLiteral("添加学生失败"));
        QVERIFY2(prompt.lastText().contains(QStringLiteral("injected")), qPrintable(prompt.lastText()));
        QCOMPARE(again, (QStringList{QStringLiteral("3"), QStringLiteral("甲甲"), QStringLiteral("长长的寄语")}));
        QCOMPARE(listed(), moved);
        QCOMPARE(store().student(m_group, 1)->name, std::optional<QString>(QStringLiteral("甲")));
        QCOMPARE(m_page->m_listStudents->GetNextSelectedItem(-1), 0);
    }

    void editFormChecksAndGender()
    {
        ScriptedPrompt prompt;
        db().exec(QStringLiteral("UPDATE 小组表%1 SET 性别=NULL WHERE 学号=1").arg(m_group));
        selectRow(0);
        QString gender;
        TestSupport::whenModal([&gender](QWidget *form) {
            gender = form->findChild<QComboBox *>(QStringLiteral("combo1011"))->currentText();
            edit(form, 1000)->setText(QStringLiteral("111112"));
            TestSupport::clickButton(form, 1);
            edit(form, 1000)->setText(QStringLiteral("1"));
            TestSupport::clickButton(form, 1);
        });
        m_page->OnBnClickedEditStudent();
        QCOMPARE(gender, QStringLiteral("男"));
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("Enter an integer between 1 and 111111.")});
        QCOMPARE(store().student(m_group, 1)->gender, std::optional<QString>(QStringLiteral("男")));

        // Nothing selected; a student gone from the table.
        prompt.clear();
        m_page->m_listStudents->clearSelection();
        m_page->OnBnClickedEditStudent();
        db().exec(QStringLiteral("DELETE FROM 小组表%1 WHERE 学号=2").arg(m_group));
        selectRow(1);
        m_page->OnBnClickedEditStudent();
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("未选择任何项"), QStringLiteral("GetStudentInfo error")}));

        // Held by another program: the database's own text, once, under the operation's name.
        prompt.clear();
        {
            const TestSupport::HeldFile held(db().filePath());
            selectRow(0);
            m_page->OnBnClickedEditStudent();
        }
        QCOMPARE(prompt.texts(), QStringList{TestSupport::HeldFile::message(QStringLiteral("Student.db"))});
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("GetStudentInfo error"));

        // The add form's refresh puts the members back over what was typed.
        CStuAddStuDlg form;
        form.m_strName = QStringLiteral("甲");
        form.show();
        edit(&form, 1001)->setText(QStringLiteral("乙"));
        QCOMPARE(form.OnRefreshFields(), 0);
        QCOMPARE(edit(&form, 1001)->text(), QStringLiteral("甲"));
    }
};

PELLOR_WIDGET_TEST_MAIN(TestRosterPage)
#include "tst_rosterpage.moc"
