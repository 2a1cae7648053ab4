#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"

#include "AppTestHelpers.h"
#include "TestMain.h"

#include "app/CJiguDlg.h"
#include "app/CPellorDlg.h"
#include "application/CPellorApp.h"
#include "app/CSetDlg.h"
#include "app/core/GroupScoreFile.h"
#include "application/SettingsFile.h"

#include "platform/base/ProfileFile.h"
#include "platform/base/TextCodec.h"
#include "platform/gui/Prompt.h"

#include "UnreadableFiles.h"

#include <QDir>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <tuple>
#include <memory>

namespace {

const QString kTitle = QStringLiteral("Quorinde2.6版");
const QString kFilter = QStringLiteral("jpg File(*.jpg,*.bmp) (*.jpg *bmp);;All Files(*.*) (*)");

QLineEdit *edit(QWidget *dlg, int id)
{
    return dlg->findChild<QLineEdit *>(QStringLiteral("edit%1").arg(id));
}

QPushButton *button(QWidget *dlg, int id)
{
    return dlg->findChild<QPushButton *>(QStringLiteral("button%1").arg(id));
}

template<typename T>
T *control(QWidget *dlg, const char *kind, int id)
{
    return dlg->findChild<T *>(QLatin1String(kind) + QString::number(id));
}

} // namespace

class TestSetDlg : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompt.clear();
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
    }

    void cleanup()
    {
        m_dlg.reset();
        m_program.reset();
    }

    void scoresAreTakenAsWholePointsAndEveryKeyIsWritten()
    {
        // Only two keys to begin with, so that the write of the others shows.
        startWithSettings("[NumOfClass]\r\nNumOfClass=3\r\n[Score]\r\nBasicScore=7\r\n");
        QCOMPARE(m_dlg->lesson().settings().m_nBasicScore, 7);

        runSettings([](CSetDlg *dlg) {
            QCOMPARE(edit(dlg, CSetDlg::IDC_BASIC_SCORE)->text(), QStringLiteral("7"));
            QCOMPARE(edit(dlg, CSetDlg::IDC_JIGU)->text(), QStringLiteral("20"));
            QCOMPARE(edit(dlg, CSetDlg::IDC_NUM_OF_CLASS)->text(), QStringLiteral("3"));
            edit(dlg, CSetDlg::IDC_BASIC_SCORE)->setText(QStringLiteral("2.9"));
            edit(dlg, CSetDlg::IDC_WRONG_SCORE)->setText(QStringLiteral("-1.5"));
            edit(dlg, CSetDlg::IDC_QUITE_RIGHT_SCORE)->setText(QStringLiteral("100.9"));
            button(dlg, CSetDlg::IDC_OK)->click();
        });

        QCOMPARE(m_dlg->lesson().settings().m_nBasicScore, 2);
        QCOMPARE(m_dlg->lesson().settings().m_nWrongScore, -1);
        QCOMPARE(m_dlg->lesson().settings().m_nRightScore, 2);
        QCOMPARE(m_dlg->lesson().settings().m_nQuiteRightScore, 100);
        QCOMPARE(m_dlg->windowTitle(), kTitle);

        const ProfileFile file(settingsPath());
        QCOMPARE(file.read("Score", "BasicScore"), QStringLiteral("2"));
        QCOMPARE(file.read("Score", "WrongScore"), QStringLiteral("-1"));
        QCOMPARE(file.read("Score", "ZhuDongFen"), QStringLiteral("0"));
        QCOMPARE(file.read("Score", "RightScore"), QStringLiteral("2"));
        QCOMPARE(file.read("Score", "QuiteRightScore"), QStringLiteral("100"));
        QCOMPARE(file.read("NumOfClass", "NumOfClass"), QStringLiteral("3"));
        QCOMPARE(file.read("JiGu", "NumOfJiGu"), QStringLiteral("20"));
        QCOMPARE(file.read("Voice", "Voice"), QStringLiteral("0"));
        QCOMPARE(file.read("DongHua", "ShowDongHua"), QStringLiteral("1"));
        QCOMPARE(file.read("SelectClass", "SelectClass"), QStringLiteral("0"));
        QCOMPARE(file.read("backBrush", "backBrush"), QStringLiteral("res/photo/1.bmp"));
    }

    void drumBeatsAloneRewriteEverythingAndKeepTheLesson()
    {
        startWithSettings("[NumOfClass]\r\nNumOfClass=3\r\n");
        CJiguDlg jigu(m_dlg.get(), m_dlg->lesson());
        // A lesson in progress.
        QVERIFY(m_dlg->lesson().Choose(0, 1));
        QVERIFY(m_dlg->lesson().Grade(3));
        const int numbers = m_dlg->m_comboNumber->count();

        runSettings([](CSetDlg *dlg) {
            edit(dlg, CSetDlg::IDC_JIGU)->setText(QStringLiteral("7"));
            button(dlg, CSetDlg::IDC_OK)->click();
        });

        QCOMPARE(m_dlg->lesson().settings().m_nNumOfJiGu, 7);
        QCOMPARE(jigu.m_nBeats, 7);
        const ProfileFile file(settingsPath());
        QCOMPARE(file.read("JiGu", "NumOfJiGu"), QStringLiteral("7"));
        QCOMPARE(file.read("Voice", "Voice"), QStringLiteral("0"));
        QCOMPARE(file.read("Score", "BasicScore"), QStringLiteral("2"));
        QCOMPARE(file.read("Score", "QuiteRightScore"), QStringLiteral("3"));
        QCOMPARE(file.read("DongHua", "ShowDongHua"), QStringLiteral("1"));
        QCOMPARE(file.read("SelectClass", "SelectClass"), QStringLiteral("0"));
        // The number of groups is the same: nothing is read again, nothing asked, the lesson stays.
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 17);
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[0].at(0), 3);
        QCOMPARE(m_dlg->m_comboNumber->count(), numbers);
        QCOMPARE(m_dlg->windowTitle(), kTitle);
    }

    void okWithoutChangeWritesOnlyThePicture()
    {
        startWithSettings("[NumOfClass]\r\nNumOfClass=3\r\n");
        QVERIFY(m_dlg->lesson().Choose(1, 1));
        QVERIFY(m_dlg->lesson().Grade(3));
        const int inProgress = m_dlg->lesson().tables().m_nGroupScore[1];

        runSettings([](CSetDlg *dlg) { button(dlg, CSetDlg::IDC_OK)->click(); });

        const QString text = QString::fromUtf8(m_program->readFile("res/set.ini"));
        QVERIFY(text.contains(QStringLiteral("[backBrush]")));
        const ProfileFile file(settingsPath());
        QCOMPARE(file.read("backBrush", "backBrush"), QStringLiteral("res/photo/1.bmp"));
        QCOMPARE(file.read("NumOfClass", "NumOfClass"), QStringLiteral("3"));
        for (const char *section : {"JiGu", "Voice", "Score", "DongHua", "SelectClass"})
            QVERIFY2(!text.contains(QLatin1Char('[') + QLatin1String(section) + QLatin1Char(']')), section);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[1], inProgress);
        QCOMPARE(m_dlg->windowTitle(), kTitle);
    }

    void cancelKeepsThePathOfTheWindowAndTheFile()
    {
        startWithSettings("[NumOfClass]\r\nNumOfClass=3\r\n");
        const QString before = m_dlg->backBrush();
        const QByteArray fileBefore = m_program->readFile("res/set.ini");
        const QString picture = m_program->file("res/photo/2.jpg");
        m_prompt.fileNameNext(picture);

        runSettings([picture](CSetDlg *dlg) {
            button(dlg, CSetDlg::IDC_BROWSE)->click();
            QCOMPARE(edit(dlg, CSetDlg::IDC_BACK_BRUSH)->text(), picture);
            QCOMPARE(dlg->m_strBackBrush, picture);
            button(dlg, CSetDlg::IDC_CANCEL)->click();
        });

        QCOMPARE(m_prompt.fileRequests.size(), 1);
        QCOMPARE(m_prompt.fileRequests.first().filter, kFilter);
        QVERIFY(!m_prompt.fileRequests.first().save);
        QCOMPARE(m_dlg->backBrush(), before);
        QCOMPARE(m_program->readFile("res/set.ini"), fileBefore);
        QCOMPARE(m_dlg->windowTitle(), kTitle);
    }

    void valuesOutsideTheirRangeAreRefused()
    {
        startWithSettings(m_program->readFile("res/set.ini"));
        const QByteArray fileBefore = m_program->readFile("res/set.ini");
        QVERIFY(m_dlg->lesson().Choose(1, 1));
        QVERIFY(m_dlg->lesson().Grade(3));
        bool checked = false;

        runSettings([this, &checked](CSetDlg *dlg) {
            const QString scores = QStringLiteral(" 应在 -100 到 100 之间，请重新输入。");
            const QList<std::tuple<int, QString, QString>> refused = {
                {CSetDlg::IDC_QUITE_RIGHT_SCORE, QStringLiteral("1e20"), QStringLiteral("优秀") + scores},
                {CSetDlg::IDC_BASIC_SCORE, QStringLiteral("-101"), QStringLiteral("基本分") + scores},
                {CSetDlg::IDC_NUM_OF_CLASS, QStringLiteral("9"), QStringLiteral("小组数目 应在 1 到 8 之间，请重新输入。")},
                {CSetDlg::IDC_JIGU, QStringLiteral("0"), QStringLiteral("击鼓次数 应在 1 到 200 之间，请重新输入。")},
            };
            for (const auto &[id, text, message] : refused) {
                m_prompt.clear();
                QLineEdit *field = edit(dlg, id);
                const QString kept = field->text();
                field->setText(text);
                button(dlg, CSetDlg::IDC_OK)->click();
                QCOMPARE(m_prompt.texts(), QStringList{message});
                QVERIFY(m_prompt.shown.first().applicationBox);
                QVERIFY(dlg->isVisible());
                QCOMPARE(dlg->focusWidget(), field);
                field->setText(kept);
            }
            checked = true;
            button(dlg, CSetDlg::IDC_CANCEL)->click();
        });

        // Nothing was taken: the file, the settings and the lesson are as they were.
        QVERIFY(checked);
        QCOMPARE(m_program->readFile("res/set.ini"), fileBefore);
        QCOMPARE(m_dlg->lesson().settings().m_nQuiteRightScore, 3);
        QCOMPARE(m_dlg->lesson().settings().m_nNumOfClass, 3);
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[1].at(0), 3);
        QVERIFY(m_dlg->lesson().isUnsaved());
    }

    void reloadAsksBeforeDroppingGrades()
    {
        const QString question = QStringLiteral("本节课的成绩尚未保存，重新读取成绩文件会丢失这些成绩。是否继续？");
        startWithSettings(m_program->readFile("res/set.ini"));
        const int loaded = m_dlg->lesson().tables().m_nGroupScore[0];
        TestSupport::whenModal([](QWidget *grading) { TestSupport::clickButton(grading, 3); });
        m_dlg->m_comboNumber->setCurrentIndex(0);
        m_dlg->OnCbnSelchangeStudent();
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], loaded + 1);

        // 否: the dialog stays with the teacher's edits, and nothing is taken or written; put
        // back, the number needs no reload and OK asks nothing.
        const QByteArray fileBefore = m_program->readFile("res/set.ini");
        runSettings([this, question, fileBefore](CSetDlg *dlg) {
            edit(dlg, CSetDlg::IDC_NUM_OF_CLASS)->setText(QStringLiteral("2"));
            edit(dlg, CSetDlg::IDC_JIGU)->setText(QStringLiteral("7"));
            m_prompt.answerNext(Prompt::No);
            button(dlg, CSetDlg::IDC_OK)->click();
            QCOMPARE(m_prompt.texts(), QStringList{question});
            QCOMPARE(m_prompt.shown.first().buttons, Prompt::YesNo);
            QVERIFY(!m_prompt.shown.first().applicationBox);
            QVERIFY(dlg->isVisible());
            QCOMPARE(edit(dlg, CSetDlg::IDC_NUM_OF_CLASS)->text(), QStringLiteral("2"));
            QCOMPARE(m_program->readFile("res/set.ini"), fileBefore);
            QCOMPARE(m_dlg->lesson().settings().m_nNumOfJiGu, 20);
            edit(dlg, CSetDlg::IDC_NUM_OF_CLASS)->setText(QStringLiteral("3"));
            button(dlg, CSetDlg::IDC_OK)->click();
            QVERIFY(!dlg->isVisible());
        });
        QCOMPARE(m_prompt.shown.size(), 1);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], loaded + 1);
        QCOMPARE(m_dlg->m_comboGroup->count(), 3);
        QCOMPARE(m_dlg->lesson().settings().m_nNumOfJiGu, 7);
        QCOMPARE(ProfileFile(settingsPath()).read("NumOfClass", "NumOfClass"), QStringLiteral("3"));
        QVERIFY(m_program->readFile("res/set.ini") != fileBefore);

        // 是: the files are read again as asked, and the grade is gone.
        m_prompt.clear();
        m_prompt.answerNext(Prompt::Yes);
        runSettings([](CSetDlg *dlg) {
            edit(dlg, CSetDlg::IDC_NUM_OF_CLASS)->setText(QStringLiteral("2"));
            button(dlg, CSetDlg::IDC_OK)->click();
        });
        QCOMPARE(m_prompt.texts(), QStringList{question});
        QCOMPARE(m_dlg->m_comboGroup->count(), 2);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], loaded);
        // The fields show the lesson read again: nobody on call, group 1's score as read.
        QCOMPARE(QStringList({m_dlg->m_comboNumber->currentText(), m_dlg->m_editName->text(),
                              m_dlg->m_editPersonal->text(), m_dlg->m_editGroup->text()}),
                 QStringList({QString(), QString(), QString(), QString::number(loaded)}));

        // With nothing unsaved it reloads without asking.
        m_prompt.clear();
        runSettings([](CSetDlg *dlg) {
            edit(dlg, CSetDlg::IDC_NUM_OF_CLASS)->setText(QStringLiteral("3"));
            button(dlg, CSetDlg::IDC_OK)->click();
        });
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(m_dlg->m_comboGroup->count(), 3);
    }

    void anotherBaseScoreIsReadWithTheFiles()
    {
        const QString question = QStringLiteral("本节课的成绩尚未保存，重新读取成绩文件会丢失这些成绩。是否继续？");
        startWithSettings(m_program->readFile("res/set.ini"));
        changeSettings(m_dlg->lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 16); // eight students, each credited with 2

        // Before any grade: the files are read again with the new credit, without asking.
        runSettings([](CSetDlg *dlg) {
            edit(dlg, CSetDlg::IDC_BASIC_SCORE)->setText(QStringLiteral("1"));
            button(dlg, CSetDlg::IDC_OK)->click();
        });
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 8);
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[0].at(1), 1);

        // "好" (2) on student 1, credited with 1.
        m_dlg->m_comboNumber->setCurrentIndex(0);
        m_dlg->OnCbnSelchangeStudent();
        TestSupport::whenModal([](QWidget *grading) { TestSupport::clickButton(grading, 2); });
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[0].at(0), 2);

        // 否, then 取消: the lesson and the file keep the base score of 1 the lesson credited.
        const QByteArray fileBefore = m_program->readFile("res/set.ini");
        runSettings([this](CSetDlg *dlg) {
            edit(dlg, CSetDlg::IDC_BASIC_SCORE)->setText(QStringLiteral("3"));
            m_prompt.answerNext(Prompt::No);
            button(dlg, CSetDlg::IDC_OK)->click();
            QVERIFY(dlg->isVisible());
            button(dlg, CSetDlg::IDC_CANCEL)->click();
        });
        QCOMPARE(m_prompt.texts(), QStringList{question});
        QCOMPARE(m_dlg->lesson().settings().m_nBasicScore, 1);
        QCOMPARE(m_program->readFile("res/set.ini"), fileBefore);
        QCOMPARE(ProfileFile(settingsPath()).read("Score", "BasicScore"), QStringLiteral("1"));
        m_dlg->m_comboNumber->setCurrentIndex(2);
        m_dlg->OnCbnSelchangeStudent();
        TestSupport::whenModal([](QWidget *grading) { TestSupport::clickButton(grading, 2); });
        m_dlg->OnBnClickedPresent();
        QCOMPARE(m_dlg->lesson().tables().m_vecTotalScore[0].at(2), 2);
        QCOMPARE(m_dlg->lesson().tables().m_nGroupScore[0], 10);
        QVERIFY(m_dlg->lesson().isUnsaved());
    }

    void pictureOfTheProgramFolderMovesWithIt()
    {
        startWithSettings("[NumOfClass]\r\nNumOfClass=3\r\n");
        const QString picture = m_program->file("res/photo/3.jpg");
        m_prompt.fileNameNext(picture);
        runSettings([](CSetDlg *dlg) {
            button(dlg, CSetDlg::IDC_BROWSE)->click();
            button(dlg, CSetDlg::IDC_OK)->click();
        });
        QCOMPARE(m_dlg->backBrush(), picture);
        QVERIFY(m_program->readFile("res/set.ini").contains("backBrush=res/photo/3.jpg\r\n"));

        // The class copied to another computer: the settings find the picture in the folder
        // the program runs in now.
        const QByteArray settings = m_program->readFile("res/set.ini");
        m_dlg.reset();
        m_program.reset();
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
        startWithSettings(settings);
        QCOMPARE(m_dlg->backBrush(), m_program->file("res/photo/3.jpg"));

        // A picture elsewhere keeps its whole path.
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("back.jpg"));
        QVERIFY(QFile::copy(m_program->file("res/photo/3.jpg"), outside));
        m_prompt.fileNameNext(outside);
        runSettings([](CSetDlg *dlg) {
            button(dlg, CSetDlg::IDC_BROWSE)->click();
            button(dlg, CSetDlg::IDC_OK)->click();
        });
        QCOMPARE(ProfileFile(settingsPath()).read("backBrush", "backBrush"), outside);
        startWithSettings(m_program->readFile("res/set.ini"));
        QCOMPARE(m_dlg->backBrush(), outside);
    }

    void cancelAfterAPictureThatDoesNotLoad()
    {
        startWithSettings("[NumOfClass]\r\nNumOfClass=3\r\n[backBrush]\r\nbackBrush="
                          + m_program->file("res/photo/2.jpg").toUtf8() + "\r\n");
        const QString before = m_dlg->backBrush();
        QCOMPARE(before, m_program->file("res/photo/2.jpg"));
        m_program->writeFile("res/photo/broken.jpg", "not a picture");
        m_prompt.fileNameNext(m_program->file("res/photo/broken.jpg"));
        runSettings([](CSetDlg *dlg) {
            button(dlg, CSetDlg::IDC_BROWSE)->click();
            button(dlg, CSetDlg::IDC_CANCEL)->click();
        });
        // The preview fell back to the default picture, on screen only.
        QCOMPARE(m_prompt.texts(), QStringList{QStringLiteral("无法从流中装载图片!")});
        QCOMPARE(m_dlg->backBrush(), before);
        runSettings([](CSetDlg *dlg) { button(dlg, CSetDlg::IDC_OK)->click(); });
        QCOMPARE(ProfileFile(settingsPath()).read("backBrush", "backBrush"), QStringLiteral("res/photo/2.jpg"));
    }

    void unreadableSettingsFileIsNotWiped()
    {
        QVERIFY(QFile::remove(settingsPath()));
        QVERIFY(UnreadableFiles::makeSocket(settingsPath()));
        m_dlg = std::make_unique<CPellorDlg>();
        m_prompt.clear();
        runSettings([](CSetDlg *dlg) {
            edit(dlg, CSetDlg::IDC_JIGU)->setText(QStringLiteral("7"));
            button(dlg, CSetDlg::IDC_OK)->click();
        });
        QCOMPARE(m_prompt.shown.size(), 1);
        QVERIFY(m_prompt.lastText().startsWith(settingsPath() + QStringLiteral(" 读取失败（")));
        QVERIFY(UnreadableFiles::isSocket(settingsPath()));
        QCOMPARE(m_dlg->lesson().settings().m_nNumOfJiGu, 7); // the window runs with it, the file is left alone
    }

    void textThatIsNoNumberKeepsTheDialogOpen()
    {
        startWithSettings("[NumOfClass]\r\nNumOfClass=3\r\n");
        const QByteArray fileBefore = m_program->readFile("res/set.ini");
        bool checked = false;

        runSettings([this, &checked](CSetDlg *dlg) {
            QLineEdit *basic = edit(dlg, CSetDlg::IDC_BASIC_SCORE);
            basic->setText(QStringLiteral("abc"));
            button(dlg, CSetDlg::IDC_OK)->click();
            QCOMPARE(m_prompt.texts(), QStringList({"Enter a number."}));
            QVERIFY(dlg->isVisible());
            QCOMPARE(dlg->focusWidget(), basic);

            basic->setText(QStringLiteral("4"));
            QLineEdit *groups = edit(dlg, CSetDlg::IDC_NUM_OF_CLASS);
            groups->setText(QStringLiteral("2.5"));
            button(dlg, CSetDlg::IDC_OK)->click();
            QCOMPARE(m_prompt.lastText(), QStringLiteral("Enter an integer."));
            QVERIFY(dlg->isVisible());
            QCOMPARE(dlg->focusWidget(), groups);

            // The chooser reports the field and opens all the same.
            m_prompt.clear();
            button(dlg, CSetDlg::IDC_BROWSE)->click();
            QCOMPARE(m_prompt.texts(), QStringList({"Enter an integer."}));
            QCOMPARE(m_prompt.fileRequests.size(), 1);
            checked = true;
            button(dlg, CSetDlg::IDC_CANCEL)->click();
        });

        QVERIFY(checked);
        QCOMPARE(m_dlg->lesson().settings().m_nBasicScore, 2);
        QCOMPARE(m_program->readFile("res/set.ini"), fileBefore);
        QCOMPARE(m_dlg->windowTitle(), kTitle);
    }

    void withoutTheMainWindowTheChooserOnlyFillsTheField()
    {
        QWidget toolBar;
        CSetDlg dlg(&toolBar);
        QSignalSpy chosen(&dlg, &CSetDlg::pictureChosen);
        dlg.FillFrom(RollCallSettings{});
        dlg.m_nVoice = 2;
        dlg.m_nShowDonghua = 0;
        const QString picture = m_program->file("res/photo/3.jpg");
        m_prompt.fileNameNext(picture);

        TestSupport::whenModal([&](QWidget *) {
            QCOMPARE(dlg.windowTitle(), QStringLiteral("设置"));
            QVERIFY(control<QRadioButton>(&dlg, "radio", CSetDlg::IDC_VOICE_NONE)->isChecked());
            QVERIFY(!control<QRadioButton>(&dlg, "radio", CSetDlg::IDC_VOICE_SOUND)->isChecked());
            QVERIFY(!control<QCheckBox>(&dlg, "check", CSetDlg::IDC_SHOW_DONGHUA)->isChecked());
            QVERIFY(control<QCheckBox>(&dlg, "check", CSetDlg::IDC_SHOW_SCORE)->isChecked());
            const QColor green(199, 237, 204);
            QCOMPARE(dlg.palette().color(QPalette::Window), green);
            QCOMPARE(edit(&dlg, CSetDlg::IDC_BASIC_SCORE)->palette().color(QPalette::Base), green);
            QCOMPARE(control<QCheckBox>(&dlg, "check", CSetDlg::IDC_SELECT_CLASS)->palette().color(QPalette::Window),
                     green);
            button(&dlg, CSetDlg::IDC_BROWSE)->click();
            QCOMPARE(edit(&dlg, CSetDlg::IDC_BACK_BRUSH)->text(), picture);
            control<QRadioButton>(&dlg, "radio", CSetDlg::IDC_VOICE_JIGU)->click();
            control<QCheckBox>(&dlg, "check", CSetDlg::IDC_SELECT_CLASS)->click();
            button(&dlg, CSetDlg::IDC_OK)->click();
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(dlg.m_nVoice, 1);
        QCOMPARE(dlg.m_nSelectClass, 1);
        QCOMPARE(dlg.m_nShowScore, 1);
        QCOMPARE(dlg.m_strBackBrush, picture);
        QCOMPARE(chosen.count(), 1);

        // A mode outside the group checks no button and reads back as none.
        dlg.m_nVoice = 5;
        TestSupport::whenModal([&](QWidget *) {
            QVERIFY(!control<QRadioButton>(&dlg, "radio", CSetDlg::IDC_VOICE_SOUND)->isChecked());
            QVERIFY(!control<QRadioButton>(&dlg, "radio", CSetDlg::IDC_VOICE_JIGU)->isChecked());
            QVERIFY(!control<QRadioButton>(&dlg, "radio", CSetDlg::IDC_VOICE_NONE)->isChecked());
            control<QRadioButton>(&dlg, "radio", CSetDlg::IDC_VOICE_SOUND)->click();
            button(&dlg, CSetDlg::IDC_OK)->click();
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(dlg.m_nVoice, 0);
    }

private:
    QString settingsPath() const { return m_program->file("res/set.ini"); }

    void startWithSettings(const QByteArray &ini)
    {
        m_program->writeFile("res/set.ini", ini);
        m_dlg = std::make_unique<CPellorDlg>();
        m_prompt.clear();
    }

    // Presses the main window's "设置" and runs action on the dialog it opens.
    void runSettings(std::function<void(CSetDlg *)> action)
    {
        bool ran = false;
        TestSupport::whenModal([&ran, action](QWidget *modal) {
            auto dlg = qobject_cast<CSetDlg *>(modal);
            QVERIFY(dlg);
            ran = true;
            action(dlg);
            // A failed check above must not leave the dialog blocking the test.
            if (dlg->isVisible())
                dlg->reject();
        });
        m_dlg->m_btnSettings->click();
        QVERIFY(ran);
    }

    ScriptedPrompt m_prompt;
    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_program;
    std::unique_ptr<CPellorDlg> m_dlg;
};

PELLOR_WIDGET_TEST_MAIN(TestSetDlg)
#include "tst_setdlg.moc"
