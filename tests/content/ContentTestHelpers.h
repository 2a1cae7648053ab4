#pragma once

#include "DatabaseRows.h"
#include "ListClicks.h"
#include "ModalHelper.h"

#include "content/CRichEditDlg.h"
#include "content/RichEditBox.h"
#include "controls/CListCtrlCl.h"
#include "platform/base/Database.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace ContentTest {

inline QPoint rowCentre(const CListCtrlCl *list, int row)
{
    return TestSupport::cellCentre(list, row);
}

inline void clickRow(CListCtrlCl *list, int row)
{
    TestSupport::clickCell(list, row);
}

inline void doubleClickRow(CListCtrlCl *list, int row)
{
    TestSupport::doubleClickCell(list, row);
}

// The texts of one column, top to bottom.
inline QStringList column(const CListCtrlCl *list, int col)
{
    QStringList texts;
    for (int row = 0; row < list->GetItemCount(); ++row)
        texts << list->GetItemText(row, col);
    return texts;
}

// The presenter's three boxes, top to bottom.
inline QStringList boxes(const CRichEditDlg &dlg)
{
    return {dlg.m_editTop->toPlainText(), dlg.m_editMiddle->toPlainText(), dlg.m_editBottom->toPlainText()};
}

// Runs body on the next presenter once it is up; a presenter body left open is then closed,
// so that a failing check never leaves the test waiting.
inline void onPresenter(std::function<void(CRichEditDlg &)> body)
{
    TestSupport::whenModal([body](QWidget *window) {
        if (auto presenter = qobject_cast<CRichEditDlg *>(window))
            body(*presenter);
        else
            QTest::qFail("the window up is no presenter", __FILE__, __LINE__);
        if (window->isVisible())
            static_cast<QDialog *>(window)->done(QDialog::Rejected);
    });
}

// Chooses the command from the pop-up menu that a right-button press on the box opens.
inline void chooseFromMenu(RichEditBox *box, int command)
{
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [=](int turnsLeft) {
        auto menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            if (turnsLeft > 0)
                QTimer::singleShot(0, [=] { (*poll)(turnsLeft - 1); });
            return;
        }
        auto action = menu->findChild<QAction *>(QStringLiteral("command%1").arg(command));
        menu->close();
        if (action)
            action->trigger();
        else
            QTest::qFail("the menu has no such command", __FILE__, __LINE__);
    };
    QTimer::singleShot(0, [=] { (*poll)(10000); });
    QTest::mousePress(box->viewport(), Qt::RightButton, {}, QPoint(10, 10));
}

} // namespace ContentTest
