#pragma once

#include <QList>
#include <QStringList>

#include <memory>

class QTableView;

// The floor of a list shown and painted: the same rows in Qt's plain table view over a plain
// model, as large as the page's list and with its font, row height and column widths; no
// colours, no delegate, no header of our own. Made after the page's list has been shown.
class PlainList
{
public:
    explicit PlainList(const QTableView &like);
    ~PlainList();
    PlainList(const PlainList &) = delete;
    PlainList &operator=(const PlainList &) = delete;

    // Replaces the rows, then lets the view lay them out and paint them; false when nothing
    // was painted.
    bool show(QList<QStringList> rows);
    int rowCount() const;

private:
    class Model;
    std::unique_ptr<QTableView> m_view;
    Model *m_model;
};
