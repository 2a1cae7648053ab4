#pragma once

#include "core/StudentStore.h"

#include "controls/CPicture.h"
#include "platform/gui/ExchangeDialog.h"

#include <QByteArray>
#include <QRect>
#include <QString>

class PhotoFrame;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// What the add and the edit forms of a student share: number, name, gender, address,
// contact, graduation message and a photo chosen from a file with its preview. The roster
// page fills the members, shows the form and reads them back; the form writes nothing.
class StudentForm : public ExchangeDialog
{
    Q_OBJECT

public:
    enum ControlId {
        IDC_NUMBER = 1000,
        IDC_NAME = 1001,
        IDC_ADDRESS = 1002,
        IDC_CONTACT = 1003,
        IDC_NOTE = 1004,
        IDC_BROWSE = 1005,
        IDC_PHOTO_PATH = 1006,
        IDC_GENDER = 1011,
        IDC_PHOTO = 1057,
        IDOK_BUTTON = 1,
        IDCANCEL_BUTTON = 2,
    };

    // The two templates differ in these.
    struct Layout
    {
        QString caption;
        QSize size;
        int maxNumber;
        bool rangeCheckedAtOnce; // right after the number, or after every field
        int noteHeight;
        QRect pathLabel;
        QRect path;
        QRect browse;
        QRect photo;
        QString okCaption;
        QString cancelCaption;
        int buttonY;
    };

    ~StudentForm() override;

    // "<file> 不是能显示的图片，…": a chosen file that is no picture.
    static QString notAPictureMessage(const QString &path);
    // "<file> 图片太大，无法显示，…": a chosen picture too large to decode.
    static QString tooLargeMessage(const QString &path);
    static QString genderMessage(); // "性别只能是“男”或“女”，请从列表中选择。"
    // "图片文件(*.jpg *.JPG *.jpeg *.JPEG *.png *.PNG …)": every picture format the program
    // can show, the common ones first, each in both letter cases for choosers that match
    // names exactly.
    static QString photoFilter();

    // The most room the photo frame of a form of that layout has, in the screen's own pixels
    // (a form too large for its screen is laid out smaller): photos decoded that large serve it.
    static QSize photoRoom(const Layout &layout, qreal devicePixelRatio);

    // The members as the roster row they describe, photo aside.
    StudentRecord record() const;

    // The gender is the text the box shows, which must be one of its items; then the
    // fields are taken and checked once, and the name must not be blank.
    void OnBnClickedOk();
    // The chosen file is read once; a picture is shown and kept as it was read. A file that
    // is no picture, or one too large to show, is refused with a message naming it; the photo
    // chosen before, or the stored one, stays chosen and shown then, as after a cancel.
    void OnBnClickedBrowsePhoto();

    QString m_strGender;
    int m_nNumber = 0;
    QString m_strName;
    QString m_strAddress;
    QString m_strContact;
    QString m_strNote;        // 备注, shown as the graduation message
    QString m_strPhotoPath;   // a newly chosen photo file; empty for none
    QByteArray m_chosenPhoto; // its bytes as read and shown, stored whatever becomes of the file
    CPicture m_picture;       // the preview
    PhotoFrame *m_staticPhoto = nullptr;
    QComboBox *m_comboGender = nullptr;

protected:
    StudentForm(QWidget *parent, const Layout &layout);

    void DoDataExchange(DataExchange &dx) override;
    void showEvent(QShowEvent *event) override;
    // What every showing starts from: each one is a new window of the template.
    virtual void OnInitDialog() = 0;
    void selectGender(int index);

private:
    Layout m_layout;
    QRect m_photoRect; // the frame's template rectangle in pixels
    QLineEdit *m_editNumber = nullptr;
    QLineEdit *m_editName = nullptr;
    QLineEdit *m_editAddress = nullptr;
    QLineEdit *m_editContact = nullptr;
    QPlainTextEdit *m_editNote = nullptr;
    QLineEdit *m_editPhotoPath = nullptr;
};
