#pragma once

#include "directory/RowSource.h"
#include "platform/ui/GridColumn.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QHash>
#include <QList>
#include <QVariantList>

#include <vector>

namespace rost {

// A table model over a row source in the source's order. It keeps only the ordered list of row
// keys (read again when the source tells that its rows changed) and reads the rows the view asks
// for, a bounded number of them cached. The source's current row is the model's current row: the
// model tells of every move of the source and moves the source to a row the view makes current.
//
// The model listens to its source: detach it with setSource(nullptr) before the source is
// destroyed.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit GridModel(QObject *parent = nullptr);
    ~GridModel() override;

    void setSource(RowSource *source);

    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }

    // The row the source stands on; -1 when it has none or is closed.
    int currentRow() const;
    // Moves the source to the row (a source may save a pending edit first, which may throw).
    // Returns false when the row is gone; the rows are then read again.
    bool setCurrentRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    // The source moved to row (-1: no row), or the rows were read again.
    void currentRowChanged(int row);

private:
    void sourceChanged(RowSource::Change change);
    void reload();
    void clearRows();
    void tellCurrentRow();
    const QVariantList *rowAt(int row) const;

    RowSource *m_source = nullptr;
    int m_listener = -1;
    QList<GridColumn> m_columns;
    QStringList m_fields;
    std::vector<qint64> m_rowIds;
    QHash<qint64, int> m_rowOf;
    bool m_reloadPending = false;
    mutable QCache<qint64, QVariantList> m_cache;
};

} // namespace rost
