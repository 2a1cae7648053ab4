#include "CPellorDlg.h"

#include "CAboutDlg.h"
#include "CPlayPPtDlg.h"
#include "PellorStartup.h"

#include "application/CPellorApp.h"
#include "application/SettingsFile.h"
#include "core/GroupScoreFile.h"
#include "core/RollCallLesson.h"

#include "platform/base/ProgramFolder.h"
#include "platform/base/RandomSource.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Picture.h"
#include "platform/gui/Prompt.h"
#include "platform/gui/Screen.h"
#include "platform/gui/WindowPlacement.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>

#include <new>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 255, 0);
const QColor kPink(254, 223, 216);
const QColor kOlive(225, 232, 134);

// The size of the window before it was first shown, and after a minimise.
constexpr int kFallbackWidth = 800;
constexpr int kFallbackHeight = 600;

void setColors(QWidget *widget, const QColor &text, const QColor &base)
{
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Button, base);
    }
    widget->setPalette(palette);
}

// A combo box's field is as tall as its font needs; the template height includes its list.
void fitComboHeight(QComboBox *combo)
{
    combo->resize(combo->width(), combo->sizeHint().height());
}

} // namespace

CPellorDlg::CPellorDlg(QWidget *parent)
    : CPellorDlg(ProfileFile(SettingsFile::pathIn(ProgramFolder::executableFolder())).contents(), parent)
{
}

CPellorDlg::CPellorDlg(const ProfileFile::Contents &settings, QWidget *parent)
    : QDialog(parent)
    , m_hIcon(PellorStartup::programIcon())
{
    setWindowTitle(QStringLiteral("Marlowen"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(m_hIcon);
    setSizeGripEnabled(true);
    createControls();
    OnInitDialog(settings);
    WindowPlacement::keepOnScreen(this);
}

CPellorDlg::~CPellorDlg()
{
    // The tool bar has no parent, so that it stays up while this window is hidden.
    delete m_dlgPPT;
}

int CPellorDlg::exec()
{
    // Hiding a dialog ends its modal run. While the tool bar stands in for this window, the
    // program runs on in a loop of the window's own until the window really ends.
    bool ended = false;
    const QMetaObject::Connection watch = connect(this, &QDialog::finished, this, [&ended] { ended = true; });
    int result = QDialog::exec();
    if (m_bStandingAside && !ended) {
        QEventLoop loop;
        connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::DialogExec);
        result = this->result();
    }
    disconnect(watch);
    m_bStandingAside = false;
    return result;
}

QFont CPellorDlg::BigFont(int height)
{
    // A bold fixed-pitch face; a height of 0 or less means the face's default size.
    QFont font(DialogTemplate::installedFamily(QStringLiteral("新宋体")));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setWeight(QFont::Bold);
    if (height > 0)
        font.setPixelSize(height);
    return font;
}

void CPellorDlg::createControls()
{
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 16, 325, 185);
    m_nTemplateWidth = tmpl.toPixelsX(325);
    auto button = [&](CMyButton *&member, int id, const QString &caption, int x, int y, int w, int h) {
        member = new CMyButton(caption, this);
        member->setObjectName(QStringLiteral("button%1").arg(id));
        // Enter always means the default button, wherever the focus is.
        member->setAutoDefault(false);
        tmpl.place(member, x, y, w, h);
    };
    auto label = [&](int id, const QString &text, int x, int y, int w, int h) {
        auto l = new QLabel(text, this);
        l->setObjectName(QStringLiteral("static%1").arg(id));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // A label lets clicks through to whatever lies beneath it.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        tmpl.place(l, x, y, w, h);
        m_labels << l;
        m_labelWidths << l->width();
    };
    auto edit = [&](QLineEdit *&member, int id, int x, int y, int w, int h) {
        member = new QLineEdit(this);
        member->setObjectName(QStringLiteral("edit%1").arg(id));
        tmpl.place(member, x, y, w, h);
    };

    button(m_btnSettings, IDC_SETTINGS, QStringLiteral("设置"), 0, 0, 31, 8);
    button(m_btnLessonPlan, IDC_LESSON_PLAN, QStringLiteral("教案"), 31, 0, 30, 8);
    button(m_btnPPT, IDC_PPT, QStringLiteral("PPT放映助手"), 61, 0, 44, 8);
    m_btnStudentInfo = new QPushButton(QStringLiteral("学生信息"), this);
    m_btnStudentInfo->setObjectName(QStringLiteral("button%1").arg(IDC_STUDENT_INFO));
    m_btnStudentInfo->setAutoDefault(false);
    tmpl.place(m_btnStudentInfo, 105, 0, 32, 8);
    button(m_btnRandom, IDC_RANDOM, QStringLiteral("随机提问"), 132, 8, 67, 20);

    // A label at the window's left edge keeps a margin: no frame covers its first character.
    label(1025, QStringLiteral("小组："), 2, 48, 30, 18);
    m_comboGroup = new QComboBox(this);
    m_comboGroup->setObjectName(QStringLiteral("combo1011"));
    tmpl.place(m_comboGroup, 33, 46, 33, 88);
    label(1026, QStringLiteral("学号："), 64, 48, 41, 30);
    m_comboNumber = new QComboBox(this);
    m_comboNumber->setObjectName(QStringLiteral("combo1030"));
    m_comboNumber->setEditable(true);
    // A number typed into the field is never added to the list.
    m_comboNumber->setInsertPolicy(QComboBox::NoInsert);
    tmpl.place(m_comboNumber, 111, 46, 48, 86);
    label(1029, QStringLiteral("姓名："), 190, 48, 38, 18);
    edit(m_editName, IDC_NAME, 228, 45, 56, 17);
    label(1027, QStringLiteral("小组成绩："), 2, 78, 106, 36);
    edit(m_editGroup, IDC_GROUP_SCORE, 109, 72, 49, 17);
    label(1028, QStringLiteral("个人成绩："), 166, 78, 61, 49);
    edit(m_editPersonal, IDC_PERSONAL_SCORE, 228, 72, 56, 17);

    button(m_btnPresent, IDC_PRESENT, QStringLiteral("未旷课"), 113, 104, 36, 19);
    m_btnPresent->setDefault(true);
    button(m_btnAbsent, IDC_ABSENT, QStringLiteral("旷课"), 209, 104, 36, 19);
    button(m_btnSaveExit, IDC_SAVE_EXIT, QStringLiteral("保存并退出"), 132, 140, 67, 20);

    connect(m_btnRandom, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedRandom);
    connect(m_btnPresent, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedPresent);
    connect(m_btnAbsent, &QPushButton::clicked, this, &CPellorDlg::OnAbsent);
    connect(m_btnSaveExit, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedSaveExit);
    connect(m_btnSettings, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedSettings);
    connect(m_btnLessonPlan, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedLessonPlan);
    connect(m_btnPPT, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedPPT);
    connect(m_btnStudentInfo, &QPushButton::clicked, this, &CPellorDlg::OnBnClickedStudentInfo);
    connect(m_comboGroup, &QComboBox::activated, this, &CPellorDlg::OnCbnSelchangeGroup);
    connect(m_comboNumber, &QComboBox::activated, this, &CPellorDlg::OnCbnSelchangeStudent);
}

bool CPellorDlg::OnInitDialog(const ProfileFile::Contents &settings)
{
    // The window's menu (its context menu here) carries the About item.
    auto about = new QAction(QStringLiteral("&About %1...").arg(PellorStartup::kProductName), this);
    about->setObjectName(QStringLiteral("actionAbout"));
    connect(about, &QAction::triggered, this, [this] { OnSysCommand(IDM_ABOUTBOX); });
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    theApp().m_strAppDir = ProgramFolder::executableFolder();
    m_lesson = new RollCallLesson(theApp().m_strAppDir, this);
    connect(m_lesson, &RollCallLesson::studentOnCallChanged, this, &CPellorDlg::ShowLesson);
    connect(m_lesson, &RollCallLesson::scoresChanged, this, &CPellorDlg::ShowLesson);

    const QFont big = BigFont(m_nFontHeight);
    for (QWidget *control : std::initializer_list<QWidget *>{m_btnRandom, m_btnAbsent, m_btnPresent,
                                                             m_btnSaveExit, m_editName, m_editPersonal,
                                                             m_editGroup, m_comboGroup, m_comboNumber})
        control->setFont(big);
    fitComboHeight(m_comboGroup);
    fitComboHeight(m_comboNumber);

    m_btnRandom->m_crBack = kPink;
    m_btnRandom->m_crText = kRed;
    m_btnPresent->m_crBack = kOlive;
    m_btnAbsent->m_crBack = kOlive;
    m_btnSaveExit->m_crBack = kPink;
    m_btnSaveExit->m_crText = kRed;
    for (CMyButton *b : {m_btnSettings, m_btnLessonPlan, m_btnPPT})
        b->m_crBack = kPink;
    for (CMyButton *b : {m_btnRandom, m_btnPresent, m_btnAbsent, m_btnSaveExit, m_btnSettings,
                         m_btnLessonPlan, m_btnPPT})
        b->update();
    OnCtlColor();

    RandomSource::seedFromClock();
    m_strStuNumber = QStringLiteral("0");
    LoadSettings(settings);
    if (!QFileInfo::exists(ProgramFolder::normalised(backBrush()))) {
        RollCallSettings settings = m_lesson->settings();
        settings.m_strBackBrush = defaultBackground();
        m_lesson->UseSettings(settings);
    }
    LoadBackground(backBrush());
    if (LoadGroupScores(m_lesson->settings().m_strScoreDir, m_lesson->settings().m_nNumOfClass))
        setWindowTitle(PellorStartup::kProductName);
    return true;
}

QString CPellorDlg::defaultBackground() const
{
    return ProgramFolder::join(theApp().programFolder(), QStringLiteral("res/photo/1.bmp"));
}

QString CPellorDlg::backBrush() const
{
    return m_lesson->settings().m_strBackBrush;
}

void CPellorDlg::OnCtlColor()
{
    const QFont big = BigFont(m_nFontHeight);
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        QLabel *l = m_labels.at(i);
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, kRed);
        l->setPalette(palette);
        l->setFont(big);
        // One line, never cut short by a template width meant for another face.
        l->resize(qMax(m_labelWidths.at(i), l->sizeHint().width()), l->height());
    }
    for (QWidget *field : std::initializer_list<QWidget *>{m_editName, m_editPersonal, m_editGroup,
                                                           m_comboGroup, m_comboNumber})
        setColors(field, kBlue, kGreen);
    setColors(m_comboGroup->view(), kRed, kGreen);
    setColors(m_comboNumber->view(), kRed, kGreen);
}

void CPellorDlg::LoadSettings(const ProfileFile::Contents &settings)
{
    m_lesson->LoadSettings(settings);
}

bool CPellorDlg::LoadGroupScores(const QString &scoreDir, int numOfClass)
{
    // The lists and fields follow the lesson's signal.
    const auto result = m_lesson->LoadGroupScores(scoreDir, numOfClass);
    if (result.status == GroupScoreFile::LoadStatus::BadGroupCount) {
        Prompt::app(result.message);
        return false;
    }
    if (!result.unrecognised.isEmpty())
        Prompt::app(GroupScoreFile::unrecognisedMessage(result.unrecognised));
    if (result.status == GroupScoreFile::LoadStatus::OpenFailed) {
        Prompt::app(result.message);
        return false;
    }
    return true;
}

void CPellorDlg::fillNumberCombo(int group)
{
    m_comboNumber->clear();
    m_nNumbersGroup = group;
    if (group < 0 || group >= RollCallTables::kMaxGroups)
        return;
    for (int n = 1; n <= m_lesson->tables().m_nGroupCount[group]; ++n)
        m_comboNumber->addItem(QString::number(n));
    m_comboNumber->setCurrentIndex(-1);
}

void CPellorDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_strStuNumber = m_comboNumber->currentText();
        m_strStuName = m_editName->text();
        m_strStuScore = m_editPersonal->text();
        m_strGroupScore = m_editGroup->text();
    } else {
        m_comboNumber->setEditText(m_strStuNumber);
        m_editName->setText(m_strStuName);
        m_editPersonal->setText(m_strStuScore);
        m_editGroup->setText(m_strGroupScore);
    }
}

void CPellorDlg::OnCbnSelchangeGroup()
{
    m_lesson->ChooseGroup(m_comboGroup->currentIndex());
}

void CPellorDlg::OnCbnSelchangeStudent()
{
    // A number that addresses nobody leaves the fields as the lesson has them.
    if (!m_lesson->Choose(m_lesson->currentGroup(), m_comboNumber->currentIndex() + 1))
        ShowLesson();
}

void CPellorDlg::ShowLesson()
{
    const RollCallTables &tables = m_lesson->tables();
    const int listed = m_lesson->groupsListed();
    if (m_comboGroup->count() != listed) {
        m_comboGroup->clear();
        for (int n = 1; n <= listed; ++n)
            m_comboGroup->addItem(QString::number(n));
    }
    const int g = m_lesson->currentGroup();
    if (m_comboGroup->currentIndex() != g) {
        m_comboGroup->setCurrentIndex(g);
        m_comboGroup->repaint();
    }
    // The number list is always the shown group's, refilled for a group read again too.
    const bool inTables = g >= 0 && g < RollCallTables::kMaxGroups;
    if (g != m_nNumbersGroup || m_comboNumber->count() != (inTables ? tables.m_nGroupCount[g] : 0))
        fillNumberCombo(g);

    const int k = m_lesson->StudentOnCall();
    m_strStuNumber = k == 0 ? QString() : QString::number(k);
    m_strStuName = k == 0 ? QString() : tables.m_vecNames[g].at(k - 1);
    m_strStuScore = k == 0 ? QString() : QString::number(tables.m_vecTotalScore[g].at(k - 1));
    // A group left out of the lesson has its score in its file, not the 0 of its empty table.
    m_strGroupScore = inTables && tables.m_bLoaded[g] ? QString::number(tables.m_nGroupScore[g]) : QString();
    OnRefreshFields();
}

void CPellorDlg::OnBnClickedSaveExit()
{
    SaveAndExit();
}

bool CPellorDlg::SaveAndExit()
{
    // Only groups read from their files are written back; with none there is nothing to
    // save, and the group files are left exactly as they are.
    if (!m_lesson->tables().hasLoadedGroup()) {
        Prompt::app(m_lesson->NothingReadMessage());
        return false;
    }
    // A file the teacher changed during the lesson is overwritten only when asked to. 否
    // writes nothing at all: a part of the lesson saved would count it twice at the next save.
    const QStringList changed = m_lesson->ChangedFiles();
    if (!changed.isEmpty()
        && Prompt::box(this, GroupScoreFile::changedFilesQuestion(changed), {}, Prompt::YesNo,
                       Prompt::Question)
            != Prompt::Yes)
        return false;
    const QStringList failures = m_lesson->Save();
    if (!failures.isEmpty()) {
        // Nothing is lost: the window stays open so the teacher can mend the folder and save again.
        Prompt::app(GroupScoreFile::saveFailureMessage(failures));
        return false;
    }
    UpdateData(true);
    done(QDialog::Accepted);
    if (m_lesson->settings().m_nShowDonghua != 0)
        PlayGoodbyeClip();
    return true;
}

void CPellorDlg::OnRefreshFields()
{
    UpdateData(false);
    repaint();
}

bool CPellorDlg::LoadPictureFile(QPixmap &bitmap, const QString &path)
{
    QFile file(ProgramFolder::normalised(path));
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes;
    try {
        bytes.resize(file.size());
    } catch (const std::bad_alloc &) {
        Prompt::app(QStringLiteral("获取内存出错!"));
        return false;
    }
    if (file.read(bytes.data(), bytes.size()) != bytes.size()) {
        Prompt::app(QStringLiteral("取内存指针出错!"));
        return false;
    }
    const auto picture = Picture::fromBytes(bytes);
    if (!picture) {
        Prompt::app(QStringLiteral("无法从流中装载图片!"));
        return false;
    }
    // Stretched over the whole screen when painted, so the window shows the picture's
    // top-left part at its own size and more of it when it grows.
    const QSize screen = Screen::size();
    const QPixmap decoded = QPixmap::fromImage(picture->image());
    if (screen.isEmpty() || decoded.isNull()) {
        Prompt::app(QStringLiteral("无法显示背景图片!"));
        return false;
    }
    bitmap = decoded;
    return true;
}

bool CPellorDlg::PreviewBackground(const QString &path)
{
    // The fallback picture is only shown: the stored path stays what it was.
    return showBackground(path, nullptr);
}

bool CPellorDlg::LoadBackground(const QString &path)
{
    QString fallback;
    const bool loaded = showBackground(path, &fallback);
    if (!fallback.isEmpty()) {
        RollCallSettings settings = m_lesson->settings();
        settings.m_strBackBrush = fallback;
        m_lesson->UseSettings(settings);
    }
    return loaded;
}

bool CPellorDlg::showBackground(const QString &path, QString *fallback)
{
    QPixmap bitmap;
    bool loaded = LoadPictureFile(bitmap, path);
    if (!loaded) {
        const QString defaultPicture = defaultBackground();
        if (fallback)
            *fallback = defaultPicture;
        loaded = LoadPictureFile(bitmap, defaultPicture);
    }
    if (loaded) {
        m_brushBack = QBrush(bitmap);
        // An opaque picture covers the window, so Qt need not fill it with the window's colour
        // first: on a window this large that fill is a pass over a megabyte or more.
        setAttribute(Qt::WA_OpaquePaintEvent, !bitmap.hasAlphaChannel());
    }
    update();
    UpdateData(true);
    return loaded;
}

void CPellorDlg::paintEvent(QPaintEvent *event)
{
    const QSize screen = Screen::size();
    // Where Qt leaves the filling to this window, whatever the picture does not cover shows
    // the window's colour, as under Qt's own fill.
    const QBrush windowFill = palette().window();
    const bool unfilled = testAttribute(Qt::WA_OpaquePaintEvent);
    if (m_brushBack.style() == Qt::NoBrush || screen.isEmpty()) {
        if (unfilled)
            QPainter(this).fillRect(event->rect(), windowFill);
        QDialog::paintEvent(event);
        return;
    }
    // Only the screen-sized stretch of the picture that the window shows is drawn, tiled
    // from the top-left corner as a pattern brush would be.
    QPainter painter(this);
    const QPixmap picture = m_brushBack.texture();
    const QRect dirty = event->rect();
    for (int y = 0; y <= dirty.bottom(); y += screen.height()) {
        for (int x = 0; x <= dirty.right(); x += screen.width()) {
            const QRect tile(QPoint(x, y), screen);
            if (!tile.intersects(dirty))
                continue;
            if (unfilled) {
                // Stretching may round a tile's last row or column away.
                painter.fillRect(QRect(tile.left(), tile.bottom(), tile.width(), 1), windowFill);
                painter.fillRect(QRect(tile.right(), tile.top(), 1, tile.height()), windowFill);
            }
            painter.drawPixmap(tile, picture);
        }
    }
}

void CPellorDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    OnSize(event->size().width(), event->size().height());
}

void CPellorDlg::OnSize(int cx, int cy)
{
    if (cx == 0 || cy == 0) {
        cx = kFallbackWidth;
        cy = kFallbackHeight;
    }
    m_fScaleX = m_nOldCx == 0 ? 1.0f : static_cast<float>(cx) / static_cast<float>(m_nOldCx);
    m_fScaleY = m_nOldCy == 0 ? 1.0f : static_cast<float>(cy) / static_cast<float>(m_nOldCy);
    if (m_nOldCx != 0) {
        // From the template's width, never from the last size: resizing back returns to the
        // same font, where scaling the last height drifted smaller with every resize.
        m_nFontHeight = static_cast<int>(static_cast<qint64>(kDefaultFontHeight) * cx / qMax(1, m_nTemplateWidth));
        const QFont big = BigFont(m_nFontHeight);
        for (QWidget *field : std::initializer_list<QWidget *>{m_editName, m_editPersonal, m_editGroup,
                                                               m_comboNumber})
            field->setFont(big);
        fitComboHeight(m_comboNumber);
        // The labels take the new height at their next paint.
        OnCtlColor();
    }
    m_nOldCx = cx;
    m_nOldCy = cy;
    update();
}

void CPellorDlg::OnSysCommand(int nID)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout(this);
        dlgAbout.exec();
    }
}

void CPellorDlg::keyPressEvent(QKeyEvent *event)
{
    // Escape never closes the roll-call.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPellorDlg::reject()
{
    ExitProgram();
}

bool CPellorDlg::ExitProgram()
{
    // One slip of the mouse must not lose a lesson, graded or not: a lesson begun is asked about.
    if (m_lesson->isUnsaved()) {
        switch (Prompt::box(this, QStringLiteral("本节课的成绩尚未保存，是否保存？"), {}, Prompt::YesNoCancel,
                            Prompt::Question)) {
        case Prompt::Yes:
            return SaveAndExit();
        case Prompt::No:
            break;
        default:
            return false;
        }
    }
    done(QDialog::Rejected);
    return true;
}
