#include "CStudentPellorSetScoreDlg.h"

#include "core/WeightedScore.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kEditWidth = 67;
constexpr int kEditHeight = 14;
constexpr int kLabelWidth = 38;
constexpr int kLabelHeight = 8;

// A weight's field and its label three units lower, to the left.
QLineEdit *addWeight(QWidget *dialog, const DialogTemplate &tmpl, int id, const QString &label, int labelX, int x,
                     int y)
{
    auto caption = new QLabel(label, dialog);
    tmpl.place(caption, labelX, y + 3, kLabelWidth, kLabelHeight);
    return tmpl.addEdit(dialog, id, x, y, kEditWidth, kEditHeight);
}

// A number field whose whole part must lie in the range; a number too large for an int has
// none that could.
void weight(DataExchange &dx, QLineEdit *edit, float &value, int min, int max)
{
    dx.number(edit, value);
    dx.range(edit, WeightedScore::truncatedToInt(value), min, max);
}

} // namespace

CStudentPellorSetScoreDlg::CStudentPellorSetScoreDlg(QWidget *parent)
    : ExchangeDialog(parent)
{
    setObjectName(QStringLiteral("CStudentPellorSetScoreDlg"));
    setWindowTitle(QStringLiteral("分数设置"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 316, 231);
    m_editBasic = addWeight(this, tmpl, IDC_BASIC, QStringLiteral("基本分："), 8, 48, 8);
    m_editMax = addWeight(this, tmpl, IDC_MAX, QStringLiteral("最高分："), 157, 197, 8);
    m_editYouxiu = addWeight(this, tmpl, IDC_YOUXIU, QStringLiteral("优秀："), 8, 48, 66);
    m_editLiang = addWeight(this, tmpl, IDC_LIANG, QStringLiteral("良："), 8, 48, 94);
    m_editJiayou = addWeight(this, tmpl, IDC_JIAYOU, QStringLiteral("一般："), 8, 48, 119);
    m_editKuangke = addWeight(this, tmpl, IDC_KUANGKE, QStringLiteral("旷课："), 8, 48, 148);
    QPushButton *ok = tmpl.addButton(this, IDOK_BUTTON, QStringLiteral("确定"), 60, 210, 50, 14);
    ok->setDefault(true);
    QPushButton *cancel = tmpl.addButton(this, IDCANCEL_BUTTON, QStringLiteral("取消"), 164, 210, 50, 14);

    connect(ok, &QPushButton::clicked, this, &ExchangeDialog::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CStudentPellorSetScoreDlg::~CStudentPellorSetScoreDlg() = default;

void CStudentPellorSetScoreDlg::DoDataExchange(DataExchange &dx)
{
    weight(dx, m_editBasic, m_fBasicScore, 0, 100);
    weight(dx, m_editMax, m_fMaxScore, 0, 100);
    weight(dx, m_editYouxiu, m_fYouxiu, 0, 100);
    weight(dx, m_editLiang, m_fLiangScore, 0, 100);
    weight(dx, m_editJiayou, m_fJiayouScore, 0, 100);
    weight(dx, m_editKuangke, m_fKuangkeScore, -100, 100);
}
