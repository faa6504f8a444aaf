#pragma once

#include "browse/DirectorySearch.h"

#include <QLineEdit>
#include <QPointer>

#include <memory>

class QTreeWidget;
class QTreeWidgetItem;

namespace rost {

// The main window's forgiving search: as the member types, a list under the box shows who
// matches, with what each word matched. Up and Down move in the list, Enter chooses the row
// (a click does too), Esc closes the list and gives the keyboard back to where it was. The box
// is off until it has a search to ask.
class SearchBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit SearchBox(QWidget *parent = nullptr);

    // The search to ask from now on; nullptr turns the box off and closes its list.
    void setSearch(std::shared_ptr<const DirectorySearch> search);
    // Where Esc sends the keyboard when the box was not entered by activate().
    void setReturnFocus(QWidget *widget) { m_defaultReturn = widget; }
    // Takes the keyboard with the text selected; Esc later gives it back to the widget that had
    // it.
    void activate();

Q_SIGNALS:
    void chosen(const rost::SearchHit &hit);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QTreeWidget *list();
    bool listShown() const;
    void showMatches();
    void placeList();
    void choose(QTreeWidgetItem *item);
    void closeList();

    std::shared_ptr<const DirectorySearch> m_search;
    // Beside the box in its parent, so that it may reach past the box's own rectangle; hidden
    // while there is nothing to show. Made by list() when first needed.
    QTreeWidget *m_list = nullptr;
    std::vector<SearchHit> m_hits;
    QPointer<QWidget> m_returnFocus;
    QPointer<QWidget> m_defaultReturn;
};

} // namespace rost
