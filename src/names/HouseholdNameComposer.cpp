#include "names/HouseholdNameComposer.h"

#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "names/NamesError.h"

namespace rost {

HouseholdNameComposer::HouseholdNameComposer(RostConnection &connection)
    : m_indivInfo(connection, tbl::Individuals), m_familyInfo(connection, tbl::Families),
      m_members(connection, tbl::Individuals)
{
    m_indivInfo.setIndexName(idx::IndivIdNumOrder);
    m_familyInfo.setIndexName(idx::FamilyIdNumOrder);
    m_members.setIndexName(idx::FamilyIdRankOrder);
}

HouseholdNameComposer::~HouseholdNameComposer() = default;

void HouseholdNameComposer::open()
{
    m_indivInfo.open();
    m_familyInfo.open();
    m_members.open();
}

IndividualNameRow HouseholdNameComposer::rowOf(const Cursor &individuals)
{
    IndividualNameRow row;
    row.Names = NameParts::cut(individuals.text(fld::Title), individuals.text(fld::FirstName),
                               individuals.text(fld::GoesBy), individuals.text(fld::LastName));
    row.IndivIdNum = IndivId(individuals.integer(fld::IndivIdNum));
    row.FamilyIdNum = FamilyId(individuals.integer(fld::FamilyIdNum));
    row.FamilyStatus = individuals.text(fld::FamilyStatus);
    row.FamilyRankOrder = qint16(individuals.integer(fld::FamilyRankOrder));
    return row;
}

std::optional<IndividualNameRow> HouseholdNameComposer::findIndividual(IndivId indivIdNum)
{
    open();
    if (!m_indivInfo.findKey({QVariant(static_cast<int>(indivIdNum))}))
        return std::nullopt;
    return rowOf(m_indivInfo);
}

HouseholdNames HouseholdNameComposer::GetNames(IndivId indivIdNum, bool readEMail)
{
    const std::optional<IndividualNameRow> row = findIndividual(indivIdNum);
    if (!row)
        throw NamesError(QStringLiteral("No individual %1").arg(indivIdNum));
    HouseholdNames names;
    names.IndivIdNum = row->IndivIdNum;
    names.FamilyIdNum = row->FamilyIdNum;
    names.Names = row->Names;
    if (readEMail)
        names.EMailAddress = m_indivInfo.text(fld::EMailAddress).left(HouseholdNames::EMailWidth);
    names.SpouseFound = searchSpouse(*row, names.Spouse);
    composeLines(names, row->FamilyStatus);
    return names;
}

bool HouseholdNameComposer::searchSpouse(const IndividualNameRow &row, SpouseParts &spouse,
                                         IndivId *spouseId)
{
    spouse = {};
    const QString sought = soughtSpouseStatus(row.FamilyStatus);
    if (sought.isEmpty())
        return false;
    open();
    const bool partner = sought == status::Partner;
    m_members.setFilter(QStringLiteral("Family ID Num = %1").arg(row.FamilyIdNum));
    m_members.setFiltered(true); // and stands on the family's first member
    for (; m_members.hasRow() && !m_members.eof(); m_members.next()) {
        if (m_members.integer(fld::FamilyIdNum) != row.FamilyIdNum)
            return false;
        if (m_members.text(fld::FamilyStatus) != sought)
            continue;
        // A partner is sought among the others: the individual never finds itself.
        if (partner && m_members.integer(fld::IndivIdNum) == row.IndivIdNum)
            continue;
        spouse.Title = m_members.text(fld::Title).left(NameParts::TitleWidth);
        spouse.FirstName = m_members.text(fld::FirstName).left(NameParts::NameWidth);
        spouse.GoesBy = m_members.text(fld::GoesBy).left(NameParts::NameWidth);
        if (spouseId)
            *spouseId = IndivId(m_members.integer(fld::IndivIdNum));
        return true;
    }
    return false;
}

bool HouseholdNameComposer::GetSpouseName(const IndividualNameRow &row)
{
    SpouseParts spouse;
    if (!searchSpouse(row, spouse))
        return false;
    m_spouseLines = coupleLines(row.Names, row.FamilyStatus, spouse);
    return true;
}

std::optional<IndivId> HouseholdNameComposer::spouseOf(const IndividualNameRow &row)
{
    SpouseParts spouse;
    IndivId id = 0;
    if (!searchSpouse(row, spouse, &id))
        return std::nullopt;
    return id;
}

QString HouseholdNameComposer::listLine(NameLine line, const IndividualNameRow &row)
{
    if (isCoupleLine(line) && GetSpouseName(row))
        return m_spouseLines[lineIndex(line)];
    return onePersonLine(onePersonFallback(line), row.Names);
}

FamilyAddress HouseholdNameComposer::familyAddress(FamilyId familyIdNum)
{
    // The people of a list or a directory come family by family: one read serves them all.
    if (!m_lastFamily || m_lastFamily->first != familyIdNum) {
        open();
        m_lastFamily.emplace(familyIdNum, readFamilyAddress(m_familyInfo, familyIdNum));
    }
    return m_lastFamily->second;
}

} // namespace rost
