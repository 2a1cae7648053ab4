#include "StudentForm.h"

#include "PhotoFrame.h"
#include "RequiredName.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Picture.h"
#include "platform/gui/Prompt.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

const QString kMale = QStringLiteral("男");
// In dialog units: the labels' margin, and the left edge of the fields beside them.
constexpr int kLabelMargin = 4;
constexpr int kFieldLeft = 47;

// The graduation message keeps the line ends it has always been stored with.
void exchangeNote(DataExchange &dx, QPlainTextEdit *edit, QString &note)
{
    if (dx.failed())
        return;
    if (dx.saving())
        note = edit->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    else
        edit->setPlainText(QString(note).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

} // namespace

StudentForm::StudentForm(QWidget *parent, const Layout &layout)
    : ExchangeDialog(parent)
    , m_layout(layout)
{
    setWindowTitle(layout.caption);
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, layout.size.width(), layout.size.height());
    // The labels at the window's left edge keep a margin, short of their fields: no frame
    // covers their first character.
    auto label = [&](const QString &text, int x, int y, int w, int h) {
        const int left = qMax(x, kLabelMargin);
        tmpl.place(new QLabel(text, this), left, y, qMin(w, kFieldLeft - 1 - left), h);
    };

    label(QStringLiteral("学号："), 0, 23, 25, 8);
    m_editNumber = tmpl.addEdit(this, IDC_NUMBER, 47, 20, 80, 14);
    label(QStringLiteral("姓名："), 0, 48, 25, 8);
    m_editName = tmpl.addEdit(this, IDC_NAME, 47, 47, 79, 14);
    label(QStringLiteral("性别："), 0, 76, 25, 8);
    m_comboGender = new QComboBox(this);
    m_comboGender->setObjectName(QStringLiteral("combo%1").arg(IDC_GENDER));
    m_comboGender->setEditable(true);
    m_comboGender->setInsertPolicy(QComboBox::NoInsert);
    m_comboGender->insertItem(0, kMale);
    m_comboGender->insertItem(1, QStringLiteral("女"));
    tmpl.place(m_comboGender, 47, 74, 48, 14);
    label(QStringLiteral("地址："), 0, 113, 25, 8);
    m_editAddress = tmpl.addEdit(this, IDC_ADDRESS, 47, 112, 298, 14);
    label(QStringLiteral("联系方式："), 0, 141, 41, 8);
    m_editContact = tmpl.addEdit(this, IDC_CONTACT, 47, 140, 297, 14);
    label(QStringLiteral("毕业寄语："), 0, 169, 41, 8);
    m_editNote = new QPlainTextEdit(this);
    m_editNote->setObjectName(QStringLiteral("edit%1").arg(IDC_NOTE));
    tmpl.place(m_editNote, 47, 168, 297, layout.noteHeight);
    const QRect &pathLabel = layout.pathLabel;
    label(QStringLiteral("照片："), pathLabel.x(), pathLabel.y(), pathLabel.width(), pathLabel.height());
    m_editPhotoPath = tmpl.addEdit(this, IDC_PHOTO_PATH, layout.path.x(), layout.path.y(), layout.path.width(),
                                   layout.path.height());
    m_editPhotoPath->setReadOnly(true);
    QPushButton *browse = tmpl.addButton(this, IDC_BROWSE, QStringLiteral("..."), layout.browse.x(),
                                         layout.browse.y(), layout.browse.width(), layout.browse.height());
    m_staticPhoto = new PhotoFrame(m_picture, this);
    m_staticPhoto->setObjectName(QStringLiteral("static%1").arg(IDC_PHOTO));
    m_photoRect = tmpl.toPixels(layout.photo.x(), layout.photo.y(), layout.photo.width(), layout.photo.height());
    m_staticPhoto->setGeometry(m_photoRect);
    QPushButton *ok = tmpl.addButton(this, IDOK_BUTTON, layout.okCaption, 101, layout.buttonY, 50, 14);
    ok->setDefault(true);
    QPushButton *cancel = tmpl.addButton(this, IDCANCEL_BUTTON, layout.cancelCaption, 464, layout.buttonY, 50, 14);

    connect(browse, &QPushButton::clicked, this, &StudentForm::OnBnClickedBrowsePhoto);
    connect(ok, &QPushButton::clicked, this, &StudentForm::OnBnClickedOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

StudentForm::~StudentForm() = default;

QString StudentForm::photoFilter()
{
    QStringList suffixes;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        suffixes << QString::fromLatin1(format).toLower();
    suffixes.removeDuplicates();
    QStringList ordered;
    // What phones, cameras and screenshots give first.
    for (const char *common : {"jpg", "jpeg", "png", "bmp", "gif", "webp"}) {
        if (suffixes.removeAll(QLatin1String(common)) > 0)
            ordered << QLatin1String(common);
    }
    QStringList patterns;
    for (const QString &suffix : ordered + suffixes)
        patterns << QStringLiteral("*.") + suffix << QStringLiteral("*.") + suffix.toUpper();
    return QStringLiteral("图片文件(%1)").arg(patterns.join(u' '));
}

namespace {

QByteArray readWhole(const QString &path)
{
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString StudentForm::notAPictureMessage(const QString &path)
{
    return QStringLiteral("%1 不是能显示的图片，不能用作照片，请另选一张照片。").arg(QDir::toNativeSeparators(path));
}

QString StudentForm::tooLargeMessage(const QString &path)
{
    return QStringLiteral("%1 图片太大，无法显示，不能用作照片，请把它缩小后再选，或另选一张照片。")
        .arg(QDir::toNativeSeparators(path));
}

QSize StudentForm::photoRoom(const Layout &layout, qreal devicePixelRatio)
{
    const DialogTemplate units(
        DialogTemplate::templateFont(DialogTemplate::installedFamily(QStringLiteral("MS Shell Dlg")), 8));
    // As the frame's room: from its left edge to the form's right edge, and its height.
    const QRect frame = units.toPixels(layout.photo.x(), layout.photo.y(), layout.photo.width(), layout.photo.height());
    const QSize room(units.toPixelsX(layout.size.width()) - frame.x(), frame.height());
    return (QSizeF(room) * devicePixelRatio).toSize();
}

StudentRecord StudentForm::record() const
{
    StudentRecord student;
    student.number = m_nNumber;
    student.name = m_strName;
    student.gender = m_strGender;
    student.address = m_strAddress;
    student.contact = m_strContact;
    student.note = m_strNote;
    return student;
}

void StudentForm::DoDataExchange(DataExchange &dx)
{
    dx.number(m_editNumber, m_nNumber);
    if (m_layout.rangeCheckedAtOnce)
        dx.range(m_editNumber, m_nNumber, 1, m_layout.maxNumber);
    dx.text(m_editName, m_strName);
    dx.text(m_editAddress, m_strAddress);
    dx.text(m_editContact, m_strContact);
    exchangeNote(dx, m_editNote, m_strNote);
    dx.text(m_editPhotoPath, m_strPhotoPath);
    if (!m_layout.rangeCheckedAtOnce)
        dx.range(m_editNumber, m_nNumber, 1, m_layout.maxNumber);
}

void StudentForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        m_staticPhoto->setGeometry(m_photoRect);
        OnInitDialog();
        m_staticPhoto->ShowPicture();
    }
    ExchangeDialog::showEvent(event);
}

void StudentForm::selectGender(int index)
{
    m_comboGender->setCurrentIndex(index);
}

QString StudentForm::genderMessage()
{
    return QStringLiteral("性别只能是“男”或“女”，请从列表中选择。");
}

void StudentForm::OnBnClickedOk()
{
    // What the box shows is what is stored; typing into it selects no item, so the text
    // itself counts, and it must be one of the items.
    const QString shown = m_comboGender->currentText().trimmed();
    if (m_comboGender->findText(shown, Qt::MatchExactly) < 0) {
        Prompt::box(this, genderMessage());
        m_comboGender->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_strGender = shown;
    if (!UpdateData(true) || RequiredName::refused(m_editName, m_strName, RequiredName::studentMessage()))
        return;
    accept();
}

void StudentForm::OnBnClickedBrowsePhoto()
{
    // A field that does not pass is reported; the photo can still be chosen.
    UpdateData(true);
    const QString chosen = Prompt::openFileName(this, QString(), QString(), photoFilter());
    // Cancelled or refused, the photo shown stays, and so does what OK stores: the one
    // chosen before, or in the edit form the stored one.
    if (!chosen.isEmpty()) {
        const QByteArray bytes = readWhole(chosen);
        switch (m_staticPhoto->ShowChosenPhoto(bytes)) {
        case Picture::Failure::None:
            m_strPhotoPath = chosen;
            m_chosenPhoto = bytes;
            break;
        case Picture::Failure::TooLarge:
            Prompt::box(this, tooLargeMessage(chosen));
            break;
        case Picture::Failure::NotAPicture:
            Prompt::box(this, notAPictureMessage(chosen));
            break;
        }
    }
    UpdateData(false);
}
