#pragma once

#include <QString>

class QWidget;

// Moves values between a dialog's fields and its members. Saving validates: the first
// field that does not hold what its member needs is reported with the framework's text,
// gets the focus, and stops the exchange so the dialog can stay open.
class DataExchange
{
public:
    static QString integerMessage();            // "Enter an integer."
    static QString numberMessage();             // "Enter a number."
    static QString integerRangeMessage(int min, int max);

    explicit DataExchange(bool saveAndValidate);

    bool saving() const { return m_saving; }
    bool failed() const { return m_failed; }

    // QLineEdit, QComboBox (its edit text), QLabel, QAbstractButton, QPlainTextEdit, QTextEdit.
    void text(QWidget *control, QString &value);
    void number(QWidget *control, int &value);
    void number(QWidget *control, float &value);
    void number(QWidget *control, double &value);
    void range(QWidget *control, int value, int min, int max);
    // A check of the dialog's own that the value failed: its message, as any refusal.
    void refuse(QWidget *control, const QString &message);

    // The whole text, spaces and tabs aside, must be one number (no hexadecimal, no
    // infinity); the decimal point is '.' whatever the locale.
    static bool parseInt(const QString &text, int &value);
    static bool parseDouble(const QString &text, double &value);

    static QString controlText(const QWidget *control);
    static void setControlText(QWidget *control, const QString &text);

private:
    void fail(QWidget *control, const QString &message);

    bool m_saving;
    bool m_failed = false;
};
