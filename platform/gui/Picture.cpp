#include "Picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <QtEndian>

#include <cmath>
#include <optional>

namespace {

constexpr double kInchesPerMeter = 0.0254;
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr int kNoResolution = 0;

// An image that states no resolution carries the default of a new QImage.
int dpiFromDotsPerMeter(int dotsPerMeter)
{
    static const int defaultDotsPerMeter = QImage(1, 1, QImage::Format_Mono).dotsPerMeterX();
    if (dotsPerMeter <= 0 || dotsPerMeter == defaultDotsPerMeter)
        return Picture::kDefaultDpi;
    const int dpi = static_cast<int>(std::lround(dotsPerMeter * kInchesPerMeter));
    return dpi > 0 ? dpi : Picture::kDefaultDpi;
}

int mulDiv(long long value, long long numerator, long long denominator)
{
    if (denominator == 0)
        return -1;
    const long long product = value * numerator;
    // Rounds half away from zero.
    const long long half = denominator / 2;
    const long long q = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(q);
}

// The common formats told by their first bytes, so that only their own decoder is loaded
// instead of asking every installed image plugin in turn.
QByteArray formatBySignature(const QByteArray &bytes)
{
    if (bytes.startsWith("BM"))
        return "bmp";
    if (bytes.startsWith(kPngSignature))
        return "png";
    if (bytes.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "gif";
    return {};
}

// A PNG's resolution in dots per meter, from its pHYs chunk (before the image data); none
// when it states none in meters, as Qt reads it.
std::optional<QSize> pngDotsPerMeter(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    qsizetype at = qsizetype(sizeof(kPngSignature)) - 1;
    while (at + 8 <= bytes.size()) {
        const qsizetype length = qFromBigEndian<quint32>(data + at);
        const QByteArrayView type(bytes.constData() + at + 4, 4);
        if (type == "IDAT")
            break;
        if (type == "pHYs") {
            if (length < 9 || at + 17 > bytes.size() || data[at + 16] != 1)
                break;
            return QSize(static_cast<int>(qFromBigEndian<quint32>(data + at + 8)),
                         static_cast<int>(qFromBigEndian<quint32>(data + at + 12)));
        }
        at += 12 + length;
    }
    return std::nullopt;
}

// A PNG's bits a pixel, from its header; none when the bytes hold no PNG header.
std::optional<int> pngBitDepth(const QByteArray &bytes)
{
    // The signature, then the header chunk: length, "IHDR", width, height, bit depth.
    constexpr qsizetype kHeaderType = 12;
    constexpr qsizetype kBitDepth = 24;
    if (bytes.size() <= kBitDepth || QByteArrayView(bytes.constData() + kHeaderType, 4) != "IHDR")
        return std::nullopt;
    return static_cast<uchar>(bytes.at(kBitDepth));
}

struct Decoding
{
    QImage image;
    QSize pixels;       // the whole picture's, the way up it is shown
    QSize dotsPerMeter; // the whole picture's
    bool tooLarge = false;
};

Decoding decodeAs(const QByteArray &bytes, const QByteArray &format, const QSize &fitInto)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // Without a format, or when the one given does not fit: detected from the content,
    // whatever name the bytes came with. With one, the other decoders are never asked.
    reader.setAutoDetectImageFormat(format.isEmpty());
    reader.setDecideFormatFromContent(format.isEmpty());
    reader.setAutoTransform(true);
    Decoding out;
    const QSize stored = reader.size();
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    out.pixels = turned ? stored.transposed() : stored;
    const bool shrink = fitInto.isValid() && out.pixels.isValid()
        && (out.pixels.width() > fitInto.width() || out.pixels.height() > fitInto.height());
    const QSize shrunk = shrink ? out.pixels.scaled(fitInto, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)) : QSize();
    // Scaled as stored, then turned. A format that cannot decode scaled is decoded whole and
    // shrunk below; so is a PNG of one bit a pixel, which Qt's PNG reader would shrink
    // smoothly without its two colours (black and white dots come out).
    const bool twoColourPng = format == "png" && pngBitDepth(bytes) == 1;
    if (shrink && reader.supportsOption(QImageIOHandler::ScaledSize) && !twoColourPng)
        reader.setScaledSize(turned ? shrunk.transposed() : shrunk);
    out.image = reader.read();
    if (out.image.isNull()) {
        const qint64 wholeBytes = qint64(stored.width()) * stored.height() * 4;
        out.tooLarge = stored.isValid() && wholeBytes > qint64(QImageReader::allocationLimit()) * 1024 * 1024;
        return out;
    }
    if (!out.pixels.isValid())
        out.pixels = out.image.size();
    // One bit a pixel is shrunk pixel by pixel: Qt's smooth shrinking drops its two colours.
    if (shrink && out.image.size() != shrunk) {
        const bool oneBit = out.image.depth() == 1;
        out.image = out.image.scaled(shrunk, Qt::IgnoreAspectRatio,
                                     oneBit ? Qt::FastTransformation : Qt::SmoothTransformation);
    }
    out.dotsPerMeter = QSize(out.image.dotsPerMeterX(), out.image.dotsPerMeterY());
    // A PNG decoded scaled states the smaller copy's resolution: its own is in the file.
    if (shrink && reader.format() == "png") {
        const QSize stated = pngDotsPerMeter(bytes).value_or(QSize(kNoResolution, kNoResolution));
        out.dotsPerMeter = turned ? stated.transposed() : stated;
    }
    return out;
}

} // namespace

Picture::Picture(const QImage &image, const QSize &pixels, const QSize &dpi)
    // Kept in a format the painter blits directly, so each draw skips a conversion.
    : m_image(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32))
    , m_himetric(pixelsToHimetric(pixels.width(), dpi.width()), pixelsToHimetric(pixels.height(), dpi.height()))
{
}

void Picture::prepareDecoding()
{
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(kAllocationLimitMb);
        return true;
    }();
    Q_UNUSED(limitSet);
}

Picture::Decoded Picture::decode(const QByteArray &bytes, const QSize &fitInto)
{
    prepareDecoding();
    if (bytes.isEmpty())
        return {nullptr, Failure::NotAPicture};
    const QByteArray format = formatBySignature(bytes);
    Decoding decoded = format.isEmpty() ? Decoding() : decodeAs(bytes, format, fitInto);
    // A damaged file of a known kind may still be something else that a plugin reads.
    if (decoded.image.isNull() && !decoded.tooLarge)
        decoded = decodeAs(bytes, {}, fitInto);
    if (decoded.image.isNull())
        return {nullptr, decoded.tooLarge ? Failure::TooLarge : Failure::NotAPicture};
    const QSize dpi(dpiFromDotsPerMeter(decoded.dotsPerMeter.width()),
                    dpiFromDotsPerMeter(decoded.dotsPerMeter.height()));
    return {std::shared_ptr<const Picture>(new Picture(decoded.image, decoded.pixels, dpi)), Failure::None};
}

std::shared_ptr<const Picture> Picture::fromBytes(const QByteArray &bytes, const QSize &fitInto)
{
    return decode(bytes, fitInto).picture;
}

std::shared_ptr<const Picture> Picture::fromImage(const QImage &image)
{
    if (image.isNull())
        return nullptr;
    return std::shared_ptr<const Picture>(
        new Picture(image, image.size(), QSize(imageDpiX(image), imageDpiY(image))));
}

int Picture::himetricToPixels(int himetric, int dpi)
{
    return mulDiv(himetric, dpi, kHimetricPerInch);
}

int Picture::pixelsToHimetric(int pixels, int dpi)
{
    return mulDiv(pixels, kHimetricPerInch, dpi);
}

int Picture::imageDpiX(const QImage &image)
{
    return dpiFromDotsPerMeter(image.dotsPerMeterX());
}

int Picture::imageDpiY(const QImage &image)
{
    return dpiFromDotsPerMeter(image.dotsPerMeterY());
}

int Picture::deviceDpiX(const QPaintDevice &device)
{
    return device.devType() == QInternal::Printer ? kDefaultDpi : device.logicalDpiX();
}

int Picture::deviceDpiY(const QPaintDevice &device)
{
    return device.devType() == QInternal::Printer ? kDefaultDpi : device.logicalDpiY();
}

bool Picture::drawStretched(QPainter &painter, const QRect &target) const
{
    if (!painter.isActive())
        return false;
    // Plain stretching, as the picture service stretches bitmaps: no smoothing.
    painter.drawImage(target, m_image);
    return true;
}
