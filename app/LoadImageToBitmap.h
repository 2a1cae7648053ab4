#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

// Whether a picture file that cannot be opened is reported ("无法打开图片文件!") or passed
// over in silence. The drum game reports it; the feedback dialogs stay silent.
enum class PictureOpenFailure { Silent, Report };

// Reads the picture file whole, decodes it by its content and renders it stretched over a
// bitmap of the dialog's client size, for the dialog's background. Failures after the file
// was opened are shown in a box owned by the dialog. bitmap is replaced only on success.
bool LoadImageToBitmap(QWidget *dialog, QPixmap &bitmap, const QString &path,
                       PictureOpenFailure openFailure = PictureOpenFailure::Silent);

// Makes the picture the dialog's background brush; no bitmap leaves the default background.
// Returns the brush (empty when there was no bitmap).
QBrush applyBackgroundBrush(QWidget *dialog, const QPixmap &bitmap);
