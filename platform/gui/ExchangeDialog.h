#pragma once

#include <QDialog>

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
    void OnOK();

protected:
    virtual void DoDataExchange(DataExchange &dx) = 0;
    void showEvent(QShowEvent *event) override;
};
