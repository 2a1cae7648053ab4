#include "ModalHelper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace TestSupport {

namespace {

void poll(QWidget *previous, std::function<void(QWidget *)> action, int turnsLeft)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != previous) {
        action(modal);
        return;
    }
    if (turnsLeft <= 0)
        return;
    QTimer::singleShot(0, [previous, action = std::move(action), turnsLeft]() mutable {
        poll(previous, std::move(action), turnsLeft - 1);
    });
}

} // namespace

void whenModal(std::function<void(QWidget *)> action)
{
    QWidget *current = QApplication::activeModalWidget();
    QTimer::singleShot(0, [current, action = std::move(action)]() mutable {
        poll(current, std::move(action), 10000);
    });
}

void clickButton(QWidget *dialog, const QString &objectName)
{
    if (!dialog) {
        QTest::qFail("no dialog to click a button of", __FILE__, __LINE__);
        return;
    }
    auto button = dialog->findChild<QAbstractButton *>(objectName);
    if (!button) {
        const QString message = QStringLiteral("%1 has no button %2")
                                    .arg(QLatin1String(dialog->metaObject()->className()), objectName);
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        closeDialog(dialog);
        return;
    }
    button->click();
}

void clickButton(QWidget *dialog, int id)
{
    clickButton(dialog, QStringLiteral("button%1").arg(id));
}

void closeDialog(QWidget *dialog)
{
    if (auto box = qobject_cast<QDialog *>(dialog))
        box->reject();
    else
        dialog->close();
}

} // namespace TestSupport
