#include "LoadImageToBitmap.h"

#include "platform/gui/Prompt.h"

#include <QBrush>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <new>

namespace {

void tell(QWidget *dialog, const QString &text)
{
    Prompt::box(dialog, text, {}, Prompt::OkOnly, Prompt::NoIcon);
}

} // namespace

bool LoadImageToBitmap(QWidget *dialog, QPixmap &bitmap, const QString &path, PictureOpenFailure openFailure)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (openFailure == PictureOpenFailure::Report)
            tell(dialog, QStringLiteral("无法打开图片文件!"));
        return false;
    }
    QByteArray bytes;
    try {
        bytes.resize(file.size());
    } catch (const std::bad_alloc &) {
        tell(dialog, QStringLiteral("获取内存出错!"));
        return false;
    }
    const qint64 read = file.read(bytes.data(), bytes.size());
    file.close();
    if (read >= 0)
        bytes.truncate(read);

    const QImage picture = QImage::fromData(bytes);
    if (picture.isNull()) {
        tell(dialog, QStringLiteral("无法从流中装载图片!"));
        return false;
    }
    const QSize client = dialog->contentsRect().size();
    QPixmap rendered(client);
    if (client.isEmpty() || rendered.isNull()) {
        tell(dialog, QStringLiteral("无法显示图片!"));
        return false;
    }
    QPainter painter(&rendered);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), client), picture);
    painter.end();
    bitmap = rendered;
    return true;
}

QBrush applyBackgroundBrush(QWidget *dialog, const QPixmap &bitmap)
{
    if (bitmap.isNull())
        return {};
    QBrush brush(bitmap);
    QPalette palette = dialog->palette();
    palette.setBrush(QPalette::Window, brush);
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
    return brush;
}
