#pragma once

#include "platform/gui/DialogTemplate.h"

#include <QBrush>
#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

// The common ground of the small feedback dialogs: built from their template, a background
// picture from the program folder stretched over the client area, statics drawn in red
// straight on the picture, Enter as the dialog's OK (1) and Esc or the close box as its
// cancel (2).
class CFeedbackDlg : public QDialog
{
    Q_OBJECT

public:
    enum Result { IDOK = 1, IDCANCEL = 2 };

    // The picture is relative to the program folder, e.g. "res/photo/2.jpg".
    CFeedbackDlg(int templateId, const QString &caption, int width, int height, int pointSize,
                 const QString &picture, QWidget *parent);

    QBrush m_brushBack;

    QList<QLabel *> statics() const { return m_statics; }
    QString picturePath() const;

    void OnOK();
    void OnCancel();
    void accept() override;
    void reject() override;

protected:
    QLabel *addStatic(const QString &text, int x, int y, int w, int h, Qt::Alignment align = Qt::AlignLeft);
    QPushButton *addButton(int id, const QString &caption, int x, int y, int w, int h);

    // Builds the background brush; runs once, when the modal run first shows the dialog.
    virtual bool OnInitDialog();
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    DialogTemplate m_template;

private:
    QString m_strPicture;
    QList<QLabel *> m_statics;
    bool m_initialised = false;
};
