#pragma once

#include <QAbstractItemView>
#include <QTest>

namespace TestSupport {

// The middle of a cell of a list, in its viewport.
inline QPoint cellCentre(const QAbstractItemView *list, int row, int column = 0)
{
    return list->visualRect(list->model()->index(row, column)).center();
}

inline void clickCell(QAbstractItemView *list, int row, int column = 0)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, row, column));
}

inline void doubleClickCell(QAbstractItemView *list, int row, int column = 0)
{
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, row, column));
}

} // namespace TestSupport
