#include "platform/ui/CursorGridModel.h"

#include "directory/Cursor.h"

#include <QMetaObject>

namespace rost {

namespace {

// Enough for several screens of rows, so scrolling back and forth reads nothing again.
constexpr int DefaultCacheRows = 256;

} // namespace

CursorGridModel::CursorGridModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_cache.setMaxCost(DefaultCacheRows);
}

CursorGridModel::~CursorGridModel()
{
    if (m_cursor && m_listener >= 0)
        m_cursor->removeListener(m_listener);
}

void CursorGridModel::setCursor(Cursor *cursor)
{
    if (m_cursor && m_listener >= 0)
        m_cursor->removeListener(m_listener);
    m_cursor = cursor;
    m_listener = -1;
    m_fetches = 0;
    if (m_cursor)
        m_listener = m_cursor->addListener([this](Cursor::Event e) { onCursorEvent(int(e)); });
    reload();
}

void CursorGridModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_fields.clear();
    for (const GridColumn &c : m_columns)
        m_fields << c.field;
    m_cache.clear();
    endResetModel();
}

void CursorGridModel::setColumns(const QStringList &definitions)
{
    setColumns(GridColumn::parseAll(definitions));
}

int CursorGridModel::columnChars(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return 0;
    const GridColumn &c = m_columns.at(column);
    if (c.width > 0)
        return c.width;
    if (m_cursor && m_cursor->isOpen() && m_cursor->hasField(c.field) &&
        m_cursor->fieldWidth(c.field) > 0)
        return m_cursor->fieldWidth(c.field);
    return int(std::max(c.title.size(), c.field.size()));
}

void CursorGridModel::clearRows()
{
    m_rowIds.clear();
    m_rowOf.clear();
    m_cache.clear();
    m_masterRowId = -1;
    m_toldRow = -1;
}

void CursorGridModel::reload()
{
    m_reloadPending = false;
    beginResetModel();
    clearRows();
    if (m_cursor && m_cursor->isOpen()) {
        m_rowIds = m_cursor->orderedRowIds();
        m_rowOf.reserve(qsizetype(m_rowIds.size()));
        for (size_t i = 0; i < m_rowIds.size(); ++i)
            m_rowOf.insert(m_rowIds[i], int(i));
        if (Cursor *master = m_cursor->master())
            m_masterRowId = master->rowId();
    }
    m_toldRow = currentRow();
    endResetModel();
    Q_EMIT currentRowChanged(m_toldRow);
}

void CursorGridModel::onCursorEvent(int event)
{
    switch (Cursor::Event(event)) {
    case Cursor::Event::Scrolled:
        onScrolled();
        break;
    case Cursor::Event::DataChanged:
        // In edit state only the current row's values changed; in browse state a post, cancel
        // or refresh may have changed which rows there are and their order.
        if (m_cursor->state() == CursorState::Edit) {
            const int row = currentRow();
            m_cache.remove(m_cursor->rowId());
            if (row >= 0)
                Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
        } else {
            reload();
        }
        break;
    case Cursor::Event::StateChanged:
        if (m_cursor->isOpen() && m_rowIds.empty())
            reload();
        break;
    case Cursor::Event::Closed:
        beginResetModel();
        clearRows();
        endResetModel();
        Q_EMIT currentRowChanged(-1);
        break;
    }
}

void CursorGridModel::onScrolled()
{
    Cursor *master = m_cursor->master();
    const bool restrictionMoved = master && master->rowId() != m_masterRowId;
    const bool unknownRow = m_cursor->hasRow() && !m_rowOf.contains(m_cursor->rowId());
    const bool emptied = !m_cursor->hasRow() && !m_rowIds.empty();
    if (restrictionMoved || unknownRow || emptied || leftRowGone()) {
        reload();
        return;
    }
    m_toldRow = currentRow();
    Q_EMIT currentRowChanged(m_toldRow);
}

bool CursorGridModel::leftRowGone() const
{
    // A delete moves the cursor on like any other move; one probe for the row it left tells.
    const qint64 left = rowIdAt(m_toldRow);
    if (left < 0 || left == m_cursor->rowId() || m_fields.isEmpty())
        return false;
    try {
        return m_cursor->rowValues(left, {m_fields.first()}).isEmpty();
    } catch (const std::exception &) {
        return false;
    }
}

int CursorGridModel::currentRow() const
{
    if (!m_cursor || !m_cursor->isOpen() || !m_cursor->hasRow())
        return -1;
    return rowOfRowId(m_cursor->rowId());
}

bool CursorGridModel::setCurrentRow(int row)
{
    if (!m_cursor || !m_cursor->isOpen() || row < 0 || row >= rowCount())
        return false;
    const qint64 id = m_rowIds[size_t(row)];
    if (m_cursor->hasRow() && m_cursor->rowId() == id)
        return true;
    if (m_cursor->gotoRowId(id))
        return true;
    reload();
    return false;
}

qint64 CursorGridModel::rowIdAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return m_rowIds[size_t(row)];
}

int CursorGridModel::rowOfRowId(qint64 rowId) const
{
    return m_rowOf.value(rowId, -1);
}

void CursorGridModel::setCacheRows(int rows)
{
    m_cache.setMaxCost(std::max(rows, 1));
}

int CursorGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rowIds.size());
}

int CursorGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

const QVariantList *CursorGridModel::rowAt(int row) const
{
    const qint64 id = m_rowIds[size_t(row)];
    if (const QVariantList *cached = m_cache.object(id))
        return cached;
    if (!m_cursor || !m_cursor->isOpen())
        return nullptr;
    QVariantList values;
    try {
        if (m_cursor->hasRow() && m_cursor->rowId() == id) {
            // The current row may hold unposted changes; show them as typed.
            for (const QString &f : m_fields)
                values << m_cursor->value(f);
        } else {
            ++m_fetches;
            values = m_cursor->rowValues(id, m_fields);
        }
    } catch (const std::exception &) {
        // Painting cannot report an error: a column naming no field of the table stays empty.
        return nullptr;
    }
    if (values.isEmpty() && !m_reloadPending) {
        // The row was deleted since the row numbers were read.
        auto *self = const_cast<CursorGridModel *>(this);
        self->m_reloadPending = true;
        QMetaObject::invokeMethod(self, &CursorGridModel::reload, Qt::QueuedConnection);
    }
    auto *entry = new QVariantList(std::move(values));
    m_cache.insert(id, entry);
    return entry;
}

QVariant CursorGridModel::data(const QModelIndex &index, int role) const
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

QVariant CursorGridModel::headerData(int section, Qt::Orientation orientation, int role) const
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

Qt::ItemFlags CursorGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace rost
