#include "TestMain.h"

#include "TempProgramFolder.h"

#include "UnreadableFiles.h"

#include "application/CPellorApp.h"
#include "application/SettingsFile.h"
#include "platform/base/AtomicTextFile.h"
#include "platform/base/ProfileFile.h"
#include "platform/base/TextCodec.h"

#include <cmath>

namespace {

const QString kSettings = QStringLiteral("res/set.ini");

const QByteArray kFullFile = "[backBrush]\r\n"
                             "backBrush=/pictures/back.bmp\r\n"
                             "[NumOfClass]\r\n"
                             "NumOfClass=3\r\n"
                             "[JiGu]\r\n"
                             "NumOfJiGu=12\r\n"
                             "[Voice]\r\n"
                             "Voice=1\r\n"
                             "[DongHua]\r\n"
                             "ShowDonghua=1\r\n"
                             "[SelectClass]\r\n"
                             "SelectClass=1\r\n"
                             "[Score]\r\n"
                             "BasicScore=2.9\r\n"
                             "WrongScore=-1.5\r\n"
                             "ZhuDongFen=4\r\n"
                             "RightScore=5\r\n"
                             "QuiteRightScore=6\r\n"
                             "MaxScore=150\r\n"
                             "Youxiu=3.5\r\n"
                             "LiangScore=1.25\r\n"
                             "JiayouScore=0.75\r\n"
                             "kuangkeScore=-3\r\n"
                             "[ScoreDir]\r\n"
                             "studentDirectory=/data/scores/\r\n";

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<TempProgramFolder>(); }
    void cleanup()
    {
        AtomicTextFile::setReplaceObserver({});
        m_folder.reset();
    }

    void pathIsInTheProgramFolder();
    void missingFileKeepsDefaults();
    void readsEveryKeyOfTheMainWindow();
    void caseAndEmptyValues();
    void numbersAreHeldWithinTheirRange();
    void pictureReadAgainstTheProgramFolder();
    void basicScoreReadTwoWays();
    void scoreFolderIsAFolder();
    void applicationObjectReadsItsWeights();
    void pictureOnlyWriteTouchesBackBrush();
    void settingsDialogWriteRoundTrips();
    void toolBarAndWeightsWrites();
    void eachSaveReplacesTheFileOnce();
    void infiniteWeightReadsBackTheSame();
    void unreadableFileIsNotWiped();

private:
    QString path() const { return m_folder->file(kSettings); }
    std::unique_ptr<TempProgramFolder> m_folder;
};

void TestSettingsFile::pathIsInTheProgramFolder()
{
    QCOMPARE(SettingsFile::pathIn(QStringLiteral("/opt/pellor")), QStringLiteral("/opt/pellor/res/set.ini"));
    QCOMPARE(SettingsFile::pathIn(QStringLiteral("C:\\pellor\\")), QStringLiteral("C:/pellor/res/set.ini"));
}

void TestSettingsFile::missingFileKeepsDefaults()
{
    RollCallSettings s;
    s.m_strScoreDir = QStringLiteral("/default/");
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_strScoreDir, QStringLiteral("/default/"));
    QCOMPARE(s.m_strBackBrush, QString());
    QCOMPARE(s.m_nNumOfClass, 1);
    QCOMPARE(s.m_nNumOfJiGu, 20);
    QCOMPARE(s.m_nVoice, 0);
    QCOMPARE(s.m_nShowDonghua, 1);
    QCOMPARE(s.m_nSelectClass, 0);
    QCOMPARE(s.m_nBasicScore, 2);
    QCOMPARE(s.m_nWrongScore, 1);
    QCOMPARE(s.m_nZhuDongFen, 0);
    QCOMPARE(s.m_nRightScore, 2);
    QCOMPARE(s.m_nQuiteRightScore, 3);
    QVERIFY(!m_folder->exists(kSettings)); // reading never creates the file
}

void TestSettingsFile::readsEveryKeyOfTheMainWindow()
{
    m_folder->writeFile(kSettings, kFullFile);
    RollCallSettings s;
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_strBackBrush, QStringLiteral("/pictures/back.bmp"));
    QCOMPARE(s.m_nNumOfClass, 3);
    QCOMPARE(s.m_nNumOfJiGu, 12);
    QCOMPARE(s.m_nVoice, 1);
    QCOMPARE(s.m_nShowDonghua, 1);
    QCOMPARE(s.m_nSelectClass, 1);
    QCOMPARE(s.m_nBasicScore, 2);   // 2.9 truncated
    QCOMPARE(s.m_nWrongScore, -1);  // -1.5 truncated toward zero
    QCOMPARE(s.m_nZhuDongFen, 4);
    QCOMPARE(s.m_nRightScore, 5);
    QCOMPARE(s.m_nQuiteRightScore, 6);
    QCOMPARE(s.m_strScoreDir, QStringLiteral("/data/scores/"));
}

void TestSettingsFile::caseAndEmptyValues()
{
    // The lower-case key turns animations off; an empty count keeps one group; letters read 0.
    m_folder->writeFile(kSettings, "[donghua]\r\nshowdonghua=0\r\n[NumOfClass]\r\nNumOfClass=\r\n"
                                   "[JiGu]\r\nNumOfJiGu=abc\r\n[Voice]\r\nVoice= 2 beats\r\n");
    RollCallSettings s;
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_nShowDonghua, 0);
    QCOMPARE(s.m_nNumOfClass, 1);
    QCOMPARE(s.m_nNumOfJiGu, 1); // letters read 0, and a run beats at least once
    QCOMPARE(s.m_nVoice, 2);

    m_folder->writeFile(kSettings, "[NumOfClass]\r\nNumOfClass=many\r\n");
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_nNumOfClass, 0);
}

void TestSettingsFile::pictureReadAgainstTheProgramFolder()
{
    // Written by hand on Windows, relative to the program folder; an absolute path as it is.
    m_folder->writeFile(kSettings, "[backBrush]\r\nbackBrush=res\\photo\\3.jpg\r\n");
    RollCallSettings s;
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_strBackBrush, m_folder->file(QStringLiteral("res/photo/3.jpg")));
    m_folder->writeFile(kSettings, "[backBrush]\r\nbackBrush=D:\\pictures\\back.bmp\r\n");
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_strBackBrush, QStringLiteral("D:/pictures/back.bmp"));
}

void TestSettingsFile::numbersAreHeldWithinTheirRange()
{
    // A file edited by hand: scores and beats are held at the ends of what the settings
    // dialog accepts; the number of groups is left for the group files' loader to report.
    m_folder->writeFile(kSettings, "[Score]\r\nQuiteRightScore=1e20\r\nBasicScore=-5000\r\nRightScore=100.9\r\n"
                                   "ZhuDongFen=2147483648\r\n[JiGu]\r\nNumOfJiGu=100000\r\n"
                                   "[NumOfClass]\r\nNumOfClass=9\r\n");
    RollCallSettings s;
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_nQuiteRightScore, 100);
    QCOMPARE(s.m_nBasicScore, -100);
    QCOMPARE(s.m_nRightScore, 100);
    QCOMPARE(s.m_nZhuDongFen, 100);
    QCOMPARE(s.m_nNumOfJiGu, 200);
    QCOMPARE(s.m_nNumOfClass, 9);
}

void TestSettingsFile::basicScoreReadTwoWays()
{
    m_folder->writeFile(kSettings, "[Score]\r\nBasicScore=2.5\r\n");
    RollCallSettings s;
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_nBasicScore, 2);
    CPellorApp app;
    SettingsFile::readScoreWeights(path(), app);
    QCOMPARE(app.m_fBasicScore, 2.5f);
    QCOMPARE(app.m_fMaxScore, 100.0f); // absent keys keep their defaults
    QCOMPARE(app.m_fKuangkeScore, -2.0f);
}

void TestSettingsFile::scoreFolderIsAFolder()
{
    // Without a trailing separator the value still names the folder; '\' becomes '/'.
    m_folder->writeFile(kSettings, "[ScoreDir]\r\nstudentDirectory=/data/成绩\r\n[backBrush]\r\nbackBrush=pic\\1.bmp\r\n");
    RollCallSettings s;
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_strScoreDir, QStringLiteral("/data/成绩/"));
    QCOMPARE(s.m_strBackBrush, m_folder->file(QStringLiteral("pic/1.bmp")));

    m_folder->writeFile(kSettings, TextCodec::encodeGb18030(QStringLiteral("[ScoreDir]\r\nstudentDirectory=D:\\班级\\成绩\\\\\r\n")));
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_strScoreDir, QStringLiteral("D:/班级/成绩/"));
}

void TestSettingsFile::applicationObjectReadsItsWeights()
{
    CPellorApp app;
    QCOMPARE(app.m_fBasicScore, 0.0f);
    QCOMPARE(app.m_fMaxScore, 100.0f);
    QCOMPARE(app.m_fYouxiu, 2.0f);
    QCOMPARE(app.m_fLiangScore, 1.0f);
    QCOMPARE(app.m_fJiayouScore, 0.5f);
    QCOMPARE(app.m_fKuangkeScore, -2.0f);
    SettingsFile::readScoreWeights(path(), app); // no file
    QCOMPARE(app.m_fMaxScore, 100.0f);

    m_folder->writeFile(kSettings, kFullFile);
    SettingsFile::readScoreWeights(path(), app);
    QCOMPARE(app.m_fBasicScore, 2.9f);
    QCOMPARE(app.m_fMaxScore, 150.0f);
    QCOMPARE(app.m_fYouxiu, 3.5f);
    QCOMPARE(app.m_fLiangScore, 1.25f);
    QCOMPARE(app.m_fJiayouScore, 0.75f);
    QCOMPARE(app.m_fKuangkeScore, -3.0f);
}

void TestSettingsFile::pictureOnlyWriteTouchesBackBrush()
{
    m_folder->writeFile(kSettings, kFullFile);
    RollCallSettings s;
    SettingsFile::readRollCallSettings(path(), s);
    s.m_strBackBrush = QStringLiteral("/pictures/新.jpg");
    s.m_nVoice = 2; // not written: only the picture changed as far as the caller knows
    QCOMPARE(SettingsFile::writeRollCallSettings(path(), s, false), QString());
    // The plain-ASCII file that receives Chinese gains the UTF-8 mark.
    QByteArray expected = "\xEF\xBB\xBF" + kFullFile;
    expected.replace("backBrush=/pictures/back.bmp", QStringLiteral("backBrush=/pictures/新.jpg").toUtf8());
    QCOMPARE(m_folder->readFile(kSettings), expected);

    // Into a file without the section, the write adds just that entry.
    m_folder->writeFile(kSettings, "[Voice]\r\nVoice=0\r\n");
    QCOMPARE(SettingsFile::writeRollCallSettings(path(), s, false), QString());
    QCOMPARE(m_folder->readFile(kSettings),
             "\xEF\xBB\xBF" + QStringLiteral("[Voice]\r\nVoice=0\r\n[backBrush]\r\nbackBrush=/pictures/新.jpg\r\n").toUtf8());
}

void TestSettingsFile::settingsDialogWriteRoundTrips()
{
    // A new file gets the keys in the dialog's order, each "%d".
    RollCallSettings s;
    s.m_strBackBrush = QStringLiteral("/p.bmp");
    s.m_nNumOfClass = 4;
    s.m_nNumOfJiGu = 30;
    s.m_nVoice = 2;
    s.m_nBasicScore = -1;
    s.m_nWrongScore = 0;
    s.m_nZhuDongFen = 7;
    s.m_nRightScore = 8;
    s.m_nQuiteRightScore = 9;
    s.m_nShowDonghua = 0;
    s.m_nSelectClass = 1;
    QCOMPARE(SettingsFile::writeRollCallSettings(path(), s, true), QString());
    QCOMPARE(m_folder->readFile(kSettings), QByteArray("[backBrush]\r\nbackBrush=/p.bmp\r\n"
                                                      "[NumOfClass]\r\nNumOfClass=4\r\n"
                                                      "[JiGu]\r\nNumOfJiGu=30\r\n"
                                                      "[Voice]\r\nVoice=2\r\n"
                                                      "[Score]\r\nBasicScore=-1\r\nWrongScore=0\r\nZhuDongFen=7\r\n"
                                                      "RightScore=8\r\nQuiteRightScore=9\r\n"
                                                      "[DongHua]\r\nShowDongHua=0\r\n"
                                                      "[SelectClass]\r\nSelectClass=1\r\n"));
    RollCallSettings back;
    SettingsFile::readRollCallSettings(path(), back);
    QCOMPARE(back.m_nNumOfClass, 4);
    QCOMPARE(back.m_nBasicScore, -1);
    QCOMPARE(back.m_nShowDonghua, 0);
    QCOMPARE(back.m_nSelectClass, 1);

    // The written ShowDongHua replaces the read ShowDonghua of an existing file.
    m_folder->writeFile(kSettings, kFullFile);
    QCOMPARE(SettingsFile::writeRollCallSettings(path(), s, true), QString());
    const QByteArray written = m_folder->readFile(kSettings);
    QCOMPARE(written.count("onghua="), 1);
    QVERIFY(written.contains("ShowDonghua=0\r\n"));
    QVERIFY(written.contains("BasicScore=-1\r\n"));
    QVERIFY(written.contains("MaxScore=150\r\n")); // nothing else is lost
    QVERIFY(written.contains("studentDirectory=/data/scores/\r\n"));

    // A failed write is reported.
    QVERIFY(!SettingsFile::writeRollCallSettings(m_folder->file(QStringLiteral("res/set.ini/x")), s, true).isEmpty());
}

void TestSettingsFile::toolBarAndWeightsWrites()
{
    m_folder->writeFile(kSettings, kFullFile);
    QCOMPARE(SettingsFile::writeToolBarSettings(path(), 2, 0, 1), QString());
    const ProfileFile file(path());
    QCOMPARE(file.read(QStringLiteral("Voice"), QStringLiteral("Voice")), QStringLiteral("2"));
    QCOMPARE(file.read(QStringLiteral("DongHua"), QStringLiteral("ShowDonghua")), QStringLiteral("0"));
    QCOMPARE(file.read(QStringLiteral("Score"), QStringLiteral("ShowScore")), QStringLiteral("1"));

    const float weights[6] = {2.5f, 99.9f, 0.1f, 1.0f / 3.0f, 0.0f, -2.0f};
    QCOMPARE(SettingsFile::writeScoreWeights(path(), weights), QString());
    QCOMPARE(file.read(QStringLiteral("Score"), QStringLiteral("BasicScore")), QStringLiteral("2.5"));
    QCOMPARE(file.read(QStringLiteral("Score"), QStringLiteral("MaxScore")), QStringLiteral("99.9"));
    QCOMPARE(file.read(QStringLiteral("Score"), QStringLiteral("Youxiu")), QStringLiteral("0.1"));
    QCOMPARE(file.read(QStringLiteral("Score"), QStringLiteral("kuangkeScore")), QStringLiteral("-2"));
    CPellorApp app;
    SettingsFile::readScoreWeights(path(), app);
    QCOMPARE(app.m_fBasicScore, weights[0]);
    QCOMPARE(app.m_fMaxScore, weights[1]);
    QCOMPARE(app.m_fYouxiu, weights[2]);
    QCOMPARE(app.m_fLiangScore, weights[3]);
    QCOMPARE(app.m_fJiayouScore, weights[4]);
    QCOMPARE(app.m_fKuangkeScore, weights[5]);
    RollCallSettings s;
    SettingsFile::readRollCallSettings(path(), s);
    QCOMPARE(s.m_nBasicScore, 2); // the same entry, read as the roll-call's integer
}

void TestSettingsFile::eachSaveReplacesTheFileOnce()
{
    m_folder->writeFile(kSettings, kFullFile);
    QStringList replaced;
    AtomicTextFile::setReplaceObserver([&replaced](const QString &file) { replaced << file; });
    RollCallSettings s;
    s.m_strBackBrush = QStringLiteral("/p.bmp");
    s.m_nNumOfClass = 5;
    s.m_nNumOfJiGu = 9;
    s.m_nVoice = 2;
    s.m_nBasicScore = 4;
    s.m_nWrongScore = 3;
    s.m_nZhuDongFen = 6;
    s.m_nRightScore = 7;
    s.m_nQuiteRightScore = 8;
    s.m_nShowDonghua = 0;
    s.m_nSelectClass = 0;
    QCOMPARE(SettingsFile::writeRollCallSettings(path(), s, true), QString());
    QCOMPARE(replaced, QStringList{path()});
    const float weights[6] = {1.5f, 90.0f, 3.0f, 2.0f, 1.0f, -1.0f};
    QCOMPARE(SettingsFile::writeScoreWeights(path(), weights), QString());
    QCOMPARE(SettingsFile::writeToolBarSettings(path(), 1, 1, 0), QString());
    AtomicTextFile::setReplaceObserver({});
    QCOMPARE(replaced, QStringList(3, path()));

    // Every key landed, each in its place.
    QByteArray expected = kFullFile;
    for (const auto &[from, to] : QList<QPair<QByteArray, QByteArray>>{
             {"backBrush=/pictures/back.bmp", "backBrush=/p.bmp"}, {"NumOfClass=3", "NumOfClass=5"},
             {"NumOfJiGu=12", "NumOfJiGu=9"}, {"Voice=1", "Voice=1"}, {"ShowDonghua=1", "ShowDonghua=1"},
             {"SelectClass=1", "SelectClass=0"}, {"BasicScore=2.9", "BasicScore=1.5"}, {"WrongScore=-1.5", "WrongScore=3"},
             {"ZhuDongFen=4", "ZhuDongFen=6"}, {"RightScore=5", "RightScore=7"},
             {"QuiteRightScore=6", "QuiteRightScore=8"}, {"MaxScore=150", "MaxScore=90"}, {"Youxiu=3.5", "Youxiu=3"},
             {"LiangScore=1.25", "LiangScore=2"}, {"JiayouScore=0.75", "JiayouScore=1"},
             {"kuangkeScore=-3", "kuangkeScore=-1\r\nShowScore=0"}})
        expected.replace(from, to);
    QCOMPARE(QString::fromUtf8(m_folder->readFile(kSettings)).split(u'\n'), QString::fromUtf8(expected).split(u'\n'));
}

void TestSettingsFile::infiniteWeightReadsBackTheSame()
{
    m_folder->writeFile(kSettings, "[Score]\r\nYouxiu=1e39\r\nMaxScore=-1e39\r\n");
    CPellorApp app;
    SettingsFile::readScoreWeights(path(), app);
    QVERIFY(std::isinf(app.m_fYouxiu) && app.m_fYouxiu > 0);
    const float weights[6] = {app.m_fBasicScore, app.m_fMaxScore, app.m_fYouxiu,
                              app.m_fLiangScore, app.m_fJiayouScore, app.m_fKuangkeScore};
    QCOMPARE(SettingsFile::writeScoreWeights(path(), weights), QString());
    const QByteArray written = m_folder->readFile(kSettings);
    QVERIFY(!written.contains("inf"));
    QVERIFY(written.contains("Youxiu=1e39\r\n"));
    const float read = app.m_fYouxiu;
    app.m_fYouxiu = app.m_fMaxScore = 0;
    SettingsFile::readScoreWeights(path(), app);
    QCOMPARE(app.m_fYouxiu, read);
    QCOMPARE(app.m_fMaxScore, -read);
    QCOMPARE(app.m_fLiangScore, 1.0f);
}

void TestSettingsFile::unreadableFileIsNotWiped()
{
    QVERIFY(UnreadableFiles::makeSocket(path()));
    RollCallSettings s;
    QVERIFY(SettingsFile::writeRollCallSettings(path(), s, true).startsWith(path() + QStringLiteral(" 读取失败")));
    QVERIFY(!SettingsFile::writeToolBarSettings(path(), 1, 1, 1).isEmpty());
    const float weights[6] = {};
    QVERIFY(!SettingsFile::writeScoreWeights(path(), weights).isEmpty());
    QVERIFY(UnreadableFiles::isSocket(path()));
}

PELLOR_UNIT_TEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
