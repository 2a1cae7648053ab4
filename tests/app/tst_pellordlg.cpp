#include "TestMain.h"

#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"

#include "AppTestHelpers.h"

#include "app/CAboutDlg.h"
#include "app/core/GroupScoreFile.h"
#include "app/CPellorDlg.h"
#include "app/PellorStartup.h"
#include "application/CPellorApp.h"
#include "content/CKemuPage.h"
#include "content/CQuestionDlg.h"
#include "records/CStudentInfoDlg.h"
#include "platform/base/TextCodec.h"
#include "platform/gui/Screen.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

namespace {

const QStringList kGroup1 = {QStringLiteral("王思远"), QStringLiteral("李欣怡"), QStringLiteral("张浩然"),
                             QStringLiteral("刘雨桐"), QStringLiteral("陈子轩"), QStringLiteral("杨梓涵"),
                             QStringLiteral("赵一鸣"), QStringLiteral("黄诗琪")};

QByteArray gb(const QString &text)
{
    return TextCodec::encodeGb18030(text);
}

// Every file of the score folder, by name.
QMap<QString, QByteArray> scoreFiles(const TempProgramFolder &program)
{
    QMap<QString, QByteArray> files;
    const QDir dir(program.scoreDir());
    for (const QString &name : dir.entryList(QDir::Files))
        files.insert(name, program.readFile(QStringLiteral("成绩/") + name));
    return files;
}

} // namespace

class TestPellorDlg : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
        m_prompt.clear();
    }

    void cleanup() { m_program.reset(); }

    void startsOnTheFirstGroup()
    {
        CPellorDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Quorinde"));
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(dlg.m_comboGroup->count(), 3);
        QCOMPARE(dlg.m_comboGroup->currentText(), QStringLiteral("1"));
        QCOMPARE(dlg.m_comboNumber->count(), 8);
        QCOMPARE(dlg.m_comboNumber->itemText(7), QStringLiteral("8"));
        // No student is on call until one is picked.
        QCOMPARE(dlg.m_comboNumber->currentText(), QString());
        QCOMPARE(dlg.m_strStuNumber, QString());
        QCOMPARE(dlg.backBrush(), m_program->file(QStringLiteral("res/photo/1.bmp")));
        QVERIFY(!dlg.windowIcon().isNull());
        QCOMPARE(dlg.m_btnRandom->m_crBack, QColor(254, 223, 216));
        QCOMPARE(dlg.m_btnRandom->m_crText, QColor(255, 0, 0));
        QCOMPARE(dlg.m_btnPresent->m_crBack, QColor(225, 232, 134));
        QCOMPARE(dlg.m_btnPresent->m_crText, QColor(0, 0, 0));
        QCOMPARE(dlg.m_btnSettings->m_crBack, QColor(254, 223, 216));
        QCOMPARE(dlg.m_editName->font().pixelSize(), 30);
        QVERIFY(dlg.m_editName->font().bold());
        QCOMPARE(dlg.m_btnSaveExit->font().pixelSize(), 30);
        // Named by the installed family, the fields draw in the face the template's name
        // stands for.
        QFont named(QStringLiteral("新宋体"));
        named.setStyleHint(QFont::TypeWriter);
        named.setFixedPitch(true);
        named.setBold(true);
        named.setPixelSize(30);
        QCOMPARE(QFontInfo(dlg.m_editName->font()).family(), QFontInfo(named).family());
        QCOMPARE(QFontInfo(dlg.font()).family(), QFontInfo(QFont(QStringLiteral("MS Shell Dlg"))).family());
        // The companion buttons are there and lead to their windows.
        QVERIFY(!dlg.m_btnLessonPlan->isHidden());
        QVERIFY(!dlg.m_btnStudentInfo->isHidden());
        QVERIFY(dlg.m_btnLessonPlan->isEnabled());
        QVERIFY(dlg.m_btnPPT->isEnabled());
    }

    void colorsOverThePicture()
    {
        // A plain picture, so that what shows through can be told from the controls.
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(QColor(10, 120, 200));
        QVERIFY(picture.save(m_program->file(QStringLiteral("res/photo/plain.png"))));
        m_program->writeFile(QStringLiteral("res/set.ini"),
                             "[NumOfClass]\r\nNumOfClass=3\r\n[backBrush]\r\nbackBrush="
                                 + m_program->file(QStringLiteral("res/photo/plain.png")).toUtf8() + "\r\n");
        CPellorDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const QImage shot = dlg.grab().toImage();
        QCOMPARE(shot.pixelColor(dlg.width() - 3, dlg.height() / 2 + 40), QColor(10, 120, 200));
        // Labels draw red straight on the picture; an empty field is green.
        auto label = dlg.findChild<QLabel *>(QStringLiteral("static1029"));
        QVERIFY(label);
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        const QImage field = dlg.m_editName->grab().toImage();
        QCOMPARE(field.pixelColor(field.width() / 2, field.height() / 2), QColor(0, 255, 0));
        QCOMPARE(dlg.m_editName->palette().color(QPalette::Text), QColor(0, 0, 255));
        // Through the clear parts of a picture the window's own colour shows.
        QImage clear(64, 64, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QVERIFY(clear.save(m_program->file(QStringLiteral("res/photo/clear.png"))));
        QVERIFY(dlg.PreviewBackground(m_program->file(QStringLiteral("res/photo/clear.png"))));
        const QImage through = dlg.grab().toImage();
        QCOMPARE(through.pixelColor(dlg.width() - 3, dlg.height() / 2 + 40),
                 dlg.palette().color(QPalette::Window));
    }

    void choosingAGroupAndANumber()
    {
        CPellorDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        dlg.m_comboGroup->setFocus();
        QTest::keyClick(dlg.m_comboGroup, Qt::Key_Down);
        QCOMPARE(dlg.m_comboGroup->currentText(), QStringLiteral("2"));
        QCOMPARE(dlg.m_editGroup->text(), QStringLiteral("14"));
        QCOMPARE(dlg.m_comboNumber->count(), 7);

        QTest::keyClick(dlg.m_comboGroup, Qt::Key_Up);
        QCOMPARE(dlg.m_editGroup->text(), QStringLiteral("16"));
        QCOMPARE(dlg.m_comboNumber->count(), 8);

        dlg.m_comboNumber->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(dlg.m_comboNumber, Qt::Key_Down);
        QCOMPARE(dlg.m_comboNumber->currentIndex(), 2);
        QCOMPARE(dlg.m_strStuNumber, QStringLiteral("3"));
        QCOMPARE(dlg.m_comboNumber->currentText(), QStringLiteral("3"));
        QCOMPARE(dlg.m_editName->text(), QStringLiteral("张浩然"));
        QCOMPARE(dlg.m_editPersonal->text(), QStringLiteral("2"));
        QCOMPARE(dlg.m_editGroup->text(), QStringLiteral("16"));

        // Another group: its numbers and its score, and nobody of it is on call yet.
        dlg.m_comboGroup->setFocus();
        QTest::keyClick(dlg.m_comboGroup, Qt::Key_Down);
        QCOMPARE(dlg.m_comboNumber->count(), 7);
        QCOMPARE(shownFields(dlg), (QStringList{QString(), QString(), QString(), QStringLiteral("14")}));
        QCOMPARE(dlg.m_strStuName, QString());
    }

    void keysAndClose()
    {
        const auto before = scoreFiles(*m_program);
        CPellorDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // Only the key is under test here, not what grading does.
        QObject::disconnect(dlg.m_btnPresent, &QPushButton::clicked, &dlg, nullptr);
        QSignalSpy present(dlg.m_btnPresent, &QPushButton::clicked);
        QSignalSpy random(dlg.m_btnRandom, &QPushButton::clicked);

        dlg.m_editName->setFocus();
        QTest::keyClick(dlg.m_editName, Qt::Key_Escape);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(dlg.isVisible());

        QTest::keyClick(dlg.m_editName, Qt::Key_Return);
        QCOMPARE(present.count(), 1);
        dlg.m_btnRandom->setFocus();
        QTest::keyClick(dlg.m_btnRandom, Qt::Key_Return);
        QCOMPARE(present.count(), 2);
        QCOMPARE(random.count(), 0);
        // A number typed into the field and entered is not added to the list.
        dlg.m_comboNumber->setFocus();
        dlg.m_comboNumber->setEditText(QStringLiteral("99"));
        QTest::keyClick(dlg.m_comboNumber->lineEdit(), Qt::Key_Return);
        QCOMPARE(present.count(), 3);
        QCOMPARE(dlg.m_comboNumber->count(), 8);

        // Nobody graded, yet the lesson has begun: its base score and its count are asked
        // about; 否 ends it without a file written.
        QVERIFY(m_prompt.shown.isEmpty());
        m_prompt.answerNext(Prompt::No);
        QVERIFY(dlg.close());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(scoreFiles(*m_program), before);
        QCOMPARE(m_prompt.texts(), QStringList{QStringLiteral("本节课的成绩尚未保存，是否保存？")});
    }

    void saveAndExitWritesEveryFile()
    {
        CPellorDlg dlg;
        changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(dlg.m_btnSaveExit, Qt::LeftButton);
        QVERIFY(m_prompt.shown.isEmpty());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));

        QString group1 = QStringLiteral("8\r\n1\t总成绩\t16\r\n");
        for (const QString &name : kGroup1)
            group1 += name + QStringLiteral("\t\t2\r\n");
        const QByteArray written1 = m_program->readFile(QStringLiteral("成绩/课堂成绩1.txt"));
        QCOMPARE(written1, gb(group1));
        const QByteArray written2 = m_program->readFile(QStringLiteral("成绩/课堂成绩2.txt"));
        QVERIFY(written2.startsWith(gb(QStringLiteral("7\r\n1\t总成绩\t14\r\n周俊杰\t\t2\r\n"))));
        const QByteArray written3 = m_program->readFile(QStringLiteral("成绩/课堂成绩3.txt"));
        QVERIFY(written3.startsWith(gb(QStringLiteral("8\r\n1\t总成绩\t16\r\n林博文\t\t2\r\n"))));
        QVERIFY(written3.endsWith(gb(QStringLiteral("郑雅静\t\t2\r\n"))));
        QCOMPARE(m_program->readFile(QStringLiteral("成绩/课堂成绩.xls")),
                 "\r\n\r\n\r\n" + written1 + "\r\n\r\n\r\n" + written2 + "\r\n\r\n\r\n" + written3);
    }

    void unwritableFileKeepsTheWindowOpen()
    {
        CPellorDlg dlg;
        changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // A folder where the group file should go cannot be replaced, not even by root.
        const QString blocked = m_program->file(QStringLiteral("成绩/课堂成绩2.txt"));
        QVERIFY(QFile::remove(blocked));
        QVERIFY(QDir().mkdir(blocked));

        QTest::mouseClick(dlg.m_btnSaveExit, Qt::LeftButton);
        QCOMPARE(m_prompt.shown.size(), 1);
        const QString text = m_prompt.lastText();
        QVERIFY(text.startsWith(QStringLiteral("以下成绩文件未能保存，本节课的成绩仍在窗口中，请检查后再保存：\n")
                                + blocked + QStringLiteral(" (")));
        QVERIFY(!text.contains(QStringLiteral("课堂成绩1.txt")));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), 0);
        // The tables are untouched: a second try after mending the folder saves the lesson.
        QVERIFY(QDir().rmdir(blocked));
        QTest::mouseClick(dlg.m_btnSaveExit, Qt::LeftButton);
        QCOMPARE(m_prompt.shown.size(), 1);
        QVERIFY(!dlg.isVisible());
        QVERIFY(m_program->readFile(QStringLiteral("成绩/课堂成绩2.txt"))
                    .startsWith(gb(QStringLiteral("7\r\n1\t总成绩\t14\r\n"))));
    }

    void fileChangedDuringTheLessonIsNotOverwrittenUnasked()
    {
        CPellorDlg dlg;
        changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        gradeFirstStudent(dlg);
        // The teacher adds a student to group 2 in an editor; group 3 is saved again unchanged.
        const QString group2 = QStringLiteral("成绩/课堂成绩2.txt");
        m_program->writeFile(group2, m_program->readFile(group2) + gb(QStringLiteral("新同学\r\n")));
        const QString group3 = QStringLiteral("成绩/课堂成绩3.txt");
        m_program->writeFile(group3, m_program->readFile(group3));
        const auto edited = scoreFiles(*m_program);

        // 否: nothing at all is written, and the lesson stays on screen to be saved later.
        const QString question = QStringLiteral("以下成绩文件在本节课中被修改过，和程序读入时不同：\n")
            + m_program->scoreDir() + QStringLiteral("课堂成绩2.txt\n是否用本节课的成绩覆盖这些文件？选“否”则不保存任何文件，"
                                                     "本节课的成绩仍在窗口中。");
        m_prompt.answerNext(Prompt::No);
        QTest::mouseClick(dlg.m_btnSaveExit, Qt::LeftButton);
        QCOMPARE(m_prompt.texts(), QStringList{question});
        QCOMPARE(m_prompt.shown.first().buttons, Prompt::YesNo);
        QVERIFY(dlg.isVisible());
        QCOMPARE(scoreFiles(*m_program), edited);
        QCOMPARE(shownFields(dlg), (QStringList{QStringLiteral("1"), kGroup1.first(), QStringLiteral("3"),
                                                QStringLiteral("17")}));

        // 是: the lesson's copy is written over it, as over every other group's file.
        m_prompt.clear();
        m_prompt.answerNext(Prompt::Yes);
        QTest::mouseClick(dlg.m_btnSaveExit, Qt::LeftButton);
        QCOMPARE(m_prompt.texts(), QStringList{question});
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(m_program->readFile(group2).startsWith(gb(QStringLiteral("7\r\n1\t总成绩\t14\r\n"))));
        QVERIFY(!m_program->readFile(group2).contains(gb(QStringLiteral("新同学"))));
        QVERIFY(m_program->readFile(QStringLiteral("成绩/课堂成绩1.txt"))
                    .startsWith(gb(QStringLiteral("8\r\n1\t总成绩\t17\r\n"))));
    }

    void failedGroupLoadKeepsTheTemplateTitle()
    {
        QVERIFY(QFile::remove(m_program->file(QStringLiteral("成绩/课堂成绩2.txt"))));
        CPellorDlg dlg;
        QCOMPARE(m_prompt.texts(),
                 QStringList{m_program->scoreDir() + QStringLiteral("课堂成绩2.txt")
                             + QStringLiteral(" 读取失败，请检查此文件，或小组数目设置不合理")});
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Marlowen"));
        QCOMPARE(dlg.m_comboNumber->count(), 0);
        QCOMPARE(dlg.m_comboGroup->count(), 2);

        // With no group read there is nothing to save: 保存并退出 names the file that failed,
        // not a group count that is fine, and writes nothing.
        QVERIFY(QFile::remove(m_program->file(QStringLiteral("成绩/课堂成绩1.txt"))));
        const auto before = scoreFiles(*m_program);
        m_prompt.clear();
        CPellorDlg none;
        none.m_btnSaveExit->click();
        QCOMPARE(m_prompt.texts(), QStringList(2, m_program->scoreDir() + QStringLiteral("课堂成绩1.txt")
                                                      + QStringLiteral(" 读取失败，请检查此文件，或小组数目设置不合理")));
        QCOMPARE(scoreFiles(*m_program), before);
    }

    void backgroundFallsBack()
    {
        m_program->writeFile(QStringLiteral("res/photo/notes.bmp"), "not a picture");
        CPellorDlg dlg;
        QVERIFY(m_prompt.shown.isEmpty());
        const QString fallback = m_program->file(QStringLiteral("res/photo/1.bmp"));

        QVERIFY(dlg.LoadBackground(m_program->file(QStringLiteral("res/photo/notes.bmp"))));
        QCOMPARE(m_prompt.texts(), QStringList{QStringLiteral("无法从流中装载图片!")});
        QCOMPARE(dlg.backBrush(), fallback);
        QVERIFY(!dlg.m_brushBack.texture().isNull());

        // A missing file says nothing; with the fallback gone too the old picture stays.
        m_prompt.clear();
        const qint64 before = dlg.m_brushBack.texture().cacheKey();
        QVERIFY(QFile::remove(fallback));
        QVERIFY(!dlg.LoadBackground(m_program->file(QStringLiteral("res/photo/missing.jpg"))));
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(dlg.m_brushBack.texture().cacheKey(), before);
    }

    void pictureStretchedOverTheScreen()
    {
        // Four colours, one to a quarter of the screen; the window is made larger than the
        // screen, so that the picture starts again beyond it, as a pattern brush repeats.
        QImage picture(2, 2, QImage::Format_RGB32);
        const QColor topLeft(200, 0, 0), topRight(0, 200, 0), bottomLeft(0, 0, 200), bottomRight(200, 200, 0);
        picture.setPixelColor(0, 0, topLeft);
        picture.setPixelColor(1, 0, topRight);
        picture.setPixelColor(0, 1, bottomLeft);
        picture.setPixelColor(1, 1, bottomRight);
        QVERIFY(picture.save(m_program->file(QStringLiteral("res/photo/quarters.png"))));
        const QByteArray path = m_program->file(QStringLiteral("res/photo/quarters.png")).toUtf8();
        m_program->writeFile(QStringLiteral("res/set.ini"),
                             "[NumOfClass]\r\nNumOfClass=3\r\n[backBrush]\r\nbackBrush=" + path + "\r\n");
        CPellorDlg dlg;
        for (QWidget *control : dlg.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            control->hide();
        const QSize screen = Screen::size();
        dlg.resize(screen.width() + 40, screen.height() + 30);
        const QImage shot = dlg.grab().toImage();
        const int w = screen.width();
        const int h = screen.height();
        QCOMPARE(shot.pixelColor(0, 0), topLeft);
        QCOMPARE(shot.pixelColor(w / 4, h / 4), topLeft);
        QCOMPARE(shot.pixelColor(w * 3 / 4, 0), topRight);
        QCOMPARE(shot.pixelColor(w - 1, h / 4), topRight);
        QCOMPARE(shot.pixelColor(0, h * 3 / 4), bottomLeft);
        QCOMPARE(shot.pixelColor(w - 1, h - 1), bottomRight);
        QCOMPARE(shot.pixelColor(w + 20, 10), topLeft);
        QCOMPARE(shot.pixelColor(10, h + 15), topLeft);
        QCOMPARE(shot.pixelColor(w + 20, h + 15), topLeft);
    }

    void noPictureAtAllShowsThePlainWindow()
    {
        QVERIFY(QFile::remove(m_program->file(QStringLiteral("res/photo/1.bmp"))));
        CPellorDlg dlg;
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(dlg.m_brushBack.style(), Qt::NoBrush);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Quorinde"));
    }

    void fontsFollowTheWidth()
    {
        CPellorDlg dlg;
        QCOMPARE(dlg.m_nOldCx, 0);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // The first resize only records the size.
        QCOMPARE(dlg.m_nOldCx, dlg.width());
        QCOMPARE(dlg.m_nFontHeight, 30);
        QCOMPARE(dlg.m_editName->font().pixelSize(), 30);

        const int width = dlg.width();
        dlg.resize(width * 2, dlg.height());
        QTRY_COMPARE(dlg.m_nOldCx, width * 2);
        QCOMPARE(dlg.m_fScaleX, 2.0f);
        QCOMPARE(dlg.m_nFontHeight, 60);
        for (QWidget *field : std::initializer_list<QWidget *>{dlg.m_editName, dlg.m_editPersonal,
                                                               dlg.m_editGroup, dlg.m_comboNumber})
            QCOMPARE(field->font().pixelSize(), 60);
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("static1027"))->font().pixelSize(), 60);
        // The buttons and the group list keep the font they were given; nothing moves.
        QCOMPARE(dlg.m_btnRandom->font().pixelSize(), 30);
        QCOMPARE(dlg.m_comboGroup->font().pixelSize(), 30);
        const QPoint place = dlg.m_editName->pos();

        dlg.resize(width * 2 + width / 2, dlg.height());
        QTRY_COMPARE(dlg.m_nOldCx, width * 2 + width / 2);
        QCOMPARE(dlg.m_nFontHeight, 75);
        QCOMPARE(dlg.m_editName->font().pixelSize(), 75);
        QCOMPARE(dlg.m_editName->pos(), place);
    }

    void groupCountThatReadsNothingCostsNoFile_data()
    {
        QTest::addColumn<QByteArray>("count");
        QTest::newRow("nine") << QByteArray("9");
        QTest::newRow("none") << QByteArray("0");
    }

    void groupCountThatReadsNothingCostsNoFile()
    {
        QFETCH(QByteArray, count);
        QByteArray ini = m_program->readFile(QStringLiteral("res/set.ini"));
        ini.replace("NumOfClass=3", "NumOfClass=" + count);
        m_program->writeFile(QStringLiteral("res/set.ini"), ini);
        const auto before = scoreFiles(*m_program);
        CPellorDlg dlg;
        changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(m_prompt.texts(), QStringList{QStringLiteral("小组数目 不合理，请重新设置")});

        // Nothing was read, so nothing is written: no group emptied, none created, the
        // summary left as it is, and the window stays for the teacher to mend the setting.
        QTest::mouseClick(dlg.m_btnSaveExit, Qt::LeftButton);
        QCOMPARE(m_prompt.texts(), QStringList(2, QStringLiteral("小组数目 不合理，请重新设置")));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), 0);
        QCOMPARE(scoreFiles(*m_program), before);
        // With nothing to save the close box ends at once.
        QVERIFY(dlg.close());
        QCOMPARE(m_prompt.shown.size(), 2);
        QCOMPARE(scoreFiles(*m_program), before);
    }

    void noLineOfAScoreFileIsLost()
    {
        // A saved file with a name typed in, a roster with lines beyond its count and a blank
        // line, and a roster saved as UTF-8 without a mark.
        m_program->writeGbText(QStringLiteral("成绩/课堂成绩1.txt"),
                               QStringLiteral("3\r\n2\t总成绩\t8\r\n王思远\t\t4\r\n李欣怡\r\n张浩然\t\t4\r\n"));
        m_program->writeGbText(QStringLiteral("成绩/课堂成绩2.txt"),
                               QStringLiteral("2\r\n0\r\n周俊杰\r\n\r\n吴梦瑶\r\n孙浩宇\r\n备注：转学\r\n"));
        m_program->writeFile(QStringLiteral("成绩/课堂成绩3.txt"),
                             QStringLiteral("2\r\n0\r\n林博文\r\n郑雅静\r\n").toUtf8());
        CPellorDlg dlg;
        changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(dlg.lesson().tables().m_vecNames[0].at(1), QStringLiteral("李欣怡"));
        QCOMPARE(dlg.lesson().tables().m_vecNames[1], QStringList({QStringLiteral("周俊杰"), QStringLiteral("吴梦瑶")}));
        QCOMPARE(dlg.lesson().tables().m_vecNames[2], QStringList({QStringLiteral("林博文"), QStringLiteral("郑雅静")}));
        dlg.m_comboGroup->setCurrentIndex(2);
        dlg.OnCbnSelchangeGroup();
        dlg.m_comboNumber->setCurrentIndex(1);
        dlg.OnCbnSelchangeStudent();
        QCOMPARE(dlg.m_editName->text(), QStringLiteral("郑雅静"));

        QTest::mouseClick(dlg.m_btnSaveExit, Qt::LeftButton);
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(m_program->readFile(QStringLiteral("成绩/课堂成绩1.txt")),
                 gb(QStringLiteral("3\r\n3\t总成绩\t14\r\n王思远\t\t6\r\n李欣怡\t\t2\r\n张浩然\t\t6\r\n")));
        QCOMPARE(m_program->readFile(QStringLiteral("成绩/课堂成绩2.txt")),
                 gb(QStringLiteral("2\r\n1\t总成绩\t4\r\n周俊杰\t\t2\r\n吴梦瑶\t\t2\r\n孙浩宇\r\n备注：转学\r\n")));
        QCOMPARE(m_program->readFile(QStringLiteral("成绩/课堂成绩3.txt")),
                 gb(QStringLiteral("2\r\n1\t总成绩\t4\r\n林博文\t\t2\r\n郑雅静\t\t2\r\n")));

        // Read again, the kept lines are still not called on and still there after the next save.
        CPellorDlg again;
        changeSettings(again.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        QCOMPARE(again.lesson().tables().m_nGroupCount[1], 2);
        QTest::mouseClick(again.m_btnSaveExit, Qt::LeftButton);
        QVERIFY(m_program->readFile(QStringLiteral("成绩/课堂成绩2.txt"))
                    .endsWith(gb(QStringLiteral("吴梦瑶\t\t4\r\n孙浩宇\r\n备注：转学\r\n"))));
    }

    void rosterOfNamesAloneIsReportedAndKeptWhole()
    {
        // Twelve names typed into a plain editor, saved in the code page and in UTF-8.
        QString names;
        for (const char *name : {"王小明", "李华", "张伟", "刘洋", "陈静", "杨帆", "赵磊", "黄丽", "周杰", "吴敏",
                                 "徐涛", "孙悦"})
            names += QString::fromUtf8(name) + QStringLiteral("\r\n");
        m_program->writeGbText(QStringLiteral("成绩/课堂成绩2.txt"), names);
        m_program->writeFile(QStringLiteral("成绩/课堂成绩3.txt"), names.toUtf8());
        const auto before = scoreFiles(*m_program);

        CPellorDlg dlg;
        changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        QCOMPARE(m_prompt.texts(), QStringList{GroupScoreFile::unrecognisedMessage(
                                       {m_program->scoreDir() + QStringLiteral("课堂成绩2.txt"),
                                        m_program->scoreDir() + QStringLiteral("课堂成绩3.txt")})});
        QVERIFY(m_prompt.lastText().contains(QStringLiteral("第1行应是小组人数")));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Quorinde"));
        QCOMPARE(dlg.m_comboGroup->count(), 3);
        QCOMPARE(dlg.m_comboNumber->count(), 8);
        // A group left out shows no score: its file holds its score, not a 0.
        dlg.m_comboGroup->setCurrentIndex(1);
        dlg.OnCbnSelchangeGroup();
        QCOMPARE(shownFields(dlg), QStringList(4, QString()));
        QCOMPARE(dlg.m_comboNumber->count(), 0);

        m_prompt.clear();
        QTest::mouseClick(dlg.m_btnSaveExit, Qt::LeftButton);
        QVERIFY(m_prompt.shown.isEmpty());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const auto after = scoreFiles(*m_program);
        QCOMPARE(after.value(QStringLiteral("课堂成绩2.txt")), before.value(QStringLiteral("课堂成绩2.txt")));
        QCOMPARE(after.value(QStringLiteral("课堂成绩3.txt")), before.value(QStringLiteral("课堂成绩3.txt")));
        QVERIFY(after.value(QStringLiteral("课堂成绩1.txt")).startsWith(gb(QStringLiteral("8\r\n1\t总成绩\t16\r\n"))));
    }

    void closeBoxAsksWhileGradesAreUnsaved()
    {
        const QString question = QStringLiteral("本节课的成绩尚未保存，是否保存？");
        const auto before = scoreFiles(*m_program);
        CPellorDlg dlg;
        changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        gradeFirstStudent(dlg);
        QVERIFY(dlg.lesson().isUnsaved());

        // 取消 keeps the window and the lesson.
        m_prompt.answerNext(Prompt::Cancel);
        QVERIFY(!dlg.close());
        QVERIFY(dlg.isVisible());
        QCOMPARE(m_prompt.shown.size(), 1);
        QCOMPARE(m_prompt.shown.first().text, question);
        QCOMPARE(m_prompt.shown.first().buttons, Prompt::YesNoCancel);
        QVERIFY(!m_prompt.shown.first().applicationBox);
        m_prompt.answerNext(Prompt::Cancel);
        QVERIFY(!dlg.ExitProgram());
        QCOMPARE(scoreFiles(*m_program), before);

        // 是 with a save that fails keeps the window too, with the reason.
        const QString blocked = m_program->file(QStringLiteral("成绩/课堂成绩2.txt"));
        QVERIFY(QFile::remove(blocked));
        QVERIFY(QDir().mkdir(blocked));
        m_prompt.clear();
        m_prompt.answerNext(Prompt::Yes);
        QVERIFY(!dlg.close());
        QVERIFY(dlg.isVisible());
        QCOMPARE(m_prompt.shown.size(), 2);
        QVERIFY(m_prompt.lastText().startsWith(QStringLiteral("以下成绩文件未能保存")));
        QVERIFY(QDir().rmdir(blocked));
        m_program->writeFile(QStringLiteral("成绩/课堂成绩2.txt"), before.value(QStringLiteral("课堂成绩2.txt")));

        // 是 does what "保存并退出" does.
        m_prompt.clear();
        m_prompt.answerNext(Prompt::Yes);
        QVERIFY(dlg.close());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(m_prompt.texts(), QStringList{question});
        QVERIFY(m_program->readFile(QStringLiteral("成绩/课堂成绩1.txt"))
                    .startsWith(gb(QStringLiteral("8\r\n1\t总成绩\t17\r\n王思远\t\t3\r\n"))));
        QVERIFY(!dlg.lesson().isUnsaved());
    }

    void closeBoxWithoutSaving()
    {
        const auto before = scoreFiles(*m_program);
        {
            // 否 ends the lesson unsaved, as the close box always did.
            CPellorDlg dlg;
            changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            gradeFirstStudent(dlg);
            m_prompt.answerNext(Prompt::No);
            QVERIFY(dlg.close());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QCOMPARE(m_prompt.texts(), QStringList{QStringLiteral("本节课的成绩尚未保存，是否保存？")});
            QCOMPARE(scoreFiles(*m_program), before);
        }
        {
            // Saved, there is nothing left to ask about.
            m_prompt.clear();
            CPellorDlg dlg;
            changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
            gradeFirstStudent(dlg);
            changeSettings(dlg.lesson(), [](RollCallSettings &s) { s.m_nShowDonghua = 0; });
            QVERIFY(dlg.SaveAndExit());
            QVERIFY(!dlg.lesson().isUnsaved());
            QVERIFY(dlg.ExitProgram());
            QVERIFY(m_prompt.shown.isEmpty());
        }
    }

    void fontReturnsToItsSizeAfterResizes()
    {
        CPellorDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const QSize start = dlg.size();
        dlg.resize(start.width() * 137 / 100, start.height());
        QTRY_COMPARE(dlg.m_nOldCx, start.width() * 137 / 100);
        const int wide = dlg.m_nFontHeight;
        QVERIFY(wide > 30);
        for (int i = 0; i < 10; ++i) {
            dlg.resize(start);
            QTRY_COMPARE(dlg.m_nOldCx, start.width());
            QCOMPARE(dlg.m_nFontHeight, 30);
            QCOMPARE(dlg.m_editName->font().pixelSize(), 30);
            dlg.resize(start.width() * 137 / 100, start.height());
            QTRY_COMPARE(dlg.m_nOldCx, start.width() * 137 / 100);
            QCOMPARE(dlg.m_nFontHeight, wide);
        }
        dlg.resize(start.width() * 3 / 4, start.height());
        QTRY_COMPARE(dlg.m_nOldCx, start.width() * 3 / 4);
        QCOMPARE(dlg.m_nFontHeight, 22);
        QCOMPARE(dlg.m_editPersonal->font().pixelSize(), 22);
    }

    void aboutBoxFromTheWindowMenu()
    {
        CPellorDlg dlg;
        auto about = dlg.findChild<QAction *>(QStringLiteral("actionAbout"));
        QVERIFY(about);
        QVERIFY(dlg.actions().contains(about));
        QCOMPARE(about->text(), QStringLiteral("&About Quorinde..."));
        QString shown;
        TestSupport::whenModal([&shown](QWidget *w) {
            auto box = qobject_cast<CAboutDlg *>(w);
            if (!box)
                return;
            shown = box->windowTitle() + u'|' + box->m_staticTitle->text();
            QVERIFY(box->m_staticIcon->pixmap().width() > 0);
            QTest::mouseClick(box->m_btnOk, Qt::LeftButton);
        });
        about->trigger();
        QCOMPARE(shown, QStringLiteral("About Quorinde|Quorinde, Version 3.1"));
        // Every message box of the program bears the name of its title.
        PellorStartup::prepareApplication();
        QCOMPARE(QApplication::applicationName(), dlg.windowTitle());
    }

    void opensTheRecords()
    {
        CPellorDlg main;
        auto button = main.findChild<QPushButton *>(QStringLiteral("button1045"));
        QVERIFY(button && button->isEnabled());
        bool opened = false;
        TestSupport::whenModal([&opened](QWidget *window) {
            opened = qobject_cast<CStudentInfoDlg *>(window) != nullptr;
            window->close();
        });
        button->click();
        QVERIFY(opened);
    }

    void lessonPlanOpensTheBrowserOnceAndShowsItAgain()
    {
        CPellorDlg main;
        auto button = main.findChild<QPushButton *>(QStringLiteral("button1043"));
        QVERIFY(button && button->isEnabled());
        button->click();
        CQuestionDlg *browser = main.m_dlgQuestion;
        QVERIFY(browser && browser->isVisible());
        QTRY_COMPARE(browser->frameGeometry().topLeft(), QPoint(0, 0));
        QVERIFY(browser->geometry().top() > 0);
        QCOMPARE(browser->parentWidget(), &main);
        QCOMPARE(browser->m_pOwner, &main);
        QVERIFY(m_program->exists(QStringLiteral("Content.db")));
        QCOMPARE(m_prompt.texts(),
                 (QStringList{QStringLiteral("没有找到 Content.db，现在新建一个空的 Content.db。\n文件：%1")
                                  .arg(QDir::toNativeSeparators(m_program->file(QStringLiteral("Content.db")))),
                              QStringLiteral("数据库为空"), QStringLiteral("请先选择课目")}));

        browser->m_tabSheet->setCurrentIndex(1);
        browser->close();
        QVERIFY(!browser->isVisible());
        m_prompt.clear();
        button->click();
        QCOMPARE(main.m_dlgQuestion, browser);
        QVERIFY(browser->isVisible());
        QCOMPARE(browser->m_tabSheet->currentIndex(), 1);
        QCOMPARE(browser->m_pageKemu->m_nLoadCount, 1);
        QVERIFY(m_prompt.shown.isEmpty());
        theApp().m_pConnection.reset();
    }

private:
    // Number, name, personal score and group score as the window shows them.
    static QStringList shownFields(const CPellorDlg &dlg)
    {
        return {dlg.m_comboNumber->currentText(), dlg.m_editName->text(), dlg.m_editPersonal->text(),
                dlg.m_editGroup->text()};
    }

    // Puts student 1 of group 1 on call and grades "非常好" (+1) through the grading dialog.
    void gradeFirstStudent(CPellorDlg &dlg)
    {
        dlg.m_comboGroup->setCurrentIndex(0);
        dlg.OnCbnSelchangeGroup();
        dlg.m_comboNumber->setCurrentIndex(0);
        dlg.OnCbnSelchangeStudent();
        TestSupport::whenModal([](QWidget *grading) { TestSupport::clickButton(grading, 3); });
        dlg.OnBnClickedPresent();
        QCOMPARE(dlg.lesson().tables().m_vecTotalScore[0].at(0), 3);
    }

    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_program;
    ScriptedPrompt m_prompt;
};

PELLOR_WIDGET_TEST_MAIN(TestPellorDlg)
#include "tst_pellordlg.moc"
