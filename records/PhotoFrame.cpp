#include "PhotoFrame.h"

#include "controls/CPicture.h"
#include "platform/gui/Prompt.h"

#include <QPainter>

PhotoFrame::PhotoFrame(CPicture &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{
}

std::optional<QRect> PhotoFrame::fittedRect(const QRect &frame, int himetricWidth, int himetricHeight, int widest)
{
    if (himetricHeight == 0)
        return std::nullopt;
    const float ratio = static_cast<float>(himetricWidth) / static_cast<float>(himetricHeight);
    const float width = static_cast<float>(frame.height()) * ratio;
    // Compared before it becomes an int: a picture of extreme proportions gives a width
    // beyond any int.
    const int fitted = width < static_cast<float>(widest) ? static_cast<int>(width) : widest;
    return QRect(frame.topLeft(), QSize(fitted, frame.height()));
}

std::optional<QRect> PhotoFrame::fittedRect(const QRect &frame, const CPicture &picture, int widest)
{
    if (!picture.m_pPicture)
        return std::nullopt;
    return fittedRect(frame, picture.m_pPicture->himetricWidth(), picture.m_pPicture->himetricHeight(), widest);
}

int PhotoFrame::widest() const
{
    if (!parentWidget())
        return QWIDGETSIZE_MAX;
    return qMax(1, parentWidget()->width() - x());
}

void PhotoFrame::ShowPicture()
{
    if (const std::optional<QRect> fitted = fittedRect(geometry(), m_picture, widest()))
        setGeometry(*fitted);
    update();
}

QSize PhotoFrame::room() const
{
    return (QSizeF(widest(), height()) * devicePixelRatioF()).toSize();
}

void PhotoFrame::ShowStudentPhoto(PhotoCache &photos, const PhotoCache::Student &student)
{
    stopWaiting();
    m_photos = &photos;
    // Nothing of the student shown before while this one's photo is read.
    m_picture.FreePicture();
    update();
    photos.want(this, student, room(), [this](const std::shared_ptr<const Picture> &picture, const QString &failure) {
        m_picture.m_pPicture = picture;
        // Without a picture the frame keeps the size the last photo gave it and shows empty.
        ShowPicture();
        if (!failure.isEmpty())
            Prompt::app(failure);
    });
}

void PhotoFrame::ShowNoPhoto()
{
    stopWaiting();
    m_picture.FreePicture();
    update();
}

void PhotoFrame::stopWaiting()
{
    if (m_photos)
        m_photos->cancel(this);
}

Picture::Failure PhotoFrame::ShowChosenPhoto(const QByteArray &bytes)
{
    const Picture::Decoded chosen = Picture::decode(bytes, room());
    if (!chosen.picture)
        return chosen.failure;
    stopWaiting();
    m_picture.FreePicture();
    m_picture.m_pPicture = chosen.picture;
    ShowPicture();
    return Picture::Failure::None;
}

void PhotoFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const std::optional<QRect> fitted = fittedRect(geometry(), m_picture);
    if (!fitted)
        return;
    // Measured for this screen, then stretched over the whole frame, border included; a frame
    // held back by the page's edge shows the picture whole, in its proportions.
    QRect target = rect().adjusted(-1, -1, 0, 0);
    if (fitted->width() > width() && fitted->width() > 0)
        target.setHeight(qMax(1, static_cast<int>(static_cast<qint64>(target.width()) * height() / fitted->width())));
    // A photo kept for a larger frame (the edit form's) is shrunk smoothly, as decoding it
    // for this frame would have; stretching stays plain.
    const QSize decoded = m_picture.m_pPicture->image().size();
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          target.width() < decoded.width() && target.height() < decoded.height());
    m_picture.MeasurePixelSize(this);
    m_picture.Draw(&painter, target);
}
