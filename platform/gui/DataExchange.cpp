#include "DataExchange.h"

#include "Prompt.h"

#include "platform/base/NumberText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <climits>
#include <cmath>
#include <limits>

QString DataExchange::integerMessage()
{
    return QStringLiteral("Enter an integer.");
}

QString DataExchange::numberMessage()
{
    return QStringLiteral("Enter a number.");
}

QString DataExchange::integerRangeMessage(int min, int max)
{
    return QStringLiteral("Enter an integer between %1 and %2.").arg(min).arg(max);
}

DataExchange::DataExchange(bool saveAndValidate)
    : m_saving(saveAndValidate)
{
}

namespace {

// The framework's number fields allow spaces and tabs around the number, nothing else.
qsizetype skipSpaces(const QString &text, qsizetype i)
{
    while (i < text.size() && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    return i;
}

} // namespace

bool DataExchange::parseInt(const QString &text, int &value)
{
    const qsizetype start = skipSpaces(text, 0);
    int scanned = 0;
    const qsizetype length = NumberText::scanInt(text, start, scanned);
    if (length == 0 || skipSpaces(text, start + length) != text.size())
        return false;
    // scanInt saturates; a number beyond the int range is no integer for the field.
    bool ok = false;
    const qlonglong exact = QStringView(text).mid(start, length).toLongLong(&ok);
    if (!ok || exact > INT_MAX || exact < INT_MIN)
        return false;
    value = scanned;
    return true;
}

bool DataExchange::parseDouble(const QString &text, double &value)
{
    const qsizetype start = skipSpaces(text, 0);
    double scanned = 0;
    const qsizetype length = NumberText::scanDouble(text, start, scanned);
    if (length == 0 || skipSpaces(text, start + length) != text.size() || !std::isfinite(scanned))
        return false;
    value = scanned;
    return true;
}

QString DataExchange::controlText(const QWidget *control)
{
    if (auto edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (auto combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (auto label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (auto plain = qobject_cast<const QPlainTextEdit *>(control))
        return plain->toPlainText();
    if (auto rich = qobject_cast<const QTextEdit *>(control))
        return rich->toPlainText();
    return {};
}

void DataExchange::setControlText(QWidget *control, const QString &text)
{
    if (auto edit = qobject_cast<QLineEdit *>(control))
        edit->setText(text);
    else if (auto combo = qobject_cast<QComboBox *>(control))
        combo->setEditText(text);
    else if (auto label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else if (auto button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
    else if (auto plain = qobject_cast<QPlainTextEdit *>(control))
        plain->setPlainText(text);
    else if (auto rich = qobject_cast<QTextEdit *>(control))
        rich->setPlainText(text);
}

void DataExchange::fail(QWidget *control, const QString &message)
{
    m_failed = true;
    Prompt::app(message);
    if (control) {
        control->setFocus(Qt::OtherFocusReason);
        if (auto edit = qobject_cast<QLineEdit *>(control))
            edit->selectAll();
    }
}

void DataExchange::text(QWidget *control, QString &value)
{
    if (m_failed)
        return;
    if (m_saving)
        value = controlText(control);
    else
        setControlText(control, value);
}

void DataExchange::number(QWidget *control, int &value)
{
    if (m_failed)
        return;
    if (!m_saving) {
        setControlText(control, QString::number(value));
        return;
    }
    int parsed = 0;
    if (!parseInt(controlText(control), parsed))
        return fail(control, integerMessage());
    value = parsed;
}

void DataExchange::number(QWidget *control, double &value)
{
    if (m_failed)
        return;
    if (!m_saving) {
        setControlText(control, QString::number(value, 'g', 15));
        return;
    }
    double parsed = 0;
    if (!parseDouble(controlText(control), parsed))
        return fail(control, numberMessage());
    value = parsed;
}

void DataExchange::number(QWidget *control, float &value)
{
    if (m_failed)
        return;
    if (!m_saving) {
        setControlText(control, QString::number(value, 'g', 6));
        return;
    }
    double parsed = 0;
    if (!parseDouble(controlText(control), parsed) || std::abs(parsed) > std::numeric_limits<float>::max())
        return fail(control, numberMessage());
    value = static_cast<float>(parsed);
}

void DataExchange::refuse(QWidget *control, const QString &message)
{
    if (!m_failed && m_saving)
        fail(control, message);
}

void DataExchange::range(QWidget *control, int value, int min, int max)
{
    if (m_failed || !m_saving)
        return;
    if (value < min || value > max)
        fail(control, integerRangeMessage(min, max));
}
