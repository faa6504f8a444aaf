#include "platform/ui/GridView.h"

#include "platform/ui/Prompts.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
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
class GridView::RowIndicatorHeader : public QHeaderView
{
public:
    explicit RowIndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent) {}

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
        // The style may leave the painter clipped to nothing once it has drawn the section.
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
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

GridView::GridView(QWidget *parent) : QTableView(parent), m_model(new GridModel(this))
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

    connect(m_model, &GridModel::currentRowChanged, this, &GridView::followSource);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) { viewRowChanged(current); });
}

void GridView::setSource(RowSource *source)
{
    m_model->setSource(source);
}

void GridView::setColumns(const QList<GridColumn> &columns)
{
    m_model->setColumns(columns);
    applyWidths();
}

void GridView::setBoldTitles(bool bold)
{
    // Only the weight is the header's own; the rest follows the grid's type.
    QFont weight;
    weight.setBold(bold);
    horizontalHeader()->setFont(weight);
}

void GridView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    // Widths are in characters of the grid's type.
    if (event->type() == QEvent::FontChange)
        applyWidths();
}

int GridView::columnPixels(int column) const
{
    return m_model->columns().at(column).width * fontMetrics().averageCharWidth() + 8;
}

int GridView::columnsWidth() const
{
    int width =
        verticalHeader()->width() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_model->columnCount(); ++c)
        width += columnPixels(c);
    return width;
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    // Tab keys never move inside the grid; Ctrl+Tab, which the widgets around a grid leave alone,
    // leaves it as well, as it leaves any control that keeps Tab for itself.
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        focusNextPrevChild(event->key() == Qt::Key_Tab &&
                           !(event->modifiers() & Qt::ShiftModifier));
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::applyWidths()
{
    for (int c = 0; c < m_model->columnCount(); ++c)
        setColumnWidth(c, columnPixels(c));
    updateGeometry();
}

QSize GridView::sizeHint() const
{
    const int height = horizontalHeader()->sizeHint().height() +
                       NaturalRows * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
    return {columnsWidth(), height};
}

QSize GridView::minimumSizeHint() const
{
    return {columnsWidth(), QTableView::minimumSizeHint().height()};
}

void GridView::followSource(int row)
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

void GridView::viewRowChanged(const QModelIndex &current)
{
    if (m_following || !current.isValid())
        return;
    const bool moved = guarded(this, [&] { m_model->setCurrentRow(current.row()); });
    if (!moved)
        followSource(m_model->currentRow());
}

} // namespace rost
