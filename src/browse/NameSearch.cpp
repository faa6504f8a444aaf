#include "browse/NameSearch.h"

#include "directory/Tables.h"

namespace rost {

NameSearch::NameSearch(RostConnection &connection, Kind kind)
    : m_kind(kind), m_cursor(connection, kind == Kind::Families ? tbl::Families : tbl::Individuals)
{
    m_cursor.setIndexName(kind == Kind::Families ? idx::FamilyNameOrder
                                                 : idx::LastNameAndGoesByOrder);
    m_cursor.open();
}

QString NameSearch::typedText(Kind kind, const QString &text)
{
    return kind == Kind::Individuals ? text.toUpper() : text;
}

void NameSearch::search(const QString &text)
{
    if (text.isEmpty())
        m_cursor.first();
    else
        m_cursor.findNearest(typedText(m_kind, text));
}

FamilyId NameSearch::chosenFamily() const
{
    return FamilyId(m_cursor.integer(fld::FamilyIdNum));
}

FoundIndividual NameSearch::chosenIndividual() const
{
    return FoundIndividual::fromRow(m_cursor);
}

} // namespace rost
