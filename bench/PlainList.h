#pragma once

#include <benchmark/benchmark.h>

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class QTableView;

// The floor of a list shown and painted: the same rows in Qt's plain table view over a plain
// model, whose delegate draws each cell with one drawText and nothing else: no fill, no
// colours, no style panel. As large as the page's list, with the font its cells are drawn in,
// its row height and its column widths. Made after the page's list has been shown.
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
    class OneText;
    std::unique_ptr<QTableView> m_view;
    Model *m_model;
};
