#pragma once

#include <benchmark/benchmark.h>

#include <QList>
#include <QStringList>

#include <functional>
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

    // Times `read` and the showing of the rows it returns, each time until they are painted;
    // the run fails unless the list then holds `rows` rows.
    void timeShown(benchmark::State &state, int rows, const std::function<QList<QStringList>()> &read);

private:
    class Model;
    std::unique_ptr<QTableView> m_view;
    Model *m_model;
};
