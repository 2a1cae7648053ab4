#pragma once

#include <QDialog>
#include <QTimer>

class CShockwaveflash1;

// What one animation window plays and how it behaves.
struct FlashClipSpec
{
    int templateId = 0;
    int controlId = 0;
    QString folder;       // under the program folder, e.g. "res/swf/未旷课"
    int clipCount = 0;    // clips 1..clipCount
    int closeDelayMs = 6000;
    int width = 742;      // template size in dialog units
    int height = 504;
    bool clickThrough = true;
    bool testClipFile = true; // the goodbye window loads without looking first
};

// A modal, frameless, always-on-top window that plays one clip, chosen at random from its
// folder, over a see-through background and closes itself a few seconds after the player
// reports that the clip has loaded. A clip that cannot be played closes it at once: no
// window waits forever.
class CFlashDlg : public QDialog
{
    Q_OBJECT

public:
    // The colour key: the window's own background and the player's background colour.
    static constexpr int kColorKey = 0x0000FF;
    static constexpr int kCloseTimer = 1;

    CFlashDlg(const FlashClipSpec &spec, QWidget *parent);
    ~CFlashDlg() override;

    // Clip n of the folder: "<n>.swf", the names of the movies the clips stand for.
    static QString clipPath(const QString &programFolder, const QString &folder, int n);

    // Tests shorten the close delay: a negative value restores the real one.
    static void setCloseDelayOverride(int ms);

    const FlashClipSpec &spec() const { return m_spec; }
    int clipNumber() const { return m_nClip; }
    QString clipFile() const { return m_strClip; }
    CShockwaveflash1 *player() const { return m_flash; }
    const QTimer &closeTimer() const { return m_closeTimer; }

    void OnFlashReadyStateChange(int newState);
    void OnFlashTimer(int nIDEvent);

protected:
    // Chooses and starts the clip; runs once, when the modal run first shows the window.
    virtual bool OnInitDialog();
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    CShockwaveflash1 *m_flash = nullptr;

private:
    void closeNow();

    FlashClipSpec m_spec;
    QTimer m_closeTimer;
    int m_nClip = 0;
    QString m_strClip;
    bool m_initialised = false;
};
