#include "platform/ui/GridModel.h"

#include <QMetaObject>

#include <exception>

namespace rost {

namespace {

// Enough for several screens of rows, so scrolling back and forth reads nothing again.
constexpr int CachedRows = 256;

} // namespace

GridModel::GridModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_cache.setMaxCost(CachedRows);
}

GridModel::~GridModel()
{
    if (m_source)
        m_source->removeRowListener(m_listener);
}

void GridModel::setSource(RowSource *source)
{
    if (m_source)
        m_source->removeRowListener(m_listener);
    m_source = source;
    m_listener = -1;
    if (m_source)
        m_listener = m_source->addRowListener([this](RowSource::Change c) { sourceChanged(c); });
    reload();
}

void GridModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_fields.clear();
    for (const GridColumn &c : m_columns)
        m_fields << c.field;
    m_cache.clear();
    endResetModel();
}

void GridModel::clearRows()
{
    m_rowIds.clear();
    m_rowOf.clear();
    m_cache.clear();
}

void GridModel::reload()
{
    m_reloadPending = false;
    beginResetModel();
    clearRows();
    if (m_source && m_source->isOpen()) {
        m_rowIds = m_source->orderedRowIds();
        m_rowOf.reserve(qsizetype(m_rowIds.size()));
        for (size_t i = 0; i < m_rowIds.size(); ++i)
            m_rowOf.insert(m_rowIds[i], int(i));
    }
    endResetModel();
    tellCurrentRow();
}

void GridModel::tellCurrentRow()
{
    Q_EMIT currentRowChanged(currentRow());
}

void GridModel::sourceChanged(RowSource::Change change)
{
    switch (change) {
    case RowSource::Change::CurrentRow:
        // A row the list does not hold was added after the keys were read.
        if (m_source->rowId() >= 0 && !m_rowOf.contains(m_source->rowId()))
            reload();
        else
            tellCurrentRow();
        break;
    case RowSource::Change::CurrentValues:
        if (const int row = currentRow(); row >= 0) {
            m_cache.remove(m_source->rowId());
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
        break;
    case RowSource::Change::Rows:
        reload();
        break;
    case RowSource::Change::Closed:
        beginResetModel();
        clearRows();
        endResetModel();
        tellCurrentRow();
        break;
    }
}

int GridModel::currentRow() const
{
    if (!m_source || !m_source->isOpen())
        return -1;
    return m_rowOf.value(m_source->rowId(), -1);
}

bool GridModel::setCurrentRow(int row)
{
    if (!m_source || !m_source->isOpen() || row < 0 || row >= rowCount())
        return false;
    const qint64 id = m_rowIds[size_t(row)];
    if (m_source->rowId() == id || m_source->gotoRowId(id))
        return true;
    reload();
    return false;
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rowIds.size());
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

const QVariantList *GridModel::rowAt(int row) const
{
    const qint64 id = m_rowIds[size_t(row)];
    if (const QVariantList *cached = m_cache.object(id))
        return cached;
    if (!m_source || !m_source->isOpen())
        return nullptr;
    QVariantList values;
    try {
        values = m_source->rowValues(id, m_fields);
    } catch (const std::exception &) {
        // Painting cannot report an error: a column naming no field of the source stays empty.
        return nullptr;
    }
    if (values.isEmpty() && !m_reloadPending) {
        // The row was deleted since the keys were read.
        auto *self = const_cast<GridModel *>(this);
        self->m_reloadPending = true;
        QMetaObject::invokeMethod(self, &GridModel::reload, Qt::QueuedConnection);
    }
    auto *entry = new QVariantList(std::move(values));
    m_cache.insert(id, entry);
    return entry;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const QVariantList *values = rowAt(index.row());
    if (!values || index.column() >= values->size())
        return {};
    const QVariant &v = values->at(index.column());
    if (v.typeId() == QMetaType::QByteArray)
        return {};
    return v.toString();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString(); // the view marks the current row itself
    if (section < 0 || section >= m_columns.size())
        return {};
    const GridColumn &c = m_columns.at(section);
    return c.title.isEmpty() ? c.field : c.title;
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace rost
