#include "TestMain.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"
#include "TempProgramFolder.h"

#include "AppTestHelpers.h"

#include "app/CFlashDlg.h"
#include "app/GuLi.h"
#include "app/KuangKe.h"
#include "app/LoadImageToBitmap.h"
#include "app/ManFen.h"
#include "app/WeiKuangKe.h"
#include "app/YongQi.h"
#include "application/CPellorApp.h"

#include <QLabel>
#include <QPushButton>

#include <functional>

namespace {

// Runs the dialog modally and does action to it once it is up.
int runWith(QDialog &dlg, std::function<void(QWidget *)> action)
{
    TestSupport::whenModal(std::move(action));
    return dlg.exec();
}

void pressKey(QWidget *dialog, Qt::Key key)
{
    QWidget *target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, key);
}


bool isRedOnPicture(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0) && !label->autoFillBackground();
}

} // namespace

class TestFeedback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietenHeadlessRaise(); }

    void init()
    {
        m_program = std::make_unique<TempProgramFolder>();
        m_program->copyDemo();
        theApp().m_strAppDir = m_program->path();
        CFlashDlg::setCloseDelayOverride(0);
    }

    void cleanup()
    {
        CFlashDlg::setCloseDelayOverride(-1);
        theApp().m_strAppDir.clear();
        m_program.reset();
    }

    void gradingDialogResults()
    {
        const QList<QPair<std::function<void(QWidget *)>, int>> cases = {
            {[](QWidget *d) { pressKey(d, Qt::Key_Return); }, 1},
            {[](QWidget *d) { pressKey(d, Qt::Key_Enter); }, 1},
            {[](QWidget *d) { pressKey(d, Qt::Key_Escape); }, 2},
            {[](QWidget *d) { d->close(); }, 5},
            {[](QWidget *d) { TestSupport::clickButton(d, 1); }, 1},
            {[](QWidget *d) { TestSupport::clickButton(d, 2); }, 2},
            {[](QWidget *d) { TestSupport::clickButton(d, 3); }, 255},
        };
        for (const auto &[action, expected] : cases) {
            WeiKuangKe dlg;
            QCOMPARE(runWith(dlg, action), expected);
        }

        WeiKuangKe dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("未旷课"));
        QCOMPARE(dlg.m_btnJiayou->text(), QStringLiteral("加油"));
        QCOMPARE(dlg.m_btnHao->text(), QStringLiteral("好"));
        QCOMPARE(dlg.m_btnFeichanghao->text(), QStringLiteral("非常好"));
        QVERIFY(dlg.statics().isEmpty());
        // Focus on "非常好" and Enter is still the dialog's OK.
        QCOMPARE(runWith(dlg, [&dlg](QWidget *d) {
                     dlg.m_btnFeichanghao->setFocus();
                     pressKey(d, Qt::Key_Return);
                 }),
                 1);
    }

    void absenceDialogResults()
    {
        KuangKe dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("旷课"));
        QCOMPARE(runWith(dlg, [](QWidget *d) { TestSupport::clickButton(d, 1); }), 1);
        QCOMPARE(runWith(dlg, [](QWidget *d) { pressKey(d, Qt::Key_Return); }), 1);
        QCOMPARE(runWith(dlg, [](QWidget *d) { pressKey(d, Qt::Key_Escape); }), 2);
        QCOMPARE(runWith(dlg, [](QWidget *d) { d->close(); }), 2);
        QStringList texts;
        for (const QLabel *label : dlg.statics()) {
            texts << label->text();
            QVERIFY(isRedOnPicture(label));
        }
        QCOMPARE(texts, QStringList({"很抱歉，因为您旷课", "此节成绩为零（0）", "望诸位同学，以此为鉴"}));
    }

    void followOnClipOnlyFromOk_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clip");
        QTest::newRow("GuLi") << 0 << "基本正确" << "恭喜，此次回答基本正确" << "EgihtDlg";
        QTest::newRow("YongQi") << 1 << "回答错误" << " 继续努力呀~~" << "fiveScore";
        QTest::newRow("ManFen") << 2 << "满分" << "恭喜，您此次回答得了满分" << "TenScore";
    }

    void followOnClipOnlyFromOk()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, clip);
        auto make = [kind]() -> std::unique_ptr<CFeedbackDlg> {
            if (kind == 0)
                return std::make_unique<GuLi>();
            if (kind == 1)
                return std::make_unique<YongQi>();
            return std::make_unique<ManFen>();
        };
        DialogWatcher watcher;
        {
            auto dlg = make();
            QCOMPARE(dlg->windowTitle(), caption);
            QCOMPARE(dlg->statics().size(), 1);
            QCOMPARE(dlg->statics().at(0)->text(), text);
            QVERIFY(isRedOnPicture(dlg->statics().at(0)));
            QCOMPARE(runWith(*dlg, [](QWidget *d) { pressKey(d, Qt::Key_Return); }), 1);
            QCOMPARE(runWith(*dlg, [](QWidget *d) { pressKey(d, Qt::Key_Escape); }), 2);
            QCOMPARE(runWith(*dlg, [](QWidget *d) { d->close(); }), 2);
            QCOMPARE(watcher.events.filter(clip), QStringList());
        }
        auto dlg = make();
        const QString own = QString::fromLatin1(dlg->metaObject()->className());
        watcher.events.clear();
        QCOMPARE(runWith(*dlg, [](QWidget *d) { TestSupport::clickButton(d, 1003); }), 1);
        // The dialog closes first; its caller regains control only after the clip window closed.
        QCOMPARE(watcher.events, QStringList({"show " + own, "hide " + own, "show " + clip, "hide " + clip}));
    }

    void backgroundPictures()
    {
        ScriptedPrompt prompt;
        WeiKuangKe grading;
        runWith(grading, [](QWidget *d) { d->close(); });
        QCOMPARE(grading.m_brushBack.style(), Qt::TexturePattern);
        QCOMPARE(grading.m_brushBack.texture().size(), grading.size());
        QCOMPARE(grading.palette().brush(QPalette::Window).style(), Qt::TexturePattern);

        // A missing picture leaves the default background, silently.
        QFile::remove(m_program->file("res/photo/2.jpg"));
        KuangKe absence;
        runWith(absence, [](QWidget *d) { d->close(); });
        QCOMPARE(absence.m_brushBack.style(), Qt::NoBrush);
        QVERIFY(prompt.shown.isEmpty());

        // A file that is no picture is reported, and the dialog still runs.
        m_program->writeFile("res/photo/3.jpg", "not a picture");
        GuLi good;
        QCOMPARE(runWith(good, [](QWidget *d) { pressKey(d, Qt::Key_Return); }), 1);
        QCOMPARE(prompt.texts(), QStringList({"无法从流中装载图片!"}));
        QCOMPARE(good.m_brushBack.style(), Qt::NoBrush);
    }

    void pictureIsStretchedOverTheClientArea()
    {
        ScriptedPrompt prompt;
        QWidget dialog;
        dialog.resize(123, 45);
        QPixmap bitmap;
        QVERIFY(LoadImageToBitmap(&dialog, bitmap, m_program->file("res/photo/1.jpg")));
        QCOMPARE(bitmap.size(), QSize(123, 45));
        // The picture's own colours, not an empty bitmap, fill it to the corners.
        const QImage image = bitmap.toImage();
        QVERIFY(image.pixelColor(0, 0).red() > 200);
        QVERIFY(image.pixelColor(122, 44).red() > 200);

        QPixmap kept = bitmap;
        QVERIFY(!LoadImageToBitmap(&dialog, bitmap, m_program->file("res/photo/none.jpg")));
        QVERIFY(prompt.shown.isEmpty());
        QVERIFY(!LoadImageToBitmap(&dialog, bitmap, m_program->file("res/photo/none.jpg"),
                                   PictureOpenFailure::Report));
        QCOMPARE(prompt.texts(), QStringList({"无法打开图片文件!"}));
        QCOMPARE(bitmap.cacheKey(), kept.cacheKey());
    }

private:
    CPellorApp m_app;
    std::unique_ptr<TempProgramFolder> m_program;
};

PELLOR_WIDGET_TEST_MAIN(TestFeedback)
#include "tst_feedback.moc"
