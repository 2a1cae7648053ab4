#include "PhotoFrame.h"

#include "controls/CPicture.h"

#include <QPainter>

PhotoFrame::PhotoFrame(CPicture &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{
}

std::optional<QRect> PhotoFrame::fittedRect(const QRect &frame, int himetricWidth, int himetricHeight)
{
    if (himetricHeight == 0)
        return std::nullopt;
    const float ratio = static_cast<float>(himetricWidth) / static_cast<float>(himetricHeight);
    const int width = static_cast<int>(static_cast<float>(frame.height()) * ratio);
    return QRect(frame.topLeft(), QSize(width, frame.height()));
}

std::optional<QRect> PhotoFrame::fittedRect(const QRect &frame, const CPicture &picture)
{
    if (!picture.m_pPicture)
        return std::nullopt;
    return fittedRect(frame, picture.m_pPicture->himetricWidth(), picture.m_pPicture->himetricHeight());
}

void PhotoFrame::ShowPicture()
{
    if (const std::optional<QRect> fitted = fittedRect(geometry(), m_picture))
        setGeometry(*fitted);
    update();
}

void PhotoFrame::ShowPhoto(const QByteArray &bytes)
{
    m_picture.FreePicture();
    if (!bytes.isEmpty())
        m_picture.LoadFromBuffer(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                 static_cast<int>(bytes.size()));
    ShowPicture();
}

void PhotoFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!fittedRect(geometry(), m_picture))
        return;
    // Measured for this screen, then stretched over the whole frame, border included.
    m_picture.MeasurePixelSize(this);
    m_picture.Draw(&painter, rect().adjusted(-1, -1, 0, 0));
}
