#include "CSetDlg.h"

#include "application/RollCallSettings.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/Prompt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>


namespace {

// Takes the dialog's value when it differs; true when it did.
bool takeOver(int &member, int value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

bool takeOverScore(int &member, float value)
{
    if (static_cast<float>(member) == value)
        return false;
    member = RollCallSettings::kScoreRange.clamped(value);
    return true;
}

// The open dialog's filter; "*bmp" without the dot is how the filter has always read.
const char kPictureFilter[] = "jpg File(*.jpg,*.bmp) (*.jpg *bmp);;All Files(*.*) (*)";

} // namespace

CSetDlg::CSetDlg(QWidget *parent)
    : ExchangeDialog(parent)
    , m_template(this, QStringLiteral("MS Shell Dlg"), 8, 331, 379)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    setWindowTitle(QStringLiteral("设置"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    createControls();
    setTaken(Taken::RollCall);
}

CSetDlg::~CSetDlg() = default;

void CSetDlg::setTaken(Taken taken)
{
    const bool rollCall = taken == Taken::RollCall;
    for (QWidget *control : std::initializer_list<QWidget *>{
             m_editBasicScore, m_editWrongScore, m_editRightScore, m_editQuiteRightScore, m_editJigu,
             m_editNumOfClass, m_checkSelectClass, m_btnBrowse})
        control->setEnabled(rollCall);
    m_checkShowScore->setEnabled(!rollCall);
}

void CSetDlg::FillFrom(const RollCallSettings &s)
{
    m_strBackBrush = s.m_strBackBrush;
    m_fBasicScore = static_cast<float>(s.m_nBasicScore);
    m_fWrongScore = static_cast<float>(s.m_nWrongScore);
    m_fZhuDongFen = static_cast<float>(s.m_nZhuDongFen);
    m_fRightScore = static_cast<float>(s.m_nRightScore);
    m_fQuiteRightScore = static_cast<float>(s.m_nQuiteRightScore);
    m_nVoice = s.m_nVoice;
    m_nShowDonghua = s.m_nShowDonghua;
    m_nSelectClass = s.m_nSelectClass;
    m_nNumOfJiGu = s.m_nNumOfJiGu;
    m_nNumOfClass = s.m_nNumOfClass;
}

bool CSetDlg::TakeInto(RollCallSettings &s) const
{
    s.m_strBackBrush = m_strBackBrush;
    bool changed = takeOver(s.m_nNumOfClass, m_nNumOfClass);
    changed |= takeOver(s.m_nVoice, m_nVoice);
    changed |= takeOver(s.m_nSelectClass, m_nSelectClass);
    changed |= takeOver(s.m_nShowDonghua, m_nShowDonghua);
    changed |= takeOverScore(s.m_nBasicScore, m_fBasicScore);
    changed |= takeOverScore(s.m_nZhuDongFen, m_fZhuDongFen);
    changed |= takeOverScore(s.m_nWrongScore, m_fWrongScore);
    changed |= takeOverScore(s.m_nRightScore, m_fRightScore);
    changed |= takeOverScore(s.m_nQuiteRightScore, m_fQuiteRightScore);
    changed |= takeOver(s.m_nNumOfJiGu, m_nNumOfJiGu);
    return changed;
}

void CSetDlg::addLabel(const QString &text, int x, int y, int w, int h)
{
    auto label = new QLabel(text, this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_template.place(label, x, y, w, h);
}

QLineEdit *CSetDlg::addEdit(int id, int x, int y, int w, int h)
{
    auto edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    m_template.place(edit, x, y, w, h);
    return edit;
}

QCheckBox *CSetDlg::addCheck(int id, int x, int y)
{
    auto box = new QCheckBox(this);
    box->setObjectName(QStringLiteral("check%1").arg(id));
    m_template.place(box, x, y, 16, 10);
    return box;
}

QRadioButton *CSetDlg::addRadio(int id, int x, int y)
{
    auto radio = new QRadioButton(this);
    radio->setObjectName(QStringLiteral("radio%1").arg(id));
    m_template.place(radio, x, y, 16, 10);
    return radio;
}

QPushButton *CSetDlg::addButton(int id, const QString &caption, int x, int y)
{
    auto button = new QPushButton(caption, this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAutoDefault(false);
    m_template.place(button, x, y, 50, 14);
    return button;
}

void CSetDlg::createControls()
{
    addLabel(QStringLiteral("基本分"), 4, 14, 31, 14);
    m_editBasicScore = addEdit(IDC_BASIC_SCORE, 37, 14, 86, 14);
    addLabel(QStringLiteral("加油"), 4, 35, 31, 14);
    m_editWrongScore = addEdit(IDC_WRONG_SCORE, 37, 35, 86, 14);
    addLabel(QStringLiteral("良"), 4, 59, 31, 14);
    m_editRightScore = addEdit(IDC_RIGHT_SCORE, 37, 59, 86, 14);
    addLabel(QStringLiteral("优秀"), 4, 83, 31, 14);
    m_editQuiteRightScore = addEdit(IDC_QUITE_RIGHT_SCORE, 37, 83, 86, 14);

    m_template.place(new QGroupBox(this), 4, 107, 320, 125);
    // The value counts the buttons in template order: 1031 is 0, 1032 is 1, 1033 is 2.
    m_groupVoice = new QButtonGroup(this);
    addLabel(QStringLiteral("无特效"), 14, 125, 52, 10);
    QRadioButton *none = addRadio(IDC_VOICE_NONE, 68, 125);
    addLabel(QStringLiteral("惊悚音效"), 14, 145, 52, 10);
    m_groupVoice->addButton(addRadio(IDC_VOICE_SOUND, 68, 145), 0);
    addLabel(QStringLiteral("击鼓传花"), 14, 167, 52, 10);
    m_groupVoice->addButton(addRadio(IDC_VOICE_JIGU, 68, 167), 1);
    m_groupVoice->addButton(none, 2);
    addLabel(QStringLiteral("击鼓次数:"), 110, 166, 51, 14);
    m_editJigu = addEdit(IDC_JIGU, 163, 166, 51, 14);
    addLabel(QStringLiteral("跳出动画"), 14, 187, 52, 10);
    m_checkDonghua = addCheck(IDC_SHOW_DONGHUA, 68, 187);
    addLabel(QStringLiteral("显示成绩"), 14, 208, 52, 10);
    m_checkShowScore = addCheck(IDC_SHOW_SCORE, 68, 208);

    addLabel(QStringLiteral("小组数目"), 14, 244, 50, 14);
    m_editNumOfClass = addEdit(IDC_NUM_OF_CLASS, 66, 244, 86, 14);
    addLabel(QStringLiteral("随机抽选小组"), 8, 268, 58, 10);
    m_checkSelectClass = addCheck(IDC_SELECT_CLASS, 68, 268);

    m_template.place(new QGroupBox(this), 4, 285, 320, 40);
    addLabel(QStringLiteral("背景图："), 8, 299, 35, 14);
    m_editBackBrush = addEdit(IDC_BACK_BRUSH, 45, 299, 212, 14);
    m_editBackBrush->setReadOnly(true);
    m_btnBrowse = addButton(IDC_BROWSE, QStringLiteral("。。。"), 261, 299);

    QPushButton *cancel = addButton(IDC_CANCEL, QStringLiteral("取消"), 44, 358);
    QPushButton *ok = addButton(IDC_OK, QStringLiteral("确定"), 148, 358);
    ok->setDefault(true);

    connect(m_btnBrowse, &QPushButton::clicked, this, &CSetDlg::OnBnClickedBrowsePicture);
    connect(cancel, &QPushButton::clicked, this, &CSetDlg::reject);
    connect(ok, &QPushButton::clicked, this, &CSetDlg::accept);
}

void CSetDlg::exchangeRadio(DataExchange &dx, int &value)
{
    if (dx.failed())
        return;
    if (dx.saving()) {
        value = m_groupVoice->checkedId();
        return;
    }
    // A value outside the group leaves every button unchecked, and reads back as -1.
    m_groupVoice->setExclusive(false);
    for (QAbstractButton *button : m_groupVoice->buttons())
        button->setChecked(m_groupVoice->id(button) == value);
    m_groupVoice->setExclusive(true);
}

void CSetDlg::exchangeCheck(DataExchange &dx, QCheckBox *box, int &value)
{
    if (dx.failed())
        return;
    if (dx.saving())
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void CSetDlg::checkRange(DataExchange &dx, QLineEdit *field, double value, const SettingRange &range,
                         const QString &name)
{
    // A setting the run does not take is shown as it is, whatever it holds.
    if (dx.saving() && field->isEnabled() && !range.holds(value))
        dx.refuse(field, QStringLiteral("%1 应在 %2 到 %3 之间，请重新输入。")
                             .arg(name)
                             .arg(range.lowest)
                             .arg(range.highest));
}

void CSetDlg::DoDataExchange(DataExchange &dx)
{
    const SettingRange &scores = RollCallSettings::kScoreRange;
    dx.text(m_editBackBrush, m_strBackBrush);
    dx.number(m_editNumOfClass, m_nNumOfClass);
    checkRange(dx, m_editNumOfClass, m_nNumOfClass, RollCallSettings::kGroupsRange, QStringLiteral("小组数目"));
    dx.number(m_editBasicScore, m_fBasicScore);
    checkRange(dx, m_editBasicScore, m_fBasicScore, scores, QStringLiteral("基本分"));
    dx.number(m_editWrongScore, m_fWrongScore);
    checkRange(dx, m_editWrongScore, m_fWrongScore, scores, QStringLiteral("加油"));
    dx.number(m_editRightScore, m_fRightScore);
    checkRange(dx, m_editRightScore, m_fRightScore, scores, QStringLiteral("良"));
    dx.number(m_editQuiteRightScore, m_fQuiteRightScore);
    checkRange(dx, m_editQuiteRightScore, m_fQuiteRightScore, scores, QStringLiteral("优秀"));
    exchangeRadio(dx, m_nVoice);
    dx.number(m_editJigu, m_nNumOfJiGu);
    checkRange(dx, m_editJigu, m_nNumOfJiGu, RollCallSettings::kBeatsRange, QStringLiteral("击鼓次数"));
    exchangeCheck(dx, m_checkDonghua, m_nShowDonghua);
    exchangeCheck(dx, m_checkSelectClass, m_nSelectClass);
    exchangeCheck(dx, m_checkShowScore, m_nShowScore);
}

bool CSetDlg::OnInitDialog()
{
    UpdateData(false);
    m_brushBack = QBrush(QColor(kBackRed, kBackGreen, kBackBlue));
    OnCtlColor();
    return true;
}

void CSetDlg::OnCtlColor()
{
    const QColor back = m_brushBack.color();
    auto paint = [&back](QWidget *widget) {
        QPalette palette = widget->palette();
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setBrush(role, back);
        widget->setPalette(palette);
    };
    paint(this);
    setAutoFillBackground(true);
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        paint(child);
}

void CSetDlg::showEvent(QShowEvent *event)
{
    // Every run starts from the members, as each modal run initialises the dialog afresh.
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

void CSetDlg::accept()
{
    if (UpdateData(true) && acceptCheckPasses())
        QDialog::accept();
}

void CSetDlg::OnBnClickedBrowsePicture()
{
    // A field that fails is reported, and the chooser opens all the same.
    UpdateData(true);
    const QString path = Prompt::openFileName(this, QString(), QString(), QString::fromUtf8(kPictureFilter));
    if (path.isEmpty())
        return;
    m_strBackBrush = path;
    // Nobody listens in the tool bar's run: the field is only filled.
    emit pictureChosen(path);
    UpdateData(false);
}
