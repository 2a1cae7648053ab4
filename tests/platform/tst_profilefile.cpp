#include "TestMain.h"

#include "TempProgramFolder.h"

#include "UnreadableFiles.h"

#include "platform/base/AtomicTextFile.h"
#include "platform/base/ProfileFile.h"
#include "platform/base/TextCodec.h"

#include <QFile>

#include <utility>

namespace {

QByteArray utf16WithMark(const QString &text)
{
    return TextCodec::encode(text, TextCodec::Encoding::Utf16Le, true);
}

QByteArray utf16BigEndianWithMark(const QString &text)
{
    QByteArray bytes = utf16WithMark(text);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void sectionsAndKeysMatchWithoutCase();
    void missingPartsReadEmpty();
    void valuesAreTrimmedUnquotedAndLimited();
    void firstSectionOfANameCounts();
    void writeReplacesInPlace();
    void writeAddsKeysAndSections();
    void newFileIsUtf8();
    void keepsUtf16();
    void keepsCodePage936();
    void keepsUtf8MarkAndLineEnds();
    void failedWriteIsReported();
    void fileThatCannotBeReadIsNeverReplaced();
    void otherLinesKeepTheirBytes();
    void severalKeysInOneReplacement();
    void whatIsWrittenReadsBack();

private:
    TempProgramFolder m_folder;
};

void TestProfileFile::sectionsAndKeysMatchWithoutCase()
{
    m_folder.writeFile(QStringLiteral("case.ini"), "[donghua]\r\nshowdonghua=0\r\n[ SCORE ]\r\n BasicScore = 3\r\n");
    const ProfileFile file(m_folder.file(QStringLiteral("case.ini")));
    QVERIFY(file.exists());
    QCOMPARE(file.read(QStringLiteral("DongHua"), QStringLiteral("ShowDonghua")), QStringLiteral("0"));
    QCOMPARE(file.read(QStringLiteral("DONGHUA"), QStringLiteral("ShowDongHua")), QStringLiteral("0"));
    QCOMPARE(file.read(QStringLiteral("score"), QStringLiteral("basicscore")), QStringLiteral("3"));

    // A write under another spelling replaces the one entry.
    QCOMPARE(file.write(QStringLiteral("DongHua"), QStringLiteral("ShowDongHua"), QStringLiteral("1")), QString());
    QCOMPARE(m_folder.readFile(QStringLiteral("case.ini")),
             QByteArray("[donghua]\r\nshowdonghua=1\r\n[ SCORE ]\r\n BasicScore = 3\r\n"));
}

void TestProfileFile::missingPartsReadEmpty()
{
    const ProfileFile missing(m_folder.file(QStringLiteral("none.ini")));
    QVERIFY(!missing.exists());
    QCOMPARE(missing.read(QStringLiteral("a"), QStringLiteral("b")), QString());

    m_folder.writeFile(QStringLiteral("parts.ini"), "[a]\r\nempty=\r\nblank=   \r\nnoequals\r\nb=2\r\n[c]\r\n");
    const ProfileFile file(m_folder.file(QStringLiteral("parts.ini")));
    QCOMPARE(file.read(QStringLiteral("x"), QStringLiteral("b")), QString());
    QCOMPARE(file.read(QStringLiteral("a"), QStringLiteral("x")), QString());
    QCOMPARE(file.read(QStringLiteral("a"), QStringLiteral("empty")), QString());
    QCOMPARE(file.read(QStringLiteral("a"), QStringLiteral("blank")), QString());
    QCOMPARE(file.read(QStringLiteral("c"), QStringLiteral("b")), QString());
    QCOMPARE(file.read(QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("2"));

    // A folder is no file.
    QVERIFY(!ProfileFile(m_folder.path()).exists());
}

void TestProfileFile::valuesAreTrimmedUnquotedAndLimited()
{
    const QString longValue(300, u'长');
    m_folder.writeFile(QStringLiteral("values.ini"),
                       (QStringLiteral("[s]\nspaced =  a b \t\ndq=\"  q  \"\nsq='x'\nhalf=\"open\nlong=")
                        + longValue + QStringLiteral("\nsplit=") + QString(253, u'a')
                        + QStringLiteral("\U0002A6A5\n"))
                           .toUtf8());
    const ProfileFile file(m_folder.file(QStringLiteral("values.ini")));
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("spaced")), QStringLiteral("a b"));
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("dq")), QStringLiteral("  q  "));
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("sq")), QStringLiteral("x"));
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("half")), QStringLiteral("\"open"));
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("long")), QString(254, u'长'));
    // The limit never cuts a character in half.
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("split")), QString(253, u'a'));
}

void TestProfileFile::firstSectionOfANameCounts()
{
    m_folder.writeFile(QStringLiteral("twice.ini"), "[s]\r\na=1\r\n[t]\r\n[S]\r\na=2\r\nb=3\r\n");
    const ProfileFile file(m_folder.file(QStringLiteral("twice.ini")));
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("a")), QStringLiteral("1"));
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("b")), QString());
    QCOMPARE(file.write(QStringLiteral("s"), QStringLiteral("b"), QStringLiteral("4")), QString());
    QCOMPARE(file.read(QStringLiteral("s"), QStringLiteral("b")), QStringLiteral("4"));
    QCOMPARE(m_folder.readFile(QStringLiteral("twice.ini")),
             QByteArray("[s]\r\na=1\r\nb=4\r\n[t]\r\n[S]\r\na=2\r\nb=3\r\n"));
}

void TestProfileFile::writeReplacesInPlace()
{
    const QByteArray before = "; settings\r\n"
                              "[backBrush]\r\n"
                              "backBrush=old.bmp\r\n"
                              "\r\n"
                              "[Score]\r\n"
                              "  BASICSCORE = 2\r\n"
                              "WrongScore=1\r\n"
                              "\r\n"
                              "[Voice]\r\n"
                              "Voice=0\r\n";
    m_folder.writeFile(QStringLiteral("inplace.ini"), before);
    const ProfileFile file(m_folder.file(QStringLiteral("inplace.ini")));
    QCOMPARE(file.write(QStringLiteral("Score"), QStringLiteral("BasicScore"), QStringLiteral("2.5")), QString());
    QCOMPARE(file.write(QStringLiteral("backBrush"), QStringLiteral("backBrush"), QStringLiteral("D:/图片/新.bmp")),
             QString());
    // Only the two values changed; the stored key spelling, other lines and order stay. The
    // plain-ASCII file that received Chinese gains the UTF-8 mark, so that it reads back so.
    QByteArray expected = "\xEF\xBB\xBF" + before;
    expected.replace("  BASICSCORE = 2", "  BASICSCORE =2.5");
    expected.replace("backBrush=old.bmp", QStringLiteral("backBrush=D:/图片/新.bmp").toUtf8());
    QCOMPARE(m_folder.readFile(QStringLiteral("inplace.ini")), expected);
    QCOMPARE(file.read(QStringLiteral("score"), QStringLiteral("basicscore")), QStringLiteral("2.5"));
}

void TestProfileFile::writeAddsKeysAndSections()
{
    m_folder.writeFile(QStringLiteral("add.ini"), "[Score]\r\nBasicScore=2\r\n\r\n[Voice]\r\nVoice=0");
    const ProfileFile file(m_folder.file(QStringLiteral("add.ini")));
    QCOMPARE(file.write(QStringLiteral("Score"), QStringLiteral("ShowScore"), QStringLiteral("1")), QString());
    QCOMPARE(file.write(QStringLiteral("Voice"), QStringLiteral("Extra"), QStringLiteral("x")), QString());
    QCOMPARE(file.write(QStringLiteral("JiGu"), QStringLiteral("NumOfJiGu"), QStringLiteral("20")), QString());
    QCOMPARE(m_folder.readFile(QStringLiteral("add.ini")),
             QByteArray("[Score]\r\nBasicScore=2\r\nShowScore=1\r\n\r\n[Voice]\r\nVoice=0\r\nExtra=x\r\n"
                        "[JiGu]\r\nNumOfJiGu=20\r\n"));
}

void TestProfileFile::newFileIsUtf8()
{
    const ProfileFile file(m_folder.file(QStringLiteral("res/new.ini")));
    QCOMPARE(file.write(QStringLiteral("backBrush"), QStringLiteral("backBrush"), QStringLiteral("图.bmp")), QString());
    QCOMPARE(m_folder.readFile(QStringLiteral("res/new.ini")),
             "\xEF\xBB\xBF" + QStringLiteral("[backBrush]\r\nbackBrush=图.bmp\r\n").toUtf8());
    const ProfileFile plain(m_folder.file(QStringLiteral("res/plain.ini")));
    QCOMPARE(plain.write(QStringLiteral("Voice"), QStringLiteral("Voice"), QStringLiteral("1")), QString());
    QCOMPARE(m_folder.readFile(QStringLiteral("res/plain.ini")), QByteArray("[Voice]\r\nVoice=1\r\n"));
    QCOMPARE(file.read(QStringLiteral("backbrush"), QStringLiteral("backbrush")), QStringLiteral("图.bmp"));
}

void TestProfileFile::keepsUtf16()
{
    // Either byte order, told by the file's mark.
    for (const auto utf16 : {utf16WithMark, utf16BigEndianWithMark}) {
        m_folder.writeFile(QStringLiteral("utf16.ini"),
                           utf16(QStringLiteral("[ScoreDir]\r\nstudentDirectory=D:\\成绩\\\r\n[Voice]\r\nVoice=0\r\n")));
        const ProfileFile file(m_folder.file(QStringLiteral("utf16.ini")));
        QCOMPARE(file.read(QStringLiteral("ScoreDir"), QStringLiteral("studentDirectory")), QStringLiteral("D:\\成绩\\"));
        QCOMPARE(file.write(QStringLiteral("Voice"), QStringLiteral("Voice"), QStringLiteral("2")), QString());
        QCOMPARE(file.write(QStringLiteral("Voice"), QStringLiteral("Sound"), QStringLiteral("声")), QString());
        QCOMPARE(m_folder.readFile(QStringLiteral("utf16.ini")),
                 utf16(QStringLiteral("[ScoreDir]\r\nstudentDirectory=D:\\成绩\\\r\n[Voice]\r\nVoice=2\r\nSound=声\r\n")));
    }
}

void TestProfileFile::keepsCodePage936()
{
    const QByteArray before = TextCodec::encodeGb18030(
        QStringLiteral("[backBrush]\r\nbackBrush=D:\\图片\\背景.bmp\r\n[Voice]\r\nVoice=0\r\n"));
    m_folder.writeFile(QStringLiteral("gb.ini"), before);
    const ProfileFile file(m_folder.file(QStringLiteral("gb.ini")));
    QCOMPARE(file.read(QStringLiteral("backBrush"), QStringLiteral("backBrush")), QStringLiteral("D:\\图片\\背景.bmp"));
    QCOMPARE(file.write(QStringLiteral("Voice"), QStringLiteral("Voice"), QStringLiteral("1")), QString());
    QByteArray expected = before;
    expected.replace("Voice=0", "Voice=1");
    QCOMPARE(m_folder.readFile(QStringLiteral("gb.ini")), expected);
}

void TestProfileFile::keepsUtf8MarkAndLineEnds()
{
    m_folder.writeFile(QStringLiteral("mark.ini"), "\xEF\xBB\xBF[a]\nk=1\nj=2\r\nlast=3");
    const ProfileFile file(m_folder.file(QStringLiteral("mark.ini")));
    QCOMPARE(file.read(QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("1"));
    QCOMPARE(file.write(QStringLiteral("a"), QStringLiteral("last"), QStringLiteral("4")), QString());
    QCOMPARE(m_folder.readFile(QStringLiteral("mark.ini")), QByteArray("\xEF\xBB\xBF[a]\nk=1\nj=2\r\nlast=4"));
    // An added line takes the file's first line end; the last line gains one.
    QCOMPARE(file.write(QStringLiteral("a"), QStringLiteral("new"), QStringLiteral("5")), QString());
    QCOMPARE(m_folder.readFile(QStringLiteral("mark.ini")),
             QByteArray("\xEF\xBB\xBF[a]\nk=1\nj=2\r\nlast=4\nnew=5\n"));
}

void TestProfileFile::failedWriteIsReported()
{
    // A parent that is a regular file cannot hold the settings, whoever runs the test.
    m_folder.writeFile(QStringLiteral("plain"), "x");
    const ProfileFile file(m_folder.file(QStringLiteral("plain/set.ini")));
    QVERIFY(!file.write(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")).isEmpty());
    QCOMPARE(m_folder.readFile(QStringLiteral("plain")), QByteArray("x"));
}

void TestProfileFile::fileThatCannotBeReadIsNeverReplaced()
{
    // A socket is there, and no one can read it: the write must not take it for an empty file.
    const QString socket = m_folder.file(QStringLiteral("socket.ini"));
    QVERIFY(UnreadableFiles::makeSocket(socket));
    const ProfileFile unreadable(socket);
    QCOMPARE(unreadable.read(QStringLiteral("Voice"), QStringLiteral("Voice")), QString());
    const QString error = unreadable.write(QStringLiteral("Voice"), QStringLiteral("Voice"), QStringLiteral("1"));
    QVERIFY(error.startsWith(socket + QStringLiteral(" 读取失败（")));
    QVERIFY(error.endsWith(QStringLiteral("），设置未写入")));
    QVERIFY(UnreadableFiles::isSocket(socket));

    // A pipe is reported at once instead of waiting for a writer; so is a folder.
    const QString pipe = m_folder.file(QStringLiteral("pipe.ini"));
    QVERIFY(UnreadableFiles::makePipe(pipe));
    QCOMPARE(ProfileFile(pipe).write(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")),
             pipe + QStringLiteral(" 读取失败（不是普通文件），设置未写入"));
    QCOMPARE(ProfileFile(pipe).read(QStringLiteral("a"), QStringLiteral("b")), QString());
    QVERIFY(!ProfileFile(m_folder.path()).write(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")).isEmpty());

    if (geteuid() != 0) {
        m_folder.writeFile(QStringLiteral("locked.ini"), "[Voice]\r\nVoice=0\r\n");
        const QString locked = m_folder.file(QStringLiteral("locked.ini"));
        QFile::setPermissions(locked, QFile::WriteOwner);
        QVERIFY(!ProfileFile(locked).write(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")).isEmpty());
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(m_folder.readFile(QStringLiteral("locked.ini")), QByteArray("[Voice]\r\nVoice=0\r\n"));
    }
}

void TestProfileFile::otherLinesKeepTheirBytes()
{
    // Bytes that are not valid in the file's encoding stay as they are: a stray byte in a
    // code page 936 file, a lone surrogate in a UTF-16 one.
    const QByteArray gb = TextCodec::encodeGb18030(QStringLiteral("[backBrush]\r\nbackBrush=D:\\图片\\1.bmp\r\n"))
        + "note=\x81\xFF\xCD\r\n[Voice]\r\nVoice=0\r\n";
    m_folder.writeFile(QStringLiteral("stray.ini"), gb);
    const ProfileFile stray(m_folder.file(QStringLiteral("stray.ini")));
    QCOMPARE(stray.write(QStringLiteral("Voice"), QStringLiteral("Voice"), QStringLiteral("背景")), QString());
    QByteArray expected = gb;
    expected.replace("Voice=0", "Voice=" + TextCodec::encodeGb18030(QStringLiteral("背景")));
    QCOMPARE(m_folder.readFile(QStringLiteral("stray.ini")), expected);

    QByteArray utf16 = utf16WithMark(QStringLiteral("[a]\r\nk=1\r\nnote="));
    utf16 += QByteArray("\x00\xD8", 2) + TextCodec::encode(QStringLiteral("x\r\n"), TextCodec::Encoding::Utf16Le, false);
    m_folder.writeFile(QStringLiteral("surrogate.ini"), utf16);
    const ProfileFile surrogate(m_folder.file(QStringLiteral("surrogate.ini")));
    QCOMPARE(surrogate.write(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2")), QString());
    expected = utf16;
    expected.replace(TextCodec::encode(QStringLiteral("k=1"), TextCodec::Encoding::Utf16Le, false),
                     TextCodec::encode(QStringLiteral("k=2"), TextCodec::Encoding::Utf16Le, false));
    QCOMPARE(m_folder.readFile(QStringLiteral("surrogate.ini")), expected);

    // A value with a line break would make a line of its own: refused, nothing written.
    QVERIFY(!stray.write(QStringLiteral("Voice"), QStringLiteral("Voice"), QStringLiteral("1\r\n[x]")).isEmpty());
    QCOMPARE(stray.read(QStringLiteral("Voice"), QStringLiteral("Voice")), QStringLiteral("背景"));
}

void TestProfileFile::severalKeysInOneReplacement()
{
    QStringList replaced;
    AtomicTextFile::setReplaceObserver([&replaced](const QString &path) { replaced << path; });
    m_folder.writeFile(QStringLiteral("batch.ini"), "[Score]\r\nBasicScore=2\r\n");
    const ProfileFile file(m_folder.file(QStringLiteral("batch.ini")));
    const QString error = file.write({{QStringLiteral("Score"), QStringLiteral("BasicScore"), QStringLiteral("3")},
                                      {QStringLiteral("Voice"), QStringLiteral("Voice"), QStringLiteral("1")},
                                      {QStringLiteral("score"), QStringLiteral("WrongScore"), QStringLiteral("0")},
                                      {QStringLiteral("Voice"), QStringLiteral("Voice"), QStringLiteral("2")}});
    AtomicTextFile::setReplaceObserver({});
    QCOMPARE(error, QString());
    QCOMPARE(replaced, QStringList{file.path()});
    QCOMPARE(m_folder.readFile(QStringLiteral("batch.ini")),
             QByteArray("[Score]\r\nBasicScore=3\r\nWrongScore=0\r\n[Voice]\r\nVoice=2\r\n"));
}

void TestProfileFile::whatIsWrittenReadsBack()
{
    // Two-byte UTF-8 letters in a plain-ASCII or new file would read back in the code page
    // ("D:/Jos茅/bg.bmp"): such a file gains the UTF-8 mark.
    m_folder.writeFile(QStringLiteral("ascii.ini"), "[Voice]\r\nVoice=0\r\n");
    for (const QString &name : {QStringLiteral("ascii.ini"), QStringLiteral("fresh.ini")}) {
        const ProfileFile file(m_folder.file(name));
        for (const QString &path : {QStringLiteral("D:/José/bg.bmp"), QStringLiteral("D:/Фото/中.bmp")}) {
            QCOMPARE(file.write(QStringLiteral("backBrush"), QStringLiteral("backBrush"), path), QString());
            QCOMPARE(file.read(QStringLiteral("backBrush"), QStringLiteral("backBrush")), path);
            QCOMPARE(file.read(QStringLiteral("Voice"), QStringLiteral("Voice")),
                     name == QLatin1String("ascii.ini") ? QStringLiteral("0") : QString());
        }
        QVERIFY(m_folder.readFile(name).startsWith("\xEF\xBB\xBF[")); // one mark, not one per write
    }
    // A UTF-8 file without a mark that would read as the code page once written gains it too.
    m_folder.writeFile(QStringLiteral("utf8.ini"), QStringLiteral("[a]\r\nk=中\r\n").toUtf8());
    const ProfileFile utf8(m_folder.file(QStringLiteral("utf8.ini")));
    QCOMPARE(utf8.write(QStringLiteral("a"), QStringLiteral("j"), QStringLiteral("中")), QString());
    QCOMPARE(m_folder.readFile(QStringLiteral("utf8.ini")), QStringLiteral("[a]\r\nk=中\r\nj=中\r\n").toUtf8());
    QCOMPARE(utf8.write(QStringLiteral("a"), QStringLiteral("p"), QStringLiteral("Фото毛毛毛")), QString());
    QCOMPARE(utf8.read(QStringLiteral("a"), QStringLiteral("p")), QStringLiteral("Фото毛毛毛"));
    QCOMPARE(utf8.read(QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("中"));
}

PELLOR_UNIT_TEST_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
