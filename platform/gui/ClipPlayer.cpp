#include "ClipPlayer.h"

#include <QBitmap>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QMovie>
#include <QPainter>
#include <QTimer>

CShockwaveflash1::CShockwaveflash1(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

CShockwaveflash1::~CShockwaveflash1() = default;

bool CShockwaveflash1::Create(const QString &windowName, const QRect &rect, QWidget *parent, int id)
{
    setParent(parent);
    setObjectName(windowName);
    setGeometry(rect);
    m_id = id;
    show();
    return true;
}

void CShockwaveflash1::LoadMovie(int, const QString &url)
{
    delete m_movie;
    m_movie = nullptr;
    delete m_buffer;
    m_buffer = nullptr;
    m_path = url;
    m_format.clear();
    m_readyState = Loading;
    // A report still queued for an earlier movie is dropped.
    const int serial = ++m_loadSerial;
    const auto report = [this, serial](void (CShockwaveflash1::*what)()) {
        QTimer::singleShot(0, this, [this, serial, what] {
            if (serial == m_loadSerial)
                (this->*what)();
        });
    };

    QFile file(url);
    if (!file.open(QIODevice::ReadOnly)) {
        report(&CShockwaveflash1::reportFailed);
        return;
    }
    m_buffer = new QBuffer(this);
    m_buffer->setData(file.readAll());
    m_buffer->open(QIODevice::ReadOnly);
    // The content decides, never the name: clips keep the names of the movies they replace.
    m_format = QImageReader::imageFormat(m_buffer);
    m_buffer->seek(0);
    if (m_format.isEmpty()) {
        report(&CShockwaveflash1::reportFailed);
        return;
    }
    m_movie = new QMovie(m_buffer, m_format, this);
    m_movie->setCacheMode(QMovie::CacheNone);
    if (!m_movie->isValid() || !m_movie->jumpToFrame(0) || m_movie->currentImage().isNull()) {
        delete m_movie;
        m_movie = nullptr;
        report(&CShockwaveflash1::reportFailed);
        return;
    }
    connect(m_movie, &QMovie::frameChanged, this, qOverload<>(&QWidget::update));
    report(&CShockwaveflash1::reportLoaded);
}

void CShockwaveflash1::SetBackgroundColor(int rgb)
{
    m_backgroundColor = rgb & 0xFFFFFF;
    update();
}

void CShockwaveflash1::Play()
{
    if (m_movie && m_movie->isValid())
        m_movie->start();
}

void CShockwaveflash1::reportLoaded()
{
    m_readyState = Complete;
    update();
    emit ReadyStateChange(Complete);
}

void CShockwaveflash1::reportFailed()
{
    m_readyState = Uninitialized;
    emit loadFailed(m_path);
}

QPixmap CShockwaveflash1::keyedFrame() const
{
    QPixmap frame = m_movie->currentPixmap();
    if (m_colorKey.isValid() && !frame.isNull())
        frame.setMask(frame.createMaskFromColor(m_colorKey, Qt::MaskInColor));
    return frame;
}

void CShockwaveflash1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor background((m_backgroundColor >> 16) & 0xFF, (m_backgroundColor >> 8) & 0xFF,
                            m_backgroundColor & 0xFF);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), background == m_colorKey ? QColor(Qt::transparent) : background);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!m_movie || m_readyState != Complete)
        return;
    const QPixmap frame = keyedFrame();
    if (frame.isNull())
        return;
    // Shown whole, as large as fits, centred.
    const QSize size = frame.size().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.drawPixmap(target, frame);
}
