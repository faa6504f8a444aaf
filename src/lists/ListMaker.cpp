#include "lists/ListMaker.h"

namespace rost {

ListMaker::ListMaker(RostConnection &connection, const DirectorySetup &setup)
    : m_setup(setup), m_offered(offeredKinds(setup)), m_tables(connection), m_itemQuery(connection),
      m_people(connection)
{}

void ListMaker::openKindTables()
{
    m_tables.open(m_setup);
}

void ListMaker::close()
{
    m_people.close();
    m_itemQuery.close();
    m_tables.close();
}

bool ListMaker::chooseKind(const QString &text)
{
    const std::vector<ListKind> matches = kindsMatching(m_offered, text);
    for (ListKind kind : matches) {
        m_itemQuery.setSql(itemStatement(kind));
        m_itemQuery.open();
        m_items.clear();
        const QString column = m_itemQuery.columnNames().value(0);
        for (m_itemQuery.first(); !m_itemQuery.eof(); m_itemQuery.next())
            m_items << m_itemQuery.text(column);
    }
    return !matches.empty();
}

bool ListMaker::chooseItem(const QString &kindText, const QString &item)
{
    const std::vector<ListKind> matches = kindsMatching(m_offered, kindText);
    for (ListKind kind : matches) {
        m_people.setSql(QString());
        m_people.setSql(peopleStatement(kind, item));
        m_people.open();
        m_chosenItem = item;
        m_chosenKind = kindText;
    }
    return !matches.empty();
}

} // namespace rost
