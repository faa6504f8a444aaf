#pragma once

#include "platform/ui/GridColumn.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace rost {

class Query;

// A read-only table model over the rows of a Query, which holds its whole result already. The
// query's current row is the grid's: call reset() after the query ran again or moved, and a row
// the user makes current becomes the query's.
class QueryGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit QueryGridModel(Query &query, QObject *parent = nullptr);

    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    // Reads the query's rows again (its statement ran anew or was closed).
    void reset();
    Query &query() const { return m_query; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    Query &m_query;
    QList<GridColumn> m_columns;
    QList<int> m_sourceColumns; // the query's column of each grid column, -1 when absent
};

// The grid of a Query: bold titles, column widths in characters, whole-row selection that
// follows the query's current row.
class QueryGridView : public QTableView
{
    Q_OBJECT

public:
    explicit QueryGridView(QWidget *parent = nullptr);

    // The model lives as long as the view; query must outlive both.
    void setQuery(Query &query, const QStringList &columnDefinitions);
    // Lets go of the query before it is destroyed.
    void clearQuery();
    QueryGridModel *gridModel() const { return m_model; }
    // The query ran again or moved: rows read again, highlight on its current row.
    void refresh();
    // The highlighted row, -1 when none.
    int currentRow() const;

private:
    void rowChosen(const QModelIndex &current);

    QueryGridModel *m_model = nullptr;
    bool m_syncing = false;
};

} // namespace rost
