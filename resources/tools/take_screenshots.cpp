// Starts the program on a copy of the demo program folder, walks through its windows as a
// teacher would and saves a picture of each: the main window, the records window's three
// tabs, the question browser and the full-screen presenter.
//
//   take_screenshots <demo program folder> <output folder>
//
// Run it headless: scripts/screenshots.sh gives it a 1280 x 800 offscreen screen.

#include "app/CPellorDlg.h"
#include "app/PellorStartup.h"
#include "content/CKemuPage.h"
#include "content/CKeshiPage.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/CQuestionDlg.h"
#include "content/CRichEditDlg.h"
#include "controls/CListCtrlCl.h"
#include "controls/CListCtrlEx.h"
#include "controls/CTabSheet.h"
#include "platform/base/BackgroundWorker.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gui/Prompt.h"
#include "records/CStuBanjiPage.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/CStudentPellorScorePage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

QString g_output;
QStringList g_saved;
bool g_failed = false;

// No box may wait for an answer nobody gives: each is reported and answered with OK.
class ReportingPrompt final : public Prompt::Handler
{
public:
    int message(QWidget *, const Prompt::Message &m) override
    {
        std::fprintf(stderr, "take_screenshots: the program said \"%s\"\n", qPrintable(m.text));
        g_failed = true;
        return m.buttons == Prompt::YesNo || m.buttons == Prompt::YesNoCancel ? Prompt::No : Prompt::Ok;
    }
    QString fileName(QWidget *, const Prompt::FileRequest &) override { return {}; }
    bool font(QWidget *, QFont &, QColor &) override { return false; }
    bool color(QWidget *, QColor &) override { return false; }
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void save(QWidget *window, const char *name)
{
    settle();
    const QString path = g_output + u'/' + QLatin1String(name) + QStringLiteral(".png");
    if (!window || !window->grab().save(path)) {
        std::fprintf(stderr, "take_screenshots: could not save %s\n", name);
        g_failed = true;
        return;
    }
    g_saved << path;
}

// Runs action on the next modal window that is not `previous`, once it is up.
void onNextModal(QWidget *previous, std::function<void(QWidget *)> action, int turns = 2000)
{
    QTimer::singleShot(0, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != previous)
            action(modal);
        else if (turns > 0)
            onNextModal(previous, action, turns - 1);
        else
            g_failed = true;
    });
}

void clickRow(ReportListView *list, int row, int column = 1)
{
    const QRect cell = list->visualRect(list->model()->index(row, column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

void doubleClickRow(ReportListView *list, int row, int column = 1)
{
    const QRect cell = list->visualRect(list->model()->index(row, column));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

void recordsWindow(QWidget *window)
{
    auto records = qobject_cast<CStudentInfoDlg *>(window);
    if (!records) {
        g_failed = true;
        window->close();
        return;
    }
    records->resize(records->size()); // the template's size
    // The first group's first semester.
    clickRow(records->m_pageBanji->m_listGroups, 0, 2);
    save(records, "records-groups");
    records->m_tabSheet->setCurrentIndex(1);
    clickRow(records->m_pageRoster->m_listStudents, 1);
    save(records, "records-roster");
    records->m_tabSheet->setCurrentIndex(2);
    clickRow(records->m_pageScore->m_listScores, 1);
    save(records, "records-scores");
    records->close();
}

void presenter(QWidget *window)
{
    save(window, "presenter");
    if (auto dlg = qobject_cast<CRichEditDlg *>(window))
        dlg->OnMenuClose();
    else
        window->close();
}

void questionBrowser(CPellorDlg *main)
{
    CQuestionDlg *browser = main->m_dlgQuestion;
    if (!browser) {
        g_failed = true;
        return;
    }
    // The first subject and its first lesson.
    clickRow(browser->m_pageKemu->m_listKemu, 0);
    browser->m_tabSheet->setCurrentIndex(1);
    clickRow(browser->m_pageKeshi->m_listKeshi, 0);
    browser->m_tabSheet->setCurrentIndex(2);
    save(browser, "question-browser");
    onNextModal(main, presenter);
    doubleClickRow(browser->m_pageZhishidian->m_listZhishidian, 0);
    browser->close();
}

void mainWindow()
{
    auto main = qobject_cast<CPellorDlg *>(QApplication::activeModalWidget());
    if (!main) {
        QTimer::singleShot(0, mainWindow);
        return;
    }
    // A student on call, as after a pick.
    main->m_comboNumber->setCurrentIndex(2);
    main->OnCbnSelchangeStudent();
    save(main, "main-window");

    onNextModal(main, recordsWindow);
    QTest::mouseClick(main->m_btnStudentInfo, Qt::LeftButton);

    QTest::mouseClick(main->m_btnLessonPlan, Qt::LeftButton);
    questionBrowser(main);
    // The walk gives no lesson: the window ends without the question a teacher's close asks.
    main->done(QDialog::Rejected);
}

bool g_driving = false;

void startDriving()
{
    if (g_driving)
        QTimer::singleShot(0, mainWindow);
}
Q_COREAPP_STARTUP_FUNCTION(startDriving)

// A copy, so that walking the windows changes nothing in the folder given.
bool copyFolder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(source, target))
            return false;
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: take_screenshots <demo program folder> <output folder>\n");
        return 2;
    }
    const QString demo = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    g_output = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QDir().mkpath(g_output);
    QTemporaryDir folder;
    if (!copyFolder(demo, folder.path())) {
        std::fprintf(stderr, "take_screenshots: cannot copy %s\n", argv[1]);
        return 1;
    }
    ProgramFolder::setExecutableFolder(folder.path());
    ReportingPrompt prompt;
    Prompt::setHandler(&prompt);
    // Each photo clicked is read before its picture is taken.
    BackgroundWorker::setRunner([](const BackgroundWorker::Job &job) { job(); });
    g_driving = true;
    int fakeArgc = 1;
    const int status = PellorStartup::run(fakeArgc, argv);
    Prompt::setHandler(nullptr);
    for (const QString &path : std::as_const(g_saved))
        std::printf("%s\n", qPrintable(path));
    if (status != 0 || g_failed || g_saved.size() != 6) {
        std::fprintf(stderr, "take_screenshots: %lld of 6 pictures saved\n", static_cast<long long>(g_saved.size()));
        return 1;
    }
    return 0;
}
