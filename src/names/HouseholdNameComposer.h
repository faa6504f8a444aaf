#pragma once

#include "directory/Cursor.h"
#include "names/FamilyAddress.h"
#include "names/HouseholdNames.h"

#include <QString>

#include <array>
#include <optional>
#include <utility>

namespace rost {

class RostConnection;

// The values of an individual's row that the list composition needs, read by the caller.
struct IndividualNameRow
{
    NameParts Names;
    IndivId IndivIdNum = 0;
    FamilyId FamilyIdNum = 0;
    QString FamilyStatus;
    qint16 FamilyRankOrder = 0;
};

// Composes the name lines of individuals through cursors of its own over the connection, so that
// the main window's cursors never move because of it: tbIndivInfo (individuals, INDIV ID NUM
// ORDER) locates individuals, tbFamilyInfo (families, FAMILY ID NUM ORDER) their families, and a
// third cursor on the individuals walks a family's members in rank order for the spouse search.
// The cursors open on first use and close with the object.
//
// Errors of the table engine pass through as EngineError.
class HouseholdNameComposer
{
public:
    explicit HouseholdNameComposer(RostConnection &connection);
    ~HouseholdNameComposer();
    HouseholdNameComposer(const HouseholdNameComposer &) = delete;
    HouseholdNameComposer &operator=(const HouseholdNameComposer &) = delete;

    // All eight lines for one individual (the clipboard and single envelope dialogs), the
    // e-mail address only when readEMail. Throws NamesError "No individual N" when the table
    // holds no such individual, rather than composing whoever the cursor stands on.
    HouseholdNames GetNames(IndivId indivIdNum, bool readEMail = false);

    // The individual's row by Indiv ID Num; nullopt when the table holds none.
    std::optional<IndividualNameRow> findIndividual(IndivId indivIdNum);

    // The spouse search for one list row. True when a spouse was found; the four couple lines
    // are then kept until the next successful call (a failed call leaves them as they were).
    bool GetSpouseName(const IndividualNameRow &row);
    // The couple lines of the last successful GetSpouseName, indexed like NameLine.
    const std::array<QString, NameLineCount> &spouseLines() const { return m_spouseLines; }

    // One line per list row, for the chosen style only. A couple line searches for the spouse
    // first and, without one, gives the one-person line (FormalNameAndSpouse gives FormalName,
    // and so on), never the lines of an earlier row.
    QString listLine(NameLine line, const IndividualNameRow &row);

    // The Indiv ID Num of the spouse the search finds for the row, or nullopt.
    std::optional<IndivId> spouseOf(const IndividualNameRow &row);

    // The family's address fields through tbFamilyInfo; found false when it is not there. The
    // last family read is kept: the composer serves one print job or one dialog, during which
    // the table does not change.
    FamilyAddress familyAddress(FamilyId familyIdNum);

private:
    void open();
    // Walks the members of the family in rank order; fills spouse when found.
    bool searchSpouse(const IndividualNameRow &row, SpouseParts &spouse,
                      IndivId *spouseId = nullptr);
    static IndividualNameRow rowOf(const Cursor &individuals);

    Cursor m_indivInfo;
    Cursor m_familyInfo;
    Cursor m_members;
    std::array<QString, NameLineCount> m_spouseLines;
    std::optional<std::pair<FamilyId, FamilyAddress>> m_lastFamily;
};

} // namespace rost
