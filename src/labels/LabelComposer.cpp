#include "labels/LabelComposer.h"

#include "directory/Cursor.h"
#include "directory/Preferences.h"
#include "directory/Query.h"
#include "directory/RostConnection.h"
#include "directory/Statement.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace rost {

namespace {

const QString Piece = QStringLiteral("label");

// The family's people in the job, in job order.
struct Household
{
    std::vector<IndividualNameRow> people;
};

} // namespace

std::vector<IndivId> everyoneInDirectory(RostConnection &connection)
{
    // The orders come from the cursors' indexes; the numbers are read on their own, since stepping
    // a cursor reads every field of every row, the families' pictures included.
    Cursor tbInd(connection, tbl::Individuals);
    tbInd.setIndexName(idx::FamilyIdRankOrder);
    tbInd.open();
    Cursor tbFam(connection, tbl::Families);
    tbFam.setIndexName(idx::FamilyNameOrder);
    tbFam.open();
    const auto numbersByRow = [&](const TableDef &def, QLatin1String field) {
        Statement st(connection.handle(),
                     QStringLiteral("SELECT rowid, %1, %2 FROM %3.%4")
                         .arg(quoteIdent(fld::FamilyIdNum), quoteIdent(field),
                              quoteIdent(connection.attach(def.file)), quoteIdent(def.table)));
        QHash<qint64, std::pair<FamilyId, qint64>> numbers;
        while (st.step())
            numbers.insert(st.columnInt(0), {FamilyId(st.columnInt(1)), st.columnInt(2)});
        return numbers;
    };

    const auto individuals = numbersByRow(individualsTable(), fld::IndivIdNum);
    QHash<FamilyId, std::vector<IndivId>> members;
    for (const qint64 row : tbInd.orderedRowIds()) {
        const auto [family, indiv] = individuals.value(row);
        members[family].push_back(IndivId(indiv));
    }
    // Family 0 holds the people of no household: they have no address to send to.
    members.remove(0);

    const auto families = numbersByRow(familiesTable(), fld::FamilyIdNum);
    std::vector<IndivId> people;
    for (const qint64 row : tbFam.orderedRowIds()) {
        // Two rows with one number are one household: its people are labelled once.
        const auto found = members.find(families.value(row).first);
        if (found == members.end())
            continue;
        people.insert(people.end(), found->begin(), found->end());
        members.erase(found);
    }
    return people;
}

std::vector<IndivId> peopleOfList(Query &tbSQL)
{
    std::vector<IndivId> people;
    for (tbSQL.first(); !tbSQL.eof(); tbSQL.next())
        people.push_back(IndivId(tbSQL.integer(fld::IndivIdNum)));
    tbSQL.first();
    return people;
}

LabelComposer::LabelComposer(RostConnection &connection) : m_names(connection) {}

std::vector<LabelLines> LabelComposer::compose(const std::vector<IndivId> &people,
                                               const ListEnvelopeStyle &style, bool perHousehold)
{
    m_warnings.clear();
    std::vector<Household> households;
    QHash<FamilyId, std::size_t> householdOf;
    for (const IndivId id : people) {
        std::optional<IndividualNameRow> row = m_names.findIndividual(id);
        if (!row) {
            m_warnings << QStringLiteral("Individual %1 was not found; no label was printed for "
                                         "that person.")
                              .arg(id);
            continue;
        }
        const FamilyId family = row->FamilyIdNum;
        if (perHousehold && family != 0) {
            const auto at = householdOf.constFind(family);
            if (at != householdOf.cend()) {
                households[*at].people.push_back(std::move(*row));
                continue;
            }
            householdOf.insert(family, households.size());
        }
        households.push_back({{std::move(*row)}});
    }

    std::vector<LabelLines> labels;
    labels.reserve(households.size());
    for (const Household &h : households) {
        const IndividualNameRow *named = &h.people.front();
        ListEnvelopeStyle chosen = style;
        if (h.people.size() > 1 && style.style) {
            // The couple is named from the one ranked first in the family, whatever the list's
            // order, so that the label reads as the household's.
            std::vector<const IndividualNameRow *> ranked;
            for (const IndividualNameRow &person : h.people)
                ranked.push_back(&person);
            std::stable_sort(ranked.begin(), ranked.end(), [](const auto *a, const auto *b) {
                return a->FamilyRankOrder < b->FamilyRankOrder;
            });
            const auto couple =
                std::find_if(ranked.begin(), ranked.end(), [&](const IndividualNameRow *person) {
                    const std::optional<IndivId> spouse = m_names.spouseOf(*person);
                    return spouse && std::any_of(h.people.begin(), h.people.end(),
                                                 [&](const IndividualNameRow &other) {
                                                     return other.IndivIdNum == *spouse;
                                                 });
                });
            named = ranked.front();
            if (couple != ranked.end()) {
                named = *couple;
                chosen.style = coupleOf(*style.style);
            }
        }
        labels.push_back(householdLinesOf(m_names, *named, styledNameLine(m_names, chosen, *named),
                                          Piece, m_warnings));
    }
    return labels;
}

std::vector<LabelLines> returnLabels(const Preferences &prefs, int count)
{
    const LabelLines lines{prefs.RetAddLine1, prefs.RetAddLine2, prefs.RetAddLine3,
                           prefs.RetAddLine4};
    if (lines.join(QString()).trimmed().isEmpty())
        return {};
    return std::vector<LabelLines>(std::size_t(std::max(count, 0)), lines);
}

} // namespace rost
