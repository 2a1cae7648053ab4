#include "CPicture.h"

#include "platform/gui/Prompt.h"

#include <QApplication>
#include <QByteArray>
#include <QPainter>

#include <new>

CPicture::~CPicture()
{
    FreePicture();
}

QString CPicture::allocationMessage()
{
    return QStringLiteral("Can not allocate enough memory\t");
}

QString CPicture::errorCaption()
{
    return QStringLiteral("CPicture Error");
}

void CPicture::showError(const QString &text)
{
    Prompt::box(QApplication::activeWindow(), text, errorCaption(), Prompt::OkOnly, Prompt::Critical);
}

void CPicture::FreePicture()
{
    m_pPicture.reset();
    m_nHeight = 0;
    m_nWidth = 0;
}

bool CPicture::LoadFromBuffer(const unsigned char *data, int size, const QSize &drawnAt)
{
    if (size < 0) {
        showError(allocationMessage());
        return false;
    }
    // Nothing to copy from: refused rather than read through a null address.
    if (size > 0 && data == nullptr)
        return false;
    QByteArray bytes;
    try {
        bytes = QByteArray(reinterpret_cast<const char *>(data), size);
    } catch (const std::bad_alloc &) {
        showError(allocationMessage());
        return false;
    }
    m_pPicture = Picture::fromBytes(bytes, drawnAt);
    return true;
}

bool CPicture::MeasurePixelSize(const QPaintDevice *dc)
{
    if (dc == nullptr || !m_pPicture) {
        m_nHeight = 0;
        m_nWidth = 0;
        return false;
    }
    m_nHeight = Picture::himetricToPixels(m_pPicture->himetricHeight(), Picture::deviceDpiY(*dc));
    m_nWidth = Picture::himetricToPixels(m_pPicture->himetricWidth(), Picture::deviceDpiX(*dc));
    return true;
}

bool CPicture::Draw(QPainter *dc, const QRect &rect)
{
    if (dc == nullptr || !m_pPicture)
        return false;
    if (!m_pPicture->drawStretched(*dc, rect)) {
        showError(allocationMessage());
        return false;
    }
    return true;
}
