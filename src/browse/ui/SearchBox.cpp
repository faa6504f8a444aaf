#include "browse/ui/SearchBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

namespace rost {

namespace {

constexpr int HitRole = Qt::UserRole;
constexpr int ListRows = 12;
constexpr int ListWidth = 600;

} // namespace

SearchBox::SearchBox(QWidget *parent) : QLineEdit(parent)
{
    setPlaceholderText(tr("Search (Ctrl+F)"));
    setEnabled(false);

    connect(this, &QLineEdit::textChanged, this, &SearchBox::showMatches);
}

QTreeWidget *SearchBox::list()
{
    if (m_list)
        return m_list;
    // Made at the first text typed: a tree view is a fair share of the window's start.
    // The list stays out of the focus chain: the keys go on being typed into the box.
    m_list = new QTreeWidget(parentWidget() ? parentWidget() : this);
    m_list->setObjectName(QStringLiteral("SearchMatches"));
    m_list->setAccessibleName(tr("Search matches"));
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setColumnCount(3);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->hide();
    connect(m_list, &QTreeWidget::itemClicked, this, &SearchBox::choose);
    return m_list;
}

bool SearchBox::listShown() const
{
    return m_list && m_list->isVisible();
}

void SearchBox::setSearch(std::shared_ptr<const DirectorySearch> search)
{
    m_search = std::move(search);
    setEnabled(m_search != nullptr);
    // Its icon loads the style's icon engine, a tenth of the window's start: it waits for the
    // box to be usable, which comes after the first family is shown. The box is empty till then.
    if (m_search && !isClearButtonEnabled())
        setClearButtonEnabled(true);
    if (!m_search)
        closeList();
    else if (listShown())
        showMatches();
}

void SearchBox::activate()
{
    if (!isEnabled())
        return;
    QWidget *before = QApplication::focusWidget();
    if (before != this)
        m_returnFocus = before;
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void SearchBox::showMatches()
{
    const SearchResult result = m_search ? m_search->search(text()) : SearchResult();
    if (!result.asked) {
        closeList();
        return;
    }
    list()->clear();
    m_hits = result.hits;
    QFont highlighted = m_list->font();
    highlighted.setBold(true);
    const QBrush marker = palette().brush(QPalette::Highlight).color().lighter(170);
    for (size_t i = 0; i < m_hits.size(); ++i) {
        const SearchHit &hit = m_hits[i];
        auto *item = new QTreeWidgetItem(m_list, {hit.name, hit.city, hit.matched});
        item->setData(0, HitRole, int(i));
        item->setFont(2, highlighted);
        item->setBackground(2, marker);
    }
    QString note;
    if (m_hits.empty())
        note = tr("No one matches \u201C%1\u201D.").arg(text().simplified());
    else if (result.more > 0)
        note = tr("%n more not shown: type more to narrow the search.", nullptr, result.more);
    if (!note.isEmpty()) {
        auto *item = new QTreeWidgetItem(m_list, {note});
        item->setFlags(Qt::NoItemFlags);
        item->setFirstColumnSpanned(true);
    }
    if (!m_hits.empty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    placeList();
    m_list->show();
    m_list->raise();
}

void SearchBox::placeList()
{
    QWidget *area = m_list->parentWidget();
    const QPoint below = mapTo(area, QPoint(0, height()));
    const int rowHeight = std::max(m_list->sizeHintForRow(0), fontMetrics().height() + 4);
    const int rows = std::min(ListRows, m_list->topLevelItemCount());
    const int width = std::min(ListWidth, area->width());
    const int left = std::clamp(below.x() + this->width() - width, 0, area->width() - width);
    const int height =
        std::min(rows * rowHeight + 2 * m_list->frameWidth(), area->height() - below.y());
    m_list->setGeometry(left, below.y(), width, height);
}

void SearchBox::keyPressEvent(QKeyEvent *event)
{
    const bool open = listShown();
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (open && !m_hits.empty()) {
            const int last = int(m_hits.size()) - 1;
            const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
            const int next = std::clamp(row + (event->key() == Qt::Key_Down ? 1 : -1), 0, last);
            m_list->setCurrentItem(m_list->topLevelItem(next));
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (open)
            choose(m_list->currentItem());
        return;
    case Qt::Key_Escape: {
        closeList();
        QWidget *back = m_returnFocus ? m_returnFocus.data() : m_defaultReturn.data();
        m_returnFocus = nullptr;
        if (back)
            back->setFocus(Qt::OtherFocusReason);
        return;
    }
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void SearchBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A menu or a dialog opened on top does not end the search; the member going elsewhere does.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        closeList();
}

void SearchBox::choose(QTreeWidgetItem *item)
{
    if (!item || !item->data(0, HitRole).isValid())
        return;
    const SearchHit hit = m_hits[size_t(item->data(0, HitRole).toInt())];
    closeList();
    m_returnFocus = nullptr;
    Q_EMIT chosen(hit);
}

void SearchBox::closeList()
{
    if (m_list) {
        m_list->hide();
        m_list->clear();
    }
    m_hits.clear();
}

} // namespace rost
