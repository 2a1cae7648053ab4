#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <memory>

class QPainter;
class QPaintDevice;
class QRect;

// A decoded picture with its size in HIMETRIC units (hundredths of a millimetre), taken
// from the image's own resolution, or 96 dpi when the image states none.
class Picture
{
public:
    static constexpr int kHimetricPerInch = 2540;
    static constexpr int kDefaultDpi = 96;

    // Null when the bytes are no image that can be decoded. Given a size to fit into, a larger
    // image is decoded only as large as it needs to be to fill it with its proportions kept
    // (a JPEG decodes scaled, at a fraction of the time and memory); its HIMETRIC size stays
    // that of the whole picture.
    static std::shared_ptr<const Picture> fromBytes(const QByteArray &bytes, const QSize &fitInto = QSize());
    static std::shared_ptr<const Picture> fromImage(const QImage &image);

    const QImage &image() const { return m_image; }
    int himetricWidth() const { return m_himetric.width(); }
    int himetricHeight() const { return m_himetric.height(); }

    // Pixels on a device of the given resolution, rounded as MulDiv rounds.
    static int himetricToPixels(int himetric, int dpi);
    static int pixelsToHimetric(int pixels, int dpi);
    // The resolution an image states, or 96 when it states none.
    static int imageDpiX(const QImage &image);
    static int imageDpiY(const QImage &image);
    // The device's logical resolution; 96 on a printer, whatever its own resolution.
    static int deviceDpiX(const QPaintDevice &device);
    static int deviceDpiY(const QPaintDevice &device);

    // Renders the whole picture stretched over target, aspect ratio not kept. False when
    // the painter cannot draw.
    bool drawStretched(QPainter &painter, const QRect &target) const;

private:
    // pixels: the whole picture's size, of which image may be a smaller copy.
    Picture(const QImage &image, const QSize &pixels);

    QImage m_image;
    QSize m_himetric;
};
