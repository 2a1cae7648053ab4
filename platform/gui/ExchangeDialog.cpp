#include "ExchangeDialog.h"

#include "DataExchange.h"
#include "WindowPlacement.h"

#include <QShowEvent>

ExchangeDialog::ExchangeDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    WindowPlacement::keepOnScreen(this);
}

bool ExchangeDialog::UpdateData(bool saveAndValidate)
{
    DataExchange dx(saveAndValidate);
    DoDataExchange(dx);
    return !dx.failed();
}

void ExchangeDialog::OnOK()
{
    if (UpdateData(true) && acceptCheckPasses())
        accept();
}

void ExchangeDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        UpdateData(false);
    QDialog::showEvent(event);
}
