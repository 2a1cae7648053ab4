#include "TestMain.h"

#include "platform/base/TextCodec.h"

using TextCodec::Encoding;

class TestTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void detectsAndDecodes()
    {
        const QString text = QStringLiteral("王思远\r\n李欣怡");
        const QByteArray utf16 = TextCodec::encode(text, Encoding::Utf16Le, true);
        const QByteArray utf8Marked = TextCodec::encode(text, Encoding::Utf8, true);
        const QByteArray utf8 = text.toUtf8();
        const QByteArray gb = TextCodec::encodeGb18030(text);
        QCOMPARE(TextCodec::detect(utf16), Encoding::Utf16Le);
        QCOMPARE(TextCodec::detect(utf8Marked), Encoding::Utf8);
        QCOMPARE(TextCodec::detect(utf8), Encoding::Utf8);
        QCOMPARE(TextCodec::detect(gb), Encoding::Gb18030);
        for (const QByteArray &bytes : {utf16, utf8Marked, utf8, gb})
            QCOMPARE(TextCodec::decodeDetected(bytes), text);
    }

    void gb18030KeepsEveryCharacter()
    {
        // Code page 936 text encodes to its familiar bytes; other characters still round-trip.
        QCOMPARE(TextCodec::encodeGb18030(QStringLiteral("王a")), QByteArray("\xCD\xF5" "a"));
        const QString rare = QStringLiteral("𠮷 € ©");
        QCOMPARE(TextCodec::decodeGb18030(TextCodec::encodeGb18030(rare)), rare);
        // A broken byte does not swallow the rest of the text.
        QCOMPARE(TextCodec::decodeGb18030(QByteArray("\xCD\xF5\xFF" "abc")), QStringLiteral("王abc"));
    }
};

PELLOR_UNIT_TEST_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
