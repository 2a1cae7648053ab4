#include "CStudentEditScoreDlg.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QLineEdit>
#include <QPushButton>

CStudentEditScoreDlg::CStudentEditScoreDlg(QWidget *parent)
    : ExchangeDialog(parent)
{
    setObjectName(QStringLiteral("CStudentEditScoreDlg"));
    setWindowTitle(QStringLiteral("编辑分数"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 316, 180);
    m_editNumber = tmpl.addEdit(this, IDC_NUMBER, 7, 7, 40, 14);
    m_editNumber->setReadOnly(true);
    m_editName = tmpl.addEdit(this, IDC_NAME, 49, 7, 52, 14);
    m_editName->setReadOnly(true);
    // From the top: 优秀, 良, 一般, 旷课, whatever their IDs.
    m_editYouxiu = tmpl.addEdit(this, IDC_YOUXIU, 72, 36, 86, 14);
    m_editLiang = tmpl.addEdit(this, IDC_LIANG, 72, 62, 86, 14);
    m_editYiban = tmpl.addEdit(this, IDC_YIBAN, 72, 87, 86, 14);
    m_editKuangke = tmpl.addEdit(this, IDC_KUANGKE, 72, 112, 86, 14);
    QPushButton *ok = tmpl.addButton(this, IDOK_BUTTON, QStringLiteral("确定"), 127, 159, 50, 14);
    ok->setDefault(true);
    QPushButton *cancel = tmpl.addButton(this, IDCANCEL_BUTTON, QStringLiteral("取消"), 202, 159, 50, 14);

    connect(ok, &QPushButton::clicked, this, &CStudentEditScoreDlg::OnBnClickedOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CStudentEditScoreDlg::~CStudentEditScoreDlg() = default;

void CStudentEditScoreDlg::DoDataExchange(DataExchange &dx)
{
    dx.text(m_editNumber, m_strNumber);
    dx.text(m_editName, m_strName);
    dx.number(m_editYouxiu, m_nYouxiu);
    dx.number(m_editLiang, m_nLiang);
    dx.number(m_editYiban, m_nYiban);
    dx.number(m_editKuangke, m_nKuangke);
}

QString CStudentEditScoreDlg::negativeMessage()
{
    return QStringLiteral("次数不能是负数，请输入0或更大的整数。");
}

void CStudentEditScoreDlg::OnBnClickedOk()
{
    if (!UpdateData(true))
        return;
    // From the top, as the fields stand.
    const std::pair<QLineEdit *, int> counts[] = {
        {m_editYouxiu, m_nYouxiu}, {m_editLiang, m_nLiang}, {m_editYiban, m_nYiban}, {m_editKuangke, m_nKuangke}};
    for (const auto &[field, count] : counts) {
        if (count < 0) {
            Prompt::app(negativeMessage());
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
            return;
        }
    }
    accept();
}
