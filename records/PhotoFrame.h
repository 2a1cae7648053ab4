#pragma once

#include "PhotoCache.h"

#include "platform/gui/Picture.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <optional>

class CPicture;

// The black frame a student's photo is shown in (roster page, student forms, score page).
// It shows the picture its owner holds; fitted to a picture it keeps its top-left corner and
// its height and takes its width from the picture's proportions, but never reaches past the
// right edge of the page it is on: a picture too wide for that is shown whole, in its
// proportions, at the top of the frame.
class PhotoFrame : public QWidget
{
    Q_OBJECT

public:
    explicit PhotoFrame(CPicture &picture, QWidget *parent = nullptr);

    // The frame for a picture of that HIMETRIC size: the same top-left corner and height,
    // the width height × (width ÷ height) in single precision, truncated, and at most
    // widest. None for a picture without height, which counts as no picture.
    static std::optional<QRect> fittedRect(const QRect &frame, int himetricWidth, int himetricHeight,
                                           int widest = QWIDGETSIZE_MAX);
    static std::optional<QRect> fittedRect(const QRect &frame, const CPicture &picture,
                                           int widest = QWIDGETSIZE_MAX);

    // The widest the frame may be: from its left edge to its page's right edge.
    int widest() const;

    // Fits the frame to the owner's picture, when it holds one, and draws it again. Without
    // a picture the frame keeps the size it has and shows empty.
    void ShowPicture();
    // Puts the student's photo from the window's photos into the owner's picture, fitted to
    // what the frame can show, and shows it: at once when it is kept, otherwise the frame is
    // empty until it has been read. A photo that could not be read is reported as the pages
    // report the database.
    void ShowStudentPhoto(PhotoCache &photos, const PhotoCache::Student &student);
    // Shows no photo, and takes none that comes in later.
    void ShowNoPhoto();
    // A photo file chosen by the teacher: decoded first, and shown in place of the picture
    // held only when it is one. Why not, with the picture held still shown, when it is not.
    Picture::Failure ShowChosenPhoto(const QByteArray &bytes);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The most the frame can show of a picture, in the screen's own pixels.
    QSize room() const;

    // No photo asked for earlier comes in any more.
    void stopWaiting();

    CPicture &m_picture; // the owner's; measured by each paint
    QPointer<PhotoCache> m_photos; // where a photo asked for comes from
};
