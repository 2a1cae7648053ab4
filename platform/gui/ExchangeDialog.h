#pragma once

#include <QDialog>

#include <functional>

class DataExchange;

// A dialog whose fields mirror its members: the members fill the fields each time it is
// shown, and OK keeps it open until every field holds what its member needs.
class ExchangeDialog : public QDialog
{
    Q_OBJECT

public:
    // Opens whole on its screen each time it is shown.
    explicit ExchangeDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // True unless a field was refused (the refusal has been shown then).
    bool UpdateData(bool saveAndValidate);
    // Takes the fields and, once the accept check passes, closes the dialog.
    void OnOK();

    // Asked after the fields passed their checks, before OK closes the dialog: false keeps
    // it open with everything entered (what was asked, a store say, has said why). None:
    // OK just closes.
    void setAcceptCheck(std::function<bool()> check) { m_acceptCheck = std::move(check); }

protected:
    virtual void DoDataExchange(DataExchange &dx) = 0;
    void showEvent(QShowEvent *event) override;
    bool acceptCheckPasses() const { return !m_acceptCheck || m_acceptCheck(); }

private:
    std::function<bool()> m_acceptCheck;
};
