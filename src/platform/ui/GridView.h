#pragma once

#include "platform/ui/GridModel.h"

#include <QTableView>

namespace rost {

// A read-only grid over a row source: title row, row indicator, lines between rows and columns,
// column widths in characters of the grid's type, and as wide as its columns, so it never needs
// to scroll sideways. Its highlighted row is the source's current row both ways: a move of the
// source moves the highlight, and a row clicked or reached by the keyboard becomes the source's
// current row.
//
// Detach the source with setSource(nullptr) before the source is destroyed.
class GridView : public QTableView
{
    Q_OBJECT

public:
    explicit GridView(QWidget *parent = nullptr);

    void setSource(RowSource *source);
    void setColumns(const QList<GridColumn> &columns);
    void setBoldTitles(bool bold);

    GridModel *gridModel() const { return m_model; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void followSource(int row);
    void viewRowChanged(const QModelIndex &current);
    int columnPixels(int column) const;
    int columnsWidth() const;
    void applyWidths();

    class RowIndicatorHeader;
    GridModel *m_model;
    RowIndicatorHeader *m_rowHeader = nullptr;
    bool m_following = false;
};

} // namespace rost
