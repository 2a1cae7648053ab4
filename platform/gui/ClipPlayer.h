#pragma once

#include <QByteArray>
#include <QColor>
#include <QWidget>

class QBuffer;
class QMovie;

// The animation player in place of the Flash control: plays any animated (or still) image
// that Qt decodes - GIF, WebP, MNG - recognised by its content whatever the file's name.
// Like the control it loads a movie, takes a background colour, plays, and reports its
// ready state; 4 once the clip has loaded. A clip it cannot decode (a real Flash movie, a
// damaged or missing file) is reported through loadFailed() so that its window can close.
class CShockwaveflash1 : public QWidget
{
    Q_OBJECT

public:
    enum ReadyState { Loading = 0, Uninitialized = 1, Loaded = 2, Interactive = 3, Complete = 4 };

    explicit CShockwaveflash1(QWidget *parent = nullptr);
    ~CShockwaveflash1() override;

    // Makes the widget the playing control over rect of parent.
    bool Create(const QString &windowName, const QRect &rect, QWidget *parent, int id);

    // Reads and checks the clip; the ready state (or the failure) is reported from the event
    // loop, as the control does. layer is kept for the call's shape; only layer 0 exists.
    void LoadMovie(int layer, const QString &url);
    // 0xRRGGBB. When it equals the colour key the background stays see-through.
    void SetBackgroundColor(int rgb);
    int GetBackgroundColor() const { return m_backgroundColor; }
    void Play();

    int GetReadyState() const { return m_readyState; }
    int controlId() const { return m_id; }
    // "gif", "webp", "mng", ... as detected from the content; empty before a load.
    QByteArray clipFormat() const { return m_format; }
    QString clipPath() const { return m_path; }
    QMovie *movie() const { return m_movie; }

    // Pixels of this colour, and a background of this colour, are drawn see-through: the
    // layered window's colour key.
    void setColorKey(const QColor &key) { m_colorKey = key; }

signals:
    void ReadyStateChange(int newState);
    void loadFailed(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void reportLoaded();
    void reportFailed();
    QPixmap keyedFrame() const;

    QString m_path;
    QByteArray m_format;
    QBuffer *m_buffer = nullptr; // owned, as children
    QMovie *m_movie = nullptr;
    int m_backgroundColor = 0xFFFFFF;
    QColor m_colorKey;
    int m_readyState = Uninitialized;
    int m_id = 0;
    int m_loadSerial = 0;
};
