#include "ContentTestHelpers.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "AppTestHelpers.h"

#include "app/CJiguDlg.h"
#include "app/CPellorDlg.h"
#include "app/CPlayPPtDlg.h"
#include "app/CTimeJishiDlg.h"
#include "app/EgihtDlg.h"
#include "app/GuLi.h"
#include "app/KuangKe.h"
#include "app/KuangKeMofa.h"
#include "app/ManFen.h"
#include "app/SaveExit.h"
#include "app/TenScore.h"
#include "app/WeiKuangKe.h"
#include "app/YongQi.h"
#include "app/fiveScore.h"
#include "application/CPellorApp.h"
#include "content/CKemuPage.h"
#include "content/CKeshiPage.h"
#include "content/CKeshiWentiDlg.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/CQuestionDlg.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "controls/CListCtrlEx.h"
#include "controls/ControlFont.h"
#include "records/CStuBanjiPage.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/CStudentPellorScorePage.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QStyle>

#include <functional>
#include <memory>

using namespace ContentTest;

namespace {

QString text(const QRect &r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString nameOf(const QWidget *widget)
{
    const QString name = widget->objectName();
    return QLatin1String(widget->metaObject()->className()) + (name.isEmpty() ? QString() : u' ' + name);
}

bool isScrollViewport(const QWidget *widget)
{
    auto area = qobject_cast<const QAbstractScrollArea *>(widget->parentWidget());
    return area && area->viewport() == widget;
}

// The first face a list header draws its titles with; centred titles are cut on both sides.
int headerTitleWidth(const CHeaderCtrlCl &header, int section)
{
    const QFont font = ControlFont::make(QStringLiteral("宋体"), header.m_nFontHeight, header.m_nFontWidth);
    const QChar format = section < header.m_strFormat.size() ? header.m_strFormat.at(section) : QChar();
    const int inset = format == u'0' || format == u'2' ? 3 : 0;
    return QFontMetrics(font).horizontalAdvance(header.m_arrTitles.value(section)) + inset;
}

} // namespace

// Every window and dialog of the program on a classroom projector's 1024 x 768 screen and on
// a 1280 x 800 one (the headless platform takes its screen from the test's configuration):
// each opens with its whole frame on the screen and clear of the tool bar, and whatever it
// shows lies inside its page and its window, with nothing cut from a label or a list's
// heading. At 1280 x 800 everything is in sight; at 1024 x 768 everything can at least be
// reached through the window's scroll bars, also once the teacher makes the window smaller.
class TestWindowsOnScreen : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
        for (const QString &name : {QStringLiteral("Content.db"), QStringLiteral("Student.db")}) {
            const QString copy = m_program->file(name);
            QVERIFY(QFile::copy(QStringLiteral(PELLOR_TEST_PROGRAM_DIR "/") + name, copy));
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        }
        m_faults.clear();
        quietenHeadlessRaise();
    }

    void cleanup()
    {
        theApp().m_pConnection.reset();
        theApp().m_pStudentConnection.reset();
        m_program.reset();
    }

    void everyWindowWholeOnTheScreen_data()
    {
        QTest::addColumn<QString>("road");
        for (const char *road : {"main window and About box", "settings", "grading and feedback", "clip windows",
                                 "drum game", "tool bar, its settings and countdown", "records window",
                                 "records window from the tool bar", "question browser", "message boxes"})
            QTest::newRow(road) << QString::fromLatin1(road);
    }

    void everyWindowWholeOnTheScreen()
    {
        QFETCH(QString, road);
        CPellorDlg main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        if (road == u"main window and About box") {
            check(&main);
            checkModalFrom([&] { main.OnSysCommand(CPellorDlg::IDM_ABOUTBOX); });
        } else if (road == u"settings") {
            checkModalFrom([&] { button(&main, CPellorDlg::IDC_SETTINGS)->click(); });
        } else if (road == u"grading and feedback") {
            WeiKuangKe grading(&main);
            ManFen full(&main);
            GuLi good(&main);
            YongQi effort(&main);
            KuangKe absent(&main);
            for (QDialog *dlg : std::initializer_list<QDialog *>{&grading, &full, &good, &effort, &absent})
                checkShown(dlg);
        } else if (road == u"clip windows") {
            TenScore ten(&main);
            EgihtDlg eight(&main);
            fiveScore five(&main);
            KuangKeMofa absent(&main);
            SaveExit goodbye(&main);
            for (QDialog *clip : std::initializer_list<QDialog *>{&ten, &eight, &five, &absent, &goodbye})
                checkShown(clip);
        } else if (road == u"drum game") {
            changeSettings(main.lesson(), [](RollCallSettings &s) { s.m_nVoice = 1; });
            button(&main, CPellorDlg::IDC_RANDOM)->click();
            QVERIFY(main.m_dlgJigu && main.m_dlgJigu->isVisible());
            check(main.m_dlgJigu);
            main.m_dlgJigu->hide();
        } else if (road == u"tool bar, its settings and countdown") {
            button(&main, CPellorDlg::IDC_PPT)->click();
            CPlayPPtDlg *bar = main.m_dlgPPT;
            QVERIFY(bar && bar->isVisible());
            check(bar);
            checkModalFrom([&] { button(bar, CPlayPPtDlg::IDC_SETTINGS)->click(); });
            button(bar, CPlayPPtDlg::IDC_COUNTDOWN)->click();
            QVERIFY(bar->m_dlgCountdown && bar->m_dlgCountdown->isVisible());
            check(bar->m_dlgCountdown.get());
        } else if (road == u"records window") {
            checkModalFrom([&] { button(&main, CPellorDlg::IDC_STUDENT_INFO)->click(); },
                           [this](QWidget *window) { walkRecords(qobject_cast<CStudentInfoDlg *>(window)); });
        } else if (road == u"records window from the tool bar") {
            button(&main, CPellorDlg::IDC_PPT)->click();
            checkModalFrom([&] { button(main.m_dlgPPT, CPlayPPtDlg::IDC_STUDENT_INFO)->click(); });
        } else if (road == u"question browser") {
            button(&main, CPellorDlg::IDC_LESSON_PLAN)->click();
            QVERIFY(main.m_dlgQuestion && main.m_dlgQuestion->isVisible());
            walkQuestions(main.m_dlgQuestion);
            main.m_dlgQuestion->hide();
        } else if (road == u"message boxes") {
            // The real boxes, not the script's.
            Prompt::setHandler(nullptr);
            checkModalFrom([] { Prompt::app(QStringLiteral("程序已经在运行")); });
            checkModalFrom([&] { Prompt::box(&main, QStringLiteral("本节课的成绩尚未保存，是否保存？")); });
            button(&main, CPellorDlg::IDC_PPT)->click();
            checkModalFrom([&] { Prompt::box(main.m_dlgPPT, QStringLiteral("本节课的成绩尚未保存，是否保存？")); });
            Prompt::setHandler(&m_prompt);
        }
        for (const QString &fault : std::as_const(m_faults))
            qWarning("%s", qPrintable(fault));
        QVERIFY2(m_faults.isEmpty(), "some window or control is not whole on the screen");
    }

private:
    static QAbstractButton *button(QWidget *window, int id)
    {
        auto found = window->findChild<QAbstractButton *>(QStringLiteral("button%1").arg(id));
        if (!found)
            qFatal("no button%d", id);
        return found;
    }

    bool everythingInSight() const
    {
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        return screen.width() >= 1280 && screen.height() >= 800;
    }

    QRect toolBar() const
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<CPlayPPtDlg *>(window) && window->isVisible())
                return window->frameGeometry();
        }
        return {};
    }

    void checkShown(QDialog *dlg)
    {
        dlg->show();
        check(dlg);
        dlg->hide();
    }

    // Opens a modal window and checks it, and whatever `more` opens from it, before it closes.
    void checkModalFrom(const std::function<void()> &open, const std::function<void(QWidget *)> &more = {})
    {
        bool opened = false;
        TestSupport::whenModal([&](QWidget *window) {
            opened = true;
            check(window);
            if (more)
                more(window);
            if (window->isVisible())
                TestSupport::closeDialog(window);
        });
        open();
        if (!opened)
            m_faults << QStringLiteral("no window opened");
    }

    void check(QWidget *window)
    {
        QCoreApplication::processEvents();
        const QString name = nameOf(window);
        const QScreen *screen = window->screen();
        const QRect frame = window->frameGeometry();
        if (window->isFullScreen()) {
            if (frame != screen->geometry())
                m_faults << name + QStringLiteral(": full screen at ") + text(frame);
        } else if (!screen->availableGeometry().contains(frame)) {
            m_faults << name + QStringLiteral(": frame ") + text(frame) + QStringLiteral(" off the screen");
        }
        const QRect bar = toolBar();
        if (!bar.isNull() && !qobject_cast<CPlayPPtDlg *>(window) && !window->isFullScreen() && frame.intersects(bar))
            m_faults << name + QStringLiteral(": under the tool bar at ") + text(frame);
        checkContents(window, name);
    }

    void checkContents(QWidget *window, const QString &name)
    {
        const bool inSight = everythingInSight();
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (control->isWindow() || !control->isVisibleTo(window))
                continue;
            // Inside every widget it lies in, up to the window; a scroll area's page is
            // reached by scrolling, where not everything needs to be in sight.
            const QRect rect(control->mapTo(window, QPoint(0, 0)), control->size());
            for (QWidget *holder = control->parentWidget(); holder; holder = holder->parentWidget()) {
                if (!inSight && isScrollViewport(holder))
                    break;
                const QRect room(holder->mapTo(window, QPoint(0, 0)), holder->size());
                if (!room.contains(rect)) {
                    m_faults << name + QStringLiteral(": ") + nameOf(control) + u' ' + text(rect) + QStringLiteral(" cut by ")
                            + nameOf(holder) + u' ' + text(room);
                    break;
                }
                if (holder == window)
                    break;
            }
            if (auto label = qobject_cast<QLabel *>(control))
                checkLabel(window, name, label);
            if (auto list = qobject_cast<CListCtrlCl *>(control))
                checkHeadings(name, list);
        }
    }

    // A label shows its text whole, not starting on the window's edge.
    void checkLabel(QWidget *window, const QString &name, QLabel *label)
    {
        if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText)
            return;
        const QFontMetrics metrics(label->font());
        int width = 0;
        for (const QString &line : label->text().split(u'\n'))
            width = qMax(width, metrics.horizontalAdvance(line));
        const QRect room = label->contentsRect();
        const QRect drawn = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                                QSize(width, metrics.height()), room);
        const QPoint start = label->mapTo(window, drawn.topLeft());
        if (width > room.width() || start.x() < 1)
            m_faults << name + QStringLiteral(": label \"") + label->text() + QStringLiteral("\" cut, ")
                    + QString::number(width) + QStringLiteral(" wide in ") + QString::number(room.width())
                    + QStringLiteral(" from x ") + QString::number(start.x());
    }

    void checkHeadings(const QString &name, CListCtrlCl *list)
    {
        const CHeaderCtrlCl &header = list->m_Header;
        for (int section = 0; section < header.count(); ++section) {
            const int size = header.sectionSize(section);
            if (header.isSectionHidden(section) || size == 0)
                continue;
            const int width = headerTitleWidth(header, section);
            if (width > size)
                m_faults << name + QStringLiteral(": heading \"") + header.m_arrTitles.value(section)
                        + QStringLiteral("\" ") + QString::number(width) + QStringLiteral(" wide in ")
                        + QString::number(size);
        }
    }

    // Each tab of a window, and each once the window is made smaller than it opens.
    void checkTabs(QWidget *window, CTabSheet *tabs)
    {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            check(window);
        }
        if (everythingInSight())
            return;
        const QSize opened = window->size();
        window->resize(opened * 2 / 3);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            checkContents(window, nameOf(window) + QStringLiteral(" made smaller"));
        }
        window->resize(opened);
        tabs->setCurrentIndex(0);
    }

    void walkRecords(CStudentInfoDlg *records)
    {
        QVERIFY(records);
        checkTabs(records, records->m_tabSheet);

        CStuBanjiPage *groups = records->m_pageBanji;
        records->m_tabSheet->setCurrentIndex(0);
        checkModalFrom([&] { button(groups, CStuBanjiPage::IDC_IMPORT)->click(); });
        QTest::mouseClick(groups->m_listGroups->viewport(), Qt::LeftButton, {},
                          groups->m_listGroups->visualRect(groups->m_listGroups->model()->index(0, 1)).center());
        checkModalFrom([&] { button(groups, CStuBanjiPage::IDC_ADD_SEMESTER)->click(); });
        checkModalFrom([&] { button(groups, CStuBanjiPage::IDC_EDIT)->click(); });

        CStuLianxi *roster = records->m_pageRoster;
        records->m_tabSheet->setCurrentIndex(1);
        checkModalFrom([&] { button(roster, CStuLianxi::IDC_ADD)->click(); });
        clickRow(roster->m_listStudents, 0);
        check(records);
        checkModalFrom([&] { button(roster, CStuLianxi::IDC_EDIT)->click(); });

        CStudentPellorScorePage *scores = records->m_pageScore;
        records->m_tabSheet->setCurrentIndex(2);
        clickRow(scores->m_listScores, 0);
        check(records);
        checkModalFrom([&] { button(scores, CStudentPellorScorePage::IDC_EDIT)->click(); });
        checkModalFrom([&] { button(scores, CStudentPellorScorePage::IDC_SETTINGS)->click(); });
    }

    void walkQuestions(CQuestionDlg *browser)
    {
        check(browser);
        clickRow(browser->m_pageKemu->m_listKemu, 0);
        checkTabs(browser, browser->m_tabSheet);
        checkModalFrom([&] { button(browser->m_pageKemu, CKemuPage::IDC_ADD)->click(); });

        browser->m_tabSheet->setCurrentIndex(1);
        clickRow(browser->m_pageKeshi->m_listKeshi, 0);
        checkModalFrom([&] { button(browser->m_pageKeshi, CKeshiPage::IDC_ADD)->click(); });

        browser->m_tabSheet->setCurrentIndex(2);
        CListCtrlCl *points = browser->m_pageZhishidian->m_listZhishidian;
        check(browser);
        checkModalFrom([&] { button(browser->m_pageZhishidian, CKeshiZhishidianPage::IDC_ADD)->click(); });
        clickRow(points, 0);
        checkModalFrom([&] { button(browser->m_pageZhishidian, CKeshiZhishidianPage::IDC_ADD_WENTI)->click(); });
        checkModalFrom([&] { doubleClickRow(points, 0); });

        browser->m_tabSheet->setCurrentIndex(3);
        check(browser);
        CListCtrlCl *questions = browser->m_pageWenti->m_listWenti;
        clickRow(questions, 0);
        checkModalFrom([&] { button(browser->m_pageWenti, CKeshiWentiDlg::IDC_EDIT)->click(); });
    }

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_program;
    ScriptedPrompt m_prompt;
    QStringList m_faults;
};

PELLOR_WIDGET_TEST_MAIN(TestWindowsOnScreen)
#include "tst_windowsonscreen.moc"
