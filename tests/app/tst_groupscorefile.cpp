#include "TestMain.h"

#include "FileSizeLimit.h"
#include "TempProgramFolder.h"

#include "UnreadableFiles.h"

#include "app/core/GroupScoreFile.h"
#include "platform/base/TextCodec.h"

#include <QDir>

#include <memory>

#include <unistd.h>

using GroupScoreFile::LoadStatus;

namespace {

QByteArray gb(const QString &text)
{
    return TextCodec::encodeGb18030(text);
}

QByteArray utf16(const QString &text)
{
    return TextCodec::encode(text, TextCodec::Encoding::Utf16Le, true);
}

QString groupFile(int n)
{
    return QStringLiteral("成绩/课堂成绩%1.txt").arg(n);
}

const QString kSummary = QStringLiteral("成绩/课堂成绩.xls");

// 王思远, 李欣怡, 张浩然 and 总成绩 in code page 936, spelled out so that the written
// bytes are checked against the code page itself rather than against our own encoder.
const QByteArray kWang = "\xCD\xF5\xCB\xBC\xD4\xB6";
const QByteArray kLi = "\xC0\xEE\xD0\xC0\xE2\xF9";
const QByteArray kZhang = "\xD5\xC5\xBA\xC6\xC8\xBB";
const QByteArray kTotal = "\xD7\xDC\xB3\xC9\xBC\xA8";

} // namespace

class TestGroupScoreFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_tables = RollCallTables{};
    }
    void cleanup() { m_folder.reset(); }

    void freshFileRoundTrip();
    void blankLinesOfAFreshListAreSkipped();
    void furtherFieldSurvivesEverySave();
    void savedTotalsWithFractions();
    void fileOfAnotherFormIsReportedAndKept();
    void utf16Files();
    void freshLine2WithTrailingBlanks();
    void whatASpreadsheetWritesStillLoads();
    void writtenFilesHaveNoMark();
    void namesBeyondCodePage936Survive();
    void groupCountsStayWithinTheTables();
    void badGroupCountChangesNothing();
    void unreadableFileStopsTheLoad();
    void failedWriteKeepsTheOldFileAndIsReported();
    void readOnlyFolder();
    void utf8WithoutMarkRoundTrips();
    void typedNamesKeepTheirName();
    void onlyLoadedGroupsAreWritten();
    void scoreFileThatIsNoRegularFile();

private:
    GroupScoreFile::LoadResult load(int numOfClass, int basicScore = 2)
    {
        return GroupScoreFile::load(m_folder->scoreDir(), numOfClass, basicScore, m_tables);
    }
    QStringList save() { return GroupScoreFile::save(m_folder->scoreDir(), m_tables); }

    std::unique_ptr<TempProgramFolder> m_folder;
    RollCallTables m_tables;
};

void TestGroupScoreFile::freshFileRoundTrip()
{
    m_folder->writeFile(groupFile(1), "3\r\n0\r\n" + kWang + "\r\n" + kLi + "\r\n" + kZhang + "\r\n");
    m_folder->writeFile(groupFile(2), "1\r\n0\r\nA\r\n");

    QCOMPARE(load(2).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_nGroupCount[0], 3);
    QCOMPARE(m_tables.m_nLessonCount[0], 0);
    QCOMPARE(m_tables.m_nGroupScore[0], 6);
    QCOMPARE(m_tables.m_vecTotalScore[0], QList<int>({2, 2, 2}));
    QCOMPARE(m_tables.m_vecLessonScore[0], QList<int>({2, 2, 2}));
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("王思远"), QStringLiteral("李欣怡"),
                                                  QStringLiteral("张浩然")}));
    QCOMPARE(m_tables.m_vecRawLines[0], m_tables.m_vecNames[0]);

    QCOMPARE(save(), QStringList());
    const QByteArray block1 = "3\r\n1\t" + kTotal + "\t6\r\n" + kWang + "\t\t2\r\n" + kLi + "\t\t2\r\n" + kZhang
        + "\t\t2\r\n";
    const QByteArray block2 = "1\r\n1\t" + kTotal + "\t2\r\nA\t\t2\r\n";
    QCOMPARE(m_folder->readFile(groupFile(1)), block1);
    QCOMPARE(m_folder->readFile(groupFile(2)), block2);
    QCOMPARE(m_folder->readFile(kSummary), "\r\n\r\n\r\n" + block1 + "\r\n\r\n\r\n" + block2);

    // Reloaded as one group: the second is no longer the lesson's and keeps its file.
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_nLessonCount[0], 1);
    QCOMPARE(m_tables.m_nGroupScore[0], 12);
    QCOMPARE(m_tables.m_vecTotalScore[0], QList<int>({4, 4, 4}));
    QCOMPARE(m_tables.m_vecLessonScore[0], QList<int>({2, 2, 2}));
    QCOMPARE(m_tables.m_vecNames[0][1], QStringLiteral("李欣怡"));
    QCOMPARE(m_tables.m_vecRawLines[0][1], QStringLiteral("李欣怡\t\t2"));

    // A graded lesson: the window changes the totals and the group score before saving.
    m_tables.m_vecTotalScore[0][2] = 7;
    m_tables.m_nGroupScore[0] = 15;
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)),
             "3\r\n2\t" + kTotal + "\t15\r\n" + kWang + "\t\t4\r\n" + kLi + "\t\t4\r\n" + kZhang + "\t\t7\r\n");
    QCOMPARE(m_folder->readFile(kSummary),
             "\r\n\r\n\r\n3\r\n2\t" + kTotal + "\t15\r\n" + kWang + "\t\t4\r\n" + kLi + "\t\t4\r\n" + kZhang
                 + "\t\t7\r\n");
    QCOMPARE(m_folder->readFile(groupFile(2)), block2); // not loaded: untouched
}

void TestGroupScoreFile::blankLinesOfAFreshListAreSkipped()
{
    // A stray blank line in a roster drops no name after it.
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("5\r\n0\r\n甲\r\n乙\r\n\r\n \t　\r\n丙\r\n\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}));
    QCOMPARE(m_tables.m_nGroupCount[0], 3);
    QCOMPARE(m_tables.m_nGroupScore[0], 6);
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)),
             gb(QStringLiteral("3\r\n1\t总成绩\t6\r\n甲\t\t2\r\n乙\t\t2\r\n丙\t\t2\r\n")));

    // A blank line in a saved file is a student line like any other.
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("3\r\n1\t总成绩\t4\r\n甲\t\t2\r\n\r\n乙\t\t2\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("甲"), QString(), QStringLiteral("乙")}));
    QCOMPARE(m_tables.m_vecTotalScore[0], QList<int>({4, 2, 4}));
}

void TestGroupScoreFile::furtherFieldSurvivesEverySave()
{
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("2\n0\n甲\t男 \n　乙 \n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecNames[0][0], QStringLiteral("甲\t男 ")); // the whole fresh line until the first save
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("2\r\n1\t总成绩\t4\r\n甲\t男\t\t2\r\n乙\t\t2\r\n")));

    for (int lesson = 2; lesson <= 3; ++lesson) {
        QCOMPARE(load(1).status, LoadStatus::Loaded);
        QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("甲"), QStringLiteral("乙")}));
        QCOMPARE(save(), QStringList());
    }
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("2\r\n3\t总成绩\t12\r\n甲\t男\t\t6\r\n乙\t\t6\r\n")));
}

void TestGroupScoreFile::savedTotalsWithFractions()
{
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("3\r\n4\t总成绩\t0\r\n甲\t\t12.5\r\n乙\t\t-3.5\r\n丙\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_nLessonCount[0], 4);
    QCOMPARE(m_tables.m_vecTotalScore[0], QList<int>({14, -1, 2}));
    // Truncated after every line: 14, then trunc(14 - 3.5 + 2) = 12, then 12 + 0 + 2.
    QCOMPARE(m_tables.m_nGroupScore[0], 14);
    // A saved line without a TAB is a name the teacher typed in, without a score yet.
    QCOMPARE(m_tables.m_vecNames[0][2], QStringLiteral("丙"));

    // A saved file whose lesson count reads 0 keeps the whole line before the new total.
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("1\r\n0\t总成绩\t3\r\n甲\t\t3\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_nLessonCount[0], 0);
    QCOMPARE(m_tables.m_vecTotalScore[0], QList<int>({5}));
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("1\r\n1\t总成绩\t5\r\n甲\t\t3\t\t5\r\n")));
}

void TestGroupScoreFile::fileOfAnotherFormIsReportedAndKept()
{
    // Rosters typed as names alone, in the code page and in UTF-8: the first two names
    // would have been taken for the count and lesson lines, and lost at the save.
    QString names;
    for (const char *name : {"王小明", "李华", "张伟", "刘洋"})
        names += QString::fromUtf8(name) + QStringLiteral("\r\n");
    const QByteArray codePage = gb(names);
    const QByteArray utf8 = names.toUtf8();
    m_folder->writeFile(groupFile(1), codePage);
    m_folder->writeFile(groupFile(2), gb(QStringLiteral("1\r\n0\r\n甲\r\n")));
    m_folder->writeFile(groupFile(3), utf8);
    // Line 1 a count, line 2 neither "0" nor the saved form.
    const QByteArray badLine2 = gb(QStringLiteral("1\r\n7\r\n甲\t\t3\r\n"));
    m_folder->writeFile(groupFile(4), badLine2);
    const QByteArray noTotal = gb(QStringLiteral("1\r\n2\t总成绩\r\n甲\t\t3\r\n"));
    m_folder->writeFile(groupFile(5), noTotal);

    const auto result = load(5);
    QCOMPARE(result.status, LoadStatus::Loaded);
    QCOMPARE(result.unrecognised, QStringList({m_folder->file(groupFile(1)), m_folder->file(groupFile(3)),
                                               m_folder->file(groupFile(4)), m_folder->file(groupFile(5))}));
    for (int g : {0, 2, 3, 4}) {
        QVERIFY(!m_tables.m_bLoaded[g]);
        QCOMPARE(m_tables.m_nGroupCount[g], 0);
    }
    QCOMPARE(m_tables.m_vecNames[1], QStringList({QStringLiteral("甲")}));

    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)), codePage);
    QCOMPARE(m_folder->readFile(groupFile(3)), utf8);
    QCOMPARE(m_folder->readFile(groupFile(4)), badLine2);
    QCOMPARE(m_folder->readFile(groupFile(5)), noTotal);
    QCOMPARE(m_folder->readFile(groupFile(2)), gb(QStringLiteral("1\r\n1\t总成绩\t2\r\n甲\t\t2\r\n")));
    // Each group keeps its place in the summary: one left out says so where its block would be.
    auto leftOut = [](int n) {
        return QStringLiteral("\r\n\r\n\r\n第%1组：课堂成绩%1.txt 没有读入，本节课没有记分\r\n").arg(n);
    };
    QCOMPARE(m_folder->readFile(kSummary),
             gb(leftOut(1) + QStringLiteral("\r\n\r\n\r\n1\r\n1\t总成绩\t2\r\n甲\t\t2\r\n") + leftOut(3) + leftOut(4)
                + leftOut(5)));

    const QString message = GroupScoreFile::unrecognisedMessage({m_folder->file(groupFile(1))});
    QCOMPARE(message, QStringLiteral("以下成绩文件的前两行不是成绩文件的格式，这些小组没有读入，保存时也不会改写这些文件：\n")
                          + m_folder->file(groupFile(1))
                          + QStringLiteral("\n第1行应是小组人数；第2行应是 0（从未保存过的名单），或者是上课次数、“总成绩”、"
                                           "小组总分，三者以 Tab 隔开（保存过的成绩）。例如一份新名单：第1行写人数，"
                                           "第2行写 0，从第3行起每行一个姓名。"));
}

void TestGroupScoreFile::utf16Files()
{
    // CR LF ends a line in UTF-16 files too: line 2 is the fresh "0" and the names come through.
    m_folder->writeFile(groupFile(1), utf16(QStringLiteral("2\r\n0\r\n王思远\r\n李欣怡\r\n")));
    m_folder->writeFile(groupFile(2), utf16(QStringLiteral("2\n0\n王思远\n李欣怡")));
    m_folder->writeFile(groupFile(3), utf16(QStringLiteral("1\r\n2\t总成绩\t9\r\n张浩然\t\t9\r\n")));
    QCOMPARE(load(3).status, LoadStatus::Loaded);
    for (int g = 0; g < 2; ++g) {
        QCOMPARE(m_tables.m_nLessonCount[g], 0);
        QCOMPARE(m_tables.m_vecNames[g], QStringList({QStringLiteral("王思远"), QStringLiteral("李欣怡")}));
        QCOMPARE(m_tables.m_nGroupScore[g], 4);
    }
    QCOMPARE(m_tables.m_nLessonCount[2], 2);
    QCOMPARE(m_tables.m_vecNames[2], QStringList({QStringLiteral("张浩然")}));
    QCOMPARE(m_tables.m_vecTotalScore[2], QList<int>({11}));

    // A roster saved as UTF-8 with its mark keeps its students (and is written back in GB18030).
    m_folder->writeFile(groupFile(1), QByteArray("\xEF\xBB\xBF") + QStringLiteral("2\r\n0\r\n王思远\r\n李欣怡\r\n").toUtf8());
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_nGroupCount[0], 2);
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("王思远"), QStringLiteral("李欣怡")}));
}

void TestGroupScoreFile::freshLine2WithTrailingBlanks()
{
    // A stray blank after the "0" still makes a fresh roster, and so does a UTF-16 roster
    // whose lines end in CR CR LF: the doubled CR is part of the line end, not of the text.
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("2\r\n0 \t\r\n甲\r\n乙\r\n")));
    m_folder->writeFile(groupFile(2), utf16(QStringLiteral("1\r\n0\r\r\n甲\r\r\n")));
    const auto result = load(2);
    QCOMPARE(result.unrecognised, QStringList());
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("甲"), QStringLiteral("乙")}));
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("2\r\n1\t总成绩\t4\r\n甲\t\t2\r\n乙\t\t2\r\n")));
    QCOMPARE(m_folder->readFile(groupFile(2)), gb(QStringLiteral("1\r\n1\t总成绩\t2\r\n甲\t\t2\r\n")));
}

void TestGroupScoreFile::whatASpreadsheetWritesStillLoads()
{
    // A saved file opened in a spreadsheet and saved again as text: a TAB or blanks after the
    // last field, the caption in double quotes. Each is read, and written back in the form
    // the program writes.
    const QStringList line2s = {QStringLiteral("1\t总成绩\t4\t"), QStringLiteral("1\t总成绩\t4 　\t"),
                                QStringLiteral("1\t\"总成绩\"\t4"), QStringLiteral("\"1\"\t\"总成绩\"\t\"4\"\t\t")};
    for (const QString &line2 : line2s) {
        m_folder->writeFile(groupFile(1),
                            gb(QStringLiteral("2\r\n") + line2 + QStringLiteral("\r\n甲\t\t2\t\r\n乙\t\t2 \r\n")));
        const auto result = load(1);
        QVERIFY2(result.unrecognised.isEmpty(), qPrintable(line2));
        QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("甲"), QStringLiteral("乙")}));
        QCOMPARE(m_tables.m_vecTotalScore[0], QList<int>({4, 4}));
        QCOMPARE(save(), QStringList());
        QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("2\r\n2\t总成绩\t8\r\n甲\t\t4\r\n乙\t\t4\r\n")));
    }

    // A lone CR ends a line as CR LF and LF do: no two students run into one. A CR doubled
    // before LF (a text written twice through a text mode) ends one line, not two.
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("3\r\n0\r\n张三\r\n孙三\r李四\r\n")));
    m_folder->writeFile(groupFile(2), utf16(QStringLiteral("2\r\r\n1\t总成绩\t4\r\r\n甲\t\t2\r\r\n乙\t\t2\r\r\n")));
    QCOMPARE(load(2).unrecognised, QStringList());
    QCOMPARE(m_tables.m_vecNames[0],
             QStringList({QStringLiteral("张三"), QStringLiteral("孙三"), QStringLiteral("李四")}));
    QCOMPARE(m_tables.m_nGroupCount[0], 3);
    QCOMPARE(m_tables.m_vecNames[1], QStringList({QStringLiteral("甲"), QStringLiteral("乙")}));
    QCOMPARE(m_tables.m_vecTotalScore[1], QList<int>({4, 4}));
}

void TestGroupScoreFile::writtenFilesHaveNoMark()
{
    m_folder->writeFile(groupFile(1), utf16(QStringLiteral("1\r\n0\r\n王思远\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)), "1\r\n1\t" + kTotal + "\t2\r\n" + kWang + "\t\t2\r\n");
    QVERIFY(m_folder->readFile(kSummary).startsWith("\r\n\r\n\r\n1\r\n"));
}

void TestGroupScoreFile::namesBeyondCodePage936Survive()
{
    const QString rare = QStringLiteral("王\U0002A6A5");
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("1\r\n0\r\n") + rare + QStringLiteral("\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecNames[0][0], rare);
    QCOMPARE(save(), QStringList());
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecNames[0][0], rare);
}

void TestGroupScoreFile::groupCountsStayWithinTheTables()
{
    // Line 1 larger than the lines read: clamped. Smaller: the lines after the counted
    // students are not called on, and kept.
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("9\r\n1\t总成绩\t0\r\n甲\t\t1\r\n乙\t\t1\r\n")));
    m_folder->writeFile(groupFile(2), gb(QStringLiteral("1\r\n0\r\n甲\r\n乙\r\n")));
    m_folder->writeFile(groupFile(3), gb(QStringLiteral("-4\r\n0\r\n甲\r\n")));
    m_folder->writeFile(groupFile(4), QByteArray());
    QCOMPARE(load(4).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_nGroupCount[0], 2);
    QCOMPARE(m_tables.m_nGroupCount[1], 1);
    QCOMPARE(m_tables.m_vecNames[1], QStringList({QStringLiteral("甲")}));
    QCOMPARE(m_tables.m_vecKeptLines[1], QStringList({QStringLiteral("乙")}));
    QCOMPARE(m_tables.m_nGroupScore[1], 2);
    QCOMPARE(m_tables.m_nGroupCount[2], 0);
    QCOMPARE(m_tables.m_nGroupCount[3], 0);
    QVERIFY(m_tables.hasStudent(0, 2));
    QVERIFY(!m_tables.hasStudent(0, 3));
    QVERIFY(!m_tables.hasStudent(1, 2));

    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("2\r\n2\t总成绩\t6\r\n甲\t\t3\r\n乙\t\t3\r\n")));
    QCOMPARE(m_folder->readFile(groupFile(2)), gb(QStringLiteral("1\r\n1\t总成绩\t2\r\n甲\t\t2\r\n乙\r\n")));
    QCOMPARE(m_folder->readFile(groupFile(3)), gb(QStringLiteral("0\r\n1\t总成绩\t0\r\n甲\r\n")));
    QCOMPARE(m_folder->readFile(groupFile(4)), gb(QStringLiteral("0\r\n1\t总成绩\t0\r\n")));

    // Saved again, the kept lines stay where they are, as they are, lesson after lesson.
    m_folder->writeFile(groupFile(2), gb(QStringLiteral("1\r\n3\t总成绩\t9\r\n甲\t\t9\r\n乙\t男\r\n\r\n丙\t\t4\r\n")));
    QCOMPARE(load(2).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecKeptLines[1], QStringList({QStringLiteral("乙\t男"), QString(), QStringLiteral("丙\t\t4")}));
    QCOMPARE(m_tables.m_nGroupScore[1], 11);
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(2)),
             gb(QStringLiteral("1\r\n4\t总成绩\t11\r\n甲\t\t11\r\n乙\t男\r\n\r\n丙\t\t4\r\n")));

    // Tables a window left inconsistent are never read past.
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    m_tables.m_nGroupCount[0] = 50;
    m_tables.m_vecTotalScore[0].removeLast();
    QCOMPARE(GroupScoreFile::groupBlock(m_tables, 0), QStringLiteral("1\n4\t总成绩\t14\n甲\t\t7\n"));
    QCOMPARE(GroupScoreFile::groupBlock(m_tables, 8), QString());
}

void TestGroupScoreFile::badGroupCountChangesNothing()
{
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("1\r\n0\r\n甲\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    for (int numOfClass : {0, -1, 9}) {
        const auto result = load(numOfClass);
        QCOMPARE(result.status, LoadStatus::BadGroupCount);
        QCOMPARE(result.message, QStringLiteral("小组数目 不合理，请重新设置"));
        QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("甲")}));
        QCOMPARE(m_tables.m_nGroupScore[0], 2);
    }
    // Eight groups, the most the tables hold, load.
    for (int n = 2; n <= 8; ++n)
        m_folder->writeFile(groupFile(n), "0\r\n0\r\n");
    QCOMPARE(load(8).status, LoadStatus::Loaded);
}

void TestGroupScoreFile::unreadableFileStopsTheLoad()
{
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("1\r\n0\r\n甲\r\n")));
    m_folder->writeFile(groupFile(3), gb(QStringLiteral("1\r\n0\r\n丙\r\n")));
    const auto result = load(3);
    QCOMPARE(result.status, LoadStatus::OpenFailed);
    QCOMPARE(result.message, m_folder->scoreDir() + QStringLiteral("课堂成绩2.txt 读取失败，请检查此文件，或小组数目设置不合理"));
    QCOMPARE(result.groupsLoaded, 1);
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("甲")}));
    QCOMPARE(m_tables.m_vecNames[2], QStringList());
    QCOMPARE(m_tables.m_nGroupCount[2], 0);

    // Saving now must not replace the rosters the load never reached with empty ones.
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("1\r\n1\t总成绩\t2\r\n甲\t\t2\r\n")));
    QVERIFY(!m_folder->exists(groupFile(2)));
    QCOMPARE(m_folder->readFile(groupFile(3)), gb(QStringLiteral("1\r\n0\r\n丙\r\n")));

    // A folder in place of the file fails the same way; a full load clears the marks.
    QVERIFY(QDir().mkpath(m_folder->file(groupFile(2))));
    QCOMPARE(load(3).status, LoadStatus::OpenFailed);
    QVERIFY(QDir().rmdir(m_folder->file(groupFile(2))));
    m_folder->writeFile(groupFile(2), "0\r\n0\r\n");
    QCOMPARE(load(3).status, LoadStatus::Loaded);
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(3)), gb(QStringLiteral("1\r\n1\t总成绩\t2\r\n丙\t\t2\r\n")));

    // The score folder's name works with or without its separator.
    QString folder = m_folder->scoreDir();
    folder.chop(1);
    QCOMPARE(GroupScoreFile::load(folder, 3, 2, m_tables).status, LoadStatus::Loaded);
    QCOMPARE(GroupScoreFile::save(folder, m_tables), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("1\r\n3\t总成绩\t6\r\n甲\t\t6\r\n")));
}

void TestGroupScoreFile::failedWriteKeepsTheOldFileAndIsReported()
{
    // Group 1 is small, group 2 is large: with the disk nearly full only group 2 fails (and
    // the summary, which holds it too).
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("1\r\n0\r\n甲\r\n")));
    QString big = QStringLiteral("200\r\n0\r\n");
    for (int i = 1; i <= 200; ++i)
        big += QStringLiteral("学生%1\r\n").arg(i);
    const QByteArray group2 = gb(big);
    m_folder->writeFile(groupFile(2), group2);
    QCOMPARE(load(2).status, LoadStatus::Loaded);

    QStringList failures;
    {
        FileSizeLimit limit(512);
        QVERIFY(limit.active());
        failures = save();
    }
    QCOMPARE(failures.size(), 2);
    QVERIFY(failures[0].startsWith(m_folder->file(kSummary) + QStringLiteral(" (")));
    QVERIFY(failures[1].startsWith(m_folder->file(groupFile(2)) + QStringLiteral(" (")));
    QCOMPARE(m_folder->readFile(groupFile(2)), group2);
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("1\r\n1\t总成绩\t2\r\n甲\t\t2\r\n")));
    QVERIFY(!m_folder->exists(kSummary));
    QCOMPARE(QDir(m_folder->scoreDir()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no leftovers

    const QString message = GroupScoreFile::saveFailureMessage(failures);
    QVERIFY(message.startsWith(QStringLiteral("以下成绩文件未能保存，本节课的成绩仍在窗口中，请检查后再保存：\n")));
    QVERIFY(message.contains(m_folder->file(groupFile(2))));
    QVERIFY(message.contains(m_folder->file(kSummary)));

    // Once there is room again, the same tables save.
    QCOMPARE(save(), QStringList());
    QVERIFY(m_folder->readFile(groupFile(2)).startsWith(gb(QStringLiteral("200\r\n1\t总成绩\t400\r\n"))));

    // A folder in the summary's place fails the summary alone.
    QVERIFY(QDir().remove(m_folder->file(kSummary)));
    QVERIFY(QDir().mkpath(m_folder->file(kSummary)));
    failures = save();
    QCOMPARE(failures.size(), 1);
    QVERIFY(failures[0].startsWith(m_folder->file(kSummary)));
}

void TestGroupScoreFile::readOnlyFolder()
{
    if (geteuid() == 0)
        QSKIP("permission bits do not stop root; the full-disk case stands in for this one");
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("1\r\n0\r\n甲\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    const QString dir = m_folder->file(QStringLiteral("成绩"));
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    const QStringList failures = save();
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(failures.size(), 2);
    QCOMPARE(m_folder->readFile(groupFile(1)), gb(QStringLiteral("1\r\n0\r\n甲\r\n")));
}

void TestGroupScoreFile::utf8WithoutMarkRoundTrips()
{
    // Today's Notepad saves UTF-8 without a mark; read as the code page every name was garbled.
    m_folder->writeFile(groupFile(1), QStringLiteral("2\r\n0\r\n王思远\r\n李欣怡\r\n").toUtf8());
    m_folder->writeFile(groupFile(2), QStringLiteral("1\n2\t总成绩\t9\n张浩然\t\t9\n").toUtf8());
    QCOMPARE(load(2).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("王思远"), QStringLiteral("李欣怡")}));
    QCOMPARE(m_tables.m_vecNames[1], QStringList({QStringLiteral("张浩然")}));
    QCOMPARE(m_tables.m_vecTotalScore[1], QList<int>({11}));
    QCOMPARE(save(), QStringList());
    // Written in the code page, as score files always are.
    QCOMPARE(m_folder->readFile(groupFile(1)), "2\r\n1\t" + kTotal + "\t4\r\n" + kWang + "\t\t2\r\n" + kLi + "\t\t2\r\n");
    QCOMPARE(m_folder->readFile(groupFile(2)), "1\r\n3\t" + kTotal + "\t11\r\n" + kZhang + "\t\t11\r\n");
    QCOMPARE(load(2).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("王思远"), QStringLiteral("李欣怡")}));
}

void TestGroupScoreFile::typedNamesKeepTheirName()
{
    // A saved file where the teacher typed a name in: it is that student's name, without a score.
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("3\r\n2\t总成绩\t8\r\n甲\t\t4\r\n乙 丙\r\n丁\t\t4\r\n")));
    QCOMPARE(load(1).status, LoadStatus::Loaded);
    QCOMPARE(m_tables.m_vecNames[0], QStringList({QStringLiteral("甲"), QStringLiteral("乙 丙"), QStringLiteral("丁")}));
    QCOMPARE(m_tables.m_vecTotalScore[0], QList<int>({6, 2, 6}));
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(1)),
             gb(QStringLiteral("3\r\n3\t总成绩\t14\r\n甲\t\t6\r\n乙 丙\t\t2\r\n丁\t\t6\r\n")));
}

void TestGroupScoreFile::onlyLoadedGroupsAreWritten()
{
    // Tables that hold nothing write nothing, not even the summary.
    QCOMPARE(save(), QStringList());
    QCOMPARE(QDir(m_folder->scoreDir()).entryList(QDir::Files), QStringList());

    for (int n = 1; n <= 3; ++n)
        m_folder->writeFile(groupFile(n), gb(QStringLiteral("1\r\n0\r\n%1\r\n").arg(n)));
    QCOMPARE(load(3).status, LoadStatus::Loaded);
    // Whatever the number of groups says afterwards, the three loaded groups are saved.
    QCOMPARE(load(9).status, LoadStatus::BadGroupCount);
    QCOMPARE(load(0).status, LoadStatus::BadGroupCount);
    QCOMPARE(save(), QStringList());
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(m_folder->readFile(groupFile(n)), gb(QStringLiteral("1\r\n1\t总成绩\t2\r\n%1\t\t2\r\n").arg(n)));
    QCOMPARE(QDir(m_folder->scoreDir()).entryList(QDir::Files).size(), 4);

    // Read again as two groups, the third is no longer the lesson's and keeps its file.
    const QByteArray third = m_folder->readFile(groupFile(3));
    QCOMPARE(load(2).status, LoadStatus::Loaded);
    QCOMPARE(save(), QStringList());
    QCOMPARE(m_folder->readFile(groupFile(3)), third);
    QVERIFY(!m_folder->readFile(kSummary).contains(gb(QStringLiteral("3\t\t"))));
    QCOMPARE(m_folder->readFile(groupFile(2)), gb(QStringLiteral("1\r\n2\t总成绩\t4\r\n2\t\t4\r\n")));
}

void TestGroupScoreFile::scoreFileThatIsNoRegularFile()
{
    // A pipe would block the start until something writes to it: it is reported at once.
    m_folder->writeFile(groupFile(1), gb(QStringLiteral("1\r\n0\r\n甲\r\n")));
    QVERIFY(UnreadableFiles::makePipe(m_folder->file(groupFile(2))));
    const auto result = load(2);
    QCOMPARE(result.status, LoadStatus::OpenFailed);
    QCOMPARE(result.message, m_folder->scoreDir() + QStringLiteral("课堂成绩2.txt 读取失败，请检查此文件，或小组数目设置不合理"));
    QCOMPARE(result.groupsLoaded, 1);
}

PELLOR_UNIT_TEST_MAIN(TestGroupScoreFile)
#include "tst_groupscorefile.moc"
