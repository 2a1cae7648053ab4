#include "TestMain.h"

#include "platform/base/TextCodec.h"

using TextCodec::Encoding;

class TestTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void codePage936BytesRoundTrip();
    void charactersBeyondCodePage936Survive();
    void euroKeepsItsCodePageByte();
    void invalidBytesAreSkipped();
    void detectsEncoding();
    void marksAreAddedAndStripped();
    void textOfEveryEditorReads();
    void utf16ByItsMarkInEitherByteOrder();
};

void TestTextCodec::codePage936BytesRoundTrip()
{
    // "王思远\r\n李欣怡" in code page 936.
    const QByteArray bytes("\xCD\xF5\xCB\xBC\xD4\xB6\r\n\xC0\xEE\xD0\xC0\xE2\xF9");
    const QString text = TextCodec::decodeGb18030(bytes);
    QCOMPARE(text, QStringLiteral("王思远\r\n李欣怡"));
    QCOMPARE(TextCodec::encodeGb18030(text), bytes);
    QCOMPARE(TextCodec::encodeGb18030(QStringLiteral("总成绩")), QByteArray("\xD7\xDC\xB3\xC9\xBC\xA8"));
}

void TestTextCodec::charactersBeyondCodePage936Survive()
{
    // A rare name character outside code page 936 (U+2A6A5) and one of CJK extension A.
    const QString name = QStringLiteral("张\U0002A6A5㐀");
    const QByteArray bytes = TextCodec::encodeGb18030(name);
    QCOMPARE(bytes.size(), 2 + 4 + 4);
    QVERIFY(!bytes.contains('?'));
    QCOMPARE(TextCodec::decodeGb18030(bytes), name);

    // The old edition's private-use characters are written under the codes they had, which
    // stand for standard characters now; dropping them lost the name's character.
    QCOMPARE(TextCodec::encodeGb18030(QStringLiteral("张\uE816")), QByteArray("\xD5\xC5\xFE\x51"));
    QCOMPARE(TextCodec::decodeGb18030(QByteArray("\xFE\x51")), QStringLiteral("\U00020087"));
    QCOMPARE(TextCodec::encodeGb18030(QStringLiteral("\uE78D\uE000")), QByteArray("\xA6\xD9\xAA\xA1"));
    // After the file's mark, a second one is text; so is U+FEFF at the start of code page text.
    QCOMPARE(TextCodec::decodeGb18030(QByteArray("\x84\x31\x95\x33" "a")), QStringLiteral("\uFEFFa"));
    QCOMPARE(TextCodec::decodeDetected(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "a")), QStringLiteral("\uFEFFa"));
    QCOMPARE(TextCodec::decodeDetected(QByteArray("\xFF\xFE\xFF\xFE" "a\x00", 6)), QStringLiteral("\uFEFFa"));
    // Half a surrogate pair in a UTF-16 file reads as the replacement character.
    QCOMPARE(TextCodec::decodeDetected(QByteArray("\xFF\xFE\x00\xD8" "a\x00", 6)), QStringLiteral("\uFFFDa"));
}

void TestTextCodec::euroKeepsItsCodePageByte()
{
    QCOMPARE(TextCodec::decodeGb18030(QByteArray("1\x80")), QStringLiteral("1€"));
    QCOMPARE(TextCodec::encodeGb18030(QStringLiteral("€5€")), QByteArray("\x80" "5\x80"));
    // GB18030's own two-byte euro still reads.
    QCOMPARE(TextCodec::decodeGb18030(QByteArray("\xA2\xE3")), QStringLiteral("€"));
    // 0x80 as a trail byte belongs to its two-byte character.
    QCOMPARE(TextCodec::decodeGb18030(QByteArray("\x81\x80")), QString(QChar(0x4E90)));
}

void TestTextCodec::invalidBytesAreSkipped()
{
    // A stray lead byte and a truncated character lose only themselves.
    QCOMPARE(TextCodec::decodeGb18030(QByteArray("a\xFF" "b")), QStringLiteral("ab"));
    QCOMPARE(TextCodec::decodeGb18030(QByteArray("ab\xCD")), QStringLiteral("ab"));
}

void TestTextCodec::detectsEncoding()
{
    QCOMPARE(TextCodec::detect(QByteArray("\xFF\xFE[\0", 4)), Encoding::Utf16Le);
    QCOMPARE(TextCodec::detect(QByteArray("\xEF\xBB\xBF[a]")), Encoding::Utf8);
    QCOMPARE(TextCodec::detect(QByteArray("[a]\r\nb=1")), Encoding::Utf8);
    QCOMPARE(TextCodec::detect(QStringLiteral("b=图片").toUtf8()), Encoding::Utf8);
    // "图片" in code page 936 is also valid UTF-8 ("ͼƬ"), yet it is Chinese.
    QCOMPARE(TextCodec::encodeGb18030(QStringLiteral("图片")), QByteArray("\xCD\xBC\xC6\xAC"));
    QVERIFY(TextCodec::isValidUtf8(QByteArray("\xCD\xBC\xC6\xAC")));
    QCOMPARE(TextCodec::detect(TextCodec::encodeGb18030(QStringLiteral("b=图片"))), Encoding::Gb18030);
    QCOMPARE(TextCodec::detect(TextCodec::encodeGb18030(QStringLiteral("b=D:\\背景图片\\1.bmp"))),
             Encoding::Gb18030);
    QCOMPARE(TextCodec::detect(QByteArray()), Encoding::Utf8);
    QVERIFY(TextCodec::hasUtf16LeMark(QByteArray("\xFF\xFE", 2)));
    QVERIFY(!TextCodec::hasUtf16LeMark(QByteArray("\xFE\xFF", 2)));
    QVERIFY(!TextCodec::hasUtf16LeMark(QByteArray("\xFF")));
}

void TestTextCodec::marksAreAddedAndStripped()
{
    const QString text = QStringLiteral("名=值");
    const QByteArray utf16 = TextCodec::encode(text, Encoding::Utf16Le, true);
    QCOMPARE(utf16.left(2), QByteArray("\xFF\xFE", 2));
    QCOMPARE(utf16.size(), 2 + 2 * text.size());
    QCOMPARE(TextCodec::decodeDetected(utf16), text);
    QCOMPARE(TextCodec::encode(text, Encoding::Utf16Le, false).size(), 2 * text.size());

    const QByteArray utf8 = TextCodec::encode(text, Encoding::Utf8, true);
    QVERIFY(utf8.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(TextCodec::decodeDetected(utf8), text);
    QCOMPARE(TextCodec::encode(text, Encoding::Utf8, false), text.toUtf8());

    QCOMPARE(TextCodec::encode(text, Encoding::Gb18030, true), TextCodec::encodeGb18030(text));
}


void TestTextCodec::textOfEveryEditorReads()
{
    // Today's Notepad saves UTF-8 without a mark: Chinese names are three-byte sequences.
    const QByteArray utf8Names = QStringLiteral("8\r\n0\r\n王思远\r\n李欣怡\r\n").toUtf8();
    QCOMPARE(TextCodec::detect(utf8Names), Encoding::Utf8);
    QCOMPARE(TextCodec::decodeDetected(utf8Names), QStringLiteral("8\r\n0\r\n王思远\r\n李欣怡\r\n"));

    // Paths whose non-ASCII letters are two-byte sequences, which also pass as code page 936
    // ("Jos茅"): letters inside a word, or beside Chinese that the code page cannot read.
    for (const QString &path : {QStringLiteral("backBrush=D:/José/bg.bmp"), QStringLiteral("D:/Фото/中.bmp"),
                                QStringLiteral("D:/Фотографии/1.bmp"), QStringLiteral("Müller, Zoë")}) {
        QCOMPARE(TextCodec::detect(path.toUtf8()), Encoding::Utf8);
        QCOMPARE(TextCodec::decodeDetected(path.toUtf8()), path);
    }

    // The code page's own text still reads as such, also where its bytes are valid UTF-8.
    const QString roster = QStringLiteral("王思远\r\n李欣怡\r\n张浩然\r\n刘雨桐\r\n陈子轩\r\n杨梓涵\r\n赵一鸣\r\n黄诗琪\r\n");
    for (const QString &text : {roster, QStringLiteral("图片"), QStringLiteral("D:\\图片\\1.bmp"),
                                QStringLiteral("毛毛"), QStringLiteral("[backBrush]\r\nbackBrush=D:\\毛\\1.bmp")}) {
        const QByteArray bytes = TextCodec::encodeGb18030(text);
        QCOMPARE(TextCodec::detect(bytes), Encoding::Gb18030);
        QCOMPARE(TextCodec::decodeDetected(bytes), text);
    }
    QVERIFY(TextCodec::isValidUtf8(TextCodec::encodeGb18030(QStringLiteral("毛毛"))));

    QVERIFY(TextCodec::isValidGb18030(TextCodec::encodeGb18030(QStringLiteral("张\U0002A6A5€a"))));
    QVERIFY(!TextCodec::isValidGb18030(QByteArray("\xCD")));
    QVERIFY(!TextCodec::isValidGb18030(QByteArray("\xAD.")));
    QVERIFY(!TextCodec::isValidGb18030(QByteArray("\x81\x30\x81")));
    QVERIFY(!TextCodec::isValidGb18030(QByteArray("\xFF\xA1")));
}

void TestTextCodec::utf16ByItsMarkInEitherByteOrder()
{
    // "张三" and a line end as Unicode editors save them, big-endian and little-endian.
    const QByteArray bigEndian("\xFE\xFF\x5F\x20\x4E\x09\x00\r\x00\n", 10);
    const QByteArray littleEndian("\xFF\xFE\x20\x5F\x09\x4E\r\x00\n\x00", 10);
    QCOMPARE(TextCodec::decodeDetected(bigEndian), QStringLiteral("张三\r\n"));
    QCOMPARE(TextCodec::decodeDetected(littleEndian), QStringLiteral("张三\r\n"));
    QCOMPARE(TextCodec::detect(bigEndian), Encoding::Utf16Be);
    QCOMPARE(TextCodec::encode(QStringLiteral("张三\r\n"), Encoding::Utf16Be, true), bigEndian);
    QCOMPARE(TextCodec::encode(QStringLiteral("张三\r\n"), Encoding::Utf16Le, true), littleEndian);
}

PELLOR_UNIT_TEST_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
