#include "TestMain.h"
#include "TempProgramFolder.h"

#include "AppTestHelpers.h"

#include "app/EgihtDlg.h"
#include "app/KuangKeMofa.h"
#include "app/SaveExit.h"
#include "app/TenScore.h"
#include "application/CPellorApp.h"
#include "app/fiveScore.h"

#include "platform/base/RandomSource.h"
#include "platform/gui/ClipPlayer.h"

#include <QBuffer>
#include <QImageWriter>
#include <QMovie>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

namespace {

std::unique_ptr<CFlashDlg> makeWindow(int templateId)
{
    switch (templateId) {
    case EgihtDlg::IDD:
        return std::make_unique<EgihtDlg>();
    case fiveScore::IDD:
        return std::make_unique<fiveScore>();
    case TenScore::IDD:
        return std::make_unique<TenScore>();
    case KuangKeMofa::IDD:
        return std::make_unique<KuangKeMofa>();
    default:
        return std::make_unique<SaveExit>();
    }
}

// Runs the window modally; a window that never closes by itself fails instead of hanging.
int runModal(CFlashDlg &dlg)
{
    QTimer::singleShot(10000, &dlg, [&dlg] { dlg.done(99); });
    return dlg.exec();
}

} // namespace

class TestClipWindows : public QObject
{
    Q_OBJECT

    CPellorApp m_app;

private slots:
    void initTestCase() { quietenHeadlessRaise(); }

    void cleanup()
    {
        RandomSource::setGenerator({});
        CFlashDlg::setCloseDelayOverride(-1);
        theApp().m_strAppDir.clear();
    }

    void windowsAreFramelessOnTopAndClickThroughButTenScore()
    {
        for (int id : {138, 137, 143, 144, 145}) {
            auto dlg = makeWindow(id);
            const Qt::WindowFlags flags = dlg->windowFlags();
            QVERIFY(flags & Qt::FramelessWindowHint);
            QVERIFY(flags & Qt::WindowStaysOnTopHint);
            QCOMPARE(bool(flags & Qt::WindowTransparentForInput), id != TenScore::IDD);
            QVERIFY(dlg->testAttribute(Qt::WA_TranslucentBackground));
        }
    }

    void clipNumbersStayWithinTheFolder_data()
    {
        QTest::addColumn<int>("templateId");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("delay");
        QTest::newRow("EgihtDlg") << 138 << "res/swf/未旷课" << 35 << 6000;
        QTest::newRow("fiveScore") << 137 << "res/swf/5Fen" << 22 << 6000;
        QTest::newRow("TenScore") << 143 << "res/swf/未旷课" << 35 << 6000;
        QTest::newRow("KuangKeMofa") << 144 << "res/swf/旷课" << 42 << 6000;
        QTest::newRow("SaveExit") << 145 << "res/swf/再见" << 4 << 7000;
    }

    void clipNumbersStayWithinTheFolder()
    {
        QFETCH(int, templateId);
        QFETCH(QString, folder);
        QFETCH(int, count);
        QFETCH(int, delay);
        TempProgramFolder program;
        QCOMPARE(makeWindow(templateId)->spec().closeDelayMs, delay);
        const QList<QPair<int, int>> cases = {{0, 1}, {count - 1, count}, {count, 1}, {32767, 32767 % count + 1}};
        for (const auto &[value, number] : cases) {
            RandomSource::setGenerator([drawn = value] { return drawn; });
            auto dlg = makeWindow(templateId);
            dlg->show();
            QCOMPARE(dlg->clipNumber(), number);
            QCOMPARE(dlg->clipFile(), program.file(QStringLiteral("%1/%2.swf").arg(folder).arg(number)));
            dlg->close();
        }
    }

    void loadedClipClosesTheDelayAfterReadyState4()
    {
        TempProgramFolder program;
        program.copyDemo();
        theApp().m_strAppDir = program.path();
        RandomSource::setGenerator([] { return 6; });

        EgihtDlg dlg;
        dlg.show();
        CShockwaveflash1 *player = dlg.player();
        QVERIFY(player);
        QCOMPARE(player->objectName(), QStringLiteral("player"));
        QCOMPARE(player->controlId(), 1024);
        QCOMPARE(player->geometry(), dlg.rect());
        QCOMPARE(player->GetBackgroundColor(), 0x0000FF);
        QVERIFY(!dlg.closeTimer().isActive());
        QTRY_COMPARE(player->GetReadyState(), 4);
        QCOMPARE(player->clipFormat(), QByteArray("gif"));
        QCOMPARE(player->movie()->state(), QMovie::Running);
        QVERIFY(dlg.closeTimer().isActive());
        QCOMPARE(dlg.closeTimer().interval(), 6000);

        // Other states change nothing; a further 4 starts the delay again (a changed delay
        // shows that it was started anew).
        CFlashDlg::setCloseDelayOverride(9000);
        dlg.OnFlashReadyStateChange(3);
        QCOMPARE(dlg.closeTimer().interval(), 6000);
        emit player->ReadyStateChange(4);
        QVERIFY(dlg.closeTimer().isActive());
        QCOMPARE(dlg.closeTimer().interval(), 9000);

        dlg.OnFlashTimer(2);
        QCoreApplication::processEvents();
        QVERIFY(dlg.isVisible());
        dlg.OnFlashTimer(1);
        QTRY_VERIFY(!dlg.isVisible());
    }

    void modalRunEndsAfterTheClip()
    {
        TempProgramFolder program;
        program.copyDemo();
        theApp().m_strAppDir = program.path();
        CFlashDlg::setCloseDelayOverride(0);
        for (int id : {138, 137, 143, 144, 145}) {
            auto dlg = makeWindow(id);
            QCOMPARE(runModal(*dlg), int(QDialog::Rejected));
            QVERIFY(dlg->player());
            QCOMPARE(dlg->player()->GetReadyState(), 4);
        }
        CFlashDlg::setCloseDelayOverride(-1);
        SaveExit goodbye;
        goodbye.show();
        QTRY_VERIFY(goodbye.closeTimer().isActive());
        QCOMPARE(goodbye.closeTimer().interval(), 7000);
    }

    void missingOrUndecodableClipClosesAtOnce()
    {
        TempProgramFolder program;
        theApp().m_strAppDir = program.path();
        RandomSource::setGenerator([] { return 0; });
        for (int id : {138, 137, 143, 144, 145}) {
            auto dlg = makeWindow(id);
            QCOMPARE(runModal(*dlg), int(QDialog::Rejected));
            // The goodbye window loads without looking first; the failure closes it.
            QCOMPARE(dlg->player() != nullptr, id == SaveExit::IDD);
            QVERIFY(!dlg->closeTimer().isActive());
        }

        // A Flash movie has no player here.
        program.writeFile(QStringLiteral("res/swf/旷课/1.swf"), QByteArray("FWS\x0a") + QByteArray(200, '\x01'));
        program.writeFile(QStringLiteral("res/swf/再见/1.swf"), QByteArray("CWS\x0a") + QByteArray(200, '\x02'));
        for (int id : {144, 145}) {
            auto dlg = makeWindow(id);
            QCOMPARE(runModal(*dlg), int(QDialog::Rejected));
            QVERIFY(dlg->player());
            QVERIFY(dlg->player()->GetReadyState() != 4);
            QVERIFY(dlg->player()->clipFormat().isEmpty());
        }
    }

    void playerDecidesByContent()
    {
        TempProgramFolder program;
        QImage still(8, 6, QImage::Format_ARGB32);
        still.fill(Qt::red);
        const auto encoded = [&still](const char *format) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            QImageWriter(&buffer, format).write(still);
            return buffer.data();
        };
        program.writeFile(QStringLiteral("a.swf"), encoded("png"));
        program.writeFile(QStringLiteral("b.swf"), encoded("webp"));
        program.writeFile(QStringLiteral("c.gif"), QByteArray("GIF89a broken"));

        CShockwaveflash1 player;
        QSignalSpy ready(&player, &CShockwaveflash1::ReadyStateChange);
        QSignalSpy failed(&player, &CShockwaveflash1::loadFailed);
        player.LoadMovie(0, program.file("a.swf"));
        QTRY_COMPARE(ready.size(), 1);
        QCOMPARE(ready.at(0).at(0).toInt(), 4);
        QCOMPARE(player.clipFormat(), QByteArray("png"));

        player.LoadMovie(0, program.file("b.swf"));
        QTRY_COMPARE(ready.size(), 2);
        QCOMPARE(player.clipFormat(), QByteArray("webp"));

        player.LoadMovie(0, program.file("c.gif"));
        QTRY_COMPARE(failed.size(), 1);
        player.LoadMovie(0, program.file("missing.swf"));
        QTRY_COMPARE(failed.size(), 2);
        QCOMPARE(failed.at(1).at(0).toString(), program.file("missing.swf"));
        QCOMPARE(ready.size(), 2);

        // A movie replaced before its report came reports nothing.
        player.LoadMovie(0, program.file("a.swf"));
        player.LoadMovie(0, program.file("missing.swf"));
        QTRY_COMPARE(failed.size(), 3);
        QCOMPARE(ready.size(), 2);
        QCOMPARE(player.GetReadyState(), 1);
    }
};

PELLOR_WIDGET_TEST_MAIN(TestClipWindows)
#include "tst_clipwindows.moc"
