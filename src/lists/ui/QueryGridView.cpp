#include "lists/ui/QueryGridView.h"

#include "directory/Query.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace rost {

QueryGridModel::QueryGridModel(Query &query, QObject *parent)
    : QAbstractTableModel(parent), m_query(query)
{}

void QueryGridModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_sourceColumns.clear();
    for (const GridColumn &c : m_columns)
        m_sourceColumns << m_query.columnIndex(c.field);
    endResetModel();
}

void QueryGridModel::reset()
{
    setColumns(m_columns);
}

int QueryGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_query.isOpen() ? 0 : m_query.recordCount();
}

int QueryGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant QueryGridModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= m_sourceColumns.size())
        return {};
    const int source = m_sourceColumns.at(index.column());
    if (source < 0)
        return {};
    QString text = m_query.valueAt(index.row(), source).toString();
    // Character fields show without their trailing blanks, as everywhere else.
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QVariant QueryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString();
    if (section < 0 || section >= m_columns.size())
        return {};
    const GridColumn &c = m_columns.at(section);
    return c.title.isEmpty() ? c.field : c.title;
}

Qt::ItemFlags QueryGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QueryGridView::QueryGridView(QWidget *parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setFixedWidth(fontMetrics().height());
    QFont f = horizontalHeader()->font();
    f.setBold(true);
    horizontalHeader()->setFont(f);
}

void QueryGridView::setQuery(Query &query, const QStringList &columnDefinitions)
{
    clearQuery();
    m_model = new QueryGridModel(query, this);
    m_model->setColumns(GridColumn::parseAll(columnDefinitions));
    setModel(m_model);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &QueryGridView::rowChosen);
    const int charWidth = fontMetrics().averageCharWidth();
    // Wide enough for every column, so the grid needs no sideways scrolling.
    int total =
        verticalHeader()->width() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const int width = m_model->columns().at(c).width * charWidth + 8;
        setColumnWidth(c, width);
        total += width;
    }
    setMinimumWidth(std::max(minimumWidth(), total));
}

void QueryGridView::clearQuery()
{
    setModel(nullptr);
    delete m_model;
    m_model = nullptr;
}

void QueryGridView::refresh()
{
    if (!m_model)
        return;
    m_syncing = true;
    m_model->reset();
    const Query &q = m_model->query();
    if (q.isOpen() && q.recNo() >= 0)
        selectionModel()->setCurrentIndex(m_model->index(q.recNo(), 0),
                                          QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    m_syncing = false;
}

int QueryGridView::currentRow() const
{
    return selectionModel() && currentIndex().isValid() ? currentIndex().row() : -1;
}

void QueryGridView::rowChosen(const QModelIndex &current)
{
    if (m_syncing || !m_model || !current.isValid())
        return;
    m_model->query().gotoRow(current.row());
}

} // namespace rost
