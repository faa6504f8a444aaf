#pragma once

#include "platform/ui/CursorGridModel.h"

#include <QTableView>

namespace rost {

class Cursor;

// A read-only grid over a cursor: title row, row indicator, lines between rows and columns,
// column widths in characters. Its highlighted row is the cursor's current row both ways:
// moving the cursor moves the highlight, and a row clicked or reached by the keyboard becomes
// the cursor's current row.
//
// Detach the cursor with setCursor(nullptr) before the cursor is destroyed.
class CursorGridView : public QTableView
{
    Q_OBJECT

public:
    explicit CursorGridView(QWidget *parent = nullptr);

    void setCursor(Cursor *cursor);
    Cursor *cursor() const { return m_model->cursor(); }
    // Each "Field\twidth\ttitle"; throws std::invalid_argument for a malformed one.
    void setColumns(const QStringList &definitions);
    void setColumns(const QList<GridColumn> &columns);
    void setBoldTitles(bool bold);

    CursorGridModel *gridModel() const { return m_model; }
    // The row the row header marks as current; -1 for none.
    int indicatorRow() const;

    QSize sizeHint() const override;

private:
    void followCursor(int row);
    void viewRowChanged(const QModelIndex &current);
    void applyWidths();

    class RowIndicatorHeader;
    CursorGridModel *m_model;
    RowIndicatorHeader *m_rowHeader = nullptr;
    bool m_following = false;
};

} // namespace rost
