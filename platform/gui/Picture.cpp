#include "Picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kInchesPerMeter = 0.0254;

// An image that states no resolution carries the default of a new QImage.
int dpiFromDotsPerMeter(int dotsPerMeter, int defaultDotsPerMeter)
{
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
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (bytes.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "gif";
    return {};
}

// The image, no larger than fitInto needs when one is given; pixels is the whole picture's
// size.
QImage decode(const QByteArray &bytes, const QByteArray &format, const QSize &fitInto, QSize &pixels)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // Without a format, or when the one given does not fit: detected from the content,
    // whatever name the bytes came with. With one, the other decoders are never asked.
    reader.setAutoDetectImageFormat(format.isEmpty());
    reader.setDecideFormatFromContent(format.isEmpty());
    pixels = reader.size();
    const bool shrink = fitInto.isValid() && pixels.isValid()
        && (pixels.width() > fitInto.width() || pixels.height() > fitInto.height());
    const QSize shrunk = shrink ? pixels.scaled(fitInto, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)) : QSize();
    // A JPEG decodes scaled and states the whole picture's resolution. Other formats decode
    // whole and are shrunk after: some of them would state the resolution of the smaller copy.
    if (shrink && reader.format() == "jpeg")
        reader.setScaledSize(shrunk);
    QImage image = reader.read();
    if (!pixels.isValid())
        pixels = image.size();
    if (shrink && !image.isNull() && image.size() != shrunk)
        image = image.scaled(shrunk, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

Picture::Picture(const QImage &image, const QSize &pixels)
    // Kept in a format the painter blits directly, so each draw skips a conversion.
    : m_image(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32))
    , m_himetric(pixelsToHimetric(pixels.width(), imageDpiX(image)), pixelsToHimetric(pixels.height(), imageDpiY(image)))
{
}

std::shared_ptr<const Picture> Picture::fromBytes(const QByteArray &bytes, const QSize &fitInto)
{
    if (bytes.isEmpty())
        return nullptr;
    const QByteArray format = formatBySignature(bytes);
    QSize pixels;
    QImage image = format.isEmpty() ? QImage() : decode(bytes, format, fitInto, pixels);
    // A damaged file of a known kind may still be something else that a plugin reads.
    if (image.isNull())
        image = decode(bytes, {}, fitInto, pixels);
    if (image.isNull())
        return nullptr;
    return std::shared_ptr<const Picture>(new Picture(image, pixels));
}

std::shared_ptr<const Picture> Picture::fromImage(const QImage &image)
{
    if (image.isNull())
        return nullptr;
    return std::shared_ptr<const Picture>(new Picture(image, image.size()));
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
    return dpiFromDotsPerMeter(image.dotsPerMeterX(), QImage(1, 1, QImage::Format_Mono).dotsPerMeterX());
}

int Picture::imageDpiY(const QImage &image)
{
    return dpiFromDotsPerMeter(image.dotsPerMeterY(), QImage(1, 1, QImage::Format_Mono).dotsPerMeterY());
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
