#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>

namespace TestSupport {

inline QByteArray encodedImage(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A JPEG as a phone writes it: its pixels as the camera took them, and an EXIF orientation
// (6: turn a quarter clockwise to show it, 8: a quarter anticlockwise) in an APP1 segment
// right after the start.
inline QByteArray withExifOrientation(const QByteArray &jpeg, char orientation)
{
    const QByteArray exif = QByteArray("\xFF\xE1\x00\x22"
                                       "Exif\0\0"
                                       "MM\x00\x2A\x00\x00\x00\x08"
                                       "\x00\x01"
                                       "\x01\x12\x00\x03\x00\x00\x00\x01\x00",
                                       29)
        + QByteArray(1, orientation) + QByteArray(6, '\0');
    return jpeg.left(2) + exif + jpeg.mid(2);
}

// 400 x 200 pixels, the left half red and the right half blue, as a JPEG.
inline QByteArray redLeftBlueRight()
{
    QImage landscape(400, 200, QImage::Format_RGB32);
    landscape.fill(Qt::blue);
    for (int y = 0; y < landscape.height(); ++y) {
        for (int x = 0; x < landscape.width() / 2; ++x)
            landscape.setPixelColor(x, y, Qt::red);
    }
    return encodedImage(landscape, "JPEG");
}

inline bool isRed(const QColor &c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

inline bool isGreen(const QColor &c)
{
    return c.green() > 100 && c.red() < 60 && c.blue() < 60;
}

inline bool isYellow(const QColor &c)
{
    return c.red() > 200 && c.green() > 200 && c.blue() < 60;
}

inline bool isBlue(const QColor &c)
{
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}

} // namespace TestSupport
