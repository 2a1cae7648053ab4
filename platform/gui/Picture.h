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

    // Why bytes gave no picture.
    enum class Failure { None, NotAPicture, TooLarge };
    struct Decoded
    {
        std::shared_ptr<const Picture> picture; // null on a failure
        Failure failure = Failure::None;
    };

    // The one decoding of every picture's bytes. The picture is turned the way up its file
    // says (a phone's EXIF orientation); its pixels stay as they are stored. Given a size to
    // fit into, a larger picture is decoded only as large as it needs to be to fill it with
    // its proportions kept (JPEG and PNG decode scaled, at a fraction of the time and memory;
    // other formats decode whole first); its HIMETRIC size stays that of the whole picture.
    // A picture whose header reads but that would take more memory whole than one image may
    // take, and that does not decode, is too large.
    static Decoded decode(const QByteArray &bytes, const QSize &fitInto = QSize());
    // The picture of decode(), null on any failure.
    static std::shared_ptr<const Picture> fromBytes(const QByteArray &bytes, const QSize &fitInto = QSize());
    static std::shared_ptr<const Picture> fromImage(const QImage &image);

    // The most memory, in megabytes, that one decoded image may take: later Qt's own limit,
    // whatever the version (Qt 6.4 allows 128), so that a 6000 x 6000 bitmap, which decodes
    // whole, is taken.
    static constexpr int kAllocationLimitMb = 256;
    // Raises Qt's limit to that, once. Qt keeps the limit in one unguarded global: start-up
    // sets it before any picture is decoded away from the GUI thread.
    static void prepareDecoding();

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
    // pixels: the whole picture's size, of which image may be a smaller copy; dpi: the whole
    // picture's resolution.
    Picture(const QImage &image, const QSize &pixels, const QSize &dpi);

    QImage m_image;
    QSize m_himetric;
};
