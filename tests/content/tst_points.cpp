#include "ContentTestHelpers.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "application/CPellorApp.h"
#include "content/CAddZhishidianDlg.h"
#include "content/CKeshiPage.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/CQuestionDlg.h"
#include "content/CRichEditDlg.h"
#include "content/RichEditBox.h"
#include "content/core/ContentDatabase.h"
#include "content/core/ContentStore.h"
#include "content/core/PresenterGeometry.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSqlQuery>
#include <QTextCursor>
#include <QTimer>

#include <memory>

using namespace ContentTest;

namespace {

void selectOnly(CListCtrlCl *list, int row)
{
    list->clearSelection();
    list->SetItemSelected(row, true);
}

// A menu as "text id" per item, "-" per separator, a sub-menu as "text{…}".
QStringList describe(const QMenu *menu)
{
    QStringList items;
    if (!menu)
        return {QStringLiteral("no menu")};
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            items << QStringLiteral("-");
        else if (action->menu())
            items << action->text() + u'{' + describe(action->menu()).join(u',') + u'}';
        else
            items << QStringLiteral("%1 %2").arg(action->text()).arg(action->data().toInt());
    }
    return items;
}

QAction *commandOf(const QMenu *menu, int id)
{
    return menu ? menu->findChild<QAction *>(QStringLiteral("command%1").arg(id)) : nullptr;
}

// Chooses the item of the next pop-up menu once it is up.
void chooseFromPopup(int id, QStringList *seen = nullptr)
{
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [=](int turnsLeft) {
        auto menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            if (turnsLeft > 0)
                QTimer::singleShot(0, [=] { (*poll)(turnsLeft - 1); });
            return;
        }
        if (seen)
            *seen = describe(menu);
        QAction *action = commandOf(menu, id);
        menu->close();
        if (action)
            action->trigger();
    };
    QTimer::singleShot(0, [=] { (*poll)(10000); });
}

void rightPress(QWidget *box)
{
    auto edit = qobject_cast<QTextEdit *>(box);
    QTest::mousePress(edit ? edit->viewport() : box, Qt::RightButton, {}, QPoint(10, 10));
}

QString boxText(const QWidget *box)
{
    return static_cast<const QTextEdit *>(box)->toPlainText();
}

const QString kPlaceholder = QStringLiteral("还未录入此知识点，请重新编辑此项");

} // namespace

class TestPoints : public QObject
{
    Q_OBJECT

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_folder;

    ContentStore store() const { return ContentStore(*theApp().m_pConnection); }

    QStringList rows(const QString &sql) const { return TestSupport::rows(*theApp().m_pConnection, sql); }

    QStringList pointRows() const
    {
        return rows(QStringLiteral("SELECT 课时,知识点ID,知识点,重点,难点 FROM Zhishidian1 WHERE 课时=1 ORDER BY 知识点ID"));
    }

    void addPoint(int lesson, int number, const std::optional<QString> &text, bool key = false, bool hard = false)
    {
        store().addPoint(1, {0, lesson, number, text, key, hard});
    }

    // The page as the browser makes it, on lesson 1 of subject 1.
    std::unique_ptr<CKeshiZhishidianPage> openPage()
    {
        theApp().m_nKemuID = 1;
        theApp().m_nKeshiID = 1;
        auto page = std::make_unique<CKeshiZhishidianPage>();
        page->m_pConnection = theApp().m_pConnection;
        page->OnInitDialog();
        page->show();
        return page;
    }

    // Fills the next entry dialog and presses its button (1 "保存", 1061 "取消").
    static void answerEntry(const QString &number, const QString &text, int button = 1, bool key = false)
    {
        TestSupport::whenModal([=](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"))->setText(number);
            dialog->findChild<QTextEdit *>(QStringLiteral("edit1059"))->setPlainText(text);
            if (key)
                dialog->findChild<QCheckBox *>(QStringLiteral("check1036"))->setChecked(true);
            TestSupport::clickButton(dialog, button);
        });
    }

private slots:
    void init()
    {
        theApp().m_pConnection.reset();
        m_folder = std::make_unique<TempProgramFolder>();
        ContentDatabase::open(theApp().m_pConnection);
        store().addSubject(QStringLiteral("语文"));
        store().addLesson(1, 1, QStringLiteral("第一课"));
        store().addLesson(1, 2, QStringLiteral("第二课"));
    }

    void cleanup()
    {
        QApplication::clipboard()->clear();
        theApp().m_pConnection.reset();
        m_folder.reset();
    }

    void pointsAreListedAddedEditedAndDeleted()
    {
        addPoint(1, 1, QStringLiteral("加法"), true);
        addPoint(1, 2, std::nullopt, false, true);
        addPoint(1, 5, QStringLiteral("乘法\n口诀"));
        addPoint(2, 1, QStringLiteral("别的课"));
        theApp().m_pConnection->exec(QStringLiteral("INSERT INTO Zhishidian1(课时,知识点ID,知识点) VALUES(1,NULL,'无号')"));
        ScriptedPrompt prompt;
        auto page = openPage();
        CListCtrlCl *list = page->m_listZhishidian;
        QCOMPARE(list->m_Header.m_arrTitles, (QStringList{QStringLiteral("知识点ID"), QStringLiteral("第1课时的知识点"),
                                                          QStringLiteral("重点"), QStringLiteral("难点")}));
        QCOMPARE(*list->ColumnBackColor(0), QColor(153, 102, 204));
        QCOMPARE(*list->ColumnBackColor(1), QColor(204, 153, 102));
        QCOMPARE(list->GetBkColor(), QColor(144, 144, 144));
        QCOMPARE(list->m_nRowHeight, 100);

        // The row without a number is left out; a text never entered says so.
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")}));
        QCOMPARE(column(list, 1), (QStringList{QStringLiteral("加法"), kPlaceholder, QStringLiteral("乘法\n口诀")}));
        QCOMPARE(column(list, 2), (QStringList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0")}));
        QCOMPARE(column(list, 3), (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0")}));
        QCOMPARE(list->GetNextSelectedItem(-1), -1);
        page->OnBnClickedEdit();
        page->OnBnClickedDelete();
        QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("请选择要编辑的条目！"), QStringLiteral("请选择要删除的条目！")}));
        prompt.clear();

        // 6 is proposed; an empty text gets the default.
        QString proposed, caption;
        TestSupport::whenModal([&](QWidget *dialog) {
            caption = dialog->windowTitle();
            proposed = dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"))->text();
            TestSupport::clickButton(dialog, 1);
        });
        page->OnBnClickedAdd();
        QCOMPARE(caption, QStringLiteral("Dialog"));
        QCOMPARE(proposed, QStringLiteral("6"));
        QCOMPARE(pointRows().last(), QStringLiteral("1|6|第6个知识点|0|0"));

        // 101 is refused by "保存" until a number from 1 to 100 is typed.
        TestSupport::whenModal([&](QWidget *dialog) {
            auto number = dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"));
            proposed = number->text();
            number->setText(QStringLiteral("101"));
            TestSupport::clickButton(dialog, 1);
            QVERIFY(dialog->isVisible());
            number->setText(QStringLiteral("3"));
            dialog->findChild<QTextEdit *>(QStringLiteral("edit1059"))->setPlainText(QStringLiteral("减法"));
            dialog->findChild<QCheckBox *>(QStringLiteral("check1036"))->setChecked(true);
            TestSupport::clickButton(dialog, 1);
        });
        page->OnBnClickedAdd();
        QCOMPARE(proposed, QStringLiteral("7"));
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("Enter an integer between 1 and 100.")});
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                                QStringLiteral("5"), QStringLiteral("6")}));
        QCOMPARE(list->GetItemText(2, 1), QStringLiteral("减法"));
        QCOMPARE(list->GetItemText(2, 2), QStringLiteral("1"));
        prompt.clear();

        // A number the lesson has already: said, nothing written, and the dialog stays with what
        // was typed until another number is given.
        TestSupport::whenModal([&](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"))->setText(QStringLiteral("2"));
            dialog->findChild<QTextEdit *>(QStringLiteral("edit1059"))->setPlainText(QStringLiteral("重复的文字"));
            TestSupport::clickButton(dialog, 1);
            QVERIFY(dialog->isVisible());
            QCOMPARE(prompt.texts(), QStringList{QStringLiteral("已存在知识点2")});
            QCOMPARE(dialog->findChild<QTextEdit *>(QStringLiteral("edit1059"))->toPlainText(),
                     QStringLiteral("重复的文字"));
            dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"))->setText(QStringLiteral("7"));
            TestSupport::clickButton(dialog, 1);
        });
        page->OnBnClickedAdd();
        QCOMPARE(list->GetItemText(5, 0), QStringLiteral("7"));
        QCOMPARE(list->GetItemText(5, 1), QStringLiteral("重复的文字"));
        theApp().m_pConnection->exec(QStringLiteral("DELETE FROM Zhishidian1 WHERE 知识点ID=7"));
        page->LoadZhishidianList();
        prompt.clear();

        // "取消", Esc and the close box keep nothing, the proposed 7 included.
        const QStringList before = pointRows();
        answerEntry(QStringLiteral("8"), QStringLiteral("不要"), CAddZhishidianDlg::IDC_CANCEL);
        page->OnBnClickedAdd();
        TestSupport::whenModal([](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        page->OnBnClickedAdd();
        TestSupport::whenModal([](QWidget *dialog) { TestSupport::closeDialog(dialog); });
        page->OnBnClickedAdd();
        QCOMPARE(pointRows(), before);
        QCOMPARE(prompt.shown.size(), 0);

        // Editing the point never entered: its flags change, its number and NULL text stay.
        QString shownText;
        bool shownHard = false;
        selectOnly(list, 1);
        TestSupport::whenModal([&](QWidget *dialog) {
            shownText = dialog->findChild<QTextEdit *>(QStringLiteral("edit1059"))->toPlainText();
            shownHard = dialog->findChild<QCheckBox *>(QStringLiteral("check1037"))->isChecked();
            dialog->findChild<QLineEdit *>(QStringLiteral("edit1000"))->setText(QStringLiteral("9"));
            dialog->findChild<QCheckBox *>(QStringLiteral("check1036"))->setChecked(true);
            TestSupport::clickButton(dialog, 1);
        });
        page->OnBnClickedEdit();
        QCOMPARE(shownText, kPlaceholder);
        QVERIFY(shownHard);
        QCOMPARE(rows(QStringLiteral("SELECT 知识点,重点,难点 FROM Zhishidian1 WHERE 课时=1 AND 知识点ID=2")),
                 QStringList{QStringLiteral("NULL|1|1")});
        QCOMPARE(list->GetItemText(1, 1), kPlaceholder);

        // A new text is written; "取消" and Esc write nothing, not even what the list showed.
        selectOnly(list, 0);
        answerEntry(QStringLiteral("1"), QStringLiteral("加法运算"));
        page->OnBnClickedEdit();
        QCOMPARE(list->GetItemText(0, 1), QStringLiteral("加法运算"));
        theApp().m_pConnection->exec(QStringLiteral("UPDATE Zhishidian1 SET 知识点='别处改的',重点=1 WHERE 知识点ID=5"));
        selectOnly(list, 3);
        answerEntry(QStringLiteral("5"), QStringLiteral("不要"), CAddZhishidianDlg::IDC_CANCEL);
        page->OnBnClickedEdit();
        TestSupport::whenModal([](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        page->OnBnClickedEdit();
        QCOMPARE(rows(QStringLiteral("SELECT 知识点,重点 FROM Zhishidian1 WHERE 知识点ID=5")),
                 QStringList{QStringLiteral("别处改的|1")});

        // A point deleted meanwhile is reported under the edit's caption; the dialog stays with
        // what was typed, and once it is closed the list shows the points still there.
        theApp().m_pConnection->exec(QStringLiteral("DELETE FROM Zhishidian1 WHERE 知识点ID=6"));
        selectOnly(list, 4);
        bool keptOpen = false;
        TestSupport::whenModal([&](QWidget *dialog) {
            dialog->findChild<QTextEdit *>(QStringLiteral("edit1059"))->setPlainText(QStringLiteral("改"));
            TestSupport::clickButton(dialog, 1);
            keptOpen = dialog->isVisible();
            TestSupport::clickButton(dialog, CAddZhishidianDlg::IDC_CANCEL);
        });
        page->OnBnClickedEdit();
        QVERIFY(keptOpen);
        QCOMPARE(prompt.texts(), QStringList{ContentStore::rowGoneText()});
        QCOMPARE(prompt.shown.last().caption, QStringLiteral("编辑数据失败"));
        QVERIFY(!prompt.shown.last().applicationBox);
        QCOMPARE(column(list, 0),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("5")}));
        prompt.clear();

        // A point with a question stays; the row's own number, not its cell, names it.
        store().addQuestion(1, 1, 1, QStringLiteral("1+1="), QStringLiteral("2"));
        selectOnly(list, 0);
        page->OnBnClickedDelete();
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("请先删除此知识点中相关问题")});
        list->SetItemText(2, 0, QStringLiteral("1"));
        selectOnly(list, 2);
        page->OnBnClickedDelete();
        QCOMPARE(column(list, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")}));
        QCOMPARE(rows(QStringLiteral("SELECT count(*) FROM Zhishidian1 WHERE 课时=2")), QStringList{QStringLiteral("1")});

        // A click makes the point current; below the rows, none is.
        clickRow(list, 2);
        QCOMPARE(theApp().m_nZhishidianID, 5);
        QCOMPARE(page->Navigator().CurrentPointRow(), 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->viewport()->height() - 3));
        QCOMPARE(theApp().m_nZhishidianID, -1);
        QCOMPARE(page->Navigator().CurrentPointRow(), 2);

        // A click or double-click on a row of a list loaded for another subject (none is current
        // after the subjects failed to load) takes no row: the list is loaded again.
        theApp().m_nKemuID = -1;
        page->OnNMClickList(2);
        QCOMPARE(theApp().m_nZhishidianID, -1);
        QCOMPARE(list->GetItemCount(), 0);
        theApp().m_nKemuID = 1;
        page->LoadZhishidianList();
        theApp().m_nKemuID = -1;
        bool presented = false;
        QTimer::singleShot(0, [&] {
            if (auto presenter = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                presented = true;
                presenter->done(QDialog::Accepted);
            }
        });
        page->OnNMDblclkList(0);
        QCoreApplication::processEvents();
        QVERIFY(!presented);
        QCOMPARE(list->GetItemCount(), 0);
        QCOMPARE(theApp().m_nZhishidianID, -1);
    }

    void aPointStoredWhileTheFileIsHeldKeepsWhatWasTyped()
    {
        for (int n : {1, 2, 3})
            addPoint(1, n, QStringLiteral("第%1点").arg(n));
        ScriptedPrompt prompt;
        auto page = openPage();
        const QString held = TestSupport::HeldFile::message(QStringLiteral("Content.db"));

        // "保存" while the file is held: said once, and the dialog stays with the text typed;
        // once the file is free, the same "保存" stores it.
        const QString typed(3000, u'字');
        bool openAfterFailure = false;
        QString kept;
        int rowsMeanwhile = -1;
        auto saveWhileHeld = [&](const QString &text) {
            openAfterFailure = false;
            kept.clear();
            auto holder = std::make_shared<TestSupport::HeldFile>(m_folder->file(QStringLiteral("Content.db")));
            TestSupport::whenModal([&, holder, text](QWidget *dialog) {
                auto box = dialog->findChild<QTextEdit *>(QStringLiteral("edit1059"));
                box->setPlainText(text);
                TestSupport::clickButton(dialog, 1);
                openAfterFailure = dialog->isVisible();
                kept = box->toPlainText();
                rowsMeanwhile = page->m_listZhishidian->GetItemCount();
                holder->release();
                TestSupport::clickButton(dialog, 1);
            });
        };
        saveWhileHeld(typed);
        page->OnBnClickedAdd();
        QVERIFY(openAfterFailure);
        QCOMPARE(kept, typed);
        QCOMPARE(rowsMeanwhile, 3);
        QCOMPARE(prompt.texts(), QStringList{held});
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("添加数据失败"));
        QCOMPARE(pointRows().last(), QStringLiteral("1|4|%1|0|0").arg(typed));
        QCOMPARE(column(page->m_listZhishidian, 0),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));

        // An edit the same.
        prompt.clear();
        const QString edited = typed + QStringLiteral("改");
        selectOnly(page->m_listZhishidian, 1);
        saveWhileHeld(edited);
        page->OnBnClickedEdit();
        QVERIFY(openAfterFailure);
        QCOMPARE(kept, edited);
        QCOMPARE(prompt.texts(), QStringList{held});
        QCOMPARE(prompt.shown.first().caption, QStringLiteral("编辑数据失败"));
        QCOMPARE(pointRows().at(1), QStringLiteral("1|2|%1|0|0").arg(edited));
        QCOMPARE(page->m_listZhishidian->GetItemText(1, CKeshiZhishidianPage::ColText), edited);
    }

    void theEntryDialogSpansTheScreenAndPastesPlainText()
    {
        ScriptedPrompt prompt;
        CAddZhishidianDlg dlg;
        const int buttonHeight = dlg.findChild<QPushButton *>(QStringLiteral("button1"))->height();
        const PresenterGeometry::EntryLayout layout
            = PresenterGeometry::pointEntry(Screen::size(), Screen::captionHeight(), buttonHeight);
        QCOMPARE(dlg.pos(), QPoint(0, 0));
        QCOMPARE(dlg.size(), layout.client);
        RichEditBox *box = dlg.m_richEdit;
        QCOMPARE(box->geometry(), layout.box);
        QCOMPARE(box->font().family(), DialogTemplate::templateFont(QStringLiteral("宋体"), 20).family());
        QCOMPARE(box->font().pointSize(), 20);
        QCOMPARE(box->textColor(), QColor(0, 0, 0));
        QCOMPARE(box->backgroundColor(), QColor(199, 237, 204));
        QVERIFY(!box->acceptRichText());
        dlg.show();

        // The menu is there only while the text box has the focus.
        dlg.findChild<QLineEdit *>(QStringLiteral("edit1000"))->setFocus();
        QVERIFY(!dlg.CreatePopupMenu());
        box->setFocus();
        QCOMPARE(describe(dlg.CreatePopupMenu().get()),
                 (QStringList{QStringLiteral("复制 119"), QStringLiteral("剪切 118"), QStringLiteral("粘贴 120")}));

        // Pasted text is plain and takes the box's look.
        auto rich = new QMimeData;
        rich->setHtml(QStringLiteral("<b style=\"color:red;font-size:40pt\">粗体</b>"));
        rich->setText(QStringLiteral("粗体"));
        QApplication::clipboard()->setMimeData(rich);
        box->setPlainText(QStringLiteral("ab"));
        box->moveCursor(QTextCursor::End);
        QStringList seen;
        chooseFromPopup(CAddZhishidianDlg::ID_PASTE, &seen);
        rightPress(box);
        QCOMPARE(seen.size(), 3);
        // Ctrl+V pastes into the text box, wherever the keyboard focus is.
        auto number = dlg.findChild<QLineEdit *>(QStringLiteral("edit1000"));
        number->setText(QStringLiteral("7"));
        number->setFocus();
        QTest::keyClick(number, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(number->text(), QStringLiteral("7"));
        QCOMPARE(box->toPlainText(), QStringLiteral("ab粗体粗体"));
        box->setFocus();
        QTextCursor cursor(box->document());
        cursor.movePosition(QTextCursor::End);
        QVERIFY(!cursor.charFormat().hasProperty(QTextFormat::FontWeight));
        QVERIFY(!cursor.charFormat().hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!cursor.charFormat().hasProperty(QTextFormat::FontPointSize));

        box->selectAll();
        dlg.OnCopy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("ab粗体粗体"));
        box->moveCursor(QTextCursor::Start);
        box->moveCursor(QTextCursor::Right, QTextCursor::KeepAnchor);
        chooseFromPopup(CAddZhishidianDlg::ID_CUT);
        rightPress(box);
        QCOMPARE(box->toPlainText(), QStringLiteral("b粗体粗体"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a"));
        QCOMPARE(prompt.shown.size(), 0);
    }

    void presenterLayoutsMenusAndDisplayModes()
    {
        const QSize screen = Screen::size();
        const int t = screen.height() / 3;
        CRichEditDlg dlg;
        dlg.m_strPoint = QStringLiteral("知识点正文");
        dlg.m_nCount = 2;
        dlg.OnInitDialog();
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(dlg.geometry(), QRect(QPoint(0, 0), screen));
        const PresenterGeometry::Layout third = PresenterGeometry::presentation(screen, 1);
        QCOMPARE(dlg.m_editTop->geometry(), third.top.rect);
        QCOMPARE(dlg.m_editMiddle->geometry(), third.middle.rect);
        QCOMPARE(dlg.m_editBottom->geometry(), third.bottom.rect);
        QCOMPARE(dlg.m_editBottom->geometry(), QRect(0, 2 * t, screen.width(), t));
        for (RichEditBox *box : {dlg.m_editTop, dlg.m_editMiddle, dlg.m_editBottom}) {
            QCOMPARE(box->font().pointSize(), 20);
            QCOMPARE(box->backgroundColor(), QColor(199, 237, 204));
        }
        QCOMPARE(boxText(dlg.m_editTop), QStringLiteral("知识点正文"));
        // Without a knowledge-points page the position is 0 of 0.
        QCOMPARE(boxText(dlg.m_editMiddle), QStringLiteral("此知识点相关问题数目：2                  0/0"));
        QCOMPARE(boxText(dlg.m_editBottom), QString());
        dlg.show();

        const QStringList tail = {QStringLiteral("上一个知识点 103"), QStringLiteral("下一个知识点 102"),
                                  QStringLiteral("显示方式{1/3显示 121,2/3显示 122,全屏显示 123}"), QStringLiteral("-")};
        const QStringList end = {QStringLiteral("上一个问题 105"), QStringLiteral("下一个问题 104"),
                                 QStringLiteral("答案 106"), QStringLiteral("-"), QStringLiteral("字体 108"),
                                 QStringLiteral("背景色 109")};
        dlg.m_editTop->setFocus();
        QCOMPARE(describe(dlg.CreatePopupMenu().get()),
                 QStringList({QStringLiteral("保存 107"), QStringLiteral("关闭 101"), QStringLiteral("-")}) + tail + end);
        QCOMPARE(dlg.m_nFocusBox, 1);
        dlg.m_editBottom->setFocus();
        QCOMPARE(describe(dlg.CreatePopupMenu().get()),
                 QStringList({QStringLiteral("关闭 101"), QStringLiteral("-")}) + tail + end);
        QCOMPARE(dlg.m_nFocusBox, 3);

        // "2/3显示" from the menu: the point over two thirds, the question below, no answer box.
        dlg.m_editMiddle->setFocus();
        std::unique_ptr<QMenu> menu = dlg.CreatePopupMenu();
        commandOf(menu.get(), CRichEditDlg::ID_SHOW_TWO_THIRDS)->trigger();
        QCOMPARE(dlg.m_nDisplayMode, 2);
        QCOMPARE(dlg.m_editTop->geometry(), QRect(0, 0, screen.width(), 2 * t));
        QCOMPARE(dlg.m_editMiddle->geometry(), QRect(0, 2 * t, screen.width(), t));
        QVERIFY(dlg.m_editMiddle->isVisible() && !dlg.m_editBottom->isVisible());
        QCOMPARE(boxText(dlg.m_editTop), QStringLiteral("知识点正文"));
        dlg.m_editMiddle->setFocus();
        QCOMPARE(describe(dlg.CreatePopupMenu().get()),
                 QStringList({QStringLiteral("关闭 101"), QStringLiteral("-")}) + tail
                     + QStringList{QStringLiteral("当前问题 125")} + end);

        dlg.m_editBottom->setPlainText(QStringLiteral("旧答案"));
        dlg.OnShowFull();
        dlg.m_strAnswer = QStringLiteral("一个答案");
        dlg.OnShowAnswer();
        QCOMPARE(dlg.m_editTop->geometry(), QRect(QPoint(0, 0), screen));
        QVERIFY(!dlg.m_editMiddle->isVisible() && !dlg.m_editBottom->isVisible());
        dlg.m_editTop->setFocus();
        QCOMPARE(describe(dlg.CreatePopupMenu().get()),
                 QStringList({QStringLiteral("保存 107"), QStringLiteral("关闭 101"), QStringLiteral("-"),
                              QStringLiteral("当前知识点 124")})
                     + tail + QStringList{QStringLiteral("当前问题 125")} + end);
        QCOMPARE(boxText(dlg.m_editTop), QStringLiteral("一个答案"));

        // Back to thirds: the point, the counter line and an empty answer box again.
        dlg.OnShowThird();
        QCOMPARE(dlg.m_editTop->geometry(), third.top.rect);
        QVERIFY(dlg.m_editMiddle->isVisible() && dlg.m_editBottom->isVisible());
        QCOMPARE(boxText(dlg.m_editTop), QStringLiteral("知识点正文"));
        QCOMPARE(boxText(dlg.m_editMiddle), QStringLiteral("此知识点相关问题数目：2                  0/0"));
        QCOMPARE(boxText(dlg.m_editBottom), QString());

        // Editing a question: a captioned strip, the question and answer read-only, one menu.
        const int caption = Screen::captionHeight();
        CRichEditDlg edit(nullptr, CRichEditDlg::EditQuestion);
        edit.m_strQuestion = QStringLiteral("问题");
        edit.m_strAnswer = QStringLiteral("答案");
        edit.OnInitDialog();
        const PresenterGeometry::Layout editLayout = PresenterGeometry::editQuestion(screen, caption);
        QVERIFY(!(edit.windowFlags() & Qt::FramelessWindowHint));
        QVERIFY(edit.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(edit.pos(), QPoint(0, 0));
        // A blank caption: an empty one would show the program's name.
        QVERIFY(!edit.windowTitle().isEmpty());
        QCOMPARE(edit.windowTitle().trimmed(), QString());
        QCOMPARE(edit.size(), editLayout.client);
        QCOMPARE(edit.m_editMiddle->geometry(), QRect(0, 0, screen.width(), t));
        QCOMPARE(edit.m_editBottom->geometry(), QRect(0, t, screen.width(), t));
        edit.show();
        QVERIFY(!edit.m_editTop->isVisible());
        QVERIFY(edit.m_editMiddle->isReadOnly() && edit.m_editBottom->isReadOnly());
        QCOMPARE(boxText(edit.m_editMiddle), QStringLiteral("问题"));
        QCOMPARE(boxText(edit.m_editBottom), QStringLiteral("答案"));
        const QStringList menuE = {QStringLiteral("修改 112"), QStringLiteral("保存 113"), QStringLiteral("关闭 101"),
                                   QStringLiteral("-"),        QStringLiteral("复制 119"), QStringLiteral("剪切 118"),
                                   QStringLiteral("粘贴 120")};
        edit.m_editMiddle->setFocus();
        QCOMPARE(describe(edit.CreatePopupMenu().get()), menuE);
        QCOMPARE(edit.m_nFocusBox, 2);
        edit.m_editBottom->setFocus();
        QCOMPARE(describe(edit.CreatePopupMenu().get()), menuE);
        QCOMPARE(edit.m_nFocusBox, 3);

        // A new question: the point above, two empty boxes, no menu over the point.
        CRichEditDlg fresh(nullptr, CRichEditDlg::NewQuestion);
        fresh.m_strPoint = QStringLiteral("知识点正文");
        fresh.OnInitDialog();
        QVERIFY(fresh.IsNewQuestion());
        const PresenterGeometry::Layout freshLayout = PresenterGeometry::newQuestion(screen, caption);
        QCOMPARE(fresh.size(), freshLayout.client);
        QCOMPARE(fresh.m_editTop->geometry(), QRect(0, 0, screen.width(), screen.height() / 7));
        QCOMPARE(fresh.m_editBottom->geometry(), freshLayout.bottom.rect);
        QCOMPARE(boxText(fresh.m_editTop), QStringLiteral("知识点正文"));
        QVERIFY(!fresh.m_editTop->isReadOnly());
        fresh.show();
        fresh.m_editTop->setFocus();
        QVERIFY(!fresh.CreatePopupMenu());
        QCOMPARE(fresh.m_nFocusBox, 1);
        fresh.m_editBottom->setFocus();
        QCOMPARE(describe(fresh.CreatePopupMenu().get()),
                 (QStringList{QStringLiteral("复制 119"), QStringLiteral("剪切 118"), QStringLiteral("粘贴 120"),
                              QStringLiteral("-"), QStringLiteral("保存问题 111"), QStringLiteral("-"),
                              QStringLiteral("-"), QStringLiteral("字体 108"), QStringLiteral("背景色 109")}));

        // "关闭" and Esc end the window as its OK does.
        fresh.OnCommand(CRichEditDlg::ID_CLOSE);
        QVERIFY(!fresh.isVisible());
        QCOMPARE(fresh.result(), int(QDialog::Accepted));
        QTest::keyClick(dlg.m_editTop, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    void presenterCommandsActOnTheBoxThatHadTheFocus()
    {
        ScriptedPrompt prompt;
        CRichEditDlg dlg(nullptr, CRichEditDlg::NewQuestion);
        dlg.OnInitDialog();
        dlg.show();
        dlg.m_editMiddle->setPlainText(QStringLiteral("中间"));
        dlg.m_editBottom->setPlainText(QStringLiteral("下面"));

        // A left press moves the focus, a right press does not: the menu over the bottom box
        // is the middle box's, and its "剪切" cuts there.
        QTest::mouseClick(dlg.m_editMiddle->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(dlg.focusWidget(), dlg.m_editMiddle);
        dlg.m_editMiddle->selectAll();
        chooseFromPopup(CRichEditDlg::ID_CUT);
        rightPress(dlg.m_editBottom);
        QCOMPARE(dlg.focusWidget(), dlg.m_editMiddle);
        QCOMPARE(dlg.m_nFocusBox, 2);
        QCOMPARE(boxText(dlg.m_editMiddle), QString());
        QCOMPARE(boxText(dlg.m_editBottom), QStringLiteral("下面"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("中间"));

        dlg.m_editBottom->setFocus();
        dlg.m_editBottom->moveCursor(QTextCursor::End);
        chooseFromPopup(CRichEditDlg::ID_PASTE);
        rightPress(dlg.m_editMiddle);
        QCOMPARE(dlg.m_nFocusBox, 3);
        QCOMPARE(boxText(dlg.m_editBottom), QStringLiteral("下面中间"));
        dlg.m_editBottom->selectAll();
        dlg.OnCopy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("下面中间"));
        // Ctrl+V pastes where the teacher is typing.
        dlg.m_editMiddle->setFocus();
        QTest::keyClick(dlg.m_editMiddle, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(boxText(dlg.m_editMiddle), QStringLiteral("下面中间"));

        // Font and background of the bottom box only.
        QFont big(QStringLiteral("Serif"), 30);
        prompt.fontNext(big, QColor(0, 0, 255));
        dlg.OnFont();
        QCOMPARE(dlg.m_editBottom->font().pointSize(), 30);
        QCOMPARE(dlg.m_editBottom->textColor(), QColor(0, 0, 255));
        QCOMPARE(dlg.m_editMiddle->font().pointSize(), 20);
        QCOMPARE(dlg.m_editMiddle->textColor(), QColor(0, 0, 0));
        prompt.colorNext(QColor(1, 2, 3));
        dlg.OnCommand(CRichEditDlg::ID_BACK_COLOR);
        QCOMPARE(dlg.m_editBottom->backgroundColor(), QColor(1, 2, 3));
        QCOMPARE(dlg.m_editMiddle->backgroundColor(), QColor(199, 237, 204));
        prompt.cancelNextChooser();
        dlg.OnBackColor();
        QCOMPARE(dlg.m_editBottom->backgroundColor(), QColor(1, 2, 3));
        QCOMPARE(prompt.shown.size(), 0);
    }

    void fontAndTextColourAreChosenInOneStep()
    {
        // The program's own chooser, not a script: it must offer the colour itself.
        CRichEditDlg dlg(nullptr, CRichEditDlg::NewQuestion);
        dlg.OnInitDialog();
        dlg.show();
        dlg.m_editBottom->setFocus();
        dlg.CreatePopupMenu();
        const QString family = dlg.m_editBottom->font().family();
        QStringList colours;
        TestSupport::whenModal([&](QWidget *chooser) {
            auto fonts = chooser->findChild<QFontDialog *>();
            auto colour = chooser->findChild<QComboBox *>(QStringLiteral("fontChooserColor"));
            auto buttons = chooser->findChild<QDialogButtonBox *>();
            if (!fonts || !colour || !buttons) {
                QTest::qFail("the font chooser offers no colour", __FILE__, __LINE__);
                TestSupport::closeDialog(chooser);
                return;
            }
            for (int i = 0; i < colour->count(); ++i)
                colours << colour->itemText(i);
            QFont bigger = fonts->currentFont();
            bigger.setPointSize(28);
            fonts->setCurrentFont(bigger);
            colour->setCurrentIndex(colour->findText(QStringLiteral("白色")));
            buttons->button(QDialogButtonBox::Ok)->click();
        });
        dlg.OnCommand(CRichEditDlg::ID_FONT);
        QCOMPARE(colours.size(), 16);
        QCOMPARE(colours.first(), QStringLiteral("黑色"));
        QCOMPARE(dlg.m_editBottom->textColor(), QColor(255, 255, 255));
        QCOMPARE(dlg.m_editBottom->font().pointSize(), 28);
        // The face the teacher did not touch stays the box's own, even one not installed here.
        QCOMPARE(dlg.m_editBottom->font().family(), family);
        QCOMPARE(dlg.m_editMiddle->textColor(), QColor(0, 0, 0));
    }

    void aDoubleClickPresentsThePointFullScreen()
    {
        for (int n = 1; n <= 5; ++n)
            addPoint(1, n, QStringLiteral("第%1点").arg(n));
        for (int q = 1; q <= 3; ++q)
            store().addQuestion(1, 1, 2, QStringLiteral("问%1").arg(q), QStringLiteral("答%1").arg(q));
        ScriptedPrompt prompt;
        auto page = openPage();
        CListCtrlCl *list = page->m_listZhishidian;

        clickRow(list, 1);
        page->Navigator().NextQuestion();
        QCOMPARE(page->Navigator().NextQuestion()->question, QStringLiteral("问2"));

        bool frameless = false;
        QRect geometry;
        QStringList texts;
        TestSupport::whenModal([&](QWidget *dialog) {
            auto presenter = qobject_cast<CRichEditDlg *>(dialog);
            QVERIFY(presenter);
            frameless = presenter->windowFlags() & Qt::FramelessWindowHint;
            geometry = presenter->geometry();
            texts = {boxText(presenter->m_editTop), boxText(presenter->m_editMiddle), boxText(presenter->m_editBottom)};
            QTest::keyClick(presenter->m_editTop, Qt::Key_Escape);
        });
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QVERIFY(frameless);
        QCOMPARE(geometry, QRect(QPoint(0, 0), Screen::size()));
        QCOMPARE(texts, (QStringList{QStringLiteral("第2点"), QStringLiteral("此知识点相关问题数目：3                  2/5"),
                                     QString()}));
        QCOMPARE(page->m_strPointText, QStringLiteral("第2点"));
        QCOMPARE(theApp().m_nZhishidianID, 2);
        // The presenter started the point's questions again.
        QCOMPARE(page->Navigator().NextQuestion()->question, QStringLiteral("问1"));

        // "添加问题" without a selection takes the last point, in the new-question layout.
        list->clearSelection();
        TestSupport::whenModal([&](QWidget *dialog) {
            auto presenter = qobject_cast<CRichEditDlg *>(dialog);
            frameless = presenter->windowFlags() & Qt::FramelessWindowHint;
            texts = {boxText(presenter->m_editTop), QString::number(presenter->m_nCount)};
            TestSupport::closeDialog(dialog);
        });
        page->OnBnClickedAddWenti();
        QVERIFY(!frameless);
        QCOMPARE(texts, (QStringList{QStringLiteral("第5点"), QStringLiteral("0")}));
        QCOMPARE(theApp().m_nZhishidianID, 5);
        QCOMPARE(page->Navigator().CurrentPointRow(), 4);

        // On an empty lesson it does nothing.
        theApp().m_nKeshiID = 2;
        page->LoadZhishidianList();
        page->OnBnClickedAddWenti();
        QCOMPARE(page->Navigator().rowCount(), 0);
        QCOMPARE(prompt.shown.size(), 0);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void theBrowserListsThePointsOfTheCurrentLesson()
    {
        addPoint(1, 1, QStringLiteral("第一课的点"));
        addPoint(2, 1, QStringLiteral("第二课的点"));
        addPoint(2, 2, QStringLiteral("第二课的又一点"));
        ScriptedPrompt prompt;
        CQuestionDlg dlg;
        dlg.ShowQuestionDlg(nullptr);
        CListCtrlCl *points = dlg.m_pageZhishidian->m_listZhishidian;
        QCOMPARE(points->m_Header.m_arrTitles.at(1), QStringLiteral("第2课时的知识点"));
        QCOMPARE(column(points, 1), (QStringList{QStringLiteral("第二课的点"), QStringLiteral("第二课的又一点")}));
        dlg.m_tabSheet->setCurrentIndex(1);
        clickRow(dlg.m_pageKeshi->m_listKeshi, 0);
        dlg.m_tabSheet->setCurrentIndex(2);
        QCOMPARE(column(points, 1), QStringList{QStringLiteral("第一课的点")});
        // The title names the lesson shown, not the one current when the page was made.
        QCOMPARE(points->m_Header.m_arrTitles.at(1), QStringLiteral("第1课时的知识点"));
        QCOMPARE(points->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("第1课时的知识点"));
        QCOMPARE(prompt.shown.size(), 0);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestPoints)
#include "tst_points.moc"
