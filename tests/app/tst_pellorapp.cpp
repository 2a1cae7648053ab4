#include "TestMain.h"

#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"

#include "app/CPellorDlg.h"
#include "app/PellorStartup.h"
#include "app/core/RollCallLesson.h"
#include "application/CPellorApp.h"
#include "platform/base/ProfileFile.h"

#include <QDialog>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

class TestPellorApp : public QObject
{
    Q_OBJECT

private slots:
    void membersAfterConstruction();
    void startUpRunsTheMainWindowAndReadsWeights();
    void weightsComeFromTheProgramFolder();
    void exitClosesOpenConnections();

private:
    // Runs InitInstance, closing the main window as soon as it is up; returns its class name.
    // Closes the main window as the close box does, dropping the lesson it began.
    static QString runAndClose(CPellorApp &app, bool &result, ScriptedPrompt &prompt,
                               const std::function<void(QWidget *)> &whileUp = {})
    {
        prompt.answerNext(Prompt::No);
        QString shown;
        TestSupport::whenModal([&shown, &whileUp](QWidget *modal) {
            shown = QString::fromLatin1(modal->metaObject()->className());
            if (whileUp)
                whileUp(modal);
            if (auto dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
        });
        result = PellorStartup::InitInstance(app);
        return shown;
    }
};

void TestPellorApp::membersAfterConstruction()
{
    const CPellorApp app;
    QCOMPARE(app.m_strAppDir, QString());
    QVERIFY(!app.m_pConnection);
    QVERIFY(!app.m_pStudentConnection);
    QCOMPARE(app.m_nKemuID, 0);
    QCOMPARE(app.m_nKeshiID, 0);
    QCOMPARE(app.m_nZhishidianID, 0);
    QVERIFY(!app.m_pZhishidianPage);
    QVERIFY(!app.m_pWentiDlg);
    QVERIFY(!app.m_bConnectionOpen);
    QVERIFY(!app.m_bStudentConnectionOpen);
    QCOMPARE(app.m_bShowScore, 1);
    QCOMPARE(app.m_fBasicScore, 0.0f);
    QCOMPARE(app.m_fMaxScore, 100.0f);
    QCOMPARE(app.m_fYouxiu, 2.0f);
    QCOMPARE(app.m_fLiangScore, 1.0f);
    QCOMPARE(app.m_fJiayouScore, 0.5f);
    QCOMPARE(app.m_fKuangkeScore, -2.0f);
    QCOMPARE(&theApp(), &theApp());
}

void TestPellorApp::startUpRunsTheMainWindowAndReadsWeights()
{
    TempProgramFolder folder;
    folder.copyDemo();
    folder.writeFile(QStringLiteral("res/set.ini"),
                     "[NumOfClass]\r\nNumOfClass=3\r\n[Score]\r\nBasicScore=2.5\r\nMaxScore=120\r\n"
                     "Youxiu=3\r\nLiangScore=1.5\r\nJiayouScore=0.25\r\nkuangkeScore=-4\r\n");
    ScriptedPrompt prompt;
    CPellorApp app;
    bool result = true;
    // The file is read once, for the main window's settings and the weights alike.
    int reads = 0;
    ProfileFile::setReadObserver([&reads](const QString &path) { reads += path.endsWith(QStringLiteral("set.ini")); });
    int groups = 0;
    const QString shown = runAndClose(app, result, prompt, [&groups](QWidget *main) {
        groups = qobject_cast<CPellorDlg *>(main)->lesson().settings().m_nNumOfClass;
    });
    ProfileFile::setReadObserver({});
    QCOMPARE(shown, QStringLiteral("CPellorDlg"));
    QCOMPARE(reads, 1);
    QCOMPARE(groups, 3);
    QVERIFY(!result); // the program ends with the main window
    QCOMPARE(app.m_fBasicScore, 2.5f);
    QCOMPARE(app.m_fMaxScore, 120.0f);
    QCOMPARE(app.m_fYouxiu, 3.0f);
    QCOMPARE(app.m_fLiangScore, 1.5f);
    QCOMPARE(app.m_fJiayouScore, 0.25f);
    QCOMPARE(app.m_fKuangkeScore, -4.0f);
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("本节课的成绩尚未保存，是否保存？")});
    QCOMPARE(theApp().m_strAppDir, folder.path());
    // No second window follows the main one.
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), w->metaObject()->className());
}

void TestPellorApp::weightsComeFromTheProgramFolder()
{
    // Started from another folder with a settings file of its own: the program folder's
    // file counts, and without one there the defaults stay.
    TempProgramFolder folder;
    folder.copyDemo();
    QFile::remove(folder.file(QStringLiteral("res/set.ini")));
    QTemporaryDir elsewhere;
    QVERIFY(QDir(elsewhere.path()).mkpath(QStringLiteral("res")));
    QFile other(elsewhere.path() + QStringLiteral("/res/set.ini"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("[Score]\r\nMaxScore=55\r\n");
    other.close();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));

    ScriptedPrompt prompt;
    CPellorApp app;
    bool result = true;
    const QString shown = runAndClose(app, result, prompt);
    QDir::setCurrent(previous);
    QCOMPARE(shown, QStringLiteral("CPellorDlg"));
    QCOMPARE(app.m_fMaxScore, 100.0f);
    QCOMPARE(app.m_fBasicScore, 0.0f);

    folder.writeFile(QStringLiteral("res/set.ini"), "[score]\r\nmaxscore=80\r\n");
    QCOMPARE(app.SettingsPath(), folder.file(QStringLiteral("res/set.ini")));
    app.ReadScoreWeights(app.SettingsPath());
    QCOMPARE(app.m_fMaxScore, 80.0f);
}

void TestPellorApp::exitClosesOpenConnections()
{
    QTemporaryDir dir;
    CPellorApp app;
    QCOMPARE(app.ExitInstance(), 0); // neither connection was ever made

    app.m_pConnection = std::make_shared<Database>(QStringLiteral("tst_pellorapp_content"));
    app.m_pConnection->open(dir.filePath(QStringLiteral("Content.db")));
    app.m_pStudentConnection = std::make_shared<Database>(QStringLiteral("tst_pellorapp_student"));
    app.m_pStudentConnection->open(dir.filePath(QStringLiteral("Student.db")));
    const DatabaseConnection pageCopy = app.m_pStudentConnection; // a page's counted copy
    QCOMPARE(app.ExitInstance(), 0);
    QVERIFY(!app.m_pConnection->isOpen());
    QVERIFY(!pageCopy->isOpen());
    QCOMPARE(app.ExitInstance(), 0); // closed ones are left as they are
    QVERIFY(!pageCopy->isOpen());
}

PELLOR_WIDGET_TEST_MAIN(TestPellorApp)
#include "tst_pellorapp.moc"
