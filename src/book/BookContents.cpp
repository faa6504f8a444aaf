#include "book/BookContents.h"

#include "app/FamilyDisplay.h"
#include "directory/Cursor.h"
#include "directory/Query.h"
#include "directory/Tables.h"

#include <QHash>

namespace rost {

namespace {

// Every member of every family in one walk of the individuals in rank order: one index step a
// person, instead of a filtered cursor per family.
QHash<FamilyId, std::vector<BookMember>> membersByFamily(RostConnection &connection)
{
    QHash<FamilyId, std::vector<BookMember>> members;
    Cursor tbInd(connection, tbl::Individuals);
    tbInd.setIndexName(idx::FamilyIdRankOrder);
    tbInd.open();
    for (tbInd.first(); !tbInd.eof(); tbInd.next()) {
        const MemberLineFields fields = FamilyDisplay::memberFields(tbInd);
        members[FamilyId(tbInd.integer(fld::FamilyIdNum))].push_back(
            {IndivId(tbInd.integer(fld::IndivIdNum)), FamilyDisplay::nameLine(fields),
             FamilyDisplay::phonesLine(fields), tbInd.text(fld::EMailAddress)});
    }
    return members;
}

QString indexText(const Cursor &tbInd)
{
    const QString first = tbInd.text(fld::FirstName);
    const QString goesBy = tbInd.text(fld::GoesBy);
    QString text = tbInd.text(fld::LastName) + QLatin1String(", ") + goesBy;
    if (!first.isEmpty() && first != goesBy)
        text += QLatin1String(" (") + first + QLatin1Char(')');
    return text;
}

std::vector<BookIndexEntry> readIndex(RostConnection &connection, const QSet<FamilyId> &printed)
{
    std::vector<BookIndexEntry> index;
    Cursor tbInd(connection, tbl::Individuals);
    tbInd.setIndexName(idx::LastNameAndGoesByOrder);
    tbInd.open();
    for (tbInd.first(); !tbInd.eof(); tbInd.next()) {
        const auto familyId = FamilyId(tbInd.integer(fld::FamilyIdNum));
        if (printed.contains(familyId))
            index.push_back({indexText(tbInd), familyId});
    }
    return index;
}

} // namespace

BookContents readBookContents(RostConnection &connection, const std::optional<QSet<FamilyId>> &only,
                              bool withIndex)
{
    QHash<FamilyId, std::vector<BookMember>> members = membersByFamily(connection);
    BookContents book;
    QSet<FamilyId> printed;
    Cursor tbFam(connection, tbl::Families);
    tbFam.setIndexName(idx::FamilyNameOrder);
    tbFam.open();
    for (tbFam.first(); !tbFam.eof(); tbFam.next()) {
        const auto familyId = FamilyId(tbFam.integer(fld::FamilyIdNum));
        // A family numbered 0 holds the people of no household; the window shows it no members.
        if (familyId == 0 || (only && !only->contains(familyId)))
            continue;
        BookHousehold h;
        h.familyId = familyId;
        h.familyName = tbFam.text(fld::FamilyName);
        h.heading = tbFam.text(fld::VorelName);
        h.address = FamilyDisplay::addressBlock(FamilyDisplay::displayedAddress(tbFam));
        h.homePhone = tbFam.text(fld::HomePhone);
        h.hasPicture = !tbFam.blob(fld::FamilyPicture).isEmpty();
        // Two rows with one family number both show its members, as the window shows them.
        h.members = members.value(familyId);
        printed.insert(familyId);
        book.households.push_back(std::move(h));
    }
    if (withIndex)
        book.index = readIndex(connection, printed);
    return book;
}

QSet<FamilyId> familiesOfPeople(Query &people)
{
    QSet<FamilyId> families;
    for (people.first(); !people.eof(); people.next())
        families.insert(FamilyId(people.integer(fld::FamilyIdNum)));
    people.first();
    return families;
}

} // namespace rost
