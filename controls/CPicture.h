#pragma once

#include "platform/gui/Picture.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;
class QPaintDevice;

// Turns image bytes held in memory (a photo from the database, a file chosen for preview)
// into a picture, measures it in pixels for a device and draws it stretched. Callers load,
// then measure, then draw.
class CPicture
{
public:
    CPicture() = default;
    virtual ~CPicture();

    static QString allocationMessage();   // "Can not allocate enough memory\t"
    static QString errorCaption();        // "CPicture Error"

    // Releases the held picture, if any, and clears the pointer and the sizes.
    void FreePicture();

    // True unless the bytes could not be held; bytes that are no image give true with no
    // picture, so the later draw draws nothing. Given the size it will be drawn at, a larger
    // picture is decoded only that large; its measured size stays the whole picture's.
    bool LoadFromBuffer(const unsigned char *data, int size, const QSize &drawnAt = QSize());

    // Sets m_nWidth and m_nHeight in the device's pixels; false (both 0) without a device
    // or a picture.
    bool MeasurePixelSize(const QPaintDevice *dc);

    // Renders the picture stretched over rect; false without a painter or a picture.
    bool Draw(QPainter *dc, const QRect &rect);

    // The loaded picture (its HIMETRIC size gives the photo frames their proportions).
    std::shared_ptr<const Picture> m_pPicture;
    int m_nHeight = 0;
    int m_nWidth = 0;

private:
    static void showError(const QString &text);
};
