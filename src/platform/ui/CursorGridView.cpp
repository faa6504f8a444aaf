#include "platform/ui/CursorGridView.h"

#include "directory/Cursor.h"
#include "platform/ui/Prompts.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

namespace rost {

namespace {

// Rows shown when the grid is asked for its natural size.
constexpr int NaturalRows = 12;

const QString &indicatorGlyph()
{
    static const QString glyph = QStringLiteral("\u25B6");
    return glyph;
}

} // namespace

// The row header marks the current row. It repaints just the two rows concerned on a move: a
// header-data change would make the header look again at every one of its rows.
class CursorGridView::RowIndicatorHeader : public QHeaderView
{
public:
    explicit RowIndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent) {}

    int row() const { return m_row; }
    void setRow(int row)
    {
        const int old = m_row;
        m_row = row;
        if (old != row) {
            updateRow(old);
            updateRow(row);
        }
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        if (logicalIndex == m_row)
            painter->drawText(rect, Qt::AlignCenter, indicatorGlyph());
    }

private:
    void updateRow(int row)
    {
        if (row >= 0 && row < count())
            viewport()->update(0, sectionViewportPosition(row), viewport()->width(),
                               sectionSize(row));
    }

    int m_row = -1;
};

CursorGridView::CursorGridView(QWidget *parent)
    : QTableView(parent), m_model(new CursorGridModel(this))
{
    m_rowHeader = new RowIndicatorHeader(this);
    setVerticalHeader(m_rowHeader);
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);

    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    rows->setMinimumSectionSize(fontMetrics().height() + 4);
    rows->setFixedWidth(fontMetrics().horizontalAdvance(indicatorGlyph()) + 10);
    rows->setDefaultAlignment(Qt::AlignCenter);
    rows->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);

    connect(m_model, &CursorGridModel::currentRowChanged, this, &CursorGridView::followCursor);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) { viewRowChanged(current); });
}

void CursorGridView::setCursor(Cursor *cursor)
{
    m_model->setCursor(cursor);
    applyWidths();
}

void CursorGridView::setColumns(const QStringList &definitions)
{
    setColumns(GridColumn::parseAll(definitions));
}

void CursorGridView::setColumns(const QList<GridColumn> &columns)
{
    m_model->setColumns(columns);
    applyWidths();
}

void CursorGridView::setBoldTitles(bool bold)
{
    QFont f = horizontalHeader()->font();
    f.setBold(bold);
    horizontalHeader()->setFont(f);
}

void CursorGridView::applyWidths()
{
    const int charWidth = fontMetrics().averageCharWidth();
    for (int c = 0; c < m_model->columnCount(); ++c)
        setColumnWidth(c, m_model->columnChars(c) * charWidth + 8);
}

QSize CursorGridView::sizeHint() const
{
    int width =
        verticalHeader()->width() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    const int charWidth = fontMetrics().averageCharWidth();
    for (int c = 0; c < m_model->columnCount(); ++c)
        width += m_model->columnChars(c) * charWidth + 8;
    const int height = horizontalHeader()->sizeHint().height() +
                       NaturalRows * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
    return {width, height};
}

int CursorGridView::indicatorRow() const
{
    return m_rowHeader->row();
}

void CursorGridView::followCursor(int row)
{
    m_rowHeader->setRow(row);
    m_following = true;
    if (row < 0) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex target = m_model->index(row, column);
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
        scrollTo(target);
    }
    m_following = false;
}

void CursorGridView::viewRowChanged(const QModelIndex &current)
{
    if (m_following || !current.isValid())
        return;
    const bool moved = guarded(this, [&] { m_model->setCurrentRow(current.row()); });
    if (!moved)
        followCursor(m_model->currentRow());
}

} // namespace rost
