#include "PlainList.h"

#include "Comparisons.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {
constexpr int kLinesShown = 3;
} // namespace

class PlainList::Model : public QAbstractTableModel

{
public:
    Model(QStringList headings, QObject *parent)
        : QAbstractTableModel(parent)
        , m_headings(std::move(headings))
    {
    }

    void setRows(QList<QStringList> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows.size();
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_headings.size();
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const QStringList &row = m_rows.at(index.row());
        if (index.column() >= row.size())
            return QString();
        // A cell shows its first three lines, as the pages' lists do; laying out the rest of
        // a long text would be work that no list does.
        const QString &text = row.at(index.column());
        qsizetype end = -1;
        for (int line = 0; line < kLinesShown; ++line) {
            end = text.indexOf(QLatin1Char('\n'), end + 1);
            if (end < 0)
                return text;
        }
        return text.left(end);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return {};
        return m_headings.value(section);
    }

private:
    QStringList m_headings;
    QList<QStringList> m_rows;
};

// The least a list can draw of a cell: its text, once, in the painter's font.
class PlainList::OneText : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    }
};

PlainList::PlainList(const QTableView &like)
    : m_view(std::make_unique<QTableView>())
{
    QStringList headings;
    const QAbstractItemModel *model = like.model();
    for (int c = 0; c < model->columnCount(); ++c)
        headings << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    m_model = new Model(headings, m_view.get());
    m_view->setModel(m_model);
    m_view->setItemDelegate(new OneText(m_view.get()));
    m_view->setFont(like.font());
    // The font the page's cells are drawn in: the one a view's painter starts with.
    m_view->viewport()->setFont(like.viewport()->font());
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(like.verticalHeader()->defaultSectionSize());
    m_view->setWordWrap(false);
    m_view->setShowGrid(false);
    for (int c = 0; c < headings.size(); ++c)
        m_view->setColumnWidth(c, like.columnWidth(c));
    m_view->resize(like.size());
    Bench::show(*m_view);
}

PlainList::~PlainList() = default;

void PlainList::timeShown(benchmark::State &state, int rows, const std::function<QList<QStringList>()> &read)
{
    Bench::timePaintedLoad(state, *m_view, *m_view, rows, [&] { m_model->setRows(read()); });
}
