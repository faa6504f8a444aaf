#pragma once

#include "directory/Query.h"
#include "lists/ListKindTables.h"
#include "lists/ListKinds.h"

#include <QStringList>

namespace rost {

class RostConnection;

// What the Make Lists dialog does with its two queries, without the widgets: the item query
// tbSQLList lists the distinct items of the chosen kind, the people query tbSQL the people who
// hold the chosen item. The batch tool drives the same object.
class ListMaker
{
public:
    ListMaker(RostConnection &connection, const DirectorySetup &setup);

    // Opens the list table of every offered kind (a missing one throws the engine's error).
    void openKindTables();
    void close();

    const DirectorySetup &setup() const { return m_setup; }
    const std::vector<OfferedKind> &offered() const { return m_offered; }
    QStringList captions() const { return offeredCaptions(m_offered); }

    // The list-field box's text changed: for each offered kind whose caption equals text, in
    // order, the item query runs and items() is refilled from it. False when nothing matched
    // (items() then keeps what it held).
    bool chooseKind(const QString &text);
    const QStringList &items() const { return m_items; }

    // The item box's text changed: for each kind matching kindText, the people query runs with
    // item. False when nothing matched (tbSQL then keeps its result).
    bool chooseItem(const QString &kindText, const QString &item);
    // The item whose people tbSQL holds: the last item chooseItem matched.
    const QString &chosenItem() const { return m_chosenItem; }
    // The caption of the list field of that item.
    const QString &chosenKind() const { return m_chosenKind; }

    Query &tbSQLList() { return m_itemQuery; }
    Query &tbSQL() { return m_people; }
    // A people query has run and its result is open.
    bool hasPeople() const { return m_people.isOpen(); }

private:
    DirectorySetup m_setup;
    std::vector<OfferedKind> m_offered;
    ListKindTables m_tables;
    Query m_itemQuery;
    Query m_people;
    QStringList m_items;
    QString m_chosenItem;
    QString m_chosenKind;
};

} // namespace rost
