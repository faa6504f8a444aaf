#pragma once

#include "platform/ui/GridColumn.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QHash>
#include <QList>
#include <QVariantList>

#include <vector>

namespace rost {

class Cursor;

// A table model over a cursor in the cursor's order and restriction. It keeps only the ordered
// list of row numbers (rebuilt when the cursor opens, its restriction follows another family, or
// a post, cancel or refresh may have changed the rows) and fetches the rows the view asks for,
// a bounded number of them cached. The cursor's current row is the model's current row: the
// model tells of every move of the cursor and moves the cursor to a row the view makes current.
//
// The model listens to its cursor: detach it with setCursor(nullptr) before the cursor is
// destroyed.
class CursorGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CursorGridModel(QObject *parent = nullptr);
    ~CursorGridModel() override;

    void setCursor(Cursor *cursor);
    Cursor *cursor() const { return m_cursor; }

    void setColumns(const QList<GridColumn> &columns);
    // Each "Field\twidth\ttitle"; throws std::invalid_argument as GridColumn::parse does.
    void setColumns(const QStringList &definitions);
    const QList<GridColumn> &columns() const { return m_columns; }
    // The column's width in characters: its own, else the field's, else its title's length.
    int columnChars(int column) const;

    // Reads the row numbers again. The cursor tells of no change of its order: call this after
    // setIndexName on the cursor.
    void reload();

    // The row the cursor stands on; -1 when it has none or is closed.
    int currentRow() const;
    // Moves the cursor to the row (posting a pending edit first, which may throw). Returns false
    // when the row is gone; the rows are then read again.
    bool setCurrentRow(int row);
    qint64 rowIdAt(int row) const;
    int rowOfRowId(qint64 rowId) const;

    // Rows read from the table since the cursor was set; the cache keeps at most cacheRows.
    int fetchCount() const { return m_fetches; }
    void setCacheRows(int rows);
    int cacheRows() const { return m_cache.maxCost(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    // The cursor moved to row (-1: no row), or the rows were read again.
    void currentRowChanged(int row);

private:
    void onCursorEvent(int event);
    void onScrolled();
    bool leftRowGone() const;
    void clearRows();
    const QVariantList *rowAt(int row) const;
    QStringList fieldList() const;

    Cursor *m_cursor = nullptr;
    int m_listener = -1;
    QList<GridColumn> m_columns;
    QStringList m_fields;
    std::vector<qint64> m_rowIds;
    QHash<qint64, int> m_rowOf;
    qint64 m_masterRowId = -1;
    int m_toldRow = -1; // the current row as last told
    bool m_reloadPending = false;
    mutable QCache<qint64, QVariantList> m_cache;
    mutable int m_fetches = 0;
};

} // namespace rost
