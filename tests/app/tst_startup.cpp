#include "TestMain.h"

#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"

#include "app/CFlashDlg.h"
#include "app/CPellorDlg.h"
#include "app/PellorStartup.h"
#include "platform/base/ProgramFolder.h"
#include "records/CStudentInfoDlg.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <cstring>

// The program's whole run, in a child process: the real start-up, the records window opened
// (so that the student database is open and published), and one way out. The child must end
// with status 0, not crash on its way out.
namespace {

const char kChildFlag[] = "--child";
const char *g_childMode = nullptr;

// In the child: once the main window is up, open and close the records window, then leave
// the way the mode names.
void driveChild()
{
    auto main = qobject_cast<CPellorDlg *>(QApplication::activeModalWidget());
    if (!main) {
        QTimer::singleShot(0, driveChild);
        return;
    }
    TestSupport::whenModal([](QWidget *records) {
        if (!qobject_cast<CStudentInfoDlg *>(records))
            std::fprintf(stderr, "the records button opened %s\n", records->metaObject()->className());
        TestSupport::closeDialog(records);
    });
    if (std::strcmp(g_childMode, "hold") == 0) {
        // Up and holding the program folder, until the test ends this copy as a crash would.
        std::fputs("up\n", stdout);
        std::fflush(stdout);
        return;
    }
    TestSupport::clickButton(main, CPellorDlg::IDC_STUDENT_INFO);
    if (std::strcmp(g_childMode, "save-exit") == 0)
        TestSupport::clickButton(main, CPellorDlg::IDC_SAVE_EXIT);
    else
        main->close();
}

void scheduleChild()
{
    if (g_childMode)
        QTimer::singleShot(0, driveChild);
}
Q_COREAPP_STARTUP_FUNCTION(scheduleChild)

int runChild(int argc, char **argv)
{
    TestSupport::prepareEnvironment();
    ProgramFolder::setExecutableFolder(qEnvironmentVariable("PELLOR_CHILD_FOLDER"));
    CFlashDlg::setCloseDelayOverride(0);
    ScriptedPrompt prompt; // a box nobody answers would hang the child
    const int status = PellorStartup::run(argc, argv);
    for (const QString &text : prompt.texts())
        std::fprintf(stderr, "shown: %s\n", qPrintable(text));
    return status;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    static void startChild(QProcess &child, const char *mode, const TempProgramFolder &folder)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PELLOR_CHILD_FOLDER"), folder.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kChildFlag), QLatin1String(mode)});
    }

    // Runs the child on a copy of the demo folder; returns its exit code, -1 after a crash.
    // What it wrote to its error channel goes to errors when given, else to the test's.
    int runChildProcess(const char *mode, TempProgramFolder &folder, QString *errors = nullptr)
    {
        QProcess child;
        child.setProcessChannelMode(errors ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
        startChild(child, mode, folder);
        const bool finished = child.waitForFinished(60000);
        if (errors)
            *errors = QString::fromUtf8(child.readAllStandardError());
        if (!finished) {
            child.kill();
            child.waitForFinished();
            return -2;
        }
        return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    }

private slots:
    void endsCleanlyAfterTheRecordsWindowOpened_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("close box") << QStringLiteral("close-box");
        QTest::newRow("save and exit") << QStringLiteral("save-exit");
    }

    void endsCleanlyAfterTheRecordsWindowOpened()
    {
        QFETCH(QString, mode);
        TempProgramFolder folder;
        folder.copyDemo();
        QCOMPARE(runChildProcess(qPrintable(mode), folder), 0);
        // The records window did open the database.
        QVERIFY(folder.exists(QStringLiteral("Student.db")));
    }

    void oneProgramPerProgramFolder()
    {
        TempProgramFolder folder;
        folder.copyDemo();
        const auto filesOf = [&folder] {
            QMap<QString, QByteArray> files;
            QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                files.insert(path, folder.readFile(path.mid(folder.path().size() + 1)));
            }
            return files;
        };

        // A copy that holds the folder: the second says so and ends, touching no file.
        QLockFile running(folder.file(QStringLiteral("Pellor.lock")));
        running.setStaleLockTime(0);
        QVERIFY(running.tryLock());
        const auto before = filesOf();
        QString errors;
        QCOMPARE(runChildProcess("close-box", folder, &errors), 1);
        QVERIFY2(errors.contains(QStringLiteral("shown: 程序已经在运行")), qPrintable(errors));
        QCOMPARE(errors.count(QStringLiteral("shown: ")), 1);
        QCOMPARE(filesOf(), before);
        QVERIFY(!folder.exists(QStringLiteral("Student.db")));
        running.unlock();

        // A copy that crashed left its lock behind: the next one takes the folder over.
        QProcess crashed;
        crashed.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        startChild(crashed, "hold", folder);
        QVERIFY(crashed.waitForReadyRead(60000));
        QCOMPARE(crashed.readLine(), QByteArray("up\n"));
        QVERIFY(folder.exists(QStringLiteral("Pellor.lock")));
        crashed.kill();
        QVERIFY(crashed.waitForFinished(60000));
        QVERIFY(folder.exists(QStringLiteral("Pellor.lock")));
        QCOMPARE(runChildProcess("close-box", folder, &errors), 0);
        QVERIFY2(!errors.contains(QStringLiteral("程序已经在运行")), qPrintable(errors));
    }

    void standardButtonsSpeakChinese()
    {
        if (!PellorStartup::installQtTranslation())
            QSKIP("Qt's Chinese translation (qtbase_zh_CN.qm) is not installed");
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Pellor"), QStringLiteral("?"),
                        QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
        QMessageBox question(QMessageBox::Question, QStringLiteral("Pellor"), QStringLiteral("?"),
                             QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
        QCOMPARE(question.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
    }
};

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], kChildFlag) == 0) {
        g_childMode = argv[2];
        return runChild(argc, argv);
    }
    TestSupport::prepareEnvironment();
    QApplication app(argc, argv);
    TestSupport::initApplication();
    TestStartup tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_startup.moc"
