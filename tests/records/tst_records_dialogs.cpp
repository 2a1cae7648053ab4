#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TestMain.h"

#include "records/CStuAddBanjiDlg.h"
#include "records/CStuEditXueqiDlg.h"
#include "records/CStudentAddxueqiDlg.h"
#include "records/GroupPageActions.h"

#include "platform/base/TextCodec.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

QLineEdit *edit(QWidget *dialog, int id)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("edit%1").arg(id));
}


// Fills the new-group form when it comes up; the roster is chosen through "...".
void fillGroupForm(ScriptedPrompt &prompt, const QString &year, const QString &group, const QString &semester,
    const QString &rosterPath)
{
    TestSupport::whenModal([&prompt, year, group, semester, rosterPath](QWidget *dialog) {
        edit(dialog, 1000)->setText(year);
        edit(dialog, 1001)->setText(group);
        edit(dialog, 1002)->setText(semester);
        if (!rosterPath.isEmpty()) {
            prompt.fileNameNext(rosterPath);
            TestSupport::clickButton(dialog, 1003);
        }
        TestSupport::clickButton(dialog, 1);
    });
}

void answerSemesterForm(const QString &semester)
{
    TestSupport::whenModal([semester](QWidget *dialog) {
        edit(dialog, 1002)->setText(semester);
        TestSupport::clickButton(dialog, 1);
    });
}

void cancelForm()
{
    TestSupport::whenModal([](QWidget *dialog) { TestSupport::clickButton(dialog, 2); });
}

GroupSelection::Row row(const QString &year, const QString &group, const QString &semester, int id)
{
    return { false, year, group, semester, id };
}

} // namespace

class TestRecordsDialogs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<StudentStore> m_store;
    QWidget m_page;

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir->filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_db = std::make_unique<Database>(QStringLiteral("dialogs-test"));
        m_db->open(m_dir->filePath(QStringLiteral("Student.db")));
        m_store = std::make_unique<StudentStore>(*m_db);
        m_store->ensureSchema();
    }

    void cleanup()
    {
        m_store.reset();
        m_db.reset();
        m_dir.reset();
    }

    void newGroupForm()
    {
        ScriptedPrompt prompt;
        CStuAddBanjiDlg dlg;
        bool stayedOpen = false;
        QStringList seen; // checked once the form has closed, so a failure cannot leave it open
        TestSupport::whenModal([&](QWidget *dialog) {
            seen << dialog->windowTitle() << edit(dialog, 1000)->text()
                 << (edit(dialog, 1004)->isReadOnly() ? QStringLiteral("read-only")
                                                      : QStringLiteral("editable"));
            edit(dialog, 1000)->setText(QStringLiteral("20l2"));
            edit(dialog, 1001)->setText(QStringLiteral("1班"));
            TestSupport::clickButton(dialog, 1);
            stayedOpen = dialog->isVisible() && dialog->focusWidget() == edit(dialog, 1000);
            edit(dialog, 1000)->setText(QStringLiteral("2012"));
            prompt.fileNameNext(QStringLiteral("/rosters/1班.txt"));
            TestSupport::clickButton(dialog, 1003);
            seen << edit(dialog, 1004)->text();
            TestSupport::clickButton(dialog, 1003); // cancelled: the path stays
            // Blank names are refused, each with its field focused.
            edit(dialog, 1001)->setText(QStringLiteral(" \u3000"));
            TestSupport::clickButton(dialog, 1);
            seen << (dialog->focusWidget() == edit(dialog, 1001) ? QStringLiteral("group") : QString());
            edit(dialog, 1001)->setText(QStringLiteral("1班"));
            TestSupport::clickButton(dialog, 1);
            seen << (dialog->focusWidget() == edit(dialog, 1002) ? QStringLiteral("semester") : QString());
            edit(dialog, 1002)->setText(QStringLiteral("上"));
            TestSupport::clickButton(dialog, 1);
            if (dialog->isVisible())
                TestSupport::closeDialog(dialog);
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QVERIFY(stayedOpen);
        QCOMPARE(seen,
            (QStringList { QStringLiteral("增加新小组"), QStringLiteral("2010"), QStringLiteral("read-only"),
                QStringLiteral("/rosters/1班.txt"), QStringLiteral("group"), QStringLiteral("semester") }));
        QCOMPARE(prompt.texts(),
            (QStringList { QStringLiteral("Enter an integer."), QStringLiteral("小组名称不能为空，请输入小组名称。"),
                QStringLiteral("学期名称不能为空，请输入学期名称。") }));
        QCOMPARE(prompt.fileRequests.size(), 2);
        QCOMPARE(prompt.fileRequests.first().filter, QStringLiteral("txt File(*.txt);;All Files(*.*)"));
        QCOMPARE(dlg.m_nYear, 2012);
        QCOMPARE(dlg.m_strGroup, QStringLiteral("1班"));
        QCOMPARE(dlg.m_strSemester, QStringLiteral("上"));
        QCOMPARE(dlg.m_strRosterPath, QStringLiteral("/rosters/1班.txt"));
    }

    void semesterForms()
    {
        ScriptedPrompt prompt;
        CStudentAddxueqiDlg add;
        add.m_strYear = QStringLiteral("2012");
        add.m_strGroup = QStringLiteral("1班");
        add.m_strSemester = QStringLiteral("新学期的名字");
        QStringList seen;
        TestSupport::whenModal([&seen](QWidget *dialog) {
            seen << dialog->windowTitle();
            for (int id : { 1000, 1001, 1002 })
                seen << edit(dialog, id)->text()
                        + (edit(dialog, id)->isReadOnly() ? QStringLiteral(" (read-only)") : QString());
            edit(dialog, 1002)->setText(QStringLiteral("\t "));
            TestSupport::clickButton(dialog, 1);
            seen << (dialog->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
            edit(dialog, 1002)->setText(QStringLiteral("下学期"));
            TestSupport::clickButton(dialog, 1);
            if (dialog->isVisible())
                TestSupport::closeDialog(dialog);
        });
        QCOMPARE(add.exec(), int(QDialog::Accepted));
        QCOMPARE(seen,
            (QStringList { QStringLiteral("增加新学期"), QStringLiteral("2012 (read-only)"),
                QStringLiteral("1班 (read-only)"), QStringLiteral("新学期的名字"), QStringLiteral("open") }));
        QCOMPARE(prompt.texts(), QStringList { QStringLiteral("学期名称不能为空，请输入学期名称。") });
        prompt.clear();
        QCOMPARE(add.m_strSemester, QStringLiteral("下学期"));
        QCOMPARE(add.m_strGroup, QStringLiteral("1班"));

        CStuEditXueqiDlg editDlg;
        editDlg.m_nYear = 2012;
        editDlg.m_strGroup = QStringLiteral("1班");
        seen.clear();
        TestSupport::whenModal([&seen](QWidget *dialog) {
            seen << dialog->windowTitle() << edit(dialog, 1000)->text();
            edit(dialog, 1000)->setText(QString());
            TestSupport::clickButton(dialog, 1);
            seen << (dialog->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
            edit(dialog, 1000)->setText(QStringLiteral(" 2013 "));
            TestSupport::clickButton(dialog, 1); // the semester still empty
            seen << (dialog->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
            edit(dialog, 1002)->setText(QStringLiteral("上"));
            TestSupport::clickButton(dialog, 1);
            if (dialog->isVisible())
                TestSupport::closeDialog(dialog);
        });
        QCOMPARE(editDlg.exec(), int(QDialog::Accepted));
        QCOMPARE(seen,
            (QStringList { QStringLiteral("编辑学期"), QStringLiteral("2012"), QStringLiteral("open"),
                QStringLiteral("open") }));
        QCOMPARE(prompt.texts(),
            (QStringList { QStringLiteral("Enter an integer."), QStringLiteral("学期名称不能为空，请输入学期名称。") }));
        QCOMPARE(editDlg.m_nYear, 2013);
        QCOMPARE(editDlg.m_strSemester, QStringLiteral("上"));

        cancelForm();
        QCOMPARE(editDlg.exec(), int(QDialog::Rejected));
    }

    void importingAGroup()
    {
        ScriptedPrompt prompt;
        const QString roster = writeFile(QStringLiteral("roster.txt"),
            TextCodec::encode(QStringLiteral("张三\r\n李四\r\n"), TextCodec::Encoding::Utf16Le, true));
        fillGroupForm(prompt, QStringLiteral("2012"), QStringLiteral("1班"), QStringLiteral("上"), roster);
        QCOMPARE(GroupPageActions::ImportGroup(&m_page, *m_store), std::optional<int>(1));
        QCOMPARE(m_store->student(1, 2)->name, std::optional<QString>(QStringLiteral("李四")));
        QVERIFY(prompt.shown.isEmpty());

        // Cancelled form: nothing happens.
        cancelForm();
        QCOMPARE(GroupPageActions::ImportGroup(&m_page, *m_store), std::nullopt);
        QVERIFY(prompt.shown.isEmpty());

        // The same year and group, another semester.
        fillGroupForm(prompt, QStringLiteral("2012"), QStringLiteral("1班"), QStringLiteral("下"), roster);
        QCOMPARE(GroupPageActions::ImportGroup(&m_page, *m_store), std::nullopt);
        QCOMPARE(prompt.lastText(), QStringLiteral("已经存在此小组，只需为此小组增加新的学期即可"));
        QVERIFY(prompt.shown.last().applicationBox);

        // A roster that cannot be read: reported before anything is written.
        prompt.clear();
        fillGroupForm(prompt, QStringLiteral("2013"), QStringLiteral("2班"), QStringLiteral("上"),
            m_dir->filePath(QStringLiteral("missing.txt")));
        QCOMPARE(GroupPageActions::ImportGroup(&m_page, *m_store), std::nullopt);
        QCOMPARE(prompt.texts(),
            QStringList { QStringLiteral("打不开学名册,请检查是否已打开此文档，如打开，则需关闭") });
        QCOMPARE(m_store->groupCount(2013, QStringLiteral("2班")), 0);

        // A database failure: the page's box with the driver's text; nothing remains.
        prompt.clear();
        m_db->exec(QStringLiteral("CREATE TABLE 小组表2(x INTEGER)"));
        fillGroupForm(prompt, QStringLiteral("2013"), QStringLiteral("2班"), QStringLiteral("上"), roster);
        QCOMPARE(GroupPageActions::ImportGroup(&m_page, *m_store), std::nullopt);
        QCOMPARE(prompt.shown.size(), 1);
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("导入小组失败"));
        QVERIFY(!prompt.shown.first().applicationBox);
        QVERIFY2(prompt.lastText().contains(QStringLiteral("already exists")), qPrintable(prompt.lastText()));
        QCOMPARE(m_store->groupCount(2013, QStringLiteral("2班")), 0);

        // No roster: an empty group.
        m_db->exec(QStringLiteral("DROP TABLE 小组表2"));
        fillGroupForm(prompt, QStringLiteral("2013"), QStringLiteral("2班"), QStringLiteral("上"), QString());
        QCOMPARE(GroupPageActions::ImportGroup(&m_page, *m_store), std::optional<int>(2));
        QVERIFY(m_store->students(2).isEmpty());
    }

    void addingASemester()
    {
        ScriptedPrompt prompt;
        const int first = m_store
                              ->importGroup({ 2012, QStringLiteral("1班"), QStringLiteral("上") },
                                  { QStringLiteral("甲") }, std::nullopt)
                              .groupId;
        const int other = m_store
                              ->importGroup({ 2013, QStringLiteral("2班"), QStringLiteral("上") },
                                  { QStringLiteral("乙") }, std::nullopt)
                              .groupId;

        QCOMPARE(GroupPageActions::AddSemester(&m_page, *m_store, std::nullopt, first), std::nullopt);
        QCOMPARE(prompt.texts(), QStringList { QStringLiteral("请选择一个小组") });

        // The selected row's group gets the semester, even while another group is current.
        prompt.clear();
        answerSemesterForm(QStringLiteral("下"));
        const auto added = GroupPageActions::AddSemester(&m_page, *m_store,
            row(QStringLiteral("2012"), QStringLiteral("1班"), QStringLiteral("上"), 1), other);
        QVERIFY(added);
        QCOMPARE(added->groupId, first);
        QCOMPARE(added->classId, 3);
        QCOMPARE(m_store->semester(3)->groupId, std::optional<int>(first));
        QCOMPARE(m_store->score(3, 1)->name, std::optional<QString>(QStringLiteral("甲")));
        QVERIFY(prompt.shown.isEmpty());

        answerSemesterForm(QStringLiteral("下"));
        QCOMPARE(GroupPageActions::AddSemester(&m_page, *m_store,
                     row(QStringLiteral("2012"), QStringLiteral("1班"), QStringLiteral("上"), 1), first),
            std::nullopt);
        QCOMPARE(prompt.texts(), QStringList { QStringLiteral("已经存在此学期，新从新设计新学期的名字") });

        prompt.clear();
        cancelForm();
        QCOMPARE(GroupPageActions::AddSemester(&m_page, *m_store,
                     row(QStringLiteral("2012"), QStringLiteral("1班"), QStringLiteral("上"), 1), first),
            std::nullopt);
        QVERIFY(prompt.shown.isEmpty());

        Database closed(QStringLiteral("closed"));
        answerSemesterForm(QStringLiteral("秋"));
        QCOMPARE(GroupPageActions::AddSemester(&m_page, StudentStore(closed),
                     row(QStringLiteral("2012"), QStringLiteral("1班"), QStringLiteral("上"), 1), first),
            std::nullopt);
        QCOMPARE(prompt.shown.size(), 1);
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("增加新学期失败"));
    }

    void editingAndDeletingASemester()
    {
        ScriptedPrompt prompt;
        m_store->importGroup({ 2012, QStringLiteral("1班"), QStringLiteral("上") }, {}, std::nullopt);
        m_store->importGroup({ 2013, QStringLiteral("2班"), QStringLiteral("上") }, {}, std::nullopt);

        QCOMPARE(GroupPageActions::EditSemester(&m_page, *m_store, std::nullopt), std::nullopt);
        QCOMPARE(prompt.texts(), QStringList { QStringLiteral("您还没有选择需要编辑的项目") });

        // The form shows the selected row, and that row is the one renamed.
        prompt.clear();
        QString shownGroup;
        TestSupport::whenModal([&shownGroup](QWidget *dialog) {
            shownGroup = edit(dialog, 1001)->text();
            edit(dialog, 1000)->setText(QStringLiteral("2014"));
            edit(dialog, 1002)->setText(QStringLiteral("下"));
            TestSupport::clickButton(dialog, 1);
        });
        const auto edited = GroupPageActions::EditSemester(
            &m_page, *m_store, row(QStringLiteral("2013"), QStringLiteral("2班"), QStringLiteral("上"), 2));
        QVERIFY(edited);
        QCOMPARE(shownGroup, QStringLiteral("2班"));
        QCOMPARE(edited->year, QStringLiteral("2014"));
        QCOMPARE(edited->semester, QStringLiteral("下"));
        QCOMPARE(m_store->semester(2)->year, std::optional<int>(2014));
        QCOMPARE(m_store->semester(1)->year, std::optional<int>(2012));

        // Delete asks first, even without a selection.
        prompt.answerNext(Prompt::Cancel);
        QVERIFY(!GroupPageActions::DeleteSemester(
            &m_page, *m_store, row(QStringLiteral("2012"), QStringLiteral("1班"), QStringLiteral("上"), 1)));
        QCOMPARE(prompt.shown.size(), 1);
        QCOMPARE(
            prompt.shown.first().text, QStringLiteral("删除会导致与之对应的成绩表不可用， 是否确定删除"));
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("删除信息"));
        QCOMPARE(prompt.shown.first().buttons, Prompt::OkCancel);
        QVERIFY(m_store->semester(1));

        prompt.clear();
        QVERIFY(!GroupPageActions::DeleteSemester(&m_page, *m_store, std::nullopt));
        QCOMPARE(prompt.texts(),
            (QStringList { QStringLiteral("删除会导致与之对应的成绩表不可用， 是否确定删除"),
                QStringLiteral("请选择要删除的内容，请谨慎选择，以免误删信息") }));

        QVERIFY(GroupPageActions::DeleteSemester(
            &m_page, *m_store, row(QStringLiteral("2012"), QStringLiteral("1班"), QStringLiteral("上"), 1)));
        QVERIFY(!m_store->semester(1));
        QVERIFY(m_db->hasTable(QStringLiteral("课堂成绩表1")));

        prompt.clear();
        Database closed(QStringLiteral("closed"));
        QVERIFY(!GroupPageActions::DeleteSemester(&m_page, StudentStore(closed),
            row(QStringLiteral("2014"), QStringLiteral("2班"), QStringLiteral("下"), 2)));
        QCOMPARE(prompt.shown.last().caption, QStringLiteral("删除数据失败"));
        QCOMPARE(prompt.shown.last().text, QStringLiteral("数据库 没有打开，本次操作没有改动任何数据。"));

        prompt.clear();
        GroupPageActions::StoreTicks(StudentStore(closed),
            { row(QStringLiteral("2014"), QStringLiteral("2班"), QStringLiteral("下"), 2) });
        QCOMPARE(prompt.texts(), QStringList { QStringLiteral("数据库 没有打开，本次操作没有改动任何数据。") });
    }
};

PELLOR_WIDGET_TEST_MAIN(TestRecordsDialogs)
#include "tst_records_dialogs.moc"
