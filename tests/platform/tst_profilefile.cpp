#include "TempProgramFolder.h"
#include "TestMain.h"

#include "app/core/CPellorApp.h"
#include "app/core/SettingsFile.h"
#include "platform/base/NumberText.h"
#include "platform/base/ProfileFile.h"
#include "platform/base/TextCodec.h"

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void numberTextRules()
    {
        QCOMPARE(NumberText::toInt(QStringLiteral("  -12abc")), -12);
        QCOMPARE(NumberText::toInt(QStringLiteral("+7")), 7);
        QCOMPARE(NumberText::toInt(QStringLiteral("abc")), 0);
        QCOMPARE(NumberText::toInt(QStringLiteral("")), 0);
        QCOMPARE(NumberText::toInt(QStringLiteral("99999999999")), 2147483647);
        QCOMPARE(NumberText::toDouble(QStringLiteral(" 2.5xyz")), 2.5);
        QCOMPARE(NumberText::toDouble(QStringLiteral("\t-1.5")), -1.5);
        QCOMPARE(NumberText::toDouble(QStringLiteral("1e2")), 100.0);
        QCOMPARE(NumberText::toDouble(QStringLiteral("x1")), 0.0);
        for (double v : {0.1, 2.5, -2.0, 1.0 / 3.0, 100.0})
            QCOMPARE(NumberText::toDouble(NumberText::fromDouble(v)), v);
    }

    void readsWithoutRegardToCase()
    {
        TempProgramFolder folder;
        const QString path = folder.file(QStringLiteral("res/set.ini"));
        folder.writeFile(QStringLiteral("res/set.ini"),
                         "[donghua]\r\nshowdonghua=0\r\n[Score]\r\nBasicScore=2.5\r\nWrongScore=\r\n"
                         "[NumOfClass]\r\nNumOfClass=abc\r\n");
        const ProfileFile file(path);
        QCOMPARE(file.read(QStringLiteral("DongHua"), QStringLiteral("ShowDonghua")), QStringLiteral("0"));
        QCOMPARE(file.read(QStringLiteral("Score"), QStringLiteral("missing")), QString());
        QCOMPARE(file.read(QStringLiteral("Nowhere"), QStringLiteral("BasicScore")), QString());

        RollCallSettings s;
        SettingsFile::readRollCallSettings(path, s);
        QCOMPARE(s.m_nShowDonghua, 0);      // lower-case key still turns animations off
        QCOMPARE(s.m_nBasicScore, 2);       // 2.5 truncated for the roll-call
        QCOMPARE(s.m_nWrongScore, 1);       // empty value keeps the default
        QCOMPARE(s.m_nNumOfClass, 0);       // letters read as 0
        QCOMPARE(s.m_nNumOfJiGu, 20);       // missing section keeps the default

        CPellorApp app;
        SettingsFile::readScoreWeights(path, app);
        QCOMPARE(app.m_fBasicScore, 2.5f);
        QCOMPARE(app.m_fMaxScore, 100.0f);
        QCOMPARE(app.m_fKuangkeScore, -2.0f);

        // A missing file keeps every default.
        RollCallSettings untouched;
        SettingsFile::readRollCallSettings(folder.file(QStringLiteral("res/none.ini")), untouched);
        QCOMPARE(untouched.m_nNumOfClass, 1);
    }

    void negativeScoresTruncateTowardZero()
    {
        TempProgramFolder folder;
        folder.writeFile(QStringLiteral("res/set.ini"), "[Score]\nBasicScore=-1.5\nQuiteRightScore=2.9\n"
                                                        "[ScoreDir]\nstudentDirectory=D:\\class\\scores\n");
        RollCallSettings s;
        SettingsFile::readRollCallSettings(folder.file(QStringLiteral("res/set.ini")), s);
        QCOMPARE(s.m_nBasicScore, -1);
        QCOMPARE(s.m_nQuiteRightScore, 2);
        QCOMPARE(s.m_strScoreDir, QStringLiteral("D:/class/scores/"));
    }

    void writesInPlaceKeepingOtherLines()
    {
        TempProgramFolder folder;
        const QString path = folder.file(QStringLiteral("res/set.ini"));
        folder.writeFile(QStringLiteral("res/set.ini"),
                         "; comment\r\n[backBrush]\r\nbackBrush=old.bmp\r\n[DongHua]\r\nShowDonghua=1\r\n\r\n[Voice]\r\nVoice=2\r\n");
        const ProfileFile file(path);
        QVERIFY(file.write(QStringLiteral("DONGHUA"), QStringLiteral("ShowDongHua"), QStringLiteral("0")).isEmpty());
        QVERIFY(file.write(QStringLiteral("DongHua"), QStringLiteral("Extra"), QStringLiteral("x")).isEmpty());
        QVERIFY(file.write(QStringLiteral("New"), QStringLiteral("Key"), QStringLiteral("v")).isEmpty());
        QCOMPARE(folder.readFile(QStringLiteral("res/set.ini")),
                 QByteArray("; comment\r\n[backBrush]\r\nbackBrush=old.bmp\r\n[DongHua]\r\nShowDonghua=0\r\nExtra=x\r\n\r\n"
                            "[Voice]\r\nVoice=2\r\n[New]\r\nKey=v\r\n"));

        // Only the picture changed: only backBrush is written.
        RollCallSettings s;
        SettingsFile::readRollCallSettings(path, s);
        s.m_strBackBrush = QStringLiteral("new.bmp");
        s.m_nNumOfClass = 5;
        QVERIFY(SettingsFile::writeRollCallSettings(path, s, false).isEmpty());
        const QByteArray after = folder.readFile(QStringLiteral("res/set.ini"));
        QVERIFY(after.contains("backBrush=new.bmp\r\n"));
        QVERIFY(!after.contains("NumOfClass"));
    }

    void keepsTheFileEncoding()
    {
        TempProgramFolder folder;
        const QString value = QStringLiteral("D:/照片/背景.bmp");
        struct Case { QByteArray bytes; TextCodec::Encoding encoding; QByteArray mark; };
        const QList<Case> cases = {
            {TextCodec::encode(QStringLiteral("[backBrush]\r\nbackBrush=旧.bmp\r\n"), TextCodec::Encoding::Utf16Le, true),
             TextCodec::Encoding::Utf16Le, QByteArray("\xFF\xFE")},
            {TextCodec::encode(QStringLiteral("[backBrush]\r\nbackBrush=旧.bmp\r\n"), TextCodec::Encoding::Utf8, true),
             TextCodec::Encoding::Utf8, QByteArray("\xEF\xBB\xBF")},
            {TextCodec::encodeGb18030(QStringLiteral("[backBrush]\r\nbackBrush=旧.bmp\r\n")),
             TextCodec::Encoding::Gb18030, QByteArray()},
        };
        for (const Case &c : cases) {
            folder.writeFile(QStringLiteral("res/set.ini"), c.bytes);
            const ProfileFile file(folder.file(QStringLiteral("res/set.ini")));
            QCOMPARE(file.read(QStringLiteral("backBrush"), QStringLiteral("backBrush")), QStringLiteral("旧.bmp"));
            QVERIFY(file.write(QStringLiteral("backBrush"), QStringLiteral("backBrush"), value).isEmpty());
            const QByteArray after = folder.readFile(QStringLiteral("res/set.ini"));
            QVERIFY(c.mark.isEmpty() || after.startsWith(c.mark));
            QCOMPARE(TextCodec::decode(after, c.encoding),
                     QStringLiteral("[backBrush]\r\nbackBrush=") + value + QStringLiteral("\r\n"));
            QCOMPARE(file.read(QStringLiteral("backBrush"), QStringLiteral("backBrush")), value);
        }
        // A new file is UTF-8 without a mark; a value is cut at 254 characters when read.
        const ProfileFile fresh(folder.file(QStringLiteral("res/new.ini")));
        QVERIFY(fresh.write(QStringLiteral("A"), QStringLiteral("B"), QString(300, u'x')).isEmpty());
        QVERIFY(folder.readFile(QStringLiteral("res/new.ini")).startsWith("[A]\r\nB=xxx"));
        QCOMPARE(fresh.read(QStringLiteral("a"), QStringLiteral("b")).size(), 254);
    }

    void weightsWrittenReadBackExactly()
    {
        TempProgramFolder folder;
        const QString path = folder.file(QStringLiteral("res/set.ini"));
        const float weights[6] = {2.5f, 95.0f, 0.1f, 1.0f, 0.3f, -2.0f};
        QVERIFY(SettingsFile::writeScoreWeights(path, weights).isEmpty());
        CPellorApp app;
        SettingsFile::readScoreWeights(path, app);
        QCOMPARE(app.m_fBasicScore, 2.5f);
        QCOMPARE(app.m_fYouxiu, 0.1f);
        QCOMPARE(app.m_fJiayouScore, 0.3f);
        QCOMPARE(app.m_fKuangkeScore, -2.0f);
        QCOMPARE(ProfileFile(path).read(QStringLiteral("Score"), QStringLiteral("Youxiu")), QStringLiteral("0.1"));
        QVERIFY(SettingsFile::writeToolBarSettings(path, 1, 0, 1).isEmpty());
        QCOMPARE(ProfileFile(path).read(QStringLiteral("donghua"), QStringLiteral("showdonghua")), QStringLiteral("0"));
    }
};

PELLOR_UNIT_TEST_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
