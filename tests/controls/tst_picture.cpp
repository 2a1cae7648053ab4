#include "TestMain.h"

#include "PhotoBytes.h"
#include "ScriptedPrompt.h"

#include "controls/CPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QtEndian>

namespace {

int dotsPerMeter(int dpi)
{
    return qRound(dpi / 0.0254);
}

bool load(CPicture &picture, const QByteArray &bytes, const QSize &drawnAt = QSize())
{
    return picture.LoadFromBuffer(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                  static_cast<int>(bytes.size()), drawnAt);
}

// A device of a given resolution: a screen, or a printer that reports its own.
class FixedDpiDevice : public QPaintDevice
{
public:
    FixedDpiDevice(int dpi, bool printer)
        : m_dpi(dpi)
        , m_printer(printer)
    {
    }
    int devType() const override { return m_printer ? QInternal::Printer : QInternal::Widget; }
    QPaintEngine *paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDevicePixelRatioScaled:
            return devicePixelRatioFScale();
        default:
            return 1;
        }
    }

private:
    int m_dpi;
    bool m_printer;
};

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_prompt.clear(); }

    void bytesThatAreNoImage()
    {
        CPicture picture;
        QImage image(48, 96, QImage::Format_RGB32);
        image.fill(Qt::white);
        QVERIFY(load(picture, TestSupport::encodedImage(image, "PNG")));
        QVERIFY(picture.MeasurePixelSize(&image));
        QVERIFY(picture.m_nWidth > 0);

        // The new bytes replace the picture even when they decode to nothing.
        QVERIFY(load(picture, "this is not a picture"));
        QVERIFY(!picture.m_pPicture);
        QVERIFY(!picture.MeasurePixelSize(&image));
        QCOMPARE(picture.m_nWidth, 0);
        QCOMPARE(picture.m_nHeight, 0);
        QPainter painter(&image);
        QVERIFY(!picture.Draw(&painter, QRect(0, 0, 10, 10)));
        QVERIFY(load(picture, QByteArray()));
        QVERIFY(!picture.m_pPicture);
        QVERIFY(m_prompt.shown.isEmpty());
    }

    void sizesFollowTheResolution()
    {
        // 48 x 96 pixels at 48 dpi: one inch by two, 2540 x 5080 HIMETRIC.
        QImage image(48, 96, QImage::Format_RGB32);
        image.fill(Qt::gray);
        image.setDotsPerMeterX(dotsPerMeter(48));
        image.setDotsPerMeterY(dotsPerMeter(48));
        CPicture picture;
        QVERIFY(load(picture, TestSupport::encodedImage(image, "PNG")));
        QVERIFY(picture.m_pPicture);
        QCOMPARE(picture.m_pPicture->himetricWidth(), 2540);
        QCOMPARE(picture.m_pPicture->himetricHeight(), 5080);

        QVERIFY(!picture.MeasurePixelSize(nullptr));
        QCOMPARE(picture.m_nWidth, 0);
        FixedDpiDevice screen96(96, false);
        QVERIFY(picture.MeasurePixelSize(&screen96));
        QCOMPARE(picture.m_nWidth, 96);
        QCOMPARE(picture.m_nHeight, 192);
        FixedDpiDevice screen120(120, false);
        QVERIFY(picture.MeasurePixelSize(&screen120));
        QCOMPARE(picture.m_nWidth, 120);
        QCOMPARE(picture.m_nHeight, 240);
        // A printer is measured at 96 dpi whatever its own resolution.
        FixedDpiDevice printer(600, true);
        QVERIFY(picture.MeasurePixelSize(&printer));
        QCOMPARE(picture.m_nWidth, 96);
        QCOMPARE(picture.m_nHeight, 192);

        picture.FreePicture();
        QVERIFY(!picture.m_pPicture);
        QCOMPARE(picture.m_nWidth, 0);
        QCOMPARE(picture.m_nHeight, 0);
    }

    void noResolutionMeansNinetySixDpi()
    {
        // The portable pixmap format states no resolution.
        QImage image(96, 48, QImage::Format_RGB32);
        image.fill(Qt::gray);
        CPicture picture;
        QVERIFY(load(picture, TestSupport::encodedImage(image, "PPM")));
        QVERIFY(picture.m_pPicture);
        QCOMPARE(picture.m_pPicture->himetricWidth(), 2540);
        QCOMPARE(picture.m_pPicture->himetricHeight(), 1270);
    }

    void decodedNoLargerThanItIsDrawn()
    {
        // 800 x 600 pixels at 300 dpi, drawn at most 100 x 100: decoded 100 x 75, measured whole.
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.setDotsPerMeterX(dotsPerMeter(300));
        image.setDotsPerMeterY(dotsPerMeter(300));
        for (const char *format : {"JPEG", "PNG"}) {
            const QByteArray bytes = TestSupport::encodedImage(image, format);
            CPicture picture;
            QVERIFY(picture.LoadFromBuffer(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                           static_cast<int>(bytes.size()), QSize(100, 100)));
            QCOMPARE(picture.m_pPicture->image().size(), QSize(100, 75));
            QCOMPARE(picture.m_pPicture->himetricWidth(), 6773);
            QCOMPARE(picture.m_pPicture->himetricHeight(), 5080);
            FixedDpiDevice screen96(96, false);
            QVERIFY(picture.MeasurePixelSize(&screen96));
            QCOMPARE(picture.m_nWidth, 256);
            // Smaller than the room it has: decoded as it is.
            QVERIFY(picture.LoadFromBuffer(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                           static_cast<int>(bytes.size()), QSize(1000, 1000)));
            QCOMPARE(picture.m_pPicture->image().size(), QSize(800, 600));
        }
    }

    void twoColourPicturesKeepTheirColoursWhenShrunk()
    {
        // A two-colour picture (one bit a pixel with its own two colours, as optimisers save
        // a picture of two colours), the top half green: shrunk, still green and white.
        QImage image(800, 600, QImage::Format_Mono);
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 160, 0)});
        image.fill(0);
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 800; ++x)
                image.setPixel(x, y, 1);
        }
        for (const char *format : {"PNG", "BMP"}) {
            const std::shared_ptr<const Picture> picture
                = Picture::decode(TestSupport::encodedImage(image, format), QSize(100, 100)).picture;
            QVERIFY2(picture, format);
            QCOMPARE(picture->image().size(), QSize(100, 75));
            QCOMPARE(picture->image().pixelColor(10, 10), QColor(0, 160, 0));
            QCOMPARE(picture->image().pixelColor(11, 20), QColor(0, 160, 0));
            QCOMPARE(picture->image().pixelColor(10, 60), QColor(Qt::white));
        }
    }

    void picturesTooLargeToDecodeWhole()
    {
        // 6000 x 6000 pixels: decoded whole, more than Qt lets one image take. Drawn at most
        // 200 x 171, they decode that large, and measure as the whole picture.
        QImage image(6000, 6000, QImage::Format_RGB888);
        image.fill(Qt::darkCyan);
        for (const char *format : {"PNG", "BMP"}) {
            CPicture picture;
            QVERIFY(load(picture, TestSupport::encodedImage(image, format), QSize(200, 171)));
            QVERIFY2(picture.m_pPicture, format);
            QCOMPARE(picture.m_pPicture->image().size(), QSize(171, 171));
            QCOMPARE(picture.m_pPicture->himetricWidth(), 158750);
            QCOMPARE(picture.m_pPicture->himetricHeight(), 158750);
        }

        // A bitmap whose header states 16000 x 16000 pixels, 1 GB whole: too large, which
        // is told apart from bytes that are no picture.
        QByteArray huge = TestSupport::encodedImage(QImage(1, 1, QImage::Format_RGB32), "BMP");
        qToLittleEndian<qint32>(16000, huge.data() + 18);
        qToLittleEndian<qint32>(16000, huge.data() + 22);
        QCOMPARE(Picture::decode(huge, QSize(200, 171)).failure, Picture::Failure::TooLarge);
        QVERIFY(!Picture::decode(huge, QSize(200, 171)).picture);
        QCOMPARE(Picture::decode("no picture", QSize(200, 171)).failure, Picture::Failure::NotAPicture);
        QCOMPARE(Picture::decode(TestSupport::encodedImage(image, "PNG")).failure, Picture::Failure::None);
    }

    void shownTheWayUpItsFileSays()
    {
        // 400 x 200 pixels, the left half red: a quarter clockwise brings it to the top,
        // anticlockwise to the bottom.
        const QByteArray jpeg = TestSupport::redLeftBlueRight();
        for (const char orientation : {6, 8}) {
            CPicture picture;
            QVERIFY(load(picture, TestSupport::withExifOrientation(jpeg, orientation), QSize(100, 100)));
            QVERIFY(picture.m_pPicture);
            const QImage &shown = picture.m_pPicture->image();
            QCOMPARE(shown.size(), QSize(50, 100));
            QCOMPARE(picture.m_pPicture->himetricWidth(), 5292);
            QCOMPARE(picture.m_pPicture->himetricHeight(), 10583);
            const QColor top = shown.pixelColor(25, 10);
            const QColor bottom = shown.pixelColor(25, 90);
            QVERIFY(orientation == 6 ? TestSupport::isRed(top) && TestSupport::isBlue(bottom)
                                     : TestSupport::isBlue(top) && TestSupport::isRed(bottom));
        }
    }

    void drawsStretchedAndUpright()
    {
        QImage source(2, 2, QImage::Format_RGB32);
        source.setPixelColor(0, 0, Qt::red);
        source.setPixelColor(1, 0, Qt::red);
        source.setPixelColor(0, 1, Qt::blue);
        source.setPixelColor(1, 1, Qt::blue);
        CPicture picture;
        QVERIFY(load(picture, TestSupport::encodedImage(source, "BMP")));

        QImage target(60, 60, QImage::Format_RGB32);
        target.fill(Qt::white);
        {
            QPainter painter(&target);
            QVERIFY(picture.Draw(&painter, QRect(10, 20, 40, 20)));
        }
        QCOMPARE(target.pixelColor(12, 21), QColor(Qt::red));
        QCOMPARE(target.pixelColor(47, 22), QColor(Qt::red));
        QCOMPARE(target.pixelColor(12, 38), QColor(Qt::blue));
        QCOMPARE(target.pixelColor(47, 38), QColor(Qt::blue));
        QCOMPARE(target.pixelColor(9, 30), QColor(Qt::white));
        QCOMPARE(target.pixelColor(50, 30), QColor(Qt::white));
        QCOMPARE(target.pixelColor(30, 41), QColor(Qt::white));
        QVERIFY(!picture.Draw(nullptr, QRect(0, 0, 4, 4)));
        QVERIFY(m_prompt.shown.isEmpty());
    }

    void failuresAreReported()
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::gray);
        CPicture picture;
        QVERIFY(load(picture, TestSupport::encodedImage(image, "PNG")));

        // A painter that is not painting cannot render.
        QPainter idle;
        QVERIFY(!picture.Draw(&idle, QRect(0, 0, 4, 4)));
        QCOMPARE(m_prompt.shown.size(), 1);
        QCOMPARE(m_prompt.shown.at(0).text, QStringLiteral("Can not allocate enough memory\t"));
        QCOMPARE(m_prompt.shown.at(0).caption, QStringLiteral("CPicture Error"));
        QVERIFY(!m_prompt.shown.at(0).applicationBox);

        // A size that cannot be held: the message, and the picture kept.
        const unsigned char byte = 0;
        QVERIFY(!picture.LoadFromBuffer(&byte, -1));
        QCOMPARE(m_prompt.texts(), QStringList(2, QStringLiteral("Can not allocate enough memory\t")));
        QVERIFY(picture.m_pPicture);
        // No bytes behind the address: refused without reading.
        QVERIFY(!picture.LoadFromBuffer(nullptr, 16));
        QCOMPARE(m_prompt.shown.size(), 2);
        QVERIFY(picture.m_pPicture);
    }

private:
    ScriptedPrompt m_prompt;
};

PELLOR_UNIT_TEST_MAIN(TestPicture)
#include "tst_picture.moc"
