#pragma once

#include "core/StudentStore.h"

#include "controls/CPicture.h"
#include "platform/gui/ExchangeDialog.h"

#include <QByteArray>
#include <QRect>
#include <QString>

#include <optional>

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

    // The bytes of a photo file; none for an empty path, a file that does not open, an empty
    // one, or one that is no picture: only pictures are stored as photos.
    static std::optional<QByteArray> readPhotoFile(const QString &path);
    // "<file> 不是能显示的图片，…": a chosen file that is no picture.
    static QString notAPictureMessage(const QString &path);
    static QString genderMessage(); // "性别只能是“男”或“女”，请从列表中选择。"
    static QString photoFilter(); // "图片文件(*.jpg *.bmp)"

    // The members as the roster row they describe, photo aside.
    StudentRecord record() const;

    // The gender is the text the box shows, which must be one of its items; then the
    // fields are taken and checked once, and the name must not be blank.
    void OnBnClickedOk();
    // A chosen file that is no picture is refused, with a message naming it; the photo
    // chosen before, or the stored one, stays chosen and shown then, as after a cancel.
    void OnBnClickedBrowsePhoto();

    QString m_strGender;
    int m_nNumber = 0;
    QString m_strName;
    QString m_strAddress;
    QString m_strContact;
    QString m_strNote;      // 备注, shown as the graduation message
    QString m_strPhotoPath; // a newly chosen photo file; empty for none
    CPicture m_picture;     // the preview
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
