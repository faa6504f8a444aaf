#pragma once

#include "directory/Tables.h"
#include "names/NameLine.h"

#include <QString>

#include <array>

namespace rost {

// The name parts of one person, each held to its field's width.
struct NameParts
{
    static constexpr qsizetype TitleWidth = 10;
    static constexpr qsizetype NameWidth = 20;

    QString Title;
    QString FirstName;
    QString GoesBy;
    QString LastName;

    // The parts cut to their widths; values read from the tables are never longer, but a file
    // from elsewhere might be.
    static NameParts cut(const QString &title, const QString &firstName, const QString &goesBy,
                         const QString &lastName);

    bool operator==(const NameParts &) const = default;
};

// The spouse's parts the couple lines use; the spouse's last name is never read, every couple
// line ends with the individual's own.
struct SpouseParts
{
    QString Title;
    QString FirstName;
    QString GoesBy;

    bool operator==(const SpouseParts &) const = default;
};

// What the composition yields for one individual.
struct HouseholdNames
{
    static constexpr qsizetype EMailWidth = 255;

    IndivId IndivIdNum = 0;
    FamilyId FamilyIdNum = 0;
    NameParts Names;
    bool SpouseFound = false;
    SpouseParts Spouse; // empty when no spouse was found
    // By NameLine; the four couple lines are empty when no spouse was found.
    std::array<QString, NameLineCount> Lines;
    QString EMailAddress; // read for the clipboard only

    const QString &line(NameLine which) const { return Lines[lineIndex(which)]; }
};

// The status a spouse of someone with this Family Status holds: "Wife" for "Husband",
// "Husband" for "Wife", "Partner" for "Partner"; empty for every other value, which gives no
// search. The comparison is exact: "husband" is not a husband.
QString soughtSpouseStatus(const QString &familyStatus);

// One of the four one-person lines from the individual's own parts. Only the Title is tested
// for emptiness; an empty name part keeps its separator. A couple line gives empty text.
QString onePersonLine(NameLine line, const NameParts &own);

// The four couple lines, indexed like NameLine, for an individual of this Family Status whose
// spouse has these parts. A husband and a wife with both titles present get title lines with
// the husband's title first and the husband's first name (or Goes By); partners never get
// titles. The one-person entries of the result are empty.
std::array<QString, NameLineCount> coupleLines(const NameParts &own, const QString &familyStatus,
                                               const SpouseParts &spouse);

// Fills names.Lines from names.Names and, when SpouseFound, names.Spouse.
void composeLines(HouseholdNames &names, const QString &familyStatus);

} // namespace rost
