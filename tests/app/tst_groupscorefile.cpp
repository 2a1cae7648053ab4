#include "TempProgramFolder.h"
#include "TestMain.h"

#include "app/core/GroupScoreFile.h"
#include "platform/base/TextCodec.h"

#include <QDir>
#include <QFile>

using namespace GroupScoreFile;

namespace {

QByteArray gb(const QString &text)
{
    return TextCodec::encodeGb18030(text);
}

QByteArray utf16(const QString &text)
{
    return TextCodec::encode(text, TextCodec::Encoding::Utf16Le, true);
}

QString decoded(const QByteArray &bytes)
{
    return TextCodec::decodeGb18030(bytes);
}

} // namespace

class TestGroupScoreFile : public QObject
{
    Q_OBJECT

private slots:
    void freshRosterSavedTwice()
    {
        TempProgramFolder folder;
        folder.writeFile(QStringLiteral("成绩/课堂成绩1.txt"), gb(QStringLiteral("3\r\n0\r\n张三\r\n李四\r\n王五\r\n")));
        RollCallTables t;
        QCOMPARE(load(folder.scoreDir(), 1, 2, t).status, LoadStatus::Loaded);
        QCOMPARE(t.m_nGroupCount[0], 3);
        QCOMPARE(t.m_nLessonCount[0], 0);
        QCOMPARE(t.m_vecTotalScore[0], (QList<int>{2, 2, 2}));
        QCOMPARE(t.m_nGroupScore[0], 6);
        QCOMPARE(t.m_vecNames[0], (QStringList{QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五")}));

        QVERIFY(save(folder.scoreDir(), 1, t).isEmpty());
        const QByteArray once = folder.readFile(QStringLiteral("成绩/课堂成绩1.txt"));
        QCOMPARE(decoded(once), QStringLiteral("3\r\n1\t总成绩\t6\r\n张三\t\t2\r\n李四\t\t2\r\n王五\t\t2\r\n"));
        QVERIFY(!once.startsWith("\xFF\xFE") && !once.startsWith("\xEF\xBB\xBF"));

        QCOMPARE(load(folder.scoreDir(), 1, 2, t).status, LoadStatus::Loaded);
        QCOMPARE(t.m_nLessonCount[0], 1);
        QCOMPARE(t.m_vecTotalScore[0], (QList<int>{4, 4, 4}));
        QCOMPARE(t.m_nGroupScore[0], 12);
        QCOMPARE(t.m_vecNames[0].at(1), QStringLiteral("李四"));
        QVERIFY(save(folder.scoreDir(), 1, t).isEmpty());
        QCOMPARE(decoded(folder.readFile(QStringLiteral("成绩/课堂成绩1.txt"))),
                 QStringLiteral("3\r\n2\t总成绩\t12\r\n张三\t\t4\r\n李四\t\t4\r\n王五\t\t4\r\n"));
        // The summary holds the same block after three empty lines.
        QCOMPARE(decoded(folder.readFile(QStringLiteral("成绩/课堂成绩.xls"))),
                 QStringLiteral("\r\n\r\n\r\n3\r\n2\t总成绩\t12\r\n张三\t\t4\r\n李四\t\t4\r\n王五\t\t4\r\n"));
    }

    void freshLinesAndCounts()
    {
        RollCallTables t;
        // An empty line ends a fresh list, whatever line 1 says.
        parseGroup(gb(QStringLiteral("5\n0\n甲\n乙\n\n丙\n")), 2, t, 0);
        QCOMPARE(t.m_vecNames[0].size(), 2);
        QCOMPARE(t.m_nGroupCount[0], 2);

        // A further field after a TAB stays through every save; the name loses it once saved.
        parseGroup(gb(QStringLiteral("1\n0\n赵六\t男\n")), 2, t, 1);
        QCOMPARE(t.m_vecNames[1].at(0), QStringLiteral("赵六\t男"));
        QCOMPARE(groupBlock(t, 1), QStringLiteral("1\n1\t总成绩\t2\n赵六\t男\t\t2\n"));
        parseGroup(gb(groupBlock(t, 1)), 2, t, 1);
        QCOMPARE(t.m_vecNames[1].at(0), QStringLiteral("赵六"));
        QCOMPARE(groupBlock(t, 1), QStringLiteral("1\n2\t总成绩\t4\n赵六\t男\t\t4\n"));

        // A fractional total is truncated after the base score is added.
        parseGroup(gb(QStringLiteral("1\n3\t总成绩\t12\n孙七\t\t12.5\n")), 2, t, 2);
        QCOMPARE(t.m_vecTotalScore[2].at(0), 14);
        QCOMPARE(t.m_nGroupScore[2], 14);
        QCOMPARE(t.m_nLessonCount[2], 3);

        // A count larger or smaller than the lines read never addresses past them.
        parseGroup(gb(QStringLiteral("9\n1\t总成绩\t0\n一\t\t1\n")), 2, t, 3);
        QCOMPARE(t.m_nGroupCount[3], 1);
        parseGroup(gb(QStringLiteral("-4\n0\n一\n")), 2, t, 3);
        QCOMPARE(t.m_nGroupCount[3], 0);
        QVERIFY(!t.hasStudent(3, 1));
    }

    void utf16Files()
    {
        RollCallTables t;
        parseGroup(utf16(QStringLiteral("2\r\n0\r\n张三\r\n李四\r\n")), 2, t, 0);
        QCOMPARE(t.m_vecNames[0], (QStringList{QStringLiteral("张三"), QStringLiteral("李四")}));
        QCOMPARE(t.m_nLessonCount[0], 0);
        parseGroup(utf16(QStringLiteral("2\n0\n张三\n李四")), 2, t, 1);
        QCOMPARE(t.m_vecNames[1], (QStringList{QStringLiteral("张三"), QStringLiteral("李四")}));
        QCOMPARE(t.m_nGroupScore[1], 4);
    }

    void namesOutsideCodePage936Survive()
    {
        RollCallTables t;
        const QString name = QStringLiteral("𠮷野");
        parseGroup(gb(QStringLiteral("1\n0\n") + name + u'\n'), 2, t, 0);
        QCOMPARE(t.m_vecNames[0].at(0), name);
        parseGroup(encodeForFile(groupBlock(t, 0)), 2, t, 0);
        QCOMPARE(t.m_vecNames[0].at(0), name);
        // Plain code page 936 text stays byte-identical.
        QCOMPARE(gb(QStringLiteral("张")), QByteArray("\xD5\xC5"));
    }

    void loadFailures()
    {
        TempProgramFolder folder;
        folder.writeFile(QStringLiteral("成绩/课堂成绩1.txt"), gb(QStringLiteral("1\n0\n甲\n")));
        RollCallTables t;
        t.m_nGroupScore[0] = 99;
        for (int bad : {0, -1, 9}) {
            const LoadResult r = load(folder.scoreDir(), bad, 2, t);
            QCOMPARE(r.status, LoadStatus::BadGroupCount);
            QCOMPARE(r.message, QStringLiteral("小组数目 不合理，请重新设置"));
            QCOMPARE(t.m_nGroupScore[0], 99);
        }
        const LoadResult missing = load(folder.scoreDir(), 2, 2, t);
        QCOMPARE(missing.status, LoadStatus::OpenFailed);
        QCOMPARE(missing.message,
                 folder.scoreDir() + QStringLiteral("课堂成绩2.txt 读取失败，请检查此文件，或小组数目设置不合理"));
        QCOMPARE(missing.groupsLoaded, 1);
        QCOMPARE(t.m_nGroupCount[0], 1);
        QVERIFY(!folder.exists(QStringLiteral("成绩/课堂成绩2.txt")));
    }

    void failedSaveKeepsOldFileAndSaysWhich()
    {
        TempProgramFolder folder;
        const QByteArray original = gb(QStringLiteral("1\n0\n甲\n"));
        folder.writeFile(QStringLiteral("成绩/课堂成绩1.txt"), original);
        RollCallTables t;
        QCOMPARE(load(folder.scoreDir(), 2 - 1, 2, t).status, LoadStatus::Loaded);
        // Group 2's file cannot be written: a folder stands where the file would go.
        QVERIFY(QDir().mkpath(folder.file(QStringLiteral("成绩/课堂成绩2.txt"))));
        const QStringList failures = save(folder.scoreDir(), 2, t);
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures.first().startsWith(folder.scoreDir() + QStringLiteral("课堂成绩2.txt")));
        QVERIFY(saveFailureMessage(failures).contains(QStringLiteral("课堂成绩2.txt")));
        // Group 1 was written whole.
        QCOMPARE(decoded(folder.readFile(QStringLiteral("成绩/课堂成绩1.txt"))),
                 QStringLiteral("1\r\n1\t总成绩\t2\r\n甲\t\t2\r\n"));

        // A folder that cannot hold new files leaves every previous file whole.
        TempProgramFolder other;
        other.writeFile(QStringLiteral("成绩/课堂成绩1.txt"), original);
        QCOMPARE(load(other.scoreDir(), 1, 2, t).status, LoadStatus::Loaded);
        const QString missingDir = other.file(QStringLiteral("not-a-folder/"));
        other.writeFile(QStringLiteral("not-a-folder"), "file");
        QCOMPARE(save(missingDir, 1, t).size(), 2);
        QCOMPARE(other.readFile(QStringLiteral("成绩/课堂成绩1.txt")), original);
    }
};

PELLOR_UNIT_TEST_MAIN(TestGroupScoreFile)
#include "tst_groupscorefile.moc"
